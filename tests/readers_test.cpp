#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include "alloc_tracker.h"
#include <lineinput/input.h>
#include <lineinput/input.hpp>
#include "reader_cases.h"
#include "test_support.h"

namespace {

template <typename T> struct LineCase {
  std::string line;
  std::optional<T> value; // none: the line is rejected
};

template <typename T> bool same_value(T a, T b) {
  if constexpr (std::is_floating_point_v<T>)
    return (std::isnan(a) ? std::isnan(b) : a == b) && std::signbit(a) == std::signbit(b);
  else
    return a == b;
}

// Every read fails. Descriptor 0 stays free until the next feed_stdin,
// where CapturedStdout would take it.
void feed_unreadable_stdin() {
  feed_stdin("1\n");
  close(fileno(stdin));
}

// One line then end of input: an accepted line gives its value silently; a
// rejected one gives a prompt and then the sentinel, or no value from the
// C++ reader, which keeps the caller's errno for a value. Either way the
// line is freed. Without a line feed the C++ reader gives the same, but
// the largest value reads as end of input. End of input at once, a failed
// allocation and a read error give the sentinel without a prompt.
template <typename T>
void check_lines(T (*read)(), std::optional<T> (*read_optional)(),
                 const std::vector<LineCase<T>> &cases) {
  const T sentinel = std::numeric_limits<T>::max();
  for (const LineCase<T> &c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.line));
    feed_stdin(c.line + "\n");
    CapturedStdout out;
    AllocTracking tracking;
    T got = read();
    EXPECT_EQ(tracking.live_blocks(), 0U);
    EXPECT_EQ(out.text(), c.value ? "" : "Retry: ");
    EXPECT_TRUE(same_value(got, c.value.value_or(sentinel)))
        << "the C reader gave " << testing::PrintToString(got);
    feed_stdin(c.line + "\n");
    errno = EDOM;
    std::optional<T> optional = read_optional();
    const std::string gave = "the C++ reader gave " + testing::PrintToString(optional);
    EXPECT_EQ(optional.has_value(), c.value.has_value()) << gave;
    EXPECT_TRUE(!optional || (same_value(*optional, *c.value) && errno == EDOM)) << gave << ", errno " << errno;
    EXPECT_EQ(out.text(), c.value ? "" : "Retry: Retry: ");
    feed_stdin(c.line);
    optional = read_optional();
    EXPECT_EQ(optional.has_value(), c.value && !same_value(*c.value, sentinel))
        << "without a line feed, the C++ reader gave " << testing::PrintToString(optional);
    EXPECT_TRUE(!optional || same_value(*optional, *c.value))
        << "without a line feed, the C++ reader gave " << testing::PrintToString(optional);
  }
  using Ending = std::pair<void (*)(), long>; // how input ends, the allocation to fail
  for (const auto &[end, failing] : {Ending{[] { feed_stdin(""); }, -1},
                                     Ending{[] { feed_stdin("1\n"); }, 0}, Ending{feed_unreadable_stdin, -1}}) {
    CapturedStdout out;
    end();
    std::optional<AllocTracking> tracking(std::in_place, failing);
    EXPECT_TRUE(same_value(read(), sentinel));
    tracking.reset();
    end();
    tracking.emplace(failing);
    EXPECT_EQ(read_optional(), std::nullopt);
    tracking.reset();
    EXPECT_EQ(out.text(), "");
  }
}

#define OK(line, value) {line, value},
#define NO(line) {line, {}},

TEST(GetInt, AcceptsOneIntegerInAnyBaseAndClampsToItsRange) {
  check_lines<int>(GetInt, lineinput::get_int, {INT_CASES(OK, NO)});
}

TEST(GetLongLong, AcceptsOneDecimalIntegerAndClampsToItsRange) {
  check_lines<long long>(GetLongLong, lineinput::get_long_long, {LONG_LONG_CASES(OK, NO)});
}

TEST(GetChar, AcceptsOneByteThatIsNotWhiteSpace) {
  check_lines<signed char>(GetChar, lineinput::get_char, {CHAR_CASES(OK, NO)});
}

TEST(GetFloat, AcceptsOneSinglePrecisionNumber) {
  check_lines<float>(GetFloat, lineinput::get_float, {FLOAT_CASES(OK, NO)});
}

TEST(GetDouble, AcceptsOneDoublePrecisionNumber) {
  check_lines<double>(GetDouble, lineinput::get_double, {DOUBLE_CASES(OK, NO)});
}

// Every accepted line gives the C library's conversion in each rounding
// mode, quick conversion or not.
template <typename T>
void check_rounding_modes(T (*read)(), T (*convert)(const char *, char **),
                          const std::vector<LineCase<T>> &cases) {
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    for (const LineCase<T> &c : cases) {
      if (!c.value || std::isnan(*c.value))
        continue;
      SCOPED_TRACE(testing::PrintToString(c.line) + " in rounding mode " + std::to_string(mode));
      feed_stdin(c.line + "\n");
      T expected = convert(c.line.c_str(), nullptr);
      EXPECT_TRUE(same_value(read(), expected));
    }
  }
  std::fesetround(FE_TONEAREST);
}

TEST(GetFloat, GivesTheCLibrarysValueInEveryRoundingMode) {
  check_rounding_modes<float>(GetFloat, std::strtof, {FLOAT_CASES(OK, NO)});
}

TEST(GetDouble, GivesTheCLibrarysValueInEveryRoundingMode) {
  check_rounding_modes<double>(GetDouble, std::strtod, {DOUBLE_CASES(OK, NO)});
}

// Sets a locale whose decimal mark is a comma: Windows has German among its
// own; elsewhere one is made in dir and found through LOCPATH.
bool set_decimal_comma_locale(const std::string &dir) {
#if defined(_WIN32)
  static_cast<void>(dir);
  return std::setlocale(LC_NUMERIC, "German_Germany.1252") != nullptr;
#else
  const std::string make = "mkdir -p '" + dir + "' && localedef -i de_DE -f UTF-8 '" + dir +
                           "/de_DE.UTF-8' >/dev/null 2>&1";
  return std::system(make.c_str()) == 0 && setenv("LOCPATH", dir.c_str(), 1) == 0 &&
         std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
#endif
}

// A program that sets a locale whose decimal mark is a comma reads "2,5".
TEST(GetDouble, ReadsTheDecimalMarkOfTheProgramsLocale) {
  const std::string dir = temp_path("locales");
  const bool made = set_decimal_comma_locale(dir);
  if (made)
    check_lines<double>(GetDouble, lineinput::get_double, {OK("2,5", 2.5) OK(" -0,125e1 ", -1.25) NO("3.5")});
  std::setlocale(LC_NUMERIC, "C");
  unsetenv("LOCPATH");
  std::filesystem::remove_all(dir);
  EXPECT_FALSE(std::filesystem::exists(dir));
  if (!made)
    GTEST_SKIP() << "no locale with a decimal comma (localedef -i de_DE failed)";
}

#undef OK
#undef NO

struct RetryCase {
  std::string input;
  int value;
  std::string prompts;
  std::string rest;
};

TEST(TypedReaders, PromptOncePerRejectedLineAndStopAfterTheAcceptedOne) {
  const std::vector<RetryCase> cases = {
      {"abc\n4x\n\n42\n", 42, "Retry: Retry: Retry: ", ""},
      {"x\n5\n6\n", 5, "Retry: ", "6\n"},
      {"a\nb\n", 2147483647, "Retry: Retry: ", ""},
      {"a\nb", 2147483647, "Retry: Retry: ", ""},
  };
  for (const RetryCase &c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.input));
    feed_stdin(c.input);
    CapturedStdout out;
    AllocTracking tracking;
    EXPECT_EQ(GetInt(), c.value);
    EXPECT_EQ(tracking.live_blocks(), 0U);
    EXPECT_EQ(out.text(), c.prompts);
    EXPECT_EQ(rest_of_stdin(), c.rest);
  }
}

// A rejected line is released before its prompt is written: at the release
// nothing is waiting in the output buffer yet. While the next line is
// already held the prompt stays in the buffer, so with output to a file
// nothing is written by the reader itself; the byte-by-byte build cannot see
// what is held, and flushes before every line.
TEST(TypedReaders, ReleaseEachLineBeforeItsPromptAndFlushOnlyBeforeAWait) {
  if (!LINEINPUT_STREAM_PROBES)
    GTEST_SKIP() << "the C runtime does not tell what waits in an output buffer";
  feed_stdin("no\nstill no\n7\n");
  CapturedStdout out;
  AllocTracking tracking;
  EXPECT_EQ(GetInt(), 7);
  std::vector<std::size_t> pending_at_release;
  for (const AllocCall &c : tracking.calls())
    if (c.kind == AllocCall::Free)
      pending_at_release.push_back(c.pending_output);
  // Per line: its working buffer, inside GetString, then the line itself.
  const bool blind = LINEINPUT_TEST_BYTE_LOOP;
  EXPECT_EQ(pending_at_release, (std::vector<std::size_t>{0, 0, blind ? 0U : 7U, blind ? 0U : 7U,
                                                          blind ? 0U : 14U, blind ? 0U : 14U}));
  EXPECT_EQ(out.written(), blind ? "Retry: Retry: " : "");
  EXPECT_EQ(out.text(), "Retry: Retry: ");
}

} // namespace

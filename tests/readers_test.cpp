#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "alloc_tracker.h"
#include "input.h"
#include "test_support.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

template <typename T> struct LineCase {
  std::string line;
  std::optional<T> value; // none: the line is rejected
};

template <typename T> bool same_value(T a, T b) {
  if constexpr (std::is_floating_point_v<T>)
    return std::isnan(a) ? std::isnan(b) : a == b && std::signbit(a) == std::signbit(b);
  else
    return a == b;
}

// One line then end of input: an accepted line gives its value silently; a
// rejected one gives a prompt and then the sentinel. Either way the line is
// freed. End of input at once gives the sentinel without a prompt.
template <typename T>
void check_lines(T (*read)(), const std::vector<LineCase<T>> &cases) {
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
        << testing::PrintToString(got);
  }
  feed_stdin("");
  CapturedStdout out;
  EXPECT_TRUE(same_value(read(), sentinel));
  EXPECT_EQ(out.text(), "");
}

TEST(GetInt, AcceptsOneIntegerInAnyBaseAndClampsToItsRange) {
  check_lines<int>(GetInt, {
      {"42", 42}, {"-7", -7}, {"+7", 7}, {"0x1A", 26}, {"0X1a", 26},
      {"0xff", 255}, {"0XaB", 171}, {"0xA", 10},
      {"010", 8}, {"0", 0}, {"-0", 0}, {"  42  ", 42}, {"\v42\f", 42},
      {"42\r", 42}, {"\t-0x10\t", -16},
      {"2147483640", 2147483640}, {"-2147483640", -2147483640},
      {"0x7ffffff0", 0x7ffffff0},
      {"2147483647", 2147483647}, {"2147483648", 2147483647},
      {"4294967296", 2147483647}, {"99999999999999999999999", 2147483647},
      {"-2147483648", -2147483647 - 1}, {"-2147483649", -2147483647 - 1},
      {"-0x80000001", -2147483647 - 1},
      {"", {}}, {"   ", {}}, {"abc", {}}, {"42abc", {}}, {"4 2", {}},
      {"1.5", {}}, {"08", {}}, {"019", {}}, {"0b101", {}}, {"0B1", {}},
      {"-0b1", {}}, {"0x", {}}, {"0xg", {}}, {"-", {}}, {"+", {}},
      {"++1", {}}, {"1e3", {}},
  });
}

TEST(GetLongLong, AcceptsOneDecimalIntegerAndClampsToItsRange) {
  check_lines<long long>(GetLongLong, {
      {"010", 10}, {" -12 ", -12}, {"+5", 5},
      {"9223372036854775800", 9223372036854775800},
      {"-9223372036854775800", -9223372036854775800},
      {"9223372036854775807", 9223372036854775807},
      {"9223372036854775808", 9223372036854775807},
      {"-9223372036854775808", -9223372036854775807 - 1},
      {"-9223372036854775809", -9223372036854775807 - 1},
      {"0x10", {}}, {"1e3", {}}, {"0b1", {}}, {"", {}}, {"12a", {}},
      {"1 2", {}}, {"-", {}},
  });
}

TEST(GetChar, AcceptsOneByteThatIsNotWhiteSpace) {
  check_lines<char>(GetChar, {
      {"a", 'a'}, {"  a  ", 'a'}, {"a\r", 'a'}, {"\ta", 'a'}, {"7", '7'},
      {"\xe9", '\xe9'},
      {"ab", {}}, {"a b", {}}, {"\xc3\xa9", {}}, {"", {}}, {"   ", {}},
      {"\t\t", {}},
  });
}

TEST(GetFloat, AcceptsOneSinglePrecisionNumber) {
  check_lines<float>(GetFloat, {
      {"3.14", 3.14F}, {"1e3", 1000.0F}, {".5", 0.5F}, {"1.", 1.0F},
      {" 7 ", 7.0F}, {"-2.5e-1", -0.25F}, {"0x1p3", 8.0F}, {"1e39", inf},
      // Just above halfway between 1 and the next float: rounded from the
      // text it is the next float, through a double it would be 1.
      {"1.0000000596046447753906250000000001", 0x1.000002p+0F},
      {"-1e39", -inf}, {"1e-50", 0.0F}, {"-1e-50", -0.0F}, {"1e-40", 1e-40F},
      {"inf", inf}, {"-INF", -inf}, {"Infinity", inf}, {"nan", nan},
      {"NAN", nan}, {"3.14x", {}}, {"abc", {}}, {"1e", {}}, {"1e+", {}},
      {"0x1p", {}}, {"0x", {}}, {"3,5", {}}, {"nan(123)", {}}, {"nan()", {}},
      {"", {}}, {".", {}}, {"-", {}}, {"1.5.2", {}}, {"infinit", {}},
  });
}

TEST(GetDouble, AcceptsOneDoublePrecisionNumber) {
  check_lines<double>(GetDouble, {
      {"3.14", 3.14}, {"1e3", 1000.0}, {".5", 0.5}, {"1.", 1.0},
      {" 7 ", 7.0}, {"1e308", 1e308}, {"1e309", inf}, {"1e39", 1e39},
      {"0x1p-1074", 4.9406564584124654e-324}, {"-inf", -inf}, {"nan", nan},
      {"3.14x", {}}, {"abc", {}}, {"1e", {}}, {"1e-", {}}, {"0x1p", {}},
      {"3,5", {}}, {"nan(123)", {}}, {"nan()", {}}, {"", {}}, {" ", {}},
  });
}

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
// nothing is waiting in the output buffer yet. The prompt stays in the buffer
// until the program flushes it, so with output to a file nothing is written
// by the reader itself.
TEST(TypedReaders, ReleaseEachLineBeforeItsPromptAndNeverFlush) {
  feed_stdin("no\nstill no\n7\n");
  CapturedStdout out;
  AllocTracking tracking;
  EXPECT_EQ(GetInt(), 7);
  std::vector<std::size_t> pending_at_release;
  for (const AllocCall &c : tracking.calls())
    if (c.kind == AllocCall::Free)
      pending_at_release.push_back(c.pending_output);
  // Per line: its working buffer, inside GetString, then the line itself.
  EXPECT_EQ(pending_at_release, (std::vector<std::size_t>{0, 0, 7, 7, 14, 14}));
  EXPECT_EQ(out.written(), "");
  EXPECT_EQ(out.text(), "Retry: Retry: ");
}

} // namespace

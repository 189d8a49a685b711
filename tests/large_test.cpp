// Lines at the length limit and under an address-space limit. These need
// several GiB of memory and disk and tens of seconds.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>

#include <lineinput/input.h>
#include "test_support.h"

namespace {

// Characters in the longest line. A 32-bit C library refuses any block
// over 2147483647 bytes, so there the doubling to 2^31 bytes fails and the
// longest line is half as long.
constexpr long long longest = sizeof(void *) == 4 ? 1073741824LL : 2147483648LL;

// A line of n characters: a, then x's, then z; then the tail as it is.
std::string write_long_line(const char *name, long long n, const std::string &tail) {
  std::string path = temp_path(name);
  FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr)
    return "";
  static char block[1 << 16];
  std::memset(block, 'x', sizeof block);
  std::fputc('a', f);
  for (long long left = n - 2; left > 0;) {
    std::size_t k = left < static_cast<long long>(sizeof block) ? static_cast<std::size_t>(left) : sizeof block;
    std::fwrite(block, 1, k, f);
    left -= static_cast<long long>(k);
  }
  std::fputc('z', f);
  std::fputs(tail.c_str(), f);
  return std::fclose(f) == 0 ? path : "";
}

void feed_file(const std::string &path) {
  ASSERT_FALSE(path.empty());
  ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
  std::remove(path.c_str());
}

TEST(Large, TheLongestLineComesBackWhole) {
  feed_file(write_long_line("longest", longest, "\n"));
  string s = GetString();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(static_cast<long long>(std::strlen(s)), longest);
  EXPECT_EQ(s[0], 'a');
  EXPECT_EQ(s[longest - 1], 'z');
  std::free(s);
  EXPECT_EQ(GetString(), nullptr);
}

TEST(Large, ALongerLineFailsAfterOneCharacterMoreAndKeepsTheRest) {
  feed_file(write_long_line("too-long", longest + 2, "\n"));
  errno = 0;
  EXPECT_EQ(GetString(), nullptr);
  EXPECT_EQ(errno, ENOMEM);
  EXPECT_FALSE(std::feof(stdin) || std::ferror(stdin));
  EXPECT_EQ(std::ftell(stdin), longest + 1);
  string s = GetString();
  ASSERT_NE(s, nullptr);
  EXPECT_STREQ(s, "z");
  std::free(s);
  EXPECT_EQ(GetString(), nullptr);
}

TEST(Large, SpelloutSpellsTheLongestLine) {
  std::string path = write_long_line("spell", longest, "\n");
  ASSERT_FALSE(path.empty());
  // The outer group takes the captured streams as a whole, so that wc reads
  // the pipe; "spelled" is written only when spellout exits with status 0.
  ProcessResult r = run_process("{ { " + checked(SPELLOUT_PATH) + " <'" + path +
                                    "' && echo spelled >&2; } | wc -c; }",
                                "");
  std::remove(path.c_str());
  EXPECT_EQ(r.out, std::to_string(2 * longest) + "\n");
  EXPECT_EQ(r.err, "spelled\n");
}

constexpr long long exhausting_line = (256LL << 20) + 1 + (32LL << 20);

// Runs in a child process under an address-space limit: a doubling of the
// working buffer to 512 MiB fails there while 256 MiB and a copy of a
// smaller rest still fit. Returns 0, or the number of the check that failed.
int read_under_limit(const std::string &path) {
  constexpr long long consumed = (256LL << 20) + 1; // the buffer, then the byte that did not fit
  constexpr long long rest = exhausting_line - consumed;
  rlimit limit{480UL << 20, 480UL << 20};
  if (setrlimit(RLIMIT_AS, &limit) != 0 || std::freopen(path.c_str(), "rb", stdin) == nullptr)
    return 1;
  CapturedStdout out;
  if (GetString() != nullptr || std::ftell(stdin) != consumed)
    return 2;
  string s = GetString();
  if (s == nullptr || static_cast<long long>(std::strlen(s)) != rest)
    return 3;
  std::free(s);
  if (GetInt() != 7)
    return 4;
  // The same line for a typed reader: the failed line gives the sentinel,
  // and the next call rejects its rest with one prompt.
  if (GetInt() != 2147483647 || std::ftell(stdin) != exhausting_line + 3 + consumed)
    return 5;
  if (GetInt() != 9 || out.text() != "Retry: ")
    return 6;
  return GetString() == nullptr ? 0 : 7;
}

TEST(Large, ExhaustedMemoryGivesNullAndLeavesTheRestOfTheLine) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit an address-space limit";
#endif
  std::string path = temp_path("exhaust");
  {
    std::string first = write_long_line("exhaust-1", exhausting_line, "\n7\n");
    std::string second = write_long_line("exhaust-2", exhausting_line, "\n9\n");
    ASSERT_EQ(std::system(("cat '" + first + "' '" + second + "' >'" + path + "'").c_str()), 0);
    std::remove(first.c_str());
    std::remove(second.c_str());
  }
  EXPECT_EXIT(std::exit(read_under_limit(path)), testing::ExitedWithCode(0), "");
  // spellout has no line to spell then, and says why.
  ProcessResult r =
      run_process("{ ulimit -v 491520 && " + checked(SPELLOUT_PATH) + " <'" + path + "'; }", "");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "spellout: Cannot allocate memory\n");
  std::remove(path.c_str());
}

} // namespace

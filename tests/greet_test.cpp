#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

const std::string greet = checked(GREET_PATH);

struct GreetCase {
  std::string args; // shell words after the program name
  std::string redirect;
  int status;
  std::string out;
  std::string err;
};

TEST(Greet, GreetsTheFirstArgumentByteForByte) {
  const std::vector<GreetCase> cases = {
      {"world", "", 0, "hello, world\n", ""},
      {"a b", "", 0, "hello, a\n", ""},
      {"''", "", 0, "hello, \n", ""},
      {"'big  wide world'", "", 0, "hello, big  wide world\n", ""},
      {"'%s%n'", "", 0, "hello, %s%n\n", ""},
      {"", "", 2, "", "usage: greet NAME\n"},
      {"world", ">/dev/full", 1, "", "greet: No space left on device\n"},
      {"world", ">&-", 1, "", "greet: Bad file descriptor\n"},
      // A greeting of 4098 bytes: the write fails while the program runs
      // and leaves nothing for the final flush.
      {std::string(4090, 'n'), ">/dev/full", 1, "", "greet: No space left on device\n"},
  };
  for (const GreetCase &c : cases) {
    if (programs_on_windows() && !c.redirect.empty())
      continue; // Wine's wrapper, not the program, writes to the redirection
    SCOPED_TRACE(c.args + c.redirect);
    ProcessResult r = run_process(greet + " " + c.args, "", c.redirect);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(Greet, LinksNoCodeOfTheLibrary) {
  // Straight through popen: a checker put in front of the programs under
  // test has no business with nm.
  FILE *nm = popen(NM_PATH " " GREET_PATH, "r");
  ASSERT_NE(nm, nullptr);
  std::string symbols;
  for (int c = std::fgetc(nm); c != EOF; c = std::fgetc(nm))
    symbols.push_back(static_cast<char>(c));
  EXPECT_EQ(pclose(nm), 0);
  EXPECT_NE(symbols.find("main"), std::string::npos);
  EXPECT_EQ(symbols.find("Get"), std::string::npos);
}

} // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

const std::string greet = GREET_PATH;

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
      {"", "", 0, "", "usage: greet NAME\n"},
      {"world", ">/dev/full", 1, "", "greet: No space left on device\n"},
      {"world", ">&-", 1, "", "greet: Bad file descriptor\n"},
  };
  for (const GreetCase &c : cases) {
    SCOPED_TRACE(c.args + c.redirect);
    ProcessResult r = run_process(greet + " " + c.args, "", c.redirect);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(Greet, LinksNoCodeOfTheLibrary) {
  ProcessResult r = run_process("nm " + greet, "");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("main"), std::string::npos);
  EXPECT_EQ(r.out.find("Get"), std::string::npos);
}

} // namespace

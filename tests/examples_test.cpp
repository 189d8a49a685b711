// The example programs as a user runs them: fed a whole file, fed line by
// line as a person types (each line written on its own, later), and at end
// of input. The output is the prompts and the answers, byte for byte, and
// the exit status the same when the output cannot be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

struct ExampleCase {
  const char *program;
  std::vector<std::string> lines; // the input, one line each
  std::string out;
  int status;
  bool unwritable = false; // also run with output that cannot be written
};

// The lines written one by one into a pipe, a moment apart, so that the
// program has read and answered each before the next arrives.
std::string typed(const std::vector<std::string> &lines) {
  std::string writer = "{ :; ";
  for (const std::string &line : lines)
    writer += "printf '%s' '" + line + "'; sleep 0.05; ";
  return writer + "}";
}

std::string joined(const std::vector<std::string> &lines) {
  std::string all;
  for (const std::string &line : lines)
    all += line;
  return all;
}

const std::string pyramid3 = "  #\n ##\n###\n";

TEST(Examples, AnswerTypedAndPipedInputAndStopAtEndOfInput) {
  const std::vector<ExampleCase> cases = {
      {EXAMPLE_HELLO, {"Ann\n"}, "What is your name? hello, Ann\n", 0},
      {EXAMPLE_HELLO, {}, "What is your name? ", 1},
      {EXAMPLE_HEIGHT, {"abc\n", "0\n", "9\n", "3\n"},
       "Height (1 to 8): Retry: Height (1 to 8): Height (1 to 8): " + pyramid3, 0, true},
      {EXAMPLE_HEIGHT, {"3\r\n"}, "Height (1 to 8): " + pyramid3, 0},
      {EXAMPLE_HEIGHT, {}, "Height (1 to 8): \nNo height given.\n", 1},
      {EXAMPLE_HEIGHT, {"9\n", "x"}, "Height (1 to 8): Height (1 to 8): Retry: \nNo height given.\n", 1},
      {EXAMPLE_HEIGHT, {"99999999999\n", "2147483647\n", "1\n"},
       "Height (1 to 8): Height (1 to 8): Height (1 to 8): #\n", 0},
      {EXAMPLE_CHANGE, {"inf\n", "nan\n", "-1\n", "0.41\n"},
       "Change owed: Change owed: Change owed: Change owed: 41 cents\n", 0},
      {EXAMPLE_CHANGE, {}, "Change owed: \nNo amount given.\n", 1, true},
      {EXAMPLE_CHANGE, {"3.40282347e38\n", "1\n"}, "Change owed: Change owed: 100 cents\n", 0},
      {EXAMPLE_CHANGE, {"100000.01\n", "99999.99\n"}, "Change owed: Change owed: 9999999 cents\n", 0},
      {EXAMPLE_CHANGE, {"65536.02\n"}, "Change owed: 6553602 cents\n", 0},
      {EXAMPLE_NAMES, {"Ann\n", "Bob\n"}, "hello, Ann\nhello, Bob\n2 names\n", 0},
      {EXAMPLE_NAMES, {"Ann"}, "hello, Ann\n1 names\n", 0},
      {EXAMPLE_NAMES, {}, "0 names\n", 0},
      {EXAMPLE_GREETING, {"Ann\n", "forty\n", "41\n"},
       "Name: Age: Retry: Hello, Ann. Next year you will be 42.\n", 0, true},
      {EXAMPLE_GREETING, {}, "Name: ", 1},
      {EXAMPLE_GREETING, {"Ann\n", "2147483647\n", "30\n"},
       "Name: Age: Age: Hello, Ann. Next year you will be 31.\n", 0},
      {EXAMPLE_GREETING, {"Ann\n"}, "Name: Age: ", 1},
  };
  for (const ExampleCase &c : cases) {
    SCOPED_TRACE(testing::PrintToString(joined(c.lines)));
    SCOPED_TRACE(c.program);
    ProcessResult piped = run_process(checked(c.program), joined(c.lines));
    EXPECT_EQ(piped.out, c.out);
    EXPECT_EQ(piped.status, c.status);
    ProcessResult by_hand =
        run_process("{ " + typed(c.lines) + " | " + checked(c.program) + "; }", "");
    EXPECT_EQ(by_hand.out, c.out);
    EXPECT_EQ(by_hand.status, c.status);
    // The library's flush before a read from the pipe fails there; what
    // the program reads, and so how it ends, does not change (nor does it
    // loop).
    for (const char *unwritable : {">/dev/full", ">&-"}) {
      if (c.unwritable) {
        ProcessResult r = run_process("{ cat | timeout 10 " + checked(c.program) + "; }", joined(c.lines),
                                      unwritable);
        EXPECT_EQ(r.status, c.status) << unwritable;
      }
    }
  }
}

} // namespace

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace {

const std::string spellout = checked(SPELLOUT_PATH);

struct SpellCase {
  std::string input;
  std::string output;
};

TEST(Spellout, PrintsEachCharacterOfTheFirstLineOnALineOfItsOwn) {
  const bool text_mode = programs_on_windows();
  const std::vector<SpellCase> cases = {
      {"hi\n", "h\ni\n"},
      {"a b\n", "a\n \nb\n"},
      {"hi", "h\ni\n"},
      {"\n", ""},
      {"", ""},
      {"ab\r\n", text_mode ? "a\nb\n" : "a\nb\n\r\n"},
      {"ab\x1a" "cd\n", text_mode ? "a\nb\n" : "a\nb\n\x1a\nc\nd\n"},
      {std::string("ab\0cd\n", 6), "a\nb\n"},
      {"xy\nzw\n", "x\ny\n"},
  };
  for (const SpellCase &c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.input));
    ProcessResult r = run_process(spellout, c.input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.output);
    EXPECT_EQ(r.err, "");
  }
}

struct WriteErrorCase {
  std::string line;
  std::string redirect;
  std::string err;
};

// 2049 characters make 4098 bytes of output: the first 4096 fail while the
// program runs, and the buffer is empty again at the final flush.
TEST(Spellout, ReportsOutputThatCannotBeWritten) {
  const std::string long_line(2049, 'x');
  const std::vector<WriteErrorCase> cases = {
      {"hi", ">/dev/full", "spellout: No space left on device\n"},
      {"hi", ">&-", "spellout: Bad file descriptor\n"},
      {long_line, ">/dev/full", "spellout: No space left on device\n"},
  };
  for (const WriteErrorCase &c : cases) {
    SCOPED_TRACE(c.redirect + " after " + std::to_string(c.line.size()));
    ProcessResult r = run_process(spellout, c.line + "\n", c.redirect);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.err);
  }
}

// Nothing past the line feed is taken from the stream, and at exit the C
// library gives a regular file's unread part back to the next program. A
// pipe's bytes that the stream read ahead into its buffer are gone with
// the process: here the whole input arrives in one write, and one read
// takes it all.
TEST(Spellout, LeavesTheRestOfAFileButNotOfAPipeToTheNextCommand) {
  const std::vector<SpellCase> cases = {
      {"{ " + spellout + "; cat; }", "a\nb\ncd\n"},
      {"{ cat | { " + spellout + "; cat; }; }", "a\nb\n"},
  };
  for (const SpellCase &c : cases) {
    SCOPED_TRACE(c.input);
    ProcessResult r = run_process(c.input, "ab\ncd\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.output);
  }
}

} // namespace

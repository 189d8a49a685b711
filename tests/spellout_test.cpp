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
  const std::vector<SpellCase> cases = {
      {"hi\n", "h\ni\n"},
      {"a b\n", "a\n \nb\n"},
      {"hi", "h\ni\n"},
      {"\n", ""},
      {"", ""},
      {"ab\r\n", "a\nb\n\r\n"},
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

TEST(Spellout, ReportsOutputThatCannotBeWritten) {
  const std::vector<SpellCase> cases = {
      {">/dev/full", "spellout: No space left on device\n"},
      {">&-", "spellout: Bad file descriptor\n"},
  };
  for (const SpellCase &c : cases) {
    SCOPED_TRACE(c.input);
    ProcessResult r = run_process(spellout, "hi\n", c.input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, c.output);
  }
}

} // namespace

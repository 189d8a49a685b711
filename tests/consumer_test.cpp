#include <gtest/gtest.h>

#include "test_support.h"

namespace {

TEST(Consumers, CallEveryFunctionFromCAndCxx) {
  const std::string dir = CONSUMER_DATA_DIR;
  const std::string input = read_file(dir + "/consumer.in");
  const std::string expected = read_file(dir + "/consumer.expected");
  ASSERT_FALSE(expected.empty());
  for (const char *program : {C_CONSUMER_PATH, CPP_CONSUMER_PATH}) {
    SCOPED_TRACE(program);
    ProcessResult r = run_process(checked(program), input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, expected);
  }
}

} // namespace

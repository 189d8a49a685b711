#include <gtest/gtest.h>

#include <string>

#include "test_support.h"

namespace {

TEST(Consumers, CallEveryFunctionFromCAndCxx) {
  const std::string input =
      "a line\n\nxy\nz\nabc\n-0x10\n1e3\n-9000000000\n 2.5 \n1e\n-1e400\n";
  const std::string expected = "[a line] z -16 -9000000000 2.5 -inf\n";
  for (const char *program : {C_CONSUMER_PATH, CPP_CONSUMER_PATH}) {
    SCOPED_TRACE(program);
    ProcessResult r = run_process(program, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Retry: Retry: Retry: Retry: Retry: " + expected);
  }
}

} // namespace

// Programs started as processes, through the shell; for the tests of the
// programs, which run on the build machine.
#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <sys/wait.h>

std::string checked(const char *program) {
  const char *wrapper = std::getenv("TEST_PROGRAM_WRAPPER");
  return wrapper != nullptr ? std::string(wrapper) + " " + program : program;
}

bool programs_on_windows() { return std::getenv("TEST_PROGRAMS_ON_WINDOWS") != nullptr; }

ProcessResult run_process(const std::string &command, std::string_view input,
                          const std::string &redirect) {
  std::string in = temp_path("in"), out = temp_path("out"),
              err = temp_path("err");
  write_file(in, input);
  std::string line = command + " <'" + in + "' >'" + out + "' 2>'" + err +
                     "' " + redirect;
  int raw = std::system(line.c_str());
  ProcessResult r{0, read_file(out), read_file(err)};
  // The shell reports a child killed by a signal as 128 + its number.
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  for (const std::string &p : {in, out, err})
    std::remove(p.c_str());
  return r;
}

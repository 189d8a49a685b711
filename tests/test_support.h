#ifndef LINEINPUT_TEST_SUPPORT_H
#define LINEINPUT_TEST_SUPPORT_H

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// The POSIX calls the tests make, from the Windows C runtime.
#if defined(_WIN32)
inline void flockfile(FILE *f) { _lock_file(f); }
inline void funlockfile(FILE *f) { _unlock_file(f); }
inline int unsetenv(const char *name) { return _putenv_s(name, ""); }
#endif

// Makes the bytes the whole of standard input; reopening also clears the
// stream's sticky end-of-file from the previous case.
void feed_stdin(std::string_view bytes);

// What is left of standard input, to see where a call stopped reading.
std::string rest_of_stdin();

// Redirects file descriptor 1 for the lifetime of the object.
class CapturedStdout {
public:
  CapturedStdout();
  ~CapturedStdout();
  CapturedStdout(const CapturedStdout &) = delete;
  CapturedStdout &operator=(const CapturedStdout &) = delete;
  // Everything printed so far, flushed first.
  std::string text();
  // What has reached the file, without flushing.
  std::string written() const;

private:
  int saved_;
  std::string path_;
};

// The program's path, behind the checker named by TEST_PROGRAM_WRAPPER
// (such as valgrind) when that is set.
std::string checked(const char *program);

// Whether the programs under test are Windows programs started through
// Wine (TEST_PROGRAMS_ON_WINDOWS): their standard input is in text mode,
// where a CR LF line end arrives as LF and a 0x1A byte ends the input, and
// what they write reaches a redirection through Wine's wrapper.
bool programs_on_windows();

struct ProcessResult {
  int status; // exit status, or 128 + signal number
  std::string out;
  std::string err;
};

// Runs a shell command with the bytes on its standard input. redirect is
// appended to the command and may replace the captured standard output.
ProcessResult run_process(const std::string &command, std::string_view input,
                          const std::string &redirect = "");

std::string temp_path(const char *name);
void write_file(const std::string &path, std::string_view bytes);
std::string read_file(const std::string &path);

#endif

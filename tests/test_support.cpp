#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

std::string temp_path(const char *name) {
  const char *dir = std::getenv("TMPDIR");
  std::string base = dir != nullptr && *dir != '\0' ? dir : "/tmp";
  return base + "/lineinput-test-" + std::to_string(getpid()) + "-" + name;
}

void write_file(const std::string &path, std::string_view bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!f)
    throw std::runtime_error("cannot write " + path);
}

std::string read_file(const std::string &path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream text;
  text << f.rdbuf();
  return text.str();
}

// Windows removes no file that is open, so there the C runtime removes it
// when the stream is closed ("D"): at the next reopening, or at exit. Each
// file has a name of its own, as the last one may not be gone yet.
#if defined(_WIN32)
constexpr const char *read_then_remove = "rbD";
#else
constexpr const char *read_then_remove = "rb";
#endif

void feed_stdin(std::string_view bytes) {
  static unsigned feeds = 0;
  std::string path = temp_path(("stdin-" + std::to_string(feeds++)).c_str());
  write_file(path, bytes);
  if (std::freopen(path.c_str(), read_then_remove, stdin) == nullptr)
    throw std::runtime_error("cannot reopen standard input");
  std::remove(path.c_str());
}

std::string rest_of_stdin() {
  std::string rest;
  for (int c = std::fgetc(stdin); c != EOF; c = std::fgetc(stdin))
    rest.push_back(static_cast<char>(c));
  return rest;
}

namespace {

// The test's own standard output while a CapturedStdout holds descriptor 1.
int uncaptured = -1;

// A failure is reported on standard output, so one reported while it is
// captured would be lost in the capture: it goes to the test's own output
// too, with the trace that names the case. Nothing is allocated, as the
// allocator may be failing on purpose then.
class FailuresPastTheCapture : public testing::EmptyTestEventListener {
  void OnTestPartResult(const testing::TestPartResult &r) override {
    if (uncaptured < 0 || !r.failed())
      return;
    char where[32];
    std::snprintf(where, sizeof where, ":%d: Failure\n", r.line_number());
    const char *file = r.file_name() != nullptr ? r.file_name() : "?";
    for (const char *text : {file, static_cast<const char *>(where), r.message(), "\n"})
      if (write(uncaptured, text, static_cast<unsigned>(std::strlen(text))) < 0)
        break;
  }
};

[[maybe_unused]] const bool listening = [] {
  testing::UnitTest::GetInstance()->listeners().Append(new FailuresPastTheCapture);
  return true;
}();

} // namespace

CapturedStdout::CapturedStdout() : path_(temp_path("stdout")) {
  std::fflush(stdout);
  saved_ = dup(STDOUT_FILENO);
  uncaptured = saved_;
  int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  dup2(fd, STDOUT_FILENO);
  close(fd);
}

CapturedStdout::~CapturedStdout() {
  std::fflush(stdout);
  uncaptured = -1;
  dup2(saved_, STDOUT_FILENO);
  close(saved_);
  std::remove(path_.c_str());
}

std::string CapturedStdout::text() {
  std::fflush(stdout);
  return written();
}

std::string CapturedStdout::written() const { return read_file(path_); }

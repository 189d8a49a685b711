// GetString against a reader that takes one fgetc per byte, on standard
// input in every state a program can leave it in, interleaved with the
// caller's own reads. Both must consume the same bytes and return the same
// lines, whatever the stream's buffering.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <lineinput/input.h>
#include "lines.h"
#include "stream_cases.h"
#include "test_support.h"

namespace {

// The line reader's definition, one locked fgetc per byte.
Line reference_line() {
  std::string line;
  int c = 0;
  while ((c = std::fgetc(stdin)) != '\n' && c != EOF)
    line.push_back(static_cast<char>(c));
  if (line.empty() && c == EOF)
    return std::nullopt;
  return line;
}

std::string show(const Line &line) { return line ? "[" + *line + "]" : "null"; }

// One step of a script, by letter (stream_cases.h).
std::string step(char op, Line (*read_line)(), int &last) {
  switch (op) {
  case 'L': return show(read_line());
  case 'c': last = std::fgetc(stdin); return std::to_string(last);
  case 'u': return std::to_string(std::ungetc('#', stdin));
  case 'U': return std::to_string(std::ungetc(last, stdin));
  case 'r': {
    char b[3];
    return std::string(b, std::fread(b, 1, sizeof b, stdin));
  }
  case 's': {
    int v = 0;
    int k = std::fscanf(stdin, "%d", &v);
    return std::to_string(k) + ":" + std::to_string(v);
  }
  default: {
    char *text = nullptr;
    std::size_t cap = 0;
    ssize_t k = getline(&text, &cap, stdin);
    std::string got = k < 0 ? "-" : std::string(text, static_cast<std::size_t>(k));
    std::free(text);
    return got;
  }
  }
}

std::string run_script(const std::string &script, Line (*read_line)()) {
  std::string transcript;
  int last = EOF;
  for (char op : script) {
    transcript += op;
    transcript += step(op, read_line, last);
    transcript += ' ';
  }
  return transcript + "rest:" + rest_of_stdin();
}

// Swaps a stream of the test's own in for standard input.
class ReplacedStdin {
public:
  explicit ReplacedStdin(FILE *f) : saved_(stdin) { stdin = f; }
  ~ReplacedStdin() {
    std::fclose(stdin);
    stdin = saved_;
  }
  ReplacedStdin(const ReplacedStdin &) = delete;
  ReplacedStdin &operator=(const ReplacedStdin &) = delete;

private:
  FILE *saved_;
};

// The bytes in memory, as a stream of fmemopen.
class MemoryStdin {
public:
  explicit MemoryStdin(std::string bytes) : bytes_(std::move(bytes)) {
    replaced_.emplace(fmemopen(bytes_.data(), bytes_.size(), "r"));
  }

private:
  std::string bytes_;
  std::optional<ReplacedStdin> replaced_;
};

// A pipe whose writer sends the bytes one or two at a time, each its own
// write, so that every read of the stream ends early.
class TricklingPipe {
public:
  explicit TricklingPipe(const std::string &bytes) {
    int fds[2];
    if (pipe(fds) != 0)
      throw std::runtime_error("pipe");
    replaced_.emplace(fdopen(fds[0], "r"));
    writer_ = std::thread([bytes, fd = fds[1]] {
      for (std::size_t i = 0; i < bytes.size(); i += 2)
        (void)!write(fd, bytes.data() + i, std::min<std::size_t>(2, bytes.size() - i));
      close(fd);
    });
  }
  ~TricklingPipe() {
    replaced_.reset();
    writer_.join();
  }
  TricklingPipe(const TricklingPipe &) = delete;
  TricklingPipe &operator=(const TricklingPipe &) = delete;

private:
  std::optional<ReplacedStdin> replaced_;
  std::thread writer_;
};

// Delivers the bytes two at a time through a custom stream, then fails
// every read after them.
class FailingSource {
public:
  explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {
    cookie_io_functions_t io{};
    io.read = [](void *cookie, char *buf, std::size_t size) -> ssize_t {
      auto *self = static_cast<FailingSource *>(cookie);
      if (self->at_ == self->bytes_.size())
        return -1;
      std::size_t k = std::min<std::size_t>({size, 2, self->bytes_.size() - self->at_});
      self->bytes_.copy(buf, k, self->at_);
      self->at_ += k;
      return static_cast<ssize_t>(k);
    };
    replaced_.emplace(fopencookie(this, "r", io));
  }

private:
  std::string bytes_;
  std::size_t at_ = 0;
  std::optional<ReplacedStdin> replaced_;
};

char small_buffer[5];

struct State {
  const char *name;
  std::function<std::shared_ptr<void>(const std::string &)> open;
};

const std::vector<State> states = {
    {"freopen, fully buffered", [](const std::string &in) { feed_stdin(in); return nullptr; }},
    {"unbuffered",
     [](const std::string &in) {
       feed_stdin(in);
       std::setvbuf(stdin, nullptr, _IONBF, 0);
       return nullptr;
     }},
    {"line buffered",
     [](const std::string &in) {
       feed_stdin(in);
       std::setvbuf(stdin, nullptr, _IOLBF, BUFSIZ);
       return nullptr;
     }},
    {"a five-byte buffer",
     [](const std::string &in) {
       feed_stdin(in);
       std::setvbuf(stdin, small_buffer, _IOFBF, sizeof small_buffer);
       return nullptr;
     }},
    {"fmemopen", [](const std::string &in) { return std::make_shared<MemoryStdin>(in); }},
    {"a pipe written two bytes at a time",
     [](const std::string &in) { return std::make_shared<TricklingPipe>(in); }},
    {"a read error after the input",
     [](const std::string &in) { return std::make_shared<FailingSource>(in); }},
};

struct ScriptCase {
  std::string input;
  std::string script;
};

std::string expand_long_lines(const std::string &input) {
  std::string bytes;
  for (char c : input)
    bytes += c == '@' ? std::string(LONG_LINE_LENGTH, 'x') : std::string(1, c);
  return bytes;
}

TEST(StreamStates, GetStringConsumesWhatAByteLoopConsumes) {
#define SCRIPT(input, script) {input, script},
  const std::vector<ScriptCase> cases = {STREAM_CASES(SCRIPT)};
#undef SCRIPT
  for (const State &state : states) {
    for (const ScriptCase &c : cases) {
      SCOPED_TRACE(std::string(state.name) + ": " + c.script + " on " +
                   testing::PrintToString(c.input));
      const std::string input = expand_long_lines(c.input);
      std::string expected, got;
      {
        auto open = state.open(input);
        expected = run_script(c.script, reference_line);
      }
      {
        auto open = state.open(input);
        got = run_script(c.script, get_line);
      }
      EXPECT_EQ(got, expected);
    }
  }
}

// End of file stays seen until cleared: bytes that arrive after it are not
// read, by the library as by fgetc, until the caller clears the stream.
TEST(StreamStates, EndOfFileIsStickyUntilCleared) {
  for (Line (*read_line)() : {reference_line, get_line}) {
    const std::string path = temp_path("sticky");
    write_file(path, "a");
    ASSERT_NE(std::freopen(path.c_str(), "rb", stdin), nullptr);
    EXPECT_EQ(read_line(), Line{"a"});
    FILE *appender = std::fopen(path.c_str(), "ab");
    ASSERT_NE(appender, nullptr);
    std::fputs("late\n", appender);
    std::fclose(appender);
    EXPECT_EQ(read_line(), std::nullopt);
    std::clearerr(stdin);
    EXPECT_EQ(read_line(), Line{"late"});
    EXPECT_EQ(read_line(), std::nullopt);
    std::remove(path.c_str());
  }
}

// Beside another thread, what stdin holds decides the flush: with a line
// already read and a piece of the next ("x\nab") in the buffer, a prompt
// written then must be out before the wait for the rest ("c\n").
TEST(StreamStates, APromptShowsWhileAPieceOfTheNextLineIsHeld) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "x\nab", 4), 4);
  ReplacedStdin in(fdopen(fds[0], "r"));
  CapturedStdout out;
  EXPECT_EQ(get_line(), Line{"x"});
  std::printf("Retry: ");
  Line next;
  std::thread reader([&] { next = get_line(); });
  for (int i = 0; i < 1000 && out.written().empty(); i++)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(out.written(), "Retry: ");
  (void)!write(fds[1], "c\n", 2);
  close(fds[1]);
  reader.join();
  EXPECT_EQ(next, Line{"abc"});
}

} // namespace

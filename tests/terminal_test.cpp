// What a terminal does to a program's input, as the documentation tells
// users: the line editing of the terminal stands between the keys and the
// library. The programs run on a pseudo-terminal, keys are written to it
// and the screen is read back.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <utility>
#include <vector>
#include <poll.h>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

namespace {

using namespace std::chrono_literals;

class Terminal {
public:
  explicit Terminal(const std::string &command) {
    pid_ = forkpty(&fd_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char *>(nullptr));
      _exit(127);
    }
  }
  ~Terminal() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0)
      close(fd_);
  }
  Terminal(const Terminal &) = delete;
  Terminal &operator=(const Terminal &) = delete;

  // forkpty fails where no pseudo-terminal can be had, as in a build root
  // without /dev/pts.
  bool unavailable() const { return pid_ < 0; }

  void type(const std::string &keys) {
    for (std::size_t i = 0; i < keys.size();) {
      ssize_t k = write(fd_, keys.data() + i, keys.size() - i);
      if (k <= 0)
        return;
      i += static_cast<std::size_t>(k);
    }
  }

  // Reads the screen until it shows text after position from, or for the
  // whole wait when text is empty or never shows; returns everything shown
  // so far.
  std::string screen_after(std::chrono::milliseconds wait, const std::string &text = "",
                           std::size_t from = 0) {
    auto end = std::chrono::steady_clock::now() + wait;
    while (text.empty() || screen_.find(text, from) == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0)
        break;
      char b[4096];
      ssize_t k = read(fd_, b, sizeof b);
      if (k <= 0)
        break;
      screen_.append(b, static_cast<std::size_t>(k));
    }
    return screen_;
  }

  // Whether text shows, within the wait, after what the last call found.
  bool shows_next(const std::string &text, std::chrono::milliseconds wait) {
    std::size_t at = screen_after(wait, text, seen_).find(text, seen_);
    if (at == std::string::npos)
      return false;
    seen_ = at + text.size();
    return true;
  }

private:
  int fd_ = -1;
  pid_t pid_ = -1;
  std::string screen_;
  std::size_t seen_ = 0;
};

const std::string spellout = checked(SPELLOUT_PATH);

// The terminal hands over typed characters at Ctrl-D without a line feed;
// the line is not over, so the library reads on, and only a second Ctrl-D
// with nothing typed before it is the end of input.
TEST(Terminal, CtrlDInsideALineEndsTheInputOnlyTheSecondTime) {
  Terminal t(spellout);
  if (t.unavailable())
    GTEST_SKIP() << "no pseudo-terminal";
  t.type("ab\x04");
  EXPECT_EQ(t.screen_after(300ms).find("a\r\nb\r\n"), std::string::npos);
  t.type("\x04");
  EXPECT_NE(t.screen_after(10s, "a\r\nb\r\n").find("a\r\nb\r\n"), std::string::npos);
}

// Line editing keeps at most 4095 characters of a typed line.
TEST(Terminal, ATypedLineHoldsAtMost4095Characters) {
  Terminal t(spellout + " | wc -l");
  if (t.unavailable())
    GTEST_SKIP() << "no pseudo-terminal";
  t.type(std::string(5000, 'x') + "\n");
  EXPECT_NE(t.screen_after(10s, "4095\r\n").find("\r\n4095\r\n"), std::string::npos);
}

// An arrow key sends an escape sequence, which becomes part of the line;
// the prompt shows before the next line is read, with no flush by the
// program.
TEST(Terminal, ArrowKeysGoIntoTheLineAndThePromptShowsAtOnce) {
  Terminal t(checked(EXAMPLE_HEIGHT));
  if (t.unavailable())
    GTEST_SKIP() << "no pseudo-terminal";
  t.screen_after(10s, "Height (1 to 8): ");
  t.type("4\x1b[D2\n");
  std::string screen = t.screen_after(10s, "Retry: ");
  EXPECT_NE(screen.find("4^[[D2"), std::string::npos) << screen;
  EXPECT_NE(screen.find("Retry: "), std::string::npos) << screen;
  t.type("2\n");
  EXPECT_NE(t.screen_after(10s, " #\r\n##\r\n").find(" #\r\n##\r\n"), std::string::npos);
}

// std::cout without synchronisation keeps the prompt in its own buffer,
// which the library's flush of stdout does not reach: the prompt shows
// only after the answer, while the library's own prompt shows at once.
TEST(Terminal, UnsynchronisedCoutPromptsComeAfterTheReads) {
  Terminal t(checked(UNSYNCED_COUT));
  if (t.unavailable())
    GTEST_SKIP() << "no pseudo-terminal";
  t.type("x\n");
  std::string screen = t.screen_after(10s, "Retry: ");
  EXPECT_NE(screen.find("Retry: "), std::string::npos) << screen;
  EXPECT_EQ(screen.find("Age: "), std::string::npos) << screen;
  t.type("41\n");
  EXPECT_NE(t.screen_after(10s, "Age: 42").find("Age: 42"), std::string::npos);
}

struct Exchange {
  std::string shown; // what the program shows before it waits
  std::string typed; // the answer then
};

// Each answer is typed only once the program has shown its prompt, as a
// person, or a grader that waits for the prompt, would. Standard output is
// a pipe, which the C library buffers in full; standard input a pipe that
// cat fills with the keys as they come, or the terminal (not under Wine),
// which hands them over without waiting for a line end. A piece of the
// next line typed with an answer ("abc\n9") is then held by the C library
// when the prompt is written, as from a slow pipe or a paste cut in two.
TEST(Prompts, ShowBeforeTheProgramWaitsForTheAnswer) {
  const std::vector<std::pair<const char *, std::vector<Exchange>>> cases = {
      {EXAMPLE_HEIGHT, {{"Height (1 to 8): ", "abc\n9"}, {"Retry: ", "\n"},
                        {"Height (1 to 8): ", "2\n"}, {" #", ""}}},
      {EXAMPLE_GREETING, {{"Name: ", "Ann\nfor"}, {"Age: ", "ty\n"}, {"Retry: ", "41\n"},
                          {"Hello, Ann. Next year you will be 42.", ""}}},
  };
  for (const auto &[program, exchanges] : cases) {
    for (const char *input : {"cat | ", ""}) {
      if (*input == '\0' && programs_on_windows())
        continue;
      SCOPED_TRACE(std::string(input) + program + " | cat");
      Terminal t("stty -icanon min 1 time 0; " + (input + checked(program)) + " | cat");
      if (t.unavailable())
        GTEST_SKIP() << "no pseudo-terminal";
      for (const Exchange &e : exchanges) {
        if (!t.shows_next(e.shown, 10s)) {
          ADD_FAILURE() << "waits without showing " << testing::PrintToString(e.shown)
                        << "; shown: " << testing::PrintToString(t.screen_after(0ms));
          break;
        }
        t.type(e.typed);
      }
    }
  }
}

} // namespace

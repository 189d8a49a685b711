#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "test_support.h"

namespace {

const std::string spellout = checked(SPELLOUT_PATH);
const std::string consumer = checked(C_CONSUMER_PATH);
// What the consumer prints after its line when every typed reader meets end
// of input.
const std::string sentinels =
    " 127 2147483647 9223372036854775807 3.40282e+38 1.79769e+308 127\n";

struct StreamCase {
  std::string command;
  std::string input;
  std::string redirect;
  std::string out;
  int status;
  std::string err;
};

// The readers end cleanly on input that cannot be read; spellout, which
// has nothing to spell then, says why.
TEST(Streams, ClosedUnreadableAndOddInputEndsCleanly) {
  const std::string nuls(1 << 20, '\0');
  const std::vector<StreamCase> cases = {
      {spellout, "", "<&-", "", 1, "spellout: Bad file descriptor\n"},
      {spellout, "", "</", "", 1, "spellout: Is a directory\n"},
      {consumer, "", "<&-", "[(null)]" + sentinels, 0, ""},
      {consumer, "", "</", "[(null)]" + sentinels, 0, ""},
      {"{ printf ab | " + spellout + "; }", "", "", "a\nb\n", 0, ""},
      {spellout, nuls + "\n", "", "", 0, ""},
      {consumer, nuls, "", "[]" + sentinels, 0, ""},
      {spellout, "\xff\xfe\xc3\n", "", "\xff\n\xfe\n\xc3\n", 0, ""},
  };
  for (const StreamCase &c : cases) {
    SCOPED_TRACE(c.command + " " + c.redirect);
    ProcessResult r = run_process(c.command, c.input, c.redirect);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool plain_allocator = false; // its quarantine keeps freed lines
#else
constexpr bool plain_allocator = true;
#endif

// Memory is measured only without a checker in front of the program, whose
// own memory would be measured instead.
const bool measured = plain_allocator && consumer == C_CONSUMER_PATH;

long peak_kib_after_bad_lines(int lines) {
  std::string input = "xx\n";
  for (int i = 0; i < lines; i++)
    input += "xx\n";
  std::string rss = temp_path("rss");
  ProcessResult r = run_process("/usr/bin/time -f %M -o '" + rss + "' " + consumer, input);
  std::string prompts;
  for (int i = 0; i < lines; i++)
    prompts += "Retry: ";
  EXPECT_EQ(r.out, prompts + "[xx]" + sentinels);
  long kib = std::stol(read_file(rss));
  std::remove(rss.c_str());
  return kib;
}

TEST(Streams, AMillionBadLinesGiveAMillionPromptsInConstantMemory) {
  long few = peak_kib_after_bad_lines(10);
  long many = peak_kib_after_bad_lines(1000000);
  if (measured) {
    EXPECT_LT(many - few, 1024) << few << " KiB, then " << many << " KiB";
  }
}

// The program writes into a pipe whose reader is gone, with SIGPIPE at its
// default whatever this process does with it. The shell starts it behind
// the checker, if any.
int status_into_closed_pipe(const std::string &program, const char *arg) {
  std::string input = temp_path("pipe-in");
  write_file(input, std::string(1 << 16, 'x') + "\n");
  int fds[2];
  if (pipe(fds) != 0)
    return -1;
  close(fds[0]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t pipe_signal;
  sigemptyset(&pipe_signal);
  sigaddset(&pipe_signal, SIGPIPE);
  posix_spawnattr_setsigdefault(&attr, &pipe_signal);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  std::string command = "exec " + checked(program.c_str()) + " " + arg;
  std::vector<char *> argv = {const_cast<char *>("sh"), const_cast<char *>("-c"),
                              const_cast<char *>(command.c_str()), nullptr};
  pid_t pid = -1;
  int spawned = posix_spawn(&pid, "/bin/sh", &actions, &attr, argv.data(), environ);
  close(fds[1]);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  int status = -1;
  if (spawned == 0)
    waitpid(pid, &status, 0);
  std::remove(input.c_str());
  return status;
}

TEST(Streams, ABrokenPipeEndsTheProgramsByTheSignal) {
  for (const char *program : {SPELLOUT_PATH, GREET_PATH}) {
    SCOPED_TRACE(program);
    int status = status_into_closed_pipe(program, "world");
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
  }
}

} // namespace

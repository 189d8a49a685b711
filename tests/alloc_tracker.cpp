#include "alloc_tracker.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <semaphore.h>
#include <set>
#include <stdexcept>
#include <thread>
#if LINEINPUT_STREAM_PROBES
#include <stdio_ext.h>
#endif

extern "C" void *__real_malloc(std::size_t size);
extern "C" void *__real_realloc(void *p, std::size_t size);
extern "C" void __real_free(void *p);

namespace {

#if LINEINPUT_STREAM_PROBES
bool stdin_locked_elsewhere() {
  if (ftrylockfile(stdin) != 0)
    return true;
  funlockfile(stdin);
  return false;
}
std::size_t pending_output() { return __fpending(stdout); }
#else
bool stdin_locked_elsewhere() { return false; }
std::size_t pending_output() { return 0; }
#endif

// A fixed log: recording must not allocate from inside the allocator.
struct Log {
  bool on = false;
  long fail_at = -1;
  long attempts = 0;
  std::size_t count = 0;
  std::array<AllocCall, 4096> calls{};
};
Log log_;

// Asks a second thread whether it can take stdin's lock: the lock is
// recursive, so the thread that holds it would always succeed itself.
// Semaphores, because the question is asked from inside the allocator.
class LockProbe {
public:
  LockProbe() : thread_([this] { answer(); }) {}
  ~LockProbe() {
    stop_ = true;
    sem_post(&ask_);
    thread_.join();
  }
  LockProbe(const LockProbe &) = delete;
  LockProbe &operator=(const LockProbe &) = delete;
  bool locked_elsewhere() {
    sem_post(&ask_);
    sem_wait(&told_);
    return locked_;
  }

private:
  void answer() {
    for (;;) {
      sem_wait(&ask_);
      if (stop_)
        return;
      locked_ = stdin_locked_elsewhere();
      sem_post(&told_);
    }
  }
  struct Semaphore {
    sem_t s;
    Semaphore() { sem_init(&s, 0, 0); }
    ~Semaphore() { sem_destroy(&s); }
    sem_t *operator&() { return &s; }
  };
  Semaphore ask_, told_;
  bool stop_ = false, locked_ = false;
  std::thread thread_;
};
std::optional<LockProbe> probe_;

// A failed call sets ENOMEM, as the C library's does.
bool should_fail() {
  if (!log_.on || log_.attempts++ != log_.fail_at)
    return false;
  errno = ENOMEM;
  return true;
}

void record(AllocCall call) {
  if (!log_.on || log_.count == log_.calls.size())
    return;
  call.pending_output = pending_output();
  call.stdin_locked = probe_ && probe_->locked_elsewhere();
  log_.calls[log_.count++] = call;
}

} // namespace

extern "C" void *__wrap_malloc(std::size_t size) {
  void *p = should_fail() ? nullptr : __real_malloc(size);
  record({AllocCall::Malloc, size, nullptr, p});
  return p;
}

extern "C" void *__wrap_realloc(void *old, std::size_t size) {
  void *p = should_fail() ? nullptr : __real_realloc(old, size);
  record({AllocCall::Realloc, size, old, p});
  return p;
}

extern "C" void __wrap_free(void *p) {
  record({AllocCall::Free, 0, p, nullptr});
  __real_free(p);
}

AllocTracking::AllocTracking(long fail_at, bool probe_stdin_lock) {
  if (probe_stdin_lock)
    probe_.emplace();
  log_ = Log{};
  log_.fail_at = fail_at;
  log_.on = true;
}

AllocTracking::~AllocTracking() {
  log_.on = false;
  probe_.reset();
}

std::vector<AllocCall> AllocTracking::calls() const {
  if (log_.count == log_.calls.size())
    throw std::length_error("allocation log full");
  return {log_.calls.begin(), log_.calls.begin() + log_.count};
}

std::size_t AllocTracking::live_blocks() const {
  std::set<void *> live;
  for (const AllocCall &c : calls()) {
    if (c.kind == AllocCall::Free ||
        (c.kind == AllocCall::Realloc && c.result != nullptr))
      live.erase(c.old);
    if (c.result != nullptr)
      live.insert(c.result);
  }
  return live.size();
}

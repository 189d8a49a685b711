#include "alloc_tracker.h"

#include <array>
#include <cstdio>
#include <set>
#include <stdexcept>
#include <stdio_ext.h>

extern "C" void *__real_malloc(std::size_t size);
extern "C" void *__real_realloc(void *p, std::size_t size);
extern "C" void __real_free(void *p);

namespace {

// A fixed log: recording must not allocate from inside the allocator.
struct Log {
  bool on = false;
  long fail_at = -1;
  long attempts = 0;
  std::size_t count = 0;
  std::array<AllocCall, 4096> calls{};
};
Log log_;

bool should_fail() { return log_.on && log_.attempts++ == log_.fail_at; }

void record(AllocCall call) {
  if (!log_.on || log_.count == log_.calls.size())
    return;
  call.pending_output = __fpending(stdout);
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

AllocTracking::AllocTracking(long fail_at) {
  log_ = Log{};
  log_.fail_at = fail_at;
  log_.on = true;
}

AllocTracking::~AllocTracking() { log_.on = false; }

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

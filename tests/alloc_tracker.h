#ifndef LINEINPUT_ALLOC_TRACKER_H
#define LINEINPUT_ALLOC_TRACKER_H

#include <cstddef>
#include <vector>

// What the C library shows of the standard streams: whether another thread
// holds stdin's lock, and what waits in stdout's buffer. The Windows C
// runtime shows neither, and the tests that need them are skipped there.
#if defined(_WIN32)
#define LINEINPUT_STREAM_PROBES 0
#else
#define LINEINPUT_STREAM_PROBES 1
#endif

// The test binary is linked with --wrap=malloc,realloc,free, so every call
// the library makes passes through here while tracking is on.
struct AllocCall {
  enum Kind { Malloc, Realloc, Free } kind;
  std::size_t size; // bytes asked for; 0 for free
  void *old;        // block handed to realloc or free
  void *result;     // block returned; null when the call failed
  std::size_t pending_output = 0; // bytes waiting in stdout's buffer then
  bool stdin_locked = false;      // another thread could not lock stdin then
};

class AllocTracking {
public:
  // fail_at: index among the malloc and realloc calls of the one to fail;
  // negative for none. probe_stdin_lock: at every call, a thread of the
  // tracker's own tries to lock stdin, and the call records whether it
  // could not; the calls inside GetString fall between two bytes of a line.
  explicit AllocTracking(long fail_at = -1, bool probe_stdin_lock = false);
  ~AllocTracking();
  AllocTracking(const AllocTracking &) = delete;
  AllocTracking &operator=(const AllocTracking &) = delete;

  std::vector<AllocCall> calls() const;
  // Blocks obtained while tracking and not yet freed.
  std::size_t live_blocks() const;
};

#endif

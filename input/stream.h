#ifndef LINEINPUT_STREAM_H
#define LINEINPUT_STREAM_H

// The one place that knows how the C library buffers a stream. Everything
// else reads through read_byte and take_run, which consume exactly the bytes
// that the same number of getc_unlocked calls would.

#include <cstdint>
#include <cstdio>
#include <cstring>
#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#endif
#if defined(LINEINPUT_HAVE_FREADPTR)
#include <stdio_ext.h>
#endif
#if defined(__GLIBC__) && !defined(__UCLIBC__) && !defined(LINEINPUT_BYTE_LOOP)
#include <sys/stat.h>
#endif

// uClibc-ng defines __GLIBC__ for compatibility, but its FILE has no
// _IO_read_ptr.
#if defined(__GLIBC__) && !defined(__UCLIBC__) && !defined(LINEINPUT_BYTE_LOOP)
#define LINEINPUT_BULK_READS 1
#else
#define LINEINPUT_BULK_READS 0
#endif

namespace lineinput {

// The C runtime's own lock of a stream and its byte read under that lock.
// Refilling, end of file and pushed-back bytes all stay with the C library,
// and on Windows so does text mode: a CR LF line end arrives as LF, and a
// 0x1A byte ends the input.
#if defined(_WIN32)
inline void lock(FILE *f) { _lock_file(f); }
inline void unlock(FILE *f) { _unlock_file(f); }
inline int read_byte(FILE *f) { return _getc_nolock(f); }
#else
inline void lock(FILE *f) { flockfile(f); }
inline void unlock(FILE *f) { funlockfile(f); }
inline int read_byte(FILE *f) { return getc_unlocked(f); }
#endif

inline bool single_threaded() {
#if __has_include(<sys/single_threaded.h>)
  return __libc_single_threaded != 0;
#else
  return false;
#endif
}

// One lock for the whole line instead of one per byte, so a line never
// interleaves with another thread's reads. A process with a single thread
// needs none, and no second thread can start while this one is reading.
class StreamLock {
public:
  explicit StreamLock(FILE *f) : f_(single_threaded() ? nullptr : f) {
    if (f_ != nullptr)
      lock(f_);
  }
  ~StreamLock() {
    if (f_ != nullptr)
      unlock(f_);
  }
  StreamLock(const StreamLock &) = delete;
  StreamLock &operator=(const StreamLock &) = delete;

private:
  FILE *f_;
};

// The bytes the C library already holds for f, which a read takes without
// waiting. What is not known counts as nothing held, so a C library this
// file does not know, or the byte-by-byte build, is taken to wait at every
// line. glibc's read window is the one take_run takes from; musl's is what
// __freadptr shows; msvcrt's FILE is the classic one with _ptr and _cnt;
// UCRT's FILE is opaque (its layout is not msvcrt's), so its own accessor
// is asked, which ucrtbase exports though the MinGW-w64 headers leave it
// out. The count is of raw bytes, before text mode joins CR LF.
struct Held {
  const char *p;
  std::size_t n;
};
#if LINEINPUT_BULK_READS
inline Held held_bytes(FILE *f) {
  return {f->_IO_read_ptr, static_cast<std::size_t>(f->_IO_read_end - f->_IO_read_ptr)};
}
#elif defined(LINEINPUT_BYTE_LOOP) || !(defined(LINEINPUT_HAVE_FREADPTR) || defined(_WIN32))
inline Held held_bytes(FILE *) { return {nullptr, 0}; }
#elif defined(LINEINPUT_HAVE_FREADPTR)
inline Held held_bytes(FILE *f) {
  std::size_t n = 0;
  const char *p = __freadptr(f, &n);
  return {p, p != nullptr ? n : 0};
}
#elif defined(_WIN32) && defined(_UCRT)
extern "C" int __cdecl _get_stream_buffer_pointers(FILE *, char ***, char ***, int **);
inline Held held_bytes(FILE *f) {
  char **ptr = nullptr;
  int *cnt = nullptr;
  if (_get_stream_buffer_pointers(f, nullptr, &ptr, &cnt) != 0 || *cnt <= 0)
    return {nullptr, 0};
  return {*ptr, static_cast<std::size_t>(*cnt)};
}
#else
inline Held held_bytes(FILE *f) {
  return {f->_ptr, f->_cnt > 0 ? static_cast<std::size_t>(f->_cnt) : 0};
}
#endif

// Whether the rest of a line can be read from f without waiting: a call
// ends at the first line feed, so one that is held is as far as it reads.
inline bool holds_line(FILE *f) {
  Held h = held_bytes(f);
  return h.n > 0 && std::memchr(h.p, '\n', h.n) != nullptr;
}

// Whether the next byte read from f may wait: where glibc's window shows
// a refill coming, unless f reads a regular file, whose reads never wait
// for anyone (so output read from a file keeps its blocks); the file is
// asked once per refill. Elsewhere any read may wait.
#if LINEINPUT_BULK_READS
inline bool next_read_may_wait(FILE *f) {
  struct stat st;
  return held_bytes(f).n == 0 &&
         !(f->_fileno >= 0 && fstat(f->_fileno, &st) == 0 && S_ISREG(st.st_mode));
}
#else
inline bool next_read_may_wait(FILE *) { return true; }
#endif

// Moves up to room bytes that the stream has already buffered, stopping
// before a line feed, into dst; returns how many. glibc's getc_unlocked
// takes its bytes from the window between _IO_read_ptr and _IO_read_end and
// advances _IO_read_ptr, so doing the same for a run of bytes leaves the
// stream exactly as that many calls would. Elsewhere no run is taken and
// the caller reads byte by byte.
#if LINEINPUT_BULK_READS
inline std::uint32_t take_run(FILE *f, char *dst, std::uint32_t room) {
  const char *p = f->_IO_read_ptr;
  std::size_t k = held_bytes(f).n;
  if (k > room)
    k = room;
  if (k == 0)
    return 0;
  if (const void *lf = std::memchr(p, '\n', k))
    k = static_cast<std::size_t>(static_cast<const char *>(lf) - p);
  std::memcpy(dst, p, k);
  f->_IO_read_ptr += k;
  return static_cast<std::uint32_t>(k);
}
#else
inline std::uint32_t take_run(FILE *, char *, std::uint32_t) { return 0; }
#endif

} // namespace lineinput

#endif

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "buffer.h"
#include "input.h"
#include "stream.h"

namespace {

using lineinput::Buffer;

constexpr std::uint32_t first_capacity = 32;
constexpr std::uint32_t top_bit = 0x80000000U;

// Doubling from 32 caps the capacity at 2^31 bytes, which keeps both counts
// in 32 bits. A line past that fails as a failed allocation does, with
// ENOMEM, so a caller's perror names the cause either way. The old block
// stays owned by buf when realloc fails, so the caller's cleanup releases
// it.
bool grow(Buffer &buf, std::uint32_t &capacity) {
  if (capacity >= top_bit) {
    errno = ENOMEM;
    return false;
  }
  std::uint32_t next = capacity == 0 ? first_capacity : capacity * 2;
  void *p = std::realloc(buf.get(), next);
  if (p == nullptr)
    return false;
  buf.adopt(static_cast<char *>(p));
  capacity = next;
  return true;
}

// strncpy pads with NUL after an embedded NUL, so the whole block is
// defined; an empty line never allocated a buffer, and strncpy must not
// see a null pointer even for a zero count.
string copy_exact(const char *buf, std::uint32_t n) {
  auto *s = static_cast<char *>(std::malloc(std::size_t{n} + 1));
  if (s == nullptr)
    return nullptr;
  if (n > 0)
    std::strncpy(s, buf, n);
  s[n] = '\0';
  return s;
}

// A prompt written without a line end must be on screen before the
// program waits for its answer, wherever stdout goes, so stdout is flushed
// before a read that the C library cannot serve from what it holds; while
// input is held nothing is flushed, and batch work keeps stdout's
// buffering. A failed flush is the program's to meet at its own next
// write, so errno stays the caller's.
void flush_stdout() {
  int e = errno;
  std::fflush(stdout);
  errno = e;
}

// Alone in its process, a call flushes at the read that would wait, where
// glibc's read window shows it. Beside other threads, and where the C
// library's buffer is seen only through a call, the flush is decided and
// made before the line's lock is taken: it takes stdout's lock, which
// another thread may hold while it waits for stdin's.
bool flushes_at_the_wait() { return LINEINPUT_BULK_READS && lineinput::single_threaded(); }

void flush_unless_line_held() {
  bool held;
  {
    lineinput::StreamLock lock(stdin);
    held = lineinput::holds_line(stdin);
  }
  if (!held)
    flush_stdout();
}

int next_byte(bool at_wait) {
  if (at_wait && lineinput::next_read_may_wait(stdin))
    flush_stdout();
  return lineinput::read_byte(stdin);
}

} // namespace

// Nothing past the line feed leaves the shared stream: each byte that needs
// a decision comes from read_byte, and the runs between are only what the
// stream has already buffered, never more than the buffer has room for, so
// growth still happens before the character that needs it is stored. A
// failed growth stops reading at once, leaving the rest of the line for the
// next call.
extern "C" string GetString(void) {
  const bool at_wait = flushes_at_the_wait();
  // cppcheck-suppress knownConditionTrueFalse ; false only where glibc's window is seen
  if (!at_wait)
    flush_unless_line_held();
  lineinput::StreamLock lock(stdin);
  Buffer buf;
  std::uint32_t capacity = 0;
  std::uint32_t n = 0;
  int c = 0;
  while ((c = next_byte(at_wait)) != '\n' && c != EOF) {
    if (n + 1 > capacity && !grow(buf, capacity))
      return nullptr;
    buf.get()[n++] = static_cast<char>(c);
    n += lineinput::take_run(stdin, buf.get() + n, capacity - n);
  }
  if (n == 0 && c == EOF)
    return nullptr;
  return copy_exact(buf.get(), n);
}

#include "input.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <type_traits>
#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#endif

static_assert(sizeof(int) == 4 && sizeof(long long) == 8,
              "integer widths are fixed at 32 and 64 bits");
static_assert(std::numeric_limits<float>::is_iec559 &&
                  std::numeric_limits<double>::is_iec559,
              "floating types are IEEE 754 single and double precision");

namespace {

bool single_threaded() {
#if __has_include(<sys/single_threaded.h>)
  return __libc_single_threaded != 0;
#else
  return false;
#endif
}

struct FreeDeleter {
  void operator()(void *p) const noexcept { std::free(p); }
};
using Buffer = std::unique_ptr<char, FreeDeleter>;

// One lock for the whole line instead of one per byte; released on every
// way out of the reader. A process with a single thread needs none, and no
// second thread can start while this one is inside the reader.
class StreamLock {
public:
  explicit StreamLock(FILE *f) : f_(single_threaded() ? nullptr : f) {
    if (f_ != nullptr)
      flockfile(f_);
  }
  ~StreamLock() {
    if (f_ != nullptr)
      funlockfile(f_);
  }
  StreamLock(const StreamLock &) = delete;
  StreamLock &operator=(const StreamLock &) = delete;

private:
  FILE *f_;
};

constexpr std::uint32_t first_capacity = 32;
constexpr std::uint32_t top_bit = 0x80000000U;

// Doubling from 32 caps the capacity at 2^31 bytes, which keeps both counts
// in 32 bits. The old block stays owned by buf when realloc fails, so the
// caller's cleanup releases it.
bool grow(Buffer &buf, std::uint32_t &capacity) {
  if (capacity >= top_bit)
    return false;
  std::uint32_t next = capacity == 0 ? first_capacity : capacity * 2;
  void *p = std::realloc(buf.get(), next);
  if (p == nullptr)
    return false;
  (void)buf.release();
  buf.reset(static_cast<char *>(p));
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

} // namespace

// Bytes are taken one at a time so that nothing past the line feed leaves
// the shared stream. A failed growth stops reading at once, leaving the rest
// of the line for the next call.
extern "C" string GetString(void) {
  StreamLock lock(stdin);
  Buffer buf;
  std::uint32_t capacity = 0;
  std::uint32_t n = 0;
  int c = 0;
  while ((c = getc_unlocked(stdin)) != '\n' && c != EOF) {
    if (n + 1 > capacity && !grow(buf, capacity))
      return nullptr;
    buf.get()[n++] = static_cast<char>(c);
  }
  if (n == 0 && c == EOF)
    return nullptr;
  return copy_exact(buf.get(), n);
}

namespace {

bool is_space(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

const char *skip_space(const char *s) {
  while (is_space(*s))
    s++;
  return s;
}

// A value is accepted only when its conversion consumed something and only
// white space follows it.
bool whole_value(const char *start, const char *end) {
  return end != start && *skip_space(end) == '\0';
}

bool parse_char(const char *s, char &value) {
  s = skip_space(s);
  value = *s;
  return value != '\0' && *skip_space(s + 1) == '\0';
}

int digit_value(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'z')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z')
    return c - 'A' + 10;
  return 36;
}

// As ISO C's strtol with base 0 decides: hexadecimal after 0x or 0X when a
// hexadecimal digit follows, octal after a leading 0, else decimal. There is
// no binary form, whatever the C library's version.
int detect_base(const char *&s) {
  if (s[0] != '0')
    return 10;
  if ((s[1] == 'x' || s[1] == 'X') && digit_value(s[2]) < 16) {
    s += 2;
    return 16;
  }
  return 8;
}

// The integer conversions of ISO C's strtol and strtoll, saturating at the
// range of T. Written out because the C library's versions spend most of a
// short line's time on generality the readers do not use, and because C23
// libraries read 0b101 as binary where it is 0 followed by the letter b.
template <typename T> bool parse_integer(const char *s, int base, T &value) {
  using U = std::make_unsigned_t<T>;
  s = skip_space(s);
  bool negative = *s == '-';
  if (*s == '+' || *s == '-')
    s++;
  if (base == 0)
    base = detect_base(s);
  const U limit = static_cast<U>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
  const auto b = static_cast<U>(base);
  const char *digits = s;
  U magnitude = 0;
  for (int d = 0; (d = digit_value(*s)) < base; s++) {
    const auto u = static_cast<U>(d);
    magnitude = magnitude > (limit - u) / b ? limit : magnitude * b + u;
  }
  if (!whole_value(digits, s))
    return false;
  value = static_cast<T>(negative ? U{0} - magnitude : magnitude);
  return true;
}

bool parse_int(const char *s, int &value) { return parse_integer(s, 0, value); }

bool parse_long_long(const char *s, long long &value) {
  return parse_integer(s, 10, value);
}

template <typename T> T to_floating(const char *s, char **end);
template <> float to_floating(const char *s, char **end) {
  return std::strtof(s, end);
}
template <> double to_floating(const char *s, char **end) {
  return std::strtod(s, end);
}

// strtod also reads "nan(chars)", which the formatted scanner stops at the
// word nan; such a line keeps being rejected.
template <typename T> bool parse_floating(const char *s, T &value) {
  char *end = nullptr;
  value = to_floating<T>(s, &end);
  return whole_value(s, end) && end[-1] != ')';
}

template <typename T> using Parser = bool (*)(const char *, T &);

// The line is released before the prompt, and before the next line is read.
// The largest value of the type stands for "no value".
template <typename T> T read_value(Parser<T> parse) {
  for (;;) {
    Buffer line{GetString()};
    if (!line)
      return std::numeric_limits<T>::max();
    T value{};
    bool accepted = parse(line.get(), value);
    line.reset();
    if (accepted)
      return value;
    std::printf("Retry: ");
  }
}

} // namespace

extern "C" char GetChar(void) { return read_value(parse_char); }

extern "C" int GetInt(void) { return read_value(parse_int); }

extern "C" long long GetLongLong(void) { return read_value(parse_long_long); }

extern "C" float GetFloat(void) { return read_value(parse_floating<float>); }

extern "C" double GetDouble(void) { return read_value(parse_floating<double>); }

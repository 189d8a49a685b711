// Feeds arbitrary bytes as standard input to an arbitrary sequence of the
// six functions and of the caller's own reads, and checks what must hold for
// any input: the lines returned are the input's lines, each typed reader
// prompts once per rejected line, an accepted value reads back to itself,
// failures only happen where they may, and the caller's reads see exactly
// the bytes a byte-at-a-time reader leaves them, and the quick conversion of
// decimal numbers agrees with the C library's. Built a second time with
// FUZZ_ALLOC_FAILURES, where one allocation chosen by the input fails.
//
// Input: byte 0 holds the number of calls k (mod 32) and, in its top three
// bits, the buffering of standard input; the next k bytes choose the calls
// (mod 9: the six functions, fgetc, ungetc of the byte fgetc gave, fread of
// one to four bytes); with allocation failures, one more byte chooses the
// failing allocation (0: none); the rest is standard input.
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

#include <lineinput/input.h>

#include "decimal.h"

namespace {

// White space in the "C" locale, as the readers see it.
constexpr const char *white_space = " \t\n\v\f\r";

[[noreturn]] void fail(const char *what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void check(bool ok, const char *what) {
  if (!ok)
    fail(what);
}

#ifdef FUZZ_ALLOC_FAILURES
// Allocations are counted only while a function under test runs.
struct Injection {
  bool armed = false;
  unsigned fail_at = 0; // 1-based; 0 for none
  unsigned count = 0;
  bool fired = false;
};
Injection injection;

bool fail_now() {
  if (!injection.armed || injection.fail_at == 0 || ++injection.count != injection.fail_at)
    return false;
  injection.fired = true;
  return true;
}
#endif

bool failure_fired() {
#ifdef FUZZ_ALLOC_FAILURES
  return injection.fired;
#else
  return false;
#endif
}

void arm(bool on) {
#ifdef FUZZ_ALLOC_FAILURES
  injection.armed = on;
#else
  (void)on;
#endif
}

// The bytes a call consumed and the prompts it printed.
struct Call {
  std::string span;
  bool at_end;
  std::size_t prompts;
};

// How standard input is buffered, from the top bits of byte 0: the C
// library's choice, none at all, or a buffer of three bytes.
enum class Buffering { standard, none, tiny };

Buffering buffering_of(std::uint8_t b) {
  switch (b >> 5) {
  case 5:
  case 6: return Buffering::none;
  case 7: return Buffering::tiny;
  default: return Buffering::standard;
  }
}

class Streams {
public:
  Streams(const char *input, std::size_t n, Buffering buffering = Buffering::standard)
      : input_(input, n), in_(fmemopen(input_.data(), n, "r")),
        out_(open_memstream(&out_text_, &out_size_)) {
    check(in_ != nullptr && out_ != nullptr, "streams open");
    if (buffering == Buffering::none)
      std::setvbuf(in_, nullptr, _IONBF, 0);
    else if (buffering == Buffering::tiny)
      std::setvbuf(in_, tiny_, _IOFBF, sizeof tiny_);
    std::swap(stdin, in_);
    std::swap(stdout, out_);
  }
  ~Streams() {
    std::swap(stdin, in_);
    std::swap(stdout, out_);
    std::fclose(in_);
    std::fclose(out_);
    std::free(out_text_);
  }
  Streams(const Streams &) = delete;
  Streams &operator=(const Streams &) = delete;

  template <typename F> auto run(F function, Call &call, bool inject = true) {
    pushable_.clear();
    long before = std::ftell(stdin);
    std::size_t printed = printed_size();
    arm(inject);
    auto result = function();
    arm(false);
    long after = std::ftell(stdin);
    call.span = input_.substr(static_cast<std::size_t>(before), static_cast<std::size_t>(after - before));
    call.at_end = static_cast<std::size_t>(after) == input_.size();
    std::string prompts(out_text_ + printed, printed_size() - printed);
    call.prompts = prompts.size() / 7;
    check(prompts == repeat_prompt(call.prompts), "only whole prompts are printed");
    return result;
  }

  // The caller's own reads: each must give the input's bytes at the
  // position where the library's last call stopped.
  void caller_fgetc() {
    std::string next = unread_input(1);
    int c = std::fgetc(stdin);
    check(c == (next.empty() ? EOF : static_cast<unsigned char>(next[0])),
          "fgetc after the library reads the next byte of the input");
    if (c != EOF)
      pushable_.push_back(static_cast<char>(c));
  }
  // Pushing back bytes in the reverse order of reading keeps the stream's
  // bytes those of the input; glibc takes more than one, and once the
  // buffer holds no earlier byte they go to its separate pushback area.
  void caller_ungetc() {
    if (pushable_.empty())
      return;
    int c = static_cast<unsigned char>(pushable_.back());
    pushable_.pop_back();
    check(std::ungetc(c, stdin) == c, "ungetc pushes back");
  }
  void caller_fread(std::size_t k) {
    std::string next = unread_input(k);
    char b[4];
    std::size_t got = std::fread(b, 1, k, stdin);
    check(std::string(b, got) == next,
          "fread after the library reads the next bytes of the input");
    pushable_.clear();
  }

private:
  // Up to k bytes of the input from the stream's position on.
  std::string unread_input(std::size_t k) const {
    auto at = static_cast<std::size_t>(std::ftell(stdin));
    return input_.substr(std::min(at, input_.size()), k);
  }
  std::size_t printed_size() {
    std::fflush(stdout);
    return out_size_;
  }
  static std::string repeat_prompt(std::size_t k) {
    std::string s;
    for (std::size_t i = 0; i < k; i++)
      s += "Retry: ";
    return s;
  }

  std::string input_;
  char tiny_[3] = {};
  std::string pushable_; // bytes of the caller's fgetc calls in a row
  FILE *in_;
  char *out_text_ = nullptr;
  std::size_t out_size_ = 0;
  FILE *out_;
};

std::size_t lines_in(const std::string &span) {
  std::size_t k = 0;
  for (char c : span)
    k += c == '\n';
  return k + (!span.empty() && span.back() != '\n');
}

void check_line(string s, const Call &call) {
  if (s == nullptr) {
    check((call.span.empty() && call.at_end) ||
              (failure_fired() && lines_in(call.span) <= 1),
          "null only at end of input or after a failed allocation");
    return;
  }
  std::string line = call.span;
  if (!line.empty() && line.back() == '\n')
    line.pop_back();
  else
    check(call.at_end, "a line without a line feed ends the input");
  check(!call.span.empty() && line.find('\n') == std::string::npos, "one line per call");
  check(std::strlen(s) == std::strlen(line.c_str()) && std::memcmp(s, line.c_str(), std::strlen(s)) == 0,
        "the string is the line up to its first NUL byte");
  std::free(s);
}

bool same(double a, double b) { return std::isnan(a) ? std::isnan(b) : a == b; }

void print_value(signed char v, char *buf, std::size_t n) { std::snprintf(buf, n, "%c\n", v); }
void print_value(int v, char *buf, std::size_t n) { std::snprintf(buf, n, "%d\n", v); }
void print_value(long long v, char *buf, std::size_t n) { std::snprintf(buf, n, "%lld\n", v); }
void print_value(float v, char *buf, std::size_t n) { std::snprintf(buf, n, "%.9g\n", static_cast<double>(v)); }
void print_value(double v, char *buf, std::size_t n) { std::snprintf(buf, n, "%.17g\n", v); }

// An accepted value, printed and read again by the same reader, is itself.
template <typename T> void check_reread(T (*read)(), T v) {
  char text[64];
  print_value(v, text, sizeof text);
  Streams streams(text, std::strlen(text));
  Call call;
  T again = streams.run(read, call, false);
  check(call.prompts == 0 && same(static_cast<double>(again), static_cast<double>(v)),
        "an accepted value reads back to itself");
}

// What ISO C's strtol makes of a line, saturated at T's range; the C23
// binary prefix is 0 followed by a letter.
template <typename T> bool reference_integer(const std::string &line, int base, T &value) {
  const char *s = line.c_str();
  char *end = nullptr;
  long long n = std::strtoll(s, &end, base);
  const char *p = s + std::strspn(s, white_space);
  p += *p == '+' || *p == '-';
  if (end == s || (base == 0 && p[0] == '0' && (p[1] == 'b' || p[1] == 'B')))
    return false;
  if (end[std::strspn(end, white_space)] != '\0')
    return false;
  value = static_cast<T>(std::clamp<long long>(n, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
  return true;
}

// The integer readers agree with strtol on every line: the rejected ones and
// the accepted one with its value.
template <typename T> void check_integer_lines(const Call &call, bool accepted, T v) {
  if constexpr (std::is_same_v<T, int> || std::is_same_v<T, long long>) {
    const int base = std::is_same_v<T, int> ? 0 : 10;
    std::size_t start = 0;
    while (start < call.span.size()) {
      std::size_t end = call.span.find('\n', start);
      end = end == std::string::npos ? call.span.size() : end;
      bool last = end + 1 >= call.span.size();
      T expected{};
      bool number = reference_integer(call.span.substr(start, end - start), base, expected);
      if (!(last && failure_fired()))
        check(last && accepted ? number && expected == v : !number,
              "an integer reader agrees with strtol");
      start = end + 1;
    }
  }
}

template <typename T> void check_value(T (*read)(), T v, const Call &call) {
  std::size_t lines = lines_in(call.span);
  check(call.span.empty() || call.span.back() == '\n' || call.at_end || failure_fired(),
        "a typed reader consumes whole lines");
  const T sentinel = std::numeric_limits<T>::max();
  bool accepted = false;
  if (failure_fired()) {
    check(v == sentinel && call.prompts + 1 == lines, "a failed line gives the sentinel");
  } else if (call.prompts == lines) {
    check(v == sentinel && call.at_end, "all lines rejected only at end of input");
  } else {
    check(call.prompts + 1 == lines, "one prompt per rejected line");
    check_reread(read, v);
    accepted = true;
  }
  check_integer_lines(call, accepted, v);
}

template <typename T> void call_reader(Streams &streams, T (*read)()) {
  Call call;
  T v = streams.run(read, call);
  check_value(read, v, call);
}

void call_function(Streams &streams, unsigned which) {
  switch (which % 9) {
  case 0: {
    Call call;
    string s = streams.run(GetString, call);
    check_line(s, call);
    break;
  }
  case 1: call_reader(streams, GetChar); break;
  case 2: call_reader(streams, GetInt); break;
  case 3: call_reader(streams, GetLongLong); break;
  case 4: call_reader(streams, GetFloat); break;
  case 5: call_reader(streams, GetDouble); break;
  case 6: streams.caller_fgetc(); break;
  case 7: streams.caller_ungetc(); break;
  default: streams.caller_fread(1 + which / 9 % 4); break;
  }
}

// Wherever the quick conversion takes a whole line, it gives the C
// library's value, bit for bit, in every rounding mode.
template <typename T>
void check_quick_conversion(const std::string &line, T (*convert)(const char *, char **)) {
  const char *s = line.c_str() + std::strspn(line.c_str(), white_space);
  for (int mode : {FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
    std::fesetround(mode);
    T quick{};
    const char *end = nullptr;
    if (lineinput::exact_decimal(s, quick, end) && end[std::strspn(end, white_space)] == '\0') {
      char *general_end = nullptr;
      T general = convert(s, &general_end);
      check(general_end == end && std::memcmp(&quick, &general, sizeof quick) == 0,
            "the quick conversion agrees with the C library's");
    }
  }
  std::fesetround(FE_TONEAREST);
}

} // namespace

#ifdef FUZZ_ALLOC_FAILURES
extern "C" void *__real_malloc(std::size_t size);
extern "C" void *__real_realloc(void *p, std::size_t size);
extern "C" void *__wrap_malloc(std::size_t size) { return fail_now() ? nullptr : __real_malloc(size); }
extern "C" void *__wrap_realloc(void *p, std::size_t size) {
  return fail_now() ? nullptr : __real_realloc(p, size);
}
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  if (size == 0)
    return 0;
  std::size_t calls = data[0] % 32;
  std::size_t header = 1 + calls;
#ifdef FUZZ_ALLOC_FAILURES
  header++;
#endif
  if (size < header)
    return 0;
#ifdef FUZZ_ALLOC_FAILURES
  injection = Injection{};
  injection.fail_at = data[header - 1];
#endif
  const char *input = reinterpret_cast<const char *>(data) + header;
  std::string first_line(input, std::find(input, input + (size - header), '\n'));
  check_quick_conversion<double>(first_line, std::strtod);
  check_quick_conversion<float>(first_line, std::strtof);
  Streams streams(input, size - header, buffering_of(data[0]));
  for (std::size_t i = 0; i < calls; i++) {
#ifdef FUZZ_ALLOC_FAILURES
    injection.fired = false;
#endif
    call_function(streams, data[1 + i]);
  }
  return 0;
}

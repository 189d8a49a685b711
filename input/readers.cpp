#include <cstdio>
#include <limits>

#include "buffer.h"
#include "input.h"
#include "parse.h"

static_assert(sizeof(int) == 4 && sizeof(long long) == 8,
              "integer widths are fixed at 32 and 64 bits");
static_assert(std::numeric_limits<float>::is_iec559 &&
                  std::numeric_limits<double>::is_iec559,
              "floating types are IEEE 754 single and double precision");

namespace {

template <typename T> using Parser = bool (*)(const char *, T &);

// The line is released before the prompt, and before the next line is read.
// The largest value of the type stands for "no value".
template <typename T> T read_value(Parser<T> parse) {
  for (;;) {
    lineinput::Buffer line{GetString()};
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

extern "C" signed char GetChar(void) { return read_value(lineinput::parse_char); }

extern "C" int GetInt(void) { return read_value(lineinput::parse_int); }

extern "C" long long GetLongLong(void) { return read_value(lineinput::parse_long_long); }

extern "C" float GetFloat(void) { return read_value(lineinput::parse_float); }

extern "C" double GetDouble(void) { return read_value(lineinput::parse_double); }

// Line input for C++ programs: the functions of <lineinput/input.h> with
// the line as a std::string and end of input as std::nullopt.
//
// Each function calls its C counterpart and converts the result; nothing
// here reads or parses. The header declares no global name of its own, not
// even the C header's type string, so a program may write
// `using namespace std;` and use `string` for std::string.
#ifndef LINEINPUT_INPUT_HPP
#define LINEINPUT_INPUT_HPP

// MSVC reports its standard in _MSVC_LANG and keeps __cplusplus at 1997.
#if defined(_MSVC_LANG) && _MSVC_LANG > __cplusplus
#define LINEINPUT_CPLUSPLUS _MSVC_LANG
#else
#define LINEINPUT_CPLUSPLUS __cplusplus
#endif

static_assert(LINEINPUT_CPLUSPLUS >= 201703L,
              "<lineinput/input.hpp> needs C++17 (std::optional): compile with "
              "-std=c++17 or later, or include <lineinput/input.h> instead");

#if LINEINPUT_CPLUSPLUS >= 201703L
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>

namespace lineinput {

// Only the header's own code uses these; the name is one no program picks,
// so `using namespace lineinput;` brings in nothing a program also names.
namespace lineinput_detail {
// The functions of <lineinput/input.h>, declared without its global type
// string; C linkage makes them the same functions as the header's.
extern "C" {
char *GetString(void);
signed char GetChar(void);
int GetInt(void);
long long GetLongLong(void);
float GetFloat(void);
double GetDouble(void);
}

// A reader gives the largest value of its type at end of input, after a
// read error and when GetString fails, as well as for that value typed.
// The stream's state tells the first two; ENOMEM, set during the call,
// the failure. The caller's errno is kept unless the reader failed.
// `<=` and `>=` compare as `==` does, without -Wfloat-equal in the
// caller's build.
template <typename T> std::optional<T> value_unless_failed(T (*read)()) {
  const int saved = errno;
  errno = 0;
  const T value = read();
  const T largest = std::numeric_limits<T>::max();
  if (value >= largest && value <= largest &&
      (std::feof(stdin) || std::ferror(stdin) || errno == ENOMEM))
    return std::nullopt;
  errno = saved;
  return value;
}
} // namespace lineinput_detail

// The next line without its line feed; std::nullopt where GetString gives
// null: at end of input, after a read error, for a line past the limit or
// when memory runs out. The C block is freed even when the copy throws.
[[nodiscard]] inline std::optional<std::string> get_line() {
  auto release = [](char *s) { std::free(s); };
  std::unique_ptr<char, decltype(release)> line(lineinput_detail::GetString(), release);
  if (!line)
    return std::nullopt;
  return std::string(line.get());
}

// As GetChar, GetInt, GetLongLong, GetFloat and GetDouble, with "Retry: "
// after each rejected line; std::nullopt where get_line would give it.
[[nodiscard]] inline std::optional<signed char> get_char() {
  return lineinput_detail::value_unless_failed(lineinput_detail::GetChar);
}
[[nodiscard]] inline std::optional<int> get_int() {
  return lineinput_detail::value_unless_failed(lineinput_detail::GetInt);
}
[[nodiscard]] inline std::optional<long long> get_long_long() {
  return lineinput_detail::value_unless_failed(lineinput_detail::GetLongLong);
}
[[nodiscard]] inline std::optional<float> get_float() {
  return lineinput_detail::value_unless_failed(lineinput_detail::GetFloat);
}
[[nodiscard]] inline std::optional<double> get_double() {
  return lineinput_detail::value_unless_failed(lineinput_detail::GetDouble);
}

} // namespace lineinput
#endif

#undef LINEINPUT_CPLUSPLUS

#endif

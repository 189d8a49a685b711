#include "parse.h"

#include "conversion.h"
#include "decimal.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

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

template <typename T> T to_floating(const char *s, char **end);
template <> float to_floating(const char *s, char **end) {
  return lineinput::convert_float(s, end);
}
template <> double to_floating(const char *s, char **end) {
  return lineinput::convert_double(s, end);
}

// A plain decimal number mostly takes the quick conversion; the rest goes
// to the C library's. strtod also reads "nan(chars)", which the formatted
// scanner stops at the word nan; such a line keeps being rejected. The sign
// is the text's own: some C libraries (musl) drop it from a NaN.
template <typename T> bool parse_floating(const char *s, T &value) {
  const char *start = skip_space(s);
  const char *number_end = nullptr;
  T number{};
  if (lineinput::exact_decimal(start, number, number_end) && whole_value(s, number_end)) {
    value = number;
    return true;
  }
  char *end = nullptr;
  value = to_floating<T>(s, &end);
  value = std::copysign(value, *start == '-' ? T{-1} : T{1});
  return whole_value(s, end) && end[-1] != ')';
}

} // namespace

namespace lineinput {

bool parse_char(const char *s, signed char &value) {
  s = skip_space(s);
  value = static_cast<signed char>(*s);
  return *s != '\0' && *skip_space(s + 1) == '\0';
}

bool parse_int(const char *s, int &value) { return parse_integer(s, 0, value); }

bool parse_long_long(const char *s, long long &value) {
  return parse_integer(s, 10, value);
}

bool parse_float(const char *s, float &value) { return parse_floating(s, value); }

bool parse_double(const char *s, double &value) { return parse_floating(s, value); }

} // namespace lineinput

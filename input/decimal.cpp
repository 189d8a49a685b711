#include "decimal.h"

#include <cfenv>
#include <cfloat>
#include <cstdint>
#include <cstring>

#include "conversion.h"

namespace {

// A significand below 2^53 and a power of ten up to 10^22 are both exact
// doubles, so one multiplication or division rounds once, as the
// conversion must, in whichever rounding mode is in force. Where floating
// arithmetic runs in a wider format (x87), the result would be rounded
// twice, so there is no quick conversion.
constexpr bool exact_arithmetic = FLT_EVAL_METHOD == 0;
constexpr std::uint64_t exact_significand = std::uint64_t{1} << 53;
constexpr double exact_powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int largest_power = 22;
// Nineteen digits always fit in 64 bits.
constexpr int most_digits = 19;
// Beyond these the number is not quick anyway; they keep the counts small.
constexpr int longest_scale = 1000;
constexpr int largest_exponent = 10000;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The locale's decimal mark, as the C library's conversion reads it.
bool point_is_decimal_mark() {
  const char *mark = lineinput::decimal_mark();
  return mark[0] == '.' && mark[1] == '\0';
}

// The quick conversion rounds in the current mode; where the fallback
// conversion always rounds to nearest, only that mode is quick, so that
// every spelling of a number gives the same value.
bool rounds_as_conversion() {
  return lineinput::conversion_follows_rounding_mode || std::fegetround() == FE_TONEAREST;
}

struct Decimal {
  std::uint64_t significand = 0;
  int power = 0; // of ten
  int digits = 0; // significant ones, leading zeros left out
  bool any = false;
};

// One digit more; false once the significand could overflow.
bool add_digit(Decimal &d, char c) {
  d.any = true;
  if (d.significand == 0 && c == '0')
    return true;
  d.significand = d.significand * 10 + static_cast<std::uint64_t>(c - '0');
  return ++d.digits <= most_digits;
}

// Digits with an optional point; s moves past them.
bool read_digits(const char *&s, Decimal &d) {
  for (; is_digit(*s); s++)
    if (!add_digit(d, *s))
      return false;
  if (*s != '.')
    return d.any;
  for (s++; is_digit(*s); s++)
    if (!add_digit(d, *s) || --d.power < -longest_scale)
      return false;
  return d.any;
}

// An exponent is taken only with a digit after e and its sign, as the
// conversion takes it; else the text stops before the e.
void read_exponent(const char *&s, Decimal &d) {
  if (*s != 'e' && *s != 'E')
    return;
  const char *p = s + 1;
  bool negative = *p == '-';
  if (*p == '+' || *p == '-')
    p++;
  if (!is_digit(*p))
    return;
  int e = 0;
  for (; is_digit(*p); p++)
    if (e < largest_exponent)
      e = e * 10 + (*p - '0');
  d.power += negative ? -e : e;
  s = p;
}

} // namespace

namespace lineinput {

// The sign goes on the significand before the rounding operation: negating
// afterwards would round a negative number the wrong way when rounding up
// or down.
bool exact_decimal(const char *s, double &value, const char *&end) {
  // cppcheck-suppress knownConditionTrueFalse ; false only on some platforms
  if (!exact_arithmetic || !point_is_decimal_mark() || !rounds_as_conversion())
    return false;
  bool negative = *s == '-';
  if (*s == '+' || *s == '-')
    s++;
  Decimal d;
  if (!read_digits(s, d))
    return false;
  read_exponent(s, d);
  if (d.significand > exact_significand || d.power < -largest_power ||
      d.power > largest_power)
    return false;
  // Converted as signed: compilers lower an unsigned 64-bit conversion with
  // a subtraction, which gives -0 for 0 when rounding down.
  double m = static_cast<double>(static_cast<std::int64_t>(d.significand));
  m = negative ? -m : m;
  value = d.power < 0 ? m / exact_powers[-d.power] : m * exact_powers[d.power];
  end = s;
  return true;
}

// Rounding the double to float rounds twice. The double is the nearest to
// the number, so no point halfway between two floats lies between them;
// the second rounding can only go wrong when the double is itself such a
// point, its 29 bits below float precision exactly one half. Every value
// here is a normal float: 10^-22 to 2^53 * 10^22.
bool exact_decimal(const char *s, float &value, const char *&end) {
  double d = 0;
  const char *e = nullptr;
  if (!exact_decimal(s, d, e))
    return false;
  std::uint64_t bits = 0;
  std::memcpy(&bits, &d, sizeof bits);
  constexpr std::uint64_t dropped = (std::uint64_t{1} << 29) - 1;
  constexpr std::uint64_t half = std::uint64_t{1} << 28;
  if ((bits & dropped) == half)
    return false;
  value = static_cast<float>(d);
  end = e;
  return true;
}

} // namespace lineinput

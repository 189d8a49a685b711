#ifndef LINEINPUT_DECIMAL_H
#define LINEINPUT_DECIMAL_H

// The quick conversion of the common floating forms: an optional sign,
// decimal digits with an optional point and exponent, whose value one
// correctly rounded operation gives. Each returns false, touching nothing,
// for any other text (more digits, a larger power of ten, hexadecimal,
// inf, nan, a decimal mark other than the point) and for the few numbers
// where the single conversion could differ from the C library's. Otherwise
// it stores the value of the decimal number at the start of s, the one
// strtod or strtof gives for it, and where that number ends: when more
// than white space follows, the C library may read on (0x1p3), and only
// its conversion can tell.

namespace lineinput {

bool exact_decimal(const char *s, double &value, const char *&end);
bool exact_decimal(const char *s, float &value, const char *&end);

} // namespace lineinput

#endif

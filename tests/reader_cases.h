/* What each typed reader makes of one line: OK(line, value) for a line it
 * accepts, NO(line) for one it answers with "Retry: ". Plain C literals, so
 * the same table runs from the C++ tests and from the C table runner built
 * on every C library. Floating values need <math.h> (INFINITY, NAN). */
#ifndef LINEINPUT_READER_CASES_H
#define LINEINPUT_READER_CASES_H

#define INT_CASES(OK, NO) \
  OK("42", 42) OK("-7", -7) OK("+7", 7) OK("0x1A", 26) OK("0X1a", 26) \
  OK("0xff", 255) OK("0XaB", 171) OK("0xA", 10) \
  OK("010", 8) OK("0", 0) OK("-0", 0) OK("  42  ", 42) OK("\v42\f", 42) \
  OK("42\r", 42) OK("\t-0x10\t", -16) \
  OK("2147483640", 2147483640) OK("-2147483640", -2147483640) \
  OK("0x7ffffff0", 0x7ffffff0) \
  OK("2147483647", 2147483647) OK("2147483648", 2147483647) \
  OK("4294967296", 2147483647) OK("99999999999999999999999", 2147483647) \
  OK("-2147483648", -2147483647 - 1) OK("-2147483649", -2147483647 - 1) \
  OK("-0x80000001", -2147483647 - 1) \
  NO("") NO("   ") NO("abc") NO("42abc") NO("4 2") \
  NO("1.5") NO("08") NO("019") NO("0b101") NO("0B1") \
  NO("-0b1") NO("0x") NO("0xg") NO("-") NO("+") \
  NO("++1") NO("1e3") NO("- 5") NO("+ 7") NO("-\t9") NO("0x 1")

#define LONG_LONG_CASES(OK, NO) \
  OK("010", 10) OK(" -12 ", -12) OK("+5", 5) \
  OK("9223372036854775800", 9223372036854775800) \
  OK("-9223372036854775800", -9223372036854775800) \
  OK("9223372036854775807", 9223372036854775807) \
  OK("9223372036854775808", 9223372036854775807) \
  OK("-9223372036854775808", -9223372036854775807 - 1) \
  OK("-9223372036854775809", -9223372036854775807 - 1) \
  NO("0x10") NO("1e3") NO("0b1") NO("") NO("12a") \
  NO("1 2") NO("-") NO("- 5") NO("+\t7")

#define CHAR_CASES(OK, NO) \
  OK("a", 'a') OK("  a  ", 'a') OK("a\r", 'a') OK("\ta", 'a') OK("7", '7') \
  OK("\xe9", -23) OK("\x7f", 127) \
  NO("ab") NO("a b") NO("\xc3\xa9") NO("") NO("   ") \
  NO("\t\t")

/* Signs are the text's own, NaN's included, on every C library. */
#define FLOAT_CASES(OK, NO) \
  OK("3.14", 3.14F) OK("1e3", 1000.0F) OK(".5", 0.5F) OK("1.", 1.0F) \
  OK(" 7 ", 7.0F) OK("-2.5e-1", -0.25F) OK("0x1p3", 8.0F) OK("1e39", INFINITY) \
  /* Just above halfway between 1 and the next float: rounded from the \
   * text it is the next float, through a double it would be 1. */ \
  OK("1.0000000596046447753906250000000001", 0x1.000002p+0F) \
  OK("-1e39", -INFINITY) OK("1e-50", 0.0F) OK("-1e-50", -0.0F) OK("1e-40", 1e-40F) \
  OK("inf", INFINITY) OK("-INF", -INFINITY) OK("Infinity", INFINITY) OK("nan", NAN) \
  OK("NAN", NAN) OK("-nan", -NAN) OK("-NaN", -NAN) OK(" -nan ", -NAN) \
  OK("+nan", NAN) OK("-0", -0.0F) OK("-0x0p0", -0.0F) OK("-infinity", -INFINITY) \
  /* Where the double nearest the number is halfway between two floats. */ \
  OK("0.00024599970493", 0x1.01f30ap-12F) OK("0.00195962714497", 0x1.00da2ep-9F) \
  OK("3.40282347e38", FLT_MAX) \
  NO("3.14x") NO("abc") NO("1e") NO("1e+") \
  NO("0x1p") NO("0x") NO("3,5") NO("nan(123)") NO("nan()") \
  NO("") NO(".") NO("-") NO("1.5.2") NO("infinit") NO("- 1") NO("--1") NO("-+1")

#define DOUBLE_CASES(OK, NO) \
  OK("3.14", 3.14) OK("1e3", 1000.0) OK(".5", 0.5) OK("1.", 1.0) \
  OK(" 7 ", 7.0) OK("1e308", 1e308) OK("1e309", INFINITY) OK("1e39", 1e39) \
  OK("0x1p-1074", 4.9406564584124654e-324) OK("-inf", -INFINITY) OK("nan", NAN) \
  OK("-nan", -NAN) OK("-NAN", -NAN) OK("-0", -0.0) OK("-0.0e5", -0.0) OK("0.0", 0.0) \
  /* Around the limits of a significand of 2^53, 19 digits and 10^22. */ \
  OK("9007199254740992e1", 90071992547409920.0) \
  OK("9007199254740993e1", 90071992547409936.0) \
  OK("1801439850948199e1", 18014398509481992.0) \
  OK("18446744073709551617", 18446744073709551616.0) \
  OK("-3e22", -3e22) OK("3e23", 3e23) OK("-7e-22", -7e-22) OK("7e-23", 7e-23) \
  NO("3.14x") NO("abc") NO("1e") NO("1e-") NO("0x1p") \
  NO("3,5") NO("nan(123)") NO("nan()") NO("") NO(" ") NO("- nan")

#endif

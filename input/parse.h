#ifndef LINEINPUT_PARSE_H
#define LINEINPUT_PARSE_H

// What a typed reader accepts, as plain functions of one NUL-terminated
// line: each stores the value and returns true only when the line holds
// exactly one value of its type with nothing but white space around it.

namespace lineinput {

bool parse_char(const char *s, signed char &value);
bool parse_int(const char *s, int &value);
bool parse_long_long(const char *s, long long &value);
bool parse_float(const char *s, float &value);
bool parse_double(const char *s, double &value);

} // namespace lineinput

#endif

#ifndef LINEINPUT_CONVERSION_H
#define LINEINPUT_CONVERSION_H

// The one place that knows which C library calls the floating parse relies
// on: the decimal mark of the program's locale, the correctly rounded
// conversion of any other text, and whether that conversion rounds in the
// current rounding mode.

#include <cstdlib>
#if defined(_WIN32)
#include <clocale>
#else
#include <langinfo.h>
#endif

namespace lineinput {

#if defined(_WIN32)
// Windows has no nl_langinfo; its localeconv reads the calling thread's
// locale. The runtime's own strtod (msvcrt) rounds some decimal numbers
// wrongly, so the conversions are MinGW-w64's, linked into the library
// whichever runtime the program uses.
inline const char *decimal_mark() { return std::localeconv()->decimal_point; }
inline float convert_float(const char *s, char **end) { return __mingw_strtof(s, end); }
inline double convert_double(const char *s, char **end) { return __mingw_strtod(s, end); }
// They round to nearest in every rounding mode.
constexpr bool conversion_follows_rounding_mode = false;
#else
// nl_langinfo, unlike localeconv, fills no shared structure.
inline const char *decimal_mark() { return nl_langinfo(RADIXCHAR); }
inline float convert_float(const char *s, char **end) { return std::strtof(s, end); }
inline double convert_double(const char *s, char **end) { return std::strtod(s, end); }
constexpr bool conversion_follows_rounding_mode = true;
#endif

} // namespace lineinput

#endif

/*
 * Line input for interactive command-line programs.
 *
 * Every function reads whole lines from standard input. GetString hands a
 * line to the caller; the typed readers accept a line only when it holds
 * exactly one value and otherwise print "Retry: " and read the next one.
 * At end of input each function returns a fixed result instead of failing.
 */
#ifndef LINEINPUT_INPUT_H
#define LINEINPUT_INPUT_H

#include <limits.h>

/* Characters are 8-bit signed everywhere, so a byte reads the same on every
 * processor; a build with unsigned plain char would silently differ. */
#if CHAR_MIN == 0
#error "input.h needs a signed plain char: compile with -fsigned-char"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A NUL-terminated line of text; null means there is no line. */
typedef char *string;

/* Line reader */

/* Reads the next line of standard input, without its line feed, into a new
 * heap block of exactly its length plus one byte; the caller frees it with
 * free(). Returns null at end of input, for a line longer than 2147483648
 * characters (1073741824 in a 32-bit program), or when memory runs out;
 * check for null before using the line. Nothing past the line feed is
 * taken from stdin. Holds the lock of stdin for the whole line. */
string GetString(void);

/* Typed readers
 *
 * Each reads lines until one holds exactly one value of its type with
 * nothing but white space (isspace) around it, printing "Retry: " (not
 * flushed, with no line end) after every other line. At end of input, or
 * when GetString fails, each returns the largest value of its type at once:
 * CHAR_MAX, INT_MAX, LLONG_MAX, FLT_MAX or DBL_MAX. A loop that asks again
 * until a value is in its range must also stop at that value, or it asks
 * forever once input has ended. */

/* A line holding one byte that is not white space, and nothing else but
 * white space: "a" and " a " give 'a', "ab" is rejected. */
char GetChar(void);

/* A decimal, octal (leading 0) or hexadecimal (0x) integer with an optional
 * sign; a number out of range gives INT_MIN or INT_MAX. */
int GetInt(void);

/* A decimal integer with an optional sign; a number out of range gives
 * LLONG_MIN or LLONG_MAX. */
long long GetLongLong(void);

/* A decimal or hexadecimal floating number, inf, infinity or nan; check
 * for these and for FLT_MAX before converting the value to an integer. */
float GetFloat(void);

/* As GetFloat, in double precision. */
double GetDouble(void);

#ifdef __cplusplus
}
#endif

#endif

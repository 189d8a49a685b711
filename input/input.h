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

/* The documented usage needs these, so a program that includes only this
 * header (and <stdio.h>) has them: free() for the lines, bool in C, and the
 * limits the readers' results are compared with (SCHAR_MAX, INT_MAX,
 * LLONG_MAX, FLT_MAX, DBL_MAX). */
#include <float.h>
#include <limits.h>
#include <stdlib.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

/* Annotations that let the compiler and its analyzers see what a line is:
 * a new block, possibly null, released with free(). Each one is used only
 * where the compiler is known to have it, so the header compiles anywhere. */
#ifdef __has_attribute
#define LINEINPUT_HAS_ATTRIBUTE(a) __has_attribute(a)
#else
#define LINEINPUT_HAS_ATTRIBUTE(a) 0
#endif

/* Dropping the result leaks the line. */
#if LINEINPUT_HAS_ATTRIBUTE(warn_unused_result)
#define LINEINPUT_MUST_USE __attribute__((warn_unused_result))
#else
#define LINEINPUT_MUST_USE
#endif

/* A fresh block that aliases nothing; GCC 11 also learns that free()
 * releases it, which finds double frees, uses after free and delete[]. */
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ >= 11
#define LINEINPUT_ALLOCATES __attribute__((malloc, malloc(free, 1)))
#elif LINEINPUT_HAS_ATTRIBUTE(malloc)
#define LINEINPUT_ALLOCATES __attribute__((malloc))
#else
#define LINEINPUT_ALLOCATES
#endif

/* clang's analyzer reports a nullable result used without a check. The
 * qualifier is an extension, which -Wpedantic would report in every
 * program that includes the header, so the report is silenced for it. */
#if defined(__clang__) && defined(__has_feature)
#if __has_feature(nullability)
#define LINEINPUT_NULLABLE _Nullable
#define LINEINPUT_EXTENSIONS_BEGIN \
  _Pragma("clang diagnostic push") \
  _Pragma("clang diagnostic ignored \"-Wnullability-extension\"")
#define LINEINPUT_EXTENSIONS_END _Pragma("clang diagnostic pop")
#endif
#endif
#ifndef LINEINPUT_NULLABLE
#define LINEINPUT_NULLABLE
#define LINEINPUT_EXTENSIONS_BEGIN
#define LINEINPUT_EXTENSIONS_END
#endif

/* long long is C99; marked as an extension, it also compiles in a C89
 * program built with -pedantic-errors, as glibc's own headers do it. */
#if defined(__GNUC__)
#define LINEINPUT_LONG_LONG __extension__ long long
#else
#define LINEINPUT_LONG_LONG long long
#endif

/* On Windows a program and the library must share one C runtime: the
 * program frees the lines with its runtime's free(), and a prompt shows
 * only if the library flushes the program's stdout. A library built for a
 * processor and runtime defines a function named for them, which is the
 * name of its archive, and every program that includes this header refers
 * to the one its own compiler targets; a mismatch fails when the program
 * is linked, with "undefined reference to `lineinput_for_...'" naming the
 * archive to take, instead of running with two heaps. Visual Studio
 * shares the UCRT DLL's runtime only with the Runtime Library /MD; with
 * another, the name that is missing says to choose /MD. */
#if defined(_WIN32) && defined(__GNUC__)
#if defined(__x86_64__) && defined(_UCRT)
#define LINEINPUT_RUNTIME lineinput_for_x86_64_w64_mingw32ucrt
#elif defined(__x86_64__)
#define LINEINPUT_RUNTIME lineinput_for_x86_64_w64_mingw32
#elif defined(__i386__) && defined(_UCRT)
#define LINEINPUT_RUNTIME lineinput_for_i686_w64_mingw32ucrt
#elif defined(__i386__)
#define LINEINPUT_RUNTIME lineinput_for_i686_w64_mingw32
#elif defined(__aarch64__) && defined(_UCRT)
#define LINEINPUT_RUNTIME lineinput_for_aarch64_w64_mingw32ucrt
#elif defined(__aarch64__)
#define LINEINPUT_RUNTIME lineinput_for_aarch64_w64_mingw32
#endif
#elif defined(_WIN32) && defined(_MSC_VER)
#if !defined(_DLL) && defined(_DEBUG)
#define LINEINPUT_RUNTIME lineinput_needs_runtime_library_MD_not_MTd
#elif !defined(_DLL)
#define LINEINPUT_RUNTIME lineinput_needs_runtime_library_MD_not_MT
#elif defined(_DEBUG)
#define LINEINPUT_RUNTIME lineinput_needs_runtime_library_MD_not_MDd
#elif defined(_M_X64)
#define LINEINPUT_RUNTIME lineinput_for_x86_64_w64_mingw32ucrt
#elif defined(_M_IX86)
#define LINEINPUT_RUNTIME lineinput_for_i686_w64_mingw32ucrt
#elif defined(_M_ARM64)
#define LINEINPUT_RUNTIME lineinput_for_aarch64_w64_mingw32ucrt
#endif
#endif
#ifdef LINEINPUT_RUNTIME
#define LINEINPUT_TEXT(name) #name
#define LINEINPUT_SYMBOL(prefix, name) LINEINPUT_TEXT(prefix) LINEINPUT_TEXT(name)
#ifdef __GNUC__
/* One image-relative reference in a section that the linker keeps once
 * per program, and no name in the program's own namespace. */
__asm__(".section .rdata$lineinput_runtime,\"dr\"\n\t.linkonce discard\n\t.rva "
        LINEINPUT_SYMBOL(__USER_LABEL_PREFIX__, LINEINPUT_RUNTIME) "\n\t.text");
#else
#ifdef _M_IX86
#define LINEINPUT_LABEL_PREFIX _
#else
#define LINEINPUT_LABEL_PREFIX
#endif
/* The library's folder alone is enough: lineinput.lib is linked by name. */
#pragma comment(linker, "/include:" LINEINPUT_SYMBOL(LINEINPUT_LABEL_PREFIX, LINEINPUT_RUNTIME))
#pragma comment(lib, "lineinput")
#endif
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
 * check for null before using the line. feof(stdin) or ferror(stdin) is
 * true after a null at end of input, and neither after the failures.
 * Nothing past the line feed is taken from stdin. Flushes stdout first
 * when it must wait for input, so a prompt shows before the answer is
 * awaited. Holds the lock of stdin for the whole line. */
LINEINPUT_EXTENSIONS_BEGIN
LINEINPUT_MUST_USE LINEINPUT_ALLOCATES string LINEINPUT_NULLABLE GetString(void);
LINEINPUT_EXTENSIONS_END

/* Typed readers
 *
 * Each reads lines until one holds exactly one value of its type with
 * nothing but white space (isspace) around it, printing "Retry: " (with
 * no line end) after every other line. At end of input, or
 * when GetString fails, each returns the largest value of its type at once:
 * SCHAR_MAX, INT_MAX, LLONG_MAX, FLT_MAX or DBL_MAX. A typed value, or an
 * integer clamped to it, gives the same: feof(stdin) || ferror(stdin)
 * tells that input has ended. A loop that asks again until a value is in
 * its range must also stop then, or it asks forever. */

/* A line holding one byte that is not white space, and nothing else but
 * white space: "a" and " a " give 'a', "ab" is rejected. The byte is a
 * signed char whatever the sign of plain char, so it reads the same on
 * every processor: 0xE9 gives -23, and end of input gives 127 (SCHAR_MAX,
 * which is CHAR_MAX only where char is signed); feof(stdin) is the test
 * to prefer. */
signed char GetChar(void);

/* A decimal, octal (leading 0) or hexadecimal (0x) integer with an optional
 * sign; a number out of range gives INT_MIN or INT_MAX. */
int GetInt(void);

/* A decimal integer with an optional sign; a number out of range gives
 * LLONG_MIN or LLONG_MAX. */
LINEINPUT_LONG_LONG GetLongLong(void);

/* A decimal or hexadecimal floating number, inf, infinity or nan; check
 * for these and for FLT_MAX before converting the value to an integer. */
float GetFloat(void);

/* As GetFloat, in double precision. */
double GetDouble(void);

#ifdef __cplusplus
}
#endif

#endif

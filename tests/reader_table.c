/* Runs the typed readers' table of lines in plain C, so that it needs no
 * C++ runtime and runs on any C library. Each line is the whole of standard
 * input; the reader must give the table's value silently, or "Retry: " and
 * then the sentinel for a rejected line. Prints "N passed, N failed". */
#define _POSIX_C_SOURCE 200809L
#include <errno.h>
#include <math.h>
#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <io.h>
#define close _close
#define fileno _fileno
#define NO_INPUT "NUL"
#else
#include <unistd.h>
#define NO_INPUT "/dev/null"
#endif

#include <lineinput/input.h>

#include "c_stdin.h"
#include "reader_cases.h"

static int passed, failed;
static const char *in_path, *out_path;

/* Reads with the reader while the line is all of stdin and stdout goes to a
 * file; answers what was printed. */
static const char *prepare(const char *line) {
  feed_stdin_file(in_path, line, "\n");
  if (freopen(out_path, "w", stdout) == NULL) {
    perror(out_path);
    exit(2);
  }
  return line;
}

static int printed_retry(void) {
  static char text[16];
  FILE *f;
  size_t n;
  fflush(stdout);
  f = fopen(out_path, "r");
  n = f != NULL ? fread(text, 1, sizeof text - 1, f) : 0;
  if (f != NULL)
    fclose(f);
  text[n] = '\0';
  return strcmp(text, "Retry: ") == 0 ? 1 : strcmp(text, "") == 0 ? 0 : -1;
}

/* A failure names the reader, the line and what came back. */
static void report(const char *reader, const char *line, int ok, const char *gave, int prompt) {
  if (ok) {
    passed++;
    return;
  }
  failed++;
  fprintf(stderr, "FAIL: %s on \"", reader);
  for (; *line != '\0'; line++)
    fprintf(stderr, *line >= ' ' && *line < 127 ? "%c" : "\\x%02x", *line & 0xff);
  fprintf(stderr, "\" gave %s%s\n", gave,
          prompt == 1 ? " after \"Retry: \"" : prompt == 0 ? "" : " after other output");
}

static int same_bits(double a, double b) {
  return (isnan(a) ? isnan(b) : a == b) && !signbit(a) == !signbit(b);
}

/* One checker per reader: read, compare with the expected value or the
 * sentinel, and expect a prompt exactly for a rejected line. The value is
 * printed as the format's type. */
#define CHECKER(name, type, reader, sentinel, same, format, as) \
  static void name(const char *line, int accepted, type expected) { \
    type got = reader(); \
    int prompt = printed_retry(); \
    char gave[64]; \
    snprintf(gave, sizeof gave, format, (as)got); \
    report(#reader, line, same(got, accepted ? expected : (sentinel)) && prompt == !accepted, \
           gave, prompt); \
  }
#define SAME_INTEGER(a, b) ((a) == (b))
CHECKER(check_int, int, GetInt, INT_MAX, SAME_INTEGER, "%d", int)
CHECKER(check_long_long, long long, GetLongLong, LLONG_MAX, SAME_INTEGER, "%lld", long long)
CHECKER(check_char, signed char, GetChar, SCHAR_MAX, SAME_INTEGER, "%d", int)
CHECKER(check_float, float, GetFloat, FLT_MAX, same_bits, "%.9g", double)
CHECKER(check_double, double, GetDouble, DBL_MAX, same_bits, "%.17g", double)

/* A prompt left in stdout's buffer whose descriptor is gone: the flush
 * before the wait fails, and the program's errno is the same after the
 * reader. Input from a device, which every C library may wait on. */
static void keeps_errno_when_the_flush_fails(void) {
  int got;
  if (freopen(NO_INPUT, "r", stdin) == NULL || freopen(out_path, "w", stdout) == NULL) {
    perror(NO_INPUT);
    exit(2);
  }
  printf("Age: ");
  close(fileno(stdout));
  errno = EDOM;
  got = GetInt();
  report("GetInt", "(none, with stdout's descriptor closed)", got == INT_MAX && errno == EDOM,
         errno == EDOM ? "errno kept" : strerror(errno), 0);
  if (freopen(out_path, "w", stdout) == NULL)
    exit(2);
}

int main(int argc, char **argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: reader_table SCRATCH_INPUT SCRATCH_OUTPUT\n");
    return 2;
  }
  in_path = argv[1];
  out_path = argv[2];
#define OK(line, value) check(prepare(line), 1, value);
#define NO(line) check(prepare(line), 0, 0);
#define check check_int
  INT_CASES(OK, NO)
#undef check
#define check check_long_long
  LONG_LONG_CASES(OK, NO)
#undef check
#define check check_char
  CHAR_CASES(OK, NO)
#undef check
#define check check_float
  FLOAT_CASES(OK, NO)
#undef check
#define check check_double
  DOUBLE_CASES(OK, NO)
#undef check
  keeps_errno_when_the_flush_fails();
  fflush(stdout);
  fprintf(stderr, "%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

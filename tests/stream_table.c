/* Runs the scripts of stream_cases.h in plain C, so that they need no C++
 * runtime and run on any C library: each script once with GetString and
 * once with a reader that takes one fgetc per byte, on standard input read
 * from a file with each kind of buffering and from a pipe written two
 * bytes at a time. The transcripts, and what is left of the input, must
 * match. Prints "N passed, N failed". */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <unistd.h>

#include <lineinput/input.h>

#include "c_stdin.h"
#include "stream_cases.h"

enum { TRANSCRIPT = 1 << 15 };

struct transcript {
  char text[TRANSCRIPT];
  size_t n;
};

/* A transcript that would overflow is cut short; the comparison then
 * fails on the cut text or on what came before it. */
static void put(struct transcript *t, const char *s, size_t k) {
  if (t->n >= TRANSCRIPT - 1)
    return;
  if (k > TRANSCRIPT - 1 - t->n)
    k = TRANSCRIPT - 1 - t->n;
  memcpy(t->text + t->n, s, k);
  t->n += k;
  t->text[t->n] = '\0';
}

static void put_int(struct transcript *t, int v) {
  char b[16];
  put(t, b, (size_t)snprintf(b, sizeof b, "%d", v));
}

/* The line reader's definition, one locked fgetc per byte. */
static void reference_line(struct transcript *t) {
  static char line[TRANSCRIPT];
  size_t n = 0;
  int c;
  while ((c = fgetc(stdin)) != '\n' && c != EOF)
    if (n < sizeof line)
      line[n++] = (char)c;
  if (n == 0 && c == EOF) {
    put(t, "null", 4);
    return;
  }
  put(t, "[", 1);
  put(t, line, n);
  put(t, "]", 1);
}

static void library_line(struct transcript *t) {
  string s = GetString();
  if (s == NULL) {
    put(t, "null", 4);
    return;
  }
  put(t, "[", 1);
  put(t, s, strlen(s));
  put(t, "]", 1);
  free(s);
}

static void step(struct transcript *t, char op, void (*read_line)(struct transcript *),
                 int *last) {
  char b[3];
  char *text = NULL;
  size_t cap = 0;
  ssize_t k;
  int v = 0;
  switch (op) {
  case 'L': read_line(t); break;
  case 'c': *last = fgetc(stdin); put_int(t, *last); break;
  case 'u': put_int(t, ungetc('#', stdin)); break;
  case 'U': put_int(t, ungetc(*last, stdin)); break;
  case 'r': put(t, b, fread(b, 1, sizeof b, stdin)); break;
  case 's':
    k = fscanf(stdin, "%d", &v);
    put_int(t, (int)k);
    put(t, ":", 1);
    put_int(t, v);
    break;
  default:
    k = getline(&text, &cap, stdin);
    if (k < 0)
      put(t, "-", 1);
    else
      put(t, text, (size_t)k);
    free(text);
  }
}

static void run_script(struct transcript *t, const char *script,
                       void (*read_line)(struct transcript *)) {
  int last = EOF, c;
  t->n = 0;
  for (; *script != '\0'; script++) {
    put(t, script, 1);
    step(t, *script, read_line, &last);
    put(t, " ", 1);
  }
  put(t, "rest:", 5);
  while ((c = fgetc(stdin)) != EOF) {
    char ch = (char)c;
    put(t, &ch, 1);
  }
}

static const char *in_path;
static char small_buffer[5];
static pid_t writer;

/* The input with each @ standing for a long line. */
static const char *expand_long_lines(const char *input) {
  static char bytes[TRANSCRIPT];
  size_t n = 0;
  for (; *input != '\0' && n + LONG_LINE_LENGTH < sizeof bytes; input++) {
    if (*input == '@') {
      memset(bytes + n, 'x', LONG_LINE_LENGTH);
      n += LONG_LINE_LENGTH;
    } else {
      bytes[n++] = *input;
    }
  }
  bytes[n] = '\0';
  return bytes;
}

/* Makes the input the whole of standard input, in the state's way. */
static void open_state(int state, const char *script_input) {
  const char *input = expand_long_lines(script_input);
  int fds[2];
  size_t n = strlen(input), i;
  feed_stdin_file(in_path, input, "");
  switch (state) {
  case 0: setvbuf(stdin, NULL, _IOFBF, BUFSIZ); break;
  case 1: setvbuf(stdin, NULL, _IONBF, 0); break;
  case 2: setvbuf(stdin, NULL, _IOLBF, BUFSIZ); break;
  case 3: setvbuf(stdin, small_buffer, _IOFBF, sizeof small_buffer); break;
  default:
    if (pipe(fds) != 0 || (writer = fork()) < 0) {
      perror("stream_table");
      exit(2);
    }
    if (writer == 0) {
      close(fds[0]);
      for (i = 0; i < n; i += 2)
        if (write(fds[1], input + i, n - i < 2 ? n - i : 2) < 0)
          _exit(1);
      _exit(0);
    }
    close(fds[1]);
    dup2(fds[0], 0);
    close(fds[0]);
  }
}

static void close_state(int state) {
  if (state == 4)
    waitpid(writer, NULL, 0);
}

static const char *const state_names[] = {
    "fully buffered", "unbuffered", "line buffered", "a five-byte buffer",
    "a pipe written two bytes at a time"};

int main(int argc, char **argv) {
  static struct transcript expected, got;
  static const char *const cases[][2] = {
#define CASE(input, script) {input, script},
      STREAM_CASES(CASE)
#undef CASE
  };
  int passed = 0, failed = 0, state;
  size_t i;
  if (argc != 2) {
    fprintf(stderr, "usage: stream_table SCRATCH_FILE\n");
    return 2;
  }
  in_path = argv[1];
  for (state = 0; state < 5; state++) {
    for (i = 0; i < sizeof cases / sizeof cases[0]; i++) {
      open_state(state, cases[i][0]);
      run_script(&expected, cases[i][1], reference_line);
      close_state(state);
      open_state(state, cases[i][0]);
      run_script(&got, cases[i][1], library_line);
      close_state(state);
      if (strcmp(expected.text, got.text) == 0) {
        passed++;
        continue;
      }
      failed++;
      fprintf(stderr, "FAIL: %s, script %s\n  byte loop: %.200s\n  GetString: %.200s\n",
              state_names[state], cases[i][1], expected.text, got.text);
    }
  }
  fprintf(stderr, "%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

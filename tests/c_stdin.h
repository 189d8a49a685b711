/* For the tests written in C: the text, followed by end, becomes the whole
 * of standard input through a scratch file. Reopening also clears end of
 * file from the case before; a scratch file that cannot be used ends the
 * run with status 2, as no case could be trusted. */
#ifndef LINEINPUT_C_STDIN_H
#define LINEINPUT_C_STDIN_H

#include <stdio.h>
#include <stdlib.h>

static void feed_stdin_file(const char *path, const char *text, const char *end) {
  FILE *f = fopen(path, "w");
  if (f == NULL || fprintf(f, "%s%s", text, end) < 0 || fclose(f) != 0 ||
      freopen(path, "r", stdin) == NULL) {
    perror(path);
    exit(2);
  }
}

#endif

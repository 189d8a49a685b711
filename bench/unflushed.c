/* GetString as a program would write it with getline, which never flushes
 * stdout: linked into the same program in place of the library, it shows
 * what the library's flush before a wait costs in system calls. */
#define _POSIX_C_SOURCE 200809L
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <lineinput/input.h>

string GetString(void) {
  char *line = NULL, *s = NULL;
  size_t cap = 0;
  ssize_t n = getline(&line, &cap, stdin);
  if (n >= 0) {
    if (n > 0 && line[n - 1] == '\n')
      line[--n] = '\0';
    s = malloc((size_t)n + 1);
    if (s != NULL)
      memcpy(s, line, (size_t)n + 1);
  }
  free(line);
  return s;
}

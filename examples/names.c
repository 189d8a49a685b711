/* Lines until end of input (Ctrl-D at a terminal; Ctrl-Z then Enter at a
 * Windows console). Each line belongs to the program and is freed; the
 * null pointer at the end is checked before the line is used. */
#include <stdio.h>
#include <stdlib.h>

#include <lineinput/input.h>

int main(void) {
  string name;
  int count = 0;
  while ((name = GetString()) != NULL) {
    printf("hello, %s\n", name);
    free(name);
    count++;
  }
  printf("%d names\n", count);
  return 0;
}

#include <stdio.h>
#include <stdlib.h>
#include <lineinput/input.h>

int main(void) {
  printf("What is your name? ");
  string name = GetString();
  if (name == NULL)
    return 1; /* no line: end of input, or no memory */
  printf("hello, %s\n", name);
  free(name);
  return 0;
}

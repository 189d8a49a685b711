#include <stdio.h>
#include <string.h>
#include <lineinput/input.h>

int main(void) {
  string s = GetString();
  printf("%zu\n", strlen(s));
  free(s);
  return 0;
}

#include <stdio.h>
#include <lineinput/input.h>

int main(void) {
  string s = GetString();
  char c = s[0];
  printf("%c\n", c);
  free(s);
  return 0;
}

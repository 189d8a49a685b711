#include <stdio.h>
#include <lineinput/input.h>

int main(void) {
  string s = GetString();
  if (s == NULL)
    return 1;
  puts(s);
  free(s);
  free(s);
  return 0;
}

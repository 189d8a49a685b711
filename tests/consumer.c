/* Calls every function through the header as a C99 program would. */
#include <stdio.h>
#include <stdlib.h>

#include <lineinput/input.h>

int main(void) {
  string s = GetString();
  signed char c = GetChar(); /* a byte above 127: negative everywhere */
  int i = GetInt();
  long long ll = GetLongLong();
  float f = GetFloat();
  double d = GetDouble();
  signed char end = GetChar();
  printf("[%s] %d %d %lld %g %g %d\n", s != NULL ? s : "(null)", c, i, ll,
         (double)f, d, end);
  free(s);
  return 0;
}

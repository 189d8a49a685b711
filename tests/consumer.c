/* Calls every function through the header as a C99 program would. */
#include <stdio.h>
#include <stdlib.h>

#include <input.h>

int main(void) {
  string s = GetString();
  char c = GetChar();
  int i = GetInt();
  long long ll = GetLongLong();
  float f = GetFloat();
  double d = GetDouble();
  printf("[%s] %c %d %lld %g %g\n", s != NULL ? s : "(null)", c, i, ll,
         (double)f, d);
  free(s);
  return 0;
}

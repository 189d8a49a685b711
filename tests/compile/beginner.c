/* What a beginner's program uses without including more than input.h and
 * stdio.h: bool, exit, atoi, free and the readers' limits. */
#include <stdio.h>
#include <lineinput/input.h>

int main(void) {
  bool done = false;
  string s = GetString();
  if (s == NULL)
    exit(1);
  int n = atoi(s);
  free(s);
  done = true;
  printf("%d %d %d %d\n", n, done, n == INT_MAX, (double)FLT_MAX > 1e38);
  return 0;
}

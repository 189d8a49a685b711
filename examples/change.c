/* An amount of money read with GetFloat and turned into whole cents. The
 * check comes before any arithmetic: FLT_MAX (end of input, or typed),
 * infinity and NaN are all values GetFloat gives, and converting one of
 * them to int is undefined behaviour. A float is within half a cent of
 * every amount up to 131072, so the amounts stop below that, and the
 * product is taken in double, where it is exact, before rounding. */
#include <stdio.h>

#include <lineinput/input.h>

int main(void) {
  float dollars;
  do {
    printf("Change owed: ");
    dollars = GetFloat();
    if (dollars == FLT_MAX && (feof(stdin) || ferror(stdin))) {
      printf("\nNo amount given.\n");
      return 1;
    }
  } while (!(dollars >= 0 && dollars <= 100000)); /* also false for NaN */
  int cents = (int)((double)dollars * 100 + 0.5);
  printf("%d cents\n", cents);
  return 0;
}

/* An amount of money read with GetFloat and turned into whole cents. The
 * check comes before any arithmetic: FLT_MAX (end of input, or typed),
 * infinity and NaN are all values GetFloat gives, and converting one of
 * them to int is undefined behaviour. */
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
  } while (!(dollars >= 0 && dollars <= 1000000)); /* also false for NaN */
  int cents = (int)(dollars * 100 + 0.5f);
  printf("%d cents\n", cents);
  return 0;
}

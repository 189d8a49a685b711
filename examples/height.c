/* A number in a range, asked for again until it is in range. End of input
 * ends the loop too: GetInt gives INT_MAX then, which is out of range, so
 * a loop that only checks the range would ask forever. INT_MAX is also
 * what a typed 2147483647, or any larger number, gives; feof tells the
 * two apart. */
#include <stdio.h>

#include <lineinput/input.h>

int main(void) {
  int height;
  do {
    printf("Height (1 to 8): ");
    height = GetInt();
    if (height == INT_MAX && (feof(stdin) || ferror(stdin))) {
      printf("\nNo height given.\n");
      return 1;
    }
  } while (height < 1 || height > 8);
  for (int row = 1; row <= height; row++)
    printf("%*s%.*s\n", height - row, "", row, "########");
  return 0;
}

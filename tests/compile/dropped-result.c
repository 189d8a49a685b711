#include <lineinput/input.h>

int main(void) {
  GetString();
  return 0;
}

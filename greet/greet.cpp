#include <cstdio>

#include <lineinput/input.h>
#include "output_status.h"

int main(int argc, string argv[]) {
  // Without a name argv[1] is null (or past the end when argc is 0), which
  // printf must not be given. 2 is the status of a usage error.
  if (argc < 2) {
    std::fputs("usage: greet NAME\n", stderr);
    return 2;
  }
  std::printf("hello, %s\n", argv[1]);
  return finish_output("greet");
}

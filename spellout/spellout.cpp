#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <lineinput/input.h>
#include "output_status.h"

int main() {
  string s = GetString();
  if (s != nullptr) {
    std::size_t n = std::strlen(s);
    for (std::size_t i = 0; i < n; i++)
      std::printf("%c\n", s[i]);
    std::free(s);
  }
  return finish_output("spellout");
}

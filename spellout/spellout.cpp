#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <lineinput/input.h>
#include "output_status.h"

int main() {
  string s = GetString();
  // Empty input is no line and no failure; anything else that gives no
  // line (a read error, memory, a line past the limit) left errno set.
  if (s == nullptr && (std::ferror(stdin) || !std::feof(stdin)))
    return report_failure("spellout");
  if (s != nullptr) {
    std::size_t n = std::strlen(s);
    for (std::size_t i = 0; i < n; i++)
      std::printf("%c\n", s[i]);
    std::free(s);
  }
  return finish_output("spellout");
}

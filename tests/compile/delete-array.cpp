#include <cstdio>
#include <lineinput/input.h>

int main() {
  string s = GetString();
  if (s != nullptr)
    std::puts(s);
  delete[] s;
  return 0;
}

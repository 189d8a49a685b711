// The library from C++: a line copied into a std::string at once, so that
// nothing has to be freed later, and std::cout for the output. std::cout
// stays synchronised with C's stdout (the default), so the prompts and the
// library's "Retry: " come out in the order they are written.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <lineinput/input.h>

namespace {

bool read_line(std::string &line) {
  char *s = GetString();
  if (s == nullptr)
    return false;
  line = s;
  std::free(s);
  return true;
}

} // namespace

int main() {
  std::string name;
  std::cout << "Name: ";
  if (!read_line(name))
    return 1;
  int age;
  do {
    std::cout << "Age: ";
    age = GetInt();
    if (age == INT_MAX && (std::feof(stdin) || std::ferror(stdin)))
      return 1;
  } while (age < 0 || age > 150); // also keeps age + 1 in range
  std::cout << "Hello, " << name << ". Next year you will be " << age + 1 << ".\n";
  return 0;
}

// A first C++ program: a name and an age, with the line as a string and
// end of input as an empty optional. std::cout stays synchronised with C's
// stdout (the default), so the prompts and the library's "Retry: " come out
// in the order they are written.
#include <iostream>
#include <string>

#include <lineinput/input.hpp>

using namespace std;

int main() {
  cout << "Name: ";
  optional<string> name = lineinput::get_line();
  if (!name)
    return 1;
  optional<int> age;
  do {
    cout << "Age: ";
    age = lineinput::get_int();
    if (!age)
      return 1;
  } while (*age < 0 || *age > 150); // also keeps age + 1 in range
  cout << "Hello, " << *name << ". Next year you will be " << *age + 1 << ".\n";
  return 0;
}

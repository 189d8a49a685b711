// A C++ program that turns off std::cout's synchronisation with C's stdout
// and then prompts before reading, as the documentation warns against.
#include <iostream>

#include <lineinput/input.h>

int main() {
  std::ios::sync_with_stdio(false);
  std::cout << "Age: ";
  int age = GetInt();
  std::cout << age + 1 << "\n";
}

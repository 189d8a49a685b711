// A beginner's C++ program: every namespace brought in, a global named c.
// With DROP_RESULT it also throws away what each of the six functions gives.
#include <iostream>
#include <lineinput/input.hpp>
using namespace std;
using namespace lineinput;
char c;
int main() {
  cout << "Letter: ";
  optional<signed char> letter = get_char();
  cout << "Price: ";
  optional<float> price = get_float();
#ifdef DROP_RESULT
  get_line();
  get_char();
  get_int();
  get_long_long();
  get_float();
  get_double();
#endif
  if (!letter || !price)
    return 1;
  c = static_cast<char>(*letter);
  cout << c << " costs " << *price * 2 << " for two\n";
}

// Calls every function through the header as a C++11 program would, with
// std::string beside the header's string type.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <lineinput/input.h>

int main() {
  string s = GetString();
  std::string line = s != nullptr ? s : "(null)";
  std::free(s);
  signed char c = GetChar();
  int i = GetInt();
  long long ll = GetLongLong();
  float f = GetFloat();
  double d = GetDouble();
  signed char end = GetChar();
  std::printf("[%s] %d %d %lld %g %g %d\n", line.c_str(), c, i, ll,
              static_cast<double>(f), d, end);
  return 0;
}

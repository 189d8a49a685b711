// Calls every function through the header as a C++11 program would, with
// std::string beside the header's string type.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <input.h>

int main() {
  string s = GetString();
  std::string line = s != nullptr ? s : "(null)";
  std::free(s);
  char c = GetChar();
  int i = GetInt();
  long long ll = GetLongLong();
  float f = GetFloat();
  double d = GetDouble();
  std::printf("[%s] %c %d %lld %g %g\n", line.c_str(), c, i, ll,
              static_cast<double>(f), d);
  return 0;
}

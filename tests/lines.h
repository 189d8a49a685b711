#ifndef LINEINPUT_TEST_LINES_H
#define LINEINPUT_TEST_LINES_H

#include <cstdlib>
#include <optional>
#include <string>

#include <lineinput/input.h>

// What GetString returned, with its block freed; no value for null.
using Line = std::optional<std::string>;

inline Line take_line() {
  string s = GetString();
  if (s == nullptr)
    return std::nullopt;
  Line line{s};
  std::free(s);
  return line;
}

#endif

#ifndef LINEINPUT_TEST_LINES_H
#define LINEINPUT_TEST_LINES_H

#include <optional>
#include <string>

#include <lineinput/input.hpp>

// What GetString returned, with its block freed; no value for null.
using Line = std::optional<std::string>;
using lineinput::get_line;

#endif

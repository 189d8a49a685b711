#ifndef LINEINPUT_BUFFER_H
#define LINEINPUT_BUFFER_H

#include <cstdlib>

namespace lineinput {

// Blocks the library allocates for itself come from malloc, like the lines
// it hands out, so they are released with free on every way out. A class
// of its own rather than std::unique_ptr: <memory> brings in the C++
// library's locale headers, which tie the sources to the C library that
// the C++ library was configured for, and the library builds over others.
class Buffer {
public:
  Buffer() = default;
  explicit Buffer(char *p) : p_(p) {}
  ~Buffer() { reset(); }
  Buffer(const Buffer &) = delete;
  Buffer &operator=(const Buffer &) = delete;

  char *get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // The old block is not freed: realloc has already moved or released it.
  void adopt(char *p) { p_ = p; }
  // An empty line never allocated, and nothing calls free for it.
  void reset() {
    if (p_ != nullptr)
      std::free(p_);
    p_ = nullptr;
  }

private:
  char *p_ = nullptr;
};

} // namespace lineinput

#endif

#ifndef LINEINPUT_BUFFER_H
#define LINEINPUT_BUFFER_H

#include <cstdlib>
#include <memory>

namespace lineinput {

// Blocks the library allocates for itself come from malloc, like the lines
// it hands out, so they are released with free on every way out.
struct FreeDeleter {
  void operator()(void *p) const noexcept { std::free(p); }
};
using Buffer = std::unique_ptr<char, FreeDeleter>;

} // namespace lineinput

#endif

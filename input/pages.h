#ifndef LINEINPUT_PAGES_H
#define LINEINPUT_PAGES_H

// A kernel hint for long lines, and the one place that knows about it.

#include <cstddef>
#include <cstdint>
#if defined(__linux__) && !defined(LINEINPUT_NO_PAGE_HINT)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace lineinput {

// Most of a long line's time is the kernel faulting in fresh pages for the
// working buffer and the result. Where transparent huge pages are given on
// request, asking for them takes one fault per 2 MiB instead of one per
// 4 KiB. The advice covers every page the block touches, not only its
// 2 MiB-aligned inside: a block that malloc mapped on its own then stays one
// mapping, which realloc can still move with mremap instead of copying. The
// hint changes no contents, and when it fails nothing changes at all.
#if defined(__linux__) && defined(MADV_HUGEPAGE) && !defined(LINEINPUT_NO_PAGE_HINT)
inline void advise_huge_pages(void *block, std::size_t size) {
  constexpr std::size_t least = std::size_t{4} << 20;
  if (size < least)
    return;
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const auto start = reinterpret_cast<std::uintptr_t>(block);
  const std::uintptr_t first = start & ~(page - 1);
  const std::uintptr_t last = (start + size + page - 1) & ~(page - 1);
  // madvise takes whole pages, so the address is rounded as an integer.
  // NOLINTNEXTLINE(performance-no-int-to-ptr)
  (void)madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
}
#else
inline void advise_huge_pages(void *, std::size_t) {}
#endif

} // namespace lineinput

#endif

set(LINEINPUT_TRIPLET i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
# The target's own loader, run by qemu-i386, finds the target's libraries
# first: with qemu-i386 -L the loader would read the host's library cache
# and load the host's 32-bit C library instead.
set(LINEINPUT_EMULATOR qemu-i386 /usr/i686-linux-gnu/lib/ld-linux.so.2
  --library-path /usr/i686-linux-gnu/lib)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu.cmake)

set(LINEINPUT_TRIPLET aarch64-linux-gnu)
set(LINEINPUT_QEMU_ARCH aarch64)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu.cmake)

set(LINEINPUT_TRIPLET arm-linux-gnueabihf)
set(LINEINPUT_QEMU_ARCH arm)
set(CMAKE_SYSTEM_PROCESSOR armv7-a)
include(${CMAKE_CURRENT_LIST_DIR}/linux-gnu.cmake)

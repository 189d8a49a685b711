# Shared by the toolchain files beside it, each of which sets
# LINEINPUT_TRIPLET and CMAKE_SYSTEM_PROCESSOR first: Debian's cross
# compiler for the triplet, its libraries under /usr/TRIPLET, and programs
# started through the emulator that LINEINPUT_EMULATOR names (qemu-user by
# default). GoogleTest, built for the target, is found through GTest_DIR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${LINEINPUT_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${LINEINPUT_TRIPLET}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${LINEINPUT_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(NOT DEFINED LINEINPUT_EMULATOR)
  set(LINEINPUT_EMULATOR qemu-${LINEINPUT_QEMU_ARCH} -L /usr/${LINEINPUT_TRIPLET})
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${LINEINPUT_EMULATOR})

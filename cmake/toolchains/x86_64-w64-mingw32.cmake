# Windows on x86-64 with Debian's MinGW-w64 cross compiler (the POSIX
# threads variant, whose C++ library has std::thread for the tests), its
# libraries under /usr/x86_64-w64-mingw32, and programs started through
# Wine. GoogleTest, built for the target, is found through GTest_DIR.
# Programs written in C++ load the C++ runtime's DLLs, which Wine finds
# through WINEPATH (as .ci/windows sets it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Builds against musl with Debian's musl-tools, statically. C goes through
# musl-gcc. C++ has no musl runtime here, but the library and the programs
# use only the C++ library's headers, so g++ compiles them over musl's C
# headers and musl-gcc links them with no C++ runtime at all. GoogleTest
# needs that runtime, so only the tests written in C are built.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER musl-gcc)
set(CMAKE_CXX_COMPILER g++)
execute_process(COMMAND g++ -dumpfullversion OUTPUT_VARIABLE gcc_version
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND g++ -dumpmachine OUTPUT_VARIABLE gcc_triplet
  OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REGEX REPLACE "\\..*" "" gcc_major "${gcc_version}")
string(REGEX REPLACE "-gnu$" "-musl" musl_triplet "${gcc_triplet}")
# The C++ library's headers first, so that theirs wrap musl's C headers;
# its configuration was made for glibc and asks glibc's version macro,
# which the forced include answers.
set(CMAKE_CXX_FLAGS_INIT "-nostdinc -isystem /usr/include/c++/${gcc_major} \
-isystem /usr/include/${gcc_triplet}/c++/${gcc_major} \
-isystem /usr/include/${musl_triplet} \
-isystem /usr/lib/gcc/${gcc_triplet}/${gcc_major}/include \
-include ${CMAKE_CURRENT_LIST_DIR}/musl/glibc-version.h -fno-rtti")
set(CMAKE_CXX_LINK_EXECUTABLE
  "${CMAKE_C_COMPILER} <FLAGS> <CMAKE_CXX_LINK_FLAGS> <LINK_FLAGS> <OBJECTS> -o <TARGET> <LINK_LIBRARIES>")
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(BUILD_SHARED_LIBS OFF CACHE BOOL "musl programs are linked statically")
set(LINEINPUT_C_TESTS_ONLY ON CACHE BOOL "GoogleTest needs the C++ runtime")

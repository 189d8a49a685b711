/* The C++ library's configuration tests glibc's version with this macro;
 * over musl no glibc feature is there. */
#ifndef __GLIBC_PREREQ
#define __GLIBC_PREREQ(major, minor) 0
#endif

# Sourced by .ci/windows and .ci/release-windows: use_runtime RUNTIME WORK
# sets triplet, toolchain, cc and cxx for one of Windows' two C runtimes:
#   msvcrt  Debian 12's MinGW-w64 (g++-mingw-w64-x86-64-posix), here
#   ucrt    Debian 13's (g++-mingw-w64-ucrt64), which Debian 12 lacks.
# enter_root SUITE PACKAGE TRIPLET WORK gives the compilers of a package
# that Debian 12 lacks, as ucrt needs: they run in a root of SUITE under
# WORK, where the source tree, GoogleTest's sources and CMake's modules
# (whose sources CMake compiles to learn about a compiler) are mounted at
# their own paths, and WORK/SUITE-bin, put first in PATH, holds one
# command per TRIPLET tool that runs it in the root, so CMake and the
# checks call the tools as if they were installed here; tool_root is the
# root's path.
# leave_runtime undoes what use_runtime or enter_root did; callers run it
# on exit.
. "$src/.ci/debian-root.sh"

tool_root= root_mounts=()

use_runtime() { # runtime work
  case $1 in
    msvcrt)
      bash "$src/.ci/install-deps" g++-mingw-w64-x86-64-posix
      triplet=x86_64-w64-mingw32 cc=$triplet-gcc-posix cxx=$triplet-g++-posix ;;
    ucrt)
      triplet=x86_64-w64-mingw32ucrt cc=$triplet-gcc cxx=$triplet-g++
      enter_root trixie g++-mingw-w64-ucrt64 "$triplet" "$2" ;;
    *) echo "unknown C runtime: $1 (msvcrt or ucrt)" >&2; return 1 ;;
  esac
  toolchain=$src/cmake/toolchains/$triplet.cmake
}

enter_root() { # suite package triplet work
  local dir tool bin=$4/$1-bin
  bash "$src/.ci/install-deps" debootstrap
  leave_runtime
  tool_root=$4/$1-tools
  make_debian_root "$1" "$tool_root" git,ca-certificates "$2"
  for dir in "$src" /usr/src/googletest /usr/share/cmake-*; do
    [ -d "$dir" ] || continue
    mkdir -p "$tool_root$dir"
    mount --bind "$dir" "$tool_root$dir"
    root_mounts+=("$tool_root$dir")
  done
  rm -rf "$bin"
  mkdir -p "$bin"
  # The root sees these commands too, through the source tree: each names
  # the root's own tool by its path, or it would start itself again.
  for tool in "$tool_root/usr/bin/$3"-*; do
    printf '#!/bin/sh\nexec chroot %q /usr/bin/env -C "$PWD" %q "$@"\n' \
      "$tool_root" "${tool#"$tool_root"}" >"$bin/${tool##*/}"
    chmod +x "$bin/${tool##*/}"
  done
  PATH=$bin:$PATH
}

# The mounts go first: the root is removed only when nothing is mounted
# in it, or the removal would reach the source tree.
leave_runtime() {
  local m
  [ -n "$tool_root" ] || return 0
  for m in "${root_mounts[@]}"; do umount "$m"; done
  root_mounts=()
  if grep -F " $tool_root/" /proc/mounts | grep -vE " $tool_root/(dev|proc)[/ ]" >/dev/null; then
    echo "leave_runtime: $tool_root still has mounts; left in place" >&2
    return 1
  fi
  remove_debian_root "$tool_root"
  tool_root=
}

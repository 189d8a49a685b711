# Sourced by .ci/windows and .ci/release-windows: use_runtime RUNTIME WORK
# sets triplet, toolchain, cc and cxx for one of Windows' two C runtimes:
#   msvcrt  Debian 12's MinGW-w64 (g++-mingw-w64-x86-64-posix), here
#   ucrt    Debian 13's (g++-mingw-w64-ucrt64), which Debian 12 lacks: it
#           runs in a Debian 13 root under WORK, where the source tree,
#           GoogleTest's sources and CMake's modules (whose sources CMake
#           compiles to learn about a compiler) are mounted at their own
#           paths, and
#           WORK/ucrt-bin, put first in PATH, holds one command per tool
#           that runs it in the root, so CMake and the checks call the
#           tools as if they were installed here.
# leave_runtime undoes what use_runtime did; callers run it on exit.
. "$src/.ci/debian-root.sh"

ucrt_root= ucrt_mounts=()

use_runtime() { # runtime work
  case $1 in
    msvcrt)
      bash "$src/.ci/install-deps" g++-mingw-w64-x86-64-posix
      triplet=x86_64-w64-mingw32 cc=$triplet-gcc-posix cxx=$triplet-g++-posix ;;
    ucrt)
      triplet=x86_64-w64-mingw32ucrt cc=$triplet-gcc cxx=$triplet-g++
      enter_ucrt_root "$2" ;;
    *) echo "unknown C runtime: $1 (msvcrt or ucrt)" >&2; return 1 ;;
  esac
  toolchain=$src/cmake/toolchains/$triplet.cmake
}

enter_ucrt_root() { # work
  local dir tool bin=$1/ucrt-bin
  bash "$src/.ci/install-deps" debootstrap
  ucrt_root=$1/trixie-ucrt
  leave_runtime
  make_debian_root trixie "$ucrt_root" git,ca-certificates
  install_in_root "$ucrt_root" g++-mingw-w64-ucrt64
  for dir in "$src" /usr/src/googletest /usr/share/cmake-*; do
    [ -d "$dir" ] || continue
    mkdir -p "$ucrt_root$dir"
    mount --bind "$dir" "$ucrt_root$dir"
    ucrt_mounts+=("$ucrt_root$dir")
  done
  mkdir -p "$bin"
  # The root sees these commands too, through the source tree: each names
  # the root's own tool by its path, or it would start itself again.
  for tool in "$ucrt_root/usr/bin/$triplet"-*; do
    printf '#!/bin/sh\nexec chroot %q /usr/bin/env -C "$PWD" %q "$@"\n' \
      "$ucrt_root" "${tool#"$ucrt_root"}" >"$bin/${tool##*/}"
    chmod +x "$bin/${tool##*/}"
  done
  PATH=$bin:$PATH
}

# The mounts go first: the root is removed only when nothing is mounted
# in it, or the removal would reach the source tree.
leave_runtime() {
  local m
  [ -n "$ucrt_root" ] || return 0
  for m in "${ucrt_mounts[@]}"; do umount "$m"; done
  ucrt_mounts=()
  if grep -F " $ucrt_root/" /proc/mounts | grep -vE " $ucrt_root/(dev|proc)[/ ]" >/dev/null; then
    echo "leave_runtime: $ucrt_root still has mounts; left in place" >&2
    return 1
  fi
  remove_debian_root "$ucrt_root"
}

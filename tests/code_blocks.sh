#!/usr/bin/env bash
# Compiles every C and C++ code block of the README and the manual pages
# with warnings as errors, so that no example in the documentation can go
# stale. README blocks are the ```c and ```cpp ones; a manual page's are
# its .EX blocks that include a header, with troff's escapes undone.
#
#   code_blocks.sh SOURCE_DIR C_COMPILER CXX_COMPILER
set -euo pipefail
src=$1 cc=$2 cxx=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

awk -v dir="$work" '
  /^```(c|cpp)$/ { n++; file = sprintf("%s/README-%02d.%s", dir, n, substr($0, 4)); next }
  /^```$/ { file = "" }
  file != "" { print > file }' "$src/README.md"
for page in "$src"/man/man*/*.[0-9]; do
  awk -v dir="$work" -v name="$(basename "$page")" '
    /^\.EX/ { n++; file = sprintf("%s/%s-%02d.c", dir, name, n); next }
    /^\.EE/ { file = "" }
    file != "" { gsub(/\\e/, "\\"); gsub(/\\-/, "-"); gsub(/\\\(aq/, "\047"); print > file }' "$page"
done
grep -L '^#include' "$work"/*.3-*.c "$work"/*.1-*.c 2>/dev/null | xargs -r rm

flags=(-Wall -Wextra -Wpedantic -Werror -fsigned-char -I "$src/input" -c -o /dev/null)
count=0
for block in "$work"/*; do
  case $block in
    *.cpp) "$cxx" -std=c++11 "${flags[@]}" "$block" ;;
    *) "$cc" -std=c99 "${flags[@]}" "$block" ;;
  esac || { echo "FAIL: $(basename "$block") does not compile:"; cat -n "$block"; exit 1; }
  count=$((count + 1))
done
[ "$count" -gt 0 ] || { echo "FAIL: no code blocks found"; exit 1; }
echo "$count code blocks compile: $(cd "$work" && ls | tr '\n' ' ')"

#!/usr/bin/env bash
# Compiles the programs a user of the header writes: every C and C++ code
# block of the README and the manual pages, the examples, and the programs
# in tests/compile. The correct ones must compile without a warning in every
# language standard the header supports (with GCC's analyzer too); each
# wrong one must draw the diagnostic its row names, so the header's
# annotations cannot go missing. One standard of each language is compiled
# with an unsigned plain char, as on ARM, where no program needs a flag.
# Where the programs can run here, each correct one is also linked with the
# library under AddressSanitizer and UndefinedBehaviorSanitizer and run at
# once at end of input and after one bad line: it must end cleanly and
# never print a reader's end-of-input value as if it were an answer.
# README blocks are the ```c and ```cpp ones; a manual page's are its .EX
# blocks that include a header, with troff's escapes undone.
#
#   code_blocks.sh SOURCE_DIR INCLUDE_DIR C_COMPILER CXX_COMPILER [LIBRARY]
#
# INCLUDE_DIR holds lineinput/input.h, as after an install.
#
# Without LIBRARY (as when the programs are built for another processor)
# nothing is run.
set -euo pipefail
src=$1 include=$2 cc=$3 cxx=$4 library=${5:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A README block after "<!-- gcc warns: TEXT -->" shows a mistake: it goes
# with the wrong programs, TEXT being what GCC's analyzer must report.
mkdir "$work/wrong"
awk -v dir="$work" '
  /^<!-- gcc warns: / { expect = $4; next }
  /^```(c|cpp)$/ {
    n++
    file = sprintf("%s/README-%02d.%s", dir, n, substr($0, 4))
    if (expect != "") {
      file = sprintf("%s/wrong/README-%02d.%s", dir, n, substr($0, 4))
      print "gcc analyzer " file " " expect > (dir "/wrong/rows")
    }
    expect = ""
    next
  }
  /^```$/ { file = "" }
  file != "" { print > file }' "$src/README.md"
for page in "$src"/man/man*/*.[0-9]; do
  awk -v dir="$work" -v name="$(basename "$page")" '
    /^\.EX/ { n++; file = sprintf("%s/%s-%02d.c", dir, name, n); next }
    /^\.EE/ { file = "" }
    file != "" { gsub(/\\e/, "\\"); gsub(/\\-/, "-"); gsub(/\\\(aq/, "\047"); print > file }' "$page"
done
grep -L '^#include' "$work"/*.3-*.c "$work"/*.1-*.c 2>/dev/null | xargs -r rm
cp "$src"/examples/*.c "$src"/examples/*.cpp "$work/"
# The beginner's program must build as C++ as well.
cp "$src/tests/compile/beginner.c" "$work/beginner.c"
cp "$src/tests/compile/beginner.c" "$work/beginner.cpp"

if "$cc" --version | grep clang >/dev/null; then family=clang; else family=gcc; fi
flags=(-Wall -Wextra -Wpedantic -Werror -I "$include" -c -o /dev/null)
c_standards=(c99 c11 "c17 -funsigned-char" c2x)
cxx_standards=(c++11 c++14 "c++17 -funsigned-char" c++20)
analyzer=()
[ $family = gcc ] && analyzer=(-fanalyzer)

fail() { echo "FAIL: $1"; cat -n "$2"; exit 1; }

# What the readers give at end of input, as printf prints them with %d,
# %lld, %g, %f or %c, and INT_MAX + 1 wrapped.
sentinels='2147483647|-2147483648|9223372036854775807|3\.40282|340282346|1\.79769|179769313|'$'\x7f'
run_ending() { # block
  local compiler=$cc program=$work/program input out
  case $1 in *.cpp) compiler=$cxx ;; esac
  "$compiler" -I "$include" -fsanitize=address,undefined \
    -fno-sanitize-recover=all "$1" "$library" -Wl,-rpath,"$(dirname "$library")" \
    -o "$program" || fail "$(basename "$1") does not link" "$1"
  for input in '' 'x\n'; do
    out=$(printf "$input" | "$program" 2>"$work/stderr") || [ $? -lt 128 ] ||
      fail "$(basename "$1") crashed on input '$input': $(cat "$work/stderr")" "$1"
    ! grep -q 'runtime error\|Sanitizer' "$work/stderr" ||
      fail "$(basename "$1") on input '$input': $(cat "$work/stderr")" "$1"
    ! grep -qE "$sentinels" <<<"$out" ||
      fail "$(basename "$1") printed an end-of-input value on input '$input': $out" "$1"
  done
}

count=0 ran=0
for block in "$work"/*.c "$work"/*.cpp; do
  for std in "${c_standards[@]}"; do
    case $block in *.cpp) break ;; esac
    # shellcheck disable=SC2086 # a standard may carry a flag
    "$cc" -std=$std "${flags[@]}" "${analyzer[@]}" "$block" ||
      fail "$(basename "$block") does not compile as $std" "$block"
  done
  for std in "${cxx_standards[@]}"; do
    case $block in *.cpp) ;; *) break ;; esac
    # shellcheck disable=SC2086
    "$cxx" -std=$std "${flags[@]}" "$block" ||
      fail "$(basename "$block") does not compile as $std" "$block"
  done
  count=$((count + 1))
  if [ -n "$library" ] && grep -q 'main(' "$block"; then
    run_ending "$block"
    ran=$((ran + 1))
  fi
done
[ "$count" -gt 0 ] || { echo "FAIL: no code blocks found"; exit 1; }
echo "$count programs compile cleanly as ${c_standards[*]} / ${cxx_standards[*]}"
echo "$ran programs end cleanly at end of input and after a bad line"

# Wrong programs: compiler family (or any), how it is checked, the program
# (in tests/compile unless a path), and the text its diagnostics must hold.
wrong=(
  "any  compile  dropped-result.c    -Wunused-result"
  "gcc  analyzer unchecked-strlen.c  -Wanalyzer-possible-null-argument"
  "gcc  analyzer unchecked-index.c   -Wanalyzer-possible-null-dereference"
  "gcc  analyzer double-free.c       -Wanalyzer-double-free"
  "gcc  compile  delete-array.cpp    -Wmismatched-new-delete"
  "clang analyze unchecked-strlen.c  nullability.NullableDereferenced"
  "clang analyze unchecked-index.c   nullability.NullableDereferenced"
)
[ -f "$work/wrong/rows" ] && mapfile -t -O ${#wrong[@]} wrong <"$work/wrong/rows"
diagnose() { # how program
  local compiler=$cc program=$2
  case $program in *.cpp) compiler=$cxx ;; esac
  local args=(-Wall -Wextra -I "$include" -c -o /dev/null "$program")
  case $1 in
    compile) "$compiler" "${args[@]}" ;;
    analyzer) "$compiler" "${args[@]}" -fanalyzer ;;
    analyze) "$compiler" --analyze -Xanalyzer -analyzer-checker=nullability \
      -I "$include" -o /dev/null "$program" ;;
  esac 2>&1 || true
}
checked=0
for row in "${wrong[@]}"; do
  read -r who how program expected <<<"$row"
  [ "$who" = any ] || [ "$who" = $family ] || continue
  case $program in /*) ;; *) program=$src/tests/compile/$program ;; esac
  diagnose "$how" "$program" | grep -F -- "$expected" >/dev/null ||
    fail "$program ($how, $family) does not report $expected" "$program"
  checked=$((checked + 1))
done
echo "$checked wrong programs draw their diagnostics with $family"

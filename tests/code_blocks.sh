#!/usr/bin/env bash
# Compiles the programs a user of the header writes: the examples, and the
# programs in tests/compile. The correct ones must compile without a warning
# in every language standard the header supports, and under GCC's analyzer;
# each wrong one must draw the diagnostic its row names, so the header's
# annotations cannot go missing. One standard of each language is compiled
# with an unsigned plain char, as on ARM, where no program needs a flag.
# Where the programs can run here, each correct one is also linked with the
# library under AddressSanitizer and UndefinedBehaviorSanitizer and run at
# once at end of input and after one bad line: it must end cleanly and
# never print a reader's end-of-input value as if it were an answer.
# Every program the README shows (its ```c and ```cpp blocks) and every
# one a manual page shows (an .EX block with a main, troff's escapes
# undone) must be a copy of an example: each program exists once, and what
# a reader sees is what is tested.
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

fail() { echo "FAIL: $1"; cat -n "$2"; exit 1; }

mkdir "$work/shown"
awk -v dir="$work/shown" '
  /^```(c|cpp)$/ { n++; file = sprintf("%s/README-%02d.%s", dir, n, substr($0, 4)); next }
  /^```$/ { file = "" }
  file != "" { print > file }' "$src/README.md"
for page in "$src"/man/man*/*.[0-9]; do
  awk -v dir="$work/shown" -v name="$(basename "$page")" '
    /^\.EX/ { n++; file = sprintf("%s/%s-%02d.c", dir, name, n); next }
    /^\.EE/ { file = "" }
    file != "" { gsub(/\\e/, "\\"); gsub(/\\-/, "-"); gsub(/\\\(aq/, "\047"); print > file }' "$page"
done
grep -L 'main(' "$work"/shown/*.[0-9]-*.c 2>/dev/null | xargs -r rm
for block in "$work"/shown/*; do
  for example in "$src"/examples/*.c "$src"/examples/*.cpp; do
    cmp -s "$block" "$example" && continue 2
  done
  fail "$(basename "$block"): the program shown is not a copy of a file in examples/" "$block"
done
echo "$(ls "$work/shown" | wc -l) programs shown in the README and the manual pages are examples"

cp "$src"/examples/*.c "$src"/examples/*.cpp "$work/"
# The beginner's program must build as C++ as well.
cp "$src/tests/compile/beginner.c" "$work/beginner.c"
cp "$src/tests/compile/beginner.c" "$work/beginner.cpp"
cp "$src/tests/compile/namespaces.cpp" "$work/"

if "$cc" --version | grep clang >/dev/null; then family=clang; else family=gcc; fi

# What the readers give at end of input, as printf prints them with %d,
# %lld, %g, %f or %c, and INT_MAX + 1 wrapped.
sentinels='2147483647|-2147483648|9223372036854775807|3\.40282|340282346|1\.79769|179769313|'$'\x7f'
run_ending() { # program
  local compiler=$cc program=$1.run input out std=()
  case $1 in *.cpp) compiler=$cxx std=(-std=c++17) ;; esac
  "$compiler" "${std[@]}" -I "$include" -fsanitize=address,undefined \
    -fno-sanitize-recover=all "$1" "$library" -Wl,-rpath,"$(dirname "$library")" \
    -o "$program" || fail "$(basename "$1") does not link" "$1"
  for input in '' 'x\n'; do
    out=$(printf "$input" | "$program" 2>"$1.stderr") || [ $? -lt 128 ] ||
      fail "$(basename "$1") crashed on input '$input': $(cat "$1.stderr")" "$1"
    ! grep -q 'runtime error\|Sanitizer' "$1.stderr" ||
      fail "$(basename "$1") on input '$input': $(cat "$1.stderr")" "$1"
    ! grep -qE "$sentinels" <<<"$out" ||
      fail "$(basename "$1") printed an end-of-input value on input '$input': $out" "$1"
  done
}

# Each language standard once; GCC's analyzer, which sees the same code in
# every standard, with one of them.
check_program() { # program
  local std compiler=$cc standards=(c99 c11 "c17 -funsigned-char" c2x)
  case $1 in *.cpp) compiler=$cxx standards=(c++11 c++14 "c++17 -funsigned-char" c++20) ;; esac
  # The C++ header starts at C++17, and is silent under the warnings that
  # courses and careful projects add.
  local strict=()
  if grep -q 'lineinput/input.hpp' "$1"; then
    standards=("c++17 -funsigned-char" c++20 c++2b)
    strict=(-Wconversion -Wsign-conversion -Wshadow -Wfloat-equal -Wold-style-cast)
    [ $family = clang ] || strict+=(-Wuseless-cast)
  fi
  for std in "${standards[@]}"; do
    local extra=("${strict[@]}")
    [ $family = gcc ] && [ "$std" = c11 ] && extra+=(-fanalyzer)
    # shellcheck disable=SC2086 # a standard may carry a flag
    "$compiler" -std=$std -Wall -Wextra -Wpedantic -Werror -I "$include" -c -o /dev/null \
      "${extra[@]}" "$1" || fail "$(basename "$1") does not compile as $std" "$1"
  done
  if [ -n "$library" ]; then run_ending "$1"; fi
}

programs=("$work"/*.c "$work"/*.cpp)
export cc cxx include library family sentinels
export -f fail run_ending check_program
printf '%s\0' "${programs[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c 'check_program "$1"' _ ||
  exit 1
echo "${#programs[@]} programs compile cleanly in every standard${library:+, and end cleanly at end of input and after a bad line}"

# Wrong programs: compiler family (or any), how it is checked, how many
# times at least its diagnostics must hold a text, the program in
# tests/compile, and the text.
wrong=(
  "any  compile  1 dropped-result.c    -Wunused-result"
  "gcc  analyzer 1 unchecked-strlen.c  -Wanalyzer-possible-null-argument"
  "gcc  analyzer 1 unchecked-index.c   -Wanalyzer-possible-null-dereference"
  "gcc  analyzer 1 double-free.c       -Wanalyzer-double-free"
  "gcc  compile  1 delete-array.cpp    -Wmismatched-new-delete"
  "any  c++14    1 ../../examples/greeting.cpp  needs C++17"
  "any  dropped  6 namespaces.cpp      -Wunused-result"
  "clang analyze 1 unchecked-strlen.c  nullability.NullableDereferenced"
  "clang analyze 1 unchecked-index.c   nullability.NullableDereferenced"
)
diagnose() { # how program
  local compiler=$cc program=$2
  case $program in *.cpp) compiler=$cxx ;; esac
  local args=(-Wall -Wextra -I "$include" -c -o /dev/null "$program")
  case $1 in
    compile) "$compiler" "${args[@]}" ;;
    analyzer) "$compiler" "${args[@]}" -fanalyzer ;;
    c++14) "$compiler" "${args[@]}" -std=c++14 ;;
    dropped) "$compiler" "${args[@]}" -std=c++17 -DDROP_RESULT ;;
    analyze) "$compiler" --analyze -Xanalyzer -analyzer-checker=nullability \
      -I "$include" -o /dev/null "$program" ;;
  esac 2>&1 || true
}
checked=0
for row in "${wrong[@]}"; do
  read -r who how times program expected <<<"$row"
  [ "$who" = any ] || [ "$who" = $family ] || continue
  program=$src/tests/compile/$program
  found=$(diagnose "$how" "$program" | grep -c -F -- "$expected" || true)
  [ "$found" -ge "$times" ] ||
    fail "$program ($how, $family) reports $expected $found times, not $times" "$program"
  checked=$((checked + 1))
done
echo "$checked wrong programs draw their diagnostics with $family"

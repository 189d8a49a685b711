/* Scripts of reads on standard input, each CASE(input, script): the letters
 * of the script are the steps, L a line from the reader under test, c
 * fgetc, u ungetc of '#', U ungetc of the byte the last c read, r fread of
 * three bytes, s fscanf of an integer, g getline. Plain C literals, so the
 * same table runs from the C++ tests and from the C runner built on every
 * C library. An @ in an input stands for 5000 bytes x, a line longer than
 * any stream buffer (a literal that long is beyond what C99 promises). */
#ifndef LINEINPUT_STREAM_CASES_H
#define LINEINPUT_STREAM_CASES_H

#define LONG_LINE_LENGTH 5000

#define STREAM_CASES(CASE) \
  CASE("one\ntwo\nthree", "LLLL") \
  CASE("bc\nde\n", "uLL") \
  CASE("bc\nde\n", "cULL") \
  CASE("bc\nde\n", "cuuLL") \
  CASE("ab\ncd\nef\n", "LcLL") \
  CASE("abcdef\ngh\n", "rLL") \
  CASE("12 tail\n34\nend\n", "sLsLL") \
  CASE("first\nsecond\nthird\n", "gLgL") \
  CASE("\n\n\nx", "LcLLL") \
  CASE("@\n@y", "LcuLL") \
  CASE("no line feed", "LL") \
  CASE("", "LcL")

#endif

// Reads the whole of standard input with one method and prints a checksum,
// so that each method is timed as a whole process on the same input; the
// checksums let a reader see that the methods read the same data. Also
// writes the generated inputs.
#include <cinttypes>
#include <climits>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <type_traits>

#include <lineinput/input.h>

namespace {

// The library's line-reading algorithm in its plainest form, one locked
// fgetc per byte: the reference the library's reader is measured against.
char *literal_get_string() {
  char *buf = nullptr;
  std::uint32_t capacity = 0, n = 0;
  int c;
  while ((c = std::fgetc(stdin)) != '\n' && c != EOF) {
    if (n + 1 > capacity) {
      if (capacity == 0)
        capacity = 32;
      else if (capacity <= 2147483647U)
        capacity *= 2;
      else {
        std::free(buf);
        return nullptr;
      }
      auto *temp = static_cast<char *>(std::realloc(buf, capacity));
      if (temp == nullptr) {
        std::free(buf);
        return nullptr;
      }
      buf = temp;
    }
    buf[n++] = static_cast<char>(c);
  }
  if (n == 0 && c == EOF)
    return nullptr;
  auto *s = static_cast<char *>(std::malloc(std::size_t{n} + 1));
  if (s != nullptr && n > 0)
    std::strncpy(s, buf, n);
  std::free(buf);
  if (s != nullptr)
    s[n] = '\0';
  return s;
}

struct Sum {
  std::uint64_t lines = 0, bytes = 0;
  void add(std::size_t n) { lines++, bytes += n; }
  void print() const { std::printf("%" PRIu64 " lines %" PRIu64 " bytes\n", lines, bytes); }
};

template <typename Read> void count_lines(Read read) {
  Sum sum;
  while (char *s = read()) {
    sum.add(std::strlen(s));
    std::free(s);
  }
  sum.print();
}

// getline keeps its buffer across lines; the copy gives each line its own
// exact-size block, as the library does.
void getline_copy() {
  Sum sum;
  char *line = nullptr;
  std::size_t cap = 0;
  ssize_t n;
  while ((n = getline(&line, &cap, stdin)) >= 0) {
    if (n > 0 && line[n - 1] == '\n')
      line[--n] = '\0';
    auto *s = static_cast<char *>(std::malloc(static_cast<std::size_t>(n) + 1));
    std::memcpy(s, line, static_cast<std::size_t>(n) + 1);
    sum.add(std::strlen(s));
    std::free(s);
  }
  std::free(line);
  sum.print();
}

void std_getline() {
  std::ios::sync_with_stdio(false);
  Sum sum;
  std::string line;
  while (std::getline(std::cin, line))
    sum.add(std::strlen(line.c_str()));
  sum.print();
}

// Each line written back, as a filter does, with standard output a file:
// the library's flush before a wait must leave the output's buffering be.
void echo_getstring() {
  while (char *s = GetString()) {
    std::puts(s);
    std::free(s);
  }
}

void echo_getline() {
  char *line = nullptr;
  std::size_t cap = 0;
  while (getline(&line, &cap, stdin) >= 0)
    std::fputs(line, stdout);
  std::free(line);
}

// Integers are summed exactly; every method of one kind prints the same.
template <typename T>
using Total = std::conditional_t<std::is_integral_v<T>, long long, double>;

void print_total(long long total, std::uint64_t count) {
  std::printf("%" PRIu64 " values, total %lld\n", count, total);
}
void print_total(double total, std::uint64_t count) {
  std::printf("%" PRIu64 " values, total %.17g\n", count, total);
}

template <typename T, typename Read> void sum_values(Read read, T end) {
  Total<T> total{};
  std::uint64_t count = 0;
  for (;;) {
    T v = read();
    if (v == end)
      break;
    total += v, count++;
  }
  print_total(total, count);
}

// Lines scanned with the format string: with the plain line reader, this is
// the typed readers' algorithm in its plainest form.
template <typename T> void sum_sscanf(char *(*read_line)(), const char *format) {
  Total<T> total{};
  std::uint64_t count = 0;
  while (char *s = read_line()) {
    T v;
    char c;
    if (std::sscanf(s, format, &v, &c) == 1)
      total += v, count++;
    std::free(s);
  }
  print_total(total, count);
}

template <typename T> void sum_scanf(const char *format) {
  Total<T> total{};
  T v;
  std::uint64_t count = 0;
  while (std::scanf(format, &v) == 1)
    total += v, count++;
  print_total(total, count);
}

template <typename T> void sum_cin() {
  std::ios::sync_with_stdio(false);
  Total<T> total{};
  T v;
  std::uint64_t count = 0;
  while (std::cin >> v)
    total += v, count++;
  print_total(total, count);
}

// A small deterministic generator, so every run reads the same input.
std::uint64_t next_random(std::uint64_t &state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return state >> 33;
}

void generate(const std::string &kind, unsigned long long amount) {
  std::uint64_t state = 42;
  if (kind == "long") {
    static char block[1 << 16];
    std::memset(block, 'x', sizeof block);
    for (unsigned long long left = amount; left > 0;) {
      std::size_t n = left < sizeof block ? left : sizeof block;
      std::fwrite(block, 1, n, stdout);
      left -= n;
    }
    std::putchar('\n');
    return;
  }
  for (unsigned long long i = 0; i < amount; i++) {
    std::uint64_t r = next_random(state);
    if (kind == "short")
      std::printf("%.*s\n", static_cast<int>(r % 21), "abcdefghij klmnopqrst");
    else if (kind == "int")
      std::printf("%" PRId64 "\n", static_cast<std::int64_t>(r % 2000000001) - 1000000000);
    else
      std::printf("%.9g\n", (static_cast<double>(r % 2000000001) - 1e9) / 997.0);
  }
}

struct Method {
  const char *name;
  void (*run)();
};

constexpr Method methods[] = {
    {"getstring", [] { count_lines(GetString); }},
    {"literal", [] { count_lines(literal_get_string); }},
    {"getline-copy", getline_copy},
    {"std-getline", std_getline},
    {"echo-getstring", echo_getstring},
    {"echo-getline", echo_getline},
    {"getint", [] { sum_values<int>(GetInt, INT_MAX); }},
    {"sscanf-int", [] { sum_sscanf<int>(literal_get_string, " %i %c"); }},
    {"getstring-sscanf-int", [] { sum_sscanf<int>(GetString, " %i %c"); }},
    {"scanf-int", [] { sum_scanf<int>("%d"); }},
    {"cin-int", [] { sum_cin<int>(); }},
    {"getdouble", [] { sum_values<double>(GetDouble, DBL_MAX); }},
    {"sscanf-double", [] { sum_sscanf<double>(literal_get_string, " %lf %c"); }},
    {"scanf-double", [] { sum_scanf<double>("%lf"); }},
    {"cin-double", [] { sum_cin<double>(); }},
    {"getfloat", [] { sum_values<float>(GetFloat, FLT_MAX); }},
    {"scanf-float", [] { sum_scanf<float>("%f"); }},
};

} // namespace

int main(int argc, char **argv) {
  if (argc == 4 && std::string(argv[1]) == "generate") {
    generate(argv[2], std::strtoull(argv[3], nullptr, 10));
    return 0;
  }
  for (const Method &m : methods) {
    if (argc == 2 && std::strcmp(argv[1], m.name) == 0) {
      m.run();
      return 0;
    }
  }
  std::fputs("usage: lineinput-bench METHOD < input\n"
             "       lineinput-bench generate long|short|int|double AMOUNT\n",
             stderr);
  return 2;
}

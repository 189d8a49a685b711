#ifndef LINEINPUT_OUTPUT_STATUS_H
#define LINEINPUT_OUTPUT_STATUS_H

#include <cerrno>
#include <cstdio>
#include <cstring>

// One line naming the cause, as other command-line tools write it. Returns
// the exit status for main.
inline int report_failure(const char *program) {
  std::fprintf(stderr, "%s: %s\n", program, std::strerror(errno));
  return 1;
}

// Standard output is buffered, so a full disk or a closed descriptor shows
// only when the buffer is flushed; exiting 0 then would report lost output as
// success. Returns the exit status for main.
inline int finish_output(const char *program) {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
    return 0;
  return report_failure(program);
}

#endif

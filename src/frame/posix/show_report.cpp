// Where the catch-error report is shown without a window system: standard error, one report
// a line group, flushed at once so that it is not lost if the host ends soon after.
#include <cstdio>

#include "frame/internal/guard.h"

namespace corvix {

void ShowCatchErrorReport(const char* text) {
  std::fputs(text, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace corvix

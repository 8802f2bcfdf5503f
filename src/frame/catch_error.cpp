// The catch-error report text. Where it is shown depends on the platform: frame/windows/ and
// frame/posix/ each hold one ShowCatchErrorReport, and the build picks one.
#include <cstdio>

#include "frame/internal/guard.h"

namespace corvix {

void FormatCatchErrorReport(char (&buffer)[kMessageBytes], const char* className,
                            const char* functionName) {
  std::snprintf(
      buffer, sizeof buffer,
      "Please report below lines to Vornel\nClass : %s\nFunction : %s\nError : Catch Error",
      className != nullptr ? className : "", functionName != nullptr ? functionName : "");
}

void ReportCatchError(const char* className, const char* functionName) {
  char text[kMessageBytes];
  FormatCatchErrorReport(text, className, functionName);
  ShowCatchErrorReport(text);
}

}  // namespace corvix

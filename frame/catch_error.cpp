// The catch-error report text and where it is shown.
#include <cstdio>

#include "frame/internal/guard.h"

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace corvix {

void FormatCatchErrorReport(char (&buffer)[kMessageBytes], const char* className,
                            const char* functionName) {
  std::snprintf(buffer, sizeof buffer,
                "Please report below lines to Vornel\nClass : %s\nFunction : %s\nError : Catch Error",
                className != nullptr ? className : "", functionName != nullptr ? functionName : "");
}

void ShowCatchErrorReport(const char* text) {
#if defined(_WIN32)
  // Style 16: the error icon with a single OK button. The box belongs to the thread's active
  // window, so it is modal to the host's window as an application message box is, and the
  // calling thread waits until the user dismisses it.
  static_assert((MB_OK | MB_ICONERROR) == 16, "the report's message box style is 16");
  MessageBoxA(GetActiveWindow(), text, "CorvixMath", MB_OK | MB_ICONERROR);
#else
  std::fputs(text, stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
#endif
}

void ReportCatchError(const char* className, const char* functionName) {
  char text[kMessageBytes];
  FormatCatchErrorReport(text, className, functionName);
  ShowCatchErrorReport(text);
}

}  // namespace corvix

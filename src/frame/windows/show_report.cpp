// Where the catch-error report is shown on Windows: a modal message box with the error icon.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "frame/internal/guard.h"

namespace corvix {

void ShowCatchErrorReport(const char* text) {
  // Style 16: the error icon with a single OK button. The box belongs to the thread's active
  // window, so it is modal to the host's window as an application message box is, and the
  // calling thread waits until the user dismisses it.
  static_assert((MB_OK | MB_ICONERROR) == 16, "the report's message box style is 16");
  MessageBoxA(GetActiveWindow(), text, "CorvixMath", MB_OK | MB_ICONERROR);
}

}  // namespace corvix

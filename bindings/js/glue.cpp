// What the JavaScript package needs beside the C interface: the four-decimal text the
// seven-segment word carries with its plain and fixed-divisor flags, printed as the
// corvixmath tool prints it, so the package and the tool show the same text.
#include <cstddef>
#include <cstdint>
#include <cstdio>

extern "C" {

// `value` with `decimals` decimals ("%.*f"); the length written, or -1 when it does not fit.
__attribute__((used, visibility("default"))) int32_t cmjs_fixed_text(double value, int32_t decimals,
                                                                     char* text, int32_t size) {
  if (text == nullptr || size <= 0 || decimals < 0 || decimals > 20) return -1;
  const int length = std::snprintf(text, static_cast<std::size_t>(size), "%.*f", decimals, value);
  if (length < 0 || length >= size) {
    text[0] = '\0';
    return -1;
  }
  return length;
}
}

// A value shown in every kind of display the host applications have: engineering notation
// in each named scale, plain decimals, scientific notation, a price and the word of a
// four-digit seven-segment panel.
#include <cstdio>

#include "CMathOperation.h"

int main() {
  CMathOperation math;
  double value = 12345.678;
  char text[64];

  std::printf("value display, 4 digits, unit V:\n");
  const char* scales[] = {"Hide", "Auto", "Unity", "Kilo", "Mega", "Giga", "Tera"};
  for (const char* scale : scales) {
    long mode = math.ScaleString2Index(const_cast<char*>(scale));
    if (math.DoubleToEngString(text, value, (char*)"V", 4, sizeof text,
                               static_cast<unsigned char>(mode)) == 1)
      std::printf("  %-5s (mode %ld) %s\n", scale, mode, text);
  }
  // Auto with thousandths (mode 10) shows small values in milli.
  if (math.DoubleToEngString(text, 0.05, (char*)"A", 3, sizeof text, 10) == 1)
    std::printf("  0.05 A, Auto with thousandths: %s\n", text);
  // A text too long for its field is refused and the field keeps what it showed.
  char field[8] = "----";
  long written = math.DoubleToEngString(field, value, (char*)"V", 4, sizeof field, 1);
  std::printf("  8-byte field: result %ld, field still \"%s\"\n", written, field);

  std::printf("plain decimals:\n");
  if (math.DoubleToSimpleString(text, value, 0, 2, 0, (char*)",", sizeof text) == 1)
    std::printf("  2 decimals, grouped: %s\n", text);
  if (math.DoubleToSimpleString(text, 12.5, 8, 2, 1, nullptr, sizeof text) == 1)
    std::printf("  width 8, zero fill:  %s\n", text);

  std::printf("scientific:\n");
  math.SientificFormat(text, value, 3, sizeof text);
  std::printf("  3 decimals: %s\n", text);
  math.SientificFormat(text, -0.000123456, 2, sizeof text);
  std::printf("  2 decimals: %s\n", text);

  std::printf("price:\n");
  math.PriceToString(text, 1234567.89, sizeof text, 0, ',');
  std::printf("  whole, grouped:  %s\n", text);
  math.PriceToString(text, 1234567.89, 6, 0, ',');
  std::printf("  in 6 bytes:      %s\n", text);

  std::printf("seven-segment panel:\n");
  const struct {
    double value;
    long flags;
    const char* how;
  } panels[] = {{value, 0, "engineering"},
                {1234.5678, 0x0200, "plain"},
                {-12.5, 0x0200, "plain"},
                {2500000.0, 0x1008, "divided by 1e6"}};
  for (const auto& panel : panels) {
    long word = math.NumberTo4SevenSeg(panel.value, panel.flags);
    unsigned long bits = static_cast<unsigned long>(word) & 0xFFFFFFFFul;
    std::printf("  %-14s flags 0x%04lX: word 0x%08lX, codes %lu %lu %lu %lu, point bits 0x%lX\n",
                panel.how, panel.flags, bits, (bits >> 21) & 0x7F, (bits >> 14) & 0x7F,
                (bits >> 7) & 0x7F, bits & 0x7F, bits >> 28);
  }
  return 0;
}

// Draws a seven-segment word as the panel shows it: four digits, three text rows each, the
// decimal point after the digit that its bit names.
#include <cstdint>

#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// Rows of a digit cell, three characters wide: segments a; f g b; e d c.
struct Glyph {
  const char* top;
  const char* middle;
  const char* bottom;
};

constexpr Glyph kDigits[10] = {
    {" _ ", "| |", "|_|"}, {"   ", "  |", "  |"}, {" _ ", " _|", "|_ "}, {" _ ", " _|", " _|"},
    {"   ", "|_|", "  |"}, {" _ ", "|_ ", " _|"}, {" _ ", "|_ ", "|_|"}, {" _ ", "  |", "  |"},
    {" _ ", "|_|", "|_|"}, {" _ ", "|_|", " _|"},
};
constexpr Glyph kMinus = {"   ", " _ ", "   "};
constexpr Glyph kBlank = {"   ", "   ", "   "};

Glyph GlyphOf(unsigned code) {
  if (code <= 9) return kDigits[code];
  if (code == CORVIXMATH_SEVENSEG_MINUS_CODE) return kMinus;
  return kBlank;
}

}  // namespace

std::vector<std::string> DrawSevenSegment(long word) {
  const std::uint32_t bits = static_cast<std::uint32_t>(word);
  std::vector<std::string> rows(3);
  constexpr std::uint32_t kCodeMask = (1u << CORVIXMATH_SEVENSEG_CODE_BITS) - 1;
  for (int digit = 0; digit < CORVIXMATH_SEVENSEG_CHARACTERS; ++digit) {
    const int codeShift =
        CORVIXMATH_SEVENSEG_CODE_BITS * (CORVIXMATH_SEVENSEG_CHARACTERS - 1 - digit);
    const unsigned code = (bits >> codeShift) & kCodeMask;
    const Glyph glyph = GlyphOf(code);
    // The point after the first digit has the highest point bit, after the fourth the lowest.
    const bool point = (bits >> (CORVIXMATH_SEVENSEG_FIRST_POINT_BIT - digit)) & 1u;
    rows[0] += glyph.top;
    rows[0] += ' ';
    rows[1] += glyph.middle;
    rows[1] += ' ';
    rows[2] += glyph.bottom;
    rows[2] += point ? '.' : ' ';
  }
  for (std::string& row : rows)
    while (!row.empty() && row.back() == ' ')
      row.pop_back();
  return rows;
}

}  // namespace corvix_tool

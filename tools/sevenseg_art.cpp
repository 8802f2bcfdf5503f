// Draws a seven-segment word as the panel shows it: four digits, three text rows each, the
// decimal point after the digit that its bit names.
#include <cstdint>

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
constexpr unsigned kMinusCode = 30;

Glyph GlyphOf(unsigned code) {
  if (code <= 9) return kDigits[code];
  if (code == kMinusCode) return kMinus;
  return kBlank;
}

}  // namespace

std::vector<std::string> DrawSevenSegment(long word) {
  const std::uint32_t bits = static_cast<std::uint32_t>(word);
  std::vector<std::string> rows(3);
  for (int digit = 0; digit < 4; ++digit) {
    const unsigned code = (bits >> (21 - 7 * digit)) & 0x7Fu;
    const Glyph glyph = GlyphOf(code);
    // Bit 31 is the point after the first digit, bit 28 after the fourth.
    const bool point = (bits >> (31 - digit)) & 1u;
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

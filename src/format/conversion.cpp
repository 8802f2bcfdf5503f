// Number-to-text conversions of the formatters (see format/internal/conversion.h).
//
// A conversion with a precision gives the exact decimal expansion rounded once, which is the
// text the six-decimal and scientific conversions are defined to give, at a fraction of the
// cost of a formatted print.
#include "format/internal/conversion.h"

#include "frame/internal/float_chars.h"

#include <cmath>
#include <cstring>

namespace corvix {
namespace format {
namespace {

// Writes the sign and the spelling of a value without digits; returns the length.
std::size_t WriteNonFinite(char* text, double value, bool upperCase) {
  const char* spelling = std::isnan(value) ? (upperCase ? kNotANumberTextUpper : kNotANumberText)
                                           : (upperCase ? kInfinityTextUpper : kInfinityText);
  std::size_t length = 0;
  if (std::signbit(value)) text[length++] = '-';
  for (const char* unit = spelling; *unit != '\0'; ++unit)
    text[length++] = *unit;
  text[length] = '\0';
  return length;
}

bool DecimalsInRange(int decimals) {
  return decimals >= 0 && decimals <= kMaxConversionDecimals;
}

}  // namespace

std::size_t FormatFixedUnchecked(char* text, double value, int decimals, std::size_t minimumWidth) {
  if (!DecimalsInRange(decimals) || minimumWidth >= kFixedTextUnits) {
    text[0] = '\0';
    return 0;
  }
  std::size_t length;
  if (std::isfinite(value)) {
    const char* end = WriteFixedChars(text, text + kFixedTextUnits - 1, value, decimals);
    length = static_cast<std::size_t>(end - text);
  } else {
    length = WriteNonFinite(text, value, false);
  }
  if (length < minimumWidth) {
    const std::size_t padding = minimumWidth - length;
    std::memmove(text + padding, text, length);
    std::memset(text, ' ', padding);
    length = minimumWidth;
  }
  text[length] = '\0';
  return length;
}

std::size_t FormatScientificUnchecked(char* text, double value, int decimals) {
  if (!DecimalsInRange(decimals)) {
    text[0] = '\0';
    return 0;
  }
  if (!std::isfinite(value)) return WriteNonFinite(text, value, true);
  const char* end = WriteScientificChars(text, text + kScientificTextUnits - 1, value, decimals);
  const std::size_t length = static_cast<std::size_t>(end - text);
  // The exponent letter follows the last mantissa digit; its place is fixed by the precision.
  const std::size_t letter = (std::signbit(value) ? 1u : 0u) + 1u +
                             (decimals > 0 ? 1u + static_cast<std::size_t>(decimals) : 0u);
  text[letter] = 'E';
  text[length] = '\0';
  return length;
}

double PowerOfTenBySquaring(unsigned exponent) {
  double power = 1.0;
  double square = 10.0;
  while (exponent != 0) {
    if ((exponent & 1u) != 0) power *= square;
    square *= square;
    exponent >>= 1;
  }
  return power;
}

}  // namespace format
}  // namespace corvix

// The number form of a text: optional sign, optional decimal point, optional scale letter.
//
// Shared by the number check and the address checks, which classify the fields they cut out
// of a longer text without copying them.
#ifndef CORVIXMATH_CHECKS_INTERNAL_NUMBER_FORM_H
#define CORVIXMATH_CHECKS_INTERNAL_NUMBER_FORM_H

#include <cstddef>
#include <cstring>

#include "CorvixLimits.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"

namespace corvix {
namespace checks {

// Form codes (published in CorvixLimits.h): 0 is not a number; otherwise 1 + 4 (has a point)
// + 2 (no scale letter) + 1 (no sign). Only the plain unsigned integer, code 4, is a port.
constexpr long kNotANumber = CORVIXMATH_NOT_A_NUMBER;
constexpr long kPlainUnsignedInteger = CORVIXMATH_PLAIN_UNSIGNED_INTEGER;
static_assert(kPlainUnsignedInteger == 4, "a port's form code");

// Only the space character counts as a space around a number; a tab makes it not a number.
template <class Unit>
constexpr bool IsNumberSpace(Unit unit) {
  return unit == Unit(' ');
}

template <class Unit>
constexpr bool IsScaleLetter(Unit unit) {
  return unit == Unit('G') || unit == Unit('K') || unit == Unit('M') || unit == Unit('T') ||
         unit == Unit('g') || unit == Unit('k') || unit == Unit('m') || unit == Unit('t');
}

// Classifies `length` units that have no leading or trailing spaces. No digit is required:
// "+", ".", "K" and "-.K" are numbers.
//   "12" -> 4, "-12.5" -> 7, ".5" -> 8, "12k" -> 2, "-1.5M" -> 5, "3.K" -> 6
//   "", "1.2.3", "K12", "+-1", "1 2", "1e5" -> 0
template <class Unit>
long NumberFormCode(const Unit* text, std::size_t length) {
  if (length == 0) return kNotANumber;
  bool sign = false;
  bool point = false;
  bool scale = false;
  for (std::size_t i = 0; i < length; ++i) {
    const Unit unit = text[i];
    if (unit == Unit('+') || unit == Unit('-')) {
      if (i != 0) return kNotANumber;
      sign = true;
    } else if (unit == Unit('.')) {
      if (point) return kNotANumber;
      point = true;
    } else if (IsAsciiDigit(unit)) {
      continue;
    } else if (IsScaleLetter(unit)) {
      if (i + 1 != length) return kNotANumber;
      scale = true;
    } else {
      return kNotANumber;
    }
  }
  return CORVIXMATH_NUMBER_FORM + (point ? CORVIXMATH_NUMBER_HAS_POINT : 0) +
         (scale ? 0 : CORVIXMATH_NUMBER_NO_SCALE_LETTER) + (sign ? 0 : CORVIXMATH_NUMBER_NO_SIGN);
}

// The part of [text, text + length) without leading and trailing spaces.
template <class Unit>
struct UnitSpan {
  const Unit* begin;
  std::size_t length;
};

template <class Unit>
UnitSpan<Unit> WithoutSpaces(const Unit* text, std::size_t length) {
  std::size_t first = 0;
  while (first < length && IsNumberSpace(text[first]))
    ++first;
  while (length > first && IsNumberSpace(text[length - 1]))
    --length;
  return {text + first, length - first};
}

// The narrow number check: strips the spaces around the number from `text` in place and
// returns its form code ("  12  " -> "12", 4).
inline long TrimAndClassifyNumber(char* text) {
  const std::size_t length = UnitLength(text);
  const UnitSpan<char> number = WithoutSpaces<char>(text, length);
  if (number.length != length) {
    std::memmove(text, number.begin, number.length);
    text[number.length] = '\0';
  }
  return NumberFormCode(text, number.length);
}

}  // namespace checks
}  // namespace corvix

#endif  // CORVIXMATH_CHECKS_INTERNAL_NUMBER_FORM_H

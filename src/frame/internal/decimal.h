// Decimal text of 32-bit numbers, for every unit type: the one digit loop the members share.
//
//   WriteDecimalDigits(text, 407) -> "407", 3;  WriteDecimal(text, -12) -> "-12", 3
#ifndef CORVIXMATH_FRAME_INTERNAL_DECIMAL_H
#define CORVIXMATH_FRAME_INTERNAL_DECIMAL_H

#include <cstddef>
#include <cstdint>

namespace corvix {

// The most digits a 32-bit magnitude has (4294967295).
constexpr std::size_t kMostDecimalDigits = 10;
// The longest decimal text of a 32-bit signed value: a sign and ten digits.
constexpr std::size_t kLongestDecimalText = 1 + kMostDecimalDigits;

// Writes the digits of `magnitude`, most significant first, without leading zeros (0 is "0")
// and without a terminator; returns their count. `text` must hold kMostDecimalDigits units.
template <class Unit>
std::size_t WriteDecimalDigits(Unit* text, std::uint32_t magnitude) {
  Unit reversed[kMostDecimalDigits];
  std::size_t count = 0;
  do {
    reversed[count++] = static_cast<Unit>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  for (std::size_t i = 0; i < count; ++i)
    text[i] = reversed[count - 1 - i];
  return count;
}

// Writes a minus sign for a negative value and then its digits, without a terminator; returns
// the count of units. `text` must hold kLongestDecimalText units.
template <class Unit>
std::size_t WriteDecimal(Unit* text, std::int32_t value) {
  // The magnitude of the smallest value does not fit int32_t; it does fit uint32_t.
  const std::uint32_t magnitude =
      value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  std::size_t length = 0;
  if (value < 0) text[length++] = Unit('-');
  return length + WriteDecimalDigits(text + length, magnitude);
}

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_DECIMAL_H

// 32-bit integer semantics of 32-bit Windows, where `long` and `int` are 32 bits wide.
//
// Results that wrap at 32 bits or set bit 31 are computed in int32_t/uint32_t and returned
// sign-extended, so a 64-bit `long` carries the same number. The text-to-integer reads
// behave as atol/atoi/_wtol of the 32-bit Windows C runtime: 32-bit results that saturate.
#ifndef CORVIXMATH_FRAME_INTERNAL_INT32_H
#define CORVIXMATH_FRAME_INTERNAL_INT32_H

#include <cstddef>
#include <cstdint>

#include "frame/internal/ascii.h"

namespace corvix {

// The 32-bit word as a `long` of 32-bit Windows, sign-extended where `long` is wider.
constexpr long LongFromBits(std::uint32_t bits) {
  return static_cast<long>(static_cast<std::int32_t>(bits));
}

// Cuts a host `long` to the 32 bits of a 32-bit Windows `long` (two's complement wrap).
constexpr std::int32_t Wrap32(long value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<unsigned long>(value)));
}

// White space as the runtime's isspace/iswspace sees it in the "C" locale.
template <class Unit>
constexpr bool IsRuntimeSpace(Unit unit) {
  return unit == Unit(' ') || (unit >= Unit('\t') && unit <= Unit('\r'));
}

// atol/atoi/_wtol of the 32-bit Windows C runtime: skip white space, optional sign, decimal
// digits up to the first other unit; a text without digits gives 0; out-of-range values
// saturate at the 32-bit limits. A null text gives 0.
template <class Unit>
long ParseLong32(const Unit* text) {
  if (text == nullptr) return 0;
  std::size_t i = 0;
  while (IsRuntimeSpace(text[i]))
    ++i;
  bool negative = false;
  if (text[i] == Unit('+') || text[i] == Unit('-')) {
    negative = text[i] == Unit('-');
    ++i;
  }
  // Accumulate the magnitude, stopping growth once it passes every 32-bit limit.
  constexpr std::int64_t kPastLimit = std::int64_t(INT32_MAX) + 2;
  std::int64_t magnitude = 0;
  for (; IsAsciiDigit(text[i]); ++i) {
    if (magnitude < kPastLimit)
      magnitude = magnitude * 10 + static_cast<std::int64_t>(text[i] - Unit('0'));
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<long>(value);
}

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_INT32_H

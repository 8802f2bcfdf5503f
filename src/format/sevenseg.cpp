// The word of a four-character seven-segment panel.
//
// NumberTo4SevenSeg turns a value into a short text (engineering, or four decimals of the
// value or of the value divided by a fixed power of a thousand), reduces it to four
// characters and packs them with a decimal-point flag into one 32-bit word. The panel
// firmware reads that word, so its layout and every step that shapes the four characters
// (the zero fill at the front included) stay exactly as they are:
//
//   bits 21-27  code of character 1 (leftmost)     bit 31  point at text index 1
//   bits 14-20  code of character 2                bit 30  point at text index 2
//   bits  7-13  code of character 3                bit 29  point at text index 3
//   bits  0-6   code of character 4 (rightmost)    bit 28  point at text index 4
//
// Codes: '0'-'9' their value, '-' 30, anything else (blank, letter, 'E') 0.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "format/internal/conversion.h"
#include "format/internal/formatters.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/guard.h"
#include "frame/internal/int32.h"
#include "text/internal/edit.h"
#include "text/internal/search.h"
#include "text/internal/trim.h"

namespace {

// Flags word (published in CorvixLimits.h). Bits not named there are ignored.
constexpr long kFixedDivisorFlag = CORVIXMATH_SEVENSEG_FIXED_DIVISOR;
constexpr long kPlainFlag = CORVIXMATH_SEVENSEG_PLAIN;
constexpr long kDropMinusFlag = CORVIXMATH_SEVENSEG_DROP_MINUS;
// The divisor of kFixedDivisorFlag, in this order of precedence.
constexpr long kDivideByKiloFlag = CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO;
constexpr long kDivideByMegaFlag = CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA;
constexpr long kDivideByGigaFlag = CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA;
constexpr long kDivideByTeraFlag = CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA;

constexpr std::size_t kPanelCharacters = CORVIXMATH_SEVENSEG_CHARACTERS;
// The four-decimal text is "%4.4f": four decimals in a field of at least four characters.
constexpr int kFourDecimals = 4;
constexpr std::size_t kFourDecimalWidth = 4;
constexpr unsigned char kAutoScale = CORVIXMATH_SCALE_AUTO;
constexpr std::uint32_t kMinusCode = CORVIXMATH_SEVENSEG_MINUS_CODE;
constexpr unsigned int kCodeBits = CORVIXMATH_SEVENSEG_CODE_BITS;
constexpr long kFirstPointBit = CORVIXMATH_SEVENSEG_FIRST_POINT_BIT;

double FixedDivisor(long flags) {
  if ((flags & kDivideByKiloFlag) != 0) return 1e3;
  if ((flags & kDivideByMegaFlag) != 0) return 1e6;
  if ((flags & kDivideByGigaFlag) != 0) return 1e9;
  if ((flags & kDivideByTeraFlag) != 0) return 1e12;
  return 1.0;
}

std::uint32_t SegmentCode(char character) {
  if (corvix::IsAsciiDigit(character))
    return static_cast<std::uint32_t>(corvix::AsciiDigitValue(character));
  if (character == '-') return kMinusCode;
  return 0;
}

// A point at text index 1 to 4 sets bit 31 down to bit 28; any other index sets none.
std::uint32_t PointBit(long pointIndex) {
  if (pointIndex < 1 || pointIndex > static_cast<long>(kPanelCharacters)) return 0;
  return std::uint32_t(1) << (kFirstPointBit + 1 - pointIndex);
}

}  // namespace

// 1234.5678 with 0x0200 -> '1234' and bit 28; -12.5 with 0x0300 -> '0125' and bit 30;
// 12345.678 with 0 -> '1234' from '12.34 K' and bit 30; 2500000 with 0x1008 -> '0025' and
// bit 31. A value too large for the engineering scale ("EEEE"), and a four-decimal text that
// does not fit the 12-byte working buffer (1 000 000 and above, -100 000 and below, after any
// division), give 0. No result equals -999, the value returned after a fault: that would need
// all four point bits.
long CMathOperation::NumberTo4SevenSeg(double value, long flags) {
  return corvix::RunGuarded(corvix::guarded::kNumberTo4SevenSeg, [&]() -> long {
    char text[corvix::kSevenSegTextUnits] = {};

    if ((flags & (kFixedDivisorFlag | kPlainFlag)) != 0) {
      const double shown = (flags & kFixedDivisorFlag) != 0 ? value / FixedDivisor(flags) : value;
      char converted[corvix::format::kFixedTextUnits];
      const std::size_t length =
          corvix::format::FormatFixed(converted, shown, kFourDecimals, kFourDecimalWidth);
      if (!corvix::WriteIfFits(text, converted, length, sizeof text)) return 0;
      corvix::text::TrimTrailing(text, text, '0', sizeof text);
      corvix::text::TrimTrailing(text, text, '.', sizeof text);
    } else {
      // With four digits and no unit the engineering text always fits; were it refused, the
      // buffer would stay empty and the word 0.
      corvix::format::FormatEngineering(text, value, "", static_cast<int>(kPanelCharacters),
                                        sizeof text, kAutoScale);
    }

    if ((flags & kDropMinusFlag) != 0 && text[0] == '-') corvix::text::RemoveUnit(text, '-');

    // The point is located before it is removed and before the zero fill moves the digits.
    std::uint32_t word = PointBit(corvix::text::FindCharpos(text, '.'));
    corvix::text::RemoveUnit(text, '.');
    if (corvix::UnitLength(text) > kPanelCharacters) text[kPanelCharacters] = '\0';
    while (corvix::UnitLength(text) < kPanelCharacters)
      corvix::text::InsertUnit(text, 0, '0');

    for (std::size_t i = 0; i < kPanelCharacters; ++i) {
      const unsigned int shift = kCodeBits * static_cast<unsigned int>(kPanelCharacters - 1 - i);
      word |= SegmentCode(text[i]) << shift;
    }
    return corvix::LongFromBits(word);
  });
}

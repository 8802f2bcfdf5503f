// Engineering notation: a measured value as its number cut to a digit count, a blank, a scale
// letter and the unit text, as value displays show it.
//
//   12345.678, "W", 4 digits, Auto  -> "12.34 KW"
//   0.05,      "A", 3 digits, Auto with thousandths -> "50.0 mA"
//   5e9,       "W", 3 digits, Mega  -> "EEEE" (too large for the scale)
//   1e15,      "W", 4 digits, Auto  -> "1.000 PW" (the largest magnitude the automatic scales show)
//
// The number is converted once with six decimals and then cut to the digit count: digits
// beyond it are dropped, never rounded again. The text is refused (result 0, destination
// untouched) when it does not fit the destination with its terminator, and when the unit
// would carry it beyond the 1023-character working buffer.
#include <cmath>
#include <cstddef>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "format/internal/conversion.h"
#include "format/internal/formatters.h"
#include "frame/internal/buffers.h"
#include "text/internal/search.h"

namespace {

using corvix::kFormatUnits;

// Scale letters by the number of divisions by 1000 the automatic scales make: units (a blank),
// thousands, millions, thousand millions, million millions, and peta, which only ±1e15 itself
// reaches.
constexpr char kLettersByDivisions[] = {' ', 'K', 'M', 'G', 'T', 'P'};
constexpr char kThousandthsLetter = 'm';
constexpr char kNoLetter = '\0';

// Scale modes; 8, 9 and 11 to 255 show the value as it is, without a letter.
enum ScaleMode : unsigned char {
  kHide = CORVIXMATH_SCALE_HIDE,
  kAuto = CORVIXMATH_SCALE_AUTO,
  kUnity = CORVIXMATH_SCALE_UNITY,
  kKilo = CORVIXMATH_SCALE_KILO,
  kMega = CORVIXMATH_SCALE_MEGA,
  kGiga = CORVIXMATH_SCALE_GIGA,
  kTera = CORVIXMATH_SCALE_TERA,
  kThousandths = CORVIXMATH_SCALE_THOUSANDTHS,
  kAutoWithThousandths = CORVIXMATH_SCALE_AUTO_WITH_THOUSANDTHS,
};

// The library's missing-value marker: a value whose integer part is -999 is shown as 0.
constexpr double kMissingValue = CORVIXMATH_MISSING_VALUE;
// Largest magnitude the automatic scales show.
constexpr double kAutoScaleLimit = 1e15;
constexpr double kThousand = 1000.0;
// Auto with thousandths shows in thousandths a magnitude below 0.1 that is more than one
// thousandth (tested as "times 1000 above 1", so 0.001 itself stays).
constexpr double kThousandthsBelow = 0.1;

constexpr char kOverflowText[] = "EEEE";
constexpr std::size_t kOverflowLength = sizeof kOverflowText - 1;
// The digit count is a 16-bit quantity.
constexpr unsigned kDigitCountMask = 0xFFFFu;

// A fixed scale: the factor the value is divided by (multiplied by, for thousandths), the
// powers of ten its limit adds to the digit count, and the letter it shows.
struct FixedScale {
  double factor;
  bool multiplies;
  unsigned limitExtraDigits;
  char letter;
};

constexpr FixedScale kFixedScales[] = {
    {1.0, false, 0, ' '},                 // Unity
    {1e3, false, 0, 'K'},                 // Kilo
    {1e6, false, 0, 'M'},                 // Mega
    {1e9, false, 9, 'G'},                 // Giga
    {1e12, false, 12, 'T'},               // Tera
    {1e3, true, 12, kThousandthsLetter},  // thousandths
};

struct ScaledValue {
  double value;
  bool overflow;
  char letter;  // kNoLetter when no letter is shown
};

ScaledValue ScaleAutomatically(double value, unsigned char mode) {
  if (value > kAutoScaleLimit || value < -kAutoScaleLimit) return {value, true, kNoLetter};
  // 1e15 itself passes and is divided five times, reaching the peta letter.
  std::size_t divisions = 0;
  while (std::fabs(value) >= kThousand) {
    value /= kThousand;
    ++divisions;
  }
  char letter = kLettersByDivisions[divisions];
  if (mode == kAutoWithThousandths && divisions == 0 && std::fabs(value) < kThousandthsBelow &&
      std::fabs(value) * kThousand > 1.0) {
    value *= kThousand;
    letter = kThousandthsLetter;
  }
  return {value, false, mode == kHide ? kNoLetter : letter};
}

ScaledValue ScaleFixed(double value, const FixedScale& scale, unsigned digits) {
  value = scale.multiplies ? value * scale.factor : value / scale.factor;
  const double limit = corvix::format::PowerOfTenBySquaring(digits + scale.limitExtraDigits);
  if (value >= limit || value <= -limit) return {value, true, kNoLetter};
  return {value, false, scale.letter};
}

ScaledValue Scale(double value, unsigned char mode, unsigned digits) {
  switch (mode) {
    case kHide:
    case kAuto:
    case kAutoWithThousandths:
      return ScaleAutomatically(value, mode);
    case kUnity:
    case kKilo:
    case kMega:
    case kGiga:
    case kTera:
    case kThousandths:
      return ScaleFixed(value, kFixedScales[mode - kUnity], digits);
    default:
      return {value, false, kNoLetter};
  }
}

// Cuts the six-decimal text to the digit count. The sign and the point each add one
// character whether or not they fall inside the cut, so a number with more integer digits
// than the count keeps one character more and may end on its point.
std::size_t CutToDigits(const char* number, std::size_t length, unsigned digits) {
  if (digits == 0) return length;
  std::size_t kept = digits;
  if (corvix::text::FindUnit(number, length, '-') != nullptr) ++kept;
  if (corvix::text::FindUnit(number, length, '.') != nullptr) ++kept;
  return kept < length ? kept : length;
}

}  // namespace

long corvix::format::FormatEngineering(char* destination, double value, const char* unit,
                                       int digits, unsigned long size, unsigned char scaleMode) {
  const unsigned digitCount = static_cast<unsigned>(digits) & kDigitCountMask;
  if (std::trunc(value) == kMissingValue) value = 0.0;
  const ScaledValue scaled = Scale(value, scaleMode, digitCount);

  char text[kFormatUnits];
  std::size_t length;
  if (scaled.overflow) {
    for (length = 0; length < kOverflowLength; ++length)
      text[length] = kOverflowText[length];
  } else {
    length = corvix::format::FormatFixed(text, scaled.value, corvix::format::kSixDecimals);
    length = CutToDigits(text, length, digitCount);

    const std::size_t unitLength = corvix::UnitLengthBounded(unit, kFormatUnits);
    const std::size_t letterLength = scaled.letter == kNoLetter ? 0 : 1;
    if (length + 1 + letterLength + unitLength > kFormatUnits - 1) return 0;
    text[length++] = ' ';
    if (letterLength != 0) text[length++] = scaled.letter;
    for (std::size_t i = 0; i < unitLength; ++i)
      text[length++] = unit[i];
  }

  // The size test counts the text before its other trailing blanks and its final point go.
  if (length > 0 && text[length - 1] == ' ') --length;
  if (length > size) return 0;
  while (length > 0 && text[length - 1] == ' ')
    --length;
  if (length > 0 && text[length - 1] == '.') --length;
  return corvix::WriteIfFits(destination, text, length, size) ? 1 : 0;
}

long CMathOperation::DoubleToEngString(char* destination, double value, char* unit, int digits,
                                       unsigned long size, unsigned char scaleMode) {
  return corvix::format::FormatEngineering(destination, value, unit, digits, size, scaleMode);
}

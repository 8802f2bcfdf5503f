// Display fields: scientific notation, prices and texts of an exact length.
//
//   SientificFormat  12345.678, 2 decimals -> "1.23E4";  -0.005, 1 decimal -> "-5.0E-3"
//   PriceToString    1234567, separator "," -> "1,234,567";  too long -> "---"
//   StandardLen      "12.5 KW", length 6, fill "0" -> "12.500"
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "format/internal/conversion.h"
#include "format/internal/formatters.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/decimal.h"
#include "frame/internal/guard.h"
#include "text/internal/edit.h"
#include "text/internal/search.h"

namespace {

// The compact exponent is at most a sign and three digits; the composed text never exceeds
// the conversion's own text, which has "+" and at least two exponent digits.
constexpr std::size_t kScientificResultUnits = corvix::format::kScientificTextUnits;

// Reads the exponent text left after the "+" is gone ("04", "-03", "308"): an optional minus
// and the digits that follow. A text without digits (the spelling of not-a-number or
// infinity, which has no exponent letter) reads as 0.
int ExponentValue(const char* text) {
  const bool negative = text[0] == '-';
  int value = 0;
  for (const char* digit = text + (negative ? 1 : 0); corvix::IsAsciiDigit(*digit); ++digit)
    value = value * 10 + corvix::AsciiDigitValue(*digit);
  return negative ? -value : value;
}

void FormatScientificField(char* destination, double value, unsigned char mantissaDecimals,
                           unsigned int size) {
  if (mantissaDecimals > corvix::format::kMaxConversionDecimals) return;
  char converted[corvix::format::kScientificTextUnits];
  corvix::format::FormatScientific(converted, value, mantissaDecimals);
  corvix::text::RemoveUnit(converted, '+');

  // Without an exponent letter the whole text serves as mantissa and as exponent text.
  const long letter = corvix::text::FindCharpos(converted, 'E');
  const std::size_t convertedLength = corvix::UnitLengthBounded(converted, corvix::kWholeText);
  const std::size_t mantissaLength =
      letter < 0 ? convertedLength : static_cast<std::size_t>(letter);
  const char* exponentText = letter < 0 ? converted : converted + letter + 1;

  // The whole mantissa is kept, however many decimals it has.
  char result[kScientificResultUnits];
  std::size_t length = 0;
  for (; length < mantissaLength; ++length)
    result[length] = converted[length];
  result[length++] = 'E';
  length += corvix::WriteDecimal(result + length, ExponentValue(exponentText));
  corvix::WriteIfFits(destination, result, length, size);
}

// The amount cut towards zero to a whole number, as a round trip through a 64-bit integer
// gives it (so -0.5 becomes 0, not -0). Amounts beyond the 64-bit range are whole already and
// stay as they are, as do not-a-number and infinities.
double WholeAmount(double amount) {
  constexpr double kInt64Bound = 9223372036854775808.0;  // 2^63
  if (amount >= -kInt64Bound && amount < kInt64Bound)
    return static_cast<double>(static_cast<std::int64_t>(amount));
  return amount;
}

constexpr unsigned kPriceDivisorOffset = 2;
constexpr char kNoPriceText[] = "---";

bool IsNumericUnit(char unit) {
  return unit == '-' || unit == '.' || corvix::IsAsciiDigit(unit);
}

}  // namespace

void CMathOperation::SientificFormat(char* destination, double value,
                                     unsigned char mantissaDecimals, unsigned int size) {
  corvix::RunGuarded(corvix::guarded::kSientificFormat,
                     [&] { FormatScientificField(destination, value, mantissaDecimals, size); });
}

void CMathOperation::PriceToString(char* destination, double amount, unsigned int size,
                                   unsigned char divisorExponent, char thousandsSeparator) {
  if (divisorExponent != 0)
    amount /= corvix::format::PowerOfTenBySquaring(divisorExponent + kPriceDivisorOffset);
  const char separator[2] = {thousandsSeparator, '\0'};
  // The amount is formatted under the guard of DoubleToSimpleString, so a fault in it is
  // reported with that name, as hosts have always seen it.
  const long written = corvix::RunGuarded(corvix::guarded::kDoubleToSimpleString, [&]() -> long {
    return corvix::format::FormatSimple(destination, WholeAmount(amount), 0, 0, 0, separator,
                                        static_cast<long>(size));
  });
  if (written == 0) corvix::WriteIfFits(destination, kNoPriceText, sizeof kNoPriceText - 1, size);
}

void CMathOperation::StandardLen(char* text, long length, char fill) {
  if (text == nullptr || length < 0) return;
  const std::size_t wanted = static_cast<std::size_t>(length);
  text[wanted] = '\0';
  // The terminator of a shorter text is the first non-numeric unit, so the scan stays inside
  // the text it was given.
  for (std::size_t i = 0; i < wanted; ++i) {
    if (!IsNumericUnit(text[i])) {
      for (; i < wanted; ++i)
        text[i] = fill;
      return;
    }
  }
}

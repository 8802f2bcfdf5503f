// Number-to-text conversions of the formatters.
//
// The display formatters convert a double once, with six decimals ("%f"), four decimals in a
// field of four ("%4.4f") or in scientific notation with 0 to 19 mantissa decimals ("%.0E" to
// "%.19E"), and then only cut the text: they never round a second time. These helpers give,
// byte for byte, the correctly rounded text of those conversions (ties of exactly representable
// values go to the even digit), on every platform: not-a-number and infinities are spelled
// here, not by the platform's runtime.
//
//   FormatFixed(text, 12345.678, 6)      -> "12345.678000"
//   FormatFixed(text, -0.0, 6)           -> "-0.000000"
//   FormatFixed(text, 2.5, 4, 4)         -> "2.5000"
//   FormatFixed(text, NaN, 4, 4)         -> " nan"
//   FormatScientific(text, 12345.678, 2) -> "1.23E+04"
//   FormatScientific(text, -Infinity, 3) -> "-INF"
#ifndef CORVIXMATH_FORMAT_INTERNAL_CONVERSION_H
#define CORVIXMATH_FORMAT_INTERNAL_CONVERSION_H

#include <cstddef>

namespace corvix {
namespace format {

// The decimals of the display formatters' one conversion ("%f"), which they then only cut.
constexpr int kSixDecimals = 6;

// Most decimals a conversion gives (the scientific mantissa goes up to 19).
constexpr int kMaxConversionDecimals = 19;

// Longest fixed text: sign, the 309 integer digits of the largest double, point, 19 decimals;
// with the terminator. The six-decimal text of the largest double has 316 characters.
constexpr std::size_t kFixedTextUnits = 1 + 309 + 1 + kMaxConversionDecimals + 1;

// Longest scientific text: sign, digit, point, 19 decimals, "E", exponent sign and three
// exponent digits; with the terminator.
constexpr std::size_t kScientificTextUnits = 1 + 1 + 1 + kMaxConversionDecimals + 1 + 1 + 3 + 1;

// Spellings of the values that have no digits. Fixed texts use lower case, scientific texts
// upper case; the sign of a not-a-number is shown like that of any other value.
constexpr const char* kNotANumberText = "nan";
constexpr const char* kInfinityText = "inf";
constexpr const char* kNotANumberTextUpper = "NAN";
constexpr const char* kInfinityTextUpper = "INF";

// Writes `value` with `decimals` (0 to kMaxConversionDecimals) digits after the point, no
// grouping, a leading "-" for negative values (negative zero included), right-aligned with
// blanks in a field of `minimumWidth` characters (at most kFixedTextUnits - 1), and a
// terminator. `text` must hold kFixedTextUnits units. Returns the length of the text; decimals
// or a width out of range give the empty text and 0.
std::size_t FormatFixedUnchecked(char* text, double value, int decimals, std::size_t minimumWidth);

// Writes `value` as one digit, a point and `decimals` (0 to kMaxConversionDecimals) digits
// (no point when `decimals` is 0), an upper-case "E" and a signed exponent of at least two
// digits, and a terminator. `text` must hold kScientificTextUnits units. Returns the length;
// decimals out of range give the empty text and 0.
std::size_t FormatScientificUnchecked(char* text, double value, int decimals);

template <std::size_t Size>
std::size_t FormatFixed(char (&text)[Size], double value, int decimals,
                        std::size_t minimumWidth = 0) {
  static_assert(Size >= kFixedTextUnits, "a fixed text needs kFixedTextUnits units");
  return FormatFixedUnchecked(text, value, decimals, minimumWidth);
}

template <std::size_t Size>
std::size_t FormatScientific(char (&text)[Size], double value, int decimals) {
  static_assert(Size >= kScientificTextUnits, "a scientific text needs kScientificTextUnits");
  return FormatScientificUnchecked(text, value, decimals);
}

// 10 raised to `exponent` by repeated squaring in double precision: starting from 1, for each
// bit of the exponent from the lowest, multiply by the current square when the bit is set, then
// square. Exact up to 10^22; the scale limits and price divisors are computed this way.
double PowerOfTenBySquaring(unsigned exponent);

}  // namespace format
}  // namespace corvix

#endif  // CORVIXMATH_FORMAT_INTERNAL_CONVERSION_H

// Exact, locale-free conversions between doubles and decimal texts, shared by the formatters,
// the parser and the tool.
//
// The standard library's floating-point std::to_chars and std::from_chars are the first
// choice. Older C++ libraries (libc++ before 17, which WebAssembly toolchains still ship) lack
// them; there {fmt} and fast_float, both header-only, give the same correctly rounded texts
// and values. The build picks one when it is configured (CORVIXMATH_STD_FLOAT_CHARCONV), and the
// conversion tests hold both to the host's correctly rounded printf.
#ifndef CORVIXMATH_FRAME_INTERNAL_FLOAT_CHARS_H
#define CORVIXMATH_FRAME_INTERNAL_FLOAT_CHARS_H

#include <cmath>
#include <cstddef>
#include <cstdlib>

#if CORVIXMATH_STD_FLOAT_CHARCONV
#include <charconv>
#include <system_error>
#else
#ifndef FMT_HEADER_ONLY
#define FMT_HEADER_ONLY
#endif
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#endif

namespace corvix {

// Writes `value` (finite) with `decimals` digits after the point, as "%.*f" does in the "C"
// locale, into [first, last); returns the end of the text, which has no terminator. The range
// must hold the whole text.
inline char* WriteFixedChars(char* first, char* last, double value, int decimals) {
#if CORVIXMATH_STD_FLOAT_CHARCONV
  return std::to_chars(first, last, value, std::chars_format::fixed, decimals).ptr;
#else
  return fmt::format_to_n(first, static_cast<std::size_t>(last - first), "{:.{}f}", value, decimals)
      .out;
#endif
}

// As WriteFixedChars, as "%.*e" does: one digit, a point unless `decimals` is 0, the digits,
// 'e', the exponent's sign and at least two of its digits.
inline char* WriteScientificChars(char* first, char* last, double value, int decimals) {
#if CORVIXMATH_STD_FLOAT_CHARCONV
  return std::to_chars(first, last, value, std::chars_format::scientific, decimals).ptr;
#else
  return fmt::format_to_n(first, static_cast<std::size_t>(last - first), "{:.{}e}", value, decimals)
      .out;
#endif
}

// Reads a decimal number that fills [first, last) exactly as strtod rounds it. Returns false,
// leaving `value` alone, for anything else: no number, characters after it, or a value beyond
// the range of a double (callers that accept those read them the long way).
inline bool ReadWholeDouble(const char* first, const char* last, double& value) {
  double read = 0.0;
#if CORVIXMATH_STD_FLOAT_CHARCONV
  const std::from_chars_result result = std::from_chars(first, last, read);
  if (result.ec != std::errc() || result.ptr != last) return false;
#else
  // fast_float answers an overflow with an infinity and an underflow with zero, where
  // std::from_chars refuses both; a spelled-out infinity or a zero of zeros still passes.
  const fast_float::from_chars_result result = fast_float::from_chars(first, last, read);
  if (result.ec != std::errc() || result.ptr != last) return false;
  const auto spelledInfinity = [&] {
    const char* letter = first;
    if (letter != last && *letter == '-') ++letter;
    return letter != last && (*letter == 'i' || *letter == 'I');
  };
  const auto zeroDigitsOnly = [&] {
    for (const char* unit = first; unit != last; ++unit) {
      if (*unit == 'e' || *unit == 'E') break;
      if (*unit >= '1' && *unit <= '9') return false;
    }
    return true;
  };
  if (std::isinf(read) && !spelledInfinity()) return false;
  if (read == 0.0 && !zeroDigitsOnly()) return false;
#endif
  value = read;
  return true;
}

// Writes the shortest text that reads back as `value` (finite), as std::to_chars without a
// format does: the shorter of the plain and the exponent forms, the plain one on a tie. The
// range must hold 32 characters; returns the end of the text, which has no terminator.
inline char* WriteShortestChars(char* first, char* last, double value) {
#if CORVIXMATH_STD_FLOAT_CHARCONV
  return std::to_chars(first, last, value).ptr;
#else
  // The fewest significant digits that read back: the correctly rounded text at that many
  // digits is then the nearest such text.
  char exponentForm[32];
  char* exponentEnd = exponentForm;
  for (int decimals = 0; decimals <= 16; ++decimals) {
    exponentEnd =
        WriteScientificChars(exponentForm, exponentForm + sizeof exponentForm - 1, value, decimals);
    *exponentEnd = '\0';  // the exponent is read up to here
    double readBack = 0.0;
    if (ReadWholeDouble(exponentForm, exponentEnd, readBack) && readBack == value) break;
    if (value == 0.0) break;
  }
  // Split "-d.ddde+XX" into its sign, digits and exponent.
  const char* unit = exponentForm;
  const bool negative = *unit == '-';
  if (negative) ++unit;
  char digits[24];
  std::size_t digitCount = 0;
  for (; *unit != 'e'; ++unit)
    if (*unit != '.') digits[digitCount++] = *unit;
  const int exponent = std::atoi(unit + 1);
  // The plain form: the digits with the point moved by the exponent.
  char plainForm[32 + 330];
  char* plain = plainForm;
  if (negative) *plain++ = '-';
  const int pointAfter = exponent + 1;  // digits before the point
  if (pointAfter <= 0) {
    *plain++ = '0';
    *plain++ = '.';
    for (int zero = 0; zero < -pointAfter; ++zero)
      *plain++ = '0';
    for (std::size_t digit = 0; digit < digitCount; ++digit)
      *plain++ = digits[digit];
  } else if (pointAfter >= static_cast<int>(digitCount)) {
    // A whole number: all its digits, exact, like the nearest of the texts this long.
    plain = WriteFixedChars(plain, plainForm + sizeof plainForm, std::fabs(value), 0);
  } else {
    for (int place = 0; place < pointAfter || place < static_cast<int>(digitCount); ++place) {
      if (place == pointAfter) *plain++ = '.';
      *plain++ = place < static_cast<int>(digitCount) ? digits[place] : '0';
    }
  }
  const std::size_t plainLength = static_cast<std::size_t>(plain - plainForm);
  const std::size_t exponentLength = static_cast<std::size_t>(exponentEnd - exponentForm);
  const char* chosen = plainLength <= exponentLength ? plainForm : exponentForm;
  const std::size_t length = plainLength <= exponentLength ? plainLength : exponentLength;
  for (std::size_t index = 0; index < length && first != last; ++index)
    *first++ = chosen[index];
  return first;
#endif
}

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_FLOAT_CHARS_H

// Plain decimal text: trailing zeros dropped, decimals cut to a count, a width with zero fill
// on the left, an optional thousands separator.
//
//   1234567.891, width 0, 2 decimals, ","     -> "1,234,567.89"
//   12.5,        width 6, 1 decimal, zero fill -> "0012.5"
//   -5,          width 4, no limit, zero fill  -> "-005"
//   123456,      width 3, no limit             -> refused (the width never drops integer digits)
//
// The number is converted once with six decimals; the decimals count only cuts. A minus sign
// stays in front: the fill goes after it and no separator follows it directly. The text is
// refused (result 0, destination untouched) when it does not fit the destination with its
// terminator, and when the width would cut into its integer digits.
#include <cstddef>
#include <cstring>

#include "CMathOperation.h"
#include "format/internal/conversion.h"
#include "format/internal/formatters.h"
#include "frame/internal/buffers.h"
#include "frame/internal/guard.h"
#include "text/internal/search.h"

namespace {

using corvix::kFormatUnits;

// A width of 0 or 255 means the natural length of the text; a decimals count of 255 means
// no limit.
constexpr unsigned char kNaturalWidth = 0;
constexpr unsigned char kNoLimit = 255;
constexpr std::size_t kGroupDigits = 3;

// Where the width cut may act: after a decimals cut only up to the point that cut kept, with
// no decimals limit on any text longer than the width (a cut into the integer digits refuses
// the text); when a decimals limit cut nothing the width is not enforced.
struct WidthCut {
  bool enforced;
  std::size_t point;
};

std::size_t SignLength(const char* text) {
  return text[0] == '-' ? 1 : 0;
}

// The length of the sign and integer digits: up to the point, or the whole text.
std::size_t IntegerEnd(const char* text, std::size_t length) {
  const char* point = corvix::text::FindUnit(text, length, '.');
  return point != nullptr ? static_cast<std::size_t>(point - text) : length;
}

// Puts `separator` between groups of three integer digits, counted from the point (or the
// end), never between the sign and the first digit; returns the new length. The separators go
// in with one move of the decimals and one backward pass over the digits: a zero-filled text
// may have 254 digits, which separator-by-separator insertion would move 84 times.
//   "-1234567.89" -> "-1,234,567.89"
std::size_t InsertGroupSeparators(char* text, std::size_t length, char separator) {
  const std::size_t integerEnd = IntegerEnd(text, length);
  const std::size_t firstDigit = SignLength(text);
  if (integerEnd <= firstDigit) return length;
  const std::size_t separators = (integerEnd - firstDigit - 1) / kGroupDigits;
  if (separators == 0) return length;

  std::memmove(text + integerEnd + separators, text + integerEnd, length - integerEnd + 1);
  std::size_t read = integerEnd;
  std::size_t write = integerEnd + separators;
  std::size_t digitsInGroup = 0;
  while (read > firstDigit) {
    text[--write] = text[--read];
    if (++digitsInGroup == kGroupDigits && read > firstDigit) {
      text[--write] = separator;
      digitsInGroup = 0;
    }
  }
  return length + separators;
}

}  // namespace

long corvix::format::FormatSimple(char* destination, double value, unsigned char width,
                                  unsigned char decimals, unsigned char zeroFill,
                                  const char* groupSeparator, long size) {
  // The working text holds the largest double's 317 characters, a fill to 254 and the
  // separators of both: far below the 1023 characters of the working buffer.
  char text[kFormatUnits];
  std::size_t length = corvix::format::FormatFixed(text, value, corvix::format::kSixDecimals);
  // The six-decimal text always has a point, so this never reaches an integer zero.
  while (length > 0 && text[length - 1] == '0')
    --length;
  if (length > 0 && text[length - 1] == '.') --length;

  const std::size_t target = (width == kNaturalWidth || width == kNoLimit) ? length : width;

  WidthCut widthCut{true, 0};
  if (decimals != kNoLimit) {
    widthCut.enforced = false;
    const char* point = corvix::text::FindUnit(text, length, '.');
    if (point != nullptr) {
      const std::size_t position = static_cast<std::size_t>(point - text);
      if (position + decimals + 1 < length) {
        length = position + decimals + 1;
        widthCut = {true, position};
      }
    }
  }
  if (widthCut.enforced && length > target && widthCut.point < target) {
    // The width cut removes decimals and the point only. One that would reach the integer
    // digits ('123456' in a width of 3) or leave only the sign refuses the text, as a text too
    // long for its destination is refused: a display must never show 123 for 123456.
    if (target < IntegerEnd(text, length)) return 0;
    length = target;
  }
  text[length] = '\0';

  if (zeroFill != 0 && length < target) {
    // One move instead of a fill character inserted at a time: the widths reach 254.
    const std::size_t sign = SignLength(text);
    const std::size_t fill = target - length;
    std::memmove(text + sign + fill, text + sign, length - sign + 1);
    std::memset(text + sign, '0', fill);
    length = target;
  }

  if (groupSeparator != nullptr && groupSeparator[0] != '\0')
    length = InsertGroupSeparators(text, length, groupSeparator[0]);

  if (size <= 0) return 0;
  return corvix::WriteIfFits(destination, text, length, static_cast<std::size_t>(size)) ? 1 : 0;
}

long CMathOperation::DoubleToSimpleString(char* destination, double value, unsigned char width,
                                          unsigned char decimals, unsigned char zeroFill,
                                          char* groupSeparator, long size) {
  return corvix::RunGuarded(corvix::guarded::kDoubleToSimpleString, [&]() -> long {
    return corvix::format::FormatSimple(destination, value, width, decimals, zeroFill,
                                        groupSeparator, size);
  });
}

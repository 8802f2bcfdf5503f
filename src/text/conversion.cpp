// Character-set conversions: narrow and 16-bit strings moved into one another without any
// code-page translation, and the digit-array text "UniCode(65,66,)" that carries a unit
// string, or a narrow string with bytes above 0x7F, as plain ASCII.
//
// The digit-array text is "UniCode(", then every unit's unsigned value in decimal followed
// by a comma (the last one included), then ")". It is at most 1023 characters long.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "CMathOperation.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/decimal.h"
#include "frame/internal/int32.h"

namespace {

// Option bits; each member reads its own bit and ignores the others.
constexpr long kLowByteOnly = 1;        // WCharArrayToCharArray: one byte per unit
constexpr long kZeroExtendBytes = 2;    // CharArrayToWcharArray: bytes 0x80-0xFF stay 0x0080-0x00FF
constexpr long kSignExtendLowByte = 4;  // DigitArrayToUnicodeString into units: 200 -> 0xFFC8

constexpr char kDigitArrayPrefix[] = "UniCode(";
constexpr std::size_t kDigitArrayPrefixLength = sizeof(kDigitArrayPrefix) - 1;
constexpr char kDigitArraySuffix = ')';
constexpr char kValueSeparator = ',';

// The longest digit-array text that is built, or looked at by IsUniCodeString.
constexpr std::size_t kDigitArrayLimit = corvix::kFormatUnits - 1;

// Longest value field: the decimal digits of a 32-bit value and its comma.
constexpr std::size_t kValueFieldUnits = corvix::kMostDecimalDigits + 1;

// The decoder keeps only the last digits of a longer number; it then reads them as atoi does.
constexpr std::size_t kPendingDigits = 11;

// Writes `value` in decimal followed by the separator; returns the count of characters.
std::size_t FormatValueField(std::uint32_t value, char (&field)[kValueFieldUnits]) {
  const std::size_t digits = corvix::WriteDecimalDigits(field, value);
  field[digits] = kValueSeparator;
  return digits + 1;
}

// The digit-array text of a string of bytes or 16-bit units, each taken as unsigned.
// A text that would pass 1023 characters is not delivered at all; neither is one that does
// not fit the capacity (compared as an unsigned 32-bit count, as on 32-bit Windows, where
// `long` is 32 bits) with its terminator.
template <class Unit>
long EncodeDigitArray(const Unit* source, char* destination, long capacity) {
  using UnsignedUnit = std::make_unsigned_t<Unit>;
  char text[corvix::kFormatUnits];
  std::size_t length = 0;
  const auto append = [&](const char* piece, std::size_t count) {
    if (length + count > kDigitArrayLimit) return false;
    std::memcpy(text + length, piece, count);
    length += count;
    return true;
  };

  append(kDigitArrayPrefix, kDigitArrayPrefixLength);
  for (std::size_t i = 0; source != nullptr && source[i] != Unit(0); ++i) {
    char field[kValueFieldUnits];
    const std::size_t fieldLength = FormatValueField(static_cast<UnsignedUnit>(source[i]), field);
    if (!append(field, fieldLength)) return 0;
  }
  if (!append(&kDigitArraySuffix, 1)) return 0;

  const std::size_t capacityUnits = static_cast<std::uint32_t>(capacity);
  return corvix::WriteIfFits(destination, text, length, capacityUnits) ? 1 : 0;
}

// Reads the digit-array text: every number that a comma ends is stored through `toUnit`;
// any other character drops the number pending. The destination receives one unit per comma
// and the terminator, and is not written when null.
template <class Unit, class ToUnit>
void DecodeDigitArray(const char* text, Unit* destination, ToUnit toUnit) {
  if (destination == nullptr) return;
  char pending[kPendingDigits + 1];
  std::size_t pendingLength = 0;
  std::size_t position = 0;
  for (std::size_t i = 0; text != nullptr && text[i] != '\0'; ++i) {
    const char unit = text[i];
    if (corvix::IsAsciiDigit(unit)) {
      if (pendingLength == kPendingDigits) {
        std::memmove(pending, pending + 1, kPendingDigits - 1);
        --pendingLength;
      }
      pending[pendingLength++] = unit;
    } else if (unit == kValueSeparator) {
      pending[pendingLength] = '\0';
      destination[position++] = toUnit(static_cast<std::uint32_t>(corvix::ParseLong32(pending)));
      pendingLength = 0;
    } else {
      pendingLength = 0;
    }
  }
  destination[position] = Unit(0);
}

}  // namespace

void CMathOperation::CharArrayToWcharArray(char* source, unsigned short* destination, long flags) {
  const std::size_t length = corvix::UnitLength(source);
  if (destination == nullptr || length == 0) return;
  const bool zeroExtend = (flags & kZeroExtendBytes) != 0;
  for (std::size_t i = 0; i <= length; ++i) {
    const char byte = source[i];
    destination[i] = zeroExtend ? static_cast<unsigned short>(static_cast<unsigned char>(byte))
                                : static_cast<unsigned short>(static_cast<signed char>(byte));
  }
}

void CMathOperation::WCharArrayToCharArray(char* destination, unsigned short* source, long flags) {
  if (destination == nullptr) return;
  static const unsigned short kEmpty = 0;
  const unsigned short* units = source != nullptr ? source : &kEmpty;
  const std::size_t length = corvix::UnitLength(units);
  const bool lowByteOnly = (flags & kLowByteOnly) != 0;
  std::size_t written = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    destination[written++] = static_cast<char>(units[i] & 0xFFu);
    if (!lowByteOnly) destination[written++] = static_cast<char>(units[i] >> 8);
  }
}

long CMathOperation::UnicodeStringToDigitArray(char* source, char* destination, long capacity) {
  return EncodeDigitArray(source, destination, capacity);
}

long CMathOperation::UnicodeStringToDigitArray(unsigned short* source, char* destination,
                                               long capacity) {
  return EncodeDigitArray(source, destination, capacity);
}

void CMathOperation::DigitArrayToUnicodeString(char* digitArray, char* destination,
                                               long /*unused*/) {
  DecodeDigitArray(digitArray, destination,
                   [](std::uint32_t value) { return static_cast<char>(value & 0xFFu); });
}

void CMathOperation::DigitArrayToUnicodeString(char* digitArray, unsigned short* destination,
                                               long flags) {
  const bool signExtend = (flags & kSignExtendLowByte) != 0;
  DecodeDigitArray(digitArray, destination, [signExtend](std::uint32_t value) {
    if (signExtend) {
      return static_cast<unsigned short>(static_cast<signed char>(value & 0xFFu));
    }
    return static_cast<unsigned short>(value & 0xFFFFu);
  });
}

long CMathOperation::IsUniCodeString(char* text) {
  const std::size_t length = corvix::UnitLengthBounded(text, kDigitArrayLimit);
  if (length <= kDigitArrayPrefixLength) return 0;
  if (std::memcmp(text, kDigitArrayPrefix, kDigitArrayPrefixLength) != 0) return 0;
  return text[length - 1] == kDigitArraySuffix ? 1 : 0;
}

long CMathOperation::ContainUnicodeChar(char* text) {
  for (std::size_t i = 0; text != nullptr && text[i] != '\0'; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80u) return 1;
  }
  return 0;
}

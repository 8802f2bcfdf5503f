// The read word: a read request, or the state of its result, packed into 32 bits.
//
//   bit 0       flag
//   bits 1-3    first field
//   bits 4-6    third field
//   bits 7-11   second field
//   bits 12-15  always 0
//   bits 16-31  letter code, a signed number (a negative code makes the whole word negative)
//
// The value -999 (a missing value) in the second, third or flag argument packs fixed field
// values. Words are computed in 32 bits and returned as the `long` of 32-bit Windows,
// sign-extended where `long` is wider.
#include <cstdint>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "device/internal/read_word.h"
#include "frame/internal/ascii.h"
#include "frame/internal/int32.h"

namespace {

constexpr std::int32_t kMissingValue = CORVIXMATH_MISSING_VALUE;

// Selectors of ExtractFromReadRequest: selector n names the field packed from argument n + 1.
enum ReadWordSelector : std::int32_t {
  kFirstField = 0,
  kSecondField = 1,
  kThirdField = 2,
  kLetterField = 3,
  kFlagBit = 4,
};

constexpr unsigned kFirstShift = 1;
constexpr unsigned kThirdShift = 4;
constexpr unsigned kSecondShift = 7;
constexpr unsigned kLetterShift = 16;
constexpr std::uint32_t kFirstMask = 0x7;
constexpr std::uint32_t kThirdMask = 0x7;
constexpr std::uint32_t kSecondMask = 0x1F;
constexpr std::uint32_t kFlagMask = 0x1;

// What a missing second field and a missing third field or flag pack as.
constexpr std::uint32_t kMissingSecondField = 15;
constexpr std::uint32_t kMissingThirdField = 1;
constexpr std::uint32_t kMissingFlag = 1;

// 'A'..'Z' give 0..25, 'a'..'z' give 26..51; any other character is its own signed byte value,
// so it may share a code with a letter.
std::int32_t LetterCode(char character) {
  const unsigned char unit = static_cast<unsigned char>(character);
  if (corvix::IsAsciiUpper(unit)) return unit - 'A';
  if (corvix::IsAsciiLower(unit)) return unit - 'a' + 26;
  return unit < 0x80 ? std::int32_t(unit) : std::int32_t(unit) - 0x100;
}

std::uint32_t Bits(long value) {
  return static_cast<std::uint32_t>(corvix::Wrap32(value));
}

}  // namespace

long CMathOperation::BuildReadResultState(long first, long second, long third, char letter,
                                          long flag) {
  std::uint32_t flagBit =
      corvix::Wrap32(flag) == kMissingValue ? kMissingFlag : Bits(flag) & kFlagMask;
  const std::uint32_t thirdField =
      corvix::Wrap32(third) == kMissingValue ? kMissingThirdField : Bits(third) & kThirdMask;
  std::uint32_t secondField = Bits(second) & kSecondMask;
  if (corvix::Wrap32(second) == kMissingValue) {
    secondField = kMissingSecondField;
    flagBit = kMissingFlag;
  }
  // -999 has no meaning for the first field: it is masked like any other value.
  const std::uint32_t firstField = Bits(first) & kFirstMask;
  const std::uint32_t letterBits = static_cast<std::uint32_t>(LetterCode(letter)) << kLetterShift;
  return corvix::LongFromBits(letterBits | (secondField << kSecondShift) |
                              (thirdField << kThirdShift) | (firstField << kFirstShift) | flagBit);
}

// Returns the selected field, the letter code sign-extended; -999 for an unknown selector.
long CMathOperation::ExtractFromReadRequest(long selector, long word) {
  const std::uint32_t bits = Bits(word);
  switch (corvix::Wrap32(selector)) {
    case kFirstField:
      return static_cast<long>((bits >> kFirstShift) & kFirstMask);
    case kSecondField:
      return static_cast<long>((bits >> kSecondShift) & kSecondMask);
    case kThirdField:
      return static_cast<long>((bits >> kThirdShift) & kThirdMask);
    case kLetterField: {
      const long letter = static_cast<long>(bits >> kLetterShift);
      return letter >= 0x8000 ? letter - 0x10000 : letter;
    }
    case kFlagBit:
      return static_cast<long>(bits & kFlagMask);
    default:
      return kMissingValue;
  }
}

namespace {

// Index of the first element equal to the value, comparing their 32-bit values; -1 when none
// is, when the count is 0 or negative, or when there is no list. The C interface searches lists
// of int32_t with the same loop.
template <class Element>
long IndexInList(long value, const Element* list, long count) {
  const std::int32_t sought = corvix::Wrap32(value);
  const std::int32_t elements = corvix::Wrap32(count);
  if (list == nullptr) return -1;
  for (std::int32_t index = 0; index < elements; ++index) {
    if (corvix::Wrap32(static_cast<long>(list[index])) == sought) return index;
  }
  return -1;
}

}  // namespace

long CMathOperation::LongExistInList(long value, long* list, long count) {
  return IndexInList(value, list, count);
}

long corvix::device::LongExistInList32(std::int32_t value, const std::int32_t* list,
                                       std::int32_t count) {
  return IndexInList(value, list, count);
}

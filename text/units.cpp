// Basic operations on 16-bit unit strings: copy, length, comparison, number to text.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"
#include "text/internal/search.h"

namespace {

// The longest decimal text of a 32-bit long: a sign and ten digits.
constexpr std::size_t kLongTextUnits = 11;

// Unit by unit as unsigned numbers; a proper beginning of the other string is the smaller.
int CompareUnits(const unsigned short* first, const unsigned short* second) {
  static const unsigned short kEmpty[1] = {0};
  if (first == nullptr) first = kEmpty;
  if (second == nullptr) second = kEmpty;
  std::size_t i = 0;
  while (first[i] == second[i] && first[i] != 0)
    ++i;
  if (first[i] == second[i]) return 0;
  return first[i] < second[i] ? -1 : 1;
}

// Decimal text of the 32-bit value: a minus sign for negatives, no leading zeros.
std::size_t DecimalText(std::int32_t value, unsigned short (&text)[kLongTextUnits]) {
  // The magnitude of the smallest value does not fit int32_t; it does fit uint32_t.
  std::uint32_t magnitude =
      value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  unsigned short reversed[kLongTextUnits];
  std::size_t digits = 0;
  do {
    reversed[digits++] = static_cast<unsigned short>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t length = 0;
  if (value < 0) text[length++] = '-';
  while (digits != 0)
    text[length++] = reversed[--digits];
  return length;
}

}  // namespace

void CMathOperation::Copy(unsigned short* destination, unsigned short* source,
                          unsigned int capacity) {
  // A source that does not fit is refused as a whole; the destination keeps what it held.
  const std::size_t length = corvix::text::ScanLength(source, capacity);
  corvix::WriteIfFits(destination, source, length, capacity);
}

long CMathOperation::Len(unsigned short* text) {
  return static_cast<long>(corvix::text::ScanLength(text, corvix::text::kWholeText));
}

long CMathOperation::Compare(unsigned short* first, unsigned short* second) {
  return CompareUnits(first, second);
}

void CMathOperation::LongToWChar(long value, unsigned short* destination, unsigned int capacity) {
  // The value is the 32-bit `long` of 32-bit Windows (a wider `long` is cut to its low 32
  // bits); a text too long for the capacity is refused and the destination keeps what it held.
  unsigned short text[kLongTextUnits];
  const std::size_t length = DecimalText(corvix::Wrap32(value), text);
  corvix::WriteIfFits(destination, text, length, capacity);
}

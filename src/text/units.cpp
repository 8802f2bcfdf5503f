// Basic operations on 16-bit unit strings: copy, length, comparison, number to text.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "frame/internal/decimal.h"
#include "frame/internal/int32.h"
#include "text/internal/search.h"

namespace {

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

}  // namespace

void CMathOperation::Copy(unsigned short* destination, unsigned short* source,
                          unsigned int capacity) {
  // A source that does not fit is refused as a whole; the destination keeps what it held.
  const std::size_t length = corvix::UnitLengthBounded(source, capacity);
  corvix::WriteIfFits(destination, source, length, capacity);
}

long CMathOperation::Len(unsigned short* text) {
  return static_cast<long>(corvix::UnitLengthBounded(text, corvix::kWholeText));
}

long CMathOperation::Compare(unsigned short* first, unsigned short* second) {
  return CompareUnits(first, second);
}

void CMathOperation::LongToWChar(long value, unsigned short* destination, unsigned int capacity) {
  // The value is the 32-bit `long` of 32-bit Windows (a wider `long` is cut to its low 32
  // bits); a text too long for the capacity is refused and the destination keeps what it held.
  unsigned short text[corvix::kLongestDecimalText];
  const std::size_t length = corvix::WriteDecimal(text, corvix::Wrap32(value));
  corvix::WriteIfFits(destination, text, length, capacity);
}

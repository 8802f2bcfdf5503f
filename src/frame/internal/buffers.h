// Working-buffer sizes and the rules for writing into a caller's buffer.
//
// Members that copy their source into a working buffer first cut a longer source to the
// buffer size less one; because they work on that copy, their destination may be the source.
// Every write of a finished text goes through WriteIfFits, which holds the one rule: a text
// is written only with its terminator inside the capacity; otherwise the destination stays
// exactly as it was.
#ifndef CORVIXMATH_FRAME_INTERNAL_BUFFERS_H
#define CORVIXMATH_FRAME_INTERNAL_BUFFERS_H

#include <cstddef>
#include <cstring>
#include <limits>

#include "CorvixLimits.h"
#include "frame/internal/scan.h"

namespace corvix {

// Working buffers, in units, terminator included (the values are published in CorvixLimits.h).
constexpr std::size_t kSevenSegTextUnits = CORVIXMATH_SEVENSEG_TEXT_UNITS;
constexpr std::size_t kFieldUnits = CORVIXMATH_FIELD_UNITS;
constexpr std::size_t kNameUnits = CORVIXMATH_NAME_BYTES;
constexpr std::size_t kExpressionUnits = CORVIXMATH_EXPRESSION_UNITS;
constexpr std::size_t kPathUnits = CORVIXMATH_PATH_UNITS;
constexpr std::size_t kFormatUnits = CORVIXMATH_FORMAT_UNITS;
constexpr std::size_t kTextUnits = CORVIXMATH_TEXT_UNITS;

// Fixed sizes that members assume of a caller's buffer they are not told the size of.
constexpr std::size_t kControlIdBytes = CORVIXMATH_CONTROL_ID_BYTES;
constexpr std::size_t kFaceBytes = CORVIXMATH_FACE_BYTES;
constexpr std::size_t kMessageBytes = CORVIXMATH_MESSAGE_BYTES;

// No limit: the whole terminated text.
constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

// Length of a NUL-terminated string of any unit type, looking at no more than `limit` units;
// a null string is empty.
template <class Unit>
std::size_t UnitLengthBounded(const Unit* text, std::size_t limit) {
  return text == nullptr ? 0 : scan::BoundedLength(text, limit);
}

// Length of a whole NUL-terminated string; a null string is empty.
template <class Unit>
std::size_t UnitLength(const Unit* text) {
  return UnitLengthBounded(text, kWholeText);
}

// Does a text of `length` units fit a destination of `capacity` units with its terminator?
// A text exactly as long as the capacity does not: it would have to lose its last unit.
constexpr bool FitsWithTerminator(std::size_t length, std::size_t capacity) {
  return length < capacity;
}

// Writes `length` units of `text` and a terminator into `destination` when they fit
// `capacity`; returns false and leaves the destination untouched otherwise (also for a null
// destination). `text` may overlap `destination`.
template <class Unit>
bool WriteIfFits(Unit* destination, const Unit* text, std::size_t length, std::size_t capacity) {
  if (destination == nullptr || !FitsWithTerminator(length, capacity)) return false;
  if (length != 0) std::memmove(destination, text, length * sizeof(Unit));
  destination[length] = Unit(0);
  return true;
}

// Bounded, truncating copy: at most capacity - 1 units, always terminated when capacity > 0.
// For members that have no result and whose contract is to cut (names, faces).
template <class Unit>
void CopyTruncated(Unit* destination, const Unit* source, std::size_t capacity) {
  if (destination == nullptr || capacity == 0) return;
  const std::size_t length = UnitLengthBounded(source, capacity - 1);
  if (length != 0) std::memmove(destination, source, length * sizeof(Unit));
  destination[length] = Unit(0);
}

// A fixed working buffer holding the first Size - 1 units of a source, always terminated.
template <class Unit, std::size_t Size>
struct WorkingCopy {
  Unit units[Size];
  std::size_t length;

  explicit WorkingCopy(const Unit* source) : length(UnitLengthBounded(source, Size - 1)) {
    if (length != 0) std::memcpy(units, source, length * sizeof(Unit));
    units[length] = Unit(0);
  }
  static constexpr std::size_t capacity() { return Size; }
};

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_BUFFERS_H

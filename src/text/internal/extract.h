// Cutting a text of any unit type at a unit, by a count of units and by a range.
//
// The extractors that the family defines with a working buffer look only at the first units
// of a long source (2047 at a unit, 1023 from the right) and may write into the source itself.
// They measure the cut text in place and move the result with memmove, which gives exactly
// what a working copy would, for any overlap of source and destination.
#ifndef CORVIXMATH_TEXT_INTERNAL_EXTRACT_H
#define CORVIXMATH_TEXT_INTERNAL_EXTRACT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "frame/internal/buffers.h"
#include "text/internal/search.h"

namespace corvix {
namespace text {

// Units of the source that ExtractRightSide looks at.
constexpr std::size_t kRightSideUnits = kFormatUnits - 1;

// Writes `length` units of `text` and a terminator; `text` may overlap `destination`. For the
// members whose destination size is stated as a rule rather than passed.
template <class Unit>
void WriteText(Unit* destination, const Unit* text, std::size_t length) {
  if (length != 0) std::memmove(destination, text, length * sizeof(Unit));
  destination[length] = Unit(0);
}

// Writes the part of `source` before the first `character` (all of it when the character is
// absent) into `destination` of `capacity` units. Returns 1 when written, and also for an
// empty source, which leaves the destination untouched; returns 0, destination untouched,
// when the part does not fit with its terminator or the destination is null. The capacity is
// taken as an unsigned 32-bit count, as a `long` of 32-bit Windows reads as unsigned.
//   "12.5", '.', 16 -> "12", 1;  "12.5", ':', 16 -> "12.5", 1;  "12345", ':', 5 -> 0
template <class Unit>
long ExtractLeftBefore(const Unit* source, Unit* destination, Unit character, long capacity) {
  if (destination == nullptr) return 0;
  if (source == nullptr || source[0] == Unit(0)) return 1;
  const std::size_t left = FirstOrEnd(source, kSearchUnits, character);
  const std::uint32_t units = static_cast<std::uint32_t>(static_cast<unsigned long>(capacity));
  return WriteIfFits(destination, source, left, units) ? 1 : 0;
}

// Writes the part of `source` after the first `character` into `destination`, which must
// hold 2048 units; with the character absent, the whole (cut) source. An empty source, and
// looking for NUL, leave the destination untouched.
//   "1.2.3", '.' -> "2.3";  "1.2.3", ':' -> "1.2.3";  "12.", '.' -> ""
template <class Unit>
void ExtractRightAfter(const Unit* source, Unit* destination, Unit character) {
  if (destination == nullptr || character == Unit(0)) return;
  if (source == nullptr || source[0] == Unit(0)) return;
  const std::size_t position = FirstOrEnd(source, kSearchUnits, character);
  const bool found = position < kSearchUnits && source[position] == character;
  // Without the character, the scan has measured the whole cut text.
  const std::size_t from = found ? position + 1 : 0;
  const std::size_t length =
      found ? UnitLengthBounded(source + from, kSearchUnits - from) : position;
  WriteText(destination, source + from, length);
}

// Writes the first `count` units of `source` (all of it when shorter) into `destination`,
// which must hold count + 1 units; a count of 0 or less writes an empty string. An empty
// source leaves the destination untouched. The whole source takes part.
//   "ABC12", 3 -> "ABC";  "ABC12", 0 -> "";  "ABC12", 9 -> "ABC12"
template <class Unit>
void ExtractLeftSide(const Unit* source, Unit* destination, long count) {
  if (destination == nullptr || UnitLengthBounded(source, 1) == 0) return;
  const std::size_t taken =
      count <= 0 ? 0 : UnitLengthBounded(source, static_cast<std::size_t>(count));
  WriteText(destination, source, taken);
}

// Writes the last `count` units of the first 1023 units of `source`, in their order, into
// `destination`, which must hold count + 1 units (1024 at most); a count of 0 or less writes
// an empty string. An empty source leaves the destination untouched.
//   "ABC12", 2 -> "12";  "ABC12", 9 -> "ABC12";  "ABC12", -1 -> ""
template <class Unit>
void ExtractRightSide(const Unit* source, Unit* destination, long count) {
  if (destination == nullptr) return;
  const std::size_t length = UnitLengthBounded(source, kRightSideUnits);
  if (length == 0) return;
  std::size_t taken = count <= 0 ? 0 : static_cast<std::size_t>(count);
  if (taken > length) taken = length;
  WriteText(destination, source + (length - taken), taken);
}

// Writes at most `count` units of `source` from `start`, stopping at its terminator, into
// `destination`, which must hold count + 1 units. A count of 0 or less, and a start outside
// the source (negative or past its terminator), write an empty string. Returns 1, or 0 for a
// null destination.
//   "abcdef", 2, 3 -> "cde";  "abc", 1, 10 -> "bc";  "abc", 3, 2 -> ""
template <class Unit>
long SubString(const Unit* source, Unit* destination, long start, long count) {
  if (destination == nullptr) return 0;
  std::size_t taken = 0;
  const std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
  if (count > 0 && start >= 0 && UnitLengthBounded(source, from) == from)
    taken = UnitLengthBounded(source + from, static_cast<std::size_t>(count));
  WriteText(destination, taken == 0 ? destination : source + from, taken);
  return 1;
}

}  // namespace text
}  // namespace corvix

#endif  // CORVIXMATH_TEXT_INTERNAL_EXTRACT_H

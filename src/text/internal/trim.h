// Stripping a repeated unit from either end of a text of any unit type.
//
// Trimming looks at the first 1023 units of a source of at most 1024 units and refuses a
// longer one outright. The trimmed text is a run inside the source, so it is measured in place
// and moved with memmove: the destination may be the source, as callers that trim in place
// expect. Every write goes through WriteIfFits: a trimmed text as long as the capacity or
// longer is refused and the destination stays as it was.
#ifndef CORVIXMATH_TEXT_INTERNAL_TRIM_H
#define CORVIXMATH_TEXT_INTERNAL_TRIM_H

#include <cstddef>

#include "frame/internal/buffers.h"
#include "frame/internal/scan.h"
#include "text/internal/search.h"

namespace corvix {
namespace text {

// The longest source trimming accepts, and the units of it that take part.
constexpr std::size_t kTrimSourceUnits = kFormatUnits;
constexpr std::size_t kTrimUnits = kFormatUnits - 1;

namespace detail {

// Where the units that take part in trimming end: 0 refuses the source. A source of exactly
// 1024 units is accepted and loses its last unit.
template <class Unit>
bool TrimmableLength(const Unit* source, std::size_t* length) {
  const std::size_t whole = UnitLengthBounded(source, kTrimSourceUnits + 1);
  if (whole > kTrimSourceUnits) return false;
  *length = whole < kTrimUnits ? whole : kTrimUnits;
  return true;
}

}  // namespace detail

// Writes `source` without its leading run of `character` into `destination` of `capacity`
// units. Returns 1 when written, 0 (destination untouched) for a source longer than 1024
// units, a trimmed text that does not fit with its terminator, or a null destination.
// Stripping NUL strips nothing; an empty source writes an empty string.
//   "  12", ' ', 10 -> "12", 1;  "000", '0', 1 -> "", 1;  "  12345", ' ', 5 -> 0
template <class Unit>
long TrimLeading(const Unit* source, Unit* destination, Unit character, unsigned int capacity) {
  std::size_t length = 0;
  if (!detail::TrimmableLength(source, &length)) return 0;
  const std::size_t first = character == Unit(0) ? 0 : scan::FirstOther(source, length, character);
  return WriteIfFits(destination, source + first, length - first, capacity) ? 1 : 0;
}

// As TrimLeading, for the trailing run of `character`.
//   "1.500", '0', 12 -> "1.5", 1;  "12.", '.', 12 -> "12", 1;  "12", ' ', 2 -> 0 (no room)
template <class Unit>
long TrimTrailing(const Unit* source, Unit* destination, Unit character, unsigned int capacity) {
  std::size_t length = 0;
  if (!detail::TrimmableLength(source, &length)) return 0;
  if (character != Unit(0)) length = scan::EndOfLastOther(source, length, character);
  return WriteIfFits(destination, source, length, capacity) ? 1 : 0;
}

}  // namespace text
}  // namespace corvix

#endif  // CORVIXMATH_TEXT_INTERNAL_TRIM_H

// Searching a text of any unit type: a unit, a run of units, the first occurrence.
//
// The search members look only at the first units of a long source (2047 for a unit, 1023
// for a run of units), as if they had copied it into their working buffer. They scan the
// caller's text in place within that bound instead: the result is the same and a search
// costs one bounded pass, not a copy and a pass.
//
// The scans themselves (frame/internal/scan.h) are the only place that knows how to go fast for
// a given unit type; every algorithm in the text family is written on top of them.
#ifndef CORVIXMATH_TEXT_INTERNAL_SEARCH_H
#define CORVIXMATH_TEXT_INTERNAL_SEARCH_H

#include <cstddef>
#include <cstring>

#include "frame/internal/buffers.h"
#include "frame/internal/scan.h"

namespace corvix {
namespace text {

// Units of the source that take part in a search for one unit.
constexpr std::size_t kSearchUnits = kTextUnits - 1;
// Units of the source that take part in a search for a run of units.
constexpr std::size_t kSubStringUnits = kFormatUnits - 1;
constexpr long kNotFound = CORVIXMATH_NOT_FOUND;

namespace detail {

// The leftmost `wanted` units of `run` within the `length` units of `text`, or -1: the places
// where the run's first two units stand together are the candidates, and the rest of the run
// is compared only there.
template <class Unit>
long FindRunAmongCandidates(const Unit* text, std::size_t length, const Unit* run,
                            std::size_t wanted) {
  const std::size_t lastStart = length - wanted;
  if (wanted == 1) {
    const std::size_t hit = scan::FindUnit(text, length, run[0]);
    return hit == length ? kNotFound : static_cast<long>(hit);
  }
  const std::size_t restBytes = (wanted - 2) * sizeof(Unit);
  std::size_t from = 0;
  while (from <= lastStart) {
    // Pairs that start at most at lastStart: their second unit is at most lastStart + 1.
    const std::size_t span = lastStart - from + 2;
    const std::size_t hit = from + scan::FirstPair(text + from, span, run[0], run[1]);
    if (hit > lastStart) return kNotFound;
    if (restBytes == 0 || std::memcmp(text + hit + 2, run + 2, restBytes) == 0)
      return static_cast<long>(hit);
    from = hit + 1;
  }
  return kNotFound;
}

}  // namespace detail

// The first of `count` units equal to `unit`, or null. Terminators among them are ordinary
// units here: the caller has measured the range.
template <class Unit>
const Unit* FindUnit(const Unit* units, std::size_t count, Unit unit) {
  const std::size_t position = scan::FindUnit(units, count, unit);
  return position == count ? nullptr : units + position;
}

// Position of the first `unit` within the first `limit` units of the terminated `text`, or
// the length of the text (at most `limit`) when there is none: the end of the text as cut at
// `limit`, which is where looking for the terminator stops. A null text is empty.
template <class Unit>
std::size_t FirstOrEnd(const Unit* text, std::size_t limit, Unit unit) {
  return text == nullptr ? 0 : scan::FirstOrEnd(text, limit, unit);
}

// Position of the first `character` within the first 2047 units of `source`, or -1. The
// terminator takes part: looking for NUL finds the end of the (cut) text. An empty source
// holds nothing, not even a terminator to find.
//   "abc", 'c' -> 2;  "abc", 'x' -> -1;  "abc", NUL -> 3;  "", NUL -> -1
template <class Unit>
long FindCharpos(const Unit* source, Unit character) {
  if (source == nullptr || source[0] == Unit(0)) return kNotFound;
  const std::size_t position = FirstOrEnd(source, kSearchUnits, character);
  if (character == Unit(0)) return static_cast<long>(position);
  if (position == kSearchUnits || source[position] != character) return kNotFound;
  return static_cast<long>(position);
}

// Position where the leftmost occurrence of `substring` starts within the first 1023 units of
// `source`, or -1. An empty substring is found at the end of the (cut) source.
//   "abcabd", "abd" -> 3;  "ab", "abc" -> -1;  "abc", "" -> 3;  "", "a" -> -1
template <class Unit>
long FindSubStringStart(const Unit* source, const Unit* substring) {
  const std::size_t length = UnitLengthBounded(source, kSubStringUnits);
  const std::size_t wanted = UnitLengthBounded(substring, length + 1);
  if (wanted > length) return kNotFound;
  if (wanted == 0) return static_cast<long>(length);
  return detail::FindRunAmongCandidates(source, length, substring, wanted);
}

}  // namespace text
}  // namespace corvix

#endif  // CORVIXMATH_TEXT_INTERNAL_SEARCH_H

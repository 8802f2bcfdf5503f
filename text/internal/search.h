// Searching a text of any unit type: a unit, a run of units, the first occurrence.
//
// The search members look only at the first units of a long source (2047 for a unit, 1023
// for a run of units), as if they had copied it into their working buffer. They scan the
// caller's text in place within that bound instead: the result is the same and a search
// costs one bounded pass, not a copy and a pass.
//
// The two scanning primitives, ScanLength and FindUnit, are the only places that know how to
// go fast for a given unit type; every algorithm in the text family is written on top of them.
#ifndef CORVIXMATH_TEXT_INTERNAL_SEARCH_H
#define CORVIXMATH_TEXT_INTERNAL_SEARCH_H

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <limits>

#include "frame/internal/buffers.h"

namespace corvix {
namespace text {

// Units of the source that take part in a search for one unit.
constexpr std::size_t kSearchUnits = kTextUnits - 1;
// Units of the source that take part in a search for a run of units.
constexpr std::size_t kSubStringUnits = kFormatUnits - 1;
// No limit: the whole terminated text.
constexpr std::size_t kWholeText = std::numeric_limits<std::size_t>::max();

constexpr long kNotFound = -1;

namespace detail {

// Plain loops serve every unit type; the runtime's vectorised scans serve the two it knows.
template <class Unit>
struct UnitScan {
  static std::size_t Length(const Unit* text, std::size_t limit) {
    return UnitLengthBounded(text, limit);
  }
  static const Unit* Find(const Unit* units, std::size_t count, Unit unit) {
    for (std::size_t i = 0; i < count; ++i)
      if (units[i] == unit) return units + i;
    return nullptr;
  }
  // One pass that stops at the unit or at the end of the text, whichever comes first.
  static std::size_t FirstOrEnd(const Unit* text, std::size_t limit, Unit unit) {
    if (text == nullptr) return 0;
    std::size_t i = 0;
    while (i < limit && text[i] != Unit(0) && text[i] != unit)
      ++i;
    return i;
  }
};

// The runtime's scans are fast enough that measuring first and then searching wins.
template <class Unit, class Scan>
std::size_t MeasureThenFind(const Unit* text, std::size_t limit, Unit unit) {
  const std::size_t length = Scan::Length(text, limit);
  const Unit* hit = Scan::Find(text, length, unit);
  return hit == nullptr ? length : static_cast<std::size_t>(hit - text);
}

template <>
struct UnitScan<char> {
  static std::size_t Length(const char* text, std::size_t limit) {
    return text == nullptr ? 0 : strnlen(text, limit);
  }
  static const char* Find(const char* units, std::size_t count, char unit) {
    if (count == 0) return nullptr;
    return static_cast<const char*>(std::memchr(units, static_cast<unsigned char>(unit), count));
  }
  static std::size_t FirstOrEnd(const char* text, std::size_t limit, char unit) {
    return MeasureThenFind<char, UnitScan<char>>(text, limit, unit);
  }
};

template <>
struct UnitScan<wchar_t> {
  static std::size_t Length(const wchar_t* text, std::size_t limit) {
    return text == nullptr ? 0 : wcsnlen(text, limit);
  }
  static const wchar_t* Find(const wchar_t* units, std::size_t count, wchar_t unit) {
    if (count == 0) return nullptr;
    return std::wmemchr(units, unit, count);
  }
  static std::size_t FirstOrEnd(const wchar_t* text, std::size_t limit, wchar_t unit) {
    return MeasureThenFind<wchar_t, UnitScan<wchar_t>>(text, limit, unit);
  }
};

}  // namespace detail

// Length of `text`, looking at no more than `limit` units; a null text is empty.
template <class Unit>
std::size_t ScanLength(const Unit* text, std::size_t limit) {
  return detail::UnitScan<Unit>::Length(text, limit);
}

// The first of `count` units equal to `unit`, or null. Terminators among them are ordinary
// units here: the caller has measured the range.
template <class Unit>
const Unit* FindUnit(const Unit* units, std::size_t count, Unit unit) {
  return detail::UnitScan<Unit>::Find(units, count, unit);
}

// Position of the first `unit` within the first `limit` units of the terminated `text`, or
// the length of the text (at most `limit`) when there is none: the end of the text as cut at
// `limit`, which is where looking for the terminator stops. A null text is empty.
template <class Unit>
std::size_t FirstOrEnd(const Unit* text, std::size_t limit, Unit unit) {
  return detail::UnitScan<Unit>::FirstOrEnd(text, limit, unit);
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
  const std::size_t length = ScanLength(source, kSubStringUnits);
  const std::size_t wanted = ScanLength(substring, length + 1);
  if (wanted > length) return kNotFound;
  if (wanted == 0) return static_cast<long>(length);

  // Candidates are the occurrences of the first unit that leave room for the rest.
  const std::size_t lastStart = length - wanted;
  const std::size_t restBytes = (wanted - 1) * sizeof(Unit);
  std::size_t from = 0;
  while (from <= lastStart) {
    const Unit* hit = FindUnit(source + from, lastStart - from + 1, substring[0]);
    if (hit == nullptr) return kNotFound;
    if (restBytes == 0 || std::memcmp(hit + 1, substring + 1, restBytes) == 0)
      return static_cast<long>(hit - source);
    from = static_cast<std::size_t>(hit - source) + 1;
  }
  return kNotFound;
}

}  // namespace text
}  // namespace corvix

#endif  // CORVIXMATH_TEXT_INTERNAL_SEARCH_H

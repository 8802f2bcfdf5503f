// Editing a terminated text of any unit type where it lies: inserting a unit, removing every
// occurrence of a unit or a range of units, replacing a unit.
//
// The caller's buffer must have room for the result (one unit more for an insertion). Positions
// outside the text are ignored rather than written to, since the buffer beyond the terminator
// is not known to exist.
#ifndef CORVIXMATH_TEXT_INTERNAL_EDIT_H
#define CORVIXMATH_TEXT_INTERNAL_EDIT_H

#include <cstddef>
#include <cstring>

#include "text/internal/search.h"

namespace corvix {
namespace text {

// Puts `unit` at `position` and moves the rest, terminator included, one place to the right.
// A position equal to the length appends; a negative one or one past the end does nothing.
// The buffer must hold length + 2 units.
//   "1234", 1, ',' -> "1,234";  "12", 0, '0' -> "012";  "1234", 4, 'x' -> "1234x"
template <class Unit>
void InsertUnit(Unit* text, long position, Unit unit) {
  if (text == nullptr || position < 0) return;
  const std::size_t length = UnitLengthBounded(text, kWholeText);
  const std::size_t at = static_cast<std::size_t>(position);
  if (at > length) return;
  std::memmove(text + at + 1, text + at, (length - at + 1) * sizeof(Unit));
  text[at] = unit;
}

// Removes every occurrence of `unit`, adjacent ones included. Removing NUL removes nothing.
//   "1.5E+03", '+' -> "1.5E03";  "a,,b", ',' -> "ab"
template <class Unit>
void RemoveUnit(Unit* text, Unit unit) {
  if (text == nullptr || unit == Unit(0)) return;
  std::size_t kept = FirstOrEnd(text, kWholeText, unit);
  if (text[kept] == Unit(0)) return;
  for (std::size_t read = kept + 1; text[read] != Unit(0); ++read)
    if (text[read] != unit) text[kept++] = text[read];
  text[kept] = Unit(0);
}

// Removes `count` units from `start`; the text ends at `start` when the range reaches its end.
// A start at or past the end, a negative start and a count of 0 or less change nothing.
//   "abcdef", 1, 2 -> "adef";  "abcdef", 4, 5 -> "abcd";  "abcdef", 6, 1 -> "abcdef"
template <class Unit>
void RemoveRange(Unit* text, int start, int count) {
  if (text == nullptr || start < 0 || count <= 0) return;
  const std::size_t length = UnitLengthBounded(text, kWholeText);
  const std::size_t from = static_cast<std::size_t>(start);
  const std::size_t removed = static_cast<std::size_t>(count);
  if (from >= length) return;
  if (removed >= length - from) {
    text[from] = Unit(0);
    return;
  }
  std::memmove(text + from, text + from + removed, (length - from - removed + 1) * sizeof(Unit));
}

// Replaces every `find` by `replacement` up to the terminator the text had on entry, so that
// replacing a separator by NUL leaves a row of terminated pieces. Looking for NUL does nothing.
//   "a,b,c", ',', NUL -> "a" NUL "b" NUL "c" NUL
template <class Unit>
void ReplaceUnit(Unit* text, Unit find, Unit replacement) {
  if (text == nullptr || find == Unit(0)) return;
  // Each scan starts past the unit just replaced, so a NUL written there ends nothing.
  for (std::size_t at = FirstOrEnd(text, kWholeText, find); text[at] != Unit(0);
       at += 1 + FirstOrEnd(text + at + 1, kWholeText, find))
    text[at] = replacement;
}

}  // namespace text
}  // namespace corvix

#endif  // CORVIXMATH_TEXT_INTERNAL_EDIT_H

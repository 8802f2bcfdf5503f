// ASCII character tests for every unit type: digits, letters, case folding, whole-name
// comparison.
//
// Only the ASCII ranges count. A narrow byte of 0x80 and above and a 16-bit unit outside ASCII
// (a Persian letter in the product's code page, say) is neither a digit nor a letter, whatever
// the unit's sign, and folds only to itself.
//   IsAsciiDigit('7') -> true;  IsAsciiLetter('\xC7') -> false;  FoldAsciiLetter('Q') -> 'q'
#ifndef CORVIXMATH_FRAME_INTERNAL_ASCII_H
#define CORVIXMATH_FRAME_INTERNAL_ASCII_H

namespace corvix {

template <class Unit>
constexpr bool IsAsciiDigit(Unit unit) {
  return unit >= Unit('0') && unit <= Unit('9');
}

// The value of a decimal digit; meaningful only where IsAsciiDigit holds.
template <class Unit>
constexpr int AsciiDigitValue(Unit unit) {
  return static_cast<int>(unit - Unit('0'));
}

template <class Unit>
constexpr bool IsAsciiUpper(Unit unit) {
  return unit >= Unit('A') && unit <= Unit('Z');
}

template <class Unit>
constexpr bool IsAsciiLower(Unit unit) {
  return unit >= Unit('a') && unit <= Unit('z');
}

template <class Unit>
constexpr bool IsAsciiLetter(Unit unit) {
  return IsAsciiLower(unit) || IsAsciiUpper(unit);
}

template <class Unit>
constexpr Unit FoldAsciiLetter(Unit unit) {
  return IsAsciiUpper(unit) ? static_cast<Unit>(unit - Unit('A') + Unit('a')) : unit;
}

// Whole-string equality, ignoring the case of ASCII letters. A null text reads as empty.
inline bool EqualsIgnoringAsciiCase(const char* text, const char* name) {
  if (text == nullptr) text = "";
  for (;; ++text, ++name) {
    if (FoldAsciiLetter(*text) != FoldAsciiLetter(*name)) return false;
    if (*text == '\0') return true;
  }
}

// Whole-string equality, byte for byte. A null text reads as empty.
inline bool EqualsExactly(const char* text, const char* name) {
  if (text == nullptr) text = "";
  for (;; ++text, ++name) {
    if (*text != *name) return false;
    if (*text == '\0') return true;
  }
}

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_ASCII_H

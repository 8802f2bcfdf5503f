// Name comparison for the vocabulary lookups.
//
// Names are matched whole. The case-insensitive form folds only the ASCII letters, so a byte
// above 0x7F (a Persian letter in the product's code page, say) matches only itself.
#ifndef CORVIXMATH_VOCAB_INTERNAL_ASCII_CASE_H
#define CORVIXMATH_VOCAB_INTERNAL_ASCII_CASE_H

namespace corvix {

constexpr char FoldAsciiLetter(char unit) {
  return (unit >= 'A' && unit <= 'Z') ? static_cast<char>(unit - 'A' + 'a') : unit;
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

#endif  // CORVIXMATH_VOCAB_INTERNAL_ASCII_CASE_H

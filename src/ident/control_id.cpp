// Control identifiers and character classes.
//
// A control identifier is a two-letter prefix and a decimal number: 'AB123' (old form),
// 'AB0123' (new form) and, in narrow texts only, 'AB12345' with a number above 10000. The
// prefix is not compared with any list of control kinds; all-zero numbers are valid.
#include <cstddef>
#include <cstdio>

#include "CMathOperation.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/byte_classes.h"
#include "frame/internal/guard.h"
#include "frame/internal/int32.h"
#include "text/internal/extract.h"

namespace {

constexpr long kPrefixLetters = 2;

struct IdentifierForm {
  std::size_t length;
  long numberDigits;
  long smallestNumber;  // the number part must be at least this
  long code;            // what IsValidControlID answers
  bool narrowOnly;
};

constexpr IdentifierForm kIdentifierForms[] = {
    {5, 3, 0, 1, false},     // old form: 2 letters, 000 to 999
    {6, 4, 0, 2, false},     // new form: 2 letters, 0000 to 9999
    {7, 5, 10001, 3, true},  // seven-character form: 2 letters, 10001 to 99999
};

// An identifier is never longer than its longest form; reading further is not needed.
constexpr std::size_t kLongestIdentifier = 7;
static_assert(kLongestIdentifier < corvix::kControlIdBytes, "an identifier fits 8 units");

const IdentifierForm* FormOfLength(std::size_t length, bool narrow) {
  for (const IdentifierForm& form : kIdentifierForms) {
    if (form.length == length && (narrow || !form.narrowOnly)) return &form;
  }
  return nullptr;
}

template <class Unit>
bool AllUnits(const Unit* text, bool (*test)(Unit)) {
  for (; *text != Unit(0); ++text) {
    if (!test(*text)) return false;
  }
  return true;
}

// The form code of an identifier, or 0. Only narrow texts know the seven-character form.
template <class Unit>
long ControlIdForm(const Unit* identifier, bool narrow) {
  const IdentifierForm* form =
      FormOfLength(corvix::UnitLengthBounded(identifier, kLongestIdentifier + 1), narrow);
  if (form == nullptr) return 0;
  Unit prefix[corvix::kControlIdBytes];
  Unit number[corvix::kControlIdBytes];
  corvix::text::ExtractLeftSide(identifier, prefix, kPrefixLetters);
  corvix::text::ExtractRightSide(identifier, number, form->numberDigits);
  if (!AllUnits<Unit>(prefix, corvix::IsAsciiLetter<Unit>)) return 0;
  if (!AllUnits<Unit>(number, corvix::IsAsciiDigit<Unit>)) return 0;
  if (form->smallestNumber > 0 && corvix::ParseLong32(number) < form->smallestNumber) return 0;
  return form->code;
}

// The character classes of IsAlphaNumeric, in the order in which a byte is tested. The
// classes do not overlap, so each byte sets exactly one bit.
constexpr corvix::ByteClassRow<long> kCharacterClasses[] = {
    {0x1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {0x2, "abcdefghijklmnopqrstuvwxyz"},
    {0x4, "0123456789"},
    {0x8, "()"},
    {0x10, "*/-+"},  // arithmetic signs
    {0x80, "<>="},   // comparison signs
    {0x20, "."},
    {0x40, "_"},
    {0x100,  // the script of the Windows-1256 code page, and its punctuation
             // the 32 letters of the Persian alphabet
     "\xC7"  // alef
     "\xC8"  // beh
     "\x81"  // peh
     "\xCA"  // teh
     "\xCB"  // theh
     "\xCC"  // jeem
     "\x8D"  // tcheh
     "\xCD"  // hah
     "\xCE"  // khah
     "\xCF"  // dal
     "\xD0"  // thal
     "\xD1"  // reh
     "\xD2"  // zain
     "\x8E"  // jeh
     "\xD3"  // seen
     "\xD4"  // sheen
     "\xD5"  // sad
     "\xD6"  // dad
     "\xD8"  // tah
     "\xD9"  // zah
     "\xDA"  // ain
     "\xDB"  // ghain
     "\xDD"  // feh
     "\xDE"  // qaf
     "\x98"  // keheh
     "\x90"  // gaf
     "\xE1"  // lam
     "\xE3"  // meem
     "\xE4"  // noon
     "\xE6"  // waw
     "\xE5"  // heh
     "\xED"  // yeh
     // seven further characters of the script
     "\xC2"  // alef with madda above
     "\xC3"  // alef with hamza above
     "\xC4"  // waw with hamza above
     "\xC6"  // yeh with hamza above
     "\xC1"  // hamza
     "\xC9"  // teh marbuta
     "\xDC"  // tatweel
     // punctuation
     "\xA1"  // Arabic comma
     "\xBA"  // Arabic semicolon
     "\xBF"  // Arabic question mark
     "\xAB"  // left-pointing double angle quotation mark
     "\xBB"  // right-pointing double angle quotation mark
     ","
     "?"},
    {0x200, "!~`@#$%^&;:|"},  // other ASCII punctuation
};

// Every other byte: space, quotation marks, brackets, backslash, control characters and
// the bytes of 0x80 and above outside the script.
constexpr long kOtherCharacter = 0x10000000;

constexpr corvix::ByteClassTable<long> kClassOfByte =
    corvix::MakeByteClassTable(kCharacterClasses, kOtherCharacter);

}  // namespace

// 0 for no identifier; 1 for 'AB123', 2 for 'AB0123', 3 for 'AB12345' (number above 10000).
long CMathOperation::IsValidControlID(char* identifier) {
  return corvix::RunGuarded(corvix::guarded::kIsValidControlID,
                            [&]() -> long { return ControlIdForm(identifier, true); });
}

// 0, 1 or 2: 16-bit texts know no seven-character form.
long CMathOperation::IsValidControlID(unsigned short* identifier) {
  return corvix::RunGuarded(corvix::guarded::kIsValidControlIDUnits,
                            [&]() -> long { return ControlIdForm(identifier, false); });
}

long CMathOperation::IsValidControlID(wchar_t* identifier) {
  return ControlIdForm(identifier, false);
}

// Turns an old five-character identifier into the new form in place: 'AB123' -> 'AB0123'.
// Only the length is tested: 'ABxyz' becomes 'AB0000' and 'AB-12' 'AB-012' (the number is
// what atol reads from the last three characters). Texts of any other length stay as they
// are. The buffer must hold 8 bytes; no more are ever written.
void CMathOperation::CheckControlIDAndConvertToNewVersion(char* identifier) {
  corvix::RunGuarded(corvix::guarded::kCheckControlIDAndConvertToNewVersion, [&] {
    constexpr std::size_t kOldFormLength = 5;
    constexpr long kOldNumberDigits = 3;
    if (corvix::UnitLengthBounded(identifier, kOldFormLength + 1) != kOldFormLength) return;
    char prefix[corvix::kControlIdBytes];
    corvix::CopyTruncated(prefix, identifier, sizeof prefix);
    prefix[kPrefixLetters] = '\0';
    char digits[corvix::kControlIdBytes];
    corvix::text::ExtractRightSide(identifier, digits, kOldNumberDigits);
    // Three characters read as at most 999 and at least -99, so the result has six
    // characters at most.
    const int number = static_cast<int>(corvix::ParseLong32(digits));
    char converted[corvix::kControlIdBytes];
    const int written = std::snprintf(converted, sizeof converted, "%s%04d", prefix, number);
    if (written < 0 || static_cast<std::size_t>(written) >= sizeof converted) return;
    corvix::CopyTruncated(identifier, converted, corvix::kControlIdBytes);
  });
}

// The classes present in a text, as a bit set; 0 for an empty text. 'Ab_1' -> 0x47,
// 'x+y' -> 0x12, a text of Persian letters -> 0x100, any text with a space has 0x10000000.
long CMathOperation::IsAlphaNumeric(char* text) {
  long classes = 0;
  if (text == nullptr) return classes;
  for (; *text != '\0'; ++text)
    classes |= kClassOfByte[*text];
  return classes;
}

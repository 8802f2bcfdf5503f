// Control identifiers and character classes: IsValidControlID (narrow, unit and wide),
// CheckControlIDAndConvertToNewVersion in an 8-byte buffer, and IsAlphaNumeric. Texts are
// mostly letters and digits around the identifier lengths 5, 6 and 7.
//
// Checked against models of the documented forms and class table, against the round trip
// CheckControlIDAndConvertToNewVersion then IsValidControlID (an old identifier becomes a new
// one with the same prefix and number), and the flavours agree on ASCII texts.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;
using corvix_fuzz::UnitValues;

constexpr std::size_t kIdentifierBytes = CORVIXMATH_CONTROL_ID_BYTES;

bool IsLetter(std::uint32_t unit) {
  return (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
}
bool IsDigit(std::uint32_t unit) {
  return unit >= '0' && unit <= '9';
}

// The form code of `text`; `narrow` knows the seven-character form.
long FormModel(const UnitValues& text, bool narrow) {
  const std::size_t length = text.size();
  std::size_t digits = 0;
  if (length == 5) digits = 3;
  if (length == 6) digits = 4;
  if (length == 7 && narrow) digits = 5;
  if (digits == 0) return 0;
  if (!IsLetter(text[0]) || !IsLetter(text[1])) return 0;
  long number = 0;
  for (std::size_t i = length - digits; i < length; ++i) {
    if (!IsDigit(text[i])) return 0;
    number = number * 10 + static_cast<long>(text[i] - '0');
  }
  if (length == 5) return 1;
  if (length == 6) return 2;
  return number > 10000 ? 3 : 0;
}

long ClassOf(unsigned char byte) {
  static const unsigned char kScript[] = {
      0xC7, 0xC8, 0x81, 0xCA, 0xCB, 0xCC, 0x8D, 0xCD, 0xCE, 0xCF, 0xD0, 0xD1,
      0xD2, 0x8E, 0xD3, 0xD4, 0xD5, 0xD6, 0xD8, 0xD9, 0xDA, 0xDB, 0xDD, 0xDE,
      0x98, 0x90, 0xE1, 0xE3, 0xE4, 0xE6, 0xE5, 0xED, 0xC2, 0xC3, 0xC4, 0xC6,
      0xC1, 0xC9, 0xDC, 0xA1, 0xBA, 0xBF, 0xAB, 0xBB, 0x2C, 0x3F};
  if (byte >= 'A' && byte <= 'Z') return 0x1;
  if (byte >= 'a' && byte <= 'z') return 0x2;
  if (byte >= '0' && byte <= '9') return 0x4;
  if (byte == '(' || byte == ')') return 0x8;
  if (byte == '*' || byte == '/' || byte == '-' || byte == '+') return 0x10;
  if (byte == '.') return 0x20;
  if (byte == '_') return 0x40;
  if (byte == '<' || byte == '>' || byte == '=') return 0x80;
  if (std::memchr(kScript, byte, sizeof kScript) != nullptr) return 0x100;
  if (byte != 0 && std::strchr("!~`@#$%^&;:|", byte) != nullptr) return 0x200;
  return 0x10000000;
}

void Identifiers(FuzzInput& input) {
  CMathOperation library;
  const UnitValues values = input.Text("ABZabz0129 -+", input.Bool() ? 16 : 8);
  Source<char> narrow(corvix_fuzz::As<char>(values));
  Source<unsigned short> units(corvix_fuzz::As<unsigned short>(values));
  Source<wchar_t> wide(corvix_fuzz::As<wchar_t>(values));
  corvix_fuzz::Note("IsValidControlID of %zu units", values.size());

  const long narrowForm = library.IsValidControlID(narrow.data());
  const long unitForm = library.IsValidControlID(units.data());
  const long wideForm = library.IsValidControlID(wide.data());
  UnitValues narrowValues;
  for (char c : narrow.Units())
    narrowValues.push_back(static_cast<unsigned char>(c));
  FUZZ_CHECK(narrowForm == FormModel(narrowValues, true));
  FUZZ_CHECK(unitForm == FormModel(values, false));
  FUZZ_CHECK(wideForm == unitForm);
  if (corvix_fuzz::IsAscii(values) && values.size() != 7) FUZZ_CHECK(narrowForm == unitForm);
}

void Conversion(FuzzInput& input) {
  CMathOperation library;
  const std::vector<char> text = corvix_fuzz::As<char>(input.Text("ABab0129 -+x", 8));
  Destination<char> buffer =
      corvix_fuzz::Holding(text, std::max(kIdentifierBytes, text.size() + 1));
  corvix_fuzz::Note("CheckControlIDAndConvertToNewVersion '%s'", buffer.data());

  Source<char> before(text);
  const long formBefore = library.IsValidControlID(before.data());
  library.CheckControlIDAndConvertToNewVersion(buffer.data());
  FUZZ_CHECK(buffer.CanariesIntact());
  if (text.size() != 5) {
    FUZZ_CHECK(buffer.Unchanged());
    return;
  }
  char expected[32];
  std::snprintf(expected, sizeof expected, "%c%c%04ld", text[0], text[1],
                corvix_fuzz::Atol32(std::vector<char>(text.begin() + 2, text.end())));
  FUZZ_CHECK(std::strlen(expected) <= 6);
  FUZZ_CHECK(buffer.Holds(corvix_fuzz::UnitsOf<char>(expected)));
  if (formBefore == 1) {
    FUZZ_CHECK(library.IsValidControlID(buffer.data()) == 2);
    FUZZ_CHECK(std::memcmp(buffer.data(), text.data(), 2) == 0);
    FUZZ_CHECK(buffer.data()[2] == '0');
    FUZZ_CHECK(std::memcmp(buffer.data() + 3, text.data() + 2, 3) == 0);
  }
}

void Classes(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text(nullptr, 8)));
  long expected = 0;
  for (char c : text.Units())
    expected |= ClassOf(static_cast<unsigned char>(c));
  FUZZ_CHECK(library.IsAlphaNumeric(text.data()) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  switch (input.Pick(3)) {
    case 0:
      Identifiers(input);
      break;
    case 1:
      Conversion(input);
      break;
    default:
      Classes(input);
      break;
  }
  return 0;
}

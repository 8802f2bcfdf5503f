// Numbers from texts and variants: the reverse of the display formatters.
//
// EngStr2SimpleValue reads an engineering text ("12.5 K") back into a plain value,
// HexStringToDecimal a hexadecimal text into a 32-bit word, VarValueToLongDouble a numeric
// OLE Automation variant, and ToLong a decimal integer from a unit string. None of them
// reports anything but its result.
#include <cstddef>
#include <cstdint>

// VarValueToLongDouble reads the platform's VARIANT, which on Windows comes from <oaidl.h>.
#define CORVIXMATH_INCLUDE_VARIANT
#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "format/internal/formatters.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/float_chars.h"
#include "frame/internal/int32.h"

namespace {

// The value an engineering text stands for when it cannot be read: the missing-value marker.
constexpr double kUnreadableEngText = CORVIXMATH_MISSING_VALUE;

// The suffix letters of an engineering text; "m" means millions here, like "M".
double SuffixFactor(char letter) {
  switch (letter) {
    case 'K':
    case 'k':
      return 1e3;
    case 'M':
    case 'm':
      return 1e6;
    case 'G':
    case 'g':
      return 1e9;
    case 'T':
    case 't':
      return 1e12;
    default:
      return 0.0;
  }
}

// The runtime's atof on a text already known to be an optional sign, digits and at most one
// point: correctly rounded and independent of the process locale. A text without digits
// ("", "-", ".") gives 0.
double DecimalValue(const char* first, const char* last) {
  if (first != last && *first == '+') ++first;
  double value = 0.0;
  return corvix::ReadWholeDouble(first, last, value) ? value : 0.0;
}

// The value of a hexadecimal digit, or -1 for any other character.
int HexDigitValue(char character) {
  if (corvix::IsAsciiDigit(character)) return corvix::AsciiDigitValue(character);
  if (character >= 'A' && character <= 'F') return character - 'A' + 10;
  if (character >= 'a' && character <= 'f') return character - 'a' + 10;
  return -1;
}

}  // namespace

// '12.5 K' -> 12500, '-3m' -> -3000000, ' 7 ' -> 7, 'K' -> 0. Only the first 15 characters
// take part, blanks included; blanks are then dropped wherever they stand. A sign anywhere
// but first, a second point, a suffix letter anywhere but last, or any other character
// ('E', ',', a tab) gives -999.
double CMathOperation::EngStr2SimpleValue(char* text) {
  corvix::WorkingCopy<char, corvix::kFieldUnits> copy(text);

  std::size_t length = 0;
  for (std::size_t i = 0; i < copy.length; ++i) {
    if (copy.units[i] != ' ') copy.units[length++] = copy.units[i];
  }
  copy.units[length] = '\0';
  if (length == 0) return 0.0;

  bool pointSeen = false;
  double factor = 1.0;
  std::size_t numberLength = length;
  for (std::size_t i = 0; i < length; ++i) {
    const char character = copy.units[i];
    if (character == '+' || character == '-') {
      if (i != 0) return kUnreadableEngText;
    } else if (corvix::IsAsciiDigit(character)) {
      continue;
    } else if (character == '.') {
      if (pointSeen) return kUnreadableEngText;
      pointSeen = true;
    } else if (SuffixFactor(character) != 0.0) {
      if (i != length - 1) return kUnreadableEngText;
      factor = SuffixFactor(character);
      numberLength = i;
    } else {
      return kUnreadableEngText;
    }
  }

  const double value = DecimalValue(copy.units, copy.units + numberLength);
  return numberLength == length ? value : value * factor;
}

// '1A' -> 26, '0x1A' -> 26, '#FF8000' -> 16744448, 'G12' -> 18: characters that are not
// hexadecimal digits are skipped. The value is a 32-bit word, so digits beyond the eighth
// push the oldest out and 'FFFFFFFF' reads as -1.
long corvix::format::HexWord(const char* text) {
  if (text == nullptr) return 0;
  std::uint32_t value = 0;
  for (const char* unit = text; *unit != '\0'; ++unit) {
    const int digit = HexDigitValue(*unit);
    if (digit < 0) continue;
    value = (value << 4) + static_cast<std::uint32_t>(digit);
  }
  return corvix::LongFromBits(value);
}

long CMathOperation::HexStringToDecimal(char* text) {
  return corvix::format::HexWord(text);
}

// The numeric variant types only; every other type code (booleans, strings, dates, currency,
// 32-bit unsigned and 64-bit integers, references and arrays) gives 0 without any coercion.
long double CMathOperation::VarValueToLongDouble(struct tagVARIANT value) {
  double result = 0.0;
  switch (static_cast<unsigned short>(value.vt)) {
    case VT_I2:
      result = value.iVal;
      break;
    case VT_I4:
      result = value.lVal;
      break;
    case VT_R4:
      result = value.fltVal;
      break;
    case VT_R8:
      result = value.dblVal;
      break;
    case VT_I1:
      // A signed byte whatever the signedness of the host's char.
      result = static_cast<signed char>(value.cVal);
      break;
    case VT_UI1:
      result = value.bVal;
      break;
    case VT_UI2:
      result = value.uiVal;
      break;
    default:
      break;
  }
  return result;
}

// Leading white space, an optional sign and decimal digits; 0 without digits. Values beyond
// the 32-bit range saturate at its limits.
long CMathOperation::ToLong(unsigned short* text) {
  return corvix::ParseLong32(text);
}

// Dotted IPv4 addresses and 'address:port' texts.
//
// The address check is loose on purpose, since stored configurations hold such texts: the
// fields before the last are read as the runtime's atol reads them (letters or nothing count
// as 0, anything after the leading number is ignored), and only the last field must be a
// number. Every field must lie within 0..254; 255 is refused in every position.
//   "1.2.3.4" -> 1, "a.b.c.1" -> 1, " 1. 2. 3. 4" -> 1, "255.1.1.1" -> 11,
//   "1.2.3.-1" -> 12, "1.2.3" -> 13, "1.2.3.x" -> 14, "1234" -> 10
// The whole text takes part, however long: "192.168.100.1000" -> 11.
#include <cstddef>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"
#include "stats/internal/number_form.h"

namespace {

constexpr long kValidAddress = CORVIXMATH_ADDRESS_VALID;
constexpr long kNoDot = CORVIXMATH_ADDRESS_NO_DOT;
constexpr long kFieldAbove254 = CORVIXMATH_ADDRESS_FIELD_ABOVE_254;
constexpr long kFieldNegative = CORVIXMATH_ADDRESS_FIELD_NEGATIVE;
constexpr long kNotFourFields = CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS;
constexpr long kLastFieldNotANumber = CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER;

constexpr long kLargestField = 254;
constexpr long kLargestPort = 65535;
constexpr long kDotsInAddress = 3;

// 0 when the field value is acceptable, its fault code otherwise.
long FieldFault(long value) {
  if (value > kLargestField) return kFieldAbove254;
  if (value < 0) return kFieldNegative;
  return 0;
}

}  // namespace

long CMathOperation::IsValidIPString(char* address) {
  const char* text = address != nullptr ? address : "";
  if (std::strchr(text, '.') == nullptr) return kNoDot;

  // The first failing field decides: "300.1" is refused for its value before its field count.
  const char* field = text;
  long dots = 0;
  for (const char* dot = std::strchr(field, '.'); dot != nullptr; dot = std::strchr(field, '.')) {
    ++dots;
    // The read stops at the dot at the latest: a dot is neither space, sign nor digit.
    const long fault = FieldFault(corvix::ParseLong32(field));
    if (fault != 0) return fault;
    field = dot + 1;
  }
  if (dots != kDotsInAddress) return kNotFourFields;

  const corvix::UnitSpan<char> last = corvix::WithoutSpaces(field, std::strlen(field));
  if (corvix::NumberFormCode(last.begin, last.length) == corvix::kNotANumber) {
    return kLastFieldNotANumber;
  }
  const long fault = FieldFault(corvix::ParseLong32(last.begin));
  return fault != 0 ? fault : kValidAddress;
}

// Refusals use the codes of the table: 0 when there is no ':' or the port part is not a port
// (not a plain unsigned integer, above 65535, or 16 characters or more), the negated form code
// for other numbers, and the negated address code for a bad address. An address part of 16
// characters or more does not fit the caller's 16-byte buffer and is refused with 0 as well.
// The outputs are written only on success.
long CMathOperation::IsValidIpAndPortString(char* text, char* address, unsigned short* port) {
  if (text == nullptr) return 0;
  char* colon = std::strchr(text, ':');
  if (colon == nullptr) return 0;

  // Both parts must fit their 16-byte buffers; together they also stay within the 64-byte
  // text. Refused before the caller's text is touched.
  const std::size_t addressLength = static_cast<std::size_t>(colon - text);
  char* portText = colon + 1;
  if (!corvix::FitsWithTerminator(addressLength, corvix::kFieldUnits) ||
      !corvix::FitsWithTerminator(std::strlen(portText), corvix::kFieldUnits)) {
    return 0;
  }

  // Strips the spaces around the port in the caller's text: "1.2.3.4: 80 " -> "1.2.3.4:80".
  const long form = IsDigit(portText);
  if (form != corvix::kPlainUnsignedInteger) return -form;
  const long portValue = corvix::ParseLong32(portText);
  if (portValue > kLargestPort) return 0;

  char addressPart[corvix::kFieldUnits];
  std::memcpy(addressPart, text, addressLength);
  addressPart[addressLength] = '\0';
  const long addressCode = IsValidIPString(addressPart);
  if (addressCode != kValidAddress) return -addressCode;

  corvix::WriteIfFits(address, addressPart, addressLength, corvix::kFieldUnits);
  if (port != nullptr) *port = static_cast<unsigned short>(portValue);
  return 1;
}

// Dotted IPv4 addresses and 'address:port' texts.
//
// The address check is loose on purpose, since stored configurations hold such texts: the
// fields before the last are read as a 32-bit atol reads them (letters or nothing count as 0,
// anything after the leading number is ignored), and only the last field must be a number.
// Every field must lie within 0..254; 255 is refused in every position.
//   "1.2.3.4" -> 1, "a.b.c.1" -> 1, " 1. 2. 3. 4" -> 1, "255.1.1.1" -> 11,
//   "1.2.3.-1" -> 12, "1.2.3" -> 13, "1.2.3.x" -> 14, "1234" -> 10
// The whole text takes part, however long: "192.168.100.1000" -> 11.
#include <cstddef>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "checks/internal/number_form.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"

namespace {

constexpr long kValidAddress = CORVIXMATH_ADDRESS_VALID;
constexpr long kNoDot = CORVIXMATH_ADDRESS_NO_DOT;
constexpr long kFieldAbove254 = CORVIXMATH_ADDRESS_FIELD_ABOVE_254;
constexpr long kFieldNegative = CORVIXMATH_ADDRESS_FIELD_NEGATIVE;
constexpr long kNotFourFields = CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS;
constexpr long kLastFieldNotANumber = CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER;
constexpr long kAddressPartTooLong = CORVIXMATH_ADDRESS_PART_TOO_LONG;
constexpr std::size_t kAddressBytes = CORVIXMATH_ADDRESS_BYTES;
// Every other refusal is 0, a negated number form (-1 to -8) or a negated address code.
static_assert(kAddressPartTooLong < -kLastFieldNotANumber, "a code of its own");

constexpr long kLargestField = CORVIXMATH_ADDRESS_LARGEST_FIELD;
constexpr long kLargestPort = 65535;
constexpr long kDotsInAddress = 3;

// 0 when the field value is acceptable, its fault code otherwise.
long FieldFault(long value) {
  if (value > kLargestField) return kFieldAbove254;
  if (value < 0) return kFieldNegative;
  return 0;
}

// The address check of `length` characters, which need not end the string: the address-and-port
// check reads the address part in place, up to its ':'. Each read of a field's value stops at
// the next '.' or ':' at the latest, since neither is a space, a sign or a digit.
long AddressCode(const char* text, std::size_t length) {
  const char* const end = text + length;
  if (std::memchr(text, '.', length) == nullptr) return kNoDot;

  // The first failing field decides: "300.1" is refused for its value before its field count.
  const char* field = text;
  long dots = 0;
  for (const void* dot = std::memchr(field, '.', static_cast<std::size_t>(end - field));
       dot != nullptr; dot = std::memchr(field, '.', static_cast<std::size_t>(end - field))) {
    ++dots;
    const long fault = FieldFault(corvix::ParseLong32(field));
    if (fault != 0) return fault;
    field = static_cast<const char*>(dot) + 1;
  }
  if (dots != kDotsInAddress) return kNotFourFields;

  const corvix::checks::UnitSpan<char> last =
      corvix::checks::WithoutSpaces(field, static_cast<std::size_t>(end - field));
  if (corvix::checks::NumberFormCode(last.begin, last.length) == corvix::checks::kNotANumber) {
    return kLastFieldNotANumber;
  }
  const long fault = FieldFault(corvix::ParseLong32(last.begin));
  return fault != 0 ? fault : kValidAddress;
}

}  // namespace

long CMathOperation::IsValidIPString(char* address) {
  const char* text = address != nullptr ? address : "";
  return AddressCode(text, std::strlen(text));
}

// The steps keep their order, and each refusal leaves the outputs untouched:
// 1. no ':' gives 0;
// 2. the port part is trimmed of its spaces in the caller's text ("1.2.3.4: 80 " ->
//    "1.2.3.4:80"); a number that is not a plain unsigned integer gives its negated form code
//    (0 stays 0), and a port above 65535 or of 16 characters or more gives 0;
// 3. the whole address part, however long, gets the address check; a fault gives its negated
//    code;
// 4. an address part that passed but does not fit the 16-byte output gives
//    CORVIXMATH_ADDRESS_PART_TOO_LONG;
// 5. the address and the port are written, and the result is 1.
long CMathOperation::IsValidIpAndPortString(char* text, char* address, unsigned short* port) {
  if (text == nullptr) return 0;
  char* colon = std::strchr(text, ':');
  if (colon == nullptr) return 0;

  char* portText = colon + 1;
  const long form = corvix::checks::TrimAndClassifyNumber(portText);
  if (form != corvix::checks::kPlainUnsignedInteger) return -form;
  if (!corvix::FitsWithTerminator(std::strlen(portText), corvix::kFieldUnits)) return 0;
  const long portValue = corvix::ParseLong32(portText);
  if (portValue > kLargestPort) return 0;

  const std::size_t addressLength = static_cast<std::size_t>(colon - text);
  const long addressCode = AddressCode(text, addressLength);
  if (addressCode != kValidAddress) return -addressCode;
  if (!corvix::FitsWithTerminator(addressLength, kAddressBytes)) return kAddressPartTooLong;

  corvix::WriteIfFits(address, text, addressLength, kAddressBytes);
  if (port != nullptr) *port = static_cast<unsigned short>(portValue);
  return 1;
}

// Number, address and port checks: IsDigit (narrow and unit, trimming in place),
// IsValidIPString and IsValidIpAndPortString with 16-byte address buffers and null outputs.
// Texts are digits, signs, points, scale letters, dots, colons and blanks around the 16-, 64- and
// 1024-unit working buffers.
//
// Checked against models of the documented syntax and checks at every length (the address
// checks read the whole text, however long); IsDigit must be idempotent (a second call on the
// trimmed text gives the same code and changes nothing) and its flavours must agree on ASCII text.
#include <cstdint>
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

// The unit check trims only a text shorter than the trim's working copy (CORVIXMATH_FORMAT_UNITS
// units); it keeps at most CORVIXMATH_FORMAT_UNITS - 1 of them.
constexpr std::size_t kTrimSourceUnits = CORVIXMATH_FORMAT_UNITS;
constexpr std::size_t kPortUnits = CORVIXMATH_FIELD_UNITS;
constexpr long kLargestField = CORVIXMATH_ADDRESS_LARGEST_FIELD;
constexpr long kLargestPort = 65535;

bool IsCode(long code) {
  return code >= 0 && code <= 8;
}

template <class Unit>
std::vector<Unit> WithoutSpaces(const std::vector<Unit>& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] == Unit(' '))
    ++first;
  while (last > first && text[last - 1] == Unit(' '))
    --last;
  return std::vector<Unit>(text.begin() + static_cast<long>(first),
                           text.begin() + static_cast<long>(last));
}

template <class Unit>
long FormCode(const std::vector<Unit>& text) {
  if (text.empty()) return 0;
  bool sign = false;
  bool scale = false;
  int points = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Unit c = text[i];
    if (c == Unit('+') || c == Unit('-')) {
      if (i != 0) return 0;
      sign = true;
    } else if (c == Unit('.')) {
      if (++points == 2) return 0;
    } else if (c >= Unit('0') && c <= Unit('9')) {
      continue;
    } else if (c == Unit('G') || c == Unit('K') || c == Unit('M') || c == Unit('T') ||
               c == Unit('g') || c == Unit('k') || c == Unit('m') || c == Unit('t')) {
      if (i != text.size() - 1) return 0;
      scale = true;
    } else {
      return 0;
    }
  }
  return 1 + (points != 0 ? 4 : 0) + (scale ? 0 : 2) + (sign ? 0 : 1);
}

// IsDigit on a text in a buffer of its own length + 1; returns the code, checks the trimming.
template <class Unit>
long CheckIsDigit(const std::vector<Unit>& text, bool trims) {
  CMathOperation library;
  Destination<Unit> buffer = corvix_fuzz::Holding(text, text.size() + 1);
  const long code = library.IsDigit(buffer.data());
  FUZZ_CHECK(buffer.CanariesIntact());
  FUZZ_CHECK(IsCode(code));
  FUZZ_CHECK(buffer.Terminated());
  if (!trims) return code;
  const std::vector<Unit> trimmed = WithoutSpaces(text);
  FUZZ_CHECK(buffer.Holds(trimmed));
  FUZZ_CHECK(code == FormCode(trimmed));
  // Idempotent: the trimmed text gives the same code and stays as it is.
  buffer.Keep();
  FUZZ_CHECK(library.IsDigit(buffer.data()) == code);
  FUZZ_CHECK(buffer.Unchanged());
  return code;
}

void Digits(FuzzInput& input) {
  const UnitValues values = input.Text("0123456789+-.KkMmGgTt  e\t", input.Bool() ? 16 : 8);
  corvix_fuzz::Note("IsDigit of %zu units", values.size());
  const long narrow = CheckIsDigit(corvix_fuzz::As<char>(values), true);
  const long units =
      CheckIsDigit(corvix_fuzz::As<unsigned short>(values), values.size() < kTrimSourceUnits);
  if (corvix_fuzz::IsAscii(values) && values.size() < kTrimSourceUnits) FUZZ_CHECK(narrow == units);
}

// The address check as this library reads it: the whole text, each field's value read from
// the whole field by a saturating 32-bit atol, the first failing field deciding.
long AddressModel(const std::string& text) {
  std::string rest = text;
  if (rest.find('.') == std::string::npos) return CORVIXMATH_ADDRESS_NO_DOT;
  int fields = 0;
  for (std::size_t dot = rest.find('.'); dot != std::string::npos; dot = rest.find('.')) {
    ++fields;
    const std::string field = rest.substr(0, dot);
    const long value = corvix_fuzz::Atol32(std::vector<char>(field.begin(), field.end()));
    if (value > kLargestField) return CORVIXMATH_ADDRESS_FIELD_ABOVE_254;
    if (value < 0) return CORVIXMATH_ADDRESS_FIELD_NEGATIVE;
    rest = rest.substr(dot + 1);
  }
  if (fields != 3) return CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS;
  const std::vector<char> last = WithoutSpaces(std::vector<char>(rest.begin(), rest.end()));
  if (FormCode(last) == 0 || last.empty()) return CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER;
  const long value = corvix_fuzz::Atol32(last);
  if (value > kLargestField) return CORVIXMATH_ADDRESS_FIELD_ABOVE_254;
  if (value < 0) return CORVIXMATH_ADDRESS_FIELD_NEGATIVE;
  return CORVIXMATH_ADDRESS_VALID;
}

void Address(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789...-+ :Kx", 8)));
  const std::vector<char> units = text.Units();
  const std::string address = corvix_fuzz::StringOf(units);
  corvix_fuzz::Note("IsValidIPString '%s'", address.c_str());
  const long code = library.IsValidIPString(text.data());
  FUZZ_CHECK(text.Holds(units));
  FUZZ_CHECK(code == AddressModel(address));
}

// The steps in their order: the port and its trim in place, the whole address part, the fit of
// the address part in the 16-byte output, then the writes.
void AddressAndPort(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789...: -+8K", 8)));
  const std::vector<char> units = text.Units();
  const std::string whole = corvix_fuzz::StringOf(units);
  const bool nullAddress = input.Pick(4) == 0;
  const bool nullPort = input.Pick(4) == 0;
  corvix_fuzz::Note("IsValidIpAndPortString '%s'", whole.c_str());

  Destination<char> address(CORVIXMATH_ADDRESS_BYTES);
  unsigned short port = 0xBEEF;
  const long code = library.IsValidIpAndPortString(
      text.data(), nullAddress ? nullptr : address.data(), nullPort ? nullptr : &port);
  FUZZ_CHECK(address.CanariesIntact());
  if (code != 1) {
    FUZZ_CHECK(address.Unchanged());
    FUZZ_CHECK(port == 0xBEEF);
  }
  if (nullAddress) FUZZ_CHECK(address.Unchanged());

  const std::size_t colon = whole.find(':');
  if (colon == std::string::npos) {
    FUZZ_CHECK(code == 0);
    FUZZ_CHECK(text.Holds(units));
    return;
  }
  const std::string addressPart = whole.substr(0, colon);
  const std::string portPart = whole.substr(colon + 1);
  const std::vector<char> portText =
      WithoutSpaces(std::vector<char>(portPart.begin(), portPart.end()));
  const std::string trimmedText = addressPart + ":" + corvix_fuzz::StringOf(portText);
  FUZZ_CHECK(corvix_fuzz::StringOf(
                 std::vector<char>(text.data(), text.data() + trimmedText.size())) == trimmedText);
  FUZZ_CHECK(text.data()[trimmedText.size()] == '\0');

  const long form = FormCode(portText);
  if (form != 4) {
    FUZZ_CHECK(code == -form);
    return;
  }
  const long value = corvix_fuzz::Atol32(portText);
  if (portText.size() >= kPortUnits || value > kLargestPort) {
    FUZZ_CHECK(code == 0);
    return;
  }
  const long addressCode = AddressModel(addressPart);
  if (addressCode != CORVIXMATH_ADDRESS_VALID) {
    FUZZ_CHECK(code == -addressCode);
    return;
  }
  if (addressPart.size() >= CORVIXMATH_ADDRESS_BYTES) {
    FUZZ_CHECK(code == CORVIXMATH_ADDRESS_PART_TOO_LONG);
    return;
  }
  FUZZ_CHECK(code == 1);
  if (!nullAddress)
    FUZZ_CHECK(address.Holds(std::vector<char>(addressPart.begin(), addressPart.end())));
  if (!nullPort) FUZZ_CHECK(port == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  switch (input.Pick(3)) {
    case 0:
      Digits(input);
      break;
    case 1:
      Address(input);
      break;
    default:
      AddressAndPort(input);
      break;
  }
  return 0;
}

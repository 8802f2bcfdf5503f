// Number, address and port checks: IsDigit (narrow and unit, trimming in place),
// IsValidIPString and IsValidIpAndPortString with 16-byte address buffers and null outputs.
// Texts are digits, signs, points, scale letters, dots, colons and blanks around the 16-, 64- and
// 1024-unit working buffers.
//
// Checked against models of the documented syntax and checks, for the lengths the working
// buffers are documented to take; IsDigit must be idempotent (a second call on the trimmed text
// gives the same code and changes nothing) and its flavours must agree on ASCII text.
#include <cstdint>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;
using corvix_fuzz::UnitValues;

constexpr std::size_t kTrimUnits = 1024;
constexpr std::size_t kAddressText = 15;
constexpr std::size_t kFieldText = 11;
constexpr std::size_t kPortText = 15;
constexpr std::size_t kIpAndPortText = 63;

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
      CheckIsDigit(corvix_fuzz::As<unsigned short>(values), values.size() < kTrimUnits);
  if (corvix_fuzz::IsAscii(values) && values.size() < kTrimUnits) FUZZ_CHECK(narrow == units);
}

long AddressModel(const std::string& text, bool* modelled) {
  *modelled = true;
  std::string copy = text.substr(0, kAddressText);
  if (copy.find('.') == std::string::npos) return 10;
  int fields = 0;
  for (std::size_t dot = copy.find('.'); dot != std::string::npos; dot = copy.find('.')) {
    ++fields;
    const std::string field = copy.substr(0, dot);
    if (field.size() > kFieldText) {
      *modelled = false;
      return 0;
    }
    const long value = corvix_fuzz::Atol32(std::vector<char>(field.begin(), field.end()));
    if (value > 254) return 11;
    if (value < 0) return 12;
    copy = copy.substr(dot + 1);
  }
  if (fields != 3) return 13;
  const std::vector<char> last = WithoutSpaces(std::vector<char>(copy.begin(), copy.end()));
  if (FormCode(last) == 0 || last.empty()) return 14;
  const long value = corvix_fuzz::Atol32(last);
  if (value > 254) return 11;
  if (value < 0) return 12;
  return 1;
}

void Address(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789...-+ :Kx", 8)));
  const std::vector<char> units = text.Units();
  const std::string address = corvix_fuzz::StringOf(units);
  corvix_fuzz::Note("IsValidIPString '%s'", address.c_str());
  const long code = library.IsValidIPString(text.data());
  FUZZ_CHECK(text.Holds(units));
  FUZZ_CHECK(code == 1 || (code >= 10 && code <= 14));
  bool modelled = false;
  const long expected = AddressModel(address, &modelled);
  if (modelled && address.size() <= kAddressText) FUZZ_CHECK(code == expected);
}

void AddressAndPort(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789...: -+8K", 8)));
  const std::vector<char> units = text.Units();
  const std::string whole = corvix_fuzz::StringOf(units);
  const bool nullAddress = input.Pick(4) == 0;
  const bool nullPort = input.Pick(4) == 0;
  corvix_fuzz::Note("IsValidIpAndPortString '%s'", whole.c_str());

  Destination<char> address(16);
  unsigned short port = 0xBEEF;
  const long code = library.IsValidIpAndPortString(
      text.data(), nullAddress ? nullptr : address.data(), nullPort ? nullptr : &port);
  FUZZ_CHECK(address.CanariesIntact());
  FUZZ_CHECK(code == 1 || code == 0 || (code <= -1 && code >= -8 && code != -4) ||
             (code <= -10 && code >= -14));
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
  if (whole.size() > kIpAndPortText || portPart.size() > kPortText ||
      addressPart.size() > kAddressText)
    return;

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
  // A port above 65535 is stored as its low 16 bits, or refused as no port (0).
  const long value = corvix_fuzz::Atol32(portText);
  if (value > 65535 && code == 0) return;
  bool modelled = false;
  const long addressCode = AddressModel(addressPart, &modelled);
  if (!modelled) return;
  if (addressCode != 1) {
    FUZZ_CHECK(code == -addressCode);
    return;
  }
  FUZZ_CHECK(code == 1);
  if (!nullAddress)
    FUZZ_CHECK(address.Holds(std::vector<char>(addressPart.begin(), addressPart.end())));
  if (!nullPort) FUZZ_CHECK(port == static_cast<unsigned short>(value & 0xFFFF));
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

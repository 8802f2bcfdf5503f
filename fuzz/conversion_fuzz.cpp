// Character-set conversions: CharArrayToWcharArray, WCharArrayToCharArray,
// UnicodeStringToDigitArray (narrow and unit sources), DigitArrayToUnicodeString (narrow and
// unit outputs), IsUniCodeString and ContainUnicodeChar. Sources reach past the 1023-character
// digit-array limit; capacities cluster around the digit-array text's length.
//
// Checked against models of the documented steps and against the round trips: a string to its
// digit-array text and back gives the string again, and narrow to 16 bits (zero extension) and
// back (low bytes) gives the narrow string again.
#include <algorithm>
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

constexpr std::size_t kDigitArrayLimit = CORVIXMATH_FORMAT_UNITS - 1;

template <class Unit>
std::string DigitArrayOf(const std::vector<Unit>& units) {
  std::string text = "UniCode(";
  for (Unit unit : units)
    text += std::to_string(static_cast<std::make_unsigned_t<Unit>>(unit)) + ",";
  return text + ")";
}

// Encodes `units`, checks the call, then decodes the text and expects the units again.
template <class Unit>
void EncodeAndDecode(FuzzInput& input, const std::vector<Unit>& units) {
  CMathOperation library;
  Source<Unit> source(units);
  const std::string text = DigitArrayOf(units);
  const std::size_t capacitySelector = input.Byte();
  long capacity = static_cast<long>(input.Capacity(text.size()));
  if (capacitySelector == 0) capacity = -1;  // huge as unsigned
  if (capacitySelector == 1) capacity = 0x100000000L + static_cast<long>(text.size());  // 32 bits
  corvix_fuzz::Note("UnicodeStringToDigitArray of %zu units, capacity %ld", units.size(), capacity);
  const std::size_t stated = static_cast<std::uint32_t>(static_cast<unsigned long>(capacity));
  const std::size_t allocated = std::min(stated, text.size() + 1);
  Destination<char> destination(allocated);

  const long result =
      library.UnicodeStringToDigitArray(source.data(), destination.data(), capacity);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  const bool deliverable = text.size() <= kDigitArrayLimit && text.size() < stated;
  FUZZ_CHECK(result == (deliverable ? 1 : 0));
  if (result == 0) {
    FUZZ_CHECK(destination.Unchanged());
    return;
  }
  FUZZ_CHECK(corvix_fuzz::StringOf(destination.Text()) == text);

  CMathOperation checks;
  FUZZ_CHECK(checks.IsUniCodeString(destination.data()) == 1);
  FUZZ_CHECK(checks.ContainUnicodeChar(destination.data()) == 0);

  // Back: one unit per comma and the terminator.
  Destination<Unit> decoded(units.size() + 1, static_cast<Unit>('#'));
  library.DigitArrayToUnicodeString(destination.data(), decoded.data(), 0);
  FUZZ_CHECK(decoded.CanariesIntact());
  FUZZ_CHECK(decoded.Holds(units));
}

// The pending number's value as atoi of the 32-bit Windows C runtime reads it (saturating).
std::uint32_t PendingValue(const std::string& digits) {
  unsigned long long value = 0;
  for (char digit : digits) {
    value = value * 10 + static_cast<unsigned>(digit - '0');
    if (value > 0x7FFFFFFFull) return 0x7FFFFFFFu;
  }
  return static_cast<std::uint32_t>(value);
}

// Decodes an arbitrary text; numbers of more than 11 digits are left to the implementation.
void Decode(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789,,,()UniCode -", 8)));
  const long flags = input.Long();
  corvix_fuzz::Note("DigitArrayToUnicodeString '%s', flags %ld", text.data(), flags);
  std::vector<std::uint32_t> values;
  std::string pending;
  bool longNumber = false;
  for (char c : text.Units()) {
    if (c >= '0' && c <= '9') {
      pending += c;
      if (pending.size() > 11) longNumber = true;
    } else if (c == ',') {
      values.push_back(PendingValue(pending));
      pending.clear();
    } else {
      pending.clear();
    }
  }
  Destination<char> narrow(values.size() + 1);
  Destination<unsigned short> units(values.size() + 1, static_cast<unsigned short>('#'));
  library.DigitArrayToUnicodeString(text.data(), narrow.data(), flags);
  library.DigitArrayToUnicodeString(text.data(), units.data(), flags);
  FUZZ_CHECK(narrow.CanariesIntact());
  FUZZ_CHECK(units.CanariesIntact());
  FUZZ_CHECK(narrow.data()[values.size()] == '\0');
  FUZZ_CHECK(units.data()[values.size()] == 0);
  if (longNumber) return;
  for (std::size_t i = 0; i < values.size(); ++i) {
    FUZZ_CHECK(narrow.data()[i] == static_cast<char>(values[i] & 0xFF));
    const unsigned short unit =
        (flags & 4) != 0 ? static_cast<unsigned short>(static_cast<signed char>(values[i] & 0xFF))
                         : static_cast<unsigned short>(values[i] & 0xFFFF);
    FUZZ_CHECK(units.data()[i] == unit);
  }
}

void Widen(FuzzInput& input) {
  CMathOperation library;
  Source<char> narrow(corvix_fuzz::As<char>(input.Text(nullptr, 8)));
  const std::vector<char> bytes = narrow.Units();
  const long flags = input.Long();
  corvix_fuzz::Note("CharArrayToWcharArray of %zu bytes, flags %ld", bytes.size(), flags);
  Destination<unsigned short> wide(bytes.size() + 1, static_cast<unsigned short>('#'));
  library.CharArrayToWcharArray(narrow.data(), wide.data(), flags);
  FUZZ_CHECK(wide.CanariesIntact());
  FUZZ_CHECK(narrow.Holds(bytes));
  if (bytes.empty()) {
    FUZZ_CHECK(wide.Unchanged());
    return;
  }
  std::vector<unsigned short> expected;
  for (char byte : bytes)
    expected.push_back((flags & 2) != 0
                           ? static_cast<unsigned short>(static_cast<unsigned char>(byte))
                           : static_cast<unsigned short>(static_cast<signed char>(byte)));
  FUZZ_CHECK(wide.Holds(expected));

  // And back, one low byte per unit: the narrow string again.
  Destination<char> back(bytes.size() + 1);
  library.WCharArrayToCharArray(back.data(), wide.data(), input.Long() | 1);
  FUZZ_CHECK(back.CanariesIntact());
  FUZZ_CHECK(back.Holds(bytes));
}

void Narrow(FuzzInput& input) {
  CMathOperation library;
  Source<unsigned short> units(corvix_fuzz::As<unsigned short>(input.Text(nullptr, 16)));
  const std::vector<unsigned short> source = units.Units();
  const long flags = input.Long();
  const bool lowByteOnly = (flags & 1) != 0;
  corvix_fuzz::Note("WCharArrayToCharArray of %zu units, flags %ld", source.size(), flags);
  const std::size_t bytes = (source.size() + 1) * (lowByteOnly ? 1 : 2);
  Destination<char> destination(bytes);
  library.WCharArrayToCharArray(destination.data(), units.data(), flags);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(units.Holds(source));
  std::vector<char> expected;
  for (std::size_t i = 0; i <= source.size(); ++i) {
    const unsigned short unit = i < source.size() ? source[i] : 0;
    expected.push_back(static_cast<char>(unit & 0xFF));
    if (!lowByteOnly) expected.push_back(static_cast<char>(unit >> 8));
  }
  for (std::size_t i = 0; i < bytes; ++i)
    FUZZ_CHECK(destination.data()[i] == expected[i]);
}

void Tests(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("UniCode(),0123456789", 8)));
  const std::vector<char> units = text.Units();
  corvix_fuzz::Note("IsUniCodeString and ContainUnicodeChar '%s'", text.data());
  const std::string cut = corvix_fuzz::StringOf(corvix_fuzz::Cut(units, kDigitArrayLimit));
  const long expected =
      cut.size() > 8 && cut.compare(0, 8, "UniCode(") == 0 && cut.back() == ')' ? 1 : 0;
  FUZZ_CHECK(library.IsUniCodeString(text.data()) == expected);
  long high = 0;
  for (char c : units)
    if (static_cast<unsigned char>(c) >= 0x80) high = 1;
  FUZZ_CHECK(library.ContainUnicodeChar(text.data()) == high);
  FUZZ_CHECK(text.Holds(units));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  switch (input.Pick(6)) {
    case 0:
      EncodeAndDecode(input, corvix_fuzz::As<char>(input.Text(nullptr, 8)));
      break;
    case 1:
      EncodeAndDecode(input, corvix_fuzz::As<unsigned short>(input.Text(nullptr, 16)));
      break;
    case 2:
      Decode(input);
      break;
    case 3:
      Widen(input);
      break;
    case 4:
      Narrow(input);
      break;
    default:
      Tests(input);
      break;
  }
  return 0;
}

// Numeric text parsing: EngStr2SimpleValue, HexStringToDecimal, VarValueToLongDouble, ToLong.
//
// Each is checked against a model of its documented steps: the engineering text's first 15
// characters without blanks, read by the runtime's strtod with the suffix factor; hexadecimal
// digits folded into 32 bits; the variant's numeric member by type code; atol of the 32-bit
// Windows C runtime on the unit string (which must agree with the narrow form on ASCII text).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

double EngModel(const std::vector<char>& text) {
  std::string copy;
  for (std::size_t i = 0; i < text.size() && i < 15; ++i)
    if (text[i] != ' ') copy += text[i];
  if (copy.empty()) return 0.0;
  double factor = 1.0;
  bool point = false;
  for (std::size_t i = 0; i < copy.size(); ++i) {
    const char c = copy[i];
    if (c == '+' || c == '-') {
      if (i != 0) return CORVIXMATH_MISSING_VALUE;
    } else if (c >= '0' && c <= '9') {
      continue;
    } else if (c == '.') {
      if (point) return CORVIXMATH_MISSING_VALUE;
      point = true;
    } else if (std::strchr("KkMmGgTt", c) != nullptr) {
      if (i != copy.size() - 1) return CORVIXMATH_MISSING_VALUE;
      factor = (c == 'K' || c == 'k')   ? 1e3
               : (c == 'M' || c == 'm') ? 1e6
               : (c == 'G' || c == 'g') ? 1e9
                                        : 1e12;
      copy.pop_back();
    } else {
      return CORVIXMATH_MISSING_VALUE;
    }
  }
  const double value = std::strtod(copy.c_str(), nullptr);
  return factor == 1.0 ? value : value * factor;
}

void FuzzEngText(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789.+- KkMmGgTtE,\t", 8)));
  const std::vector<char> before = text.Units();
  corvix_fuzz::Note("EngStr2SimpleValue '%s'", text.data());
  const double value = library.EngStr2SimpleValue(text.data());
  FUZZ_CHECK(text.Holds(before));
  FUZZ_CHECK(corvix_fuzz::SameValue(value, EngModel(before)));
}

void FuzzHexText(FuzzInput& input) {
  CMathOperation library;
  Source<char> text(corvix_fuzz::As<char>(input.Text("0123456789ABCDEFabcdefx#G ", 8)));
  std::uint32_t expected = 0;
  for (char c : text.Units()) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit >= 0) expected = (expected << 4) + static_cast<std::uint32_t>(digit);
  }
  corvix_fuzz::Note("HexStringToDecimal '%s'", text.data());
  FUZZ_CHECK(library.HexStringToDecimal(text.data()) ==
             static_cast<long>(static_cast<std::int32_t>(expected)));
}

void FuzzVariant(FuzzInput& input) {
  CMathOperation library;
  tagVARIANT variant;
  std::memset(&variant, 0, sizeof variant);
  static const VARTYPE kTypes[] = {2, 3, 4, 5, 16, 17, 18, 19, 20, 11, 8, 0, 0x4005, 0x2003};
  variant.vt =
      input.Pick(4) == 0 ? input.U16() : kTypes[input.Pick(sizeof kTypes / sizeof kTypes[0])];
  const std::uint64_t bits = input.U64();
  std::memcpy(&variant.llVal, &bits, sizeof bits);

  double expected = 0.0;
  switch (static_cast<unsigned short>(variant.vt)) {
    case 2:
      expected = variant.iVal;
      break;
    case 3:
      expected = variant.lVal;
      break;
    case 4:
      expected = variant.fltVal;
      break;
    case 5:
      expected = variant.dblVal;
      break;
    case 16:
      expected = static_cast<signed char>(variant.cVal);
      break;
    case 17:
      expected = variant.bVal;
      break;
    case 18:
      expected = variant.uiVal;
      break;
    default:
      break;
  }
  corvix_fuzz::Note("VarValueToLongDouble type %u bits %llx", static_cast<unsigned>(variant.vt),
                    static_cast<unsigned long long>(bits));
  const long double value = library.VarValueToLongDouble(variant);
  FUZZ_CHECK(corvix_fuzz::SameValue(static_cast<double>(value), expected));
}

void FuzzToLong(FuzzInput& input) {
  CMathOperation library;
  const corvix_fuzz::UnitValues values = input.Text("0123456789+- \t\n", 16);
  Source<unsigned short> text(corvix_fuzz::As<unsigned short>(values));
  const long expected = corvix_fuzz::Atol32(text.Units());
  const long value = library.ToLong(text.data());
  FUZZ_CHECK(value == expected);
  FUZZ_CHECK(value >= INT32_MIN && value <= INT32_MAX);
  if (corvix_fuzz::IsAscii(values)) {
    std::vector<char> narrow = corvix_fuzz::As<char>(values);
    narrow.push_back('\0');
    // strtoll saturates at its own limits, which lie beyond the 32-bit ones.
    const long long wide = std::strtoll(narrow.data(), nullptr, 10);
    FUZZ_CHECK(value == std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, wide)));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  switch (input.Pick(4)) {
    case 0:
      FuzzEngText(input);
      break;
    case 1:
      FuzzHexText(input);
      break;
    case 2:
      FuzzVariant(input);
      break;
    default:
      FuzzToLong(input);
      break;
  }
  return 0;
}

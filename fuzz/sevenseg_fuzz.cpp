// NumberTo4SevenSeg: any double with every combination of the flag bits (and stray bits).
//
// The word is checked against a model of the documented steps: the engineering text of
// DoubleToEngString (four digits, Auto, 12 bytes) or the runtime's "%4.4f" text of the
// (divided) value, the point bit, the cut to four characters, the zero fill and the codes.
// Stray flag bits, and the divisor bits without the fixed-divisor bit, must change nothing.
#include <cstdint>
#include <cstdio>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::FuzzInput;

constexpr long kFixedDivisor = 0x0008;
constexpr long kPlain = 0x0200;
constexpr long kDropMinus = 0x0100;
constexpr long kDivisorBits = 0x0800 | 0x1000 | 0x2000 | 0x4000;
constexpr long kMeaningful = kFixedDivisor | kPlain | kDropMinus | kDivisorBits;
constexpr std::size_t kWorkingText = 11;  // the 12-byte working buffer, less its terminator

double Divisor(long flags) {
  if ((flags & 0x0800) != 0) return 1e3;
  if ((flags & 0x1000) != 0) return 1e6;
  if ((flags & 0x2000) != 0) return 1e9;
  if ((flags & 0x4000) != 0) return 1e12;
  return 1.0;
}

std::uint32_t Code(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::uint32_t>(c - '0');
  return c == '-' ? 30u : 0u;
}

// The expected word, or false where the four-decimal text does not fit the working buffer.
bool Model(double value, long flags, long* word) {
  std::string text;
  if ((flags & (kFixedDivisor | kPlain)) != 0) {
    const double shown = (flags & kFixedDivisor) != 0 ? value / Divisor(flags) : value;
    char converted[400];
    std::snprintf(converted, sizeof converted, "%4.4f", shown);
    text = converted;
    if (text.size() > kWorkingText) return false;
    while (!text.empty() && text.back() == '0')
      text.pop_back();
    while (!text.empty() && text.back() == '.')
      text.pop_back();
  } else {
    CMathOperation library;
    char engineering[CORVIXMATH_SEVENSEG_TEXT_UNITS] = {};
    char noUnit[] = "";
    library.DoubleToEngString(engineering, value, noUnit, 4, sizeof engineering, 1);
    text = engineering;
  }
  if ((flags & kDropMinus) != 0 && !text.empty() && text[0] == '-') {
    std::string kept;
    for (char c : text)
      if (c != '-') kept += c;
    text = kept;
  }
  std::uint32_t result = 0;
  const std::size_t point = text.find('.');
  if (point != std::string::npos && point >= 1 && point <= 4)
    result |= std::uint32_t(1) << (32 - point);
  std::string digits;
  for (char c : text)
    if (c != '.') digits += c;
  if (digits.size() > 4) digits.resize(4);
  while (digits.size() < 4)
    digits.insert(digits.begin(), '0');
  for (std::size_t i = 0; i < 4; ++i)
    result |= Code(digits[i]) << (7 * (3 - i));
  *word = static_cast<long>(static_cast<std::int32_t>(result));
  return true;
}

long Flags(FuzzInput& input) {
  static const long kBits[] = {kFixedDivisor, kPlain, kDropMinus, 0x0800, 0x1000, 0x2000, 0x4000};
  long flags = 0;
  const std::uint8_t chosen = input.Byte();
  for (int bit = 0; bit < 7; ++bit)
    if ((chosen & (1 << bit)) != 0) flags |= kBits[bit];
  if ((chosen & 0x80) != 0) flags |= static_cast<long>(static_cast<std::int32_t>(input.U32()));
  return flags;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  const double value = input.Value();
  const long flags = Flags(input);
  corvix_fuzz::Note("NumberTo4SevenSeg(%.17g, 0x%lx)", value, flags);

  const long word = library.NumberTo4SevenSeg(value, flags);
  FUZZ_CHECK(word != CORVIXMATH_MISSING_VALUE);
  FUZZ_CHECK(word >= INT32_MIN && word <= INT32_MAX);
  long expected = 0;
  if (Model(value, flags, &expected)) FUZZ_CHECK(word == expected);

  FUZZ_CHECK(library.NumberTo4SevenSeg(value, flags & kMeaningful) == word);
  if ((flags & kFixedDivisor) == 0)
    FUZZ_CHECK(library.NumberTo4SevenSeg(value, flags & kMeaningful & ~kDivisorBits) == word);
  return 0;
}

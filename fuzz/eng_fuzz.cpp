// DoubleToEngString: every scale mode, digit counts around 16 bits, units up to and past the
// 1023-character working buffer, destinations around the text's length.
//
// The result is checked against a model of the documented steps (six-decimal conversion by the
// runtime's "%f", cut without rounding, blank, letter, unit, finishing) with the library's rule
// that a text as long as the destination is refused, and against the documented equivalences:
// the missing-value marker prints as 0, and the plain modes 8, 9 and 11 to 255 are one mode.
#include <cmath>
#include <cstdio>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

constexpr std::size_t kWorkingText = CORVIXMATH_FORMAT_UNITS - 1;
// Letters by divisions of the automatic scales (only ±1e15 reaches 'P'), and of the fixed
// scales Unity to Tera and thousandths.
constexpr char kLettersByDivisions[] = {' ', 'K', 'M', 'G', 'T', 'P'};
constexpr char kFixedLetters[] = {' ', 'K', 'M', 'G', 'T', 'm'};
constexpr char kNoLetter = '\0';

struct Expected {
  long result;
  std::string text;
};

Expected Model(double value, const std::string& unit, int digitArgument, unsigned long size,
               unsigned char mode) {
  const unsigned digits = static_cast<unsigned>(digitArgument) & 0xFFFFu;
  if (std::trunc(value) == CORVIXMATH_MISSING_VALUE) value = 0.0;

  bool overflow = false;
  char letter = kNoLetter;
  if (mode == 0 || mode == 1 || mode == 10) {
    if (value > 1e15 || value < -1e15) {
      overflow = true;
    } else {
      int divisions = 0;
      while (std::fabs(value) >= 1000.0) {
        value /= 1000.0;
        ++divisions;
      }
      letter = kLettersByDivisions[divisions];
      if (mode == 10 && divisions == 0 && std::fabs(value) < 0.1 &&
          std::fabs(value) * 1000.0 > 1.0) {
        value *= 1000.0;
        letter = 'm';
      }
      if (mode == 0) letter = kNoLetter;
    }
  } else if (mode >= 2 && mode <= 7) {
    static const double kFactor[] = {1.0, 1e3, 1e6, 1e9, 1e12, 1e3};
    static const unsigned kExtra[] = {0, 0, 0, 9, 12, 12};
    value = mode == 7 ? value * kFactor[5] : value / kFactor[mode - 2];
    const double limit = corvix_fuzz::PowerOfTen(digits + kExtra[mode - 2]);
    if (value >= limit || value <= -limit) overflow = true;
    letter = kFixedLetters[mode - 2];
  }

  std::string text;
  if (overflow) {
    text = "EEEE";
  } else {
    char number[400];
    std::snprintf(number, sizeof number, "%f", value);
    text = number;
    if (digits != 0) {
      std::size_t cut = digits;
      if (text.find('-') != std::string::npos) ++cut;
      if (text.find('.') != std::string::npos) ++cut;
      if (cut < text.size()) text.resize(cut);
    }
    const std::size_t letterLength = letter == kNoLetter ? 0 : 1;
    if (text.size() + 1 + letterLength + unit.size() > kWorkingText) return {0, ""};
    text += ' ';
    if (letter != kNoLetter) text += letter;
    text += unit;
  }
  if (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.size() > size) return {0, ""};
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  if (text.size() >= size) return {0, ""};  // no shortened text is reported as written
  return {1, text};
}

int DigitCount(FuzzInput& input) {
  switch (input.Pick(4)) {
    case 0:
      return static_cast<int>(input.Byte() % 20);
    case 1: {
      const int wraps = input.Byte() % 4 + 1;
      return 65536 * wraps + input.Byte() % 8;
    }
    case 2:
      return -static_cast<int>(input.Byte() % 4) - 1;
    default:
      return static_cast<int>(input.U32());
  }
}

unsigned long Size(FuzzInput& input, std::size_t expected) {
  if (input.Pick(4) == 0) return static_cast<unsigned long>(input.Length());
  return static_cast<unsigned long>(input.Capacity(expected));
}

long Call(double value, Source<char>& unit, int digits, unsigned long size, unsigned char mode,
          Destination<char>& destination) {
  CMathOperation library;
  return library.DoubleToEngString(destination.data(), value, unit.data(), digits, size, mode);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const double value = input.Value();
  const unsigned char mode = input.Pick(3) == 0 ? input.Byte() : input.Byte() % 11;
  const int digits = DigitCount(input);
  Source<char> unit(corvix_fuzz::As<char>(input.Text(" .-WVAKmEe%", 8)));
  const std::string unitText(unit.data(), unit.length());

  const Expected natural = Model(value, unitText, digits, 4096, mode);
  const unsigned long capacity = Size(input, natural.text.size());
  const Expected expected = Model(value, unitText, digits, capacity, mode);
  corvix_fuzz::Note("value %.17g unit '%s' digits %d size %lu mode %u", value, unit.data(), digits,
                    capacity, mode);

  Destination<char> destination(capacity);
  const long result = Call(value, unit, digits, capacity, mode, destination);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(result == 0 || result == 1);
  FUZZ_CHECK(unit.Holds(corvix_fuzz::UnitsOf<char>(unitText.c_str())));
  if (result == 0) {
    FUZZ_CHECK(destination.Unchanged());
  } else {
    FUZZ_CHECK(destination.Terminated());
  }
  FUZZ_CHECK(result == expected.result);
  if (result == 1) FUZZ_CHECK(corvix_fuzz::StringOf(destination.Text()) == expected.text);

  // A value whose integer part is the missing-value marker prints as 0.
  if (std::trunc(value) == CORVIXMATH_MISSING_VALUE) {
    Destination<char> zero(capacity);
    FUZZ_CHECK(Call(0.0, unit, digits, capacity, mode, zero) == result);
    FUZZ_CHECK(zero.Text() == destination.Text());
  }
  // The plain modes show the value as it is, without a letter, and never overflow.
  if (mode == 8 || mode == 9 || mode > 10) {
    Destination<char> plain(capacity);
    FUZZ_CHECK(Call(value, unit, digits, capacity, 8, plain) == result);
    FUZZ_CHECK(plain.Text() == destination.Text());
    if (result == 1) FUZZ_CHECK(corvix_fuzz::StringOf(destination.Text()) != "EEEE");
  }
  return 0;
}

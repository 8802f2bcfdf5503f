#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

constexpr unsigned long kDisplaySize = 32;

struct EngCase {
  double value;
  const char* unit;
  int digits;
  unsigned char mode;
  const char* text;
};

// Formats into a canary-guarded destination; the result must be 1 and the canaries intact.
std::string Eng(double value, const char* unit, int digits, unsigned char mode,
                unsigned long size = kDisplaySize) {
  CMathOperation math;
  CanaryBuffer<char> destination(size);
  std::string unitText(unit);
  const long result =
      math.DoubleToEngString(destination.data(), value, &unitText[0], digits, size, mode);
  EXPECT_EQ(result, 1) << value << " mode " << int(mode);
  EXPECT_TRUE(destination.CanariesIntact());
  return destination.data();
}

TEST(DoubleToEngString, WorkedResults) {
  const EngCase cases[] = {
      {12345.678, "W", 4, 1, "12.34 KW"},
      {12345.678, "W", 4, 0, "12.34 W"},
      {12345.678, "W", 4, 2, "EEEE"},
      {-12345.678, "W", 4, 3, "-12.34 KW"},
      {0.05, "A", 3, 10, "50.0 mA"},
      {0.05, "A", 3, 1, "0.05  A"},
      {CORVIXMATH_MISSING_VALUE, "V", 3, 2, "0.00  V"},
      {5e9, "W", 3, 5, "5.00 GW"},
      {5e9, "W", 3, 4, "EEEE"},
      {2.5, "", 3, 7, "2500 m"},
      {123.456, "", 0, 9, "123.456000"},
  };
  for (const EngCase& c : cases)
    EXPECT_EQ(Eng(c.value, c.unit, c.digits, c.mode), c.text);
}

TEST(DoubleToEngString, ScaleLimitsAndLetters) {
  const double justAbove1e15 = std::nextafter(1e15, HUGE_VAL);
  const EngCase cases[] = {
      // Automatic scales: ±1e15 itself passes, is divided five times and shows peta; Hide
      // shows no letter.
      {1e15, "W", 4, 1, "1.000 PW"},
      {-1e15, "W", 4, 1, "-1.000 PW"},
      {1e15, "W", 4, 10, "1.000 PW"},
      {-1e15, "W", 4, 10, "-1.000 PW"},
      {1e15, "", 4, 1, "1.000 P"},
      {1e15, "W", 4, 0, "1.000 W"},
      {-1e15, "W", 4, 0, "-1.000 W"},
      {9.999e14, "W", 4, 1, "999.9 TW"},
      {justAbove1e15, "W", 4, 1, "EEEE"},
      {-justAbove1e15, "W", 4, 10, "EEEE"},
      {999.9, "W", 4, 1, "999.9  W"},
      {1000.0, "W", 4, 1, "1.000 KW"},
      {2.5e12, "Wh", 3, 1, "2.50 TWh"},
      // Unity: the limit is 10^d, so d = 0 takes every magnitude of 1 and more.
      {1.0, "V", 0, 2, "EEEE"},
      {-1.0, "V", 0, 2, "EEEE"},
      {0.5, "V", 0, 2, "0.500000  V"},
      {999.999, "V", 3, 2, "999.  V"},
      {1000.0, "V", 3, 2, "EEEE"},
      // Kilo and Mega: 10^d after the division.
      {9999999.0, "W", 4, 3, "9999. KW"},
      {10000000.0, "W", 4, 3, "EEEE"},
      {-10000000.0, "W", 4, 3, "EEEE"},
      {-9999999.0, "W", 4, 3, "-9999. KW"},
      {2.5e6, "W", 3, 4, "2.50 MW"},
      // Giga, Tera and thousandths: 10^(d + 9), 10^(d + 12), 10^(d + 12).
      {5e20, "W", 3, 5, "5000 GW"},
      {1e21, "W", 3, 5, "EEEE"},
      {1e27, "W", 3, 6, "EEEE"},
      {5e26, "W", 3, 6, "5000 TW"},
      {5e12, "W", 3, 6, "5.00 TW"},
      {1e12, "", 3, 7, "EEEE"},
      {-1e12, "", 3, 7, "EEEE"},
      {0.0042, "A", 3, 7, "4.20 mA"},
      // Thousandths in mode 10 only strictly between 0.001 and 0.1.
      {0.001, "", 3, 10, "0.00"},
      {0.0011, "", 3, 10, "1.10 m"},
      {-0.0011, "", 3, 10, "-1.10 m"},
      {0.1, "", 3, 10, "0.10"},
      {0.0999, "", 3, 10, "99.9 m"},
      {1500.0, "", 3, 10, "1.50 K"},
      // The point counts even when the cut ends on it; it goes only when it ends the text.
      {123.456, "W", 3, 2, "123.  W"},
      {123.456, "", 3, 2, "123"},
      {123.456, "", 2, 9, "123"},
      // Only the low 16 bits of the digit count count.
      {123.456, "", 0x10001, 9, "12"},
      {5.0, "V", 0x10000, 2, "EEEE"},    // a count of 0: the Unity limit is 1
      {5.0, "V", -1, 2, "5.000000  V"},  // 65535: no limit, nothing cut
  };
  for (const EngCase& c : cases)
    EXPECT_EQ(Eng(c.value, c.unit, c.digits, c.mode), c.text) << c.value << " " << int(c.mode);
}

TEST(DoubleToEngString, MissingValueMarkerShowsZeroInEveryMode) {
  const double markers[] = {CORVIXMATH_MISSING_VALUE, -999.5, -999.999999,
                            std::nextafter(-1000.0, 0.0)};
  for (int mode = 0; mode <= 255; ++mode) {
    const std::string zero = Eng(0.0, "V", 3, static_cast<unsigned char>(mode));
    for (double marker : markers)
      EXPECT_EQ(Eng(marker, "V", 3, static_cast<unsigned char>(mode)), zero) << mode;
  }
  EXPECT_EQ(Eng(-998.9, "V", 0, 9), "-998.900000 V");
  EXPECT_EQ(Eng(-1000.0, "V", 0, 9), "-1000.000000 V");
}

TEST(DoubleToEngString, PlainModesNeverOverflowNorShowALetter) {
  for (int mode = 8; mode <= 255; ++mode) {
    if (mode == 10) continue;
    EXPECT_EQ(Eng(1e20, "W", 3, static_cast<unsigned char>(mode)), "1000 W") << mode;
    EXPECT_EQ(Eng(-0.5, "W", 3, static_cast<unsigned char>(mode)), "-0.50 W") << mode;
  }
}

TEST(DoubleToEngString, ValuesWithoutDigitsKeepTheirSpelling) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const EngCase cases[] = {
      {nan, "W", 4, 1, "nan  W"}, {-nan, "W", 4, 1, "-nan  W"}, {nan, "W", 4, 2, "nan  W"},
      {nan, "", 2, 9, "na"},      {inf, "W", 4, 1, "EEEE"},     {-inf, "W", 4, 0, "EEEE"},
      {inf, "W", 4, 2, "EEEE"},   {-inf, "W", 4, 9, "-inf W"},  {inf, "", 0, 9, "inf"},
  };
  for (const EngCase& c : cases)
    EXPECT_EQ(Eng(c.value, c.unit, c.digits, c.mode), c.text);
}

// "12.34 KW" has 8 characters: it needs 9 bytes with its terminator.
TEST(DoubleToEngString, RefusesTextsThatDoNotFitWithTheirTerminator) {
  struct SizeCase {
    const char* unit;
    double value;
    int digits;
    unsigned char mode;
    unsigned long size;
    long result;
    const char* text;  // written text, or null for an untouched destination
  };
  const SizeCase cases[] = {
      {"W", 12345.678, 4, 1, 9, 1, "12.34 KW"},
      {"W", 12345.678, 4, 1, 8, 0, nullptr},  // exactly as long as the size
      {"W", 12345.678, 4, 1, 7, 0, nullptr},
      {"W", 1e20, 4, 1, 5, 1, "EEEE"},
      {"W", 1e20, 4, 1, 4, 0, nullptr},
      // Trailing blanks of the unit count in the size test, then are trimmed.
      {"W  ", 12345.678, 4, 1, 10, 1, "12.34 KW"},
      {"W  ", 12345.678, 4, 1, 9, 1, "12.34 KW"},
      {"W  ", 12345.678, 4, 1, 8, 0, nullptr},
      // "123. " is measured before its blank and point go: "123" fits 5 bytes, not 4.
      {"", 123.456, 3, 2, 5, 1, "123"},
      {"", 123.456, 3, 2, 4, 0, nullptr},
      {"", 1.0, 1, 2, 1, 0, nullptr},
      {"", 1.0, 1, 2, 0, 0, nullptr},
  };
  CMathOperation math;
  for (const SizeCase& c : cases) {
    CanaryBuffer<char> destination(c.size);
    const std::vector<char> before = destination.Contents();
    std::string unit(c.unit);
    EXPECT_EQ(
        math.DoubleToEngString(destination.data(), c.value, &unit[0], c.digits, c.size, c.mode),
        c.result)
        << c.unit << " size " << c.size;
    if (c.text != nullptr)
      EXPECT_STREQ(destination.data(), c.text);
    else
      EXPECT_EQ(destination.Contents(), before) << "size " << c.size;
    EXPECT_TRUE(destination.CanariesIntact());
  }
}

TEST(DoubleToEngString, RefusesAUnitBeyondTheWorkingBuffer) {
  CMathOperation math;
  // "1.000000 " leaves 1014 of the 1023 working characters for the unit.
  for (std::size_t unitLength : {1014u, 1015u, 5000u}) {
    std::string unit(unitLength, 'u');
    CanaryBuffer<char> destination(CORVIXMATH_TEXT_UNITS);
    const std::vector<char> before = destination.Contents();
    const long result = math.DoubleToEngString(destination.data(), 1.0, &unit[0], 0, 2048, 9);
    if (unitLength == 1014u) {
      EXPECT_EQ(result, 1);
      EXPECT_EQ(std::string(destination.data()), "1.000000 " + unit);
    } else {
      EXPECT_EQ(result, 0) << unitLength;
      EXPECT_EQ(destination.Contents(), before);
    }
    EXPECT_TRUE(destination.CanariesIntact());
  }
}

TEST(DoubleToEngString, NullArguments) {
  CMathOperation math;
  EXPECT_EQ(math.DoubleToEngString(nullptr, 1.5, nullptr, 3, 32, 1), 0);
  char text[32];
  EXPECT_EQ(math.DoubleToEngString(text, 1.5, nullptr, 3, sizeof text, 2), 1);
  EXPECT_STREQ(text, "1.50");
}

}  // namespace

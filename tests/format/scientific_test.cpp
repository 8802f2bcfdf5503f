#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

constexpr unsigned int kFieldSize = 32;

std::string Scientific(double value, unsigned char decimals, unsigned int size = kFieldSize) {
  CMathOperation math;
  CanaryBuffer<char> destination(size);
  math.SientificFormat(destination.data(), value, decimals, size);
  EXPECT_TRUE(destination.CanariesIntact());
  return destination.data();
}

TEST(SientificFormat, CompactExponentAndWholeMantissa) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    unsigned char decimals;
    const char* text;
  };
  const Case cases[] = {
      {12345.678, 2, "1.23E4"},
      {-0.005, 1, "-5.0E-3"},
      {0.0, 2, "0.00E0"},
      {12345.678, 0, "1E4"},
      {-0.0, 1, "-0.0E0"},
      {1.0, 3, "1.000E0"},
      {9.5, 0, "1E1"},  // rounded once, ties to even
      {1e-300, 0, "1E-300"},
      {1.5e300, 3, "1.500E300"},
      {-1.5e-318, 2, "-1.50E-318"},
      {12.0, 1, "1.2E1"},
      // Mantissas beyond 15 characters are kept whole.
      {2.0 / 3.0, 15, "6.666666666666666E-1"},
      {-1.0 / 3.0, 19, "-3.3333333333333331483E-1"},
      {nan, 2, "NANE0"},
      {-nan, 2, "-NANE0"},
      {inf, 2, "INFE0"},
      {-inf, 0, "-INFE0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Scientific(c.value, c.decimals), c.text) << c.value;
}

TEST(SientificFormat, LeavesTheDestinationForUnknownDecimalsAndTooSmallFields) {
  CMathOperation math;
  struct Case {
    unsigned char decimals;
    unsigned int size;
    const char* text;  // written text, or null for an untouched destination
  };
  // "1.23E4" needs 7 bytes; the conversion's own "1.23E+04" would need 9.
  const Case cases[] = {
      {2, 7, "1.23E4"},  {2, 6, nullptr},    {2, 5, nullptr},   {2, 0, nullptr},
      {20, 32, nullptr}, {255, 32, nullptr}, {19, 23, nullptr}, {19, 24, "1.2345677999999999884E4"},
  };
  for (const Case& c : cases) {
    CanaryBuffer<char> destination(c.size);
    const std::vector<char> before = destination.Contents();
    math.SientificFormat(destination.data(), 12345.678, c.decimals, c.size);
    if (c.text != nullptr)
      EXPECT_STREQ(destination.data(), c.text);
    else
      EXPECT_EQ(destination.Contents(), before) << int(c.decimals) << " size " << c.size;
    EXPECT_TRUE(destination.CanariesIntact());
  }
  math.SientificFormat(nullptr, 1.5, 2, kFieldSize);
}

std::string Price(double amount, unsigned char divisor, char separator,
                  unsigned int size = kFieldSize) {
  CMathOperation math;
  CanaryBuffer<char> destination(size);
  math.PriceToString(destination.data(), amount, size, divisor, separator);
  EXPECT_TRUE(destination.CanariesIntact());
  return destination.data();
}

TEST(PriceToString, WholeAmountsGrouped) {
  struct Case {
    double amount;
    unsigned char divisor;
    char separator;
    const char* text;
  };
  const Case cases[] = {
      {1234.9, 0, '\0', "1234"},
      {1234567.0, 0, '.', "1.234.567"},
      {1234567.0, 0, ',', "1,234,567"},
      {1999.99, 0, '\0', "1999"},
      {-7.5, 0, '\0', "-7"},
      {-0.5, 0, '\0', "0"},  // cut to a whole number, not to minus zero
      {-123456.0, 0, ',', "-123,456"},
      {-1234567.0, 0, ',', "-1,234,567"},
      {1234567.0, 1, ',', "1,234"},  // divided by 1000
      {1234567.0, 4, '\0', "1"},     // divided by 1 000 000
      {1234567.0, 255, ',', "0"},
      {1e20, 0, ',', "100,000,000,000,000,000,000"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Price(c.amount, c.divisor, c.separator), c.text) << c.amount;
}

// "1,234,567" has 9 characters: in 9 bytes it would lose its last digit, so it shows "---".
TEST(PriceToString, ShowsDashesWhenTheGroupedTextDoesNotFit) {
  EXPECT_EQ(Price(1234567.0, 0, ',', 10), "1,234,567");
  EXPECT_EQ(Price(1234567.0, 0, ',', 9), "---");
  EXPECT_EQ(Price(1234567.0, 0, ',', 4), "---");
  EXPECT_EQ(Price(123.0, 0, ',', 4), "123");
  EXPECT_EQ(Price(1234.0, 0, '\0', 4), "---");

  // Too small even for the dashes: left as it was.
  CMathOperation math;
  CanaryBuffer<char> destination(3);
  const std::vector<char> before = destination.Contents();
  math.PriceToString(destination.data(), 1234.0, 3, 0, ',');
  EXPECT_EQ(destination.Contents(), before);
  EXPECT_TRUE(destination.CanariesIntact());
  math.PriceToString(nullptr, 1234.0, 32, 0, ',');
}

TEST(StandardLen, NumericRunThenFill) {
  struct Case {
    const char* text;
    long length;
    char fill;
    const char* result;
  };
  const Case cases[] = {
      {"12.5", 6, ' ', "12.5  "},    {"12.5 KW", 6, '0', "12.500"},
      {"123456789", 4, ' ', "1234"}, {"", 3, '-', "---"},
      {"12/5", 6, '0', "120000"},    {"-1.5", 4, '*', "-1.5"},
      {"abc", 2, '0', "00"},         {"12", 0, '0', ""},
  };
  CMathOperation math;
  for (const Case& c : cases) {
    // Room for the text and for the wanted length with its terminator, nothing more.
    const std::size_t room = std::max(std::string(c.text).size(), std::size_t(c.length)) + 1;
    CanaryBuffer<char> buffer(room);
    std::copy(c.text, c.text + std::string(c.text).size() + 1, buffer.data());
    math.StandardLen(buffer.data(), c.length, c.fill);
    EXPECT_STREQ(buffer.data(), c.result) << c.text;
    EXPECT_TRUE(buffer.CanariesIntact());
  }
}

TEST(StandardLen, NegativeLengthDoesNothing) {
  CMathOperation math;
  CanaryBuffer<char> buffer(8);
  std::copy_n("12.5", 5, buffer.data());
  const std::vector<char> before = buffer.Contents();
  math.StandardLen(buffer.data(), -1, '0');
  EXPECT_EQ(buffer.Contents(), before);
  math.StandardLen(nullptr, 3, '0');
}

}  // namespace

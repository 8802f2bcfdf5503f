#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

constexpr long kDisplaySize = 32;
constexpr unsigned char kNoLimit = 255;

struct SimpleCase {
  double value;
  unsigned char width;
  unsigned char decimals;
  unsigned char zeroFill;
  const char* separator;  // null: no separator argument
  const char* text;
};

std::string Simple(const SimpleCase& c, long size = kDisplaySize) {
  CMathOperation math;
  CanaryBuffer<char> destination(static_cast<std::size_t>(size));
  std::string separator(c.separator != nullptr ? c.separator : "");
  const long result =
      math.DoubleToSimpleString(destination.data(), c.value, c.width, c.decimals, c.zeroFill,
                                c.separator != nullptr ? &separator[0] : nullptr, size);
  EXPECT_EQ(result, 1) << c.value;
  EXPECT_TRUE(destination.CanariesIntact());
  return destination.data();
}

TEST(DoubleToSimpleString, WorkedResults) {
  const SimpleCase cases[] = {
      {1234567.891, 0, 2, 0, ",", "1,234,567.89"},
      {1234567.891, 0, kNoLimit, 0, ",", "1,234,567.891"},
      {12.5, 0, 0, 0, nullptr, "12."},
      {12.5, 6, 1, 1, nullptr, "0012.5"},
      {123.45, 4, 1, 0, nullptr, "123."},
      {123.45, 4, 3, 0, nullptr, "123.45"},
      {1234.5, 0, kNoLimit, 0, " ", "1 234.5"},
  };
  for (const SimpleCase& c : cases)
    EXPECT_EQ(Simple(c), c.text) << c.value;
}

TEST(DoubleToSimpleString, TrailingZerosDecimalsAndWidth) {
  const SimpleCase cases[] = {
      {0.0, 0, kNoLimit, 0, nullptr, "0"},
      {0.0000004, 0, kNoLimit, 0, nullptr, "0"},
      {0.0000001, 0, kNoLimit, 0, nullptr, "0"},
      {0.0000005, 0, kNoLimit, 0, nullptr, "0"},  // just below the halfway point
      {0.0000015, 0, kNoLimit, 0, nullptr, "0.000002"},
      {-0.0, 0, kNoLimit, 0, nullptr, "-0"},
      {-0.0000004, 0, kNoLimit, 0, nullptr, "-0"},
      {12.5, 0, kNoLimit, 0, nullptr, "12.5"},
      {100.0, 0, 0, 0, nullptr, "100"},  // no decimals, no point to keep
      {12.5, 0, 0, 1, nullptr, "012."},  // width taken before the decimals cut
      {12.5, 2, 3, 0, nullptr, "12.5"},  // fewer decimals than the count: no width cut
      {12.5, 9, 3, 0, nullptr, "12.5"},
      {123.456, 5, kNoLimit, 0, nullptr, "123.4"},  // without a decimals limit the width cuts
      {123.456, 6, 1, 0, nullptr, "123.4"},         // the point lies inside the width
      {123.456, 2, 1, 0, nullptr, "123.4"},         // but integer digits are never cut
      {3.14159, 0, 4, 0, nullptr, "3.1415"},        // cut, not rounded
      {-3.14159, 0, 4, 0, nullptr, "-3.1415"},
      {1234.5, 0, kNoLimit, 0, "._", "1.234.5"},  // first separator character only
      {1234.5, 0, kNoLimit, 0, "", "1234.5"},
  };
  for (const SimpleCase& c : cases)
    EXPECT_EQ(Simple(c), c.text) << c.value;
}

TEST(DoubleToSimpleString, KeepsTheMinusSignInFront) {
  const SimpleCase cases[] = {
      {-5.0, 4, kNoLimit, 1, nullptr, "-005"},
      {-5.0, 2, kNoLimit, 1, nullptr, "-5"},
      {-12.5, 6, 1, 1, nullptr, "-012.5"},
      {-123456.0, 0, kNoLimit, 0, ",", "-123,456"},
      {-123.0, 0, kNoLimit, 0, ",", "-123"},
      {-1234.0, 0, kNoLimit, 0, ",", "-1,234"},
      {-123456.75, 0, kNoLimit, 0, ",", "-123,456.75"},
      {123456.0, 0, kNoLimit, 0, ",", "123,456"},
      {-5.0, 6, kNoLimit, 1, ",", "-00,005"},
      {5.0, 7, kNoLimit, 1, ",", "0,000,005"},
  };
  for (const SimpleCase& c : cases)
    EXPECT_EQ(Simple(c), c.text) << c.value;
}

TEST(DoubleToSimpleString, ValuesWithoutDigitsKeepTheirSpelling) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const SimpleCase cases[] = {
      {nan, 0, kNoLimit, 0, ",", "nan"},       {-nan, 0, 2, 0, ",", "-nan"},
      {inf, 0, kNoLimit, 0, ",", "inf"},       {-inf, 0, kNoLimit, 0, nullptr, "-inf"},
      {nan, 5, kNoLimit, 1, nullptr, "00nan"}, {-inf, 5, 2, 1, nullptr, "-0inf"},
      {inf, 3, kNoLimit, 0, nullptr, "inf"},
  };
  for (const SimpleCase& c : cases)
    EXPECT_EQ(Simple(c), c.text);
}

// The width cut removes decimals and the point only; one that would reach the integer part
// (or leave only the sign) refuses the text, destination untouched.
TEST(DoubleToSimpleString, WidthNeverDropsIntegerDigits) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const SimpleCase refused[] = {
      {123456.0, 3, kNoLimit, 0, nullptr, nullptr},
      {1234567.0, 3, kNoLimit, 0, nullptr, nullptr},
      {123456.0, 5, kNoLimit, 0, nullptr, nullptr},
      {123.456, 2, kNoLimit, 0, nullptr, nullptr},
      {100.0, 2, kNoLimit, 0, nullptr, nullptr},
      {-123456.0, 3, kNoLimit, 0, nullptr, nullptr},
      {-123456.0, 6, kNoLimit, 0, nullptr, nullptr},
      {123456.0, 3, kNoLimit, 1, nullptr, nullptr},
      {-123456.5, 4, kNoLimit, 1, nullptr, nullptr},
      {1234567.0, 3, kNoLimit, 0, ",", nullptr},
      {-1234567.5, 5, kNoLimit, 1, ",", nullptr},
      {-5.0, 1, kNoLimit, 0, nullptr, nullptr},  // only the sign would be left
      {-0.5, 1, kNoLimit, 0, nullptr, nullptr},
      {-5.0, 1, kNoLimit, 1, ",", nullptr},
      {inf, 2, kNoLimit, 0, nullptr, nullptr},  // no digits, but still the whole integer part
      {-nan, 3, kNoLimit, 0, nullptr, nullptr},
  };
  CMathOperation math;
  for (const SimpleCase& c : refused) {
    CanaryBuffer<char> destination(kDisplaySize);
    const std::vector<char> before = destination.Contents();
    std::string separator(c.separator != nullptr ? c.separator : "");
    EXPECT_EQ(
        math.DoubleToSimpleString(destination.data(), c.value, c.width, c.decimals, c.zeroFill,
                                  c.separator != nullptr ? &separator[0] : nullptr, kDisplaySize),
        0)
        << c.value << " in a width of " << int(c.width);
    EXPECT_EQ(destination.Contents(), before) << c.value;
    EXPECT_TRUE(destination.CanariesIntact());
  }

  const SimpleCase kept[] = {
      {12.345, 4, kNoLimit, 0, nullptr, "12.3"},
      {123.456, 3, kNoLimit, 0, nullptr, "123"},  // the point goes with the decimals
      {123.456, 4, kNoLimit, 0, nullptr, "123."},
      {-5.25, 2, kNoLimit, 0, nullptr, "-5"},
      {-0.5, 2, kNoLimit, 0, nullptr, "-0"},
      {123456.0, 6, kNoLimit, 0, nullptr, "123456"},  // as long as the width: nothing cut
      {123456.5, 6, kNoLimit, 0, ",", "123,456"},     // the width counts before grouping
      {-123456.75, 7, kNoLimit, 1, ",", "-123,456"},
      {-123456.75, 8, kNoLimit, 0, ",", "-123,456."},
      {123.456, 3, kNoLimit, 1, nullptr, "123"},
      {123.456, 2, 1, 0, nullptr, "123.4"},  // a decimals limit: the width never cuts integers
      {123456.789, 0, kNoLimit, 0, nullptr, "123456.789"},  // 0 and 255: the natural length
      {123456.789, kNoLimit, kNoLimit, 0, nullptr, "123456.789"},
      {-5.0, 0, kNoLimit, 0, nullptr, "-5"},
  };
  for (const SimpleCase& c : kept)
    EXPECT_EQ(Simple(c), c.text) << c.value << " in a width of " << int(c.width);
}

// The natural width of a text of 256 characters or more is its whole length.
TEST(DoubleToSimpleString, LongTextsKeepTheirNaturalWidth) {
  char reference[512];
  std::snprintf(reference, sizeof reference, "%.0f", 1e256);
  ASSERT_EQ(std::string(reference).size(), 257u);
  EXPECT_EQ(Simple({1e256, 0, kNoLimit, 0, nullptr, nullptr}, 1024), reference);
  EXPECT_EQ(Simple({1e256, kNoLimit, kNoLimit, 1, nullptr, nullptr}, 1024), reference);
  EXPECT_EQ(Simple({1e256, 0, 2, 0, nullptr, nullptr}, 1024), reference);

  // The largest double, grouped: 309 digits and 102 separators.
  std::snprintf(reference, sizeof reference, "%.0f", -DBL_MAX);
  const std::string grouped = Simple({-DBL_MAX, 0, kNoLimit, 0, ",", nullptr}, 1024);
  EXPECT_EQ(grouped.size(), 1u + 309u + 102u);
  EXPECT_EQ(grouped.substr(0, 9), "-179,769,");
  std::string digits;
  for (char unit : grouped)
    if (unit != ',') digits.push_back(unit);
  EXPECT_EQ(digits, reference);
}

// Groups of three counted from the point, for fills up to the widest width.
TEST(DoubleToSimpleString, GroupsLongZeroFills) {
  for (double value : {5.0, -5.0, -5.25}) {
    const std::string text = Simple({value, 254, kNoLimit, 1, ",", nullptr}, 1024);
    const std::size_t sign = value < 0 ? 1 : 0;
    const std::size_t point = std::min(text.find('.'), text.size());
    std::string digits;
    for (std::size_t i = sign; i < point; ++i) {
      const bool separatorPlace = (point - i) % 4 == 0;
      EXPECT_EQ(text[i] == ',', separatorPlace) << value << " at " << i;
      if (!separatorPlace) digits.push_back(text[i]);
    }
    EXPECT_NE(text[sign], ',');
    EXPECT_EQ(sign + digits.size() + (text.size() - point), 254u) << value;
    EXPECT_EQ(digits.find_first_not_of('0'), digits.size() - 1) << value;
  }
}

// "1,234,567.89" has 12 characters: it needs 13 bytes with its terminator.
TEST(DoubleToSimpleString, RefusesTextsThatDoNotFitWithTheirTerminator) {
  CMathOperation math;
  char separator[] = ",";
  for (long size : {13L, 12L, 11L, 1L, 0L, -1L}) {
    CanaryBuffer<char> destination(size > 0 ? static_cast<std::size_t>(size) : 0);
    const std::vector<char> before = destination.Contents();
    const long result =
        math.DoubleToSimpleString(destination.data(), 1234567.891, 0, 2, 0, separator, size);
    if (size == 13) {
      EXPECT_EQ(result, 1);
      EXPECT_STREQ(destination.data(), "1,234,567.89");
    } else {
      EXPECT_EQ(result, 0) << size;
      EXPECT_EQ(destination.Contents(), before) << size;
    }
    EXPECT_TRUE(destination.CanariesIntact()) << size;
  }
  EXPECT_EQ(math.DoubleToSimpleString(nullptr, 1.5, 0, 2, 0, separator, 32), 0);
}

}  // namespace

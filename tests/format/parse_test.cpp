// Numbers from engineering texts, hexadecimal texts, variants and unit strings.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

struct EngTextCase {
  const char* text;
  double expected;
};

const EngTextCase kEngTextCases[] = {
    {"12.5 K", 12500.0},
    {"-3m", -3000000.0},
    {"0.25", 0.25},
    {" 7 ", 7.0},
    {"K", 0.0},
    {"12K5", CORVIXMATH_MISSING_VALUE},
    {"1.2.3", CORVIXMATH_MISSING_VALUE},
    {"1E3", CORVIXMATH_MISSING_VALUE},
    {"1e3", CORVIXMATH_MISSING_VALUE},
    {"1.5m", 1500000.0},
    {"1.5M", 1500000.0},
    {"+5k", 5000.0},
    {"2 G", 2e9},
    {"2g", 2e9},
    {"3T", 3e12},
    {"3t", 3e12},
    {"-", 0.0},
    {".", 0.0},
    {"-K", 0.0},
    {"", 0.0},
    {"     ", 0.0},
    {"5.", 5.0},
    {"-.5", -0.5},
    {"1 2 3", 123.0},
    {"1,5", CORVIXMATH_MISSING_VALUE},
    {"1\t", CORVIXMATH_MISSING_VALUE},
    {"5-", CORVIXMATH_MISSING_VALUE},
    {"+-5", CORVIXMATH_MISSING_VALUE},
    {"1.5KK", CORVIXMATH_MISSING_VALUE},
    {"1.5 X", CORVIXMATH_MISSING_VALUE},
    {"0x10", CORVIXMATH_MISSING_VALUE},
    {"inf", CORVIXMATH_MISSING_VALUE},
    // Correctly rounded: the same double as the compiler's reading of the literal.
    {"0.1", 0.1},
    {"0.3", 0.3},
    {"123456.789012", 123456.789012},
    {"-0.000000000001", -0.000000000001},
    // Only the first 15 characters take part, blanks counted before they are dropped.
    {"123456789012345K", 123456789012345.0},
    {"12345678901234.5", 12345678901234.0},
    {"1 2 3 4 5 6 7 8 9", 12345678.0},
    {"              5K", 5.0},
    {"1.2            ZZ", 1.2},
};

TEST(EngStr2SimpleValue, ReadsEngineeringTexts) {
  CMathOperation operation;
  for (const EngTextCase& c : kEngTextCases) {
    std::string text = c.text;
    EXPECT_EQ(operation.EngStr2SimpleValue(&text[0]), c.expected) << '\'' << c.text << '\'';
    EXPECT_EQ(text, c.text) << "the caller's text is not changed";
  }
  EXPECT_EQ(operation.EngStr2SimpleValue(nullptr), 0.0);
}

TEST(EngStr2SimpleValue, DoesNotDependOnTheProcessLocale) {
  const char* const commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8",  "fr_FR.UTF-8",
                                      "fr_FR.utf8",  "ru_RU.UTF-8", "nl_NL.UTF-8"};
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  const char* active = nullptr;
  for (const char* name : commaLocales) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      active = name;
      break;
    }
  }
  if (active == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed";
  CMathOperation operation;
  char point[] = "12.5 K";
  char quarter[] = "0.25";
  const double kilo = operation.EngStr2SimpleValue(point);
  const double plain = operation.EngStr2SimpleValue(quarter);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(kilo, 12500.0) << active;
  EXPECT_EQ(plain, 0.25) << active;
}

struct HexCase {
  const char* text;
  long expected;
};

const HexCase kHexCases[] = {
    {"1A", 26},
    {"1a", 26},
    {"0x1A", 26},
    {"#FF8000", 16744448},
    {"G12", 18},
    {"", 0},
    {"xyz", 0},
    {"#", 0},
    {"abcdef", 0xABCDEF},
    {"7FFFFFFF", 2147483647L},
    {"80000000", -2147483647L - 1},
    {"FFFFFFFF", -1},
    {"ffffffff", -1},
    {"123456789", 0x23456789},
    {"1-2 3", 0x123},
};

TEST(HexStringToDecimal, ReadsA32BitWordSkippingOtherCharacters) {
  CMathOperation operation;
  for (const HexCase& c : kHexCases) {
    std::string text = c.text;
    EXPECT_EQ(operation.HexStringToDecimal(&text[0]), c.expected) << '\'' << c.text << '\'';
  }
  EXPECT_EQ(operation.HexStringToDecimal(nullptr), 0);
}

VARIANT MakeVariant(VARTYPE type) {
  VARIANT value{};
  value.vt = type;
  return value;
}

TEST(VarValueToLongDouble, ConvertsTheNumericTypes) {
  CMathOperation operation;
  struct Case {
    VARIANT value;
    long double expected;
  };
  VARIANT i2 = MakeVariant(VT_I2);
  i2.iVal = -5;
  VARIANT i4 = MakeVariant(VT_I4);
  i4.lVal = -100000;
  VARIANT r4 = MakeVariant(VT_R4);
  r4.fltVal = 0.1f;
  VARIANT r8 = MakeVariant(VT_R8);
  r8.dblVal = 0.1;
  VARIANT i1 = MakeVariant(VT_I1);
  i1.bVal = 200;
  VARIANT ui1 = MakeVariant(VT_UI1);
  ui1.bVal = 200;
  VARIANT ui2 = MakeVariant(VT_UI2);
  ui2.uiVal = 65535;
  VARIANT i4Min = MakeVariant(VT_I4);
  i4Min.lVal = INT32_MIN;
  const Case cases[] = {
      {i2, -5.0L},
      {i4, -100000.0L},
      {r4, static_cast<long double>(static_cast<double>(0.1f))},
      {r8, static_cast<long double>(0.1)},
      {i1, -56.0L},
      {ui1, 200.0L},
      {ui2, 65535.0L},
      {i4Min, -2147483648.0L},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(operation.VarValueToLongDouble(c.value), c.expected) << "type " << c.value.vt;
  }
}

TEST(VarValueToLongDouble, GivesZeroForEveryOtherType) {
  CMathOperation operation;
  const VARTYPE others[] = {
      VT_EMPTY,
      VT_NULL,
      VT_CY,
      VT_DATE,
      VT_BSTR,
      VT_BOOL,
      VT_UI4,
      VT_I8,
      VT_UI8,
      VT_INT,
      VT_UINT,
      VT_DECIMAL,
      VT_I2 | VT_BYREF,
      VT_R8 | VT_ARRAY,
      VT_I4 | VT_VECTOR,
      0x8002,
      VT_UI1 | VT_BYREF,
      0xFFFF,
  };
  for (VARTYPE type : others) {
    VARIANT value = MakeVariant(type);
    value.llVal = -1;  // every bit of the value field set: a true VT_BOOL, an all-ones integer
    EXPECT_EQ(operation.VarValueToLongDouble(value), 0.0L) << "type " << type;
  }
}

TEST(VarValueToLongDouble, IgnoresTheReservedWords) {
  CMathOperation operation;
  VARIANT value = MakeVariant(VT_I2);
  value.wReserved1 = 0xFFFF;
  value.wReserved2 = 0x1234;
  value.wReserved3 = 0x8000;
  value.iVal = 7;
  EXPECT_EQ(operation.VarValueToLongDouble(value), 7.0L);
}

struct ToLongCase {
  const char* text;
  long expected;
};

const ToLongCase kToLongCases[] = {
    {"42", 42},
    {"  -17x", -17},
    {"\t\n+8", 8},
    {"abc", 0},
    {"", 0},
    {"- 5", 0},
    {"12 34", 12},
    {"2147483647", 2147483647L},
    {"2147483648", 2147483647L},
    {"-2147483648", -2147483647L - 1},
    {"-9999999999999", -2147483647L - 1},
};

TEST(ToLong, ReadsADecimalIntegerSaturatingAt32Bits) {
  CMathOperation operation;
  for (const ToLongCase& c : kToLongCases) {
    auto units = corvix_test::Units<unsigned short>(c.text);
    EXPECT_EQ(operation.ToLong(units.data()), c.expected) << '\'' << c.text << '\'';
  }
  EXPECT_EQ(operation.ToLong(nullptr), 0);
}

TEST(ToLong, StopsAtUnitsBeyondAscii) {
  CMathOperation operation;
  // A digit followed by U+0661 (an Arabic-Indic one) and by a unit whose low byte is '5'.
  unsigned short text[] = {'3', 0x0661, '4', 0};
  unsigned short wide[] = {'3', 0x0135, 0};
  EXPECT_EQ(operation.ToLong(text), 3);
  EXPECT_EQ(operation.ToLong(wide), 3);
}

}  // namespace

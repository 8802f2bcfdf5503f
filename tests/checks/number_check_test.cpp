// The number check on narrow and unit strings: form codes and in-place trimming.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::Narrow;
using corvix_test::Units;

template <class Unit>
class IsDigitTest : public ::testing::Test {};
using Flavours = ::testing::Types<char, unsigned short>;
TYPED_TEST_SUITE(IsDigitTest, Flavours, );

struct Case {
  const char* text;
  long code;
  const char* trimmed;
};

const Case kCases[] = {
    {"12", 4, "12"},       {"+12", 3, "+12"},     {"-12", 3, "-12"},      {"12.5", 8, "12.5"},
    {"-12.5", 7, "-12.5"}, {".5", 8, ".5"},       {"5.", 8, "5."},        {"12K", 2, "12K"},
    {"12k", 2, "12k"},     {"-1.5M", 5, "-1.5M"}, {"3.K", 6, "3.K"},      {"+.", 7, "+."},
    {"+", 3, "+"},         {"-", 3, "-"},         {".", 8, "."},          {"K", 2, "K"},
    {"-.K", 5, "-.K"},     {"7G", 2, "7G"},       {"7t", 2, "7t"},        {"+9m", 1, "+9m"},
    {"1.2.3", 0, "1.2.3"}, {"K12", 0, "K12"},     {"1K2", 0, "1K2"},      {"12KK", 0, "12KK"},
    {"+-1", 0, "+-1"},     {"1+", 0, "1+"},       {"1 2", 0, "1 2"},      {"1e5", 0, "1e5"},
    {"0x1F", 0, "0x1F"},   {"12\t", 0, "12\t"},   {"\t12", 0, "\t12"},    {"", 0, ""},
    {"   ", 0, ""},        {"  12  ", 4, "12"},   {" -1.5M", 5, "-1.5M"}, {"5. ", 8, "5."},
    {" 1 2 ", 0, "1 2"},   {" \t1", 0, "\t1"},
};

template <class Unit>
long Check(std::vector<Unit>& text) {
  CMathOperation math;
  return math.IsDigit(text.data());
}

TYPED_TEST(IsDigitTest, ClassifiesAndTrimsInPlace) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string("'") + c.text + "'");
    std::vector<TypeParam> text = Units<TypeParam>(c.text);
    EXPECT_EQ(Check(text), c.code);
    EXPECT_EQ(Narrow(text.data()), c.trimmed);
  }
}

TYPED_TEST(IsDigitTest, LongNumbers) {
  // Narrow strings are trimmed whatever their length; unit strings up to the trim members'
  // working copy of 1023 units.
  const std::string digits(1000, '7');
  std::vector<TypeParam> text = Units<TypeParam>("  " + digits + "  ");
  EXPECT_EQ(Check(text), 4);
  EXPECT_EQ(Narrow(text.data()), digits);
}

TEST(IsDigitNarrow, TrimsVeryLongText) {
  const std::string digits(3000, '1');
  std::vector<char> text = Units<char>(std::string(1500, ' ') + digits + "K   ");
  EXPECT_EQ(Check(text), 2);
  EXPECT_EQ(Narrow(text.data()), digits + "K");
}

TEST(IsDigitUnits, StringsOfAWholeTrimCopyOrMoreAreNotTrimmed) {
  struct LongCase {
    std::string text;
    long code;
  };
  const LongCase cases[] = {
      {" " + std::string(1022, '1'), 4},  // 1023 units: trimmed
      {std::string(1022, '1') + " ", 4},  // 1023 units: trimmed
      {" " + std::string(1024, '1'), 0},  // 1025 units: refused by the trim members
      {std::string(1024, '1') + " ", 0},  // 1025 units
      {" " + std::string(1023, '1'), 0},  // 1024 units: would lose its last unit
      {std::string(1023, '1') + "K", 2},  // 1024 units without spaces: kept whole
      {std::string(1023, '1') + "x", 0},  // the last unit still counts
      {std::string(2000, '3'), 4},
  };
  for (const LongCase& c : cases) {
    SCOPED_TRACE(c.text.size());
    std::vector<unsigned short> text = Units<unsigned short>(c.text);
    EXPECT_EQ(Check(text), c.code);
    std::string expected = c.text;
    if (c.text.size() < 1024) {
      expected.erase(0, expected.find_first_not_of(' '));
      expected.erase(expected.find_last_not_of(' ') + 1);
    }
    EXPECT_EQ(Narrow(text.data()), expected);
  }
}

TEST(IsDigitUnits, ComparesWholeUnits) {
  // Units that equal an ASCII character only in their low byte are not that character.
  const unsigned short lookAlikes[] = {0x0131, 0x012E, 0x014B, 0x0120, 0xFF11};
  for (unsigned short unit : lookAlikes) {
    SCOPED_TRACE(unit);
    std::vector<unsigned short> text = Units<unsigned short>("12");
    text.insert(text.begin() + 1, unit);
    EXPECT_EQ(Check(text), 0);
  }
}

TEST(IsDigitNullText, IsNotANumber) {
  CMathOperation math;
  EXPECT_EQ(math.IsDigit(static_cast<char*>(nullptr)), 0);
  EXPECT_EQ(math.IsDigit(static_cast<unsigned short*>(nullptr)), 0);
}

}  // namespace

// Cutting strings at a character, by a count and by a range, in every string flavour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"
#include "text/internal/extract.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::CanaryBuffer;
using corvix_test::ExpectDestination;
using corvix_test::FlavourNames;
using corvix_test::kUntouched;
using corvix_test::Narrow;
using corvix_test::U;
using corvix_test::Units;
using corvix_test::flavour::LeftBefore;
using corvix_test::flavour::LeftSide;
using corvix_test::flavour::RightAfter;
using corvix_test::flavour::RightSide;
using corvix_test::flavour::Sub;

// No wide member; other families reuse the template for wide texts.
long Sub(wchar_t* s, wchar_t* d, long start, long n) {
  return corvix::text::SubString(s, d, start, n);
}

// A text whose units tell their position: "abc...zabc...".
std::string Alphabet(std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i)
    text.push_back(static_cast<char>('a' + i % 26));
  return text;
}

template <class Unit>
class ExtractTest : public ::testing::Test {};
TYPED_TEST_SUITE(ExtractTest, AllFlavours, FlavourNames);

TYPED_TEST(ExtractTest, LeftBeforeCharWritesWhatFitsWithItsTerminator) {
  struct Case {
    const char* source;
    char character;
    long capacity;
    long result;
    const char* expected;
  } const cases[] = {
      {"12.5", '.', 16, 1, "12"},       {"12.5", ':', 16, 1, "12.5"}, {".5", '.', 16, 1, ""},
      {"12.5", '\0', 16, 1, "12.5"},  // the terminator ends the left part
      {"a.b.c", '.', 2, 1, "a"},        {"123", ':', 4, 1, "123"},  // one shorter than the capacity
      {"1234", ':', 4, 0, kUntouched},   // as long as the capacity: no room for the terminator
      {"12345", ':', 4, 0, kUntouched},  // longer
      {"", '.', 4, 1, kUntouched},       // empty source: done, nothing written
      {".5", '.', 0, 0, kUntouched},     // no room even for the terminator
  };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    CanaryBuffer<TypeParam> destination(static_cast<std::size_t>(c.capacity));
    const auto before = destination.Contents();
    const std::string label =
        std::string(c.source) + " '" + c.character + "' " + std::to_string(c.capacity);
    EXPECT_EQ(LeftBefore(source.data(), destination.data(), U<TypeParam>(c.character), c.capacity),
              c.result)
        << label;
    ExpectDestination(destination, before, c.expected, label);
  }
}

TYPED_TEST(ExtractTest, LeftBeforeCharLooksAtTheFirst2047Units) {
  std::string text(3000, 'a');
  text[2500] = '.';  // beyond the cut: the whole cut text is the left part
  auto source = Units<TypeParam>(text);
  CanaryBuffer<TypeParam> fits(CORVIXMATH_TEXT_UNITS);
  EXPECT_EQ(LeftBefore(source.data(), fits.data(), U<TypeParam>('.'), 2048), 1);
  EXPECT_EQ(Narrow(fits.data()), std::string(2047, 'a'));
  EXPECT_TRUE(fits.CanariesIntact());
  CanaryBuffer<TypeParam> tooSmall(CORVIXMATH_TEXT_UNITS - 1);
  EXPECT_EQ(LeftBefore(source.data(), tooSmall.data(), U<TypeParam>('.'), 2047), 0);
  EXPECT_TRUE(tooSmall.CanariesIntact());
}

TYPED_TEST(ExtractTest, LeftBeforeCharCapacityIsUnsigned) {
  auto source = Units<TypeParam>("12.5");
  std::vector<TypeParam> destination(corvix::kTextUnits, TypeParam('#'));
  EXPECT_EQ(LeftBefore(source.data(), destination.data(), U<TypeParam>('.'), -1), 1);
  EXPECT_EQ(Narrow(destination.data()), "12");
}

// Where wchar_t is wider than 16 bits, a unit whose low 16 bits are the separator is not it.
TEST(WideExtract, UnitsAbove0xFFFFAreNotTheSeparator) {
  if (sizeof(wchar_t) <= 2) GTEST_SKIP() << "wchar_t holds 16 bits here";
  const wchar_t high = static_cast<wchar_t>(0x1002E);  // low 16 bits: '.'
  std::vector<wchar_t> source = {L'a', high, L'b', L'.', L'c', 0};
  CanaryBuffer<wchar_t> left(8);
  EXPECT_EQ(CMathOperation().ExtractLeftBeforeCharW(source.data(), left.data(), L'.', 8), 1);
  EXPECT_EQ(left.Contents(), (std::vector<wchar_t>{L'a', high, L'b', 0, L'#', L'#', L'#', 0}));
  CanaryBuffer<wchar_t> right(corvix::kTextUnits);
  CMathOperation().ExtractRightAfterCharW(source.data(), right.data(), L'.');
  EXPECT_EQ(right.data()[0], L'c');
  EXPECT_EQ(right.data()[1], wchar_t(0));
}

TYPED_TEST(ExtractTest, LeftBeforeCharInPlaceAndNulls) {
  auto text = Units<TypeParam>("12.5");
  EXPECT_EQ(LeftBefore(text.data(), text.data(), U<TypeParam>('.'), 5), 1);
  EXPECT_EQ(Narrow(text.data()), "12");
  EXPECT_EQ(LeftBefore(text.data(), static_cast<TypeParam*>(nullptr), U<TypeParam>('.'), 5), 0);
  CanaryBuffer<TypeParam> destination(5);
  const auto before = destination.Contents();
  EXPECT_EQ(LeftBefore(static_cast<TypeParam*>(nullptr), destination.data(), U<TypeParam>('.'), 5),
            1);
  EXPECT_EQ(destination.Contents(), before);
}

TYPED_TEST(ExtractTest, RightAfterCharTakesWhatFollowsTheFirstOccurrence) {
  struct Case {
    const char* source;
    char character;
    const char* expected;
  } const cases[] = {
      {"1.2.3", '.', "2.3"},
      {"1.2.3", ':', "1.2.3"},  // absent: the whole source
      {"12.", '.', ""},
      {".", '.', ""},
      {"1.2.3", '\0', kUntouched},  // nothing lies after the terminator
      {"", '.', kUntouched},
  };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    CanaryBuffer<TypeParam> destination(corvix::kTextUnits);
    const auto before = destination.Contents();
    RightAfter(source.data(), destination.data(), U<TypeParam>(c.character));
    ExpectDestination(destination, before, c.expected,
                      std::string(c.source) + " '" + c.character + "'");
  }
}

TYPED_TEST(ExtractTest, RightAfterCharWritesAtMost2048Units) {
  std::string text = Alphabet(3000);
  auto source = Units<TypeParam>(text);
  CanaryBuffer<TypeParam> destination(corvix::kTextUnits);
  RightAfter(source.data(), destination.data(), U<TypeParam>('.'));
  EXPECT_EQ(Narrow(destination.data()), text.substr(0, 2047));
  EXPECT_TRUE(destination.CanariesIntact());
}

TYPED_TEST(ExtractTest, RightAfterCharInPlaceStripsFieldsUntilTheSeparatorRunsOut) {
  auto text = Units<TypeParam>("a,bb,ccc");
  const char* const expected[] = {"bb,ccc", "ccc", "ccc"};
  for (const char* step : expected) {
    RightAfter(text.data(), text.data(), U<TypeParam>(','));
    EXPECT_EQ(Narrow(text.data()), step);
  }
  RightAfter(text.data(), static_cast<TypeParam*>(nullptr), U<TypeParam>(','));
  CanaryBuffer<TypeParam> destination(4);
  const auto before = destination.Contents();
  RightAfter(static_cast<TypeParam*>(nullptr), destination.data(), U<TypeParam>(','));
  EXPECT_EQ(destination.Contents(), before);
}

TYPED_TEST(ExtractTest, LeftAndRightSideTakeACountOfUnits) {
  struct Case {
    const char* source;
    long count;
    const char* left;
    const char* right;
  } const cases[] = {
      {"ABC12", 3, "ABC", "C12"},      {"ABC12", 2, "AB", "12"}, {"ABC12", 5, "ABC12", "ABC12"},
      {"ABC12", 9, "ABC12", "ABC12"},  {"ABC12", 0, "", ""},     {"ABC12", -1, "", ""},
      {"", 3, kUntouched, kUntouched},
  };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    // The destination holds count + 1 units, as the members require.
    const std::size_t capacity = c.count > 0 ? static_cast<std::size_t>(c.count) + 1 : 1;
    const std::string label = std::string(c.source) + " " + std::to_string(c.count);
    CanaryBuffer<TypeParam> left(capacity);
    const auto leftBefore = left.Contents();
    LeftSide(source.data(), left.data(), c.count);
    ExpectDestination(left, leftBefore, c.left, "left " + label);
    CanaryBuffer<TypeParam> right(capacity);
    const auto rightBefore = right.Contents();
    RightSide(source.data(), right.data(), c.count);
    ExpectDestination(right, rightBefore, c.right, "right " + label);
  }
}

TYPED_TEST(ExtractTest, LeftSideReadsTheWholeSourceRightSideOnlyItsFirst1023Units) {
  const std::string text = Alphabet(3000);
  auto source = Units<TypeParam>(text);
  CanaryBuffer<TypeParam> left(2501);
  LeftSide(source.data(), left.data(), 2500);
  EXPECT_EQ(Narrow(left.data()), text.substr(0, 2500));
  EXPECT_TRUE(left.CanariesIntact());

  auto source1500 = Units<TypeParam>(text.substr(0, 1500));
  CanaryBuffer<TypeParam> three(4);
  RightSide(source1500.data(), three.data(), 3);
  EXPECT_EQ(Narrow(three.data()), text.substr(1020, 3));
  EXPECT_TRUE(three.CanariesIntact());
  CanaryBuffer<TypeParam> all(corvix::kFormatUnits);  // the most it ever writes
  RightSide(source1500.data(), all.data(), 5000);
  EXPECT_EQ(Narrow(all.data()), text.substr(0, 1023));
  EXPECT_TRUE(all.CanariesIntact());
}

TYPED_TEST(ExtractTest, SidesInPlaceAndNulls) {
  auto left = Units<TypeParam>("ABC12");
  LeftSide(left.data(), left.data(), 3);
  EXPECT_EQ(Narrow(left.data()), "ABC");
  auto right = Units<TypeParam>("ABC12");
  RightSide(right.data(), right.data(), 2);
  EXPECT_EQ(Narrow(right.data()), "12");
  LeftSide(right.data(), static_cast<TypeParam*>(nullptr), 2);
  RightSide(right.data(), static_cast<TypeParam*>(nullptr), 2);
  CanaryBuffer<TypeParam> destination(3);
  const auto before = destination.Contents();
  LeftSide(static_cast<TypeParam*>(nullptr), destination.data(), 2);
  RightSide(static_cast<TypeParam*>(nullptr), destination.data(), 2);
  EXPECT_EQ(destination.Contents(), before);
}

TYPED_TEST(ExtractTest, SubStringCopiesARange) {
  struct Case {
    const char* source;
    long start;
    long count;
    const char* expected;
  } const cases[] = {
      {"abcdef", 2, 3, "cde"}, {"abc", 1, 10, "bc"}, {"abc", 0, 0, ""}, {"abc", 0, -5, ""},
      {"abc", 0, 3, "abc"},    {"abc", 3, 2, ""},    {"abc", 5, 2, ""},  // past the end: empty
      {"abc", -1, 2, ""},      {"", 0, 2, ""},
  };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    const std::size_t capacity = c.count > 0 ? static_cast<std::size_t>(c.count) + 1 : 1;
    CanaryBuffer<TypeParam> destination(capacity, U<TypeParam>('#'));
    const std::string label =
        std::string(c.source) + " " + std::to_string(c.start) + "," + std::to_string(c.count);
    EXPECT_EQ(Sub(source.data(), destination.data(), c.start, c.count), 1) << label;
    ExpectDestination(destination, {}, c.expected, label);
  }
  // The terminator lies right after the units copied.
  auto source = Units<TypeParam>("abcdef");
  CanaryBuffer<TypeParam> destination(6, U<TypeParam>('#'));
  Sub(source.data(), destination.data(), 2, 3);
  EXPECT_EQ(destination.Contents()[3], TypeParam(0));
  EXPECT_EQ(destination.Contents()[4], U<TypeParam>('#'));
}

TYPED_TEST(ExtractTest, SubStringInPlaceAndNulls) {
  auto text = Units<TypeParam>("abcdef");
  EXPECT_EQ(Sub(text.data(), text.data(), 2, 3), 1);
  EXPECT_EQ(Narrow(text.data()), "cde");
  EXPECT_EQ(Sub(text.data(), static_cast<TypeParam*>(nullptr), 0, 2), 0);
  CanaryBuffer<TypeParam> destination(3);
  EXPECT_EQ(Sub(static_cast<TypeParam*>(nullptr), destination.data(), 0, 2), 1);
  EXPECT_EQ(destination.data()[0], TypeParam(0));
}

}  // namespace

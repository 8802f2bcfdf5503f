// Stripping a repeated character from either end, in every string flavour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::CanaryBuffer;
using corvix_test::ExpectDestination;
using corvix_test::FlavourNames;
using corvix_test::kUntouched;
using corvix_test::Narrow;
using corvix_test::U;
using corvix_test::Units;
using corvix_test::flavour::TrimLeft;
using corvix_test::flavour::TrimRight;

// TrimLeft or TrimRight of one flavour.
template <class Unit>
using Trim = long (*)(Unit*, Unit*, Unit, unsigned int);

// One trim into a canary-guarded destination of `capacity` units, checked both ways.
template <class Unit>
void ExpectTrim(Trim<Unit> trim, const std::string& text, char character, unsigned int capacity,
                const char* expected, const std::string& label) {
  auto source = Units<Unit>(text);
  CanaryBuffer<Unit> destination(capacity);
  const auto before = destination.Contents();
  const long result = trim(source.data(), destination.data(), U<Unit>(character), capacity);
  EXPECT_EQ(result, expected == kUntouched ? 0 : 1) << label;
  ExpectDestination(destination, before, expected, label);
}

template <class Unit>
class TrimTest : public ::testing::Test {};
TYPED_TEST_SUITE(TrimTest, AllFlavours, FlavourNames);

TYPED_TEST(TrimTest, StripsOnlyTheGivenCharacterAndRefusesWhatDoesNotFit) {
  struct Case {
    const char* source;
    char character;
    unsigned int capacity;
    const char* left;
    const char* right;
  } const cases[] = {
      {"  12", ' ', 10, "12", "  12"},
      {"1.500", '0', 12, "1.500", "1.5"},
      {"000", '0', 4, "", ""},
      {"12.", '.', 12, "12.", "12"},
      {" \t1\t ", ' ', 10, "\t1\t ", " \t1\t"},  // other blanks stay
      {"ab", '\0', 3, "ab", "ab"},               // stripping NUL strips nothing
      {"", ' ', 1, "", ""},
      {"", '\0', 1, "", ""},
      {"", ' ', 0, kUntouched, kUntouched},  // no room for the terminator
      {"xx123yy", 'x', 6, "123yy", kUntouched},
      {"xx123yy", 'y', 6, kUntouched, "xx123"},
      // Trimmed text one shorter than, exactly as long as, and longer than the capacity.
      {"xx123", 'x', 4, "123", kUntouched},
      {"xx1234", 'x', 4, kUntouched, kUntouched},
      {"xx12345", 'x', 4, kUntouched, kUntouched},
      {"\xE9\xE9z", '\xE9', 4, "z", "\xE9\xE9z"},
  };
  for (const Case& c : cases) {
    const std::string label =
        std::string("\"") + c.source + "\" '" + c.character + "' " + std::to_string(c.capacity);
    ExpectTrim<TypeParam>(TrimLeft, c.source, c.character, c.capacity, c.left, "left " + label);
    ExpectTrim<TypeParam>(TrimRight, c.source, c.character, c.capacity, c.right, "right " + label);
  }
}

TYPED_TEST(TrimTest, LongSources) {
  // Longer than 1024 units: refused before anything is stripped.
  for (Trim<TypeParam> trim : {Trim<TypeParam>(TrimLeft), Trim<TypeParam>(TrimRight)}) {
    ExpectTrim<TypeParam>(trim, std::string(1025, 'x'), 'x', 2048, kUntouched, "1025");
    // Exactly 1024 units: accepted, and only the first 1023 take part.
    const std::string text = std::string(1023, 'a') + "x";
    const std::string kept(1023, 'a');
    ExpectTrim<TypeParam>(trim, text, 'x', 2048, kept.c_str(), "1024");
    ExpectTrim<TypeParam>(trim, text, 'x', 1024, kept.c_str(), "1024 into 1024");
    ExpectTrim<TypeParam>(trim, text, 'x', 1023, kUntouched, "1024 into 1023");
  }
}

TYPED_TEST(TrimTest, InPlace) {
  auto right = Units<TypeParam>("12.");
  EXPECT_EQ(TrimRight(right.data(), right.data(), U<TypeParam>('.'), 4), 1);
  EXPECT_EQ(Narrow(right.data()), "12");
  auto left = Units<TypeParam>("  12");
  EXPECT_EQ(TrimLeft(left.data(), left.data(), U<TypeParam>(' '), 5), 1);
  EXPECT_EQ(Narrow(left.data()), "12");

  // With the capacity equal to the current length, stripping something fits and stripping
  // nothing leaves the text exactly as it is.
  struct Case {
    const char* text;
    long result;
    const char* after;
  } const cases[] = {{" 12 ", 1, "12 "}, {"12 ", 0, "12 "}, {"12", 0, "12"}};
  for (const Case& c : cases) {
    auto text = Units<TypeParam>(c.text);
    const unsigned int length = static_cast<unsigned int>(std::string(c.text).size());
    EXPECT_EQ(TrimLeft(text.data(), text.data(), U<TypeParam>(' '), length), c.result) << c.text;
    EXPECT_EQ(Narrow(text.data()), c.after) << c.text;
  }
}

TYPED_TEST(TrimTest, Nulls) {
  CanaryBuffer<TypeParam> destination(4);
  EXPECT_EQ(TrimLeft(static_cast<TypeParam*>(nullptr), destination.data(), U<TypeParam>(' '), 4),
            1);
  EXPECT_EQ(destination.data()[0], TypeParam(0));
  auto source = Units<TypeParam>(" a");
  EXPECT_EQ(TrimLeft(source.data(), static_cast<TypeParam*>(nullptr), U<TypeParam>(' '), 4), 0);
  EXPECT_EQ(TrimRight(source.data(), static_cast<TypeParam*>(nullptr), U<TypeParam>(' '), 4), 0);
}

}  // namespace

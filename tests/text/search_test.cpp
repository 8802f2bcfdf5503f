// Finding a unit and a run of units, in every string flavour.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"
#include "text/internal/search.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::FlavourNames;
using corvix_test::Units;
using corvix_test::flavour::FindChar;
using corvix_test::flavour::FindSub;

// No member takes 16-bit units here; other families reuse the template for them.
long FindSub(unsigned short* source, unsigned short* substring) {
  return corvix::text::FindSubStringStart(source, substring);
}

template <class Unit>
class FindCharposTest : public ::testing::Test {};
template <class Unit>
class FindSubStringTest : public ::testing::Test {};
TYPED_TEST_SUITE(FindCharposTest, AllFlavours, FlavourNames);
TYPED_TEST_SUITE(FindSubStringTest, AllFlavours, FlavourNames);

TYPED_TEST(FindCharposTest, FindsTheFirstOccurrenceOrNone) {
  struct Case {
    const char* source;
    char character;
    long expected;
  } const cases[] =
      {
          {"abc", 'c', 2},       {"abc", 'a', 0}, {"abca", 'a', 0}, {"abc", 'x', -1},
          {"abc", '\0', 3},      {"", 'a', -1},   {"", '\0', -1},   {"a b", ' ', 1},
          {"x\xE9y", '\xE9', 1},  // a unit above 0x7F is compared by its value
      };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    const TypeParam character = static_cast<TypeParam>(static_cast<unsigned char>(c.character));
    EXPECT_EQ(FindChar(source.data(), character), c.expected)
        << '"' << c.source << "\" '" << c.character << "'";
  }
}

TYPED_TEST(FindCharposTest, LooksOnlyAtTheFirst2047Units) {
  struct Case {
    std::size_t markAt;
    long expected;
  } const cases[] = {{2046, 2046}, {2047, -1}, {2500, -1}};
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(std::string(3000, 'a'));
    source[c.markAt] = TypeParam('b');
    EXPECT_EQ(FindChar(source.data(), TypeParam('b')), c.expected) << c.markAt;
  }
  auto longSource = Units<TypeParam>(std::string(3000, 'a'));
  EXPECT_EQ(FindChar(longSource.data(), TypeParam(0)), 2047);  // the end of the cut text
}

TYPED_TEST(FindCharposTest, NullSourceIsEmpty) {
  EXPECT_EQ(FindChar(static_cast<TypeParam*>(nullptr), TypeParam('a')), -1);
}

TYPED_TEST(FindSubStringTest, FindsTheLeftmostOccurrence) {
  struct Case {
    const char* source;
    const char* substring;
    long expected;
  } const cases[] = {
      {"abcabd", "abd", 3},  // the candidate at 0 fails, the one at 3 matches
      {"ab", "abc", -1},
      {"abc", "", 3},
      {"", "", 0},
      {"", "a", -1},
      {"aaab", "aab", 1},
      {"abc", "abc", 0},
      {"abc", "c", 2},
      {"abc", "bd", -1},
      {"\xFF"
       "a\xFF"
       "b",
       "\xFF"
       "b",
       2},  // a failed first candidate of the same high unit
  };
  for (const Case& c : cases) {
    auto source = Units<TypeParam>(c.source);
    auto substring = Units<TypeParam>(c.substring);
    EXPECT_EQ(FindSub(source.data(), substring.data()), c.expected)
        << '"' << c.source << "\" \"" << c.substring << '"';
  }
}

TYPED_TEST(FindSubStringTest, HighestUnitAsFirstUnit) {
  const TypeParam high = sizeof(TypeParam) == 1 ? TypeParam(0xFF) : TypeParam(0xFFFF);
  std::vector<TypeParam> source = {high, TypeParam('a'), high, TypeParam('b'), TypeParam(0)};
  std::vector<TypeParam> substring = {high, TypeParam('b'), TypeParam(0)};
  EXPECT_EQ(FindSub(source.data(), substring.data()), 2);
}

TYPED_TEST(FindSubStringTest, LooksOnlyAtTheFirst1023Units) {
  struct Case {
    std::size_t startAt;
    long expected;
  } const cases[] = {{1020, 1020}, {1021, -1}, {1100, -1}};
  for (const Case& c : cases) {
    std::string text(1500, 'a');
    text.replace(c.startAt, 3, "xyz");
    auto source = Units<TypeParam>(text);
    auto substring = Units<TypeParam>("xyz");
    EXPECT_EQ(FindSub(source.data(), substring.data()), c.expected) << c.startAt;
  }
  auto source = Units<TypeParam>(std::string(1500, 'a'));
  auto empty = Units<TypeParam>("");
  EXPECT_EQ(FindSub(source.data(), empty.data()), 1023);
  auto tooLong = Units<TypeParam>(std::string(1024, 'a'));
  EXPECT_EQ(FindSub(source.data(), tooLong.data()), -1);

  // Sources that end just within, at and just beyond the 1023 units, with the run last.
  for (std::size_t length : {1022u, 1023u, 1024u}) {
    std::string text(length, 'a');
    text.replace(length - 3, 3, "xyz");
    auto whole = Units<TypeParam>(text);
    auto xyz = Units<TypeParam>("xyz");
    const long expected = length <= 1023 ? static_cast<long>(length - 3) : -1;
    EXPECT_EQ(FindSub(whole.data(), xyz.data()), expected) << length;
  }
}

TYPED_TEST(FindSubStringTest, NullReadsAsEmpty) {
  auto source = Units<TypeParam>("abc");
  auto substring = Units<TypeParam>("b");
  EXPECT_EQ(FindSub(static_cast<TypeParam*>(nullptr), substring.data()), -1);
  EXPECT_EQ(FindSub(source.data(), static_cast<TypeParam*>(nullptr)), 3);
  EXPECT_EQ(FindSub(static_cast<TypeParam*>(nullptr), static_cast<TypeParam*>(nullptr)), 0);
}

// A wide unit is compared whole: where wchar_t is wider than 16 bits, a unit above 0xFFFF is
// not its low 16 bits.
TEST(WideSearch, ComparesUnitsAbove0xFFFFWhole) {
  if (sizeof(wchar_t) <= 2) GTEST_SKIP() << "wchar_t holds 16 bits here";
  const wchar_t high = static_cast<wchar_t>(0x10041);  // low 16 bits: 'A'
  std::vector<wchar_t> source = {high, L'A', L'b', high, L'c', 0};
  CMathOperation math;
  EXPECT_EQ(math.FindCharposInStringW(source.data(), L'A'), 1);
  EXPECT_EQ(math.FindCharposInStringW(source.data(), high), 0);
  EXPECT_EQ(math.FindCharposInStringW(source.data(), static_cast<wchar_t>(0x0041 + 0x20000)), -1);
  std::vector<wchar_t> ab = {L'A', L'b', 0};
  EXPECT_EQ(math.FindSubStringStartPosW(source.data(), ab.data()), 1);
  std::vector<wchar_t> highC = {high, L'c', 0};
  EXPECT_EQ(math.FindSubStringStartPosW(source.data(), highC.data()), 3);
  std::vector<wchar_t> ac = {L'A', L'c', 0};
  EXPECT_EQ(math.FindSubStringStartPosW(source.data(), ac.data()), -1);
}

// The fast scans of narrow and wide texts must agree with the plain loop at every length.
TYPED_TEST(FindCharposTest, ScanPrimitivesStopAtTheLimitAndTheTerminator) {
  for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 63u, 64u, 65u, 300u}) {
    auto text = Units<TypeParam>(std::string(length, 'q'));
    for (std::size_t limit : {std::size_t(0), length / 2, length, length + 1}) {
      EXPECT_EQ(corvix::UnitLengthBounded(text.data(), limit), std::min(length, limit));
    }
    if (length == 0) continue;
    text[length - 1] = TypeParam('z');
    EXPECT_EQ(corvix::text::FindUnit(text.data(), length, TypeParam('z')), &text[length - 1]);
    EXPECT_EQ(corvix::text::FindUnit(text.data(), length - 1, TypeParam('z')), nullptr);
    // The one-pass scan stops at the unit, at the terminator or at the limit.
    EXPECT_EQ(corvix::text::FirstOrEnd(text.data(), length + 5, TypeParam('z')), length - 1);
    EXPECT_EQ(corvix::text::FirstOrEnd(text.data(), length + 5, TypeParam('y')), length);
    EXPECT_EQ(corvix::text::FirstOrEnd(text.data(), length - 1, TypeParam('z')), length - 1);
    EXPECT_EQ(corvix::text::FirstOrEnd(text.data(), length / 2, TypeParam('y')), length / 2);
  }
}

}  // namespace

// Editing a string where it lies: insert, remove every occurrence, remove a range, replace.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::CanaryBuffer;
using corvix_test::FlavourNames;
using corvix_test::Narrow;
using corvix_test::NarrowAndUnits;
using corvix_test::U;
using corvix_test::Units;
using corvix_test::flavour::Insert;
using corvix_test::flavour::RemoveChar;
using corvix_test::flavour::RemoveRange;
using corvix_test::flavour::Replace;

// A buffer of exactly `capacity` units holding `text`, with canaries after it.
template <class Unit>
CanaryBuffer<Unit> Holding(const std::string& text, std::size_t capacity) {
  CanaryBuffer<Unit> buffer(capacity);
  const auto units = Units<Unit>(text);
  std::copy(units.begin(), units.end(), buffer.data());
  return buffer;
}

template <class Unit>
class InsertTest : public ::testing::Test {};
template <class Unit>
class RemoveReplaceTest : public ::testing::Test {};
TYPED_TEST_SUITE(InsertTest, AllFlavours, FlavourNames);
TYPED_TEST_SUITE(RemoveReplaceTest, NarrowAndUnits, FlavourNames);  // no wide overloads

TYPED_TEST(InsertTest, InsertsAndMovesTheRestRight) {
  struct Case {
    const char* text;
    long position;
    char unit;
    const char* expected;
  } const cases[] = {
      {"1234", 1, ',', "1,234"},
      {"12", 0, '0', "012"},
      {"1234", 4, 'x', "1234x"},
      {"", 0, 'a', "a"},
      {"abc", -1, 'x', "abc"},
      {"abc", 4, 'x', "abc"},
      {"ab", 1, '\xE9',
       "a\xE9"
       "b"},
  };
  for (const Case& c : cases) {
    const std::size_t length = std::string(c.text).size();
    auto buffer = Holding<TypeParam>(c.text, length + 2);  // the room an insertion needs
    Insert(buffer.data(), c.position, U<TypeParam>(c.unit));
    EXPECT_EQ(Narrow(buffer.data()), c.expected) << c.text << " @" << c.position;
    EXPECT_TRUE(buffer.CanariesIntact()) << c.text << " @" << c.position;
  }
  Insert(static_cast<TypeParam*>(nullptr), 0, U<TypeParam>('a'));  // not written
}

TYPED_TEST(RemoveReplaceTest, RemovesEveryOccurrence) {
  struct Case {
    const char* text;
    char unit;
    const char* expected;
  } const cases[] = {
      {"1.5E+03", '+', "1.5E03"},
      {"a,,b", ',', "ab"},
      {",a,", ',', "a"},
      {"aaa", 'a', ""},
      {"", 'a', ""},
      {"abc", 'x', "abc"},
      {"abc", '\0', "abc"},
      {"\xE9x\xE9", '\xE9', "x"},
  };
  for (const Case& c : cases) {
    auto text = Units<TypeParam>(c.text);
    RemoveChar(text.data(), U<TypeParam>(c.unit));
    EXPECT_EQ(Narrow(text.data()), c.expected) << c.text;
  }
  RemoveChar(static_cast<TypeParam*>(nullptr), U<TypeParam>('a'));
}

TYPED_TEST(RemoveReplaceTest, RemovesARange) {
  struct Case {
    int start;
    int count;
    const char* expected;
  } const cases[] = {
      {1, 2, "adef"},   {4, 5, "abcd"},    {0, 6, ""},        {5, 1, "abcde"},
      {0, 1, "bcdef"},  {6, 1, "abcdef"},  {9, 1, "abcdef"},  {-1, 2, "abcdef"},
      {0, 0, "abcdef"}, {2, -1, "abcdef"}, {1, INT_MAX, "a"},
  };
  for (const Case& c : cases) {
    auto text = Units<TypeParam>("abcdef");
    RemoveRange(text.data(), c.start, c.count);
    EXPECT_EQ(Narrow(text.data()), c.expected) << c.start << "," << c.count;
  }
  auto empty = Units<TypeParam>("");
  RemoveRange(empty.data(), 0, 1);
  EXPECT_EQ(empty[0], TypeParam(0));
  RemoveRange(static_cast<TypeParam*>(nullptr), 0, 1);
}

TYPED_TEST(RemoveReplaceTest, ReplacesEveryOccurrence) {
  struct Case {
    const char* text;
    char find;
    char replacement;
    const char* expected;
  } const cases[] = {
      {"a.b.c", '.', ',', "a,b,c"}, {"abc", 'x', 'y', "abc"},          {"", 'a', 'b', ""},
      {"abc", '\0', 'x', "abc"},    {"\xE9t\xE9", '\xE9', 'e', "ete"},
  };
  for (const Case& c : cases) {
    auto text = Units<TypeParam>(c.text);
    Replace(text.data(), U<TypeParam>(c.find), U<TypeParam>(c.replacement));
    EXPECT_EQ(Narrow(text.data()), c.expected) << c.text;
  }
  Replace(static_cast<TypeParam*>(nullptr), U<TypeParam>('a'), U<TypeParam>('b'));
}

TYPED_TEST(RemoveReplaceTest, ReplacingBySeparatorLeavesTerminatedPieces) {
  auto text = Units<TypeParam>("a,b,c");
  Replace(text.data(), U<TypeParam>(','), TypeParam(0));
  const std::vector<TypeParam> expected = {U<TypeParam>('a'), 0, U<TypeParam>('b'), 0,
                                           U<TypeParam>('c'), 0};
  EXPECT_EQ(text, expected);
}

}  // namespace

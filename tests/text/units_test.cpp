// Copy, length, comparison and number text of 16-bit unit strings.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;
using corvix_test::Narrow;
using corvix_test::Units;
using Text = std::vector<unsigned short>;

TEST(UnitCopy, CopiesWhatFitsAndRefusesTheRest) {
  struct Case {
    std::string source;
    unsigned int capacity;
    bool written;
  } const cases[] = {
      {"abc", 4, true},  // one shorter than the capacity: fits with its terminator
      {"abc", 9, true},    {"", 1, true},
      {"abcd", 4, false},  // as long as the capacity: no room for the terminator
      {"abcde", 4, false}, {"", 0, false},
  };
  for (const Case& c : cases) {
    CanaryBuffer<unsigned short> destination(c.capacity);
    const Text before = destination.Contents();
    Text source = Units<unsigned short>(c.source);
    CMathOperation().Copy(destination.data(), source.data(), c.capacity);
    if (c.written)
      EXPECT_EQ(Narrow(destination.data()), c.source) << c.source << "/" << c.capacity;
    else
      EXPECT_EQ(destination.Contents(), before) << c.source << "/" << c.capacity;
    EXPECT_TRUE(destination.CanariesIntact()) << c.source << "/" << c.capacity;
  }
}

TEST(UnitCopy, NullSourceIsEmptyAndNullDestinationIsNotWritten) {
  CanaryBuffer<unsigned short> destination(4);
  CMathOperation().Copy(destination.data(), nullptr, 4);
  EXPECT_EQ(destination.data()[0], 0);
  Text source = Units<unsigned short>("abc");
  CMathOperation().Copy(nullptr, source.data(), 4);
}

TEST(UnitLen, CountsUnitsBeforeTheTerminator) {
  const std::pair<std::string, long> cases[] = {
      {"", 0}, {"a", 1}, {"abc\xE9", 4}, {std::string(3000, 'x'), 3000}};
  for (const auto& c : cases) {
    Text text = Units<unsigned short>(c.first);
    EXPECT_EQ(CMathOperation().Len(text.data()), c.second);
  }
  EXPECT_EQ(CMathOperation().Len(nullptr), 0);
}

TEST(UnitCompare, OrdersByUnsignedUnits) {
  struct Case {
    Text first;
    Text second;
    long expected;
  } const cases[] = {
      {Units<unsigned short>("abc"), Units<unsigned short>("abd"), -1},
      {Units<unsigned short>("abd"), Units<unsigned short>("abc"), 1},
      {Units<unsigned short>("ab"), Units<unsigned short>("abc"), -1},
      {Units<unsigned short>("abc"), Units<unsigned short>("ab"), 1},
      {Units<unsigned short>(""), Units<unsigned short>(""), 0},
      {Units<unsigned short>("abc"), Units<unsigned short>("abc"), 0},
      {{0x00E9, 0}, {0x0041, 0}, 1},
      {{0x0041, 0}, {0xFFFF, 0}, -1},  // the high unit is large, not negative
  };
  for (const Case& c : cases) {
    Text first = c.first;
    Text second = c.second;
    EXPECT_EQ(CMathOperation().Compare(first.data(), second.data()), c.expected)
        << Narrow(first.data()) << " vs " << Narrow(second.data());
  }
  Text text = Units<unsigned short>("a");
  EXPECT_EQ(CMathOperation().Compare(nullptr, text.data()), -1);
  EXPECT_EQ(CMathOperation().Compare(nullptr, nullptr), 0);
}

TEST(UnitLongToWChar, WritesTheDecimalText) {
  const std::pair<long, std::string> cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {1234567, "1234567"},
      {2147483647, "2147483647"},
      {-2147483647L - 1, "-2147483648"},
  };
  for (const auto& c : cases) {
    CanaryBuffer<unsigned short> destination(12);  // holds every value
    CMathOperation().LongToWChar(c.first, destination.data(), 12);
    EXPECT_EQ(Narrow(destination.data()), c.second);
    EXPECT_TRUE(destination.CanariesIntact());
  }
}

// A host whose long is wider than 32 bits gets the text of the 32-bit value, never more than
// 11 units; where long is 32 bits the casts below wrap to those same values.
TEST(UnitLongToWChar, WritesThe32BitValueOfAWiderLong) {
  const std::pair<long long, std::string> cases[] = {
      {4294967296LL + 5, "5"},
      {2147483648LL, "-2147483648"},
      {-2147483649LL, "2147483647"},
      {-4294967296LL - 7, "-7"},
  };
  for (const auto& c : cases) {
    CanaryBuffer<unsigned short> destination(12);
    CMathOperation().LongToWChar(static_cast<long>(c.first), destination.data(), 12);
    EXPECT_EQ(Narrow(destination.data()), c.second) << c.first;
    EXPECT_TRUE(destination.CanariesIntact()) << c.first;
  }
}

TEST(UnitLongToWChar, RefusesATextThatDoesNotFit) {
  struct Case {
    long value;
    unsigned int capacity;
    bool written;
  } const cases[] = {{-2147483647L - 1, 12, true},
                     {-2147483647L - 1, 11, false},
                     {123, 4, true},
                     {123, 3, false},
                     {5, 0, false}};
  for (const Case& c : cases) {
    CanaryBuffer<unsigned short> destination(c.capacity);
    const Text before = destination.Contents();
    CMathOperation().LongToWChar(c.value, destination.data(), c.capacity);
    if (c.written)
      EXPECT_EQ(Narrow(destination.data()), std::to_string(c.value));
    else
      EXPECT_EQ(destination.Contents(), before) << c.value << "/" << c.capacity;
    EXPECT_TRUE(destination.CanariesIntact()) << c.value << "/" << c.capacity;
  }
  CMathOperation().LongToWChar(1, nullptr, 12);
}

}  // namespace

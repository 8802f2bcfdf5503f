// The 32-bit integer reads and words of 32-bit Windows, where `long` and `int` are 32 bits.
#include <gtest/gtest.h>

#include "frame/internal/int32.h"
#include "support/test_units.h"

namespace {

struct ParseCase {
  const char* text;
  long expected;
};

const ParseCase kParseCases[] = {
    {"", 0},
    {"abc", 0},
    {"42", 42},
    {"  \t\n-17xyz", -17},
    {"+8", 8},
    {"- 5", 0},
    {"2147483647", 2147483647L},
    {"2147483648", 2147483647L},
    {"-2147483648", -2147483647L - 1},
    {"-2147483649", -2147483647L - 1},
    {"99999999999999999999999", 2147483647L},
    {"0000000000000000000012", 12},
};

template <class Unit>
void ExpectParses() {
  for (const ParseCase& c : kParseCases) {
    const auto units = corvix_test::Units<Unit>(c.text);
    EXPECT_EQ(corvix::ParseLong32(units.data()), c.expected) << c.text;
  }
}

TEST(ParseLong32, SaturatesAtThe32BitLimitsInEveryFlavour) {
  ExpectParses<char>();
  ExpectParses<unsigned short>();
  ExpectParses<wchar_t>();
  EXPECT_EQ(corvix::ParseLong32<char>(nullptr), 0);
}

TEST(LongFromBits, SetsBit31AsTheSign) {
  EXPECT_EQ(corvix::LongFromBits(0xFFFFFFFFu), -1);
  EXPECT_EQ(corvix::LongFromBits(0x80000000u), -2147483647L - 1);
  EXPECT_EQ(corvix::LongFromBits(0x7FFFFFFFu), 2147483647L);
}

}  // namespace

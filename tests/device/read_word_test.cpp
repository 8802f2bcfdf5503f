// The packed read word and the list search.
#include <gtest/gtest.h>

#include <climits>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

struct BuildCase {
  long first, second, third;
  char letter;
  long flag;
  long word;
  long fields[5];  // what selectors 0 to 4 give back
};

const BuildCase kBuilds[] = {
    {0, 0, 0, 'A', 0, 0x0, {0, 0, 0, 0, 0}},
    {0, 0, 0, 'Z', 0, 0x190000, {0, 0, 0, 25, 0}},
    {0, 0, 0, 'a', 0, 0x1A0000, {0, 0, 0, 26, 0}},
    {0, 0, 0, 'z', 0, 0x330000, {0, 0, 0, 51, 0}},
    {5, CORVIXMATH_MISSING_VALUE, CORVIXMATH_MISSING_VALUE, 'C', 0, 0x2079B, {5, 15, 1, 2, 1}},
    {1, 2, 3, 'b', CORVIXMATH_MISSING_VALUE, 0x1B0133, {1, 2, 3, 27, 1}},
    // Bytes above 0x7F are negative codes that fill the upper half of the word.
    {0, 0, 0, '\xFF', 0, -65536L, {0, 0, 0, -1, 0}},
    {0, 0, 0, '\x80', 0, -128L * 65536, {0, 0, 0, -128, 0}},
    {7, 31, 7, '\x80', 1, -128L * 65536 + 0xFFF, {7, 31, 7, -128, 1}},
    // Characters other than letters keep their value, so '0' and 'w' share 48.
    {0, 0, 0, '0', 0, 48L * 65536, {0, 0, 0, 48, 0}},
    {0, 0, 0, 'w', 0, 48L * 65536, {0, 0, 0, 48, 0}},
    {0, 0, 0, '\x7F', 0, 127L * 65536, {0, 0, 0, 127, 0}},
    {0, 0, 0, '@', 0, 64L * 65536, {0, 0, 0, 64, 0}},
    // The flag is the lowest bit; out-of-range fields are masked.
    {0, 0, 0, 'A', 2, 0x0, {0, 0, 0, 0, 0}},
    {0, 0, 0, 'A', 3, 0x1, {0, 0, 0, 0, 1}},
    {9, 0, 0, 'A', 0, 0x2, {1, 0, 0, 0, 0}},
    {0, -1, 0, 'A', 0, 31 << 7, {0, 31, 0, 0, 0}},
    {0, 0, -1, 'A', 0, 7 << 4, {0, 0, 7, 0, 0}},
    // -999 has no meaning for the first field: it is masked like any number.
    {CORVIXMATH_MISSING_VALUE, 0, 0, 'A', 0, 0x2, {1, 0, 0, 0, 0}},
    // A missing third field does not force the flag; only a missing second field does.
    {0, 0, CORVIXMATH_MISSING_VALUE, 'A', 0, 0x10, {0, 0, 1, 0, 0}},
#if LONG_MAX > 2147483647L  // such an argument exists only where long is wider than 32 bits
    // Only the 32-bit value of an argument counts: 2^32 - 999 is -999.
    {0, 4294966297L, 0, 'A', 0, 0x781, {0, 15, 0, 0, 1}},
#endif
};

TEST(ReadWord, PacksTheFieldsAndGivesThemBack) {
  CMathOperation math;
  for (const BuildCase& c : kBuilds) {
    const long word = math.BuildReadResultState(c.first, c.second, c.third, c.letter, c.flag);
    EXPECT_EQ(word, c.word) << c.first << " " << c.second << " " << c.third << " " << int(c.letter)
                            << " " << c.flag;
    for (long selector = 0; selector < 5; ++selector)
      EXPECT_EQ(math.ExtractFromReadRequest(selector, word), c.fields[selector])
          << "selector " << selector << " of " << word;
  }
}

// Every letter byte from 0x80 up is its signed value on 32-bit Windows (0x80 is -128,
// 0xFF is -1), whatever the signedness of char here, and comes back from the word as such.
TEST(ReadWord, EveryHighLetterByteIsANegativeCode) {
  CMathOperation math;
  for (char byte : corvix_test::HighBytes()) {
    const long code = static_cast<long>(static_cast<unsigned char>(byte)) - 256;
    const long word = math.BuildReadResultState(7, 31, 7, byte, 1);
    EXPECT_EQ(word, code * 65536 + 0xFFF) << corvix_test::Hex(byte);
    EXPECT_EQ(math.ExtractFromReadRequest(3, word), code) << corvix_test::Hex(byte);
    EXPECT_EQ(math.ExtractFromReadRequest(1, word), 31) << corvix_test::Hex(byte);
  }
}

TEST(ReadWord, AnUnknownSelectorGivesTheMissingValue) {
  CMathOperation math;
  const long selectors[] = {-1, 5, 100, CORVIXMATH_MISSING_VALUE};
  const long words[] = {0, -1, 0x2079B};
  for (long selector : selectors)
    for (long word : words)
      EXPECT_EQ(math.ExtractFromReadRequest(selector, word), CORVIXMATH_MISSING_VALUE);
}

TEST(ReadWord, ReadsOnlyThe32BitWord) {
  CMathOperation math;
  // Bits above 31 of a host long are not part of the word.
  EXPECT_EQ(math.ExtractFromReadRequest(3, 0xFFFF0000L), -1);
  EXPECT_EQ(math.ExtractFromReadRequest(3, 0x7FFF0000L), 0x7FFF);
  EXPECT_EQ(math.ExtractFromReadRequest(1, 0x0000000F80L), 31);
}

struct ListCase {
  long value;
  long count;
  long expected;
};

TEST(LongList, FindsTheFirstEqualElementAmongThoseCounted) {
  CMathOperation math;
  long list[] = {7, -3, 7, 2147483647L, -2147483647L - 1, 9};
  const ListCase cases[] = {
    {7, 6, 0},
    {-3, 6, 1},
    {9, 6, 5},
    {9, 5, -1},
    {8, 6, -1},
    {7, 0, -1},
    {7, -1, -1},
    {2147483647L, 6, 3},
    {-2147483647L - 1, 6, 4},
#if LONG_MAX > 2147483647L  // such an argument exists only where long is wider than 32 bits
    // 2^32 + 7 is 7 on the 32-bit platform.
    {4294967303L, 6, 0},
    // A count of 2^32 is 0 there: no element is read.
    {7, 4294967296L, -1},
#endif
  };
  for (const ListCase& c : cases)
    EXPECT_EQ(math.LongExistInList(c.value, list, c.count), c.expected)
        << c.value << " in " << c.count;
}

TEST(LongList, ReadsNoElementForAnEmptyCountOrANullList) {
  CMathOperation math;
  EXPECT_EQ(math.LongExistInList(0, nullptr, 0), -1);
  EXPECT_EQ(math.LongExistInList(0, nullptr, -5), -1);
  EXPECT_EQ(math.LongExistInList(0, nullptr, 3), -1);
}

}  // namespace

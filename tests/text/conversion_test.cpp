// Narrow and 16-bit conversions, the digit-array text and its two detectors.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;
using corvix_test::Units;
using UnitVector = std::vector<unsigned short>;

// The digit-array text the encoder must produce, built independently of the library.
template <class Unit>
std::string ExpectedDigitArray(const std::vector<Unit>& units) {
  std::string text = "UniCode(";
  for (std::size_t i = 0; units[i] != Unit(0); ++i) {
    text += std::to_string(
        static_cast<unsigned long>(static_cast<std::make_unsigned_t<Unit>>(units[i])));
    text += ",";
  }
  return text + ")";
}

struct EncodeCase {
  std::string source;  // one unit per byte, bytes taken as unsigned
  long capacity;
  long expectedResult;
  const char* expectedText;  // null: destination untouched
};

const EncodeCase kEncodeCases[] = {
    {"AB", 64, 1, "UniCode(65,66,)"},
    {"AB", 16, 1, "UniCode(65,66,)"},  // 15 characters and the terminator
    {"AB", 15, 0, nullptr},            // exactly as long as the capacity: refused, never cut
    {"AB", 14, 0, nullptr},
    {"AB", 0, 0, nullptr},
    {"", 10, 1, "UniCode()"},
    {"", 9, 0, nullptr},
    {"\xE9", 32, 1, "UniCode(233,)"},  // the byte is unsigned, not -23
    {"A\x7F\x80", 32, 1, "UniCode(65,127,128,)"},
};

template <class Unit>
void ExpectEncodes() {
  CMathOperation math;
  for (const EncodeCase& c : kEncodeCases) {
    auto source = Units<Unit>(c.source);
    const std::size_t bufferUnits = c.capacity > 0 ? static_cast<std::size_t>(c.capacity) : 0;
    CanaryBuffer<char> destination(bufferUnits);
    const auto before = destination.Contents();
    EXPECT_EQ(math.UnicodeStringToDigitArray(source.data(), destination.data(), c.capacity),
              c.expectedResult)
        << c.source << " capacity " << c.capacity;
    if (c.expectedText != nullptr) {
      EXPECT_STREQ(destination.data(), c.expectedText) << c.source;
    } else {
      EXPECT_EQ(destination.Contents(), before) << c.source << " capacity " << c.capacity;
    }
    EXPECT_TRUE(destination.CanariesIntact()) << c.source << " capacity " << c.capacity;
  }
}

TEST(UnicodeStringToDigitArray, EncodesEveryUnitAsUnsignedDecimalAndRefusesWhatDoesNotFit) {
  ExpectEncodes<char>();
  ExpectEncodes<unsigned short>();
}

TEST(UnicodeStringToDigitArray, EncodesFullSixteenBitUnits) {
  CMathOperation math;
  UnitVector source = {0x0633, 0x0644, 0xFFFF, 0};
  char destination[64];
  EXPECT_EQ(math.UnicodeStringToDigitArray(source.data(), destination, 64), 1);
  EXPECT_STREQ(destination, "UniCode(1587,1604,65535,)");
}

// Around the 1023-character limit of the text itself, with a destination large enough.
TEST(UnicodeStringToDigitArray, RefusesATextLongerThan1023Characters) {
  CMathOperation math;
  struct LimitCase {
    std::string narrowSource;
    std::size_t maxUnitCount;  // units of 0xFFFF ("65535," each) for the unit flavour
    bool delivered;
  };
  const LimitCase cases[] = {
      {std::string(253, '\xE9') + "\x07", 169, true},       // exactly 1023 characters
      {std::string(253, '\xE9') + "A", 170, false},         // 1024 (narrow) / 1029 (units)
      {std::string(253, '\xE9') + "\x07\x07", 170, false},  // 1025
  };
  for (const LimitCase& c : cases) {
    auto narrow = Units<char>(c.narrowSource);
    UnitVector units(c.maxUnitCount, 0xFFFF);
    units.push_back(0);
    const std::string expectedNarrow = ExpectedDigitArray(narrow);
    const std::string expectedUnits = ExpectedDigitArray(units);

    CanaryBuffer<char> narrowOut(CORVIXMATH_TEXT_UNITS);
    const auto narrowBefore = narrowOut.Contents();
    EXPECT_EQ(math.UnicodeStringToDigitArray(narrow.data(), narrowOut.data(), 2048),
              c.delivered ? 1 : 0)
        << expectedNarrow.size();
    if (c.delivered) {
      EXPECT_EQ(expectedNarrow.size(), 1023u);
      EXPECT_EQ(std::string(narrowOut.data()), expectedNarrow);
    } else {
      EXPECT_EQ(narrowOut.Contents(), narrowBefore);
    }

    CanaryBuffer<char> unitOut(CORVIXMATH_TEXT_UNITS);
    const auto unitBefore = unitOut.Contents();
    EXPECT_EQ(math.UnicodeStringToDigitArray(units.data(), unitOut.data(), 2048),
              c.delivered ? 1 : 0)
        << expectedUnits.size();
    if (c.delivered) {
      EXPECT_EQ(expectedUnits.size(), 1023u);
      EXPECT_EQ(std::string(unitOut.data()), expectedUnits);
    } else {
      EXPECT_EQ(unitOut.Contents(), unitBefore);
    }
  }
}

TEST(UnicodeStringToDigitArray, ReadsCapacityAsAnUnsigned32BitCount) {
  CMathOperation math;
  char source[] = "AB";
  CanaryBuffer<char> destination(64);
  EXPECT_EQ(math.UnicodeStringToDigitArray(source, destination.data(), -1), 1);
  EXPECT_STREQ(destination.data(), "UniCode(65,66,)");
  EXPECT_TRUE(destination.CanariesIntact());
}

TEST(UnicodeStringToDigitArray, NullSourceIsEmptyAndNullDestinationIsRefused) {
  CMathOperation math;
  char destination[16];
  EXPECT_EQ(math.UnicodeStringToDigitArray(static_cast<char*>(nullptr), destination, 16), 1);
  EXPECT_STREQ(destination, "UniCode()");
  char source[] = "AB";
  EXPECT_EQ(math.UnicodeStringToDigitArray(source, nullptr, 64), 0);
}

struct DecodeCase {
  const char* text;
  long flags;
  UnitVector expectedUnits;   // every unit written, terminator included
  std::string expectedBytes;  // the narrow output, terminator included
};

const DecodeCase kDecodeCases[] = {
    {"UniCode(65,66,)", 0, {65, 66, 0}, std::string("AB\0", 3)},
    {"UniCode(65,66)", 0, {65, 0}, std::string("A\0", 2)},  // a value without its comma is lost
    {"65,66,", 0, {65, 66, 0}, std::string("AB\0", 3)},
    {"6a5,", 0, {5, 0}, std::string("\x05\0", 2)},
    {"-5,", 0, {5, 0}, std::string("\x05\0", 2)},
    {",65,", 0, {0, 65, 0}, std::string("\0A\0", 3)},  // an empty number stores 0
    {"", 0, {0}, std::string("\0", 1)},
    {"UniCode()", 0, {0}, std::string("\0", 1)},
    {"UniCode(1587,)", 0, {1587, 0}, std::string("\x33\0", 2)},
    {"UniCode(200,65,)",
     4,
     {0xFFC8, 0x0041, 0},
     std::string("\xC8"
                 "A\0",
                 3)},
    {"UniCode(200,)", ~4L, {200, 0}, std::string("\xC8\0", 2)},  // only bit 4 is read
    {"UniCode(65601,)", 0, {0x0041, 0}, std::string("A\0", 2)},  // low 16 bits
    // A number of more than 11 digits keeps its last 11, read as atoi reads them.
    {"100000000065,", 0, {65, 0}, std::string("A\0", 2)},
    {"99999999999999,", 0, {0xFFFF, 0}, std::string("\xFF\0", 2)},
};

TEST(DigitArrayToUnicodeString, StoresEveryNumberThatACommaEnds) {
  CMathOperation math;
  for (const DecodeCase& c : kDecodeCases) {
    std::string text = c.text;
    CanaryBuffer<unsigned short> units(c.expectedUnits.size());
    math.DigitArrayToUnicodeString(text.data(), units.data(), c.flags);
    EXPECT_EQ(units.Contents(), c.expectedUnits) << c.text;
    EXPECT_TRUE(units.CanariesIntact()) << c.text;

    CanaryBuffer<char> bytes(c.expectedBytes.size());
    math.DigitArrayToUnicodeString(text.data(), bytes.data(), c.flags);
    const auto written = bytes.Contents();
    EXPECT_EQ(std::string(written.begin(), written.end()), c.expectedBytes) << c.text;
    EXPECT_TRUE(bytes.CanariesIntact()) << c.text;
  }
}

TEST(DigitArrayToUnicodeString, RoundTripsTheEncoder) {
  CMathOperation math;
  UnitVector source = {0x0633, 0x0644, 0x0041, 0xFFFF, 0};
  char text[64];
  ASSERT_EQ(math.UnicodeStringToDigitArray(source.data(), text, 64), 1);
  UnitVector decoded(source.size(), 0x5A5A);
  math.DigitArrayToUnicodeString(text, decoded.data(), 0);
  EXPECT_EQ(decoded, source);
}

TEST(DigitArrayToUnicodeString, NullTextDecodesAsEmptyAndNullDestinationIsNotWritten) {
  CMathOperation math;
  unsigned short units[2] = {7, 7};
  math.DigitArrayToUnicodeString(nullptr, units, 0);
  EXPECT_EQ(units[0], 0);
  EXPECT_EQ(units[1], 7);
  char text[] = "65,";
  math.DigitArrayToUnicodeString(text, static_cast<unsigned short*>(nullptr), 0);
  math.DigitArrayToUnicodeString(text, static_cast<char*>(nullptr), 0);
}

TEST(IsUniCodeString, NeedsThePrefixAndTheClosingParenthesis) {
  CMathOperation math;
  struct Case {
    std::string text;
    long expected;
  };
  const Case cases[] = {
      {"UniCode()", 1},
      {"UniCode(65,66,)", 1},
      {"UniCode(65,", 0},
      {"unicode(65,)", 0},
      {"UniCode(", 0},
      {"UniCode", 0},
      {"", 0},
      {" UniCode()", 0},
      // Only the first 1023 characters are looked at.
      {"UniCode(" + std::string(1014, '1') + ")", 1},  // ')' at position 1022
      {"UniCode(" + std::string(1015, '1') + ")", 0},  // ')' at position 1023
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(math.IsUniCodeString(text.data()), c.expected) << c.text.substr(0, 20);
  }
  EXPECT_EQ(math.IsUniCodeString(nullptr), 0);
}

TEST(ContainUnicodeChar, FindsAnyByteFrom0x80Up) {
  CMathOperation math;
  struct Case {
    std::string text;
    long expected;
  };
  const Case cases[] = {
      {"abc", 0},
      {"ab\xC7", 1},
      {"", 0},
      {"\x7F", 0},
      {"\x80", 1},
      {"\xFF"
       "abc",
       1},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(math.ContainUnicodeChar(text.data()), c.expected) << c.text;
  }
  EXPECT_EQ(math.ContainUnicodeChar(nullptr), 0);
}

TEST(CharArrayToWcharArray, WidensByZeroOrSignExtensionAndWritesLengthPlusOneUnits) {
  CMathOperation math;
  struct Case {
    std::string source;
    long flags;
    UnitVector expected;
  };
  const Case cases[] = {
      {"\xE9", 2, {0x00E9, 0}},
      {"\xE9", 0, {0xFFE9, 0}},
      {"\xE9", ~2L, {0xFFE9, 0}},  // only bit 2 is read
      {"A\x80\x7F", 0, {0x0041, 0xFF80, 0x007F, 0}},
      {"A\x80\x7F", 2, {0x0041, 0x0080, 0x007F, 0}},
  };
  for (const Case& c : cases) {
    std::string source = c.source;
    CanaryBuffer<unsigned short> destination(c.expected.size());
    math.CharArrayToWcharArray(source.data(), destination.data(), c.flags);
    EXPECT_EQ(destination.Contents(), c.expected) << c.source << " flags " << c.flags;
    EXPECT_TRUE(destination.CanariesIntact());
  }
}

TEST(CharArrayToWcharArray, EmptyOrNullSourceLeavesTheDestinationAsItWas) {
  CMathOperation math;
  char empty[] = "";
  CanaryBuffer<unsigned short> destination(4);
  const auto before = destination.Contents();
  math.CharArrayToWcharArray(empty, destination.data(), 0);
  math.CharArrayToWcharArray(nullptr, destination.data(), 2);
  EXPECT_EQ(destination.Contents(), before);
  char source[] = "A";
  math.CharArrayToWcharArray(source, nullptr, 0);
}

TEST(WCharArrayToCharArray, WritesLowBytesOrLittleEndianPairs) {
  CMathOperation math;
  struct Case {
    UnitVector source;
    long flags;
    std::string expected;  // every byte written
  };
  const Case cases[] = {
      {{0x0644, 0}, 1, std::string("\x44\0", 2)},
      {{0x0644, 0}, 0, std::string("\x44\x06\0\0", 4)},
      {{0x0644, 0}, ~1L, std::string("\x44\x06\0\0", 4)},  // only bit 1 is read
      {{0x0041, 0xFFE9, 0}, 1, std::string("A\xE9\0", 3)},
      {{0x0041, 0xFFE9, 0}, 0, std::string("A\0\xE9\xFF\0\0", 6)},
      {{0}, 1, std::string("\0", 1)},
      {{0}, 0, std::string("\0\0", 2)},
  };
  for (const Case& c : cases) {
    UnitVector source = c.source;
    CanaryBuffer<char> destination(c.expected.size());
    math.WCharArrayToCharArray(destination.data(), source.data(), c.flags);
    const auto written = destination.Contents();
    EXPECT_EQ(std::string(written.begin(), written.end()), c.expected) << "flags " << c.flags;
    EXPECT_TRUE(destination.CanariesIntact());
  }
}

TEST(WCharArrayToCharArray, NullSourceIsEmptyAndNullDestinationIsNotWritten) {
  CMathOperation math;
  CanaryBuffer<char> destination(2, 'x');
  math.WCharArrayToCharArray(destination.data(), nullptr, 0);
  const auto written = destination.Contents();
  EXPECT_EQ(std::string(written.begin(), written.end()), std::string("\0\0", 2));
  EXPECT_TRUE(destination.CanariesIntact());
  UnitVector source = {0x41, 0};
  math.WCharArrayToCharArray(nullptr, source.data(), 0);
}

}  // namespace

// Every character from 0x80 to 0xFF where the formatters and parsers take characters: the unit
// of an engineering text, the group separator, the price separator, the fill and text of
// StandardLen, and the engineering and hexadecimal texts read back. Plain char is signed on the
// 32-bit Windows and unsigned on ARM and IBM Z; the bytes are copied as they are, and none
// is a blank, a digit, a sign, a point or a scale letter on either.
#include <gtest/gtest.h>

#include <string>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;
using corvix_test::Hex;
using corvix_test::HighBytes;

constexpr unsigned char kAutoScale = 1;
constexpr unsigned char kNoDecimalsLimit = 255;

TEST(HighByteFormats, UnitsAndSeparatorsAreCopiedAsTheyAre) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    // A unit that ends in a high byte (0xA0 is the no-break space): only 0x20 is a blank.
    std::string unit = std::string(1, byte) + "C" + byte;
    CanaryBuffer<char> eng(32);
    ASSERT_EQ(math.DoubleToEngString(eng.data(), 12345.678, &unit[0], 4, 32, kAutoScale), 1)
        << Hex(byte);
    EXPECT_EQ(std::string(eng.data()), "12.34 K" + unit) << Hex(byte);

    char group[] = {byte, '\0'};
    CanaryBuffer<char> simple(32);
    ASSERT_EQ(
        math.DoubleToSimpleString(simple.data(), -1234567.891, 0, kNoDecimalsLimit, 0, group, 32),
        1)
        << Hex(byte);
    EXPECT_EQ(std::string(simple.data()), std::string("-1") + byte + "234" + byte + "567.891")
        << Hex(byte);

    CanaryBuffer<char> price(32);
    math.PriceToString(price.data(), 1234567.0, 32, 0, byte);
    EXPECT_EQ(std::string(price.data()), std::string("1") + byte + "234" + byte + "567")
        << Hex(byte);
    EXPECT_TRUE(eng.CanariesIntact() && simple.CanariesIntact() && price.CanariesIntact());
  }
}

TEST(HighByteFormats, StandardLenTakesNoHighByteForPartOfTheNumber) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    char text[8] = {'1', '2', '.', '5', byte, 'W', '\0', '\0'};
    math.StandardLen(text, 6, byte);
    EXPECT_EQ(std::string(text), std::string("12.5") + byte + byte) << Hex(byte);
    char leading[8] = {byte, '1', '2', '\0'};
    math.StandardLen(leading, 3, '0');
    EXPECT_EQ(std::string(leading), "000") << Hex(byte);
  }
}

TEST(HighByteFormats, ParsersTakeNoHighByteForADigitASignOrALetter) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    for (std::string text : {"12" + b, b + "12", "1" + b + "K", "12 " + b, "-" + b}) {
      EXPECT_EQ(math.EngStr2SimpleValue(&text[0]), -999.0) << Hex(byte) << " in " << text;
    }
    // Hexadecimal texts skip every character that is not a digit; 0xC1-0xC6 and 0xE1-0xE6
    // are 'A'-'F' and 'a'-'f' with the top bit set, and no digits.
    std::string hex = b + "F" + b + "f" + b;
    EXPECT_EQ(math.HexStringToDecimal(&hex[0]), 0xFF) << Hex(byte);
    std::string alone = b;
    EXPECT_EQ(math.HexStringToDecimal(&alone[0]), 0) << Hex(byte);
  }
}

}  // namespace

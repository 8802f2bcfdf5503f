// Every character from 0x80 to 0xFF in every text family that takes a character: search, trim,
// insert, remove, replace, extraction, paths and conversions. Plain char is signed on the
// 32-bit Windows and unsigned on ARM and IBM Z; these bytes must give the same result on
// both, and in the 16-bit and wide flavours the byte's unit (0x0080 to 0x00FF) must not be
// confused with the sign-extended one (0xFF80 to 0xFFFF).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::CanaryBuffer;
using corvix_test::FlavourNames;
using corvix_test::Hex;
using corvix_test::HighBytes;
using corvix_test::Narrow;
using corvix_test::NarrowAndUnits;
using corvix_test::NarrowAndWide;
using corvix_test::U;
using corvix_test::Units;
namespace flavour = corvix_test::flavour;

// The unit a byte would become if it were sign-extended: 0xE9 -> 0xFFE9.
template <class Unit>
Unit SignExtended(char byte) {
  return static_cast<Unit>(0xFF00u | static_cast<unsigned char>(byte));
}

// Another byte of the upper half, next to `byte`.
char Neighbour(char byte) {
  return static_cast<char>(static_cast<unsigned char>(byte) ^ 0x01u);
}

template <class Unit>
class HighUnitTest : public ::testing::Test {};
template <class Unit>
class HighUnitEditTest : public ::testing::Test {};
template <class Unit>
class HighUnitRunTest : public ::testing::Test {};
TYPED_TEST_SUITE(HighUnitTest, AllFlavours, FlavourNames);
TYPED_TEST_SUITE(HighUnitEditTest, NarrowAndUnits, FlavourNames);  // no wide overloads
TYPED_TEST_SUITE(HighUnitRunTest, NarrowAndWide, FlavourNames);    // no 16-bit overload

TYPED_TEST(HighUnitTest, SearchFindsEachByItsValueOnly) {
  for (char byte : HighBytes()) {
    auto source = Units<TypeParam>(std::string("ab") + byte + "c" + byte);
    EXPECT_EQ(flavour::FindChar(source.data(), U<TypeParam>(byte)), 2) << Hex(byte);
    EXPECT_EQ(flavour::FindChar(source.data(), U<TypeParam>(Neighbour(byte))), -1) << Hex(byte);
    EXPECT_EQ(flavour::FindChar(source.data(), TypeParam(0)), 5) << Hex(byte);
    if (sizeof(TypeParam) > 1) {
      // A unit whose low byte is the byte is another unit.
      source[2] = SignExtended<TypeParam>(byte);
      EXPECT_EQ(flavour::FindChar(source.data(), U<TypeParam>(byte)), 4) << Hex(byte);
      EXPECT_EQ(flavour::FindChar(source.data(), SignExtended<TypeParam>(byte)), 2) << Hex(byte);
    }
  }
}

TYPED_TEST(HighUnitRunTest, SubstringSearchComparesHighUnitsByValue) {
  for (char byte : HighBytes()) {
    const std::string text = std::string("x") + byte + "a" + byte + "b" + Neighbour(byte);
    auto source = Units<TypeParam>(text);
    auto run = Units<TypeParam>(std::string(1, byte) + "b");
    EXPECT_EQ(flavour::FindSub(source.data(), run.data()), 3) << Hex(byte);
    auto neighbourRun = Units<TypeParam>(std::string("b") + Neighbour(byte));
    EXPECT_EQ(flavour::FindSub(source.data(), neighbourRun.data()), 4) << Hex(byte);
    auto absent = Units<TypeParam>(std::string(1, Neighbour(byte)) + "a");
    EXPECT_EQ(flavour::FindSub(source.data(), absent.data()), -1) << Hex(byte);
  }
}

TYPED_TEST(HighUnitTest, TrimStripsOnlyTheRunOfThatByte) {
  for (char byte : HighBytes()) {
    const std::string text = std::string(2, byte) + "z" + Neighbour(byte) + byte;
    auto source = Units<TypeParam>(text);
    CanaryBuffer<TypeParam> left(16), right(16);
    EXPECT_EQ(flavour::TrimLeft(source.data(), left.data(), U<TypeParam>(byte), 16), 1);
    EXPECT_EQ(Narrow(left.data()), text.substr(2)) << Hex(byte);
    EXPECT_EQ(flavour::TrimRight(source.data(), right.data(), U<TypeParam>(byte), 16), 1);
    EXPECT_EQ(Narrow(right.data()), text.substr(0, 4)) << Hex(byte);
    // The neighbour starts no run at the left; the right end is not the neighbour.
    EXPECT_EQ(flavour::TrimLeft(source.data(), left.data(), U<TypeParam>(Neighbour(byte)), 16), 1);
    EXPECT_EQ(Narrow(left.data()), text) << Hex(byte);
    EXPECT_EQ(flavour::TrimRight(source.data(), right.data(), U<TypeParam>(Neighbour(byte)), 16),
              1);
    EXPECT_EQ(Narrow(right.data()), text) << Hex(byte);
    EXPECT_TRUE(left.CanariesIntact() && right.CanariesIntact()) << Hex(byte);
  }
}

TYPED_TEST(HighUnitTest, InsertPutsTheByteWhereAsked) {
  for (char byte : HighBytes()) {
    CanaryBuffer<TypeParam> text(5);
    const auto ab = Units<TypeParam>("ab");
    std::copy(ab.begin(), ab.end(), text.data());
    flavour::Insert(text.data(), 1, U<TypeParam>(byte));
    EXPECT_EQ(Narrow(text.data()), std::string("a") + byte + "b") << Hex(byte);
    EXPECT_EQ(text.data()[1], U<TypeParam>(byte)) << Hex(byte);
    EXPECT_TRUE(text.CanariesIntact()) << Hex(byte);
  }
}

TYPED_TEST(HighUnitEditTest, RemoveAndReplaceTouchOnlyThatByte) {
  for (char byte : HighBytes()) {
    const std::string text = std::string(1, byte) + "x" + Neighbour(byte) + byte + byte;
    auto removed = Units<TypeParam>(text);
    flavour::RemoveChar(removed.data(), U<TypeParam>(byte));
    EXPECT_EQ(Narrow(removed.data()), std::string("x") + Neighbour(byte)) << Hex(byte);

    auto replaced = Units<TypeParam>(text);
    flavour::Replace(replaced.data(), U<TypeParam>(byte), U<TypeParam>('e'));
    EXPECT_EQ(Narrow(replaced.data()), std::string("ex") + Neighbour(byte) + "ee") << Hex(byte);
    auto back = Units<TypeParam>("a.b");
    flavour::Replace(back.data(), U<TypeParam>('.'), U<TypeParam>(byte));
    EXPECT_EQ(Narrow(back.data()), std::string("a") + byte + "b") << Hex(byte);
  }
}

TYPED_TEST(HighUnitTest, ExtractionCutsAtTheByte) {
  for (char byte : HighBytes()) {
    auto source = Units<TypeParam>(std::string("12") + byte + "5" + byte + "9");
    CanaryBuffer<TypeParam> left(8);
    EXPECT_EQ(flavour::LeftBefore(source.data(), left.data(), U<TypeParam>(byte), 8), 1);
    EXPECT_EQ(Narrow(left.data()), "12") << Hex(byte);
    EXPECT_TRUE(left.CanariesIntact()) << Hex(byte);
    std::vector<TypeParam> right(2048);
    flavour::RightAfter(source.data(), right.data(), U<TypeParam>(byte));
    EXPECT_EQ(Narrow(right.data()), std::string("5") + byte + "9") << Hex(byte);
    flavour::RightAfter(source.data(), right.data(), U<TypeParam>(Neighbour(byte)));
    EXPECT_EQ(Narrow(right.data()), Narrow(source.data())) << Hex(byte);  // absent: all of it
  }
}

// Path components of high bytes, among them 0xDC, which is the backslash (0x5C) with its top
// bit set: only 0x5C separates.
template <class Unit>
void ExpectHighBytePaths() {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string directory = std::string("C:\\") + byte + "\\";
    const std::string name = std::string(2, byte) + ".txt";
    auto path = Units<Unit>(directory + name);
    std::vector<Unit> foundDirectory(260), foundName(64);
    EXPECT_EQ(
        math.ExtractPathAndName(path.data(), foundDirectory.data(), foundName.data(), 64, 260), 1)
        << Hex(byte);
    EXPECT_EQ(Narrow(foundName.data()), name) << Hex(byte);
    EXPECT_EQ(Narrow(foundDirectory.data()), directory) << Hex(byte);

    std::vector<Unit> climbed(260);
    math.RemoveDirFromPath(path.data(), climbed.data(), 1);
    EXPECT_EQ(Narrow(climbed.data()), directory) << Hex(byte);
    math.RemoveDirFromPath(path.data(), climbed.data(), 2);
    EXPECT_EQ(Narrow(climbed.data()), "C:\\") << Hex(byte);
  }
}

TEST(HighBytePaths, OnlyTheBackslashSeparates) {
  ExpectHighBytePaths<char>();
  ExpectHighBytePaths<wchar_t>();
}

// The narrow conversions: 0x0080-0x00FF with the zero-extension flag, the sign-extended unit
// of 32-bit Windows without it; the digit-array text carries the byte's unsigned value
// and brings the same byte back.
TEST(HighByteConversions, EveryByteConvertsAsOn32BitWindows) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const unsigned value = static_cast<unsigned char>(byte);
    char text[] = {'A', byte, '\0'};
    std::vector<unsigned short> units(3, 0x5A5A);
    math.CharArrayToWcharArray(text, units.data(), 0);
    EXPECT_EQ(units, (std::vector<unsigned short>{0x41, SignExtended<unsigned short>(byte), 0}))
        << Hex(byte);
    math.CharArrayToWcharArray(text, units.data(), 2);
    EXPECT_EQ(units, (std::vector<unsigned short>{0x41, static_cast<unsigned short>(value), 0}))
        << Hex(byte);

    char digits[32];
    ASSERT_EQ(math.UnicodeStringToDigitArray(text, digits, sizeof digits), 1) << Hex(byte);
    const std::string expected = "UniCode(65," + std::to_string(value) + ",)";
    EXPECT_STREQ(digits, expected.c_str());
    EXPECT_EQ(math.IsUniCodeString(digits), 1) << Hex(byte);
    char decoded[4] = {'#', '#', '#', '#'};
    math.DigitArrayToUnicodeString(digits, decoded, 0);
    EXPECT_EQ(std::string(decoded, 3), std::string(text, 3)) << Hex(byte);
    math.DigitArrayToUnicodeString(digits, units.data(), 4);  // the low byte sign-extended
    EXPECT_EQ(units[1], SignExtended<unsigned short>(byte)) << Hex(byte);
    math.DigitArrayToUnicodeString(digits, units.data(), 0);
    EXPECT_EQ(units[1], value) << Hex(byte);

    EXPECT_EQ(math.ContainUnicodeChar(text), 1) << Hex(byte);
    // A 16-bit unit whose low byte is the byte: that byte, then the high byte.
    unsigned short unit[] = {static_cast<unsigned short>(0x0600u | value), 0};
    char narrow[4] = {'#', '#', '#', '#'};
    math.WCharArrayToCharArray(narrow, unit, 0);
    EXPECT_EQ(std::string(narrow, 4), std::string({byte, '\x06', '\0', '\0'})) << Hex(byte);
    math.WCharArrayToCharArray(narrow, unit, 1);
    EXPECT_EQ(std::string(narrow, 2), std::string({byte, '\0'})) << Hex(byte);
  }
  char ascii[] = "\x01\x7F";
  EXPECT_EQ(math.ContainUnicodeChar(ascii), 0);
}

}  // namespace

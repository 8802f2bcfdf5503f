// Control identifiers, their conversion to the new form, and character classes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

struct IdentifierCase {
  const char* text;
  long narrow;  // the narrow overload
  long units;   // the unsigned short and wchar_t overloads
};

const IdentifierCase kIdentifierCases[] = {
    {"", 0, 0},
    {"AB12", 0, 0},
    {"AB123", 1, 1},
    {"ab000", 1, 1},
    {"aZ999", 1, 1},
    {"AB0123", 2, 2},
    {"Zz9999", 2, 2},
    {"zZ0000", 2, 2},
    {"AB12345", 3, 0},
    {"AB10000", 0, 0},
    {"AB10001", 3, 0},
    {"AB99999", 3, 0},
    {"AB00001", 0, 0},
    {"AB123456", 0, 0},
    {"ABC12345", 0, 0},
    {"A1234", 0, 0},
    {"1B234", 0, 0},
    {"AB12C", 0, 0},
    {"AB 12", 0, 0},
    {"ABC12", 0, 0},
    {"AB-12", 0, 0},
    {"AB+1234", 0, 0},
    {"AB 1234", 0, 0},
    {"@B123", 0, 0},  // the bytes next to the letter and digit ranges
    {"A[123", 0, 0},
    {"`b123", 0, 0},
    {"a{123", 0, 0},
    {"AB/23", 0, 0},
    {"AB12:", 0, 0},
    {"\xC7\xC8"
     "123",
     0, 0},  // Persian letters in the prefix
    {"A\xC8"
     "1234",
     0, 0},
    {"AB1\xB2"
     "3",
     0, 0},
};

template <class Unit>
long Identify(const char* text) {
  auto units = corvix_test::Units<Unit>(text);
  return CMathOperation().IsValidControlID(units.data());
}

TEST(IsValidControlID, RecognisesEachFormInEveryFlavour) {
  for (const IdentifierCase& c : kIdentifierCases) {
    EXPECT_EQ(Identify<char>(c.text), c.narrow) << "narrow '" << c.text << "'";
    EXPECT_EQ(Identify<unsigned short>(c.text), c.units) << "units '" << c.text << "'";
    EXPECT_EQ(Identify<wchar_t>(c.text), c.units) << "wide '" << c.text << "'";
  }
}

// 16-bit units outside ASCII are no letters or digits, even where their low byte would be.
template <class Unit>
void ExpectNonAsciiUnitsRejected() {
  struct UnitCase {
    std::size_t position;
    unsigned value;
  };
  const UnitCase cases[] = {
      {0, 0x0627},  // Arabic alef
      {1, 0x0141},  // low byte 'A'
      {1, 0x0161},  // low byte 'a'
      {3, 0x0131},  // low byte '1'
      {4, 0xFF10},  // fullwidth digit zero
  };
  for (const UnitCase& c : cases) {
    auto units = corvix_test::Units<Unit>("AB123");
    ASSERT_EQ(CMathOperation().IsValidControlID(units.data()), 1);
    units[c.position] = static_cast<Unit>(c.value);
    EXPECT_EQ(CMathOperation().IsValidControlID(units.data()), 0)
        << std::hex << c.value << " at " << c.position;
  }
}

TEST(IsValidControlID, RejectsUnitsOutsideAscii) {
  ExpectNonAsciiUnitsRejected<unsigned short>();
  ExpectNonAsciiUnitsRejected<wchar_t>();
}

// Where wchar_t is wider than 16 bits, a unit whose low 16 bits are an ASCII letter or digit
// is still neither: the wide check must not cut units to 16 bits.
TEST(IsValidControlID, WideUnitsAreNotCutToSixteenBits) {
  if (sizeof(wchar_t) <= 2) GTEST_SKIP() << "wchar_t holds 16 bits";
  const struct {
    const char* text;
    std::size_t position;
    unsigned long value;
  } cases[] = {
      {"AB123", 0, 0x10041},   // 'A' + 0x10000
      {"AB123", 1, 0x10062},   // 'b' + 0x10000
      {"AB0123", 5, 0x10033},  // '3' + 0x10000
  };
  for (const auto& c : cases) {
    auto units = corvix_test::Units<wchar_t>(c.text);
    ASSERT_NE(CMathOperation().IsValidControlID(units.data()), 0) << c.text;
    units[c.position] = static_cast<wchar_t>(c.value);
    EXPECT_EQ(CMathOperation().IsValidControlID(units.data()), 0)
        << c.text << ": " << std::hex << c.value << " at " << c.position;
  }
}

TEST(IsValidControlID, NullIsNoIdentifier) {
  CMathOperation math;
  math.CheckControlIDAndConvertToNewVersion(nullptr);  // must not fault
  EXPECT_EQ(math.IsValidControlID(static_cast<char*>(nullptr)), 0);
  EXPECT_EQ(math.IsValidControlID(static_cast<unsigned short*>(nullptr)), 0);
  EXPECT_EQ(math.IsValidControlID(static_cast<wchar_t*>(nullptr)), 0);
}

struct ConversionCase {
  const char* before;
  const char* after;
};

const ConversionCase kConversionCases[] = {
    {"AB123", "AB0123"},
    {"AB007", "AB0007"},
    {"ab999", "ab0999"},
    {"AB000", "AB0000"},
    {"ABxyz", "AB0000"},
    {"AB-12", "AB-012"},
    {"AB-99", "AB-099"},
    {"AB+12", "AB0012"},
    {"AB 12", "AB0012"},
    {"AB1x2", "AB0001"},
    {"12345", "120345"},
    // Texts of any other length stay as they are.
    {"AB0123", "AB0123"},
    {"", ""},
    {"AB12", "AB12"},
    {"AB1234567", "AB1234567"},
};

TEST(CheckControlIDAndConvertToNewVersion, ConvertsOnlyFiveCharacterTexts) {
  for (const ConversionCase& c : kConversionCases) {
    const std::size_t capacity =
        std::max<std::size_t>(corvix::kControlIdBytes, std::strlen(c.before) + 1);
    corvix_test::CanaryBuffer<char> identifier(capacity);
    std::strcpy(identifier.data(), c.before);
    CMathOperation().CheckControlIDAndConvertToNewVersion(identifier.data());
    EXPECT_STREQ(identifier.data(), c.after) << c.before;
    EXPECT_TRUE(identifier.CanariesIntact()) << c.before;
  }
}

// The buffer is assumed to hold 8 bytes and no more: the longest result fills 7 of them.
TEST(CheckControlIDAndConvertToNewVersion, WritesNoMoreThanEightBytes) {
  corvix_test::CanaryBuffer<char> identifier(corvix::kControlIdBytes);
  std::strcpy(identifier.data(), "AB-99");
  CMathOperation().CheckControlIDAndConvertToNewVersion(identifier.data());
  EXPECT_STREQ(identifier.data(), "AB-099");
  EXPECT_TRUE(identifier.CanariesIntact());
}

struct ClassCase {
  const char* text;
  long expected;
};

const ClassCase kClassCases[] = {
    {"", 0},
    {"Ab_1", 0x47},
    {"x+y", 0x12},
    {"A", 0x1},
    {"z", 0x2},
    {"(a)", 0xA},
    {"a*b/c-d+e", 0x12},
    {"a<b>c=d", 0x82},
    {"1.5", 0x24},
    {"\xC7\xC8\x81", 0x100},
    {"a b", 0x10000002},
    {" ", 0x10000000},
    {"\"'[]{}\\", 0x10000000},
    {"\t\x7F", 0x10000000},
    {"\x80\xFF\xC5\xE7", 0x10000000},  // bytes of the code page outside class 0x100
    {",?", 0x100},
    {"!~`@#$%^&;:|", 0x200},
    {"aaaa", 0x2},
    {"A1a1\xC7!\x80.", 0x10000327},
};

TEST(IsAlphaNumeric, ReturnsTheClassesPresent) {
  CMathOperation math;
  for (const ClassCase& c : kClassCases) {
    std::string text(c.text);
    EXPECT_EQ(math.IsAlphaNumeric(&text[0]), c.expected) << c.text;
  }
  EXPECT_EQ(math.IsAlphaNumeric(nullptr), 0);
}

// Every byte on its own sets exactly the one bit of its class. The 46 bytes of class 0x100,
// in numeric order.
const unsigned char kScriptBytes[] = {
    0x2C, 0x3F, 0x81, 0x8D, 0x8E, 0x90, 0x98, 0xA1, 0xAB, 0xBA, 0xBB, 0xBF, 0xC1, 0xC2, 0xC3, 0xC4,
    0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB, 0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5,
    0xD6, 0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE, 0xE1, 0xE3, 0xE4, 0xE5, 0xE6, 0xED,
};

long ExpectedClass(unsigned byte) {
  for (unsigned char script : kScriptBytes) {
    if (script == byte) return 0x100;
  }
  if (byte >= 'A' && byte <= 'Z') return 0x1;
  if (byte >= 'a' && byte <= 'z') return 0x2;
  if (byte >= '0' && byte <= '9') return 0x4;
  if (std::strchr("()", static_cast<int>(byte))) return 0x8;
  if (std::strchr("*/-+", static_cast<int>(byte))) return 0x10;
  if (byte == '.') return 0x20;
  if (byte == '_') return 0x40;
  if (std::strchr("<>=", static_cast<int>(byte))) return 0x80;
  if (std::strchr("!~`@#$%^&;:|", static_cast<int>(byte))) return 0x200;
  return 0x10000000;
}

TEST(IsAlphaNumeric, ClassifiesEveryByte) {
  ASSERT_EQ(sizeof kScriptBytes, 46u);
  CMathOperation math;
  int scriptBytesSeen = 0;
  for (unsigned byte = 1; byte < 256; ++byte) {
    char text[] = {static_cast<char>(byte), '\0'};
    const long found = math.IsAlphaNumeric(text);
    EXPECT_EQ(found, ExpectedClass(byte)) << "byte 0x" << std::hex << byte;
    if (found == 0x100) ++scriptBytesSeen;
  }
  EXPECT_EQ(scriptBytesSeen, 46);
}

}  // namespace

// Every character from 0x80 to 0xFF in the identifier check, the identifier conversion and the
// expression checker. Plain char is signed on 32-bit Windows and unsigned on ARM and
// IBM Z; no byte of the upper half may become a letter, a digit, a sign or a blank on either.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

using corvix_test::Hex;
using corvix_test::HighBytes;
using corvix_test::Units;

template <class Unit>
long Identify(std::vector<Unit> units) {
  return CMathOperation().IsValidControlID(units.data());
}

// Each valid form with every high byte, and its 16-bit units zero- and sign-extended, in
// each position: never an identifier.
TEST(HighByteControlIds, NoHighByteIsALetterOrADigit) {
  for (const char* valid : {"AB123", "AB0123", "AB12345"}) {
    const std::string text(valid);
    for (char byte : HighBytes()) {
      const unsigned value = static_cast<unsigned char>(byte);
      for (std::size_t position = 0; position < text.size(); ++position) {
        std::string changed = text;
        changed[position] = byte;
        const std::string label = text + " with " + Hex(byte) + " at " + std::to_string(position);
        EXPECT_EQ(Identify(Units<char>(changed)), 0) << label;
        for (unsigned unit : {value, 0xFF00u | value}) {
          auto units = Units<unsigned short>(text);
          units[position] = static_cast<unsigned short>(unit);
          EXPECT_EQ(Identify(units), 0) << label << " unit " << std::hex << unit;
          auto wide = Units<wchar_t>(text);
          wide[position] = static_cast<wchar_t>(unit);
          EXPECT_EQ(Identify(wide), 0) << label << " wide " << std::hex << unit;
        }
      }
    }
  }
}

// The prefix is copied as it stands; the number is what atol reads, which stops at a high byte.
TEST(HighByteControlIds, ConversionKeepsHighBytesOfThePrefixAndReadsNoneAsADigit) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const struct {
      std::string before;
      std::string after;
    } cases[] = {
        {std::string(2, byte) + "123", std::string(2, byte) + "0123"},
        {std::string("AB") + std::string(3, byte), "AB0000"},
        {std::string("AB1") + byte + "2", "AB0001"},
        {std::string("AB") + byte + "12", "AB0000"},
    };
    for (const auto& c : cases) {
      char identifier[corvix::kControlIdBytes] = {};
      std::strcpy(identifier, c.before.c_str());
      math.CheckControlIDAndConvertToNewVersion(identifier);
      EXPECT_EQ(std::string(identifier), c.after) << Hex(byte);
    }
  }
}

long Verify(const std::string& expression, const char* variables, char* message = nullptr) {
  return CMathOperation().VerifyRegExpString(const_cast<char*>(expression.c_str()), message,
                                             const_cast<char*>(variables));
}

// Every high byte is an invalid character wherever it stands, with the same message; the tests
// that run before the character test still come first.
TEST(HighByteExpressions, EveryHighByteIsAnInvalidCharacter) {
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    for (const std::string& formula : {b, "a" + b, b + "a", "a+" + b, "(a) " + b + " ",
                                       "1" + b + "5", "a" + b + "b", "a" + b + "1"}) {
      char message[corvix::kMessageBytes] = "";
      EXPECT_EQ(Verify(formula, "#a#b#", message), -29) << Hex(byte) << " in " << formula;
      EXPECT_STREQ(message, "Invalid Character detected.") << Hex(byte) << " in " << formula;
      EXPECT_EQ(Verify(formula, nullptr), -29) << Hex(byte) << " in " << formula;
    }
    EXPECT_EQ(Verify(")" + b, "#a#"), -20) << Hex(byte);  // parentheses first
    EXPECT_EQ(Verify("(a" + b, "#a#"), -21) << Hex(byte);
  }
}

}  // namespace

// Every character from 0x80 to 0xFF in the number check and the address check. Plain char is
// signed on 32-bit Windows and unsigned on ARM and IBM Z; no byte of the upper half is a
// space, a sign, a digit or a scale letter on either (a reading that skipped "blanks" up to 0x20
// by comparing plain char would skip them all where char is signed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "support/test_units.h"

namespace {

using corvix_test::Hex;
using corvix_test::HighBytes;
using corvix_test::Narrow;
using corvix_test::Units;

template <class Unit>
void ExpectHighUnitsAreNoNumbers() {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    const struct {
      std::string text;
      std::string trimmed;
    } cases[] = {
        {"1" + b, "1" + b},   {b + "1", b + "1"}, {" 12" + b + " ", "12" + b},
        {b + " 5", b + " 5"}, {"-" + b, "-" + b}, {"1" + b + "K", "1" + b + "K"},
    };
    for (const auto& c : cases) {
      std::vector<Unit> text = Units<Unit>(c.text);
      EXPECT_EQ(math.IsDigit(text.data()), 0) << Hex(byte) << " in '" << c.text << "'";
      EXPECT_EQ(Narrow(text.data()), c.trimmed) << Hex(byte);
    }
  }
}

TEST(HighByteNumbers, NoHighByteBelongsToANumber) {
  ExpectHighUnitsAreNoNumbers<char>();
  ExpectHighUnitsAreNoNumbers<unsigned short>();
}

// Fields before the last are read as atol reads them: a high byte ends the number (so the field
// is 0), it is not skipped as white space. The last field must be a number.
TEST(HighByteAddresses, AHighByteEndsAFieldAndSpoilsTheLastOne) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    const struct {
      std::string text;
      long code;
    } cases[] = {
        {"1.2." + b + "300.4", 1},  // the third field reads as 0, not 300
        {b + "-1.2.3.4", 1},
        {"1.2.3.4" + b, 14},
        {"1.2.3." + b + "4", 14},
        {"1.2.3." + b, 14},
        {b + "1" + b + "2" + b + "3" + b, 10},
    };
    for (const auto& c : cases) {
      std::vector<char> text = Units<char>(c.text);
      EXPECT_EQ(math.IsValidIPString(text.data()), c.code) << Hex(byte) << " in " << c.text;
    }
  }
}

}  // namespace

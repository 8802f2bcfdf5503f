// A client of the shared library that sees only the public header: every search, extraction,
// trimming and editing member, in every flavour, through its exported symbol.
#include <gtest/gtest.h>

#include "CMathOperation.h"

namespace {

// A writable string of `Unit` from ASCII text, with room to grow to `Room` units.
template <class Unit, int Room = 32>
struct Text {
  Unit units[Room];
  explicit Text(const char* ascii) {
    int i = 0;
    for (; ascii[i] != '\0'; ++i)
      units[i] = static_cast<Unit>(static_cast<unsigned char>(ascii[i]));
    for (; i < Room; ++i)
      units[i] = Unit(0);
  }
  Unit* data() { return units; }
};

// Does the terminated `units` hold exactly `ascii`?
template <class Unit>
bool Holds(const Unit* units, const char* ascii) {
  int i = 0;
  for (; ascii[i] != '\0'; ++i)
    if (units[i] != static_cast<Unit>(static_cast<unsigned char>(ascii[i]))) return false;
  return units[i] == Unit(0);
}

using Units = Text<unsigned short>;
using Narrow = Text<char>;
using Wide = Text<wchar_t>;

TEST(TextInterface, Search) {
  CMathOperation op;
  EXPECT_EQ(op.FindCharposInString(Narrow("abc").data(), 'c'), 2);
  EXPECT_EQ(op.FindCharposInString(Units("abc").data(), static_cast<unsigned short>('x')), -1);
  EXPECT_EQ(op.FindCharposInStringW(Wide("abc").data(), L'\0'), 3);
  EXPECT_EQ(op.FindSubStringStartPos(Narrow("abcabd").data(), Narrow("abd").data()), 3);
  EXPECT_EQ(op.FindSubStringStartPosW(Wide("ab").data(), Wide("abc").data()), -1);
}

TEST(TextInterface, ExtractLeftBeforeChar) {
  CMathOperation op;
  Narrow narrow("#");
  EXPECT_EQ(op.ExtractLeftBeforeChar(Narrow("12.5").data(), narrow.data(), '.', 16), 1);
  EXPECT_TRUE(Holds(narrow.data(), "12"));
  Units units("#");
  EXPECT_EQ(op.ExtractLeftBeforeChar(Units("1234").data(), units.data(),
                                     static_cast<unsigned short>(':'), 4),
            0);  // as long as the capacity: refused
  EXPECT_TRUE(Holds(units.data(), "#"));
  Wide wide("#");
  EXPECT_EQ(op.ExtractLeftBeforeCharW(Wide(".5").data(), wide.data(), L'.', 16), 1);
  EXPECT_TRUE(Holds(wide.data(), ""));
}

TEST(TextInterface, ExtractRightAfterChar) {
  CMathOperation op;
  Narrow narrow("#");
  op.ExtractRightAfterChar(Narrow("1.2.3").data(), narrow.data(), '.');
  EXPECT_TRUE(Holds(narrow.data(), "2.3"));
  Units units("a,b");
  op.ExtractRightAfterChar(units.data(), units.data(), static_cast<unsigned short>(','));
  EXPECT_TRUE(Holds(units.data(), "b"));
  Wide wide("#");
  op.ExtractRightAfterCharW(Wide("1.2.3").data(), wide.data(), L':');
  EXPECT_TRUE(Holds(wide.data(), "1.2.3"));
}

TEST(TextInterface, ExtractSidesAndSubString) {
  CMathOperation op;
  Narrow narrow("#");
  op.ExtractLefttSide(Narrow("ABC12").data(), narrow.data(), 3);
  EXPECT_TRUE(Holds(narrow.data(), "ABC"));
  Units units("#");
  op.ExtractLefttSide(Units("ABC12").data(), units.data(), 9);
  EXPECT_TRUE(Holds(units.data(), "ABC12"));
  Wide wide("#");
  op.ExtractLefttSideW(Wide("ABC12").data(), wide.data(), 0);
  EXPECT_TRUE(Holds(wide.data(), ""));

  op.ExtractRightSide(Narrow("ABC12").data(), narrow.data(), 2);
  EXPECT_TRUE(Holds(narrow.data(), "12"));
  op.ExtractRightSide(Units("ABC12").data(), units.data(), 9);
  EXPECT_TRUE(Holds(units.data(), "ABC12"));
  op.ExtractRightSideW(Wide("ABC12").data(), wide.data(), 4);
  EXPECT_TRUE(Holds(wide.data(), "BC12"));

  EXPECT_EQ(op.SubString(Narrow("abcdef").data(), narrow.data(), 2, 3), 1);
  EXPECT_TRUE(Holds(narrow.data(), "cde"));
  EXPECT_EQ(op.SubString(Units("abc").data(), units.data(), 1, 10), 1);
  EXPECT_TRUE(Holds(units.data(), "bc"));
}

TEST(TextInterface, Trim) {
  CMathOperation op;
  Narrow narrow("#");
  EXPECT_EQ(op.TrimLeft(Narrow("  12").data(), narrow.data(), ' ', 10), 1);
  EXPECT_TRUE(Holds(narrow.data(), "12"));
  EXPECT_EQ(op.TrimRight(Narrow("1.500").data(), narrow.data(), '0', 12), 1);
  EXPECT_TRUE(Holds(narrow.data(), "1.5"));
  Units units("12");
  EXPECT_EQ(op.TrimLeft(units.data(), units.data(), static_cast<unsigned short>(' '), 2), 0);
  EXPECT_TRUE(Holds(units.data(), "12"));  // nothing stripped: left as it is
  EXPECT_EQ(op.TrimRight(Units("12..").data(), units.data(), static_cast<unsigned short>('.'), 3),
            1);
  EXPECT_TRUE(Holds(units.data(), "12"));
  Wide wide("#");
  EXPECT_EQ(op.TrimLeftW(Wide("000").data(), wide.data(), L'0', 1), 1);
  EXPECT_TRUE(Holds(wide.data(), ""));
  EXPECT_EQ(op.TrimRightW(Wide("xx1234").data(), wide.data(), L'y', 4), 0);
  EXPECT_TRUE(Holds(wide.data(), ""));
}

TEST(TextInterface, InPlaceEditing) {
  CMathOperation op;
  Narrow narrow("1234");
  op.InsertCharInCharArray(narrow.data(), 1, ',');
  EXPECT_TRUE(Holds(narrow.data(), "1,234"));
  Units units("12");
  op.InsertCharInCharArray(units.data(), 0, static_cast<unsigned short>('0'));
  EXPECT_TRUE(Holds(units.data(), "012"));
  Wide wide("1234");
  op.InsertCharInCharArray(wide.data(), 4, L'5');
  EXPECT_TRUE(Holds(wide.data(), "12345"));

  Narrow plus("1.5E+03");
  op.RemoveCharFromCharArray(plus.data(), '+');
  EXPECT_TRUE(Holds(plus.data(), "1.5E03"));
  Units commas("a,,b");
  op.RemoveCharFromCharArray(commas.data(), static_cast<unsigned short>(','));
  EXPECT_TRUE(Holds(commas.data(), "ab"));

  Narrow range("abcdef");
  op.RemoveFromCharArray(range.data(), 1, 2);
  EXPECT_TRUE(Holds(range.data(), "adef"));
  Units tail("abcdef");
  op.RemoveFromCharArray(tail.data(), 4, 5);
  EXPECT_TRUE(Holds(tail.data(), "abcd"));

  Narrow pieces("a,b,c");
  op.ReplaceCharInCharAaary(pieces.data(), ',', '\0');
  EXPECT_TRUE(Holds(pieces.data(), "a") && Holds(pieces.data() + 2, "b") &&
              Holds(pieces.data() + 4, "c"));
  Units dots("1.2.3");
  op.ReplaceCharInCharAaary(dots.data(), static_cast<unsigned short>('.'),
                            static_cast<unsigned short>(','));
  EXPECT_TRUE(Holds(dots.data(), "1,2,3"));
}

TEST(TextInterface, UnitStringBasics) {
  CMathOperation op;
  Units copy("#");
  op.Copy(copy.data(), Units("abc").data(), 4);
  EXPECT_TRUE(Holds(copy.data(), "abc"));
  EXPECT_EQ(op.Len(Units("abcde").data()), 5);
  EXPECT_EQ(op.Compare(Units("ab").data(), Units("abc").data()), -1);
  Units number("#");
  op.LongToWChar(-2147483647L - 1, number.data(), 12);
  EXPECT_TRUE(Holds(number.data(), "-2147483648"));
}

}  // namespace

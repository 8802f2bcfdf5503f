// Guard-page tests: every member that writes a caller's buffer, in every flavour, writes into
// a buffer whose first unit past its stated capacity (or fixed size) lies on an inaccessible
// page. A text that just fits and a text one unit too long are tried at each boundary, so an
// overrun of a single unit is a crash, not a silent pass. Sources end at a guard page too: a
// member that reads past a terminator faults as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tests/hardening/guard_page.h"
#include "tests/support/flavours.h"
#include "tests/support/test_units.h"

namespace {

using corvix_test::AllFlavours;
using corvix_test::FlavourNames;
using corvix_test::GuardedBuffer;
using corvix_test::GuardedPages;
using corvix_test::NarrowAndUnits;
using corvix_test::NarrowAndWide;
using corvix_test::Units;
namespace flavour = corvix_test::flavour;

template <class Unit>
GuardedBuffer<Unit> GuardedText(const std::string& ascii) {
  return GuardedBuffer<Unit>::Text(Units<Unit>(ascii));
}

std::string Repeat(char unit, std::size_t count) {
  return std::string(count, unit);
}

// The buffer sizes that members assume of a caller's buffer they are not told the size of.
constexpr std::size_t kControlIdBytes = CORVIXMATH_CONTROL_ID_BYTES;
constexpr std::size_t kFaceBytes = CORVIXMATH_FACE_BYTES;
constexpr std::size_t kNameBytes = CORVIXMATH_NAME_BYTES;
constexpr std::size_t kAddressBytes = CORVIXMATH_ADDRESS_BYTES;
constexpr std::size_t kPathUnits = CORVIXMATH_PATH_UNITS;
constexpr std::size_t kMessageBytes = CORVIXMATH_MESSAGE_BYTES;
constexpr std::size_t kTextUnits = CORVIXMATH_TEXT_UNITS;

template <class Unit>
class GuardPageAllFlavours : public ::testing::Test {};
TYPED_TEST_SUITE(GuardPageAllFlavours, AllFlavours, FlavourNames);

template <class Unit>
class GuardPageNarrowAndUnits : public ::testing::Test {};
TYPED_TEST_SUITE(GuardPageNarrowAndUnits, NarrowAndUnits, FlavourNames);

template <class Unit>
class GuardPageNarrowAndWide : public ::testing::Test {};
TYPED_TEST_SUITE(GuardPageNarrowAndWide, NarrowAndWide, FlavourNames);

// --- The guard itself.

TEST(GuardPage, BufferEndsAtTheGuardAndKeepsItsContent) {
  for (std::size_t units : {0u, 1u, 7u, 4096u, 5000u}) {
    GuardedBuffer<wchar_t> buffer(units, L'q');
    ASSERT_TRUE(buffer.valid());
    EXPECT_EQ(units, buffer.size());
    EXPECT_TRUE(buffer.Untouched());
    if (units == 0) continue;
    buffer[units - 1] = L'z';
    EXPECT_FALSE(buffer.Untouched());
    EXPECT_TRUE(buffer.SlackIntact());
  }
}

// Where the guard page cannot fault, a write past the end must still show.
TEST(GuardPage, WritePastTheEndShowsWhereTheGuardCannotFault) {
  if (GuardedPages::kGuardFaults) GTEST_SKIP() << "here the guard page faults on any access";
  for (std::size_t units : {0u, 1u, 7u, 4096u}) {
    GuardedBuffer<wchar_t> buffer(units, L'q');
    ASSERT_TRUE(buffer.valid());
    ASSERT_TRUE(buffer.SlackIntact()) << units;
    wchar_t* past = buffer.data() + units;
    *past = L'q';
    EXPECT_FALSE(buffer.SlackIntact()) << units;
  }
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
// The guard faults on the first unit past the buffer, for writes and for reads alike.
TEST(GuardPageDeathTest, OneUnitPastTheEndFaults) {
#if defined(CORVIXMATH_TESTS_EMULATED)
  // Under an emulator the child must be a fork of the running program: a threadsafe child
  // starts the program anew through the host, which cannot run it, and that failure would
  // pass for the fault.
  GTEST_FLAG_SET(death_test_style, "fast");
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
#endif
  GuardedBuffer<char> buffer(5);
  char* volatile past = buffer.data() + buffer.size();
  EXPECT_DEATH(*past = 'x', "");
  EXPECT_DEATH(
      {
        volatile char read = *past;
        static_cast<void>(read);
      },
      "");
}
#endif

// --- Number formatting.

TEST(GuardPage, DoubleToEngStringAtTheSize) {
  struct Case {
    double value;
    std::string unit;
    int digits;
    unsigned char mode;
    std::string text;
  };
  // The longest text the working buffer holds: 1023 characters.
  const std::string longestUnit = Repeat('u', 1016);
  const Case cases[] = {
      {12345.678, "W", 4, 1, "12.34 KW"},
      {-12345.678, "W", 4, 3, "-12.34 KW"},
      {5e9, "W", 3, 4, "EEEE"},
      {123.456, "", 0, 9, "123.456000"},
      {12345.678, longestUnit, 4, 1, "12.34 K" + longestUnit},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 16));
    auto unit = GuardedText<char>(c.unit);
    GuardedBuffer<char> fits(c.text.size() + 1);
    EXPECT_EQ(1, CMathOperation().DoubleToEngString(fits.data(), c.value, unit.data(), c.digits,
                                                    fits.size(), c.mode));
    EXPECT_EQ(c.text, fits.Text());
    EXPECT_TRUE(fits.SlackIntact());

    GuardedBuffer<char> tooShort(c.text.size());
    EXPECT_EQ(0, CMathOperation().DoubleToEngString(tooShort.data(), c.value, unit.data(), c.digits,
                                                    tooShort.size(), c.mode));
    EXPECT_TRUE(tooShort.Untouched());
  }

  // One unit more than the working buffer holds is refused whatever the destination.
  auto tooLongUnit = GuardedText<char>(longestUnit + "u");
  GuardedBuffer<char> large(4096);
  EXPECT_EQ(0, CMathOperation().DoubleToEngString(large.data(), 12345.678, tooLongUnit.data(), 4,
                                                  large.size(), 1));
  EXPECT_TRUE(large.Untouched());
}

TEST(GuardPage, DoubleToSimpleStringAtTheSize) {
  struct Case {
    double value;
    unsigned char width;
    unsigned char decimals;
    unsigned char zeroFill;
    const char* separator;
    std::string text;
  };
  const Case cases[] = {
      {1234567.891, 0, 2, 0, ",", "1,234,567.89"},
      {-5, 4, 255, 1, nullptr, "-005"},
      {0, 0, 255, 0, nullptr, "0"},
      // The largest texts: a 301-digit number grouped, and a fill to 254 characters.
      {-1e300, 0, 255, 0, ",", ""},
      {1.5, 254, 3, 1, "'", ""},
  };
  for (const Case& c : cases) {
    auto separator = GuardedText<char>(c.separator != nullptr ? c.separator : "");
    char* separatorText = c.separator != nullptr ? separator.data() : nullptr;
    std::string text = c.text;
    if (text.empty()) {
      // Measured once in a roomy buffer; the guard checks below are what matter here.
      GuardedBuffer<char> roomy(CORVIXMATH_TEXT_UNITS);
      ASSERT_EQ(1, CMathOperation().DoubleToSimpleString(roomy.data(), c.value, c.width, c.decimals,
                                                         c.zeroFill, separatorText,
                                                         static_cast<long>(roomy.size())));
      text = roomy.Text();
      ASSERT_GT(text.size(), 200u);
    }
    SCOPED_TRACE(text.substr(0, 16));
    GuardedBuffer<char> fits(text.size() + 1);
    EXPECT_EQ(1, CMathOperation().DoubleToSimpleString(fits.data(), c.value, c.width, c.decimals,
                                                       c.zeroFill, separatorText,
                                                       static_cast<long>(fits.size())));
    EXPECT_EQ(text, fits.Text());
    EXPECT_TRUE(fits.SlackIntact());

    GuardedBuffer<char> tooShort(text.size());
    EXPECT_EQ(0, CMathOperation().DoubleToSimpleString(tooShort.data(), c.value, c.width,
                                                       c.decimals, c.zeroFill, separatorText,
                                                       static_cast<long>(tooShort.size())));
    EXPECT_TRUE(tooShort.Untouched());
  }
}

TEST(GuardPage, SientificFormatAtTheSize) {
  struct Case {
    double value;
    unsigned char decimals;
    std::string text;
  };
  const Case cases[] = {
      {12345.678, 2, "1.23E4"},
      {-0.005, 1, "-5.0E-3"},
      {0, 0, "0E0"},
      // The longest texts: 19 decimals and a three-digit exponent.
      {-1.2345678901234567e-300, 19, ""},
      {1.7976931348623157e308, 19, ""},
  };
  for (const Case& c : cases) {
    std::string text = c.text;
    if (text.empty()) {
      GuardedBuffer<char> roomy(64);
      CMathOperation().SientificFormat(roomy.data(), c.value, c.decimals, 64);
      text = roomy.Text();
      ASSERT_EQ(text.size(), c.value < 0 ? 27u : 25u) << text;
    }
    SCOPED_TRACE(text);
    GuardedBuffer<char> fits(text.size() + 1);
    CMathOperation().SientificFormat(fits.data(), c.value, c.decimals,
                                     static_cast<unsigned int>(fits.size()));
    EXPECT_EQ(text, fits.Text());
    EXPECT_TRUE(fits.SlackIntact());

    GuardedBuffer<char> tooShort(text.size());
    CMathOperation().SientificFormat(tooShort.data(), c.value, c.decimals,
                                     static_cast<unsigned int>(tooShort.size()));
    EXPECT_TRUE(tooShort.Untouched());
  }
}

TEST(GuardPage, PriceToStringAtTheSize) {
  struct Case {
    double amount;
    unsigned char divisorExponent;
    char separator;
    std::string text;
  };
  const Case cases[] = {
      {1234567, 0, ',', "1,234,567"},
      {-123456, 0, '.', "-123.456"},
      {1234.9, 0, '\0', "1234"},
      {5e6, 4, ',', "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    GuardedBuffer<char> fits(c.text.size() + 1);
    CMathOperation().PriceToString(fits.data(), c.amount, static_cast<unsigned int>(fits.size()),
                                   c.divisorExponent, c.separator);
    EXPECT_EQ(c.text, fits.Text());

    // A text that does not fit shows "---" when that fits, and nothing otherwise.
    GuardedBuffer<char> tooShort(c.text.size());
    CMathOperation().PriceToString(tooShort.data(), c.amount,
                                   static_cast<unsigned int>(tooShort.size()), c.divisorExponent,
                                   c.separator);
    if (c.text.size() >= 4) {
      EXPECT_EQ("---", tooShort.Text());
      EXPECT_TRUE(tooShort.SlackIntact());
    } else {
      EXPECT_TRUE(tooShort.Untouched());
    }
  }
  // "---" itself at its exact size and one byte short.
  GuardedBuffer<char> dashes(4);
  CMathOperation().PriceToString(dashes.data(), 123456, 4, 0, ',');
  EXPECT_EQ("---", dashes.Text());
  GuardedBuffer<char> none(3);
  CMathOperation().PriceToString(none.data(), 123456, 3, 0, ',');
  EXPECT_TRUE(none.Untouched());
}

TEST(GuardPage, StandardLenWritesLengthPlusOne) {
  struct Case {
    std::string text;
    long length;
    char fill;
    std::string result;
  };
  const Case cases[] = {
      {"12.5", 6, ' ', "12.5  "}, {"12.5 KW", 7, '0', "12.5000"},
      {"", 3, '-', "---"},        {"123456789", 4, ' ', "1234"},
      {"12", 0, '*', ""},         {"-7", 1, '0', "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::size_t units = std::max(c.text.size(), static_cast<std::size_t>(c.length)) + 1;
    GuardedBuffer<char> text(units);
    for (std::size_t i = 0; i <= c.text.size(); ++i)
      text[i] = c.text.c_str()[i];
    CMathOperation().StandardLen(text.data(), c.length, c.fill);
    EXPECT_EQ(c.result, text.Text());
    EXPECT_TRUE(text.SlackIntact());
  }
}

// --- Search and extraction.

TYPED_TEST(GuardPageAllFlavours, ExtractLeftBeforeCharAtTheCapacity) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    char character;
    std::string left;
  };
  // The working copy holds 2047 units: the longest left part.
  const std::string longest = Repeat('x', 2047);
  const Case cases[] = {
      {"abcd.ef", '.', "abcd"},       {"12.5", ':', "12.5"},   {".5", '.', ""},
      {longest + "yz", ':', longest}, {longest, ':', longest},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left.size());
    auto source = GuardedText<Unit>(c.source);
    GuardedBuffer<Unit> fits(c.left.size() + 1);
    EXPECT_EQ(1, flavour::LeftBefore(source.data(), fits.data(), Unit(c.character),
                                     static_cast<long>(fits.size())));
    EXPECT_EQ(c.left, fits.Text());
    EXPECT_TRUE(fits.SlackIntact());

    GuardedBuffer<Unit> tooShort(c.left.size());
    EXPECT_EQ(0, flavour::LeftBefore(source.data(), tooShort.data(), Unit(c.character),
                                     static_cast<long>(tooShort.size())));
    EXPECT_TRUE(tooShort.Untouched());
  }
  // An empty source leaves even a destination of no units alone.
  auto empty = GuardedText<Unit>("");
  GuardedBuffer<Unit> nothing(0);
  EXPECT_EQ(1, flavour::LeftBefore(empty.data(), nothing.data(), Unit('.'), 0));
}

TYPED_TEST(GuardPageAllFlavours, ExtractRightAfterCharWithinItsResult) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    char character;
    std::string right;
  };
  // The longest result fills the 2048 units the destination must hold.
  const Case cases[] = {
      {"1.2.3", '.', "2.3"},
      {"12.", '.', ""},
      {"1.2.3", ':', "1.2.3"},
      {Repeat('y', 3000), ':', Repeat('y', 2047)},
      {"." + Repeat('y', 2046), '.', Repeat('y', 2046)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.right.size());
    auto source = GuardedText<Unit>(c.source);
    GuardedBuffer<Unit> exact(c.right.size() + 1);
    flavour::RightAfter(source.data(), exact.data(), Unit(c.character));
    EXPECT_EQ(c.right, exact.Text());
    EXPECT_TRUE(exact.SlackIntact());

    GuardedBuffer<Unit> fixed(kTextUnits);
    flavour::RightAfter(source.data(), fixed.data(), Unit(c.character));
    EXPECT_EQ(c.right, fixed.Text());
  }
  // In place, in a buffer no larger than the text.
  auto text = GuardedText<Unit>("1.2.3");
  flavour::RightAfter(text.data(), text.data(), Unit('.'));
  EXPECT_EQ("2.3", text.Text());
}

TYPED_TEST(GuardPageAllFlavours, ExtractLefttSideAndRightSideWriteCountPlusOne) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    long count;
    std::string left;
    std::string right;
  };
  const std::string long1500 = Repeat('a', 1020) + "xyz" + Repeat('b', 477);
  const Case cases[] = {
      {"ABCDEFGH", 5, "ABCDE", "DEFGH"},
      {"ABC12", 9, "ABC12", "ABC12"},
      {"ABC12", 0, "", ""},
      {"ABC12", -1, "", ""},
      {long1500, 3, "aaa", "xyz"},
      {long1500, 1023, long1500.substr(0, 1023), long1500.substr(0, 1023)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    auto source = GuardedText<Unit>(c.source);
    const std::size_t units = c.count > 0 ? static_cast<std::size_t>(c.count) + 1 : 1;
    GuardedBuffer<Unit> left(units);
    flavour::LeftSide(source.data(), left.data(), c.count);
    EXPECT_EQ(c.left, left.Text());
    EXPECT_TRUE(left.SlackIntact());
    GuardedBuffer<Unit> right(units);
    flavour::RightSide(source.data(), right.data(), c.count);
    EXPECT_EQ(c.right, right.Text());
    EXPECT_TRUE(right.SlackIntact());
  }
  // An empty source writes nothing at all.
  auto empty = GuardedText<Unit>("");
  GuardedBuffer<Unit> nothing(0);
  flavour::LeftSide(empty.data(), nothing.data(), 4);
  flavour::RightSide(empty.data(), nothing.data(), 4);
}

TYPED_TEST(GuardPageNarrowAndUnits, SubStringWritesCountPlusOne) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    long start;
    long count;
    std::string part;
  };
  const Case cases[] = {
      {"abcdef", 2, 3, "cde"}, {"abc", 1, 10, "bc"}, {"abc", 5, 2, ""},
      {"abc", 0, 0, ""},       {"abc", -2, 2, ""},   {"abcdef", 0, 6, "abcdef"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.part);
    auto source = GuardedText<Unit>(c.source);
    GuardedBuffer<Unit> part(c.count > 0 ? static_cast<std::size_t>(c.count) + 1 : 1);
    EXPECT_EQ(1, flavour::Sub(source.data(), part.data(), c.start, c.count));
    EXPECT_EQ(c.part, part.Text());
    EXPECT_TRUE(part.SlackIntact());
  }
}

// --- Trimming and editing.

TYPED_TEST(GuardPageAllFlavours, TrimLeftAndTrimRightAtTheCapacity) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    bool left;
    std::string trimmed;
  };
  // A source of 1024 units is accepted and keeps its first 1023.
  const Case cases[] = {
      {"  12345", true, "12345"},
      {"12345  ", false, "12345"},
      {"000", true, ""},
      {"", false, ""},
      {Repeat('x', 1024), true, Repeat('x', 1023)},
      {Repeat('x', 1024), false, Repeat('x', 1023)},
      {Repeat(' ', 100) + Repeat('x', 900), true, Repeat('x', 900)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trimmed.size());
    auto source = GuardedText<Unit>(c.source);
    const Unit strip = Unit(c.source.empty() || c.source[0] != '0' ? ' ' : '0');
    const auto trim = [&](GuardedBuffer<Unit>& destination) {
      const unsigned int capacity = static_cast<unsigned int>(destination.size());
      return c.left ? flavour::TrimLeft(source.data(), destination.data(), strip, capacity)
                    : flavour::TrimRight(source.data(), destination.data(), strip, capacity);
    };
    GuardedBuffer<Unit> fits(c.trimmed.size() + 1);
    EXPECT_EQ(1, trim(fits));
    EXPECT_EQ(c.trimmed, fits.Text());
    EXPECT_TRUE(fits.SlackIntact());

    GuardedBuffer<Unit> tooShort(c.trimmed.size());
    EXPECT_EQ(0, trim(tooShort));
    EXPECT_TRUE(tooShort.Untouched());
  }
  // A source of 1025 units is refused outright.
  auto tooLong = GuardedText<Unit>(Repeat('x', 1025));
  GuardedBuffer<Unit> roomy(4096);
  EXPECT_EQ(0, flavour::TrimLeft(tooLong.data(), roomy.data(), Unit(' '), 4096));
  EXPECT_EQ(0, flavour::TrimRight(tooLong.data(), roomy.data(), Unit(' '), 4096));
  EXPECT_TRUE(roomy.Untouched());
}

TYPED_TEST(GuardPageAllFlavours, InsertCharInCharArrayNeedsLengthPlusTwo) {
  using Unit = TypeParam;
  struct Case {
    std::string text;
    long position;
    std::string result;
  };
  const Case cases[] = {
      {"1234", 1, "1,234"}, {"12", 0, ",12"}, {"1234", 4, "1234,"},
      {"1234", 5, "1234"},  {"", 0, ","},     {"1234", -1, "1234"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    GuardedBuffer<Unit> text(c.text.size() + 2);
    const std::vector<Unit> units = Units<Unit>(c.text);
    for (std::size_t i = 0; i < units.size(); ++i)
      text[i] = units[i];
    flavour::Insert(text.data(), c.position, Unit(','));
    EXPECT_EQ(c.result, text.Text());
    EXPECT_TRUE(text.SlackIntact());
  }
}

TYPED_TEST(GuardPageNarrowAndUnits, RemoveAndReplaceStayWithinTheText) {
  using Unit = TypeParam;
  auto commas = GuardedText<Unit>("a,,b,");
  flavour::RemoveChar(commas.data(), Unit(','));
  EXPECT_EQ("ab", commas.Text());

  struct RangeCase {
    int start;
    int count;
    std::string result;
  };
  const RangeCase ranges[] = {{1, 2, "adef"},    {4, 5, "abcd"}, {6, 1, "abcdef"},
                              {-1, 2, "abcdef"}, {0, 6, ""},     {5, 1, "abcde"}};
  for (const RangeCase& c : ranges) {
    SCOPED_TRACE(c.result);
    auto text = GuardedText<Unit>("abcdef");
    flavour::RemoveRange(text.data(), c.start, c.count);
    EXPECT_EQ(c.result, text.Text());
  }

  auto pieces = GuardedText<Unit>("a,b,c");
  flavour::Replace(pieces.data(), Unit(','), Unit(0));
  EXPECT_EQ(Units<Unit>(std::string("a\0b\0c", 5)), pieces.Contents());
  auto same = GuardedText<Unit>("xyz");
  flavour::Replace(same.data(), Unit(0), Unit('q'));
  EXPECT_EQ("xyz", same.Text());
}

TEST(GuardPage, CopyAndLongToWCharAtTheCapacity) {
  auto source = GuardedText<unsigned short>("hello");
  GuardedBuffer<unsigned short> fits(6);
  CMathOperation().Copy(fits.data(), source.data(), 6);
  EXPECT_EQ("hello", fits.Text());
  GuardedBuffer<unsigned short> tooShort(5);
  CMathOperation().Copy(tooShort.data(), source.data(), 5);
  EXPECT_TRUE(tooShort.Untouched());

  struct Case {
    long value;
    std::string text;
  };
  // A capacity of 12 holds every 32-bit value.
  const Case cases[] = {
      {-2147483647L - 1, "-2147483648"}, {2147483647L, "2147483647"}, {0, "0"}, {-7, "-7"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    GuardedBuffer<unsigned short> exact(c.text.size() + 1);
    CMathOperation().LongToWChar(c.value, exact.data(), static_cast<unsigned int>(exact.size()));
    EXPECT_EQ(c.text, exact.Text());
    GuardedBuffer<unsigned short> shortBy1(c.text.size());
    CMathOperation().LongToWChar(c.value, shortBy1.data(),
                                 static_cast<unsigned int>(shortBy1.size()));
    EXPECT_TRUE(shortBy1.Untouched());
  }
}

// --- Paths.

TYPED_TEST(GuardPageNarrowAndWide, ExtractPathAndNameAtBothCapacities) {
  using Unit = TypeParam;
  auto path = GuardedText<Unit>("D:\\Data\\Log\\day.txt");

  // The name at its exact capacity and one unit short.
  GuardedBuffer<Unit> name(8);
  GuardedBuffer<Unit> directory(kPathUnits);
  EXPECT_EQ(1, flavour::SplitPath(path.data(), directory.data(), name.data(), 8, kPathUnits));
  EXPECT_EQ("day.txt", name.Text());
  EXPECT_EQ("D:\\Data\\Log\\", directory.Text());
  GuardedBuffer<Unit> shortName(7);
  EXPECT_EQ(0, flavour::SplitPath(path.data(), static_cast<Unit*>(nullptr), shortName.data(), 7,
                                  kPathUnits));
  EXPECT_TRUE(shortName.Untouched());

  // The directory capacity bounds the appended backslash: with room for it, and without.
  GuardedBuffer<Unit> exactDirectory(13);
  EXPECT_EQ(1, flavour::SplitPath(path.data(), exactDirectory.data(), static_cast<Unit*>(nullptr),
                                  0, 13));
  EXPECT_EQ("D:\\Data\\Log\\", exactDirectory.Text());
  GuardedBuffer<Unit> noRoomForBackslash(12);
  flavour::SplitPath(path.data(), noRoomForBackslash.data(), static_cast<Unit*>(nullptr), 0, 12);
  EXPECT_EQ("D:\\Data\\Log", noRoomForBackslash.Text());

  // The longest directory fills the 260 units the output must hold.
  for (std::size_t extra : {0u, 141u}) {
    auto longest = GuardedText<Unit>(Repeat('d', 258) + "\\" + Repeat('n', extra));
    GuardedBuffer<Unit> full(kPathUnits);
    GuardedBuffer<Unit> emptyName(1);
    flavour::SplitPath(longest.data(), full.data(), emptyName.data(), 1, kPathUnits);
    EXPECT_EQ(Repeat('d', 258) + "\\", full.Text());
    EXPECT_EQ("", emptyName.Text());
  }

  // A bare name marks only the first unit of the directory output.
  auto bare = GuardedText<Unit>("day.txt");
  GuardedBuffer<Unit> mark(1);
  GuardedBuffer<Unit> bareName(8);
  EXPECT_EQ(1, flavour::SplitPath(bare.data(), mark.data(), bareName.data(), 8, 1));
  EXPECT_EQ(Unit('0'), mark[0]);
  EXPECT_EQ("day.txt", bareName.Text());
  GuardedBuffer<Unit> shortBareName(7);
  EXPECT_EQ(
      0, flavour::SplitPath(bare.data(), static_cast<Unit*>(nullptr), shortBareName.data(), 7, 1));
  EXPECT_TRUE(shortBareName.Untouched());
}

TYPED_TEST(GuardPageNarrowAndWide, RemoveDirFromPathWithin260Units) {
  using Unit = TypeParam;
  struct Case {
    std::string path;
    unsigned char levels;
    std::string result;
  };
  const Case cases[] = {
      {"D:\\Data\\Log\\day.txt", 1, "D:\\Data\\Log\\"},
      {"D:\\Data\\Log\\day.txt", 3, "D:\\"},
      {"D:\\Data\\\\\\", 0, "D:\\Data\\"},
      // The longest results: 258 units and the appended backslash, and 259 units without it.
      {Repeat('p', 258), 0, Repeat('p', 258) + "\\"},
      {Repeat('p', 259), 0, Repeat('p', 259)},
      {Repeat('p', 400), 0, Repeat('p', 259)},
      {"C:\\" + Repeat('q', 300), 1, "C:\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result.substr(0, 16));
    auto path = GuardedText<Unit>(c.path);
    GuardedBuffer<Unit> output(kPathUnits);
    flavour::ClimbPath(path.data(), output.data(), c.levels);
    EXPECT_EQ(c.result, output.Text());
    EXPECT_TRUE(output.SlackIntact());

    // Without an output the result goes over the path, which must hold 260 units.
    GuardedBuffer<Unit> inPlace(c.path.size() < kPathUnits ? kPathUnits : c.path.size() + 1);
    const std::vector<Unit> units = Units<Unit>(c.path);
    for (std::size_t i = 0; i < units.size(); ++i)
      inPlace[i] = units[i];
    flavour::ClimbPath(inPlace.data(), static_cast<Unit*>(nullptr), c.levels);
    EXPECT_EQ(c.result, inPlace.Text());
  }
  // Too many levels mark the first unit only.
  auto path = GuardedText<Unit>("D:\\day.txt");
  GuardedBuffer<Unit> output(kPathUnits);
  flavour::ClimbPath(path.data(), output.data(), 2);
  EXPECT_EQ(Unit('0'), output[0]);
  EXPECT_EQ(Unit('#'), output[1]);
}

// --- Character-set conversions.

TEST(GuardPage, CharArrayToWcharArrayWritesLengthPlusOne) {
  auto source = GuardedText<char>("AB\xE9");
  GuardedBuffer<unsigned short> zeroExtended(4);
  CMathOperation().CharArrayToWcharArray(source.data(), zeroExtended.data(), 2);
  EXPECT_EQ((std::vector<unsigned short>{0x41, 0x42, 0xE9, 0}), zeroExtended.Contents());
  GuardedBuffer<unsigned short> signExtended(4);
  CMathOperation().CharArrayToWcharArray(source.data(), signExtended.data(), 0);
  EXPECT_EQ((std::vector<unsigned short>{0x41, 0x42, 0xFFE9, 0}), signExtended.Contents());

  auto empty = GuardedText<char>("");
  GuardedBuffer<unsigned short> nothing(0);
  CMathOperation().CharArrayToWcharArray(empty.data(), nothing.data(), 2);
}

TEST(GuardPage, WCharArrayToCharArrayWritesOneOrTwoBytesPerUnit) {
  auto source = GuardedBuffer<unsigned short>::Text({0x41, 0x644, 0});
  GuardedBuffer<char> lowBytes(3);
  CMathOperation().WCharArrayToCharArray(lowBytes.data(), source.data(), 1);
  EXPECT_EQ((std::vector<char>{0x41, 0x44, 0}), lowBytes.Contents());
  GuardedBuffer<char> bothBytes(6);
  CMathOperation().WCharArrayToCharArray(bothBytes.data(), source.data(), 0);
  EXPECT_EQ((std::vector<char>{0x41, 0, 0x44, 0x06, 0, 0}), bothBytes.Contents());

  auto empty = GuardedBuffer<unsigned short>::Text({0});
  GuardedBuffer<char> oneByte(1);
  CMathOperation().WCharArrayToCharArray(oneByte.data(), empty.data(), 1);
  EXPECT_EQ('\0', oneByte[0]);
  GuardedBuffer<char> twoBytes(2);
  CMathOperation().WCharArrayToCharArray(twoBytes.data(), empty.data(), 0);
  EXPECT_EQ((std::vector<char>{0, 0}), twoBytes.Contents());
}

TYPED_TEST(GuardPageNarrowAndUnits, UnicodeStringToDigitArrayAtTheCapacity) {
  using Unit = TypeParam;
  // The longest text: 1023 characters. Narrow: 253 three-digit values and one of one digit;
  // 16-bit: 169 five-digit values.
  std::vector<Unit> longest;
  std::string longestText = "UniCode(";
  if (sizeof(Unit) == 1) {
    for (int i = 0; i < 253; ++i) {
      longest.push_back(Unit('d'));
      longestText += "100,";
    }
    longest.push_back(Unit(5));
    longestText += "5,";
  } else {
    for (int i = 0; i < 169; ++i) {
      longest.push_back(Unit(0xFFFF));
      longestText += "65535,";
    }
  }
  longestText += ")";
  ASSERT_EQ(1023u, longestText.size());

  struct Case {
    std::vector<Unit> source;
    std::string text;
  };
  std::vector<Unit> withTerminator = longest;
  withTerminator.push_back(Unit(0));
  const Case cases[] = {
      {Units<Unit>("AB"), "UniCode(65,66,)"},
      {Units<Unit>(""), "UniCode()"},
      {withTerminator, longestText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    auto source = GuardedBuffer<Unit>::Text(c.source);
    GuardedBuffer<char> fits(c.text.size() + 1);
    EXPECT_EQ(1, flavour::Encode(source.data(), fits.data(), static_cast<long>(fits.size())));
    EXPECT_EQ(c.text, fits.Text());
    GuardedBuffer<char> tooShort(c.text.size());
    EXPECT_EQ(0,
              flavour::Encode(source.data(), tooShort.data(), static_cast<long>(tooShort.size())));
    EXPECT_TRUE(tooShort.Untouched());
  }

  // One value more than 1023 characters hold is refused whatever the capacity.
  std::vector<Unit> tooLong = withTerminator;
  tooLong.insert(tooLong.begin(), Unit('A'));
  auto source = GuardedBuffer<Unit>::Text(tooLong);
  GuardedBuffer<char> roomy(4096);
  EXPECT_EQ(0, flavour::Encode(source.data(), roomy.data(), 4096));
  EXPECT_TRUE(roomy.Untouched());
}

TYPED_TEST(GuardPageNarrowAndUnits, DigitArrayToUnicodeStringWritesOneUnitPerComma) {
  using Unit = TypeParam;
  std::string longest = "UniCode(";
  for (int i = 0; i < 253; ++i)
    longest += "100,";
  longest += ")";
  struct Case {
    std::string text;
    std::size_t units;
  };
  const Case cases[] = {
      {"UniCode(65,66,)", 2}, {"UniCode()", 0}, {",,,", 3}, {"65,66", 1}, {longest, 253},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 20));
    auto text = GuardedText<char>(c.text);
    GuardedBuffer<Unit> decoded(c.units + 1);
    flavour::Decode(text.data(), decoded.data(), 0);
    EXPECT_EQ(Unit(0), decoded[c.units]);
    EXPECT_TRUE(decoded.SlackIntact());
  }
}

// --- Identifiers and expressions.

TEST(GuardPage, CheckControlIDAndConvertToNewVersionWithin8Bytes) {
  struct Case {
    std::string identifier;
    std::string result;
  };
  const Case cases[] = {
      {"AB123", "AB0123"},  {"AB-12", "AB-012"},    {"ABxyz", "AB0000"},
      {"AB0123", "AB0123"}, {"ABC1234", "ABC1234"}, {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.identifier);
    GuardedBuffer<char> identifier(kControlIdBytes);
    for (std::size_t i = 0; i <= c.identifier.size(); ++i)
      identifier[i] = c.identifier.c_str()[i];
    CMathOperation().CheckControlIDAndConvertToNewVersion(identifier.data());
    EXPECT_EQ(c.result, identifier.Text());
    EXPECT_TRUE(identifier.SlackIntact());
  }
}

TEST(GuardPage, VerifyRegExpStringMessagesWithin512Bytes) {
  struct Case {
    std::string expression;
    long code;
    std::string message;
  };
  const Case cases[] = {
      {"a+b)", -20, "Closing parenthesis without opening parenthesis was found"},
      {"(a+b", -21, "Some parenthesis are still not closed"},
      {"1a", -22, "Numeric Value followed by Variable "},
      {"a++b", -23, "Two Adjacent sign detected."},
      {"1.", -24, "Floating point could onlu be used in numeric values."},
      {"*a", -25, "Regular Expression could not start whit this sign."},
      {"a+c", -26, "Undefined variable"},
      {"a+", -27, "Right side should have a value."},
      {"a1", -28, "Variable followed by Numeric Value "},
      {"a=b", -29, "Invalid Character detected."},
      {"abcd", -30, "Variable Len should be less than 4 characters."},
      {Repeat('a', 3) + Repeat('+', 1) + Repeat(' ', 300) + "b", 1, ""},
  };
  auto variables = GuardedText<char>("#a#b#aaa#");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression.substr(0, 16));
    auto expression = GuardedText<char>(c.expression);
    GuardedBuffer<char> message(kMessageBytes);
    EXPECT_EQ(c.code, CMathOperation().VerifyRegExpString(expression.data(), message.data(),
                                                          variables.data()));
    if (c.code == 1) {
      EXPECT_TRUE(message.Untouched());
    } else {
      EXPECT_EQ(c.message, message.Text());
      EXPECT_TRUE(message.SlackIntact());
    }
  }
}

// --- Vocabulary, devices and events.

TEST(GuardPage, NameWritersWithin64Bytes) {
  for (int code = 0; code <= 255; ++code) {
    GuardedBuffer<char> name(kNameBytes);
    CMathOperation().ucModelTOcpModel(static_cast<unsigned char>(code), name.data());
    const std::string text = name.Text();
    EXPECT_FALSE(text.empty()) << code;
    EXPECT_LT(text.size(), kNameBytes) << code;
  }
  for (int id = 995; id <= 1010; ++id) {
    GuardedBuffer<char> name(kNameBytes);
    CMathOperation().ComputerIdToString(id, name.data());
    if (id >= 1000 && id <= 1005) {
      EXPECT_FALSE(name.Text().empty()) << id;
      EXPECT_TRUE(name.SlackIntact()) << id;
    } else {
      EXPECT_TRUE(name.Untouched()) << id;
    }
  }
}

TEST(GuardPage, ScaleIndex2StringAtTheCapacity) {
  const std::string names[] = {"Hide", "Auto", "Unity", "Kilo", "Mega", "Giga", "Tera"};
  for (long index = 0; index < 7; ++index) {
    const std::string& whole = names[index];
    SCOPED_TRACE(whole);
    GuardedBuffer<char> fits(whole.size() + 1);
    CMathOperation().ScaleIndex2String(fits.data(), index, static_cast<unsigned int>(fits.size()));
    EXPECT_EQ(whole, fits.Text());
    // The name is cut to the capacity less one.
    GuardedBuffer<char> cut(whole.size());
    CMathOperation().ScaleIndex2String(cut.data(), index, static_cast<unsigned int>(cut.size()));
    EXPECT_EQ(whole.substr(0, whole.size() - 1), cut.Text());
    GuardedBuffer<char> nothing(0);
    CMathOperation().ScaleIndex2String(nothing.data(), index, 0);
  }
  GuardedBuffer<char> unknown(8);
  CMathOperation().ScaleIndex2String(unknown.data(), 7, 8);
  EXPECT_TRUE(unknown.Untouched());
}

TEST(GuardPage, DecodeFontStringFaceWithin32Bytes) {
  struct Case {
    std::string descriptor;
    std::string face;
    unsigned char size;
    unsigned long colour;
    unsigned char style;
  };
  const Case cases[] = {
      {"Tahoma,12,#FF0000,Bold", "Tahoma", 12, 0xFF0000, 1},
      {Repeat('f', 31) + ",300,255,BoldItalic", Repeat('f', 31), 44, 255, 3},
      {Repeat('f', 40) + ",8,-1,x,Italic", Repeat('f', 31), 8, 0xFFFFFFFFul, 2},
      {Repeat('f', 1000) + ",8,1,", Repeat('f', 31), 8, 1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.face.size());
    auto descriptor = GuardedText<char>(c.descriptor);
    GuardedBuffer<char> face(kFaceBytes);
    GuardedBuffer<unsigned char> size(1, 0);
    GuardedBuffer<unsigned long> colour(1, 0);
    GuardedBuffer<unsigned char> style(1, 9);
    CMathOperation().DecodeFontString(descriptor.data(), face.data(), size.data(), colour.data(),
                                      style.data());
    EXPECT_EQ(c.face, face.Text());
    EXPECT_EQ(c.size, size[0]);
    EXPECT_EQ(c.colour, colour[0]);
    EXPECT_EQ(c.style, style[0]);
  }
}

TEST(GuardPage, GetCompleteParamListWithinTheListLength) {
  struct Case {
    std::string event;
    std::string list;
  };
  const Case cases[] = {
      {"Trend(Tag1,Tag2,60)", "Tag1,Tag2,60"},
      {"F(a,(b),c) x", "a,(b),c"},
      {"F()", ""},
      // The text after the first '(' with its terminator, at most 2048 bytes.
      {Repeat('x', 3000), Repeat('x', 2047)},
      {"F(" + Repeat('x', 3000) + ")", Repeat('x', 2045)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list.substr(0, 16));
    auto event = GuardedText<char>(c.event);
    // Room for everything after the first '(' that the search sees, terminator included.
    const std::size_t open = c.event.find('(');
    const std::size_t seen = std::min<std::size_t>(c.event.size(), kTextUnits - 1);
    GuardedBuffer<char> list(open == std::string::npos ? seen + 1 : seen - open);
    CMathOperation().GetCompleteParamList(event.data(), list.data());
    EXPECT_EQ(c.list, list.Text());
    EXPECT_TRUE(list.SlackIntact());
  }
}

TEST(GuardPage, GetEventParametersAtTheCapacity) {
  struct Case {
    std::string event;
    long number;
    std::string parameter;
  };
  const Case cases[] = {
      {"F(abcdef)", 1, "abcdef"},
      {"F(abcdef,x)", 1, "abcdef"},
      {"Trend(Tag1,Tag2,60)", 3, "60"},
      {"Trend(Tag1,Tag2,60)", 9, "60"},
      {"F(a,,c)", 2, ""},
      // The working buffer holds 63 characters of the list.
      {"F(" + Repeat('p', 70) + ")", 1, Repeat('p', 63)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameter);
    auto event = GuardedText<char>(c.event);
    GuardedBuffer<char> fits(c.parameter.size() + 1);
    EXPECT_TRUE(CMathOperation().GetEventParameters(event.data(), fits.data(), c.number,
                                                    static_cast<unsigned int>(fits.size())));
    EXPECT_EQ(c.parameter, fits.Text());
    GuardedBuffer<char> tooShort(c.parameter.size());
    // Refused, whatever the result says (the event tests pin that down): the destination
    // stays as it was.
    static_cast<void>(CMathOperation().GetEventParameters(
        event.data(), tooShort.data(), c.number, static_cast<unsigned int>(tooShort.size())));
    EXPECT_TRUE(tooShort.Untouched());
  }
  auto plain = GuardedText<char>("NoParens");
  GuardedBuffer<char> untouched(4);
  EXPECT_FALSE(CMathOperation().GetEventParameters(plain.data(), untouched.data(), 1, 4));
  EXPECT_TRUE(untouched.Untouched());
}

// --- Numeric checks and statistics.

TYPED_TEST(GuardPageNarrowAndUnits, IsDigitTrimsWithinTheText) {
  using Unit = TypeParam;
  struct Case {
    std::string text;
    long form;
    std::string trimmed;
  };
  const Case cases[] = {
      {"  12  ", 4, "12"}, {"-1.5M", 5, "-1.5M"},
      {"   ", 0, ""},      {" 1 2 ", 0, "1 2"},
      {"", 0, ""},         {Repeat(' ', 500) + "7" + Repeat(' ', 500), 4, "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    auto text = GuardedText<Unit>(c.text);
    EXPECT_EQ(c.form, flavour::NumberForm(text.data()));
    EXPECT_EQ(c.trimmed, text.Text());
  }
}

TEST(GuardPage, IsValidIpAndPortStringAddressWithin16Bytes) {
  struct Case {
    std::string text;
    long result;
    std::string address;
    unsigned short port;
    std::string textAfter;
  };
  const Case cases[] = {
      {"192.168.100.254:8080", 1, "192.168.100.254", 8080, "192.168.100.254:8080"},
      {"1.2.3.4: 80 ", 1, "1.2.3.4", 80, "1.2.3.4:80"},
      {"1.2.3.4:65536", 0, "", 0, "1.2.3.4:65536"},
      {"192.168.100.2540:80", -11, "", 0, "192.168.100.2540:80"},
      {"0001.002.003.004: 80", CORVIXMATH_ADDRESS_PART_TOO_LONG, "", 0, "0001.002.003.004:80"},
      {"1.2.3.4:" + Repeat('1', 16), 0, "", 0, "1.2.3.4:" + Repeat('1', 16)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    auto text = GuardedText<char>(c.text);
    GuardedBuffer<char> address(kAddressBytes);
    GuardedBuffer<unsigned short> port(1, 0);
    EXPECT_EQ(c.result,
              CMathOperation().IsValidIpAndPortString(text.data(), address.data(), port.data()));
    if (c.result == 1) {
      EXPECT_EQ(c.address, address.Text());
    } else {
      EXPECT_TRUE(address.Untouched());
    }
    EXPECT_EQ(c.port, port[0]);
    EXPECT_EQ(c.textAfter, text.Text());
  }
}

TEST(GuardPage, CalculateMinMaxAvrSDReadsAndWritesOnlyItsArrays) {
  const std::vector<double> samples = {1, 2, 3, 4};
  using Member = void (CMathOperation::*)(double*, long, double*, double*, double*, double*);
  for (Member member : {&CMathOperation::CalculateMinMaxAvrSD, &CMathOperation::CalculateMinMax}) {
    GuardedBuffer<double> values(samples.size(), 0.0);
    for (std::size_t i = 0; i < samples.size(); ++i)
      values[i] = samples[i];
    GuardedBuffer<double> minimum(1, 0.0), maximum(1, 0.0), average(1, 0.0), spread(1, 0.0);
    CMathOperation operation;
    (operation.*member)(values.data(), static_cast<long>(values.size()), minimum.data(),
                        maximum.data(), average.data(), spread.data());
    EXPECT_EQ(1.0, minimum[0]);
    EXPECT_EQ(4.0, maximum[0]);
    EXPECT_EQ(2.5, average[0]);
    EXPECT_DOUBLE_EQ(std::sqrt(5.0) / 4.0, spread[0]);
  }
}

TEST(GuardPage, FilterValueArrayWritesOneEntryPerWindow) {
  // Samples every 1800 s all day long: every window has data.
  const std::size_t sampleCount = 48;
  GuardedBuffer<double> values(sampleCount, 0.0);
  GuardedBuffer<long> times(sampleCount, 0);
  for (std::size_t i = 0; i < sampleCount; ++i) {
    times[i] = static_cast<long>(i) * 1800;
    values[i] = static_cast<double>(i);
  }
  GuardedBuffer<double*> valueArrays(1, nullptr);
  GuardedBuffer<long*> timeArrays(1, nullptr);
  GuardedBuffer<long> counts(1, static_cast<long>(sampleCount));
  valueArrays[0] = values.data();
  timeArrays[0] = times.data();

  // The outputs hold one entry per window: an even width ends at 86400, an odd one at 86399.
  struct Case {
    long width;
    long step;
    std::size_t windows;
    long written;
  };
  const Case cases[] = {
      {3600, 3600, 25, 25}, {3601, 3600, 24, 24}, {7200, 3600, 25, 25}, {1800, 1800, 49, 48}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    GuardedBuffer<double> minimum(c.windows, 0.0), maximum(c.windows, 0.0), mean(c.windows, 0.0);
    GuardedBuffer<long> centres(c.windows, 0);
    const long written = CMathOperation().FilterValueArray(
        valueArrays.data(), timeArrays.data(), 1, counts.data(), minimum.data(), maximum.data(),
        mean.data(), centres.data(), c.width, c.step, 0);
    ASSERT_EQ(c.written, written);
    EXPECT_EQ(0, centres[0]);
    EXPECT_EQ((c.written - 1) * c.step, centres[static_cast<std::size_t>(c.written - 1)]);
  }
}

TEST(GuardPage, LongExistInListReadsOnlyCountElements) {
  GuardedBuffer<long> list(3, 0);
  list[0] = 5;
  list[1] = -7;
  list[2] = 9;
  EXPECT_EQ(2, CMathOperation().LongExistInList(9, list.data(), 3));
  EXPECT_EQ(-1, CMathOperation().LongExistInList(4, list.data(), 3));
}

// --- Members that only read: their sources end at the guard.

TYPED_TEST(GuardPageAllFlavours, SearchesStopAtTheTerminator) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    char character;
    long position;
  };
  const Case cases[] = {
      {"abc", 'c', 2},
      {"abc", 'x', -1},
      {"abc", '\0', 3},
      {"", 'a', -1},
      {Repeat('a', 3000), 'b', -1},
      {Repeat('a', 2047), '\0', 2047},
  };
  for (const Case& c : cases) {
    auto source = GuardedText<Unit>(c.source);
    EXPECT_EQ(c.position, flavour::FindChar(source.data(), Unit(c.character))) << c.source.size();
  }
  for (const char* identifier : {"AB123", "AB0123", "AB12345", "", "A", "ABCDEFGHI"}) {
    auto text = GuardedText<Unit>(identifier);
    const long form = flavour::ControlId(text.data());
    EXPECT_GE(form, 0);
    EXPECT_LE(form, 3);
  }
}

TYPED_TEST(GuardPageNarrowAndWide, SubStringSearchStopsAtTheTerminator) {
  using Unit = TypeParam;
  struct Case {
    std::string source;
    std::string substring;
    long position;
  };
  const Case cases[] = {
      {"abcabd", "abd", 3},
      {"ab", "abc", -1},
      {"abc", "", 3},
      {"", "a", -1},
      {Repeat('a', 1022) + "b", "ab", 1021},
      {Repeat('a', 2000), "b", -1},
  };
  for (const Case& c : cases) {
    auto source = GuardedText<Unit>(c.source);
    auto substring = GuardedText<Unit>(c.substring);
    EXPECT_EQ(c.position, flavour::FindSub(source.data(), substring.data())) << c.source.size();
  }
}

TEST(GuardPage, NarrowReadersStopAtTheTerminator) {
  CMathOperation operation;
  const std::string texts[] = {"",
                               "12.5 K",
                               "#FF8000",
                               "UniCode(65,)",
                               "\xC7\xC8",
                               "SHORT",
                               "Kilo",
                               "Eng",
                               "ShowLinearDiagram(1)",
                               "1.2.3.4",
                               "AB123",
                               "(a+b)*2.5",
                               Repeat('9', 3000)};
  for (const std::string& ascii : texts) {
    SCOPED_TRACE(ascii.substr(0, 16));
    auto text = GuardedText<char>(ascii);
    const double engValue = operation.EngStr2SimpleValue(text.data());
    EXPECT_TRUE(engValue == CORVIXMATH_MISSING_VALUE || engValue >= 0.0);
    static_cast<void>(operation.HexStringToDecimal(text.data()));
    EXPECT_LE(operation.IsUniCodeString(text.data()), 1);
    EXPECT_LE(operation.ContainUnicodeChar(text.data()), 1);
    EXPECT_GE(operation.IsAlphaNumeric(text.data()), 0);
    static_cast<void>(operation.DataTypeStringToIndex(text.data()));
    static_cast<void>(operation.cpModelTOucModel(text.data()));
    static_cast<void>(operation.NumericValueStringToIndex(text.data()));
    EXPECT_GE(operation.ScaleString2Index(text.data()), -1);
    const long event = operation.CheckEventType(text.data());
    EXPECT_TRUE(event == 1 || event == -1);
    static_cast<void>(operation.IsComplexDataSource(text.data()));
    EXPECT_GE(operation.IsValidIPString(text.data()), 1);
    auto copy = GuardedText<char>(ascii);
    EXPECT_GE(operation.IsDigit(copy.data()), 0);
  }
  EXPECT_EQ(26, operation.HexStringToDecimal(GuardedText<char>("1A").data()));
  EXPECT_EQ(3, operation.ScaleString2Index(GuardedText<char>("kilo").data()));
}

TEST(GuardPage, UnitReadersStopAtTheTerminator) {
  CMathOperation operation;
  auto number = GuardedText<unsigned short>("  -42x");
  EXPECT_EQ(-42, operation.ToLong(number.data()));
  auto longNumber = GuardedText<unsigned short>(Repeat('7', 3000));
  EXPECT_EQ(2147483647L, operation.ToLong(longNumber.data()));
  auto text = GuardedText<unsigned short>("abc");
  auto longer = GuardedText<unsigned short>("abcd");
  EXPECT_EQ(3, operation.Len(text.data()));
  EXPECT_EQ(-1, operation.Compare(text.data(), longer.data()));
  EXPECT_EQ(1, operation.Compare(longer.data(), text.data()));
  EXPECT_EQ(0, operation.Compare(text.data(), text.data()));
}

}  // namespace

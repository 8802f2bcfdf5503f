// Guard-page rows for the scanning members: the scans read whole aligned blocks of up to 64
// bytes, so each source here ends with its terminator, or with the bound the member looks up
// to, at every unit position of the last 64 bytes before an inaccessible page. A scan that
// reads a block past the page faults; the answers must be those of the plain texts.
#include <gtest/gtest.h>

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
using corvix_test::NarrowAndUnits;
using corvix_test::NarrowAndWide;
namespace flavour = corvix_test::flavour;

constexpr std::size_t kGuardRowBytes = 64;
constexpr std::size_t kSearchBound = CORVIXMATH_TEXT_UNITS - 1;
constexpr std::size_t kRunBound = CORVIXMATH_FORMAT_UNITS - 1;
constexpr std::size_t kTrimLongest = CORVIXMATH_FORMAT_UNITS;
constexpr char kFiller = '#';

// `ascii` followed, when `terminated`, by a terminator, then by `slack` filler units, the last
// of them directly before the guard page.
template <class Unit>
GuardedBuffer<Unit> EndsBeforeGuard(const std::string& ascii, bool terminated, std::size_t slack) {
  GuardedBuffer<Unit> buffer(ascii.size() + (terminated ? 1 : 0) + slack, Unit(kFiller));
  for (std::size_t i = 0; buffer.valid() && i < ascii.size(); ++i)
    buffer[i] = static_cast<Unit>(static_cast<unsigned char>(ascii[i]));
  if (buffer.valid() && terminated) buffer[ascii.size()] = Unit(0);
  return buffer;
}

template <class Unit>
std::size_t SlackRows() {
  return kGuardRowBytes / sizeof(Unit);
}

template <class Unit>
std::string Narrow(const std::vector<Unit>& units) {
  std::string text;
  for (Unit u : units) {
    if (u == Unit(0)) break;
    text.push_back(static_cast<char>(u));
  }
  return text;
}

template <class Unit>
class GuardRowsAllFlavours : public ::testing::Test {};
TYPED_TEST_SUITE(GuardRowsAllFlavours, AllFlavours, FlavourNames);

template <class Unit>
class GuardRowsNarrowAndWide : public ::testing::Test {};
TYPED_TEST_SUITE(GuardRowsNarrowAndWide, NarrowAndWide, FlavourNames);

template <class Unit>
class GuardRowsNarrowAndUnits : public ::testing::Test {};
TYPED_TEST_SUITE(GuardRowsNarrowAndUnits, NarrowAndUnits, FlavourNames);

const std::string kTexts[] = {"",
                              "a",
                              "  12 ",
                              "00012.500",
                              std::string(37, ' ') + "x",
                              std::string(70, 'b') + "c" + std::string(9, '0')};

TYPED_TEST(GuardRowsAllFlavours, SearchAndExtraction) {
  using Unit = TypeParam;
  for (std::size_t slack = 0; slack < SlackRows<Unit>(); ++slack) {
    SCOPED_TRACE(testing::Message() << "slack " << slack);
    for (const std::string& text : kTexts) {
      auto source = EndsBeforeGuard<Unit>(text, true, slack);
      ASSERT_TRUE(source.valid());
      const long length = static_cast<long>(text.size());
      EXPECT_EQ(text.empty() ? -1 : length, flavour::FindChar(source.data(), Unit(0)));
      EXPECT_EQ(-1, flavour::FindChar(source.data(), Unit('z')));
      const std::size_t dot = text.find('.');
      std::vector<Unit> out(CORVIXMATH_TEXT_UNITS, Unit('?'));
      if (!text.empty()) {
        ASSERT_EQ(1, flavour::LeftBefore(source.data(), out.data(), Unit('.'),
                                         static_cast<long>(out.size())));
        EXPECT_EQ(text.substr(0, dot), Narrow(out));
        flavour::RightAfter(source.data(), out.data(), Unit('.'));
        EXPECT_EQ(dot == std::string::npos ? text : text.substr(dot + 1), Narrow(out));
        flavour::RightSide(source.data(), out.data(), 3);
        EXPECT_EQ(text.substr(text.size() < 3 ? 0 : text.size() - 3), Narrow(out));
        flavour::LeftSide(source.data(), out.data(), length + 5);
        EXPECT_EQ(text, Narrow(out));
      }
    }
    // No terminator before the bound: the bound (and a few filler units) end at the guard.
    auto searched = EndsBeforeGuard<Unit>(std::string(kSearchBound, 'a'), false, slack);
    EXPECT_EQ(-1, flavour::FindChar(searched.data(), Unit('b')));
    EXPECT_EQ(static_cast<long>(kSearchBound), flavour::FindChar(searched.data(), Unit(0)));
    std::vector<Unit> out(CORVIXMATH_TEXT_UNITS, Unit('?'));
    ASSERT_EQ(1, flavour::LeftBefore(searched.data(), out.data(), Unit('b'),
                                     static_cast<long>(out.size())));
    EXPECT_EQ(kSearchBound, Narrow(out).size());
    auto right = EndsBeforeGuard<Unit>(std::string(kRunBound, 'r'), false, slack);
    flavour::RightSide(right.data(), out.data(), 2000);
    EXPECT_EQ(kRunBound, Narrow(out).size());
  }
}

TYPED_TEST(GuardRowsAllFlavours, Trimming) {
  using Unit = TypeParam;
  for (std::size_t slack = 0; slack < SlackRows<Unit>(); ++slack) {
    SCOPED_TRACE(testing::Message() << "slack " << slack);
    for (const std::string& text : kTexts) {
      auto source = EndsBeforeGuard<Unit>(text, true, slack);
      std::vector<Unit> out(CORVIXMATH_FORMAT_UNITS, Unit('?'));
      const auto capacity = static_cast<unsigned int>(out.size());
      ASSERT_EQ(1, flavour::TrimLeft(source.data(), out.data(), Unit(' '), capacity));
      const std::size_t first = text.find_first_not_of(' ');
      EXPECT_EQ(first == std::string::npos ? "" : text.substr(first), Narrow(out));
      ASSERT_EQ(1, flavour::TrimRight(source.data(), out.data(), Unit('0'), capacity));
      const std::size_t last = text.find_last_not_of('0');
      EXPECT_EQ(last == std::string::npos ? "" : text.substr(0, last + 1), Narrow(out));
    }
    // Trimming measures up to one unit past the longest source it accepts.
    auto longest = EndsBeforeGuard<Unit>(std::string(kTrimLongest, ' '), true, slack);
    std::vector<Unit> out(CORVIXMATH_FORMAT_UNITS, Unit('?'));
    const auto capacity = static_cast<unsigned int>(out.size());
    EXPECT_EQ(1, flavour::TrimRight(longest.data(), out.data(), Unit('0'), capacity));
    auto unterminated = EndsBeforeGuard<Unit>(std::string(kTrimLongest + 1, ' '), false, slack);
    EXPECT_EQ(0, flavour::TrimLeft(unterminated.data(), out.data(), Unit(' '), capacity));
    EXPECT_EQ(0, flavour::TrimRight(unterminated.data(), out.data(), Unit(' '), capacity));
  }
}

TYPED_TEST(GuardRowsNarrowAndWide, SubStringSearch) {
  using Unit = TypeParam;
  for (std::size_t slack = 0; slack < SlackRows<Unit>(); ++slack) {
    SCOPED_TRACE(testing::Message() << "slack " << slack);
    for (const std::string& text : kTexts) {
      auto source = EndsBeforeGuard<Unit>(text, true, slack);
      auto run = EndsBeforeGuard<Unit>("0", true, slack);
      const std::size_t at = text.find('0');
      EXPECT_EQ(at == std::string::npos ? -1 : static_cast<long>(at),
                flavour::FindSub(source.data(), run.data()));
    }
    auto source = EndsBeforeGuard<Unit>(std::string(kRunBound, 'a'), false, slack);
    auto run = EndsBeforeGuard<Unit>("ab", true, slack);
    EXPECT_EQ(-1, flavour::FindSub(source.data(), run.data()));
  }
}

TYPED_TEST(GuardRowsNarrowAndUnits, SubStringStopsAtTheTerminator) {
  using Unit = TypeParam;
  for (std::size_t slack = 0; slack < SlackRows<Unit>(); ++slack) {
    SCOPED_TRACE(testing::Message() << "slack " << slack);
    for (const std::string& text : kTexts) {
      auto source = EndsBeforeGuard<Unit>(text, true, slack);
      std::vector<Unit> out(200, Unit('?'));
      ASSERT_EQ(1, flavour::Sub(source.data(), out.data(), 1, 150));
      EXPECT_EQ(text.size() <= 1 ? "" : text.substr(1), Narrow(out));
    }
  }
}

}  // namespace

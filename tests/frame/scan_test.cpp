// The scans against a unit-at-a-time reading of the same units, for 8- and 16-bit units at
// every start within a block, every length and bound around the block sizes, and units whose
// bits test the comparisons (the top bit set, a lane that differs from the pattern in one bit,
// a zero next to the sought unit). The build's own body answers through the public scans; the
// word body, which the other platforms use, is run here too through the block scans.
#define CORVIXMATH_SCAN_TEST_WORDS 1
#include "frame/internal/scan.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

namespace {

namespace scan = corvix::scan;
namespace detail = corvix::scan::detail;

// The units texts are drawn from, for a sought unit `sought`.
template <class Unit>
std::vector<Unit> Alphabet(Unit sought) {
  std::vector<Unit> units = {Unit(0),    sought,          Unit(sought ^ 1), Unit(sought ^ 0x80),
                             Unit(0x7F), Unit(0x80),      Unit(0xFF),       Unit(~Unit(0)),
                             Unit('a'),  Unit(sought + 1)};
  if (sizeof(Unit) == 2) {
    units.push_back(static_cast<Unit>(sought ^ 0x100));
    units.push_back(static_cast<Unit>(0x8000));
    units.push_back(static_cast<Unit>(0x0100));
  }
  return units;
}

struct Expected {
  std::size_t length, found, firstOrEnd, firstOther, endOfLastOther, pair;
};

// The unit after the sought one in the pairs looked for.
template <class Unit>
Unit Second(Unit sought) {
  return static_cast<Unit>(sought ^ 1);
}

template <class Unit>
Expected Reference(const Unit* units, std::size_t limit, std::size_t count, Unit sought) {
  Expected e{};
  e.length = detail::ScanUntil(units, limit, [](Unit u) { return u == Unit(0); });
  e.found = detail::ScanUntil(units, count, [sought](Unit u) { return u == sought; });
  e.firstOrEnd =
      detail::ScanUntil(units, limit, [sought](Unit u) { return u == Unit(0) || u == sought; });
  e.firstOther = detail::ScanUntil(units, count, [sought](Unit u) { return u != sought; });
  e.endOfLastOther = detail::ScanBackUntil(units, count, [sought](Unit u) { return u != sought; });
  e.pair = count;
  for (std::size_t i = 0; i + 1 < count; ++i) {
    if (units[i] == sought && units[i + 1] == Second(sought)) {
      e.pair = i;
      break;
    }
  }
  return e;
}

using detail::Look;

template <class Body, class Unit>
Expected ByBody(const Unit* units, std::size_t limit, std::size_t count, Unit sought) {
  return {detail::ScanInBlocks<Body>(Look::kUnit, units, limit, Unit(0)),
          detail::ScanInBlocks<Body>(Look::kUnit, units, count, sought),
          detail::ScanInBlocks<Body>(Look::kUnitOrEnd, units, limit, sought),
          detail::ScanInBlocks<Body>(Look::kOther, units, count, sought),
          detail::ScanInBlocks<Body>(Look::kLastOther, units, count, sought),
          detail::ScanInBlocks<Body>(Look::kPair, units, count, sought, Second(sought))};
}

#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
// The 32- and 64-byte bodies, whichever this processor runs (level 1 and 2).
template <class Unit>
Expected ByWideBody(int level, const Unit* units, std::size_t limit, std::size_t count,
                    Unit sought) {
  using Same = typename std::conditional<sizeof(Unit) == 1, std::uint8_t, std::uint16_t>::type;
  const Same* same = reinterpret_cast<const Same*>(units);
  const auto run = [level, same, sought](Look look, std::size_t bound, Unit unit) {
    const Same second = static_cast<Same>(Second(sought));
    return level == 2 ? detail::Avx512Scan(look, same, bound, static_cast<Same>(unit), second)
                      : detail::Avx2Scan(look, same, bound, static_cast<Same>(unit), second);
  };
  return {run(Look::kUnit, limit, Unit(0)),     run(Look::kUnit, count, sought),
          run(Look::kUnitOrEnd, limit, sought), run(Look::kOther, count, sought),
          run(Look::kLastOther, count, sought), run(Look::kPair, count, sought)};
}
#endif

template <class Unit>
Expected ByLibrary(const Unit* units, std::size_t limit, std::size_t count, Unit sought) {
  return {scan::BoundedLength(units, limit),
          scan::FindUnit(units, count, sought),
          scan::FirstOrEnd(units, limit, sought),
          scan::FirstOther(units, count, sought),
          scan::EndOfLastOther(units, count, sought),
          scan::FirstPair(units, count, sought, Second(sought))};
}

void ExpectSame(const Expected& want, const Expected& got) {
  EXPECT_EQ(want.length, got.length);
  EXPECT_EQ(want.found, got.found);
  EXPECT_EQ(want.firstOrEnd, got.firstOrEnd);
  EXPECT_EQ(want.firstOther, got.firstOther);
  EXPECT_EQ(want.endOfLastOther, got.endOfLastOther);
  EXPECT_EQ(want.pair, got.pair);
}

template <class Unit>
class Scans : public ::testing::Test {};
using ScanUnits = ::testing::Types<char, unsigned char, unsigned short, char16_t>;
struct ScanUnitNames {
  template <class Unit>
  static std::string GetName(int index) {
    static const char* const kNames[] = {"char", "unsigned_char", "unsigned_short", "char16_t"};
    return kNames[index];
  }
};
TYPED_TEST_SUITE(Scans, ScanUnits, ScanUnitNames);

// Runs of the sought unit (as trimming meets them), scattered zeros and near misses, from
// every start within a 64-byte block, against every bound up to past the text.
TYPED_TEST(Scans, AgreeWithAUnitAtATime) {
  using Unit = TypeParam;
  constexpr std::size_t kStarts = 64 / sizeof(Unit);
  constexpr std::size_t kLongest = 600;
  alignas(256) Unit storage[kStarts + kLongest + 256];
  std::mt19937 random(29);
  for (Unit sought : {Unit(' '), Unit('0'), Unit(0x80), Unit(~Unit(0)), Unit(0)}) {
    const std::vector<Unit> alphabet = Alphabet(sought);
    for (int round = 0; round < 40; ++round) {
      // Runs of the sought unit at both ends, other units between.
      const std::size_t lead = random() % 140, tail = random() % 140, middle = random() % 320;
      std::size_t filled = 0;
      for (std::size_t i = 0; i < sizeof storage / sizeof(Unit); ++i)
        storage[i] = alphabet[1 + random() % (alphabet.size() - 1)];
      const std::size_t start = random() % kStarts;
      Unit* units = storage + start;
      for (std::size_t i = 0; i < lead; ++i)
        units[filled++] = sought;
      for (std::size_t i = 0; i < middle; ++i)
        units[filled++] = alphabet[random() % alphabet.size()];
      for (std::size_t i = 0; i < tail; ++i)
        units[filled++] = sought;
      for (std::size_t limit : {std::size_t(0), std::size_t(1), lead, lead + middle / 2, filled,
                                filled + 7, std::size_t(kLongest)}) {
        if (limit > kLongest) continue;
        const std::size_t count = limit;
        SCOPED_TRACE(testing::Message() << "start " << start << ", limit " << limit << ", sought "
                                        << static_cast<unsigned>(sought));
        const Expected want = Reference(units, limit, count, sought);
        ExpectSame(want, ByLibrary(units, limit, count, sought));
        ExpectSame(want, ByBody<detail::WordBody>(units, limit, count, sought));
#if !defined(CORVIXMATH_SCAN_BODY_EXACT) && !defined(CORVIXMATH_SCAN_BODY_WORDS)
        ExpectSame(want, ByBody<detail::Body>(units, limit, count, sought));
#endif
#if defined(CORVIXMATH_SCAN_WIDE_BODIES)
        for (int level = 1; level <= detail::WideLevel(); ++level)
          ExpectSame(want, ByWideBody(level, units, limit, count, sought));
#endif
      }
    }
  }
}

// A bound of "the whole text" must not wrap the scans' offsets.
TYPED_TEST(Scans, WholeTextBound) {
  using Unit = TypeParam;
  // Blocks read past the terminator stay within the array: a group of four is at most 256 bytes.
  alignas(256) Unit text[512 / sizeof(Unit)] = {};
  for (std::size_t start = 0; start < 16 / sizeof(Unit); ++start) {
    for (Unit& unit : text)
      unit = Unit('x');
    text[start + 20] = Unit(0);
    const std::size_t whole = static_cast<std::size_t>(-1);
    EXPECT_EQ(20u, scan::BoundedLength(text + start, whole));
    EXPECT_EQ(20u, scan::FirstOrEnd(text + start, whole, Unit('y')));
    using Compare = detail::Comparisons<detail::WordBody, Unit>;
    EXPECT_EQ(20u, detail::FirstInBlocks<detail::WordBody>(
                       text + start, detail::ClampedLimit<Unit>(whole),
                       typename Compare::IsUnit{detail::WordBody::Pattern(Unit(0))}));
  }
}

}  // namespace

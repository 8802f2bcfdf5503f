// Search and extraction over the three string flavours: FindCharposInString,
// FindSubStringStartPos, ExtractLeftBeforeChar, ExtractRightAfterChar (also in place),
// ExtractLefttSide, ExtractRightSide and SubString, with sources around the 1023- and 2047-unit
// working buffers and capacities around the length of the result.
//
// Each call is checked against a model of its documented steps in its own flavour, and on ASCII
// input the narrow, unit-string and wide flavours must agree unit for unit.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/flavours.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;
using corvix_fuzz::UnitValues;
namespace flavour = corvix_test::flavour;

constexpr std::size_t kSearchUnits = CORVIXMATH_TEXT_UNITS - 1;
constexpr std::size_t kSubStringUnits = CORVIXMATH_FORMAT_UNITS - 1;
constexpr std::size_t kRightSideUnits = CORVIXMATH_FORMAT_UNITS - 1;
constexpr std::size_t kRightAfterUnits = CORVIXMATH_TEXT_UNITS;
// Counts beyond this get a destination sized by what can be written, not by the count.
constexpr long kLargestCountBuffer = 5000;

const char kAlphabet[] = ".,:()\\ abAB01";

// What a call gave, in a form every flavour shares.
struct Outcome {
  long result = 0;
  bool written = false;
  UnitValues text;

  bool operator==(const Outcome& other) const {
    return result == other.result && written == other.written && text == other.text;
  }
};

template <class Unit>
Outcome OutcomeOf(long result, const Destination<Unit>& destination) {
  Outcome outcome;
  outcome.result = result;
  outcome.written = !destination.Unchanged();
  outcome.text = corvix_fuzz::ValuesOf(destination.Text());
  return outcome;
}

// Position of the first `unit` in the first `limit` units, or the cut length when absent.
template <class Unit>
std::size_t FirstOrEnd(const std::vector<Unit>& text, std::size_t limit, Unit unit) {
  const std::size_t length = std::min(text.size(), limit);
  for (std::size_t i = 0; i < length; ++i)
    if (text[i] == unit) return i;
  return length;
}

template <class Unit>
std::vector<Unit> Range(const std::vector<Unit>& text, std::size_t from, std::size_t to) {
  return std::vector<Unit>(text.begin() + static_cast<long>(from),
                           text.begin() + static_cast<long>(to));
}

// Units for a destination that a member writes `count` units and a terminator into, `taken` of
// them from the text: count + 1 as a caller would give, or what can be written for huge counts.
std::size_t CountBuffer(long count, std::size_t taken) {
  if (count <= 0) return 1;
  return count > kLargestCountBuffer ? taken + 1 : static_cast<std::size_t>(count) + 1;
}

// Everything a call needs, drawn once and used in every flavour.
struct Arguments {
  UnitValues source;
  UnitValues other;  // the substring
  std::uint32_t character = 0;
  long count = 0;
  long start = 0;
  std::size_t capacityChoice = 0;
  bool inPlace = false;
};

template <class Unit>
Outcome FindChar(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  const Unit character = static_cast<Unit>(a.character);
  const std::vector<Unit> units = source.Units();
  const long result = flavour::FindChar(source.data(), character);
  const std::size_t length = std::min(units.size(), kSearchUnits);
  const std::size_t at = FirstOrEnd(units, kSearchUnits, character);
  long expected = -1;
  if (length != 0 && (at < length || character == Unit(0))) expected = static_cast<long>(at);
  FUZZ_CHECK(result == expected);
  FUZZ_CHECK(source.Holds(units));
  Outcome outcome;
  outcome.result = result;
  return outcome;
}

template <class Unit>
Outcome FindSub(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  Source<Unit> substring(corvix_fuzz::As<Unit>(a.other));
  const std::vector<Unit> cut = corvix_fuzz::Cut(source.Units(), kSubStringUnits);
  const std::vector<Unit> wanted = substring.Units();
  long expected = -1;
  if (wanted.empty()) {
    expected = static_cast<long>(cut.size());
  } else {
    const auto hit = std::search(cut.begin(), cut.end(), wanted.begin(), wanted.end());
    if (hit != cut.end()) expected = static_cast<long>(hit - cut.begin());
  }
  const long result = flavour::FindSub(source.data(), substring.data());
  FUZZ_CHECK(result == expected);
  Outcome outcome;
  outcome.result = result;
  return outcome;
}

template <class Unit>
Outcome LeftBefore(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  const Unit character = static_cast<Unit>(a.character);
  const std::vector<Unit> units = source.Units();
  const std::size_t left = FirstOrEnd(units, kSearchUnits, character);
  const std::vector<Unit> expectedText = Range(units, 0, left);

  // The capacity is a long used as an unsigned 32-bit count, as on 32-bit Windows.
  long capacity;
  std::size_t units32;
  switch (a.capacityChoice % 8) {
    case 0:
      capacity = -1 - static_cast<long>(a.count & 7);
      break;  // huge
    case 1:
      capacity = 0x100000000L + static_cast<long>(left) + (a.count & 3) - 1;
      break;
    case 2:
      capacity = static_cast<long>(left);
      break;
    case 3:
      capacity = static_cast<long>(left) + 1;
      break;
    case 4:
      capacity = left == 0 ? 0 : static_cast<long>(left) - 1;
      break;
    default:
      capacity = static_cast<long>(a.count & 0xFFF);
      break;
  }
  units32 = static_cast<std::uint32_t>(static_cast<unsigned long>(capacity));
  const std::size_t allocated = std::min<std::size_t>(units32, left + 1);
  Destination<Unit> destination(allocated, static_cast<Unit>('#'));

  const long result = flavour::LeftBefore(source.data(), destination.data(), character, capacity);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  if (units.empty()) {
    FUZZ_CHECK(result == 1);
    FUZZ_CHECK(destination.Unchanged());
  } else if (left < units32) {
    FUZZ_CHECK(result == 1);
    FUZZ_CHECK(destination.Holds(expectedText));
  } else {
    FUZZ_CHECK(result == 0);
    FUZZ_CHECK(destination.Unchanged());
  }
  return OutcomeOf(result, destination);
}

template <class Unit>
Outcome RightAfter(const Arguments& a) {
  const Unit character = static_cast<Unit>(a.character);
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.source);
  const std::vector<Unit> cut = corvix_fuzz::Cut(units, kSearchUnits);
  const std::size_t at = FirstOrEnd(units, kSearchUnits, character);
  const std::size_t from = at < cut.size() ? at + 1 : 0;
  const std::vector<Unit> expectedText = Range(cut, from, cut.size());
  const bool untouched = units.empty() || character == Unit(0);

  // Source and destination one buffer, as callers that strip fields in a loop use it.
  const bool inPlace = a.inPlace && units.size() < kRightAfterUnits;
  Destination<Unit> destination =
      inPlace ? corvix_fuzz::Holding(units, kRightAfterUnits) : Destination<Unit>(kRightAfterUnits);
  if (inPlace) {
    flavour::RightAfter(destination.data(), destination.data(), character);
  } else {
    Source<Unit> source(units);
    flavour::RightAfter(source.data(), destination.data(), character);
    FUZZ_CHECK(source.Holds(units));
  }
  FUZZ_CHECK(destination.CanariesIntact());
  if (untouched) {
    FUZZ_CHECK(destination.Unchanged());
  } else {
    FUZZ_CHECK(destination.Holds(expectedText));
  }
  return OutcomeOf(0, destination);
}

template <class Unit>
Outcome LeftSide(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  const std::vector<Unit> units = source.Units();
  const long count = a.count;
  const std::size_t taken =
      count <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), units.size());
  Destination<Unit> destination(CountBuffer(count, taken));
  flavour::LeftSide(source.data(), destination.data(), count);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  if (units.empty()) {
    FUZZ_CHECK(destination.Unchanged());
  } else {
    FUZZ_CHECK(destination.Holds(Range(units, 0, taken)));
  }
  return OutcomeOf(0, destination);
}

template <class Unit>
Outcome RightSide(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  const std::vector<Unit> units = source.Units();
  const std::vector<Unit> cut = corvix_fuzz::Cut(units, kRightSideUnits);
  const long count = a.count;
  const std::size_t taken =
      count <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), cut.size());
  Destination<Unit> destination(CountBuffer(count, taken));
  flavour::RightSide(source.data(), destination.data(), count);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  if (units.empty()) {
    FUZZ_CHECK(destination.Unchanged());
  } else {
    FUZZ_CHECK(destination.Holds(Range(cut, cut.size() - taken, cut.size())));
  }
  return OutcomeOf(0, destination);
}

template <class Unit>
Outcome Sub(const Arguments& a) {
  Source<Unit> source(corvix_fuzz::As<Unit>(a.source));
  const std::vector<Unit> units = source.Units();
  const long start = a.start;
  const long count = a.count;
  const bool startInside = start >= 0 && static_cast<std::size_t>(start) <= units.size();
  const std::size_t rest = startInside ? units.size() - static_cast<std::size_t>(start) : 0;
  const std::size_t taken =
      count <= 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(count), rest);
  Destination<Unit> destination(CountBuffer(count, taken));
  const long result = flavour::Sub(source.data(), destination.data(), start, count);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  FUZZ_CHECK(result == 1);
  if (startInside) {
    const std::size_t from = static_cast<std::size_t>(start);
    FUZZ_CHECK(destination.Holds(Range(units, from, from + taken)));
  }
  return OutcomeOf(result, destination);
}

long CountOrStart(FuzzInput& input, std::size_t length) {
  switch (input.Pick(6)) {
    case 0:
      return static_cast<long>(length);
    case 1:
      return static_cast<long>(length) + static_cast<long>(input.Byte() % 5) - 2;
    case 2:
      return -static_cast<long>(input.Byte() % 3);
    case 3:
      return input.Long();
    default:
      return static_cast<long>(input.Byte() % 32);
  }
}

// The character to look for: NUL, any 16-bit unit, any byte, or (most often) one of the
// alphabet's.
std::uint32_t Character(FuzzInput& input) {
  switch (input.Pick(8)) {
    case 0:
      return 0;
    case 1:
      return input.U16();
    case 2:
      return input.Byte();
    default:
      return static_cast<unsigned char>(kAlphabet[input.Pick(sizeof kAlphabet - 1)]);
  }
}

Arguments ReadArguments(FuzzInput& input) {
  Arguments a;
  a.source = input.Text(kAlphabet, input.Bool() ? 16 : 8);
  a.other = input.Text(kAlphabet, 8);
  a.character = Character(input);
  a.count = CountOrStart(input, a.source.size());
  a.start = CountOrStart(input, a.source.size());
  a.capacityChoice = input.Byte();
  a.inPlace = input.Bool();
  return a;
}

// Runs one member in every flavour it has, each against its model; the flavours' outcomes.
struct Outcomes {
  Outcome narrow, units, wide;
  bool haveWide = true;
};

Outcomes RunMember(std::size_t member, const Arguments& a) {
  Outcomes o;
  switch (member) {
    case 0:
      o.narrow = FindChar<char>(a), o.units = FindChar<unsigned short>(a);
      o.wide = FindChar<wchar_t>(a);
      break;
    case 1:
      o.narrow = FindSub<char>(a), o.wide = FindSub<wchar_t>(a), o.units = o.wide;
      break;
    case 2:
      o.narrow = LeftBefore<char>(a), o.units = LeftBefore<unsigned short>(a);
      o.wide = LeftBefore<wchar_t>(a);
      break;
    case 3:
      o.narrow = RightAfter<char>(a), o.units = RightAfter<unsigned short>(a);
      o.wide = RightAfter<wchar_t>(a);
      break;
    case 4:
      o.narrow = LeftSide<char>(a), o.units = LeftSide<unsigned short>(a);
      o.wide = LeftSide<wchar_t>(a);
      break;
    case 5:
      o.narrow = RightSide<char>(a), o.units = RightSide<unsigned short>(a);
      o.wide = RightSide<wchar_t>(a);
      break;
    default:
      o.narrow = Sub<char>(a), o.units = Sub<unsigned short>(a), o.haveWide = false;
      break;
  }
  return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t member = input.Pick(7);
  const Arguments a = ReadArguments(input);
  corvix_fuzz::Note("member %zu, source of %zu units, character %u, count %ld, start %ld", member,
                    a.source.size(), a.character, a.count, a.start);

  const Outcomes o = RunMember(member, a);
  // On ASCII text the flavours agree.
  if (corvix_fuzz::IsAscii(a.source) && corvix_fuzz::IsAscii(a.other) && a.character < 0x80) {
    FUZZ_CHECK(o.narrow == o.units);
    if (o.haveWide) FUZZ_CHECK(o.units == o.wide);
  }
  return 0;
}

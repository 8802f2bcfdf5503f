// Trimming and in-place editing over the string flavours: TrimLeft, TrimRight (also in place),
// InsertCharInCharArray, RemoveCharFromCharArray, RemoveFromCharArray, ReplaceCharInCharAaary,
// and the unit-string basics Copy, Len, Compare and LongToWChar. Sources cluster around the
// 1024-unit working buffer, capacities around the trimmed length; positions and counts also
// fall outside the text.
//
// Each call is checked against a model of its documented steps in its own flavour, with the
// library's rule that a text as long as the capacity is refused; editing buffers are exactly as
// large as the result needs. On ASCII input the flavours must agree.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"
#include "tests/support/flavours.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Holding;
using corvix_fuzz::Source;
using corvix_fuzz::UnitValues;
using corvix_fuzz::ValuesOf;
namespace flavour = corvix_test::flavour;

constexpr std::size_t kTrimSourceUnits = CORVIXMATH_FORMAT_UNITS;
constexpr std::size_t kTrimUnits = CORVIXMATH_FORMAT_UNITS - 1;

const char kAlphabet[] = " 0.,+\\abc";

struct Outcome {
  long result = 0;
  UnitValues buffer;  // the whole destination or edited buffer

  bool operator==(const Outcome& other) const {
    return result == other.result && buffer == other.buffer;
  }
};

struct Arguments {
  UnitValues text;
  UnitValues other;
  std::uint32_t character = 0;
  std::uint32_t replacement = 0;
  long position = 0;
  long count = 0;
  std::size_t capacityChoice = 0;
  bool inPlace = false;
  bool right = false;
};

template <class Unit>
Outcome Trim(const Arguments& a) {
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.text);
  const Unit character = static_cast<Unit>(a.character);

  const bool refusedSource = units.size() > kTrimSourceUnits;
  std::vector<Unit> kept = corvix_fuzz::Cut(units, kTrimUnits);
  if (character != Unit(0)) {
    if (a.right) {
      while (!kept.empty() && kept.back() == character)
        kept.pop_back();
    } else {
      std::size_t first = 0;
      while (first < kept.size() && kept[first] == character)
        ++first;
      kept.erase(kept.begin(), kept.begin() + static_cast<long>(first));
    }
  }

  Outcome outcome;
  if (a.inPlace) {
    // Trimming in place with the text's own length as the capacity, as the number check does.
    Destination<Unit> buffer = Holding(units, units.size() + 1);
    const unsigned capacity = static_cast<unsigned>(units.size());
    outcome.result = a.right ? flavour::TrimRight(buffer.data(), buffer.data(), character, capacity)
                             : flavour::TrimLeft(buffer.data(), buffer.data(), character, capacity);
    FUZZ_CHECK(buffer.CanariesIntact());
    const bool fits = !refusedSource && kept.size() < capacity;
    FUZZ_CHECK(outcome.result == (fits ? 1 : 0));
    if (fits) {
      FUZZ_CHECK(buffer.Holds(kept));
    } else {
      FUZZ_CHECK(buffer.Unchanged());
    }
    outcome.buffer = ValuesOf(buffer.data(), buffer.capacity());
    return outcome;
  }

  Source<Unit> source(units);
  std::size_t capacity;
  switch (a.capacityChoice % 4) {
    case 0:
      capacity = kept.size();
      break;
    case 1:
      capacity = kept.size() + 1;
      break;
    case 2:
      capacity = kept.empty() ? 0 : kept.size() - 1;
      break;
    default:
      capacity = (a.capacityChoice >> 2) % 40;
      break;
  }
  Destination<Unit> destination(capacity, static_cast<Unit>('#'));
  outcome.result = a.right ? flavour::TrimRight(source.data(), destination.data(), character,
                                                static_cast<unsigned>(capacity))
                           : flavour::TrimLeft(source.data(), destination.data(), character,
                                               static_cast<unsigned>(capacity));
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(source.Holds(units));
  const bool fits = !refusedSource && kept.size() < capacity;
  FUZZ_CHECK(outcome.result == (fits ? 1 : 0));
  if (fits) {
    FUZZ_CHECK(destination.Holds(kept));
  } else {
    FUZZ_CHECK(destination.Unchanged());
  }
  outcome.buffer = ValuesOf(destination.data(), destination.capacity());
  return outcome;
}

template <class Unit>
Outcome Insert(const Arguments& a) {
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.text);
  const Unit character = static_cast<Unit>(a.character);
  Destination<Unit> buffer = Holding(units, units.size() + 2);
  flavour::Insert(buffer.data(), a.position, character);
  FUZZ_CHECK(buffer.CanariesIntact());
  if (a.position >= 0 && static_cast<std::size_t>(a.position) <= units.size()) {
    std::vector<Unit> expected = units;
    expected.insert(expected.begin() + a.position, character);
    // Inserting NUL ends the text there; the units after it are still moved.
    for (std::size_t i = 0; i < expected.size(); ++i)
      FUZZ_CHECK(buffer.data()[i] == expected[i]);
    FUZZ_CHECK(buffer.data()[expected.size()] == Unit(0));
  }
  // Positions outside the text: whatever happens stays inside the buffer (the canaries).
  Outcome outcome;
  outcome.buffer = ValuesOf(buffer.data(), buffer.capacity());
  return outcome;
}

template <class Unit>
Outcome RemoveChar(const Arguments& a) {
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.text);
  const Unit character = static_cast<Unit>(a.character);
  Destination<Unit> buffer = Holding(units, units.size() + 1);
  flavour::RemoveChar(buffer.data(), character);
  FUZZ_CHECK(buffer.CanariesIntact());
  std::vector<Unit> expected;
  for (Unit unit : units)
    if (unit != character) expected.push_back(unit);
  FUZZ_CHECK(buffer.Holds(expected));
  Outcome outcome;
  outcome.buffer = ValuesOf(buffer.data(), buffer.Length());
  return outcome;
}

template <class Unit>
Outcome RemoveRange(const Arguments& a) {
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.text);
  const int start = static_cast<int>(a.position);
  const int count = static_cast<int>(a.count);
  Destination<Unit> buffer = Holding(units, units.size() + 1);
  flavour::RemoveRange(buffer.data(), start, count);
  FUZZ_CHECK(buffer.CanariesIntact());
  FUZZ_CHECK(buffer.Terminated());
  if (count >= 0) {
    std::vector<Unit> expected = units;
    const unsigned from = static_cast<unsigned>(start);
    if (from < units.size()) {
      const std::size_t end =
          std::min<std::size_t>(units.size(), std::size_t(from) + std::size_t(count));
      expected.erase(expected.begin() + from, expected.begin() + static_cast<long>(end));
    }
    FUZZ_CHECK(buffer.Holds(expected));
  }
  Outcome outcome;
  outcome.buffer = ValuesOf(buffer.data(), buffer.Length());
  return outcome;
}

template <class Unit>
Outcome Replace(const Arguments& a) {
  const std::vector<Unit> units = corvix_fuzz::As<Unit>(a.text);
  const Unit find = static_cast<Unit>(a.character);
  const Unit replacement = static_cast<Unit>(a.replacement);
  Destination<Unit> buffer = Holding(units, units.size() + 1);
  flavour::Replace(buffer.data(), find, replacement);
  FUZZ_CHECK(buffer.CanariesIntact());
  std::vector<Unit> expected = units;
  if (find != Unit(0))
    for (Unit& unit : expected)
      if (unit == find) unit = replacement;
  expected.push_back(Unit(0));
  for (std::size_t i = 0; i < expected.size(); ++i)
    FUZZ_CHECK(buffer.data()[i] == expected[i]);
  Outcome outcome;
  outcome.buffer = ValuesOf(buffer.data(), buffer.capacity());
  return outcome;
}

// Copy, Len, Compare and LongToWChar: unit strings only.
void UnitBasics(FuzzInput& input, const Arguments& a) {
  CMathOperation library;
  using U = unsigned short;
  Source<U> first(corvix_fuzz::As<U>(a.text));
  Source<U> second(corvix_fuzz::As<U>(a.other));
  const std::vector<U> units = first.Units();

  FUZZ_CHECK(library.Len(first.data()) == static_cast<long>(units.size()));

  const std::vector<U> others = second.Units();
  const int order =
      units == others
          ? 0
          : (std::lexicographical_compare(units.begin(), units.end(), others.begin(), others.end())
                 ? -1
                 : 1);
  FUZZ_CHECK(library.Compare(first.data(), second.data()) == order);
  FUZZ_CHECK(library.Compare(second.data(), first.data()) == -order);
  FUZZ_CHECK(library.Compare(first.data(), first.data()) == 0);

  const std::size_t capacity = input.Capacity(units.size());
  Destination<U> copy(capacity, static_cast<U>('#'));
  library.Copy(copy.data(), first.data(), static_cast<unsigned>(capacity));
  FUZZ_CHECK(copy.CanariesIntact());
  FUZZ_CHECK(first.Holds(units));
  if (units.size() < capacity) FUZZ_CHECK(copy.Holds(units));

  const long value = input.Pick(4) == 0 ? static_cast<long>(input.U64()) : input.Long();
  char decimal[32];
  std::snprintf(decimal, sizeof decimal, "%d", static_cast<std::int32_t>(value));
  const std::vector<U> text = corvix_fuzz::UnitsOf<U>(decimal);
  const std::size_t textCapacity = input.Capacity(text.size());
  Destination<U> number(textCapacity, static_cast<U>('#'));
  library.LongToWChar(value, number.data(), static_cast<unsigned>(textCapacity));
  FUZZ_CHECK(number.CanariesIntact());
  if (value >= INT32_MIN && value <= INT32_MAX && text.size() < textCapacity)
    FUZZ_CHECK(number.Holds(text));
}

long PositionOrCount(FuzzInput& input, std::size_t length) {
  switch (input.Pick(6)) {
    case 0:
      return static_cast<long>(length);
    case 1:
      return static_cast<long>(length) + static_cast<long>(input.Byte() % 5) - 2;
    case 2:
      return -static_cast<long>(input.Byte() % 3) - 1;
    case 3:
      return static_cast<long>(static_cast<std::int32_t>(input.U32()));
    default:
      return static_cast<long>(input.Byte() % 16);
  }
}

std::uint32_t Character(FuzzInput& input) {
  switch (input.Pick(6)) {
    case 0:
      return 0;
    case 1:
      return input.U16();
    default:
      return static_cast<unsigned char>(kAlphabet[input.Pick(sizeof kAlphabet - 1)]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::size_t member = input.Pick(6);
  Arguments a;
  a.text = input.Text(kAlphabet, input.Bool() ? 16 : 8);
  a.other = input.Text(kAlphabet, 16);
  a.character = Character(input);
  a.replacement = Character(input);
  a.position = PositionOrCount(input, a.text.size());
  a.count = PositionOrCount(input, a.text.size());
  a.capacityChoice = input.Byte();
  a.inPlace = input.Pick(3) == 0;
  a.right = input.Bool();
  corvix_fuzz::Note("member %zu, text of %zu units, character %u, position %ld, count %ld", member,
                    a.text.size(), a.character, a.position, a.count);

  Outcome narrow, units, wide;
  bool haveWide = false;
  switch (member) {
    case 0:
      narrow = Trim<char>(a), units = Trim<unsigned short>(a), wide = Trim<wchar_t>(a);
      haveWide = true;
      break;
    case 1:
      narrow = Insert<char>(a), units = Insert<unsigned short>(a), wide = Insert<wchar_t>(a);
      haveWide = true;
      break;
    case 2:
      narrow = RemoveChar<char>(a), units = RemoveChar<unsigned short>(a);
      break;
    case 3:
      narrow = RemoveRange<char>(a), units = RemoveRange<unsigned short>(a);
      break;
    case 4:
      narrow = Replace<char>(a), units = Replace<unsigned short>(a);
      break;
    default:
      UnitBasics(input, a);
      return 0;
  }
  if (corvix_fuzz::IsAscii(a.text) && a.character < 0x80 && a.replacement < 0x80) {
    FUZZ_CHECK(narrow == units);
    if (haveWide) FUZZ_CHECK(units == wide);
  }
  return 0;
}

// Paths, narrow and wide: ExtractPathAndName with null or real outputs and capacities around
// the name's length, RemoveDirFromPath with 0 to 255 levels, into an output or over the path.
// Paths cluster around the 260-unit working buffer and are mostly backslashes and names.
//
// Each call is checked against a model of its documented steps on the 259 units that take
// part, with the library's rule that a name as long as its capacity is refused; on ASCII input
// the narrow and wide flavours must agree.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;
using corvix_fuzz::UnitValues;

constexpr std::size_t kPathUnits = CORVIXMATH_PATH_UNITS;
constexpr std::size_t kPathTextUnits = kPathUnits - 1;

struct Outcome {
  long result = 0;
  UnitValues directory;
  UnitValues name;

  bool operator==(const Outcome& other) const {
    return result == other.result && directory == other.directory && name == other.name;
  }
};

struct Arguments {
  UnitValues path;
  bool nullDirectory = false;
  bool nullName = false;
  std::size_t nameCapacityChoice = 0;
  std::size_t directoryCapacity = 0;
  unsigned char levels = 0;
  bool overPath = false;
};

template <class Unit>
std::size_t LastSeparator(const std::vector<Unit>& text) {
  for (std::size_t i = text.size(); i > 0; --i)
    if (text[i - 1] == Unit('\\')) return i - 1;
  return text.size();
}

template <class Unit>
Outcome Split(const Arguments& a) {
  CMathOperation library;
  Source<Unit> path(corvix_fuzz::As<Unit>(a.path));
  const std::vector<Unit> whole = path.Units();
  const std::vector<Unit> copy = corvix_fuzz::Cut(whole, kPathTextUnits);
  const std::size_t separator = LastSeparator(copy);
  const bool bare = separator == copy.size();
  const std::vector<Unit> nameText =
      bare ? whole : std::vector<Unit>(copy.begin() + static_cast<long>(separator) + 1, copy.end());

  std::size_t nameCapacity;
  switch (a.nameCapacityChoice % 5) {
    case 0:
      nameCapacity = nameText.size();
      break;
    case 1:
      nameCapacity = nameText.size() + 1;
      break;
    case 2:
      nameCapacity = nameText.empty() ? 0 : nameText.size() - 1;
      break;
    case 3:
      nameCapacity = (a.nameCapacityChoice >> 3) % 300;
      break;
    default:
      nameCapacity = nameText.size() + 1 + (a.nameCapacityChoice >> 3) % 8;
      break;
  }
  Destination<Unit> directory(std::max(kPathUnits, a.directoryCapacity), static_cast<Unit>('#'));
  Destination<Unit> name(nameCapacity, static_cast<Unit>('#'));
  const long result = library.ExtractPathAndName(
      path.data(), a.nullDirectory ? nullptr : directory.data(), a.nullName ? nullptr : name.data(),
      static_cast<unsigned>(nameCapacity), static_cast<unsigned>(a.directoryCapacity));
  FUZZ_CHECK(directory.CanariesIntact());
  FUZZ_CHECK(name.CanariesIntact());
  FUZZ_CHECK(path.Holds(whole));

  const bool nameFits = nameText.size() < nameCapacity;
  if (a.nullName) {
    FUZZ_CHECK(name.Unchanged());
  } else if (nameFits) {
    FUZZ_CHECK(name.Holds(nameText));
  } else {
    FUZZ_CHECK(name.Unchanged());
  }
  if (bare) {
    FUZZ_CHECK(result == (!a.nullName && nameFits ? 1 : 0));
  } else {
    FUZZ_CHECK(result == (a.nullName || nameFits ? 1 : 0));
  }

  if (a.nullDirectory) {
    FUZZ_CHECK(directory.Unchanged());
  } else if (bare) {
    // Only the first unit marks that there is no directory.
    FUZZ_CHECK(directory.data()[0] == Unit('0'));
    for (std::size_t i = 1; i < directory.capacity(); ++i)
      FUZZ_CHECK(directory.data()[i] == directory.KeptAt(i));
  } else {
    std::vector<Unit> expected(copy.begin(), copy.begin() + static_cast<long>(separator));
    expected.push_back(Unit('\\'));
    if (expected.size() < a.directoryCapacity) {
      FUZZ_CHECK(directory.Holds(expected));
    } else {
      // No room for the backslash: the reaction is free, within the 260 units.
      FUZZ_CHECK(directory.Terminated());
    }
  }
  Outcome outcome;
  outcome.result = result;
  outcome.directory = corvix_fuzz::ValuesOf(directory.data(), directory.capacity());
  outcome.name = corvix_fuzz::ValuesOf(name.data(), name.capacity());
  return outcome;
}

template <class Unit>
Outcome Climb(const Arguments& a) {
  CMathOperation library;
  const std::vector<Unit> whole = corvix_fuzz::As<Unit>(a.path);
  std::vector<Unit> copy = corvix_fuzz::Cut(whole, kPathTextUnits);
  while (!copy.empty() && copy.back() == Unit('\\'))
    copy.pop_back();
  bool marked = false;
  for (unsigned level = 0; level < a.levels; ++level) {
    const std::size_t separator = LastSeparator(copy);
    if (separator == copy.size()) {
      marked = true;
      break;
    }
    copy.resize(separator);
  }
  std::vector<Unit> expected = copy;
  expected.push_back(Unit('\\'));

  // The path lives in a buffer of 260 units (more for a longer path) when it is also the output.
  Destination<Unit> path = corvix_fuzz::Holding(whole, std::max(kPathUnits, whole.size() + 1));
  Destination<Unit> output(kPathUnits, static_cast<Unit>('#'));
  library.RemoveDirFromPath(path.data(), a.overPath ? nullptr : output.data(), a.levels);
  FUZZ_CHECK(path.CanariesIntact());
  FUZZ_CHECK(output.CanariesIntact());

  Destination<Unit>& written = a.overPath ? path : output;
  if (!a.overPath) FUZZ_CHECK(path.Unchanged());
  if (a.overPath) FUZZ_CHECK(output.Unchanged());
  if (marked) {
    FUZZ_CHECK(written.data()[0] == Unit('0'));
    for (std::size_t i = 1; i < written.capacity(); ++i)
      FUZZ_CHECK(written.data()[i] == written.KeptAt(i));
  } else if (expected.size() < kPathUnits) {
    FUZZ_CHECK(std::vector<Unit>(written.data(), written.data() + expected.size()) == expected);
    FUZZ_CHECK(written.data()[expected.size()] == Unit(0));
  } else {
    // A 259-unit path climbed by no level has no room for its backslash: free, within 260.
    FUZZ_CHECK(std::find(written.data(), written.data() + kPathUnits, Unit(0)) !=
               written.data() + kPathUnits);
  }
  Outcome outcome;
  outcome.directory = corvix_fuzz::ValuesOf(written.data(), kPathUnits);
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const bool split = input.Bool();
  Arguments a;
  a.path = input.Text("\\\\\\abc.:/ ", input.Bool() ? 16 : 8);
  a.nullDirectory = input.Pick(5) == 0;
  a.nullName = input.Pick(5) == 0;
  a.nameCapacityChoice = input.Byte();
  a.directoryCapacity = input.Pick(3) == 0 ? input.Byte() % 8 : input.Capacity(a.path.size());
  a.levels = input.Pick(4) == 0 ? input.Byte() : static_cast<unsigned char>(input.Byte() % 6);
  a.overPath = input.Bool();
  corvix_fuzz::Note("%s path of %zu units, levels %u, directory capacity %zu",
                    split ? "ExtractPathAndName" : "RemoveDirFromPath", a.path.size(), a.levels,
                    a.directoryCapacity);

  const Outcome narrow = split ? Split<char>(a) : Climb<char>(a);
  const Outcome wide = split ? Split<wchar_t>(a) : Climb<wchar_t>(a);
  if (corvix_fuzz::IsAscii(a.path)) FUZZ_CHECK(narrow == wide);
  return 0;
}

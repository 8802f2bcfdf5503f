// Splitting paths into directory and name and climbing directories, in both flavours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;
using corvix_test::Narrow;
using corvix_test::Units;

constexpr std::size_t kPathUnits = corvix::kPathUnits;

// What a test expects of an output buffer.
enum class Outcome {
  kWritten,    // holds the expected text
  kMarked,     // only its first unit became '0'
  kUntouched,  // exactly as it was
};

template <class Unit>
void ExpectOutcome(const CanaryBuffer<Unit>& buffer, const std::vector<Unit>& before,
                   Outcome outcome, const std::string& expected, const std::string& label) {
  const std::vector<Unit> after = buffer.Contents();
  switch (outcome) {
    case Outcome::kWritten:
      EXPECT_EQ(Narrow(after.data()), expected) << label;
      break;
    case Outcome::kMarked: {
      std::vector<Unit> marked = before;
      marked[0] = Unit('0');
      EXPECT_EQ(after, marked) << label;
      break;
    }
    case Outcome::kUntouched:
      EXPECT_EQ(after, before) << label;
      break;
  }
  EXPECT_TRUE(buffer.CanariesIntact()) << label;
}

// A path buffer of 260 units (the size the members assume) holding `text`.
template <class Unit>
void Load(CanaryBuffer<Unit>& buffer, const std::string& text) {
  const auto units = Units<Unit>(text);
  std::copy(units.begin(), units.end(), buffer.data());
}

struct SplitCase {
  std::string path;
  unsigned int nameCapacity;
  unsigned int directoryCapacity;
  long result;
  Outcome nameOutcome;
  std::string name;
  Outcome directoryOutcome;
  std::string directory;
};

const std::string kLongDirectory(258, 'd');

const SplitCase kSplitCases[] = {
    {"D:\\Data\\Log\\day.txt", 64, 260, 1, Outcome::kWritten, "day.txt", Outcome::kWritten,
     "D:\\Data\\Log\\"},
    {"D:\\Data\\", 64, 260, 1, Outcome::kWritten, "", Outcome::kWritten, "D:\\Data\\"},
    {"\\day.txt", 64, 260, 1, Outcome::kWritten, "day.txt", Outcome::kWritten, "\\"},
    {"day.txt", 16, 260, 1, Outcome::kWritten, "day.txt", Outcome::kMarked, ""},
    {"day.txt", 8, 260, 1, Outcome::kWritten, "day.txt", Outcome::kMarked, ""},
    // A name exactly as long as the capacity is refused, never delivered cut.
    {"day.txt", 7, 260, 0, Outcome::kUntouched, "", Outcome::kMarked, ""},
    {"day.txt", 5, 260, 0, Outcome::kUntouched, "", Outcome::kMarked, ""},
    {"D:\\Data\\day.txt", 8, 260, 1, Outcome::kWritten, "day.txt", Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\day.txt", 7, 260, 0, Outcome::kUntouched, "", Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\day.txt", 6, 260, 0, Outcome::kUntouched, "", Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\", 0, 260, 0, Outcome::kUntouched, "", Outcome::kWritten, "D:\\Data\\"},
    {"D:/Data/day.txt", 64, 260, 1, Outcome::kWritten, "D:/Data/day.txt", Outcome::kMarked, ""},
    {"", 64, 260, 1, Outcome::kWritten, "", Outcome::kMarked, ""},
    // The backslash is appended only within the directory capacity.
    {"D:\\Data\\day.txt", 64, 9, 1, Outcome::kWritten, "day.txt", Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\day.txt", 64, 8, 1, Outcome::kWritten, "day.txt", Outcome::kWritten, "D:\\Data"},
    {"D:\\Data\\day.txt", 64, 0, 1, Outcome::kWritten, "day.txt", Outcome::kWritten, "D:\\Data"},
    // The longest directory fills the 260 units exactly.
    {kLongDirectory + "\\", 64, 260, 1, Outcome::kWritten, "", Outcome::kWritten,
     kLongDirectory + "\\"},
    // Only the first 259 units of a path take part.
    {kLongDirectory + "\\" + "day.txt", 64, 260, 1, Outcome::kWritten, "", Outcome::kWritten,
     kLongDirectory + "\\"},
    {"D:\\" + std::string(250, 'd') + "\\name.txt", 64, 260, 1, Outcome::kWritten, "name.",
     Outcome::kWritten, "D:\\" + std::string(250, 'd') + "\\"},
    // A bare name is taken from the path as given, beyond the 259 units.
    {std::string(300, 'n'), 301, 260, 1, Outcome::kWritten, std::string(300, 'n'), Outcome::kMarked,
     ""},
    {std::string(300, 'n'), 300, 260, 0, Outcome::kUntouched, "", Outcome::kMarked, ""},
};

template <class Unit>
void ExpectSplits() {
  CMathOperation math;
  for (const SplitCase& c : kSplitCases) {
    const std::string label = c.path.substr(0, 24) + " name capacity " +
                              std::to_string(c.nameCapacity) + " directory capacity " +
                              std::to_string(c.directoryCapacity);
    auto path = Units<Unit>(c.path);
    CanaryBuffer<Unit> directory(kPathUnits);
    CanaryBuffer<Unit> name(std::max<std::size_t>(c.nameCapacity, 1));
    const auto directoryBefore = directory.Contents();
    const auto nameBefore = name.Contents();
    EXPECT_EQ(math.ExtractPathAndName(path.data(), directory.data(), name.data(), c.nameCapacity,
                                      c.directoryCapacity),
              c.result)
        << label;
    ExpectOutcome(name, nameBefore, c.nameOutcome, c.name, label + " (name)");
    ExpectOutcome(directory, directoryBefore, c.directoryOutcome, c.directory,
                  label + " (directory)");
  }
}

TEST(ExtractPathAndName, SplitsAtTheLastBackslash) {
  ExpectSplits<char>();
  ExpectSplits<wchar_t>();
}

template <class Unit>
void ExpectNullOutputsAreSkipped() {
  CMathOperation math;
  auto path = Units<Unit>("D:\\Data\\Log\\day.txt");
  CanaryBuffer<Unit> name(16);
  EXPECT_EQ(math.ExtractPathAndName(path.data(), nullptr, name.data(), 16, kPathUnits), 1);
  EXPECT_EQ(Narrow(name.data()), "day.txt");

  CanaryBuffer<Unit> directory(kPathUnits);
  EXPECT_EQ(math.ExtractPathAndName(path.data(), directory.data(), nullptr, 16, kPathUnits), 1);
  EXPECT_EQ(Narrow(directory.data()), "D:\\Data\\Log\\");

  // A bare name without a name output: 0, and the directory output is still marked.
  auto bare = Units<Unit>("day.txt");
  CanaryBuffer<Unit> marked(kPathUnits);
  EXPECT_EQ(math.ExtractPathAndName(bare.data(), marked.data(), nullptr, 16, kPathUnits), 0);
  EXPECT_EQ(marked.data()[0], Unit('0'));
  EXPECT_EQ(marked.data()[1], Unit('#'));

  // A null path reads as an empty bare name.
  CanaryBuffer<Unit> emptyName(4);
  EXPECT_EQ(math.ExtractPathAndName(static_cast<Unit*>(nullptr), nullptr, emptyName.data(), 4,
                                    kPathUnits),
            1);
  EXPECT_EQ(emptyName.data()[0], Unit(0));
}

TEST(ExtractPathAndName, NullOutputsAreNotWritten) {
  ExpectNullOutputsAreSkipped<char>();
  ExpectNullOutputsAreSkipped<wchar_t>();
}

struct ClimbCase {
  std::string path;
  unsigned char levels;
  Outcome outcome;
  std::string expected;
};

const std::string kPath259(259, 'p');

const ClimbCase kClimbCases[] = {
    {"D:\\Data\\Log\\day.txt", 0, Outcome::kWritten, "D:\\Data\\Log\\day.txt\\"},
    {"D:\\Data\\Log\\day.txt", 1, Outcome::kWritten, "D:\\Data\\Log\\"},
    {"D:\\Data\\Log\\day.txt", 2, Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\Log\\day.txt", 3, Outcome::kWritten, "D:\\"},
    {"D:\\Data\\Log\\day.txt", 4, Outcome::kMarked, ""},
    {"D:\\Data\\Log\\day.txt", 255, Outcome::kMarked, ""},
    {"D:\\Data\\Log\\", 1, Outcome::kWritten, "D:\\Data\\"},
    {"D:\\Data\\\\\\", 0, Outcome::kWritten, "D:\\Data\\"},
    {"\\day.txt", 1, Outcome::kWritten, "\\"},
    {"\\day.txt", 2, Outcome::kMarked, ""},
    {"D:/Data/day.txt", 1, Outcome::kMarked, ""},
    {"", 0, Outcome::kWritten, "\\"},
    {"", 1, Outcome::kMarked, ""},
    {"\\\\\\", 0, Outcome::kWritten, "\\"},
    // 258 units take the backslash as the 259th; 259 units have no room left for it.
    {std::string(258, 'p'), 0, Outcome::kWritten, std::string(258, 'p') + "\\"},
    {kPath259, 0, Outcome::kWritten, kPath259},
    {kPath259 + "qq", 0, Outcome::kWritten, kPath259},
    {"D:\\" + std::string(256, 'p'), 1, Outcome::kWritten, "D:\\"},
};

template <class Unit>
void ExpectClimbs() {
  CMathOperation math;
  for (const ClimbCase& c : kClimbCases) {
    const std::string label = c.path.substr(0, 24) + " levels " + std::to_string(c.levels);
    auto path = Units<Unit>(c.path);
    const auto pathBefore = path;
    CanaryBuffer<Unit> output(kPathUnits);
    const auto outputBefore = output.Contents();
    math.RemoveDirFromPath(path.data(), output.data(), c.levels);
    ExpectOutcome(output, outputBefore, c.outcome, c.expected, label);
    EXPECT_EQ(path, pathBefore) << label;

    // Without an output the result goes over the path, a 260-unit buffer.
    CanaryBuffer<Unit> inPlace(kPathUnits);
    Load(inPlace, c.path.substr(0, kPathUnits - 1));
    const auto inPlaceBefore = inPlace.Contents();
    math.RemoveDirFromPath(inPlace.data(), nullptr, c.levels);
    ExpectOutcome(inPlace, inPlaceBefore, c.outcome, c.expected, label + " (in place)");
  }
}

TEST(RemoveDirFromPath, ClimbsOneComponentPerLevel) {
  ExpectClimbs<char>();
  ExpectClimbs<wchar_t>();
}

template <class Unit>
void ExpectNullPathIsEmpty() {
  CMathOperation math;
  CanaryBuffer<Unit> output(kPathUnits);
  math.RemoveDirFromPath(static_cast<Unit*>(nullptr), output.data(), 0);
  EXPECT_EQ(Narrow(output.data()), "\\");
  math.RemoveDirFromPath(static_cast<Unit*>(nullptr), static_cast<Unit*>(nullptr), 1);
}

TEST(RemoveDirFromPath, NullPathReadsAsEmpty) {
  ExpectNullPathIsEmpty<char>();
  ExpectNullPathIsEmpty<wchar_t>();
}

}  // namespace

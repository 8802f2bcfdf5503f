// Windows paths: splitting a full path into directory and name, and climbing directories.
//
// Both members work on a reversed copy of at most 259 units of the path, in which the last
// backslash of the path is the first one found. The backslash (0x5C) is the only separator;
// drive letters and network prefixes are ordinary text. Every directory produced ends with
// exactly one backslash. When there is no directory to report, the directory output gets the
// digit '0' in its first unit and nothing else: no terminator, the rest keeps its content.
#include <cstddef>
#include <utility>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "frame/internal/guard.h"
#include "text/internal/extract.h"
#include "text/internal/search.h"
#include "text/internal/trim.h"

namespace {

template <class Unit>
constexpr Unit kSeparator = Unit('\\');

// Marks a directory output that has no directory to report.
template <class Unit>
constexpr Unit kNoDirectoryMark = Unit('0');

template <class Unit>
using PathCopy = corvix::WorkingCopy<Unit, corvix::kPathUnits>;

// Swaps from both ends by index. GCC 12 at -O3 on aarch64 wrongly reports its vectorised
// std::reverse of a path copy as writing before the copy (-Wstringop-overflow).
template <class Unit>
void ReverseInPlace(Unit* text) {
  const std::size_t length = corvix::UnitLength(text);
  for (std::size_t front = 0, back = length; front + 1 < back; ++front) {
    --back;
    std::swap(text[front], text[back]);
  }
}

// Appends one backslash when it fits `capacity` with the terminator; a directory that has no
// room for it stays as it is rather than be written past its buffer.
template <class Unit>
void AppendSeparator(Unit* directory, std::size_t capacity) {
  const std::size_t length = corvix::UnitLength(directory);
  if (!corvix::FitsWithTerminator(length + 1, capacity)) return;
  directory[length] = kSeparator<Unit>;
  directory[length + 1] = Unit(0);
}

// Directory (with its backslash) and name of `fullPath`; 1 when the name was written or not
// asked for, 0 when it does not fit the name capacity with its terminator (name untouched)
// or when a bare name has no name output. The directory output must hold 260 units; its
// capacity bounds only the appended backslash.
template <class Unit>
long SplitPath(const Unit* fullPath, Unit* directory, Unit* name, unsigned int nameCapacity,
               unsigned int directoryCapacity) {
  PathCopy<Unit> reversed(fullPath);
  ReverseInPlace(reversed.units);
  const long separator = corvix::text::FindCharpos(reversed.units, kSeparator<Unit>);

  if (separator < 0) {
    if (directory != nullptr) directory[0] = kNoDirectoryMark<Unit>;
    if (name == nullptr) return 0;
    // A bare name is the whole path as given, not only the part the copy holds.
    return corvix::WriteIfFits(name, fullPath, corvix::UnitLength(fullPath), nameCapacity) ? 1 : 0;
  }

  long result = 1;
  if (name != nullptr) {
    // The name is written whole or not at all: cutting the reversed text would lose the
    // name's first unit, not its last.
    if (corvix::text::ExtractLeftBefore<Unit>(reversed.units, name, kSeparator<Unit>,
                                              static_cast<long>(nameCapacity)) == 1) {
      ReverseInPlace(name);
    } else {
      result = 0;
    }
  }
  if (directory != nullptr) {
    corvix::text::ExtractRightAfter<Unit>(reversed.units, directory, kSeparator<Unit>);
    ReverseInPlace(directory);
    AppendSeparator(directory, directoryCapacity);
  }
  return result;
}

// The directory `levels` components above `path`, with one trailing backslash, written into
// `output` (over the path when null), which must hold 260 units. Too few backslashes mark the
// output with '0' in its first unit and write nothing else.
template <class Unit>
void ClimbPath(Unit* path, Unit* output, unsigned char levels) {
  Unit* const destination = output != nullptr ? output : path;
  PathCopy<Unit> copy(path);
  // Trailing backslashes are not empty components.
  corvix::text::TrimTrailing<Unit>(copy.units, copy.units, kSeparator<Unit>, corvix::kPathUnits);
  ReverseInPlace(copy.units);
  for (unsigned int level = 0; level < levels; ++level) {
    if (corvix::text::FindCharpos(copy.units, kSeparator<Unit>) < 0) {
      if (destination != nullptr) destination[0] = kNoDirectoryMark<Unit>;
      return;
    }
    corvix::text::ExtractRightAfter<Unit>(copy.units, copy.units, kSeparator<Unit>);
  }
  ReverseInPlace(copy.units);
  // A path of 259 units climbed by no level has no room left for the backslash; it is
  // delivered without it rather than written past the 260 units.
  AppendSeparator(copy.units, corvix::kPathUnits);
  corvix::CopyTruncated(destination, copy.units, corvix::kPathUnits);
}

}  // namespace

long CMathOperation::ExtractPathAndName(char* fullPath, char* directory, char* name,
                                        unsigned int nameCapacity, unsigned int directoryCapacity) {
  return SplitPath(fullPath, directory, name, nameCapacity, directoryCapacity);
}

long CMathOperation::ExtractPathAndName(wchar_t* fullPath, wchar_t* directory, wchar_t* name,
                                        unsigned int nameCapacity, unsigned int directoryCapacity) {
  return SplitPath(fullPath, directory, name, nameCapacity, directoryCapacity);
}

void CMathOperation::RemoveDirFromPath(char* path, char* output, unsigned char levels) {
  corvix::RunGuarded(corvix::guarded::kRemoveDirFromPath, [&] { ClimbPath(path, output, levels); });
}

void CMathOperation::RemoveDirFromPath(wchar_t* path, wchar_t* output, unsigned char levels) {
  ClimbPath(path, output, levels);
}

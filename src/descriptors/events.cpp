// Event strings and complex data sources: 'name(parameter1,parameter2,...,parameterN)'.
//
// The name is the text before the first '('; the parameter list is the text after it, its
// parameters separated by ',' and closed by ')'. Parameters are taken as they stand: no
// white space is removed, and there is no quoting or nesting. Parameters are numbered from 1.
// Names and parameter lists are held in kNameUnits bytes, so only their first 63 characters
// take part.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "frame/internal/ascii.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"
#include "text/internal/extract.h"
#include "text/internal/search.h"

namespace {

constexpr const char* kLinearDiagramEvent = "ShowLinearDiagram";
constexpr long kLinearDiagramType = 1;
constexpr long kOtherEventType = -1;

constexpr char kListOpen = '(';
constexpr char kListClose = ')';
constexpr char kParameterSeparator = ',';

constexpr long kLongestName = static_cast<long>(corvix::kNameUnits) - 1;

}  // namespace

// 1 for "ShowLinearDiagram" (any case of its letters) before the first '(' or alone, else -1.
// 'ShowLinearDiagram (3)' is another event: the blank is part of its name.
long CMathOperation::CheckEventType(char* event) {
  if (event == nullptr) return kOtherEventType;
  char name[corvix::kNameUnits] = {};
  const long open = corvix::text::FindCharpos(event, kListOpen);
  if (open == corvix::text::kNotFound) {
    corvix::CopyTruncated(name, event, corvix::kNameUnits);
  } else {
    corvix::text::ExtractLeftSide(event, name, open < kLongestName ? open : kLongestName);
  }
  return corvix::EqualsIgnoringAsciiCase(name, kLinearDiagramEvent) ? kLinearDiagramType
                                                                    : kOtherEventType;
}

bool CMathOperation::IsComplexDataSource(char* source) {
  return source != nullptr &&
         corvix::text::FindCharpos(source, kListOpen) != corvix::text::kNotFound;
}

// Writes the text between the first '(' and the last ')' ('F(a,(b),c) x' gives 'a,(b),c').
// The destination must hold kTextUnits bytes. A text without '(' is taken whole; without a
// ')' after its '(' the text after the '(' is written as it stands. An empty text leaves the
// destination as it was.
void CMathOperation::GetCompleteParamList(char* event, char* destination) {
  if (destination == nullptr || corvix::UnitLength(event) == 0) return;
  corvix::text::ExtractRightAfter(event, destination, kListOpen);
  std::size_t end = corvix::UnitLengthBounded(destination, corvix::kTextUnits - 1);
  while (end > 0) {
    --end;
    if (destination[end] == kListClose) {
      destination[end] = '\0';
      return;
    }
  }
}

// Writes parameter `number` of the event into the destination when it fits `capacity` with
// its terminator; a parameter that does not fit (one exactly as long as the capacity
// included) leaves the destination as it was. A number of 1 or less gives the first
// parameter, a number beyond the last gives the last. For 'F(' there is no parameter and the
// destination is left as it was. Returns false for a text without '(' (or without a
// destination) and for a parameter that did not fit; true when the parameter was written, and
// for 'F(' as the hosts expect.
bool CMathOperation::GetEventParameters(char* event, char* destination, long number,
                                        unsigned int capacity) {
  if (event == nullptr || destination == nullptr) return false;
  if (corvix::text::FindCharpos(event, kListOpen) == corvix::text::kNotFound) return false;

  char afterOpen[corvix::kTextUnits] = {};
  corvix::text::ExtractRightAfter(event, afterOpen, kListOpen);
  char list[corvix::kNameUnits];
  corvix::CopyTruncated(list, afterOpen, corvix::kNameUnits);

  // Once no separator is left the list stays as it is, so further rounds change nothing.
  const std::int32_t wanted = corvix::Wrap32(number);
  for (std::int32_t skipped = 1;
       skipped < wanted &&
       corvix::text::FindCharpos(list, kParameterSeparator) != corvix::text::kNotFound;
       ++skipped) {
    corvix::text::ExtractRightAfter(list, list, kParameterSeparator);
  }

  const long separator = corvix::text::FindCharpos(list, kParameterSeparator);
  if (separator != corvix::text::kNotFound) {
    return corvix::WriteIfFits(destination, list, static_cast<std::size_t>(separator), capacity);
  }
  if (list[0] == '\0') return true;
  // The last parameter ends at ')', or with the list when it is not closed.
  const long close = corvix::text::FindCharpos(list, kListClose);
  const std::size_t length =
      close != corvix::text::kNotFound ? static_cast<std::size_t>(close) : corvix::UnitLength(list);
  // A parameter that does not fit is refused, not reported as written.
  return corvix::WriteIfFits(destination, list, length, capacity);
}

// Event strings: CheckEventType, IsComplexDataSource, GetCompleteParamList and
// GetEventParameters on 'name(p1,p2,...)' texts with names and lists around the 64-byte working
// buffers, sources past the 2047 units a search sees, any parameter number and capacities
// around the parameter's length.
//
// Checked against models of the documented steps; where the documentation leaves the outcome
// open (lists of 64 characters or more, no ')' for the complete list) only the buffers' bounds
// are checked.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

constexpr std::size_t kSearchUnits = CORVIXMATH_TEXT_UNITS - 1;
constexpr std::size_t kListText = 63;
constexpr std::size_t kTextUnits = CORVIXMATH_TEXT_UNITS;

bool IsShowLinearDiagram(const std::string& name) {
  static const std::string kName = "showlineardiagram";
  if (name.size() != kName.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    if (c != kName[i]) return false;
  }
  return true;
}

std::vector<char> EventText(FuzzInput& input) {
  if (input.Pick(3) == 0) {
    std::string text = input.Bool() ? "ShowLinearDiagram" : "sHoWlInEaRdIaGrAm";
    const std::vector<char> rest = corvix_fuzz::As<char>(input.Text("(),,ab1 ", 8));
    text.append(rest.begin(), rest.end());
    return std::vector<char>(text.begin(), text.end());
  }
  return corvix_fuzz::As<char>(input.Text("(),,,ab1 ", 8));
}

// The event type and the complex-source test read the text before the first '('.
void CheckEventKind(CMathOperation& library, Source<char>& event, const std::string& text,
                    std::size_t open, bool hasOpen) {
  FUZZ_CHECK(library.CheckEventType(event.data()) ==
             (IsShowLinearDiagram(hasOpen ? text.substr(0, open) : text) ? 1 : -1));
  FUZZ_CHECK(library.IsComplexDataSource(event.data()) == hasOpen);
}

// The complete list: between the first '(' and the last ')'.
void CheckCompleteList(CMathOperation& library, Source<char>& event, const std::string& after) {
  Destination<char> list(std::min(after.size() + 1, kTextUnits));
  library.GetCompleteParamList(event.data(), list.data());
  FUZZ_CHECK(list.CanariesIntact());
  const std::size_t close = after.rfind(')');
  if (!after.empty() && close != std::string::npos)
    FUZZ_CHECK(list.Holds(corvix_fuzz::UnitsOf<char>(after.substr(0, close).c_str())));
}

// What GetEventParameters should find for parameter `number` of the list after the '('.
struct ParameterModel {
  std::string parameter;
  bool ends = false;     // the parameter is the last one, cut at ')' with the capacity
  bool nothing = false;  // the working buffer is empty: nothing is written
};

ParameterModel ModelParameter(const std::string& after, long number) {
  ParameterModel model;
  std::string buffer = after;
  for (long round = 1; round < number && round < 4096; ++round) {
    const std::size_t comma = buffer.find(',');
    if (comma == std::string::npos) break;
    buffer = buffer.substr(comma + 1);
  }
  const std::size_t comma = buffer.find(',');
  model.ends = comma == std::string::npos;
  model.parameter = model.ends ? buffer.substr(0, buffer.find(')')) : buffer.substr(0, comma);
  model.nothing = buffer.empty();
  return model;
}

// One parameter, into a destination of a fuzzed capacity.
void CheckParameter(FuzzInput& input, CMathOperation& library, Source<char>& event,
                    const std::vector<char>& units, const std::string& after, bool hasOpen) {
  const long number = input.Pick(4) == 0 ? input.Long() : static_cast<long>(input.Byte() % 6);
  const ParameterModel model = hasOpen ? ModelParameter(after, number) : ParameterModel();
  const std::string& parameter = model.parameter;
  const std::size_t capacity = input.Capacity(parameter.size());
  Destination<char> destination(std::max(capacity, parameter.size() + 1));
  const bool result = library.GetEventParameters(event.data(), destination.data(), number,
                                                 static_cast<unsigned int>(capacity));
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(event.Holds(units));
  if (!hasOpen) {
    FUZZ_CHECK(!result);
    FUZZ_CHECK(destination.Unchanged());
    return;
  }
  // A written parameter, and an empty list, report true; a refused parameter may report false.
  if (!destination.Unchanged()) FUZZ_CHECK(result);
  if (after.size() > kListText) return;
  if (model.nothing) {
    FUZZ_CHECK(destination.Unchanged());
    FUZZ_CHECK(result);
  } else if (parameter.size() < capacity) {
    FUZZ_CHECK(destination.Holds(corvix_fuzz::UnitsOf<char>(parameter.c_str())));
    FUZZ_CHECK(result);
  } else if (model.ends) {
    FUZZ_CHECK(destination.Unchanged());
  } else {
    FUZZ_CHECK(destination.Unchanged() ||
               destination.Holds(corvix_fuzz::UnitsOf<char>(parameter.c_str())));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  Source<char> event(EventText(input));
  const std::vector<char> units = event.Units();
  const std::string text = corvix_fuzz::StringOf(units);
  const std::string seen = text.substr(0, kSearchUnits);
  const std::size_t open = seen.find('(');
  const bool hasOpen = open != std::string::npos;
  corvix_fuzz::Note("event text of %zu characters, '(' at %ld", text.size(),
                    hasOpen ? static_cast<long>(open) : -1L);

  CheckEventKind(library, event, text, open, hasOpen);
  const std::string after = hasOpen ? seen.substr(open + 1) : seen;
  CheckCompleteList(library, event, after);
  CheckParameter(input, library, event, units, after, hasOpen);
  return 0;
}

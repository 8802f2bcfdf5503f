// DoubleToSimpleString: widths, decimals counts (255 = no limit), zero fill, separators of
// every kind (null, empty, longer than one character), destinations around the text's length.
//
// Checked against a model of the documented steps (with the width never dropping integer
// digits), against the round trip through atof within the cut, and against the documented
// equivalences (only the separator's first character counts; null and empty separators mean
// no grouping).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CMathOperation.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

struct Expected {
  long result;
  std::string text;
};

// The six-decimal text without its trailing zeros and point.
std::string NaturalText(double value) {
  char number[400];
  std::snprintf(number, sizeof number, "%f", value);
  std::string text = number;
  while (!text.empty() && text.back() == '0')
    text.pop_back();
  if (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

// The documented steps, minus the last one (the size test), with this library's rule that the
// width cut removes decimals and the point only: one that would reach the integer part (or
// leave only the sign) sets *widthRefused and the text is refused.
std::string ModelText(double value, unsigned char width, unsigned char decimals,
                      unsigned char zeroFill, char separator, bool* widthRefused) {
  *widthRefused = false;
  std::string text = NaturalText(value);

  const std::size_t target = (width == 0 || width == 255) ? text.size() % 256 : width;
  enum { kNone, kAt } cutState = kAt;
  std::size_t cutPoint = 0;
  if (decimals != 255) {
    cutState = kNone;
    const std::size_t point = text.find('.');
    if (point != std::string::npos && point + decimals + 1 < text.size()) {
      text.resize(point + decimals + 1);
      cutState = kAt;
      cutPoint = point;
    }
  }
  if (text.size() > target && cutState == kAt && cutPoint < target) {
    if (target < std::min(text.find('.'), text.size())) {
      *widthRefused = true;
      return "";
    }
    text.resize(target);
  }
  if (zeroFill != 0)
    while (text.size() < target)
      text.insert(text.begin(), '0');
  if (separator != '\0') {
    const std::size_t point = text.find('.');
    std::size_t i = point != std::string::npos ? point : text.size();
    while (i > 3) {
      i -= 3;
      text.insert(text.begin() + static_cast<long>(i), separator);
    }
  }
  return text;
}

std::string Without(std::string text, char a, char b) {
  std::string kept;
  for (char c : text)
    if (c != a && c != b) kept += c;
  return kept;
}

unsigned char CountArgument(FuzzInput& input) {
  switch (input.Pick(4)) {
    case 0:
      return 0;
    case 1:
      return 255;
    case 2:
      return static_cast<unsigned char>(input.Byte() % 12);
    default:
      return input.Byte();
  }
}

// One call's arguments, as fuzzed.
struct SimpleCall {
  double value;
  unsigned char width;
  unsigned char decimals;
  unsigned char zeroFill;
  char* separator;     // the argument: null, or the fuzzed separator text
  char separatorUnit;  // the separator's first character, '\0' for none
  long capacity;
};

long Call(CMathOperation& library, const SimpleCall& call, char* destination, char* separator,
          long capacity) {
  return library.DoubleToSimpleString(destination, call.value, call.width, call.decimals,
                                      call.zeroFill, separator, capacity);
}

// Against the model: the text where no sign moved, the sign-free digits where one did.
void CheckAgainstModel(CMathOperation& library, const SimpleCall& call,
                       const std::string& modelText, bool widthRefused, long result,
                       const std::string& text) {
  const bool lengthPastWidthRange =
      (call.width == 0 || call.width == 255) && NaturalText(call.value).size() >= 256;
  if (lengthPastWidthRange) return;
  // A minus sign stays in front of the fill and of the first group in this library (the fill
  // and the separators go after it), so negative texts are compared without signs there.
  const bool negative = !modelText.empty() && modelText.find('-') != std::string::npos;
  const bool signMoved = negative && (call.zeroFill != 0 || call.separatorUnit != '\0');
  if (widthRefused) {
    FUZZ_CHECK(result == 0);
    return;
  }
  if (!signMoved) {
    const long expected = static_cast<long>(modelText.size()) < call.capacity ? 1 : 0;
    FUZZ_CHECK(result == expected);
    if (result == 1) FUZZ_CHECK(text == modelText);
  } else if (call.separatorUnit != '-' && (call.separatorUnit < '0' || call.separatorUnit > '9')) {
    Destination<char> wide(4096);
    FUZZ_CHECK(Call(library, call, wide.data(), call.separator, 4096) == 1);
    const std::string whole = corvix_fuzz::StringOf(wide.Text());
    FUZZ_CHECK(whole[0] == '-');
    FUZZ_CHECK(Without(whole, '-', call.separatorUnit) ==
               Without(modelText, '-', call.separatorUnit));
    if (result == 1) FUZZ_CHECK(text == whole);
  }
}

// Round trip: without width, fill and grouping, atof gives the value back within the cut.
void CheckRoundTrip(const SimpleCall& call, long result, const std::string& text) {
  if (result != 1 || call.width != 0 || call.zeroFill != 0 || call.separatorUnit != '\0' ||
      !std::isfinite(call.value))
    return;
  const double back = std::atof(text.c_str());
  double tolerance = 5e-7 + std::fabs(call.value) * 1e-15;
  if (call.decimals < 6) tolerance += std::pow(10.0, -static_cast<int>(call.decimals));
  FUZZ_CHECK(std::fabs(back - call.value) <= tolerance);
}

// Only the separator's first character is used; null and empty both mean no grouping.
void CheckSeparatorForms(CMathOperation& library, const SimpleCall& call, std::size_t length,
                         long result, const Destination<char>& destination) {
  if (call.separator != nullptr && length > 1) {
    char first[2] = {call.separatorUnit, '\0'};
    Destination<char> single(destination.capacity());
    FUZZ_CHECK(Call(library, call, single.data(), first, call.capacity) == result);
    FUZZ_CHECK(single.Text() == destination.Text());
  }
  if (call.separatorUnit == '\0') {
    char empty[1] = {'\0'};
    Destination<char> other(destination.capacity());
    FUZZ_CHECK(Call(library, call, other.data(), call.separator == nullptr ? empty : nullptr,
                    call.capacity) == result);
    FUZZ_CHECK(other.Text() == destination.Text());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  SimpleCall call{};
  call.value = input.Value();
  call.width = CountArgument(input);
  call.decimals = CountArgument(input);
  call.zeroFill = input.Pick(3) == 0 ? input.Byte() : 0;
  const bool nullSeparator = input.Pick(3) == 0;
  Source<char> separator(corvix_fuzz::As<char>(input.Text(",. '_-0", 8)));
  call.separator = nullSeparator ? nullptr : separator.data();
  call.separatorUnit = nullSeparator ? '\0' : separator.data()[0];

  bool widthRefused = false;
  const std::string modelText = ModelText(call.value, call.width, call.decimals, call.zeroFill,
                                          call.separatorUnit, &widthRefused);
  call.capacity = static_cast<long>(input.Capacity(modelText.size()));
  if (input.Pick(16) == 0) call.capacity = -static_cast<long>(input.Byte());
  corvix_fuzz::Note("value %.17g width %u decimals %u fill %u separator %s '%s' capacity %ld",
                    call.value, call.width, call.decimals, call.zeroFill,
                    nullSeparator ? "null" : "", separator.data(), call.capacity);

  Destination<char> destination(call.capacity > 0 ? static_cast<std::size_t>(call.capacity) : 0);
  const long result = Call(library, call, destination.data(), call.separator, call.capacity);
  FUZZ_CHECK(destination.CanariesIntact());
  FUZZ_CHECK(result == 0 || result == 1);
  if (result == 0) FUZZ_CHECK(destination.Unchanged());
  if (result == 1) FUZZ_CHECK(destination.Terminated());
  const std::string text = result == 1 ? corvix_fuzz::StringOf(destination.Text()) : "";

  CheckAgainstModel(library, call, modelText, widthRefused, result, text);
  CheckRoundTrip(call, result, text);
  CheckSeparatorForms(library, call, separator.length(), result, destination);
  return 0;
}

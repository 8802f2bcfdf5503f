// SientificFormat: every mantissa decimals count (and a few past 19), any double, destinations
// around the length of the runtime's "%.<p>E" text.
//
// Checked against a model of the documented steps ("%.<p>E", "+" removed, the exponent read as
// a number) where the mantissa fits its 16-byte field, and against the round trip through atof
// within half a unit of the last mantissa decimal.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CMathOperation.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;

struct Model {
  std::string converted;  // the runtime's text, before any change
  std::string mantissa;
  std::string text;
};

Model Expected(double value, int decimals) {
  char converted[64];
  std::snprintf(converted, sizeof converted, "%.*E", decimals, value);
  Model model;
  model.converted = converted;
  std::string text;
  for (char c : model.converted)
    if (c != '+') text += c;
  const std::size_t letter = text.find('E');
  model.mantissa = letter == std::string::npos ? text : text.substr(0, letter);
  const std::string exponent = letter == std::string::npos ? text : text.substr(letter + 1);
  model.text = model.mantissa + "E" + std::to_string(std::atoi(exponent.c_str()));
  return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  const double value = input.Value();
  const unsigned char decimals =
      input.Pick(8) == 0 ? input.Byte() : static_cast<unsigned char>(input.Byte() % 20);
  const Model model = Expected(value, decimals % 20);
  const unsigned int capacity = static_cast<unsigned int>(input.Capacity(model.converted.size()));

  corvix_fuzz::Note("value %.17g decimals %u capacity %u", value, decimals, capacity);

  Destination<char> destination(capacity);
  library.SientificFormat(destination.data(), value, decimals, capacity);
  FUZZ_CHECK(destination.CanariesIntact());
  if (decimals > 19) return 0;
  // The destination must hold the runtime's text too; a smaller one is only kept whole.
  if (capacity <= model.converted.size()) return 0;

  FUZZ_CHECK(destination.Terminated());
  const std::string text = corvix_fuzz::StringOf(destination.Text());
  FUZZ_CHECK(text.find('+') == std::string::npos);
  if (!std::isfinite(value)) return 0;
  if (model.mantissa.size() < 16) FUZZ_CHECK(text == model.text);

  // The exponent has no leading zeros, and atof reads the value back within the rounding.
  const std::size_t letter = text.find('E');
  FUZZ_CHECK(letter != std::string::npos);
  const std::string exponent = text.substr(letter + 1);
  const std::size_t firstDigit = exponent[0] == '-' ? 1 : 0;
  FUZZ_CHECK(exponent.size() > firstDigit);
  FUZZ_CHECK(exponent == "0" || exponent[firstDigit] != '0');
  if (value != 0.0) {
    const int power = std::atoi(exponent.c_str());
    const double back = std::atof(text.c_str());
    const double halfUnit = 0.5 * std::pow(10.0, power - static_cast<int>(decimals));
    if (std::isfinite(back))
      FUZZ_CHECK(std::fabs(back - value) <= halfUnit * (1 + 1e-9) + std::fabs(value) * 1e-15);
  }
  return 0;
}

// PriceToString and StandardLen: amounts with divisor exponents 0 to 255 and any separator,
// destinations around the grouped text's length; texts brought to exact lengths around the
// working-buffer sizes.
//
// PriceToString is checked against the whole amount printed by the runtime and grouped by
// threes ("---" when the grouped text does not fit); StandardLen against its documented steps.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "CMathOperation.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;

// Groups of three digits from the right; with `signFirst` the separator never follows the sign.
std::string Grouped(const std::string& whole, char separator, bool signFirst) {
  std::string text = whole;
  if (separator == '\0') return text;
  const std::size_t first = signFirst && text[0] == '-' ? 1 : 0;
  std::size_t i = text.size();
  while (i > first + 3) {
    i -= 3;
    text.insert(text.begin() + static_cast<long>(i), separator);
  }
  return text;
}

void FuzzPrice(FuzzInput& input) {
  CMathOperation library;
  double amount = input.Value();
  const unsigned char divisor = input.Pick(2) == 0 ? 0 : input.Byte();
  const char separator = static_cast<char>(input.Pick(2) == 0 ? 0 : input.Byte());

  double shown = amount;
  if (divisor != 0) shown /= corvix_fuzz::PowerOfTen(divisor + 2u);
  const bool modelled = std::isfinite(shown) && std::fabs(shown) < 9.0e18;
  std::string whole;
  if (modelled) {
    // Cut to a 64-bit integer and turned back into a double, as the amount is.
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.0f",
                  static_cast<double>(static_cast<long long>(shown)));
    whole = digits;
  }
  // Groups counted over the sign too ("-,123,456") or over the digits only ("-123,456").
  const std::string signGrouped = Grouped(whole, separator, false);
  const std::string kept = Grouped(whole, separator, true);
  const unsigned int capacity = static_cast<unsigned int>(input.Capacity(kept.size()));

  corvix_fuzz::Note("PriceToString amount %.17g divisor %u separator %d size %u", amount, divisor,
                    separator, capacity);
  Destination<char> destination(capacity);
  library.PriceToString(destination.data(), amount, capacity, divisor, separator);
  FUZZ_CHECK(destination.CanariesIntact());
  // Too small even for "---": only kept within the destination.
  if (capacity < 4) return;
  FUZZ_CHECK(destination.Terminated());
  const std::string text = corvix_fuzz::StringOf(destination.Text());
  if (!modelled) {
    FUZZ_CHECK(!text.empty());
    return;
  }
  if (kept.size() < capacity && signGrouped.size() < capacity) {
    FUZZ_CHECK(text == kept || text == signGrouped);
  } else if (kept.size() >= capacity && signGrouped.size() >= capacity) {
    FUZZ_CHECK(text == "---");
  } else {
    FUZZ_CHECK(text == kept || text == signGrouped || text == "---");
  }
}

void FuzzStandardLen(FuzzInput& input) {
  CMathOperation library;
  const std::vector<char> text = corvix_fuzz::As<char>(input.Text("0123456789.-+ Kx/", 8));
  long length =
      static_cast<long>(input.Pick(3) == 0 ? input.Length() : input.Capacity(text.size()));
  if (input.Pick(16) == 0) length = -1 - static_cast<long>(input.Byte());
  const char fill = static_cast<char>(input.Byte());
  corvix_fuzz::Note("StandardLen text of %zu characters, length %ld, fill %d", text.size(), length,
                    fill);

  const std::size_t bufferUnits =
      std::max(text.size(), length > 0 ? static_cast<std::size_t>(length) : 0) + 1;
  Destination<char> buffer = corvix_fuzz::Holding(text, bufferUnits);
  std::vector<char> expected(buffer.data(), buffer.data() + bufferUnits);

  library.StandardLen(buffer.data(), length, fill);
  FUZZ_CHECK(buffer.CanariesIntact());
  if (length < 0) return;

  const std::size_t wanted = static_cast<std::size_t>(length);
  expected[wanted] = '\0';
  for (std::size_t i = 0; i < wanted; ++i) {
    const char c = expected[i];
    if (c == '-' || c == '.' || (c >= '0' && c <= '9')) continue;
    for (; i < wanted; ++i)
      expected[i] = fill;
    break;
  }
  for (std::size_t i = 0; i < bufferUnits; ++i)
    FUZZ_CHECK(buffer.data()[i] == expected[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  if (input.Pick(2) == 0) {
    FuzzPrice(input);
  } else {
    FuzzStandardLen(input);
  }
  return 0;
}

// The number check: is a text a number with optional sign, decimal point and scale letter,
// and which of these does it have?
//
// Both flavours first strip the spaces around the number from the caller's string in place,
// so the caller holds the trimmed text afterwards ("  12  " -> "12", result 4). See
// checks/internal/number_form.h for the form codes.
#include <cstddef>
#include <cstring>

#include "CMathOperation.h"
#include "checks/internal/number_form.h"
#include "frame/internal/buffers.h"
#include "frame/internal/guard.h"
#include "text/internal/trim.h"

long CMathOperation::IsDigit(char* text) {
  return corvix::checks::TrimAndClassifyNumber(text);
}

long CMathOperation::IsDigit(unsigned short* text) {
  return corvix::RunGuarded(corvix::guarded::kIsDigitUnits, [&]() -> long {
    if (text == nullptr) return corvix::checks::kNotANumber;
    // The trim members work in place on a string no longer than their working copy, taking
    // the string's own length as the capacity: a string they leave exactly as long as it was
    // is refused and stays as it is. A string of a whole working copy or more would be cut, so
    // it is classified as it stands (with a space around it, it is not a number).
    std::size_t length = corvix::UnitLength(text);
    if (length != 0 && length < corvix::kFormatUnits) {
      corvix::text::TrimLeading(text, text, static_cast<unsigned short>(' '),
                                static_cast<unsigned int>(length));
      length = corvix::UnitLength(text);
    }
    if (length != 0 && length < corvix::kFormatUnits) {
      corvix::text::TrimTrailing(text, text, static_cast<unsigned short>(' '),
                                 static_cast<unsigned int>(length));
      length = corvix::UnitLength(text);
    }
    return corvix::checks::NumberFormCode(text, length);
  });
}

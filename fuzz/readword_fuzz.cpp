// Read words and device models: BuildReadResultState, ExtractFromReadRequest,
// LongExistInList, the four device model lookups and ComputerIdToString.
//
// Checked against the documented layout and tables, and the round trip: every field packed by
// BuildReadResultState comes back out of ExtractFromReadRequest (with -999 packing its fixed
// values). Words and arguments are 32-bit values, as a `long` of 32-bit Windows.
#include <cstdint>
#include <cstring>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;

constexpr long kMissing = CORVIXMATH_MISSING_VALUE;

// The hundreds in which known model numbers lie; every other number is unknown to all four
// tables. (The tables themselves are checked row by row by the unit tests.)
bool InKnownRanges(unsigned short model) {
  return (model >= 102 && model <= 119) || (model >= 201 && model <= 214) ||
         (model >= 301 && model <= 306) || model == 401;
}

bool IsTavlinDataType(unsigned value) {
  return value == 255 ||
         (value <= 35 && value != 18 && value != 19 && value != 22 && value != 23 && value != 30);
}

bool IsDataStructureType(unsigned value) {
  return value == 0 || value == 1 || value == 2 || value == 4 || value == 50;
}

constexpr int kFirstComputerId = 1000;
constexpr int kLastComputerId = 1005;

long Int32Argument(FuzzInput& input) {
  return input.Pick(4) == 0 ? kMissing : static_cast<long>(static_cast<std::int32_t>(input.U32()));
}

void ReadWord(FuzzInput& input) {
  CMathOperation library;
  const long first =
      input.Pick(2) == 0 ? static_cast<long>(input.Byte() % 9) : Int32Argument(input);
  const long second = Int32Argument(input);
  const long third = Int32Argument(input);
  const char letter = static_cast<char>(input.Byte());
  const long flag = Int32Argument(input);
  corvix_fuzz::Note("BuildReadResultState(%ld, %ld, %ld, %d, %ld)", first, second, third, letter,
                    flag);

  long letterCode = static_cast<signed char>(letter);
  if (letter >= 'A' && letter <= 'Z') letterCode = letter - 65;
  if (letter >= 'a' && letter <= 'z') letterCode = letter - 71;
  long flagField = flag == kMissing ? 1 : (flag & 1);
  const long thirdField = third == kMissing ? 1 : (third & 7);
  long secondField = second & 31;
  if (second == kMissing) {
    secondField = 15;
    flagField = 1;
  }
  const long firstField = first & 7;
  const std::uint32_t bits =
      (static_cast<std::uint32_t>(letterCode) << 16) |
      static_cast<std::uint32_t>(secondField << 7) | static_cast<std::uint32_t>(thirdField << 4) |
      static_cast<std::uint32_t>(firstField << 1) | static_cast<std::uint32_t>(flagField);
  const long word = library.BuildReadResultState(first, second, third, letter, flag);
  FUZZ_CHECK(word == static_cast<long>(static_cast<std::int32_t>(bits)));
  FUZZ_CHECK((word & 0xF000) == 0);

  FUZZ_CHECK(library.ExtractFromReadRequest(0, word) == firstField);
  FUZZ_CHECK(library.ExtractFromReadRequest(1, word) == secondField);
  FUZZ_CHECK(library.ExtractFromReadRequest(2, word) == thirdField);
  FUZZ_CHECK(library.ExtractFromReadRequest(3, word) == letterCode);
  FUZZ_CHECK(library.ExtractFromReadRequest(4, word) == flagField);

  // Any word and any selector.
  const std::int32_t any = static_cast<std::int32_t>(input.U32());
  const long selector = input.Pick(2) == 0 ? static_cast<long>(input.Byte() % 8) - 1 : input.Long();
  const long field = library.ExtractFromReadRequest(selector, any);
  const std::uint32_t u = static_cast<std::uint32_t>(any);
  switch (selector) {
    case 0:
      FUZZ_CHECK(field == static_cast<long>((u >> 1) & 7));
      break;
    case 1:
      FUZZ_CHECK(field == static_cast<long>((u >> 7) & 31));
      break;
    case 2:
      FUZZ_CHECK(field == static_cast<long>((u >> 4) & 7));
      break;
    case 3:
      FUZZ_CHECK(field == static_cast<long>(static_cast<std::int16_t>(u >> 16)));
      break;
    case 4:
      FUZZ_CHECK(field == static_cast<long>(u & 1));
      break;
    default:
      FUZZ_CHECK(field == kMissing);
      break;
  }
}

void List(FuzzInput& input) {
  CMathOperation library;
  const std::size_t length = input.Pick(2) == 0 ? input.Byte() % 8 : input.Length();
  std::vector<long> values(length);
  for (long& value : values)
    value = input.Pick(2) == 0 ? static_cast<long>(input.Byte() % 4) : Int32Argument(input);
  const long sought =
      input.Pick(2) == 0 ? static_cast<long>(input.Byte() % 4) : Int32Argument(input);
  const bool negative = input.Pick(8) == 0;
  const long count = negative ? -static_cast<long>(input.Byte()) : static_cast<long>(length);
  // An exact heap block, so that reading past the count is caught.
  std::unique_ptr<long[]> list(length == 0 ? nullptr : new long[length]);
  if (length != 0) std::memcpy(list.get(), values.data(), length * sizeof(long));
  long expected = -1;
  for (long i = 0; i < count && expected < 0; ++i)
    if (values[static_cast<std::size_t>(i)] == sought) expected = i;
  FUZZ_CHECK(library.LongExistInList(sought, list.get(), count) == expected);
}

void Models(FuzzInput& input) {
  CMathOperation library;
  const unsigned short model =
      input.Pick(2) == 0 ? static_cast<unsigned short>(100 * (1 + input.Pick(4)) + input.Pick(21))
                         : input.U16();
  const unsigned tavlin = library.CorvixDeviceModelToTavlinDataType(model);
  const unsigned structure = library.CorvixDeviceModelToDataStructureType(model);
  const long iam = library.ModelToIam(model);
  const unsigned deviceClass = library.WhatIsThis(model);
  FUZZ_CHECK(IsTavlinDataType(tavlin));
  FUZZ_CHECK(IsDataStructureType(structure));
  FUZZ_CHECK(iam >= 0 && iam <= 43);
  FUZZ_CHECK(deviceClass <= 6);
  if (!InKnownRanges(model))
    FUZZ_CHECK(tavlin == 255 && structure == 0 && iam == 0 && deviceClass == 0);

  const int id =
      input.Pick(2) == 0 ? 999 + static_cast<int>(input.Byte() % 9) : static_cast<int>(input.U32());
  Destination<char> name(CORVIXMATH_NAME_BYTES);
  library.ComputerIdToString(id, name.data());
  FUZZ_CHECK(name.CanariesIntact());
  if (id >= kFirstComputerId && id <= kLastComputerId) {
    FUZZ_CHECK(name.data()[0] != '\0' && std::memchr(name.data(), '\0', 64) != nullptr);
  } else {
    FUZZ_CHECK(name.Unchanged());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  switch (input.Pick(3)) {
    case 0:
      ReadWord(input);
      break;
    case 1:
      List(input);
      break;
    default:
      Models(input);
      break;
  }
  return 0;
}

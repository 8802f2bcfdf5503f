// Read words and device models: BuildReadResultState, ExtractFromReadRequest,
// LongExistInList, the four device model lookups and ComputerIdToString.
//
// Checked against the documented layout and tables, and the round trip: every field packed by
// BuildReadResultState comes back out of ExtractFromReadRequest (with -999 packing its fixed
// values). Words and arguments are 32-bit values, as the original platform's long.
#include <cstdint>
#include <cstring>
#include <vector>

#include "CMathOperation.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;

constexpr long kMissing = -999;

struct ModelRow {
  unsigned short model;
  unsigned char tavlin;
  unsigned char structure;
  long iam;
  unsigned char deviceClass;
};

const ModelRow kModels[] = {
    {102, 0, 1, 12, 1},  {103, 1, 1, 13, 1},   {104, 2, 1, 17, 3},  {106, 255, 0, 0, 5},
    {107, 3, 1, 18, 2},  {108, 255, 0, 19, 4}, {109, 4, 4, 35, 1},  {110, 5, 50, 38, 1},
    {111, 25, 4, 39, 2}, {112, 26, 50, 40, 2}, {113, 27, 0, 0, 1},  {114, 28, 0, 0, 2},
    {115, 29, 0, 0, 0},  {118, 33, 0, 0, 1},   {119, 34, 0, 0, 2},  {201, 6, 0, 6, 6},
    {203, 7, 0, 7, 6},   {204, 8, 0, 8, 6},    {205, 9, 0, 9, 6},   {206, 10, 0, 10, 6},
    {207, 11, 0, 11, 6}, {208, 12, 0, 24, 6},  {209, 13, 0, 25, 6}, {210, 14, 0, 26, 6},
    {211, 15, 0, 31, 6}, {212, 31, 0, 41, 6},  {213, 32, 0, 42, 6}, {214, 35, 0, 43, 6},
    {301, 16, 0, 16, 1}, {302, 17, 0, 22, 2},  {305, 20, 2, 14, 1}, {306, 21, 2, 20, 2},
    {401, 24, 0, 0, 6}};

const char* const kComponents[] = {"Tresk",      "SettingManager", "OPCServer",
                                   "GPRSClient", "WatchDog",       "GPRSServer"};

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
  unsigned short model;
  if (input.Pick(2) == 0) {
    // A known model or one of its neighbours.
    model = kModels[input.Pick(sizeof kModels / sizeof kModels[0])].model;
    model = static_cast<unsigned short>(model + input.Byte() % 3 - 1);
  } else {
    model = input.U16();
  }
  ModelRow row{model, 255, 0, 0, 0};
  for (const ModelRow& known : kModels)
    if (known.model == model) row = known;
  FUZZ_CHECK(library.CorvixDeviceModelToTavlinDataType(model) == row.tavlin);
  FUZZ_CHECK(library.CorvixDeviceModelToDataStructureType(model) == row.structure);
  FUZZ_CHECK(library.ModelToIam(model) == row.iam);
  FUZZ_CHECK(library.WhatIsThis(model) == row.deviceClass);

  const int id =
      input.Pick(2) == 0 ? 999 + static_cast<int>(input.Byte() % 9) : static_cast<int>(input.U32());
  Destination<char> name(64);
  library.ComputerIdToString(id, name.data());
  FUZZ_CHECK(name.CanariesIntact());
  if (id >= 1000 && id <= 1005) {
    FUZZ_CHECK(name.Holds(corvix_fuzz::UnitsOf<char>(kComponents[id - 1000])));
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

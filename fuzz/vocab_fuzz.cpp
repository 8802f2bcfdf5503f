// The vocabulary: DataTypeStringToIndex, cpModelTOucModel, ucModelTOcpModel,
// NumericValueStringToIndex, ScaleIndex2String and ScaleString2Index. Names are drawn from the
// tables with their letter case changed and units added or dropped, or are any text.
//
// Checked against the documented tables (case-insensitive where documented, exact elsewhere),
// the 64-byte name buffer and the truncating scale-name copy, and the round trips: a written
// name reads back as its code, a scale name as its index.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

constexpr std::size_t kNameBytes = CORVIXMATH_NAME_BYTES;

struct Named {
  const char* name;
  long code;
};

const Named kDataTypes[] = {
    {"BOOL", 11},          {"CHAR", 16},           {"BIT", 101},          {"SHORT", 2},
    {"LONG", 3},           {"UCHAR", 17},          {"USHORT", 18},        {"ULONG", 19},
    {"FLOAT", 4},          {"DOUBLE", 5},          {"INT16_MODBUS", 106}, {"UINT16_MODBUS", 107},
    {"INT32_MODBUS", 108}, {"UINT32_MODBUS", 109}, {"FLOAT_MODBUS", 110}, {"DOUBLE_MODBUS", 111}};
const Named kModels[] = {
    {"LONG", 3},         {"COLOR", 3},          {"ULONG", 19},        {"DOUBLE", 5},
    {"CHAR", 16},        {"BIT", 101},          {"CHARP", 8},         {"STRING", 8},
    {"UCHAR", 17},       {"BOOL", 11},          {"LABEL", 112},       {"FRAME", 114},
    {"USHORT", 18},      {"VALUEBOX", 113},     {"BARDIAGRAM", 116},  {"EDITBOX", 117},
    {"PUSHBUTTON", 119}, {"INFOBOX", 118},      {"LINEDIAGRAM", 120}, {"SHORT", 2},
    {"FLOAT", 4},        {"VECTORDIAGRAM", 121}};
const Named kWritten[] = {{"SHORT", 2},        {"LONG", 3},          {"FLOAT", 4},
                          {"DOUBLE", 5},       {"CHARP", 8},         {"BOOL", 11},
                          {"CHAR", 16},        {"UCHAR", 17},        {"USHORT", 18},
                          {"ULONG", 19},       {"BIT", 101},         {"COLOR", 105},
                          {"LABEL", 112},      {"VALUEBOX", 113},    {"FRAME", 114},
                          {"BARDIAGRAM", 116}, {"EDITBOX", 117},     {"INFOBOX", 118},
                          {"PUSHBUTTON", 119}, {"LINEDIAGRAM", 120}, {"VECTORDIAGRAM", 121}};
const Named kFormats[] = {{"Simple", 0}, {"Eng", 1}, {"Scirntific", 2}, {"Enum", 3}};
const char* const kScales[] = {"Hide", "Auto", "Unity", "Kilo", "Mega", "Giga", "Tera"};

bool SameIgnoringCase(const std::string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const unsigned char x = static_cast<unsigned char>(a[i]);
    const unsigned char y = static_cast<unsigned char>(b[i]);
    const unsigned char lx = x >= 'A' && x <= 'Z' ? x + 32 : x;
    const unsigned char ly = y >= 'A' && y <= 'Z' ? y + 32 : y;
    if (lx != ly) return false;
  }
  return true;
}

template <std::size_t N>
long Lookup(const Named (&table)[N], const std::string& name, bool ignoreCase, long none) {
  for (const Named& row : table)
    if (ignoreCase ? SameIgnoringCase(name, row.name) : name == row.name) return row.code;
  return none;
}

// A table name with its case changed and units added or dropped, or any text.
std::vector<char> Name(FuzzInput& input) {
  static std::vector<const char*> names;
  if (names.empty()) {
    for (const Named& row : kDataTypes)
      names.push_back(row.name);
    for (const Named& row : kModels)
      names.push_back(row.name);
    for (const Named& row : kFormats)
      names.push_back(row.name);
    for (const char* scale : kScales)
      names.push_back(scale);
    names.push_back("NoData");
    names.push_back("Scientific");
  }
  if (input.Pick(4) == 0) return corvix_fuzz::As<char>(input.Text("ABCabc_ 0", 8));
  std::string name = names[input.Pick(names.size())];
  const std::uint32_t caseFlips = input.U16();
  for (std::size_t i = 0; i < name.size() && i < 16; ++i)
    if ((caseFlips >> i) & 1)
      name[i] = static_cast<char>(std::isupper(static_cast<unsigned char>(name[i]))
                                      ? std::tolower(static_cast<unsigned char>(name[i]))
                                      : std::toupper(static_cast<unsigned char>(name[i])));
  switch (input.Pick(5)) {
    case 0:
      name += static_cast<char>(input.Byte() | 1);
      break;
    case 1:
      if (!name.empty()) name.pop_back();
      break;
    case 2:
      name.insert(name.begin(), static_cast<char>(input.Byte() | 1));
      break;
    default:
      break;
  }
  return std::vector<char>(name.begin(), name.end());
}

void NamesToCodes(FuzzInput& input) {
  CMathOperation library;
  Source<char> name(Name(input));
  const std::vector<char> units = name.Units();
  const std::string text = corvix_fuzz::StringOf(units);
  corvix_fuzz::Note("name '%s'", text.c_str());
  FUZZ_CHECK(library.DataTypeStringToIndex(name.data()) == Lookup(kDataTypes, text, true, 0));
  FUZZ_CHECK(library.cpModelTOucModel(name.data()) == Lookup(kModels, text, false, 255));
  FUZZ_CHECK(library.NumericValueStringToIndex(name.data()) == Lookup(kFormats, text, true, 255));
  long scale = -1;
  for (long i = 0; i < 7; ++i)
    if (SameIgnoringCase(text, kScales[i])) scale = i;
  FUZZ_CHECK(library.ScaleString2Index(name.data()) == scale);
  FUZZ_CHECK(name.Holds(units));
}

void CodesToNames(FuzzInput& input) {
  CMathOperation library;
  const unsigned char code = input.Byte();
  Destination<char> name(kNameBytes);
  library.ucModelTOcpModel(code, name.data());
  FUZZ_CHECK(name.CanariesIntact());
  std::string expected = "NoData";
  for (const Named& row : kWritten)
    if (row.code == code) expected = row.name;
  FUZZ_CHECK(corvix_fuzz::StringOf(name.Text()) == expected);
  FUZZ_CHECK(name.Terminated());
  // A written name reads back as its code, except "COLOR", which reads as a LONG.
  if (expected != "NoData")
    FUZZ_CHECK(library.cpModelTOucModel(name.data()) == (code == 105 ? 3 : code));

  const long index = input.Pick(3) == 0 ? input.Long() : static_cast<long>(input.Byte() % 9) - 1;
  const bool named = index >= 0 && index <= 6;
  const std::size_t length = named ? std::strlen(kScales[index]) : 4;
  std::size_t capacity = input.Capacity(length);
  if (capacity == 0) capacity = 1;
  Destination<char> scale(capacity);
  library.ScaleIndex2String(scale.data(), index, static_cast<unsigned int>(capacity));
  FUZZ_CHECK(scale.CanariesIntact());
  if (!named) {
    FUZZ_CHECK(scale.Unchanged());
    return;
  }
  const std::string cut = std::string(kScales[index]).substr(0, capacity - 1);
  FUZZ_CHECK(scale.Holds(corvix_fuzz::UnitsOf<char>(cut.c_str())));
  if (cut.size() == length) FUZZ_CHECK(library.ScaleString2Index(scale.data()) == index);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  if (input.Bool()) {
    NamesToCodes(input);
  } else {
    CodesToNames(input);
  }
  return 0;
}

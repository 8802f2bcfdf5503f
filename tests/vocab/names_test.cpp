// Type code, value format and scale names.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "support/test_units.h"

namespace {

using corvix_test::CanaryBuffer;

char* Text(const char* literal) {
  return const_cast<char*>(literal);
}

// Each name against both name-to-code lookups, which differ in case, synonyms and coverage.
struct TypeNameCase {
  const char* name;
  unsigned char dataTypeCode;  // DataTypeStringToIndex
  unsigned char modelCode;     // cpModelTOucModel
};

const TypeNameCase kTypeNames[] = {
    {"SHORT", 2, 2},
    {"LONG", 3, 3},
    {"long", 3, 255},
    {"LoNg", 3, 255},
    {"COLOR", 0, 3},
    {"FLOAT", 4, 4},
    {"DOUBLE", 5, 5},
    {"CHARP", 0, 8},
    {"STRING", 0, 8},
    {"BOOL", 11, 11},
    {"CHAR", 16, 16},
    {"UCHAR", 17, 17},
    {"USHORT", 18, 18},
    {"ULONG", 19, 19},
    {"BIT", 101, 101},
    {"bit", 101, 255},
    {"INT16_MODBUS", 106, 255},
    {"uint16_modbus", 107, 255},
    {"INT32_MODBUS", 108, 255},
    {"UINT32_MODBUS", 109, 255},
    {"FLOAT_MODBUS", 110, 255},
    {"DOUBLE_MODBUS", 111, 255},
    {"LABEL", 0, 112},
    {"VALUEBOX", 0, 113},
    {"FRAME", 0, 114},
    {"BARDIAGRAM", 0, 116},
    {"EDITBOX", 0, 117},
    {"INFOBOX", 0, 118},
    {"PUSHBUTTON", 0, 119},
    {"LINEDIAGRAM", 0, 120},
    {"VECTORDIAGRAM", 0, 121},
    {"LONG ", 0, 255},
    {"LON", 0, 255},
    {"LONGER", 0, 255},
    {"", 0, 255},
    // Only ASCII letters fold: 0xCC is not the upper case of 0xEC.
    {"LONG\xCC", 0, 255},
};

TEST(TypeNames, ReadEachNameWithItsOwnCaseRuleAndCoverage) {
  CMathOperation math;
  for (const TypeNameCase& c : kTypeNames) {
    EXPECT_EQ(math.DataTypeStringToIndex(Text(c.name)), c.dataTypeCode) << c.name;
    EXPECT_EQ(math.cpModelTOucModel(Text(c.name)), c.modelCode) << c.name;
  }
  EXPECT_EQ(math.DataTypeStringToIndex(nullptr), 0);
  EXPECT_EQ(math.cpModelTOucModel(nullptr), 255);
}

struct TypeCodeCase {
  unsigned char code;
  const char* written;
};

const TypeCodeCase kTypeCodes[] = {
    {2, "SHORT"},     {3, "LONG"},         {4, "FLOAT"},         {5, "DOUBLE"},
    {8, "CHARP"},     {11, "BOOL"},        {16, "CHAR"},         {17, "UCHAR"},
    {18, "USHORT"},   {19, "ULONG"},       {101, "BIT"},         {105, "COLOR"},
    {106, "NoData"},  {107, "NoData"},     {108, "NoData"},      {109, "NoData"},
    {110, "NoData"},  {111, "NoData"},     {112, "LABEL"},       {113, "VALUEBOX"},
    {114, "FRAME"},   {115, "NoData"},     {116, "BARDIAGRAM"},  {117, "EDITBOX"},
    {118, "INFOBOX"}, {119, "PUSHBUTTON"}, {120, "LINEDIAGRAM"}, {121, "VECTORDIAGRAM"},
    {0, "NoData"},    {1, "NoData"},       {6, "NoData"},        {20, "NoData"},
    {100, "NoData"},  {104, "NoData"},     {122, "NoData"},      {255, "NoData"},
};

TEST(TypeNames, WriteTheNameOfEachCodeIntoSixtyFourBytes) {
  CMathOperation math;
  for (const TypeCodeCase& c : kTypeCodes) {
    CanaryBuffer<char> name(CORVIXMATH_NAME_BYTES);
    math.ucModelTOcpModel(c.code, name.data());
    EXPECT_STREQ(name.data(), c.written) << int(c.code);
    EXPECT_TRUE(name.CanariesIntact());
  }
  math.ucModelTOcpModel(3, nullptr);
}

TEST(TypeNames, EveryWrittenNameReadsBackToItsCodeExceptTheColour) {
  CMathOperation math;
  for (const TypeCodeCase& c : kTypeCodes) {
    if (std::strcmp(c.written, "NoData") == 0) continue;
    const unsigned char expected = c.code == 105 ? 3 : c.code;
    EXPECT_EQ(math.cpModelTOucModel(Text(c.written)), expected) << c.written;
  }
}

struct IndexCase {
  const char* name;
  long expected;
};

const IndexCase kValueFormats[] = {
    {"Simple", 0},     {"SIMPLE", 0},     {"Eng", 1},  {"eng", 1},    {"ENG", 1},
    {"Scirntific", 2}, {"SCIRNTIFIC", 2}, {"Enum", 3}, {"enum", 3},   {"Scientific", 255},
    {"", 255},         {"Eng ", 255},     {"En", 255}, {"Hide", 255},
};

TEST(ValueFormatNames, ReadWithoutRegardToCase) {
  CMathOperation math;
  for (const IndexCase& c : kValueFormats)
    EXPECT_EQ(math.NumericValueStringToIndex(Text(c.name)), c.expected) << c.name;
  EXPECT_EQ(math.NumericValueStringToIndex(nullptr), 255);
}

const IndexCase kScaleNames[] = {
    {"Hide", 0}, {"Auto", 1}, {"Unity", 2}, {"Kilo", 3},   {"kilo", 3}, {"KILO", 3},  {"Mega", 4},
    {"Giga", 5}, {"Tera", 6}, {"", -1},     {"Kilo ", -1}, {"Kil", -1}, {"Peta", -1}, {"Eng", -1},
};

TEST(ScaleNames, ReadWithoutRegardToCase) {
  CMathOperation math;
  for (const IndexCase& c : kScaleNames)
    EXPECT_EQ(math.ScaleString2Index(Text(c.name)), c.expected) << c.name;
  EXPECT_EQ(math.ScaleString2Index(nullptr), -1);
}

struct ScaleWriteCase {
  long index;
  unsigned int capacity;
  const char* written;  // null: the buffer keeps its preset contents
};

const ScaleWriteCase kScaleWrites[] = {
    {0, 64, "Hide"}, {1, 64, "Auto"},  {2, 64, "Unity"},  {3, 64, "Kilo"},    {4, 64, "Mega"},
    {5, 64, "Giga"}, {6, 64, "Tera"},  {2, 3, "Un"},      {3, 5, "Kilo"},     {3, 4, "Kil"},
    {2, 1, ""},      {7, 64, nullptr}, {10, 64, nullptr}, {100, 64, nullptr}, {-1, 64, nullptr},
};

TEST(ScaleNames, WriteTheNameCutToTheCapacityOrNothingForAnIndexWithoutName) {
  CMathOperation math;
  for (const ScaleWriteCase& c : kScaleWrites) {
    CanaryBuffer<char> name(c.capacity);
    const auto before = name.Contents();
    math.ScaleIndex2String(name.data(), c.index, c.capacity);
    if (c.written == nullptr) {
      EXPECT_EQ(name.Contents(), before) << c.index;
    } else {
      EXPECT_STREQ(name.data(), c.written) << c.index << " " << c.capacity;
    }
    EXPECT_TRUE(name.CanariesIntact()) << c.index << " " << c.capacity;
  }
}

TEST(ScaleNames, ACapacityOfZeroOrANullBufferWritesNothing) {
  CMathOperation math;
  CanaryBuffer<char> name(0);
  math.ScaleIndex2String(name.data(), 3, 0);
  EXPECT_TRUE(name.CanariesIntact());
  math.ScaleIndex2String(nullptr, 3, 64);
}

}  // namespace

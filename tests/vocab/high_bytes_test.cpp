// Every character from 0x80 to 0xFF in the vocabulary lookups, event strings and font
// descriptors. Plain char is signed on 32-bit Windows and unsigned on ARM and IBM Z; the
// bytes of the upper half fold to no ASCII letter, end no number and pass through names and
// parameters unchanged on both.
#include <gtest/gtest.h>

#include <string>

#include "CMathOperation.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

using corvix_test::Hex;
using corvix_test::HighBytes;

// Every high byte in every position of a known name, and after it: never that name.
TEST(HighByteNames, NoHighByteFoldsToALetterOfAName) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    for (const std::string name : {"LONG", "long", "Kilo", "Eng"}) {
      for (std::size_t position = 0; position <= name.size(); ++position) {
        std::string changed = name;
        if (position < name.size()) {
          changed[position] = byte;
        } else {
          changed += byte;
        }
        const std::string label = name + " with " + Hex(byte) + " at " + std::to_string(position);
        EXPECT_EQ(math.DataTypeStringToIndex(&changed[0]), 0) << label;
        EXPECT_EQ(math.cpModelTOucModel(&changed[0]), 255) << label;
        EXPECT_EQ(math.ScaleString2Index(&changed[0]), -1) << label;
        EXPECT_EQ(math.NumericValueStringToIndex(&changed[0]), 255) << label;
      }
    }
  }
}

TEST(HighByteEvents, NamesAndParametersKeepTheirHighBytes) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    std::string other = "ShowLinearDiagram" + b + "(1)";
    EXPECT_EQ(math.CheckEventType(&other[0]), -1) << Hex(byte);
    std::string event = b + "(" + b + "1," + b + b + ")";
    EXPECT_EQ(math.CheckEventType(&event[0]), -1) << Hex(byte);
    EXPECT_TRUE(math.IsComplexDataSource(&event[0])) << Hex(byte);
    std::string list(corvix::kTextUnits, '#');
    math.GetCompleteParamList(&event[0], &list[0]);
    EXPECT_EQ(std::string(list.c_str()), b + "1," + b + b) << Hex(byte);
    char parameter[corvix::kNameUnits] = "";
    EXPECT_TRUE(math.GetEventParameters(&event[0], parameter, 2, sizeof parameter)) << Hex(byte);
    EXPECT_EQ(std::string(parameter), b + b) << Hex(byte);
  }
}

TEST(HighByteFonts, FacesKeepTheirBytesAndNumbersStopAtThem) {
  CMathOperation math;
  for (char byte : HighBytes()) {
    const std::string b(1, byte);
    std::string descriptor = b + "Nazanin" + b + ",1" + b + "2,#" + b + "FF,Bold" + b;
    char face[corvix::kFaceBytes] = "";
    unsigned char size = 0, style = 0;
    unsigned long colour = 0;
    math.DecodeFontString(&descriptor[0], face, &size, &colour, &style);
    EXPECT_EQ(std::string(face), b + "Nazanin" + b) << Hex(byte);
    EXPECT_EQ(size, 1) << Hex(byte);  // atol stops at the byte
    EXPECT_EQ(colour, 0xFFul) << Hex(byte);
    EXPECT_EQ(style, 1) << Hex(byte);
    std::string decimalColour = "F,12," + b + "255,Italic";
    math.DecodeFontString(&decimalColour[0], face, &size, &colour, &style);
    EXPECT_EQ(colour, 0ul) << Hex(byte);  // no number before the byte
    EXPECT_EQ(style, 2) << Hex(byte);
  }
}

}  // namespace

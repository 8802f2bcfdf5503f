// Font descriptors "Face,Size,Colour,Style" taken apart into the caller's outputs.
#include <gtest/gtest.h>

#include <string>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "frame/internal/buffers.h"
#include "support/test_units.h"

namespace {

// The style codes hosts store.
static_assert(CORVIXMATH_FONT_STYLE_REGULAR == 0 && CORVIXMATH_FONT_STYLE_BOLD == 1 &&
                  CORVIXMATH_FONT_STYLE_ITALIC == 2 && CORVIXMATH_FONT_STYLE_BOLD_ITALIC == 3,
              "the style codes");

// Outputs are preset with these values; a field the descriptor does not reach keeps them.
constexpr unsigned char kPresetSize = 0xAA;
constexpr unsigned long kPresetColour = 0xDEADBEEFul;
constexpr unsigned char kPresetStyle = 0x77;
const char* const kUntouchedFace = nullptr;

struct Decoded {
  std::string face;  // as the face buffer reads afterwards
  bool faceWritten;
  unsigned char size;
  unsigned long colour;
  unsigned char style;
};

Decoded Decode(const std::string& descriptor, bool wantStyle = true) {
  CMathOperation operation;
  corvix_test::CanaryBuffer<char> face(corvix::kFaceBytes, '#');
  const std::string preset = corvix_test::Narrow(face.data());
  Decoded decoded{"", false, kPresetSize, kPresetColour, kPresetStyle};
  std::string text = descriptor;
  operation.DecodeFontString(&text[0], face.data(), &decoded.size, &decoded.colour,
                             wantStyle ? &decoded.style : nullptr);
  EXPECT_EQ(text, descriptor) << "the descriptor is not changed";
  EXPECT_TRUE(face.CanariesIntact()) << descriptor;
  decoded.face = corvix_test::Narrow(face.data());
  decoded.faceWritten = decoded.face != preset;
  return decoded;
}

struct FontCase {
  const char* descriptor;
  const char* face;  // kUntouchedFace: the face buffer keeps its preset
  unsigned char size;
  unsigned long colour;
  unsigned char style;
};

const FontCase kFontCases[] = {
    {"Tahoma,12,#FF0000,Bold", "Tahoma", 12, 0xFF0000, 1},
    {"Tahoma,12,255,", "Tahoma", 12, 255, 0},
    {"", kUntouchedFace, kPresetSize, kPresetColour, kPresetStyle},
    {"Arial", kUntouchedFace, kPresetSize, kPresetColour, kPresetStyle},
    {"Arial,10", "Arial", kPresetSize, kPresetColour, kPresetStyle},
    {"Arial,", "Arial", kPresetSize, kPresetColour, kPresetStyle},
    {",10,0,", "", 10, 0, 0},
    {"Arial,300,0,", "Arial", 44, 0, 0},
    {"Arial,-1,0,", "Arial", 255, 0, 0},
    {"Arial, 12 ,16711680,Italic", "Arial", 12, 16711680, 2},
    {"Arial,big,red,Bold", "Arial", 0, 0, 1},
    // atol saturates at the 32-bit limit before the size is cut to 8 bits.
    {"Arial,4294967296,0,", "Arial", 255, 0, 0},
    {"Arial,10,#00ff00,", "Arial", 10, 0x00FF00, 0},
    {"Arial,10, #00FF00,", "Arial", 10, 0, 0},
    {"Arial,10,#FFFFFFFF,", "Arial", 10, 0xFFFFFFFFul, 0},
    {"Arial,10,#123456789,", "Arial", 10, 0x23456789ul, 0},
    {"Arial,10,-1,", "Arial", 10, 0xFFFFFFFFul, 0},
    {"Arial,10,99999999999,", "Arial", 10, 2147483647ul, 0},
    {"Arial,10,0,Bold Italic", "Arial", 10, 0, 1},
    {"Arial,10,0,ItalicBold", "Arial", 10, 0, 1},
    {"Arial,10,0,BoldItalic", "Arial", 10, 0, 3},
    {"Arial,10,0,Italic", "Arial", 10, 0, 2},
    {"Arial,10,0,bold", "Arial", 10, 0, 0},
    {"Arial,10,0,Regular,Bold", "Arial", 10, 0, 1},
    {"Arial,10,0,Regular", "Arial", 10, 0, 0},
    // Two commas only: there is no style text, so the style is the one without a style word.
    {"Arial,10,0", "Arial", 10, 0, 0},
    {"Arial,10,#FF", "Arial", 10, 0xFF, 0},
    {"Arial,10,", "Arial", 10, 0, 0},
};

TEST(DecodeFontString, DecodesEachFieldTheDescriptorReaches) {
  for (const FontCase& c : kFontCases) {
    const Decoded decoded = Decode(c.descriptor);
    if (c.face == kUntouchedFace) {
      EXPECT_FALSE(decoded.faceWritten) << c.descriptor;
    } else {
      EXPECT_EQ(decoded.face, c.face) << c.descriptor;
    }
    EXPECT_EQ(decoded.size, c.size) << c.descriptor;
    EXPECT_EQ(decoded.colour, c.colour) << c.descriptor;
    EXPECT_EQ(decoded.style, c.style) << c.descriptor;
  }
}

TEST(DecodeFontString, WithoutAStyleOutputDecodesTheOtherFields) {
  const Decoded decoded = Decode("Arial,10,0", false);
  EXPECT_EQ(decoded.face, "Arial");
  EXPECT_EQ(decoded.size, 10);
  EXPECT_EQ(decoded.colour, 0ul);
  EXPECT_EQ(decoded.style, kPresetStyle);

  const Decoded styled = Decode("Arial,10,#FF0000,BoldItalic", false);
  EXPECT_EQ(styled.colour, 0xFF0000ul);
  EXPECT_EQ(styled.style, kPresetStyle);
}

TEST(DecodeFontString, NullOutputsAreNotWritten) {
  CMathOperation operation;
  char descriptor[] = "Arial,10,255,Bold";
  char face[corvix::kFaceBytes] = "preset";
  unsigned char size = kPresetSize;
  unsigned long colour = kPresetColour;
  unsigned char style = kPresetStyle;

  operation.DecodeFontString(descriptor, nullptr, &size, &colour, &style);
  EXPECT_EQ(size, 10);
  EXPECT_EQ(colour, 255ul);
  EXPECT_EQ(style, 1);

  size = kPresetSize;
  operation.DecodeFontString(descriptor, face, nullptr, nullptr, &style);
  EXPECT_STREQ(face, "Arial");
  EXPECT_EQ(size, kPresetSize);

  style = kPresetStyle;
  operation.DecodeFontString(nullptr, face, &size, &colour, &style);
  EXPECT_STREQ(face, "Arial");
  EXPECT_EQ(style, kPresetStyle);
}

// The face buffer holds 32 bytes: a longer face is cut to 31 characters, never overrun.
TEST(DecodeFontString, CutsAFaceToTheFaceBuffer) {
  struct FaceCase {
    std::size_t length;
    std::size_t kept;
  };
  const FaceCase cases[] = {{30, 30}, {31, 31}, {32, 31}, {33, 31}, {500, 31}};
  for (const FaceCase& c : cases) {
    std::string faceName;
    for (std::size_t i = 0; i < c.length; ++i)
      faceName.push_back(static_cast<char>('a' + i % 26));
    const Decoded decoded = Decode(faceName + ",10,0,Italic");
    EXPECT_EQ(decoded.face, faceName.substr(0, c.kept)) << c.length;
    EXPECT_EQ(decoded.size, 10) << c.length;
    EXPECT_EQ(decoded.style, 2) << c.length;
  }
}

// Only the first 1023 characters of a descriptor take part.
TEST(DecodeFontString, ReadsOnlyTheFirst1023Characters) {
  const std::string head = "Arial,10,0,";
  const auto padded = [&head](std::size_t wordAt, const char* word) {
    return head + std::string(wordAt - head.size(), 'x') + word;
  };
  EXPECT_EQ(Decode(padded(1019, "Bold")).style, 1);  // ends at index 1022
  EXPECT_EQ(Decode(padded(1020, "Bold")).style, 0);  // its 'd' is cut off
  EXPECT_EQ(Decode(padded(1020, "BoldItalic")).style, 0);

  // A third comma beyond the cut does not count: the colour runs to the end of the copy.
  const std::string longColour = "Arial,10," + std::string(1023 - 9, '0') + ",Bold";
  const Decoded decoded = Decode(longColour);
  EXPECT_EQ(decoded.colour, 0ul);
  EXPECT_EQ(decoded.style, 0);

  const std::string sizeCut = std::string(1020, 'F') + ",10,1,Bold";
  const Decoded cut = Decode(sizeCut);
  EXPECT_EQ(cut.face, std::string(31, 'F'));
  EXPECT_EQ(cut.size, kPresetSize);
}

}  // namespace

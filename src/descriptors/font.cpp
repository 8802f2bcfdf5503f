// Font descriptors: "Face,Size,Colour,Style" lines such as 'Tahoma,12,#FF0000,Bold'.
//
// DecodeFontString splits a descriptor into its fields and writes each into the caller's
// output. An output is written only when the descriptor reaches the field that feeds it, so a
// caller presets its outputs with defaults; null outputs are never written.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "format/internal/formatters.h"
#include "frame/internal/buffers.h"
#include "frame/internal/int32.h"
#include "text/internal/search.h"

namespace {

constexpr char kFieldSeparator = ',';
constexpr char kHexColourMark = '#';

// Style codes, tested in this order: "BoldItalic" must win over the "Bold" inside it.
constexpr unsigned char kStyleRegular = CORVIXMATH_FONT_STYLE_REGULAR;
constexpr unsigned char kStyleBold = CORVIXMATH_FONT_STYLE_BOLD;
constexpr unsigned char kStyleItalic = CORVIXMATH_FONT_STYLE_ITALIC;
constexpr unsigned char kStyleBoldItalic = CORVIXMATH_FONT_STYLE_BOLD_ITALIC;

// Ends `text` at its first separator and returns the text after it, or null when there is no
// separator (then `text` is left as it was).
char* SplitAtSeparator(char* text) {
  const long position = corvix::text::FindCharpos(text, kFieldSeparator);
  if (position < 0) return nullptr;
  text[position] = '\0';
  return text + position + 1;
}

// The style words are matched with exact case, anywhere in the style text.
unsigned char StyleCode(const char* styleText) {
  if (corvix::text::FindSubStringStart(styleText, "BoldItalic") >= 0) return kStyleBoldItalic;
  if (corvix::text::FindSubStringStart(styleText, "Bold") >= 0) return kStyleBold;
  if (corvix::text::FindSubStringStart(styleText, "Italic") >= 0) return kStyleItalic;
  return kStyleRegular;
}

}  // namespace

// 'Tahoma,12,#FF0000,Bold' -> face 'Tahoma', size 12, colour 0xFF0000, style 1.
// - Only the first 1023 characters of the descriptor take part.
// - The face buffer holds 32 bytes: a longer face is cut to its first 31 characters.
// - The size is atol of its field cut to 8 bits ('300' -> 44, '-1' -> 255); it and the later
//   fields are decoded only when a comma follows the size.
// - The colour is HexStringToDecimal of its field when the field starts with '#', else atol;
//   it is the 32-bit word a 32-bit Windows `unsigned long` holds ('#FFFFFFFF' and '-1' ->
//   0xFFFFFFFF), also where `unsigned long` is 64 bits.
// - The style text is everything after the third comma, further commas included; without a
//   third comma there is no style text and the style is 0.
void CMathOperation::DecodeFontString(char* descriptor, char* face, unsigned char* size,
                                      unsigned long* colour, unsigned char* style) {
  corvix::WorkingCopy<char, corvix::kFormatUnits> copy(descriptor);

  char* const faceText = copy.units;
  char* const sizeText = SplitAtSeparator(faceText);
  if (sizeText == nullptr) return;
  corvix::CopyTruncated(face, faceText, corvix::kFaceBytes);

  char* const colourText = SplitAtSeparator(sizeText);
  if (colourText == nullptr) return;
  if (size != nullptr) {
    *size = static_cast<unsigned char>(static_cast<std::uint32_t>(corvix::ParseLong32(sizeText)));
  }

  char* const styleText = SplitAtSeparator(colourText);
  if (colour != nullptr) {
    const long value = colourText[0] == kHexColourMark ? corvix::format::HexWord(colourText)
                                                       : corvix::ParseLong32(colourText);
    *colour = static_cast<std::uint32_t>(value);
  }

  if (style == nullptr) return;
  *style = styleText == nullptr ? kStyleRegular : StyleCode(styleText);
}

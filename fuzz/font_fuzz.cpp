// Font descriptors: DecodeFontString with "Face,Size,Colour,Style" texts of zero to several
// commas, faces around the 32-byte face buffer, descriptors around the 1024-byte working copy,
// and a null or real style output.
//
// Checked against a model of the documented steps: outputs that the descriptor does not reach
// keep their preset values, the face is copied whole when it fits, the size is atol cut to 8
// bits, the colour atol or the hexadecimal value of a '#' field (as a 32-bit word), the style
// the first of "BoldItalic", "Bold", "Italic" found after the third comma.
#include <cstdint>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::Destination;
using corvix_fuzz::FuzzInput;
using corvix_fuzz::Source;

constexpr std::size_t kFaceBytes = CORVIXMATH_FACE_BYTES;
constexpr std::size_t kDescriptorText = CORVIXMATH_FORMAT_UNITS - 1;

std::uint32_t Hexadecimal(const std::string& text) {
  std::uint32_t value = 0;
  for (char c : text) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (digit >= 0) value = (value << 4) + static_cast<std::uint32_t>(digit);
  }
  return value;
}

long Atol(const std::string& text) {
  return corvix_fuzz::Atol32(std::vector<char>(text.begin(), text.end()));
}

// The colour field: hexadecimal after a '#', else atol, as a 32-bit word.
std::uint32_t ExpectedColour(const std::string& colourText) {
  return !colourText.empty() && colourText[0] == '#' ? Hexadecimal(colourText)
                                                     : static_cast<std::uint32_t>(Atol(colourText));
}

// The style words, matched with exact case anywhere in the style text; "BoldItalic" first.
unsigned char ExpectedStyle(const std::string& styleText) {
  if (styleText.find("BoldItalic") != std::string::npos) return CORVIXMATH_FONT_STYLE_BOLD_ITALIC;
  if (styleText.find("Bold") != std::string::npos) return CORVIXMATH_FONT_STYLE_BOLD;
  if (styleText.find("Italic") != std::string::npos) return CORVIXMATH_FONT_STYLE_ITALIC;
  return CORVIXMATH_FONT_STYLE_REGULAR;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  CMathOperation library;
  Source<char> descriptor(corvix_fuzz::As<char>(input.Text(",,,#0129FfBoldItalicTahoma -", 8)));
  const bool nullStyle = input.Pick(4) == 0;
  const std::vector<char> units = descriptor.Units();
  const std::string text = corvix_fuzz::StringOf(units);
  corvix_fuzz::Note("DecodeFontString '%s'", descriptor.data());

  Destination<char> face(kFaceBytes);
  unsigned char sizeOut = 0xA7;
  unsigned long colour = 0xDEADBEEFul;
  unsigned char style = 0x5C;
  library.DecodeFontString(descriptor.data(), face.data(), &sizeOut, &colour,
                           nullStyle ? nullptr : &style);
  FUZZ_CHECK(face.CanariesIntact());
  FUZZ_CHECK(descriptor.Holds(units));
  if (text.size() > kDescriptorText) {
    FUZZ_CHECK(face.Terminated());
    return 0;
  }

  const std::size_t first = text.find(',');
  if (first == std::string::npos) {
    FUZZ_CHECK(face.Unchanged());
    FUZZ_CHECK(sizeOut == 0xA7 && colour == 0xDEADBEEFul && style == 0x5C);
    return 0;
  }
  const std::string faceText = text.substr(0, first);
  if (faceText.size() < kFaceBytes) {
    FUZZ_CHECK(face.Holds(corvix_fuzz::UnitsOf<char>(faceText.c_str())));
  } else {
    FUZZ_CHECK(face.Terminated());
  }

  const std::size_t second = text.find(',', first + 1);
  if (second == std::string::npos) {
    FUZZ_CHECK(sizeOut == 0xA7 && colour == 0xDEADBEEFul && style == 0x5C);
    return 0;
  }
  FUZZ_CHECK(sizeOut ==
             static_cast<unsigned char>(Atol(text.substr(first + 1, second - first - 1)) & 0xFF));

  const std::size_t third = text.find(',', second + 1);
  const std::string colourText =
      text.substr(second + 1, third == std::string::npos ? std::string::npos : third - second - 1);
  FUZZ_CHECK((colour & 0xFFFFFFFFul) == ExpectedColour(colourText));

  if (nullStyle) return 0;
  // Without a third comma there is no style text; what the style then gets is left open.
  if (third == std::string::npos) return 0;
  FUZZ_CHECK(style == ExpectedStyle(text.substr(third + 1)));
  return 0;
}

// Test-only helpers shared by every test program: strings of each unit flavour made from
// ASCII text, buffers with canary units right after a stated capacity, and the flavours as
// typed-test parameters.
#ifndef CORVIXMATH_TESTS_SUPPORT_TEST_UNITS_H
#define CORVIXMATH_TESTS_SUPPORT_TEST_UNITS_H

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>
#include <vector>

#include "test_buffers.h"

namespace corvix_test {

// A NUL-terminated string of `Unit` made from narrow text, one unit per byte (bytes are
// taken as unsigned, so "\xE9" becomes the unit 0xE9).
template <class Unit>
std::vector<Unit> Units(const std::string& text) {
  std::vector<Unit> units;
  units.reserve(text.size() + 1);
  for (unsigned char byte : text)
    units.push_back(static_cast<Unit>(byte));
  units.push_back(Unit(0));
  return units;
}

// One unit from a narrow character, taken as unsigned as Units does ('\xE9' becomes 0xE9).
template <class Unit>
Unit U(char c) {
  return static_cast<Unit>(static_cast<unsigned char>(c));
}

// The 128 narrow characters from 0x80 to 0xFF: letters of the Windows-1256 code page, and the
// bytes whose value depends on the signedness of plain char (negative on 32-bit
// Windows, positive where char is unsigned, as on ARM and IBM Z).
inline std::vector<char> HighBytes() {
  std::vector<char> bytes;
  for (unsigned value = 0x80; value <= 0xFF; ++value)
    bytes.push_back(static_cast<char>(value));
  return bytes;
}

// A byte in hexadecimal, for failure messages.
inline std::string Hex(char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  const unsigned value = static_cast<unsigned char>(byte);
  return std::string("0x") + kDigits[value >> 4] + kDigits[value & 0xF];
}

// The text before the terminator, each unit cut to a byte (for comparing with ASCII text).
template <class Unit>
std::string Narrow(const Unit* units) {
  std::string text;
  for (std::size_t i = 0; units[i] != Unit(0); ++i)
    text.push_back(static_cast<char>(units[i]));
  return text;
}

// What a destination must hold after a call: a text, or kUntouched for exactly what it held
// before. Either way nothing may be written past its capacity.
constexpr const char* kUntouched = nullptr;

template <class Unit>
void ExpectDestination(const CanaryBuffer<Unit>& buffer, const std::vector<Unit>& before,
                       const char* expected, const std::string& label) {
  if (expected == kUntouched) {
    EXPECT_EQ(buffer.Contents(), before) << label << ": destination was written";
  } else {
    EXPECT_EQ(buffer.Narrow(), expected) << label;
  }
  EXPECT_TRUE(buffer.CanariesIntact()) << label << ": written past the destination";
}

// The string flavours as typed-test parameters: every flavour, or those a family exports.
using AllFlavours = ::testing::Types<char, unsigned short, wchar_t>;
using NarrowAndUnits = ::testing::Types<char, unsigned short>;
using NarrowAndWide = ::testing::Types<char, wchar_t>;

// Readable flavour names in typed-test names. They come from the type, not its size: wchar_t is
// 16 bits wide on Windows, as wide as unsigned short.
struct FlavourNames {
  template <class Unit>
  static std::string GetName(int) {
    static_assert(std::is_same<Unit, char>::value || std::is_same<Unit, unsigned short>::value ||
                      std::is_same<Unit, wchar_t>::value,
                  "not a string flavour");
    if (std::is_same<Unit, char>::value) return "narrow";
    if (std::is_same<Unit, unsigned short>::value) return "units";
    return "wide";
  }
};

}  // namespace corvix_test

#endif  // CORVIXMATH_TESTS_SUPPORT_TEST_UNITS_H

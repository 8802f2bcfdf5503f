// The number conversions built without floating-point charconv ({fmt} and fast_float) against
// the C++ library's own std::to_chars and std::from_chars, on a build that has both: every text
// and every value read back must be the same.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "frame/internal/float_chars.h"

static_assert(!CORVIXMATH_STD_FLOAT_CHARCONV,
              "this program tests the conversions without charconv");

namespace {

double FromBits(std::uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Random bit patterns over every magnitude, values of few digits (whose shortest texts choose
// between the plain and the exponent forms) and the edges of the range.
std::vector<double> FiniteValues() {
  std::vector<double> values = {0.0,
                                -0.0,
                                1.0,
                                -999.0,
                                0.1,
                                0.0001,
                                0.00001,
                                20.625,
                                0.4828,
                                1e15,
                                1e16,
                                123456789012345680.0,
                                1e21,
                                1e22,
                                5e-324,
                                2.2250738585072014e-308,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::lowest(),
                                0.0078125,
                                2.5,
                                1.0000005};
  std::mt19937_64 random(20261209);
  for (int draw = 0; draw < 3000; ++draw) {
    const double value = FromBits(random());
    if (std::isfinite(value)) values.push_back(value);
  }
  std::uniform_int_distribution<int> mantissa(1, 999999), exponent(-30, 30);
  for (int draw = 0; draw < 3000; ++draw)
    values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
  return values;
}

std::string Text(const char* first, const char* last) {
  return std::string(first, last);
}

std::string StdText(double value, std::chars_format format, int precision) {
  char text[400];
  const char* end = std::to_chars(text, text + sizeof text, value, format, precision).ptr;
  return Text(text, end);
}

TEST(FloatCharsFallback, FixedAndScientificTextsMatchCharconv) {
  for (double value : FiniteValues()) {
    for (int precision : {0, 1, 4, 6, 17, 19}) {
      char text[400];
      const std::string fixed =
          Text(text, corvix::WriteFixedChars(text, text + sizeof text, value, precision));
      ASSERT_EQ(fixed, StdText(value, std::chars_format::fixed, precision)) << value;
      const std::string scientific =
          Text(text, corvix::WriteScientificChars(text, text + sizeof text, value, precision));
      ASSERT_EQ(scientific, StdText(value, std::chars_format::scientific, precision)) << value;
    }
  }
}

TEST(FloatCharsFallback, ShortestTextsMatchCharconv) {
  for (double value : FiniteValues()) {
    char expected[64];
    const char* expectedEnd = std::to_chars(expected, expected + sizeof expected, value).ptr;
    char text[64];
    const char* end = corvix::WriteShortestChars(text, text + sizeof text, value);
    ASSERT_EQ(Text(text, end), Text(expected, expectedEnd)) << value;
  }
}

TEST(FloatCharsFallback, ReadsWhatCharconvReadsAndRefusesWhatItRefuses) {
  std::vector<std::string> texts = {"0",        "-0",       "1",
                                    "12.",      ".5",       "-.5",
                                    "1e5",      "1E-5",     "1e400",
                                    "1e-400",   "-1e400",   "0e999",
                                    "0.000",    "inf",      "-inf",
                                    "nan",      "+1",       "",
                                    "-",        ".",        "1x",
                                    " 1",       "0x1p3",    "1e",
                                    "4.9e-324", "2.4e-324", "1.7976931348623159e308"};
  for (double value : FiniteValues()) {
    char text[64];
    texts.push_back(Text(text, corvix::WriteShortestChars(text, text + sizeof text, value)));
  }
  for (const std::string& text : texts) {
    const char* first = text.data();
    const char* last = first + text.size();
    double expected = -1.5;
    const std::from_chars_result read = std::from_chars(first, last, expected);
    const bool accepted = read.ec == std::errc() && read.ptr == last;
    double value = -1.5;
    ASSERT_EQ(corvix::ReadWholeDouble(first, last, value), accepted) << '"' << text << '"';
    if (accepted && !std::isnan(expected)) {
      EXPECT_EQ(std::memcmp(&value, &expected, sizeof value), 0) << text;
    }
    if (!accepted) {
      EXPECT_EQ(value, -1.5) << "a refused text leaves the value alone: " << text;
    }
  }
}

}  // namespace

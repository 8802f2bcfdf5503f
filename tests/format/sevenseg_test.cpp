// The seven-segment panel word: four 7-bit character codes and one decimal-point bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "frame/internal/int32.h"

namespace {

// The published flags and word layout are the panel firmware's, written out here on their own:
// a change to CorvixLimits.h that the firmware would not follow fails the build.
static_assert(CORVIXMATH_SEVENSEG_FIXED_DIVISOR == 0x0008 &&
                  CORVIXMATH_SEVENSEG_DROP_MINUS == 0x0100 && CORVIXMATH_SEVENSEG_PLAIN == 0x0200,
              "the panel's flags");
static_assert(CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO == 0x0800 &&
                  CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA == 0x1000 &&
                  CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA == 0x2000 &&
                  CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA == 0x4000,
              "the panel's divisors");
static_assert(CORVIXMATH_SEVENSEG_CHARACTERS == 4 && CORVIXMATH_SEVENSEG_CODE_BITS == 7 &&
                  CORVIXMATH_SEVENSEG_MINUS_CODE == 30 && CORVIXMATH_SEVENSEG_FIRST_POINT_BIT == 31,
              "the panel's word layout");

constexpr unsigned kMinus = 30;
constexpr int kNoPoint = 0;

// The expected word, built independently of the encoder: characters left to right and the
// text index (1 to 4) of the point, or kNoPoint.
long Word(unsigned c1, unsigned c2, unsigned c3, unsigned c4, int pointIndex) {
  std::uint32_t bits = (c1 << 21) | (c2 << 14) | (c3 << 7) | c4;
  switch (pointIndex) {
    case 1:
      bits |= 0x80000000u;
      break;
    case 2:
      bits |= 0x40000000u;
      break;
    case 3:
      bits |= 0x20000000u;
      break;
    case 4:
      bits |= 0x10000000u;
      break;
    default:
      break;
  }
  return corvix::LongFromBits(bits);
}

struct SevenSegCase {
  double value;
  long flags;
  long expected;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

const SevenSegCase kSevenSegCases[] = {
    // Worked examples.
    {1234.5678, 0x0200, Word(1, 2, 3, 4, 4)},
    {-12.5, 0x0200, Word(kMinus, 1, 2, 5, 3)},
    {-12.5, 0x0300, Word(0, 1, 2, 5, 2)},
    {1.5, 0x0200, Word(0, 0, 1, 5, 1)},
    {12345.678, 0, Word(1, 2, 3, 4, 2)},
    {2500000, 0x1008, Word(0, 0, 2, 5, 1)},

    // Four-decimal text: trailing zeros, then a trailing point, are stripped.
    {2.0, 0x0200, Word(0, 0, 0, 2, kNoPoint)},
    {10.0, 0x0200, Word(0, 0, 1, 0, kNoPoint)},
    {0.0, 0x0200, 0},
    {0.1, 0x0200, Word(0, 0, 0, 1, 1)},
    {1.99999, 0x0200, Word(0, 0, 0, 2, kNoPoint)},  // "%4.4f" rounds to 2.0000
    {0.00004, 0x0200, 0},
    {12345.6, 0x0200, Word(1, 2, 3, 4, kNoPoint)},  // the point was at index 5
    {123.456, 0x0200, Word(1, 2, 3, 4, 3)},
    // The zero fill goes in front of a minus sign.
    {-5.0, 0x0200, Word(0, 0, kMinus, 5, kNoPoint)},
    {-0.00004, 0x0200, Word(0, 0, kMinus, 0, kNoPoint)},
    {-0.00004, 0x0300, 0},
    {-5.0, 0x0300, Word(0, 0, 0, 5, kNoPoint)},
    // Largest texts that fit the working buffer, and the first ones that do not.
    {999999.9999, 0x0200, Word(9, 9, 9, 9, kNoPoint)},
    {-99999.9999, 0x0200, Word(kMinus, 9, 9, 9, kNoPoint)},
    {1000000.0, 0x0200, 0},
    {999999.99999, 0x0200, 0},
    {-100000.0, 0x0200, 0},
    {-100000.0, 0x0300, 0},
    {1e300, 0x0200, 0},

    // Fixed divisors and their precedence; without 0x0008 the divisor bits are ignored.
    {2500.0, 0x0808, Word(0, 0, 2, 5, 1)},
    {2.5e9, 0x2008, Word(0, 0, 2, 5, 1)},
    {2.5e12, 0x4008, Word(0, 0, 2, 5, 1)},
    {2500000.0, 0x1808, Word(2, 5, 0, 0, kNoPoint)},
    {2.5e9, 0x6008, Word(0, 0, 2, 5, 1)},
    {2500.0, 0x0008, Word(2, 5, 0, 0, kNoPoint)},
    {2500.0, 0x0A08, Word(0, 0, 2, 5, 1)},  // the fixed divisor wins over plain
    {250000.0, 0x1200, Word(2, 5, 0, 0, kNoPoint)},
    {2500000.0, 0x1200, 0},
    {1e9, 0x0808, 0},  // 1 000 000 after division does not fit
    {-1.5e9, 0x2108, Word(0, 0, 1, 5, 1)},
    // Unnamed bits are ignored, even all of them.
    {1234.5678, 0x0200 | 0x0001 | 0x0400 | 0x10000, Word(1, 2, 3, 4, 4)},
    {2500.0, -1, Word(0, 0, 2, 5, 1)},

    // Engineering text; the scale letter never reaches the word.
    {123.4, 0, Word(1, 2, 3, 4, 3)},
    {2500000.0, 0x1000, Word(2, 5, 0, 0, 1)},  // '2.500 M'
    {0.05, 0, Word(0, 0, 5, 0, 1)},            // '0.050'
    {-1.5, 0, Word(kMinus, 1, 5, 0, 2)},       // '-1.500' cut to '-150'
    {-1.5, 0x0100, Word(1, 5, 0, 0, 1)},
    {-999.5, 0, Word(0, 0, 0, 0, 1)},              // the missing-value marker shows as '0.000'
    {999.9999999, 0, Word(1, 0, 0, 0, kNoPoint)},  // "%f" rounds up to 1000.000000
    {1e15, 0, Word(1, 0, 0, 0, 1)},                // '1.000 P': the word as before the letter
    {-1e15, 0, Word(kMinus, 1, 0, 0, 2)},          // '-1.000 P' cut to '-100'
    {-1e15, 0x0100, Word(1, 0, 0, 0, 1)},
    {1e16, 0, 0},  // "EEEE"
    {-1e16, 0, 0},
    {-1e16, 0x0100, 0},

    // Not-a-number and infinities: the letters code as 0, only a minus sign shows.
    {kNaN, 0x0200, 0},
    {-kNaN, 0x0200, Word(kMinus, 0, 0, 0, kNoPoint)},
    {-kNaN, 0x0300, 0},
    {kInf, 0x0200, 0},
    {-kInf, 0x0200, Word(kMinus, 0, 0, 0, kNoPoint)},
    {-kInf, 0x0300, 0},
    {kInf, 0x0808, 0},
    {kNaN, 0, 0},
    {-kNaN, 0, Word(kMinus, 0, 0, 0, kNoPoint)},
    // Infinities are beyond the engineering limits: "EEEE".
    {kInf, 0, 0},
    {-kInf, 0, 0},
};

TEST(NumberTo4SevenSeg, PacksTheFourCharactersAndThePoint) {
  CMathOperation operation;
  for (const SevenSegCase& c : kSevenSegCases) {
    EXPECT_EQ(operation.NumberTo4SevenSeg(c.value, c.flags), c.expected)
        << "value " << c.value << " flags 0x" << std::hex << c.flags;
  }
}

TEST(NumberTo4SevenSeg, APointAtIndexOneReadsAsANegativeLong) {
  CMathOperation operation;
  const long word = operation.NumberTo4SevenSeg(1.5, 0x0200);
  EXPECT_LT(word, 0);
  EXPECT_EQ(word, -2147483647L - 1 + (1 << 7) + 5);
}

// Over a sweep of values and flag words, a word never has more than one point bit, its
// unused code values stay unused, and it never equals -999.
TEST(NumberTo4SevenSeg, NoWordLooksLikeTheFaultValue) {
  CMathOperation operation;
  const long flagWords[] = {0, 0x0100, 0x0200, 0x0300, 0x0808, 0x1008, 0x2108, 0x4008};
  for (long flags : flagWords) {
    for (double magnitude = 1e-5; magnitude < 2e6; magnitude *= 1.37) {
      for (double value : {magnitude, -magnitude, magnitude + 0.5, -magnitude - 0.5}) {
        const long word = operation.NumberTo4SevenSeg(value, flags);
        const std::uint32_t bits = static_cast<std::uint32_t>(word);
        const std::uint32_t points = bits >> 28;
        EXPECT_TRUE(points == 0 || points == 1 || points == 2 || points == 4 || points == 8)
            << value;
        for (unsigned shift = 0; shift < 28; shift += 7) {
          const std::uint32_t code = (bits >> shift) & 0x7F;
          EXPECT_TRUE(code <= 9 || code == kMinus) << value;
        }
        EXPECT_NE(word, CORVIXMATH_MISSING_VALUE) << value;
      }
    }
  }
}

}  // namespace

// Minimum, maximum, average and spread of a sample array, under both exported names.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

using Summary = void (CMathOperation::*)(double*, long, double*, double*, double*, double*);
constexpr Summary kBothNames[] = {&CMathOperation::CalculateMinMaxAvrSD,
                                  &CMathOperation::CalculateMinMax};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Result {
  double minimum, maximum, average, spread;
};

Result Summarise(Summary member, std::vector<double> values, long count) {
  CMathOperation math;
  Result result{1.5, 1.5, 1.5, 1.5};
  (math.*member)(values.empty() ? nullptr : values.data(), count, &result.minimum, &result.maximum,
                 &result.average, &result.spread);
  return result;
}

// Equal as doubles, NaN matching NaN and -0.0 told from 0.0.
void ExpectSame(double actual, double expected, const char* what) {
  if (std::isnan(expected)) {
    EXPECT_TRUE(std::isnan(actual)) << what << " = " << actual;
  } else {
    EXPECT_EQ(actual, expected) << what;
    EXPECT_EQ(std::signbit(actual), std::signbit(expected)) << what;
  }
}

TEST(CalculateMinMaxAvrSD, SummarisesSamples) {
  struct Case {
    std::vector<double> values;
    Result expected;
  };
  const Case cases[] = {
      // The spread is sqrt(sum of squared deviations) / n, not the population deviation.
      {{1, 2, 3, 4}, {1, 4, 2.5, std::sqrt(5.0) / 4}},
      {{7}, {7, 7, 7, 0}},
      {{3, 3, 3}, {3, 3, 3, 0}},
      {{-2, 5, -2, 5}, {-2, 5, 1.5, 7.0 / 4}},
      // Beyond the starting values the data's own extremes are reported.
      {{2e14, 3e14}, {2e14, 3e14, 2.5e14, std::sqrt(2 * 0.5e14 * 0.5e14) / 2}},
      {{-5e14}, {-5e14, -5e14, -5e14, 0}},
      {{1e15, -1e15}, {-1e15, 1e15, 0, std::sqrt(2e30) / 2}},
      // NaN samples change no extreme but make the sums NaN.
      {{kNaN, 5, 1}, {1, 5, kNaN, kNaN}},
      {{5, kNaN, 9}, {5, 9, kNaN, kNaN}},
      // Only NaN: the starting values still say "no data".
      {{kNaN, kNaN},
       {CORVIXMATH_STATS_NO_DATA_MINIMUM, CORVIXMATH_STATS_NO_DATA_MAXIMUM, kNaN, kNaN}},
      // In-order sums: 1e16 + 1 rounds back to 1e16, so the sum is 1, not 2.
      {{1e16, 1, -1e16, 1}, {-1e16, 1e16, 0.25, std::sqrt(2e32) / 4}},
      // Divisions by n, not multiplications by 1/n (0.29999999999999993, 0.16329931618554516).
      {{0.1, 0.7, 0.1}, {0.1, 0.7, 0.3, 0.1632993161855452}},
      // Every squared deviation rounded before it is added: a fused multiply-add (the norm on
      // ARM and IBM Z) gives 0.15153535218873174 and 0.047140452079103168.
      {{0.1, 0.2, 0.7}, {0.1, 0.7, 0.33333333333333331, 0.15153535218873171}},
      {{0.2, 0.3, 0.4}, {0.2, 0.4, 0.3, 0.047140452079103175}},
      // Strict comparisons: an equal value of the other sign never replaces an extreme.
      {{0.0, -0.0}, {0.0, 0.0, 0.0, 0.0}},
      {{-0.0, 0.0}, {-0.0, -0.0, 0.0, 0.0}},
  };
  for (Summary member : kBothNames) {
    for (const Case& c : cases) {
      SCOPED_TRACE(::testing::Message()
                   << "first value " << c.values[0] << ", count " << c.values.size());
      const Result r = Summarise(member, c.values, static_cast<long>(c.values.size()));
      ExpectSame(r.minimum, c.expected.minimum, "minimum");
      ExpectSame(r.maximum, c.expected.maximum, "maximum");
      ExpectSame(r.average, c.expected.average, "average");
      ExpectSame(r.spread, c.expected.spread, "spread");
    }
  }
}

TEST(CalculateMinMaxAvrSD, WritesNoDataValuesWithoutSamples) {
  struct Case {
    long count;
    Result expected;
  };
  // 0 samples give 0/0; a negative count gives 0 divided by a negative number.
  const Case cases[] = {
      {0, {CORVIXMATH_STATS_NO_DATA_MINIMUM, CORVIXMATH_STATS_NO_DATA_MAXIMUM, kNaN, kNaN}},
      {-3, {CORVIXMATH_STATS_NO_DATA_MINIMUM, CORVIXMATH_STATS_NO_DATA_MAXIMUM, -0.0, -0.0}}};
  for (Summary member : kBothNames) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.count);
      const Result r = Summarise(member, {4, 5}, c.count);
      ExpectSame(r.minimum, c.expected.minimum, "minimum");
      ExpectSame(r.maximum, c.expected.maximum, "maximum");
      ExpectSame(r.average, c.expected.average, "average");
      ExpectSame(r.spread, c.expected.spread, "spread");
    }
  }
}

TEST(CalculateMinMaxAvrSD, NullArrayHoldsNoSamplesAndNullOutputsAreSkipped) {
  CMathOperation math;
  double minimum = 0, maximum = 0, average = 0, spread = 0;
  math.CalculateMinMaxAvrSD(nullptr, 4, &minimum, &maximum, &average, &spread);
  EXPECT_EQ(minimum, CORVIXMATH_STATS_NO_DATA_MINIMUM);
  EXPECT_EQ(maximum, CORVIXMATH_STATS_NO_DATA_MAXIMUM);
  EXPECT_TRUE(std::isnan(average));

  double values[] = {1, 2, 3, 4};
  average = 0;
  math.CalculateMinMax(values, 4, nullptr, nullptr, &average, nullptr);
  EXPECT_EQ(average, 2.5);
}

// The extremes and the average are those of one in-order pass, whatever the order of zeros of
// both signs, NaN samples and infinities.
TEST(CalculateMinMaxAvrSD, MatchesOneInOrderPass) {
  struct Reference {
    double minimum = CORVIXMATH_STATS_NO_DATA_MINIMUM, maximum = CORVIXMATH_STATS_NO_DATA_MAXIMUM,
           sum = 0;
    bool started = false;
    explicit Reference(const std::vector<double>& values) {
      for (double value : values) {
        if (!started && value == value) {
          minimum = maximum = value;
          started = true;
        }
        if (value > maximum) maximum = value;
        if (minimum > value) minimum = value;
        sum += value;
      }
    }
  };
  const double kPool[] = {0.0,
                          -0.0,
                          kNaN,
                          1.0,
                          -1.0,
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          1e-300};
  std::vector<std::vector<double>> arrays = {
      {-1, 0.0, -0.0},
      {-1, -0.0, 0.0},
      {1, 0.0, -0.0},
      {1, -0.0, 0.0},
      {kNaN, -1, -0.0, 0.0, -0.0},
      {-0.0, -1, -2, 0.0},
      {0.0, 1, 2, -0.0, 1, -0.0},
  };
  std::mt19937 random(20261208);
  for (int i = 0; i < 5000; ++i) {
    std::vector<double> values(random() % 10);
    for (double& value : values)
      value = kPool[random() % (sizeof kPool / sizeof kPool[0])];
    arrays.push_back(values);
  }
  for (const std::vector<double>& values : arrays) {
    const Reference expected(values);
    const Result r =
        Summarise(&CMathOperation::CalculateMinMaxAvrSD, values, static_cast<long>(values.size()));
    ::testing::Message trace;
    for (double value : values)
      trace << value << " ";
    SCOPED_TRACE(trace);
    ExpectSame(r.minimum, expected.minimum, "minimum");
    ExpectSame(r.maximum, expected.maximum, "maximum");
    ExpectSame(r.average, expected.sum / static_cast<double>(values.size()), "average");
  }
}

}  // namespace

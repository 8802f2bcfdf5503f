// Minimum, maximum, average and spread of an array of samples.
//
// The minimum and maximum start at +1e14 and -1e14; hosts read those starting values as "no
// data" when no sample has a value (a count of 0, or only NaN samples). As soon as one sample
// has a value, the reported minimum and maximum are those of the samples themselves, however
// large. NaN samples change neither the minimum nor the maximum but make the sums NaN.
//
// The spread value is sqrt(sum of (value - average)^2) / n, not the population standard
// deviation: stored limits and alarm settings were tuned against it. Both sums run from the
// first sample to the last, so the results are the same to the last bit on every build.
#include <cmath>
#include <cstddef>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

constexpr double kNoDataMinimum = CORVIXMATH_STATS_NO_DATA_MINIMUM;
constexpr double kNoDataMaximum = CORVIXMATH_STATS_NO_DATA_MAXIMUM;

struct SampleSummary {
  double minimum;
  double maximum;
  double average;
  double spread;
};

// Running extremes of a lane of samples. Strict comparisons: NaN never wins, and an equal
// value keeps the earlier one.
struct Extremes {
  double minimum;
  double maximum;

  void Take(double value) {
    maximum = value > maximum ? value : maximum;
    minimum = minimum > value ? value : minimum;
  }
};

// The extreme one in-order pass over all the samples keeps, from the extremes `a` and `b` of
// two lanes: the better one, or, when they compare equal, the first sample equal to them. Lane
// extremes are never NaN, so equal ones differ at most as 0.0 and -0.0, and only then does the
// order of the samples decide.
double OnePassExtreme(double a, double b, bool aBetter, bool bBetter, const double* values,
                      std::size_t first) {
  if (aBetter) return a;
  if (bBetter) return b;
  if (std::signbit(a) == std::signbit(b)) return a;
  while (!(values[first] == a))
    ++first;
  return values[first];
}

SampleSummary SummariseSamples(const double* values, long count) {
  // A missing array holds no samples.
  if (values == nullptr && count > 0) count = 0;
  const std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;

  double minimum = kNoDataMinimum;
  double maximum = kNoDataMaximum;
  double sum = 0.0;

  // NaN samples before the first sample with a value only feed the sum.
  std::size_t i = 0;
  while (i < n && std::isnan(values[i]))
    sum += values[i++];
  if (i < n) {
    // Two lanes of extremes, over alternate samples, halve the chain of dependent comparisons
    // that otherwise bounds this pass; the sum still takes every sample in order.
    const std::size_t first = i;
    Extremes lanes[2] = {{values[first], values[first]}, {values[first], values[first]}};
    for (; i + 1 < n; i += 2) {
      lanes[0].Take(values[i]);
      sum += values[i];
      lanes[1].Take(values[i + 1]);
      sum += values[i + 1];
    }
    if (i < n) {
      lanes[0].Take(values[i]);
      sum += values[i];
    }
    const Extremes& even = lanes[0];
    const Extremes& odd = lanes[1];
    minimum = OnePassExtreme(even.minimum, odd.minimum, odd.minimum > even.minimum,
                             even.minimum > odd.minimum, values, first);
    maximum = OnePassExtreme(even.maximum, odd.maximum, even.maximum > odd.maximum,
                             odd.maximum > even.maximum, values, first);
  }

  // With no samples this is 0/0 (NaN); with a negative count it is -0.0.
  const double divisor = static_cast<double>(count);
  const double average = sum / divisor;
  double squares = 0.0;
  for (std::size_t j = 0; j < n; ++j) {
    const double deviation = values[j] - average;
    squares += deviation * deviation;
  }
  return {minimum, maximum, average, std::sqrt(squares) / divisor};
}

void WriteSummary(const SampleSummary& summary, double* minimum, double* maximum, double* average,
                  double* spread) {
  if (minimum != nullptr) *minimum = summary.minimum;
  if (maximum != nullptr) *maximum = summary.maximum;
  if (average != nullptr) *average = summary.average;
  if (spread != nullptr) *spread = summary.spread;
}

}  // namespace

void CMathOperation::CalculateMinMaxAvrSD(double* values, long count, double* minimum,
                                          double* maximum, double* average, double* spread) {
  WriteSummary(SummariseSamples(values, count), minimum, maximum, average, spread);
}

// The older name of the same service; hosts built against it still call it.
void CMathOperation::CalculateMinMax(double* values, long count, double* minimum, double* maximum,
                                     double* average, double* spread) {
  WriteSummary(SummariseSamples(values, count), minimum, maximum, average, spread);
}

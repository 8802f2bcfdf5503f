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

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#elif defined(__aarch64__) && defined(__ARM_NEON)
#include <arm_neon.h>
#endif

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

// Running extremes of two lanes of samples, the even-numbered and the odd-numbered ones, in one
// vector where the machine has one. Strict comparisons: NaN never wins, and an equal value
// keeps the earlier one (maxpd and minpd return their second operand on NaN or equality; ARM's
// own max and min would return NaN, so there a comparison selects).
struct LaneExtremes {
#if defined(__SSE2__) || defined(_M_X64)
  __m128d minimum, maximum;

  explicit LaneExtremes(double first) : minimum(_mm_set1_pd(first)), maximum(minimum) {}
  void Take(const double* pair) {
    const __m128d values = _mm_loadu_pd(pair);
    maximum = _mm_max_pd(values, maximum);
    minimum = _mm_min_pd(values, minimum);
  }
  double Minimum(int lane) const {
    return Lane(minimum, lane);
  }
  double Maximum(int lane) const {
    return Lane(maximum, lane);
  }
  static double Lane(__m128d pair, int lane) {
    return lane == 0 ? _mm_cvtsd_f64(pair) : _mm_cvtsd_f64(_mm_unpackhi_pd(pair, pair));
  }
#elif defined(__aarch64__) && defined(__ARM_NEON)
  float64x2_t minimum, maximum;

  explicit LaneExtremes(double first) : minimum(vdupq_n_f64(first)), maximum(minimum) {}
  void Take(const double* pair) {
    const float64x2_t values = vld1q_f64(pair);
    maximum = vbslq_f64(vcgtq_f64(values, maximum), values, maximum);
    minimum = vbslq_f64(vcltq_f64(values, minimum), values, minimum);
  }
  double Minimum(int lane) const {
    return lane == 0 ? vgetq_lane_f64(minimum, 0) : vgetq_lane_f64(minimum, 1);
  }
  double Maximum(int lane) const {
    return lane == 0 ? vgetq_lane_f64(maximum, 0) : vgetq_lane_f64(maximum, 1);
  }
#else
  double minimum[2], maximum[2];

  explicit LaneExtremes(double first) : minimum{first, first}, maximum{first, first} {}
  void Take(const double* pair) {
    for (int lane = 0; lane < 2; ++lane) {
      const double value = pair[lane];
      maximum[lane] = value > maximum[lane] ? value : maximum[lane];
      minimum[lane] = value < minimum[lane] ? value : minimum[lane];
    }
  }
  double Minimum(int lane) const {
    return minimum[lane];
  }
  double Maximum(int lane) const {
    return maximum[lane];
  }
#endif
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
    LaneExtremes lanes(values[first]);
    for (; i + 1 < n; i += 2) {
      lanes.Take(values + i);
      sum += values[i];
      sum += values[i + 1];
    }
    if (i < n) {
      // The last, unpaired sample goes to the even lane: its odd lane sees the first sample again.
      const double last[2] = {values[i], values[first]};
      lanes.Take(last);
      sum += values[i];
    }
    const double evenMinimum = lanes.Minimum(0), oddMinimum = lanes.Minimum(1);
    const double evenMaximum = lanes.Maximum(0), oddMaximum = lanes.Maximum(1);
    minimum = OnePassExtreme(evenMinimum, oddMinimum, oddMinimum > evenMinimum,
                             evenMinimum > oddMinimum, values, first);
    maximum = OnePassExtreme(evenMaximum, oddMaximum, evenMaximum > oddMaximum,
                             oddMaximum > evenMaximum, values, first);
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

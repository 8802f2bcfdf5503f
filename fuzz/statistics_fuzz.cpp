// Statistics and window filtering: CalculateMinMaxAvrSD and CalculateMinMax on sample arrays of
// any count, FilterValueArray on up to 34 series of time-stamped samples with any width and
// step, into output arrays exactly as long as the windows of the day.
//
// Checked against models of the documented steps (for samples within the documented range of
// +-1e14, NaN included): the running extremes from their starting values, the sums in sample
// order, the spread sqrt(sum of squares) / n; the windows k*S - W/2 <= t < k*S - W/2 + W up to
// W/2 + 86400, packed entries of the minimum, maximum and mean of the series' averages. Outside
// the documented range (unsorted times, more than 32 series, steps of 0 or less) only the
// bounds of the caller's arrays are checked, and the call must end.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_fuzz::SameValue;

constexpr double kSampleRange = CORVIXMATH_STATS_NO_DATA_MINIMUM;
constexpr long kDay = CORVIXMATH_SECONDS_PER_DAY;
constexpr long kMaxSeries = CORVIXMATH_MAX_SERIES;
constexpr double kNoDataMinimum = CORVIXMATH_WINDOW_NO_DATA_MINIMUM;
constexpr long kShortStep = 600;  // 144 windows in a day

double Sample(FuzzInput& input, bool* documented) {
  double value;
  switch (input.Pick(4)) {
    case 0:
      value = static_cast<double>(static_cast<int>(input.Byte() % 16) - 8);
      break;
    case 1:
      value = std::numeric_limits<double>::quiet_NaN();
      break;
    default:
      value = input.Value();
      break;
  }
  if (std::fabs(value) > kSampleRange) *documented = false;
  return value;
}

void Statistics(FuzzInput& input) {
  CMathOperation library;
  const std::size_t length = input.Pick(3) == 0 ? input.Byte() % 5 : input.Length();
  bool documented = true;
  std::unique_ptr<double[]> values(new double[length]);
  for (std::size_t i = 0; i < length; ++i)
    values[i] = Sample(input, &documented);
  const long count =
      input.Pick(8) == 0 ? -static_cast<long>(input.Byte() % 4) : static_cast<long>(length);

  corvix_fuzz::Note("CalculateMinMaxAvrSD of %ld samples", count);
  double minimum = 7, maximum = 7, average = 7, spread = 7;
  library.CalculateMinMaxAvrSD(values.get(), count, &minimum, &maximum, &average, &spread);
  double minimum2 = 8, maximum2 = 8, average2 = 8, spread2 = 8;
  library.CalculateMinMax(values.get(), count, &minimum2, &maximum2, &average2, &spread2);
  FUZZ_CHECK(SameValue(minimum, minimum2) && SameValue(maximum, maximum2));
  FUZZ_CHECK(SameValue(average, average2) && SameValue(spread, spread2));
  if (!documented) return;

  double expectedMinimum = kSampleRange, expectedMaximum = -kSampleRange, sum = 0;
  for (long i = 0; i < count; ++i) {
    const double value = values[static_cast<std::size_t>(i)];
    if (value > expectedMaximum) expectedMaximum = value;
    if (expectedMinimum > value) expectedMinimum = value;
    sum += value;
  }
  const double expectedAverage = sum / static_cast<double>(count);
  double squares = 0;
  for (long i = 0; i < count; ++i) {
    const double deviation = values[static_cast<std::size_t>(i)] - expectedAverage;
    squares += deviation * deviation;
  }
  const double expectedSpread = std::sqrt(squares) / static_cast<double>(count);
  FUZZ_CHECK(SameValue(minimum, expectedMinimum));
  FUZZ_CHECK(SameValue(maximum, expectedMaximum));
  FUZZ_CHECK(SameValue(average, expectedAverage));
  FUZZ_CHECK(SameValue(spread, expectedSpread));
  FUZZ_CHECK(std::signbit(average) == std::signbit(expectedAverage));
}

struct Series {
  std::unique_ptr<double[]> values;
  std::unique_ptr<long[]> times;
  long count = 0;
};

void Filter(FuzzInput& input) {
  CMathOperation library;
  long seriesCount = input.Byte() % 6;
  switch (input.Pick(16)) {
    case 0:
      seriesCount = 33 + input.Byte() % 2;
      break;  // more than the 32 cursors: free
    case 1:
      seriesCount = -1 - input.Byte() % 2;
      break;
    default:
      break;
  }
  bool documented = seriesCount <= kMaxSeries;
  std::vector<Series> series(static_cast<std::size_t>(std::max(seriesCount, 0L)));
  for (Series& one : series) {
    one.count = input.Pick(3) == 0 ? input.Byte() % 3 : input.Byte() % 64;
    if (one.count == 0 && input.Bool()) continue;  // no arrays at all
    one.values.reset(new double[static_cast<std::size_t>(one.count)]);
    one.times.reset(new long[static_cast<std::size_t>(one.count)]);
    const bool sorted = input.Pick(16) != 0;
    long time = static_cast<long>(input.U32() % 2000) - 1000;
    for (long i = 0; i < one.count; ++i) {
      one.values[static_cast<std::size_t>(i)] = Sample(input, &documented);
      time = sorted ? time + static_cast<long>(input.U32() % 4000)
                    : static_cast<long>(input.U32() % 100000) - 5000;
      one.times[static_cast<std::size_t>(i)] = time;
    }
    if (!sorted) documented = false;
  }

  long width, step;
  switch (input.Pick(4)) {
    case 0:
      width = 3600;
      break;
    case 1:
      width = static_cast<long>(input.Byte()) - 8;
      break;
    case 2:
      width = static_cast<long>(static_cast<std::int32_t>(input.U32()));
      break;
    default:
      width = static_cast<long>(input.U32() % 200000);
      break;
  }
  switch (input.Pick(6)) {
    case 0:
      step = 3600;
      break;
    case 1:
      step = static_cast<long>(input.Byte() % 3) - 2;
      break;  // 0 or less: free, must end
    case 2:
      step = static_cast<long>(static_cast<std::int32_t>(input.U32()));
      break;
    case 3:
      step = kShortStep + static_cast<long>(input.U16() % 90000);
      break;
    default:
      step = kShortStep + 60 * static_cast<long>(input.Byte());
      break;
  }
  // Shorter steps only make more windows of the same paths (every loop past 128 rounds counts
  // as the same coverage), and slow the fuzzer down in proportion.
  if (step > 0 && step < kShortStep) step = kShortStep;
  if (step <= 0) documented = false;

  // Windows of the day, and the model's entries.
  const long half = width / 2;
  long windows = 0;
  std::vector<double> minima, maxima, means;
  std::vector<long> centres;
  if (step > 0) {
    // Window k covers -W/2 + k*S <= t < -W/2 + k*S + W and is taken while its upper bound
    // stays within W/2 + 86400.
    const std::int64_t span = kDay + 2 * static_cast<std::int64_t>(half) - width;
    windows = span < 0 ? 0 : static_cast<long>(span / step + 1);
    const std::size_t used = std::min(series.size(), static_cast<std::size_t>(kMaxSeries));
    std::vector<long> cursors(used, 0);
    // Only windows holding a sample make entries: from one to the next the model jumps over
    // the empty ones, so that a step of a second costs no pass over the whole day.
    for (std::int64_t k = 0; width > 0 && k < windows;) {
      const std::int64_t lower = -half + k * step;
      const std::int64_t upper = lower + width;
      bool anyLeft = false;
      std::int64_t next = 0;  // the earliest sample at or after the lower bound
      for (std::size_t s = 0; s < used; ++s) {
        const Series& one = series[s];
        long& cursor = cursors[s];
        while (cursor < one.count && one.times[static_cast<std::size_t>(cursor)] < lower)
          ++cursor;
        if (cursor == one.count) continue;
        const std::int64_t time = one.times[static_cast<std::size_t>(cursor)];
        next = anyLeft ? std::min(next, time) : time;
        anyLeft = true;
      }
      if (!anyLeft) break;
      if (next >= upper) {
        // The first window whose upper bound passes the sample.
        const std::int64_t reach = next - width + half;
        const std::int64_t first = reach / step - (reach % step != 0 && reach < 0 ? 1 : 0) + 1;
        k = std::max(k + 1, first);
        continue;
      }
      double low = kNoDataMinimum, high = -kNoDataMinimum, total = 0;
      long withData = 0;
      for (std::size_t s = 0; s < used; ++s) {
        const Series& one = series[s];
        double sum = 0;
        long count = 0;
        for (long j = cursors[s]; j < one.count && one.times[static_cast<std::size_t>(j)] < upper;
             ++j, ++count)
          sum += one.values[static_cast<std::size_t>(j)];
        if (count == 0) continue;
        const double seriesAverage = sum / static_cast<double>(count);
        total += seriesAverage;
        ++withData;
        if (low > seriesAverage) low = seriesAverage;
        if (seriesAverage > high) high = seriesAverage;
      }
      minima.push_back(low);
      maxima.push_back(high);
      means.push_back(total / static_cast<double>(withData));
      centres.push_back(static_cast<long>(lower + half));
      ++k;
    }
  }
  const std::size_t entries = static_cast<std::size_t>(std::max(windows, 1L));
  corvix_test::CanaryBuffer<double> minimum(entries, 0.0), maximum(entries, 0.0),
      mean(entries, 0.0);
  corvix_test::CanaryBuffer<long> centre(entries, 0);
  std::vector<double*> valueArrays;
  std::vector<long*> timeArrays;
  std::vector<long> counts;
  for (Series& one : series) {
    valueArrays.push_back(one.values.get());
    timeArrays.push_back(one.times.get());
    counts.push_back(one.count);
  }
  valueArrays.push_back(nullptr);
  timeArrays.push_back(nullptr);
  counts.push_back(0);
  corvix_fuzz::Note("FilterValueArray: %ld series, width %ld, step %ld", seriesCount, width, step);

  const long written = library.FilterValueArray(
      valueArrays.data(), timeArrays.data(), seriesCount, counts.data(), minimum.data(),
      maximum.data(), mean.data(), centre.data(), width, step, input.Long());
  FUZZ_CHECK(minimum.CanariesIntact() && maximum.CanariesIntact());
  FUZZ_CHECK(mean.CanariesIntact() && centre.CanariesIntact());
  FUZZ_CHECK(written >= 0 && written <= std::max(windows, 0L) + (step > 0 ? 0 : 1));
  if (!documented) return;
  if (width <= 0 || seriesCount <= 0) FUZZ_CHECK(written == 0);
  FUZZ_CHECK(written == static_cast<long>(centres.size()));
  for (std::size_t i = 0; i < centres.size(); ++i) {
    FUZZ_CHECK(centre.data()[i] == centres[i]);
    FUZZ_CHECK(SameValue(minimum.data()[i], minima[i]));
    FUZZ_CHECK(SameValue(maximum.data()[i], maxima[i]));
    FUZZ_CHECK(SameValue(mean.data()[i], means[i]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  if (input.Bool()) {
    Statistics(input);
  } else {
    Filter(input);
  }
  return 0;
}

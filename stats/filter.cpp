// Time windows over the sample series of one day.
//
// Window k of width W and step S covers k*S - W/2 <= t < k*S - W/2 + W and is centred at k*S;
// windows are taken while their upper bound stays within W/2 + 86400, so an even width gives the
// centres 0, S, ..., 86400 and an odd width stops at 86399. For each window every series gives
// the average of its samples inside it; the entry holds the minimum, maximum and mean of those
// averages and the centre time. Only windows where some series has a sample produce an entry,
// and entries are packed, so the centre times tell which windows they are.
//
// Each series keeps a read cursor that only moves forward: samples before a window are skipped
// once for the whole day, and with overlapping windows (S < W) the samples after the cursor are
// summed again by the next window. With W = S every sample is summed once and skipped once.
// Sums run in sample order and the mean in series order, so results match to the last bit.
#include <cstddef>
#include <cstdint>

#include "CMathOperation.h"

namespace {

constexpr long kSecondsPerDay = 86400;
// One read cursor per series lives in a fixed table; later series do not take part.
constexpr long kMaxSeries = 32;
// Starting values of a window's minimum and maximum, written only when no series average in
// the window has a value (hosts read them as "no data").
constexpr double kNoDataMinimum = 999999999999999.0;
constexpr double kNoDataMaximum = -999999999999999.0;

struct SeriesView {
  const double* values;
  const long* times;
  long count;  // 0 for a series without arrays
};

}  // namespace

long CMathOperation::FilterValueArray(double** values, long** times, long seriesCount,
                                      long* sampleCounts, double* minimum, double* maximum,
                                      double* mean, long* centres, long width, long step,
                                      long unused) {
  static_cast<void>(unused);
  if (values == nullptr || times == nullptr || sampleCounts == nullptr || minimum == nullptr ||
      maximum == nullptr || mean == nullptr || centres == nullptr) {
    return 0;
  }
  // A step of 0 or less would never reach the end of the day; a width of 0 or less holds no
  // sample.
  if (width <= 0 || step <= 0) return 0;

  const long series = seriesCount < kMaxSeries ? seriesCount : kMaxSeries;
  SeriesView views[kMaxSeries];
  long cursors[kMaxSeries];
  for (long s = 0; s < series; ++s) {
    const bool readable = values[s] != nullptr && times[s] != nullptr && sampleCounts[s] > 0;
    views[s] = {values[s], times[s], readable ? sampleCounts[s] : 0};
    cursors[s] = 0;
  }

  // A step close to the largest long ends the day instead of wrapping the bounds around.
  const std::int64_t half = width / 2;
  const std::int64_t limit = half + kSecondsPerDay;
  std::int64_t lower = -half;
  std::int64_t upper = static_cast<std::int64_t>(width) - half;
  long written = 0;

  while (upper <= limit) {
    double windowMinimum = kNoDataMinimum;
    double windowMaximum = kNoDataMaximum;
    bool hasExtremes = false;
    double meanSum = 0.0;
    long seriesWithData = 0;

    for (long s = 0; s < series; ++s) {
      const SeriesView& view = views[s];
      long cursor = cursors[s];
      while (cursor < view.count && view.times[cursor] < lower)
        ++cursor;
      cursors[s] = cursor;

      double sum = 0.0;
      long used = 0;
      for (long j = cursor; j < view.count && view.times[j] < upper; ++j, ++used) {
        sum += view.values[j];
      }
      if (used == 0) continue;

      const double average = sum / static_cast<double>(used);
      meanSum += average;
      ++seriesWithData;
      if (!hasExtremes) {
        // NaN averages never become an extreme; the first average with a value is both.
        if (average == average) {
          windowMinimum = average;
          windowMaximum = average;
          hasExtremes = true;
        }
      } else {
        if (windowMinimum > average) windowMinimum = average;
        if (average > windowMaximum) windowMaximum = average;
      }
    }

    if (seriesWithData != 0) {
      minimum[written] = windowMinimum;
      maximum[written] = windowMaximum;
      mean[written] = meanSum / static_cast<double>(seriesWithData);
      centres[written] = static_cast<long>(lower + half);
      ++written;
    }
    if (upper > limit - step) break;
    lower += step;
    upper += step;
  }
  return written;
}

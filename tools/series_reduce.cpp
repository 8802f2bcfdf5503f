// Reducing series to time windows with the library's window filter, on an axis of any number
// of days: each run of windows that fits one day is one FilterValueArray call on the samples it
// needs, times shifted to its first centre, so one day of undated input gives the library's
// own rows.
//   times 0, 3600, 7200 values 1, 2, 3, width 3600, step 3600 -> centres 0, 3600, 7200, ...
#include <algorithm>
#include <cmath>
#include <limits>

#include "CMathOperation.h"
#include "series.h"
#include "series_time.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// More windows than a listing can usefully hold: most would be empty.
constexpr long long kMostWindows = 100000000;

// Window k has its centre at origin + k*S and covers origin + k*S - h <= t < origin + k*S - h + W.
struct WindowAxis {
  long long origin = 0;
  long long width = 0;
  long long step = 0;
  long long half = 0;
  long long count = 0;
};

// From the midnight of the first sample's day to the midnight after the last one's; false when
// no series has a sample.
bool PlanWindows(const std::vector<Series>& series, long long width, long long step,
                 WindowAxis& axis) {
  bool any = false;
  long long firstTime = 0, lastTime = 0;
  for (const Series& one : series) {
    if (one.times.empty()) continue;
    firstTime = any ? std::min(firstTime, one.times.front()) : one.times.front();
    lastTime = any ? std::max(lastTime, one.times.back()) : one.times.back();
    any = true;
  }
  if (!any) return false;
  // Whole days, so that one day of undated input gives the windows of one library call.
  axis.origin = FloorDivide(firstTime, kSecondsPerDay) * kSecondsPerDay;
  const long long end = (FloorDivide(lastTime, kSecondsPerDay) + 1) * kSecondsPerDay;
  axis.width = width;
  axis.step = step;
  axis.half = width / 2;
  // Windows are taken while their upper bound stays within end + h, as the library takes its
  // windows within one day; windows that overlap or touch (S <= W) go on until the last sample
  // is held, as a width of days may end before it.
  axis.count = (end - axis.origin + 2 * axis.half - width) / step + 1;
  if (step <= width)
    axis.count =
        std::max(axis.count, FloorDivide(lastTime - axis.origin + axis.half - width, step) + 2);
  if (axis.count > kMostWindows)
    throw BadInput(
        Format("%lld windows of %lld s every %lld s from the first sample's day to the "
               "last one's; at most %lld: choose a longer step",
               axis.count, width, step, kMostWindows));
  return true;
}

// Samples between windows (S > W) are left out by the user's choice, and counted.
void DropUnheld(std::vector<Series>& series, const WindowAxis& axis, Skipped* skipped) {
  for (Series& one : series) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < one.times.size(); ++i) {
      const long long t = one.times[i] - axis.origin;
      const long long highest = std::min(FloorDivide(t + axis.half, axis.step), axis.count - 1);
      const long long lowest =
          std::max(FloorDivide(t + axis.half - axis.width, axis.step) + 1, 0LL);
      if (lowest > highest) {
        if (skipped != nullptr) ++skipped->heldByNoWindow;
        continue;
      }
      one.times[kept] = one.times[i];
      one.values[kept] = one.values[i];
      if (!one.lines.empty()) one.lines[kept] = one.lines[i];
      ++kept;
    }
    one.times.resize(kept);
    one.values.resize(kept);
    if (!one.lines.empty()) one.lines.resize(kept);
  }
}

// The library calls of one reduction: each takes the windows of one day's axis.
class RunReducer {
 public:
  RunReducer(std::vector<Series>& series, const WindowAxis& axis, bool keepEmpty, bool eachSeries)
      : series_(series),
        axis_(axis),
        keepEmpty_(keepEmpty),
        eachSeries_(eachSeries),
        perCall_((kSecondsPerDay + 2 * axis.half - axis.width) / axis.step + 1),
        shifted_(series.size()),
        values_(series.size()),
        times_(series.size()),
        counts_(series.size()),
        cursors_(series.size(), 0),
        minimum_(static_cast<std::size_t>(perCall_) + 1),
        maximum_(minimum_.size()),
        mean_(minimum_.size()),
        centres_(minimum_.size()) {}

  std::vector<Window> Windows() {
    for (long long first = 0; first < axis_.count; first += perCall_)
      Run(first, std::min(axis_.count, first + perCall_) - 1);
    return std::move(windows_);
  }

 private:
  // The samples of windows first..last, shifted to the first one's centre; how many in all.
  long GatherSamples(long long first, long long last) {
    const long long firstCentre = axis_.origin + first * axis_.step;
    const long long from = firstCentre - axis_.half;
    const long long to = axis_.origin + last * axis_.step - axis_.half + axis_.width;
    long samples = 0;
    for (std::size_t s = 0; s < series_.size(); ++s) {
      const std::vector<long long>& t = series_[s].times;
      std::size_t& low = cursors_[s];
      while (low < t.size() && t[low] < from)
        ++low;
      const std::size_t high = static_cast<std::size_t>(
          std::lower_bound(t.begin() + static_cast<std::ptrdiff_t>(low), t.end(), to) - t.begin());
      shifted_[s].resize(high - low);
      for (std::size_t i = low; i < high; ++i)
        shifted_[s][i - low] = static_cast<long>(t[i] - firstCentre);
      values_[s] = series_[s].values.data() + low;
      times_[s] = shifted_[s].data();
      counts_[s] = static_cast<long>(high - low);
      samples += counts_[s];
    }
    return samples;
  }

  long Filter(double** values, long** times, long series, long* counts) {
    return math_.FilterValueArray(values, times, series, counts, minimum_.data(), maximum_.data(),
                                  mean_.data(), centres_.data(), static_cast<long>(axis_.width),
                                  static_cast<long>(axis_.step), 0);
  }

  // Each series' average in the windows first..last: the mean of one series alone.
  void SeriesAverages(long long first, long long last) {
    const std::size_t seriesCount = series_.size();
    averages_.assign(static_cast<std::size_t>(last - first + 1) * seriesCount,
                     std::numeric_limits<double>::quiet_NaN());
    for (std::size_t s = 0; s < seriesCount; ++s) {
      if (counts_[s] == 0) continue;
      const long written = Filter(&values_[s], &times_[s], 1, &counts_[s]);
      for (long i = 0; i < written; ++i) {
        const long long k = centres_[static_cast<std::size_t>(i)] / axis_.step;
        if (k > last - first) break;
        averages_[static_cast<std::size_t>(k) * seriesCount + s] =
            mean_[static_cast<std::size_t>(i)];
      }
    }
  }

  // Window k of the run from `first`; `row` its minimum, maximum and mean, null without data.
  void Add(long long k, long long first, const double* row) {
    Window window{axis_.origin + k * axis_.step, 0, 0, 0, row != nullptr, {}};
    if (row != nullptr) {
      window.minimum = row[0];
      window.maximum = row[1];
      window.mean = row[2];
    }
    if (eachSeries_) {
      const auto at = averages_.begin() + static_cast<std::ptrdiff_t>(
                                              static_cast<std::size_t>(k - first) * series_.size());
      window.averages.assign(at, at + static_cast<std::ptrdiff_t>(series_.size()));
    }
    windows_.push_back(std::move(window));
  }

  void Run(long long first, long long last) {
    // A run without samples has no window with data: the library need not look at it.
    const bool any = GatherSamples(first, last) > 0;
    if (eachSeries_) SeriesAverages(first, last);
    const long written = any ? Filter(values_.data(), times_.data(),
                                      static_cast<long>(series_.size()), counts_.data())
                             : 0;
    long long next = first;  // the next window to write when empty ones are kept
    for (long i = 0; i < written; ++i) {
      const auto at = static_cast<std::size_t>(i);
      const long long k = first + centres_[at] / axis_.step;
      if (k > last) break;  // beyond this run: the next call computes it with its samples
      for (; keepEmpty_ && next < k; ++next)
        Add(next, first, nullptr);
      const double row[] = {minimum_[at], maximum_[at], mean_[at]};
      Add(k, first, row);
      next = k + 1;
    }
    for (; keepEmpty_ && next <= last; ++next)
      Add(next, first, nullptr);
  }

  std::vector<Series>& series_;
  const WindowAxis axis_;
  const bool keepEmpty_;
  const bool eachSeries_;
  std::vector<double> averages_;  // window by window, series by series, of the current run
  const long long perCall_;
  std::vector<std::vector<long>> shifted_;
  std::vector<double*> values_;
  std::vector<long*> times_;
  std::vector<long> counts_;
  std::vector<std::size_t> cursors_;
  std::vector<double> minimum_, maximum_, mean_;
  std::vector<long> centres_;
  std::vector<Window> windows_;
  CMathOperation math_;
};

}  // namespace

std::vector<Window> ReduceToWindows(std::vector<Series>& series, long long width, long long step,
                                    bool keepEmpty, Skipped* skipped, bool eachSeries) {
  if (series.size() > CORVIXMATH_MAX_SERIES)
    throw BadInput("at most " + std::to_string(CORVIXMATH_MAX_SERIES) +
                   " series can be reduced at once");
  if (width < 1 || step < 1) throw BadInput("--width and --step must be positive");
  WindowAxis axis;
  if (!PlanWindows(series, width, step, axis)) return {};
  DropUnheld(series, axis, skipped);
  return RunReducer(series, axis, keepEmpty, eachSeries).Windows();
}

std::vector<Window> AveragesOf(const std::vector<Window>& windows, std::size_t series) {
  std::vector<Window> own;
  for (const Window& w : windows) {
    const double average =
        series < w.averages.size() ? w.averages[series] : std::numeric_limits<double>::quiet_NaN();
    own.push_back({w.centre, average, average, average, !std::isnan(average), {}});
  }
  return own;
}

}  // namespace corvix_tool

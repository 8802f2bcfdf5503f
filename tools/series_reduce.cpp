// Reducing series to time windows with the library's multi-day reducer: each run of windows
// that fits one day is reduced by the library's window filter on the samples it needs, so one
// day of undated input gives the library's own rows.
//   times 0, 3600, 7200 values 1, 2, 3, width 3600, step 3600 -> centres 0, 3600, 7200, ...
#include <cmath>
#include <limits>

#include "corvixmath.h"
#include "series.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// Windows handed out per take.
constexpr int kTakeWindows = 1024;

// What a refusal of the reducer means for the tool's user. The reader keeps times in order and
// values finite, so the others are faults of the tool itself.
void Check(int32_t result, const cm_reducer* reducer, long long width, long long step) {
  if (result >= 0) return;
  if (result == CORVIXMATH_REDUCER_TOO_MANY_WINDOWS) {
    cm_reducer_counts counts{};
    cm_reducer_get_counts(reducer, &counts);
    throw BadInput(
        Format("%lld windows of %lld s every %lld s from the first sample's day to the "
               "last one's; at most %lld: choose a longer step",
               static_cast<long long>(counts.refused_windows), width, step,
               static_cast<long long>(CORVIXMATH_REDUCER_MOST_WINDOWS)));
  }
  if (result == CORVIXMATH_REDUCER_NO_MEMORY)
    throw BadInput("out of memory while reducing windows");
  if (result == CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE)
    throw BadInput(Format("a time lies more than %lld s from 1970: it cannot be reduced",
                          static_cast<long long>(CORVIXMATH_REDUCER_TIME_LIMIT)));
  throw BadInput(
      Format("the window reducer refused its input (code %d)", static_cast<int>(result)));
}

}  // namespace

struct WindowReducer::Handle {
  cm_reducer* reducer = nullptr;
  std::vector<cm_window> windows = std::vector<cm_window>(kTakeWindows);
  std::vector<double> averages;
};

WindowReducer::WindowReducer(long long width, long long step, std::size_t series, bool keepEmpty,
                             bool eachSeries)
    : handle_(new Handle), series_(series), width_(width), step_(step) {
  if (series > CORVIXMATH_MAX_SERIES) {
    delete handle_;
    throw BadInput("at most " + std::to_string(CORVIXMATH_MAX_SERIES) +
                   " series can be reduced at once");
  }
  if (width < 1 || step < 1) {
    delete handle_;
    throw BadInput("--width and --step must be positive");
  }
  const uint32_t flags = (keepEmpty ? CORVIXMATH_REDUCER_EMPTY_WINDOWS : 0U) |
                         (eachSeries ? CORVIXMATH_REDUCER_SERIES_AVERAGES : 0U);
  // A reducer needs a series; with none there is nothing to reduce and nothing is pushed.
  const int32_t made = cm_reducer_create(width, step, static_cast<int32_t>(series > 0 ? series : 1),
                                         flags, &handle_->reducer);
  if (made != CORVIXMATH_REDUCER_OK) {
    delete handle_;
    Check(made, nullptr, width, step);
  }
  if (eachSeries) handle_->averages.resize(kTakeWindows * (series > 0 ? series : 1));
}

WindowReducer::~WindowReducer() {
  cm_reducer_destroy(handle_->reducer);
  delete handle_;
}

void WindowReducer::Push(std::size_t index, const Series& series, std::size_t first) {
  if (first >= series.times.size()) return;
  times_.assign(series.times.begin() + static_cast<std::ptrdiff_t>(first), series.times.end());
  Check(cm_reducer_push(handle_->reducer, static_cast<int32_t>(index), times_.data(),
                        series.values.data() + first, static_cast<int32_t>(times_.size())),
        handle_->reducer, width_, step_);
}

void WindowReducer::Advance(long long time) {
  Check(cm_reducer_advance(handle_->reducer, time), handle_->reducer, width_, step_);
}

void WindowReducer::Finish() {
  Check(cm_reducer_finish(handle_->reducer), handle_->reducer, width_, step_);
}

std::size_t WindowReducer::Take(const std::function<void(const Window&)>& each) {
  std::size_t taken = 0;
  const bool eachSeries = !handle_->averages.empty();
  for (;;) {
    const int32_t got =
        cm_reducer_take(handle_->reducer, handle_->windows.data(),
                        eachSeries ? handle_->averages.data() : nullptr, kTakeWindows);
    Check(got, handle_->reducer, width_, step_);
    for (int32_t i = 0; i < got; ++i) {
      const cm_window& w = handle_->windows[static_cast<std::size_t>(i)];
      window_.centre = w.centre;
      window_.minimum = w.minimum;
      window_.maximum = w.maximum;
      window_.mean = w.mean;
      window_.hasData = w.has_data != 0;
      if (eachSeries) {
        const auto at = handle_->averages.begin() +
                        static_cast<std::ptrdiff_t>(static_cast<std::size_t>(i) * series_);
        window_.averages.assign(at, at + static_cast<std::ptrdiff_t>(series_));
      }
      each(window_);
    }
    taken += static_cast<std::size_t>(got);
    if (got < kTakeWindows) return taken;
  }
}

long long WindowReducer::HeldByNoWindow() const {
  cm_reducer_counts counts{};
  cm_reducer_get_counts(handle_->reducer, &counts);
  return counts.samples_held_by_no_window;
}

std::vector<Window> ReduceToWindows(const std::vector<Series>& series, long long width,
                                    long long step, bool keepEmpty, Skipped* skipped,
                                    bool eachSeries) {
  WindowReducer reducer(width, step, series.size(), keepEmpty, eachSeries);
  std::vector<Window> windows;
  const auto keep = [&](const Window& w) { windows.push_back(w); };
  for (std::size_t s = 0; s < series.size(); ++s) {
    reducer.Push(s, series[s]);
    reducer.Take(keep);
  }
  reducer.Finish();
  reducer.Take(keep);
  if (skipped != nullptr) skipped->heldByNoWindow += static_cast<long>(reducer.HeldByNoWindow());
  return windows;
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

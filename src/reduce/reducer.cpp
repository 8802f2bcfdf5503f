// The multi-day window reducer.
//
// Window k is centred at origin + k*S and covers centre - W/2 <= t < centre - W/2 + W; the
// origin is the midnight of the first sample's day. The axis runs to the midnight after the
// last sample's day, taking windows while their upper bound stays within that midnight + W/2,
// as the day's filter takes its windows; with S <= W it goes on until the last sample is held.
// Windows are reduced in runs of one day's axis, perRun windows from a multiple of perRun, each
// window by the day's filter with the samples' times shifted to its run's first centre. A
// window's entry depends on its own samples alone, so the filter takes a run's windows a chunk
// of about an hour at a time, each chunk with the samples from its first lower bound to its
// last upper bound.
//
// A chunk is reduced once every series has a sample at or after its last upper bound (or the
// caller advanced past it), and once the axis is known to reach its last window; at the finish
// the windows stop at the axis' last window. The samples before the next window are then
// dropped, so memory holds the samples of a width and a chunk, whatever the log's length.
#include "reduce/internal/reducer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "CorvixLimits.h"
#include "stats/internal/filter.h"

namespace corvix {
namespace reduce {
namespace {

constexpr std::int64_t kSecondsPerDay = CORVIXMATH_SECONDS_PER_DAY;
constexpr std::uint32_t kKnownFlags =
    CORVIXMATH_REDUCER_EMPTY_WINDOWS | CORVIXMATH_REDUCER_SERIES_AVERAGES;
// Windows reduced by one filter call cover about this much time, so that the samples held are
// those of the width and an hour, not of a day.
constexpr std::int64_t kChunkSeconds = 3600;
// Buffers are compacted once this many samples are behind every open window.
constexpr std::size_t kCompactAfter = 4096;

std::int64_t FloorDivide(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1
                                                                                : quotient;
}

std::int64_t MidnightOf(std::int64_t time) {
  return FloorDivide(time, kSecondsPerDay) * kSecondsPerDay;
}

}  // namespace

std::int32_t Reducer::CheckSettings(std::int64_t width, std::int64_t step, std::int32_t seriesCount,
                                    std::uint32_t flags) {
  const std::int64_t longest = CORVIXMATH_REDUCER_LONGEST_SECONDS;
  if (width < 1 || width > longest || step < 1 || step > longest || seriesCount < 1 ||
      seriesCount > CORVIXMATH_MAX_SERIES)
    return CORVIXMATH_REDUCER_BAD_SIZE;
  if ((flags & ~kKnownFlags) != 0) return CORVIXMATH_REDUCER_BAD_FLAGS;
  return CORVIXMATH_REDUCER_OK;
}

Reducer::Reducer(std::int64_t width, std::int64_t step, std::int32_t seriesCount,
                 std::uint32_t flags)
    : width_(width),
      step_(step),
      half_(width / 2),
      perRun_((kSecondsPerDay + 2 * (width / 2) - width) / step + 1),
      chunk_(std::min(perRun_, std::max<std::int64_t>(1, kChunkSeconds / step))),
      seriesCount_(seriesCount),
      keepEmpty_((flags & CORVIXMATH_REDUCER_EMPTY_WINDOWS) != 0),
      withAverages_((flags & CORVIXMATH_REDUCER_SERIES_AVERAGES) != 0),
      buffers_(static_cast<std::size_t>(seriesCount)),
      shifted_(buffers_.size()),
      runValues_(buffers_.size()),
      runTimes_(buffers_.size()),
      runCounts_(buffers_.size()) {}

// The windows of the axis from `origin` when the latest sample is at `lastTime`.
std::int64_t Reducer::WindowsUpTo(std::int64_t origin, std::int64_t lastTime) const {
  const std::int64_t end = MidnightOf(lastTime) + kSecondsPerDay;
  std::int64_t count = (end - origin + 2 * half_ - width_) / step_ + 1;
  if (step_ <= width_)
    count = std::max(count, FloorDivide(lastTime - origin + half_ - width_, step_) + 2);
  return count;
}

// Whether some window holds the time, the axis' end aside: with S > W samples between two
// windows are held by none.
bool Reducer::HeldByAWindow(std::int64_t time) const {
  const std::int64_t t = time - origin_;
  const std::int64_t highest = FloorDivide(t + half_, step_);
  const std::int64_t lowest = std::max<std::int64_t>(FloorDivide(t + half_ - width_, step_) + 1, 0);
  return lowest <= highest;
}

// From the first reduced run on no sample can come before the origin's day. Samples taken
// before then are sorted out now: those no window holds are counted and left out.
void Reducer::FixOrigin() {
  if (originFixed_) return;
  originFixed_ = true;
  origin_ = MidnightOf(firstTime_);
  if (step_ <= width_) return;  // every time is held by a window
  for (Buffer& buffer : buffers_) {
    std::size_t kept = buffer.head;
    for (std::size_t i = buffer.head; i < buffer.times.size(); ++i) {
      if (!HeldByAWindow(buffer.times[i])) {
        ++counts_.samples_held_by_no_window;
        continue;
      }
      buffer.times[kept] = buffer.times[i];
      buffer.values[kept] = buffer.values[i];
      ++kept;
    }
    buffer.times.resize(kept);
    buffer.values.resize(kept);
  }
}

std::int32_t Reducer::Push(std::int32_t series, const std::int64_t* times, const double* values,
                           std::int32_t count) {
  if (series < 0 || series >= seriesCount_) return CORVIXMATH_REDUCER_BAD_SERIES;
  if (count < 0) return CORVIXMATH_REDUCER_BAD_SIZE;
  if (finished_) return CORVIXMATH_REDUCER_FINISHED;
  if (count == 0) return CORVIXMATH_REDUCER_OK;
  if (times == nullptr || values == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  Buffer& buffer = buffers_[static_cast<std::size_t>(series)];
  bool hasFloor = buffer.any || advanced_;
  std::int64_t floor = buffer.any ? buffer.last : advancedTo_;
  if (buffer.any && advanced_) floor = std::max(floor, advancedTo_);
  for (std::int32_t i = 0; i < count; ++i) {
    if (times[i] < -CORVIXMATH_REDUCER_TIME_LIMIT || times[i] > CORVIXMATH_REDUCER_TIME_LIMIT)
      return CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE;
    if (!std::isfinite(values[i])) return CORVIXMATH_REDUCER_NOT_FINITE;
    if (hasFloor && times[i] < floor) return CORVIXMATH_REDUCER_TIME_GOES_BACK;
    hasFloor = true;
    floor = times[i];
  }
  const std::int64_t firstTime = anySample_ ? std::min(firstTime_, times[0]) : times[0];
  const std::int64_t lastTime =
      anySample_ ? std::max(lastTime_, times[count - 1]) : times[count - 1];
  const std::int64_t windows =
      WindowsUpTo(originFixed_ ? origin_ : MidnightOf(firstTime), lastTime);
  if (windows > CORVIXMATH_REDUCER_MOST_WINDOWS) {
    counts_.refused_windows = windows;
    return CORVIXMATH_REDUCER_TOO_MANY_WINDOWS;
  }
  // Room for the whole push first, growing by halves so that many small pushes copy little;
  // a failure here changes nothing.
  const std::size_t room = buffer.times.size() + static_cast<std::size_t>(count);
  if (room > buffer.times.capacity()) {
    const std::size_t grown = std::max(room, buffer.times.capacity() + buffer.times.capacity() / 2);
    buffer.times.reserve(grown);
    buffer.values.reserve(grown);
  }
  counts_.refused_windows = 0;
  anySample_ = true;
  firstTime_ = firstTime;
  lastTime_ = lastTime;
  buffer.any = true;
  buffer.last = times[count - 1];
  counts_.samples_taken += count;
  for (std::int32_t i = 0; i < count; ++i) {
    if (originFixed_ && step_ > width_ && !HeldByAWindow(times[i])) {
      ++counts_.samples_held_by_no_window;
      continue;
    }
    buffer.times.push_back(times[i]);
    buffer.values.push_back(values[i]);
  }
  try {
    Settle();
  } catch (const std::bad_alloc&) {
    // The samples are taken; the runs they finish are reduced by the next call.
  }
  return CORVIXMATH_REDUCER_OK;
}

std::int32_t Reducer::StartAt(std::int64_t time) {
  if (time < -CORVIXMATH_REDUCER_TIME_LIMIT || time > CORVIXMATH_REDUCER_TIME_LIMIT)
    return CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE;
  if (anySample_ || advanced_ || originFixed_ || finished_)
    return CORVIXMATH_REDUCER_ALREADY_STARTED;
  originFixed_ = true;
  origin_ = MidnightOf(time);
  advanced_ = true;  // nothing before the origin
  advancedTo_ = origin_;
  return CORVIXMATH_REDUCER_OK;
}

std::int32_t Reducer::Advance(std::int64_t time) {
  if (finished_) return CORVIXMATH_REDUCER_FINISHED;
  if (time < -CORVIXMATH_REDUCER_TIME_LIMIT || time > CORVIXMATH_REDUCER_TIME_LIMIT)
    return CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE;
  if (advanced_ && time < advancedTo_) return CORVIXMATH_REDUCER_TIME_GOES_BACK;
  advanced_ = true;
  advancedTo_ = time;
  try {
    Settle();
  } catch (const std::bad_alloc&) {
    // Reduced by the next call.
  }
  return CORVIXMATH_REDUCER_OK;
}

// The last window of the chunk that starts at window `first`: within first's run.
std::int64_t Reducer::ChunkLast(std::int64_t first) const {
  return std::min(first / perRun_ * perRun_ + perRun_ - 1, first + chunk_ - 1);
}

// Reduces every chunk of windows that no later sample can change.
void Reducer::Settle() {
  if (!anySample_) return;
  // Quick refusal: no series can be past the next chunk while the latest time is not.
  const std::int64_t origin = originFixed_ ? origin_ : MidnightOf(firstTime_);
  const std::int64_t windows = WindowsUpTo(origin, lastTime_);
  const auto upper = [&](std::int64_t k) { return origin + k * step_ - half_ + width_; };
  const std::int64_t reach = advanced_ ? std::max(lastTime_, advancedTo_) : lastTime_;
  if (ChunkLast(nextWindow_) >= windows || upper(ChunkLast(nextWindow_)) > reach) return;
  // Every series must be past the chunk: its last sample, or the advance, at or after its end.
  bool anyUnknown = false;
  std::int64_t watermark = std::numeric_limits<std::int64_t>::max();
  for (const Buffer& buffer : buffers_) {
    if (!buffer.any) {
      anyUnknown = true;
      continue;
    }
    watermark = std::min(watermark, buffer.last);
  }
  if (advanced_)
    watermark = anyUnknown ? advancedTo_ : std::max(watermark, advancedTo_);
  else if (anyUnknown)
    return;
  for (;;) {
    const std::int64_t last = ChunkLast(nextWindow_);
    if (last >= windows || upper(last) > watermark) return;
    FixOrigin();
    ReduceChunk(nextWindow_, last);
  }
}

// The samples of windows first..last into the views, times shifted to the centre of their
// run's first window `base`; how many in all.
std::int64_t Reducer::Gather(std::int64_t base, std::int64_t first, std::int64_t last) {
  const std::int64_t firstCentre = origin_ + base * step_;
  const std::int64_t from = origin_ + first * step_ - half_;
  const std::int64_t to = origin_ + last * step_ - half_ + width_;
  std::int64_t samples = 0;
  for (std::size_t s = 0; s < buffers_.size(); ++s) {
    Buffer& buffer = buffers_[s];
    while (buffer.head < buffer.times.size() && buffer.times[buffer.head] < from)
      ++buffer.head;
    const auto begin = buffer.times.begin() + static_cast<std::ptrdiff_t>(buffer.head);
    const std::size_t high = static_cast<std::size_t>(
        std::lower_bound(begin, buffer.times.end(), to) - buffer.times.begin());
    std::vector<std::int32_t>& shifted = shifted_[s];
    shifted.resize(high - buffer.head);
    // A run spans one day and a width: its shifted times fit 32 bits.
    for (std::size_t i = buffer.head; i < high; ++i)
      shifted[i - buffer.head] = static_cast<std::int32_t>(buffer.times[i] - firstCentre);
    runValues_[s] = buffer.values.data() + buffer.head;
    runTimes_[s] = shifted.data();
    runCounts_[s] = static_cast<std::int32_t>(high - buffer.head);
    samples += runCounts_[s];
  }
  return samples;
}

// The day's filter over the run's windows first..last (counted from the run's first window).
std::int32_t Reducer::Filter(const double* const* values, const std::int32_t* const* times,
                             std::int32_t series, const std::int32_t* counts, std::int64_t first,
                             std::int64_t last) {
  return static_cast<std::int32_t>(
      stats::FilterWindowRange32(values, times, series, counts, minimum_.data(), maximum_.data(),
                                 mean_.data(), centres_.data(), static_cast<std::int32_t>(width_),
                                 static_cast<std::int32_t>(step_), first, last));
}

// Each series' own average in windows first..last: the filter over that series alone.
void Reducer::Averages(std::int64_t base, std::int64_t first, std::int64_t last) {
  const std::size_t series = buffers_.size();
  runAverages_.assign(static_cast<std::size_t>(last - first + 1) * series,
                      std::numeric_limits<double>::quiet_NaN());
  for (std::size_t s = 0; s < series; ++s) {
    if (runCounts_[s] == 0) continue;
    const std::int32_t written =
        Filter(&runValues_[s], &runTimes_[s], 1, &runCounts_[s], first - base, last - base);
    for (std::int32_t i = 0; i < written; ++i) {
      const std::int64_t k = base + centres_[static_cast<std::size_t>(i)] / step_ - first;
      runAverages_[static_cast<std::size_t>(k) * series + s] = mean_[static_cast<std::size_t>(i)];
    }
  }
}

// Reduces windows first..last of one run and queues them; they are done only when all are
// queued, so a failed allocation leaves them to be reduced again.
void Reducer::ReduceChunk(std::int64_t first, std::int64_t last) {
  if (centres_.empty()) {
    const std::size_t entries = static_cast<std::size_t>(chunk_) + 1;
    minimum_.resize(entries);
    maximum_.resize(entries);
    mean_.resize(entries);
    centres_.resize(entries);
  }
  const std::size_t series = buffers_.size();
  const std::int64_t base = first / perRun_ * perRun_;
  const bool any = Gather(base, first, last) > 0;
  runWindows_.clear();
  runWindowAverages_.clear();
  if (any || keepEmpty_) {
    if (withAverages_) Averages(base, first, last);
    const std::int32_t written = any ? Filter(runValues_.data(), runTimes_.data(), seriesCount_,
                                              runCounts_.data(), first - base, last - base)
                                     : 0;
    const auto add = [&](std::int64_t k, const double* row) {
      cm_window window{origin_ + k * step_, 0, 0, 0, row != nullptr ? 1 : 0, 0};
      if (row != nullptr) {
        window.minimum = row[0];
        window.maximum = row[1];
        window.mean = row[2];
      }
      runWindows_.push_back(window);
      if (withAverages_) {
        const auto at = runAverages_.begin() +
                        static_cast<std::ptrdiff_t>(static_cast<std::size_t>(k - first) * series);
        runWindowAverages_.insert(runWindowAverages_.end(), at,
                                  at + static_cast<std::ptrdiff_t>(series));
      }
    };
    std::int64_t next = first;  // the next window to queue when empty ones are kept
    for (std::int32_t i = 0; i < written; ++i) {
      const auto at = static_cast<std::size_t>(i);
      const std::int64_t k = base + centres_[at] / step_;
      for (; keepEmpty_ && next < k; ++next)
        add(next, nullptr);
      const double row[] = {minimum_[at], maximum_[at], mean_[at]};
      add(k, row);
      next = k + 1;
    }
    for (; keepEmpty_ && next <= last; ++next)
      add(next, nullptr);
  }
  waiting_.insert(waiting_.end(), runWindows_.begin(), runWindows_.end());
  try {
    waitingAverages_.insert(waitingAverages_.end(), runWindowAverages_.begin(),
                            runWindowAverages_.end());
  } catch (...) {
    waiting_.erase(waiting_.end() - static_cast<std::ptrdiff_t>(runWindows_.size()),
                   waiting_.end());
    throw;
  }
  counts_.windows_reduced += static_cast<std::int64_t>(runWindows_.size());
  nextWindow_ = last + 1;
  DropBefore(origin_ + nextWindow_ * step_ - half_);
}

// Lets go of the samples before `time`, which no open window holds.
void Reducer::DropBefore(std::int64_t time) {
  for (Buffer& buffer : buffers_) {
    while (buffer.head < buffer.times.size() && buffer.times[buffer.head] < time)
      ++buffer.head;
    if (buffer.head >= kCompactAfter && buffer.head * 2 >= buffer.times.size()) {
      buffer.times.erase(buffer.times.begin(),
                         buffer.times.begin() + static_cast<std::ptrdiff_t>(buffer.head));
      buffer.values.erase(buffer.values.begin(),
                          buffer.values.begin() + static_cast<std::ptrdiff_t>(buffer.head));
      buffer.head = 0;
    }
  }
}

std::int32_t Reducer::Finish() {
  if (!anySample_) {
    finished_ = true;
    return CORVIXMATH_REDUCER_OK;
  }
  if (finished_ && nextWindow_ >= WindowsUpTo(origin_, lastTime_)) return CORVIXMATH_REDUCER_OK;
  finished_ = true;
  FixOrigin();
  const std::int64_t windows = WindowsUpTo(origin_, lastTime_);
  while (nextWindow_ < windows)
    ReduceChunk(nextWindow_, std::min(windows - 1, ChunkLast(nextWindow_)));
  // Samples from the last window's upper bound on are held by none.
  const std::int64_t end = origin_ + (windows - 1) * step_ - half_ + width_;
  for (Buffer& buffer : buffers_) {
    for (std::size_t i = buffer.head; i < buffer.times.size(); ++i)
      counts_.samples_held_by_no_window += buffer.times[i] >= end ? 1 : 0;
    buffer.head = buffer.times.size();
  }
  return CORVIXMATH_REDUCER_OK;
}

std::int32_t Reducer::Take(cm_window* windows, double* averages, std::int32_t capacity) {
  if (capacity < 0) return CORVIXMATH_REDUCER_BAD_SIZE;
  if (averages != nullptr && !withAverages_) return CORVIXMATH_REDUCER_BAD_FLAGS;
  if (capacity == 0) return 0;
  if (windows == nullptr) return CORVIXMATH_REDUCER_NULL_ARGUMENT;
  const std::size_t taken = std::min(waiting_.size(), static_cast<std::size_t>(capacity));
  std::copy(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(taken), windows);
  waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<std::ptrdiff_t>(taken));
  if (withAverages_) {
    const auto values = static_cast<std::ptrdiff_t>(taken * buffers_.size());
    if (averages != nullptr)
      std::copy(waitingAverages_.begin(), waitingAverages_.begin() + values, averages);
    waitingAverages_.erase(waitingAverages_.begin(), waitingAverages_.begin() + values);
  }
  return static_cast<std::int32_t>(taken);
}

cm_reducer_counts Reducer::Counts() const {
  cm_reducer_counts counts = counts_;
  counts.samples_open = 0;
  for (const Buffer& buffer : buffers_)
    counts.samples_open += static_cast<std::int64_t>(buffer.Open());
  counts.windows_waiting = static_cast<std::int64_t>(waiting_.size());
  return counts;
}

}  // namespace reduce
}  // namespace corvix

// The multi-day reducer's C interface: arbitrary sequences of create, start_at, push (any
// sizes, times, NaN and infinite values, out of order), advance, take (any capacity, with and
// without averages) and finish, checked against a plain reduction kept here.
//
// The model keeps every accepted sample per series. Each call's code must be one the
// documented rules allow (OK exactly when none of them refuses it), and a refused call changes
// nothing. At the end every window taken, in order, must equal the straightforward reduction:
// window k centred at origin + k*S covers centre - W/2 <= t < centre - W/2 + W, each series
// gives the average of its samples there (summed in sample order), the window the minimum,
// maximum and mean (in series order) of those averages. The axis starts at the midnight of the
// first sample's day (or of start_at's time), runs to the midnight after the last sample's day
// while a window's upper bound stays within it + W/2, and with S <= W until every sample is
// held.
//
// Pushes that would make the axis longer than a cap are not made (unless beyond the reducer's
// own limit, which must refuse them), so that every input stays quick.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "CorvixLimits.h"
#include "corvixmath.h"
#include "fuzz/fuzz_input.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_fuzz::SameValue;

constexpr std::int64_t kDay = CORVIXMATH_SECONDS_PER_DAY;
constexpr std::int64_t kLongest = CORVIXMATH_REDUCER_LONGEST_SECONDS;
constexpr std::int64_t kTimeLimit = CORVIXMATH_REDUCER_TIME_LIMIT;
constexpr std::int64_t kMostWindows = CORVIXMATH_REDUCER_MOST_WINDOWS;
constexpr std::int32_t kMaxSeries = CORVIXMATH_MAX_SERIES;
// Work limits of one input: window-series pairs of the axis, samples, calls.
constexpr std::int64_t kWindowSeriesCap = 320;
constexpr std::int64_t kWindowCap = 64;
constexpr std::size_t kSampleCap = 128;
constexpr int kCallCap = 40;
constexpr std::int32_t kPushCap = 64;
constexpr std::int32_t kTakeCap = 300;

std::int64_t Floor(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  if (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) --quotient;
  return quotient;
}

std::int64_t Midnight(std::int64_t time) {
  return Floor(time, kDay) * kDay;
}

struct Sample {
  std::int64_t time;
  double value;
};

// The plain reduction and the state the rules of the calls depend on.
struct Model {
  std::int64_t width = 0;
  std::int64_t step = 0;
  std::int32_t series = 0;
  bool keepEmpty = false;
  bool withAverages = false;

  std::vector<std::vector<Sample>> samples;
  std::size_t sampleCount = 0;
  bool anySample = false;
  std::int64_t firstTime = 0;
  std::int64_t lastTime = 0;
  bool originSet = false;
  std::int64_t origin = 0;
  bool advanced = false;
  std::int64_t advancedTo = 0;
  bool finished = false;

  std::int64_t Half() const { return width / 2; }

  // Windows of the axis from `from` when the latest sample is at `last`.
  std::int64_t Windows(std::int64_t from, std::int64_t last) const {
    const std::int64_t end = Midnight(last) + kDay;
    // Window k is taken while its upper bound from + k*S - W/2 + W stays within end + W/2.
    std::int64_t count = Floor(end + Half() - (from - Half() + width), step) + 1;
    if (step <= width) {
      // ... and until a window's upper bound passes the last sample.
      const std::int64_t holding = Floor(last - (from - Half() + width), step) + 1;
      count = std::max(count, holding + 1);
    }
    return count;
  }

  std::int64_t Origin() const { return originSet ? origin : Midnight(firstTime); }

  std::int64_t Lower(std::int64_t k) const { return Origin() + k * step - Half(); }
};

struct TakenWindow {
  cm_window window;
  bool averagesKnown;
  std::vector<double> averages;
};

bool SameBits(double first, double second) {
  if (std::isnan(first) || std::isnan(second)) return SameValue(first, second);
  return std::memcmp(&first, &second, sizeof first) == 0;
}

std::int64_t Width(FuzzInput& input) {
  static const std::int64_t kTable[] = {1,     2,     3,      59,       60,   61,    300,
                                        900,   3599,  3600,   3601,     7200, 43200, 86399,
                                        86400, 86401, 172800, kLongest, 0,    -1,    kLongest + 1};
  const std::uint8_t selector = input.Byte();
  if (selector < 0xC0) return kTable[selector % (sizeof kTable / sizeof kTable[0])];
  if (selector < 0xF0) return 1 + input.U16();
  return static_cast<std::int64_t>(input.U32() % static_cast<std::uint32_t>(kLongest + 2));
}

std::int32_t SeriesCount(FuzzInput& input) {
  const std::uint8_t selector = input.Byte();
  if (selector < 0xF0) return 1 + selector % 4;
  static const std::int32_t kEdges[] = {0, -1, kMaxSeries, kMaxSeries + 1, 5, 8, INT32_MIN};
  return kEdges[selector % (sizeof kEdges / sizeof kEdges[0])];
}

// A time: near the series' last one (or the base), at a day edge, far away, or out of range.
std::int64_t Time(FuzzInput& input, std::int64_t near) {
  switch (input.Pick(10)) {
    case 0:
      return near - static_cast<std::int64_t>(input.Byte() % 8);
    case 1:
      return Midnight(near) + kDay * (input.Byte() % 3) + static_cast<int>(input.Byte() % 5) - 2;
    case 2:
      return near + static_cast<std::int64_t>(input.U32() % (3 * kDay));
    case 3: {
      static const std::int64_t kFar[] = {kTimeLimit,      kTimeLimit + 1, -kTimeLimit,
                                          -kTimeLimit - 1, kMostWindows,   INT64_MAX,
                                          INT64_MIN,       -kDay,          0};
      return kFar[input.Byte() % (sizeof kFar / sizeof kFar[0])];
    }
    case 4:
      return near + static_cast<std::int64_t>(input.U16()) * 60;
    default:
      return near + static_cast<std::int64_t>(input.Byte() % 64) *
                        (input.Bool() ? 1 : static_cast<std::int64_t>(input.Byte() % 200));
  }
}

double Value(FuzzInput& input) {
  switch (input.Pick(6)) {
    case 0:
      return static_cast<double>(static_cast<int>(input.Byte() % 32) - 16);
    case 1:
      return std::numeric_limits<double>::quiet_NaN();
    default:
      return input.Value();
  }
}

class Run {
 public:
  explicit Run(FuzzInput& input) : input_(input) {}

  ~Run() { cm_reducer_destroy(reducer_); }

  void Go() {
    NullHandles();
    if (!Create()) return;
    for (int call = 0; call < kCallCap && !input_.Exhausted(); ++call) {
      switch (input_.Pick(16)) {
        case 0:
          StartAt();
          break;
        case 1:
        case 2:
          Advance();
          break;
        case 3:
          Finish();
          break;
        case 4:
        case 5:
        case 6:
          Take();
          break;
        default:
          Push();
          break;
      }
      CheckCounts();
    }
    if (!model_.finished) Finish();
    Drain();
    Compare();
  }

 private:
  void NullHandles() {
    FUZZ_CHECK(cm_reducer_create(3600, 3600, 1, 0, nullptr) == CORVIXMATH_REDUCER_NULL_ARGUMENT);
    FUZZ_CHECK(cm_reducer_push(nullptr, 0, nullptr, nullptr, 0) ==
               CORVIXMATH_REDUCER_NULL_ARGUMENT);
    FUZZ_CHECK(cm_reducer_finish(nullptr) == CORVIXMATH_REDUCER_NULL_ARGUMENT);
    FUZZ_CHECK(cm_reducer_take(nullptr, nullptr, nullptr, 0) == CORVIXMATH_REDUCER_NULL_ARGUMENT);
    cm_reducer_counts counts;
    FUZZ_CHECK(cm_reducer_get_counts(nullptr, &counts) == CORVIXMATH_REDUCER_NULL_ARGUMENT);
  }

  bool Create() {
    const std::int64_t width = Width(input_);
    const std::int64_t step = Width(input_);
    const std::int32_t series = SeriesCount(input_);
    const std::uint8_t flagByte = input_.Byte();
    std::uint32_t flags = flagByte & 3U;
    if ((flagByte & 0x80) != 0) flags |= 1U << (2 + (flagByte >> 2) % 30);
    corvix_fuzz::Note("create width %lld step %lld series %d flags %#x",
                      static_cast<long long>(width), static_cast<long long>(step), series, flags);
    const bool badSize = width < 1 || width > kLongest || step < 1 || step > kLongest ||
                         series < 1 || series > kMaxSeries;
    const bool badFlags = (flags & ~3U) != 0;
    const std::int32_t code = cm_reducer_create(width, step, series, flags, &reducer_);
    if (badSize || badFlags) {
      FUZZ_CHECK(reducer_ == nullptr);
      FUZZ_CHECK((badSize && code == CORVIXMATH_REDUCER_BAD_SIZE) ||
                 (badFlags && code == CORVIXMATH_REDUCER_BAD_FLAGS));
      return false;
    }
    FUZZ_CHECK(code == CORVIXMATH_REDUCER_OK && reducer_ != nullptr);
    model_.width = width;
    model_.step = step;
    model_.series = series;
    model_.keepEmpty = (flags & CORVIXMATH_REDUCER_EMPTY_WINDOWS) != 0;
    model_.withAverages = (flags & CORVIXMATH_REDUCER_SERIES_AVERAGES) != 0;
    model_.samples.resize(static_cast<std::size_t>(series));
    windowCap_ = std::max(kWindowCap, kWindowSeriesCap / series);
    base_ = Time(input_, 0);
    if (base_ < -kTimeLimit || base_ > kTimeLimit) base_ = 0;
    return true;
  }

  void StartAt() {
    const std::int64_t time = Time(input_, base_);
    const bool outOfRange = time < -kTimeLimit || time > kTimeLimit;
    const bool started = model_.anySample || model_.advanced || model_.originSet || model_.finished;
    const std::int32_t code = cm_reducer_start_at(reducer_, time);
    if (!outOfRange && !started) {
      // An origin far from the samples to come makes a long axis: such inputs are cut short
      // by the window cap; the call itself is always checked.
      FUZZ_CHECK(code == CORVIXMATH_REDUCER_OK);
      model_.originSet = true;
      model_.origin = Midnight(time);
      model_.advanced = true;  // nothing before the origin
      model_.advancedTo = model_.origin;
      return;
    }
    FUZZ_CHECK((outOfRange && code == CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE) ||
               (started && code == CORVIXMATH_REDUCER_ALREADY_STARTED));
  }

  void Advance() {
    const std::int64_t time = Time(input_, model_.anySample ? model_.lastTime : base_);
    const bool outOfRange = time < -kTimeLimit || time > kTimeLimit;
    const bool back = model_.advanced && time < model_.advancedTo;
    const std::int32_t code = cm_reducer_advance(reducer_, time);
    if (!model_.finished && !outOfRange && !back) {
      FUZZ_CHECK(code == CORVIXMATH_REDUCER_OK);
      model_.advanced = true;
      model_.advancedTo = time;
      return;
    }
    FUZZ_CHECK((model_.finished && code == CORVIXMATH_REDUCER_FINISHED) ||
               (outOfRange && code == CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE) ||
               (back && code == CORVIXMATH_REDUCER_TIME_GOES_BACK));
  }

  void Finish() {
    FUZZ_CHECK(cm_reducer_finish(reducer_) == CORVIXMATH_REDUCER_OK);
    model_.finished = true;
  }

  void Push() {
    std::int32_t series = static_cast<std::int32_t>(input_.Byte() % (model_.series + 1));
    if (input_.Pick(16) == 0) series = input_.Bool() ? -1 : INT32_MAX;
    std::int32_t count = static_cast<std::int32_t>(input_.Byte() % (kPushCap + 1));
    if (count > 8 && input_.Bool()) count %= 4;
    const bool nullArrays = input_.Pick(32) == 0;
    if (input_.Pick(32) == 0) count = -1 - static_cast<std::int32_t>(input_.Byte() % 2);
    const std::size_t stored = count > 0 ? static_cast<std::size_t>(count) : 0;
    // Exactly as long as the count, so that a read past it is caught.
    std::unique_ptr<std::int64_t[]> times(new std::int64_t[stored]);
    std::unique_ptr<double[]> values(new double[stored]);
    const bool known = series >= 0 && series < model_.series &&
                       !model_.samples[static_cast<std::size_t>(series)].empty();
    std::int64_t near =
        known ? model_.samples[static_cast<std::size_t>(series)].back().time : base_;
    for (std::size_t i = 0; i < stored; ++i) {
      times[i] = Time(input_, near);
      if (times[i] >= -kTimeLimit && times[i] <= kTimeLimit) near = times[i];
      values[i] = input_.Pick(4) == 0 ? static_cast<double>(i) : Value(input_);
    }

    // What refuses the push, by the documented rules.
    const bool badSeries = series < 0 || series >= model_.series;
    const bool badSize = count < 0;
    const bool nullArgument = count > 0 && nullArrays;
    bool outOfRange = false;
    bool notFinite = false;
    bool back = false;
    if (!badSeries && count > 0) {
      const std::vector<Sample>& held = model_.samples[static_cast<std::size_t>(series)];
      bool hasFloor = !held.empty() || model_.advanced;
      std::int64_t floor = held.empty() ? model_.advancedTo : held.back().time;
      if (!held.empty() && model_.advanced) floor = std::max(floor, model_.advancedTo);
      for (std::size_t i = 0; i < stored; ++i) {
        outOfRange = outOfRange || times[i] < -kTimeLimit || times[i] > kTimeLimit;
        notFinite = notFinite || !std::isfinite(values[i]);
        back = back || (hasFloor && times[i] < floor);
        hasFloor = true;
        floor = times[i];
      }
    }
    const bool refusedBySample = outOfRange || notFinite || back;
    std::int64_t windows = 0;
    if (!badSeries && !badSize && !nullArgument && !model_.finished && count > 0 &&
        !refusedBySample) {
      const std::int64_t first = model_.anySample ? std::min(model_.firstTime, times[0]) : times[0];
      const std::int64_t last =
          model_.anySample ? std::max(model_.lastTime, times[stored - 1]) : times[stored - 1];
      windows = model_.Windows(model_.originSet ? model_.origin : Midnight(first), last);
      // Too long an axis to reduce quickly, yet within the reducer's limit: not made.
      if (windows > windowCap_ && windows <= kMostWindows) return;
      if (model_.sampleCount + stored > kSampleCap) return;
    }
    const bool tooMany = windows > kMostWindows;

    const std::int32_t code = cm_reducer_push(reducer_, series, nullArrays ? nullptr : times.get(),
                                              nullArrays ? nullptr : values.get(), count);
    const bool refused =
        badSeries || badSize || model_.finished || nullArgument || refusedBySample || tooMany;
#define PUSH_CHECK(condition) FUZZ_CHECK_NOTING(condition, "push series %d count %d", series, count)
    if (!refused) {
      PUSH_CHECK(code == CORVIXMATH_REDUCER_OK);
      if (count == 0) return;
      std::vector<Sample>& held = model_.samples[static_cast<std::size_t>(series)];
      for (std::size_t i = 0; i < stored; ++i)
        held.push_back({times[i], values[i]});
      model_.sampleCount += stored;
      model_.firstTime = model_.anySample ? std::min(model_.firstTime, times[0]) : times[0];
      model_.lastTime =
          model_.anySample ? std::max(model_.lastTime, times[stored - 1]) : times[stored - 1];
      model_.anySample = true;
      expectRefusedWindows_ = 0;
      return;
    }
    PUSH_CHECK((badSeries && code == CORVIXMATH_REDUCER_BAD_SERIES) ||
               (badSize && code == CORVIXMATH_REDUCER_BAD_SIZE) ||
               (model_.finished && code == CORVIXMATH_REDUCER_FINISHED) ||
               (nullArgument && code == CORVIXMATH_REDUCER_NULL_ARGUMENT) ||
               (outOfRange && code == CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE) ||
               (notFinite && code == CORVIXMATH_REDUCER_NOT_FINITE) ||
               (back && code == CORVIXMATH_REDUCER_TIME_GOES_BACK) ||
               (tooMany && code == CORVIXMATH_REDUCER_TOO_MANY_WINDOWS));
#undef PUSH_CHECK
    if (code == CORVIXMATH_REDUCER_TOO_MANY_WINDOWS) expectRefusedWindows_ = windows;
  }

  // Takes up to a drawn capacity, into arrays exactly that long.
  void Take() {
    std::int32_t capacity = static_cast<std::int32_t>(input_.Byte() % (kTakeCap + 1));
    if (input_.Pick(16) == 0) capacity = -1;
    const bool nullWindows = input_.Pick(16) == 0;
    const bool askAverages = input_.Bool();
    TakeInto(capacity, nullWindows, askAverages);
  }

  std::int32_t TakeInto(std::int32_t capacity, bool nullWindows, bool askAverages) {
    const std::size_t room = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
    const std::size_t perWindow = static_cast<std::size_t>(model_.series);
    std::unique_ptr<cm_window[]> windows(new cm_window[room]);
    std::unique_ptr<double[]> averages(new double[room * perWindow]);
    cm_reducer_counts before;
    FUZZ_CHECK(cm_reducer_get_counts(reducer_, &before) == CORVIXMATH_REDUCER_OK);
    const std::int32_t code = cm_reducer_take(reducer_, nullWindows ? nullptr : windows.get(),
                                              askAverages ? averages.get() : nullptr, capacity);
    if (capacity < 0) {
      FUZZ_CHECK(code == CORVIXMATH_REDUCER_BAD_SIZE ||
                 (askAverages && !model_.withAverages && code == CORVIXMATH_REDUCER_BAD_FLAGS));
      return 0;
    }
    if (askAverages && !model_.withAverages) {
      FUZZ_CHECK(code == CORVIXMATH_REDUCER_BAD_FLAGS);
      return 0;
    }
    if (capacity == 0) {
      FUZZ_CHECK(code == 0);
      return 0;
    }
    if (nullWindows) {
      FUZZ_CHECK(code == CORVIXMATH_REDUCER_NULL_ARGUMENT);
      return 0;
    }
    FUZZ_CHECK(code == std::min<std::int64_t>(before.windows_waiting, capacity));
    for (std::int32_t i = 0; i < code; ++i) {
      const std::size_t at = static_cast<std::size_t>(i);
      TakenWindow window{windows[at], askAverages, {}};
      if (askAverages)
        window.averages.assign(averages.get() + at * perWindow,
                               averages.get() + (at + 1) * perWindow);
      taken_.push_back(window);
    }
    return code;
  }

  void Drain() {
    while (TakeInto(kTakeCap, false, model_.withAverages) == kTakeCap) {
    }
    cm_reducer_counts counts;
    FUZZ_CHECK(cm_reducer_get_counts(reducer_, &counts) == CORVIXMATH_REDUCER_OK);
    FUZZ_CHECK(counts.windows_waiting == 0);
    FUZZ_CHECK(counts.samples_open == 0);
    FUZZ_CHECK(counts.windows_reduced == static_cast<std::int64_t>(taken_.size()));
    FUZZ_CHECK(cm_reducer_take(reducer_, nullptr, nullptr, 0) == 0);
  }

  void CheckCounts() {
    cm_reducer_counts counts;
    FUZZ_CHECK(cm_reducer_get_counts(reducer_, &counts) == CORVIXMATH_REDUCER_OK);
    FUZZ_CHECK(counts.samples_taken == static_cast<std::int64_t>(model_.sampleCount));
    FUZZ_CHECK(counts.refused_windows == expectRefusedWindows_);
    FUZZ_CHECK(counts.samples_held_by_no_window >= 0 && counts.samples_open >= 0);
    FUZZ_CHECK(counts.samples_open + counts.samples_held_by_no_window <= counts.samples_taken);
  }

  // Every window of the axis, reduced plainly, against what was taken.
  void Compare() {
    const std::size_t series = static_cast<std::size_t>(model_.series);
    std::size_t next = 0;
    std::int64_t heldByNone = 0;
    if (model_.anySample) {
      const std::int64_t count = model_.Windows(model_.Origin(), model_.lastTime);
      std::vector<double> averages(series);
      for (std::int64_t k = 0; k < count; ++k) {
        const std::int64_t lower = model_.Lower(k);
        const std::int64_t upper = lower + model_.width;
        double minimum = CORVIXMATH_WINDOW_NO_DATA_MINIMUM;
        double maximum = CORVIXMATH_WINDOW_NO_DATA_MAXIMUM;
        bool hasExtremes = false;
        double meanSum = 0.0;
        std::int64_t withData = 0;
        for (std::size_t s = 0; s < series; ++s) {
          const std::vector<Sample>& held = model_.samples[s];
          auto at = std::lower_bound(
              held.begin(), held.end(), lower,
              [](const Sample& sample, std::int64_t time) { return sample.time < time; });
          double sum = 0.0;
          std::int64_t used = 0;
          for (; at != held.end() && at->time < upper; ++at, ++used)
            sum += at->value;
          averages[s] = std::numeric_limits<double>::quiet_NaN();
          if (used == 0) continue;
          const double average = sum / static_cast<double>(used);
          averages[s] = average;
          meanSum += average;
          ++withData;
          if (std::isnan(average)) continue;
          if (!hasExtremes) {
            minimum = maximum = average;
            hasExtremes = true;
          } else {
            minimum = std::min(minimum, average);
            maximum = std::max(maximum, average);
          }
        }
        if (withData == 0 && !model_.keepEmpty) continue;
#define WINDOW_CHECK(condition)                                                \
  FUZZ_CHECK_NOTING(condition, "window %lld of %lld (centre %lld), %zu taken", \
                    static_cast<long long>(k), static_cast<long long>(count),  \
                    static_cast<long long>(lower + model_.Half()), taken_.size())
        WINDOW_CHECK(next < taken_.size());
        const TakenWindow& got = taken_[next++];
        WINDOW_CHECK(got.window.centre == lower + model_.Half());
        WINDOW_CHECK(got.window.reserved == 0);
        if (withData == 0) {
          WINDOW_CHECK(got.window.has_data == 0);
          WINDOW_CHECK(got.window.minimum == 0 && got.window.maximum == 0 && got.window.mean == 0);
        } else {
          WINDOW_CHECK(got.window.has_data == 1);
          WINDOW_CHECK(SameBits(got.window.minimum, minimum));
          WINDOW_CHECK(SameBits(got.window.maximum, maximum));
          WINDOW_CHECK(SameBits(got.window.mean, meanSum / static_cast<double>(withData)));
        }
        if (got.averagesKnown)
          for (std::size_t s = 0; s < series; ++s)
            WINDOW_CHECK(SameBits(got.averages[s], averages[s]));
#undef WINDOW_CHECK
      }
      // Samples that no window of the axis holds are counted as such.
      for (const std::vector<Sample>& held : model_.samples) {
        for (const Sample& sample : held) {
          const std::int64_t t = sample.time - model_.Origin();
          const std::int64_t highest = std::min(Floor(t + model_.Half(), model_.step), count - 1);
          const std::int64_t lowest =
              std::max<std::int64_t>(Floor(t + model_.Half() - model_.width, model_.step) + 1, 0);
          heldByNone += lowest <= highest ? 0 : 1;
        }
      }
    }
    corvix_fuzz::Note("after the last window: %zu expected, %zu taken", next, taken_.size());
    FUZZ_CHECK(next == taken_.size());
    cm_reducer_counts counts;
    FUZZ_CHECK(cm_reducer_get_counts(reducer_, &counts) == CORVIXMATH_REDUCER_OK);
    FUZZ_CHECK(counts.samples_held_by_no_window == heldByNone);
  }

  FuzzInput& input_;
  cm_reducer* reducer_ = nullptr;
  Model model_;
  std::int64_t windowCap_ = kWindowCap;
  std::int64_t base_ = 0;
  std::int64_t expectRefusedWindows_ = 0;
  std::vector<TakenWindow> taken_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  Run run(input);
  run.Go();
  return 0;
}

// The multi-day window reducer through its C interface, against a plain transcription of the
// batch reduction it reproduces: the axis planned over the whole log, the samples between
// windows dropped, each run of windows that fits one day's axis one cm_filter_value_array()
// call on the samples it needs, times shifted to the run's first centre. Rows must match to
// the bit, however the samples are pushed and the windows taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "CorvixLimits.h"
#include "corvixmath.h"

namespace {

constexpr int64_t kDay = CORVIXMATH_SECONDS_PER_DAY;
constexpr int64_t kHour = 3600;
constexpr int64_t kTimeLimit = CORVIXMATH_REDUCER_TIME_LIMIT;
constexpr uint32_t kEmpty = CORVIXMATH_REDUCER_EMPTY_WINDOWS;
constexpr uint32_t kAverages = CORVIXMATH_REDUCER_SERIES_AVERAGES;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

int64_t FloorDivide(int64_t numerator, int64_t denominator) {
  const int64_t quotient = numerator / denominator;
  return numerator % denominator != 0 && (numerator < 0) != (denominator < 0) ? quotient - 1
                                                                              : quotient;
}

int64_t MidnightOf(int64_t time) {
  return FloorDivide(time, kDay) * kDay;
}

// --- Logs as a CSV reader sees them: rows in time order, one cell per series.

struct Log {
  int series = 0;
  std::vector<int64_t> times;              // one a row
  std::vector<std::vector<double>> cells;  // [row][series]; NaN for an empty cell

  std::vector<int64_t> TimesOf(int s, std::size_t from = 0, std::size_t to = SIZE_MAX) const {
    std::vector<int64_t> own;
    for (std::size_t r = from; r < std::min(to, times.size()); ++r)
      if (!std::isnan(cells[r][static_cast<std::size_t>(s)])) own.push_back(times[r]);
    return own;
  }
  std::vector<double> ValuesOf(int s, std::size_t from = 0, std::size_t to = SIZE_MAX) const {
    std::vector<double> own;
    for (std::size_t r = from; r < std::min(to, times.size()); ++r) {
      const double cell = cells[r][static_cast<std::size_t>(s)];
      if (!std::isnan(cell)) own.push_back(cell);
    }
    return own;
  }
  int64_t Samples() const {
    int64_t samples = 0;
    for (int s = 0; s < series; ++s)
      samples += static_cast<int64_t>(TimesOf(s).size());
    return samples;
  }
};

struct LogShape {
  const char* name;
  int series;
  int days;
  int64_t start;      // the first row's time
  int64_t interval;   // the longest gap between rows
  bool gaps;          // whole days without rows
  bool lateAndEarly;  // one series starts late, another ends early
  bool equalTimes;    // rows that repeat the time before
  unsigned seed;
  // Rows a second either side of multiples of 150 s, where windows begin and end.
  bool onBounds = false;
};

Log MakeLog(const LogShape& shape) {
  std::mt19937_64 random(shape.seed);
  std::uniform_int_distribution<int64_t> gap(1, shape.interval);
  std::uniform_real_distribution<double> value(-1000.0, 1000.0);
  std::uniform_int_distribution<int> percent(0, 99);
  Log log;
  log.series = shape.series;
  const int64_t end = shape.start + shape.days * kDay;
  const int64_t firstDay = FloorDivide(shape.start, kDay);
  for (int64_t t = shape.start; t < end;
       t += (shape.equalTimes && percent(random) < 5) ? 0 : gap(random)) {
    const int64_t day = FloorDivide(t, kDay) - firstDay;
    // Days 1 and 4 of a log with gaps have no row at all.
    if (shape.gaps && (day == 1 || day == 4) && shape.days > 2) continue;
    int64_t time = t;
    if (shape.onBounds) {
      time = FloorDivide(t, 150) * 150 + percent(random) % 3 - 1;
      if (!log.times.empty()) time = std::max(time, log.times.back());
    }
    log.times.push_back(time);
    std::vector<double> row(static_cast<std::size_t>(shape.series), kNaN);
    for (int s = 0; s < shape.series; ++s) {
      if (percent(random) < 15) continue;  // an empty cell
      // Large values now and then, so that a different summing order shows in the last bits.
      row[static_cast<std::size_t>(s)] = value(random) * (percent(random) < 3 ? 1e12 : 1.0) / 7.0;
    }
    log.cells.push_back(row);
  }
  if (shape.lateAndEarly && shape.series > 1) {
    const std::size_t rows = log.times.size();
    for (std::size_t r = 0; r < rows; ++r) {
      if (r < rows * 2 / 5) log.cells[r][1] = kNaN;  // late
      if (r > rows * 3 / 5)
        log.cells[r][static_cast<std::size_t>(shape.series - 1)] = kNaN;  // early
    }
  }
  return log;
}

// --- Rows and the reference.

struct Row {
  int64_t centre;
  double minimum, maximum, mean;
  int32_t hasData;
  int32_t reserved;
  std::vector<double> averages;  // one a series, with averages asked for
};

struct Reduction {
  std::vector<Row> rows;
  int64_t heldByNoWindow = 0;
};

uint64_t Bits(double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

::testing::AssertionResult SameRows(const std::vector<Row>& expected,
                                    const std::vector<Row>& actual) {
  for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
    const Row& e = expected[i];
    const Row& a = actual[i];
    bool same = e.centre == a.centre && Bits(e.minimum) == Bits(a.minimum) &&
                Bits(e.maximum) == Bits(a.maximum) && Bits(e.mean) == Bits(a.mean) &&
                e.hasData == a.hasData && a.reserved == 0 && e.averages.size() == a.averages.size();
    for (std::size_t s = 0; same && s < e.averages.size(); ++s)
      same = Bits(e.averages[s]) == Bits(a.averages[s]);
    if (!same) {
      ::testing::AssertionResult failure = ::testing::AssertionFailure();
      failure << "row " << i << " differs: expected centre " << e.centre << " min " << e.minimum
              << " max " << e.maximum << " mean " << e.mean << " data " << e.hasData << ", got "
              << a.centre << " " << a.minimum << " " << a.maximum << " " << a.mean << " "
              << a.hasData << " reserved " << a.reserved;
      for (std::size_t s = 0; s < std::min(e.averages.size(), a.averages.size()); ++s)
        if (Bits(e.averages[s]) != Bits(a.averages[s]))
          failure << "; series " << s << " average " << e.averages[s] << " vs " << a.averages[s];
      return failure;
    }
  }
  if (expected.size() != actual.size())
    return ::testing::AssertionFailure()
           << expected.size() << " rows expected, " << actual.size() << " given";
  return ::testing::AssertionSuccess();
}

// The batch reduction as the command-line tool makes it. `origin`, when given, replaces the
// midnight of the first sample's day.
Reduction BatchReduce(const Log& log, int64_t width, int64_t step, uint32_t flags,
                      const int64_t* origin = nullptr) {
  const bool keepEmpty = (flags & kEmpty) != 0;
  const bool eachSeries = (flags & kAverages) != 0;
  const std::size_t seriesCount = static_cast<std::size_t>(log.series);
  std::vector<std::vector<int64_t>> times(seriesCount);
  std::vector<std::vector<double>> values(seriesCount);
  for (int s = 0; s < log.series; ++s) {
    times[static_cast<std::size_t>(s)] = log.TimesOf(s);
    values[static_cast<std::size_t>(s)] = log.ValuesOf(s);
  }
  Reduction result;

  // The axis: from the first sample's midnight to the one after the last sample's day.
  bool any = false;
  int64_t firstTime = 0, lastTime = 0;
  for (const auto& t : times) {
    if (t.empty()) continue;
    firstTime = any ? std::min(firstTime, t.front()) : t.front();
    lastTime = any ? std::max(lastTime, t.back()) : t.back();
    any = true;
  }
  if (!any) return result;
  const int64_t axisOrigin = origin != nullptr ? MidnightOf(*origin) : MidnightOf(firstTime);
  const int64_t end = MidnightOf(lastTime) + kDay;
  const int64_t half = width / 2;
  int64_t count = (end - axisOrigin + 2 * half - width) / step + 1;
  if (step <= width)
    count = std::max(count, FloorDivide(lastTime - axisOrigin + half - width, step) + 2);

  // Samples between windows are dropped and counted.
  for (std::size_t s = 0; s < seriesCount; ++s) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < times[s].size(); ++i) {
      const int64_t t = times[s][i] - axisOrigin;
      const int64_t highest = std::min(FloorDivide(t + half, step), count - 1);
      const int64_t lowest = std::max<int64_t>(FloorDivide(t + half - width, step) + 1, 0);
      if (lowest > highest) {
        ++result.heldByNoWindow;
        continue;
      }
      times[s][kept] = times[s][i];
      values[s][kept] = values[s][i];
      ++kept;
    }
    times[s].resize(kept);
    values[s].resize(kept);
  }

  // One filter call a run of one day's windows.
  const int64_t perCall = (kDay + 2 * half - width) / step + 1;
  std::vector<double> minimum(static_cast<std::size_t>(perCall) + 1), maximum(minimum.size()),
      mean(minimum.size());
  std::vector<int32_t> centres(minimum.size());
  std::vector<std::vector<int32_t>> shifted(seriesCount);
  std::vector<const double*> runValues(seriesCount);
  std::vector<const int32_t*> runTimes(seriesCount);
  std::vector<int32_t> counts(seriesCount);
  std::vector<std::size_t> cursors(seriesCount, 0);
  const auto filter = [&](const double* const* v, const int32_t* const* t, int32_t n,
                          const int32_t* c) {
    return cm_filter_value_array(v, t, n, c, minimum.data(), maximum.data(), mean.data(),
                                 centres.data(), static_cast<int32_t>(width),
                                 static_cast<int32_t>(step), 0);
  };
  for (int64_t first = 0; first < count; first += perCall) {
    const int64_t last = std::min(count, first + perCall) - 1;
    const int64_t firstCentre = axisOrigin + first * step;
    const int64_t from = firstCentre - half;
    const int64_t to = axisOrigin + last * step - half + width;
    int64_t samples = 0;
    for (std::size_t s = 0; s < seriesCount; ++s) {
      const std::vector<int64_t>& t = times[s];
      std::size_t& low = cursors[s];
      while (low < t.size() && t[low] < from)
        ++low;
      const std::size_t high = static_cast<std::size_t>(
          std::lower_bound(t.begin() + static_cast<std::ptrdiff_t>(low), t.end(), to) - t.begin());
      shifted[s].resize(high - low);
      for (std::size_t i = low; i < high; ++i)
        shifted[s][i - low] = static_cast<int32_t>(t[i] - firstCentre);
      runValues[s] = values[s].data() + low;
      runTimes[s] = shifted[s].data();
      counts[s] = static_cast<int32_t>(high - low);
      samples += counts[s];
    }
    std::vector<double> averages;
    if (eachSeries) {
      averages.assign(static_cast<std::size_t>(last - first + 1) * seriesCount, kNaN);
      for (std::size_t s = 0; s < seriesCount; ++s) {
        if (counts[s] == 0) continue;
        const int32_t written = filter(&runValues[s], &runTimes[s], 1, &counts[s]);
        for (int32_t i = 0; i < written; ++i) {
          const int64_t k = centres[static_cast<std::size_t>(i)] / step;
          if (k > last - first) break;
          averages[static_cast<std::size_t>(k) * seriesCount + s] =
              mean[static_cast<std::size_t>(i)];
        }
      }
    }
    const auto add = [&](int64_t k, const double* row) {
      Row window{axisOrigin + k * step, 0, 0, 0, row != nullptr ? 1 : 0, 0, {}};
      if (row != nullptr) {
        window.minimum = row[0];
        window.maximum = row[1];
        window.mean = row[2];
      }
      if (eachSeries) {
        const auto at = averages.begin() + static_cast<std::ptrdiff_t>(
                                               static_cast<std::size_t>(k - first) * seriesCount);
        window.averages.assign(at, at + static_cast<std::ptrdiff_t>(seriesCount));
      }
      result.rows.push_back(window);
    };
    const int32_t written =
        samples > 0 ? filter(runValues.data(), runTimes.data(), log.series, counts.data()) : 0;
    int64_t next = first;
    for (int32_t i = 0; i < written; ++i) {
      const auto at = static_cast<std::size_t>(i);
      const int64_t k = first + centres[at] / step;
      if (k > last) break;
      for (; keepEmpty && next < k; ++next)
        add(next, nullptr);
      const double row[] = {minimum[at], maximum[at], mean[at]};
      add(k, row);
      next = k + 1;
    }
    for (; keepEmpty && next <= last; ++next)
      add(next, nullptr);
  }
  return result;
}

// --- The reducer.

struct Settings {
  const char* name;
  int64_t width;
  int64_t step;
};

std::string Describe(const Settings& settings, uint32_t flags) {
  return std::string(settings.name) + ((flags & kEmpty) != 0 ? " +empty" : "") +
         ((flags & kAverages) != 0 ? " +averages" : "");
}

cm_reducer_counts CountsOf(const cm_reducer* reducer) {
  cm_reducer_counts counts;
  std::memset(&counts, 0x5A, sizeof counts);
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_get_counts(reducer, &counts));
  return counts;
}

bool SameCounts(const cm_reducer_counts& a, const cm_reducer_counts& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

class Reducer {
 public:
  Reducer(int64_t width, int64_t step, int32_t series, uint32_t flags)
      : series_(series), averages_((flags & kAverages) != 0) {
    EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_create(width, step, series, flags, &handle_));
  }
  Reducer(const Reducer&) = delete;
  Reducer& operator=(const Reducer&) = delete;
  ~Reducer() { cm_reducer_destroy(handle_); }

  cm_reducer* get() const { return handle_; }
  cm_reducer_counts Counts() const { return CountsOf(handle_); }

  int32_t Push(int s, const std::vector<int64_t>& times, const std::vector<double>& values) {
    return cm_reducer_push(handle_, s, times.empty() ? nullptr : times.data(),
                           values.empty() ? nullptr : values.data(),
                           static_cast<int32_t>(times.size()));
  }

  // Takes every waiting window, `capacity` at a time, onto `rows`; how many.
  std::size_t TakeAll(int32_t capacity, std::vector<Row>& rows) {
    std::vector<cm_window> windows(static_cast<std::size_t>(capacity));
    std::vector<double> averages(static_cast<std::size_t>(capacity * series_));
    std::size_t taken = 0;
    for (;;) {
      const int32_t written =
          cm_reducer_take(handle_, windows.data(), averages_ ? averages.data() : nullptr, capacity);
      EXPECT_GE(written, 0);
      EXPECT_LE(written, capacity);
      if (written <= 0) return taken;
      for (int32_t i = 0; i < written; ++i) {
        const cm_window& w = windows[static_cast<std::size_t>(i)];
        Row row{w.centre, w.minimum, w.maximum, w.mean, w.has_data, w.reserved, {}};
        if (averages_) {
          const auto at = averages.begin() + static_cast<std::ptrdiff_t>(i * series_);
          row.averages.assign(at, at + series_);
        }
        rows.push_back(row);
      }
      taken += static_cast<std::size_t>(written);
    }
  }

 private:
  cm_reducer* handle_ = nullptr;
  int32_t series_;
  bool averages_;
};

// Every series pushed whole, one after the other, then the finish.
Reduction ReduceWhole(const Log& log, int64_t width, int64_t step, uint32_t flags,
                      cm_reducer_counts* counts = nullptr) {
  Reducer reducer(width, step, log.series, flags);
  for (int s = 0; s < log.series; ++s)
    EXPECT_EQ(CORVIXMATH_REDUCER_OK, reducer.Push(s, log.TimesOf(s), log.ValuesOf(s)));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  Reduction result;
  reducer.TakeAll(4096, result.rows);
  const cm_reducer_counts finalCounts = reducer.Counts();
  result.heldByNoWindow = finalCounts.samples_held_by_no_window;
  if (counts != nullptr) *counts = finalCounts;
  return result;
}

// Rows read as a CSV reader reads them: `rowsPerPush` rows, then one push a series (of what
// those rows hold, possibly nothing), an advance to the last row's time if asked, and the
// windows taken `capacity` at a time if asked.
struct Feeding {
  std::size_t rowsPerPush;
  bool advance;
  bool takeBetween;
  int32_t capacity;
};

Reduction ReduceByRows(const Log& log, int64_t width, int64_t step, uint32_t flags,
                       const Feeding& feeding) {
  Reducer reducer(width, step, log.series, flags);
  Reduction result;
  for (std::size_t from = 0; from < log.times.size(); from += feeding.rowsPerPush) {
    const std::size_t to = std::min(log.times.size(), from + feeding.rowsPerPush);
    for (int s = 0; s < log.series; ++s)
      EXPECT_EQ(CORVIXMATH_REDUCER_OK,
                reducer.Push(s, log.TimesOf(s, from, to), log.ValuesOf(s, from, to)));
    if (feeding.advance) {
      EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(reducer.get(), log.times[to - 1]));
    }
    if (feeding.takeBetween) reducer.TakeAll(feeding.capacity, result.rows);
  }
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  reducer.TakeAll(feeding.capacity, result.rows);
  result.heldByNoWindow = reducer.Counts().samples_held_by_no_window;
  return result;
}

const LogShape kLogs[] = {
    {"one series, one undated day", 1, 1, 0, 97, false, false, false, 11},
    {"three series, three dated days, a day without rows", 3, 3, 1700000000, 240, true, true, true,
     12},
    {"32 series, eight days before and after 0", 32, 8, -3 * kDay - 7000, 900, true, true, true,
     13},
    {"three series, eight days up to the time limit", 3, 8, kTimeLimit - 8 * kDay, 1200, false,
     true, false, 14},
    {"three series from the lowest time", 3, 3, -kTimeLimit, 1500, false, false, true, 15},
    {"one series, sparse rows", 1, 3, 5 * kDay + 1, 9000, false, false, false, 16},
    {"three series on window bounds", 3, 3, 0, 400, false, true, true, 17, true},
    {"32 series on window bounds, dated", 32, 2, 1700000000 - 100, 200, false, false, true, 18,
     true},
};

const Settings kSettings[] = {
    {"1h/1h", kHour, kHour},
    {"15m/5m", 900, 300},
    {"1h/2h", kHour, 2 * kHour},
    {"3601/600", 3601, 600},
    {"2d/1d", 2 * kDay, kDay},
    {"7h/7h", 7 * kHour, 7 * kHour},
    {"3h/7h", 3 * kHour, 7 * kHour},
    {"1s/1m", 1, 60},
    {"longest/1d", CORVIXMATH_REDUCER_LONGEST_SECONDS, kDay},
    {"1m/longest", 60, CORVIXMATH_REDUCER_LONGEST_SECONDS},
};

const uint32_t kFlags[] = {0, kEmpty, kAverages, kEmpty | kAverages};

// --- Against the batch reduction.

TEST(ReducerAgainstBatch, EveryLogAndWindowShapeGivesTheBatchRowsToTheBit) {
  int64_t droppedSomewhere = 0, emptyRows = 0, rows = 0;
  for (const LogShape& shape : kLogs) {
    const Log log = MakeLog(shape);
    ASSERT_GT(log.Samples(), 0) << shape.name;
    for (const Settings& settings : kSettings) {
      for (uint32_t flags : kFlags) {
        SCOPED_TRACE(std::string(shape.name) + ", " + Describe(settings, flags));
        const Reduction expected = BatchReduce(log, settings.width, settings.step, flags);
        cm_reducer_counts counts;
        const Reduction actual = ReduceWhole(log, settings.width, settings.step, flags, &counts);
        EXPECT_TRUE(SameRows(expected.rows, actual.rows));
        EXPECT_EQ(expected.heldByNoWindow, counts.samples_held_by_no_window);
        EXPECT_EQ(log.Samples(), counts.samples_taken);
        EXPECT_EQ(0, counts.samples_open);
        EXPECT_EQ(0, counts.windows_waiting);
        EXPECT_EQ(static_cast<int64_t>(actual.rows.size()), counts.windows_reduced);
        EXPECT_EQ(0, counts.refused_windows);
        if (settings.step <= settings.width) {
          EXPECT_EQ(0, expected.heldByNoWindow);
        }
        droppedSomewhere += expected.heldByNoWindow;
        rows += static_cast<int64_t>(expected.rows.size());
        for (const Row& row : expected.rows)
          emptyRows += row.hasData == 0 ? 1 : 0;
      }
    }
  }
  // The cases reach what they are meant to reach.
  EXPECT_GT(droppedSomewhere, 0);
  EXPECT_GT(emptyRows, 0);
  EXPECT_GT(rows, 10000);
}

// One day of undated samples gives the one-day filter's own entries.
TEST(ReducerAgainstBatch, OneUndatedDayIsOneFilterCall) {
  const double values[] = {1.0, 3.0, 10.0, 20.0, 7.0};
  const int64_t times[] = {0, 100, 3600, 3700, 7300};
  Reducer reducer(kHour, kHour, 1, 0);
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 0, times, values, 5));
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  std::vector<Row> rows;
  reducer.TakeAll(10, rows);
  ASSERT_EQ(3u, rows.size());
  const double expected[3] = {2.0, 15.0, 7.0};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(static_cast<int64_t>(i) * kHour, rows[i].centre);
    EXPECT_EQ(expected[i], rows[i].mean);
    EXPECT_EQ(1, rows[i].hasData);
  }
}

// --- However the samples come and the windows go.

TEST(ReducerPushSizes, AnyPushSizeAdvanceAndTakeGiveTheSameRows) {
  const Settings settings[] = {kSettings[1], kSettings[2], kSettings[3], kSettings[4],
                               kSettings[5]};
  for (const LogShape& shape : {kLogs[1], kLogs[2]}) {
    const Log log = MakeLog(shape);
    for (const Settings& s : settings) {
      const uint32_t flags = kEmpty | kAverages;
      SCOPED_TRACE(std::string(shape.name) + ", " + Describe(s, flags));
      const Reduction expected = BatchReduce(log, s.width, s.step, flags);
      for (std::size_t rowsPerPush : {std::size_t{1}, std::size_t{2}, std::size_t{3},
                                      std::size_t{7}, std::size_t{64}, log.times.size()}) {
        for (const Feeding& feeding :
             {Feeding{rowsPerPush, false, true, 1}, Feeding{rowsPerPush, true, true, 5},
              Feeding{rowsPerPush, true, false, 4096}}) {
          SCOPED_TRACE(std::to_string(rowsPerPush) + " rows a push, advance " +
                       std::to_string(feeding.advance) + ", capacity " +
                       std::to_string(feeding.capacity));
          const Reduction actual = ReduceByRows(log, s.width, s.step, flags, feeding);
          EXPECT_TRUE(SameRows(expected.rows, actual.rows));
          EXPECT_EQ(expected.heldByNoWindow, actual.heldByNoWindow);
        }
      }
    }
  }
}

// With and without the flags, a push a row: the least favourable feeding of them all.
TEST(ReducerPushSizes, RowByRowEveryFlagAndShape) {
  const Log log = MakeLog(kLogs[1]);
  for (const Settings& s : kSettings) {
    for (uint32_t flags : kFlags) {
      SCOPED_TRACE(Describe(s, flags));
      const Reduction expected = BatchReduce(log, s.width, s.step, flags);
      const Reduction actual =
          ReduceByRows(log, s.width, s.step, flags, Feeding{1, false, true, 3});
      EXPECT_TRUE(SameRows(expected.rows, actual.rows));
      EXPECT_EQ(expected.heldByNoWindow, actual.heldByNoWindow);
    }
  }
}

// --- Streaming.

TEST(ReducerStreaming, WindowsComeOutBeforeTheFinish) {
  const LogShape shape{"five days", 3, 5, 0, 300, false, false, false, 21};
  const Log log = MakeLog(shape);
  const Reduction expected = BatchReduce(log, kHour, kHour, kEmpty);
  Reducer reducer(kHour, kHour, 3, kEmpty);
  const std::size_t threeDays = static_cast<std::size_t>(
      std::lower_bound(log.times.begin(), log.times.end(), 3 * kDay) - log.times.begin());
  for (int s = 0; s < 3; ++s)
    ASSERT_EQ(CORVIXMATH_REDUCER_OK,
              reducer.Push(s, log.TimesOf(s, 0, threeDays), log.ValuesOf(s, 0, threeDays)));
  const cm_reducer_counts counts = reducer.Counts();
  EXPECT_GT(counts.windows_waiting, 0);
  std::vector<Row> rows;
  reducer.TakeAll(7, rows);
  // At least the first two days' windows, all final: a prefix of the whole log's rows.
  ASSERT_GE(rows.size(), 48u);
  ASSERT_LE(rows.size(), expected.rows.size());
  EXPECT_TRUE(
      SameRows(std::vector<Row>(expected.rows.begin(),
                                expected.rows.begin() + static_cast<std::ptrdiff_t>(rows.size())),
               rows));
  EXPECT_EQ(0, reducer.Counts().windows_waiting);
  for (int s = 0; s < 3; ++s)
    ASSERT_EQ(CORVIXMATH_REDUCER_OK,
              reducer.Push(s, log.TimesOf(s, threeDays), log.ValuesOf(s, threeDays)));
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  reducer.TakeAll(7, rows);
  EXPECT_TRUE(SameRows(expected.rows, rows));
}

// A series without samples holds every window back until an advance says it has none there.
TEST(ReducerStreaming, AnAdvanceReleasesWindowsASilentSeriesHoldsBack) {
  const LogShape shape{"two days", 2, 2, 0, 300, false, false, false, 22};
  Log log = MakeLog(shape);
  for (auto& row : log.cells)
    row[1] = kNaN;
  Reducer reducer(kHour, kHour, 2, 0);
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, reducer.Push(0, log.TimesOf(0), log.ValuesOf(0)));
  EXPECT_EQ(0, reducer.Counts().windows_reduced);
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(reducer.get(), log.times.back()));
  EXPECT_GE(reducer.Counts().windows_reduced, 24);
  std::vector<Row> rows;
  reducer.TakeAll(5, rows);
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  reducer.TakeAll(5, rows);
  EXPECT_TRUE(SameRows(BatchReduce(log, kHour, kHour, 0).rows, rows));
}

// The samples held follow the width, not the length of the log: after each hour pushed, the
// reducer holds no sample older than the width, the step and the hour of windows it reduces at
// a time (plus one hour's slack for the windows still waiting on that hour) before the newest.
TEST(ReducerStreaming, SamplesHeldStayWithinTheWidthAndAnHour) {
  const LogShape shape{"ten days", 3, 10, 2 * kDay, 60, false, false, true, 23};
  const Log log = MakeLog(shape);
  for (const Settings& s : {kSettings[0], kSettings[1], kSettings[3], kSettings[4]}) {
    SCOPED_TRACE(s.name);
    Reducer reducer(s.width, s.step, 3, kAverages);
    std::vector<Row> rows;
    int64_t mostOpen = 0;
    std::size_t from = 0;
    for (int64_t pushedTo = 2 * kDay + kHour; from < log.times.size(); pushedTo += kHour) {
      const std::size_t to = static_cast<std::size_t>(
          std::lower_bound(log.times.begin(), log.times.end(), pushedTo) - log.times.begin());
      for (int si = 0; si < 3; ++si)
        ASSERT_EQ(CORVIXMATH_REDUCER_OK,
                  reducer.Push(si, log.TimesOf(si, from, to), log.ValuesOf(si, from, to)));
      const int64_t heldFrom = pushedTo - s.width - s.step - 2 * kHour;
      const std::size_t held = static_cast<std::size_t>(
          std::lower_bound(log.times.begin(), log.times.end(), heldFrom) - log.times.begin());
      int64_t mayHold = 0;
      for (int si = 0; si < 3; ++si)
        mayHold += static_cast<int64_t>(log.TimesOf(si, held, to).size());
      const cm_reducer_counts counts = reducer.Counts();
      mostOpen = std::max(mostOpen, counts.samples_open);
      ASSERT_LE(counts.samples_open, mayHold) << "pushed up to " << pushedTo;
      reducer.TakeAll(64, rows);
      from = to;
    }
    EXPECT_GT(mostOpen, 0);
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    reducer.TakeAll(64, rows);
    EXPECT_TRUE(SameRows(BatchReduce(log, s.width, s.step, kAverages).rows, rows));
  }
}

// --- The origin set before the first sample.

TEST(ReducerStartAt, AnEarlierOriginGivesTheBatchRowsOfThatAxis) {
  const Log log = MakeLog(kLogs[1]);
  const int64_t origin = log.times.front() - 2 * kDay + 5;
  for (const Settings& s : {kSettings[0], kSettings[3], kSettings[5], kSettings[6]}) {
    for (uint32_t flags : {0U, kEmpty | kAverages}) {
      SCOPED_TRACE(Describe(s, flags));
      const Reduction expected = BatchReduce(log, s.width, s.step, flags, &origin);
      Reducer reducer(s.width, s.step, log.series, flags);
      ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_start_at(reducer.get(), origin));
      for (int si = 0; si < log.series; ++si)
        ASSERT_EQ(CORVIXMATH_REDUCER_OK, reducer.Push(si, log.TimesOf(si), log.ValuesOf(si)));
      ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
      std::vector<Row> rows;
      reducer.TakeAll(100, rows);
      EXPECT_TRUE(SameRows(expected.rows, rows));
      EXPECT_EQ(expected.heldByNoWindow, reducer.Counts().samples_held_by_no_window);
    }
  }
}

// Reducers over one day each, with the samples its windows need from the days around it and
// the whole log's origin, give the whole log's windows of that day.
TEST(ReducerStartAt, ReducersOverDaysGiveTheWholeLogsWindows) {
  const LogShape shape{"six days", 3, 6, 1700000000, 600, true, false, true, 31};
  const Log log = MakeLog(shape);
  const int64_t firstDay = MidnightOf(log.times.front());
  const int64_t lastDay = MidnightOf(log.times.back());
  for (const Settings& s : {kSettings[0], kSettings[1], kSettings[3], kSettings[4], kSettings[5]}) {
    for (uint32_t flags : {0U, kEmpty | kAverages}) {
      SCOPED_TRACE(Describe(s, flags));
      const Reduction whole = BatchReduce(log, s.width, s.step, flags);
      std::vector<Row> joined;
      for (int64_t day = firstDay; day <= lastDay; day += kDay) {
        Reducer part(s.width, s.step, log.series, flags);
        ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_start_at(part.get(), log.times.front()));
        const auto rowAt = [&](int64_t time) {
          return static_cast<std::size_t>(
              std::lower_bound(log.times.begin(), log.times.end(), time) - log.times.begin());
        };
        const std::size_t from = rowAt(day - s.width), to = rowAt(day + kDay + s.width);
        for (int si = 0; si < log.series; ++si)
          ASSERT_EQ(CORVIXMATH_REDUCER_OK,
                    part.Push(si, log.TimesOf(si, from, to), log.ValuesOf(si, from, to)));
        ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(part.get()));
        std::vector<Row> rows;
        part.TakeAll(100, rows);
        // The last day also gives the whole axis' windows from its end on.
        for (const Row& row : rows)
          if (row.centre >= day && (row.centre < day + kDay || day == lastDay))
            joined.push_back(row);
      }
      EXPECT_TRUE(SameRows(whole.rows, joined));
    }
  }
}

TEST(ReducerStartAt, SamplesBeforeTheOriginsMidnightAreRefused) {
  Reducer reducer(kHour, kHour, 2, 0);
  const int64_t midnight = 3 * kDay;
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_start_at(reducer.get(), midnight + 5000));
  const double value = 1.0;
  const int64_t before = midnight - 1, atMidnight = midnight;
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK,
            cm_reducer_push(reducer.get(), 1, &before, &value, 1));
  EXPECT_EQ(0, reducer.Counts().samples_taken);
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 1, &atMidnight, &value, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_advance(reducer.get(), midnight - 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_ALREADY_STARTED, cm_reducer_start_at(reducer.get(), 0));
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  std::vector<Row> rows;
  reducer.TakeAll(100, rows);
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ(midnight, rows[0].centre);
}

TEST(ReducerStartAt, OnlyBeforeTheFirstSampleOrAdvanceAndOnce) {
  const double value = 1.0;
  const int64_t time = 100;
  {
    Reducer reducer(kHour, kHour, 1, 0);
    EXPECT_EQ(CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE,
              cm_reducer_start_at(reducer.get(), kTimeLimit + 1));
    EXPECT_EQ(CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE, cm_reducer_start_at(reducer.get(), INT64_MIN));
    EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_start_at(reducer.get(), -kTimeLimit));
    EXPECT_EQ(CORVIXMATH_REDUCER_ALREADY_STARTED, cm_reducer_start_at(reducer.get(), 0));
  }
  {
    Reducer reducer(kHour, kHour, 1, 0);
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 0, &time, &value, 1));
    EXPECT_EQ(CORVIXMATH_REDUCER_ALREADY_STARTED, cm_reducer_start_at(reducer.get(), 0));
  }
  {
    Reducer reducer(kHour, kHour, 1, 0);
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(reducer.get(), 0));
    EXPECT_EQ(CORVIXMATH_REDUCER_ALREADY_STARTED, cm_reducer_start_at(reducer.get(), 0));
  }
  {
    Reducer reducer(kHour, kHour, 1, 0);
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    EXPECT_EQ(CORVIXMATH_REDUCER_ALREADY_STARTED, cm_reducer_start_at(reducer.get(), 0));
  }
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_start_at(nullptr, 0));
}

// --- Errors: each refused call changes nothing.

TEST(ReducerErrors, CreateRefusesBadSettingsAndLeavesNoHandle) {
  const int64_t longest = CORVIXMATH_REDUCER_LONGEST_SECONDS;
  const struct {
    int64_t width, step;
    int32_t series;
    uint32_t flags;
    int32_t code;
  } cases[] = {
      {0, kHour, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {-1, kHour, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {INT64_MIN, kHour, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {longest + 1, kHour, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, 0, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, -kHour, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, longest + 1, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, INT64_MAX, 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, kHour, 0, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, kHour, -1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, kHour, CORVIXMATH_MAX_SERIES + 1, 0, CORVIXMATH_REDUCER_BAD_SIZE},
      {kHour, kHour, 1, 0x4, CORVIXMATH_REDUCER_BAD_FLAGS},
      {kHour, kHour, 1, 0x80000000U, CORVIXMATH_REDUCER_BAD_FLAGS},
      {1, 1, 1, 0, CORVIXMATH_REDUCER_OK},
      {longest, longest, CORVIXMATH_MAX_SERIES, kEmpty | kAverages, CORVIXMATH_REDUCER_OK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " " + std::to_string(c.step) + " " +
                 std::to_string(c.series) + " " + std::to_string(c.flags));
    int placeholder = 0;
    cm_reducer* reducer = reinterpret_cast<cm_reducer*>(&placeholder);
    EXPECT_EQ(c.code, cm_reducer_create(c.width, c.step, c.series, c.flags, &reducer));
    if (c.code == CORVIXMATH_REDUCER_OK) {
      EXPECT_NE(nullptr, reducer);
      cm_reducer_destroy(reducer);
    } else {
      EXPECT_EQ(nullptr, reducer);
    }
  }
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_create(kHour, kHour, 1, 0, nullptr));
}

TEST(ReducerErrors, NullHandleIsRefusedEverywhere) {
  const int64_t time = 0;
  const double value = 1.0;
  cm_window window;
  cm_reducer_counts counts;
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_push(nullptr, 0, &time, &value, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_advance(nullptr, 0));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_finish(nullptr));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_take(nullptr, &window, nullptr, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_get_counts(nullptr, &counts));
  cm_reducer_destroy(nullptr);
  Reducer reducer(kHour, kHour, 1, 0);
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_get_counts(reducer.get(), nullptr));
}

// Each bad push is refused with its code and takes none of its samples, though the bad one is
// its last: counts stay, and the rows are those of the log without it.
TEST(ReducerErrors, ARefusedPushTakesNoneOfItsSamples) {
  const LogShape shape{"three days", 3, 3, 1700000000, 400, false, false, true, 41};
  const Log log = MakeLog(shape);
  const int64_t width = 900, step = 300;
  const uint32_t flags = kEmpty | kAverages;
  Reducer reducer(width, step, log.series, flags);
  std::vector<Row> rows;
  int refusals = 0;
  const std::size_t rowsPerPush = 50;
  for (std::size_t from = 0; from < log.times.size(); from += rowsPerPush) {
    const std::size_t to = std::min(log.times.size(), from + rowsPerPush);
    for (int s = 0; s < log.series; ++s) {
      const std::vector<int64_t> times = log.TimesOf(s, from, to);
      const std::vector<double> values = log.ValuesOf(s, from, to);
      if (times.empty()) continue;
      const int64_t last = times.back();
      const struct {
        const char* what;
        int64_t time;
        double value;
        int32_t code;
      } bad[] = {
          {"NaN", last, kNaN, CORVIXMATH_REDUCER_NOT_FINITE},
          {"infinity", last, std::numeric_limits<double>::infinity(),
           CORVIXMATH_REDUCER_NOT_FINITE},
          {"minus infinity", last, -std::numeric_limits<double>::infinity(),
           CORVIXMATH_REDUCER_NOT_FINITE},
          {"time back", last - 1, 1.0, CORVIXMATH_REDUCER_TIME_GOES_BACK},
          {"time beyond the limit", kTimeLimit + 1, 1.0, CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE},
          {"time far beyond the limit", INT64_MAX, 1.0, CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE},
          {"too many windows", last + 400000 * kDay, 1.0, CORVIXMATH_REDUCER_TOO_MANY_WINDOWS},
      };
      const auto& b = bad[static_cast<std::size_t>(refusals) % (sizeof bad / sizeof bad[0])];
      SCOPED_TRACE(b.what);
      std::vector<int64_t> badTimes = times;
      std::vector<double> badValues = values;
      badTimes.push_back(b.time);
      badValues.push_back(b.value);
      const cm_reducer_counts before = reducer.Counts();
      EXPECT_EQ(b.code, reducer.Push(s, badTimes, badValues));
      cm_reducer_counts after = reducer.Counts();
      if (b.code == CORVIXMATH_REDUCER_TOO_MANY_WINDOWS) {
        EXPECT_GT(after.refused_windows, CORVIXMATH_REDUCER_MOST_WINDOWS);
        after.refused_windows = before.refused_windows;
      }
      EXPECT_TRUE(SameCounts(before, after));
      ++refusals;
      ASSERT_EQ(CORVIXMATH_REDUCER_OK, reducer.Push(s, times, values));
      EXPECT_EQ(0, reducer.Counts().refused_windows);
      // A push that starts before the series' last time goes back as a whole.
      const std::vector<int64_t> again{last - 1, last + 1};
      EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, reducer.Push(s, again, {1.0, 2.0}));
    }
    reducer.TakeAll(5, rows);
  }
  EXPECT_GE(refusals, 14);
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  reducer.TakeAll(5, rows);
  EXPECT_TRUE(SameRows(BatchReduce(log, width, step, flags).rows, rows));
  EXPECT_EQ(log.Samples(), reducer.Counts().samples_taken);
}

TEST(ReducerErrors, PushArgumentsAndTimeOrder) {
  Reducer reducer(kHour, kHour, 3, 0);
  cm_reducer* r = reducer.get();
  const int64_t times[] = {100, 100, 200};
  const double values[] = {1.0, 2.0, 3.0};
  EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SERIES, cm_reducer_push(r, -1, times, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SERIES, cm_reducer_push(r, 3, times, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SERIES, cm_reducer_push(r, INT32_MIN, times, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SIZE, cm_reducer_push(r, 0, times, values, -1));
  EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SIZE, cm_reducer_push(r, 0, times, values, INT32_MIN));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_push(r, 0, nullptr, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_push(r, 0, times, nullptr, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, nullptr, nullptr, 0));
  EXPECT_EQ(0, reducer.Counts().samples_taken);

  // Equal times pass; a time before the series' last, within a push or across, does not.
  const int64_t backwards[] = {200, 199};
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_push(r, 0, backwards, values, 2));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, times, values, 3));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_push(r, 0, times, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, times + 2, values, 1));
  // Another series has its own order: 100 is not back for it.
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 1, times, values, 1));
  EXPECT_EQ(5, reducer.Counts().samples_taken);

  // After an advance no series may go before it, one without samples either.
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(r, 500));
  const int64_t early = 499, onTime = 500;
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_push(r, 2, &early, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_push(r, 1, &early, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 2, &onTime, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_GOES_BACK, cm_reducer_advance(r, 499));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(r, 500));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE, cm_reducer_advance(r, kTimeLimit + 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE, cm_reducer_advance(r, INT64_MIN));
  EXPECT_EQ(6, reducer.Counts().samples_taken);
}

TEST(ReducerErrors, TimesWithinTheLimitPassAndBeyondItDoNot) {
  const double values[] = {1.0, 2.0};
  for (int64_t edge : {-kTimeLimit, kTimeLimit}) {
    SCOPED_TRACE(edge);
    Reducer reducer(kHour, kHour, 1, 0);
    const int64_t outside = edge < 0 ? edge - 1 : edge + 1;
    EXPECT_EQ(CORVIXMATH_REDUCER_TIME_OUT_OF_RANGE,
              cm_reducer_push(reducer.get(), 0, &outside, values, 1));
    EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 0, &edge, values, 1));
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    std::vector<Row> rows;
    reducer.TakeAll(4, rows);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(FloorDivide(edge + kHour / 2, kHour) * kHour, rows[0].centre);
  }
}

// The axis of 1 s windows holds at most CORVIXMATH_REDUCER_MOST_WINDOWS: from midnight 0 to
// the midnight after the last sample's day.
TEST(ReducerErrors, TooManyWindowsIsRefusedWithTheirNumber) {
  const int64_t mostDays = CORVIXMATH_REDUCER_MOST_WINDOWS / kDay;
  const double values[] = {1.0, 2.0};
  // Two series, so that nothing is reduced while the second one is silent.
  Reducer reducer(1, 1, 2, 0);
  const int64_t lastFitting = mostDays * kDay - 1, firstRefused = mostDays * kDay;
  const int64_t start = 0;
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 0, &start, values, 1));
  const int64_t refused[] = {5, firstRefused};
  EXPECT_EQ(CORVIXMATH_REDUCER_TOO_MANY_WINDOWS,
            cm_reducer_push(reducer.get(), 0, refused, values, 2));
  EXPECT_EQ((mostDays + 1) * kDay, reducer.Counts().refused_windows);
  EXPECT_EQ(1, reducer.Counts().samples_taken);
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(reducer.get(), 0, &lastFitting, values, 1));
  EXPECT_EQ(0, reducer.Counts().refused_windows);
  // An earlier first sample in another series moves the origin back a day: too many again.
  const int64_t dayBefore = -1;
  EXPECT_EQ(CORVIXMATH_REDUCER_TOO_MANY_WINDOWS,
            cm_reducer_push(reducer.get(), 1, &dayBefore, values, 1));
  EXPECT_EQ((mostDays + 1) * kDay, reducer.Counts().refused_windows);
  EXPECT_EQ(2, reducer.Counts().samples_taken);
}

TEST(ReducerErrors, AfterTheFinish) {
  Reducer reducer(kHour, kHour, 1, kAverages);
  cm_reducer* r = reducer.get();
  const int64_t times[] = {0, 4000};
  const double values[] = {1.0, 2.0};
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, times, values, 1));
  ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(r));
  const cm_reducer_counts finished = reducer.Counts();
  EXPECT_EQ(CORVIXMATH_REDUCER_FINISHED, cm_reducer_push(r, 0, times + 1, values, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_FINISHED, cm_reducer_push(r, 0, nullptr, nullptr, 0));
  EXPECT_EQ(CORVIXMATH_REDUCER_FINISHED, cm_reducer_advance(r, 5000));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(r));
  EXPECT_TRUE(SameCounts(finished, reducer.Counts()));
  cm_window window;
  double average = 0;
  EXPECT_EQ(1, cm_reducer_take(r, &window, &average, 1));
  EXPECT_EQ(1.0, average);
  EXPECT_EQ(0, cm_reducer_take(r, &window, &average, 1));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(r));
  EXPECT_EQ(0, cm_reducer_take(r, &window, &average, 1));
  EXPECT_EQ(1, reducer.Counts().windows_reduced);
}

// Finishing twice reduces nothing again and counts no sample twice.
TEST(ReducerErrors, FinishTwiceIsHarmless) {
  const Log log = MakeLog(kLogs[1]);
  for (const Settings& s : {kSettings[2], kSettings[3], kSettings[6]}) {
    SCOPED_TRACE(s.name);
    Reducer reducer(s.width, s.step, log.series, kEmpty);
    for (int si = 0; si < log.series; ++si)
      ASSERT_EQ(CORVIXMATH_REDUCER_OK, reducer.Push(si, log.TimesOf(si), log.ValuesOf(si)));
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    const cm_reducer_counts once = reducer.Counts();
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    EXPECT_TRUE(SameCounts(once, reducer.Counts()));
    std::vector<Row> rows;
    reducer.TakeAll(9, rows);
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    EXPECT_EQ(0u, reducer.TakeAll(9, rows));
    const Reduction expected = BatchReduce(log, s.width, s.step, kEmpty);
    EXPECT_TRUE(SameRows(expected.rows, rows));
    EXPECT_EQ(expected.heldByNoWindow, reducer.Counts().samples_held_by_no_window);
  }
}

TEST(ReducerErrors, TakeArguments) {
  const int64_t times[] = {0, 3600, 7200};
  const double values[] = {1.0, 2.0, 3.0};
  cm_window windows[3];
  double averages[3];
  {
    Reducer reducer(kHour, kHour, 1, 0);
    cm_reducer* r = reducer.get();
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, times, values, 3));
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(r));
    EXPECT_EQ(CORVIXMATH_REDUCER_BAD_FLAGS, cm_reducer_take(r, windows, averages, 3));
    EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SIZE, cm_reducer_take(r, windows, nullptr, -1));
    EXPECT_EQ(CORVIXMATH_REDUCER_BAD_SIZE, cm_reducer_take(r, windows, nullptr, INT32_MIN));
    EXPECT_EQ(CORVIXMATH_REDUCER_NULL_ARGUMENT, cm_reducer_take(r, nullptr, nullptr, 1));
    EXPECT_EQ(0, cm_reducer_take(r, nullptr, nullptr, 0));
    EXPECT_EQ(3, reducer.Counts().windows_waiting);
    EXPECT_EQ(3, cm_reducer_take(r, windows, nullptr, 3));
    EXPECT_EQ(2 * kHour, windows[2].centre);
  }
  {
    // With averages asked for, a null averages array takes the windows and drops theirs.
    Reducer reducer(kHour, kHour, 1, kAverages);
    cm_reducer* r = reducer.get();
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_push(r, 0, times, values, 3));
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(r));
    EXPECT_EQ(1, cm_reducer_take(r, windows, nullptr, 1));
    EXPECT_EQ(2, cm_reducer_take(r, windows, averages, 3));
    EXPECT_EQ(2.0, averages[0]);
    EXPECT_EQ(3.0, averages[1]);
    EXPECT_EQ(kHour, windows[0].centre);
  }
}

// A reducer that is never given a sample hands out nothing.
TEST(ReducerErrors, NoSampleNoWindow) {
  Reducer reducer(kHour, kHour, 2, kEmpty);
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(reducer.get(), 10 * kDay));
  EXPECT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
  cm_window window;
  EXPECT_EQ(0, cm_reducer_take(reducer.get(), &window, nullptr, 1));
  cm_reducer_counts zero;
  std::memset(&zero, 0, sizeof zero);
  EXPECT_TRUE(SameCounts(zero, reducer.Counts()));
}

// Random log and window shapes, the series pushed out of step with each other in chunks of
// random sizes, advances to the earliest time still to come, takes of random capacities, and
// now and then an origin days before the first sample.
TEST(ReducerRandomFeeding, SeriesOutOfStepGiveTheBatchRows) {
  std::mt19937_64 random(20261209);
  const auto logUniform = [&](double low, double high) {
    std::uniform_real_distribution<double> exponent(std::log(low), std::log(high));
    return static_cast<int64_t>(std::exp(exponent(random)));
  };
  const auto coin = [&] { return random() % 2 == 0; };
  for (int round = 0; round < 60; ++round) {
    const LogShape shape{"random",
                         1 + static_cast<int>(random() % 6),
                         1 + static_cast<int>(random() % 5),
                         static_cast<int64_t>(random() % 20000000000ULL) - 10000000000LL,
                         logUniform(30, 20000),
                         coin(),
                         coin(),
                         coin(),
                         static_cast<unsigned>(random()),
                         coin()};
    const int64_t width = logUniform(1, 3 * kDay);
    // At most 20000 windows: the rows, not the axis, are what is compared.
    const int64_t step = std::max(logUniform(1, 3 * kDay), shape.days * kDay / 20000 + 1);
    const uint32_t flags = static_cast<uint32_t>(random() % 4);
    const Log log = MakeLog(shape);
    const bool startAt = random() % 4 == 0;
    const int64_t origin = log.times.front() - static_cast<int64_t>(random() % (3 * kDay));
    SCOPED_TRACE("round " + std::to_string(round) + ": width " + std::to_string(width) + ", step " +
                 std::to_string(step) + ", flags " + std::to_string(flags) +
                 (startAt ? ", origin " + std::to_string(origin) : ""));
    const Reduction expected = BatchReduce(log, width, step, flags, startAt ? &origin : nullptr);

    Reducer reducer(width, step, log.series, flags);
    if (startAt) {
      ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_start_at(reducer.get(), origin));
    }
    std::vector<std::vector<int64_t>> times;
    std::vector<std::vector<double>> values;
    for (int s = 0; s < log.series; ++s) {
      times.push_back(log.TimesOf(s));
      values.push_back(log.ValuesOf(s));
    }
    std::vector<std::size_t> pushed(times.size(), 0);
    std::vector<Row> rows;
    int64_t advancedTo = INT64_MIN;
    for (;;) {
      std::vector<std::size_t> open;
      for (std::size_t s = 0; s < times.size(); ++s)
        if (pushed[s] < times[s].size()) open.push_back(s);
      if (open.empty()) break;
      const std::size_t s = open[random() % open.size()];
      const std::size_t count =
          std::min<std::size_t>(1 + random() % 300, times[s].size() - pushed[s]);
      ASSERT_EQ(CORVIXMATH_REDUCER_OK,
                cm_reducer_push(reducer.get(), static_cast<int32_t>(s), times[s].data() + pushed[s],
                                values[s].data() + pushed[s], static_cast<int32_t>(count)));
      pushed[s] += count;
      if (random() % 4 == 0) {
        int64_t earliest = INT64_MAX;
        for (std::size_t k = 0; k < times.size(); ++k)
          if (pushed[k] < times[k].size()) earliest = std::min(earliest, times[k][pushed[k]]);
        if (earliest != INT64_MAX && earliest >= advancedTo) {
          ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_advance(reducer.get(), earliest));
          advancedTo = earliest;
        }
      }
      if (random() % 3 == 0) reducer.TakeAll(static_cast<int32_t>(1 + random() % 30), rows);
    }
    ASSERT_EQ(CORVIXMATH_REDUCER_OK, cm_reducer_finish(reducer.get()));
    reducer.TakeAll(7, rows);
    EXPECT_TRUE(SameRows(expected.rows, rows));
    EXPECT_EQ(expected.heldByNoWindow, reducer.Counts().samples_held_by_no_window);
    EXPECT_EQ(log.Samples(), reducer.Counts().samples_taken);
  }
}

}  // namespace

// Time windows over sample series: window arithmetic, packed entries, forward-only cursors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kUntouched = -12345.0;
constexpr long kUntouchedCentre = -777;
constexpr long kAllSeries = std::numeric_limits<long>::min();

struct Sample {
  long time;
  double value;
};

struct Entry {
  double minimum, maximum, mean;
  long centre;
};

// Runs the filter over the series with output arrays of `capacity` entries, followed by
// guard entries that must stay untouched.
class Filter {
 public:
  explicit Filter(std::vector<std::vector<Sample>> series) {
    for (const auto& samples : series) {
      std::vector<double> values;
      std::vector<long> times;
      for (const Sample& s : samples) {
        values.push_back(s.value);
        times.push_back(s.time);
      }
      values_.push_back(values);
      times_.push_back(times);
      counts_.push_back(static_cast<long>(samples.size()));
    }
    for (std::size_t s = 0; s < values_.size(); ++s) {
      valuePointers_.push_back(values_[s].empty() ? nullptr : values_[s].data());
      timePointers_.push_back(times_[s].empty() ? nullptr : times_[s].data());
    }
  }

  long Run(long width, long step, std::size_t capacity, long seriesCount = kAllSeries) {
    const std::size_t total = capacity + kGuardEntries;
    minimum_.assign(total, kUntouched);
    maximum_.assign(total, kUntouched);
    mean_.assign(total, kUntouched);
    centres_.assign(total, kUntouchedCentre);
    capacity_ = capacity;
    if (seriesCount == kAllSeries) seriesCount = static_cast<long>(counts_.size());
    CMathOperation math;
    result_ = math.FilterValueArray(valuePointers_.data(), timePointers_.data(), seriesCount,
                                    counts_.data(), minimum_.data(), maximum_.data(), mean_.data(),
                                    centres_.data(), width, step, 0);
    return result_;
  }

  std::vector<Entry> Entries() const {
    std::vector<Entry> entries;
    for (long i = 0; i < result_; ++i)
      entries.push_back({minimum_[i], maximum_[i], mean_[i], centres_[i]});
    return entries;
  }

  std::vector<long> Centres() const {
    return std::vector<long>(centres_.begin(), centres_.begin() + result_);
  }

  // Nothing written past the result count, let alone past the capacity.
  bool NothingBeyond(std::size_t from) const {
    for (std::size_t i = from; i < minimum_.size(); ++i) {
      if (minimum_[i] != kUntouched || maximum_[i] != kUntouched || mean_[i] != kUntouched ||
          centres_[i] != kUntouchedCentre)
        return false;
    }
    return true;
  }
  bool GuardsIntact() const { return NothingBeyond(capacity_); }

 private:
  static constexpr std::size_t kGuardEntries = 8;
  std::vector<std::vector<double>> values_;
  std::vector<std::vector<long>> times_;
  std::vector<long> counts_;
  std::vector<double*> valuePointers_;
  std::vector<long*> timePointers_;
  std::vector<double> minimum_, maximum_, mean_;
  std::vector<long> centres_;
  std::size_t capacity_ = 0;
  long result_ = 0;
};

// Entries for W = S = 3600 over one day: centres 0, 3600, ..., 86400.
constexpr std::size_t kHourlyEntries = CORVIXMATH_SECONDS_PER_DAY / 3600 + 1;

void ExpectEntries(const Filter& filter, const std::vector<Entry>& expected) {
  const std::vector<Entry> actual = filter.Entries();
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actual[i].centre, expected[i].centre);
    EXPECT_EQ(actual[i].minimum, expected[i].minimum);
    EXPECT_EQ(actual[i].maximum, expected[i].maximum);
    if (std::isnan(expected[i].mean)) {
      EXPECT_TRUE(std::isnan(actual[i].mean));
    } else {
      EXPECT_EQ(actual[i].mean, expected[i].mean);
    }
  }
}

TEST(FilterValueArray, TwoSeriesHourlyWindows) {
  Filter filter(
      {{{0, 1.0}, {100, 3.0}, {3600, 10.0}, {3700, 20.0}, {7300, 7.0}}, {{50, 5.0}, {3650, 6.0}}});
  EXPECT_EQ(filter.Run(3600, 3600, kHourlyEntries), 3);
  ExpectEntries(filter, {{2.0, 5.0, 3.5, 0}, {6.0, 15.0, 10.5, 3600}, {7.0, 7.0, 7.0, 7200}});
  EXPECT_TRUE(filter.GuardsIntact());
}

TEST(FilterValueArray, DoubleWidthCountsEachSampleInTwoWindows) {
  struct Case {
    long time;
    long step;
  };
  const Case cases[] = {{0, 3600},  {1, 3600},  {3599, 3600}, {3600, 3600}, {82799, 3600},
                        {100, 900}, {86399, 1}, {43210, 7},   {5, 10},      {80000, 6400}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "t " << c.time << " S " << c.step);
    Filter filter({{{c.time, 2.5}}});
    const long first = c.time / c.step * c.step;
    EXPECT_EQ(filter.Run(2 * c.step, c.step, CORVIXMATH_SECONDS_PER_DAY / c.step + 1), 2);
    EXPECT_EQ(filter.Centres(), (std::vector<long>{first, first + c.step}));
    EXPECT_TRUE(filter.GuardsIntact());
  }
}

TEST(FilterValueArray, WindowBoundsAndLastCentre) {
  struct Case {
    long width, step, time;
    std::vector<long> centres;
  };
  const Case cases[] = {
      // The lower bound belongs to the window, the upper bound does not.
      {3600, 3600, 1800, {3600}},
      {3600, 3600, 1799, {0}},
      {3600, 3600, -1800, {0}},
      {3600, 3600, -1801, {}},
      // Even widths end with the centre 86400, odd widths with 86399.
      {2, 1, CORVIXMATH_SECONDS_PER_DAY, {CORVIXMATH_SECONDS_PER_DAY}},
      {3, 1, CORVIXMATH_SECONDS_PER_DAY, {86399}},
      {3600, 3600, 87999, {CORVIXMATH_SECONDS_PER_DAY}},
      {3600, 3600, 88199, {CORVIXMATH_SECONDS_PER_DAY}},
      {3600, 3600, 88200, {}},
      {1, 1, 86399, {86399}},
      {1, 1, CORVIXMATH_SECONDS_PER_DAY, {}},
      // Odd width: window k covers kS - 1 <= t < kS + 2.
      {3, 3, 86396, {86397}},
      {3, 3, 86399, {}},
      // Overlap by more than two windows.
      {3000, 1000, 5000, {4000, 5000, 6000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "W " << c.width << " S " << c.step << " t " << c.time);
    Filter filter({{{c.time, 1.0}}});
    EXPECT_EQ(filter.Run(c.width, c.step, CORVIXMATH_SECONDS_PER_DAY / c.step + 1),
              static_cast<long>(c.centres.size()));
    EXPECT_EQ(filter.Centres(), c.centres);
    EXPECT_TRUE(filter.GuardsIntact());
  }
}

TEST(FilterValueArray, EqualWidthAndStepTileTheDay) {
  std::vector<Sample> samples;
  for (long t = 0; t < CORVIXMATH_SECONDS_PER_DAY; t += 450)
    samples.push_back({t, static_cast<double>(t % 3600)});
  Filter filter({samples});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), static_cast<long>(kHourlyEntries));
  const std::vector<Entry> entries = filter.Entries();
  // Window 0 holds 0..1350 (averages to 675), later windows the full hour across a boundary.
  EXPECT_EQ(entries.front().mean, (0 + 450 + 900 + 1350) / 4.0);
  EXPECT_EQ(entries[1].mean, (1800 + 2250 + 2700 + 3150 + 0 + 450 + 900 + 1350) / 8.0);
  EXPECT_EQ(entries.back().centre, CORVIXMATH_SECONDS_PER_DAY);
  EXPECT_EQ(entries.back().mean, (1800 + 2250 + 2700 + 3150) / 4.0);
}

TEST(FilterValueArray, EarlySeriesLeavesLaterWindows) {
  Filter filter({{{10, 100.0}, {20, 300.0}}, {{10, 1.0}, {4000, 4.0}, {8000, 8.0}}});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 3);
  ExpectEntries(filter, {{1.0, 200.0, 100.5, 0}, {4.0, 4.0, 4.0, 3600}, {8.0, 8.0, 8.0, 7200}});
}

TEST(FilterValueArray, SumsSamplesInOrderAndSeriesInOrder) {
  // 1e16 + 1 rounds back to 1e16: in sample order the sum stays 1e16.
  Filter filter({{{0, 1e16}, {1, 1.0}, {2, 1.0}}, {{0, 1.0}}, {{0, 1.0}}});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 1);
  const double first = 1e16 / 3;
  ExpectEntries(filter, {{1.0, first, (first + 1.0 + 1.0) / 3, 0}});
}

TEST(FilterValueArray, DividesSumsByTheirCounts) {
  // Multiplying by 1/3 instead would give 0.29999999999999993 in both windows.
  Filter filter({{{0, 0.1}, {1, 0.7}, {2, 0.1}}, {{3600, 0.1}}, {{3600, 0.7}}, {{3600, 0.1}}});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 2);
  ExpectEntries(filter, {{0.3, 0.3, 0.3, 0}, {0.1, 0.7, 0.3, 3600}});
}

TEST(FilterValueArray, ReportsTheDataExtremesBeyondTheStartingValues) {
  Filter filter({{{0, 2e15}}, {{0, 3e15}}, {{3600, -4e15}}, {{7200, kNaN}}, {{7200, 5.0}}});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 3);
  ExpectEntries(filter, {{2e15, 3e15, 2.5e15, 0},
                         {-4e15, -4e15, -4e15, 3600},
                         // A NaN average is no extreme but makes the mean NaN.
                         {5.0, 5.0, kNaN, 7200}});
}

TEST(FilterValueArray, OnlyNaNAveragesKeepTheStartingValues) {
  Filter filter({{{0, kNaN}}, {{10, kNaN}}});
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 1);
  ExpectEntries(filter,
                {{CORVIXMATH_WINDOW_NO_DATA_MINIMUM, CORVIXMATH_WINDOW_NO_DATA_MAXIMUM, kNaN, 0}});
}

TEST(FilterValueArray, OnlyTheFirst32SeriesTakePart) {
  std::vector<std::vector<Sample>> series(33, std::vector<Sample>{{0, 1.0}});
  series[CORVIXMATH_MAX_SERIES] = {{0, 50.0}, {7200, 50.0}};
  Filter filter(series);
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 1);
  ExpectEntries(filter, {{1.0, 1.0, 1.0, 0}});
}

TEST(FilterValueArray, RefusesUnusableArgumentsWithoutWriting) {
  struct Case {
    long width, step, seriesCount;
  };
  const Case cases[] = {{3600, 0, 1},   {3600, -3600, 1}, {0, 3600, 1},
                        {-10, 3600, 1}, {3600, 3600, 0},  {3600, 3600, -2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "W " << c.width << " S " << c.step << " series " << c.seriesCount);
    Filter filter({{{0, 1.0}, {5000, 2.0}}});
    EXPECT_EQ(filter.Run(c.width, c.step, kHourlyEntries, c.seriesCount), 0);
    EXPECT_TRUE(filter.NothingBeyond(0));
  }
}

TEST(FilterValueArray, NullArraysGiveNothing) {
  double value = 1.0;
  long time = 0, count = 1, centre = kUntouchedCentre;
  double* values[] = {&value};
  long* times[] = {&time};
  double minimum = kUntouched, maximum = kUntouched, mean = kUntouched;
  CMathOperation math;
  EXPECT_EQ(math.FilterValueArray(nullptr, times, 1, &count, &minimum, &maximum, &mean, &centre,
                                  3600, 3600, 0),
            0);
  EXPECT_EQ(math.FilterValueArray(values, times, 1, nullptr, &minimum, &maximum, &mean, &centre,
                                  3600, 3600, 0),
            0);
  EXPECT_EQ(math.FilterValueArray(values, times, 1, &count, &minimum, nullptr, &mean, &centre, 3600,
                                  3600, 0),
            0);
  EXPECT_EQ(minimum, kUntouched);
  EXPECT_EQ(centre, kUntouchedCentre);

  // A series without arrays holds no samples.
  double* noValues[] = {nullptr, &value};
  long* noTimes[] = {nullptr, &time};
  long counts[] = {5, 1};
  EXPECT_EQ(math.FilterValueArray(noValues, noTimes, 2, counts, &minimum, &maximum, &mean, &centre,
                                  CORVIXMATH_SECONDS_PER_DAY, CORVIXMATH_SECONDS_PER_DAY, 0),
            1);
  EXPECT_EQ(mean, 1.0);
  EXPECT_EQ(centre, 0);
}

TEST(FilterValueArray, UnorderedTimesStayInsideTheOutputs) {
  Filter filter({{{80000, 1.0}, {0, 2.0}, {86000, 3.0}, {3600, 4.0}, {-5, 5.0}}});
  // The cursor never moves back: it waits at 80000 until the window that starts at 81000, so
  // the window centred at 79200 sums 80000 and 0, and the last one 86000, 3600 and -5.
  ASSERT_EQ(filter.Run(3600, 3600, kHourlyEntries), 2);
  ExpectEntries(filter, {{1.5, 1.5, 1.5, 79200}, {4.0, 4.0, 4.0, CORVIXMATH_SECONDS_PER_DAY}});
  EXPECT_TRUE(filter.NothingBeyond(2));
}

TEST(FilterValueArray, HugeStepEndsTheDay) {
  Filter filter({{{0, 1.0}, {CORVIXMATH_SECONDS_PER_DAY, 2.0}}});
  EXPECT_EQ(filter.Run(2, std::numeric_limits<long>::max(), 2), 1);
  EXPECT_EQ(filter.Centres(), std::vector<long>{0});
  EXPECT_TRUE(filter.GuardsIntact());
}

// The documented steps, one window after another, for the model test below.
std::vector<Entry> WindowByWindow(const std::vector<std::vector<Sample>>& series, long width,
                                  long step) {
  std::vector<Entry> entries;
  const long half = width / 2;
  std::vector<std::size_t> cursors(std::min<std::size_t>(series.size(), 32), 0);
  for (long lower = -half; lower + width <= half + CORVIXMATH_SECONDS_PER_DAY; lower += step) {
    double minimum = CORVIXMATH_WINDOW_NO_DATA_MINIMUM, maximum = CORVIXMATH_WINDOW_NO_DATA_MAXIMUM,
           meanSum = 0;
    bool hasExtremes = false;
    long withData = 0;
    for (std::size_t s = 0; s < cursors.size(); ++s) {
      const std::vector<Sample>& samples = series[s];
      while (cursors[s] < samples.size() && samples[cursors[s]].time < lower)
        ++cursors[s];
      double sum = 0;
      long used = 0;
      for (std::size_t j = cursors[s]; j < samples.size() && samples[j].time < lower + width;
           ++j, ++used)
        sum += samples[j].value;
      if (used == 0) continue;
      const double average = sum / static_cast<double>(used);
      meanSum += average;
      ++withData;
      if (!hasExtremes && !std::isnan(average)) {
        minimum = maximum = average;
        hasExtremes = true;
      } else if (hasExtremes) {
        if (minimum > average) minimum = average;
        if (average > maximum) maximum = average;
      }
    }
    if (withData != 0)
      entries.push_back({minimum, maximum, meanSum / static_cast<double>(withData), lower + half});
  }
  return entries;
}

// Many windows (more than are taken together), series that start late, end early, repeat
// times, hold NaN or go back in time: the entries are those of the steps taken one window at a
// time.
TEST(FilterValueArray, MatchesTheWindowByWindowSteps) {
  std::mt19937 random(20261208);
  const long kWindowings[][2] = {
      {60, 60}, {3600, 60}, {7, 5}, {600, 1800}, {CORVIXMATH_SECONDS_PER_DAY, 3600}};
  for (int trial = 0; trial < 60; ++trial) {
    std::vector<std::vector<Sample>> series(1 + random() % 34);
    for (std::vector<Sample>& samples : series) {
      long time = static_cast<long>(random() % 90000) - 2000;
      for (unsigned i = random() % 400; i > 0; --i) {
        time += static_cast<long>(random() % (random() % 4 == 0 ? 1200 : 90));
        const double value = random() % 50 == 0 ? kNaN : static_cast<double>(random() % 1000) / 7;
        // Now and then a time out of order: the cursors must carry on where they stopped.
        samples.push_back({random() % 40 == 0 ? time - 700 : time, value});
      }
    }
    const long* windowing = kWindowings[trial % 5];
    const std::vector<Entry> expected = WindowByWindow(series, windowing[0], windowing[1]);
    Filter filter(series);
    SCOPED_TRACE(::testing::Message() << "trial " << trial << ", " << series.size() << " series");
    filter.Run(windowing[0], windowing[1], CORVIXMATH_SECONDS_PER_DAY / 5 + 2);
    ExpectEntries(filter, expected);
    EXPECT_TRUE(filter.NothingBeyond(expected.size()));
  }
}

}  // namespace

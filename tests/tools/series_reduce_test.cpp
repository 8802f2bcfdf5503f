// Reducing series to windows: one day is one library call, longer axes are runs of calls.
#include <gtest/gtest.h>

#include "CMathOperation.h"
#include "series.h"
#include "tool.h"

namespace {

using corvix_tool::Series;
using corvix_tool::Window;

Series Make(const std::vector<long long>& times, const std::vector<double>& values) {
  Series series;
  series.name = "s";
  series.file = "f";
  series.times = times;
  series.values = values;
  for (std::size_t i = 0; i < times.size(); ++i)
    series.lines.push_back(static_cast<long>(i + 1));
  return series;
}

TEST(ToolSeriesReduce, OneDayGivesTheLibrarysRowsToTheBit) {
  std::vector<long> times = {0, 1800, 3600, 40000, 86399};
  std::vector<double> values = {1.5, 2.25, -3, 7, 0.1};
  std::vector<Series> series = {Make(std::vector<long long>(times.begin(), times.end()), values)};
  const std::vector<Window> windows = corvix_tool::ReduceToWindows(series, 7200, 3600);
  std::vector<double> minimum(30), maximum(30), mean(30);
  std::vector<long> centres(30);
  double* valueList[] = {values.data()};
  long* timeList[] = {times.data()};
  long counts[] = {static_cast<long>(times.size())};
  CMathOperation math;
  const long written =
      math.FilterValueArray(valueList, timeList, 1, counts, minimum.data(), maximum.data(),
                            mean.data(), centres.data(), 7200, 3600, 0);
  ASSERT_EQ(static_cast<long>(windows.size()), written);
  for (std::size_t i = 0; i < windows.size(); ++i) {
    EXPECT_EQ(windows[i].centre, centres[i]);
    EXPECT_EQ(windows[i].minimum, minimum[i]);
    EXPECT_EQ(windows[i].maximum, maximum[i]);
    EXPECT_EQ(windows[i].mean, mean[i]);
  }
}

TEST(ToolSeriesReduce, EmptyWindowsAreKeptOnlyWhenAsked) {
  std::vector<Series> series = {Make({0, 7200}, {1, 3})};
  const auto sparse = corvix_tool::ReduceToWindows(series, 3600, 3600);
  ASSERT_EQ(sparse.size(), 2u);
  EXPECT_EQ(sparse[1].centre, 7200);
  const auto all = corvix_tool::ReduceToWindows(series, 3600, 3600, true);
  ASSERT_EQ(all.size(), 25u);  // centres 0 to 24:00 of the day
  EXPECT_FALSE(all[1].hasData);
  EXPECT_TRUE(all[2].hasData);
}

TEST(ToolSeriesReduce, RefusesWhatCannotBeReduced) {
  std::vector<Series> none;
  EXPECT_TRUE(corvix_tool::ReduceToWindows(none, 60, 60).empty());
  std::vector<Series> many(CORVIXMATH_MAX_SERIES + 1, Make({0}, {1}));
  EXPECT_THROW(corvix_tool::ReduceToWindows(many, 60, 60), corvix_tool::BadInput);
  std::vector<Series> one = {Make({0}, {1})};
  EXPECT_THROW(corvix_tool::ReduceToWindows(one, 0, 60), corvix_tool::BadInput);
  // Over a hundred million windows: most would be empty.
  std::vector<Series> years = {Make({0, 1200LL * 86400}, {1, 2})};
  EXPECT_THROW(corvix_tool::ReduceToWindows(years, 1, 1), corvix_tool::BadInput);
}

}  // namespace

namespace {

// Windows that overlap or touch hold every sample, however W and S fall against midnight.
TEST(ToolSeriesReduce, WindowsThatTouchHoldEverySample) {
  const long long day = CORVIXMATH_SECONDS_PER_DAY;
  std::vector<long long> times;
  std::vector<double> values;
  for (long long t = 0; t < 40 * day; t += 5 * 3600 + 17) {
    times.push_back(t);
    values.push_back(static_cast<double>(t % 97));
  }
  const long long widths[] = {3600, day, 7 * day, 30 * day, 31 * day, 365 * day, 400 * day};
  for (long long width : widths)
    for (long long step : {width, width / 2, width / 3 + 1}) {
      std::vector<Series> series = {Make(times, values)};
      corvix_tool::Skipped skipped;
      const auto windows = corvix_tool::ReduceToWindows(series, width, step, false, &skipped);
      EXPECT_EQ(skipped.heldByNoWindow, 0) << width << " " << step;
          ASSERT_FALSE(windows.empty());
      // The last window holds the last sample.
      EXPECT_GT(windows.back().centre - width / 2 + width, times.back()) << width << " " << step;
    }
}

TEST(ToolSeriesReduce, SamplesBetweenWindowsAreCounted) {
  std::vector<Series> series = {Make({0, 70, 130, 170, 250}, {1, 2, 3, 4, 5})};
  corvix_tool::Skipped skipped;
  const auto windows = corvix_tool::ReduceToWindows(series, 60, 120, false, &skipped);
  // Windows [-30, 30), [90, 150), [210, 270): 70 and 170 fall between them.
  EXPECT_EQ(skipped.heldByNoWindow, 2);
  ASSERT_EQ(windows.size(), 3u);
  EXPECT_EQ(windows[0].mean, 1);
  EXPECT_EQ(windows[1].mean, 3);
  EXPECT_EQ(windows[2].mean, 5);
}

}  // namespace

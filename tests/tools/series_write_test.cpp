// Writing window rows: labels of centres, CSV and JSON, windows without data.
#include <gtest/gtest.h>

#include <cmath>

#include "series.h"

namespace {

using corvix_tool::Window;
using corvix_tool::WindowText;

TEST(ToolSeriesWrite, LabelsDatedAndUndatedCentres) {
  WindowText dated;
  dated.dated = true;
  EXPECT_EQ(corvix_tool::TimeLabel(1262307600, dated), "2010-01-01T01:00:00");
  dated.utc = true;
  EXPECT_EQ(corvix_tool::TimeLabel(-1, dated), "1969-12-31T23:59:59Z");
  const WindowText undated;
  EXPECT_EQ(corvix_tool::TimeLabel(86400, undated), "24:00:00");
  EXPECT_EQ(corvix_tool::TimeLabel(90000, undated), "+1d 01:00:00");
  EXPECT_EQ(corvix_tool::TimeLabel(-3600, undated), "-1d 23:00:00");
}

TEST(ToolSeriesWrite, CsvAndJsonRows) {
  const std::vector<Window> windows = {{0, 1, 2, 1.5, true, {}}, {3600, 0, 0, 0, false, {}}};
  WindowText text;
  EXPECT_EQ(corvix_tool::WindowsCsv(windows, text),
            "centre,clock,min,max,mean\n0,00:00:00,1,2,1.5\n3600,01:00:00,,,\n");
  EXPECT_EQ(corvix_tool::WindowsJson(windows, text),
            "[\n  {\"centre\": 0, \"clock\": \"00:00:00\", \"min\": 1, \"max\": 2, \"mean\": "
            "1.5},\n  {\"centre\": 3600, \"clock\": \"01:00:00\", \"min\": null, \"max\": null, "
            "\"mean\": null}\n]\n");
  text.dated = true;
  text.decimals = 2;
  EXPECT_EQ(corvix_tool::WindowsCsv({windows[0]}, text),
            "time,min,max,mean\n1970-01-01T00:00:00,1.00,2.00,1.50\n");
  EXPECT_EQ(corvix_tool::WindowsJson({}, text), "[]\n");
}

TEST(ToolSeriesWrite, EachSeriesAverageBesideTheRow) {
  const double none = std::nan("");
  const std::vector<Window> windows = {{0, 1, 2, 1.5, true, {1, 2}},
                                       {60, 3, 3, 3, true, {none, 3}}};
  WindowText text;
  text.seriesNames = {"a", "b,c"};
  EXPECT_EQ(corvix_tool::WindowsCsv(windows, text),
            "centre,clock,min,max,mean,a,\"b,c\"\n0,00:00:00,1,2,1.5,1,2\n"
            "60,00:01:00,3,3,3,,3\n");
  EXPECT_EQ(corvix_tool::WindowsJson({windows[1]}, text),
            "[\n  {\"centre\": 60, \"clock\": \"00:01:00\", \"min\": 3, \"max\": 3, \"mean\": 3, "
            "\"series\": {\"a\": null, \"b,c\": 3}}\n]\n");
  const std::vector<Window> own = corvix_tool::AveragesOf(windows, 0);
  ASSERT_EQ(own.size(), 2u);
  EXPECT_TRUE(own[0].hasData);
  EXPECT_EQ(own[0].mean, 1);
  EXPECT_FALSE(own[1].hasData);
}

}  // namespace

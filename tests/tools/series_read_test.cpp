// Reading series from CSV text: the layout the first line decides, and what bad lines cost.
#include <gtest/gtest.h>

#include <sstream>

#include "series.h"
#include "tool.h"

namespace {

using corvix_tool::ReadOptions;
using corvix_tool::SeriesSet;

SeriesSet Read(const std::string& text, const ReadOptions& options = ReadOptions()) {
  std::istringstream input(text);
  SeriesSet set;
  corvix_tool::ReadSeriesFile(input, "f", options, set);
  return set;
}

std::string ReadError(const std::string& text, const ReadOptions& options = ReadOptions()) {
  try {
    Read(text, options);
  } catch (const corvix_tool::BadInput& e) {
    return e.what();
  }
  return "";
}

TEST(ToolSeriesRead, AHeaderNamesTheSeriesAndEmptyCellsAreNoSample) {
  const SeriesSet set = Read("Time;a;b\n0;1;\n60;;20\n120;3;30\n");
  ASSERT_EQ(set.series.size(), 2u);
  EXPECT_EQ(set.series[0].name, "a");
  EXPECT_EQ(set.series[0].times, (std::vector<long long>{0, 120}));
  EXPECT_EQ(set.series[0].values, (std::vector<double>{1, 3}));
  EXPECT_EQ(set.series[0].lines, (std::vector<long>{2, 4}));
  EXPECT_EQ(set.series[1].values, (std::vector<double>{20, 30}));
  EXPECT_EQ(set.emptyCells, 2);
  EXPECT_EQ(set.samplesRead, 4);
  EXPECT_FALSE(set.dated);
}

// Tabs at the end of a row separate empty cells, as commas do; they were trimmed as blanks,
// so a tab-separated row ending in empty cells had too few columns.
TEST(ToolSeriesRead, TabsAtTheEndOfARowAreEmptyCells) {
  const struct {
    const char* text;
    long samples;
    long empty;
  } cases[] = {
      {"Time\ta\tb\n0\t1\t\n60\t\t\n120\t3\t30\n", 3, 3},
      {"Time,a,b\n0,1,\n60,,\n120,3,30\n", 3, 3},
      // Tabs at the end of every line (the header's too) make no column.
      {"Time\ta\t\n0\t1\t\n60\t2\t \r\n", 2, 0},
  };
  for (const auto& c : cases) {
    const SeriesSet set = Read(c.text);
    EXPECT_EQ(set.samplesRead, c.samples) << c.text;
    EXPECT_EQ(set.emptyCells, c.empty) << c.text;
    EXPECT_EQ(set.skipped.Total(), 0) << c.text;
  }
}

TEST(ToolSeriesRead, WithoutAHeaderSeriesAreNamedByFileAndColumn) {
  const SeriesSet set = Read("2010-01-01T00:00Z,1,2\n");
  ASSERT_EQ(set.series.size(), 2u);
  EXPECT_EQ(set.series[0].name, "f:2");
  EXPECT_EQ(set.series[1].name, "f:3");
  EXPECT_TRUE(set.dated);
  EXPECT_TRUE(set.utc);
}

TEST(ToolSeriesRead, BadLinesStopOrAreCountedByKind) {
  EXPECT_EQ(ReadError("0,1\n60,x\n"), "f:2: not a finite number: 'x'");
  EXPECT_EQ(ReadError("60,1\n0,2\n"), "f:2: times must not go back (0 after 60)");
  EXPECT_EQ(ReadError("0,1\n60,1,2\n"), "f:2: expected 2 columns, found 3: '60,1,2'");
  EXPECT_EQ(ReadError("0,1\n2010-01-01,1\n"),
            "f:2: dated and undated times cannot share one time axis");
  ReadOptions skip;
  skip.skipBad = true;
  const SeriesSet set = Read("60,1\n0,2\nx1,3\n120,4,5\n180,nan\n240,6\n", skip);
  EXPECT_EQ(set.series[0].values, (std::vector<double>{1, 6}));
  EXPECT_EQ(set.skipped.goingBack, 1);
  EXPECT_EQ(set.skipped.badLines, 3);
}

}  // namespace

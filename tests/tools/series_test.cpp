// Runs the built corvixmath tool's stats and windows on logged series: CSV forms, dated
// multi-day input on one time axis, what is skipped and why, number output and the chart.
#include <cmath>
#include <fstream>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tool_run.h"

namespace {

using namespace tool_test;

TEST(ToolSeries, StatsPrintsTheSpreadBesideThePopulationStandardDeviation) {
  ExpectCases({
      {{"stats", "-"},
       "1\n2\n# a comment\n\n3\n4\n",
       0,
       "count: 4\nminimum: 1\nmaximum: 4\naverage: 2.5\n"
       "spread sqrt(sum((x - average)^2)) / n: 0.5590169943749475\n"
       "population standard deviation sqrt(sum((x - average)^2) / n): 1.118033988749895\n"},
      {{"stats", "--decimals", "3"},
       "1\n2\n3\n",
       0,
       "count: 3\nminimum: 1.000\nmaximum: 3.000\naverage: 2.000\n"
       "spread sqrt(sum((x - average)^2)) / n: 0.471\n"
       "population standard deviation sqrt(sum((x - average)^2) / n): 0.816\n"},
      // Exact values come out exact: no six-digit rounding.
      {{"stats", "-", "--format", "csv"},
       "1234567\n0.1\n",
       0,
       "series,count,minimum,maximum,average,spread,population_standard_deviation\n"
       "<stdin>,2,0.1,1234567,617283.55,436485.3134092272,617283.4500000001\n"},
      // No data: no starting values, a reason and status 1.
      {{"stats", "-"}, "", 1, "", "corvixmath: no data\n"},
      {{"stats", "-"}, "# only a comment\n", 1, "", "corvixmath: no data\n"},
      {{"stats", "-"}, "1\nnan\n", 2, "", "corvixmath: <stdin>:2: not a finite number: 'nan'\n"},
      {{"stats", "-", "--skip-bad", "--verbose"},
       "1\nx\n3\n",
       0,
       "count: 2\nminimum: 1\nmaximum: 3\naverage: 2\n"
       "spread sqrt(sum((x - average)^2)) / n: 0.7071067811865476\n"
       "population standard deviation sqrt(sum((x - average)^2) / n): 1\n",
       "corvixmath: skipped 1: 1 bad lines or values, 0 times going back, 0 samples no window "
       "holds\ncorvixmath: read 2 samples of 1 series (0 empty cells), used 2\n"},
      // Several value columns of a file are several series, named by the header.
      {{"stats", "-", "--format", "json"},
       "time,a,\"b \"\"x\"\"\"\n0,1,10\n60,3,30\n",
       0,
       "[\n  {\"series\": \"a\", \"count\": 2, \"minimum\": 1, \"maximum\": 3, \"average\": 2, "
       "\"spread\": 0.7071067811865476, \"spread_formula\": \"sqrt(sum((x - average)^2)) / n\", "
       "\"population_standard_deviation\": 1},\n"
       "  {\"series\": \"b \\\"x\\\"\", \"count\": 2, \"minimum\": 10, \"maximum\": 30, "
       "\"average\": 20, "
       "\"spread\": 7.0710678118654755, \"spread_formula\": \"sqrt(sum((x - average)^2)) / n\", "
       "\"population_standard_deviation\": 10}\n]\n"},
  });
}

TEST(ToolSeries, ReadsTheCommonCsvForms) {
  const std::string expected =
      "time,min,max,mean\n"
      "2010-01-01T00:00:00,1,1,1\n"
      "2010-01-01T01:00:00,2,2,2\n";
  ExpectCases({
      // Header, comma, ISO date-time with T.
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "Time,Level\n2010-01-01T00:00:00,1\n2010-01-01T01:00:00,2\n",
       0,
       expected},
      // No header, semicolon, a space instead of T and no seconds, comments and blank lines.
      {{"windows", "--width", "3600", "--step", "3600", "-"},
       "# exported\n2010-01-01 00:00;1\n\n2010-01-01 01:00;2\n",
       0,
       expected},
      // Tab separated, columns chosen by number, the time in the second column.
      {{"windows", "--width", "3600", "--step", "3600", "--time", "2", "--values", "1", "-"},
       "1\t2010-01-01T00:00:00\t9\n2\t2010-01-01T01:00:00\t9\n",
       0,
       expected},
      // Columns chosen by name; a quoted header; the other value column is left out.
      {{"windows", "--width", "3600", "--step", "3600", "--time", "When", "--values", "Level", "-"},
       "\"Level\",\"Other\",\"When\"\n1,50,2010-01-01T00:00:00\n2,60,2010-01-01T01:00:00\n",
       0,
       expected},
      // A zone offset is applied: the times are UTC and so labelled.
      {{"windows", "--width", "3600", "--step", "3600", "-"},
       "2010-01-01T02:00:00+02:00,1\n2010-01-01T03:00:00+0200,2\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00Z,1,1,1\n2010-01-01T01:00:00Z,2,2,2\n"},
      {{"windows", "--width", "3600", "--step", "3600", "--format", "json", "-"},
       "2010-01-01T00:00:00,1\n2010-01-01T01:00:00,2.5\n",
       0,
       "[\n  {\"time\": \"2010-01-01T00:00:00\", \"min\": 1, \"max\": 1, \"mean\": 1},\n"
       "  {\"time\": \"2010-01-01T01:00:00\", \"min\": 2.5, \"max\": 2.5, \"mean\": 2.5}\n]\n"},
  });
}

TEST(ToolSeries, OneDayOfUndatedInputGivesTheLibrarysOwnRows) {
  // The two-series example: three hourly windows with data; --empty-windows writes the others.
  std::ofstream(TempPath("first.csv")) << "0,1.0\n100,3.0\n01:00:00,10.0\n3700,20.0\n7300,7.0\n";
  std::ofstream(TempPath("second.csv")) << "50,5.0\n3650,6.0\n";
  ExpectCases({
      {{"windows", "--width", "3600", "--step", "3600", TempPath("first.csv"),
        TempPath("second.csv")},
       "",
       0,
       "centre,clock,min,max,mean\n"
       "0,00:00:00,2,5,3.5\n"
       "3600,01:00:00,6,15,10.5\n"
       "7200,02:00:00,7,7,7\n"},
      {{"windows", "--width", "12h", "--step", "12h", "--empty-windows", TempPath("second.csv")},
       "",
       0,
       "centre,clock,min,max,mean\n0,00:00:00,5.5,5.5,5.5\n43200,12:00:00,,,\n"
       "86400,24:00:00,,,\n"},
  });
}

// One undated day gives the rows of one FilterValueArray call, to the bit, whatever W and S.
TEST(ToolSeries, OneUndatedDayMatchesADirectLibraryCall) {
  constexpr int kSeries = 3;
  std::vector<long> times[kSeries];
  std::vector<double> values[kSeries];
  std::ofstream log(TempPath("day.csv"));
  log << "t,a,b,c\n";
  unsigned state = 12345;
  for (long t = 0; t < CORVIXMATH_SECONDS_PER_DAY; t += 37) {
    log << t;
    for (int s = 0; s < kSeries; ++s) {
      state = state * 1103515245u + 12345u;
      const bool present = (state >> 16) % 5 != 0;
      const double value = static_cast<double>((state >> 8) % 100000) / 7.0 - 5000.0;
      log << ",";
      if (!present) continue;
      char text[40];
      std::snprintf(text, sizeof text, "%.17g", value);
      log << text;
      times[s].push_back(t);
      values[s].push_back(value);
    }
    log << "\n";
  }
  log.close();
  for (const auto& [width, step] : {std::pair<long, long>{1001, 700}, {3600, 3600}, {86400, 7}}) {
    double* valuePointers[kSeries];
    long* timePointers[kSeries];
    long counts[kSeries];
    for (int s = 0; s < kSeries; ++s) {
      valuePointers[s] = values[s].data();
      timePointers[s] = times[s].data();
      counts[s] = static_cast<long>(values[s].size());
    }
    const std::size_t entries = static_cast<std::size_t>(CORVIXMATH_SECONDS_PER_DAY / step + 2);
    std::vector<double> minimum(entries), maximum(entries), mean(entries);
    std::vector<long> centres(entries);
    CMathOperation math;
    const long count =
        math.FilterValueArray(valuePointers, timePointers, kSeries, counts, minimum.data(),
                              maximum.data(), mean.data(), centres.data(), width, step, 0);
    std::string expected = "centre,clock,min,max,mean\n";
    for (long i = 0; i < count; ++i) {
      const auto at = static_cast<std::size_t>(i);
      char row[160];
      std::snprintf(row, sizeof row, "%ld,%02ld:%02ld:%02ld,%.17g,%.17g,%.17g\n", centres[at],
                    centres[at] / 3600, centres[at] / 60 % 60, centres[at] % 60, minimum[at],
                    maximum[at], mean[at]);
      expected += row;
    }
    // The tool prints the shortest text of each double; compare the doubles, not the texts.
    const ToolRun run = RunTool({"windows", "--width", std::to_string(width), "--step",
                                 std::to_string(step), TempPath("day.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream got(run.out), want(expected);
    std::string gotLine, wantLine;
    long rows = 0;
    while (std::getline(want, wantLine)) {
      ASSERT_TRUE(std::getline(got, gotLine)) << "W " << width << " S " << step;
      if (rows++ == 0) {
        EXPECT_EQ(gotLine, wantLine);
        continue;
      }
      std::istringstream gotFields(gotLine), wantFields(wantLine);
      std::string gotField, wantField;
      for (int field = 0; field < 5; ++field) {
        std::getline(gotFields, gotField, ',');
        std::getline(wantFields, wantField, ',');
        if (field < 2)
          EXPECT_EQ(gotField, wantField) << gotLine;
        else
          EXPECT_EQ(std::strtod(gotField.c_str(), nullptr), std::strtod(wantField.c_str(), nullptr))
              << "W " << width << " S " << step << ": " << gotLine << " / " << wantLine;
      }
    }
    EXPECT_FALSE(std::getline(got, gotLine)) << "extra row: " << gotLine;
    EXPECT_EQ(rows - 1, count);
  }
}

TEST(ToolSeries, WindowsSpanMidnightAndWeeks) {
  const std::string log =
      "Time,A,B\n"
      "2010-01-01T23:00:00,1,10\n"
      "2010-01-01T23:30:00,2,20\n"
      "2010-01-02T00:30:00,4,40\n"
      "2010-01-09T12:00:00,8,80\n";
  ExpectCases({
      // The window at midnight holds the samples of both days: (1+2+4)/3 and (10+20+40)/3.
      // Samples between windows (S > W) are the user's choice: counted, never an error.
      {{"windows", "--width", "2h", "--step", "1d", "-"},
       log,
       0,
       "time,min,max,mean\n2010-01-02T00:00:00,2.3333333333333335,23.333333333333332,"
       "12.833333333333332\n",
       "corvixmath: skipped 2: 0 bad lines or values, 0 times going back, 2 samples no window "
       "holds\n"},
      // A week-wide window every week.
      {{"windows", "--width", "7d", "--step", "7d", "-"},
       log,
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,2.3333333333333335,23.333333333333332,"
       "12.833333333333332\n2010-01-08T00:00:00,8,80,44\n"},
      {{"windows", "--width", "31d", "--step", "31d", "--values", "A", "-"},
       log,
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,3.75,3.75,3.75\n"},
      // The last week's samples lie past the last midnight-bound window: more windows hold them.
      {{"windows", "--width", "2w", "--step", "1w", "-"},
       log + "2010-01-20T12:00:00,3,30\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,2.3333333333333335,23.333333333333332,"
       "12.833333333333332\n2010-01-08T00:00:00,3.75,37.5,20.625\n"
       "2010-01-15T00:00:00,5.5,55,30.25\n"},
      {{"windows", "--width", "30d", "--step", "30d", "--values", "A", "-"},
       log + "2010-01-31T12:00:00,3,\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,3.75,3.75,3.75\n2010-01-31T00:00:00,3,3,3\n"},
      {{"windows", "--width", "365d", "--step", "365d", "--values", "B", "--verbose", "-"},
       log + "2010-12-31T23:00:00,,90\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,37.5,37.5,37.5\n"
       "2011-01-01T00:00:00,90,90,90\n",
       "corvixmath: read 5 samples of 1 series (0 empty cells), used 5, wrote 2 windows\n"},
      {{"windows", "--width", "401d", "--step", "1d", "-"},
       log,
       2,
       "",
       "corvixmath: --width must be from 1 s to 400 days (seconds, or a number with s, m, h, d "
       "or w): '401d'\n"},
  });
}

TEST(ToolSeries, NothingIsLostInSilence) {
  ExpectCases({
      {{"windows", "--width", "60", "--step", "60", "-"},
       "0,1\n30,x\n",
       2,
       "",
       "corvixmath: <stdin>:2: not a finite number: 'x'\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "0,1\n30,nan\n",
       2,
       "",
       "corvixmath: <stdin>:2: not a finite number: 'nan'\n"},
      // An empty cell is no sample, and --verbose counts it.
      {{"windows", "--width", "60", "--step", "60", "--verbose", "-"},
       "0,1\n30,\n",
       0,
       "centre,clock,min,max,mean\n0,00:00:00,1,1,1\n",
       "corvixmath: read 1 samples of 1 series (1 empty cells), used 1, wrote 1 windows\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "0,1\n30,2,3\n",
       2,
       "",
       "corvixmath: <stdin>:2: expected 2 columns, found 3: '30,2,3'\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "60,1\n0,2\n",
       2,
       "",
       "corvixmath: <stdin>:2: times must not go back (0 after 60)\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "0,1\n25:00:00,2\n",
       2,
       "",
       "corvixmath: <stdin>:2: the time is not seconds, HH:MM:SS or an ISO date-time: "
       "'25:00:00' (--time-format reads other forms)\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "2010-02-30T00:00:00,1\n",
       2,
       "",
       "corvixmath: <stdin>:1: no such date: '2010-02-30T00:00:00'\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "2010-01-01T00:00:00,1\n60,2\n",
       2,
       "",
       "corvixmath: <stdin>:2: dated and undated times cannot share one time axis\n"},
      // Windows of 60 s every 120 s leave the sample at 70 s out: counted, not an error.
      {{"windows", "--width", "60", "--step", "120", "-"},
       "0,1\n70,2\n",
       0,
       "centre,clock,min,max,mean\n0,00:00:00,1,1,1\n",
       "corvixmath: skipped 1: 0 bad lines or values, 0 times going back, 1 samples no window "
       "holds\n"},
      // Skipped on request, counted by kind; --verbose says what was read and written.
      {{"windows", "--width", "60", "--step", "120", "--skip-bad", "--verbose", "-"},
       "0,1\n70,2\n80,x\n20,3\n",
       0,
       "centre,clock,min,max,mean\n0,00:00:00,1,1,1\n",
       "corvixmath: skipped 3: 1 bad lines or values, 1 times going back, 1 samples no window "
       "holds\ncorvixmath: read 2 samples of 1 series (0 empty cells), used 1, wrote 1 windows\n"},
      {{"windows", "--width", "60", "--step", "60", "-"},
       "# nothing\n",
       1,
       "",
       "corvixmath: no data\n"},
      // Undated seconds far apart: days of one-second windows are refused, not ground through.
      {{"windows", "--width", "1", "--step", "1", "-"},
       "0,1\n999999999999,2\n",
       2,
       "",
       "corvixmath: 1000000080000 windows of 1 s every 1 s from the first sample's day to the "
       "last one's; at most 100000000: choose a longer step\n"},
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "0,1\n100000000,2\n",
       0,
       "centre,clock,min,max,mean\n0,00:00:00,1,1,1\n100000800,+1157d 10:00:00,2,2,2\n"},
      {{"windows", "--width", "60", "--step", "60", "-", "-"},
       "",
       2,
       "",
       "corvixmath: standard input (-) can be read once\n"},
      {{"windows", "--width", "60", "--step", "60", "--values", "Flow", "-"},
       "Time,Level\n0,1\n",
       2,
       "",
       "corvixmath: <stdin>:1: no column is named 'Flow'\n"},
  });
}

// A multi-day dated log of three series, with gaps, through windows that straddle midnight:
// every window's minimum, maximum and mean against Python's statistics module.
TEST(ToolSeries, MultiDayWindowsAgreeWithAnIndependentComputation) {
  std::ofstream log(TempPath("log.csv"));
  log << "Time,Temperature,Pressure,Flow\n";
  for (int hour = 0; hour < 4 * 24; hour += 1) {
    for (int minute = 0; minute < 60; minute += 20) {
      const int day = hour / 24 + 1, clock = hour % 24;
      char line[128];
      const double temperature = 15 + 0.25 * ((hour * 7 + minute) % 41);
      const double pressure = 4 + 0.125 * ((hour * 3 + minute / 20) % 13);
      const double flow = 100 + 0.5 * ((hour * 11 + minute) % 29);
      // Pressure is missing for half a day, flow runs only from 06:00 to 22:00.
      std::snprintf(line, sizeof line, "2010-01-%02dT%02d:%02d:00,%.17g,", day, clock, minute,
                    temperature);
      log << line;
      if (!(hour >= 30 && hour < 42)) log << pressure;
      log << ",";
      if (clock >= 6 && clock < 22) log << flow;
      log << "\n";
    }
  }
  log.close();
  std::ofstream(TempPath("check.py")) <<
      R"(import csv, datetime, statistics, sys
log, out, width, step = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
rows = list(csv.reader(open(log)))
epoch = datetime.datetime(1970, 1, 1)
series = {name: [] for name in rows[0][1:]}
for row in rows[1:]:
    t = int((datetime.datetime.fromisoformat(row[0]) - epoch).total_seconds())
    for name, cell in zip(rows[0][1:], row[1:]):
        if cell:
            series[name].append((t, float(cell)))
times = [t for samples in series.values() for t, _ in samples]
origin = min(times) // 86400 * 86400
end = (max(times) // 86400 + 1) * 86400
half = width // 2
count = (end - origin + 2 * half - width) // step + 1
if step <= width:  # windows go on until the last sample is held
    count = max(count, (max(times) - origin + half - width) // step + 2)
    held = lambda t: any(origin + k * step - half <= t < origin + k * step - half + width
                         for k in range(count))
    assert all(held(t) for t in times)
expected = []
for k in range(count):
    centre = origin + k * step
    low = centre - half
    averages = [statistics.mean(v for t, v in samples if low <= t < low + width)
                for samples in series.values()
                if any(low <= t < low + width for t, _ in samples)]
    if averages:
        label = (epoch + datetime.timedelta(seconds=centre)).isoformat()
        expected.append((label, min(averages), max(averages), statistics.mean(averages)))
got = list(csv.reader(open(out)))
assert got[0] == ["time", "min", "max", "mean"], got[0]
got = [(r[0], float(r[1]), float(r[2]), float(r[3])) for r in got[1:]]
assert len(got) == len(expected), (len(got), len(expected))
for g, e in zip(got, expected):
    assert g[0] == e[0] and g[1] == e[1] and g[2] == e[2], (g, e)
    assert abs(g[3] - e[3]) <= 1e-12 * abs(e[3]), (g, e)
print(len(got))
)";
  for (const auto& [width, step] : {std::pair<int, int>{14400, 3600},
                                    {3600, 1800},
                                    {86400, 43200},
                                    {7 * 86400, 86400},
                                    {5400, 2700},
                                    {3601, 1000},
                                    {7 * 86400, 7 * 86400},
                                    {216000, 216000},
                                    {365 * 86400, 365 * 86400},
                                    {14 * 86400, 7 * 86400}}) {
    const ToolRun run = RunTool({"windows", "--width", std::to_string(width), "--step",
                                 std::to_string(step), TempPath("log.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ofstream(TempPath("out.csv")) << run.out;
    const std::string check = "python3 " + TempPath("check.py") + " " + TempPath("log.csv") + " " +
                              TempPath("out.csv") + " " + std::to_string(width) + " " +
                              std::to_string(step) + " >" + TempPath("check.txt") + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0)
        << "W " << width << " S " << step << ": " << ReadFile(TempPath("check.txt"));
    // Every window appears once: as many rows as the check counted.
    const std::string counted = ReadFile(TempPath("check.txt"));
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n') - 1, std::atol(counted.c_str()));
  }
}

// The chart: title, date axis, value ticks with the unit, a legend entry per series, a path
// broken where a series has no data, and one panel per series with --per-series.
TEST(ToolSeries, ChartHasAxesTicksLegendAndGaps) {
  std::ofstream log(TempPath("log.csv"));
  log << "Time,Power A,Power B\n";
  for (int hour = 0; hour < 72; ++hour) {
    log << "2010-01-0" << hour / 24 + 1 << "T" << (hour % 24 < 10 ? "0" : "") << hour % 24
        << ":00:00,";
    if (hour < 34 || hour >= 40) log << 100 + hour;  // A has no data from 10:00 to 16:00 on day 2
    log << "," << 5 + hour % 3 << "\n";
  }
  log.close();
  std::ofstream(TempPath("check.py")) << R"(import sys, xml.dom.minidom as m
d = m.parse(sys.argv[1])
panels, title, unit = int(sys.argv[2]), sys.argv[3], sys.argv[4]
def texts(node, cls):
    return [g for g in node.getElementsByTagName("g") if cls in g.getAttribute("class").split()]
def text_of(node):
    return "".join(t.firstChild.data for t in node.getElementsByTagName("text") if t.firstChild)
assert d.getElementsByTagName("title")[0].firstChild.data == title
found = [g for g in d.getElementsByTagName("g") if g.getAttribute("class") == "panel"]
assert len(found) == panels, len(found)
legend = []
for panel in found:
    xs = [text_of(t) for a in texts(panel, "x") for t in texts(a, "tick")]
    assert xs == ["2010-01-01", "2010-01-02", "2010-01-03"], xs
    ys = [text_of(t) for a in texts(panel, "y") for t in texts(a, "tick")]
    assert len(ys) >= 3 and all(y.endswith(" " + unit) for y in ys), ys
    legend += [text_of(e) for e in texts(panel, "legend-entry")]
    for path in panel.getElementsByTagName("path"):
        if path.getAttribute("class") != "series":
            continue
        parts = path.getAttribute("d").count("M")
        expected = 2 if path.getAttribute("data-series") == "Power A" else 1
        assert parts == expected, (path.getAttribute("data-series"), parts)
print("|".join(legend))
)";
  const struct {
    std::vector<std::string> extra;
    int panels;
    std::string legend;
  } cases[] = {
      {{}, 1, "Power A|Power B|min to max of the series|mean of the series"},
      {{"--per-series"}, 2, "Power A|Power B"},
  };
  for (const auto& c : cases) {
    const std::string svg = TempPath("chart.svg");
    std::remove(svg.c_str());
    std::vector<std::string> arguments = {"windows", "--width", "1h",         "--step",
                                          "1h",      "--unit",  "kW",         "--svg",
                                          svg,       "--title", "Feeder <2>", TempPath("log.csv")};
    arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
    const ToolRun run = RunTool(arguments);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string check = "python3 " + TempPath("check.py") + " " + svg + " " +
                              std::to_string(c.panels) + " 'Feeder <2>' kW >" +
                              TempPath("check.txt") + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0) << ReadFile(TempPath("check.txt"));
    EXPECT_EQ(ReadFile(TempPath("check.txt")), c.legend + "\n");
  }
}

}  // namespace

// Long-format logs (one row per tag and time): one series per tag, time order within each tag,
// quality and tag choices, and the limit of series one reduction takes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "tool_run.h"

namespace {

using namespace tool_test;

const char* const kLog =
    "Tagname,Timestamp,Value,Quality\n"
    "TI101,2010-01-01T00:00:00,5,192\n"
    "TI102,2010-01-01T00:00:00,7,192\n"
    "TI101,2010-01-01T01:00:00,6,0\n"
    "TI102,2010-01-01T01:00:00,8,192\n"
    "TI101,2010-01-01T02:00:00,9,192\n";

TEST(ToolSeriesLong, EachTagIsOneSeries) {
  const std::vector<std::string> window = {"windows", "--width", "1h",        "--step",
                                           "1h",      "--time",  "Timestamp", "-"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> arguments = window;
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
  };
  ExpectCases({
      {with({"--series-column", "Tagname", "--quality-column", "Quality", "--good", "192"}), kLog,
       0,
       "time,min,max,mean\n"
       "2010-01-01T00:00:00,5,7,6\n"
       "2010-01-01T01:00:00,8,8,8\n"
       "2010-01-01T02:00:00,9,9,9\n",
       "corvixmath: left out 1 rows whose quality is not --good\n"},
      // Each tag's own window average beside the row, in CSV and JSON.
      {with({"--series-column", "Tagname", "--quality-column", "Quality", "--good", "192",
             "--per-series-columns"}),
       kLog, 0,
       "time,min,max,mean,TI101,TI102\n"
       "2010-01-01T00:00:00,5,7,6,5,7\n"
       "2010-01-01T01:00:00,8,8,8,,8\n"
       "2010-01-01T02:00:00,9,9,9,9,\n",
       "corvixmath: left out 1 rows whose quality is not --good\n"},
      {with({"--series-column", "Tagname", "--values", "Value", "--per-series-columns", "--format",
             "json", "--series", "TI101"}),
       kLog, 0,
       "[\n  {\"time\": \"2010-01-01T00:00:00\", \"min\": 5, \"max\": 5, \"mean\": 5, "
       "\"series\": {\"TI101\": 5}},\n"
       "  {\"time\": \"2010-01-01T01:00:00\", \"min\": 6, \"max\": 6, \"mean\": 6, "
       "\"series\": {\"TI101\": 6}},\n"
       "  {\"time\": \"2010-01-01T02:00:00\", \"min\": 9, \"max\": 9, \"mean\": 9, "
       "\"series\": {\"TI101\": 9}}\n]\n"},
      // Tags chosen by name, the column by number; --verbose counts the rows of other tags.
      {with({"--series-column", "1", "--series", "TI102", "--values", "Value", "--verbose"}), kLog,
       0, "time,min,max,mean\n2010-01-01T00:00:00,7,7,7\n2010-01-01T01:00:00,8,8,8\n",
       "corvixmath: left out 3 rows of tags not in --series\n"
       "corvixmath: read 2 samples of 1 series (0 empty cells), used 2, wrote 2 windows\n"},
      // Read as one series of several columns, the first tag names the way out.
      {{"windows", "--width", "1h", "--step", "1h", "--time", "Timestamp", "-"},
       kLog,
       2,
       "",
       "corvixmath: <stdin>:2: not a finite number: 'TI101' (one row per tag? --series-column "
       "names the tag column)\n"},
      // Times go back only within one tag.
      {with({"--series-column", "Tagname", "--values", "Value"}),
       "Tagname,Timestamp,Value\nA,2010-01-01T01:00,1\nB,2010-01-01T00:00,2\n"
       "A,2010-01-01T00:30,3\n",
       2, "",
       "corvixmath: <stdin>:4: times of A must not go back (2010-01-01T00:30 after line 2)\n"},
      {with({"--series", "A"}), kLog, 2, "",
       "corvixmath: --series chooses tags of the --series-column; choose columns with "
       "--values\n"},
      {with({"--quality-column", "Quality"}), kLog, 2, "",
       "corvixmath: --quality-column needs --good: the qualities whose samples are kept\n"},
      {with({"--series-column", "Tag"}), kLog, 2, "",
       "corvixmath: <stdin>:1: no column is named 'Tag'\n"},
  });
}

// Value columns of one name, or of none, are series of their own (by column number), never one
// series fed by two columns; the same column chosen twice is refused.
TEST(ToolSeriesLong, EachValueColumnIsASeriesOfItsOwn) {
  const char* const log = "Tag,Time,V,V,\nA,00:00:00,1,2,3\nA,01:00:00,4,5,9\n";
  const std::vector<std::string> window = {"windows", "--width",
                                           "1h",      "--step",
                                           "1h",      "--time",
                                           "Time",    "--series-column",
                                           "Tag",     "--per-series-columns"};
  const auto with = [&](std::vector<std::string> more) {
    std::vector<std::string> arguments = window;
    arguments.insert(arguments.end(), more.begin(), more.end());
    arguments.push_back("-");
    return arguments;
  };
  ExpectCases({
      {with({}), log, 0,
       "centre,clock,min,max,mean,A:3,A:4,A:5\n0,00:00:00,1,3,2,1,2,3\n"
       "3600,01:00:00,4,9,6,4,5,9\n"},
      {with({"--values", "3,4"}), log, 0,
       "centre,clock,min,max,mean,A:3,A:4\n0,00:00:00,1,2,1.5,1,2\n"
       "3600,01:00:00,4,5,4.5,4,5\n"},
      {with({"--values", "3,3"}), log, 2, "",
       "corvixmath: <stdin>:1: two value columns would make one series '3' of each tag: choose "
       "each column once with --values\n"},
  });
}

TEST(ToolSeriesLong, MoreTagsThanOneReductionTakesAreNamedWithTheWayOut) {
  std::string log = "Tagname,Timestamp,Value\n";
  for (int tag = 1; tag <= 40; ++tag)
    log += "T" + std::to_string(tag) + ",00:00:00,1\n";
  ExpectCases({
      {{"windows", "--width", "1h", "--step", "1h", "--series-column", "Tagname", "--time",
        "Timestamp", "-"},
       log,
       2,
       "",
       "corvixmath: <stdin>: 40 series (40 tags); at most 32 can be reduced at once: choose "
       "some with --series T1,T2,T3,...\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--series-column", "Tagname", "--time",
        "Timestamp", "--series", "T7,T40", "-"},
       log,
       0,
       "centre,clock,min,max,mean\n0,00:00:00,1,1,1\n"},
  });
}

}  // namespace

namespace {

// A historian export as plants write it: one row per tag and time, tags interleaved, a quality
// column, day-first dates and decimal commas; every window against a reduction in Python.
TEST(ToolSeriesLong, AnExportAgreesWithAnIndependentReduction) {
  std::ofstream log(TempPath("export.csv"));
  log << "Tagname;Timestamp;Value;Quality\n";
  const char* const tags[] = {"TI101", "PI202", "FI303", "LI404"};
  unsigned state = 2024;
  for (long minute = 0; minute < 11 * 24 * 60 + 300; minute += 17) {
    for (int tag = 0; tag < 4; ++tag) {
      state = state * 1103515245u + 12345u;
      if ((state >> 16) % 5 == 0) continue;  // tags log at their own times
      const long shifted = minute + tag * 3;
      const long day = shifted / 1440 + 1, hour = shifted / 60 % 24, min = shifted % 60;
      const long whole = static_cast<long>((state >> 8) % 3000) - 500;  // -500 to 2499
      const long thousandths = static_cast<long>((state >> 4) % 1000);
      const long magnitude = std::labs(whole);
      // Decimal commas, and a thousands point from 1.000,000 up.
      char value[40];
      if (magnitude >= 1000)
        std::snprintf(value, sizeof value, "%s%ld.%03ld,%03ld", whole < 0 ? "-" : "",
                      magnitude / 1000, magnitude % 1000, thousandths);
      else
        std::snprintf(value, sizeof value, "%s%ld,%03ld", whole < 0 ? "-" : "", magnitude,
                      thousandths);
      char line[160];
      std::snprintf(line, sizeof line, "%s;%02ld.03.2021 %02ld:%02ld:%02d;%s;%s\n", tags[tag], day,
                    hour, min, tag * 7, value, (state >> 12) % 7 == 0 ? "Bad" : "Good");
      log << line;
    }
  }
  log.close();
  std::ofstream(TempPath("check.py")) << R"(import csv, datetime, statistics, sys
log, out, width, step = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
rows = list(csv.reader(open(log), delimiter=";"))
epoch = datetime.datetime(1970, 1, 1)
series = {}
for tag, when, value, quality in rows[1:]:
    if quality != "Good":
        continue
    t = int((datetime.datetime.strptime(when, "%d.%m.%Y %H:%M:%S") - epoch).total_seconds())
    series.setdefault(tag, []).append((t, float(value.replace(".", "").replace(",", "."))))
times = [t for samples in series.values() for t, _ in samples]
origin = min(times) // 86400 * 86400
end = (max(times) // 86400 + 1) * 86400
half = width // 2
count = (end - origin + 2 * half - width) // step + 1
if step <= width:
    count = max(count, (max(times) - origin + half - width) // step + 2)
expected = []
for k in range(count):
    centre = origin + k * step
    low = centre - half
    averages = {name: statistics.mean(v for t, v in samples if low <= t < low + width)
                for name, samples in series.items()
                if any(low <= t < low + width for t, _ in samples)}
    if averages:
        label = (epoch + datetime.timedelta(seconds=centre)).isoformat()
        values = list(averages.values())
        expected.append((label, min(values), max(values), statistics.mean(values),
                         [averages.get(name) for name in series]))
got = list(csv.reader(open(out)))
assert got[0] == ["time", "min", "max", "mean"] + list(series), got[0]
assert len(got) - 1 == len(expected), (len(got) - 1, len(expected))
close = lambda a, b: abs(a - b) <= 1e-12 * max(abs(a), abs(b), 1)
for g, e in zip(got[1:], expected):
    assert g[0] == e[0], (g, e)
    assert all(close(float(a), b) for a, b in zip(g[1:4], e[1:4])), (g, e)
    for cell, average in zip(g[4:], e[4]):
        assert (cell == "") == (average is None), (g, e)
        assert cell == "" or close(float(cell), average), (g, e)
held = sum(1 for samples in series.values() for t, _ in samples
           if any(origin + k * step - half <= t < origin + k * step - half + width
                  for k in range(count)))
print(len(expected), sum(len(s) for s in series.values()) - held)
)";
  for (const auto& [width, step] : {std::pair<std::string, std::string>{"86400", "86400"},
                                    {"604800", "604800"},
                                    {"1209600", "604800"},
                                    {"21600", "10800"},
                                    {"3600", "86400"}}) {
    const ToolRun run = RunTool(
        {"windows", "--width", width, "--step", step, "--series-column", "Tagname", "--time",
         "Timestamp", "--time-format", "%d.%m.%Y %H:%M:%S", "--values", "Value", "--quality-column",
         "Quality", "--good", "Good", "--per-series-columns", TempPath("export.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    std::ofstream(TempPath("out.csv")) << run.out;
    const std::string check = "python3 " + TempPath("check.py") + " " + TempPath("export.csv") +
                              " " + TempPath("out.csv") + " " + width + " " + step + " >" +
                              TempPath("check.txt") + " 2>&1";
    EXPECT_EQ(std::system(check.c_str()), 0)
        << "W " << width << " S " << step << ": " << ReadFile(TempPath("check.txt"));
    // Samples between windows only when S > W, and then counted on standard error.
    long rows = 0, between = 0;
    std::sscanf(ReadFile(TempPath("check.txt")).c_str(), "%ld %ld", &rows, &between);
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n') - 1, rows);
    EXPECT_EQ(between == 0, std::stol(step) <= std::stol(width));
    EXPECT_EQ(
        run.err.find(std::to_string(between) + " samples no window holds") != std::string::npos,
        between > 0)
        << run.err;
  }
}

}  // namespace

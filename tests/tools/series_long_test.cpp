// Long-format logs (one row per tag and time): one series per tag, time order within each tag,
// quality and tag choices, and the limit of series one reduction takes.
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

// The forms real exports take: dates in other orders and words, numbers with decimal commas.
#include "tool_run.h"

namespace {

using namespace tool_test;

TEST(ToolSeriesFormats, TimesInTheFormsExportsWrite) {
  ExpectCases({
      // Unambiguous forms need no option.
      {{"windows", "--width", "1d", "--step", "1d", "-"},
       "Date,Price\nJan 1 2000,1\nJan 2 2000,2\n",
       0,
       "time,min,max,mean\n2000-01-01T00:00:00,1,1,1\n2000-01-02T00:00:00,2,2,2\n"},
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "Time,v\n2015/01/01 01:00:00,1\n",
       0,
       "time,min,max,mean\n2015-01-01T01:00:00,1,1,1\n"},
      // Day and month in an order only the user knows: the error names the option.
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "Date,v\n01.02.2010 13:00,1\n",
       2,
       "",
       "corvixmath: <stdin>:2: the time is not seconds, HH:MM:SS or an ISO date-time: "
       "'01.02.2010 13:00' (--time-format reads other forms)\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--time-format", "%d.%m.%Y %H:%M", "-"},
       "Date,v\n01.02.2010 13:00,1\n",
       0,
       "time,min,max,mean\n2010-02-01T13:00:00,1,1,1\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--time-format", "%d.%m.%Y %H:%M", "-"},
       "Date,v\n2010-02-01 13:00,1\n",
       2,
       "",
       "corvixmath: <stdin>:2: the time does not match --time-format '%d.%m.%Y %H:%M': "
       "'2010-02-01 13:00'\n"},
      // A year column: read as seconds only with a note, as years when asked.
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "Year,Anomaly\n1880,-0.2\n1881,-0.1\n",
       0,
       "centre,clock,min,max,mean\n3600,01:00:00,-0.15000000000000002,-0.15000000000000002,"
       "-0.15000000000000002\n",
       "corvixmath: times 1880 to 1881 are read as seconds; --time-format year reads them as "
       "dates\n"},
      {{"stats", "--time-format", "year", "-"},
       "Year,Anomaly\n1880,-0.2\n1881,-0.1\n",
       0,
       "count: 2\nminimum: -0.2\nmaximum: -0.1\naverage: -0.15000000000000002\n"
       "spread sqrt(sum((x - average)^2)) / n: 0.03535533905932738\n"
       "population standard deviation sqrt(sum((x - average)^2) / n): 0.05\n"},
      {{"windows", "--width", "1m", "--step", "1m", "--time-format", "epoch-ms", "-"},
       "t,v\n1262304000500,1\n1262304060000,2\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00Z,1,1,1\n2010-01-01T00:01:00Z,2,2,2\n"},
      {{"windows", "--width", "1m", "--step", "1m", "--time-format", "%Q", "-"},
       "t,v\n1,1\n",
       2,
       "",
       "corvixmath: --time-format takes %Y %y %m %d %j %b %H %M %S %f %z %% or the words epoch, "
       "epoch-ms, year: '%Q'\n"},
  });
}

}  // namespace

namespace {

TEST(ToolSeriesFormats, DecimalCommas) {
  const std::string european =
      "Zeit;Wert;Menge\n2010-01-01 00:00;1,5;1.234,5\n"
      "2010-01-01 00:30;2;3\n";
  const std::string rows =
      "time,min,max,mean\n2010-01-01T00:00:00,1.5,1234.5,618\n2010-01-01T01:00:00,2,3,2.5\n";
  ExpectCases({
      // Detected: ';' between columns and a first line whose values read only with a comma.
      {{"windows", "--width", "1h", "--step", "1h", "--verbose", "-"},
       european,
       0,
       rows,
       "corvixmath: <stdin>:2: values read with a decimal comma ('1,5')\n"
       "corvixmath: read 4 samples of 2 series (0 empty cells), used 4, wrote 2 windows\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--decimal-comma", "-"}, european, 0, rows},
      {{"windows", "--width", "1h", "--step", "1h", "--decimal-comma", "-"},
       "Zeit\tWert\n2010-01-01 00:00\t-1.234,5\n",
       0,
       "time,min,max,mean\n2010-01-01T00:00:00,-1234.5,-1234.5,-1234.5\n"},
      // A first line that reads with a point decides for a point; a comma later is an error.
      {{"windows", "--width", "1h", "--step", "1h", "-"},
       "Zeit;Wert\n2010-01-01 00:00;1.5\n2010-01-01 00:30;2,5\n",
       2,
       "",
       "corvixmath: <stdin>:3: not a finite number: '2,5' (--decimal-comma reads 1,5)\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--decimal-comma", "-"},
       "Zeit;Wert\n2010-01-01 00:00;1.5\n",
       2,
       "",
       "corvixmath: <stdin>:2: not a finite number with a decimal comma: '1.5'\n"},
      {{"windows", "--width", "1h", "--step", "1h", "--decimal-comma", "-"},
       "Zeit,Wert\n2010-01-01 00:00,1\n",
       2,
       "",
       "corvixmath: <stdin>:1: --decimal-comma needs columns separated by ';' or tabs\n"},
  });
}

}  // namespace

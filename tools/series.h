// Logged sample series and their reduction to time windows, for stats, windows and demo.
#ifndef CORVIXMATH_TOOLS_SERIES_H
#define CORVIXMATH_TOOLS_SERIES_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <vector>

#include "CorvixLimits.h"
#include "series_time.h"

namespace corvix_tool {

// One series: parallel times (seconds on one axis: since 1970-01-01 00:00 UTC for dated input,
// as written for undated input) and values, with the line each sample came from.
struct Series {
  std::string name;
  std::string file;
  std::vector<long long> times;
  std::vector<double> values;
  std::vector<long> lines;
};

// How a file of series is read.
struct ReadOptions {
  std::string separator;            // ",", ";", "tab", or empty: the first line decides
  int header = -1;                  // 1 a header line, 0 none, -1 the first line decides
  std::string timeColumn;           // a header name or a column number; empty: column 1
  std::string timeFormat;           // the form of times (see TimeFormat); empty: the usual ones
  bool decimalComma = false;        // values "1,5" and "1.234,5"; detected with ';' when unset
  std::vector<std::string> values;  // header names or column numbers; empty: every other column
  bool skipBad = false;             // skip bad lines instead of stopping, and count them
  bool valuesOnly = false;          // no time column: one value per line may stand alone
  // Long format: one row per tag and time.
  std::string seriesColumn;         // the tag column: each distinct value is one series
  std::vector<std::string> chosen;  // the tags to keep; empty: all
  std::string qualityColumn;        // a quality column: samples of other qualities are left out
  std::vector<std::string> good;    // the qualities kept
};

// What was skipped, by kind, for the report on standard error.
struct Skipped {
  long badLines = 0;  // a value or time that does not read, a wrong number of columns
  long goingBack = 0;
  long heldByNoWindow = 0;
  long Total() const { return badLines + goingBack + heldByNoWindow; }
};

struct SeriesSet {
  std::vector<Series> series;
  bool dated = false;
  bool utc = false;  // a zone offset was read and applied
  long samplesRead = 0;
  long timesRead = 0;
  long emptyCells = 0;             // an empty value cell: no sample of that series at that time
  long notGood = 0;                // rows whose quality is not among the good ones
  long notChosen = 0;              // rows of tags not chosen
  std::vector<std::string> notes;  // how files were read, for --verbose
  long bareNumbers = 0;            // times read as plain seconds, from the lowest to the highest
  long long bareLowest = 0, bareHighest = 0;
  Skipped skipped;
};

// Called while a file of one row per time is read, every few thousand rows and at its end, with
// the time of the last row read: it may take the samples read so far out of the set's series
// (no later row of the file goes back before that time). Files of one row per tag and time
// hold every sample until their end.
using RowsRead = std::function<void(SeriesSet& set, long long lastTime)>;

// Reads the series of one file (name "-" for standard input, shown as "<stdin>") into `set`.
// BadInput names "file:line: what is wrong".
void ReadSeriesFile(std::istream& input, const std::string& name, const ReadOptions& options,
                    SeriesSet& set, const RowsRead& rowsRead = nullptr);
void ReadSeriesPath(const std::string& path, const ReadOptions& options, SeriesSet& set,
                    const RowsRead& rowsRead = nullptr);

struct Window {
  long long centre;
  double minimum;
  double maximum;
  double mean;
  bool hasData;
  std::vector<double> averages;  // when asked for: each series' average, NaN where it has none
};

// The library's multi-day reducer at work for the tool: samples pushed series by series in time
// order, finished windows handed to `each` as soon as no later sample can change them. Windows
// of width W every S seconds run on one axis from the midnight of the first sample's day to the
// midnight after the last sample's day, centres at midnight + k*S: one day of undated input
// gives the library's own rows. Windows without data are left out unless keepEmpty. When S <= W
// the windows go on past the last midnight until every sample is held; when S > W samples
// between windows are dropped and counted. With eachSeries every window also holds each
// series' own average, from the same samples. BadInput for settings or samples it refuses.
class WindowReducer {
 public:
  WindowReducer(long long width, long long step, std::size_t series, bool keepEmpty,
                bool eachSeries);
  ~WindowReducer();
  WindowReducer(const WindowReducer&) = delete;
  WindowReducer& operator=(const WindowReducer&) = delete;

  // The samples of series `index` from `first` on, in time order.
  void Push(std::size_t index, const Series& series, std::size_t first = 0);
  // No sample of any series comes before `time`.
  void Advance(long long time);
  void Finish();
  // Hands every finished window to `each`, in time order; how many.
  std::size_t Take(const std::function<void(const Window&)>& each);
  long long HeldByNoWindow() const;

 private:
  struct Handle;
  Handle* handle_;
  std::size_t series_;
  long long width_, step_;
  std::vector<std::int64_t> times_;
  Window window_;
};

// All the windows of whole series at once, through WindowReducer; samples no window holds are
// counted in `skipped`.
std::vector<Window> ReduceToWindows(const std::vector<Series>& series, long long width,
                                    long long step, bool keepEmpty = false,
                                    Skipped* skipped = nullptr, bool eachSeries = false);

// One series' averages from windows reduced with eachSeries, as windows of their own.
std::vector<Window> AveragesOf(const std::vector<Window>& windows, std::size_t series);

// How window rows and numbers are written.
struct WindowText {
  bool dated = false;
  bool utc = false;
  int decimals = -1;                     // -1: the shortest text that reads back to the same double
  std::vector<std::string> seriesNames;  // when given, each series' average is written too
};

// A centre as the date-time "2010-01-01T01:00:00" (dated) or as "HH:MM:SS" of its day.
std::string TimeLabel(long long centre, const WindowText& text);

// CSV with a header row ("centre,clock,min,max,mean", dated "time,min,max,mean"), or JSON; with
// seriesNames a column (CSV) or a "series" object (JSON) of each series' average follows.
std::string WindowsCsv(const std::vector<Window>& windows, const WindowText& text);
std::string WindowsJson(const std::vector<Window>& windows, const WindowText& text);
// The same a piece at a time: the CSV header line and one window's line, or one window's JSON
// object (without the list's brackets and commas).
std::string WindowsCsvHeader(const WindowText& text);
std::string WindowCsvLine(const Window& w, const WindowText& text);
std::string WindowJsonObject(const Window& w, const WindowText& text);

// A chart of windows: panels stacked from the top, each with its own value axis, sharing one
// time axis. A panel draws each series' window averages as a line (broken where windows have
// no data) and, when given, the band from the minimum to the maximum and the mean of all series.
struct ChartLine {
  std::string name;
  std::vector<Window> windows;
};
struct ChartPanel {
  std::string title;
  std::string unit;
  std::vector<ChartLine> lines;
  std::vector<Window> combined;  // the reduction of all series together; may be empty
};
struct ChartOptions {
  std::string title;
  long long step = 0;
  WindowText text;
};
std::string WindowsSvg(const std::vector<ChartPanel>& panels, const ChartOptions& options);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_SERIES_H

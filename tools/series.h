// Sample series of one day and their reduction to time windows, for stats, windows and demo.
#ifndef CORVIXMATH_TOOLS_SERIES_H
#define CORVIXMATH_TOOLS_SERIES_H

#include <istream>
#include <string>
#include <vector>

namespace corvix_tool {

// One series: parallel times (seconds of the day) and values.
struct Series {
  std::string name;
  std::vector<long> times;
  std::vector<double> values;
};

// The library reduces at most this many series at once.
constexpr std::size_t kMostSeries = 32;

// Reads 'time,value' lines (time in seconds or HH:MM:SS; blank lines and '#' comments are
// skipped); times must not go back. BadInput names "name:line: what is wrong".
Series ReadSeries(std::istream& input, const std::string& name);

// A time of the day as seconds ("3600") or HH:MM:SS ("01:00:00"); false when malformed.
bool ParseTimeOfDay(const std::string& text, long& seconds);

struct Window {
  long centre;
  double minimum;
  double maximum;
  double mean;
};

// FilterValueArray over the series: one entry per window that has data.
std::vector<Window> ReduceToWindows(const std::vector<Series>& series, long width, long step);

// CSV lines "centre,clock,min,max,mean", header first.
std::string WindowsCsv(const std::vector<Window>& windows);

// An SVG chart of the day: min-max band, mean line, hour ticks.
std::string WindowsSvg(const std::vector<Window>& windows, const std::string& title);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_SERIES_H

// Reading sample series and reducing them with the library's window filter.
#include "series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "CMathOperation.h"
#include "tool.h"

namespace corvix_tool {
namespace {

constexpr long kSecondsPerDay = 86400;

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool ParseWhole(const std::string& text, long& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  value = std::strtol(text.c_str(), nullptr, 10);
  return true;
}

}  // namespace

bool ParseTimeOfDay(const std::string& text, long& seconds) {
  if (text.find(':') == std::string::npos) return ParseWhole(text, seconds);
  long hours = 0, minutes = 0, secs = 0;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
  if (!ParseWhole(text.substr(0, 2), hours) || !ParseWhole(text.substr(3, 2), minutes) ||
      !ParseWhole(text.substr(6, 2), secs) || hours > 24 || minutes > 59 || secs > 59)
    return false;
  seconds = hours * 3600 + minutes * 60 + secs;
  return true;
}

Series ReadSeries(std::istream& input, const std::string& name) {
  Series series;
  series.name = name;
  std::string line;
  long lineNumber = 0;
  while (std::getline(input, line)) {
    ++lineNumber;
    const std::string text = Trimmed(line);
    if (text.empty() || text[0] == '#') continue;
    const std::string where = name + ":" + std::to_string(lineNumber) + ": ";
    const auto comma = text.find(',');
    if (comma == std::string::npos) throw BadInput(where + "expected 'time,value': '" + text + "'");
    long seconds = 0;
    if (!ParseTimeOfDay(Trimmed(text.substr(0, comma)), seconds))
      throw BadInput(where + "the time is not seconds or HH:MM:SS: '" + text.substr(0, comma) +
                     "'");
    double value = 0;
    try {
      value = ParseNumber(Trimmed(text.substr(comma + 1)));
    } catch (const BadInput& error) {
      throw BadInput(where + error.what());
    }
    if (!series.times.empty() && seconds < series.times.back())
      throw BadInput(where + "times must not go back (" + ClockText(seconds) + " after " +
                     ClockText(series.times.back()) + ")");
    series.times.push_back(seconds);
    series.values.push_back(value);
  }
  if (input.bad()) throw BadInput(name + ": read error");
  return series;
}

std::vector<Window> ReduceToWindows(const std::vector<Series>& series, long width, long step) {
  if (series.size() > kMostSeries)
    throw BadInput("at most " + std::to_string(kMostSeries) + " series can be reduced at once");
  if (width < 1 || step < 1) throw BadInput("--width and --step must be positive");
  std::vector<double*> values;
  std::vector<long*> times;
  std::vector<long> counts;
  for (const Series& one : series) {
    values.push_back(const_cast<double*>(one.values.data()));
    times.push_back(const_cast<long*>(one.times.data()));
    counts.push_back(static_cast<long>(one.values.size()));
  }
  const std::size_t entries = static_cast<std::size_t>(kSecondsPerDay / step + 2);
  std::vector<double> minimum(entries), maximum(entries), mean(entries);
  std::vector<long> centres(entries);
  CMathOperation math;
  const long count = math.FilterValueArray(
      values.data(), times.data(), static_cast<long>(series.size()), counts.data(), minimum.data(),
      maximum.data(), mean.data(), centres.data(), width, step, 0);
  std::vector<Window> windows;
  for (long i = 0; i < count; ++i)
    windows.push_back({centres[static_cast<std::size_t>(i)], minimum[static_cast<std::size_t>(i)],
                       maximum[static_cast<std::size_t>(i)], mean[static_cast<std::size_t>(i)]});
  return windows;
}

std::string WindowsCsv(const std::vector<Window>& windows) {
  std::string csv = "centre,clock,min,max,mean\n";
  for (const Window& w : windows)
    csv += Format("%ld,%s,%.6g,%.6g,%.6g\n", w.centre, ClockText(w.centre).c_str(), w.minimum,
                  w.maximum, w.mean);
  return csv;
}

std::string WindowsSvg(const std::vector<Window>& windows, const std::string& title) {
  constexpr double kWidth = 960, kHeight = 400, kLeft = 60, kRight = 20, kTop = 40, kBottom = 40;
  double low = 0, high = 1;
  if (!windows.empty()) {
    low = windows.front().minimum;
    high = windows.front().maximum;
    for (const Window& w : windows) {
      low = std::min(low, w.minimum);
      high = std::max(high, w.maximum);
    }
    if (!(high > low)) high = low + 1;
  }
  const auto x = [&](long seconds) {
    return kLeft + (kWidth - kLeft - kRight) * static_cast<double>(seconds) / kSecondsPerDay;
  };
  const auto y = [&](double value) {
    return kTop + (kHeight - kTop - kBottom) * (high - value) / (high - low);
  };
  std::string escaped;
  for (char c : title) {
    if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '&')
      escaped += "&amp;";
    else if (c == '"')
      escaped += "&quot;";
    else
      escaped += c;
  }
  std::string svg = Format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\" font-size=\"11\">\n",
      kWidth, kHeight, kWidth, kHeight);
  svg += "<title>" + escaped + "</title>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += Format("<text x=\"%.0f\" y=\"20\" font-size=\"14\">", kLeft) + escaped + "</text>\n";
  svg += "<g class=\"hours\" stroke=\"#ccc\">\n";
  for (long hour = 0; hour <= 24; ++hour) {
    const double at = x(hour * 3600);
    svg += Format("<line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\"/>\n", at, kTop, at,
                  kHeight - kBottom);
  }
  svg += "</g>\n<g class=\"hour-labels\" fill=\"#444\" text-anchor=\"middle\">\n";
  for (long hour = 0; hour <= 24; hour += 3)
    svg += Format("<text x=\"%.1f\" y=\"%.0f\">%02ld:00</text>\n", x(hour * 3600),
                  kHeight - kBottom + 16, hour);
  svg += "</g>\n";
  svg += Format("<text x=\"%.0f\" y=\"%.1f\" text-anchor=\"end\">%.4g</text>\n", kLeft - 6,
                y(high) + 4, high);
  svg += Format("<text x=\"%.0f\" y=\"%.1f\" text-anchor=\"end\">%.4g</text>\n", kLeft - 6,
                y(low) + 4, low);
  std::string band, line;
  for (const Window& w : windows)
    band += Format("%.1f,%.1f ", x(w.centre), y(w.maximum));
  for (auto it = windows.rbegin(); it != windows.rend(); ++it)
    band += Format("%.1f,%.1f ", x(it->centre), y(it->minimum));
  for (const Window& w : windows)
    line += Format("%.1f,%.1f ", x(w.centre), y(w.mean));
  if (!band.empty()) band.pop_back();
  if (!line.empty()) line.pop_back();
  svg += "<polygon class=\"band\" fill=\"#9ecae1\" fill-opacity=\"0.6\" stroke=\"none\" points=\"" +
         band + "\"/>\n";
  svg += "<polyline class=\"mean\" fill=\"none\" stroke=\"#08519c\" stroke-width=\"2\" points=\"" +
         line + "\"/>\n";
  svg += "</svg>\n";
  return svg;
}

}  // namespace corvix_tool

// Writing window rows: centres as labels, and the rows as CSV or JSON.
//   dated centre 1262304000 -> "2010-01-01T00:00:00"; undated 3600 -> "01:00:00"
//   undated 90000 -> "+1d 01:00:00"
#include <cmath>

#include "series.h"
#include "series_time.h"
#include "tool.h"

namespace corvix_tool {

std::string TimeLabel(long long centre, const WindowText& text) {
  const long long day = FloorDivide(centre, kSecondsPerDay);
  const long long second = centre - day * kSecondsPerDay;
  if (text.dated) {
    long long year = 0, month = 0, dayOfMonth = 0;
    CivilFromDays(day, year, month, dayOfMonth);
    return Format("%04lld-%02lld-%02lldT%s%s", year, month, dayOfMonth,
                  ClockText(static_cast<long>(second)).c_str(), text.utc ? "Z" : "");
  }
  if (centre >= 0 && centre <= kSecondsPerDay) return ClockText(static_cast<long>(centre));
  return Format("%+lldd %s", day, ClockText(static_cast<long>(second)).c_str());
}

namespace {

// Each series' average in window `w`: empty (CSV) or null (JSON) where it has none.
std::string AverageText(const Window& w, std::size_t series, const WindowText& text,
                        const char* none) {
  if (series >= w.averages.size() || std::isnan(w.averages[series])) return none;
  return NumberText(w.averages[series], text.decimals);
}

}  // namespace

std::string WindowsCsvHeader(const WindowText& text) {
  std::string csv = text.dated ? "time,min,max,mean" : "centre,clock,min,max,mean";
  for (const std::string& name : text.seriesNames)
    csv += "," + CsvField(name);
  return csv + "\n";
}

std::string WindowCsvLine(const Window& w, const WindowText& text) {
  std::string csv = text.dated ? TimeLabel(w.centre, text)
                               : Format("%lld,%s", w.centre, TimeLabel(w.centre, text).c_str());
  if (w.hasData)
    csv += "," + NumberText(w.minimum, text.decimals) + "," + NumberText(w.maximum, text.decimals) +
           "," + NumberText(w.mean, text.decimals);
  else
    csv += ",,,";
  for (std::size_t s = 0; s < text.seriesNames.size(); ++s)
    csv += "," + AverageText(w, s, text, "");
  return csv + "\n";
}

std::string WindowJsonObject(const Window& w, const WindowText& text) {
  std::string json = "{";
  json += text.dated ? "\"time\": \"" + TimeLabel(w.centre, text) + "\""
                     : Format("\"centre\": %lld, \"clock\": \"%s\"", w.centre,
                              TimeLabel(w.centre, text).c_str());
  const auto number = [&](double value) {
    return w.hasData ? NumberText(value, text.decimals) : std::string("null");
  };
  json += ", \"min\": " + number(w.minimum) + ", \"max\": " + number(w.maximum) +
          ", \"mean\": " + number(w.mean);
  if (!text.seriesNames.empty()) {
    json += ", \"series\": {";
    for (std::size_t s = 0; s < text.seriesNames.size(); ++s)
      json += (s == 0 ? "" : ", ") + JsonString(text.seriesNames[s]) + ": " +
              AverageText(w, s, text, "null");
    json += "}";
  }
  return json + "}";
}

std::string WindowsCsv(const std::vector<Window>& windows, const WindowText& text) {
  std::string csv = WindowsCsvHeader(text);
  for (const Window& w : windows)
    csv += WindowCsvLine(w, text);
  return csv;
}

std::string WindowsJson(const std::vector<Window>& windows, const WindowText& text) {
  std::string json = "[";
  for (std::size_t i = 0; i < windows.size(); ++i)
    json += (i == 0 ? "\n  " : ",\n  ") + WindowJsonObject(windows[i], text);
  return json + (windows.empty() ? "]\n" : "\n]\n");
}

}  // namespace corvix_tool

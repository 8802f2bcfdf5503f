// Writing window rows: centres as labels, and the rows as CSV or JSON.
//   dated centre 1262304000 -> "2010-01-01T00:00:00"; undated 3600 -> "01:00:00"
//   undated 90000 -> "+1d 01:00:00"
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

std::string WindowsCsv(const std::vector<Window>& windows, const WindowText& text) {
  std::string csv = text.dated ? "time,min,max,mean\n" : "centre,clock,min,max,mean\n";
  for (const Window& w : windows) {
    csv += text.dated ? TimeLabel(w.centre, text)
                      : Format("%lld,%s", w.centre, TimeLabel(w.centre, text).c_str());
    if (w.hasData)
      csv += "," + NumberText(w.minimum, text.decimals) + "," +
             NumberText(w.maximum, text.decimals) + "," + NumberText(w.mean, text.decimals) + "\n";
    else
      csv += ",,,\n";
  }
  return csv;
}

std::string WindowsJson(const std::vector<Window>& windows, const WindowText& text) {
  std::string json = "[";
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const Window& w = windows[i];
    json += i == 0 ? "\n  {" : ",\n  {";
    json += text.dated ? "\"time\": \"" + TimeLabel(w.centre, text) + "\""
                       : Format("\"centre\": %lld, \"clock\": \"%s\"", w.centre,
                                TimeLabel(w.centre, text).c_str());
    const auto number = [&](double value) {
      return w.hasData ? NumberText(value, text.decimals) : std::string("null");
    };
    json += ", \"min\": " + number(w.minimum) + ", \"max\": " + number(w.maximum) +
            ", \"mean\": " + number(w.mean) + "}";
  }
  return json + (windows.empty() ? "]\n" : "\n]\n");
}

}  // namespace corvix_tool

// The SVG chart of windows: title, time axis (hours, or dates for several days), value axis with
// ticks and unit, a legend naming each series, and gaps left open where windows have no data.
#include <algorithm>
#include <cmath>

#include "series.h"
#include "tool.h"

namespace corvix_tool {
namespace {

constexpr double kWidth = 960, kLeft = 80, kRight = 180, kTitleHeight = 64, kPanelHeight = 260,
                 kPanelGap = 50, kBottom = 50;
const char* const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e",
                                "#9467bd", "#8c564b", "#e377c2", "#17becf"};
constexpr std::size_t kColourCount = sizeof kColours / sizeof kColours[0];

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
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
  return escaped;
}

// Ticks at 1, 2 or 5 times a power of ten, about five of them; the range widens to whole ticks.
std::vector<double> ValueTicks(double& low, double& high) {
  const double raw = (high - low) / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double tick = power;
  for (double factor : {1.0, 2.0, 5.0, 10.0})
    if (raw <= factor * power) {
      tick = factor * power;
      break;
    }
  low = std::floor(low / tick) * tick;
  high = std::ceil(high / tick) * tick;
  std::vector<double> ticks;
  for (double at = low; at <= high + tick * 1e-9; at += tick)
    ticks.push_back(std::fabs(at) < tick * 1e-9 ? 0.0 : at);
  return ticks;
}

struct TimeTick {
  long long at;
  std::string label;
};

// Every 3 hours within a day; otherwise at midnights, every 1, 2, 7, 14 or 28 days.
std::vector<TimeTick> TimeTicks(long long first, long long last, const WindowText& text) {
  std::vector<TimeTick> ticks;
  const long long span = last - first;
  const long long day = kSecondsPerDay;
  if (span <= day) {
    const long long every = span <= 6 * 3600 ? 3600 : 3 * 3600;
    for (long long at = (first + every - 1) / every * every; at <= last; at += every) {
      std::string label = TimeLabel(at, text);
      if (text.dated)
        label = label.substr(11, 5);  // HH:MM
      else if (label.size() == 8)
        label = label.substr(0, 5);
      ticks.push_back({at, label});
    }
    return ticks;
  }
  long long days = 1;
  for (long long choice : {1, 2, 7, 14, 28, 56, 91})
    if (span / (choice * day) <= 10) {
      days = choice;
      break;
    }
  if (span / (days * day) > 10) days = span / day / 10 + 1;
  const long long firstDay = (first + day - 1) / day;
  for (long long d = firstDay; d * day <= last; d += days) {
    std::string label = TimeLabel(d * day, text);
    label = text.dated ? label.substr(0, 10) : Format("day %lld", d);
    ticks.push_back({d * day, label});
  }
  return ticks;
}

// A path through the points of windows with data, with a new subpath after each gap.
template <typename Y>
std::string BrokenPath(const std::vector<Window>& windows, long long step,
                       const std::function<double(long long)>& x, Y y) {
  std::string path;
  long long previous = 0;
  bool open = false;
  for (const Window& w : windows) {
    if (!w.hasData) {
      open = false;
      continue;
    }
    const bool gap = !open || w.centre - previous > step;
    path += Format("%s%.1f,%.1f ", gap ? "M" : "L", x(w.centre), y(w));
    previous = w.centre;
    open = true;
  }
  if (!path.empty()) path.pop_back();
  return path;
}

}  // namespace

std::string WindowsSvg(const std::vector<ChartPanel>& panels, const ChartOptions& options) {
  long long first = 0, last = 1;
  bool anyTime = false;
  for (const ChartPanel& panel : panels)
    for (const ChartLine& line : panel.lines)
      for (const Window& w : line.windows) {
        first = anyTime ? std::min(first, w.centre) : w.centre;
        last = anyTime ? std::max(last, w.centre) : w.centre;
        anyTime = true;
      }
  if (!anyTime || last <= first) last = first + 1;
  const double plotWidth = kWidth - kLeft - kRight;
  const std::function<double(long long)> x = [&](long long t) {
    return kLeft + plotWidth * static_cast<double>(t - first) / static_cast<double>(last - first);
  };
  const double height = kTitleHeight +
                        static_cast<double>(panels.size()) * (kPanelHeight + kPanelGap) -
                        kPanelGap + kBottom;
  std::string svg = Format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
      "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\" font-size=\"12\">\n",
      kWidth, height, kWidth, height);
  svg += "<title>" + Escaped(options.title) + "</title>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  svg += Format("<text class=\"title\" x=\"%.0f\" y=\"26\" font-size=\"16\">", kLeft) +
         Escaped(options.title) + "</text>\n";
  const std::vector<TimeTick> timeTicks = TimeTicks(first, last, options.text);
  std::size_t colour = 0;
  for (std::size_t p = 0; p < panels.size(); ++p) {
    const ChartPanel& panel = panels[p];
    const double top = kTitleHeight + static_cast<double>(p) * (kPanelHeight + kPanelGap);
    const double bottom = top + kPanelHeight;
    double low = 0, high = 0;
    bool anyValue = false;
    const auto widen = [&](double value) {
      low = anyValue ? std::min(low, value) : value;
      high = anyValue ? std::max(high, value) : value;
      anyValue = true;
    };
    for (const ChartLine& line : panel.lines)
      for (const Window& w : line.windows)
        if (w.hasData) widen(w.mean);
    for (const Window& w : panel.combined)
      if (w.hasData) {
        widen(w.minimum);
        widen(w.maximum);
      }
    if (!anyValue) high = 1;
    if (!(high > low)) {
      const double pad = low == 0 ? 1 : std::fabs(low) * 0.1;
      low -= pad;
      high += pad;
    }
    const std::vector<double> valueTicks = ValueTicks(low, high);
    const auto y = [&](double value) {
      return bottom - kPanelHeight * (value - low) / (high - low);
    };

    svg += Format("<g class=\"panel\" id=\"panel-%zu\">\n", p + 1);
    if (!panel.title.empty())
      svg += Format("<text class=\"panel-title\" x=\"%.0f\" y=\"%.0f\" font-weight=\"bold\">",
                    kLeft, top - 6) +
             Escaped(panel.title) + "</text>\n";
    svg += "<g class=\"axis x\" stroke=\"#ddd\" fill=\"#444\" text-anchor=\"middle\">\n";
    for (const TimeTick& tick : timeTicks)
      svg += Format(
          "<g class=\"tick\"><line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\"/>"
          "<text x=\"%.1f\" y=\"%.0f\" stroke=\"none\">%s</text></g>\n",
          x(tick.at), top, x(tick.at), bottom, x(tick.at), bottom + 16,
          Escaped(tick.label).c_str());
    svg += "</g>\n<g class=\"axis y\" stroke=\"#ddd\" fill=\"#444\" text-anchor=\"end\">\n";
    for (double tick : valueTicks)
      svg += Format(
          "<g class=\"tick\"><line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.0f\" y2=\"%.1f\"/>"
          "<text x=\"%.0f\" y=\"%.1f\" stroke=\"none\">%s</text></g>\n",
          kLeft, y(tick), kLeft + plotWidth, y(tick), kLeft - 6, y(tick) + 4,
          Escaped(Format("%g", tick) + (panel.unit.empty() ? "" : " " + panel.unit)).c_str());
    svg += "</g>\n";
    svg += Format(
        "<rect class=\"frame\" x=\"%.0f\" y=\"%.0f\" width=\"%.0f\" height=\"%.0f\" "
        "fill=\"none\" stroke=\"#888\"/>\n",
        kLeft, top, plotWidth, kPanelHeight);
    std::vector<std::pair<std::string, std::string>> legend;  // colour, name
    if (!panel.combined.empty()) {
      // The band of each run of windows with data: maxima forward, minima back.
      std::vector<Window> run;
      const auto closeRun = [&] {
        if (run.empty()) return;
        std::string points;
        for (const Window& w : run)
          points += Format("%.1f,%.1f ", x(w.centre), y(w.maximum));
        for (auto it = run.rbegin(); it != run.rend(); ++it)
          points += Format("%.1f,%.1f ", x(it->centre), y(it->minimum));
        points.pop_back();
        svg +=
            "<polygon class=\"band\" fill=\"#bbb\" fill-opacity=\"0.5\" stroke=\"none\" "
            "points=\"" +
            points + "\"/>\n";
        run.clear();
      };
      for (const Window& w : panel.combined) {
        if (!w.hasData || (!run.empty() && w.centre - run.back().centre > options.step)) closeRun();
        if (w.hasData) run.push_back(w);
      }
      closeRun();
      svg +=
          "<path class=\"mean\" fill=\"none\" stroke=\"#000\" stroke-width=\"1.5\" "
          "stroke-dasharray=\"5,3\" d=\"" +
          BrokenPath(panel.combined, options.step, x, [&](const Window& w) { return y(w.mean); }) +
          "\"/>\n";
    }
    for (const ChartLine& line : panel.lines) {
      const char* stroke = kColours[colour++ % kColourCount];
      svg += Format(
                 "<path class=\"series\" data-series=\"%s\" fill=\"none\" stroke=\"%s\" "
                 "stroke-width=\"1.5\" d=\"",
                 Escaped(line.name).c_str(), stroke) +
             BrokenPath(line.windows, options.step, x, [&](const Window& w) { return y(w.mean); }) +
             "\"/>\n";
      legend.push_back({stroke, line.name});
    }
    if (!panel.combined.empty()) {
      legend.push_back({"#bbb", "min to max of the series"});
      legend.push_back({"#000", "mean of the series"});
    }
    svg += "<g class=\"legend\">\n";
    for (std::size_t i = 0; i < legend.size(); ++i) {
      const double at = top + 10 + 18 * static_cast<double>(i);
      svg += Format(
          "<g class=\"legend-entry\"><rect x=\"%.0f\" y=\"%.0f\" width=\"14\" height=\"4\" "
          "fill=\"%s\"/><text x=\"%.0f\" y=\"%.0f\">%s</text></g>\n",
          kLeft + plotWidth + 12, at, legend[i].first.c_str(), kLeft + plotWidth + 32, at + 6,
          Escaped(legend[i].second).c_str());
    }
    svg += "</g>\n</g>\n";
  }
  svg += "</svg>\n";
  return svg;
}

}  // namespace corvix_tool

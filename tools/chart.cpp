// The SVG chart of windows: title, time axis (hours, or dates for several days), value axis with
// ticks and unit, a legend naming each series, and gaps left open where windows have no data.
#include <algorithm>
#include <cmath>

#include "series.h"
#include "series_time.h"
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

// Tick labels are about this wide per character at the chart's font size, and keep a gap.
constexpr double kCharWidth = 7, kLabelGap = 12;

// Whether neighbouring labels leave room between them when `span` seconds take `plotWidth`.
bool LabelsFit(const std::vector<TimeTick>& ticks, long long span, double plotWidth) {
  for (std::size_t i = 1; i < ticks.size(); ++i) {
    const double apart =
        plotWidth * static_cast<double>(ticks[i].at - ticks[i - 1].at) / static_cast<double>(span);
    const double needed =
        kCharWidth * static_cast<double>(ticks[i].label.size() + ticks[i - 1].label.size()) / 2 +
        kLabelGap;
    if (apart < needed) return false;
  }
  return true;
}

// Ticks every `every` seconds from midnight, labelled HH:MM.
std::vector<TimeTick> HourTicks(long long first, long long last, long long every,
                                const WindowText& text) {
  std::vector<TimeTick> ticks;
  for (long long at = FloorDivide(first + every - 1, every) * every; at <= last; at += every) {
    std::string label = TimeLabel(at, text);
    if (text.dated)
      label = label.substr(11, 5);
    else if (label.size() == 8)
      label = label.substr(0, 5);
    ticks.push_back({at, label});
  }
  return ticks;
}

// Ticks at every `days`-th midnight: dates, or "day N" on an undated axis.
std::vector<TimeTick> DayTicks(long long first, long long last, long long days,
                               const WindowText& text) {
  std::vector<TimeTick> ticks;
  const long long day = kSecondsPerDay;
  for (long long d = FloorDivide(first + day - 1, day); d * day <= last; d += days)
    ticks.push_back(
        {d * day, text.dated ? TimeLabel(d * day, text).substr(0, 10) : Format("day %lld", d)});
  return ticks;
}

// Ticks at the first of every `months`-th month (YYYY-MM), or of every `months / 12`-th year
// (YYYY) when months is a whole number of years.
std::vector<TimeTick> MonthTicks(long long first, long long last, long long months,
                                 const WindowText& text) {
  std::vector<TimeTick> ticks;
  long long year = 0, month = 0, day = 0;
  CivilFromDays(FloorDivide(first, kSecondsPerDay), year, month, day);
  for (long long index = year * 12 + month - 1;; ++index) {
    const long long y = FloorDivide(index, 12), m = index - y * 12 + 1;
    const long long at = DaysFromCivil(y, m, 1) * kSecondsPerDay;
    if (at > last) break;
    if (at < first || index % months != 0) continue;
    const std::string label = TimeLabel(at, text);
    ticks.push_back({at, months % 12 == 0 ? label.substr(0, 4) : label.substr(0, 7)});
  }
  return ticks;
}

// Hours within a day; otherwise days, weeks, months or years, whichever is the finest whose
// labels do not overlap.
std::vector<TimeTick> TimeTicks(long long first, long long last, const WindowText& text,
                                double plotWidth) {
  const long long span = std::max(last - first, 1LL);
  const long long day = kSecondsPerDay, month = 30 * day;
  // Each choice with its spacing, roughly, so that choices of far too many ticks are not made.
  std::vector<std::pair<long long, std::function<std::vector<TimeTick>()>>> choices;
  if (span <= day) {
    for (long long hours : {1, 2, 3, 6, 12})
      choices.push_back({hours * 3600, [=] { return HourTicks(first, last, hours * 3600, text); }});
  }
  for (long long days : {1, 2, 7, 14})
    choices.push_back({days * day, [=] { return DayTicks(first, last, days, text); }});
  if (text.dated) {
    for (long long months : {1, 2, 3, 6})
      choices.push_back({months * month, [=] { return MonthTicks(first, last, months, text); }});
    for (long long years = 1; years <= 100000; years *= 10)
      for (long long times : {1, 2, 5})
        choices.push_back({years * times * 12 * month,
                           [=] { return MonthTicks(first, last, 12 * years * times, text); }});
  } else {
    for (long long days = 28; days <= 1LL << 40; days *= 2)
      choices.push_back({days * day, [=] { return DayTicks(first, last, days, text); }});
  }
  // The finest that fits with two ticks or more, else the finest that fits with one.
  std::vector<TimeTick> single;
  for (const auto& [spacing, choice] : choices) {
    if (static_cast<double>(span / spacing) * kCharWidth > plotWidth) continue;
    std::vector<TimeTick> ticks = choice();
    if (!LabelsFit(ticks, span, plotWidth)) continue;
    if (ticks.size() >= 2) return ticks;
    if (single.empty()) single = ticks;
  }
  return single;
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

bool HasData(const std::vector<Window>& windows) {
  return std::any_of(windows.begin(), windows.end(), [](const Window& w) { return w.hasData; });
}

// Where a panel's values and times go on the page.
struct PanelFrame {
  double top = 0, bottom = 0, plotWidth = 0;
  double low = 0, high = 1;
  std::function<double(long long)> x;
  double Y(double value) const { return bottom - kPanelHeight * (value - low) / (high - low); }
};

// The value range of what a panel draws, widened when it is a single value.
void ValueRange(const ChartPanel& panel, bool drawCombined, PanelFrame& frame) {
  bool anyValue = false;
  const auto widen = [&](double value) {
    frame.low = anyValue ? std::min(frame.low, value) : value;
    frame.high = anyValue ? std::max(frame.high, value) : value;
    anyValue = true;
  };
  for (const ChartLine& line : panel.lines)
    for (const Window& w : line.windows)
      if (w.hasData) widen(w.mean);
  if (drawCombined)
    for (const Window& w : panel.combined)
      if (w.hasData) {
        widen(w.minimum);
        widen(w.maximum);
      }
  if (!anyValue) frame.high = 1;
  if (!(frame.high > frame.low)) {
    const double pad = frame.low == 0 ? 1 : std::fabs(frame.low) * 0.1;
    frame.low -= pad;
    frame.high += pad;
  }
}

std::string AxesSvg(const std::vector<TimeTick>& timeTicks, const std::string& unit,
                    PanelFrame& frame) {
  const std::vector<double> valueTicks = ValueTicks(frame.low, frame.high);
  std::string svg = "<g class=\"axis x\" stroke=\"#ddd\" fill=\"#444\" text-anchor=\"middle\">\n";
  for (const TimeTick& tick : timeTicks)
    svg += Format(
        "<g class=\"tick\"><line x1=\"%.1f\" y1=\"%.0f\" x2=\"%.1f\" y2=\"%.0f\"/>"
        "<text x=\"%.1f\" y=\"%.0f\" stroke=\"none\">%s</text></g>\n",
        frame.x(tick.at), frame.top, frame.x(tick.at), frame.bottom, frame.x(tick.at),
        frame.bottom + 16, Escaped(tick.label).c_str());
  svg += "</g>\n<g class=\"axis y\" stroke=\"#ddd\" fill=\"#444\" text-anchor=\"end\">\n";
  for (double tick : valueTicks)
    svg += Format(
        "<g class=\"tick\"><line x1=\"%.0f\" y1=\"%.1f\" x2=\"%.0f\" y2=\"%.1f\"/>"
        "<text x=\"%.0f\" y=\"%.1f\" stroke=\"none\">%s</text></g>\n",
        kLeft, frame.Y(tick), kLeft + frame.plotWidth, frame.Y(tick), kLeft - 6, frame.Y(tick) + 4,
        Escaped(Format("%g", tick) + (unit.empty() ? "" : " " + unit)).c_str());
  svg += "</g>\n";
  svg += Format(
      "<rect class=\"frame\" x=\"%.0f\" y=\"%.0f\" width=\"%.0f\" height=\"%.0f\" "
      "fill=\"none\" stroke=\"#888\"/>\n",
      kLeft, frame.top, frame.plotWidth, kPanelHeight);
  return svg;
}

// The band from the minimum to the maximum of each run of windows with data (maxima forward,
// minima back), and the mean of the series as a dashed line.
std::string CombinedSvg(const std::vector<Window>& combined, long long step,
                        const PanelFrame& frame) {
  std::string svg;
  std::vector<Window> run;
  const auto closeRun = [&] {
    if (run.empty()) return;
    std::string points;
    for (const Window& w : run)
      points += Format("%.1f,%.1f ", frame.x(w.centre), frame.Y(w.maximum));
    for (auto it = run.rbegin(); it != run.rend(); ++it)
      points += Format("%.1f,%.1f ", frame.x(it->centre), frame.Y(it->minimum));
    points.pop_back();
    svg += "<polygon class=\"band\" fill=\"#bbb\" fill-opacity=\"0.5\" stroke=\"none\" points=\"" +
           points + "\"/>\n";
    run.clear();
  };
  for (const Window& w : combined) {
    if (!w.hasData || (!run.empty() && w.centre - run.back().centre > step)) closeRun();
    if (w.hasData) run.push_back(w);
  }
  closeRun();
  return svg +
         "<path class=\"mean\" fill=\"none\" stroke=\"#000\" stroke-width=\"1.5\" "
         "stroke-dasharray=\"5,3\" d=\"" +
         BrokenPath(combined, step, frame.x, [&](const Window& w) { return frame.Y(w.mean); }) +
         "\"/>\n";
}

std::string LegendSvg(const std::vector<std::pair<std::string, std::string>>& legend,
                      const PanelFrame& frame) {
  std::string svg = "<g class=\"legend\">\n";
  for (std::size_t i = 0; i < legend.size(); ++i) {
    const double at = frame.top + 10 + 18 * static_cast<double>(i);
    svg += Format(
        "<g class=\"legend-entry\"><rect x=\"%.0f\" y=\"%.0f\" width=\"14\" height=\"4\" "
        "fill=\"%s\"/><text x=\"%.0f\" y=\"%.0f\">%s</text></g>\n",
        kLeft + frame.plotWidth + 12, at, legend[i].first.c_str(), kLeft + frame.plotWidth + 32,
        at + 6, Escaped(legend[i].second).c_str());
  }
  return svg + "</g>\n";
}

// One panel: axes, the band and mean of all series when more than one has data, each series
// with data as a line, and a legend of what is drawn.
std::string PanelSvg(const ChartPanel& panel, std::size_t index,
                     const std::vector<TimeTick>& timeTicks, const ChartOptions& options,
                     PanelFrame& frame, std::size_t& colour) {
  const long withData = std::count_if(panel.lines.begin(), panel.lines.end(),
                                      [](const ChartLine& line) { return HasData(line.windows); });
  const bool drawCombined = withData > 1 && HasData(panel.combined);
  ValueRange(panel, drawCombined, frame);
  std::string svg = Format("<g class=\"panel\" id=\"panel-%zu\">\n", index + 1);
  if (!panel.title.empty())
    svg += Format("<text class=\"panel-title\" x=\"%.0f\" y=\"%.0f\" font-weight=\"bold\">", kLeft,
                  frame.top - 6) +
           Escaped(panel.title) + "</text>\n";
  svg += AxesSvg(timeTicks, panel.unit, frame);
  std::vector<std::pair<std::string, std::string>> legend;  // colour, name
  if (drawCombined) svg += CombinedSvg(panel.combined, options.step, frame);
  for (const ChartLine& line : panel.lines) {
    const char* stroke = kColours[colour++ % kColourCount];
    if (!HasData(line.windows)) continue;
    svg += Format(
               "<path class=\"series\" data-series=\"%s\" fill=\"none\" stroke=\"%s\" "
               "stroke-width=\"1.5\" d=\"",
               Escaped(line.name).c_str(), stroke) +
           BrokenPath(line.windows, options.step, frame.x,
                      [&](const Window& w) { return frame.Y(w.mean); }) +
           "\"/>\n";
    legend.push_back({stroke, line.name});
  }
  if (drawCombined) {
    legend.push_back({"#bbb", "min to max of the series"});
    legend.push_back({"#000", "mean of the series"});
  }
  return svg + LegendSvg(legend, frame) + "</g>\n";
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
  PanelFrame frame;
  frame.plotWidth = kWidth - kLeft - kRight;
  frame.x = [&](long long t) {
    return kLeft +
           frame.plotWidth * static_cast<double>(t - first) / static_cast<double>(last - first);
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
  const std::vector<TimeTick> timeTicks = TimeTicks(first, last, options.text, frame.plotWidth);
  std::size_t colour = 0;
  for (std::size_t p = 0; p < panels.size(); ++p) {
    frame.top = kTitleHeight + static_cast<double>(p) * (kPanelHeight + kPanelGap);
    frame.bottom = frame.top + kPanelHeight;
    svg += PanelSvg(panels[p], p, timeTicks, options, frame, colour);
  }
  return svg + "</svg>\n";
}

}  // namespace corvix_tool

// demo: a tour of the library on built-in data, no files needed.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "series.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// A small deterministic generator, so every run shows the same day.
class Noise {
 public:
  explicit Noise(std::uint32_t seed) : state_(seed) {}
  double Next() {  // uniform in [-1, 1)
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / 8388608.0 - 1.0;
  }

 private:
  std::uint32_t state_;
};

// Three series of one day, one sample a minute: a tank temperature that follows the sun, a
// line pressure with a morning and an evening peak, and a flow that only runs in the day shift.
std::vector<Series> BuiltInDay() {
  constexpr double kPi = 3.14159265358979323846;
  std::vector<Series> day(3);
  day[0].name = "temperature";
  day[1].name = "pressure";
  day[2].name = "flow";
  Noise noise(20261208u);
  for (long t = 0; t < CORVIXMATH_SECONDS_PER_DAY; t += 60) {
    const double hours = static_cast<double>(t) / 3600.0;
    day[0].times.push_back(t);
    day[0].values.push_back(18.0 + 6.0 * std::sin((hours - 9.0) * kPi / 12.0) + 0.4 * noise.Next());
    day[1].times.push_back(t);
    day[1].values.push_back(4.2 + 0.8 * std::exp(-std::pow(hours - 8.0, 2.0) / 2.0) +
                            0.6 * std::exp(-std::pow(hours - 19.0, 2.0) / 3.0) +
                            0.05 * noise.Next());
    if (t >= 6 * 3600 && t < 22 * 3600) {
      day[2].times.push_back(t);
      day[2].values.push_back(120.0 + 15.0 * noise.Next());
    }
  }
  return day;
}

void ShowScales(Output& out) {
  CMathOperation math;
  const double values[] = {0.0421, 12.5, 1234.5678, -98765.4321, 4.2e9};
  char unit[] = "W";
  out.Line("Engineering texts of measured values in every scale (4 digits, unit W):");
  std::string header = Format("  %-8s", "scale");
  for (double value : values)
    header += Format(" %14.10g", value);
  out.Line(header);
  for (long scale = 0; scale <= 6; ++scale) {
    char name[CORVIXMATH_NAME_BYTES] = "";
    math.ScaleIndex2String(name, scale, sizeof name);
    std::string row = Format("  %-8s", name);
    for (double value : values) {
      char text[32] = "";
      if (math.DoubleToEngString(text, value, unit, 4, sizeof text,
                                 static_cast<unsigned char>(scale)) != 1)
        std::strcpy(text, "(refused)");
      row += Format(" %14s", text);
    }
    out.Line(row);
  }
  out.Line("");
  char group[] = ",";
  char simple[64] = "", scientific[64] = "", price[64] = "";
  math.DoubleToSimpleString(simple, 1234567.891, 0, 2, 0, group, sizeof simple);
  math.SientificFormat(scientific, 1234567.891, 3, sizeof scientific);
  math.PriceToString(price, 123456789.0, sizeof price, 0, ',');
  out.Line(Format("Plain 1234567.891 with 2 decimals and grouping: %s", simple));
  out.Line(Format("Scientific 1234567.891 with 3 decimals:         %s", scientific));
  out.Line(Format("Price 123456789 with grouping:                  %s", price));
  out.Line("");
}

void ShowSevenSegment(Output& out) {
  CMathOperation math;
  const double value = 12345.678;
  const long word = math.NumberTo4SevenSeg(value, 0);
  out.Line(Format("Seven-segment panel showing %g (Auto scale): word 0x%08lX", value,
                  static_cast<unsigned long>(word) & 0xFFFFFFFFul));
  for (const std::string& row : DrawSevenSegment(word))
    out.Line("  " + row);
  out.Line("");
}

void ShowFormulas(Output& out) {
  CMathOperation math;
  char variables[] = "#a#b#lvl#";
  const char* formulas[] = {"(a+b)*2>lvl", "a+*b", "(a+b", "2x+1"};
  out.Line("Formulas checked against the variables a, b, lvl:");
  for (const char* formula : formulas) {
    char text[CORVIXMATH_EXPRESSION_UNITS] = "";
    std::strncpy(text, formula, sizeof text - 1);
    char message[CORVIXMATH_MESSAGE_BYTES] = "";
    const long code = math.VerifyRegExpString(text, message, variables);
    out.Line(
        Format("  %-14s %s", formula, code == 1 ? "ok" : Format("%ld %s", code, message).c_str()));
  }
  out.Line("");
}

void ShowDay(Output& out) {
  std::vector<Series> day = BuiltInDay();
  out.Line(Format("A built-in day of %zu series (temperature, pressure, flow; one sample a minute)",
                  day.size()));
  out.Line("reduced to hourly windows (W = S = 3600 s): min, max and mean of the series averages");
  const std::vector<Window> windows = ReduceToWindows(day, 3600, 3600);
  out.Line(Format("  %-9s %10s %10s %10s", "centre", "min", "max", "mean"));
  for (const Window& w : windows)
    out.Line(Format("  %-9s %10.3f %10.3f %10.3f", ClockText(w.centre).c_str(), w.minimum,
                    w.maximum, w.mean));
  out.Line(Format("%zu windows", windows.size()));
}

}  // namespace

void AddDemoCommand(CLI::App& app, Output& out) {
  CLI::App* command = app.add_subcommand("demo", "A tour of the library on built-in data");
  command->callback([&out] {
    out.Line("CorvixMath demo");
    out.Line("");
    ShowScales(out);
    ShowSevenSegment(out);
    ShowFormulas(out);
    ShowDay(out);
  });
}

}  // namespace corvix_tool

// stats and windows: what a set of samples or a day of logged series reduces to.
#include <fstream>
#include <iostream>
#include <memory>

#include "CMathOperation.h"
#include "series.h"
#include "tool.h"

namespace corvix_tool {
namespace {

std::vector<double> ReadNumbers(std::istream& input, const std::string& name) {
  std::vector<double> values;
  std::string line;
  long lineNumber = 0;
  while (std::getline(input, line)) {
    ++lineNumber;
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') continue;
    const auto last = line.find_last_not_of(" \t\r");
    try {
      values.push_back(ParseNumber(line.substr(first, last - first + 1)));
    } catch (const BadInput& error) {
      throw BadInput(name + ":" + std::to_string(lineNumber) + ": " + error.what());
    }
  }
  if (input.bad()) throw BadInput(name + ": read error");
  return values;
}

void AddStats(CLI::App& app, Output& out) {
  auto file = std::make_shared<std::string>("-");
  CLI::App* command = app.add_subcommand(
      "stats", "Count, minimum, maximum, average and spread of numbers, one per line");
  command->add_option("FILE", *file, "the file, or - for standard input")->capture_default_str();
  command->callback([file, &out] {
    std::vector<double> values;
    if (*file == "-") {
      values = ReadNumbers(std::cin, "<stdin>");
    } else {
      std::ifstream input(*file);
      if (!input) throw BadInput("cannot read '" + *file + "'");
      values = ReadNumbers(input, *file);
    }
    double minimum = 0, maximum = 0, average = 0, spread = 0;
    CMathOperation math;
    math.CalculateMinMaxAvrSD(values.data(), static_cast<long>(values.size()), &minimum, &maximum,
                              &average, &spread);
    out.Line(Format("count: %zu", values.size()));
    out.Line(Format("minimum: %.17g", minimum));
    out.Line(Format("maximum: %.17g", maximum));
    out.Line(Format("average: %.17g", average));
    out.Line(Format("spread: %.17g", spread));
  });
}

void AddWindows(CLI::App& app, Output& out) {
  struct Options {
    long width = 0;
    long step = 0;
    std::vector<std::string> files;
    std::string svg;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "windows", "Reduce series of 'time,value' lines to one point per time window (CSV)");
  command->add_option("--width", options->width, "window width W in seconds")->required();
  command->add_option("--step", options->step, "step S between window centres, seconds")
      ->required();
  command->add_option("FILE", options->files, "one file per series (at most 32)")->required();
  command->add_option("--svg", options->svg, "also write a chart of the day to this file");
  command->callback([options, &out] {
    if (options->files.size() > kMostSeries)
      throw BadInput("at most " + std::to_string(kMostSeries) + " files (series), not " +
                     std::to_string(options->files.size()));
    if (options->width < 1 || options->width > 86400 || options->step < 1 || options->step > 86400)
      throw BadInput("--width and --step must be from 1 to 86400 seconds");
    std::vector<Series> series;
    for (const std::string& file : options->files) {
      std::ifstream input(file);
      if (!input) throw BadInput("cannot read '" + file + "'");
      series.push_back(ReadSeries(input, file));
    }
    const std::vector<Window> windows = ReduceToWindows(series, options->width, options->step);
    if (!options->svg.empty()) {
      std::ofstream chart(options->svg, std::ios::binary);
      chart << WindowsSvg(windows, Format("%zu series, W = %ld s, S = %ld s", series.size(),
                                          options->width, options->step));
      if (!chart.flush()) throw BadInput("cannot write '" + options->svg + "'");
    }
    out.text += WindowsCsv(windows);
  });
}

}  // namespace

void AddSeriesCommands(CLI::App& app, Output& out) {
  AddStats(app, out);
  AddWindows(app, out);
}

}  // namespace corvix_tool

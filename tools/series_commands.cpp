// stats and windows: what a set of samples or logged series reduce to.
#include <cmath>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include "CMathOperation.h"
#include "pipeline.h"
#include "series.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// Options shared by the commands that read series.
struct SeriesOptions {
  std::vector<std::string> files;
  ReadOptions read;
  bool header = false;
  bool noHeader = false;
  std::string values;
  std::string chosen;
  std::string good;
  std::string format;
  int decimals = -1;
  bool verbose = false;
};

void AddInputOptions(CLI::App& command, SeriesOptions& options) {
  command.add_option("--separator", options.read.separator,
                     "column separator: ',', ';' or 'tab' (default: the first line decides)");
  command.add_flag("--header", options.header, "the first line names the columns");
  command.add_flag("--no-header", options.noHeader,
                   "the first line is data (default: a first line whose time does not read is a "
                   "header)");
  command.add_option("--time", options.read.timeColumn,
                     "the time column, by header name or number (default 1)");
  command.add_option("--time-format", options.read.timeFormat,
                     "the form of the times: a pattern of %Y %y %m %d %j %b %H %M %S %f %z "
                     "('%d.%m.%Y %H:%M'), or epoch, epoch-ms or year (default: seconds, HH:MM:SS, "
                     "ISO 8601, 2015/01/31 13:00, Jan 31 2015)");
  command.add_flag("--decimal-comma", options.read.decimalComma,
                   "values with a decimal comma, 1,5 and 1.234,5 (default: with ';' between "
                   "columns, when the first data line's values read only so)");
  command.add_option("--values", options.values,
                     "value columns, by header names or numbers, comma separated (default: every "
                     "column but the time); each is one series");
  command.add_option("--series-column", options.read.seriesColumn,
                     "long format (one row per tag and time): the tag column, by header name or "
                     "number; each tag is one series, its times in order");
  command.add_option("--series", options.chosen,
                     "with --series-column, the tags to reduce, comma separated (default: all)");
  command.add_option("--quality-column", options.read.qualityColumn,
                     "a quality column, by header name or number: only samples whose quality is "
                     "listed in --good are used, the others counted on standard error");
  command.add_option("--good", options.good, "the good qualities, comma separated (192,GOOD)");
  command.add_flag("--skip-bad", options.read.skipBad,
                   "skip bad lines (a value or time that does not read, times going back) and "
                   "report how many on standard error");
  command
      .add_option("--decimals", options.decimals,
                  "numbers with N decimals (default: the shortest text that reads back to the "
                  "same double)")
      ->check(CLI::Range(0, 17));
  command.add_flag("--verbose", options.verbose,
                   "report samples read, used and results written on standard error");
}

// The items of a comma-separated list, empty ones left out.
std::vector<std::string> ListOf(const std::string& text) {
  std::vector<std::string> items;
  std::stringstream list(text);
  std::string item;
  while (std::getline(list, item, ','))
    if (!item.empty()) items.push_back(item);
  return items;
}

SeriesSet ReadAll(SeriesOptions& options, const RowsRead& rowsRead = nullptr) {
  if (options.header && options.noHeader)
    throw BadInput("--header and --no-header exclude each other");
  options.read.header = options.header ? 1 : options.noHeader ? 0 : -1;
  options.read.values = ListOf(options.values);
  options.read.chosen = ListOf(options.chosen);
  options.read.good = ListOf(options.good);
  long standardInputs = 0;
  for (const std::string& file : options.files)
    if (file == "-" && ++standardInputs > 1) throw BadInput("standard input (-) can be read once");
  SeriesSet set;
  for (const std::string& file : options.files)
    ReadSeriesPath(file, options.read, set, rowsRead);
  if (set.series.size() > CORVIXMATH_MAX_SERIES)
    throw BadInput(
        Format("%zu series in all; at most %d can be reduced at once: choose some "
               "with --values or --series",
               set.series.size(), CORVIXMATH_MAX_SERIES));
  return set;
}

// What was left out by the user's choice, and what was skipped as bad.
void ReportSkipped(const SeriesSet& set, const Skipped& skipped, bool verbose, Output& out) {
  if (set.notGood > 0)
    out.reasons.push_back(Format("left out %ld rows whose quality is not --good", set.notGood));
  // Numbers that look like years or times since 1970 are read as seconds all the same: said.
  const bool years = set.bareLowest >= 1000 && set.bareHighest <= 2999;
  if (set.bareNumbers > 0 && (years || set.bareHighest >= 1000000000))
    out.reasons.push_back(
        Format("times %lld to %lld are read as seconds; --time-format %s reads "
               "them as dates",
               set.bareLowest, set.bareHighest, years ? "year" : "epoch or epoch-ms"));
  if (verbose) out.reasons.insert(out.reasons.end(), set.notes.begin(), set.notes.end());
  if (verbose && set.notChosen > 0)
    out.reasons.push_back(Format("left out %ld rows of tags not in --series", set.notChosen));
  if (skipped.Total() == 0) return;
  out.reasons.push_back(Format(
      "skipped %ld: %ld bad lines or values, %ld times going back, %ld samples no window holds",
      skipped.Total(), skipped.badLines, skipped.goingBack, skipped.heldByNoWindow));
}

const char* kSpreadFormula = "sqrt(sum((x - average)^2)) / n";
const char* kDeviationFormula = "sqrt(sum((x - average)^2) / n)";

// One series' count, minimum, maximum, average, spread and population standard deviation in
// the chosen format: lines of text or CSV into `out`, a JSON object onto `json`.
void WriteStats(Series& series, const SeriesOptions& options, bool named, Output& out,
                std::string& json) {
  std::vector<double>& values = series.values;
  const long n = static_cast<long>(values.size());
  double minimum = 0, maximum = 0, average = 0, spread = 0;
  CMathOperation().CalculateMinMaxAvrSD(values.data(), n, &minimum, &maximum, &average, &spread);
  double squares = 0;
  for (double value : values)
    squares += (value - average) * (value - average);
  const double deviation = std::sqrt(squares / static_cast<double>(n));
  const auto number = [&](double value) { return NumberText(value, options.decimals); };
  if (options.format == "csv") {
    out.Line(CsvField(series.name) + Format(",%ld,", n) + number(minimum) + "," + number(maximum) +
             "," + number(average) + "," + number(spread) + "," + number(deviation));
  } else if (options.format == "json") {
    json += std::string(json.empty() ? "[\n" : ",\n") +
            "  {\"series\": " + JsonString(series.name) +
            Format(", \"count\": %ld, \"minimum\": ", n) + number(minimum) +
            ", \"maximum\": " + number(maximum) + ", \"average\": " + number(average) +
            ", \"spread\": " + number(spread) + ", \"spread_formula\": \"" + kSpreadFormula +
            "\", \"population_standard_deviation\": " + number(deviation) + "}";
  } else {
    if (named) out.Line((out.text.empty() ? "" : "\n") + std::string("series: ") + series.name);
    out.Line(Format("count: %ld", n));
    out.Line("minimum: " + number(minimum));
    out.Line("maximum: " + number(maximum));
    out.Line("average: " + number(average));
    out.Line(std::string("spread ") + kSpreadFormula + ": " + number(spread));
    out.Line(std::string("population standard deviation ") + kDeviationFormula + ": " +
             number(deviation));
  }
}

void RunStats(SeriesOptions& options, Output& out) {
  // The statistics need every value twice (the spread's deviations from the average), but
  // neither times nor line numbers: those go as soon as their rows are read.
  std::vector<std::vector<double>> values;
  SeriesSet set = ReadAll(options, [&](SeriesSet& read, long long) {
    values.resize(read.series.size());
    for (std::size_t s = 0; s < read.series.size(); ++s) {
      Series& series = read.series[s];
      values[s].insert(values[s].end(), series.values.begin(), series.values.end());
      series.times.clear();
      series.values.clear();
      series.lines.clear();
    }
  });
  for (std::size_t s = 0; s < values.size(); ++s) {
    values[s].insert(values[s].end(), set.series[s].values.begin(), set.series[s].values.end());
    set.series[s].values.swap(values[s]);
  }
  ReportSkipped(set, set.skipped, options.verbose, out);
  if (set.series.empty()) out.Refuse("no data");
  const bool named = set.series.size() > 1;
  std::string json;
  if (options.format == "csv")
    out.Line("series,count,minimum,maximum,average,spread,population_standard_deviation");
  for (Series& series : set.series) {
    if (series.values.empty())
      out.Refuse(named ? "series " + series.name + ": no data" : "no data");
    else
      WriteStats(series, options, named, out, json);
  }
  if (options.format == "json" && !json.empty()) out.text += json + "\n]\n";
  if (options.verbose)
    out.reasons.push_back(Format("read %ld samples of %zu series (%ld empty cells), used %ld",
                                 set.samplesRead, set.series.size(), set.emptyCells,
                                 set.samplesRead));
}

void AddStats(CLI::App& app, Output& out) {
  auto options = std::make_shared<SeriesOptions>();
  options->files = {"-"};
  options->format = "text";
  CLI::App* command = app.add_subcommand(
      "stats",
      "Count, minimum, maximum, average and spread of numbers: one per line, or the value columns "
      "of a CSV file (one result per series)");
  command->footer(StatsRules());
  command->add_option("FILE", options->files, "files, or - for standard input")
      ->capture_default_str();
  options->read.valuesOnly = true;
  AddInputOptions(*command, *options);
  command->add_option("--format", options->format, "text, csv (with a header row) or json")
      ->check(CLI::IsMember({"text", "csv", "json"}))
      ->capture_default_str();
  command->callback([options, &out] { RunStats(*options, out); });
}

// Widths and steps of more than a year, for a yearly view of a decade.
constexpr long long kLongestWindowDays = 400;

// A width or step: seconds, or a number with s, m, h, d or w ("90", "15m", "7d", "2w").
long long ParseDuration(const std::string& text, const std::string& what) {
  long long unit = 1;
  std::string digits = text;
  if (!digits.empty()) {
    switch (digits.back()) {
      case 's':
        unit = 1;
        break;
      case 'm':
        unit = 60;
        break;
      case 'h':
        unit = 3600;
        break;
      case 'd':
        unit = kSecondsPerDay;
        break;
      case 'w':
        unit = 7 * kSecondsPerDay;
        break;
      default:
        unit = 0;
    }
    if (unit != 0)
      digits.pop_back();
    else
      unit = 1;
  }
  const long long longest = kLongestWindowDays * kSecondsPerDay;
  const std::string rule = what + Format(
                                      " must be from 1 s to %lld days (seconds, or a number "
                                      "with s, m, h, d or w)",
                                      kLongestWindowDays);
  long long count = 0;
  try {
    count = ParseInteger(digits, 1, longest, what);
  } catch (const BadInput&) {
    throw BadInput(rule + ": '" + text + "'");
  }
  if (count * unit > longest) throw BadInput(rule + ": '" + text + "'");
  return count * unit;
}

struct WindowsOptions : SeriesOptions {
  std::string width;
  std::string step;
  std::string svg;
  std::string title;
  std::string unit;
  bool perSeries = false;
  bool perSeriesColumns = false;
  bool emptyWindows = false;
  int jobs = 0;  // 0: the number of cores
};

// The chart's panels, drawn from the very windows the CSV or JSON output holds: one panel of
// every series with the band and mean of them all, or with --per-series one panel each.
std::vector<ChartPanel> ChartPanels(const WindowsOptions& options, const SeriesSet& set,
                                    const std::vector<Window>& windows) {
  // One unit for all, or with --per-series one per series, comma separated.
  const std::vector<std::string> units = ListOf(options.unit);
  const bool unitPerSeries = options.perSeries && units.size() == set.series.size();
  std::vector<ChartPanel> panels;
  // One series alone: its line is the windows' mean, and the band of one line is no band.
  if (!options.perSeries)
    panels.push_back(
        {"", options.unit, {}, set.series.size() > 1 ? windows : std::vector<Window>()});
  for (std::size_t i = 0; i < set.series.size(); ++i) {
    ChartLine line{set.series[i].name, AveragesOf(windows, i)};
    if (options.perSeries)
      panels.push_back({set.series[i].name, unitPerSeries ? units[i] : options.unit, {line}, {}});
    else
      panels.front().lines.push_back(line);
  }
  return panels;
}

void WriteChart(const WindowsOptions& options, const SeriesSet& set,
                const std::vector<Window>& windows, const WindowText& text, long long width,
                long long step) {
  ChartOptions chart;
  chart.title = !options.title.empty() ? options.title
                                       : Format("%zu series, windows of %lld s every %lld s",
                                                set.series.size(), width, step);
  chart.step = step;
  chart.text = text;
  chart.text.seriesNames.clear();
  std::ofstream file(options.svg, std::ios::binary);
  file << WindowsSvg(ChartPanels(options, set, windows), chart);
  if (!file.flush()) throw BadInput("cannot write '" + options.svg + "'");
}

// Window rows written to standard output as they are reduced, so that a long log's first rows
// come out while it is still read. Rows without data before the first row with data are held
// (as a count) until one comes: with no data at all nothing is written.
class WindowRows {
 public:
  WindowRows(bool json, bool keepForChart) : json_(json), keepForChart_(keepForChart) {}

  WindowText text;
  std::vector<Window> kept;  // every row, for the chart
  long withData = 0;
  long written = 0;

  void Add(const Window& w) {
    if (keepForChart_) kept.push_back(w);
    if (withData == 0 && !w.hasData) {
      if (heldEmpty_++ == 0) firstHeld_ = w.centre;
      return;
    }
    if (withData == 0) {
      chunk_ += json_ ? "[" : WindowsCsvHeader(text);
      Window empty{firstHeld_, 0,     0,
                   0,          false, std::vector<double>(text.seriesNames.size(), std::nan(""))};
      for (long i = 0; i < heldEmpty_; ++i, empty.centre += step)
        Write(empty);
    }
    withData += w.hasData ? 1 : 0;
    Write(w);
  }

  // Sends what was written so far on its way.
  void Flush() {
    std::fwrite(chunk_.data(), 1, chunk_.size(), stdout);
    std::fflush(stdout);
    chunk_.clear();
  }

  void End() {
    if (json_ && withData > 0) chunk_ += "\n]\n";
    Flush();
  }

  long long step = 0;

 private:
  void Write(const Window& w) {
    if (json_)
      chunk_ += (written == 0 ? "\n  " : ",\n  ") + WindowJsonObject(w, text);
    else
      chunk_ += WindowCsvLine(w, text);
    ++written;
  }

  const bool json_;
  const bool keepForChart_;
  long heldEmpty_ = 0;
  long long firstHeld_ = 0;
  std::string chunk_;
};

// Samples read since the last hand-over, for the reducer.
struct RowBatch {
  std::vector<Series> series;
  long long lastTime = 0;  // no later row goes back before it
  bool dated = false;
  bool utc = false;
  bool end = false;  // the last batch: every window can be finished
};

// Moves the samples out of `set` into `batch` (whose vectors keep their room), leaving the
// set's series empty.
void TakeRows(SeriesSet& set, long long lastTime, bool end, RowBatch& batch) {
  batch.series.resize(set.series.size());
  for (std::size_t s = 0; s < set.series.size(); ++s) {
    Series& from = set.series[s];
    Series& to = batch.series[s];
    if (to.name != from.name) to.name = from.name;
    to.times.assign(from.times.begin(), from.times.end());
    to.values.assign(from.values.begin(), from.values.end());
    from.times.clear();
    from.values.clear();
    from.lines.clear();
  }
  batch.lastTime = lastTime;
  batch.dated = set.dated;
  batch.utc = set.utc;
  batch.end = end;
}

void RunWindows(WindowsOptions& options, Output& out) {
  const long long width = ParseDuration(options.width, "--width");
  const long long step = ParseDuration(options.step, "--step");
  const std::size_t units = ListOf(options.unit).size();
  const bool eachSeries = options.perSeriesColumns || !options.svg.empty();
  WindowRows rows(options.format == "json", !options.svg.empty());
  rows.step = step;
  rows.text.decimals = options.decimals;
  std::unique_ptr<WindowReducer> reducer;
  // Reduces and writes what a batch brings; the reducer is made once the series are known.
  const auto reduce = [&](RowBatch& batch) {
    if (!reducer) {
      if (units > 1 && !(options.perSeries && units == batch.series.size()))
        throw BadInput("--unit takes one unit, or with --per-series one per series");
      reducer = std::make_unique<WindowReducer>(width, step, batch.series.size(),
                                                options.emptyWindows, eachSeries);
      if (options.perSeriesColumns)
        for (const Series& series : batch.series)
          rows.text.seriesNames.push_back(series.name);
    }
    for (std::size_t s = 0; s < batch.series.size(); ++s)
      reducer->Push(s, batch.series[s]);
    if (batch.end)
      reducer->Finish();
    else
      reducer->Advance(batch.lastTime);
    rows.text.dated = batch.dated;
    rows.text.utc = batch.utc;
    reducer->Take([&](const Window& w) { rows.Add(w); });
    if (rows.withData > 0) rows.Flush();
  };
  // One file of one row per time streams: its rows are reduced while it is read, with --jobs 2
  // or more on a second thread. Several files, or tags per row, are read whole first.
  const unsigned cores = std::thread::hardware_concurrency();
  const int jobs = options.jobs > 0 ? options.jobs : static_cast<int>(cores > 0 ? cores : 1);
  const bool streams = options.files.size() == 1;
  std::unique_ptr<Pipeline<RowBatch>> pipeline;
  if (streams && jobs > 1) pipeline = std::make_unique<Pipeline<RowBatch>>(reduce);
  RowBatch alone;  // the one batch without a second thread
  const auto send = [&](SeriesSet& read, long long lastTime, bool end) {
    if (!pipeline) {
      TakeRows(read, lastTime, end, alone);
      reduce(alone);
      return;
    }
    RowBatch batch;
    pipeline->Reuse(batch);
    TakeRows(read, lastTime, end, batch);
    pipeline->Send(std::move(batch));
  };
  SeriesSet set = ReadAll(options, streams ? RowsRead([&](SeriesSet& read, long long lastTime) {
                            send(read, lastTime, false);
                          })
                                           : RowsRead());
  send(set, 0, true);
  if (pipeline) pipeline->Close();
  set.skipped.heldByNoWindow += static_cast<long>(reducer->HeldByNoWindow());
  ReportSkipped(set, set.skipped, options.verbose, out);
  if (rows.withData == 0) {
    out.Refuse("no data");
    return;
  }
  rows.End();
  if (!options.svg.empty()) WriteChart(options, set, rows.kept, rows.text, width, step);
  if (options.verbose)
    out.reasons.push_back(
        Format("read %ld samples of %zu series (%ld empty cells), used %ld, wrote %ld windows",
               set.samplesRead, set.series.size(), set.emptyCells,
               set.samplesRead - set.skipped.heldByNoWindow, rows.written));
}

void AddWindows(CLI::App& app, Output& out) {
  auto options = std::make_shared<WindowsOptions>();
  options->format = "csv";
  CLI::App* command = app.add_subcommand(
      "windows",
      "Reduce logged series to one point per time window: the minimum, maximum and mean of the "
      "series' window averages");
  command
      ->add_option("--width", options->width,
                   "window width W: seconds, or 90s, 15m, 1h, 7d, 2w (at most 400 days)")
      ->required();
  command->add_option("--step", options->step, "step S between window centres, as the width")
      ->required();
  command->footer(WindowsRules());
  command->add_option("FILE", options->files, "CSV files, or - for standard input")->required();
  AddInputOptions(*command, *options);
  command->add_option("--format", options->format, "csv (with a header row) or json")
      ->check(CLI::IsMember({"csv", "json"}))
      ->capture_default_str();
  command->add_flag("--empty-windows", options->emptyWindows,
                    "also write windows without data, with empty values");
  command->add_flag("--per-series-columns", options->perSeriesColumns,
                    "also write each series' window average beside min, max and mean (a column "
                    "per series, or in JSON a \"series\" object)");
  command->add_option("--svg", options->svg, "also write a chart of the same windows to this file");
  command->add_option("--title", options->title, "the chart's title");
  command->add_option("--unit", options->unit,
                      "the unit of the values on the chart's axis; with --per-series one per "
                      "series, comma separated");
  command->add_flag("--per-series", options->perSeries,
                    "the chart draws one panel per series, each with its own value axis");
  command
      ->add_option("--jobs", options->jobs,
                   "threads: with 2 or more, one file's windows are reduced and written on a "
                   "thread of their own while it is read (default: the number of cores)")
      ->check(CLI::Range(1, 256));
  command->callback([options, &out] { RunWindows(*options, out); });
}

}  // namespace

void AddSeriesCommands(CLI::App& app, Output& out) {
  AddStats(app, out);
  AddWindows(app, out);
}

}  // namespace corvix_tool

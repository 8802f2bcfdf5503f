// Reading logged series from CSV files: the first line decides the layout (separator, header,
// time and value columns), every other line adds one sample to each value column's series.
//   "Time,Level\n2010-01-01T00:00:00,1\n"  -> series "Level": (1262304000, 1), dated
//   "0;1;10\n60;3;30\n"                    -> series "<file>:2" and "<file>:3", undated
#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <string_view>

#include "csv_fields.h"
#include "frame/internal/float_chars.h"
#include "line_source.h"
#include "series.h"
#include "series_long.h"
#include "series_time.h"
#include "tool.h"

namespace corvix_tool {
namespace {

class SeriesReader {
 public:
  SeriesReader(const std::string& name, const ReadOptions& options, SeriesSet& set)
      : name_(name),
        options_(options),
        set_(set),
        firstSeries_(set.series.size()),
        timeFormat_(options.timeFormat) {}

  void Line(std::string_view line) {
    ++lineNumber_;
    if (lineNumber_ == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    std::string_view text = TrimmedView(line);
    if (text.empty() || text[0] == '#') return;
    if (!laidOut_) {
      laidOut_ = true;
      if (ReadLayout(std::string(text))) return;
    }
    // Tabs at the end of a tab-separated row separate empty cells: they stay.
    if (separator_ == '\t') {
      const std::size_t start = static_cast<std::size_t>(text.data() - line.data());
      text = line.substr(start, line.find_last_not_of(" \r") + 1 - start);
    }
    ReadRow(text);
  }

  void Finish() const {
    if (long_) long_->CheckCount(firstSeries_, set_.series.size(), name_);
  }

  // One row per time: rows never go back, so what was read may be taken out as it comes.
  bool RowsInTimeOrder() const { return laidOut_ && !long_->Active(); }
  bool AnyTime() const { return anyTime_; }
  bool Timed() const { return HasTime(); }
  long long LastTime() const { return lastTime_; }

 private:
  std::string Where() const { return name_ + ":" + std::to_string(lineNumber_) + ": "; }

  // A bad line: BadInput, or with --skip-bad counted in `counter` (never skipped without one).
  void Report(const std::string& what, long* counter) {
    if (!options_.skipBad || counter == nullptr) throw BadInput(Where() + what);
    ++*counter;
  }

  bool HasTime() const { return !(options_.valuesOnly && columns_ == 1); }

  // A header is a first line whose time (or, without times, whose value) does not read.
  bool IsHeader(const std::vector<std::string>& fields) const {
    long long number = 0;
    const bool timeByName =
        !options_.timeColumn.empty() && !ParseDigits(options_.timeColumn, 6, number);
    if (options_.header != -1 || timeByName) return options_.header == 1 || timeByName;
    double value = 0;
    if (!HasTime()) return !ParseNumberNoThrow(fields[0], value);
    const std::size_t column = number >= 1 ? static_cast<std::size_t>(number - 1) : 0;
    ReadTime time;
    // A header names its time column: no digit in it ("Time"), where a malformed time
    // ("2010-02-30T00:00") is data with an error.
    return column < columns_ && !timeFormat_.Parse(fields[column], time).empty() &&
           fields[column].find_first_of("0123456789") == std::string::npos;
  }

  // The first line: separator, header, columns and one series per value column. True when the
  // line was a header.
  bool ReadLayout(const std::string& text) {
    separator_ = SeparatorOf(options_.separator, text);
    const std::vector<std::string> fields = SplitFields(text, separator_);
    columns_ = fields.size();
    const bool isHeader = IsHeader(fields);
    if (isHeader) header_ = fields;
    if (HasTime()) {
      if (columns_ < 2) throw BadInput(Where() + "expected 'time,value' columns: '" + text + "'");
      timeColumn_ = options_.timeColumn.empty()
                        ? 0
                        : ColumnOf(options_.timeColumn, header_, columns_, Where());
    } else {
      timeColumn_ = columns_;  // values only
    }
    long_ = std::make_unique<LongFormat>(options_, header_, columns_, Where());
    if (options_.values.empty()) {
      for (std::size_t i = 0; i < columns_; ++i)
        if (i != timeColumn_ && !long_->Holds(i)) valueColumns_.push_back(i);
    } else {
      for (const std::string& choice : options_.values)
        valueColumns_.push_back(ColumnOf(choice, header_, columns_, Where()));
    }
    if (valueColumns_.empty()) throw BadInput(Where() + "no value column: '" + text + "'");
    decimalComma_ = options_.decimalComma;
    if (decimalComma_ && separator_ == ',')
      throw BadInput(Where() + "--decimal-comma needs columns separated by ';' or tabs");
    if (long_->Active()) {
      NameValueColumns();
      return isHeader;
    }
    if (set_.series.size() + valueColumns_.size() > CORVIXMATH_MAX_SERIES)
      throw BadInput(Where() + Format("%zu series; at most %d can be reduced at once: choose "
                                      "some with --values",
                                      set_.series.size() + valueColumns_.size(),
                                      CORVIXMATH_MAX_SERIES));
    for (std::size_t column : valueColumns_)
      AddSeries(column);
    return isHeader;
  }

  // Long format: the names that tell apart the series of one tag's value columns. A column
  // without a header name, or with one that another value column has too, goes by its number,
  // so that two columns never pour their samples into one series.
  void NameValueColumns() {
    std::map<std::string, std::size_t> headerCounts;
    for (std::size_t column : valueColumns_)
      if (!header_.empty()) ++headerCounts[header_[column]];
    std::set<std::string> names;
    for (std::size_t column : valueColumns_) {
      const std::string header = header_.empty() ? std::string() : header_[column];
      const std::string name =
          header.empty() || headerCounts[header] > 1 ? std::to_string(column + 1) : header;
      if (!names.insert(name).second)
        throw BadInput(Where() + "two value columns would make one series '" + name +
                       "' of each tag: choose each column once with --values");
      valueNames_.push_back(name);
    }
  }

  void AddSeries(std::size_t column) {
    Series series;
    series.file = name_;
    if (!header_.empty() && !header_[column].empty())
      series.name = header_[column];
    else if (valueColumns_.size() == 1)
      series.name = name_;
    else
      series.name = name_ + ":" + std::to_string(column + 1);
    set_.series.push_back(series);
  }

  // The row's time on the axis; false when the row is skipped.
  bool ReadRowTime(const std::vector<std::string_view>& fields, long long& seconds) {
    seconds = 0;
    if (timeColumn_ >= columns_) return true;
    ReadTime time;
    timeText_.assign(fields[timeColumn_]);  // keeps its room from row to row
    const std::string wrong = timeFormat_.Parse(timeText_, time);
    if (!wrong.empty()) {
      Report(wrong, &set_.skipped.badLines);
      return false;
    }
    if (set_.timesRead > 0 && time.dated != set_.dated)
      throw BadInput(Where() + "dated and undated times cannot share one time axis");
    if (!long_->Active() && anyTime_ && time.seconds < lastTime_) {
      Report("times must not go back (" + timeText_ + " after " + lastTimeText_ + ")",
             &set_.skipped.goingBack);
      return false;
    }
    set_.dated = time.dated;
    ++set_.timesRead;
    if (time.bareNumber) {
      set_.bareLowest =
          set_.bareNumbers == 0 ? time.seconds : std::min(set_.bareLowest, time.seconds);
      set_.bareHighest = std::max(set_.bareHighest, time.seconds);
      ++set_.bareNumbers;
    }
    set_.utc = set_.utc || time.hadZone;
    anyTime_ = true;
    lastTime_ = time.seconds;
    lastTimeText_.assign(timeText_);
    seconds = time.seconds;
    return true;
  }

  // With ';' between columns, a first data line whose values read only with a decimal comma
  // ("1,5", "1.234,5") makes the file's values read so.
  void DetectDecimalComma(const std::vector<std::string>& fields) {
    commaDecided_ = true;
    if (decimalComma_ || separator_ != ';') return;
    bool commaOnly = false;
    for (std::size_t column : valueColumns_) {
      double value = 0;
      const std::string& field = fields[column];
      if (field.empty()) continue;
      if (!ParseDecimalComma(field, value)) return;
      commaOnly = commaOnly || !ParseNumberNoThrow(field, value);
    }
    decimalComma_ = commaOnly;
    if (commaOnly)
      set_.notes.push_back(Where() + "values read with a decimal comma ('" +
                           fields[valueColumns_.front()] + "')");
  }

  bool ParseValue(std::string_view field, double& value) {
    if (!decimalComma_) {
      // The common case without a text of its own; from_chars rounds as strtod does, and what
      // it does not take whole ("+1", "0x1p3", "1e999") goes the long way.
      if (corvix::ReadWholeDouble(field.data(), field.data() + field.size(), value))
        return std::isfinite(value);
    }
    valueText_.assign(field);
    return (decimalComma_ ? ParseDecimalComma(valueText_, value)
                          : ParseNumberNoThrow(valueText_, value)) &&
           std::isfinite(value);
  }

  // What is wrong with a value, with the option that reads it when one may: a decimal comma,
  // or a first row's word ("TI101"), which is likely a tag of a long-format log.
  std::string NotANumber(std::string_view view) const {
    const std::string field(view);
    std::string what = "not a finite number" +
                       std::string(decimalComma_ ? " with a decimal comma" : "") + ": '" + field +
                       "'";
    if (!decimalComma_ && field.find(',') != std::string::npos)
      what += " (--decimal-comma reads 1,5)";
    else if (!long_->Active() && rowsRead_ == 0 &&
             std::isalpha(static_cast<unsigned char>(field[0])))
      what += " (one row per tag? --series-column names the tag column)";
    return what;
  }

  // The fields of a row as views: into the line itself, or with quotes into their unquoted
  // texts.
  void SplitRow(std::string_view text) {
    fields_.clear();
    if (text.find('"') != std::string_view::npos) {
      quoted_ = SplitFields(std::string(text), separator_);
      fields_.assign(quoted_.begin(), quoted_.end());
      return;
    }
    for (;;) {
      const std::size_t end = text.find(separator_);
      fields_.push_back(TrimmedView(text.substr(0, end)));
      if (end == std::string_view::npos) return;
      text.remove_prefix(end + 1);
    }
  }

  void ReadRow(std::string_view text) {
    SplitRow(text);
    // Empty cells past the last column (tabs at the end of every line) are no cells.
    while (separator_ == '\t' && fields_.size() > columns_ && fields_.back().empty())
      fields_.pop_back();
    const std::vector<std::string_view>& fields = fields_;
    if (!commaDecided_ && fields.size() == columns_)
      DetectDecimalComma(std::vector<std::string>(fields.begin(), fields.end()));
    if (fields.size() != columns_) {
      Report(Format("expected %zu columns, found %zu: '%s'", columns_, fields.size(),
                    std::string(text).c_str()),
             &set_.skipped.badLines);
      return;
    }
    if (long_->Active()) {
      owned_.resize(fields.size());
      for (std::size_t i = 0; i < fields.size(); ++i)
        owned_[i].assign(fields[i]);
    }
    const LongFormat::Row kind = long_->Active() ? long_->Classify(owned_) : LongFormat::Row::kKept;
    if (kind != LongFormat::Row::kKept) {
      ++(kind == LongFormat::Row::kNotGood ? set_.notGood : set_.notChosen);
      return;
    }
    long long seconds = 0;
    if (!ReadRowTime(fields, seconds)) return;
    for (std::size_t i = 0; i < valueColumns_.size(); ++i) {
      const std::string_view field = fields[valueColumns_[i]];
      if (field.empty()) {  // no sample of this series at this time
        ++set_.emptyCells;
        continue;
      }
      double value = 0;
      if (!ParseValue(field, value)) {
        Report(NotANumber(field), &set_.skipped.badLines);
        continue;
      }
      const std::size_t index =
          long_->Active() ? long_->SeriesOf(owned_, i, valueNames_, name_, set_) : firstSeries_ + i;
      Series& series = set_.series[index];
      if (long_->Active() && !series.times.empty() && seconds < series.times.back()) {
        Report(Format("times of %s must not go back (%s after line %ld)", series.name.c_str(),
                      timeText_.c_str(), series.lines.back()),
               &set_.skipped.goingBack);
        continue;
      }
      series.times.push_back(seconds);
      series.values.push_back(value);
      series.lines.push_back(lineNumber_);
      ++set_.samplesRead;
    }
    ++rowsRead_;
  }

  const std::string& name_;
  const ReadOptions& options_;
  SeriesSet& set_;
  const std::size_t firstSeries_;
  const TimeFormat timeFormat_;
  long lineNumber_ = 0;
  bool laidOut_ = false;
  char separator_ = ',';
  std::vector<std::string> header_;
  std::size_t columns_ = 0;
  std::size_t timeColumn_ = 0;
  std::vector<std::size_t> valueColumns_;
  std::vector<std::string> valueNames_;  // long format: to name series of several value columns
  std::unique_ptr<LongFormat> long_;
  bool decimalComma_ = false;
  bool commaDecided_ = false;
  long rowsRead_ = 0;  // rows whose values were read
  bool anyTime_ = false;
  long long lastTime_ = 0;
  std::string lastTimeText_;
  // Reused from row to row, so that a row of plain fields costs no allocation.
  std::vector<std::string_view> fields_;
  std::vector<std::string> quoted_;
  std::vector<std::string> owned_;  // long format: the row's fields as texts
  std::string timeText_;
  std::string valueText_;
};

}  // namespace

// Rows read between two hand-overs of their samples.
constexpr long kRowsPerHandOver = 4096;

namespace {

// Reads every line `next` gives; `waits` learns how to hand over the rows read before a read
// that may wait.
template <class NextLine, class Waits>
void ReadLines(NextLine next, Waits waits, const std::string& name, const ReadOptions& options,
               SeriesSet& set, const RowsRead& rowsRead) {
  SeriesReader reader(name, options, set);
  std::string_view line;
  long lines = 0;
  const auto handOver = [&] {
    if (rowsRead && reader.RowsInTimeOrder() && (reader.AnyTime() || !reader.Timed()))
      rowsRead(set, reader.LastTime());
  };
  waits(handOver);
  while (next(line)) {
    reader.Line(line);
    if (++lines % kRowsPerHandOver == 0) handOver();
  }
  reader.Finish();
  handOver();
}

}  // namespace

void ReadSeriesFile(std::istream& input, const std::string& name, const ReadOptions& options,
                    SeriesSet& set, const RowsRead& rowsRead) {
  std::string text;
  const auto next = [&](std::string_view& line) {
    if (!std::getline(input, text)) return false;
    line = text;
    return true;
  };
  ReadLines(
      next, [](const std::function<void()>&) {}, name, options, set, rowsRead);
  if (input.bad()) throw BadInput(name + ": read error");
}

void ReadSeriesPath(const std::string& path, const ReadOptions& options, SeriesSet& set,
                    const RowsRead& rowsRead) {
  LineSource source(path);
  ReadLines([&](std::string_view& line) { return source.Next(line); },
            [&](const std::function<void()>& handOver) { source.beforeRead = handOver; },
            source.Name(), options, set, rowsRead);
}

}  // namespace corvix_tool

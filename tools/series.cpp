// Reading logged series and reducing them with the library's window filter.
#include "series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>

#include "CMathOperation.h"
#include "tool.h"

namespace corvix_tool {
namespace {

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Digits only, at most `most` of them.
bool ParseDigits(const std::string& text, std::size_t most, long long& value) {
  if (text.empty() || text.size() > most) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, long long& year, long long& month, long long& day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shifted = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  month = shifted + (shifted < 10 ? 3 : -9);
  year = yearOfEra + era * 400 + (month <= 2);
}

// More windows than a listing can usefully hold: most would be empty.
constexpr long long kMostWindows = 100000000;

long long FloorDivide(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// "HH:MM:SS", "HH:MM" or "HH:MM:SS.fff" (the fraction is dropped: the axis counts whole
// seconds); hours up to `largestHour`.
bool ParseClock(const std::string& text, long long largestHour, long long& seconds) {
  long long hours = 0, minutes = 0, secs = 0;
  if (text.size() < 5 || text[2] != ':') return false;
  if (!ParseDigits(text.substr(0, 2), 2, hours) || !ParseDigits(text.substr(3, 2), 2, minutes))
    return false;
  if (text.size() > 5) {
    if (text.size() < 8 || text[5] != ':' || !ParseDigits(text.substr(6, 2), 2, secs)) return false;
    if (text.size() > 8) {
      long long fraction = 0;
      if (text[8] != '.' || !ParseDigits(text.substr(9), 9, fraction)) return false;
    }
  }
  if (hours > largestHour || minutes > 59 || secs > 59) return false;
  seconds = hours * 3600 + minutes * 60 + secs;
  return true;
}

// One line's fields; a field in double quotes may hold the separator ("" stands for ").
std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
        field += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        field += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == separator) {
      fields.push_back(Trimmed(field));
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(Trimmed(field));
  return fields;
}

char SeparatorOf(const std::string& choice, const std::string& firstLine) {
  if (choice == "," || choice == ";") return choice[0];
  if (choice == "tab" || choice == "\t") return '\t';
  if (!choice.empty()) throw BadInput("--separator takes ',', ';' or 'tab': '" + choice + "'");
  if (firstLine.find('\t') != std::string::npos) return '\t';
  if (firstLine.find(';') != std::string::npos) return ';';
  return ',';
}

// A column chosen by header name or by number (1 is the first column).
std::size_t ColumnOf(const std::string& choice, const std::vector<std::string>& header,
                     std::size_t columns, const std::string& where) {
  long long number = 0;
  if (ParseDigits(choice, 6, number)) {
    if (number < 1 || static_cast<std::size_t>(number) > columns)
      throw BadInput(where + "there is no column " + choice + " (the file has " +
                     std::to_string(columns) + ")");
    return static_cast<std::size_t>(number - 1);
  }
  for (std::size_t i = 0; i < header.size(); ++i)
    if (header[i] == choice) return i;
  throw BadInput(where +
                 (header.empty() ? "no header line to find the column '" : "no column is named '") +
                 choice + "'");
}

}  // namespace

std::string ParseTime(const std::string& text, long long& seconds, bool& dated, bool& hadZone) {
  dated = false;
  hadZone = false;
  if (text.find(':') == std::string::npos && text.find('-') == std::string::npos) {
    if (ParseDigits(text, 12, seconds)) return "";
    return "the time is not seconds, HH:MM:SS or an ISO date-time: '" + text + "'";
  }
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
    long long year = 0, month = 0, day = 0;
    if (!ParseDigits(text.substr(0, 4), 4, year) || !ParseDigits(text.substr(5, 2), 2, month) ||
        !ParseDigits(text.substr(8, 2), 2, day) || month < 1 || month > 12 || day < 1)
      return "not a date: '" + text + "'";
    const long long days = DaysFromCivil(year, month, day);
    long long checkYear = 0, checkMonth = 0, checkDay = 0;
    CivilFromDays(days, checkYear, checkMonth, checkDay);
    if (checkMonth != month || checkDay != day) return "no such date: '" + text + "'";
    dated = true;
    seconds = days * kSecondsPerDay;
    if (text.size() == 10) return "";
    if (text[10] != 'T' && text[10] != ' ') return "not an ISO date-time: '" + text + "'";
    std::string clock = text.substr(11);
    long long offset = 0;
    if (!clock.empty() && (clock.back() == 'Z' || clock.back() == 'z')) {
      clock.pop_back();
      hadZone = true;
    } else {
      const auto sign = clock.find_first_of("+-");
      if (sign != std::string::npos) {
        std::string zone = clock.substr(sign + 1);
        clock.erase(sign);
        if (zone.size() == 4 && zone.find(':') == std::string::npos) zone.insert(2, ":");
        long long zoneSeconds = 0;
        if (zone.size() != 5 || !ParseClock(zone, 23, zoneSeconds))
          return "not a zone offset (+HH:MM): '" + text + "'";
        offset = text[11 + sign] == '-' ? -zoneSeconds : zoneSeconds;
        hadZone = true;
      }
    }
    long long clockSeconds = 0;
    if (!ParseClock(clock, 23, clockSeconds)) return "not an ISO date-time: '" + text + "'";
    seconds += clockSeconds - offset;
    return "";
  }
  if (ParseClock(text, 24, seconds)) return "";
  return "the time is not seconds, HH:MM:SS or an ISO date-time: '" + text + "'";
}

void ReadSeriesFile(std::istream& input, const std::string& name, const ReadOptions& options,
                    SeriesSet& set) {
  std::string line;
  long lineNumber = 0;
  bool first = true;
  char separator = ',';
  std::vector<std::string> header;
  std::size_t timeColumn = 0;
  std::vector<std::size_t> valueColumns;
  std::size_t firstSeries = set.series.size();
  std::size_t columns = 0;
  long long lastTime = 0;
  std::string lastTimeText;
  bool anyTime = false;
  const auto report = [&](const std::string& what, long* counter) {
    if (!options.skipBad || counter == nullptr)
      throw BadInput(name + ":" + std::to_string(lineNumber) + ": " + what);
    ++*counter;
  };
  while (std::getline(input, line)) {
    ++lineNumber;
    const std::string text = Trimmed(line);
    if (text.empty() || text[0] == '#') continue;
    if (first) {
      first = false;
      separator = SeparatorOf(options.separator, text);
      std::vector<std::string> fields = SplitFields(text, separator);
      columns = fields.size();
      const std::string where = name + ":" + std::to_string(lineNumber) + ": ";
      const bool hasTime = !(options.valuesOnly && columns == 1);
      long long number = 0;
      const bool timeByName =
          !options.timeColumn.empty() && !ParseDigits(options.timeColumn, 6, number);
      bool isHeader = options.header == 1 || timeByName;
      if (options.header == -1 && !timeByName) {
        // A header is a first line whose time (or, without times, whose value) does not read.
        double value = 0;
        if (!hasTime) {
          isHeader = !ParseNumberNoThrow(fields[0], value);
        } else {
          const std::size_t column = number >= 1 ? static_cast<std::size_t>(number - 1) : 0;
          long long seconds = 0;
          bool dated = false, zone = false;
          // A header names its time column: no digit in it ("Time"), where a malformed time
          // ("2010-02-30T00:00") is data with an error.
          isHeader = column < columns && !ParseTime(fields[column], seconds, dated, zone).empty() &&
                     fields[column].find_first_of("0123456789") == std::string::npos;
        }
      }
      if (isHeader) header = fields;
      if (hasTime) {
        if (columns < 2) throw BadInput(where + "expected 'time,value' columns: '" + text + "'");
        timeColumn =
            options.timeColumn.empty() ? 0 : ColumnOf(options.timeColumn, header, columns, where);
      } else {
        timeColumn = columns;  // values only
      }
      if (options.values.empty()) {
        for (std::size_t i = 0; i < columns; ++i)
          if (i != timeColumn) valueColumns.push_back(i);
      } else {
        for (const std::string& choice : options.values)
          valueColumns.push_back(ColumnOf(choice, header, columns, where));
      }
      if (set.series.size() + valueColumns.size() > CORVIXMATH_MAX_SERIES)
        throw BadInput(where + "at most " + std::to_string(CORVIXMATH_MAX_SERIES) +
                       " series can be reduced at once");
      for (std::size_t column : valueColumns) {
        Series series;
        series.file = name;
        if (!header.empty() && !header[column].empty())
          series.name = header[column];
        else if (valueColumns.size() == 1)
          series.name = name;
        else
          series.name = name + ":" + std::to_string(column + 1);
        set.series.push_back(series);
      }
      if (isHeader) continue;
    }
    const std::vector<std::string> fields = SplitFields(text, separator);
    if (fields.size() != columns) {
      report(Format("expected %zu columns, found %zu: '%s'", columns, fields.size(), text.c_str()),
             &set.skipped.badLines);
      continue;
    }
    long long seconds = 0;
    if (timeColumn < columns) {
      bool dated = false, zone = false;
      const std::string wrong = ParseTime(fields[timeColumn], seconds, dated, zone);
      if (!wrong.empty()) {
        report(wrong, &set.skipped.badLines);
        continue;
      }
      if (set.timesRead > 0 && dated != set.dated)
        throw BadInput(name + ":" + std::to_string(lineNumber) +
                       ": dated and undated times cannot share one time axis");
      if (anyTime && seconds < lastTime) {
        report("times must not go back (" + fields[timeColumn] + " after " + lastTimeText + ")",
               &set.skipped.goingBack);
        continue;
      }
      set.dated = dated;
      ++set.timesRead;
      set.utc = set.utc || zone;
      anyTime = true;
      lastTime = seconds;
      lastTimeText = fields[timeColumn];
    }
    for (std::size_t i = 0; i < valueColumns.size(); ++i) {
      const std::string& field = fields[valueColumns[i]];
      if (field.empty()) {  // no sample of this series at this time
        ++set.emptyCells;
        continue;
      }
      double value = 0;
      if (!ParseNumberNoThrow(field, value) || !std::isfinite(value)) {
        report("not a finite number: '" + field + "'", &set.skipped.badLines);
        continue;
      }
      Series& series = set.series[firstSeries + i];
      series.times.push_back(seconds);
      series.values.push_back(value);
      series.lines.push_back(lineNumber);
      ++set.samplesRead;
    }
  }
  if (input.bad()) throw BadInput(name + ": read error");
}

void ReadSeriesPath(const std::string& path, const ReadOptions& options, SeriesSet& set) {
  if (path == "-") {
    ReadSeriesFile(std::cin, "<stdin>", options, set);
    return;
  }
  std::ifstream input(path);
  if (!input) throw BadInput("cannot read '" + path + "'");
  ReadSeriesFile(input, path, options, set);
}

std::vector<Window> ReduceToWindows(std::vector<Series>& series, long long width, long long step,
                                    bool keepEmpty, bool skipBad, Skipped* skipped) {
  if (series.size() > CORVIXMATH_MAX_SERIES)
    throw BadInput("at most " + std::to_string(CORVIXMATH_MAX_SERIES) +
                   " series can be reduced at once");
  if (width < 1 || step < 1) throw BadInput("--width and --step must be positive");
  bool any = false;
  long long firstTime = 0, lastTime = 0;
  for (const Series& one : series) {
    if (one.times.empty()) continue;
    firstTime = any ? std::min(firstTime, one.times.front()) : one.times.front();
    lastTime = any ? std::max(lastTime, one.times.back()) : one.times.back();
    any = true;
  }
  if (!any) return {};
  // Whole days, so that one day of undated input gives the windows of one library call.
  const long long origin = FloorDivide(firstTime, kSecondsPerDay) * kSecondsPerDay;
  const long long end = (FloorDivide(lastTime, kSecondsPerDay) + 1) * kSecondsPerDay;
  const long long half = width / 2;
  // Window k covers origin + k*S - h <= t < origin + k*S - h + W, and is taken while its upper
  // bound stays within end + h, as the library takes its windows within one day.
  const long long count = (end - origin + 2 * half - width) / step + 1;
  if (count > kMostWindows)
    throw BadInput(
        Format("%lld windows of %lld s every %lld s from the first sample's day to the "
               "last one's; at most %lld: choose a longer step",
               count, width, step, kMostWindows));

  for (Series& one : series) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < one.times.size(); ++i) {
      const long long t = one.times[i] - origin;
      const long long highest = std::min(FloorDivide(t + half, step), count - 1);
      const long long lowest = std::max(FloorDivide(t + half - width, step) + 1, 0LL);
      if (lowest > highest) {
        if (!skipBad)
          throw BadInput(
              Format("%s:%ld: no window holds this sample (windows of %lld s every %lld s)",
                     one.file.c_str(), one.lines.empty() ? 0L : one.lines[i], width, step));
        if (skipped != nullptr) ++skipped->heldByNoWindow;
        continue;
      }
      one.times[kept] = one.times[i];
      one.values[kept] = one.values[i];
      if (!one.lines.empty()) one.lines[kept] = one.lines[i];
      ++kept;
    }
    one.times.resize(kept);
    one.values.resize(kept);
    if (!one.lines.empty()) one.lines.resize(kept);
  }

  // Windows per library call: those of one day's axis.
  const long long perCall = (kSecondsPerDay + 2 * half - width) / step + 1;
  const std::size_t seriesCount = series.size();
  std::vector<std::vector<long>> shifted(seriesCount);
  std::vector<double*> values(seriesCount);
  std::vector<long*> times(seriesCount);
  std::vector<long> counts(seriesCount);
  std::vector<std::size_t> cursors(seriesCount, 0);
  const std::size_t entries = static_cast<std::size_t>(perCall) + 1;
  std::vector<double> minimum(entries), maximum(entries), mean(entries);
  std::vector<long> centres(entries);
  std::vector<Window> windows;
  CMathOperation math;
  for (long long first = 0; first < count; first += perCall) {
    const long long last = std::min(count, first + perCall) - 1;
    const long long firstCentre = origin + first * step;
    const long long from = firstCentre - half;
    const long long to = origin + last * step - half + width;
    for (std::size_t s = 0; s < seriesCount; ++s) {
      const std::vector<long long>& t = series[s].times;
      std::size_t& low = cursors[s];
      while (low < t.size() && t[low] < from)
        ++low;
      const std::size_t high = static_cast<std::size_t>(
          std::lower_bound(t.begin() + static_cast<std::ptrdiff_t>(low), t.end(), to) - t.begin());
      shifted[s].resize(high - low);
      for (std::size_t i = low; i < high; ++i)
        shifted[s][i - low] = static_cast<long>(t[i] - firstCentre);
      values[s] = series[s].values.data() + low;
      times[s] = shifted[s].data();
      counts[s] = static_cast<long>(high - low);
    }
    long samples = 0;
    for (long one : counts)
      samples += one;
    // A run without samples has no window with data: the library need not look at it.
    const long written =
        samples == 0 ? 0
                     : math.FilterValueArray(
                           values.data(), times.data(), static_cast<long>(seriesCount),
                           counts.data(), minimum.data(), maximum.data(), mean.data(),
                           centres.data(), static_cast<long>(width), static_cast<long>(step), 0);
    long long next = first;  // the next window to write when empty ones are kept
    for (long i = 0; i < written; ++i) {
      const auto at = static_cast<std::size_t>(i);
      const long long k = first + centres[at] / step;
      if (k > last) break;  // beyond this run: the next call computes it with its samples
      for (; keepEmpty && next < k; ++next)
        windows.push_back({origin + next * step, 0, 0, 0, false});
      windows.push_back({origin + k * step, minimum[at], maximum[at], mean[at], true});
      next = k + 1;
    }
    for (; keepEmpty && next <= last; ++next)
      windows.push_back({origin + next * step, 0, 0, 0, false});
  }
  return windows;
}

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

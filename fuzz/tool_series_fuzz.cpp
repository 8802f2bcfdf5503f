// The tool's series reader (ReadSeriesFile) over arbitrary bytes with the options drawn from the
// input (separator, header, time and value columns, time format, decimal comma, skip-bad, tag
// and quality columns), and over logs built from drawn rows whose outcome is known.
//
// Raw bytes: no crash or leak; the only failure is BadInput naming "name:N:" with N a line of
// the input (or "name:" for a whole file's count of series); every sample read is in a series,
// with its line; in a log of one row per time no series goes back in time, and the hand-overs
// (RowsRead) come with times that never go back and hold no sample after them; with --skip-bad
// every data line is accounted for (read, empty, or skipped and counted).
//
// Built logs (a header or none, rows of seconds and cells that are numbers, empty, quoted, not
// numbers, rows of the wrong width, bad times, times going back, blank and comment lines), read
// with --skip-bad: samples read, empty cells, bad lines and lines going back are exactly those
// built.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "series.h"
#include "tool.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_tool::BadInput;
using corvix_tool::ReadOptions;
using corvix_tool::SeriesSet;

constexpr std::size_t kTextCap = 512;
constexpr int kBuiltRows = 32;
const char kName[] = "log.csv";

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream stream(bytes);
  std::string line;
  while (std::getline(stream, line))
    lines.push_back(line);
  return lines;
}

// Lines with something to read: not blank (spaces, tabs, CR), not a comment.
std::size_t ContentLines(const std::vector<std::string>& lines) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string line = lines[i];
    if (i == 0 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first != std::string::npos && line[first] != '#') ++count;
  }
  return count;
}

// A failure names the file and a line of it.
void CheckMessage(const BadInput& error, std::size_t lineCount) {
  const std::string message = error.what();
  corvix_fuzz::Note("BadInput '%s'", corvix_tool::Printable(message).c_str());
  const std::string prefix = std::string(kName) + ":";
  FUZZ_CHECK(message.compare(0, prefix.size(), prefix) == 0);
  const char* rest = message.c_str() + prefix.size();
  if (*rest == ' ') {
    FUZZ_CHECK(message.find(" series (") != std::string::npos);  // the whole file's count
    return;
  }
  char* end = nullptr;
  const long line = std::strtol(rest, &end, 10);
  FUZZ_CHECK(end != rest && *end == ':');
  FUZZ_CHECK(line >= 1 && static_cast<std::size_t>(line) <= lineCount);
}

// Hand-overs of a log of one row per time: they take the samples out.
struct HandOvers {
  bool any = false;
  long long lastTime = 0;
  long samples = 0;

  void operator()(SeriesSet& set, long long time) {
    FUZZ_CHECK(!any || time >= lastTime);
    for (corvix_tool::Series& series : set.series) {
      for (long long t : series.times)
        FUZZ_CHECK(t <= time);
      samples += static_cast<long>(series.times.size());
      series.times.clear();
      series.values.clear();
      series.lines.clear();
    }
    any = true;
    lastTime = time;
  }
};

struct Read {
  SeriesSet set;
  HandOvers handOvers;
  bool failed = false;
};

Read ReadLog(const std::string& bytes, const ReadOptions& options, bool handOver,
             std::size_t lineCount) {
  Read read;
  std::istringstream stream(bytes);
  corvix_tool::RowsRead rowsRead;
  if (handOver) rowsRead = [&read](SeriesSet& set, long long time) { read.handOvers(set, time); };
  try {
    corvix_tool::ReadSeriesFile(stream, kName, options, read.set, rowsRead);
  } catch (const BadInput& error) {
    CheckMessage(error, lineCount);
    read.failed = true;
  }
  long held = 0;
  for (const corvix_tool::Series& series : read.set.series) {
    FUZZ_CHECK(series.times.size() == series.values.size());
    FUZZ_CHECK(series.times.size() == series.lines.size());
    held += static_cast<long>(series.times.size());
    for (std::size_t i = 0; i < series.lines.size(); ++i) {
      FUZZ_CHECK(series.lines[i] >= 1 && static_cast<std::size_t>(series.lines[i]) <= lineCount);
      if (i > 0) FUZZ_CHECK(series.lines[i] > series.lines[i - 1]);
    }
  }
  FUZZ_CHECK(held + read.handOvers.samples == read.set.samplesRead);
  return read;
}

template <class T, std::size_t N>
const T& Choose(FuzzInput& input, const T (&choices)[N]) {
  return choices[input.Byte() % N];
}

void RawBytes(FuzzInput& input) {
  ReadOptions options;
  static const char* const kSeparators[] = {"", "", ",", ";", "tab"};
  static const int kHeaders[] = {-1, -1, 0, 1};
  static const char* const kTimeColumns[] = {"", "", "1", "2", "Time", "3"};
  static const char* const kTimeFormats[] = {"",     "",      "",        "epoch", "%Y-%m-%d %H:%M",
                                             "year", "%H:%M", "epoch-ms"};
  static const char* const kSeriesColumns[] = {"", "", "", "", "2", "Tag", "3"};
  options.separator = Choose(input, kSeparators);
  options.header = Choose(input, kHeaders);
  options.timeColumn = Choose(input, kTimeColumns);
  options.timeFormat = Choose(input, kTimeFormats);
  const std::uint8_t flags = input.Byte();
  options.skipBad = (flags & 1) != 0;
  options.valuesOnly = (flags & 2) != 0;
  options.decimalComma = (flags & 4) != 0;
  switch ((flags >> 3) % 6) {
    case 1:
      options.values = {"2"};
      break;
    case 2:
      options.values = {"A"};
      break;
    case 3:
      options.values = {"2", "3"};
      break;
    default:
      break;
  }
  options.seriesColumn = Choose(input, kSeriesColumns);
  if (!options.seriesColumn.empty() && (flags & 0x40) != 0) options.chosen = {"a", "b"};
  if (!options.seriesColumn.empty() && (flags & 0x80) != 0) {
    options.qualityColumn = "4";
    options.good = {"G"};
  }
  const bool handOver = input.Bool();
  std::string bytes;
  while (!input.Exhausted() && bytes.size() < kTextCap)
    bytes += static_cast<char>(input.Byte());
  const std::vector<std::string> lines = Lines(bytes);
  corvix_fuzz::Note("%zu bytes, %zu lines, flags %#x, series column '%s'", bytes.size(),
                    lines.size(), flags, options.seriesColumn.c_str());

  Read read = ReadLog(bytes, options, handOver, lines.size());
  const bool wide = options.seriesColumn.empty();
  if (read.failed || !wide) return;
  const SeriesSet& set = read.set;
  // One row per time: no series goes back.
  for (const corvix_tool::Series& series : set.series)
    FUZZ_CHECK(std::is_sorted(series.times.begin(), series.times.end()));
  if (!options.skipBad) {
    FUZZ_CHECK(set.skipped.Total() == 0);
    return;
  }
  // Each data line (all but perhaps the first, a header) is read, empty, or counted as skipped;
  // none gives more cells than there are series.
  const std::size_t content = ContentLines(lines);
  const long accounted =
      set.samplesRead + set.emptyCells + set.skipped.badLines + set.skipped.goingBack;
  FUZZ_CHECK(accounted + 1 >= static_cast<long>(content));
  FUZZ_CHECK(set.samplesRead + set.emptyCells <= static_cast<long>(set.series.size() * content));
}

// A built log and the counts it must give.
void BuiltLog(FuzzInput& input) {
  const std::uint8_t settings = input.Byte();
  static const char kSeparators[] = {',', ';', '\t'};
  const char separator = kSeparators[settings % 3];
  const bool header = (settings & 4) != 0;
  const std::size_t valueColumns = 1 + (settings >> 3) % 3;
  const bool handOver = (settings & 0x40) != 0;
  const char* const lineEnd = (settings & 0x80) != 0 ? "\r\n" : "\n";
  ReadOptions options;
  options.skipBad = true;
  options.separator = separator == '\t' ? "tab" : std::string(1, separator);
  options.header = input.Bool() ? -1 : (header ? 1 : 0);

  std::string log;
  const auto row = [&](const std::vector<std::string>& cells) {
    for (std::size_t i = 0; i < cells.size(); ++i)
      log += (i > 0 ? std::string(1, separator) : "") + cells[i];
    log += lineEnd;
  };
  if (header) {
    std::vector<std::string> names = {"Time"};
    for (std::size_t i = 0; i < valueColumns; ++i)
      names.push_back(std::string(1, static_cast<char>('A' + i)));
    row(names);
  }
  long samples = 0, empty = 0, bad = 0, back = 0;
  long long last = 0;
  bool anyTime = false;
  static const char* const kGood[] = {"1", "-2", "2.5", "1e3", "0", " 7 ", "\"5\"", "+4"};
  static const char* const kBad[] = {"x1", "nan", "inf", "1e999", "1..2", "\"\"x"};
  for (int r = 0; r < kBuiltRows && !input.Exhausted(); ++r) {
    const std::uint8_t kind = input.Byte();
    // The first line lays the file out: a whole row with a time that reads.
    const bool first = log.empty();
    switch (first ? 0 : kind % 12) {
      case 1:
        log += std::string(kind % 3, ' ') + lineEnd;  // blank
        continue;
      case 2:
        log += std::string("# a note") + lineEnd;
        continue;
      case 3: {  // too many or too few cells
        std::vector<std::string> cells(valueColumns + 1 + ((kind & 16) != 0 ? 1 : 0), "1");
        if ((kind & 16) == 0) cells.pop_back();
        row(cells);
        ++bad;
        continue;
      }
      case 4:  // a time that does not read (with a digit, so never a header)
        row(std::vector<std::string>(valueColumns + 1, "9x"));
        ++bad;
        continue;
      case 5:
        if (anyTime && last > 0) {  // going back
          std::vector<std::string> cells(valueColumns + 1, "1");
          cells[0] = std::to_string(last - 1 - input.Byte() % 4 % last);
          row(cells);
          ++back;
          continue;
        }
        break;
      default:
        break;
    }
    const long long time = (anyTime ? last : 0) + input.Byte() % 4 * (1 + input.Byte());
    std::vector<std::string> cells = {std::to_string(time)};
    for (std::size_t c = 0; c < valueColumns; ++c) {
      const std::uint8_t cell = input.Byte();
      // The first line lays the file out, its blanks at either end trimmed: without a header
      // its last cell reads.
      if (first && !header && c + 1 == valueColumns) {
        cells.push_back(kGood[(cell >> 3) % 8]);
        ++samples;
      } else if (cell % 5 == 0) {
        cells.push_back(cell & 8 ? " " : "");
        ++empty;
      } else if (cell % 5 == 1) {
        cells.push_back(kBad[(cell >> 3) % 6]);
        ++bad;
      } else {
        cells.push_back(kGood[(cell >> 3) % 8]);
        ++samples;
      }
    }
    row(cells);
    anyTime = true;
    last = time;
  }
  if (log.empty()) return;
  const std::vector<std::string> lines = Lines(log);
  corvix_fuzz::Note("built log of %zu lines: %ld samples %ld empty %ld bad %ld back", lines.size(),
                    samples, empty, bad, back);
  Read read = ReadLog(log, options, handOver, lines.size());
  FUZZ_CHECK(!read.failed);
  const SeriesSet& set = read.set;
  FUZZ_CHECK(set.series.size() == valueColumns);
  FUZZ_CHECK(set.samplesRead == samples);
  FUZZ_CHECK(set.emptyCells == empty);
  FUZZ_CHECK(set.skipped.badLines == bad);
  FUZZ_CHECK(set.skipped.goingBack == back);
  FUZZ_CHECK(!set.dated);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  if (input.Byte() % 3 == 0)
    BuiltLog(input);
  else
    RawBytes(input);
  return 0;
}

// Parsing of the user's numbers and lines, number texts and batch use, shared by every command.
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "CorvixLimits.h"
#include "frame/internal/float_chars.h"
#include "tool.h"

namespace corvix_tool {

bool ParseNumberNoThrow(const std::string& text, double& value) {
  const char* begin = text.c_str();
  char* end = nullptr;
  value = std::strtod(begin, &end);
  return !text.empty() && end == begin + text.size() &&
         !std::isspace(static_cast<unsigned char>(*begin));
}

double ParseNumber(const std::string& text) {
  double value = 0;
  if (!ParseNumberNoThrow(text, value)) throw BadInput("not a number: '" + text + "'");
  return value;
}

long ParseInteger(const std::string& text, long minimum, long maximum, const std::string& what) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 0);
  if (text.empty() || end != begin + text.size() || errno == ERANGE || value < minimum ||
      value > maximum || std::isspace(static_cast<unsigned char>(*begin)))
    throw BadInput(what + " must be a whole number from " + std::to_string(minimum) + " to " +
                   std::to_string(maximum) + ": '" + text + "'");
  return static_cast<long>(value);
}

std::string Format(const char* format, ...) {
  char text[4096];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

std::string NumberText(double value, int decimals) {
  if (decimals >= 0) return Format("%.*f", decimals, value);
  char text[64];
  return std::string(text, corvix::WriteShortestChars(text, text + sizeof text, value));
}

std::string ClockText(long seconds) {
  // The last window's centre ends the day.
  if (seconds == CORVIXMATH_SECONDS_PER_DAY) return "24:00:00";
  const long day = ((seconds % CORVIXMATH_SECONDS_PER_DAY) + CORVIXMATH_SECONDS_PER_DAY) %
                   CORVIXMATH_SECONDS_PER_DAY;
  return Format("%02ld:%02ld:%02ld", day / 3600, day / 60 % 60, day % 60);
}

std::string CsvField(const std::string& text) {
  const bool quote = text.find_first_of(",;\t\"\r\n") != std::string::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' '));
  if (!quote) return text;
  std::string quoted = "\"";
  quoted.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '"') quoted += '"';  // doubled
    quoted += c;
  }
  return quoted + "\"";
}

std::string Printable(const std::string& text) {
  static const char kHexDigits[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      shown += "\\x";
      shown += kHexDigits[byte >> 4];
      shown += kHexDigits[byte & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}

std::string WithoutByteOrderMark(const std::string& text) {
  return text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? text.substr(3) : text;
}

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\')
      quoted += std::string("\\") + c;
    else if (static_cast<unsigned char>(c) < 0x20)
      quoted += Format("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
    else
      quoted += c;
  }
  return quoted + "\"";
}

std::vector<char> Writable(const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return copy;
}

void AddEchoFlag(CLI::App& command, bool& echo) {
  command.add_flag("--echo", echo,
                   "with -: write each input line and its result as a CSV pair 'input,result'");
}

void ForEachInput(const std::string& value, Output& out,
                  const std::function<void(const std::string&, Output&)>& one, bool echo) {
  if (value != "-") {
    one(value, out);
    return;
  }
  std::ios::sync_with_stdio(false);
  ForEachLine(std::cin, stdout, stderr, out, one, echo);
}

void ForEachLine(std::istream& input, std::FILE* results, std::FILE* reasons, Output& out,
                 const std::function<void(const std::string&, Output&)>& one, bool echo) {
  std::string line;
  long lineNumber = 0;
  Output lineOut;
  lineOut.batch = true;
  while (std::getline(input, line)) {
    ++lineNumber;
    if (lineNumber == 1) line = WithoutByteOrderMark(line);
    // Blanks around a value are no part of it ("  7  " is 7).
    const auto first = line.find_first_not_of(" \t\r");
    line = first == std::string::npos
               ? ""
               : line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
    lineOut.text.clear();
    lineOut.reasons.clear();
    lineOut.status = kExitOk;
    const std::string where = "<stdin>:" + std::to_string(lineNumber) + ": ";
    try {
      one(line, lineOut);
    } catch (const BadInput& error) {
      lineOut.text.clear();
      lineOut.reasons = {error.what()};
      lineOut.status = kExitBadInput;
    }
    // One output line per input line, whatever the command wrote.
    const auto end = lineOut.text.find('\n');
    std::string result = lineOut.text.substr(0, end);
    if (echo) result = CsvField(line) + "," + CsvField(result);
    result += '\n';
    std::fwrite(result.data(), 1, result.size(), results);
    if (!lineOut.reasons.empty()) {
      std::fflush(results);  // keeps the two streams in order when they share a terminal
      for (const std::string& reason : lineOut.reasons)
        std::fprintf(reasons, "%s%s\n", where.c_str(), Printable(reason).c_str());
    }
    out.Worsen(lineOut.status);
  }
}

}  // namespace corvix_tool

// Parsing of the user's numbers and lines, shared by every command.
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "tool.h"

namespace corvix_tool {

double ParseNumber(const std::string& text) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(begin, &end);
  if (text.empty() || end != begin + text.size() ||
      std::isspace(static_cast<unsigned char>(*begin)))
    throw BadInput("not a number: '" + text + "'");
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

std::string ClockText(long seconds) {
  if (seconds == 86400) return "24:00:00";  // the last window's centre ends the day
  const long day = ((seconds % 86400) + 86400) % 86400;
  return Format("%02ld:%02ld:%02ld", day / 3600, day / 60 % 60, day % 60);
}

void ForEachInput(const std::string& value, Output& out,
                  const std::function<void(const std::string&, Output&)>& one) {
  if (value != "-") {
    one(value, out);
    return;
  }
  std::string line;
  long lineNumber = 0;
  while (std::getline(std::cin, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    Output lineOut;
    try {
      one(line, lineOut);
    } catch (const BadInput& error) {
      throw BadInput("<stdin>:" + std::to_string(lineNumber) + ": " + error.what());
    }
    out.text += lineOut.text;
    if (lineOut.status > out.status) out.status = lineOut.status;
  }
}

}  // namespace corvix_tool

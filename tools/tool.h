// The corvixmath command-line tool: shared pieces of its commands.
//
// Every command writes its results into an Output and prints it only when the whole command
// succeeded, so a failure never leaves half a result on standard output.
#ifndef CORVIXMATH_TOOLS_TOOL_H
#define CORVIXMATH_TOOLS_TOOL_H

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "CLI/CLI.hpp"

namespace corvix_tool {

// Exit statuses: 0 done or valid, 1 a check that found the input invalid (or a refused
// format), 2 bad input or usage.
constexpr int kExitOk = 0;
constexpr int kExitInvalid = 1;
constexpr int kExitBadInput = 2;

// Malformed input: reported on standard error with exit status 2.
class BadInput : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a command produced: its standard output text and its exit status.
struct Output {
  std::string text;
  int status = kExitOk;

  void Line(const std::string& line) { text += line + "\n"; }
  void Fail() { status = kExitInvalid; }
};

// A number typed by the user, the whole text read ("12.5", "-1e3", "nan"); BadInput otherwise.
double ParseNumber(const std::string& text);

// A whole decimal number within [minimum, maximum]; BadInput otherwise.
long ParseInteger(const std::string& text, long minimum, long maximum, const std::string& what);

// printf-style formatting into a std::string.
std::string Format(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Seconds of the day as HH:MM:SS.
std::string ClockText(long seconds);

// Runs `one` on VALUE, or on every line of standard input when VALUE is "-" (batch use).
// Each call appends its lines; the worst status wins.
void ForEachInput(const std::string& value, Output& out,
                  const std::function<void(const std::string&, Output&)>& one);

// Command registration: each adds its subcommands to the app and stores its result in `out`.
void AddFormatCommands(CLI::App& app, Output& out);
void AddCheckCommands(CLI::App& app, Output& out);
void AddVocabularyCommands(CLI::App& app, Output& out);
void AddSeriesCommands(CLI::App& app, Output& out);
void AddDemoCommand(CLI::App& app, Output& out);

// The drawing of a seven-segment word as the panel shows it: three text rows.
std::vector<std::string> DrawSevenSegment(long word);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_TOOL_H

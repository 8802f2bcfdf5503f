// The corvixmath command-line tool: shared pieces of its commands.
//
// A command writes its result into an Output that main prints when the whole command is done, so
// a failure never leaves half a result on standard output. Batch use (the value "-") is the
// exception: it streams one line per input line, so a long batch needs no memory and a bad line
// costs only its own result.
#ifndef CORVIXMATH_TOOLS_TOOL_H
#define CORVIXMATH_TOOLS_TOOL_H

#include <cstdio>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "CLI/CLI.hpp"

namespace corvix_tool {

// Exit statuses: 0 done or valid, 1 a check that found the input invalid or a refused format
// (or no data to reduce), 2 bad input or usage.
constexpr int kExitOk = 0;
constexpr int kExitInvalid = 1;
constexpr int kExitBadInput = 2;

// Malformed input: reported on standard error with exit status 2.
class BadInput : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What a command produced: its standard output text, the reasons for its refusals (one line
// each on standard error) and its exit status.
struct Output {
  std::string text;
  std::vector<std::string> reasons;
  int status = kExitOk;
  bool batch = false;  // one line per input: commands that draw keep to their first line

  void Line(const std::string& line) { text += line + "\n"; }
  void Fail() { Worsen(kExitInvalid); }
  // A refusal: status 1 and one line on standard error saying why.
  void Refuse(const std::string& reason) {
    Fail();
    reasons.push_back(reason);
  }
  void Worsen(int to) {
    if (to > status) status = to;
  }
};

// A number typed by the user, the whole text read ("12.5", "-1e3", "nan"); BadInput otherwise.
double ParseNumber(const std::string& text);
// The same without an exception: false when the text is not a number.
bool ParseNumberNoThrow(const std::string& text, double& value);

// A whole decimal number within [minimum, maximum]; BadInput otherwise.
long ParseInteger(const std::string& text, long minimum, long maximum, const std::string& what);

// printf-style formatting into a std::string. MinGW builds use the C99 printf of MinGW-w64
// (__USE_MINGW_ANSI_STDIO), so its format is checked as the GNU one.
std::string Format(const char* format, ...)
#if defined(__MINGW32__)
    __attribute__((format(gnu_printf, 1, 2)))
#elif defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A double as the shortest text that reads back to the same double ("0.1", "1234567", "1e+20"),
// or with a fixed number of decimals when decimals >= 0.
std::string NumberText(double value, int decimals = -1);

// Seconds of the day as HH:MM:SS.
std::string ClockText(long seconds);

// A CSV field: quoted when it holds a separator, a quote, a line break or outer spaces.
std::string CsvField(const std::string& text);

// A message with its control bytes (below 0x20, and 0x7F) written as \xNN, so that bad input
// cannot move the cursor or recolour a terminal: "a\x1b[31m" -> "a\\x1b[31m".
std::string Printable(const std::string& text);

// The text without a UTF-8 byte-order mark at its start.
std::string WithoutByteOrderMark(const std::string& text);

// A JSON string: quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);

// A copy with a terminator, for the library's char* parameters.
std::vector<char> Writable(const std::string& text);

// Runs `one` on VALUE, or, when VALUE is "-", on every line of standard input as it comes (batch
// use): each line's result goes to standard output at once, one line per input line (an empty
// line for bad input, whose message "<stdin>:N: ..." goes to standard error, and the batch goes
// on). With `echo` each output line is the CSV pair "input,result". The worst status wins.
void ForEachInput(const std::string& value, Output& out,
                  const std::function<void(const std::string&, Output&)>& one, bool echo = false);
// The batch use of ForEachInput over the lines of `input`, results to `results` and messages
// to `reasons` (standard input, output and error for the tool; a fuzz target feeds its own).
void ForEachLine(std::istream& input, std::FILE* results, std::FILE* reasons, Output& out,
                 const std::function<void(const std::string&, Output&)>& one, bool echo);

// Adds the --echo flag of batch use to a command.
void AddEchoFlag(CLI::App& command, bool& echo);

// Command registration: each adds its subcommands to the app and stores its result in `out`.
void AddFormatCommands(CLI::App& app, Output& out);
void AddCheckCommands(CLI::App& app, Output& out);
void AddVocabularyCommands(CLI::App& app, Output& out);
void AddSeriesCommands(CLI::App& app, Output& out);
void AddDemoCommand(CLI::App& app, Output& out);

// The rules and an example that each command's --help ends with.
std::string MainRules();
std::string EngRules();
std::string ParseEngRules();
std::string ParseHexRules();
std::string SevenSegmentRules();
std::string ExpressionRules();
std::string AddressRules();
std::string IdentifierRules();
std::string NumberRules();
std::string StatsRules();
std::string WindowsRules();

// The drawing of a seven-segment word as the panel shows it: three text rows.
std::vector<std::string> DrawSevenSegment(long word);

// Lets a positional value start with '-' ("eng -12.5", "check expr -a+b") without "--": such
// values are moved behind a "--" and option values starting with '-' are joined as
// "--name=value". The tool has no short options but -h.
std::vector<std::string> ArgumentsForParsing(CLI::App& app, const std::vector<std::string>& given);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_TOOL_H

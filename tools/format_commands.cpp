// eng, simple, sci, price, sevenseg and parse: display texts from values and back.
//
// A refused text exits 1 with what the library left in the destination on standard output (an
// empty line when it wrote nothing, "---" for a price) and the reason on standard error.
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {
namespace {

// The largest destination the tool offers; the library's own texts stay far below it.
constexpr long kLargestSize = 4096;

// A scale given as a mode number 0..255 or as a scale name ("Kilo").
unsigned char ParseScale(const std::string& text) {
  if (!text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
    return static_cast<unsigned char>(ParseInteger(text, 0, 255, "scale mode"));
  CMathOperation math;
  std::vector<char> name = Writable(text);
  const long index = math.ScaleString2Index(name.data());
  if (index < 0)
    throw BadInput("unknown scale name: '" + text +
                   "' (Hide, Auto, Unity, Kilo, Mega, Giga, Tera, or a mode 0-255)");
  return static_cast<unsigned char>(index);
}

char ParseSeparator(const std::string& text) {
  if (text.size() > 1) throw BadInput("a group separator is one character: '" + text + "'");
  return text.empty() ? '\0' : text[0];
}

void CheckSize(long size, long smallest) {
  if (size < smallest || size > kLargestSize)
    throw BadInput("--size must be from " + std::to_string(smallest) + " to " +
                   std::to_string(kLargestSize));
}

std::string DoesNotFit(long size) {
  return "the text does not fit " + std::to_string(size) + " bytes (--size)";
}

// Runs a formatter on each value with a destination of `size` bytes: the output line is what the
// library left there, and a refused text (`format` false) adds the reason `refusal` gives.
void FormatEachValue(const std::string& values, bool echo, long size, Output& out,
                     const std::function<bool(double, char*)>& format,
                     const std::function<std::string(double)>& refusal) {
  std::vector<char> destination(static_cast<std::size_t>(size), '\0');
  ForEachInput(
      values, out,
      [&](const std::string& text, Output& lineOut) {
        const double value = ParseNumber(text);
        destination[0] = '\0';
        const bool done = format(value, destination.data());
        lineOut.Line(destination.data());
        if (!done) lineOut.Refuse(refusal(value));
      },
      echo);
}

const char* kValueHelp = "the value, or - for one value per input line";

struct EngOptions {
  std::string value;
  std::string unit;
  long digits = 4;
  std::string scale = "Auto";
  long size = 32;
  bool echo = false;
};

void AddEng(CLI::App& app, Output& out) {
  auto options = std::make_shared<EngOptions>();
  CLI::App* command = app.add_subcommand(
      "eng", "Engineering text of a value, as a value display shows it (DoubleToEngString)");
  command->footer(EngRules());
  command->add_option("VALUE", options->value, kValueHelp)->required();
  command->add_option("--unit", options->unit, "unit text after the scale letter");
  command->add_option("--digits", options->digits, "digits to keep (0: no cut)")
      ->capture_default_str();
  command->add_option("--scale", options->scale, "scale name or mode number 0-255")
      ->capture_default_str();
  command->add_option("--size", options->size, "destination size in bytes")->capture_default_str();
  AddEchoFlag(*command, options->echo);
  command->callback([options, &out] {
    const unsigned char mode = ParseScale(options->scale);
    CheckSize(options->size, 1);
    if (options->digits < 0 || options->digits > 65535)
      throw BadInput("--digits must be from 0 to 65535");
    std::vector<char> unit = Writable(options->unit);
    CMathOperation math;
    FormatEachValue(
        options->value, options->echo, options->size, out,
        [&](double value, char* destination) {
          return math.DoubleToEngString(destination, value, unit.data(),
                                        static_cast<int>(options->digits),
                                        static_cast<unsigned long>(options->size), mode) == 1;
        },
        [&](double) { return DoesNotFit(options->size); });
  });
}

struct SimpleOptions {
  std::string value;
  long width = 0;
  long decimals = 255;
  bool zeroFill = false;
  std::string group;
  long size = CORVIXMATH_FORMAT_UNITS;
  bool echo = false;
};

// Why a plain text was refused: the width would cut integer digits, or the text is too long.
std::string SimpleRefusal(double value, long width, long size) {
  const std::string integer = Format("%.0f", std::trunc(value));
  if (width > 0 && static_cast<long>(integer.size()) > width)
    return "--width " + std::to_string(width) + " would cut integer digits of " + integer;
  return DoesNotFit(size);
}

void AddSimple(CLI::App& app, Output& out) {
  auto options = std::make_shared<SimpleOptions>();
  CLI::App* command = app.add_subcommand(
      "simple", "Plain decimal text with width, decimals, zero fill and grouping");
  command->add_option("VALUE", options->value, kValueHelp)->required();
  command->add_option("--width", options->width, "total width (0: natural length)")
      ->capture_default_str();
  command->add_option("--decimals", options->decimals, "most decimals kept (255: no limit)")
      ->capture_default_str();
  command->add_flag("--zero-fill", options->zeroFill, "fill with 0 up to the width");
  command->add_option("--group", options->group, "thousands separator character");
  command->add_option("--size", options->size, "destination size in bytes")->capture_default_str();
  AddEchoFlag(*command, options->echo);
  command->callback([options, &out] {
    if (options->width < 0 || options->width > 255) throw BadInput("--width must be 0-255");
    if (options->decimals < 0 || options->decimals > 255)
      throw BadInput("--decimals must be 0-255");
    CheckSize(options->size, 1);
    char separator[2] = {ParseSeparator(options->group), '\0'};
    CMathOperation math;
    FormatEachValue(
        options->value, options->echo, options->size, out,
        [&](double value, char* destination) {
          return math.DoubleToSimpleString(
                     destination, value, static_cast<unsigned char>(options->width),
                     static_cast<unsigned char>(options->decimals), options->zeroFill ? 1 : 0,
                     separator, options->size) == 1;
        },
        [&](double value) { return SimpleRefusal(value, options->width, options->size); });
  });
}

void AddScientific(CLI::App& app, Output& out) {
  struct Options {
    std::string value;
    long decimals = 3;
    bool echo = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("sci", "Scientific notation (SientificFormat)");
  command->add_option("VALUE", options->value, kValueHelp)->required();
  command->add_option("--decimals", options->decimals, "mantissa decimals 0-19")
      ->capture_default_str();
  AddEchoFlag(*command, options->echo);
  command->callback([options, &out] {
    if (options->decimals < 0 || options->decimals > 19)
      throw BadInput("--decimals must be from 0 to 19");
    CMathOperation math;
    ForEachInput(
        options->value, out,
        [&](const std::string& text, Output& lineOut) {
          const double value = ParseNumber(text);
          char destination[128] = "";
          math.SientificFormat(destination, value, static_cast<unsigned char>(options->decimals),
                               sizeof destination);
          lineOut.Line(destination);
        },
        options->echo);
  });
}

void AddPrice(CLI::App& app, Output& out) {
  struct Options {
    std::string amount;
    long divisor = 0;
    std::string group;
    long size = 64;
    bool echo = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("price", "Price text of an amount (PriceToString)");
  command->add_option("AMOUNT", options->amount, "the amount, or - for one amount per input line")
      ->required();
  command
      ->add_option("--divisor", options->divisor,
                   "divisor exponent k: 0 none, else divide by 10^(k+2)")
      ->capture_default_str();
  command->add_option("--group", options->group, "thousands separator character");
  command->add_option("--size", options->size, "destination size in bytes (at least 4)")
      ->capture_default_str();
  AddEchoFlag(*command, options->echo);
  command->callback([options, &out] {
    if (options->divisor < 0 || options->divisor > 255) throw BadInput("--divisor must be 0-255");
    CheckSize(options->size, 4);
    const char separator = ParseSeparator(options->group);
    CMathOperation math;
    FormatEachValue(
        options->amount, options->echo, options->size, out,
        [&](double amount, char* destination) {
          math.PriceToString(destination, amount, static_cast<unsigned int>(options->size),
                             static_cast<unsigned char>(options->divisor), separator);
          // The library's text for a price that does not fit; no amount prints as it.
          return std::strcmp(destination, "---") != 0;
        },
        [&](double) { return DoesNotFit(options->size); });
  });
}

// The short text NumberTo4SevenSeg packs for these flags, and which scale made it.
struct PackedText {
  std::string text;
  std::string scale;
};

PackedText SevenSegmentText(double value, long flags) {
  char text[CORVIXMATH_SEVENSEG_TEXT_UNITS] = "";
  PackedText packed;
  if ((flags & (CORVIXMATH_SEVENSEG_FIXED_DIVISOR | CORVIXMATH_SEVENSEG_PLAIN)) != 0) {
    const struct {
      long bit;
      double divisor;
      const char* name;
    } divisors[] = {{CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO, 1e3, "1e3"},
                    {CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA, 1e6, "1e6"},
                    {CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA, 1e9, "1e9"},
                    {CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA, 1e12, "1e12"}};
    double divisor = 1.0;
    packed.scale = "plain";
    if ((flags & CORVIXMATH_SEVENSEG_FIXED_DIVISOR) != 0) {
      packed.scale = "fixed, no divisor";
      for (const auto& choice : divisors)
        if ((flags & choice.bit) != 0) {
          divisor = choice.divisor;
          packed.scale = std::string("fixed, divided by ") + choice.name;
          break;
        }
    }
    // A text that does not fit the library's working buffer packs nothing (the word is 0); it
    // is shown as no text, never cut.
    const int length = std::snprintf(text, sizeof text, "%4.4f", value / divisor);
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof text) {
      packed.scale += ", text too long for the panel";
      return packed;
    }
    packed.text = text;
    while (!packed.text.empty() && packed.text.back() == '0')
      packed.text.pop_back();
    while (!packed.text.empty() && packed.text.back() == '.')
      packed.text.pop_back();
  } else {
    CMathOperation math;
    char empty[] = "";
    char autoName[] = "Auto";
    math.DoubleToEngString(text, value, empty, CORVIXMATH_SEVENSEG_CHARACTERS, sizeof text,
                           static_cast<unsigned char>(math.ScaleString2Index(autoName)));
    packed.text = text;
    const auto blank = packed.text.rfind(' ');
    packed.scale = blank != std::string::npos && blank + 1 < packed.text.size()
                       ? "Auto chose " + packed.text.substr(blank + 1)
                       : "Auto chose no letter";
  }
  if ((flags & CORVIXMATH_SEVENSEG_DROP_MINUS) != 0 && !packed.text.empty() &&
      packed.text[0] == '-') {
    std::string kept;
    for (char c : packed.text)
      if (c != '-') kept += c;
    packed.text = kept;
  }
  return packed;
}

void AddSevenSegment(CLI::App& app, Output& out) {
  struct Options {
    std::string value;
    long flags = 0;
    bool plain = false;
    bool dropMinus = false;
    std::string divide;
    bool echo = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "sevenseg", "The four-digit seven-segment word of a value, drawn as the panel shows it");
  command->footer(SevenSegmentRules());
  command->add_option("VALUE", options->value, kValueHelp)->required();
  command->add_option("--flags", options->flags, "flags word (decimal or 0x hex)");
  command->add_flag(
      "--plain", options->plain,
      Format("four-decimal text of the value itself (0x%04lX)", CORVIXMATH_SEVENSEG_PLAIN));
  command->add_flag("--drop-minus", options->dropMinus,
                    Format("drop the minus sign (0x%04lX)", CORVIXMATH_SEVENSEG_DROP_MINUS));
  command->add_option("--divide", options->divide,
                      "fixed divisor before the four-decimal text: 1e3, 1e6, 1e9 or 1e12");
  AddEchoFlag(*command, options->echo);
  command->callback([options, &out] {
    long flags = options->flags;
    if (options->plain) flags |= CORVIXMATH_SEVENSEG_PLAIN;
    if (options->dropMinus) flags |= CORVIXMATH_SEVENSEG_DROP_MINUS;
    if (!options->divide.empty()) {
      const struct {
        const char* name;
        long bit;
      } divisors[] = {{"1e3", CORVIXMATH_SEVENSEG_DIVIDE_BY_KILO},
                      {"1e6", CORVIXMATH_SEVENSEG_DIVIDE_BY_MEGA},
                      {"1e9", CORVIXMATH_SEVENSEG_DIVIDE_BY_GIGA},
                      {"1e12", CORVIXMATH_SEVENSEG_DIVIDE_BY_TERA}};
      long bit = 0;
      for (const auto& divisor : divisors)
        if (options->divide == divisor.name) bit = divisor.bit;
      if (bit == 0)
        throw BadInput("--divide takes 1e3, 1e6, 1e9 or 1e12: '" + options->divide + "'");
      flags |= CORVIXMATH_SEVENSEG_FIXED_DIVISOR | bit;
    }
    CMathOperation math;
    ForEachInput(
        options->value, out,
        [&](const std::string& text, Output& lineOut) {
          const double value = ParseNumber(text);
          const long word = math.NumberTo4SevenSeg(value, flags);
          const PackedText packed = SevenSegmentText(value, flags);
          lineOut.Line(Format("word: 0x%08lX (%ld) text '%s' scale %s",
                              static_cast<unsigned long>(word) & 0xFFFFFFFFul, word,
                              packed.text.c_str(), packed.scale.c_str()));
          if (lineOut.batch) return;
          for (const std::string& row : DrawSevenSegment(word))
            lineOut.Line(row);
        },
        options->echo);
  });
}

// The text without the unit at its end and the spaces before it: "12.34 KV" less "V".
std::string WithoutUnit(const std::string& text, const std::string& unit) {
  std::string kept = text;
  while (!kept.empty() && kept.back() == ' ')
    kept.pop_back();
  if (!unit.empty() && kept.size() >= unit.size() &&
      kept.compare(kept.size() - unit.size(), unit.size(), unit) == 0)
    kept.erase(kept.size() - unit.size());
  return kept;
}

bool SaysMissingValue(const std::string& text) {
  try {
    return ParseNumber(text) == CORVIXMATH_MISSING_VALUE;
  } catch (const BadInput&) {
    return false;
  }
}

// The characters of an engineering text the library reads; the rest would be lost unseen.
constexpr std::size_t kEngTextCharacters = CORVIXMATH_FIELD_UNITS - 1;

// What the library's reading of an engineering text leaves unsaid: a text longer than it
// reads is refused, and 'm' read as millions (where eng writes m for thousandths) is noted.
void CheckEngText(const std::string& text, double value, Output& lineOut) {
  if (text.size() > kEngTextCharacters) {
    lineOut.Refuse(
        Format("longer than the %zu characters the library reads: '", kEngTextCharacters) + text +
        "'");
    return;
  }
  const auto last = text.find_last_not_of(' ');
  if (value != CORVIXMATH_MISSING_VALUE && last != std::string::npos && text[last] == 'm')
    lineOut.reasons.push_back(
        "'m' reads as millions (x1e6) here, while eng writes m for "
        "thousandths (--scale 7 or 10): '" +
        text + "'");
}

// A hexadecimal text as the library should read it: "0x" or "#" and one to eight significant
// digits, nothing else; the reason otherwise.
std::string HexProblem(const std::string& text) {
  std::size_t digits = 0;
  if (text.compare(0, 2, "0x") == 0 || text.compare(0, 2, "0X") == 0)
    digits = 2;
  else if (text.compare(0, 1, "#") == 0)
    digits = 1;
  const std::string hex = "0123456789abcdefABCDEF";
  if (digits == text.size() || text.find_first_not_of(hex, digits) != std::string::npos)
    return "not a hexadecimal text (the library skips all but the digits 0-9, A-F): '" + text + "'";
  const std::size_t significant = text.find_first_not_of('0', digits);
  if (significant != std::string::npos && text.size() - significant > 8)
    return "more than 32 bits (the library keeps the last 8 digits): '" + text + "'";
  return "";
}

void AddParse(CLI::App& app, Output& out) {
  struct Options {
    std::string text;
    std::string unit;
    bool echo = false;
  };
  auto options = std::make_shared<Options>();
  CLI::App* parse = app.add_subcommand("parse", "Numbers from texts");
  parse->require_subcommand(1);
  CLI::App* eng =
      parse->add_subcommand("eng", "An engineering text such as '12.5 K' (EngStr2SimpleValue)");
  eng->add_option("TEXT", options->text, "the text, or - for one text per input line")->required();
  eng->add_option("--unit", options->unit,
                  "unit text to strip from the end first, so '12.34 KV' reads with --unit V");
  AddEchoFlag(*eng, options->echo);
  eng->footer(ParseEngRules());
  eng->callback([options, &out] {
    CMathOperation math;
    ForEachInput(
        options->text, out,
        [&](const std::string& text, Output& lineOut) {
          const std::string read = WithoutUnit(text, options->unit);
          std::vector<char> copy = Writable(read);
          const double value = math.EngStr2SimpleValue(copy.data());
          lineOut.Line(NumberText(value));
          CheckEngText(read, value, lineOut);
          if (read.size() > kEngTextCharacters) return;
          // The missing-value marker is the library's answer for a text it cannot read,
          // unless the text says that number itself.
          if (value == CORVIXMATH_MISSING_VALUE && !SaysMissingValue(text))
            lineOut.Refuse("not an engineering text: '" + text + "'");
        },
        options->echo);
  });
  CLI::App* hex =
      parse->add_subcommand("hex", "A hexadecimal text such as '#FF8000' (HexStringToDecimal)");
  hex->add_option("TEXT", options->text, "the text, or - for one text per input line")->required();
  AddEchoFlag(*hex, options->echo);
  hex->footer(ParseHexRules());
  hex->callback([options, &out] {
    CMathOperation math;
    ForEachInput(
        options->text, out,
        [&](const std::string& text, Output& lineOut) {
          std::vector<char> copy = Writable(text);
          const long value = math.HexStringToDecimal(copy.data());
          lineOut.Line(
              Format("%ld (0x%08lX)", value, static_cast<unsigned long>(value) & 0xFFFFFFFFul));
          const std::string problem = HexProblem(text);
          if (!problem.empty()) lineOut.Refuse(problem);
        },
        options->echo);
  });
}

}  // namespace

void AddFormatCommands(CLI::App& app, Output& out) {
  AddEng(app, out);
  AddSimple(app, out);
  AddScientific(app, out);
  AddPrice(app, out);
  AddSevenSegment(app, out);
  AddParse(app, out);
}

}  // namespace corvix_tool

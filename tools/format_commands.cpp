// eng, simple, sci, price, sevenseg and parse: display texts from values and back.
#include <cctype>
#include <memory>
#include <vector>

#include "CMathOperation.h"
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
  std::vector<char> name(text.begin(), text.end());
  name.push_back('\0');
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

struct EngOptions {
  std::string value;
  std::string unit;
  long digits = 4;
  std::string scale = "Auto";
  long size = 32;
};

void AddEng(CLI::App& app, Output& out) {
  auto options = std::make_shared<EngOptions>();
  CLI::App* command = app.add_subcommand(
      "eng", "Engineering text of a value, as a value display shows it (DoubleToEngString)");
  command->add_option("VALUE", options->value, "the value, or - for one value per input line")
      ->required();
  command->add_option("--unit", options->unit, "unit text after the scale letter");
  command->add_option("--digits", options->digits, "digits to keep (0: no cut)")
      ->capture_default_str();
  command->add_option("--scale", options->scale, "scale name or mode number 0-255")
      ->capture_default_str();
  command->add_option("--size", options->size, "destination size in bytes")->capture_default_str();
  command->callback([options, &out] {
    const unsigned char mode = ParseScale(options->scale);
    if (options->size < 1 || options->size > kLargestSize)
      throw BadInput("--size must be from 1 to " + std::to_string(kLargestSize));
    if (options->digits < 0 || options->digits > 65535)
      throw BadInput("--digits must be from 0 to 65535");
    ForEachInput(options->value, out, [&](const std::string& text, Output& lineOut) {
      const double value = ParseNumber(text);
      std::vector<char> unit(options->unit.begin(), options->unit.end());
      unit.push_back('\0');
      std::vector<char> destination(static_cast<std::size_t>(options->size), '\0');
      CMathOperation math;
      if (math.DoubleToEngString(destination.data(), value, unit.data(),
                                 static_cast<int>(options->digits),
                                 static_cast<unsigned long>(options->size), mode) == 1) {
        lineOut.Line(destination.data());
      } else {
        lineOut.Line("(refused: the text does not fit " + std::to_string(options->size) +
                     " bytes)");
        lineOut.Fail();
      }
    });
  });
}

struct SimpleOptions {
  std::string value;
  long width = 0;
  long decimals = 255;
  bool zeroFill = false;
  std::string group;
  long size = 1024;
};

void AddSimple(CLI::App& app, Output& out) {
  auto options = std::make_shared<SimpleOptions>();
  CLI::App* command = app.add_subcommand(
      "simple", "Plain decimal text with width, decimals, zero fill and grouping");
  command->add_option("VALUE", options->value, "the value, or - for one value per input line")
      ->required();
  command->add_option("--width", options->width, "total width (0: natural length)")
      ->capture_default_str();
  command->add_option("--decimals", options->decimals, "most decimals kept (255: no limit)")
      ->capture_default_str();
  command->add_flag("--zero-fill", options->zeroFill, "fill with 0 up to the width");
  command->add_option("--group", options->group, "thousands separator character");
  command->add_option("--size", options->size, "destination size in bytes")->capture_default_str();
  command->callback([options, &out] {
    if (options->width < 0 || options->width > 255) throw BadInput("--width must be 0-255");
    if (options->decimals < 0 || options->decimals > 255)
      throw BadInput("--decimals must be 0-255");
    if (options->size < 1 || options->size > kLargestSize)
      throw BadInput("--size must be from 1 to " + std::to_string(kLargestSize));
    char separator[2] = {ParseSeparator(options->group), '\0'};
    ForEachInput(options->value, out, [&](const std::string& text, Output& lineOut) {
      const double value = ParseNumber(text);
      const auto format = [&](long size, std::vector<char>& destination) {
        destination.assign(static_cast<std::size_t>(size), '\0');
        CMathOperation math;
        return math.DoubleToSimpleString(destination.data(), value,
                                         static_cast<unsigned char>(options->width),
                                         static_cast<unsigned char>(options->decimals),
                                         options->zeroFill ? 1 : 0, separator, size) == 1;
      };
      std::vector<char> destination;
      if (format(options->size, destination)) {
        lineOut.Line(destination.data());
      } else if (format(kLargestSize, destination)) {
        lineOut.Line("(refused: the text does not fit " + std::to_string(options->size) +
                     " bytes)");
        lineOut.Fail();
      } else {
        // Refused even at the largest size: the width would cut integer digits.
        lineOut.Line("(refused: a width of " + std::to_string(options->width) +
                     " would cut integer digits)");
        lineOut.Fail();
      }
    });
  });
}

void AddScientific(CLI::App& app, Output& out) {
  struct Options {
    std::string value;
    long decimals = 3;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("sci", "Scientific notation (SientificFormat)");
  command->add_option("VALUE", options->value, "the value, or - for one value per input line")
      ->required();
  command->add_option("--decimals", options->decimals, "mantissa decimals 0-19")
      ->capture_default_str();
  command->callback([options, &out] {
    if (options->decimals < 0 || options->decimals > 19)
      throw BadInput("--decimals must be from 0 to 19");
    ForEachInput(options->value, out, [&](const std::string& text, Output& lineOut) {
      const double value = ParseNumber(text);
      char destination[128] = "";
      CMathOperation math;
      math.SientificFormat(destination, value, static_cast<unsigned char>(options->decimals),
                           sizeof destination);
      lineOut.Line(destination);
    });
  });
}

void AddPrice(CLI::App& app, Output& out) {
  struct Options {
    std::string amount;
    long divisor = 0;
    std::string group;
    long size = 64;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand("price", "Price text of an amount (PriceToString)");
  command->add_option("AMOUNT", options->amount, "the amount")->required();
  command
      ->add_option("--divisor", options->divisor,
                   "divisor exponent k: 0 none, else divide by 10^(k+2)")
      ->capture_default_str();
  command->add_option("--group", options->group, "thousands separator character");
  command->add_option("--size", options->size, "destination size in bytes (at least 4)")
      ->capture_default_str();
  command->callback([options, &out] {
    const double amount = ParseNumber(options->amount);
    if (options->divisor < 0 || options->divisor > 255) throw BadInput("--divisor must be 0-255");
    if (options->size < 4 || options->size > kLargestSize)
      throw BadInput("--size must be from 4 to " + std::to_string(kLargestSize));
    std::vector<char> destination(static_cast<std::size_t>(options->size), '\0');
    CMathOperation math;
    math.PriceToString(destination.data(), amount, static_cast<unsigned int>(options->size),
                       static_cast<unsigned char>(options->divisor),
                       ParseSeparator(options->group));
    out.Line(destination.data());
  });
}

void AddSevenSegment(CLI::App& app, Output& out) {
  struct Options {
    std::string value;
    long flags = 0;
    bool plain = false;
    bool dropMinus = false;
    std::string divide;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "sevenseg", "The four-digit seven-segment word of a value, drawn as the panel shows it");
  command->add_option("VALUE", options->value, "the value")->required();
  command->add_option("--flags", options->flags, "flags word (decimal or 0x hex)");
  command->add_flag("--plain", options->plain, "four-decimal text of the value itself (0x0200)");
  command->add_flag("--drop-minus", options->dropMinus, "drop the minus sign (0x0100)");
  command->add_option("--divide", options->divide,
                      "fixed divisor before the four-decimal text: 1e3, 1e6, 1e9 or 1e12");
  command->callback([options, &out] {
    const double value = ParseNumber(options->value);
    long flags = options->flags;
    if (options->plain) flags |= 0x0200;
    if (options->dropMinus) flags |= 0x0100;
    if (!options->divide.empty()) {
      const struct {
        const char* name;
        long bit;
      } divisors[] = {{"1e3", 0x0800}, {"1e6", 0x1000}, {"1e9", 0x2000}, {"1e12", 0x4000}};
      long bit = 0;
      for (const auto& divisor : divisors)
        if (options->divide == divisor.name) bit = divisor.bit;
      if (bit == 0)
        throw BadInput("--divide takes 1e3, 1e6, 1e9 or 1e12: '" + options->divide + "'");
      flags |= 0x0008 | bit;
    }
    CMathOperation math;
    const long word = math.NumberTo4SevenSeg(value, flags);
    out.Line(Format("word: 0x%08lX (%ld)", static_cast<unsigned long>(word) & 0xFFFFFFFFul, word));
    for (const std::string& row : DrawSevenSegment(word))
      out.Line(row);
  });
}

void AddParse(CLI::App& app, Output& out) {
  auto text = std::make_shared<std::string>();
  CLI::App* parse = app.add_subcommand("parse", "Numbers from texts");
  parse->require_subcommand(1);
  CLI::App* eng =
      parse->add_subcommand("eng", "An engineering text such as '12.5 K' (EngStr2SimpleValue)");
  eng->add_option("TEXT", *text, "the text")->required();
  eng->callback([text, &out] {
    std::vector<char> copy(text->begin(), text->end());
    copy.push_back('\0');
    CMathOperation math;
    const double value = math.EngStr2SimpleValue(copy.data());
    out.Line(Format("%.17g", value));
    if (value == -999.0) out.Fail();  // the library's answer for a text it cannot read
  });
  CLI::App* hex =
      parse->add_subcommand("hex", "A hexadecimal text such as '#FF8000' (HexStringToDecimal)");
  hex->add_option("TEXT", *text, "the text")->required();
  hex->callback([text, &out] {
    std::vector<char> copy(text->begin(), text->end());
    copy.push_back('\0');
    CMathOperation math;
    const long value = math.HexStringToDecimal(copy.data());
    out.Line(Format("%ld (0x%08lX)", value, static_cast<unsigned long>(value) & 0xFFFFFFFFul));
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

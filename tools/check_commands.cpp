// check expr|ip|endpoint|id|number: whether the library accepts a text, and why not.
// Exit status 0 when valid, 1 when not.
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {
namespace {

std::vector<char> Writable(const std::string& text) {
  std::vector<char> copy(text.begin(), text.end());
  copy.push_back('\0');
  return copy;
}

// "a,b,c" becomes the variable list "#a#b#c#" that the expression checker reads.
std::string VariableList(const std::string& names) {
  std::string list = "#";
  std::stringstream stream(names);
  std::string name;
  while (std::getline(stream, name, ',')) {
    if (name.empty()) continue;
    list += name + "#";
  }
  return list;
}

const char* IpCodeMeaning(long code) {
  switch (code) {
    case 1:
      return "valid address";
    case 10:
      return "the text contains no '.'";
    case 11:
      return "a field is greater than 254";
    case 12:
      return "a field is negative";
    case 13:
      return "the text does not have exactly four fields";
    case 14:
      return "the last field is not a number or is empty";
    default:
      return "unknown code";
  }
}

std::string NumberForm(long code) {
  if (code == 0) return "not a number";
  const long form = code - 1;
  return std::string("number: sign ") + ((form & 1) ? "no" : "yes") + ", point " +
         ((form & 4) ? "yes" : "no") + ", scale letter " + ((form & 2) ? "no" : "yes");
}

void AddExpression(CLI::App& checks, Output& out) {
  struct Options {
    std::string formula;
    std::string variables;
    bool anyVariables = true;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = checks.add_subcommand("expr", "A formula as the expression checker sees it");
  command->add_option("FORMULA", options->formula, "the formula, or - for one per input line")
      ->required();
  command->add_option(
      "--vars", options->variables,
      "defined variable names, comma separated (without it, names are not looked up)");
  command->callback([options, &out] {
    const bool lookUp = !options->variables.empty();
    std::vector<char> list = Writable(VariableList(options->variables));
    ForEachInput(options->formula, out, [&](const std::string& formula, Output& lineOut) {
      std::vector<char> text = Writable(formula);
      char message[512] = "";
      CMathOperation math;
      const long code =
          math.VerifyRegExpString(text.data(), message, lookUp ? list.data() : nullptr);
      if (code == 1) {
        lineOut.Line("ok");
      } else {
        lineOut.Line(Format("%ld %s", code, message));
        lineOut.Fail();
      }
    });
  });
}

void AddAddress(CLI::App& checks, Output& out) {
  auto text = std::make_shared<std::string>();
  CLI::App* command = checks.add_subcommand("ip", "A dotted IPv4 address");
  command->add_option("TEXT", *text, "the address, or - for one per input line")->required();
  command->callback([text, &out] {
    ForEachInput(*text, out, [](const std::string& address, Output& lineOut) {
      std::vector<char> copy = Writable(address);
      CMathOperation math;
      const long code = math.IsValidIPString(copy.data());
      lineOut.Line(code == 1 ? "ok" : Format("%ld %s", code, IpCodeMeaning(code)));
      if (code != 1) lineOut.Fail();
    });
  });
}

void AddEndpoint(CLI::App& checks, Output& out) {
  auto text = std::make_shared<std::string>();
  CLI::App* command = checks.add_subcommand("endpoint", "An 'address:port' text");
  command->add_option("TEXT", *text, "ADDRESS:PORT, or - for one per input line")->required();
  command->callback([text, &out] {
    ForEachInput(*text, out, [](const std::string& endpoint, Output& lineOut) {
      std::vector<char> copy = Writable(endpoint);
      char address[16] = "";
      unsigned short port = 0;
      CMathOperation math;
      const long code = math.IsValidIpAndPortString(copy.data(), address, &port);
      if (code == 1) {
        lineOut.Line(Format("ok address %s port %u", address, static_cast<unsigned>(port)));
      } else if (code == 0) {
        lineOut.Line("0 no ':' or the port is not a number");
        lineOut.Fail();
      } else if (code == CORVIXMATH_ADDRESS_PART_TOO_LONG) {
        lineOut.Line(Format("%ld the address is valid but longer than 15 characters", code));
        lineOut.Fail();
      } else if (code > -10) {
        lineOut.Line(Format("%ld the port is not a plain unsigned integer (%s)", code,
                            NumberForm(-code).c_str()));
        lineOut.Fail();
      } else {
        lineOut.Line(Format("%ld the address is not valid: %s", code, IpCodeMeaning(-code)));
        lineOut.Fail();
      }
    });
  });
}

void AddIdentifier(CLI::App& checks, Output& out) {
  auto text = std::make_shared<std::string>();
  CLI::App* command = checks.add_subcommand("id", "A control identifier, and its new form");
  command->add_option("TEXT", *text, "the identifier, or - for one per input line")->required();
  command->callback([text, &out] {
    ForEachInput(*text, out, [](const std::string& identifier, Output& lineOut) {
      std::vector<char> copy = Writable(identifier);
      CMathOperation math;
      const long form = math.IsValidControlID(copy.data());
      if (form == 0) {
        lineOut.Line("0 not a control identifier");
        lineOut.Fail();
        return;
      }
      // The conversion writes up to eight bytes in place.
      char converted[8] = "";
      std::strncpy(converted, identifier.c_str(), sizeof converted - 1);
      math.CheckControlIDAndConvertToNewVersion(converted);
      lineOut.Line(
          Format("ok form %ld (%zu characters), new form %s", form, identifier.size(), converted));
    });
  });
}

void AddNumber(CLI::App& checks, Output& out) {
  auto text = std::make_shared<std::string>();
  CLI::App* command = checks.add_subcommand("number", "A number text: sign, point, scale letter");
  command->add_option("TEXT", *text, "the text, or - for one per input line")->required();
  command->callback([text, &out] {
    ForEachInput(*text, out, [](const std::string& number, Output& lineOut) {
      std::vector<char> copy = Writable(number);
      CMathOperation math;
      const long code = math.IsDigit(copy.data());
      lineOut.Line(Format("%ld %s", code, NumberForm(code).c_str()));
      if (code == 0) lineOut.Fail();
    });
  });
}

}  // namespace

void AddCheckCommands(CLI::App& app, Output& out) {
  CLI::App* checks = app.add_subcommand("check", "Whether a text is accepted, and why not");
  checks->require_subcommand(1);
  AddExpression(*checks, out);
  AddAddress(*checks, out);
  AddEndpoint(*checks, out);
  AddIdentifier(*checks, out);
  AddNumber(*checks, out);
}

}  // namespace corvix_tool

// check expr|ip|endpoint|id|number: whether the library accepts a text, and why not.
// The answer is one line on standard output that always starts with the library's code; exit
// status 0 when valid, 1 when not.
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <sstream>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "tool.h"

namespace corvix_tool {
namespace {

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

std::string WithoutOuterSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// What a number form code of the number check says.
std::string NumberForm(long code) {
  if (code == CORVIXMATH_NOT_A_NUMBER) return "not a number";
  const long form = code - CORVIXMATH_NUMBER_FORM;
  return std::string("number: sign ") + ((form & CORVIXMATH_NUMBER_NO_SIGN) ? "no" : "yes") +
         ", point " + ((form & CORVIXMATH_NUMBER_HAS_POINT) ? "yes" : "no") + ", scale letter " +
         ((form & CORVIXMATH_NUMBER_NO_SCALE_LETTER) ? "no" : "yes");
}

// What keeps a number of this form from being a port: its sign, point or scale letter.
std::string NotPlainBecause(long code) {
  const long form = code - CORVIXMATH_NUMBER_FORM;
  std::vector<std::string> parts;
  if ((form & CORVIXMATH_NUMBER_NO_SIGN) == 0) parts.push_back("a sign");
  if ((form & CORVIXMATH_NUMBER_HAS_POINT) != 0) parts.push_back("a decimal point");
  if ((form & CORVIXMATH_NUMBER_NO_SCALE_LETTER) == 0) parts.push_back("a scale letter");
  std::string text;
  for (std::size_t i = 0; i < parts.size(); ++i)
    text += (i == 0 ? "" : i + 1 == parts.size() ? " and " : ", ") + parts[i];
  return text;
}

// Which field of a dotted address makes the address check give `code`, read as the check reads
// them: fields before the last by their leading number, the last one without its spaces.
std::string AddressReason(const std::string& address, long code) {
  std::vector<std::string> fields;
  std::stringstream stream(address);
  std::string field;
  while (std::getline(stream, field, '.'))
    fields.push_back(field);
  if (!address.empty() && address.back() == '.') fields.push_back("");
  const auto fieldValue = [&](std::size_t i) {
    const std::string text = i + 1 == fields.size() ? WithoutOuterSpaces(fields[i]) : fields[i];
    return std::strtol(text.c_str(), nullptr, 10);
  };
  const auto firstField = [&](bool (*fails)(long)) -> std::string {
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (fails(fieldValue(i))) return Format("field %zu ('%s')", i + 1, fields[i].c_str());
    return "a field";
  };
  if (code == CORVIXMATH_ADDRESS_NO_DOT) return "the address '" + address + "' has no '.'";
  if (code == CORVIXMATH_ADDRESS_FIELD_ABOVE_254)
    return firstField([](long v) { return v > CORVIXMATH_ADDRESS_LARGEST_FIELD; }) +
           Format(" is above %d", CORVIXMATH_ADDRESS_LARGEST_FIELD);
  if (code == CORVIXMATH_ADDRESS_FIELD_NEGATIVE)
    return firstField([](long v) { return v < 0; }) + " is negative";
  if (code == CORVIXMATH_ADDRESS_NOT_FOUR_FIELDS)
    return Format("the address has %zu fields, not four", fields.size());
  if (code == CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER)
    return fields.empty() || WithoutOuterSpaces(fields.back()).empty()
               ? std::string("the last field is empty")
               : "the last field ('" + fields.back() + "') is not a number";
  return "unknown code";
}

// The words for a refusal of the address-and-port check, finer than its code where the text
// tells more: which part failed and why.
std::string EndpointReason(const std::string& endpoint, long code) {
  const auto colon = endpoint.find(':');
  const std::string address = endpoint.substr(0, colon);
  const std::string port =
      colon == std::string::npos ? "" : WithoutOuterSpaces(endpoint.substr(colon + 1));
  if (code == CORVIXMATH_ADDRESS_PART_TOO_LONG)
    return Format("the address part '%s' is valid but longer than %d characters", address.c_str(),
                  CORVIXMATH_ADDRESS_BYTES - 1);
  if (code == 0) {
    if (colon == std::string::npos) return "no ':' between the address and the port";
    if (port.empty()) return "the port is empty";
    if (port.find(':') != std::string::npos) return "a second ':' in the port '" + port + "'";
    if (AllDigits(port)) {
      const auto largest = std::numeric_limits<unsigned short>::max();
      if (port.size() > 9 || std::strtol(port.c_str(), nullptr, 10) > largest)
        return Format("the port %s is above %u", port.c_str(), static_cast<unsigned>(largest));
      if (static_cast<long>(endpoint.size() - colon - 1) >= CORVIXMATH_FIELD_UNITS)
        return Format("the port part is longer than %d characters", CORVIXMATH_FIELD_UNITS - 1);
    }
    return "the port '" + port + "' is not a number";
  }
  if (code < 0 && -code < CORVIXMATH_ADDRESS_NO_DOT)
    return "the port '" + port + "' is not a plain number: it has " + NotPlainBecause(-code);
  if (-code >= CORVIXMATH_ADDRESS_NO_DOT && -code <= CORVIXMATH_ADDRESS_LAST_FIELD_NOT_A_NUMBER)
    return "the address is not valid: " + AddressReason(address, -code);
  return "unknown code";
}

struct TextOptions {
  std::string text;
  bool echo = false;
};

// Adds a check of one text (or of every input line with -) and runs `one` on it.
CLI::App* AddTextCheck(CLI::App& checks, Output& out, const char* name, const char* description,
                       const char* argument, const std::string& rules,
                       const std::function<void(const std::string&, Output&)>& one,
                       std::shared_ptr<TextOptions> options = nullptr) {
  if (!options) options = std::make_shared<TextOptions>();
  CLI::App* command = checks.add_subcommand(name, description);
  command->footer(rules);
  command->add_option(argument, options->text, "the text, or - for one per input line")->required();
  AddEchoFlag(*command, options->echo);
  command->callback([options, one, &out] { ForEachInput(options->text, out, one, options->echo); });
  return command;
}

void AddExpression(CLI::App& checks, Output& out) {
  auto options = std::make_shared<TextOptions>();
  auto variables = std::make_shared<std::string>();
  CLI::App* command = AddTextCheck(
      checks, out, "expr", "A formula as the expression checker sees it", "FORMULA",
      ExpressionRules(),
      [variables](const std::string& formula, Output& lineOut) {
        std::vector<char> list = Writable(VariableList(*variables));
        std::vector<char> text = Writable(formula);
        char message[CORVIXMATH_MESSAGE_BYTES] = "";
        CMathOperation math;
        const long code = math.VerifyRegExpString(text.data(), message,
                                                  variables->empty() ? nullptr : list.data());
        if (code == 1) {
          lineOut.Line("ok");
        } else {
          lineOut.Line(Format("%ld %s", code, message));
          lineOut.Fail();
        }
      },
      options);
  command->add_option(
      "--vars", *variables,
      "defined variable names, comma separated (without it, names are not looked up)");
}

void AddAddress(CLI::App& checks, Output& out) {
  AddTextCheck(checks, out, "ip", "A dotted IPv4 address", "TEXT", AddressRules(),
               [](const std::string& address, Output& lineOut) {
                 std::vector<char> copy = Writable(address);
                 CMathOperation math;
                 const long code = math.IsValidIPString(copy.data());
                 if (code == CORVIXMATH_ADDRESS_VALID) {
                   lineOut.Line("ok");
                   return;
                 }
                 lineOut.Line(Format("%ld %s", code, AddressReason(address, code).c_str()));
                 lineOut.Fail();
               });
}

void AddEndpoint(CLI::App& checks, Output& out) {
  AddTextCheck(
      checks, out, "endpoint", "An 'address:port' text", "ADDRESS:PORT", AddressRules(),
      [](const std::string& endpoint, Output& lineOut) {
        std::vector<char> copy = Writable(endpoint);
        char address[CORVIXMATH_ADDRESS_BYTES] = "";
        unsigned short port = 0;
        CMathOperation math;
        const long code = math.IsValidIpAndPortString(copy.data(), address, &port);
        if (code == 1) {
          lineOut.Line(Format("ok address %s port %u", address, static_cast<unsigned>(port)));
          return;
        }
        lineOut.Line(Format("%ld %s", code, EndpointReason(endpoint, code).c_str()));
        lineOut.Fail();
      });
}

void AddIdentifier(CLI::App& checks, Output& out) {
  AddTextCheck(checks, out, "id", "A control identifier, and its new form", "TEXT",
               IdentifierRules(), [](const std::string& identifier, Output& lineOut) {
                 std::vector<char> copy = Writable(identifier);
                 CMathOperation math;
                 const long form = math.IsValidControlID(copy.data());
                 if (form == 0) {
                   lineOut.Line("0 not a control identifier");
                   lineOut.Fail();
                   return;
                 }
                 // The conversion writes up to the new form's size in place.
                 char converted[CORVIXMATH_CONTROL_ID_BYTES] = "";
                 std::strncpy(converted, identifier.c_str(), sizeof converted - 1);
                 math.CheckControlIDAndConvertToNewVersion(converted);
                 lineOut.Line(Format("ok form %ld (%zu characters), new form %s", form,
                                     identifier.size(), converted));
               });
}

void AddNumber(CLI::App& checks, Output& out) {
  AddTextCheck(checks, out, "number", "A number text: sign, point, scale letter", "TEXT",
               NumberRules(), [](const std::string& number, Output& lineOut) {
                 std::vector<char> copy = Writable(number);
                 CMathOperation math;
                 const long code = math.IsDigit(copy.data());
                 lineOut.Line(Format("%ld %s", code, NumberForm(code).c_str()));
                 if (code == 0) lineOut.Fail();
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

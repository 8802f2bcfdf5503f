// corvixmath: what a display shows for a value, whether a formula or an address is accepted
// and why not, what a font descriptor decodes to, and what logged series reduce to.
#include <cstdio>
#include <exception>
#include <iostream>

#include "tool.h"

namespace corvix_tool {

std::vector<std::string> ArgumentsForParsing(CLI::App& app, const std::vector<std::string>& given) {
  std::vector<std::string> options, positionals;
  bool moved = false;
  CLI::App* command = &app;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const std::string& argument = given[i];
    if (argument == "--") return given;  // the user separated them already
    if (argument.rfind("--", 0) == 0) {
      options.push_back(argument);
      const CLI::Option* option = argument.find('=') == std::string::npos
                                      ? command->get_option_no_throw(argument)
                                      : nullptr;
      const bool takesValue = option != nullptr && option->get_items_expected_max() > 0;
      if (takesValue && i + 1 < given.size()) {
        ++i;
        if (given[i].size() > 1 && given[i][0] == '-')
          options.back() += "=" + given[i];
        else
          options.push_back(given[i]);
      }
      continue;
    }
    if (argument == "-h") {
      options.push_back(argument);
      continue;
    }
    CLI::App* sub = nullptr;
    if (positionals.empty())
      for (CLI::App* candidate : command->get_subcommands([](CLI::App*) { return true; }))
        if (candidate->check_name(argument)) sub = candidate;
    if (sub != nullptr) {
      options.push_back(argument);
      command = sub;
      continue;
    }
    if (argument.size() > 1 && argument[0] == '-') moved = true;
    positionals.push_back(argument);
  }
  if (!moved) return given;
  options.push_back("--");
  options.insert(options.end(), positionals.begin(), positionals.end());
  return options;
}

// Help that shows each command's rules (its footer) in --help-all too, so that the manual page
// made from --help-all holds them.
class RulesFormatter : public CLI::Formatter {
 public:
  std::string make_expanded(const CLI::App* sub) const override {
    std::string text = CLI::Formatter::make_expanded(sub) + Indented(sub->get_footer());
    for (const CLI::App* nested : sub->get_subcommands({}))
      text += Indented(make_expanded(nested));
    return text;
  }

 private:
  static std::string Indented(const std::string& text) {
    if (text.empty()) return "";
    std::string indented = "  ";
    for (std::size_t i = 0; i < text.size(); ++i)
      indented +=
          text[i] == '\n' && i + 1 < text.size() ? std::string("\n  ") : std::string(1, text[i]);
    return indented + (text.back() == '\n' ? "" : "\n");
  }
};

}  // namespace corvix_tool

int main(int argc, char** argv) {
  using namespace corvix_tool;
  CLI::App app{"corvixmath: the CorvixMath library at a shell prompt", "corvixmath"};
  app.set_version_flag("--version", "corvixmath 1.0.0");
  app.set_help_all_flag("--help-all", "Print the help of every command, with its rules");
  app.formatter(std::make_shared<RulesFormatter>());
  app.require_subcommand(1);
  app.fallthrough(false);

  Output out;
  AddFormatCommands(app, out);
  AddCheckCommands(app, out);
  AddVocabularyCommands(app, out);
  AddSeriesCommands(app, out);
  AddDemoCommand(app, out);
  app.footer(MainRules());  // after the commands, which would take it over as their own

  std::vector<std::string> given(argv + 1, argv + argc);
  std::vector<std::string> arguments = ArgumentsForParsing(app, given);
  // CLI11 takes the arguments last first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "corvixmath: " << Printable(e.what()) << "\n";
    std::cerr << "Run with --help for more information.\n";
    return kExitBadInput;
  } catch (const BadInput& e) {
    std::fflush(stdout);
    std::cerr << "corvixmath: " << Printable(e.what()) << "\n";
    return kExitBadInput;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::cerr << "corvixmath: " << Printable(e.what()) << "\n";
    return kExitBadInput;
  }
  std::fwrite(out.text.data(), 1, out.text.size(), stdout);
  std::fflush(stdout);
  for (const std::string& reason : out.reasons)
    std::cerr << "corvixmath: " << Printable(reason) << "\n";
  return out.status;
}

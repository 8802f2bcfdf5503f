// corvixmath: what a display shows for a value, whether a formula or an address is accepted
// and why not, what a font descriptor decodes to, and what a day of samples reduces to.
#include <cstdio>
#include <exception>
#include <iostream>

#include "tool.h"

int main(int argc, char** argv) {
  using namespace corvix_tool;
  CLI::App app{"corvixmath: the CorvixMath library at a shell prompt", "corvixmath"};
  app.set_version_flag("--version", "corvixmath 1.0.0");
  app.require_subcommand(1);
  app.fallthrough(false);

  Output out;
  AddFormatCommands(app, out);
  AddCheckCommands(app, out);
  AddVocabularyCommands(app, out);
  AddSeriesCommands(app, out);
  AddDemoCommand(app, out);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "corvixmath: " << e.what() << "\n";
    std::cerr << "Run with --help for more information.\n";
    return kExitBadInput;
  } catch (const BadInput& e) {
    std::cerr << "corvixmath: " << e.what() << "\n";
    return kExitBadInput;
  } catch (const std::exception& e) {
    std::cerr << "corvixmath: " << e.what() << "\n";
    return kExitBadInput;
  }
  std::fwrite(out.text.data(), 1, out.text.size(), stdout);
  return out.status;
}

// Runs the built corvixmath tool with arguments and standard input, and checks its standard
// output, standard error and exit status.
#ifndef CORVIXMATH_TESTS_TOOLS_TOOL_RUN_H
#define CORVIXMATH_TESTS_TOOLS_TOOL_RUN_H

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef CORVIXMATH_TOOL_PATH
#error "the tests need the path of the built tool"
#endif
#ifndef CORVIXMATH_TOOL_EMULATOR
#define CORVIXMATH_TOOL_EMULATOR ""
#endif

namespace tool_test {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream input(path, std::ios::binary);
  std::stringstream text;
  text << input.rdbuf();
  return text.str();
}

// Files of the running test only, so that tests may run in parallel.
inline std::string TempPath(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(CORVIXMATH_TOOL_TEST_DIR) + "/" + test->name() + "." + name;
}

// Single-quotes an argument for the shell.
inline std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& input = "") {
  const std::string in = TempPath("stdin.txt"), out = TempPath("stdout.txt"),
                    err = TempPath("stderr.txt");
  std::ofstream(in, std::ios::binary) << input;
  // Under an emulator (a cross build) the tool runs through it, as the tests themselves do.
  const std::string emulator = CORVIXMATH_TOOL_EMULATOR;
  std::string command = (emulator.empty() ? "" : emulator + " ") + Quoted(CORVIXMATH_TOOL_PATH);
  for (const std::string& argument : arguments)
    command += " " + Quoted(argument);
  command += " <" + in + " >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return {status, ReadFile(out), ReadFile(err)};
}

struct ToolCase {
  std::vector<std::string> arguments;
  std::string input;
  int status;
  std::string out;       // the whole standard output
  std::string err = "";  // the whole standard error
};

inline void ExpectCases(const std::vector<ToolCase>& cases) {
  for (const ToolCase& c : cases) {
    std::string shown;
    for (const std::string& argument : c.arguments)
      shown += argument + " ";
    const ToolRun run = RunTool(c.arguments, c.input);
    EXPECT_EQ(run.status, c.status) << shown << "\nstderr: " << run.err;
    EXPECT_EQ(run.out, c.out) << shown;
    EXPECT_EQ(run.err, c.err) << shown;
  }
}

}  // namespace tool_test

#endif  // CORVIXMATH_TESTS_TOOLS_TOOL_RUN_H

// Runs the built corvixmath tool on every command, with good and bad input, and checks its
// standard output, standard error and exit status.
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

namespace {

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream input(path, std::ios::binary);
  std::stringstream text;
  text << input.rdbuf();
  return text.str();
}

// Files of the running test only, so that tests may run in parallel.
std::string TempPath(const std::string& name) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  return std::string(CORVIXMATH_TOOL_TEST_DIR) + "/" + test->name() + "." + name;
}

// Single-quotes an argument for the shell.
std::string Quoted(const std::string& argument) {
  std::string quoted = "'";
  for (char c : argument)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

ToolRun RunTool(const std::vector<std::string>& arguments, const std::string& input = "") {
  const std::string in = TempPath("stdin.txt"), out = TempPath("stdout.txt"),
                    err = TempPath("stderr.txt");
  std::ofstream(in, std::ios::binary) << input;
  std::string command = Quoted(CORVIXMATH_TOOL_PATH);
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
  std::string out;  // the whole standard output
};

void ExpectCases(const std::vector<ToolCase>& cases) {
  for (const ToolCase& c : cases) {
    std::string shown;
    for (const std::string& argument : c.arguments)
      shown += argument + " ";
    const ToolRun run = RunTool(c.arguments, c.input);
    EXPECT_EQ(run.status, c.status) << shown << "\nstderr: " << run.err;
    EXPECT_EQ(run.out, c.out) << shown;
  }
}

TEST(Tool, FormatsValuesAsTheDisplaysShowThem) {
  ExpectCases({
      {{"eng", "12345.678", "--unit", "W"}, "", 0, "12.34 KW\n"},
      {{"eng", "12345.678", "--unit", "W", "--scale", "Hide"}, "", 0, "12.34 W\n"},
      {{"eng", "12345.678", "--unit", "W", "--scale", "unity"}, "", 0, "EEEE\n"},
      {{"eng", "-12345.678", "--unit", "W", "--scale", "3"}, "", 0, "-12.34 KW\n"},
      {{"eng", "0.05", "--unit", "A", "--digits", "3", "--scale", "10"}, "", 0, "50.0 mA\n"},
      {{"eng", "2.5", "--digits", "3", "--scale", "7"}, "", 0, "2500 m\n"},
      // A text exactly as long as the destination is refused, one byte more is written.
      {{"eng", "12345.678", "--unit", "W", "--size", "8"},
       "",
       1,
       "(refused: the text does not fit 8 bytes)\n"},
      {{"eng", "12345.678", "--unit", "W", "--size", "9"}, "", 0, "12.34 KW\n"},
      {{"eng", "-", "--unit", "W"}, "12345.678\n5e9\n", 0, "12.34 KW\n5.000 GW\n"},
      {{"simple", "1234567.891", "--decimals", "2", "--group", ","}, "", 0, "1,234,567.89\n"},
      {{"simple", "12.5", "--width", "6", "--decimals", "1", "--zero-fill"}, "", 0, "0012.5\n"},
      {{"simple", "-5", "--width", "4", "--zero-fill"}, "", 0, "-005\n"},
      {{"simple", "-123456", "--group", ","}, "", 0, "-123,456\n"},
      {{"sci", "12345.678", "--decimals", "2"}, "", 0, "1.23E4\n"},
      {{"sci", "-", "--decimals", "1"}, "-0.005\n0\n", 0, "-5.0E-3\n0.0E0\n"},
      {{"price", "1234567", "--group", "."}, "", 0, "1.234.567\n"},
      {{"price", "1234567", "--group", ",", "--size", "9"}, "", 0, "---\n"},
      {{"price", "1999.99"}, "", 0, "1999\n"},
      {{"parse", "eng", "12.5 K"}, "", 0, "12500\n"},
      {{"parse", "eng", "1.5m"}, "", 0, "1500000\n"},
      {{"parse", "eng", "12K5"}, "", 1, "-999\n"},
      {{"parse", "hex", "#FF8000"}, "", 0, "16744448 (0x00FF8000)\n"},
      {{"parse", "hex", "FFFFFFFF"}, "", 0, "-1 (0xFFFFFFFF)\n"},
  });
}

TEST(Tool, DrawsTheSevenSegmentWordAsThePanelShowsIt) {
  // 12345.678 in the Auto scale: '12.34 K' gives the digits 1 2 3 4, the point after the 2.
  const ToolRun run = RunTool({"sevenseg", "12345.678"});
  EXPECT_EQ(run.status, 0);
  const long word = (1L << 21) | (2L << 14) | (3L << 7) | 4L | (1L << 30);
  char expected[64];
  std::snprintf(expected, sizeof expected, "word: 0x%08lX (%ld)\n", word, word);
  EXPECT_EQ(run.out, std::string(expected) +
                         "     _   _\n"
                         "  |  _|  _| |_|\n"
                         "  | |_ . _|   |\n");
  // -12.5 in the plain four-decimal text: '-125' with the point after the third character.
  const ToolRun minus = RunTool({"sevenseg", "-12.5", "--plain"});
  EXPECT_EQ(minus.out.substr(minus.out.find('\n') + 1),
            "         _   _\n"
            " _    |  _| |_\n"
            "      | |_ . _|\n");
  const ToolRun divided = RunTool({"sevenseg", "2500000", "--divide", "1e6"});
  EXPECT_EQ(divided.out.substr(0, divided.out.find('\n')), "word: 0x80000105 (-2147483387)");
}

TEST(Tool, ChecksTextsAndExplainsWhyNot) {
  ExpectCases({
      {{"check", "expr", "(a+b)*2>c", "--vars", "a,b,c"}, "", 0, "ok\n"},
      {{"check", "expr", "(a+b"}, "", 1, "-21 Some parenthesis are still not closed\n"},
      {{"check", "expr", "a+d", "--vars", "a,b"}, "", 1, "-26 Undefined variable\n"},
      {{"check", "expr", "-"},
       "a+b\n)\n",
       1,
       "ok\n-20 Closing parenthesis without opening parenthesis was found\n"},
      {{"check", "ip", "1.2.3.4"}, "", 0, "ok\n"},
      {{"check", "ip", "1.2.3.255"}, "", 1, "11 a field is greater than 254\n"},
      {{"check", "ip", "192.168.100.1000"}, "", 1, "11 a field is greater than 254\n"},
      {{"check", "endpoint", "1.2.3.4: 80 "}, "", 0, "ok address 1.2.3.4 port 80\n"},
      {{"check", "endpoint", "1.2.3.4:-80"},
       "",
       1,
       "-3 the port is not a plain unsigned integer (number: sign yes, point no, scale letter "
       "no)\n"},
      {{"check", "endpoint", "1.2.3:80"},
       "",
       1,
       "-13 the address is not valid: the text does not have exactly four fields\n"},
      {{"check", "endpoint", "1.2.3.4:70000"}, "", 1, "0 no ':' or the port is not a number\n"},
      {{"check", "id", "AB123"}, "", 0, "ok form 1 (5 characters), new form AB0123\n"},
      {{"check", "id", "AB12"}, "", 1, "0 not a control identifier\n"},
      {{"check", "number", "-1.5M"}, "", 0, "5 number: sign yes, point yes, scale letter yes\n"},
      {{"check", "number", "1e5"}, "", 1, "0 not a number\n"},
  });
}

// Arguments are passed to the library byte for byte: the Windows-1256 letters and the no-break
// space (0xA0) are characters like any other, never letters, digits or blanks of the checks.
TEST(Tool, PassesBytesFrom0x80UpUnchanged) {
  const std::string noBreakSpace = "\xA0", alef = "\xC7", beh = "\xC8", degree = "\xB0",
                    lastByte = "\xFF", upperA = "\xC1";
  ExpectCases({
      {{"check", "expr", "a+" + alef}, "", 1, "-29 Invalid Character detected.\n"},
      {{"check", "expr", "a" + noBreakSpace + "+b"}, "", 1, "-29 Invalid Character detected.\n"},
      {{"check", "id", alef + beh + "123"}, "", 1, "0 not a control identifier\n"},
      {{"check", "number", "12" + noBreakSpace}, "", 1, "0 not a number\n"},
      {{"simple", "1234567", "--group", noBreakSpace},
       "",
       0,
       "1" + noBreakSpace + "234" + noBreakSpace + "567\n"},
      {{"price", "-1234567", "--group", lastByte},
       "",
       0,
       "-1" + lastByte + "234" + lastByte + "567\n"},
      {{"eng", "12345.678", "--unit", degree + "C"}, "", 0, "12.34 K" + degree + "C\n"},
      {{"parse", "eng", "12" + degree}, "", 1, "-999\n"},
      {{"parse", "hex", upperA + "1A" + upperA}, "", 0, "26 (0x0000001A)\n"},
  });
}

TEST(Tool, DecodesVocabulary) {
  ExpectCases({
      {{"font", "Tahoma,12,#FF0000,Bold"},
       "",
       0,
       "face: Tahoma\nsize: 12\ncolour: 16711680 (#FF0000)\nstyle: 1 bold\n"},
      {{"model", "104"},
       "",
       0,
       "model: 104\ntavlin data type: 2\ndata structure type: 1\niam code: 17\ndevice class: 3\n"},
      {{"model", "105"},
       "",
       1,
       "model: 105\ntavlin data type: 255 (none)\ndata structure type: 0 (none)\niam code: 0 "
       "(none)\ndevice class: 0 (unknown)\n"},
      {{"component", "1002"}, "", 0, "OPCServer\n"},
      {{"component", "999"}, "", 1, "(no component has this id)\n"},
  });
}

TEST(Tool, ReducesSamples) {
  ExpectCases({
      {{"stats", "-"},
       "1\n2\n# a comment\n3\n4\n",
       0,
       "count: 4\nminimum: 1\nmaximum: 4\naverage: 2.5\nspread: 0.55901699437494745\n"},
  });
  // The two-series example: three hourly windows with data.
  std::ofstream(TempPath("first.csv")) << "0,1.0\n100,3.0\n01:00:00,10.0\n3700,20.0\n7300,7.0\n";
  std::ofstream(TempPath("second.csv")) << "50,5.0\n3650,6.0\n";
  const std::string svg = TempPath("day.svg");
  std::remove(svg.c_str());
  const ToolRun run = RunTool({"windows", "--width", "3600", "--step", "3600",
                               TempPath("first.csv"), TempPath("second.csv"), "--svg", svg});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "centre,clock,min,max,mean\n"
            "0,00:00:00,2,5,3.5\n"
            "3600,01:00:00,6,15,10.5\n"
            "7200,02:00:00,7,7,7\n");
  // The chart is well-formed XML with one mean point per window and a band of twice as many.
  const std::string check =
      "python3 -c \"import sys, xml.dom.minidom as m; d = m.parse(sys.argv[1]); "
      "l = d.getElementsByTagName('polyline')[0].getAttribute('points').split(); "
      "b = d.getElementsByTagName('polygon')[0].getAttribute('points').split(); "
      "sys.exit(0 if (len(l), len(b)) == (3, 6) else 1)\" " +
      svg;
  EXPECT_EQ(std::system(check.c_str()), 0) << ReadFile(svg);
}

TEST(Tool, BadInputGivesOneMessageAndStatusTwoWithNothingOnStandardOutput) {
  std::ofstream(TempPath("bad.csv")) << "0,1.0\n60,abc\n";
  std::ofstream(TempPath("back.csv")) << "120,1.0\n60,2.0\n";
  std::vector<std::string> tooMany = {"windows", "--width", "60", "--step", "60"};
  for (int i = 0; i < 33; ++i)
    tooMany.push_back(TempPath("first.csv"));
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string message;
  } cases[] = {
      {{"eng", "12x"}, "", "not a number: '12x'"},
      {{"eng", "1", "--scale", "Huge"}, "", "unknown scale name: 'Huge'"},
      {{"eng", "-"}, "1\n2x\n", "<stdin>:2: not a number: '2x'"},
      {{"simple", "1", "--width", "300"}, "", "--width must be 0-255"},
      {{"sevenseg", "1", "--divide", "1e4"}, "", "--divide takes"},
      {{"model", "70000"}, "", "model must be a whole number from 0 to 65535"},
      {{"stats", TempPath("missing.txt")}, "", "cannot read"},
      {{"windows", "--width", "60", "--step", "60", TempPath("bad.csv")},
       "",
       "bad.csv:2: not a number: 'abc'"},
      {{"windows", "--width", "60", "--step", "60", TempPath("back.csv")},
       "",
       "back.csv:2: times must not go back"},
      {tooMany, "", "at most 32 files"},
      {{"frobnicate"}, "", "subcommand"},
      {{}, "", "subcommand"},
  };
  for (const auto& c : cases) {
    const ToolRun run = RunTool(c.arguments, c.input);
    const std::string shown = c.arguments.empty() ? "(none)" : c.arguments[0];
    EXPECT_EQ(run.status, 2) << shown << " " << run.err;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << shown << ": " << run.err;
    EXPECT_EQ(run.err.find("terminate"), std::string::npos) << run.err;
  }
}

TEST(Tool, HelpVersionAndDemo) {
  const ToolRun version = RunTool({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "corvixmath 1.0.0\n");
  for (const char* command : {"eng", "simple", "sci", "price", "sevenseg", "parse", "check", "font",
                              "model", "component", "stats", "windows", "demo"}) {
    const ToolRun help = RunTool({command, "--help"});
    EXPECT_EQ(help.status, 0) << command;
    EXPECT_NE(help.out.find("Usage"), std::string::npos) << command;
  }
  const ToolRun demo = RunTool({"demo"});
  EXPECT_EQ(demo.status, 0) << demo.err;
  EXPECT_NE(demo.out.find("1.234 KW"), std::string::npos);
  EXPECT_NE(demo.out.find("-23 Two Adjacent sign detected."), std::string::npos);
  EXPECT_NE(demo.out.find("25 windows"), std::string::npos);
  // Deterministic: the same tour twice.
  EXPECT_EQ(RunTool({"demo"}).out, demo.out);
}

}  // namespace

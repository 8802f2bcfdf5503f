// Runs the built corvixmath tool on every command, with good and bad input, and checks its
// standard output, standard error and exit status.
#include "tool_run.h"

namespace {

using namespace tool_test;

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
       "\n",
       "corvixmath: the text does not fit 8 bytes (--size)\n"},
      {{"eng", "12345.678", "--unit", "W", "--size", "9"}, "", 0, "12.34 KW\n"},
      {{"eng", "-", "--unit", "W"}, "12345.678\n5e9\n", 0, "12.34 KW\n5.000 GW\n"},
      {{"simple", "1234567.891", "--decimals", "2", "--group", ","}, "", 0, "1,234,567.89\n"},
      {{"simple", "12.5", "--width", "6", "--decimals", "1", "--zero-fill"}, "", 0, "0012.5\n"},
      {{"simple", "-5", "--width", "4", "--zero-fill"}, "", 0, "-005\n"},
      {{"simple", "-123456", "--group", ","}, "", 0, "-123,456\n"},
      // A width never drops integer digits: 1234567 in a width of 3 is refused, not '123'.
      {{"simple", "1234567", "--width", "3"},
       "",
       1,
       "\n",
       "corvixmath: --width 3 would cut integer digits of 1234567\n"},
      {{"simple", "-5", "--width", "1", "--zero-fill"},
       "",
       1,
       "\n",
       "corvixmath: --width 1 would cut integer digits of -5\n"},
      {{"simple", "123.456", "--width", "3"}, "", 0, "123\n"},
      {{"simple", "1234567.891", "--size", "8"},
       "",
       1,
       "\n",
       "corvixmath: the text does not fit 8 bytes (--size)\n"},
      {{"sci", "12345.678", "--decimals", "2"}, "", 0, "1.23E4\n"},
      {{"sci", "-", "--decimals", "1"}, "-0.005\n0\n", 0, "-5.0E-3\n0.0E0\n"},
      {{"price", "1234567", "--group", "."}, "", 0, "1.234.567\n"},
      {{"price", "1234567", "--group", ",", "--size", "9"},
       "",
       1,
       "---\n",
       "corvixmath: the text does not fit 9 bytes (--size)\n"},
      {{"price", "1999.99"}, "", 0, "1999\n"},
      {{"parse", "eng", "12.5 K"}, "", 0, "12500\n"},
      // The library reads m as millions; eng writes m for thousandths: a note says so.
      {{"parse", "eng", "1.5m"},
       "",
       0,
       "1500000\n",
       "corvixmath: 'm' reads as millions (x1e6) here, while eng writes m for thousandths "
       "(--scale 7 or 10): '1.5m'\n"},
      {{"parse", "eng", "12K5"}, "", 1, "-999\n", "corvixmath: not an engineering text: '12K5'\n"},
      {{"parse", "eng", "-999"}, "", 0, "-999\n"},
      // What eng printed reads back once its unit is stripped.
      {{"parse", "eng", "12.34 KV", "--unit", "V"}, "", 0, "12340\n"},
      {{"parse", "eng", "0.5"}, "", 0, "0.5\n"},
      {{"parse", "hex", "#FF8000"}, "", 0, "16744448 (0x00FF8000)\n"},
      {{"parse", "hex", "FFFFFFFF"}, "", 0, "-1 (0xFFFFFFFF)\n"},
  });
}

TEST(Tool, DrawsTheSevenSegmentWordAsThePanelShowsIt) {
  // 12345.678 in the Auto scale: '12.34 K' gives the digits 1 2 3 4, the point after the 2.
  const ToolRun run = RunTool({"sevenseg", "12345.678"});
  EXPECT_EQ(run.status, 0);
  const long word = (1L << 21) | (2L << 14) | (3L << 7) | 4L | (1L << 30);
  char expected[128];
  std::snprintf(expected, sizeof expected,
                "word: 0x%08lX (%ld) text '12.34 K' scale Auto chose K\n", word, word);
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
  EXPECT_EQ(divided.out.substr(0, divided.out.find('\n')),
            "word: 0x80000105 (-2147483387) text '2.5' scale fixed, divided by 1e6");
  // A four-decimal text longer than the panel's working buffer packs nothing: no text, not a cut
  // one ('2500000.0000' would show as '2500000').
  const ToolRun tooLong = RunTool({"sevenseg", "2500000", "--plain"});
  EXPECT_EQ(tooLong.out.substr(0, tooLong.out.find('\n')),
            "word: 0x00000000 (0) text '' scale plain, text too long for the panel");
  // The same four digits for 1, 1e3 and 1e6: the scale tells them apart.
  ExpectCases({
      {{"sevenseg", "-", "--echo"},
       "1\n1e3\n1e6\n-1.5\nx\n",
       2,
       "1,word: 0x80200000 (-2145386496) text '1.000' scale Auto chose no letter\n"
       "1e3,word: 0x80200000 (-2145386496) text '1.000 K' scale Auto chose K\n"
       "1e6,word: 0x80200000 (-2145386496) text '1.000 M' scale Auto chose M\n"
       "-1.5,word: 0x43C04280 (1136673408) text '-1.500' scale Auto chose no letter\n"
       "x,\n",
       "<stdin>:5: not a number: 'x'\n"},
      {{"sevenseg", "-12.5", "--plain", "--drop-minus"},
       "",
       0,
       "word: 0x40004105 (1073758469) text '12.5' scale plain\n"
       " _       _   _\n"
       "| |   |  _| |_\n"
       "|_|   |.|_   _|\n"},
  });
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
      {{"check", "ip", "1.2.3.255"}, "", 1, "11 field 4 ('255') is above 254\n"},
      {{"check", "ip", "192.168.100.1000"}, "", 1, "11 field 4 ('1000') is above 254\n"},
      {{"check", "ip", "300.1"}, "", 1, "11 field 1 ('300') is above 254\n"},
      {{"check", "ip", "1.-2.3.4"}, "", 1, "12 field 2 ('-2') is negative\n"},
      {{"check", "ip", "1234"}, "", 1, "10 the address '1234' has no '.'\n"},
      {{"check", "ip", "1.2.3.x"}, "", 1, "14 the last field ('x') is not a number\n"},
      {{"check", "ip", "1.2.3."}, "", 1, "14 the last field is empty\n"},
      {{"check", "endpoint", "1.2.3.4: 80 "}, "", 0, "ok address 1.2.3.4 port 80\n"},
      {{"check", "endpoint", "1.2.3.4:-80"},
       "",
       1,
       "-3 the port '-80' is not a plain number: it has a sign\n"},
      {{"check", "endpoint", "1.2.3.4:8.5K"},
       "",
       1,
       "-6 the port '8.5K' is not a plain number: it has a decimal point and a scale letter\n"},
      {{"check", "endpoint", "1.2.3:80"},
       "",
       1,
       "-13 the address is not valid: the address has 3 fields, not four\n"},
      {{"check", "endpoint", "256.1.1.1:80"},
       "",
       1,
       "-11 the address is not valid: field 1 ('256') is above 254\n"},
      {{"check", "endpoint", "1.2.3.4:65536"}, "", 1, "0 the port 65536 is above 65535\n"},
      {{"check", "endpoint", "1.2.3.4:65535"}, "", 0, "ok address 1.2.3.4 port 65535\n"},
      {{"check", "endpoint", "1.2.3.4"}, "", 1, "0 no ':' between the address and the port\n"},
      {{"check", "endpoint", "1.2.3.4: "}, "", 1, "0 the port is empty\n"},
      {{"check", "endpoint", "1.2.3.4:80:90"}, "", 1, "0 a second ':' in the port '80:90'\n"},
      {{"check", "endpoint", "1.2.3.4:abc"}, "", 1, "0 the port 'abc' is not a number\n"},
      {{"check", "endpoint", "0001.002.003.004:80"},
       "",
       1,
       "-15 the address part '0001.002.003.004' is valid but longer than 15 characters\n"},
      // Every check reads one text per line with -, one answer per line.
      {{"check", "endpoint", "-", "--echo"},
       "1.2.3.4:80\n1.2.3.4:x\n",
       1,
       "1.2.3.4:80,ok address 1.2.3.4 port 80\n1.2.3.4:x,0 the port 'x' is not a number\n"},
      {{"check", "ip", "-"}, "1.2.3.4\n1.2.3\n", 1, "ok\n13 the address has 3 fields, not four\n"},
      {{"check", "id", "-"},
       "AB123\nAB12\n",
       1,
       "ok form 1 (5 characters), new form AB0123\n0 not a control identifier\n"},
      {{"check", "number", "-"},
       "12\n1e5\n",
       1,
       "4 number: sign no, point no, scale letter no\n0 not a number\n"},
      {{"check", "id", "AB123"}, "", 0, "ok form 1 (5 characters), new form AB0123\n"},
      {{"check", "id", "AB12"}, "", 1, "0 not a control identifier\n"},
      {{"check", "number", "-1.5M"}, "", 0, "5 number: sign yes, point yes, scale letter yes\n"},
      {{"check", "number", "1e5"}, "", 1, "0 not a number\n"},
  });
}

TEST(Tool, TakesNegativeValuesWithoutDoubleDash) {
  ExpectCases({
      {{"eng", "-12.5", "--unit", "W"}, "", 0, "-12.50  W\n"},
      {{"eng", "--unit", "W", "-12345.678", "--scale", "3"}, "", 0, "-12.34 KW\n"},
      {{"eng", "-inf"}, "", 0, "EEEE\n"},
      {{"sci", "-0.005", "--decimals", "1"}, "", 0, "-5.0E-3\n"},
      {{"parse", "eng", "-12.5K"}, "", 0, "-12500\n"},
      {{"check", "expr", "-a+b", "--vars", "a,b"}, "", 0, "ok\n"},
      {{"check", "number", "-1.5M"}, "", 0, "5 number: sign yes, point yes, scale letter yes\n"},
      // An option's value may start with '-' too; a bad one is still refused.
      {{"eng", "5", "--digits", "-1"}, "", 2, "", "corvixmath: --digits must be from 0 to 65535\n"},
      {{"eng", "--", "-2"}, "", 0, "-2.000\n"},
  });
}

TEST(Tool, BatchGivesOneLinePerInputLineAndGoesOnAfterABadOne) {
  ExpectCases({
      {{"eng", "-", "--unit", "W"},
       "12345.678\n\nabc\n-5e3\n1e20\n",
       2,
       "12.34 KW\n\n\n-5.000 KW\nEEEE\n",
       "<stdin>:2: not a number: ''\n<stdin>:3: not a number: 'abc'\n"},
      {{"eng", "-"}, "1\r\n2\r\n", 0, "1.000\n2.000\n"},
      {{"simple", "-", "--decimals", "1", "--group", ","},
       "1234567.891\n-5\n",
       0,
       "1,234,567.8\n-5\n"},
      {{"sci", "-"}, "0.5\n-2\n", 0, "5.000E-1\n-2.000E0\n"},
      // A refusal (status 1) and bad input (status 2) in one batch: the worse status wins, and
      // --echo quotes an input holding the separator.
      {{"price", "-", "--group", ",", "--size", "9", "--echo"},
       "1234567\n12\n1,5\n",
       2,
       "1234567,---\n12,12\n\"1,5\",\n",
       "<stdin>:1: the text does not fit 9 bytes (--size)\n<stdin>:3: not a number: '1,5'\n"},
      {{"price", "-"}, "12\n", 0, "12\n"},
      {{"parse", "eng", "-", "--unit", "V"},
       "12.34 KV\n5 V\n?!\n",
       1,
       "12340\n5\n-999\n",
       "<stdin>:3: not an engineering text: '?!'\n"},
      {{"parse", "hex", "-"},
       "#FF\nzz\n",
       1,
       "255 (0x000000FF)\n0 (0x00000000)\n",
       "<stdin>:2: not a hexadecimal text (the library skips all but the digits 0-9, A-F): "
       "'zz'\n"},
      {{"eng", "-"}, "", 0, ""},
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
      {{"parse", "eng", "12" + degree},
       "",
       1,
       "-999\n",
       "corvixmath: not an engineering text: '12" + degree + "'\n"},
      // The library skips what is not a digit; the tool says so, the bytes shown unchanged.
      {{"parse", "hex", upperA + "1A" + upperA},
       "",
       1,
       "26 (0x0000001A)\n",
       "corvixmath: not a hexadecimal text (the library skips all but the digits 0-9, A-F): '" +
           upperA + "1A" + upperA + "'\n"},
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
       "(none)\ndevice class: 0 (unknown)\n",
       "corvixmath: the library knows no device model 105\n"},
      {{"component", "1002"}, "", 0, "OPCServer\n"},
      {{"component", "999"}, "", 1, "\n", "corvixmath: no component has the id 999\n"},
  });
}

TEST(Tool, BadInputGivesOneMessageAndStatusTwoWithNothingOnStandardOutput) {
  std::ofstream(TempPath("bad.csv")) << "0,1.0\n60,abc\n";
  std::ofstream(TempPath("back.csv")) << "120,1.0\n60,2.0\n";
  std::ofstream(TempPath("one.csv")) << "0,1.0\n";
  std::vector<std::string> tooMany = {"windows", "--width", "60", "--step", "60"};
  for (int i = 0; i < 33; ++i)
    tooMany.push_back(TempPath("one.csv"));
  const struct {
    std::vector<std::string> arguments;
    std::string input;
    std::string message;
  } cases[] = {
      {{"eng", "12x"}, "", "not a number: '12x'"},
      {{"eng", "1", "--scale", "Huge"}, "", "unknown scale name: 'Huge'"},
      {{"simple", "1", "--width", "300"}, "", "--width must be 0-255"},
      {{"sevenseg", "1", "--divide", "1e4"}, "", "--divide takes"},
      {{"model", "70000"}, "", "model must be a whole number from 0 to 65535"},
      {{"stats", TempPath("missing.txt")}, "", "cannot read"},
      {{"windows", "--width", "60", "--step", "60", TempPath("bad.csv")},
       "",
       "bad.csv:2: not a finite number: 'abc'"},
      {{"windows", "--width", "60", "--step", "60", TempPath("back.csv")},
       "",
       "back.csv:2: times must not go back"},
      {tooMany, "",
       "one.csv:1: 33 series; at most 32 can be reduced at once: choose some with --values"},
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
  // Each command's help ends with its rules and an example; --help-all holds them all.
  const struct {
    std::vector<std::string> command;
    std::vector<std::string> rules;
  } rules[] = {
      {{"eng"}, {"Scale modes:", "7 thousandths", "8, 9 and 11 to 255 plain"}},
      {{"sevenseg"}, {"0x0008 fixed divisor", "0x0200", "0x0100 drop the minus sign"}},
      {{"check", "expr"}, {"at most 127 characters", "run of 1 to 3", "-30 name too long"}},
      {{"check", "endpoint"}, {"up to 65535", "-10 to -14 the address code negated"}},
      {{"check", "id"}, {"2 letters and 3 digits (form 1"}},
      {{"stats"}, {"spread = sqrt(sum((x - average)^2)) / n", "population standard deviation"}},
      {{"windows"},
       {"c - h <= t < c - h + W", "ISO 8601", "zone offset", "1 s to 400 days", "at most 32",
        "--series-column", "--time-format"}},
  };
  const ToolRun all = RunTool({"--help-all"});
  EXPECT_EQ(all.status, 0);
  for (const auto& command : rules) {
    std::vector<std::string> arguments = command.command;
    arguments.push_back("--help");
    const ToolRun help = RunTool(arguments);
    for (const std::string& rule : command.rules) {
      EXPECT_NE(help.out.find(rule), std::string::npos) << arguments[0] << ": " << rule;
      EXPECT_NE(all.out.find(rule), std::string::npos) << "--help-all: " << rule;
    }
    EXPECT_NE(help.out.find("  Example: "), std::string::npos) << arguments[0];
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

namespace {

using namespace tool_test;

// Batch lines as files give them: a byte-order mark, blanks around values, control bytes.
TEST(Tool, BatchLinesAreReadAsExportsWriteThem) {
  ExpectCases({
      {{"eng", "-", "--echo"},
       "\xEF\xBB\xBF"
       "42\n  7  \n\t-1\r\n",
       0,
       "42,42.00\n7,7.000\n-1,-1.000\n"},
      // A mark later than the first line is no mark but bad input; control bytes are escaped.
      {{"eng", "-"},
       "1\n\xEF\xBB\xBF"
       "2\n\x1b[31m\n",
       2,
       "1.000\n\n\n",
       "<stdin>:2: not a number: '\xEF\xBB\xBF"
       "2'\n<stdin>:3: not a number: '\\x1b[31m'\n"},
      {{"eng", "\x1b[2J\x7f"}, "", 2, "", "corvixmath: not a number: '\\x1b[2J\\x7f'\n"},
      // CSV files too may start with the mark.
      {{"stats", "--format", "csv", "--values", "Level", "-"},
       "\xEF\xBB\xBFTime,Level\n0,1\n60,3\n",
       0,
       "series,count,minimum,maximum,average,spread,population_standard_deviation\n"
       "Level,2,1,3,2,0.7071067811865476,1\n"},
  });
}

TEST(Tool, ParseRefusesWhatTheLibraryWouldReadWrongly) {
  ExpectCases({
      {{"parse", "hex", "zz"},
       "",
       1,
       "0 (0x00000000)\n",
       "corvixmath: not a hexadecimal text (the library skips all but the digits 0-9, A-F): "
       "'zz'\n"},
      {{"parse", "hex", "100000000"},
       "",
       1,
       "0 (0x00000000)\n",
       "corvixmath: more than 32 bits (the library keeps the last 8 digits): '100000000'\n"},
      {{"parse", "hex", "0x00000000FFFFFFFF"}, "", 0, "-1 (0xFFFFFFFF)\n"},
      {{"parse", "hex", "#"},
       "",
       1,
       "0 (0x00000000)\n",
       "corvixmath: not a hexadecimal text (the library skips all but the digits 0-9, A-F): "
       "'#'\n"},
      {{"parse", "eng", "123456789012345678"},
       "",
       1,
       "123456789012345\n",
       "corvixmath: longer than the 15 characters the library reads: '123456789012345678'\n"},
      {{"parse", "eng", "123456789012345"}, "", 0, "123456789012345\n"},
      {{"parse", "eng", "50.0 mA", "--unit", "A"},
       "",
       0,
       "5e+07\n",
       "corvixmath: 'm' reads as millions (x1e6) here, while eng writes m for thousandths "
       "(--scale 7 or 10): '50.0 m'\n"},
  });
  for (const std::string command : {"eng", "hex"}) {
    const ToolRun help = RunTool({"parse", command, "--help"});
    EXPECT_EQ(help.status, 0);
    const std::string lastLine = help.out.substr(help.out.rfind("\n  Example: "));
    EXPECT_NE(lastLine.find("corvixmath parse " + command), std::string::npos) << help.out;
    EXPECT_NE(help.out.find(command == "eng" ? "first 15\ncharacters" : "1 to 8 hexadecimal"),
              std::string::npos)
        << help.out;
  }
}

}  // namespace

// The C# wrapper's test program: every family of the C interface through CorvixMath.cs, on the
// library's worked examples. Prints each failed check and a count; exit status 0 when all pass.
using System;
using System.Collections.Generic;
using System.Diagnostics;
using System.Globalization;
using System.IO;
using System.Text;
using Corvix;

static class CorvixMathTest {
  static int checks, failures;

  static void Check(bool passed, string what) {
    ++checks;
    if (!passed) {
      Console.WriteLine("FAILED: " + what);
      ++failures;
    }
  }

  static void Same(object actual, object expected, string what) {
    Check(Equals(actual, expected), what + " (got '" + actual + "', expected '" + expected + "')");
  }

  static void Throws<E>(Action action, string what) where E : Exception {
    try {
      action();
      Check(false, what + ": no exception");
    } catch (E) {
      Check(true, what);
    }
  }

  // The exception and its message (or parameter name) must say what was wrong.
  static void ThrowsSaying<E>(Action action, string said, string what) where E : Exception {
    try {
      action();
      Check(false, what + ": no exception");
    } catch (E error) {
      var named = error as ArgumentException;
      bool says = error.Message.Contains(said) || (named != null && named.ParamName == said);
      Check(says, what + ": '" + error.Message + "' does not say '" + said + "'");
    }
  }

  static void Formatting() {
    Same(CorvixMath.Eng(12345.678, "W"), "12.34 KW", "eng");
    Same(CorvixMath.Eng(0.05, "A", 3, 10), "50.0 mA", "eng thousandths");
    Throws<TextRefusedException>(() => CorvixMath.Eng(12345.678, "W", 4, 1, 8), "eng refused at 8 bytes");
    Throws<ArgumentNullException>(() => CorvixMath.Eng(1.0, null), "eng without unit");
    Same(CorvixMath.Simple(1234567.891, 2, ","), "1,234,567.89", "simple");
    var text = new StringBuilder(32);
    Native.cm_sientific_format(text, 12345.678, 2, 32);
    Same(text.ToString(), "1.23E4", "scientific");
    Native.cm_price_to_string(text, 1234567, 32, 0, (byte)',');
    Same(text.ToString(), "1,234,567", "price");
    Same(Native.cm_number_to_4_seven_seg(-12.5, 0x0200), 0x23C04105, "seven-segment word");
    Same(Native.cm_eng_str_2_simple_value("12.5 K"), 12500.0, "engineering value");
    Same(Native.cm_hex_string_to_decimal("#FF8000"), 16744448, "hex");
    Same(Native.cm_var_value_to_long_double_i2(-32768), -32768.0, "variant i2");
    Same(Native.cm_var_value_to_long_double_ui2(65535), 65535.0, "variant ui2");
    Same(Native.cm_to_long_u16("  -42x"), -42, "16-bit to long");
  }

  static void Text() {
    var part = new StringBuilder(CorvixLimits.TEXT_UNITS);
    Same(Native.cm_find_charpos_in_string("Tank.Level", (byte)'.'), 4, "find");
    Same(Native.cm_find_charpos_in_string_u16("سلام", 'ل'), 1, "find a Persian unit");
    Native.cm_extract_right_after_char_u16("سلام.txt", part, '.');
    Same(part.ToString(), "txt", "right after in 16 bits");
    Same(CorvixMath.LeftSideU16("سلام", 2), "سل", "16-bit left side");
    Same(Native.cm_extract_left_before_char("12.5", part, (byte)'.', 16), 1, "left before");
    Same(part.ToString(), "12", "left before text");
    Same(Native.cm_trim_right("1200", part, (byte)'0', 16), 1, "trim right");
    Same(part.ToString(), "12", "trim right text");
    var edited = new StringBuilder("1234", 16);
    Native.cm_insert_char_in_char_array(edited, 1, (byte)',');
    Same(edited.ToString(), "1,234", "insert");
    Same(Native.cm_compare_u16("abc", "abd"), -1, "compare");
    var directory = new StringBuilder(CorvixLimits.PATH_UNITS);
    var name = new StringBuilder(CorvixLimits.PATH_UNITS);
    Same(Native.cm_extract_path_and_name(@"D:\Data\day.txt", directory, name, CorvixLimits.PATH_UNITS,
                                         CorvixLimits.PATH_UNITS), 1, "path");
    Same(directory + "|" + name, @"D:\Data\|day.txt", "path parts");
    Same(Native.cm_unicode_string_to_digit_array_u16("سل", part, 64), 1, "digit array");
    Same(part.ToString(), "UniCode(1587,1604,)", "digit array text");
    var units = new StringBuilder(8);
    Native.cm_digit_array_to_unicode_string_u16("UniCode(1587,1604,)", units, 0);
    Same(units.ToString(), "سل", "digit array decoded");
  }

  static void ChecksAndVocabulary() {
    Same(Native.cm_is_valid_control_id("AB10001"), 3, "control identifier");
    Same(Native.cm_is_valid_control_id_u16("AB0123"), 2, "16-bit control identifier");
    Check check = CorvixMath.CheckExpression("a+*b", "a", "b");
    Same(check.Code + " " + check.Message, "-23 Two Adjacent sign detected.", "expression");
    Check(CorvixMath.CheckExpression("(a+b)*2.5", "a", "b").Ok, "expression passes");
    string address;
    ushort port;
    Check(CorvixMath.CheckEndpoint("192.168.1.1:502", out address, out port).Ok, "endpoint");
    Same(address + ":" + port, "192.168.1.1:502", "endpoint parts");
    Same(CorvixMath.CheckEndpoint("1.2.3:80", out address, out port).Code, -13, "endpoint fault");
    var number = new StringBuilder("  -1.5M ", 16);
    Same(Native.cm_is_digit(number), 5, "number form");
    Same(number.ToString(), "-1.5M", "number stripped");
    Same(Native.cm_is_valid_ip_string("255.1.1.1"), CorvixLimits.ADDRESS_FIELD_ABOVE_254, "address");
    Same(Native.cm_scale_string_2_index("kilo"), 3, "scale index");
    var face = new StringBuilder(CorvixLimits.FACE_BYTES);
    byte size = 0, style = 0;
    uint colour = 0;
    Native.cm_decode_font_string("Tahoma,12,#FF8000,BoldItalic", face, ref size, ref colour, ref style);
    Same(face + " " + size + " " + colour + " " + style, "Tahoma 12 16744448 3", "font");
    Same(CorvixMath.EventParameter("Trend(Tag1,Tag2,60)", 2), "Tag2", "event parameter");
    Throws<TextRefusedException>(() => CorvixMath.EventParameter("NoParens", 1), "no parameter list");
  }

  static void DevicesAndStatistics() {
    Same(Native.cm_model_to_iam(305), 14, "Iam code");
    var name = new StringBuilder(CorvixLimits.NAME_BYTES);
    Native.cm_computer_id_to_string(1000, name);
    Same(name.ToString(), "Tresk", "component name");
    Same(Native.cm_build_read_result_state(5, CorvixLimits.MISSING_VALUE, CorvixLimits.MISSING_VALUE,
                                           (byte)'C', 0), 0x2079B, "read word");
    Same(Native.cm_long_exist_in_list(-7, new[] {5, -7, 9}, 3), 1, "list");
    Statistics statistics = CorvixMath.Summarise(new double[] {1, 2, 3, 4});
    Same(statistics.Average, 2.5, "average");
    Same(statistics.Spread, Math.Sqrt(5) / 4, "spread");
    Window[] windows = CorvixMath.Windows(
        new[] {new[] {0, 100, 3600, 3700, 7300}, new[] {50, 3650}},
        new[] {new double[] {1, 3, 10, 20, 7}, new double[] {5, 6}}, 3600, 3600);
    Same(windows.Length, 3, "windows");
    Same(windows[1].Minimum + " " + windows[1].Maximum + " " + windows[1].Mean + " " + windows[1].Centre,
         "6 15 10.5 3600", "second window");
    Throws<ArgumentException>(() => CorvixMath.Windows(new int[33][], new double[33][], 3600, 3600),
                              "more series than the library reduces");
  }

  // Narrow text in Windows-1256 on every runtime: the Persian row the Python tests use.
  static void NarrowCodePage() {
    Same(Native.cm_find_charpos_in_string("سلام.x", (byte)'.'), 4, "Persian text is 4 bytes before the dot");
    var part = new StringBuilder(16);
    Same(Native.cm_extract_left_before_char("سلام.x", part, (byte)'.', 16), 1, "Persian left part");
    Same(part.ToString(), "سلام", "Persian text comes back decoded");
    Same(Native.cm_contain_unicode_char(CorvixMath.NarrowEncoding.GetBytes("سلام")), 1, "high bytes");
    Throws<ArgumentException>(() => Native.cm_find_charpos_in_string("日本", (byte)'.'),
                              "a character outside the code page is refused");
    Throws<ArgumentNullException>(() => CorvixMath.NarrowEncoding = null, "no code page");
  }

  // Null arguments, and no starting value returned or sample dropped in silence.
  static void Promises() {
    ThrowsSaying<ArgumentNullException>(() => CorvixMath.CheckExpression("a+b", (string[])null),
                                        "variables", "null variable list");
    ThrowsSaying<ArgumentNullException>(() => CorvixMath.CheckExpression(null, "a"), "expression",
                                        "null formula");
    ThrowsSaying<ArgumentNullException>(() => CorvixMath.Summarise(null), "values", "null samples");
    ThrowsSaying<ArgumentNullException>(
        () => CorvixMath.Windows(new int[][] {null}, new[] {new double[0]}, 3600, 3600), "times",
        "null series times");
    ThrowsSaying<ArgumentException>(() => CorvixMath.Summarise(new double[0]), "no samples",
                                    "statistics of no samples");
    ThrowsSaying<ArgumentException>(() => CorvixMath.Summarise(new[] {1.0, double.NaN}), "sample 1",
                                    "statistics of a NaN sample");
    var cases = new[] {
        new { Times = new[] {0, 90000}, Values = new[] {1.0, 2.0}, Said = "sample 1 of series 0 at 90000 s" },
        new { Times = new[] {-1801}, Values = new[] {1.0}, Said = "sample 0 of series 0 at -1801 s" },
        new { Times = new[] {0, 88200}, Values = new[] {1.0, 2.0}, Said = "at 88200 s" },
        new { Times = new[] {0, 100}, Values = new[] {1.0, double.NaN}, Said = "series 0 sample 1" },
        new { Times = new[] {0}, Values = new[] {double.PositiveInfinity}, Said = "series 0 sample 0" },
    };
    foreach (var c in cases)
      ThrowsSaying<ArgumentException>(
          () => CorvixMath.Windows(new[] {c.Times}, new[] {c.Values}, 3600, 3600), c.Said, "windows: " + c.Said);
    Window[] edges = CorvixMath.Windows(new[] {new[] {-1800, 88199}}, new[] {new[] {1.0, 5.0}}, 3600, 3600);
    Same(edges.Length + " " + edges[1].Centre + " " + edges[1].Mean, "2 86400 5", "the first and last covered seconds");
  }

  // Every limit the wrapper enforces is the header's (CorvixLimits.cs is written from it).
  static void Limits() {
    Same(CorvixMath.Eng(1, "", 4, 1, CorvixLimits.FORMAT_UNITS), "1.000", "eng at FORMAT_UNITS");
    Throws<ArgumentOutOfRangeException>(() => CorvixMath.Eng(1, "", 4, 1, CorvixLimits.FORMAT_UNITS + 1),
                                        "eng beyond FORMAT_UNITS");
    var most = new int[CorvixLimits.MAX_SERIES][];
    var values = new double[CorvixLimits.MAX_SERIES][];
    for (int i = 0; i < most.Length; ++i) { most[i] = new[] {0}; values[i] = new[] {1.0}; }
    Same(CorvixMath.Windows(most, values, 3600, 3600).Length, 1, "windows of MAX_SERIES series");
    Throws<ArgumentException>(() => CorvixMath.Windows(new int[CorvixLimits.MAX_SERIES + 1][],
                                                       new double[CorvixLimits.MAX_SERIES + 1][], 3600, 3600),
                              "windows beyond MAX_SERIES");
  }

  const long Day = CorvixLimits.SECONDS_PER_DAY;

  // `count` series of `days` days, a sample every `every` s with about a tenth missing, values
  // of a few magnitudes that the CSV file holds exactly (binary fractions).
  static void Generate(int days, int count, int every, uint seed, out long[][] times, out double[][] values) {
    times = new long[count][];
    values = new double[count][];
    uint state = seed;
    Func<uint> next = () => state = state * 1664525u + 1013904223u;
    for (int s = 0; s < count; ++s) {
      var t = new List<long>();
      var v = new List<double>();
      for (long time = 3; time < days * Day; time += every) {
        if (next() % 10 == 0 && t.Count > 0) continue;
        t.Add(time);
        v.Add(((int)(next() % 2000001) - 1000000) / 1024.0 * Math.Pow(10, s - 1));
      }
      times[s] = t.ToArray();
      values[s] = v.ToArray();
    }
  }

  // The series as the tool reads them: a CSV file with a column per series, empty cells where a
  // series has no sample at a row's time.
  static string Csv(long[][] times, double[][] values) {
    var rows = new SortedDictionary<long, string[]>();
    for (int s = 0; s < times.Length; ++s)
      for (int i = 0; i < times[s].Length; ++i) {
        string[] row;
        if (!rows.TryGetValue(times[s][i], out row)) rows[times[s][i]] = row = new string[times.Length];
        row[s] = values[s][i].ToString("R", CultureInfo.InvariantCulture);
      }
    var csv = new StringBuilder("time");
    for (int s = 0; s < times.Length; ++s) csv.Append(",s" + s);
    csv.Append('\n');
    foreach (var row in rows) csv.Append(row.Key + "," + string.Join(",", row.Value) + "\n");
    return csv.ToString();
  }

  // `corvixmath windows` of the tool CORVIXMATH_TOOL names (scripts/test-dotnet sets it):
  // standard output, standard error; null when there is no tool.
  static string[] Tool(string csv, long width, long step) {
    string tool = Environment.GetEnvironmentVariable("CORVIXMATH_TOOL");
    if (string.IsNullOrEmpty(tool) || !File.Exists(tool)) return null;
    string input = Path.GetTempFileName();
    try {
      File.WriteAllText(input, csv);
      var start = new ProcessStartInfo(tool, "windows --width " + width + " --step " + step + " " + input) {
        UseShellExecute = false, RedirectStandardOutput = true, RedirectStandardError = true };
      using (var process = Process.Start(start)) {
        var error = process.StandardError.ReadToEndAsync();
        string output = process.StandardOutput.ReadToEnd();
        process.WaitForExit();
        Check(process.ExitCode == 0, "the tool reduced the week: " + error.Result);
        return new[] {output, error.Result};
      }
    } finally {
      File.Delete(input);
    }
  }

  // A generated week reduced in C# gives the tool's rows, number for number.
  static void WeekAsTheToolReducesIt() {
    long[][] times;
    double[][] values;
    Generate(7, 3, 10, 7, out times, out values);
    string csv = Csv(times, values);
    foreach (var sizes in new[] {new long[] {3600, 3600}, new long[] {3600, 600}, new long[] {3601, 1799},
                                 new long[] {600, 7 * 3600}, new long[] {2 * Day, Day}}) {
      string[] tool = Tool(csv, sizes[0], sizes[1]);
      if (tool == null) {
        Console.WriteLine("SKIPPED: the week against the tool: CORVIXMATH_TOOL names no tool " +
                          "(scripts/test-dotnet sets it to <build>/tools/corvixmath)");
        return;
      }
      long heldByNoWindow;
      ReducedWindow[] windows = CorvixMath.Windows(times, values, sizes[0], sizes[1], false, out heldByNoWindow);
      string[] lines = tool[0].TrimEnd('\n').Split('\n');
      string what = "the week in windows of " + sizes[0] + " s every " + sizes[1] + " s";
      Same(windows.Length, lines.Length - 1, what + ": windows");
      int differing = 0;
      for (int i = 0; i < Math.Min(windows.Length, lines.Length - 1); ++i) {
        string[] cells = lines[i + 1].Split(',');
        ReducedWindow w = windows[i];
        bool same = w.HasData && w.Centre == long.Parse(cells[0], CultureInfo.InvariantCulture) &&
                    w.Minimum == double.Parse(cells[2], CultureInfo.InvariantCulture) &&
                    w.Maximum == double.Parse(cells[3], CultureInfo.InvariantCulture) &&
                    w.Mean == double.Parse(cells[4], CultureInfo.InvariantCulture);
        if (!same && differing++ == 0)
          Check(false, what + ": window " + i + " is " + w.Centre + "," + w.Minimum.ToString("R") + "," +
                           w.Maximum.ToString("R") + "," + w.Mean.ToString("R") + ", the tool's " + lines[i + 1]);
      }
      Same(differing, 0, what + ": windows that differ");
      Check(windows[windows.Length - 1].Centre >= 6 * Day, what + ": the last day is reduced");
      var said = System.Text.RegularExpressions.Regex.Match(tool[1], "([0-9]+) samples no window holds");
      Same(heldByNoWindow, said.Success ? long.Parse(said.Groups[1].Value) : 0L, what + ": samples no window holds");
    }
  }

  // The multi-day overload: one day as the one-day overload gives it, windows without data,
  // and every refusal an ArgumentException with its reason.
  static void MultiDayWindows() {
    long[][] times;
    double[][] values;
    Generate(1, 3, 37, 3, out times, out values);
    foreach (var sizes in new[] {new[] {3600, 3600}, new[] {900, 300}, new[] {60, 7}, new[] {600, 7200}}) {
      var dayTimes = Array.ConvertAll(times, t => Array.ConvertAll(t, x => (int)x));
      Window[] day = CorvixMath.Windows(dayTimes, values, sizes[0], sizes[1]);
      ReducedWindow[] reduced = CorvixMath.Windows(times, values, sizes[0], sizes[1]);
      bool same = day.Length == reduced.Length;
      for (int i = 0; same && i < day.Length; ++i)
        same = day[i].Centre == reduced[i].Centre && day[i].Minimum == reduced[i].Minimum &&
               day[i].Maximum == reduced[i].Maximum && day[i].Mean == reduced[i].Mean && reduced[i].HasData;
      Check(same, "one day in windows of " + sizes[0] + " s every " + sizes[1] + " s as the one-day overload gives it");
    }
    long held;
    ReducedWindow[] empty = CorvixMath.Windows(new[] {new long[] {0, 100, 3 * Day}}, new[] {new[] {1.0, 3.0, 5.0}},
                                               60, 7200, true, out held);
    Same(empty.Length + " " + empty[0].Mean + " " + double.IsNaN(empty[1].Mean) + " " + empty[1].HasData + " " +
         empty[36].Centre + " " + held, "49 1 True False 259200 1", "windows without data, and the sample between windows");
    var refused = new[] {
        new { Times = new long[] {0, 90000, 100}, Values = new[] {1.0, 2.0, 3.0},
              Said = "sample 2 of series 0 at 100 s goes back before sample 1 (90000 s)" },
        new { Times = new long[] {0, 100}, Values = new[] {1.0, double.NaN}, Said = "value of sample 1 of series 0 is NaN" },
        new { Times = new long[] {0}, Values = new[] {double.NegativeInfinity}, Said = "is -Infinity" },
        new { Times = new long[] {0, 1000000000001}, Values = new[] {1.0, 2.0},
              Said = "sample 1 of series 0 at 1000000000001 s lies beyond the reducer's times" },
        new { Times = new long[] {0, 400000000000}, Values = new[] {1.0, 2.0},
              Said = "would make 111111121 windows of 3600 s every 3600 s" },
    };
    foreach (var c in refused)
      ThrowsSaying<ArgumentException>(() => CorvixMath.Windows(new[] {c.Times}, new[] {c.Values}, 3600, 3600),
                                      c.Said, "multi-day windows: " + c.Said);
    ThrowsSaying<ArgumentException>(() => CorvixMath.Windows(new[] {new long[] {0, 1}}, new[] {new[] {1.0}}, 60, 60),
                                    "series 0 has 2 times and 1 values", "times and values of one series pair up");
    ThrowsSaying<ArgumentOutOfRangeException>(() => CorvixMath.Windows(new[] {new long[] {0}}, new[] {new[] {1.0}}, 0L, 60L),
                                              "width", "width 0");
    ThrowsSaying<ArgumentOutOfRangeException>(
        () => CorvixMath.Windows(new[] {new long[] {0}}, new[] {new[] {1.0}}, 60L, CorvixLimits.REDUCER_LONGEST_SECONDS + 1L),
        "step", "a step beyond REDUCER_LONGEST_SECONDS");
    ThrowsSaying<ArgumentNullException>(() => CorvixMath.Windows(new long[][] {null}, new[] {new double[0]}, 60, 60),
                                        "times", "null multi-day series");
  }

  static int Main() {
    WeekAsTheToolReducesIt();
    MultiDayWindows();
    NarrowCodePage();
    Promises();
    Limits();
    Formatting();
    Text();
    ChecksAndVocabulary();
    DevicesAndStatistics();
    Console.WriteLine("corvixmath C#: " + checks + " checks, " + failures + " failed (library " +
                      CorvixMath.Version + ")");
    return failures == 0 ? 0 : 1;
  }
}

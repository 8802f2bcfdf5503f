// The chart of windows draws the rows the CSV output holds, from the same reduction; its time
// labels never overlap and its legend names only what it draws.
#include <fstream>

#include "tool_run.h"

namespace {

using namespace tool_test;

// Prints per panel its legend, the point count of each path and whether the x labels overlap.
const char* const kChartCheck = R"(import sys, xml.dom.minidom as m
d = m.parse(sys.argv[1])
def groups(node, cls):
    return [g for g in node.getElementsByTagName("g") if cls in g.getAttribute("class").split()]
def text_of(node):
    return "".join(t.firstChild.data for t in node.getElementsByTagName("text") if t.firstChild)
for panel in groups(d, "panel"):
    ticks = [(float(t.getElementsByTagName("text")[0].getAttribute("x")), text_of(t))
             for a in groups(panel, "x") for t in groups(a, "tick")]
    for (x1, l1), (x2, l2) in zip(ticks, ticks[1:]):
        assert x2 - x1 >= 7 * (len(l1) + len(l2)) / 2 + 12, ("overlap", l1, l2, x2 - x1)
    assert len(ticks) >= 2, ticks
    paths = ["%s=%d" % (p.getAttribute("data-series") or p.getAttribute("class"),
                        len(p.getAttribute("d").split())) for p in panel.getElementsByTagName("path")]
    legend = [text_of(e) for e in groups(panel, "legend-entry")]
    print("|".join(legend), " ".join(paths), ticks[0][1], ticks[-1][1])
)";

std::string CheckChart(const std::string& svg) {
  std::ofstream(TempPath("check.py")) << kChartCheck;
  const std::string check =
      "python3 " + TempPath("check.py") + " " + svg + " >" + TempPath("check.txt") + " 2>&1";
  const int status = std::system(check.c_str());
  return (status == 0 ? "" : "failed: ") + ReadFile(TempPath("check.txt"));
}

TEST(ToolSeriesChart, DrawsExactlyTheRowsOfTheOutput) {
  std::ofstream(TempPath("log.csv")) << "Time,A,B\n2010-01-01T00:00,1,\n2010-01-20T00:00,2,5\n"
                                        "2010-02-25T00:00,3,\n2010-03-03T12:00,4,6\n";
  const std::vector<std::string> run = {
      "windows", "--width", "30d", "--step", "30d", "--per-series-columns", TempPath("log.csv")};
  const ToolRun plain = RunTool(run);
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out,
            "time,min,max,mean,A,B\n2010-01-01T00:00:00,1,1,1,1,\n"
            "2010-01-31T00:00:00,2,5,3.5,2,5\n2010-03-02T00:00:00,3.5,6,4.75,3.5,6\n");
  for (const std::string mode : {"", "--per-series"}) {
    std::vector<std::string> charted = run;
    charted.insert(charted.end(), {"--svg", TempPath("chart.svg")});
    if (!mode.empty()) charted.push_back(mode);
    const ToolRun withChart = RunTool(charted);
    EXPECT_EQ(withChart.status, plain.status) << mode;
    EXPECT_EQ(withChart.out, plain.out) << mode;
    EXPECT_EQ(withChart.err, plain.err) << mode;
    // Three rows: the mean through three points, A through three, B through two.
    EXPECT_EQ(CheckChart(TempPath("chart.svg")),
              mode.empty()
                  ? "A|B|min to max of the series|mean of the series mean=3 A=3 B=2 2010-01-01 "
                    "2010-02-26\n"
                  : "A A=3 2010-01-01 2010-02-26\nB B=2 2010-01-01 2010-02-26\n")
        << mode;
  }
}

TEST(ToolSeriesChart, TimeLabelsNeverOverlap) {
  const struct {
    int days;
    std::string width;
    std::string firstAndLast;
  } cases[] = {
      {3, "1d", "2000-01-01 2000-01-03"},
      {70, "1d", "2000-01-01 2000-02-26"},
      {800, "1w", "2000-01 2002-01"},
      {30 * 366, "30d", "2000 2030"},
  };
  for (const auto& c : cases) {
    std::string log = "Time,A\n";
    for (int d = 0; d < c.days; ++d)
      log += std::to_string(946684800 + d * 86400) + "," + std::to_string(d % 11) + "\n";
    std::ofstream(TempPath("log.csv")) << log;
    const ToolRun run = RunTool({"windows", "--width", c.width, "--step", c.width, "--time-format",
                                 "epoch", "--svg", TempPath("chart.svg"), TempPath("log.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string checked = CheckChart(TempPath("chart.svg"));
    EXPECT_NE(checked.find(" " + c.firstAndLast + "\n"), std::string::npos)
        << c.days << " " << checked;
    EXPECT_EQ(checked.rfind("failed", 0), std::string::npos) << checked;
  }
}

TEST(ToolSeriesChart, TheLegendNamesOnlyWhatIsDrawn) {
  std::ofstream(TempPath("log.csv")) << "Time,A,Empty,B\n00:00,1,,4\n01:00,2,,5\n02:00,3,,6\n";
  // One series with data: its line alone, no band or mean of one line, nothing for Empty.
  for (const auto& [values, legend] :
       {std::pair<std::string, std::string>{"A", "A A=3"},
        {"A,Empty", "A A=3"},
        {"A,Empty,B", "A|B|min to max of the series|mean of the series mean=3 A=3 B=3"}}) {
    const ToolRun run = RunTool({"windows", "--width", "1h", "--step", "1h", "--values", values,
                                 "--svg", TempPath("chart.svg"), TempPath("log.csv")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(CheckChart(TempPath("chart.svg")), legend + " 00:00 02:00\n") << values;
  }
}

}  // namespace

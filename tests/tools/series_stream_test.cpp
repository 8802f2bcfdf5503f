// windows on long and compressed logs: the rows come out while the log is read, memory does not
// grow with the log, and gzip logs read as their text (a broken archive is an error naming it).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "tool_run.h"

namespace {

using tool_test::Quoted;
using tool_test::ReadFile;
using tool_test::RunTool;
using tool_test::TempPath;

// A dated log of `days` days from 2025-01-01, one row every `every` seconds, `series` columns.
std::string WriteLog(const std::string& name, int days, int every, int series) {
  const std::string path = TempPath(name);
  std::ofstream log(path, std::ios::binary);
  log << "Time";
  for (int s = 0; s < series; ++s)
    log << ",S" << s;
  log << "\n";
  char line[64];
  for (long t = 0; t < days * 86400L; t += every) {
    std::snprintf(line, sizeof line, "2025-01-%02ldT%02ld:%02ld:%02ld", 1 + t / 86400,
                  t / 3600 % 24, t / 60 % 60, t % 60);
    log << line;
    for (int s = 0; s < series; ++s)
      log << "," << std::round(1000 * std::sin(t / 7000.0 + s)) / 1000;
    log << "\n";
  }
  return path;
}

int Shell(const std::string& command) {
  const int raw = std::system(("bash -c " + Quoted(command)).c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string Tool() {
  const std::string emulator = CORVIXMATH_TOOL_EMULATOR;
  return (emulator.empty() ? "" : emulator + " ") + Quoted(CORVIXMATH_TOOL_PATH);
}

TEST(ToolSeriesStream, GzipLogsReadAsTheirText) {
  const std::string log = WriteLog("log.csv", 3, 60, 2);
  ASSERT_EQ(Shell("gzip -c " + log + " > " + log + ".gz"), 0);
  const tool_test::ToolRun plain = RunTool({"windows", "--width", "1h", "--step", "1h", log});
  ASSERT_EQ(plain.status, 0) << plain.err;
  ASSERT_EQ(std::count(plain.out.begin(), plain.out.end(), '\n'), 1 + 3 * 24 + 1);
#if defined(CORVIXMATH_TOOL_ZLIB)
  const tool_test::ToolRun packed =
      RunTool({"windows", "--width", "1h", "--step", "1h", log + ".gz"});
  EXPECT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(packed.out, plain.out);
  // Standard input is read through zlib when it starts with the gzip magic.
  const tool_test::ToolRun piped =
      RunTool({"windows", "--width", "1h", "--step", "1h", "-"}, ReadFile(log + ".gz"));
  EXPECT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, plain.out);
  // Two gzip members one after the other are one text.
  ASSERT_EQ(Shell("(head -n 2000 " + log + " | gzip -c; tail -n +2001 " + log + " | gzip -c) > " +
                  log + ".2.gz"),
            0);
  const tool_test::ToolRun members =
      RunTool({"windows", "--width", "1h", "--step", "1h", log + ".2.gz"});
  EXPECT_EQ(members.out, plain.out) << members.err;
#else
  const tool_test::ToolRun packed =
      RunTool({"windows", "--width", "1h", "--step", "1h", log + ".gz"});
  EXPECT_EQ(packed.status, 2);
  EXPECT_NE(packed.err.find("zlib"), std::string::npos) << packed.err;
#endif
}

TEST(ToolSeriesStream, BrokenArchivesAreErrorsNamingTheFile) {
  const std::string log = WriteLog("log.csv", 2, 60, 1);
  const std::string truncated = TempPath("truncated.csv.gz"), corrupt = TempPath("corrupt.csv.gz"),
                    plain = TempPath("plain.gz");
  ASSERT_EQ(Shell("gzip -c " + log + " | head -c 3000 > " + truncated), 0);
  ASSERT_EQ(Shell("gzip -c " + log + " > " + corrupt + " && printf 'XXXXXXXX' | dd of=" + corrupt +
                  " bs=1 seek=2000 conv=notrunc 2>/dev/null"),
            0);
  ASSERT_EQ(Shell("cp " + log + " " + plain), 0);
  struct Case {
    std::string path;
    std::string says;
  };
#if defined(CORVIXMATH_TOOL_ZLIB)
  const Case cases[] = {
      {truncated, "ends too soon"}, {corrupt, "corrupt gzip data"}, {plain, "not a gzip file"}};
#else
  const Case cases[] = {{truncated, "zlib"}, {plain, "not a gzip file"}};
#endif
  const tool_test::ToolRun whole = RunTool({"windows", "--width", "1h", "--step", "1h", log});
  for (const Case& c : cases) {
    const tool_test::ToolRun run = RunTool({"windows", "--width", "1h", "--step", "1h", c.path});
    EXPECT_EQ(run.status, 2) << c.path;
    EXPECT_NE(run.err.find(c.path), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
    // Rows finished before the break may be out already: never a row the whole log would not
    // give.
    EXPECT_EQ(whole.out.compare(0, run.out.size(), run.out), 0) << c.path << "\n" << run.out;
  }
}

// Rows of finished days come out through a pipe while its writer is still writing.
TEST(ToolSeriesStream, FirstWindowsArriveBeforeTheInputEnds) {
  const std::string log = WriteLog("log.csv", 3, 600, 1);
  const std::string fifo = TempPath("fifo"), out = TempPath("out.csv"), seen = TempPath("seen");
  const std::string script = "rm -f " + fifo + "; mkfifo " + fifo + " || exit 1; " + Tool() +
                             " windows --width 1h --step 1h - < " + fifo + " > " + out +
                             " & exec 3> " + fifo + "; cat " + log +
                             " >&3; for i in $(seq 600); do [ -s " + out +
                             " ] && break; sleep 0.1; done; sleep 0.5; wc -l < " + out + " > " +
                             seen + "; exec 3>&-; wait";
  ASSERT_EQ(Shell(script), 0);
  // The writer still holds the pipe open: the first two days' windows are out already.
  EXPECT_GE(std::stol(ReadFile(seen)), 24) << ReadFile(out);
  const std::string rows = ReadFile(out);
  EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), 1 + 3 * 24 + 1);
}

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define CORVIX_TOOL_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define CORVIX_TOOL_TEST_SANITIZED 1
#endif
#endif

// The peak resident size of the tool on one file, in KiB.
long PeakKibibytes(const std::string& log) {
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execl(CORVIXMATH_TOOL_PATH, CORVIXMATH_TOOL_PATH, "windows", "--width", "1h", "--step", "1h",
          log.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

TEST(ToolSeriesStream, PeakMemoryStaysFlatAsTheLogGrows) {
  if (std::string(CORVIXMATH_TOOL_EMULATOR) != "")
    GTEST_SKIP() << "under an emulator the resident size is the emulator's";
#if defined(CORVIX_TOOL_TEST_SANITIZED)
  GTEST_SKIP() << "a sanitizer's quarantine holds freed memory";
#endif
  const long oneDay = PeakKibibytes(WriteLog("day.csv", 1, 1, 8));
  const long eightDays = PeakKibibytes(WriteLog("days.csv", 8, 1, 8));
  ASSERT_GT(oneDay, 0);
  ASSERT_GT(eightDays, 0);
  // Eight days of 8 series at 1 s are 5.5 million samples, about 150 MB held whole.
  EXPECT_LT(eightDays, oneDay + oneDay / 5 + 2048) << oneDay << " KiB for a day";
}

}  // namespace

namespace {

// A second thread changes nothing of what comes out, whatever the options.
TEST(ToolSeriesStream, JobsGiveTheSameBytesAsOneThread) {
  const std::string log = WriteLog("log.csv", 3, 30, 3);
  const std::vector<std::vector<std::string>> choices = {
      {"--width", "1h", "--step", "1h"},
      {"--width", "15m", "--step", "5m", "--format", "json", "--per-series-columns"},
      {"--width", "1h", "--step", "2h", "--empty-windows", "--verbose"},
      {"--width", "7h", "--step", "7h", "--decimals", "3"}};
  for (const std::vector<std::string>& choice : choices) {
    std::vector<std::string> one = {"windows", log, "--jobs", "1"};
    one.insert(one.end(), choice.begin(), choice.end());
    std::vector<std::string> two = one;
    two[3] = "2";
    const tool_test::ToolRun alone = RunTool(one), paired = RunTool(two);
    EXPECT_EQ(alone.status, 0) << alone.err;
    EXPECT_GT(alone.out.size(), 100u);
    EXPECT_EQ(paired.out, alone.out) << choice[1] << " " << choice[3];
    EXPECT_EQ(paired.err, alone.err);
  }
  // A bad line stops both alike.
  const std::string bad = TempPath("bad.csv");
  ASSERT_EQ(Shell("(cat " + log + "; echo 2025-01-04T00:00:00,x,1,2) > " + bad), 0);
  const tool_test::ToolRun one = RunTool(
                               {"windows", bad, "--width", "1h", "--step", "1h", "--jobs", "1"}),
                           two = RunTool(
                               {"windows", bad, "--width", "1h", "--step", "1h", "--jobs", "2"});
  EXPECT_EQ(one.status, 2);
  EXPECT_EQ(two.status, 2);
  EXPECT_EQ(two.err, one.err);
  EXPECT_NE(one.err.find(":8642: not a finite number"), std::string::npos) << one.err;
}

}  // namespace

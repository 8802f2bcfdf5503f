// The catch-error report: its exact text, and the value each guarded member leaves with.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "CMathOperation.h"
#include "CorvixLimits.h"
#include "frame/internal/guard.h"

namespace {

// Records reports instead of showing them: no test may reach a message box.
struct RecordedReport {
  std::string className;
  std::string functionName;
};
std::vector<RecordedReport>* g_reports = nullptr;
void RecordReport(const char* className, const char* functionName) {
  g_reports->push_back({className, functionName});
}

class CatchErrorTest : public ::testing::Test {
 protected:
  void SetUp() override { g_reports = &reports_; }
  void TearDown() override { g_reports = nullptr; }
  std::vector<RecordedReport> reports_;
};

TEST(CatchErrorReport, FormatsTheExactText) {
  char text[corvix::kMessageBytes];
  corvix::FormatCatchErrorReport(text, "CMathOperation", "NumberTo4SevenSeg");
  EXPECT_STREQ(text,
               "Please report below lines to Vornel\nClass : CMathOperation\n"
               "Function : NumberTo4SevenSeg\nError : Catch Error");
}

#if !defined(_WIN32)
// Without a GUI the report goes to standard error; on Windows it is a modal box, which no test
// may open.
TEST(CatchErrorReport, IsShownOnStandardErrorWithoutAGui) {
#if defined(__EMSCRIPTEN__)
  GTEST_SKIP() << "under Node, descriptor 2 redirected to a file still writes to Node's stream";
#endif
  ::testing::internal::CaptureStderr();
  corvix::ReportCatchError("CMathOperation", "IsDigit");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "Please report below lines to Vornel\nClass : CMathOperation\n"
            "Function : IsDigit\nError : Catch Error\n");
}
#endif

TEST(CatchErrorReport, LongestNameFitsTheBuffer) {
  char text[corvix::kMessageBytes];
  corvix::FormatCatchErrorReport(text, "CMathOperation", "CheckControlIDAndConvertToNewVersion");
  const std::string shown(text);
  EXPECT_EQ(shown.substr(shown.size() - 20), "\nError : Catch Error");
}

// Each row: the table's entry as the library defines it, and what the member must report.
struct GuardedRow {
  const corvix::GuardedMember<long>* member;
  const char* expectedName;
  long expectedValue;
};

TEST_F(CatchErrorTest, MembersWithAResultReportTheirNameAndReturnTheirValue) {
  namespace g = corvix::guarded;
  const GuardedRow rows[] = {
      {&g::kDoubleToSimpleString, "DoubleToSimpleString", 0},
      {&g::kExtractLeftBeforeChar, "ExtractLeftBeforeChar", 0},
      {&g::kExtractLeftBeforeCharUnits, "ExtractLeftBeforeChar", 0},
      {&g::kIsDigitUnits, "IsDigit", 0},
      {&g::kIsValidControlID, "IsValidControlID", 0},
      {&g::kIsValidControlIDUnits, "IsValidControlID", 0},
      {&g::kNumberTo4SevenSeg, "NumberTo4SevenSeg", CORVIXMATH_MISSING_VALUE},
  };
  for (const GuardedRow& row : rows) {
    reports_.clear();
    const long result = corvix::RunGuarded(
        *row.member, []() -> long { throw std::runtime_error("fault"); }, &RecordReport);
    EXPECT_EQ(result, row.expectedValue) << row.expectedName;
    ASSERT_EQ(reports_.size(), 1u) << row.expectedName;
    EXPECT_EQ(reports_[0].className, "CMathOperation");
    EXPECT_EQ(reports_[0].functionName, row.expectedName);
  }
}

TEST_F(CatchErrorTest, MembersWithoutAResultReportTheirNameAndReturn) {
  namespace g = corvix::guarded;
  const std::pair<const corvix::GuardedProcedure*, const char*> rows[] = {
      {&g::kCheckControlIDAndConvertToNewVersion, "CheckControlIDAndConvertToNewVersion"},
      {&g::kExtractRightAfterCharUnits, "ExtractRightAfterChar"},
      {&g::kRemoveDirFromPath, "RemoveDirFromPath"},
      {&g::kSientificFormat, "SientificFormat"},
  };
  for (const auto& row : rows) {
    reports_.clear();
    int output = 7;
    corvix::RunGuarded(
        *row.first,
        [&output] {
          output = 8;  // what the body did before the fault stays
          throw 42;
        },
        &RecordReport);
    EXPECT_EQ(output, 8) << row.second;
    ASSERT_EQ(reports_.size(), 1u) << row.second;
    EXPECT_EQ(reports_[0].functionName, row.second);
  }
}

// Sizes no allocation can get: beyond the address space everywhere, and on WebAssembly beyond
// all the 2 GiB its memory may grow to.
volatile std::size_t g_hopelessSize = 0;  // volatile: the compiler must not see the size
const std::size_t kHopelessSizes[] = {
    std::numeric_limits<std::size_t>::max() - 4096,
#if defined(__EMSCRIPTEN__)
    std::size_t{1} << 31,
#endif
};

// A failed allocation must be an exception the guard catches, not the end of the program.
TEST_F(CatchErrorTest, AFailedAllocationIsReportedNotFatal) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer's allocator ends the program on a request this large";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || \
    __has_feature(memory_sanitizer)
  GTEST_SKIP() << "the sanitizer's allocator ends the program on a request this large";
#endif
#endif
  for (const std::size_t size : kHopelessSizes) {
    reports_.clear();
    g_hopelessSize = size;
    const long result = corvix::RunGuarded(
        corvix::guarded::kNumberTo4SevenSeg,
        [] {
          void* memory = ::operator new(g_hopelessSize);
          ::operator delete(memory);
          return 1234L;
        },
        &RecordReport);
    EXPECT_EQ(result, CORVIXMATH_MISSING_VALUE) << size;
    ASSERT_EQ(reports_.size(), 1u) << size;
    EXPECT_EQ(reports_[0].functionName, "NumberTo4SevenSeg");
  }
}

TEST_F(CatchErrorTest, ABodyThatDoesNotThrowIsNotReported) {
  const long result = corvix::RunGuarded(
      corvix::guarded::kNumberTo4SevenSeg, [] { return 1234L; }, &RecordReport);
  EXPECT_EQ(result, 1234);
  EXPECT_TRUE(reports_.empty());
}

TEST(Lifecycle, CopiesAndAssignmentsCopyNothing) {
  CMathOperation first;
  CMathOperation second(first);
  CMathOperation third;
  CMathOperation& assigned = (third = second);
  EXPECT_EQ(&assigned, &third);
  EXPECT_EQ(sizeof(CMathOperation), sizeof(void*));  // the table of virtual operations alone
  CMathOperation* onHeap = new CMathOperation;
  delete onHeap;  // the virtual destructor
}

}  // namespace

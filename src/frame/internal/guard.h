// The catch-error report: the one way in which a guarded member tells the user that its
// body faulted.
//
// A guarded member runs its body through RunGuarded with its entry of the table below. When
// an exception escapes the body, the report text is formatted into a 512-byte buffer and
// shown, and the member leaves with its fixed value; outputs stay as the body left them.
#ifndef CORVIXMATH_FRAME_INTERNAL_GUARD_H
#define CORVIXMATH_FRAME_INTERNAL_GUARD_H

#include <cstddef>

#include "CorvixLimits.h"
#include "frame/internal/buffers.h"

namespace corvix {

constexpr const char* kReportClassName = "CMathOperation";

// Formats the report text for `className` and `functionName` into `buffer` (kMessageBytes).
void FormatCatchErrorReport(char (&buffer)[kMessageBytes], const char* className,
                            const char* functionName);

// Shows a formatted report: a modal error box on Windows, standard error elsewhere.
void ShowCatchErrorReport(const char* text);

// Formats and shows the report for a member of CMathOperation.
void ReportCatchError(const char* className, const char* functionName);

// The function-name string a guarded member reports and the value it returns afterwards.
template <class Result>
struct GuardedMember {
  const char* functionName;
  Result afterReport;
};

// Members without a result only name themselves.
struct GuardedProcedure {
  const char* functionName;
};

// Runs `body`; on any exception reports through `report` and returns the member's value.
// `report` is ReportCatchError except in tests, which must never reach a message box.
template <class Result, class Body, class Report = void (*)(const char*, const char*)>
Result RunGuarded(const GuardedMember<Result>& member, Body&& body,
                  Report report = &ReportCatchError) noexcept {
  try {
    return body();
  } catch (...) {
    try {
      report(kReportClassName, member.functionName);
    } catch (...) {
    }
    return member.afterReport;
  }
}

template <class Body, class Report = void (*)(const char*, const char*)>
void RunGuarded(const GuardedProcedure& member, Body&& body,
                Report report = &ReportCatchError) noexcept {
  try {
    body();
  } catch (...) {
    try {
      report(kReportClassName, member.functionName);
    } catch (...) {
    }
  }
}

// The eleven guarded members. Overloads that are not listed have no handler.
namespace guarded {
constexpr GuardedProcedure kCheckControlIDAndConvertToNewVersion{
    "CheckControlIDAndConvertToNewVersion"};
constexpr GuardedMember<long> kDoubleToSimpleString{"DoubleToSimpleString", 0};
constexpr GuardedMember<long> kExtractLeftBeforeChar{"ExtractLeftBeforeChar", 0};  // narrow
constexpr GuardedMember<long> kExtractLeftBeforeCharUnits{"ExtractLeftBeforeChar", 0};
constexpr GuardedProcedure kExtractRightAfterCharUnits{"ExtractRightAfterChar"};
constexpr GuardedMember<long> kIsDigitUnits{"IsDigit", 0};
constexpr GuardedMember<long> kIsValidControlID{"IsValidControlID", 0};  // narrow
constexpr GuardedMember<long> kIsValidControlIDUnits{"IsValidControlID", 0};
constexpr GuardedMember<long> kNumberTo4SevenSeg{"NumberTo4SevenSeg", CORVIXMATH_MISSING_VALUE};
constexpr GuardedProcedure kRemoveDirFromPath{"RemoveDirFromPath"};  // narrow
constexpr GuardedProcedure kSientificFormat{"SientificFormat"};
}  // namespace guarded

}  // namespace corvix

#endif  // CORVIXMATH_FRAME_INTERNAL_GUARD_H

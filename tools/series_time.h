// Times of logged samples as seconds on one axis: since 1970-01-01 00:00 (UTC when a zone is
// given) for dated input, as written for undated input.
//   ParseTime("3600")                    -> 3600, undated
//   ParseTime("2010-01-02T01:00:00")     -> 1262394000, dated
//   ParseTime("2010-01-01T01:00:00+01:00") -> 1262304000, dated, with a zone
#ifndef CORVIXMATH_TOOLS_SERIES_TIME_H
#define CORVIXMATH_TOOLS_SERIES_TIME_H

#include <string>

#include "CorvixLimits.h"

namespace corvix_tool {

constexpr long long kSecondsPerDay = CORVIXMATH_SECONDS_PER_DAY;

// a / b rounded towards minus infinity.
long long FloorDivide(long long a, long long b);

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar, and back.
long long DaysFromCivil(long long year, long long month, long long day);
void CivilFromDays(long long days, long long& year, long long& month, long long& day);

// "HH:MM:SS", "HH:MM" or "HH:MM:SS.fff" (the fraction is dropped: the axis counts whole
// seconds), hours up to `largestHour`; false otherwise.
bool ParseClock(const std::string& text, long long largestHour, long long& seconds);

// A time read from a file, or what is wrong with it.
struct ReadTime {
  long long seconds = 0;
  bool dated = false;
  bool hadZone = false;  // a zone offset was read and applied
};

// A time as seconds ("3600"), HH:MM:SS or HH:MM, or an ISO 8601 date-time ("2010-01-01T01:00:00",
// "2010-01-01 01:00", "...Z", "...+02:00"); an empty text on success, what is wrong otherwise.
std::string ParseTime(const std::string& text, ReadTime& time);

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_SERIES_TIME_H

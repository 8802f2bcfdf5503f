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
  bool hadZone = false;     // a zone offset was read and applied
  bool bareNumber = false;  // a number of seconds: perhaps a year or epoch time meant otherwise
};

// A time as seconds ("3600"), HH:MM:SS or HH:MM, or an ISO 8601 date-time ("2010-01-01T01:00:00",
// "2010-01-01 01:00", "...Z", "...+02:00"); an empty text on success, what is wrong otherwise.
// Without --time-format the reader also takes the unambiguous "2015/01/31 01:00:00" (year
// first) and "Jan 31 2015 01:00:00" or "31 Jan 2015" (a month's name), with or without the time.
std::string ParseTime(const std::string& text, ReadTime& time);

// The form of times chosen with --time-format: a pattern of %Y (year), %y (two-digit year,
// 69-99 the 1900s), %m, %d, %j (day of the year), %b (a month's English name or its first
// three letters), %H, %M, %S (with an optional fraction, dropped), %f (a fraction of a second,
// dropped), %z (Z, +HH:MM, +HHMM), %% and literal characters, a blank standing for any run of
// blanks; or a word: "epoch" (seconds since 1970-01-01 00:00 UTC), "epoch-ms" (milliseconds
// since then) or "year" (a year number, read as its first of January).
//   TimeFormat("%d.%m.%Y %H:%M").Parse("01.02.2010 13:00")  -> 2010-02-01T13:00, dated
//   TimeFormat("epoch-ms").Parse("1262304000500")          -> 2010-01-01T00:00:00Z
//   TimeFormat("year").Parse("1880")                       -> 1880-01-01T00:00, dated
// An empty pattern reads as ParseTime does. BadInput for a pattern with an unknown directive.
class TimeFormat {
 public:
  explicit TimeFormat(const std::string& pattern = "");
  // An empty text on success; otherwise what is wrong, naming --time-format.
  std::string Parse(const std::string& text, ReadTime& time) const;

 private:
  std::string pattern_;
};

}  // namespace corvix_tool

#endif  // CORVIXMATH_TOOLS_SERIES_TIME_H

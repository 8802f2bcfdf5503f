// Reading the times of logged samples: seconds, clock times and ISO 8601 date-times.
#include "series_time.h"

#include "csv_fields.h"

namespace corvix_tool {
namespace {

const char* const kTimeForms = "the time is not seconds, HH:MM:SS or an ISO date-time: '";

// "Z", "+HH:MM", "-HHMM" at the end of `clock`: removed, with its offset in seconds east.
std::string TakeZone(std::string& clock, const std::string& text, ReadTime& time,
                     long long& offset) {
  offset = 0;
  if (!clock.empty() && (clock.back() == 'Z' || clock.back() == 'z')) {
    clock.pop_back();
    time.hadZone = true;
    return "";
  }
  const auto sign = clock.find_first_of("+-");
  if (sign == std::string::npos) return "";
  std::string zone = clock.substr(sign + 1);
  const bool west = clock[sign] == '-';
  clock.erase(sign);
  if (zone.size() == 4 && zone.find(':') == std::string::npos) zone.insert(2, ":");
  long long zoneSeconds = 0;
  if (zone.size() != 5 || !ParseClock(zone, 23, zoneSeconds))
    return "not a zone offset (+HH:MM): '" + text + "'";
  offset = west ? -zoneSeconds : zoneSeconds;
  time.hadZone = true;
  return "";
}

// "YYYY-MM-DD", then optionally "T" or " " and a clock time with an optional zone.
std::string ParseIsoDateTime(const std::string& text, ReadTime& time) {
  long long year = 0, month = 0, day = 0;
  if (!ParseDigits(text.substr(0, 4), 4, year) || !ParseDigits(text.substr(5, 2), 2, month) ||
      !ParseDigits(text.substr(8, 2), 2, day) || month < 1 || month > 12 || day < 1)
    return "not a date: '" + text + "'";
  const long long days = DaysFromCivil(year, month, day);
  long long checkYear = 0, checkMonth = 0, checkDay = 0;
  CivilFromDays(days, checkYear, checkMonth, checkDay);
  if (checkMonth != month || checkDay != day) return "no such date: '" + text + "'";
  time.dated = true;
  time.seconds = days * kSecondsPerDay;
  if (text.size() == 10) return "";
  if (text[10] != 'T' && text[10] != ' ') return "not an ISO date-time: '" + text + "'";
  std::string clock = text.substr(11);
  long long offset = 0;
  const std::string wrongZone = TakeZone(clock, text, time, offset);
  if (!wrongZone.empty()) return wrongZone;
  long long clockSeconds = 0;
  if (!ParseClock(clock, 23, clockSeconds)) return "not an ISO date-time: '" + text + "'";
  time.seconds += clockSeconds - offset;
  return "";
}

}  // namespace

long long FloorDivide(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const long long yearOfEra = year - era * 400;
  const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, long long& year, long long& month, long long& day) {
  days += 719468;
  const long long era = (days >= 0 ? days : days - 146096) / 146097;
  const long long dayOfEra = days - era * 146097;
  const long long yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long long shifted = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  month = shifted + (shifted < 10 ? 3 : -9);
  year = yearOfEra + era * 400 + (month <= 2);
}

bool ParseClock(const std::string& text, long long largestHour, long long& seconds) {
  long long hours = 0, minutes = 0, secs = 0;
  if (text.size() < 5 || text[2] != ':') return false;
  if (!ParseDigits(text.substr(0, 2), 2, hours) || !ParseDigits(text.substr(3, 2), 2, minutes))
    return false;
  if (text.size() > 5) {
    if (text.size() < 8 || text[5] != ':' || !ParseDigits(text.substr(6, 2), 2, secs)) return false;
    if (text.size() > 8) {
      long long fraction = 0;
      if (text[8] != '.' || !ParseDigits(text.substr(9), 9, fraction)) return false;
    }
  }
  if (hours > largestHour || minutes > 59 || secs > 59) return false;
  seconds = hours * 3600 + minutes * 60 + secs;
  return true;
}

std::string ParseTime(const std::string& text, ReadTime& time) {
  time = ReadTime();
  if (text.find(':') == std::string::npos && text.find('-') == std::string::npos) {
    if (ParseDigits(text, 12, time.seconds)) return "";
    return kTimeForms + text + "'";
  }
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-') return ParseIsoDateTime(text, time);
  if (ParseClock(text, 24, time.seconds)) return "";
  return kTimeForms + text + "'";
}

}  // namespace corvix_tool

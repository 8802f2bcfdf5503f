// Reading the times of logged samples: seconds, clock times and ISO 8601 date-times.
#include "series_time.h"

#include <cctype>

#include "csv_fields.h"
#include "tool.h"

namespace corvix_tool {
namespace {

const char* const kTimeForms = "the time is not seconds, HH:MM:SS or an ISO date-time: '";
const char* const kOtherForms = "' (--time-format reads other forms)";

const char* const kMonthNames[] = {"january",   "february", "march",    "april",
                                   "may",       "june",     "july",     "august",
                                   "september", "october",  "november", "december"};

// The parts of a time a pattern reads; -1 where the pattern has none.
struct TimeParts {
  long long year = -1, month = -1, day = -1, dayOfYear = -1;
  long long hour = 0, minute = 0, second = 0;
  long long offset = 0;  // seconds east of UTC
  bool hadZone = false;
};

// 1 to `most` digits at `at`, moving past them.
bool TakeDigits(const std::string& text, std::size_t& at, std::size_t most, long long& value) {
  std::size_t end = at;
  while (end < text.size() && end - at < most &&
         std::isdigit(static_cast<unsigned char>(text[end])))
    ++end;
  if (end == at) return false;
  ParseDigits(text.substr(at, end - at), most, value);
  at = end;
  return true;
}

// A month's English name or its first three letters, any case.
bool TakeMonthName(const std::string& text, std::size_t& at, long long& month) {
  for (long long m = 0; m < 12; ++m) {
    const std::string name = kMonthNames[m];
    std::size_t length = 0;
    while (at + length < text.size() && length < name.size() &&
           std::tolower(static_cast<unsigned char>(text[at + length])) == name[length])
      ++length;
    if (length == name.size() ||
        (length == 3 &&
         (at + 3 == text.size() || !std::isalpha(static_cast<unsigned char>(text[at + 3]))))) {
      month = m + 1;
      at += length;
      return true;
    }
  }
  return false;
}

// "Z", "+HH:MM", "+HHMM" or "+HH".
bool TakeZoneOffset(const std::string& text, std::size_t& at, TimeParts& parts) {
  if (at < text.size() && (text[at] == 'Z' || text[at] == 'z')) {
    ++at;
    parts.hadZone = true;
    return true;
  }
  if (at >= text.size() || (text[at] != '+' && text[at] != '-')) return false;
  const bool west = text[at] == '-';
  long long hours = 0, minutes = 0;
  std::size_t next = at + 1;
  if (next + 2 > text.size() || !ParseDigits(text.substr(next, 2), 2, hours)) return false;
  next += 2;
  if (next < text.size() && text[next] == ':') ++next;
  if (next + 2 <= text.size() && ParseDigits(text.substr(next, 2), 2, minutes)) next += 2;
  if (hours > 23 || minutes > 59) return false;
  parts.offset = (west ? -1 : 1) * (hours * 3600 + minutes * 60);
  parts.hadZone = true;
  at = next;
  return true;
}

// One directive of a pattern at text[at]; %S takes a fraction unless the pattern reads it next.
bool TakeDirective(char directive, bool fractionNext, const std::string& text, std::size_t& at,
                   TimeParts& parts) {
  long long ignored = 0;
  switch (directive) {
    case 'Y':
      return TakeDigits(text, at, 4, parts.year);
    case 'y':
      if (!TakeDigits(text, at, 2, parts.year)) return false;
      parts.year += parts.year >= 69 ? 1900 : 2000;
      return true;
    case 'm':
      return TakeDigits(text, at, 2, parts.month);
    case 'd':
      return TakeDigits(text, at, 2, parts.day);
    case 'j':
      return TakeDigits(text, at, 3, parts.dayOfYear);
    case 'b':
      return TakeMonthName(text, at, parts.month);
    case 'H':
      return TakeDigits(text, at, 2, parts.hour);
    case 'M':
      return TakeDigits(text, at, 2, parts.minute);
    case 'S':
      if (!TakeDigits(text, at, 2, parts.second)) return false;
      if (!fractionNext && at + 1 < text.size() && text[at] == '.' &&
          std::isdigit(static_cast<unsigned char>(text[at + 1]))) {
        ++at;
        return TakeDigits(text, at, 9, ignored);
      }
      return true;
    case 'f':
      return TakeDigits(text, at, 9, ignored);
    case 'z':
      return TakeZoneOffset(text, at, parts);
    case '%':
      return at < text.size() && text[at++] == '%';
    default:
      return false;
  }
}

bool MatchPattern(const std::string& pattern, const std::string& text, TimeParts& parts) {
  std::size_t at = 0;
  for (std::size_t p = 0; p < pattern.size(); ++p) {
    if (pattern[p] == '%' && p + 1 < pattern.size()) {
      const bool fractionNext = pattern.compare(p + 2, 3, ".%f") == 0;
      if (!TakeDirective(pattern[++p], fractionNext, text, at, parts)) return false;
    } else if (pattern[p] == ' ') {
      if (at >= text.size() || (text[at] != ' ' && text[at] != '\t')) return false;
      while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    } else if (at >= text.size() || text[at++] != pattern[p]) {
      return false;
    }
  }
  return at == text.size();
}

// The parts on the axis: dated when the pattern read a year; an empty text, or what is wrong.
std::string PlaceParts(const TimeParts& parts, const std::string& text, ReadTime& time) {
  time = ReadTime();
  time.dated = parts.year >= 0;
  if (parts.hour > (time.dated ? 23 : 24) || parts.minute > 59 || parts.second > 59 ||
      (parts.hour == 24 && parts.minute + parts.second > 0))
    return "no such time of day: '" + text + "'";
  long long days = 0;
  if (time.dated && parts.dayOfYear >= 0) {
    days = DaysFromCivil(parts.year, 1, 1) + parts.dayOfYear - 1;
    if (parts.dayOfYear < 1 || days >= DaysFromCivil(parts.year + 1, 1, 1))
      return "no such day of the year: '" + text + "'";
  } else if (time.dated) {
    const long long month = parts.month < 0 ? 1 : parts.month, day = parts.day < 0 ? 1 : parts.day;
    days = DaysFromCivil(parts.year, month, day);
    long long year = 0, checkMonth = 0, checkDay = 0;
    CivilFromDays(days, year, checkMonth, checkDay);
    if (month < 1 || month > 12 || checkMonth != month || checkDay != day)
      return "no such date: '" + text + "'";
  }
  time.seconds =
      days * kSecondsPerDay + parts.hour * 3600 + parts.minute * 60 + parts.second - parts.offset;
  time.hadZone = parts.hadZone;
  return "";
}

// The forms read without --time-format beside seconds, clock times and ISO date-times: those
// whose order of day and month no one can mistake.
const char* const kUnambiguousForms[] = {"%Y/%m/%d", "%Y/%m/%d %H:%M", "%Y/%m/%d %H:%M:%S",
                                         "%b %d %Y", "%b %d %Y %H:%M", "%b %d %Y %H:%M:%S",
                                         "%d %b %Y", "%d %b %Y %H:%M", "%d %b %Y %H:%M:%S"};

// Whole numbers with an optional sign, for the words of --time-format.
bool ParseWhole(const std::string& text, std::size_t most, long long& value) {
  const bool negative = !text.empty() && text[0] == '-';
  if (!ParseDigits(text.substr(negative ? 1 : 0), most, value)) return false;
  if (negative) value = -value;
  return true;
}

// "epoch", "epoch-ms" or "year"; false for a pattern.
bool ParseWord(const std::string& word, const std::string& text, ReadTime& time,
               std::string& wrong) {
  time = ReadTime();
  long long number = 0;
  if (word == "epoch" || word == "epoch-ms") {
    const bool milliseconds = word == "epoch-ms";
    // Seconds may carry a fraction, dropped as the axis counts whole seconds.
    const std::string whole = milliseconds ? text : text.substr(0, text.find('.'));
    const std::string fraction =
        milliseconds || whole.size() == text.size() ? "0" : text.substr(whole.size() + 1);
    long long dropped = 0;
    if (!ParseWhole(whole, milliseconds ? 15 : 12, number) || !ParseDigits(fraction, 9, dropped))
      wrong = "not " + std::string(milliseconds ? "milliseconds" : "seconds") +
              " since 1970 (--time-format " + word + "): '" + text + "'";
    time.seconds = milliseconds ? FloorDivide(number, 1000) : number;
  } else if (word == "year") {
    if (!ParseDigits(text, 4, number)) wrong = "not a year (--time-format year): '" + text + "'";
    time.seconds = DaysFromCivil(number, 1, 1) * kSecondsPerDay;
  } else {
    return false;
  }
  time.dated = true;
  time.hadZone = word != "year";
  return true;
}

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
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-') return ParseIsoDateTime(text, time);
  if (ParseDigits(text, 12, time.seconds)) {
    time.bareNumber = true;
    return "";
  }
  if (ParseClock(text, 24, time.seconds)) {
    // 24:00 ends the day; no later time of it exists.
    if (time.seconds <= kSecondsPerDay) return "";
    time.seconds = 0;
    return "no such time of day: '" + text + "'";
  }
  for (const char* form : kUnambiguousForms) {
    TimeParts parts;
    if (MatchPattern(form, text, parts)) return PlaceParts(parts, text, time);
  }
  return kTimeForms + text + kOtherForms;
}

TimeFormat::TimeFormat(const std::string& pattern) : pattern_(pattern) {
  ReadTime time;
  std::string wrong;
  if (pattern.empty() || ParseWord(pattern, "0", time, wrong)) return;
  std::string directives;
  for (std::size_t p = 0; p < pattern.size(); ++p)
    if (pattern[p] == '%') {
      if (p + 1 == pattern.size() ||
          std::string("YymdjbHMSfz%").find(pattern[p + 1]) == std::string::npos)
        throw BadInput(
            "--time-format takes %Y %y %m %d %j %b %H %M %S %f %z %% or the words "
            "epoch, epoch-ms, year: '" +
            pattern + "'");
      directives += pattern[++p];
    }
  // A day without its year would be placed on an undated axis, its date lost.
  if (directives.find_first_of("mdjb") != std::string::npos &&
      directives.find_first_of("Yy") == std::string::npos)
    throw BadInput("--time-format reads a date only with its year (%Y or %y): '" + pattern + "'");
}

std::string TimeFormat::Parse(const std::string& text, ReadTime& time) const {
  if (pattern_.empty()) return ParseTime(text, time);
  std::string wrong;
  if (ParseWord(pattern_, text, time, wrong)) return wrong;
  TimeParts parts;
  if (!MatchPattern(pattern_, text, parts))
    return "the time does not match --time-format '" + pattern_ + "': '" + text + "'";
  return PlaceParts(parts, text, time);
}

}  // namespace corvix_tool

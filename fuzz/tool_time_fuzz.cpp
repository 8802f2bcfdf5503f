// The tool's time parser (ParseTime, TimeFormat) against a second, simple reading of the same
// text kept here, for the forms it knows: whole seconds (1 to 12 digits, undated), clock times
// HH:MM[:SS[.fff]] (undated, 24:00 ends the day) and ISO 8601 dates YYYY-MM-DD with an optional
// "T" or " " and a clock time (hours to 23) with an optional zone (Z, +HH:MM, +HHMM). The simple
// reading counts days from 1970-01-01 by whole years and months. Where it accepts a text the
// parser must give the same seconds; where it refuses one the parser may still read it only as
// one of the other documented forms (with '/' or a month's name). Whatever is read round trips
// through the tool's own time label (TimeLabel) back to the same seconds.
//
// Texts come raw from the input or built from drawn parts, so that the valid forms are common.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz/fuzz_input.h"
#include "series.h"
#include "series_time.h"
#include "tool.h"

namespace {

using corvix_fuzz::FuzzInput;
using corvix_tool::ReadTime;

constexpr std::size_t kTextCap = 64;

bool Digits(const std::string& text, std::size_t at, std::size_t count, long long& value) {
  if (at + count > text.size()) return false;
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool Leap(long long year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long long DaysInMonth(long long year, long long month) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kDays[month - 1] + (month == 2 && Leap(year) ? 1 : 0);
}

// Days from 1970-01-01, year by year (years 0 to 9999).
long long DaysSinceEpoch(long long year, long long month, long long day) {
  long long days = 0;
  for (long long y = 1970; y < year; ++y)
    days += Leap(y) ? 366 : 365;
  for (long long y = year; y < 1970; ++y)
    days -= Leap(y) ? 366 : 365;
  for (long long m = 1; m < month; ++m)
    days += DaysInMonth(year, m);
  return days + day - 1;
}

// HH:MM, HH:MM:SS or HH:MM:SS.f (1 to 9 digits): seconds since midnight.
bool SimpleClock(const std::string& text, long long largestHour, long long& seconds) {
  long long hours = 0, minutes = 0, secs = 0, fraction = 0;
  if (!Digits(text, 0, 2, hours) || text.size() < 5 || text[2] != ':' ||
      !Digits(text, 3, 2, minutes))
    return false;
  if (text.size() > 5) {
    if (text[5] != ':' || !Digits(text, 6, 2, secs)) return false;
    if (text.size() > 8) {
      const std::size_t digits = text.size() - 9;
      if (text[8] != '.' || digits < 1 || digits > 9 || !Digits(text, 9, digits, fraction))
        return false;
    }
  }
  if (hours > largestHour || minutes > 59 || secs > 59) return false;
  seconds = hours * 3600 + minutes * 60 + secs;
  return true;
}

// Z, +HH:MM, +HHMM (or -): seconds east of UTC.
bool SimpleZone(const std::string& zone, long long& offset) {
  if (zone == "Z" || zone == "z") {
    offset = 0;
    return true;
  }
  if (zone.size() != 5 && zone.size() != 6) return false;
  if (zone[0] != '+' && zone[0] != '-') return false;
  long long hours = 0, minutes = 0;
  const std::size_t minutesAt = zone.size() == 6 ? 4 : 3;
  if (!Digits(zone, 1, 2, hours) || !Digits(zone, minutesAt, 2, minutes)) return false;
  if (zone.size() == 6 && zone[3] != ':') return false;
  if (hours > 23 || minutes > 59) return false;
  offset = (zone[0] == '-' ? -1 : 1) * (hours * 3600 + minutes * 60);
  return true;
}

enum class Form { kNone, kSeconds, kClock, kIso };

// The simple reading: which form, the seconds, dated, zoned.
Form SimpleReading(const std::string& text, ReadTime& time) {
  time = ReadTime();
  long long value = 0;
  if (!text.empty() && text.size() <= 12 && Digits(text, 0, text.size(), value)) {
    time.seconds = value;
    time.bareNumber = true;
    return Form::kSeconds;
  }
  if (SimpleClock(text, 24, value)) {
    if (value > 86400) return Form::kNone;  // 24:00 and 24:00:00 only
    time.seconds = value;
    return Form::kClock;
  }
  long long year = 0, month = 0, day = 0;
  if (text.size() < 10 || !Digits(text, 0, 4, year) || text[4] != '-' ||
      !Digits(text, 5, 2, month) || text[7] != '-' || !Digits(text, 8, 2, day))
    return Form::kNone;
  if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return Form::kNone;
  time.dated = true;
  time.seconds = DaysSinceEpoch(year, month, day) * 86400;
  if (text.size() == 10) return Form::kIso;
  if (text[10] != 'T' && text[10] != ' ') return Form::kNone;
  std::string clock = text.substr(11);
  long long offset = 0;
  const std::size_t zoneAt = clock.find_first_of("Zz+-");
  if (zoneAt != std::string::npos) {
    if (!SimpleZone(clock.substr(zoneAt), offset)) return Form::kNone;
    clock.erase(zoneAt);
    time.hadZone = true;
  }
  long long seconds = 0;
  if (!SimpleClock(clock, 23, seconds)) return Form::kNone;
  time.seconds += seconds - offset;
  return Form::kIso;
}

bool HasOtherFormMark(const std::string& text) {
  for (char c : text)
    if (c == '/' || std::isalpha(static_cast<unsigned char>(c))) return true;
  return false;
}

// A text of drawn parts: a date, a clock time, a fraction, a zone, each possibly a little off.
std::string BuiltText(FuzzInput& input) {
  char text[96];
  const unsigned form = input.Byte();
  const long long year = input.Pick(4) == 0 ? input.U16() % 10000 : 1960 + input.Byte() % 100;
  const int month = input.Byte() % 14;
  const int day = input.Byte() % 33;
  const int hour = input.Byte() % 26;
  const int minute = input.Byte() % 61;
  const int second = input.Byte() % 61;
  const int zoneHour = input.Byte() % 25;
  const int zoneMinute = input.Byte() % 61;
  std::string clock = form & 4 ? corvix_tool::Format("%02d:%02d", hour, minute)
                               : corvix_tool::Format("%02d:%02d:%02d", hour, minute, second);
  if ((form & 12) == 8) clock += "." + std::to_string(input.U32() % 1000000000u);
  std::string zone;
  switch ((form >> 4) % 6) {
    case 1:
      zone = "Z";
      break;
    case 2:
      zone = corvix_tool::Format("+%02d:%02d", zoneHour, zoneMinute);
      break;
    case 3:
      zone = corvix_tool::Format("-%02d%02d", zoneHour, zoneMinute);
      break;
    case 4:
      zone = corvix_tool::Format("+%02d", zoneHour);
      break;
    default:
      break;
  }
  switch (form % 4) {
    case 0:
      return clock;
    case 1:
      return std::to_string(input.U64() % 1000000000000000ull);
    default:
      std::snprintf(text, sizeof text, "%04lld-%02d-%02d%s%s%s", year, month, day,
                    form & 64 ? "" : (form & 128 ? " " : "T"), form & 64 ? "" : clock.c_str(),
                    form & 64 ? "" : zone.c_str());
      return text;
  }
}

// Whatever was read, labelled as the tool labels window centres and read again.
void RoundTrip(const ReadTime& time) {
  corvix_tool::WindowText labels;
  labels.dated = time.dated;
  labels.utc = time.hadZone;
  if (time.dated) {
    // Years 0 to 9999 print as four digits, which the parser reads back.
    const long long firstDay = -719528LL * 86400, afterLast = 2932897LL * 86400;
    if (time.seconds < firstDay || time.seconds >= afterLast) return;
  } else if (time.seconds < 0 || time.seconds > 86400) {
    return;  // undated labels beyond one day carry a day count no parser reads
  }
  const std::string label = corvix_tool::TimeLabel(time.seconds, labels);
  corvix_fuzz::Note("label '%s' of %lld", label.c_str(), time.seconds);
  ReadTime again;
  FUZZ_CHECK(corvix_tool::ParseTime(label, again).empty());
  FUZZ_CHECK(again.seconds == time.seconds);
  FUZZ_CHECK(again.dated == time.dated);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::uint8_t mode = input.Byte();
  std::string text;
  if (mode % 2 == 0) {
    text = BuiltText(input);
  } else {
    while (!input.Exhausted() && text.size() < kTextCap)
      text += static_cast<char>(input.Byte());
  }
  corvix_fuzz::Note("text '%s'", corvix_tool::Printable(text).c_str());

  ReadTime parsed;
  const std::string wrong = corvix_tool::ParseTime(text, parsed);
  ReadTime simple;
  const Form form = SimpleReading(text, simple);
  if (form != Form::kNone) {
    FUZZ_CHECK(wrong.empty());
    FUZZ_CHECK(parsed.seconds == simple.seconds);
    FUZZ_CHECK(parsed.dated == simple.dated);
    FUZZ_CHECK(parsed.hadZone == simple.hadZone);
    FUZZ_CHECK(parsed.bareNumber == simple.bareNumber);
  } else if (wrong.empty()) {
    FUZZ_CHECK(HasOtherFormMark(text));
    FUZZ_CHECK(parsed.dated && !parsed.bareNumber);
  } else {
    // The message quotes the text it could not read.
    FUZZ_CHECK(wrong.find(text) != std::string::npos);
  }
  if (wrong.empty()) RoundTrip(parsed);

  // The usual forms through an empty --time-format read the same; "epoch" reads whole seconds.
  ReadTime again;
  FUZZ_CHECK(corvix_tool::TimeFormat("").Parse(text, again) == wrong);
  if (wrong.empty()) FUZZ_CHECK(again.seconds == parsed.seconds);
  if (form == Form::kSeconds) {
    FUZZ_CHECK(corvix_tool::TimeFormat("epoch").Parse(text, again).empty());
    FUZZ_CHECK(again.seconds == simple.seconds && again.dated && again.hadZone);
  }
  return 0;
}

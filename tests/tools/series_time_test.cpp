// Times of logged samples: every form the reader takes, what it refuses, and the calendar.
#include <gtest/gtest.h>

#include "series_time.h"
#include "tool.h"

namespace {

using corvix_tool::ReadTime;

TEST(ToolSeriesTime, ReadsSecondsClocksAndIsoDateTimes) {
  const struct {
    std::string text;
    long long seconds;
    bool dated;
    bool zone;
  } cases[] = {
      {"3600", 3600, false, false},
      {"01:00", 3600, false, false},
      {"24:00:00", 86400, false, false},
      {"24:00", 86400, false, false},
      {"01:00:00.750", 3600, false, false},
      {"1970-01-02", 86400, true, false},
      {"2010-01-01T01:00:00", 1262307600, true, false},
      {"2010-01-01 01:00", 1262307600, true, false},
      {"2010-01-01T01:00:00Z", 1262307600, true, true},
      {"2010-01-01T01:00:00+01:00", 1262304000, true, true},
      {"2010-01-01T01:00:00-0130", 1262313000, true, true},
      {"1969-12-31T23:00:00", -3600, true, false},
      {"2000-02-29", 951782400, true, false},
  };
  for (const auto& c : cases) {
    ReadTime time;
    EXPECT_EQ(corvix_tool::ParseTime(c.text, time), "") << c.text;
    EXPECT_EQ(time.seconds, c.seconds) << c.text;
    EXPECT_EQ(time.dated, c.dated) << c.text;
    EXPECT_EQ(time.hadZone, c.zone) << c.text;
  }
}

TEST(ToolSeriesTime, SaysWhatIsWrong) {
  const struct {
    std::string text;
    std::string wrong;
  } cases[] = {
      {"Time",
       "the time is not seconds, HH:MM:SS or an ISO date-time: 'Time' (--time-format reads other "
       "forms)"},
      {"25:00",
       "the time is not seconds, HH:MM:SS or an ISO date-time: '25:00' (--time-format reads other "
       "forms)"},
      {"2010-02-30", "no such date: '2010-02-30'"},
      {"2010-13-01", "not a date: '2010-13-01'"},
      {"2010-01-01X01:00", "not an ISO date-time: '2010-01-01X01:00'"},
      {"2010-01-01T01:00+1:00", "not a zone offset (+HH:MM): '2010-01-01T01:00+1:00'"},
      {"2010-01-01T24:00", "not an ISO date-time: '2010-01-01T24:00'"},
      // Only 24:00 ends a day: later clock times of hour 24 were read as the next day's.
      {"24:00:38", "no such time of day: '24:00:38'"},
      {"24:30", "no such time of day: '24:30'"},
  };
  for (const auto& c : cases) {
    ReadTime time;
    EXPECT_EQ(corvix_tool::ParseTime(c.text, time), c.wrong) << c.text;
  }
}

TEST(ToolSeriesTime, CalendarRoundTripsEveryDayOfFourCenturies) {
  long long days = corvix_tool::DaysFromCivil(1800, 1, 1);
  const long long last = corvix_tool::DaysFromCivil(2200, 1, 1);
  long long year = 0, month = 0, day = 0;
  for (; days < last; ++days) {
    corvix_tool::CivilFromDays(days, year, month, day);
    ASSERT_EQ(corvix_tool::DaysFromCivil(year, month, day), days);
  }
  EXPECT_EQ(corvix_tool::DaysFromCivil(1970, 1, 1), 0);
  EXPECT_EQ(corvix_tool::FloorDivide(-1, 86400), -1);
  EXPECT_EQ(corvix_tool::FloorDivide(86400, 86400), 1);
}

}  // namespace

namespace {

TEST(ToolSeriesTime, ReadsTheUnambiguousFormsWithoutAPattern) {
  const struct {
    std::string text;
    long long seconds;
  } cases[] = {
      {"2015/01/31", 1422662400},           {"2015/01/31 01:00", 1422666000},
      {"2015/1/31 01:00:30", 1422666030},   {"Jan 31 2015", 1422662400},
      {"jan 31 2015 01:00:00", 1422666000}, {"31 January 2015", 1422662400},
      {"31 Jan 2015  01:00", 1422666000},
  };
  for (const auto& c : cases) {
    ReadTime time;
    EXPECT_EQ(corvix_tool::ParseTime(c.text, time), "") << c.text;
    EXPECT_EQ(time.seconds, c.seconds) << c.text;
    EXPECT_TRUE(time.dated) << c.text;
  }
  // Day and month in either order: only a pattern says which.
  ReadTime time;
  EXPECT_NE(corvix_tool::ParseTime("01.02.2010 13:00", time), "");
  EXPECT_NE(corvix_tool::ParseTime("01/02/2010", time), "");
  EXPECT_NE(corvix_tool::ParseTime("Jan 32 2015", time), "");
  EXPECT_NE(corvix_tool::ParseTime("Janx 3 2015", time), "");
}

TEST(ToolSeriesTime, ReadsTheChosenForm) {
  const struct {
    std::string pattern;
    std::string text;
    std::string wrong;
    long long seconds;
    bool dated;
    bool zone;
  } cases[] = {
      {"%d.%m.%Y %H:%M", "01.02.2010 13:00", "", 1265029200, true, false},
      {"%d.%m.%Y %H:%M", "1.2.2010 13:00", "", 1265029200, true, false},
      {"%m/%d/%y %H:%M:%S", "02/01/10 13:00:00.250", "", 1265029200, true, false},
      {"%m/%d/%y", "02/01/69", "", -28857600, true, false},
      {"%Y%m%d%H%M%S", "20100201130000", "", 1265029200, true, false},
      {"%Y-%j", "2010-032", "", 1264982400, true, false},
      {"%b %d, %Y %H:%M:%S.%f %z", "Feb 1, 2010 14:00:00.5 +01:00", "", 1265029200, true, true},
      {"%Y-%m-%dT%H:%M%z", "2010-02-01T13:00Z", "", 1265029200, true, true},
      {"%H:%M", "24:00", "", 86400, false, false},
      {"%%%H", "%01", "", 3600, false, false},
      {"epoch", "1265029200", "", 1265029200, true, true},
      {"epoch", "1265029200.75", "", 1265029200, true, true},
      {"epoch", "-1", "", -1, true, true},
      {"epoch-ms", "1265029200999", "", 1265029200, true, true},
      {"epoch-ms", "-1", "", -1, true, true},
      {"year", "1880", "", -2840140800, true, false},
      {"%d.%m.%Y", "2010-02-01", "the time does not match --time-format '%d.%m.%Y': '2010-02-01'",
       0, false, false},
      {"%d.%m.%Y", "30.02.2010", "no such date: '30.02.2010'", 0, false, false},
      {"%Y-%j", "2010-366", "no such day of the year: '2010-366'", 0, false, false},
      {"%d.%m.%Y %H", "01.02.2010 24", "no such time of day: '01.02.2010 24'", 0, false, false},
      {"epoch", "12e3", "not seconds since 1970 (--time-format epoch): '12e3'", 0, false, false},
      {"epoch-ms", "1.5", "not milliseconds since 1970 (--time-format epoch-ms): '1.5'", 0, false,
       false},
      {"year", "AD 5", "not a year (--time-format year): 'AD 5'", 0, false, false},
  };
  for (const auto& c : cases) {
    ReadTime time;
    EXPECT_EQ(corvix_tool::TimeFormat(c.pattern).Parse(c.text, time), c.wrong) << c.text;
    if (!c.wrong.empty()) continue;
    EXPECT_EQ(time.seconds, c.seconds) << c.text;
    EXPECT_EQ(time.dated, c.dated) << c.text;
    EXPECT_EQ(time.hadZone, c.zone) << c.text;
  }
}

TEST(ToolSeriesTime, RefusesAPatternItCannotFollow) {
  EXPECT_THROW(corvix_tool::TimeFormat("%Q"), corvix_tool::BadInput);
  EXPECT_THROW(corvix_tool::TimeFormat("%H:%"), corvix_tool::BadInput);
  // A date without its year would lose its date.
  EXPECT_THROW(corvix_tool::TimeFormat("%d.%m %H:%M"), corvix_tool::BadInput);
  EXPECT_NO_THROW(corvix_tool::TimeFormat("%H:%M:%S"));
}

}  // namespace

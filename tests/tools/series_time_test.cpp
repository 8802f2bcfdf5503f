// Times of logged samples: every form the reader takes, what it refuses, and the calendar.
#include <gtest/gtest.h>

#include "series_time.h"

namespace {

using corvix_tool::ReadTime;

TEST(SeriesTime, ReadsSecondsClocksAndIsoDateTimes) {
  const struct {
    std::string text;
    long long seconds;
    bool dated;
    bool zone;
  } cases[] = {
      {"3600", 3600, false, false},
      {"01:00", 3600, false, false},
      {"24:00:00", 86400, false, false},
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

TEST(SeriesTime, SaysWhatIsWrong) {
  const struct {
    std::string text;
    std::string wrong;
  } cases[] = {
      {"Time", "the time is not seconds, HH:MM:SS or an ISO date-time: 'Time'"},
      {"25:00", "the time is not seconds, HH:MM:SS or an ISO date-time: '25:00'"},
      {"2010-02-30", "no such date: '2010-02-30'"},
      {"2010-13-01", "not a date: '2010-13-01'"},
      {"2010-01-01X01:00", "not an ISO date-time: '2010-01-01X01:00'"},
      {"2010-01-01T01:00+1:00", "not a zone offset (+HH:MM): '2010-01-01T01:00+1:00'"},
      {"2010-01-01T24:00", "not an ISO date-time: '2010-01-01T24:00'"},
  };
  for (const auto& c : cases) {
    ReadTime time;
    EXPECT_EQ(corvix_tool::ParseTime(c.text, time), c.wrong) << c.text;
  }
}

TEST(SeriesTime, CalendarRoundTripsEveryDayOfFourCenturies) {
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

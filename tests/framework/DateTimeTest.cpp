// Date-time values: calendar encoding and decoding, and formatting by format text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/core/DateTime.h"

TEST(DateTime, EncodesCatalogueDates) {
  struct Row {
    int y, m, d;
    double value;
  } rows[] = {{1899, 12, 30, 0},    {1899, 12, 31, 1},      {1900, 1, 1, 2},     {1900, 3, 1, 61},
              {2000, 1, 1, 36526},  {2000, 2, 29, 36585},   {2024, 3, 7, 45358}, {1899, 12, 29, -1},
              {1800, 1, 1, -36522}, {9999, 12, 31, 2958465}};
  for (const auto& r : rows) {
    EXPECT_EQ(fw::EncodeDate(r.y, r.m, r.d), r.value) << r.y << "-" << r.m << "-" << r.d;
    const fw::TDateParts p = fw::DecodeDate(r.value);
    EXPECT_EQ(p.Year, r.y);
    EXPECT_EQ(p.Month, r.m);
    EXPECT_EQ(p.Day, r.d);
  }
}

TEST(DateTime, MonthsAndDaysOutsideTheirRangeCarry) {
  EXPECT_EQ(fw::EncodeDate(2023, 12, 32), fw::EncodeDate(2024, 1, 1));
  EXPECT_EQ(fw::EncodeDate(2024, 0, 1), fw::EncodeDate(2023, 12, 1));
  EXPECT_EQ(fw::EncodeDate(2024, -11, 15), fw::EncodeDate(2023, 1, 15));
  EXPECT_EQ(fw::EncodeDate(2024, 13, 1), fw::EncodeDate(2025, 1, 1));
  EXPECT_EQ(fw::EncodeDate(2024, 3, 0), fw::EncodeDate(2024, 2, 29));
}

TEST(DateTime, DecodesTimeOfDayToTheMillisecond) {
  const fw::TTimeParts t =
      fw::DecodeTime(fw::EncodeDate(2024, 3, 7) + fw::EncodeTime(13, 45, 30, 250));
  EXPECT_EQ(t.Hour, 13);
  EXPECT_EQ(t.Minute, 45);
  EXPECT_EQ(t.Second, 30);
  EXPECT_EQ(t.MilliSecond, 250);
  // 0.1 ms before midnight rounds to the next day's midnight.
  const double almost = fw::EncodeDate(2024, 3, 7) + 1 - 0.0001 / 86400.0;
  EXPECT_EQ(fw::DecodeDate(almost).Day, 8);
  EXPECT_EQ(fw::DecodeTime(almost).Hour, 0);
  // Negative values: whole days backwards, the fraction's magnitude is the time of day.
  EXPECT_EQ(fw::DecodeDate(-1.25).Day, 29);
  EXPECT_EQ(fw::DecodeTime(-1.25).Hour, 6);
}

TEST(DateTime, FormatsByFormatText) {
  const double v = fw::EncodeDate(2024, 3, 7) + fw::EncodeTime(18, 5, 9, 42);
  struct Row {
    const char* format;
    const char* text;
  } rows[] = {{"M/d/yyyy", "3/7/2024"},   {"dd/mm/yy", "07/03/24"},
              {"h:mm AMPM", "6:05 PM"},   {"hh:nn:ss.zzz", "18:05:09.042"},
              {"h:mm am/pm", "6:05 pm"},  {"h:mm A/P", "6:05 P"},
              {"ddd d mmm", "Thu 7 Mar"}, {"dddd, mmmm d", "Thursday, March 7"},
              {"ddddd", "3/7/2024"},      {"t", "6:05 PM"},
              {"tt", "6:05:09 PM"},       {"c", "3/7/2024 6:05 PM"},
              {"'day' d", "day 7"},       {"\"at\" hh", "at 18"},
              {"", "3/7/2024 6:05 PM"}};
  for (const auto& r : rows) EXPECT_EQ(fw::FormatDateTime(r.format, v), r.text) << r.format;
  EXPECT_EQ(fw::FormatDateTime("c", fw::EncodeDate(2024, 3, 7)), "3/7/2024");
  EXPECT_EQ(fw::FormatDateTime("h:mm AMPM", 0.0), "12:00 AM");
  EXPECT_EQ(fw::FormatDateTime("h:mm AMPM", 0.5), "12:00 PM");
}

TEST(DateTime, UsesTheSettingsGiven) {
  fw::TFormatSettings s;
  s.ShortDateFormat = "dd.mm.yyyy";
  s.ShortTimeFormat = "hh:nn";
  EXPECT_EQ(fw::FormatDateTime("c", fw::EncodeDate(2024, 3, 7) + 0.75, s), "07.03.2024 18:00");
}

TEST(DateTime, AnyDoubleFormatsWithoutFailing) {
  for (double v : {std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity(), -1e300, 1e300}) {
    EXPECT_FALSE(fw::FormatDateTime("yyyy-mm-dd hh:nn", v).empty()) << v;
  }
  EXPECT_EQ(fw::FormatDateTime("yyyy", 1e300), "9999");
}

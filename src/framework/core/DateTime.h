// Date-time values: days since 30 December 1899 as a 64-bit float, the time of day as its fraction.
//
// 0 is midnight at the start of 30 Dec 1899, 2 is 1 Jan 1900, 1.5 is noon on 31 Dec 1899. For a
// negative value the whole part still counts days (backwards) and the fraction's magnitude is the
// time of day, so -1.25 is 6:00 on 29 Dec 1899.
//
// `FormatDateTime` writes a value by a format text of these elements (letters in either case):
//   c            the short date, and the short time when the value has a time of day
//   d dd         day of month, without and with a leading zero
//   ddd dddd     short and long day name ("Mon", "Monday")
//   ddddd        the short date format
//   m mm         month, or minute right after an hour element
//   mmm mmmm     short and long month name
//   yy yyyy      two- and four-digit year
//   h hh         hour (on a 12-hour clock when an am/pm element follows)
//   n nn         minute;   s ss  second;   z zzz  millisecond
//   t tt         the short time format, and that with seconds
//   am/pm a/p    "am"/"pm" or "a"/"p" in the case written; ampm  the settings' AM or PM text
//   /  :         the date and time separators ('/' and ':')
//   "x" 'x'      literal text; any other character is copied as it is
// The short date and time formats come from the process' format settings (FormatSettings.h):
//   FormatDateTime("M/d/yyyy", EncodeDate(2024, 3, 7)) == "3/7/2024"
//   FormatDateTime("h:mm AMPM", 0.75)                   == "6:00 PM"
#pragma once

#include <string>

#include "framework/core/FormatSettings.h"

namespace fw {

using TDateTime = double;

// Days of one unit of time.
inline constexpr double kOneSecond = 1.0 / 86400.0;
inline constexpr double kOneMinute = 1.0 / 1440.0;
inline constexpr double kOneHour = 1.0 / 24.0;

struct TDateParts {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
};

struct TTimeParts {
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MilliSecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Midnight of a calendar date (proleptic Gregorian). Days beyond the month's end carry into the
// following months, so EncodeDate(2023, 12, 32) is 1 Jan 2024.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int milliSecond);

// The calendar date of a value (its whole days) and its time of day, rounded to the millisecond.
// A time that rounds up to 24:00 belongs to the next day.
TDateParts DecodeDate(TDateTime value);
TTimeParts DecodeTime(TDateTime value);

std::string FormatDateTime(const std::string& format, TDateTime value);
std::string FormatDateTime(const std::string& format, TDateTime value,
                           const TFormatSettings& settings);

}  // namespace fw

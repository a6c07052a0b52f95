#include "framework/core/DateTime.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>

namespace fw {
namespace {

// Whole days between 1 Jan 1970 and 30 Dec 1899.
constexpr std::int64_t kEpochOffset = 25569;
// Years 1 to 9999: values outside are clamped so that any double formats without overflow.
constexpr double kMinDays = -693593.0;
constexpr double kMaxDays = 2958465.0;
constexpr std::int64_t kMsPerDay = 86400000;

// Days since 1 Jan 1970 of a proleptic Gregorian date (month 1..12, day 1..31).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

TDateParts CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return TDateParts{static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// The value split into whole days and milliseconds of the day (rounded; 24:00 carries over).
struct TSplit {
  std::int64_t Days;
  std::int64_t Ms;
};

TSplit Split(TDateTime value) {
  if (!std::isfinite(value)) value = 0;
  if (value < kMinDays) value = kMinDays;
  if (value > kMaxDays) value = kMaxDays;
  const double whole = std::trunc(value);
  std::int64_t days = static_cast<std::int64_t>(whole);
  std::int64_t ms = std::llround(std::fabs(value - whole) * static_cast<double>(kMsPerDay));
  if (ms >= kMsPerDay) {
    ms -= kMsPerDay;
    ++days;
  }
  return TSplit{days, ms};
}

constexpr std::array<const char*, 12> kShortMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 12> kLongMonths{"January",   "February", "March",    "April",
                                                  "May",       "June",     "July",     "August",
                                                  "September", "October",  "November", "December"};
constexpr std::array<const char*, 7> kShortDays{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 7> kLongDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                               "Thursday", "Friday", "Saturday"};

bool StartsWithNoCase(const std::string& text, std::size_t pos, const char* word) {
  for (std::size_t k = 0; word[k]; ++k) {
    if (pos + k >= text.size()) return false;
    if (std::tolower(static_cast<unsigned char>(text[pos + k])) != word[k]) return false;
  }
  return true;
}

// Whether an am/pm element follows in the format from `pos` on (outside quotes).
bool AmPmFollows(const std::string& format, std::size_t pos) {
  char quote = 0;
  for (std::size_t i = pos; i < format.size(); ++i) {
    const char c = format[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (StartsWithNoCase(format, i, "am/pm") || StartsWithNoCase(format, i, "a/p") ||
               StartsWithNoCase(format, i, "ampm")) {
      return true;
    }
  }
  return false;
}

void AppendNumber(std::string& out, long long n, int minDigits) {
  std::string digits = std::to_string(n < 0 ? -n : n);
  if (n < 0) out += '-';
  for (int k = static_cast<int>(digits.size()); k < minDigits; ++k) out += '0';
  out += digits;
}

// The long time format: the short one with seconds after its minutes.
std::string LongTimeFormat(const std::string& shortFormat) {
  if (shortFormat.find_first_of("sS") != std::string::npos) return shortFormat;
  for (const char* minutes : {"nn", "mm", "n", "m"}) {
    const std::size_t at = shortFormat.find(minutes);
    if (at != std::string::npos) {
      std::string result = shortFormat;
      result.insert(at + std::char_traits<char>::length(minutes), ":ss");
      return result;
    }
  }
  return shortFormat;
}

class TDateTimeWriter {
 public:
  TDateTimeWriter(TDateTime value, const TFormatSettings& settings) : settings_(settings) {
    const TSplit s = Split(value);
    date_ = CivilFromDays(s.Days - kEpochOffset);
    weekDay_ =
        static_cast<int>(((s.Days - kEpochOffset) % 7 + 7 + 4) % 7);  // 1 Jan 1970 was a Thursday
    ms_ = s.Ms;
    time_.Hour = static_cast<int>(s.Ms / 3600000);
    time_.Minute = static_cast<int>(s.Ms / 60000 % 60);
    time_.Second = static_cast<int>(s.Ms / 1000 % 60);
    time_.MilliSecond = static_cast<int>(s.Ms % 1000);
  }

  void Write(const std::string& format, int depth) {
    // Nested formats (c, ddddd, t) cannot nest further than the settings allow; a bound keeps a
    // format that names itself from recursing.
    if (depth > 3) return;
    char lastLetter = 0;
    std::size_t i = 0;
    while (i < format.size()) {
      const char c = format[i];
      const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (c == '"' || c == '\'') {
        const std::size_t end = format.find(c, i + 1);
        out_ += format.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1);
        i = end == std::string::npos ? format.size() : end + 1;
        continue;
      }
      std::size_t n = 1;
      while (i + n < format.size() &&
             std::toupper(static_cast<unsigned char>(format[i + n])) == upper)
        ++n;
      switch (upper) {
        case 'C':
          Write(settings_.ShortDateFormat, depth + 1);
          if (ms_ != 0) {
            out_ += ' ';
            Write(settings_.ShortTimeFormat, depth + 1);
          }
          break;
        case 'D':
          if (n == 1 || n == 2)
            AppendNumber(out_, date_.Day, static_cast<int>(n));
          else if (n == 3)
            out_ += kShortDays[static_cast<std::size_t>(weekDay_)];
          else if (n == 4)
            out_ += kLongDays[static_cast<std::size_t>(weekDay_)];
          else
            Write(n == 5 ? settings_.ShortDateFormat : std::string("dddd, mmmm d, yyyy"),
                  depth + 1);
          break;
        case 'Y':
          if (n <= 2)
            AppendNumber(out_, date_.Year % 100, 2);
          else
            AppendNumber(out_, date_.Year, 4);
          break;
        case 'M':
          if (lastLetter == 'H' && n <= 2)
            AppendNumber(out_, time_.Minute, static_cast<int>(n));
          else if (n <= 2)
            AppendNumber(out_, date_.Month, static_cast<int>(n));
          else if (n == 3)
            out_ += kShortMonths[static_cast<std::size_t>(date_.Month - 1)];
          else
            out_ += kLongMonths[static_cast<std::size_t>(date_.Month - 1)];
          break;
        case 'H': {
          int hour = time_.Hour;
          if (AmPmFollows(format, i + n)) {
            hour %= 12;
            if (hour == 0) hour = 12;
          }
          AppendNumber(out_, hour, n >= 2 ? 2 : 1);
          break;
        }
        case 'N':
          AppendNumber(out_, time_.Minute, n >= 2 ? 2 : 1);
          break;
        case 'S':
          AppendNumber(out_, time_.Second, n >= 2 ? 2 : 1);
          break;
        case 'Z':
          AppendNumber(out_, time_.MilliSecond, n >= 3 ? 3 : 1);
          break;
        case 'T':
          Write(n == 1 ? settings_.ShortTimeFormat : LongTimeFormat(settings_.ShortTimeFormat),
                depth + 1);
          break;
        case 'A': {
          const bool pm = time_.Hour >= 12;
          if (StartsWithNoCase(format, i, "am/pm")) {
            WriteCased(pm ? "pm" : "am", format, i);
            n = 5;
          } else if (StartsWithNoCase(format, i, "a/p")) {
            WriteCased(pm ? "p" : "a", format, i);
            n = 3;
          } else if (StartsWithNoCase(format, i, "ampm")) {
            out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
            n = 4;
          } else {
            out_.append(format, i, n);
          }
          break;
        }
        case '/':
          out_.append(n, '/');
          break;
        default:
          out_.append(format, i, n);
          break;
      }
      if (upper >= 'A' && upper <= 'Z')
        lastLetter = upper == 'M' && lastLetter == 'H' ? 'N' : upper;
      i += n;
    }
  }

  std::string Take() { return std::move(out_); }

 private:
  // "am" or "AM" as the format's first letter is written.
  void WriteCased(const char* text, const std::string& format, std::size_t at) {
    const bool upper = std::isupper(static_cast<unsigned char>(format[at])) != 0;
    for (const char* p = text; *p; ++p)
      out_ += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
  }

  const TFormatSettings& settings_;
  TDateParts date_;
  TTimeParts time_;
  int weekDay_ = 0;
  std::int64_t ms_ = 0;
  std::string out_;
};

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

TDateTime EncodeDate(int year, int month, int day) {
  // Normalise the month first so that months outside 1..12 roll the year.
  std::int64_t m0 = static_cast<std::int64_t>(month) - 1;
  const std::int64_t carry = m0 >= 0 ? m0 / 12 : -((11 - m0) / 12);  // floor(m0 / 12)
  m0 -= carry * 12;
  const std::int64_t days = DaysFromCivil(year + carry, static_cast<int>(m0 + 1), 1) + (day - 1);
  return static_cast<double>(days + kEpochOffset);
}

TDateTime EncodeTime(int hour, int minute, int second, int milliSecond) {
  const double ms = ((static_cast<double>(hour) * 60 + minute) * 60 + second) * 1000 + milliSecond;
  return ms / static_cast<double>(kMsPerDay);
}

TDateParts DecodeDate(TDateTime value) {
  return CivilFromDays(Split(value).Days - kEpochOffset);
}

TTimeParts DecodeTime(TDateTime value) {
  const std::int64_t ms = Split(value).Ms;
  return TTimeParts{static_cast<int>(ms / 3600000), static_cast<int>(ms / 60000 % 60),
                    static_cast<int>(ms / 1000 % 60), static_cast<int>(ms % 1000)};
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings());
}

std::string FormatDateTime(const std::string& format, TDateTime value,
                           const TFormatSettings& settings) {
  TDateTimeWriter writer(value, settings);
  writer.Write(format.empty() ? std::string("c") : format, 0);
  return writer.Take();
}

}  // namespace fw

// The locale's conventions for numbers, dates and times.
//
// The process keeps one TFormatSettings (`FormatSettings()`), fixed English by default: ',' groups
// thousands, '.' separates decimals, short date "M/d/yyyy", short time "h:mm AMPM". The program may
// replace it at start with `SystemFormatSettings()` (the separators of the user's locale); tests
// rely on the English default.
#pragma once

#include <string>

namespace fw {

struct TFormatSettings {
  std::string ThousandSeparator = ",";
  std::string DecimalSeparator = ".";
  std::string ShortDateFormat = "M/d/yyyy";
  std::string ShortTimeFormat = "h:mm AMPM";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
};

TFormatSettings& FormatSettings();

// English settings with the thousands and decimal separators of the environment's locale (LANG /
// LC_ALL); the English defaults where the locale names none.
TFormatSettings SystemFormatSettings();

}  // namespace fw

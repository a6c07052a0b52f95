// Pattern number formatting: a number as text by a pattern such as "#,##0.###" or "##0.## %".
//
// Pattern characters:
//   0   a digit that is always written (leading zeros before the decimal point, trailing zeros
//       after it);
//   #   a digit that is written only when significant;
//   .   the decimal point (the locale's decimal separator); the digit places after the first '.'
//       give the largest number of decimals, the last '0' among them the smallest;
//   ,   anywhere: group the integer digits by three with the locale's thousands separator;
//   "x" or 'x'  literal text; any other character is copied as it is (so "%" only appends the
//       sign: nothing is multiplied).
// Up to three sections separated by ';' format positive, negative and zero values; a negative
// value formatted with the first section gets a leading '-'. A value that rounds to zero is never
// written with a sign. The value is rounded half away from zero at the last decimal, using its
// first 15 significant digits. NaN and infinities give "NAN", "INF" and "-INF".
//
//   FormatFloat("#,##0.###", 1234.5)    == "1,234.5"
//   FormatFloat("#,##0.###", 2.00049)   == "2"
//   FormatFloat("##0.## %", 12.345)     == "12.35 %"
#pragma once

#include <string>

#include "framework/core/FormatSettings.h"

namespace fw {

std::string FormatFloat(const std::string& pattern, double value);
std::string FormatFloat(const std::string& pattern, double value, const TFormatSettings& settings);

}  // namespace fw

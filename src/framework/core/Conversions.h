// Conversions between numbers and text, and the case-insensitive text helpers.
//
// Integer parsing follows the runtime's rules: leading blanks are skipped, then an optional sign,
// then decimal digits, or hexadecimal digits after "$", "x" or "0x" (either case). Nothing may
// follow the digits (not even a blank). The result must fit a signed 32-bit integer (the sign
// applies to hexadecimal too, so "-$10" is -16 and "$80000000" is out of range). `StrToInt` raises
// EConvertError "'%s' is not a valid integer value" with the whole text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace fw {

std::optional<std::int32_t> TryStrToInt(const std::string& text);
std::int32_t StrToInt(const std::string& text);
std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback);

// The same syntax with a 64-bit range (used for colours, whose values are bit patterns).
std::optional<std::int64_t> TryStrToInt64(const std::string& text);

std::string IntToStr(long long value);

// Shortest text that reads back as the same double ("0.1", "1e+300"); '.' as decimal point.
std::string FloatToText(double value);
// Parses a double with '.' as decimal point, leading and trailing blanks allowed.
std::optional<double> TryTextToFloat(const std::string& text);

// ASCII upper-casing and case-insensitive comparison (identifiers and names).
std::string UpperCase(std::string text);
bool SameText(const std::string& a, const std::string& b);

}  // namespace fw

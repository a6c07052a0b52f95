#include "framework/core/Conversions.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace fw {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses the integer syntax; `limit` is the largest magnitude allowed for a positive result
// (a negative one may be one larger).
std::optional<std::int64_t> ParseInteger(const std::string& text, std::uint64_t limit) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  const std::uint64_t max = negative ? limit + 1 : limit;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int d =
        base == 16 ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) return std::nullopt;
    if (value > (max - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base))
      return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  if (negative)
    return value == limit + 1 ? static_cast<std::int64_t>(-static_cast<std::int64_t>(limit) - 1)
                              : -static_cast<std::int64_t>(value);
  return static_cast<std::int64_t>(value);
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(const std::string& text) {
  auto v = ParseInteger(text, INT32_MAX);
  if (!v) return std::nullopt;
  return static_cast<std::int32_t>(*v);
}

std::int32_t StrToInt(const std::string& text) {
  auto v = TryStrToInt(text);
  if (!v) throw EConvertError(Format("'%s' is not a valid integer value", {text}));
  return *v;
}

std::int32_t StrToIntDef(const std::string& text, std::int32_t fallback) {
  return TryStrToInt(text).value_or(fallback);
}

std::optional<std::int64_t> TryStrToInt64(const std::string& text) {
  return ParseInteger(text, INT64_MAX);
}

std::string IntToStr(long long value) {
  return std::to_string(value);
}

std::string FloatToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::optional<double> TryTextToFloat(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  if (b < e && text[b] == '+') ++b;
  if (b == e) return std::nullopt;
  double value = 0;
  auto res = std::from_chars(text.data() + b, text.data() + e, value);
  if (res.ec != std::errc() || res.ptr != text.data() + e) return std::nullopt;
  return value;
}

std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

}  // namespace fw

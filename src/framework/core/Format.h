// Text formatting with the framework's "%s"/"%d" placeholders.
//
// Messages of the framework and the chart engine are kept as format strings ("List index out of
// bounds (%d)", "No valid DataSource: %s"); `Format` fills them in. Supported: %s (any argument),
// %d (integers), %x (integers in hex), %f / %g / %e with an optional precision (".2f"), and %%.
// An argument of the wrong kind is converted rather than refused, so a message is never lost;
// missing arguments leave the placeholder as it is.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

namespace fw {

class TFormatArg {
 public:
  TFormatArg(const std::string& s) : value_(s) {}
  TFormatArg(const char* s) : value_(std::string(s ? s : "")) {}
  TFormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(unsigned long v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(unsigned long long v) : value_(static_cast<std::int64_t>(v)) {}
  TFormatArg(double v) : value_(v) {}

  const std::variant<std::string, std::int64_t, double>& Value() const { return value_; }

 private:
  std::variant<std::string, std::int64_t, double> value_;
};

std::string Format(const std::string& format, std::initializer_list<TFormatArg> args);

}  // namespace fw

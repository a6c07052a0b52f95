#include "framework/core/Format.h"

#include <cstdio>
#include <string_view>

namespace fw {
namespace {

std::string ToText(const TFormatArg& arg) {
  return std::visit(
      [](const auto& v) -> std::string {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::string>) {
          return v;
        } else if constexpr (std::is_same_v<T, std::int64_t>) {
          return std::to_string(v);
        } else {
          char buf[64];
          std::snprintf(buf, sizeof buf, "%.15g", v);
          return buf;
        }
      },
      arg.Value());
}

std::string FormatNumber(const TFormatArg& arg, char conv, int precision) {
  char buf[128];
  if (conv == 'd' || conv == 'x') {
    long long v = 0;
    if (auto* i = std::get_if<std::int64_t>(&arg.Value()))
      v = *i;
    else if (auto* d = std::get_if<double>(&arg.Value()))
      v = static_cast<long long>(*d);
    else
      return ToText(arg);
    std::snprintf(buf, sizeof buf, conv == 'd' ? "%lld" : "%llX", v);
    return buf;
  }
  double v = 0;
  if (auto* d = std::get_if<double>(&arg.Value()))
    v = *d;
  else if (auto* i = std::get_if<std::int64_t>(&arg.Value()))
    v = static_cast<double>(*i);
  else
    return ToText(arg);
  const char fmt[] = {'%', '.', '*', conv, '\0'};
  std::snprintf(buf, sizeof buf, fmt, precision < 0 ? (conv == 'g' ? 15 : 2) : precision, v);
  return buf;
}

}  // namespace

std::string Format(const std::string& format, std::initializer_list<TFormatArg> args) {
  std::string out;
  out.reserve(format.size() + 16);
  auto next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    int precision = -1;
    if (format[j] == '.') {
      precision = 0;
      ++j;
      while (j < format.size() && format[j] >= '0' && format[j] <= '9')
        precision = precision * 10 + (format[j++] - '0');
    }
    if (j >= format.size()) {
      out.append(format, i, std::string::npos);
      break;
    }
    const char conv = format[j];
    const bool known =
        conv == 's' || conv == 'd' || conv == 'x' || conv == 'f' || conv == 'g' || conv == 'e';
    if (!known || next == args.end()) {
      out.append(format, i, j - i + 1);
      i = j;
      continue;
    }
    out += conv == 's' ? ToText(*next) : FormatNumber(*next, conv, precision);
    ++next;
    i = j;
  }
  return out;
}

}  // namespace fw

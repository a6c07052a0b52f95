#include "framework/core/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace fw {
namespace {

enum class TokKind { Literal, Digit, Point };

struct Token {
  TokKind kind;
  std::string text;  // literal text, or "0" / "#" for a digit place
};

struct Section {
  std::vector<Token> tokens;
  bool grouping = false;
  int intPlaces = 0;  // digit places before the decimal point
  int intMin = 0;     // places from the first '0' before the point to the point
  int fracMax = 0;    // digit places after the point
  int fracMin = 0;    // places up to the last '0' after the point
  bool hasPoint = false;
};

std::vector<std::string> SplitSections(const std::string& pattern) {
  std::vector<std::string> sections(1);
  char quote = 0;
  for (char c : pattern) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      sections.emplace_back();
      continue;
    }
    sections.back() += c;
  }
  return sections;
}

Section ParseSection(const std::string& text) {
  Section s;
  int firstZero = -1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      const std::size_t end = text.find(c, i + 1);
      s.tokens.push_back(
          {TokKind::Literal,
           text.substr(i + 1, end == std::string::npos ? std::string::npos : end - i - 1)});
      if (end == std::string::npos) break;
      i = end;
    } else if (c == '0' || c == '#') {
      s.tokens.push_back({TokKind::Digit, std::string(1, c)});
      if (s.hasPoint) {
        ++s.fracMax;
        if (c == '0') s.fracMin = s.fracMax;
      } else {
        if (c == '0' && firstZero < 0) firstZero = s.intPlaces;
        ++s.intPlaces;
      }
    } else if (c == '.' && !s.hasPoint) {
      s.hasPoint = true;
      s.tokens.push_back({TokKind::Point, {}});
    } else if (c == ',') {
      s.grouping = true;
    } else {
      if (!s.tokens.empty() && s.tokens.back().kind == TokKind::Literal)
        s.tokens.back().text += c;
      else
        s.tokens.push_back({TokKind::Literal, std::string(1, c)});
    }
  }
  if (firstZero >= 0) s.intMin = s.intPlaces - firstZero;
  return s;
}

// |value| rounded half away from zero to `decimals` places, from its 15 significant digits,
// split into integer digits (no leading zeros; empty below 1) and `decimals` fraction digits.
struct Decimal {
  std::string intDigits;
  std::string fracDigits;
  bool zero = true;
};

Decimal ToDecimal(double value, int decimals) {
  Decimal d;
  // The 15 significant digits as printf's "%.14e" gives them (exactly rounded), without the
  // cost of a printf.
  char buf[64];
  const auto written =
      std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value), std::chars_format::scientific, 14);
  *written.ptr = '\0';
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  int exp = *p == 'e' ? std::atoi(p + 1) : 0;
  if (value == 0)
    return {std::string(), std::string(static_cast<std::size_t>(decimals), '0'), true};

  // Digit i has the place value 10^(exp - i); keep those with place >= 10^-decimals.
  const int keep = exp + decimals + 1;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (up) {
      int i = keep - 1;
      for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
        digits[static_cast<std::size_t>(i)] = '0';
      if (i >= 0) {
        ++digits[static_cast<std::size_t>(i)];
      } else {
        digits.insert(digits.begin(), '1');
        ++exp;
      }
    }
  }
  auto at = [&](int i) {
    return i >= 0 && i < static_cast<int>(digits.size()) ? digits[static_cast<std::size_t>(i)]
                                                         : '0';
  };
  for (int i = 0; i <= exp; ++i) d.intDigits += at(i);
  for (int j = 1; j <= decimals; ++j) d.fracDigits += at(exp + j);
  const std::size_t nz = d.intDigits.find_first_not_of('0');
  d.intDigits = nz == std::string::npos ? std::string() : d.intDigits.substr(nz);
  d.zero = d.intDigits.empty() && d.fracDigits.find_first_not_of('0') == std::string::npos;
  return d;
}

std::string Render(const Section& s, const Decimal& dec, const TFormatSettings& fs) {
  std::string ints = dec.intDigits;
  if (static_cast<int>(ints.size()) < s.intMin)
    ints.insert(0, static_cast<std::size_t>(s.intMin) - ints.size(), '0');
  std::string frac = dec.fracDigits;
  while (static_cast<int>(frac.size()) > s.fracMin && frac.back() == '0') frac.pop_back();

  const int n = static_cast<int>(ints.size());
  std::string out;
  auto emitInt = [&](int from, int to) {  // integer digits [from, to)
    for (int j = from; j < to; ++j) {
      if (s.grouping && j > 0 && (n - j) % 3 == 0) out += fs.ThousandSeparator;
      out += ints[static_cast<std::size_t>(j)];
    }
  };
  // Integer digits fill the places from the right; the leftmost place takes any extra digits.
  int place = 0;
  int fracPlace = 0;
  bool intsDone = s.intPlaces == 0 ? false : true;
  auto flushIntsWithoutPlaces = [&]() {
    if (!intsDone) {
      emitInt(0, n);
      intsDone = true;
    }
  };
  bool pointSeen = false;
  for (const Token& t : s.tokens) {
    switch (t.kind) {
      case TokKind::Literal:
        out += t.text;
        break;
      case TokKind::Digit:
        if (!pointSeen) {
          const int first = n - (s.intPlaces - place);  // digit index of this place
          if (place == 0)
            emitInt(0, std::max(first + 1, 0));
          else if (first >= 0)
            emitInt(first, first + 1);
          ++place;
        } else {
          if (fracPlace < static_cast<int>(frac.size()))
            out += frac[static_cast<std::size_t>(fracPlace)];
          ++fracPlace;
        }
        break;
      case TokKind::Point:
        flushIntsWithoutPlaces();
        pointSeen = true;
        if (!frac.empty()) out += fs.DecimalSeparator;
        break;
    }
  }
  if (s.intPlaces == 0 && (s.fracMax > 0 || s.hasPoint)) flushIntsWithoutPlaces();
  return out;
}

// A pattern split into its sections and parsed. An empty section (as in "0;;") counts as absent.
struct ParsedPattern {
  std::string pattern;
  std::vector<Section> sections;
  std::vector<bool> present;
  bool Has(std::size_t i) const { return i < present.size() && present[i]; }
};

// The parse of `pattern`: labels and marks format many values with the same few patterns, so
// the last few parses are kept (per thread) instead of parsing the pattern for every value.
const ParsedPattern& Parse(const std::string& pattern) {
  constexpr std::size_t kKept = 4;
  thread_local std::array<ParsedPattern, kKept> kept;
  thread_local std::size_t next = 0;
  for (const ParsedPattern& p : kept)
    if (!p.sections.empty() && p.pattern == pattern) return p;
  ParsedPattern& p = kept[next];
  next = (next + 1) % kKept;
  p.pattern = pattern;
  p.sections.clear();
  p.present.clear();
  for (const std::string& text : SplitSections(pattern)) {
    p.sections.push_back(ParseSection(text));
    p.present.push_back(!text.empty());
  }
  return p;
}

std::string GeneralFormat(double value, const TFormatSettings& fs) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string out = buf;
  if (const auto dot = out.find('.'); dot != std::string::npos)
    out.replace(dot, 1, fs.DecimalSeparator);
  return out;
}

}  // namespace

std::string FormatFloat(const std::string& pattern, double value) {
  return FormatFloat(pattern, value, FormatSettings());
}

std::string FormatFloat(const std::string& pattern, double value, const TFormatSettings& settings) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (pattern.empty()) return GeneralFormat(value, settings);

  const ParsedPattern& parsed = Parse(pattern);
  const Section& first = parsed.sections[0];
  Decimal dec = ToDecimal(value, first.fracMax);
  if (dec.zero && parsed.Has(2)) {
    const Section& zero = parsed.sections[2];
    return Render(zero, ToDecimal(0, zero.fracMax), settings);
  }
  if (value < 0 && !dec.zero) {
    if (parsed.Has(1)) {
      const Section& negative = parsed.sections[1];
      return Render(negative, ToDecimal(value, negative.fracMax), settings);
    }
    std::string out(1, '-');
    out += Render(first, dec, settings);
    return out;
  }
  return Render(first, dec, settings);
}

}  // namespace fw

// Lines of an axis text: label and title texts break into lines at carriage returns (the engine's
// line separator); these helpers count and measure them on a chart canvas in its current font.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "chart/TeCanvas.h"

namespace tee {

inline constexpr char kLineSeparator = '\r';

inline int LineCount(std::string_view text) {
  return 1 + static_cast<int>(std::count(text.begin(), text.end(), kLineSeparator));
}

// Calls `each(line)` for every line of the text, in order.
template <class F>
void ForEachLine(std::string_view text, F&& each) {
  for (;;) {
    const std::size_t at = text.find(kLineSeparator);
    each(text.substr(0, at));
    if (at == std::string_view::npos) return;
    text.remove_prefix(at + 1);
  }
}

// The width of the text's widest line in the canvas' current font.
inline int WidestLine(TTeeCanvas& canvas, const std::string& text) {
  if (text.find(kLineSeparator) == std::string::npos) return canvas.TextWidth(text);
  int widest = 0;
  ForEachLine(text, [&](std::string_view line) { widest = std::max(widest, canvas.TextWidth(std::string(line))); });
  return widest;
}

}  // namespace tee

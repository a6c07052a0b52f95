// Lines of an axis text: label and title texts break into lines at carriage returns (the engine's
// line separator); these helpers count and measure them on a chart canvas in its current font.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

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
  ForEachLine(text, [&](std::string_view line) {
    widest = std::max(widest, canvas.TextWidth(std::string(line)));
  });
  return widest;
}

// The widths of label texts (widest lines) in one font on one surface, kept between paints: the
// point labels of a profile are measured once rather than on every repaint, since shaping a text
// costs far more than the rest of placing a label. The cache empties itself when the surface or
// any property of the font changes, and when it is full. Its size is fixed: enough for every X
// text a scanner profile can have (its X values come from 14-bit raw values), whatever the number
// of points.
class TTextWidthCache {
 public:
  static constexpr std::size_t kCapacity = 65536;

  // Identifies the surface and font the widths are for: it changes whenever either changes (not
  // when the cache merely empties because it is full), and is never the same for two caches.
  std::uint64_t FontKey(TTeeCanvas& canvas) {
    Validate(canvas);
    return fontKey_;
  }

  // The widest line of `text` on the canvas in its current font.
  int Width(TTeeCanvas& canvas, const std::string& text) {
    Validate(canvas);
    auto it = widths_.find(text);
    if (it != widths_.end()) return it->second;
    if (widths_.size() >= kCapacity) widths_.clear();
    const int w = WidestLine(canvas, text);
    widths_.emplace(text, w);
    return w;
  }

 private:
  void Validate(TTeeCanvas& canvas) {
    const fw::TCanvas* surface = canvas.ReferenceCanvas();
    const fw::TFont& f = canvas.Font();
    // The surface's font object unchanged since the last check: its name need not be compared.
    if (surface == surface_ && f.Revision() == revision_ && f.Height() == height_ &&
        f.Escapement() == escapement_)
      return;
    revision_ = f.Revision();
    if (surface == surface_ && f.Name() == name_ && f.Height() == height_ &&
        f.PixelsPerInch() == pixelsPerInch_ && f.Style() == style_ && f.Charset() == charset_ &&
        f.Pitch() == pitch_ && f.Escapement() == escapement_)
      return;
    widths_.clear();
    static std::uint64_t keys = 0;
    fontKey_ = ++keys;
    surface_ = surface;
    name_ = f.Name();
    height_ = f.Height();
    pixelsPerInch_ = f.PixelsPerInch();
    style_ = f.Style();
    charset_ = f.Charset();
    pitch_ = f.Pitch();
    escapement_ = f.Escapement();
  }

  const fw::TCanvas* surface_ = nullptr;
  std::uint32_t revision_ = 0;
  std::string name_;
  int height_ = 0;
  int pixelsPerInch_ = 0;
  fw::TFontStyles style_;
  std::uint8_t charset_ = 0;
  fw::TFontPitch pitch_ = fw::fpDefault;
  int escapement_ = 0;
  std::uint64_t fontKey_ = 0;
  std::unordered_map<std::string, int> widths_;
};

}  // namespace tee

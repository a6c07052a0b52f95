// The fonts and text widths of the QImage backend, kept between paints.
//
// A chart sets the same few fonts again and again (each label, title and legend item assigns its
// font to the canvas) and measures the same texts on every paint. Making a Qt font and its metrics
// and shaping a text to measure it cost far more than drawing it, so the backend keeps each
// distinct font (by the properties that make the Qt font) with its metrics, and per font the
// width of each text it measured. Both stores have a fixed size and empty themselves when full.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "framework/core/Font.h"

namespace fw {

class TTextCache {
 public:
  static constexpr std::size_t kMaxFonts = 32;
  static constexpr std::size_t kMaxTexts = 8192;

  struct TCachedFont {
    QFont Font;
    QFontMetrics Metrics;
    int Ascent = 0;
    int Descent = 0;
    std::unordered_map<std::string, int> Widths;
  };

  // The Qt font of a framework font, with its metrics on the reference device.
  TCachedFont& FontFor(const TFont& font);
  // The width (sum of advances) of one line of text in `font`.
  static int Width(TCachedFont& font, std::string_view text);

 private:
  struct TKey {
    std::string Name;
    int Height = 0;
    std::uint8_t Style = 0;
    friend bool operator==(const TKey&, const TKey&) = default;
  };
  struct THash {
    std::size_t operator()(const TKey& k) const {
      return std::hash<std::string>()(k.Name) ^ (static_cast<std::size_t>(k.Height) * 31u) ^
             (static_cast<std::size_t>(k.Style) << 20);
    }
  };
  std::unordered_map<TKey, std::unique_ptr<TCachedFont>, THash> fonts_;
};

}  // namespace fw

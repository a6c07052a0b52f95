#include "framework/gui/TextCache.h"

#include "framework/gui/QtGraphics.h"

namespace fw {

TTextCache::TCachedFont& TTextCache::FontFor(const TFont& font) {
  TKey key{font.Name(), font.Height(), 0};
  for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
    if (font.Style().Contains(s)) key.Style |= static_cast<std::uint8_t>(1u << s);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return *it->second;
  if (fonts_.size() >= kMaxFonts) fonts_.clear();
  const QFont q = ToQFont(font);
  auto cached = std::unique_ptr<TCachedFont>(new TCachedFont{q, ReferenceFontMetrics(q), 0, 0, {}});
  cached->Ascent = cached->Metrics.ascent();
  cached->Descent = cached->Metrics.descent();
  return *fonts_.emplace(std::move(key), std::move(cached)).first->second;
}

int TTextCache::Width(TCachedFont& font, std::string_view text) {
  auto it = font.Widths.find(std::string(text));
  if (it != font.Widths.end()) return it->second;
  if (font.Widths.size() >= kMaxTexts) font.Widths.clear();
  const int w = font.Metrics.horizontalAdvance(ToQString(text));
  font.Widths.emplace(std::string(text), w);
  return w;
}

}  // namespace fw

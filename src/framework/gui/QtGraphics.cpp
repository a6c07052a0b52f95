#include "framework/gui/QtGraphics.h"

#include <QImage>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "framework/core/SystemColors.h"

namespace fw {
namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

// A 96-dpi image used only for measuring text.
const QImage& ReferenceDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    return image;
  }();
  return device;
}

}  // namespace

QColor ToQColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString MapFontFamily(const std::string& name) {
  const std::string key = Lower(name);
  if (key == "arial" || key == "ms sans serif" || key == "microsoft sans serif" ||
      key == "helvetica")
    return QStringLiteral("Liberation Sans");
  if (key == "times new roman" || key == "ms serif") return QStringLiteral("Liberation Serif");
  if (key == "courier new") return QStringLiteral("Liberation Mono");
  return QString::fromStdString(name);
}

QFont ToQFont(const TFont& font) {
  QFont q(MapFontFamily(font.Name()));
  q.setHintingPreference(QFont::PreferFullHinting);
  q.setStyleStrategy(QFont::NoSubpixelAntialias);
  q.setBold(font.Style().Contains(fsBold));
  q.setItalic(font.Style().Contains(fsItalic));
  q.setUnderline(font.Style().Contains(fsUnderline));
  q.setStrikeOut(font.Style().Contains(fsStrikeOut));
  int pixels = 12;  // a height of 0 asks for the platform's default size
  if (font.Height() < 0) {
    pixels = -font.Height();
  } else if (font.Height() > 0) {
    // A positive height is the whole cell (ascent + descent): scale the character height so.
    QFont probe(q);
    probe.setPixelSize(1000);
    const QFontMetrics m = ReferenceFontMetrics(probe);
    const int cell = m.ascent() + m.descent();
    pixels = cell > 0 ? std::max(1, static_cast<int>(std::lround(font.Height() * 1000.0 / cell)))
                      : font.Height();
  }
  q.setPixelSize(std::max(1, pixels));
  return q;
}

QFontMetrics ReferenceFontMetrics(const QFont& font) {
  return QFontMetrics(font, &ReferenceDevice());
}

TSize MeasureText(const QFontMetrics& metrics, std::string_view text) {
  return TSize{metrics.horizontalAdvance(ToQString(text)), metrics.ascent() + metrics.descent()};
}

}  // namespace fw

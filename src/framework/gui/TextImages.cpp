#include "framework/gui/TextImages.h"

#include <QPainter>
#include <algorithm>
#include <cstring>

namespace fw {
namespace {

const QRgb* Row(const QImage& image, int y) {
  return reinterpret_cast<const QRgb*>(image.constScanLine(y));
}

// A painter set up as the backend's for text: grey-scale antialiased glyphs, aliased lines.
void PrepareTextPainter(QPainter& p, const QFont& font, const QColor& ink) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setFont(font);
  p.setPen(ink);
}

// A scratch image of the target's resolution.
QImage Scratch(int width, int height, QImage::Format format, const QImage& target) {
  QImage scratch(width, height, format);
  scratch.setDotsPerMeterX(target.dotsPerMeterX());
  scratch.setDotsPerMeterY(target.dotsPerMeterY());
  return scratch;
}

// Whether the one-pixel ring just inside the image's edge holds `pixel` only.
bool RingHolds(const QImage& image, QRgb pixel) {
  const int w = image.width();
  const int h = image.height();
  for (int x = 0; x < w; ++x)
    if (Row(image, 0)[x] != pixel || Row(image, h - 1)[x] != pixel) return false;
  for (int y = 0; y < h; ++y)
    if (Row(image, y)[0] != pixel || Row(image, y)[w - 1] != pixel) return false;
  return true;
}

}  // namespace

std::size_t TTextImages::THash::operator()(const TKeyView& k) const {
  std::size_t h = std::hash<std::string_view>{}(k.Text);
  for (std::uint64_t v :
       {k.Font, std::uint64_t{k.Ink} << 32 | k.Back, static_cast<std::uint64_t>(k.Format)})
    h = (h ^ std::hash<std::uint64_t>{}(v)) * 0x9E3779B97F4A7C15ull;
  return h;
}

const QImage* TTextImages::Get(const TKeyView& key, const QStaticText& text, const QFont& font,
                               const QRect& coverage, const QImage& target) {
  auto it = images_.find(key);
  if (it == images_.end()) {
    QImage pixels = Render(key, text, font, coverage, target);
    const qsizetype size = pixels.sizeInBytes() + static_cast<qsizetype>(key.Text.size()) + 64;
    if (bytes_ + size > kMaxBytes) {
      images_.clear();
      bytes_ = 0;
      ++generation_;
    }
    bytes_ += size;
    it = images_
             .emplace(TKey{key.Font, key.Ink, key.Back, key.Format, std::string(key.Text)},
                      std::move(pixels))
             .first;
  }
  return it->second.isNull() ? nullptr : &it->second;
}

std::optional<QRect> TTextImages::Coverage(const QStaticText& text, const QFont& font, int width,
                                           int height, const QImage& target) {
  // Qt draws glyphs this large as outlines rather than from its glyph cache: such texts are rare
  // and are always drawn.
  if (font.pixelSize() >= kMaxPixelSize) return std::nullopt;
  // Room for glyphs reaching out of the text's cell (italics, accents, descenders).
  const int m = std::max(8, height);
  QImage scratch =
      Scratch(width + 2 * m, height + 2 * m, QImage::Format_ARGB32_Premultiplied, target);
  scratch.fill(Qt::transparent);
  {
    QPainter p(&scratch);
    PrepareTextPainter(p, font, Qt::black);
    p.drawStaticText(QPoint(m, m), text);
  }
  const int w = scratch.width();
  const int h = scratch.height();
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int y = 0; y < h; ++y) {
    const QRgb* row = Row(scratch, y);
    for (int x = 0; x < w; ++x)
      if (qAlpha(row[x]) != 0) {
        x0 = std::min(x0, x), x1 = std::max(x1, x);
        y0 = std::min(y0, y), y1 = std::max(y1, y);
      }
  }
  if (x1 < 0) return QRect();
  if (x0 == 0 || y0 == 0 || x1 == w - 1 || y1 == h - 1) return std::nullopt;
  const QRect box(QPoint(x0, y0), QPoint(x1, y1));
  return box.translated(-m, -m);
}

QImage TTextImages::Render(const TKeyView& key, const QStaticText& text, const QFont& font,
                           const QRect& coverage, const QImage& target) {
  // One more pixel all round proves that nothing was drawn outside the coverage box.
  QImage scratch = Scratch(coverage.width() + 2, coverage.height() + 2, key.Format, target);
  scratch.fill(key.Back);
  {
    QPainter p(&scratch);
    PrepareTextPainter(p, font, QColor::fromRgb(key.Ink));
    p.drawStaticText(QPoint(1 - coverage.left(), 1 - coverage.top()), text);
  }
  if (!RingHolds(scratch, key.Back)) return QImage();
  return scratch.copy(1, 1, coverage.width(), coverage.height());
}

bool TTextImages::Uniform(const QImage& image, const QRect& box, QRgb* back) {
  const uchar* bits = image.constBits();
  const qsizetype stride = image.bytesPerLine();
  const auto* first = reinterpret_cast<const QRgb*>(bits + box.top() * stride) + box.left();
  const QRgb pixel = *first;
  const int n = box.width();
  for (int y = 0; y < box.height(); ++y) {
    const QRgb* row =
        reinterpret_cast<const QRgb*>(reinterpret_cast<const uchar*>(first) + y * stride);
    QRgb differs = 0;
    for (int x = 0; x < n; ++x) differs |= row[x] ^ pixel;
    if (differs != 0) return false;
  }
  *back = pixel;
  return true;
}

void TTextImages::Copy(const QImage& pixels, const QRect& at, QImage* image, const QRect& box) {
  uchar* to = const_cast<uchar*>(image->constBits()) + box.top() * image->bytesPerLine() +
              box.left() * static_cast<qsizetype>(sizeof(QRgb));
  const uchar* from = pixels.constBits() + (box.top() - at.top()) * pixels.bytesPerLine() +
                      (box.left() - at.left()) * static_cast<qsizetype>(sizeof(QRgb));
  const std::size_t bytes = static_cast<std::size_t>(box.width()) * sizeof(QRgb);
  for (int y = 0; y < box.height(); ++y)
    std::memcpy(to + y * image->bytesPerLine(), from + y * pixels.bytesPerLine(), bytes);
}

}  // namespace fw

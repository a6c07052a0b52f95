// Texts of the QImage backend kept as the pixels they leave over one colour.
//
// QPainter draws a text at a whole-pixel position by blending the text colour into each pixel by
// the glyphs' coverage there, and the coverage does not change when the text moves by whole
// pixels. So a text drawn onto pixels that all hold one colour B leaves pixels that depend only on
// the text, its font, its colour and B: the backend renders it once over B into an image and,
// whenever every pixel the text can touch holds B (a mark's box, a label's panel), copies that
// image instead of drawing the glyphs again.
//
// What a text can touch is its coverage box: the box of the pixels QPainter's glyphs cover (alpha
// above zero when drawn onto transparent pixels), found once per laid-out text. Only that box is
// checked and copied, cut to the clip. The images are kept up to a fixed number of bytes and all
// dropped when that is exceeded; the key holds everything the pixels depend on.
#pragma once

#include <QFont>
#include <QImage>
#include <QRect>
#include <QStaticText>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace fw {

class TTextImages {
 public:
  static constexpr qsizetype kMaxBytes = 8 << 20;
  // Fonts of this pixel size and more are never copied.
  static constexpr int kMaxPixelSize = 64;

  // What the pixels of a kept text depend on. `Font` names a laid-out font for the life of the
  // canvas (never reused); `Ink` is the text colour, `Back` the raw pixel the text is drawn over.
  struct TKeyView {
    std::uint64_t Font = 0;
    QRgb Ink = 0;
    QRgb Back = 0;
    QImage::Format Format = QImage::Format_Invalid;
    std::string_view Text;
  };

  // The pixels of `text` within `coverage` (relative to its top-left point, as drawStaticText
  // places it) drawn over `key.Back`: rendered at the first call, kept afterwards. Null when the
  // text would leave pixels outside `coverage` changed. `target` is the image drawn on (its
  // resolution is taken).
  const QImage* Get(const TKeyView& key, const QStaticText& text, const QFont& font,
                    const QRect& coverage, const QImage& target);

  // Counts the times every kept image was dropped: a pointer Get returned stays valid while this
  // is unchanged.
  std::uint32_t Generation() const { return generation_; }

  // The box of the pixels `text` (of `width` by `height`, top-left at 0, 0) covers; none when it
  // cannot be found (the glyphs reach too far out).
  static std::optional<QRect> Coverage(const QStaticText& text, const QFont& font, int width,
                                       int height, const QImage& target);
  // Whether every pixel of `box` (within the image) holds the pixel at its top-left, which is
  // returned in `back`.
  static bool Uniform(const QImage& image, const QRect& box, QRgb* back);
  // Copies `pixels` (the image of a text whose coverage box, moved, is `at`) into `image` within
  // `box` (a part of `at` inside the image). Writes through constBits: the image stays shared
  // with the painter drawing on it.
  static void Copy(const QImage& pixels, const QRect& at, QImage* image, const QRect& box);

 private:
  struct TKey {
    std::uint64_t Font = 0;
    QRgb Ink = 0;
    QRgb Back = 0;
    QImage::Format Format = QImage::Format_Invalid;
    std::string Text;
  };
  struct THash {
    using is_transparent = void;
    std::size_t operator()(const TKeyView& k) const;
    std::size_t operator()(const TKey& k) const {
      return (*this)(TKeyView{k.Font, k.Ink, k.Back, k.Format, k.Text});
    }
  };
  struct TEqual {
    using is_transparent = void;
    static TKeyView View(const TKey& k) {
      return TKeyView{k.Font, k.Ink, k.Back, k.Format, k.Text};
    }
    static const TKeyView& View(const TKeyView& k) { return k; }
    template <class A, class B>
    bool operator()(const A& a, const B& b) const {
      const TKeyView& x = View(a);
      const TKeyView& y = View(b);
      return x.Font == y.Font && x.Ink == y.Ink && x.Back == y.Back && x.Format == y.Format &&
             x.Text == y.Text;
    }
  };
  // A null image: the text cannot be copied over this colour.
  static QImage Render(const TKeyView& key, const QStaticText& text, const QFont& font,
                       const QRect& coverage, const QImage& target);

  std::unordered_map<TKey, QImage, THash, TEqual> images_;
  qsizetype bytes_ = 0;
  std::uint32_t generation_ = 0;
};

}  // namespace fw

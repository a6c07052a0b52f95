// TStampCoverage: a run of one-colour stamps gathered as the anchors they were placed at, and
// written as the union of their pixels, each pixel once.
//
// Dots drawn close together overlap: a thousand 4 x 4 dots in a column of a chart cover a few
// hundred pixels, each many times. When every stamp of a run has the same opaque colour, the
// picture after the run is the old one with that colour on the union of the stamps, whatever
// their order. So each stamp only sets its anchor's bit (one bit a pixel), and at the end every
// row of the union is worked out a 64-pixel word at a time, by shifting the anchor rows by the
// stamp's rows, and written; the bits are then cleared for the next run.
#pragma once

#include <QRgb>
#include <QtGlobal>
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace fw {

// A box of anchors (right and bottom included): first the anchors whose stamp lies inside the
// clip, then cut to those of a stretch.
struct TAnchorBox {
  int X0 = 0, Y0 = 0, X1 = -1, Y1 = -1;
  TAnchorBox() = default;
  TAnchorBox(int x0, int y0, int x1, int y1) : X0(x0), Y0(y0), X1(x1), Y1(y1) {}
  bool Empty() const { return X1 < X0 || Y1 < Y0; }
  void Grow(int x, int y) {
    X0 = std::min(X0, x), Y0 = std::min(Y0, y), X1 = std::max(X1, x), Y1 = std::max(Y1, y);
  }
  void CutTo(int x0, int y0, int x1, int y1) {
    X0 = std::max(X0, x0), Y0 = std::max(Y0, y0), X1 = std::min(X1, x1), Y1 = std::min(Y1, y1);
  }
  // Unsigned distances: one comparison a direction.
  bool Inside(int x, int y) const {
    return static_cast<unsigned>(x - X0) <= static_cast<unsigned>(X1 - X0) &&
           static_cast<unsigned>(y - Y0) <= static_cast<unsigned>(Y1 - Y0);
  }
};

class TStampCoverage {
 public:
  // A row of a stamp: `Length` pixels from (X, Y), relative to its anchor.
  struct TRow {
    int Y, X, Length;
  };
  // Stamps reach at most this far from their anchor, either way and down to the end of a row.
  static constexpr int kReach = 64;

  // An image of width × height pixels: everything gathered is forgotten.
  void Resize(int width, int height);

  // Adds anchors whose stamp lies inside the image. A copy of the coverage's layout that a loop
  // keeps in registers: the bits it sets could otherwise alias the coverage's own fields.
  class TAdder {
   public:
    void Add(int x, int y) const {
      const std::size_t bit = static_cast<std::size_t>(y + kReach) * rowBits_ +
                              static_cast<std::size_t>(x + kBitOffset);
      words_[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    }

   private:
    friend class TStampCoverage;
    TAdder(std::uint64_t* words, std::size_t rowBits) : words_(words), rowBits_(rowBits) {}
    std::uint64_t* words_;
    std::size_t rowBits_;
  };
  TAdder Adder() { return TAdder(words_.data(), rowBits_); }

  // Writes `pixel` at every pixel of the stamp `rows` at the anchors added since the last write,
  // which lie within the box (x0, y0)-(x1, y1), into the image rows from `origin`, `stride`
  // pixels apart; then clears them.
  void WriteAndClear(std::span<const TRow> rows, int x0, int y0, int x1, int y1, QRgb* origin,
                     qsizetype stride, QRgb pixel);

 private:
  // Anchor x is bit x + kBitOffset of its row, so that a row's bits are never taken from before
  // its first word.
  static constexpr int kBitOffset = 3 * 64;

  // The 64 anchor bits of `row` from bit q on.
  static std::uint64_t Window(const std::uint64_t* row, int q) {
    const int w = q >> 6, s = q & 63;
    return s == 0 ? row[w] : (row[w] >> s) | (row[w + 1] << (64 - s));
  }

  std::vector<std::uint64_t> words_;
  std::size_t rowBits_ = 0;  // a multiple of 64
  int width_ = 0;
  int height_ = 0;
};

}  // namespace fw

// Direct writes of opaque pixels into a 32-bit QImage, cut to a rectangular clip.
//
// The QPainter backend hands runs of one colour here instead of to QPainter::fillRect whenever
// the result is the same: a solid opaque colour, no raster operation, and a clip that is no
// clip or one rectangle. Writing goes through constBits, so the image is not detached from the
// painter's buffer.
#pragma once

#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/gui/ShapeRuns.h"

namespace fw {

class TPixelWriter {
 public:
  // Takes the image's buffer (null or an image of another format: nothing can be written).
  void Attach(QImage* image);
  // The clip in force: none, one rectangle (`simple`), or something else (not usable).
  void SetClip(bool clipped, bool simple, const QRect& clip);

  // Whether runs can be written directly.
  bool Usable() const { return bits_ != nullptr && simpleClip_; }
  // The writable area: the clip within the image, right and bottom included.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Right() const { return right_; }
  int Bottom() const { return bottom_; }

  // The run moved by (dx, dy), cut to the clip.
  void Write(const TPixelRun& run, int dx, int dy, QRgb pixel) const {
    const int y0 = std::max(run.Y0 + dy, top_);
    const int y1 = std::min(run.Y1 + dy, bottom_);
    const int x0 = std::max(run.X0 + dx, left_);
    const int x1 = std::min(run.X1 + dx, right_);
    if (x1 < x0 || y1 < y0) return;
    for (int y = y0; y <= y1; ++y) std::fill(Row(y) + x0, Row(y) + x1 + 1, pixel);
  }
  // The same for a run known to lie inside the clip.
  void WriteInside(const TPixelRun& run, int dx, int dy, QRgb pixel) const {
    const int length = run.X1 - run.X0 + 1;
    for (int y = run.Y0 + dy; y <= run.Y1 + dy; ++y) Fill(Row(y) + run.X0 + dx, length, pixel);
  }
  // `length` (≥ 1) pixels from `at`: the short runs of small shapes take one or two (possibly
  // overlapping) 64-bit stores instead of a loop.
  static void Fill(QRgb* at, int length, QRgb pixel) {
    if (length >= 2 && length <= 4) {
      const std::uint64_t two = (std::uint64_t{pixel} << 32) | pixel;
      std::memcpy(at, &two, sizeof two);
      std::memcpy(at + length - 2, &two, sizeof two);
    } else if (length == 1) {
      *at = pixel;
    } else {
      std::fill(at, at + length, pixel);
    }
  }
  bool Inside(int x0, int y0, int x1, int y1) const {
    return x0 >= left_ && y0 >= top_ && x1 <= right_ && y1 <= bottom_;
  }

  // The pixel at (x, y) of the image, and the distance in pixels from one row to the next.
  QRgb* PixelAt(int x, int y) const { return Row(y) + x; }
  qsizetype RowPixels() const { return stride_ / static_cast<qsizetype>(sizeof(QRgb)); }

 private:
  QRgb* Row(int y) const {
    return reinterpret_cast<QRgb*>(bits_ + static_cast<qsizetype>(y) * stride_);
  }

  uchar* bits_ = nullptr;
  qsizetype stride_ = 0;
  int width_ = 0;
  int height_ = 0;
  bool simpleClip_ = true;
  int left_ = 0;
  int top_ = 0;
  int right_ = -1;
  int bottom_ = -1;
};

}  // namespace fw

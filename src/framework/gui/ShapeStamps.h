// Precomputed small shapes ("stamps") of the QPainter backend and the record of where the current
// one was last written.
//
// A chart draws thousands of markers of one shape, size and style: the backend converts such a
// shape once into runs relative to its anchor (the top-left corner of its box, the first point of
// a line) and writes those runs wherever it is drawn next. Stamps are kept for the last few keys.
//
// `TStampMarks` remembers, for the run of identical one-colour stamps being written (same stamp,
// same colour, nothing else drawn in between, same clip), at which anchors one was written.
// Writing the same opaque pixels again at such an anchor changes nothing: every pixel of the first
// one still holds its colour, since only pixels of that same colour were written since. So the
// backend skips it, and the picture stays exactly that of drawing every shape. (A stamp of two
// colours, outline and fill, may have been partly covered by its neighbours' other colour, so it
// is always written.)
#pragma once

#include <QRgb>
#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/Geometry.h"
#include "framework/gui/ShapeRuns.h"

namespace fw {

enum class TStampShape : std::uint8_t { Ellipse, Rectangle, Polygon, Line };

// What fixes a stamp's pixels: the shape, its geometry relative to the anchor and the drawing
// style (outline pen style or none, fill or none, dash gaps or none). Colours are not part of it.
struct TStampKey {
  static constexpr int kMaxPoints = 4;
  TStampShape Shape = TStampShape::Ellipse;
  std::uint8_t PenStyle = 0;  // TPenStyle of a one-pixel outline, or 0xFF for none
  bool Fill = false;
  bool Gaps = false;
  std::uint8_t Count = 0;  // points of a polygon or line; 2 for a box (its size in Points[1])
  std::array<TPoint, kMaxPoints> Points{};
  friend bool operator==(const TStampKey&, const TStampKey&) = default;
};

struct TStamp {
  TStampKey Key;
  std::vector<TPixelRun> Runs;
  // The extent of the runs relative to the anchor, both ends included.
  int X0 = 0, Y0 = 0, X1 = -1, Y1 = -1;
  std::uint8_t Roles = 0;  // bit per TRunRole present
  bool Valid = false;

  void Add(const TPixelRun& run);
};

// The stamps of the last few keys, replaced in turn.
class TStampCache {
 public:
  static constexpr std::size_t kSize = 8;
  // The stamp of `key`, or null when it has not been built.
  TStamp* Find(const TStampKey& key);
  // A cleared slot for a new stamp of `key`.
  TStamp& Add(const TStampKey& key);

 private:
  std::array<TStamp, kSize> stamps_;
  std::size_t next_ = 0;
  std::size_t last_ = 0;
};

// The colours a stamp is written in, by run role.
struct TStampColors {
  QRgb Fill = 0;
  QRgb Ink = 0;
  QRgb Gap = 0;
  friend bool operator==(const TStampColors&, const TStampColors&) = default;
  QRgb Of(TRunRole role) const {
    return role == TRunRole::Fill ? Fill : role == TRunRole::Ink ? Ink : Gap;
  }
  // Whether every role in `roles` (a TStamp's) has one and the same colour.
  bool Uniform(std::uint8_t roles) const;
};

class TStampMarks {
 public:
  // Anchors this far outside the image are not remembered (the shape is simply written).
  static constexpr int kMargin = 16;
  // The first stamps of a run are written without being remembered: a short run gains nothing
  // from the record and would only pay for reaching into it.
  static constexpr int kWarmUp = 1024;

  void Resize(int width, int height);
  // Forgets every anchor: something else was drawn, the clip changed, or the image did.
  void Forget() { current_ = nullptr; }
  // Whether `stamp` in `colors` was written at (x, y) since the last change; otherwise records
  // that it is about to be.
  bool SeenElseMark(const TStamp* stamp, const TStampColors& colors, int x, int y) {
    if (stamp != current_ || !(colors == colors_)) {
      current_ = stamp;
      colors_ = colors;
      unmarked_ = 0;
    }
    if (unmarked_ < kWarmUp) {
      if (++unmarked_ == kWarmUp) NewGeneration();  // from here on the run is recorded
      return false;
    }
    TBit bit;
    if (!BitOf(x, y, bit)) return false;
    if (*bit.Word & bit.Mask) return true;
    *bit.Word |= bit.Mask;
    return false;
  }

 private:
  // The bit of anchor (x, y), set once a stamp was written there; false where anchors are not
  // remembered. One bit an anchor keeps the whole record in the first-level cache.
  struct TBit {
    std::uint64_t* Word = nullptr;
    std::uint64_t Mask = 0;
  };
  bool BitOf(int x, int y, TBit& bit) {
    const unsigned mx = static_cast<unsigned>(x + kMargin);
    const unsigned my = static_cast<unsigned>(y + kMargin);
    if (mx >= static_cast<unsigned>(stride_) || my >= static_cast<unsigned>(rows_)) return false;
    const std::size_t i = static_cast<std::size_t>(my) * static_cast<std::size_t>(stride_) + mx;
    bit.Word = &bits_[i >> 6];
    bit.Mask = std::uint64_t{1} << (i & 63);
    return true;
  }
  // Clears the record: a new run starts being recorded.
  void NewGeneration();

  std::vector<std::uint64_t> bits_;
  int width_ = 0;
  int height_ = 0;
  int stride_ = 0;
  int rows_ = 0;      // height_ + 2 * kMargin
  int unmarked_ = 0;  // stamps of this run written before it is recorded
  const TStamp* current_ = nullptr;
  TStampColors colors_;
};

}  // namespace fw

// The mapped loop of a point series that draws only its pointers: the pointers as runs of markers.
//
// For such a series the steps of DrawValue reduce to: place the point, and draw the pointer of
// the previous drawn point (and, at the last index, its own). The pointers are collected in order
// into a small buffer and handed to the canvas as marker runs, which make exactly the shape calls
// the one-by-one drawing makes; the canvas's pen and brush end as that drawing leaves them.
#include <algorithm>
#include <array>
#include <span>
#include <typeinfo>

#include "chart/Series.h"
#include "chart/TeCanvas3D.h"
#include "chart/TeeProcs.h"
#include "framework/core/VectorState.h"

namespace tee {
namespace {

// Positions at or beyond this are not drawn (as in DrawValue).
constexpr int kMaxPixel = 32767;
// Points placed at a time.
constexpr std::size_t kChunk = 512;

// Collects marker places and hands them to the canvas a buffer at a time. Before the first run
// the canvas takes the state the pointer of the first place is drawn in.
class TPointerRuns {
 public:
  TPointerRuns(fw::TCanvas& canvas, TSeriesPointer& pointer, const fw::TMarkerShape& shape,
               bool fillFollows, bool penFollows)
      : canvas_(canvas),
        pointer_(pointer),
        shape_(shape),
        fillFollows_(fillFollows),
        penFollows_(penFollows) {}

  void Add(int x, int y, TColor color) {
    if (count_ == std::size(places_)) Flush();
    places_[count_++] = fw::TMarkerPlace{x, y, color};
    last_ = color;
  }

  // The places (xs[k], ys[k]) for k < n, all in `color`.
  void AddRun(const int* xs, const int* ys, std::size_t n, TColor color) {
    if (n == 0) return;
    while (n > 0) {
      if (count_ == std::size(places_)) Flush();
      const std::size_t m = std::min(n, std::size(places_) - count_);
      fw::TMarkerPlace* const to = places_ + count_;
      for (std::size_t k = 0; k < m; ++k) to[k] = fw::TMarkerPlace{xs[k], ys[k], color};
      count_ += m, xs += m, ys += m, n -= m;
    }
    last_ = color;
  }

  void Flush() {
    if (count_ == 0) return;
    if (!started_) {
      canvas_.Pen().SetColor(fw::clBlack);
      pointer_.PrepareCanvas(places_[0].Color);
      started_ = true;
    }
    const TColor fixed = pointer_.Brush()->Color();
    if (!fillFollows_)
      for (std::size_t i = 0; i < count_; ++i) places_[i].Color = fixed;
    canvas_.DrawMarkers(shape_, std::span<const fw::TMarkerPlace>(places_, count_), penFollows_);
    count_ = 0;
  }

  // The colour of the last pointer added.
  TColor Last() const { return last_; }

 private:
  fw::TCanvas& canvas_;
  TSeriesPointer& pointer_;
  const fw::TMarkerShape& shape_;
  const bool fillFollows_;
  const bool penFollows_;
  fw::TMarkerPlace places_[8192];
  std::size_t count_ = 0;
  bool started_ = false;
  TColor last_ = clNone;
};

// Whether every position of the piece can be drawn (as DrawValue tells them apart).
bool AllDrawable(const int* xs, const int* ys, std::size_t n) {
  int low = 0, high = 0;
  for (std::size_t k = 0; k < n; ++k) {
    low = std::min({low, xs[k], ys[k]});
    high = std::max({high, xs[k], ys[k]});
  }
  return low > -kMaxPixel && high < kMaxPixel;
}

// What the one-by-one steps have left after the points so far: whether a point was drawable, the
// colour of the last drawable one, whether a pointer was drawn since it was placed, and the point
// whose pointer is still to be drawn.
struct TSteps {
  bool Placed = false;
  TColor PlacedColor = clNone;
  bool DrawnSincePlaced = false;
  int X = 0, Y = 0, Index = -1;
  TColor Color = clNone;

  // DrawValue's steps for point i at (x, y) in `color`: place it, and draw the pointer of the
  // previous drawn point (and, at the last index, its own).
  void Point(TPointerRuns& runs, int i, int first, int last, int x, int y, TColor color) {
    if (!(x > -kMaxPixel && x < kMaxPixel && y > -kMaxPixel && y < kMaxPixel)) {
      if (i == last && Color != clNone) runs.Add(X, Y, Color), DrawnSincePlaced = true;
      return;
    }
    Placed = true;
    PlacedColor = color;
    DrawnSincePlaced = false;
    if (i != first && Color != clNone) runs.Add(X, Y, Color), DrawnSincePlaced = true;
    if (i == last && color != clNone) runs.Add(x, y, color), DrawnSincePlaced = true;
    X = x, Y = y, Index = i, Color = color;
  }

  // The same for the n >= 2 drawable points from index i (neither the first nor the last) in one
  // colour other than clNone: the pointers of the previous point and of all of them but the last.
  void Piece(TPointerRuns& runs, int i, const int* xs, const int* ys, std::size_t n, TColor color) {
    if (Color != clNone) runs.Add(X, Y, Color);
    runs.AddRun(xs, ys, n - 1, color);
    X = xs[n - 1], Y = ys[n - 1], Index = i + static_cast<int>(n) - 1, Color = color;
    Placed = true, PlacedColor = color, DrawnSincePlaced = true;
  }
};

}  // namespace

// The colour all points of a stored colour run share, or clNone when they do not share one.
TColor TCustomSeries::SharedColor(std::span<const TColor> stored, int firstIndex) const {
  if (stored.empty()) return SeriesColor();
  const TColor first = stored.front();
  if (first == clAutoColor && ColorEachPoint()) return clNone;
  for (const TColor c : stored)
    if (c != first) return clNone;
  return ColorOf(first, firstIndex);
}

bool TCustomSeries::DrawPointerRuns(TCanvas3D& canvas, const TMappedPoints& points) {
  TCustomAxisPanel* chart = ParentChart();
  if (!ChartSettings().PointerRuns || !chart || chart->View3D() ||
      typeid(canvas) != typeid(TTeeCanvas3D))
    return false;
  // No line: the pointers are all that is drawn.
  if (drawLine_ && !drawArea_) return false;
  if (!pointer_->Visible() || OnGetPointerStyle) return false;
  fw::TMarkerShape shape;
  if (!pointer_->FlatMarkerShape(pointer_->Style(), shape)) return false;
  const bool fillFollows = pointer_->Brush()->Color() == clAutoColor;
  const bool penFollows = pointer_->Pen()->Visible() && pointer_->Pen()->Color() == clAutoColor;
  if (penFollows && !fillFollows) return false;

  fw::TCanvas& c = *canvas.ReferenceCanvas();
  TPointerRuns runs(c, *pointer_, shape, fillFollows, penFollows);
  const TChartValueList& xs = *XValues();
  const TChartValueList& ys = *YValues();
  const int first = FirstValueIndex();
  const int last = LastValueIndex();
  TSteps steps;
  const int colorCount = ColorCount();
  for (int i = first; i <= last;) {
    // The points from i on whose values and colours lie in one piece of their stores.
    const std::span<const double> xr = xs.StoredRun(i);
    const std::span<const double> yr = ys.StoredRun(i);
    std::size_t n = std::min({xr.size(), yr.size(), static_cast<std::size_t>(last - i + 1)});
    std::span<const TColor> cr;
    if (i < colorCount) {
      cr = StoredColorRun(i);
      n = std::min(n, cr.size());
    }
    // The pixel positions first, in a loop of their own that the processor can overlap. The
    // canvas may have called its toolkit since the last piece.
    n = std::min(n, kChunk);
    fw::ClearUpperVectorState();
    int xp[kChunk], yp[kChunk];
    points.X.QuickPositions(xr.data(), points.XMultiplier, n, xp);
    points.Y.QuickPositions(yr.data(), points.YMultiplier, n, yp);
    if (n >= 2 && i > first && i + static_cast<int>(n) - 1 < last && AllDrawable(xp, yp, n)) {
      const TColor shared = SharedColor(cr.first(cr.empty() ? 0 : n), i);
      if (shared != clNone) {
        steps.Piece(runs, i, xp, yp, n, shared);
        i += static_cast<int>(n);
        continue;
      }
    }
    for (std::size_t k = 0; k < n; ++k, ++i)
      steps.Point(runs, i, first, last, xp[k], yp[k],
                  cr.empty() ? SeriesColor() : ColorOf(cr[k], i));
  }
  runs.Flush();
  // The canvas state and the drawing state the one-by-one steps leave.
  if (steps.Placed) {
    c.Pen().SetColor(fw::clBlack);
    c.Brush().SetColor(steps.PlacedColor);
    if (steps.DrawnSincePlaced) pointer_->PrepareCanvas(runs.Last());
    prevX_ = steps.X, prevY_ = steps.Y, prevIndex_ = steps.Index, prevColor_ = steps.Color;
    originPos_ = prevOriginPos_ = points.OriginPos;
  } else {
    prevColor_ = clNone;
  }
  return true;
}

}  // namespace tee

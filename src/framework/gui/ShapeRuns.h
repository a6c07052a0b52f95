// The scan conversion of the backend's own shapes: ellipses and one-pixel lines as runs of pixels.
//
// Each routine hands its pixels to a sink as runs: a rectangle of pixels (x0..x1, y0..y1, both
// ends included) of one role, the brush's fill, the pen's ink or, on dashed lines in opaque back
// mode, the back colour of a dash gap. Ellipses are converted relative to their box's top-left
// corner, so that a shape of one size gives the same pixels wherever it lies: the QPainter path
// moves the runs to the box, the direct path keeps them as a stamp and writes it anywhere.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "framework/core/Geometry.h"
#include "framework/core/Pen.h"

namespace fw {

enum class TRunRole : std::uint8_t { Fill, Ink, Gap };

struct TPixelRun {
  int X0 = 0;
  int Y0 = 0;
  int X1 = 0;  // included
  int Y1 = 0;  // included
  TRunRole Role = TRunRole::Fill;
};

// Dash patterns of the platform's one-pixel pens, in pixels: on, off, on, off...
struct TDashPattern {
  std::array<int, 6> Runs{};
  int Count = 0;
  int Period = 0;

  bool On(int index) const {
    int offset = index % Period;
    for (int i = 0; i < Count; ++i) {
      if (offset < Runs[i]) return i % 2 == 0;
      offset -= Runs[i];
    }
    return true;
  }
};

// Steps along a dash pattern pixel by pixel: the same answers as TDashPattern::On for 0, 1, 2...
class TDashCursor {
 public:
  explicit TDashCursor(const TDashPattern* pattern)
      : pattern_(pattern), left_(pattern ? pattern->Runs[0] : 0) {}
  bool On() const { return pattern_ == nullptr || run_ % 2 == 0; }
  void Step() {
    if (pattern_ == nullptr || --left_ > 0) return;
    run_ = (run_ + 1) % pattern_->Count;
    left_ = pattern_->Runs[static_cast<size_t>(run_)];
  }

 private:
  const TDashPattern* pattern_;
  int run_ = 0;
  int left_;
};

// The pattern of a one-pixel pen of the style; null for a solid line.
const TDashPattern* DashPatternFor(TPenStyle style);

// The ellipse outlined with a one-pixel pen in the box (0, 0, w, h): the curve through the centres
// of the pixels 0..w-1 and 0..h-1; each row gets the pixels the curve crosses within that row, and
// the fill (when `fill`) is what lies between. Rows are mirror-symmetric.
template <class Sink>
void OutlinedEllipseRuns(int w, int h, bool fill, Sink&& sink) {
  const int cw = w - 1;  // from the centre of the first pixel to that of the last
  const int ch = h - 1;
  if (cw < 0 || ch < 0) return;
  const double cy = ch / 2.0;
  const double rx = cw / 2.0;
  const double ry = ch / 2.0;
  const double cx = rx;
  const int mirror = w - 1;  // pixel x mirrors to pixel mirror - x
  // Half-width of the curve at a vertical distance d from its centre; negative beyond it.
  auto halfWidth = [&](double d) {
    if (ry <= 0) return d <= 0 ? rx : -1.0;
    const double t = d / ry;
    return t > 1.0 ? -1.0 : rx * std::sqrt(1.0 - t * t);
  };
  auto pixelOf = [](double v) { return static_cast<int>(std::floor(v + 0.5 + 1e-9)); };
  for (int y = 0; y < h; ++y) {
    const double d = std::abs(y - cy);
    const double widest = halfWidth(d <= 0.5 ? 0.0 : d - 0.5);
    if (widest < 0) continue;
    const double narrowest = std::max(0.0, halfWidth(d + 0.5));
    const int outer = pixelOf(cx - widest);
    const int inner = pixelOf(cx - narrowest);
    if (2 * inner + 1 >= mirror) {  // the two sides meet: one run across
      sink(TPixelRun{outer, y, mirror - outer, y, TRunRole::Ink});
      continue;
    }
    sink(TPixelRun{outer, y, inner, y, TRunRole::Ink});
    sink(TPixelRun{mirror - inner, y, mirror - outer, y, TRunRole::Ink});
    if (fill) sink(TPixelRun{inner + 1, y, mirror - inner - 1, y, TRunRole::Fill});
  }
}

// The ellipse filled without a pen in the box (0, 0, w, h): the pixels whose centres lie inside
// the curve through the pixel edges 0 and w - 1 (and 0, h - 1), one pixel less to the right and
// bottom than the outlined shape.
template <class Sink>
void FilledEllipseRuns(int w, int h, Sink&& sink) {
  const double rx = (w - 1) / 2.0;
  const double ry = (h - 1) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  const double cx = rx;
  const double cy = ry;
  const int mirror = w - 2;
  for (int y = 0; y < h - 1; ++y) {
    const double t = (y + 0.5 - cy) / ry;
    if (t * t > 1.0) continue;
    const double half = rx * std::sqrt(1.0 - t * t) + 1e-9;
    const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    const int x1 = mirror - x0;
    if (x1 < x0) continue;
    sink(TPixelRun{x0, y, x1, y, TRunRole::Fill});
  }
}

// A path of one-pixel lines, each stepping from its point towards the next and leaving the next
// one out, whichever way it runs; the dash pattern counts pixels from the first point of the path
// and runs on across corners. Gaps are handed over only when `gaps` (opaque back mode).
template <class Sink>
void ThinPathRuns(std::span<const TPoint> path, const TDashPattern* pattern, bool gaps,
                  Sink&& sink) {
  TDashCursor dash(pattern);  // the dash phase: pixels stepped so far along the path
  for (size_t segment = 1; segment < path.size(); ++segment) {
    const TPoint from = path[segment - 1];
    const TPoint to = path[segment];
    const int dx = std::abs(to.X - from.X);
    const int dy = std::abs(to.Y - from.Y);
    const int sx = to.X > from.X ? 1 : -1;
    const int sy = to.Y > from.Y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const int steps = xMajor ? dx : dy;
    if (steps == 0) continue;

    int x = from.X;
    int y = from.Y;
    int error = (xMajor ? dx : dy) / 2;
    // Consecutive pixels on one row (x-major) or column (y-major) with the same ink are one run.
    int runX = x, runY = y, lastX = x, lastY = y;
    bool runOn = dash.On();
    auto flush = [&] {
      if (!runOn && !gaps) return;
      sink(TPixelRun{std::min(runX, lastX), std::min(runY, lastY), std::max(runX, lastX),
                     std::max(runY, lastY), runOn ? TRunRole::Ink : TRunRole::Gap});
    };
    for (int i = 0; i < steps; ++i, dash.Step()) {
      const bool on = dash.On();
      const bool sameLine = xMajor ? y == runY : x == runX;
      if (i > 0 && (on != runOn || !sameLine)) {
        flush();
        runX = x;
        runY = y;
        runOn = on;
      }
      lastX = x;
      lastY = y;
      if (xMajor) {
        x += sx;
        error -= dy;
        if (error < 0) {
          y += sy;
          error += dx;
        }
      } else {
        y += sy;
        error -= dx;
        if (error < 0) {
          x += sx;
          error += dy;
        }
      }
    }
    flush();
  }
}

}  // namespace fw

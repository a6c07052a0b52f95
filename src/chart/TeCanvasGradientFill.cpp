// GradientFill of TTeeCanvas3D: bands of solid colour painted with the platform's pattern fill.
#include <algorithm>
#include <utility>

#include "chart/TeCanvas3D.h"
#include "framework/core/SystemColors.h"

namespace tee {
namespace {

// The colour of step i of n from c0 towards c1: per channel start + MulDiv(i, difference, n),
// taken modulo 256. The platform's multiply-divide answers -1 for n = 0; a single step is the
// first colour instead.
class ColorSteps {
 public:
  ColorSteps(TColor c0, TColor c1) {
    const TColor a = fw::ColorToRGB(c0);
    const TColor b = fw::ColorToRGB(c1);
    start_[0] = fw::GetRValue(a);
    start_[1] = fw::GetGValue(a);
    start_[2] = fw::GetBValue(a);
    delta_[0] = fw::GetRValue(b) - start_[0];
    delta_[1] = fw::GetGValue(b) - start_[1];
    delta_[2] = fw::GetBValue(b) - start_[2];
  }
  TColor Step(int i, int n) const {
    if (n <= 0) return fw::RGB(start_[0], start_[1], start_[2]);
    return fw::RGB((start_[0] + fw::MulDiv(i, delta_[0], n)) & 0xFF,
                   (start_[1] + fw::MulDiv(i, delta_[1], n)) & 0xFF,
                   (start_[2] + fw::MulDiv(i, delta_[2], n)) & 0xFF);
  }

 private:
  int start_[3];
  int delta_[3];
};

// Paints bands through the canvas' pattern fill with a solid brush. The brush colour changes only
// when a band's colour differs from the previous band's.
class BandPainter {
 public:
  explicit BandPainter(fw::TCanvas* canvas) : canvas_(canvas) {}
  void operator()(TColor color, TRect area) {
    if (first_ || color != current_) {
      canvas_->Brush().SetColor(color);
      current_ = color;
      first_ = false;
    }
    canvas_->PatternFill(area);
  }

 private:
  fw::TCanvas* canvas_;
  bool first_ = true;
  TColor current_ = 0;
};

// Bands run upwards from the bottom edge: the first colour lies at the bottom.
void PaintRisingBands(BandPainter& paint, const ColorSteps& steps, const TRect& r) {
  const int height = r.Height();
  const int n = std::min(height, 256);
  for (int i = 0; i < n; ++i)
    paint(steps.Step(i, n - 1), TRect{r.Left, r.Bottom - fw::MulDiv(i + 1, height, n), r.Right,
                                      r.Bottom - fw::MulDiv(i, height, n)});
}

// Bands run leftwards from the right edge: the first colour lies at the right.
void PaintLeftwardBands(BandPainter& paint, const ColorSteps& steps, const TRect& r) {
  const int width = r.Width();
  const int n = std::min(width, 256);
  for (int i = 0; i < n; ++i)
    paint(steps.Step(i, n - 1), TRect{r.Right - fw::MulDiv(i + 1, width, n), r.Top,
                                      r.Right - fw::MulDiv(i, width, n), r.Bottom});
}

// Rings from the outside in: the first colour on the outermost ring.
void PaintRings(BandPainter& paint, const ColorSteps& steps, const TRect& r) {
  const int width = r.Width();
  const int height = r.Height();
  const int hw = width / 2;
  const int hh = height / 2;
  int dx = 0;
  int dy = 0;
  do {
    const TColor color = steps.Step(dx + dy, hw + hh);
    paint(color, TRect{r.Left + dx, r.Top + dy, r.Left + dx + 1, r.Bottom - dy});
    paint(color, TRect{r.Right - dx - 1, r.Top + dy, r.Right - dx, r.Bottom - dy});
    paint(color, TRect{r.Left + dx, r.Top + dy, r.Right - dx, r.Top + dy + 1});
    paint(color, TRect{r.Left + dx, r.Bottom - dy - 1, r.Right - dx, r.Bottom - dy});
    if (dy < hh) ++dy;
    if (dx < hw) ++dx;
  } while (dy < hh || dx < hw);
  // With both sides odd the rings leave the centre pixel: it takes the last colour.
  if (width % 2 == 1 && height % 2 == 1 && width > 1 && height > 1)
    paint(steps.Step(hw + hh, hw + hh),
          TRect{r.Left + hw, r.Top + hh, r.Left + hw + 1, r.Top + hh + 1});
}

// A corner square grows from the anchoring corner (top left, or bottom left), one column and one
// row per step; the first colour lies in that corner.
void PaintCornerSquares(BandPainter& paint, const ColorSteps& steps, const TRect& r, bool fromTop) {
  const int width = r.Width();
  const int height = r.Height();
  if (width <= 0 || height <= 0) return;
  auto rowTop = [&](int j) { return fromTop ? r.Top + j : r.Bottom - 1 - j; };
  int x = 0;
  int y = 0;
  int j = 0;  // rows covered so far, counted from the anchoring edge, minus one
  do {
    const TColor color = steps.Step(x + y, width + height);
    if (x < width) {
      const TRect column = fromTop ? TRect{r.Left + x, r.Top, r.Left + x + 1, r.Top + j + 1}
                                   : TRect{r.Left + x, r.Bottom - j - 1, r.Left + x + 1, r.Bottom};
      paint(color, column);
    }
    if (y < height) {
      ++y;
      paint(color, TRect{r.Left, rowTop(j), std::min(r.Left + x + 1, r.Right), rowTop(j) + 1});
      if (j + 1 < height) ++j;
    }
    if (x < width) ++x;
  } while (y < height || x < width);
}

}  // namespace

void TTeeCanvas3D::GradientFill(const TRect& rect, TColor startColor, TColor endColor,
                                TGradientDirection direction) {
  if (direction != gdTopBottom && direction != gdLeftRight) std::swap(startColor, endColor);
  const ColorSteps steps(startColor, endColor);
  const TRect r{std::min(rect.Left, rect.Right), std::min(rect.Top, rect.Bottom),
                std::max(rect.Left, rect.Right), std::max(rect.Top, rect.Bottom)};

  fw::TCanvas* c = ReferenceCanvas();
  fw::TBrush saved;
  saved.Assign(&c->Brush());
  c->Brush().SetBitmap(nullptr);
  c->Brush().SetStyle(fw::bsSolid);
  BandPainter paint(c);
  switch (direction) {
    case gdTopBottom:
    case gdBottomTop:
      PaintRisingBands(paint, steps, r);
      break;
    case gdLeftRight:
    case gdRightLeft:
      PaintLeftwardBands(paint, steps, r);
      break;
    case gdFromCenter:
      PaintRings(paint, steps, r);
      break;
    case gdFromTopLeft:
    case gdFromBottomLeft:
      PaintCornerSquares(paint, steps, r, direction == gdFromTopLeft);
      break;
  }
  c->Brush().Assign(&saved);
}

}  // namespace tee

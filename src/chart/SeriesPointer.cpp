// TSeriesPointer: the marker shapes of a series.
#include <algorithm>
#include <initializer_list>

#include "chart/ChartErrors.h"
#include "chart/Series.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"

namespace tee {

const fw::TClassInfo& TSeriesPointer::StaticClass() {
  using P = TSeriesPointer;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<P>("TSeriesPointer", fw::TPersistent::StaticClass())
          .Property("Brush", &P::Brush, &P::SetBrush)
          .Property("Dark3D", &P::Dark3D, &P::SetDark3D)
          .Default(fw::TValue(true))
          .Property("Draw3D", &P::Draw3D, &P::SetDraw3D)
          .Default(fw::TValue(true))
          .Property("HorizSize", &P::HorizSize, &P::SetHorizSize)
          .Default(fw::TValue(std::int64_t{4}))
          .Property("InflateMargins", &P::InflateMargins, &P::SetInflateMargins)
          .Property("Pen", &P::Pen, &P::SetPen)
          .Property("Style", &P::Style, &P::SetStyle)
          .Property("VertSize", &P::VertSize, &P::SetVertSize)
          .Default(fw::TValue(std::int64_t{4}))
          .Property("Visible", &P::Visible, &P::SetVisible)
          .Build();
  return info;
}

TSeriesPointer::TSeriesPointer(TChartSeries* parent) : parent_(parent) {
  const fw::TNotifyEvent changed = [parent](fw::TObject* sender) { parent->CanvasChanged(sender); };
  brush_ = std::make_unique<TChartBrush>(changed);
  pen_ = std::make_unique<TChartPen>(changed);
}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::Assign(const fw::TPersistent* source) {
  const auto* p = dynamic_cast<const TSeriesPointer*>(source);
  if (!p) {
    fw::TPersistent::Assign(source);
    return;
  }
  brush_->Assign(p->brush_.get());
  pen_->Assign(p->pen_.get());
  dark3D_ = p->dark3D_;
  draw3D_ = p->draw3D_;
  horizSize_ = p->horizSize_;
  inflateMargins_ = p->inflateMargins_;
  style_ = p->style_;
  vertSize_ = p->vertSize_;
  visible_ = p->visible_;
}

void TSeriesPointer::Changed() const {
  parent_->Repaint();
}

void TSeriesPointer::SetDark3D(bool value) {
  Store(dark3D_, value);
}
void TSeriesPointer::SetDraw3D(bool value) {
  Store(draw3D_, value);
}
void TSeriesPointer::SetInflateMargins(bool value) {
  Store(inflateMargins_, value);
}
void TSeriesPointer::SetStyle(TSeriesPointerStyle value) {
  Store(style_, value);
}
void TSeriesPointer::SetVisible(bool value) {
  Store(visible_, value);
}

void TSeriesPointer::SetHorizSize(int value) {
  if (value < 1) throw ChartException(TTeeMessage::PointerSize);
  Store(horizSize_, value);
}

void TSeriesPointer::SetVertSize(int value) {
  if (value < 1) throw ChartException(TTeeMessage::PointerSize);
  Store(vertSize_, value);
}

TCanvas3D* TSeriesPointer::Canvas() const {
  TCustomAxisPanel* chart = parent_->ParentChart();
  return chart ? chart->Canvas() : nullptr;
}

void TSeriesPointer::PrepareCanvas(TColor color) {
  TCanvas3D* c = Canvas();
  if (!c) return;
  c->AssignVisiblePen(*pen_);
  if (pen_->Visible() && pen_->Color() == clAutoColor) c->Pen().SetColor(color);
  // The brush's properties one by one, the automatic colour already resolved: consecutive points
  // of one colour then leave the canvas brush untouched.
  fw::TBrush& brush = c->Brush();
  brush.SetBitmap(brush_->Bitmap());
  brush.SetStyle(brush_->Style());
  brush.SetColor(brush_->Color() == clAutoColor ? color : brush_->Color());
}

namespace {

// The rectangle and the line shapes reach one pixel further right and down than the circle,
// whose bounding box is passed unchanged.
void DrawFlatShape(TCanvas3D* c, int x, int y, int h, int v, TColor color,
                   TSeriesPointerStyle style) {
  const int left = x - h;
  const int right = x + h;
  const int top = y - v;
  const int bottom = y + v;
  switch (style) {
    case psRectangle:
      c->Rectangle(left, top, right + 1, bottom + 1);
      break;
    case psCircle:
      c->Ellipse(left, top, right, bottom);
      break;
    case psTriangle: {
      const fw::TPoint p[] = {{left, bottom}, {right, bottom}, {x, top}};
      c->Polygon(p);
      break;
    }
    case psDownTriangle: {
      const fw::TPoint p[] = {{left, top}, {right, top}, {x, bottom}};
      c->Polygon(p);
      break;
    }
    case psCross:
      c->Pen().SetColor(color);
      c->VertLine(x, top, bottom + 1);
      c->HorizLine(left, right + 1, y);
      break;
    case psDiagCross:
      c->Pen().SetColor(color);
      c->Line(left, top, right + 1, bottom + 1);
      c->Line(right, top, left - 1, bottom + 1);
      break;
    case psStar:
      DrawFlatShape(c, x, y, h, v, color, psCross);
      DrawFlatShape(c, x, y, h, v, color, psDiagCross);
      break;
    case psDiamond: {
      const fw::TPoint p[] = {{left, y}, {x, top}, {right, y}, {x, bottom}};
      c->Polygon(p);
      break;
    }
    case psSmallDot:
      c->SetPixel(x, y, color);
      break;
  }
}

// The series' depths a 3D shape stands at, and the pointer's solid-shape settings.
struct TShapeDepth {
  int Start;
  int End;
  int Middle;
  bool Draw3D;
  bool Dark3D;
};

void DrawDeepShape(TCanvas3D* c, const TShapeDepth& z, int x, int y, int h, int v, TColor color,
                   TSeriesPointerStyle style) {
  const int left = x - h;
  const int right = x + h;
  const int top = y - v;
  const int bottom = y + v;
  switch (style) {
    case psRectangle:
      if (z.Draw3D)
        c->Cube(left, right, top, bottom, z.Start, z.End, z.Dark3D);
      else
        c->RectangleWithZ(fw::Rect(left, top, right + 1, bottom + 1), z.Start);
      break;
    case psCircle:
      if (z.Draw3D && c->ReservedQuery1())
        c->Sphere(x, y, z.Middle, h);
      else
        c->EllipseWithZ(left, top, right, bottom, z.Start);
      break;
    case psTriangle:
    case psDownTriangle: {
      const int w = style == psTriangle ? v : -v;
      if (z.Draw3D)
        c->Pyramid(true, left, y - w, right, y + w, z.Start, z.End, z.Dark3D);
      else
        c->TriangleWithZ({left, y + w}, {right, y + w}, {x, y - w}, z.Start);
      break;
    }
    case psCross:
      c->Pen().SetColor(color);
      c->VertLine3D(x, top, bottom + 1, z.Start);
      c->HorizLine3D(left, right + 1, y, z.Start);
      break;
    case psDiagCross:
      c->Pen().SetColor(color);
      c->LineWithZ(left, top, right + 1, bottom + 1, z.Start);
      c->LineWithZ(right, top, left - 1, bottom + 1, z.Start);
      break;
    case psStar:
      DrawDeepShape(c, z, x, y, h, v, color, psCross);
      DrawDeepShape(c, z, x, y, h, v, color, psDiagCross);
      break;
    case psDiamond:
      c->PlaneWithZ({left, y}, {x, top}, {right, y}, {x, bottom}, z.Start);
      break;
    case psSmallDot:
      c->SetPixel3D(x, y, z.Middle, color);
      break;
  }
}

}  // namespace

void TSeriesPointer::DrawShape(bool is3D, int x, int y, int h, int v, TColor color,
                               TSeriesPointerStyle style) {
  TCanvas3D* c = Canvas();
  if (!c) return;
  if (!is3D) {
    DrawFlatShape(c, x, y, h, v, color, style);
    return;
  }
  const TShapeDepth z{parent_->StartZ(), parent_->EndZ(), parent_->MiddleZ(), draw3D_, dark3D_};
  DrawDeepShape(c, z, x, y, h, v, color, style);
}

void TSeriesPointer::DrawPointer(int x, int y, TColor color, TSeriesPointerStyle style) {
  TCustomAxisPanel* chart = parent_->ParentChart();
  DrawShape(chart && chart->View3D(), x, y, horizSize_, vertSize_, color, style);
}

bool TSeriesPointer::FlatMarkerShape(TSeriesPointerStyle style, fw::TMarkerShape& shape) const {
  using TKind = fw::TMarkerShape::TKind;
  const int h = horizSize_;
  const int v = vertSize_;
  auto set = [&shape](TKind kind, std::initializer_list<fw::TPoint> points) {
    shape.Kind = kind;
    shape.Count = static_cast<std::uint8_t>(points.size());
    std::copy(points.begin(), points.end(), shape.Points.begin());
    return true;
  };
  // The same boxes and corners as DrawFlatShape, relative to the centre.
  switch (style) {
    case psRectangle:
      return set(TKind::Rectangle, {{-h, -v}, {h + 1, v + 1}});
    case psCircle:
      return set(TKind::Ellipse, {{-h, -v}, {h, v}});
    case psTriangle:
      return set(TKind::Polygon, {{-h, v}, {h, v}, {0, -v}});
    case psDownTriangle:
      return set(TKind::Polygon, {{-h, -v}, {h, -v}, {0, v}});
    case psDiamond:
      return set(TKind::Polygon, {{-h, 0}, {0, -v}, {h, 0}, {0, v}});
    default:
      return false;
  }
}

void TSeriesPointer::DrawLegendPointer(TColor color, const fw::TRect& rect, bool lineVisible) {
  PrepareCanvas(color);
  const int w = rect.Width();
  const int h = rect.Height();
  const int limitX = lineVisible ? w / 3 : w / 2 + 1;
  const int limitY = lineVisible ? h / 3 : h / 2 + 1;
  DrawShape(false, (rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2,
            std::min(horizSize_, limitX), std::min(vertSize_, limitY), color, style_);
}

void TSeriesPointer::CalcHorizMargins(int& low, int& high) const {
  if (!visible_ || !inflateMargins_) return;
  low = std::max(low, horizSize_ + 1);
  high = std::max(high, horizSize_ + 1);
}

void TSeriesPointer::CalcVerticalMargins(int& low, int& high) const {
  if (!visible_ || !inflateMargins_) return;
  low = std::max(low, vertSize_ + 1);
  high = std::max(high, vertSize_ + 1);
}

}  // namespace tee

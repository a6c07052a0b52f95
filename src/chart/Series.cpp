// TCustomSeries and TPointSeries.
#include "chart/Series.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <typeinfo>

#include "chart/ChartAxis.h"
#include "chart/SeriesAxis.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"

namespace tee {
namespace {

// Positions at or beyond this are not drawn: the platform's coordinates are 16-bit there.
constexpr int kMaxPixel = 32767;

bool Drawable(int x, int y) {
  return x > -kMaxPixel && x < kMaxPixel && y > -kMaxPixel && y < kMaxPixel;
}

// Whether (x, y) lies within `tolerance` pixels of the segment a-b.
bool NearSegment(int x, int y, int ax, int ay, int bx, int by, int tolerance) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 == 0 ? 0 : ((x - ax) * dx + (y - ay) * dy) / len2;
  t = std::clamp(t, 0.0, 1.0);
  const double px = ax + t * dx - x;
  const double py = ay + t * dy - y;
  return px * px + py * py <= static_cast<double>(tolerance) * tolerance;
}

// Whether (x, y) lies inside the polygon (even-odd rule; points on an edge count as inside).
bool InsidePolygon(int x, int y, const fw::TPoint (&p)[4]) {
  bool inside = false;
  for (int i = 0, j = 3; i < 4; j = i++) {
    if (NearSegment(x, y, p[j].X, p[j].Y, p[i].X, p[i].Y, 0)) return true;
    const bool crosses = (p[i].Y > y) != (p[j].Y > y);
    if (crosses) {
      const double at = p[i].X + static_cast<double>(y - p[i].Y) * (p[j].X - p[i].X) /
                                     static_cast<double>(p[j].Y - p[i].Y);
      if (x < at) inside = !inside;
    }
  }
  return inside;
}

}  // namespace

// ---- TCustomSeries -----------------------------------------------------------------------------

const fw::TClassInfo& TCustomSeries::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TCustomSeries>("TCustomSeries", TChartSeries::StaticClass()).Build();
  return info;
}

TCustomSeries::TCustomSeries(fw::TComponent* owner)
    : TChartSeries(owner), areaBrush_(fw::bsSolid), lineBrush_(fw::bsSolid) {
  const fw::TNotifyEvent changed = [this](fw::TObject* sender) { CanvasChanged(sender); };
  SetDrawBetweenPoints(true);
  pointer_ = std::make_unique<TSeriesPointer>(this);
  areaLinesPen_ = std::make_unique<TChartPen>(changed);
  linePen_ = std::make_unique<TChartPen>(changed);
  Marks()->SetArrowLength(8);
}

TCustomSeries::~TCustomSeries() {
  pointer_.reset();
  linePen_.reset();
  areaLinesPen_.reset();
}

void TCustomSeries::Assign(const fw::TPersistent* source) {
  if (const auto* s = dynamic_cast<const TCustomSeries*>(source)) {
    clickableLine_ = s->clickableLine_;
    areaBrush_ = s->areaBrush_;
    areaColor_ = s->areaColor_;
    areaLinesPen_->Assign(s->areaLinesPen_.get());
    dark3D_ = s->dark3D_;
    drawArea_ = s->drawArea_;
    drawLine_ = s->drawLine_;
    invertedStairs_ = s->invertedStairs_;
    linePen_->Assign(s->linePen_.get());
    lineBrush_ = s->lineBrush_;
    lineHeight_ = s->lineHeight_;
    pointer_->Assign(s->pointer_.get());
    stairs_ = s->stairs_;
  }
  TChartSeries::Assign(source);
}

TCanvas3D* TCustomSeries::ChartCanvas() const {
  return ParentChart() ? ParentChart()->Canvas() : nullptr;
}

bool TCustomSeries::ClickedPointer(int, int pointX, int pointY, int mouseX, int mouseY) const {
  return std::abs(pointX - mouseX) < pointer_->HorizSize() &&
         std::abs(pointY - mouseY) < pointer_->VertSize();
}

void TCustomSeries::DrawPointer(int x, int y, TColor color, int valueIndex) {
  pointer_->PrepareCanvas(color);
  const TSeriesPointerStyle style =
      OnGetPointerStyle ? OnGetPointerStyle(this, valueIndex) : pointer_->Style();
  pointer_->DrawPointer(x, y, color, style);
}

int TCustomSeries::GetOriginPos(int) const {
  const auto* axis = dynamic_cast<const TCustomChartAxis*>(GetVertAxis());
  return axis ? axis->EndPixel() : 0;
}

int TCustomSeries::EdgeCrossingY(int valueIndex, int edgeX) const {
  const TSeriesAxis* h = GetHorizAxis();
  const TSeriesAxis* v = GetVertAxis();
  const double x0 = XValue(valueIndex - 1);
  const double x1 = XValue(valueIndex);
  if (!h || !v || x0 == x1) return CalcYPos(valueIndex - 1);
  const double y0 = YValue(valueIndex - 1);
  const double y1 = YValue(valueIndex);
  const double xe = h->CalcPosPoint(edgeX);
  return v->CalcYPosValue(y0 + (y1 - y0) * (xe - x0) / (x1 - x0));
}

void TCustomSeries::DrawValue(int valueIndex) {
  TCanvas3D* c = ChartCanvas();
  if (!c) return;
  const TColor color = ValueColor(valueIndex);
  const int x = CalcXPos(valueIndex);
  const int y = CalcYPos(valueIndex);
  DrawPlacedValue(*c, valueIndex, color, x, y);
}

// Per-paint check for the mapped loop: the series is of a type whose placing, colouring and pointer
// drawing are this class' own, and both axes are linear chart axes.
bool TCustomSeries::PrepareMappedLoop(TMappedPoints& points) const {
  if (!ChartSettings().MappedPointLoop) return false;
  const std::type_info& type = typeid(*this);
  if (type != typeid(TPointSeries) && type != typeid(TCustomSeries)) return false;
  if (!ChartCanvas() || !DrawValuesForward()) return false;
  if (typeid(*XValues()) != typeid(TChartValueList) ||
      typeid(*YValues()) != typeid(TChartValueList))
    return false;
  const auto* h = dynamic_cast<const TCustomChartAxis*>(GetHorizAxis());
  const auto* v = dynamic_cast<const TCustomChartAxis*>(GetVertAxis());
  if (!h || !v || !h->LinearPixelMap(true, points.X) || !v->LinearPixelMap(false, points.Y))
    return false;
  points.XMultiplier = XValues()->Multiplier();
  points.YMultiplier = YValues()->Multiplier();
  points.OriginPos = v->EndPixel();
  return true;
}

void TCustomSeries::DrawAllValues() {
  TMappedPoints points;
  if (FirstValueIndex() < 0 || !PrepareMappedLoop(points)) {
    TChartSeries::DrawAllValues();
    return;
  }
  // The same steps as DrawValue for each index, with the positions from the maps and the
  // colours, origin and pointers of this class called directly.
  TCanvas3D& c = *ChartCanvas();
  if (DrawPointerRuns(c, points)) return;
  const TChartValueList& xs = *XValues();
  const TChartValueList& ys = *YValues();
  const int last = LastValueIndex();
  mapped_ = &points;
  for (int i = FirstValueIndex(); i <= last; ++i) {
    const TColor color = TChartSeries::ValueColor(i);
    const int x = points.X.Pos(xs.StoredValue(i) * points.XMultiplier);
    const int y = points.Y.Pos(ys.StoredValue(i) * points.YMultiplier);
    DrawPlacedValue(c, i, color, x, y);
  }
  mapped_ = nullptr;
}

int TCustomSeries::OriginPosOf(int valueIndex) const {
  return mapped_ ? mapped_->OriginPos : GetOriginPos(valueIndex);
}

void TCustomSeries::DrawPointerOf(int x, int y, TColor color, int valueIndex) {
  if (mapped_)
    TCustomSeries::DrawPointer(x, y, color, valueIndex);
  else
    DrawPointer(x, y, color, valueIndex);
}

void TCustomSeries::DrawPlacedValue(TCanvas3D& canvas, int valueIndex, TColor color, int x, int y) {
  TCanvas3D* c = &canvas;
  const bool first = valueIndex == FirstValueIndex();
  const bool last = valueIndex == LastValueIndex();
  // Nothing drawn yet in this run: no line leads into the first point and no pointer is pending.
  if (first) prevColor_ = clNone;
  if (!Drawable(x, y)) {
    // Nothing is drawn for the point and no line leads to or from it. The previous point keeps its
    // own colour for its pending pointer; when this was the last visible point, that pointer is
    // drawn now, since no later point will draw it.
    if (last && pointer_->Visible() && prevColor_ != clNone)
      DrawPointerOf(prevX_, prevY_, prevColor_, prevIndex_);
    return;
  }
  c->Pen().SetColor(fw::clBlack);
  c->Brush().SetColor(color);
  if (prevColor_ == clNone) {
    prevX_ = x;
    prevY_ = y;
  }
  originPos_ = OriginPosOf(valueIndex);
  if (first) {
    if (valueIndex > 0) {
      // The line comes in from the plot edge (or, for an area, from the point before).
      if (drawArea_) {
        prevX_ = CalcXPos(valueIndex - 1);
        prevY_ = CalcYPos(valueIndex - 1);
        prevOriginPos_ = GetOriginPos(valueIndex - 1);
      } else {
        const TSeriesAxis* h = GetHorizAxis();
        const fw::TRect& plot = ParentChart()->PlotRect();
        prevX_ = h && h->Inverted() ? plot.Right : plot.Left;
        prevY_ = stairs_ ? CalcYPos(valueIndex - 1) : EdgeCrossingY(valueIndex, prevX_);
      }
      if (!IsNull(valueIndex - 1)) DrawLineAndPointers(x, y, color, valueIndex, last, false);
    }
    if (last && pointer_->Visible() && color != clNone) DrawPointerOf(x, y, color, valueIndex);
  } else {
    DrawLineAndPointers(x, y, color, valueIndex, last, true);
  }
  prevX_ = x;
  prevY_ = y;
  prevOriginPos_ = originPos_;
  prevColor_ = color;
  prevIndex_ = valueIndex;
}

void TCustomSeries::DrawLineAndPointers(int x, int y, TColor color, int valueIndex, bool last,
                                        bool withPointers) {
  TCanvas3D* c = ChartCanvas();
  const bool samePlace = x == prevX_ && y == prevY_;
  // Areas and the 3D band of a line belong to the line and area series types.
  if (!samePlace && color != clNone && drawLine_ && !drawArea_ && !ParentChart()->View3D()) {
    c->AssignVisiblePen(*linePen_);
    if (linePen_->Visible()) c->Pen().SetColor(color);
    c->Brush().SetStyle(fw::bsClear);
    if (!stairs_) {
      c->Line(prevX_, prevY_, x, y);
    } else if (invertedStairs_) {
      c->VertLine(prevX_, prevY_, y);
      c->LineTo(x, y);
    } else {
      c->HorizLine(prevX_, x, prevY_);
      c->LineTo(x, y);
    }
  }
  if (!withPointers || !pointer_->Visible()) return;
  if (prevColor_ != clNone) DrawPointerOf(prevX_, prevY_, prevColor_, prevIndex_);
  if (last && color != clNone) DrawPointerOf(x, y, color, valueIndex);
}

int TCustomSeries::Clicked(int x, int y) {
  if (ParentChart()) ParentChart()->Canvas()->Calculate2DPosition(x, y, StartZ());
  const int firstIndex = FirstValueIndex();
  const int lastIndex = LastValueIndex();
  if (firstIndex == -1 || lastIndex == -1) return -1;
  int px = 0;
  int py = 0;
  int pOrigin = 0;
  const int tolerance = std::max(3, linePen_->Width());
  for (int i = firstIndex; i <= lastIndex; ++i) {
    const int cx = CalcXPos(i);
    const int cy = CalcYPos(i);
    const int origin = GetOriginPos(i);
    if (pointer_->Visible() && ClickedPointer(i, cx, cy, x, y)) {
      if (OnClickPointer) OnClickPointer(this, i, x, y);
      return i;
    }
    if (cx == x && cy == y) return i;
    // A clickable line is hit on the segment between the two points (drawn or not) and, for an
    // area, anywhere inside the area below it down to the origin.
    if (i > firstIndex && clickableLine_) {
      bool hit;
      if (!stairs_)
        hit = NearSegment(x, y, px, py, cx, cy, tolerance);
      else if (invertedStairs_)
        hit = NearSegment(x, y, px, py, px, cy, tolerance) ||
              NearSegment(x, y, px, cy, cx, cy, tolerance);
      else
        hit = NearSegment(x, y, px, py, cx, py, tolerance) ||
              NearSegment(x, y, cx, py, cx, cy, tolerance);
      if (hit) return i - 1;
      const fw::TPoint area[4] = {{px, py}, {cx, cy}, {cx, origin}, {px, pOrigin}};
      if (drawArea_ && InsidePolygon(x, y, area)) return i - 1;
    }
    px = cx;
    py = cy;
    pOrigin = origin;
  }
  return -1;
}

void TCustomSeries::CalcHorizMargins(int& left, int& right) {
  left = right = 0;
  pointer_->CalcHorizMargins(left, right);
  if (stairs_ && drawLine_) {
    left = std::max(left, linePen_->Width());
    right = std::max(right, linePen_->Width());
  }
}

void TCustomSeries::CalcVerticalMargins(int& top, int& bottom) {
  top = bottom = 0;
  pointer_->CalcVerticalMargins(top, bottom);
  if (stairs_ && drawLine_) {
    top = std::max(top, linePen_->Width());
    bottom = std::max(bottom, linePen_->Width() + 1);
  }
  if (lineHeight_ >= 1 && !drawArea_ && lineHeight_ > bottom) bottom = lineHeight_;
}

void TCustomSeries::DrawLegendLine(TColor color, const fw::TRect& rect, bool flat) {
  TCanvas3D* c = ChartCanvas();
  if (!c) return;
  c->AssignVisiblePen(*linePen_);
  if (ParentChart()->View3D()) {
    c->Brush().SetStyle(lineBrush_);
    c->Brush().SetColor(color);
  } else {
    c->Brush().SetStyle(fw::bsClear);
    c->Pen().SetColor(color);
  }
  if (flat)
    c->HorizLine(rect.Left, rect.Right, (rect.Top + rect.Bottom) / 2);
  else
    c->DrawRect(rect);
}

void TCustomSeries::DrawLegendShape(int valueIndex, const fw::TRect& rect) {
  const TColor color = valueIndex == -1 ? SeriesColor() : ValueColor(valueIndex);
  if (pointer_->Visible()) {
    if (drawLine_) DrawLegendLine(color, rect, true);
    pointer_->DrawLegendPointer(color, rect, linePen_->Visible());
  } else if (drawLine_ && !drawArea_) {
    DrawLegendLine(color, rect, !(ParentChart() && ParentChart()->View3D()));
  } else {
    TChartSeries::DrawLegendShape(valueIndex, rect);
  }
}

std::string TCustomSeries::EditorClassName() const {
  return "TCustomSeriesEditor";
}

// ---- TPointSeries ------------------------------------------------------------------------------

const fw::TClassInfo& TPointSeries::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TPointSeries>("TPointSeries", TCustomSeries::StaticClass())
          .Event("OnGetPointerStyle", &TCustomSeries::OnGetPointerStyle)
          .Property("Pointer", &TCustomSeries::Pointer, &TCustomSeries::SetPointer)
          .Property("XValues", &TChartSeries::XValues, &TChartSeries::SetXValues)
          .Property("YValues", &TChartSeries::YValues, &TChartSeries::SetYValues)
          .Event("OnClickPointer", &TCustomSeries::OnClickPointer)
          .Creatable()
          .Build();
  return info;
}

TPointSeries::TPointSeries(fw::TComponent* owner) : TCustomSeries(owner) {
  SetDrawLine(false);
  Marks()->SetArrowLength(0);
  SetClickableLine(false);
  Pointer()->SetVisible(true);
}

void TPointSeries::Assign(const fw::TPersistent* source) {
  TCustomSeries::Assign(source);
  Pointer()->SetVisible(true);
  SetDrawArea(false);
  SetDrawLine(false);
  SetClickableLine(false);
}

void TPointSeries::SetColorEachPoint(bool value) {
  TCustomSeries::SetColorEachPoint(value);
  if (value) Pointer()->Brush()->SetColor(clAutoColor);
}

void TPointSeries::PrepareGallerySample(bool enabled) {
  TCustomSeries::PrepareGallerySample(enabled);
  Pointer()->SetHorizSize(6);
  Pointer()->SetVertSize(6);
  TCustomAxisPanel* chart = ParentChart();
  if (chart && chart->SeriesCount() > 1 && chart->Series(1) == this)
    Pointer()->SetStyle(psTriangle);
}

std::string TPointSeries::EditorClassName() const {
  return "TSeriesPointerEditor";
}

}  // namespace tee

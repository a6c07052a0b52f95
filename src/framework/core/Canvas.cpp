#include "framework/core/Canvas.h"

#include <array>
#include <utility>

namespace fw {
namespace {

// The platform orders the corners of a shape's box itself.
TRect OrderedBox(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  return TRect{x1, y1, x2, y2};
}

}  // namespace

TCanvas::TCanvas()
    : pen_(std::make_unique<TPen>()),
      brush_(std::make_unique<TBrush>()),
      font_(std::make_unique<TFont>()) {}

TCanvas::~TCanvas() = default;

void TCanvas::SetBackColor(TColor value) {
  if (value == backColor_) return;
  backColor_ = value;
  ++stateRevision_;
  DoStateChanged(TCanvasState::BackColor);
}

void TCanvas::SetBackMode(int value) {
  if (value == backMode_) return;
  backMode_ = value;
  ++stateRevision_;
  DoStateChanged(TCanvasState::BackMode);
}

void TCanvas::SetTextAlign(unsigned flags) {
  if (flags == textAlign_) return;
  textAlign_ = flags;
  ++stateRevision_;
  DoStateChanged(TCanvasState::TextAlign);
}

void TCanvas::DoMoveTo(int, int) {}

void TCanvas::MoveTo(int x, int y) {
  penPos_ = TPoint{x, y};
  DoMoveTo(x, y);
}

void TCanvas::LineTo(int x, int y) {
  const TPoint from = penPos_;
  penPos_ = TPoint{x, y};
  DoLine(from, penPos_);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  DoRectangle(OrderedBox(x1, y1, x2, y2));
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  DoEllipse(OrderedBox(x1, y1, x2, y2));
  Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  DoRoundRect(OrderedBox(x1, y1, x2, y2), x3, y3);
  Changed();
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DoArc(TArcKind::Arc, OrderedBox(x1, y1, x2, y2), TPoint{x3, y3}, TPoint{x4, y4});
  Changed();
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  DoArc(TArcKind::Pie, OrderedBox(x1, y1, x2, y2), TPoint{x3, y3}, TPoint{x4, y4});
  Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty()) return;
  DoPolygon(points);
  Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.empty()) return;
  DoPolyline(points);
  Changed();
}

void TCanvas::DrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                          bool penFollows) {
  if (!places.empty()) DoDrawMarkers(shape, places, penFollows);
}

void TCanvas::DrawMarker(const TMarkerShape& shape, int x, int y) {
  const std::array<TPoint, TMarkerShape::kMaxPoints>& p = shape.Points;
  switch (shape.Kind) {
    case TMarkerShape::TKind::Ellipse:
      Ellipse(x + p[0].X, y + p[0].Y, x + p[1].X, y + p[1].Y);
      break;
    case TMarkerShape::TKind::Rectangle:
      Rectangle(x + p[0].X, y + p[0].Y, x + p[1].X, y + p[1].Y);
      break;
    case TMarkerShape::TKind::Polygon: {
      std::array<TPoint, TMarkerShape::kMaxPoints> placed{};
      for (int i = 0; i < shape.Count; ++i) placed[i] = TPoint{x + p[i].X, y + p[i].Y};
      Polygon(std::span<const TPoint>(placed.data(), shape.Count));
      break;
    }
  }
}

void TCanvas::DoDrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                            bool penFollows) {
  for (const TMarkerPlace& place : places) {
    Brush().SetColor(place.Color);
    if (penFollows) Pen().SetColor(place.Color);
    DrawMarker(shape, place.X, place.Y);
  }
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  DoSetPixel(x, y, color);
  Changed();
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
  DoTextOut(x, y, text);
  Changed();
}

TSize TCanvas::TextExtent(std::string_view text) {
  return DoTextExtent(text);
}

void TCanvas::FillRect(const TRect& r) {
  DoFillRect(r, false);
  Changed();
}

void TCanvas::PatternFill(const TRect& r) {
  DoFillRect(r, true);
  Changed();
}

void TCanvas::Draw(int x, int y, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  DoDraw(TRect{x, y, x + graphic.Width(), y + graphic.Height()}, graphic, false);
  Changed();
}

void TCanvas::StretchDraw(const TRect& r, const TGraphic& graphic) {
  if (graphic.Empty()) return;
  DoDraw(r, graphic, true);
  Changed();
}

void TCanvas::ClipRect(const TRect& r, TClipOperation op) {
  DoClipRect(r, op);
  clipped_ = true;
}

void TCanvas::ClipPolygon(std::span<const TPoint> points, TClipOperation op) {
  DoClipPolygon(points, op);
  clipped_ = true;
}

void TCanvas::RemoveClip() {
  DoRemoveClip();
  clipped_ = false;
}

std::unique_ptr<TCustomBitmap> TCanvas::CreateCompatibleBitmap(int width, int height) {
  return DoCreateCompatibleBitmap(width, height);
}

}  // namespace fw

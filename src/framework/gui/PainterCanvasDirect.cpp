// The direct drawing of TPainterCanvas: the clip for direct writes and the stamps of small shapes.
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <algorithm>
#include <cstdlib>

#include "framework/core/VectorState.h"
#include "framework/gui/PainterCanvas.h"
#include "framework/gui/QtGraphics.h"

namespace fw {
namespace {

constexpr std::uint8_t kNoPen = 0xFF;
constexpr int kMaxStampSize = TPainterCanvas::kMaxStampSize;

}  // namespace

void TPainterCanvas::SetDirectDrawing(bool value) {
  direct_ = value;
  ForgetStamps();
}

void TPainterCanvas::AttachDirect() {
  writer_.Attach(image_);
  marks_.Resize(image_->width(), image_->height());
  coverage_.Resize(image_->width(), image_->height());
}

void TPainterCanvas::UpdateClip() {
  ForgetStamps();
  if (!painter_.isActive() || !painter_.hasClipping()) {
    writer_.SetClip(false, true, QRect());
    return;
  }
  const QRegion region = painter_.clipRegion();
  writer_.SetClip(true, region.rectCount() <= 1, region.boundingRect());
}

const TPainterCanvas::ShapeStyle& TPainterCanvas::CurrentShapeStyle() {
  const TPen& pen = Pen();
  const TBrush& brush = Brush();
  if (shapeStyleValid_ && shapePenRevision_ == pen.Revision() &&
      shapeBrushRevision_ == brush.Revision() && shapeStateRevision_ == StateRevision())
    return shapeStyle_;
  const bool penVisible = pen.Style() != psClear;
  ShapeStyle& s = shapeStyle_;
  s.Stampable = pen.Mode() == pmCopy && brush.Bitmap() == nullptr &&
                (brush.Style() == bsSolid || brush.Style() == bsClear) &&
                (!penVisible || pen.Width() <= 1);
  s.PenStyle = penVisible ? static_cast<std::uint8_t>(pen.Style()) : kNoPen;
  s.Fill = brush.Style() == bsSolid;
  s.Gaps = penVisible && DashPatternFor(pen.Style()) != nullptr && BackMode() == OPAQUE;
  s.Colors = TStampColors{ToQColor(brush.Color()).rgb(), ToQColor(pen.Color()).rgb(),
                          ToQColor(BackColor()).rgb()};
  shapePenRevision_ = pen.Revision();
  shapeBrushRevision_ = brush.Revision();
  shapeStateRevision_ = StateRevision();
  shapeStyleValid_ = true;
  return s;
}

bool TPainterCanvas::StampBox(TStampShape shape, const TRect& r) {
  if (!direct_ || !writer_.Usable()) return false;
  const int w = r.Width();
  const int h = r.Height();
  if (w < 0 || h < 0 || w > kMaxStampSize || h > kMaxStampSize) return false;
  TStampKey key;
  key.Shape = shape;
  key.Count = 2;
  key.Points[1] = TPoint{w, h};
  return Stamp(key, r.Left, r.Top);
}

bool TPainterCanvas::StampLine(TPoint from, TPoint to) {
  if (!direct_ || !writer_.Usable()) return false;
  const TPoint d{to.X - from.X, to.Y - from.Y};
  if (std::abs(d.X) > kMaxStampSize || std::abs(d.Y) > kMaxStampSize) return false;
  TStampKey key;
  key.Shape = TStampShape::Line;
  key.Count = 2;
  key.Points[1] = d;
  return Stamp(key, from.X, from.Y);
}

bool TPainterCanvas::StampPolygon(std::span<const TPoint> points) {
  if (!direct_ || !writer_.Usable()) return false;
  if (points.size() < 3 || points.size() > TStampKey::kMaxPoints) return false;
  int x0 = points[0].X, y0 = points[0].Y, x1 = x0, y1 = y0;
  for (const TPoint& p : points) {
    x0 = std::min(x0, p.X), y0 = std::min(y0, p.Y);
    x1 = std::max(x1, p.X), y1 = std::max(y1, p.Y);
  }
  if (x1 - x0 > kMaxStampSize || y1 - y0 > kMaxStampSize) return false;
  TStampKey key;
  key.Shape = TStampShape::Polygon;
  key.Count = static_cast<std::uint8_t>(points.size());
  for (size_t i = 0; i < points.size(); ++i)
    key.Points[i] = TPoint{points[i].X - x0, points[i].Y - y0};
  return Stamp(key, x0, y0);
}

bool TPainterCanvas::Stamp(TStampKey& key, int anchorX, int anchorY) {
  const TStamp* stamp = StampFor(key);
  if (stamp == nullptr) return false;
  if (stamp->Runs.empty()) return true;
  const TStampColors& colors = CurrentShapeStyle().Colors;
  WriteStamp(*stamp, colors, colors.Uniform(stamp->Roles), anchorX, anchorY);
  return true;
}

const TStamp* TPainterCanvas::StampFor(TStampKey& key) {
  const ShapeStyle& style = CurrentShapeStyle();
  if (!style.Stampable) return nullptr;
  key.PenStyle = style.PenStyle;
  key.Fill = style.Fill;
  key.Gaps = style.Gaps;
  TStamp* stamp = stamps_.Find(key);
  if (stamp == nullptr) {
    // A slot is reused: what was written with its old stamp is no proof of anything now.
    ForgetStamps();
    stamp = &stamps_.Add(key);
    BuildStamp(*stamp);
  }
  return stamp;
}

// The stamp key of a marker shape and the anchor's offset from the marker's place, as StampBox
// and StampPolygon find them for the shape drawn at a place.
static bool MarkerStampKey(const TMarkerShape& shape, TStampKey& key, int& dx, int& dy) {
  const auto& p = shape.Points;
  if (shape.Kind == TMarkerShape::TKind::Polygon) {
    if (shape.Count < 3 || shape.Count > TStampKey::kMaxPoints) return false;
    int x0 = p[0].X, y0 = p[0].Y, x1 = x0, y1 = y0;
    for (int i = 0; i < shape.Count; ++i) {
      x0 = std::min(x0, p[i].X), y0 = std::min(y0, p[i].Y);
      x1 = std::max(x1, p[i].X), y1 = std::max(y1, p[i].Y);
    }
    if (x1 - x0 > kMaxStampSize || y1 - y0 > kMaxStampSize) return false;
    key.Shape = TStampShape::Polygon;
    key.Count = shape.Count;
    for (int i = 0; i < shape.Count; ++i) key.Points[i] = TPoint{p[i].X - x0, p[i].Y - y0};
    dx = x0, dy = y0;
    return true;
  }
  const int left = std::min(p[0].X, p[1].X), right = std::max(p[0].X, p[1].X);
  const int top = std::min(p[0].Y, p[1].Y), bottom = std::max(p[0].Y, p[1].Y);
  if (right - left > kMaxStampSize || bottom - top > kMaxStampSize) return false;
  key.Shape =
      shape.Kind == TMarkerShape::TKind::Ellipse ? TStampShape::Ellipse : TStampShape::Rectangle;
  key.Count = 2;
  key.Points[1] = TPoint{right - left, bottom - top};
  dx = left, dy = top;
  return true;
}

// Each stretch of places of one colour takes the colour once and then writes its stamp place by
// place, exactly as the shapes one by one would; a style that cannot be stamped (or a clip that
// is not a rectangle) draws them one by one.
void TPainterCanvas::DoDrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                                   bool penFollows) {
  TStampKey key;
  int dx = 0, dy = 0;
  if (!direct_ || (NotificationsEnabled() && OnChange) || !MarkerStampKey(shape, key, dx, dy)) {
    TCanvas::DoDrawMarkers(shape, places, penFollows);
    return;
  }
  const std::size_t n = places.size();
  for (std::size_t i = 0; i < n;) {
    const TColor color = places[i].Color;
    // The stretch of places in this colour, and the box they lie in.
    std::size_t end = i + 1;
    TAnchorBox within(places[i].X, places[i].Y, places[i].X, places[i].Y);
    for (; end < n && places[end].Color == color; ++end) within.Grow(places[end].X, places[end].Y);
    Brush().SetColor(color);
    if (penFollows) Pen().SetColor(color);
    TStampKey placed = key;
    const TStamp* stamp = writer_.Usable() ? StampFor(placed) : nullptr;
    if (stamp == nullptr) {
      for (; i < end; ++i) DrawMarker(shape, places[i].X, places[i].Y);
      continue;
    }
    if (!stamp->Runs.empty()) {
      const TStampColors colors = CurrentShapeStyle().Colors;
      if (colors.Uniform(stamp->Roles)) {
        WriteMarkerStretch(*stamp, colors, places.subspan(i, end - i), within, dx, dy);
      } else {
        for (std::size_t k = i; k < end; ++k)
          WriteStamp(*stamp, colors, false, places[k].X + dx, places[k].Y + dy);
      }
    }
    i = end;
  }
}

// WriteStamp for each place (anchor = place + (dx, dy), all places `within` a box) of a one-colour
// stamp. Every write of the
// stretch puts the same colour into the image, so their order does not matter: a stamp of
// one-row runs at places dense enough for their box gathers the anchors whose stamp lies inside
// the clip in the coverage, which writes the union of their pixels at the end, each pixel once.
void TPainterCanvas::WriteMarkerStretch(const TStamp& stamp, const TStampColors& colors,
                                        std::span<const TMarkerPlace> places,
                                        const TAnchorBox& within, int dx, int dy) {
  constexpr std::size_t kMaxRows = 16;
  std::array<TStampCoverage::TRow, kMaxRows> rows{};
  std::size_t rowCount = 0;
  std::int64_t windows = 0;  // the coverage's work for each word of the box
  for (const TPixelRun& r : stamp.Runs) {
    if (r.Y0 != r.Y1 || rowCount == kMaxRows) {
      rowCount = 0;
      break;
    }
    rows[rowCount++] = TStampCoverage::TRow{r.Y0, r.X0, r.X1 - r.X0 + 1};
    windows += r.X1 - r.X0 + 1;
  }
  TAnchorBox box;
  if (rowCount != 0 && !places.empty()) {
    // The box of the places, cut to that of the anchors inside, holds every anchor gathered.
    box = TAnchorBox(writer_.Left() - stamp.X0, writer_.Top() - stamp.Y0,
                     writer_.Right() - stamp.X1, writer_.Bottom() - stamp.Y1);
    box.CutTo(within.X0 + dx, within.Y0 + dy, within.X1 + dx, within.Y1 + dy);
  }
  // Gathering pays when the coverage's work over the box is small beside writing every stamp.
  constexpr std::int64_t kWorkPerStamp = 24;
  const std::int64_t boxWords =
      box.Empty() ? 0
                  : (std::int64_t{box.Y1} - box.Y0 + 1 + stamp.Y1 - stamp.Y0) *
                        ((std::int64_t{box.X1} - box.X0 + stamp.X1 - stamp.X0) / 64 + 2);
  if (box.Empty() ||
      boxWords * windows > static_cast<std::int64_t>(places.size()) * kWorkPerStamp) {
    for (const TMarkerPlace& place : places)
      WriteStamp(stamp, colors, true, place.X + dx, place.Y + dy);
    return;
  }
  GatherMarkerStretch(stamp, colors, places, dx, dy, box, std::span(rows.data(), rowCount));
}

// The gathering of WriteMarkerStretch: the places whose stamp lies inside the clip (`box` of
// their anchors) go into the coverage, the others are written at once.
void TPainterCanvas::GatherMarkerStretch(const TStamp& stamp, const TStampColors& colors,
                                         std::span<const TMarkerPlace> places, int dx, int dy,
                                         const TAnchorBox& box,
                                         std::span<const TStampCoverage::TRow> rows) {
  ClearUpperVectorState();
  const TStampCoverage::TAdder coverage = coverage_.Adder();
  // No call in this loop, so that it keeps everything in registers: the places whose stamp
  // reaches beyond the clip are noted (without a branch) and written afterwards.
  if (outside_.size() < places.size()) outside_.resize(places.size());
  std::uint32_t* const noted = outside_.data();
  std::size_t outsideCount = 0;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const int ax = places[i].X + dx;
    const int ay = places[i].Y + dy;
    const bool out = !box.Inside(ax, ay);
    noted[outsideCount] = static_cast<std::uint32_t>(i);
    outsideCount += out;
    if (!out) coverage.Add(ax, ay);
  }
  for (std::size_t k = 0; k < outsideCount; ++k) {
    const TMarkerPlace& place = places[noted[k]];
    WriteStamp(stamp, colors, true, place.X + dx, place.Y + dy);
  }
  coverage_.WriteAndClear(rows, box.X0, box.Y0, box.X1, box.Y1, writer_.PixelAt(0, 0),
                          writer_.RowPixels(), colors.Of(stamp.Runs.front().Role));
}

// The same conversions as the QPainter path, relative to the anchor.
void TPainterCanvas::BuildStamp(TStamp& stamp) {
  const TStampKey& k = stamp.Key;
  const bool pen = k.PenStyle != kNoPen;
  const TDashPattern* pattern = pen ? DashPatternFor(static_cast<TPenStyle>(k.PenStyle)) : nullptr;
  auto add = [&stamp](const TPixelRun& r) { stamp.Add(r); };
  const int w = k.Points[1].X;
  const int h = k.Points[1].Y;
  switch (k.Shape) {
    case TStampShape::Ellipse:
      if (pen)
        OutlinedEllipseRuns(w, h, k.Fill, add);
      else if (k.Fill)
        FilledEllipseRuns(w, h, add);
      break;
    case TStampShape::Rectangle: {
      if (!pen) {
        if (k.Fill && w > 1 && h > 1) add(TPixelRun{0, 0, w - 2, h - 2, TRunRole::Fill});
        break;
      }
      if (k.Fill && w > 2 && h > 2) add(TPixelRun{1, 1, w - 2, h - 2, TRunRole::Fill});
      const TPoint path[] = {{0, 0}, {w - 1, 0}, {w - 1, h - 1}, {0, h - 1}, {0, 0}};
      ThinPathRuns(path, pattern, k.Gaps, add);
      break;
    }
    case TStampShape::Polygon: {
      if (k.Fill) BuildPolygonFill(stamp);
      if (!pen) break;
      std::array<TPoint, TStampKey::kMaxPoints + 1> closed{};
      std::copy_n(k.Points.begin(), k.Count, closed.begin());
      closed[k.Count] = k.Points[0];
      ThinPathRuns(std::span<const TPoint>(closed.data(), k.Count + 1u), pattern, k.Gaps, add);
      break;
    }
    case TStampShape::Line:
      if (pen) {
        const TPoint path[] = {{0, 0}, k.Points[1]};
        ThinPathRuns(path, pattern, k.Gaps, add);
      }
      break;
  }
}

// Polygons are filled by Qt's rasteriser, which is exact under whole-pixel moves: the fill is
// rendered once into a scratch image and read back as runs.
void TPainterCanvas::BuildPolygonFill(TStamp& stamp) {
  const TStampKey& k = stamp.Key;
  constexpr int m = 2;  // room around the points
  int w = 0, h = 0;
  for (int i = 0; i < k.Count; ++i) w = std::max(w, k.Points[i].X), h = std::max(h, k.Points[i].Y);
  QImage scratch(w + 2 * m + 1, h + 2 * m + 1, QImage::Format_ARGB32_Premultiplied);
  scratch.fill(Qt::transparent);
  {
    QPainter p(&scratch);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon polygon(k.Count);
    for (int i = 0; i < k.Count; ++i) polygon.setPoint(i, k.Points[i].X + m, k.Points[i].Y + m);
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    area.addPolygon(polygon);
    p.fillPath(area, QBrush(Qt::black));
  }
  for (int y = 0; y < scratch.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
    for (int x = 0; x < scratch.width();) {
      if (qAlpha(row[x]) == 0) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < scratch.width() && qAlpha(row[x]) != 0) ++x;
      stamp.Add(TPixelRun{start - m, y - m, x - 1 - m, y - m, TRunRole::Fill});
    }
  }
}

}  // namespace fw

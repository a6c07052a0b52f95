#include "framework/gui/PainterCanvas.h"

#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>

#include "framework/gui/Bitmap.h"
#include "framework/gui/QtGraphics.h"

namespace fw {
namespace {

// Dash patterns of the platform's one-pixel pens, in pixels: on, off, on, off...
struct DashPattern {
  std::array<int, 6> runs{};
  int count = 0;
  int period = 0;
};

const DashPattern* PatternFor(TPenStyle style) {
  static const DashPattern dash{{18, 6}, 2, 24};
  static const DashPattern dot{{3, 3}, 2, 6};
  static const DashPattern dashDot{{9, 6, 3, 6}, 4, 24};
  static const DashPattern dashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
  static const DashPattern alternate{{1, 1}, 2, 2};
  switch (style) {
    case psDash: return &dash;
    case psDot: return &dot;
    case psDashDot: return &dashDot;
    case psDashDotDot: return &dashDotDot;
    case psAlternate: return &alternate;
    default: return nullptr;
  }
}

bool PatternOn(const DashPattern& p, int index) {
  int offset = index % p.period;
  for (int i = 0; i < p.count; ++i) {
    if (offset < p.runs[i]) return i % 2 == 0;
    offset -= p.runs[i];
  }
  return true;
}

QPainter::CompositionMode CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmBlack: return QPainter::RasterOp_ClearDestination;
    case pmWhite: return QPainter::RasterOp_SetDestination;
    case pmNop: return QPainter::CompositionMode_Destination;
    case pmNot: return QPainter::RasterOp_NotDestination;
    case pmNotCopy: return QPainter::RasterOp_NotSource;
    case pmMergePenNot: return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot: return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen: return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen: return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge: return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge: return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask: return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask: return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor: return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor: return QPainter::RasterOp_NotSourceXorDestination;
    case pmCopy:
    default: return QPainter::CompositionMode_SourceOver;
  }
}

Qt::BrushStyle HatchFor(TBrushStyle style) {
  switch (style) {
    case bsHorizontal: return Qt::HorPattern;
    case bsVertical: return Qt::VerPattern;
    case bsFDiagonal: return Qt::FDiagPattern;
    case bsBDiagonal: return Qt::BDiagPattern;
    case bsCross: return Qt::CrossPattern;
    case bsDiagCross: return Qt::DiagCrossPattern;
    case bsClear: return Qt::NoBrush;
    case bsSolid:
    default: return Qt::SolidPattern;
  }
}

// The Qt geometry of a shape's box: its outline runs through the pixels l and r - 1.
QRectF ShapeBox(const TRect& r) {
  return QRectF(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
}

// Angle, in Qt's sixteenths of a degree, of the ellipse parameter at which the ray from the box's
// centre through p meets the ellipse (the platform takes radial points, Qt parameter angles).
int ArcAngle(const QRectF& box, TPoint p) {
  const double rx = std::max(box.width() / 2.0, 0.5);
  const double ry = std::max(box.height() / 2.0, 0.5);
  const QPointF c = box.center();
  const double a = std::atan2(-(p.Y - c.y()) / ry, (p.X - c.x()) / rx);
  return static_cast<int>(std::lround(a * 180.0 / std::numbers::pi * 16.0));
}

}  // namespace

// Text, pixels, fills and bitmap copies are not subject to the pen's raster operation.
class TPainterCanvas::CopyModeScope {
 public:
  explicit CopyModeScope(TPainterCanvas& c) : canvas_(c) {
    if (canvas_.penComposition_ != QPainter::CompositionMode_SourceOver)
      canvas_.painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  ~CopyModeScope() {
    if (canvas_.penComposition_ != QPainter::CompositionMode_SourceOver)
      canvas_.painter_.setCompositionMode(canvas_.penComposition_);
  }
  CopyModeScope(const CopyModeScope&) = delete;
  CopyModeScope& operator=(const CopyModeScope&) = delete;

 private:
  TPainterCanvas& canvas_;
};

TPainterCanvas::TPainterCanvas(QImage* image) : image_(image) { Resume(); }

TPainterCanvas::~TPainterCanvas() { Suspend(); }

void TPainterCanvas::Suspend() {
  if (painter_.isActive()) painter_.end();
}

void TPainterCanvas::Resume() {
  Suspend();
  penValid_ = brushValid_ = stateValid_ = false;
  if (image_ == nullptr || image_->isNull()) return;
  painter_.begin(image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  if (IsClipped()) RemoveClip();
}

bool TPainterCanvas::Prepare() {
  if (!painter_.isActive()) return false;
  if (!penValid_ || penRevision_ != Pen().Revision()) ApplyPen();
  if (!brushValid_ || brushRevision_ != Brush().Revision()) ApplyBrush();
  if (!stateValid_ || stateRevision_ != StateRevision()) ApplyBack();
  return true;
}

void TPainterCanvas::ApplyPen() {
  const TPen& pen = Pen();
  penVisible_ = pen.Style() != psClear;
  thinPen_ = pen.Width() <= 1;
  QPen q(ToQColor(pen.Color()));
  if (!penVisible_) {
    q.setStyle(Qt::NoPen);
  } else if (thinPen_) {
    q.setWidth(1);
    q.setCapStyle(Qt::FlatCap);
    q.setJoinStyle(Qt::MiterJoin);
    if (const DashPattern* p = PatternFor(pen.Style())) {
      QList<qreal> dashes;
      for (int i = 0; i < p->count; ++i) dashes.append(p->runs[i]);
      q.setDashPattern(dashes);
    }
  } else {
    // Wider pens are always solid, with round ends and joins.
    q.setWidth(pen.Width());
    q.setCapStyle(Qt::RoundCap);
    q.setJoinStyle(Qt::RoundJoin);
  }
  painter_.setPen(q);
  penComposition_ = CompositionFor(pen.Mode());
  painter_.setCompositionMode(penComposition_);
  penRevision_ = pen.Revision();
  penValid_ = true;
}

void TPainterCanvas::ApplyBrush() {
  const TBrush& brush = Brush();
  const auto* bitmap = dynamic_cast<const TBitmap*>(brush.Bitmap());
  if (bitmap != nullptr && !bitmap->Empty()) {
    painter_.setBrush(QBrush(bitmap->ToImage()));
  } else {
    painter_.setBrush(QBrush(ToQColor(brush.Color()), HatchFor(brush.Style())));
  }
  brushRevision_ = brush.Revision();
  brushValid_ = true;
}

void TPainterCanvas::ApplyBack() {
  painter_.setBackgroundMode(BackMode() == OPAQUE ? Qt::OpaqueMode : Qt::TransparentMode);
  painter_.setBackground(QBrush(ToQColor(BackColor())));
  stateRevision_ = StateRevision();
  stateValid_ = true;
}

void TPainterCanvas::ApplyFont() {
  if (fontValid_ && fontRevision_ == Font().Revision()) return;
  qfont_ = ToQFont(Font());
  metrics_.emplace(ReferenceFontMetrics(qfont_));
  constexpr std::size_t kKeptFonts = 8;
  auto it = std::find_if(layouts_.begin(), layouts_.end(),
                         [&](const TFontLayouts& l) { return l.Font == qfont_; });
  if (it == layouts_.end()) {
    if (layouts_.size() >= kKeptFonts) layouts_.erase(layouts_.begin());
    layouts_.push_back(TFontLayouts{qfont_, {}});
    it = layouts_.end() - 1;
  }
  fontLayouts_ = static_cast<std::size_t>(it - layouts_.begin());
  fontRevision_ = Font().Revision();
  fontValid_ = true;
}

const TPainterCanvas::TLaidOutText& TPainterCanvas::LaidOut(std::string_view text) {
  constexpr std::size_t kMaxLaidOut = 4096;
  auto& texts = layouts_[fontLayouts_].Texts;
  auto it = texts.find(text);
  if (it != texts.end()) return it->second;
  if (texts.size() >= kMaxLaidOut) texts.clear();
  const QString s = ToQString(text);
  TLaidOutText laid;
  laid.Text.setTextFormat(Qt::PlainText);
  laid.Text.setText(s);
  laid.Text.prepare(QTransform(), qfont_);
  laid.Width = metrics_->horizontalAdvance(s);
  return texts.emplace(std::string(text), std::move(laid)).first->second;
}

void TPainterCanvas::DoLine(TPoint from, TPoint to) {
  if (!Prepare() || !penVisible_) return;
  if (!thinPen_) {
    // A zero-length line of a wide pen is a round dot.
    if (from == to)
      painter_.drawPoint(from.X, from.Y);
    else
      painter_.drawLine(from.X, from.Y, to.X, to.Y);
    return;
  }
  const TPoint path[] = {from, to};
  StrokeThin(path);
}

// One-pixel lines are rasterised here rather than by Qt, which orders a line's end points itself:
// the platform steps from each point towards the next and leaves the next one out, whichever way
// the line runs, and its dash pattern counts pixels from the first point of the path.
void TPainterCanvas::StrokeThin(std::span<const TPoint> path) {
  const DashPattern* pattern = PatternFor(Pen().Style());
  const QColor ink = ToQColor(Pen().Color());
  const bool fillGaps = pattern != nullptr && BackMode() == OPAQUE;
  const QColor gap = ToQColor(BackColor());
  int index = 0;  // pixels stepped so far along the path: the dash phase

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
    QPoint runOrigin(x, y);
    QPoint previous(x, y);
    bool runOn = pattern == nullptr || PatternOn(*pattern, index);
    auto flush = [&] {
      if (!runOn && !fillGaps) return;
      const QRect run(QPoint(std::min(runOrigin.x(), previous.x()), std::min(runOrigin.y(), previous.y())),
                      QPoint(std::max(runOrigin.x(), previous.x()), std::max(runOrigin.y(), previous.y())));
      painter_.fillRect(run, runOn ? ink : gap);
    };
    for (int i = 0; i < steps; ++i, ++index) {
      const QPoint current(x, y);
      const bool on = pattern == nullptr || PatternOn(*pattern, index);
      const bool sameLine = xMajor ? current.y() == runOrigin.y() : current.x() == runOrigin.x();
      if (i > 0 && (on != runOn || !sameLine)) {
        flush();
        runOrigin = current;
        runOn = on;
      }
      previous = current;
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

void TPainterCanvas::DoRectangle(const TRect& r) {
  if (!Prepare()) return;
  if (!penVisible_) {
    const QRect inside(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    if (inside.isValid()) painter_.fillRect(inside, painter_.brush());
    return;
  }
  if (!thinPen_) {
    painter_.drawRect(ShapeBox(r));
    return;
  }
  const QRect inside(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
  if (inside.isValid()) painter_.fillRect(inside, painter_.brush());
  const TPoint path[] = {{r.Left, r.Top},
                         {r.Right - 1, r.Top},
                         {r.Right - 1, r.Bottom - 1},
                         {r.Left, r.Bottom - 1},
                         {r.Left, r.Top}};
  StrokeThin(path);
}

// Ellipses are scan-converted here: Qt's curve flattening makes small ones lopsided and may miss
// the box's last column. With a one-pixel pen the outline is the curve through the centres of the
// pixels l..r-1 and t..b-1: each row gets the pixels the curve crosses within that row, and the
// fill is what lies between. Without a pen the platform fills only the pixels whose centres lie
// inside that curve, which is one pixel less to the right and bottom. Rows are mirror-symmetric.
void TPainterCanvas::DoEllipse(const TRect& r) {
  if (!Prepare()) return;
  if (penVisible_ && !thinPen_) {
    painter_.drawEllipse(ShapeBox(r));
    return;
  }
  const QBrush& brush = painter_.brush();
  const bool fill = brush.style() != Qt::NoBrush;
  if (!penVisible_) {
    if (fill) FillEllipseInside(r, brush);
    return;
  }
  const int w = r.Width() - 1;  // from the centre of the first pixel to that of the last
  const int h = r.Height() - 1;
  if (w < 0 || h < 0) return;
  const double cy = r.Top + h / 2.0;
  const double rx = w / 2.0;
  const double ry = h / 2.0;
  const double cx = r.Left + rx;
  const int mirror = r.Left + r.Right - 1;  // pixel x mirrors to pixel mirror - x
  // Half-width of the curve at a vertical distance d from its centre; negative beyond it.
  auto halfWidth = [&](double d) {
    if (ry <= 0) return d <= 0 ? rx : -1.0;
    const double t = d / ry;
    return t > 1.0 ? -1.0 : rx * std::sqrt(1.0 - t * t);
  };
  auto pixelOf = [](double v) { return static_cast<int>(std::floor(v + 0.5 + 1e-9)); };
  const QColor ink = ToQColor(Pen().Color());
  for (int y = r.Top; y < r.Bottom; ++y) {
    const double d = std::abs(y - cy);
    const double widest = halfWidth(d <= 0.5 ? 0.0 : d - 0.5);
    if (widest < 0) continue;
    const double narrowest = std::max(0.0, halfWidth(d + 0.5));
    const int outer = pixelOf(cx - widest);
    const int inner = pixelOf(cx - narrowest);
    if (2 * inner + 1 >= mirror) {  // the two sides meet: one run across
      painter_.fillRect(QRect(outer, y, mirror - 2 * outer + 1, 1), ink);
      continue;
    }
    painter_.fillRect(QRect(outer, y, inner - outer + 1, 1), ink);
    painter_.fillRect(QRect(mirror - inner, y, inner - outer + 1, 1), ink);
    if (fill) painter_.fillRect(QRect(inner + 1, y, mirror - 2 * inner - 1, 1), brush);
  }
}

void TPainterCanvas::FillEllipseInside(const TRect& r, const QBrush& brush) {
  // The curve through the pixel edges l and r - 1 (and t, b - 1); pixel centres lie at +0.5.
  const double rx = (r.Width() - 1) / 2.0;
  const double ry = (r.Height() - 1) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  const double cx = r.Left + rx;
  const double cy = r.Top + ry;
  const int mirror = r.Left + r.Right - 2;
  // Small solid dots are the chart's most frequent shape: without clipping or a raster operation
  // their rows go straight into the image.
  const bool direct = brush.style() == Qt::SolidPattern && !painter_.hasClipping() &&
                      penComposition_ == QPainter::CompositionMode_SourceOver &&
                      brush.color().alpha() == 255;
  const QRgb pixel = brush.color().rgb();
  for (int y = r.Top; y < r.Bottom - 1; ++y) {
    const double t = (y + 0.5 - cy) / ry;
    if (t * t > 1.0) continue;
    const double half = rx * std::sqrt(1.0 - t * t) + 1e-9;
    const int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
    const int x1 = mirror - x0;
    if (x1 < x0) continue;
    if (!direct) {
      painter_.fillRect(QRect(x0, y, x1 - x0 + 1, 1), brush);
    } else if (y >= 0 && y < image_->height()) {
      // Through constBits: writing must not detach the image from the painter's buffer.
      auto* row = reinterpret_cast<QRgb*>(const_cast<uchar*>(image_->constBits()) +
                                          static_cast<qsizetype>(y) * image_->bytesPerLine());
      for (int x = std::max(x0, 0), end = std::min(x1, image_->width() - 1); x <= end; ++x)
        row[x] = pixel;
    }
  }
}

void TPainterCanvas::DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  if (!Prepare()) return;
  painter_.drawRoundedRect(ShapeBox(r), cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
}

void TPainterCanvas::DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) {
  if (!Prepare()) return;
  const QRectF box = ShapeBox(r);
  const int a0 = ArcAngle(box, start);
  const int a1 = ArcAngle(box, end);
  int span = a1 - a0;
  while (span <= 0) span += 360 * 16;  // counter-clockwise; the same point twice is a full turn
  if (kind == TArcKind::Arc)
    painter_.drawArc(box, a0, span);
  else
    painter_.drawPie(box, a0, span);
}

void TPainterCanvas::DoPolygon(std::span<const TPoint> points) {
  if (!Prepare()) return;
  QPolygon polygon(static_cast<int>(points.size()));
  for (size_t i = 0; i < points.size(); ++i)
    polygon.setPoint(static_cast<int>(i), points[i].X, points[i].Y);
  if (penVisible_ && !thinPen_) {
    painter_.drawPolygon(polygon, Qt::OddEvenFill);
    return;
  }
  if (painter_.brush().style() != Qt::NoBrush) {
    QPainterPath area;
    area.setFillRule(Qt::OddEvenFill);
    area.addPolygon(polygon);
    painter_.fillPath(area, painter_.brush());
  }
  if (!penVisible_) return;
  QVarLengthArray<TPoint, 16> closed(points.begin(), points.end());
  closed.append(points.front());
  StrokeThin(closed);
}

void TPainterCanvas::DoPolyline(std::span<const TPoint> points) {
  if (!Prepare() || !penVisible_) return;
  if (thinPen_) {
    StrokeThin(points);
    return;
  }
  QPolygon polygon(static_cast<int>(points.size()));
  for (size_t i = 0; i < points.size(); ++i)
    polygon.setPoint(static_cast<int>(i), points[i].X, points[i].Y);
  painter_.drawPolyline(polygon);
}

void TPainterCanvas::DoSetPixel(int x, int y, TColor color) {
  if (!Prepare()) return;
  CopyModeScope copy(*this);
  painter_.fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TPainterCanvas::DoTextOut(int x, int y, std::string_view text) {
  // Text takes only the font and the brush colour, never the painter's pen or brush: those are
  // brought up to date by the next shape that needs them.
  if (!painter_.isActive() || text.empty()) return;
  ApplyFont();
  const TLaidOutText& laid = LaidOut(text);
  const int width = laid.Width;
  const int ascent = metrics_->ascent();
  const int descent = metrics_->descent();
  int dx = 0;
  switch (TextAlign() & TA_HORIZONTAL_MASK) {
    case TA_RIGHT: dx = -width; break;
    case TA_CENTER: dx = -width / 2; break;
    default: break;
  }
  int baseline = ascent;  // TA_TOP: the reference point is the top of the cell
  switch (TextAlign() & TA_VERTICAL_MASK) {
    case TA_BASELINE: baseline = 0; break;
    case TA_BOTTOM: baseline = -descent; break;
    default: break;
  }
  CopyModeScope copy(*this);
  painter_.setFont(qfont_);
  const bool turned = Font().Escapement() % 3600 != 0;
  if (turned) {
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-Font().Escapement() / 10.0);
    x = 0;
    y = 0;
  }
  // The text background follows the brush, as on a canvas layer over a GDI-style platform, where
  // selecting a brush sets the text background: a solid brush paints the text cell in its colour,
  // any other (clear, hatched or pattern) brush writes the text transparently. The back mode and
  // back colour serve the gaps of dashed lines and hatches only.
  const TBrush& brush = Brush();
  if (brush.Style() == bsSolid && brush.Bitmap() == nullptr)
    painter_.fillRect(QRect(x + dx, y + baseline - ascent, width, ascent + descent),
                      ToQColor(brush.Color()));
  const QPen pen = painter_.pen();
  painter_.setPen(ToQColor(Font().Color()));
  if (painter_.backgroundMode() != Qt::TransparentMode) {
    painter_.setBackgroundMode(Qt::TransparentMode);
    stateValid_ = false;
  }
  // A turned text is drawn by a plain drawText: its kept layout would not give the same pixels.
  if (turned)
    painter_.drawText(QPoint(x + dx, y + baseline), laid.Text.text());
  else
    painter_.drawStaticText(QPoint(x + dx, y + baseline - ascent), laid.Text);
  if (turned) {
    painter_.restore();
  } else {
    painter_.setPen(pen);
  }
}

TSize TPainterCanvas::DoTextExtent(std::string_view text) {
  ApplyFont();
  return MeasureText(*metrics_, text);
}

void TPainterCanvas::DoFillRect(const TRect& r, bool) {
  if (!Prepare()) return;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  CopyModeScope copy(*this);
  painter_.fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), painter_.brush());
}

void TPainterCanvas::DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) {
  if (!Prepare()) return;
  const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic);
  if (bitmap == nullptr) {
    graphic.PaintOn(*this, dest);
    return;
  }
  // A bitmap copy replaces the pixels (source copy), whatever the raster operation.
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage image = bitmap->ToImage();
  if (stretch)
    painter_.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), image);
  else
    painter_.drawImage(QPoint(dest.Left, dest.Top), image);
  painter_.setCompositionMode(penComposition_);
}

void TPainterCanvas::ApplyClip(const QRegion& region, TClipOperation op) {
  if (!painter_.isActive()) return;
  const bool clipping = painter_.hasClipping();
  switch (op) {
    case TClipOperation::Replace:
      painter_.setClipRegion(region, Qt::ReplaceClip);
      break;
    case TClipOperation::Intersect:
      painter_.setClipRegion(region, clipping ? Qt::IntersectClip : Qt::ReplaceClip);
      break;
    case TClipOperation::Exclude: {
      const QRegion current =
          clipping ? painter_.clipRegion() : QRegion(0, 0, image_->width(), image_->height());
      painter_.setClipRegion(current.subtracted(region), Qt::ReplaceClip);
      break;
    }
  }
}

void TPainterCanvas::DoClipRect(const TRect& r, TClipOperation op) {
  ApplyClip(QRegion(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height())), op);
}

void TPainterCanvas::DoClipPolygon(std::span<const TPoint> points, TClipOperation op) {
  QPolygon polygon(static_cast<int>(points.size()));
  for (size_t i = 0; i < points.size(); ++i)
    polygon.setPoint(static_cast<int>(i), points[i].X, points[i].Y);
  ApplyClip(QRegion(polygon, Qt::OddEvenFill), op);
}

void TPainterCanvas::DoRemoveClip() {
  if (painter_.isActive()) painter_.setClipping(false);
}

std::unique_ptr<TCustomBitmap> TPainterCanvas::DoCreateCompatibleBitmap(int width, int height) {
  return std::make_unique<TBitmap>(width, height);
}

}  // namespace fw

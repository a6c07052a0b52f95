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
#include "framework/gui/ShapeRuns.h"

namespace fw {
namespace {

QPainter::CompositionMode CompositionFor(TPenMode mode) {
  switch (mode) {
    case pmBlack:
      return QPainter::RasterOp_ClearDestination;
    case pmWhite:
      return QPainter::RasterOp_SetDestination;
    case pmNop:
      return QPainter::CompositionMode_Destination;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
      return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
      return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
      return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
      return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    case pmCopy:
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

Qt::BrushStyle HatchFor(TBrushStyle style) {
  switch (style) {
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::FDiagPattern;
    case bsBDiagonal:
      return Qt::BDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
    case bsClear:
      return Qt::NoBrush;
    case bsSolid:
    default:
      return Qt::SolidPattern;
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

// Where the runs of one operation go: straight into the image when that gives the same pixels (a
// solid opaque colour, no raster operation, no clip or a rectangular one), else through QPainter
// with its clip, raster operation and brush pattern.
class TPainterCanvas::RunPainter {
 public:
  // `usesBrush`: some runs are the brush's fill. `copyMode`: the operation ignores the raster
  // operation.
  RunPainter(TPainterCanvas& c, int dx, int dy, bool usesBrush, bool copyMode = false)
      : canvas_(c), dx_(dx), dy_(dy) {
    const QBrush& brush = c.painter_.brush();
    direct_ = c.direct_ && c.writer_.Usable() &&
              (copyMode || c.penComposition_ == QPainter::CompositionMode_SourceOver) &&
              (!usesBrush || brush.style() == Qt::SolidPattern);
    if (!direct_) return;
    colors_.Fill = brush.color().rgb();
    colors_.Ink = ToQColor(c.Pen().Color()).rgb();
    colors_.Gap = ToQColor(c.BackColor()).rgb();
  }

  void operator()(const TPixelRun& r) const {
    if (direct_) {
      canvas_.writer_.Write(r, dx_, dy_, colors_.Of(r.Role));
      return;
    }
    const QRect area(QPoint(r.X0 + dx_, r.Y0 + dy_), QPoint(r.X1 + dx_, r.Y1 + dy_));
    if (r.Role == TRunRole::Fill)
      canvas_.painter_.fillRect(area, canvas_.painter_.brush());
    else
      canvas_.painter_.fillRect(
          area, ToQColor(r.Role == TRunRole::Ink ? canvas_.Pen().Color() : canvas_.BackColor()));
  }
  // The brush over `area` (not moved).
  void Fill(const QRect& area) const {
    (*this)(TPixelRun{area.left() - dx_, area.top() - dy_, area.right() - dx_, area.bottom() - dy_,
                      TRunRole::Fill});
  }

 private:
  TPainterCanvas& canvas_;
  int dx_;
  int dy_;
  bool direct_ = false;
  TStampColors colors_;
};

TPainterCanvas::TPainterCanvas(QImage* image) : image_(image) {
  Resume();
}

TPainterCanvas::~TPainterCanvas() {
  Suspend();
}

void TPainterCanvas::Suspend() {
  if (painter_.isActive()) painter_.end();
  writer_.Attach(nullptr);
  ForgetStamps();
}

void TPainterCanvas::Resume() {
  Suspend();
  penValid_ = brushValid_ = stateValid_ = false;
  if (image_ == nullptr || image_->isNull()) return;
  painter_.begin(image_);
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  AttachDirect();
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
    if (const TDashPattern* p = DashPatternFor(pen.Style())) {
      QList<qreal> dashes;
      for (int i = 0; i < p->Count; ++i) dashes.append(p->Runs[i]);
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
  if (font_ != nullptr && fontRevision_ == Font().Revision()) return;
  font_ = &texts_.FontFor(Font());
  constexpr std::size_t kKeptFonts = 8;
  auto it = std::find_if(layouts_.begin(), layouts_.end(),
                         [&](const TFontLayouts& l) { return l.Font == font_->Font; });
  if (it == layouts_.end()) {
    if (layouts_.size() >= kKeptFonts) layouts_.erase(layouts_.begin());
    layouts_.push_back(TFontLayouts{font_->Font, ++fontIds_, {}});
    it = layouts_.end() - 1;
  }
  fontLayouts_ = static_cast<std::size_t>(it - layouts_.begin());
  fontRevision_ = Font().Revision();
}

TPainterCanvas::TLaidOutText& TPainterCanvas::LaidOut(std::string_view text) {
  constexpr std::size_t kMaxLaidOut = 4096;
  auto& texts = layouts_[fontLayouts_].Texts;
  auto it = texts.find(text);
  if (it != texts.end()) return it->second;
  if (texts.size() >= kMaxLaidOut) texts.clear();
  const QString s = ToQString(text);
  TLaidOutText laid;
  laid.Text.setTextFormat(Qt::PlainText);
  laid.Text.setText(s);
  laid.Text.prepare(QTransform(), font_->Font);
  laid.Width = TTextCache::Width(*font_, text);
  return texts.emplace(std::string(text), std::move(laid)).first->second;
}

void TPainterCanvas::DoLine(TPoint from, TPoint to) {
  if (StampLine(from, to)) return;
  ForgetStamps();
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
  const TDashPattern* pattern = DashPatternFor(Pen().Style());
  RunPainter runs(*this, 0, 0, false);
  ThinPathRuns(path, pattern, pattern != nullptr && BackMode() == OPAQUE, runs);
}

// Boxes of more pixels than this (a mark's, a legend's) are written directly rather than stamped:
// they are seldom drawn twice on the same pixels, which is what a stamp saves.
constexpr int kMinWrittenBox = 256;

bool TPainterCanvas::WriteBox(const TRect& r) {
  const int w = r.Width();
  const int h = r.Height();
  if (!direct_ || !writer_.Usable() || w < 3 || h < 3 || w * h <= kMinWrittenBox) return false;
  const ShapeStyle& style = CurrentShapeStyle();
  const bool outline = Pen().Style() != psClear;
  if (!style.Stampable || (outline && Pen().Style() != psSolid)) return false;
  ForgetStamps();
  const QRgb ink = style.Colors.Ink;
  const int l = r.Left, t = r.Top, right = r.Right - 1, bottom = r.Bottom - 1;
  if (!outline) {
    if (style.Fill) writer_.Write(TPixelRun{l, t, right - 1, bottom - 1}, 0, 0, style.Colors.Fill);
    return true;
  }
  // The fill inside, then the outline's pixels, as the one-pixel path round the box covers them.
  if (style.Fill)
    writer_.Write(TPixelRun{l + 1, t + 1, right - 1, bottom - 1}, 0, 0, style.Colors.Fill);
  writer_.Write(TPixelRun{l, t, right, t}, 0, 0, ink);
  writer_.Write(TPixelRun{l, bottom, right, bottom}, 0, 0, ink);
  writer_.Write(TPixelRun{l, t + 1, l, bottom - 1}, 0, 0, ink);
  writer_.Write(TPixelRun{right, t + 1, right, bottom - 1}, 0, 0, ink);
  return true;
}

void TPainterCanvas::DoRectangle(const TRect& r) {
  if (WriteBox(r) || StampBox(TStampShape::Rectangle, r)) return;
  ForgetStamps();
  if (!Prepare()) return;
  if (!penVisible_) {
    const QRect inside(r.Left, r.Top, r.Width() - 1, r.Height() - 1);
    if (inside.isValid()) RunPainter(*this, 0, 0, true).Fill(inside);
    return;
  }
  if (!thinPen_) {
    painter_.drawRect(ShapeBox(r));
    return;
  }
  const QRect inside(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2);
  if (inside.isValid()) RunPainter(*this, 0, 0, true).Fill(inside);
  const TPoint path[] = {{r.Left, r.Top},
                         {r.Right - 1, r.Top},
                         {r.Right - 1, r.Bottom - 1},
                         {r.Left, r.Bottom - 1},
                         {r.Left, r.Top}};
  StrokeThin(path);
}

// Ellipses are scan-converted here (ShapeRuns.h): Qt's curve flattening makes small ones lopsided
// and may miss the box's last column.
void TPainterCanvas::DoEllipse(const TRect& r) {
  if (StampBox(TStampShape::Ellipse, r)) return;
  ForgetStamps();
  if (!Prepare()) return;
  if (penVisible_ && !thinPen_) {
    painter_.drawEllipse(ShapeBox(r));
    return;
  }
  const bool fill = painter_.brush().style() != Qt::NoBrush;
  RunPainter runs(*this, r.Left, r.Top, fill);
  if (!penVisible_) {
    if (fill) FilledEllipseRuns(r.Width(), r.Height(), runs);
    return;
  }
  OutlinedEllipseRuns(r.Width(), r.Height(), fill, runs);
}

void TPainterCanvas::DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) {
  ForgetStamps();
  if (!Prepare()) return;
  painter_.drawRoundedRect(ShapeBox(r), cornerWidth / 2.0, cornerHeight / 2.0, Qt::AbsoluteSize);
}

void TPainterCanvas::DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) {
  ForgetStamps();
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
  if (StampPolygon(points)) return;
  ForgetStamps();
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
  ForgetStamps();
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
  ForgetStamps();
  if (!painter_.isActive()) return;
  // Pixels ignore the raster operation, so one can always be written directly.
  if (direct_ && writer_.Usable()) {
    writer_.Write(TPixelRun{x, y, x, y}, 0, 0, ToQColor(color).rgb());
    return;
  }
  if (!Prepare()) return;
  CopyModeScope copy(*this);
  painter_.fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void TPainterCanvas::DoTextOut(int x, int y, std::string_view text) {
  // Text takes only the font and the brush colour, never the painter's pen or brush: those are
  // brought up to date by the next shape that needs them.
  ForgetStamps();
  if (!painter_.isActive() || text.empty()) return;
  ApplyFont();
  TLaidOutText& laid = LaidOut(text);
  const int width = laid.Width;
  const int ascent = font_->Ascent;
  const int descent = font_->Descent;
  int dx = 0;
  switch (TextAlign() & TA_HORIZONTAL_MASK) {
    case TA_RIGHT:
      dx = -width;
      break;
    case TA_CENTER:
      dx = -width / 2;
      break;
    default:
      break;
  }
  int baseline = ascent;  // TA_TOP: the reference point is the top of the cell
  switch (TextAlign() & TA_VERTICAL_MASK) {
    case TA_BASELINE:
      baseline = 0;
      break;
    case TA_BOTTOM:
      baseline = -descent;
      break;
    default:
      break;
  }
  CopyModeScope copy(*this);
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
  const QRect cell(x + dx, y + baseline - ascent, width, ascent + descent);
  const bool direct = direct_ && writer_.Usable() && !turned;
  if (brush.Style() == bsSolid && brush.Bitmap() == nullptr) {
    const QColor back = ToQColor(brush.Color());
    if (direct)
      writer_.Write(TPixelRun{cell.left(), cell.top(), cell.right(), cell.bottom()}, 0, 0,
                    back.rgb());
    else
      painter_.fillRect(cell, back);
  }
  if (direct && CopyText(laid, text, cell.topLeft())) return;
  painter_.setFont(font_->Font);
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
    painter_.drawStaticText(cell.topLeft(), laid.Text);
  if (turned) {
    painter_.restore();
  } else {
    painter_.setPen(pen);
  }
}

bool TPainterCanvas::CopyText(TLaidOutText& laid, std::string_view text, QPoint origin) {
  if (!laid.DrawnOnce) {
    laid.DrawnOnce = true;
    return false;
  }
  if (!laid.CoverageKnown) {
    laid.Coverage = TTextImages::Coverage(laid.Text, font_->Font, laid.Width,
                                          font_->Ascent + font_->Descent, *image_);
    laid.CoverageKnown = true;
  }
  if (!laid.Coverage) return false;
  const QRect at = laid.Coverage->translated(origin);
  const QRect box =
      at & QRect(QPoint(writer_.Left(), writer_.Top()), QPoint(writer_.Right(), writer_.Bottom()));
  if (box.isEmpty()) return true;  // no pixel the text could touch is drawable
  QRgb back = 0;
  if (!TTextImages::Uniform(*image_, box, &back)) return false;
  if (inkRevision_ != Font().Revision() || !inkValid_) {
    ink_ = ToQColor(Font().Color()).rgb();
    inkRevision_ = Font().Revision();
    inkValid_ = true;
  }
  const QRgb ink = ink_;
  const QImage::Format format = image_->format();
  const QImage* pixels = laid.Image;
  if (pixels == nullptr || laid.ImageInk != ink || laid.ImageBack != back ||
      laid.ImageFormat != format || laid.ImageGeneration != textImages_.Generation()) {
    const TTextImages::TKeyView key{layouts_[fontLayouts_].Id, ink, back, format, text};
    pixels = textImages_.Get(key, laid.Text, font_->Font, *laid.Coverage, *image_);
    if (pixels == nullptr) return false;
    laid.Image = pixels;
    laid.ImageInk = ink;
    laid.ImageBack = back;
    laid.ImageFormat = format;
    laid.ImageGeneration = textImages_.Generation();
  }
  TTextImages::Copy(*pixels, at, image_, box);
  ++textsCopied_;
  return true;
}

TSize TPainterCanvas::DoTextExtent(std::string_view text) {
  ApplyFont();
  return TSize{TTextCache::Width(*font_, text), font_->Ascent + font_->Descent};
}

void TPainterCanvas::DoFillRect(const TRect& r, bool) {
  ForgetStamps();
  if (!Prepare()) return;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  CopyModeScope copy(*this);
  const QRect area(r.Left, r.Top, r.Width(), r.Height());
  // Fills are not subject to the raster operation either.
  RunPainter(*this, 0, 0, true, true).Fill(area);
}

void TPainterCanvas::DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) {
  ForgetStamps();
  if (!Prepare()) return;
  const auto* bitmap = dynamic_cast<const TBitmap*>(&graphic);
  if (bitmap == nullptr) {
    graphic.PaintOn(*this, dest);
    return;
  }
  // A bitmap copy replaces the pixels (source copy), whatever the raster operation.
  painter_.setCompositionMode(QPainter::CompositionMode_Source);
  // The image itself unless it must be shown monochrome or is this canvas' own: a copy of an
  // image being painted on would be a deep one.
  QImage shown;
  const QImage* image = &bitmap->Image();
  if (bitmap->Monochrome() || image == image_) {
    shown = bitmap->ToImage().copy();
    image = &shown;
  }
  if (stretch)
    painter_.drawImage(QRect(dest.Left, dest.Top, dest.Width(), dest.Height()), *image);
  else
    painter_.drawImage(QPoint(dest.Left, dest.Top), *image);
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
  UpdateClip();
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
  UpdateClip();
}

std::unique_ptr<TCustomBitmap> TPainterCanvas::DoCreateCompatibleBitmap(int width, int height) {
  return std::make_unique<TBitmap>(width, height);
}

}  // namespace fw

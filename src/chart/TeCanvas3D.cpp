#include "chart/TeCanvas3D.h"

#include <algorithm>
#include <cmath>

#include "chart/TeCanvasView3D.h"

namespace tee {
namespace {

// Round to nearest, halves to even (the default floating-point rounding mode).
int RoundEven(double v) {
  return static_cast<int>(std::nearbyint(v));
}

constexpr double kDegreesToRadians = 0.017453292519943295;

}  // namespace

TTeeCanvas3D::TTeeCanvas3D() = default;

TTeeCanvas3D::~TTeeCanvas3D() {
  // Never leave the canvas attached to the buffer it is about to release.
  if (bitmap_ && ReferenceCanvas() == &bitmap_->Canvas()) SetCanvas(nullptr);
}

// --- Surface state -------------------------------------------------------------------------

TColor TTeeCanvas3D::GetBackColor() {
  return ReferenceCanvas()->BackColor();
}
int TTeeCanvas3D::GetBackMode() {
  return ReferenceCanvas()->BackMode();
}
fw::TCanvas* TTeeCanvas3D::GetHandle() {
  return ReferenceCanvas();
}
unsigned TTeeCanvas3D::GetTextAlign() {
  return ReferenceCanvas()->TextAlign();
}
void TTeeCanvas3D::SetBackColor(TColor color) {
  ReferenceCanvas()->SetBackColor(color);
}
void TTeeCanvas3D::SetBackMode(int mode) {
  ReferenceCanvas()->SetBackMode(mode);
}
void TTeeCanvas3D::SetTextAlign(unsigned flags) {
  ReferenceCanvas()->SetTextAlign(flags);
}
void TTeeCanvas3D::SetPixel(int x, int y, TColor color) {
  ReferenceCanvas()->SetPixel(x, y, color);
}

void TTeeCanvas3D::SetBuffered(bool value) {
  buffered_ = value;
  if (value) return;
  if (bitmap_ && ReferenceCanvas() == &bitmap_->Canvas()) SetCanvas(nullptr);
  bitmap_.reset();
  dirty_ = true;
}

void TTeeCanvas3D::SetMonochrome(bool value) {
  if (value == monochrome_) return;
  monochrome_ = value;
  if (bitmap_ && ReferenceCanvas() == &bitmap_->Canvas()) SetCanvas(nullptr);
  bitmap_.reset();
  dirty_ = true;
  if (view3DOptions_ != nullptr) view3DOptions_->Repaint();
}

void TTeeCanvas3D::Assign(TCanvas3D* source) {
  if (source != nullptr) SetMonochrome(source->GetMonochrome());
}

// --- 2D operations -------------------------------------------------------------------------

void TTeeCanvas3D::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ReferenceCanvas()->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TTeeCanvas3D::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  ReferenceCanvas()->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TTeeCanvas3D::Draw(int x, int y, const fw::TGraphic& graphic) {
  if (graphic.Empty()) return;
  SetBackColor(Brush().Color());
  ReferenceCanvas()->Draw(x, y, graphic);
}

void TTeeCanvas3D::StretchDraw(const TRect& r, const fw::TGraphic& graphic) {
  ReferenceCanvas()->StretchDraw(r, graphic);
}

void TTeeCanvas3D::Ellipse(int x1, int y1, int x2, int y2) {
  ReferenceCanvas()->Ellipse(x1, y1, x2, y2);
}

void TTeeCanvas3D::Rectangle(int x0, int y0, int x1, int y1) {
  ReferenceCanvas()->Rectangle(x0, y0, x1, y1);
}

void TTeeCanvas3D::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  ReferenceCanvas()->RoundRect(x1, y1, x2, y2, x3, y3);
}

void TTeeCanvas3D::FillRect(const TRect& r) {
  ReferenceCanvas()->FillRect(r);
}
void TTeeCanvas3D::EraseBackground(const TRect& r) {
  ReferenceCanvas()->FillRect(r);
}
void TTeeCanvas3D::MoveTo(int x, int y) {
  ReferenceCanvas()->MoveTo(x, y);
}
void TTeeCanvas3D::LineTo(int x, int y) {
  ReferenceCanvas()->LineTo(x, y);
}

void TTeeCanvas3D::Line(int x0, int y0, int x1, int y1) {
  fw::TCanvas* c = ReferenceCanvas();
  c->MoveTo(x0, y0);
  c->LineTo(x1, y1);
}

void TTeeCanvas3D::HorizLine(int left, int right, int y) {
  Line(left, y, right, y);
}
void TTeeCanvas3D::VertLine(int x, int top, int bottom) {
  Line(x, top, x, bottom);
}
void TTeeCanvas3D::DrawRect(const TRect& r) {
  Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}
void TTeeCanvas3D::Polygon(std::span<const TPoint> points) {
  ReferenceCanvas()->Polygon(points);
}

void TTeeCanvas3D::Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) {
  fw::TCanvas* c = ReferenceCanvas();
  c->Pen().SetWidth(1);
  --r.Right;
  --r.Bottom;
  for (int ring = 0; ring < width; ++ring) {
    c->Pen().SetColor(topLeft);
    const TPoint upper[] = {{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}};
    c->Polyline(upper);
    c->Pen().SetColor(bottomRight);
    const TPoint lower[] = {{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}};
    c->Polyline(lower);
    fw::InflateRect(r, -1, -1);
  }
  // What is left inside the frame, right and bottom edges excluded again.
  ++r.Right;
  ++r.Bottom;
}

void TTeeCanvas3D::TextOut(int x, int y, const std::string& text) {
  ReferenceCanvas()->TextOut(x, y, text);
}

int TTeeCanvas3D::TextWidth(const std::string& text) {
  return std::max(0, ReferenceCanvas()->TextWidth(text));
}

int TTeeCanvas3D::TextHeight(const std::string& text) {
  return std::max(0, ReferenceCanvas()->TextHeight(text));
}

void TTeeCanvas3D::ClipRectangle(const TRect& r) {
  ReferenceCanvas()->IntersectClipRect(r);
}
void TTeeCanvas3D::UnClipRectangle() {
  ReferenceCanvas()->RemoveClip();
}

int TTeeCanvas3D::ZoomedFontSize() {
  if (!zoomText_ || zoomFactor_ == 1.0) return 0;
  const int size = Font().Size();
  const int zoomed = std::max(1, RoundEven(size * zoomFactor_));
  return zoomed != size ? zoomed : 0;
}

void TTeeCanvas3D::TextOutWithFont(int x, int y, const std::string& text, int escapement) {
  fw::TFont& font = Font();
  const int zoomed = ZoomedFontSize();
  if (zoomed == 0 && escapement == font.Escapement()) {
    TextOut(x, y, text);
    return;
  }
  // A temporary font for this one call; the canvas font is put back afterwards.
  fw::TFont saved;
  saved.SetPixelsPerInch(font.PixelsPerInch());
  saved.Assign(&font);
  font.SetEscapement(escapement);
  if (zoomed != 0) font.SetHeight(-fw::MulDiv(zoomed, font.PixelsPerInch(), 72));
  TextOut(x, y, text);
  font.Assign(&saved);
}

void TTeeCanvas3D::RotateLabel(int x, int y, const std::string& text, int angle) {
  Brush().SetStyle(fw::bsClear);
  if (angle > 360) angle -= 360;
  TextOutWithFont(x, y, text, angle * 10);
}

// --- Paint cycle and projection ------------------------------------------------------------

TRect TTeeCanvas3D::InitWindow(fw::TCanvas* target, TView3DOptions* options, bool is3D,
                               const TRect& r) {
  bounds_ = r;
  view3DOptions_ = options;
  is3D_ = is3D;
  orthogonal_ = false;
  zoomFactor_ = 1.0;
  perspectiveFactor_ = 0;
  if (is3D) {
    if (options != nullptr) {
      orthogonal_ = options->Orthogonal();
      zoomFactor_ = options->Zoom() * 0.01;
      zoomText_ = options->ZoomText();
    }
    CalcTrigValues();
  }
  if (!buffered_ || target == nullptr) {
    SetCanvas(target);
    return r;
  }
  const int w = r.Width();
  const int h = r.Height();
  if (bitmap_ && (bitmap_->Width() != w || bitmap_->Height() != h)) {
    if (ReferenceCanvas() == &bitmap_->Canvas()) SetCanvas(nullptr);
    bitmap_.reset();
  }
  if (!bitmap_) {
    bitmap_ = target->CreateCompatibleBitmap(w, h);
    bitmap_->SetMonochrome(monochrome_);
    bitmap_->SetSize(w, h);
  }
  // Drawing into the buffer must not notify anyone.
  bitmap_->Canvas().SetNotificationsEnabled(false);
  SetCanvas(&bitmap_->Canvas());
  return TRect{0, 0, w, h};
}

void TTeeCanvas3D::CalcTrigValues() {
  double r = 0, e = 0, t = 0;
  if (view3DOptions_ != nullptr) {
    r = view3DOptions_->Rotation() * kDegreesToRadians;
    e = view3DOptions_->Elevation() * kDegreesToRadians;
    t = view3DOptions_->Tilt() * kDegreesToRadians;
  }
  const double sx = std::sin(r), cx = std::cos(r);
  const double sy = std::sin(e), cy = std::cos(e);
  const double sz = std::sin(t), cz = std::cos(t);
  perspectiveFactor_ = 0;
  a1_ = sy;
  a2_ = static_cast<long double>(cy) * sx;
  c1_ = cy * sz;
  c2_ = std::max(cy * cz, 0.00001);
  c3_ = cx * cy;
  c4_ = std::max(sx * sy * sz + cx * cz, 0.00001);
  c5_ = cz * sx * sy - cx * sz;
  c6_ = cx * sy * sz - cz * sx;
  c7_ = cx * cz * sy + sx * sz;
}

void TTeeCanvas3D::Projection(int maxDepth, const TRect& bounds) {
  XCenter = (bounds.Left + bounds.Right) / 2;
  YCenter = (bounds.Top + bounds.Bottom) / 2;
  ZCenter = maxDepth / 2;
  XCenterOffset = XCenter;
  YCenterOffset = YCenter;
  if (view3DOptions_ != nullptr) {
    XCenterOffset += view3DOptions_->HorizOffset();
    YCenterOffset += view3DOptions_->VertOffset();
    if (view3DOptions_->Perspective() > 0)
      perspectiveFactor_ = view3DOptions_->Perspective() / 35000.0;
  }
}

TPoint TTeeCanvas3D::Calculate3DPosition(int x, int y, int z) {
  if (!is3D_) return TPoint{x, y};
  if (orthogonal_)
    return TPoint{RoundEven((x - XCenter + z) * zoomFactor_) + XCenterOffset,
                  RoundEven((y - YCenter - z) * zoomFactor_) + YCenterOffset};
  const double xp = x - XCenter;
  const double yp = y - YCenter;
  const double zp = z - ZCenter;
  double scale = zoomFactor_;
  if (perspectiveFactor_ > 0)
    scale = static_cast<double>(1.0L - (xp * a2_ - yp * a1_ + zp * c3_) * perspectiveFactor_) *
            zoomFactor_;
  return TPoint{RoundEven((xp * c4_ + yp * c1_ + zp * c6_) * scale) + XCenterOffset,
                RoundEven((xp * c5_ + yp * c2_ + zp * c7_) * scale) + YCenterOffset};
}

void TTeeCanvas3D::Calculate2DPosition(int& x, int& y, int z) {
  if (zoomFactor_ == 0) return;
  if (orthogonal_) {
    x = RoundEven((x - XCenterOffset) / zoomFactor_) - z + XCenter;
    y = RoundEven((y - YCenterOffset) / zoomFactor_) + z + YCenter;
  } else if (is3D_ && c4_ != 0 && c2_ != 0) {
    const double zp = z - ZCenter;
    const int x0 = x;
    const int y0 = y;
    x = RoundEven(((x0 - XCenterOffset) / zoomFactor_ - zp * c6_ - (y0 - YCenter) * c1_) / c4_) +
        XCenter;
    y = RoundEven(((y0 - YCenterOffset) / zoomFactor_ - zp * c7_ - (x0 - XCenter) * c5_) / c2_) +
        YCenter;
  }
}

void TTeeCanvas3D::ShowImage(fw::TCanvas* dest, fw::TCanvas* defaultCanvas, const TRect& r) {
  if (buffered_ && bitmap_) {
    if (dest != nullptr) bitmap_->CopyTo(*dest, r.Left, r.Top);
    dirty_ = false;
  }
  SetCanvas(defaultCanvas);
}

bool TTeeCanvas3D::RedrawBitmap() {
  if (dirty_ || !bitmap_) return false;
  bitmap_->CopyTo(*ReferenceCanvas(), 0, 0);
  return true;
}

void TTeeCanvas3D::Set2D() {
  saved3D_ = is3D_;
  is3D_ = false;
}

void TTeeCanvas3D::Restore3D() {
  is3D_ = saved3D_;
}

// --- Projected lines, planes and text ------------------------------------------------------

void TTeeCanvas3D::SetPixel3D(int x, int y, int z, TColor color) {
  const TPoint p = Calculate3DPosition(x, y, z);
  if (Pen().Width() > 1) {
    Line(p.X, p.Y, p.X, p.Y);  // a dot of the pen's width
  } else {
    SetPixel(p.X, p.Y, color);
  }
}

void TTeeCanvas3D::MoveTo3D(int x, int y, int z) {
  const TPoint p = Calculate3DPosition(x, y, z);
  ReferenceCanvas()->MoveTo(p.X, p.Y);
}

void TTeeCanvas3D::LineTo3D(int x, int y, int z) {
  const TPoint p = Calculate3DPosition(x, y, z);
  ReferenceCanvas()->LineTo(p.X, p.Y);
}

void TTeeCanvas3D::HorizLine3D(int left, int right, int y, int z) {
  MoveTo3D(left, y, z);
  LineTo3D(right, y, z);
}

void TTeeCanvas3D::VertLine3D(int x, int top, int bottom, int z) {
  MoveTo3D(x, top, z);
  LineTo3D(x, bottom, z);
}

void TTeeCanvas3D::ZLine3D(int x, int y, int z0, int z1) {
  MoveTo3D(x, y, z0);
  LineTo3D(x, y, z1);
}

void TTeeCanvas3D::LineWithZ(int x0, int y0, int x1, int y1, int z) {
  MoveTo3D(x0, y0, z);
  LineTo3D(x1, y1, z);
}

void TTeeCanvas3D::FillQuad(TPoint a, TPoint b, TPoint c, TPoint d) {
  quad_ = {a, b, c, d};
  ReferenceCanvas()->Polygon(quad_);
}

void TTeeCanvas3D::RectangleWithZ(const TRect& r, int z) {
  FillQuad(Calculate3DPosition(r.Left, r.Top, z), Calculate3DPosition(r.Right, r.Top, z),
           Calculate3DPosition(r.Right, r.Bottom, z), Calculate3DPosition(r.Left, r.Bottom, z));
}

void TTeeCanvas3D::PlaneWithZ(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) {
  FillQuad(Calculate3DPosition(p1.X, p1.Y, z), Calculate3DPosition(p2.X, p2.Y, z),
           Calculate3DPosition(p3.X, p3.Y, z), Calculate3DPosition(p4.X, p4.Y, z));
}

void TTeeCanvas3D::Plane(TPoint p1, TPoint p2, int z0, int z1) {
  FillQuad(Calculate3DPosition(p1.X, p1.Y, z0), Calculate3DPosition(p2.X, p2.Y, z0),
           Calculate3DPosition(p2.X, p2.Y, z1), Calculate3DPosition(p1.X, p1.Y, z1));
}

void TTeeCanvas3D::Plane3D(const std::array<TPoint, 4>& p, int z0, int z1) {
  FillQuad(Calculate3DPosition(p[0].X, p[0].Y, z0), Calculate3DPosition(p[1].X, p[1].Y, z0),
           Calculate3DPosition(p[2].X, p[2].Y, z1), Calculate3DPosition(p[3].X, p[3].Y, z1));
}

void TTeeCanvas3D::RectangleY(int left, int y, int right, int z0, int z1) {
  FillQuad(Calculate3DPosition(left, y, z0), Calculate3DPosition(right, y, z0),
           Calculate3DPosition(right, y, z1), Calculate3DPosition(left, y, z1));
}

void TTeeCanvas3D::RectangleZ(int x, int top, int bottom, int z0, int z1) {
  FillQuad(Calculate3DPosition(x, top, z0), Calculate3DPosition(x, top, z1),
           Calculate3DPosition(x, bottom, z1), Calculate3DPosition(x, bottom, z0));
}

void TTeeCanvas3D::PolygonWithZ(std::span<const TPoint> points, int) {
  ReferenceCanvas()->Polygon(points);
}

void TTeeCanvas3D::TriangleWithZ(TPoint p1, TPoint p2, TPoint p3, int z) {
  const TPoint t[] = {Calculate3DPosition(p1.X, p1.Y, z), Calculate3DPosition(p2.X, p2.Y, z),
                      Calculate3DPosition(p3.X, p3.Y, z)};
  ReferenceCanvas()->Polygon(t);
}

void TTeeCanvas3D::Triangle3D(const std::array<TPoint3D, 3>& points,
                              const std::array<TColor, 3>& colors) {
  const TPoint t[] = {Calculate3DPosition(points[0].X, points[0].Y, points[0].Z),
                      Calculate3DPosition(points[1].X, points[1].Y, points[1].Z),
                      Calculate3DPosition(points[2].X, points[2].Y, points[2].Z)};
  if (Brush().Style() != fw::bsClear) Brush().SetColor(colors[0]);
  ReferenceCanvas()->Polygon(t);
}

void TTeeCanvas3D::Sphere(int x, int y, int z, double radius) {
  const int r = RoundEven(radius);
  EllipseWithZ(x - r, y - r, x + r, y + r, z);
}

void TTeeCanvas3D::TextOut3D(int x, int y, int z, const std::string& text) {
  const TPoint p = Calculate3DPosition(x, y, z);
  TextOutWithFont(p.X, p.Y, text, Font().Escapement());
}

void TTeeCanvas3D::RotateLabel3D(int x, int y, int z, const std::string& text, int angle) {
  const TPoint p = Calculate3DPosition(x, y, z);
  RotateLabel(p.X, p.Y, text, angle);
}

}  // namespace tee

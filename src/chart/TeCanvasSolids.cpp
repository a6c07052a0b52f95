// The solids of TTeeCanvas3D and its projected ellipse and clip box.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "chart/TeCanvas3D.h"
#include "chart/TeCanvasView3D.h"

namespace tee {
namespace {

constexpr int kSideDarkening = 128;
constexpr int kTopDarkening = 64;
constexpr int kRoundSegments = 32;

// Convex hull (monotone chain) of a few points, counter-clockwise on screen.
std::vector<TPoint> ConvexHull(std::vector<TPoint> pts) {
  std::sort(pts.begin(), pts.end(), [](const TPoint& a, const TPoint& b) {
    return a.X < b.X || (a.X == b.X && a.Y < b.Y);
  });
  pts.erase(std::unique(pts.begin(), pts.end()), pts.end());
  if (pts.size() < 3) return pts;
  auto cross = [](const TPoint& o, const TPoint& a, const TPoint& b) {
    return static_cast<long long>(a.X - o.X) * (b.Y - o.Y) -
           static_cast<long long>(a.Y - o.Y) * (b.X - o.X);
  };
  std::vector<TPoint> hull(2 * pts.size());
  size_t k = 0;
  for (const TPoint& p : pts) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
    hull[k++] = p;
  }
  for (size_t i = pts.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  hull.resize(k - 1);
  return hull;
}

}  // namespace

TColor TTeeCanvas3D::BaseColor() {
  return Brush().Style() == fw::bsSolid ? Brush().Color() : GetBackColor();
}

// Fills the projection of a flat face; with `darken` > 0 in the base colour darkened by that much
// (the colour goes to the brush, or to the back colour when the brush is not solid).
void TTeeCanvas3D::FillFace(std::span<const TPoint3D> corners, TColor base, int darken) {
  // An undarkened face after darkened ones (a pyramid's front) goes back to the base colour.
  const TColor color = darken > 0 ? ApplyDark(base, darken) : base;
  if (Brush().Style() == fw::bsSolid)
    Brush().SetColor(color);
  else
    SetBackColor(color);
  std::vector<TPoint> face;
  face.reserve(corners.size());
  for (const TPoint3D& c : corners) face.push_back(Calculate3DPosition(c.X, c.Y, c.Z));
  ReferenceCanvas()->Polygon(face);
}

// The next shape starts from the colour a solid was given, not from its darkened side.
void TTeeCanvas3D::RestoreBaseColor(TColor base) {
  if (Brush().Style() == fw::bsSolid)
    Brush().SetColor(base);
  else
    SetBackColor(base);
}

void TTeeCanvas3D::EllipseWithZ(int x1, int y1, int x2, int y2, int z) {
  if (!is3D_) {
    // The platform ellipse one pixel larger to the right and bottom.
    ReferenceCanvas()->Ellipse(x1, y1, x2 + 1, y2 + 1);
    return;
  }
  if (orthogonal_) {
    const TPoint a = Calculate3DPosition(x1, y1, z);
    const TPoint b = Calculate3DPosition(x2, y2, z);
    ReferenceCanvas()->Ellipse(a.X, a.Y, b.X, b.Y);
    return;
  }
  const int xc = (x1 + x2) / 2;
  const int yc = (y1 + y2) / 2;
  const int rx = (x2 - x1) / 2;
  const int ry = (y2 - y1) / 2;
  // The angle step is π/10, so the outline closes after 20 points and runs on over its start.
  std::array<TPoint, kRoundSegments> outline;
  outline[0] = Calculate3DPosition(xc, y2, z);
  for (int k = 1; k < kRoundSegments; ++k) {
    const double angle = k * std::numbers::pi / 10.0;
    outline[k] = Calculate3DPosition(xc + static_cast<int>(rx * std::sin(angle)),
                                     yc + static_cast<int>(ry * std::cos(angle)), z);
  }
  fw::TCanvas* c = ReferenceCanvas();
  if (Brush().Style() != fw::bsClear) {
    const fw::TPenStyle style = Pen().Style();
    Pen().SetStyle(fw::psClear);
    const TPoint centre = Calculate3DPosition(xc, yc, z);
    for (int k = 0; k + 1 < kRoundSegments; ++k) {
      const TPoint triangle[] = {centre, outline[k], outline[k + 1]};
      c->Polygon(triangle);
    }
    Pen().SetStyle(style);
  }
  if (Pen().Style() != fw::psClear) c->Polyline(outline);
}

void TTeeCanvas3D::ClipCube(const TRect& r, int minZ, int maxZ) {
  if (!is3D_) {
    ClipRectangle(TRect{r.Left + 1, r.Top + 1, r.Right, r.Bottom - 1});
    return;
  }
  const bool fromAbove = view3DOptions_ != nullptr && view3DOptions_->Elevation() == 270 &&
                         (view3DOptions_->Rotation() == 270 || view3DOptions_->Rotation() == 360);
  if (fromAbove) {
    const TPoint a = Calculate3DPosition(r.Left, r.Top, minZ);
    const TPoint b = Calculate3DPosition(r.Right, r.Top, maxZ);
    ClipRectangle(
        TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
    return;
  }
  // The outline of the projected box: the hull of its eight corners (six of them in general).
  std::vector<TPoint> corners;
  for (int x : {r.Left, r.Right})
    for (int y : {r.Top, r.Bottom})
      for (int z : {minZ, maxZ}) corners.push_back(Calculate3DPosition(x, y, z));
  const std::vector<TPoint> hull = ConvexHull(std::move(corners));
  ReferenceCanvas()->ClipPolygon(hull, fw::TClipOperation::Replace);
}

void TTeeCanvas3D::Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) {
  const TColor base = BaseColor();
  RectangleWithZ(TRect{left, top, right, bottom}, z0);

  const TPoint3D rightSide[] = {
      {right, top, z0}, {right, top, z1}, {right, bottom, z1}, {right, bottom, z0}};
  const TPoint3D leftSide[] = {
      {left, top, z0}, {left, top, z1}, {left, bottom, z1}, {left, bottom, z0}};
  const int sideDark = darkSides ? kSideDarkening : 0;
  if (Calculate3DPosition(right, bottom, z1).X <= Calculate3DPosition(right, bottom, z0).X) {
    if (Calculate3DPosition(left, bottom, z1).X < Calculate3DPosition(left, bottom, z0).X)
      FillFace(leftSide, base, sideDark);
  } else {
    FillFace(rightSide, base, sideDark);
  }
  if (Calculate3DPosition(left, top, z1).Y < Calculate3DPosition(right, top, z0).Y) {
    const TPoint3D topFace[] = {
        {left, top, z0}, {right, top, z0}, {right, top, z1}, {left, top, z1}};
    FillFace(topFace, base, darkSides ? kTopDarkening : 0);
  }
  if (darkSides) RestoreBaseColor(base);
}

void TTeeCanvas3D::Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                           bool darkSides) {
  const TColor base = BaseColor();
  const int zm = (z0 + z1) / 2;
  const int side = darkSides ? kSideDarkening : 0;
  const int cap = darkSides ? kTopDarkening : 0;
  if (vertical) {
    // Base on the bottom edge, apex at the middle of the top edge.
    const TPoint3D apex{(left + right) / 2, top, zm};
    const TPoint3D back[] = {{left, bottom, z1}, {right, bottom, z1}, apex};
    const TPoint3D leftFace[] = {{left, bottom, z0}, {left, bottom, z1}, apex};
    const TPoint3D rightFace[] = {{right, bottom, z0}, {right, bottom, z1}, apex};
    const TPoint3D baseFace[] = {
        {left, bottom, z0}, {right, bottom, z0}, {right, bottom, z1}, {left, bottom, z1}};
    const TPoint3D front[] = {{left, bottom, z0}, {right, bottom, z0}, apex};
    FillFace(back, base, side);
    FillFace(leftFace, base, side);
    FillFace(rightFace, base, side);
    if (top > bottom) FillFace(baseFace, base, cap);  // apex below: the base faces up
    FillFace(front, base, 0);
  } else {
    // Base on the left edge, apex at the middle of the right edge.
    const TPoint3D apex{right, (top + bottom) / 2, zm};
    const TPoint3D back[] = {{left, top, z1}, {left, bottom, z1}, apex};
    const TPoint3D topFace[] = {{left, top, z0}, {left, top, z1}, apex};
    const TPoint3D bottomFace[] = {{left, bottom, z0}, {left, bottom, z1}, apex};
    const TPoint3D front[] = {{left, top, z0}, {left, bottom, z0}, apex};
    FillFace(back, base, side);
    FillFace(bottomFace, base, side);
    FillFace(topFace, base, cap);
    FillFace(front, base, 0);
  }
  if (darkSides) RestoreBaseColor(base);
}

void TTeeCanvas3D::PyramidVariant(bool vertical, int left, int top, int right, int bottom, int z0,
                                  int z1, bool) {
  Pyramid(vertical, left, top, right, bottom, z0, z1, true);
}

void TTeeCanvas3D::Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                            bool darkSides) {
  const TColor base = BaseColor();
  const double zc = (z0 + z1) / 2.0;
  const double rz = (z1 - z0) / 2.0;
  // Points around the round section, at both ends of the axis.
  std::array<TPoint3D, kRoundSegments> nearEnd, farEnd;
  for (int k = 0; k < kRoundSegments; ++k) {
    const double a = 2 * std::numbers::pi * k / kRoundSegments;
    const int z = static_cast<int>(std::lround(zc + rz * std::sin(a)));
    if (vertical) {
      const int x =
          static_cast<int>(std::lround((left + right) / 2.0 + (right - left) / 2.0 * std::cos(a)));
      nearEnd[k] = {x, top, z};
      farEnd[k] = {x, bottom, z};
    } else {
      const int y =
          static_cast<int>(std::lround((top + bottom) / 2.0 + (bottom - top) / 2.0 * std::cos(a)));
      nearEnd[k] = {right, y, z};
      farEnd[k] = {left, y, z};
    }
  }
  // The body: strips from back (large z) to front, without outlines.
  std::array<int, kRoundSegments> order;
  for (int k = 0; k < kRoundSegments; ++k) order[k] = k;
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    return nearEnd[a].Z + nearEnd[(a + 1) % kRoundSegments].Z >
           nearEnd[b].Z + nearEnd[(b + 1) % kRoundSegments].Z;
  });
  const fw::TPenStyle style = Pen().Style();
  Pen().SetStyle(fw::psClear);
  for (int k : order) {
    const int n = (k + 1) % kRoundSegments;
    const TPoint3D strip[] = {nearEnd[k], nearEnd[n], farEnd[n], farEnd[k]};
    FillFace(strip, base, darkSides ? kSideDarkening : 0);
  }
  Pen().SetStyle(style);
  // The end cap that faces the viewer, in the base colour.
  FillFace(nearEnd, base, 0);
  if (darkSides) RestoreBaseColor(base);
}

void TTeeCanvas3D::Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
                         double startAngle, double endAngle, bool darkSides, bool drawSides) {
  const TColor base = BaseColor();
  while (endAngle < startAngle) endAngle += 2 * std::numbers::pi;
  const int steps = std::max(
      2, static_cast<int>(std::ceil((endAngle - startAngle) / (2 * std::numbers::pi) * 64)));
  std::vector<TPoint> arc;
  arc.reserve(steps + 1);
  for (int i = 0; i <= steps; ++i) {
    const double a = startAngle + (endAngle - startAngle) * i / steps;
    arc.push_back({xCenter + static_cast<int>(std::lround(xRadius * std::cos(a))),
                   yCenter - static_cast<int>(std::lround(yRadius * std::sin(a)))});
  }
  const int dark = darkSides ? kSideDarkening : 0;
  if (z1 != z0) {
    if (drawSides) {
      const TPoint3D first[] = {{xCenter, yCenter, z0},
                                {arc.front().X, arc.front().Y, z0},
                                {arc.front().X, arc.front().Y, z1},
                                {xCenter, yCenter, z1}};
      const TPoint3D last[] = {{xCenter, yCenter, z0},
                               {arc.back().X, arc.back().Y, z0},
                               {arc.back().X, arc.back().Y, z1},
                               {xCenter, yCenter, z1}};
      FillFace(first, base, dark);
      FillFace(last, base, dark);
    }
    for (size_t i = 0; i + 1 < arc.size(); ++i) {
      const TPoint3D strip[] = {{arc[i].X, arc[i].Y, z0},
                                {arc[i + 1].X, arc[i + 1].Y, z0},
                                {arc[i + 1].X, arc[i + 1].Y, z1},
                                {arc[i].X, arc[i].Y, z1}};
      FillFace(strip, base, dark);
    }
  }
  std::vector<TPoint3D> front;
  front.reserve(arc.size() + 1);
  front.push_back({xCenter, yCenter, z0});
  for (const TPoint& p : arc) front.push_back({p.X, p.Y, z0});
  FillFace(front, base, 0);
  if (darkSides) RestoreBaseColor(base);
}

void TTeeCanvas3D::Arrow(bool filled, TPoint from, TPoint to, int headWidth, int headHeight,
                         int z) {
  const TPoint a = Calculate3DPosition(from.X, from.Y, z);
  const TPoint b = Calculate3DPosition(to.X, to.Y, z);
  const double dx = b.X - a.X;
  const double dy = b.Y - a.Y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return;
  const double ux = dx / length;
  const double uy = dy / length;
  const double bx = b.X - ux * headHeight;
  const double by = b.Y - uy * headHeight;
  const double px = -uy * headWidth / 2.0;
  const double py = ux * headWidth / 2.0;
  const TPoint headBase{static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))};
  const TPoint wing1{static_cast<int>(std::lround(bx + px)),
                     static_cast<int>(std::lround(by + py))};
  const TPoint wing2{static_cast<int>(std::lround(bx - px)),
                     static_cast<int>(std::lround(by - py))};
  fw::TCanvas* c = ReferenceCanvas();
  c->MoveTo(a.X, a.Y);
  c->LineTo(headBase.X, headBase.Y);
  if (filled) {
    const TPoint head[] = {b, wing1, wing2};
    c->Polygon(head);
  } else {
    const TPoint head[] = {wing1, b, wing2};
    c->Polyline(head);
  }
}

}  // namespace tee

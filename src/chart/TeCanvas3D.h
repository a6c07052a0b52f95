// TTeeCanvas3D: the chart's one drawing object, owned by the chart panel.
//
// A paint runs InitWindow → (the chart draws, calling Projection once its rectangle is known) →
// ShowImage. With buffering on (the default) InitWindow attaches an off-screen bitmap of the
// paint rectangle's size, kept between paints while the size does not change, and ShowImage copies
// it to the window; RedrawBitmap repaints an uncovered window with one copy while nothing changed
// (Invalidate, SetBuffered(false) and a Monochrome change make the picture stale). The bitmap is
// asked of the target surface (`CreateCompatibleBitmap`), so this code needs no platform header.
//
// Projection P(x, y, z), with the 3D flag given to InitWindow:
//   not 3D      (x, y): z is ignored;
//   orthogonal  (round((x - XCenter + z) · zoom) + XCenterOffset,
//                round((y - YCenter - z) · zoom) + YCenterOffset): depth moves right and up;
//   rotated     with the coefficients of Rotation, Elevation and Tilt around (XCenter, YCenter,
//               ZCenter), scaled by zoom and, with Perspective > 0, by the perspective factor
//               Perspective / 35000.
// Rounding is to nearest, halves to even. Coefficients are computed once per paint.
//
// Gradients (GradientFill): at most 256 bands, a brush colour set only when the band colour
// changes. For every direction except gdTopBottom and gdLeftRight the two colours are exchanged
// first; then the first colour lies at the bottom edge (gdTopBottom, gdBottomTop), at the right
// edge (gdLeftRight, gdRightLeft), on the outermost ring (gdFromCenter) or at the growing corner
// (gdFromTopLeft, gdFromBottomLeft).
#pragma once

#include <memory>

#include "chart/TeCanvas.h"
#include "framework/core/Graphic.h"

namespace tee {

class TTeeCanvas3D : public TCanvas3D {
 public:
  TTeeCanvas3D();
  ~TTeeCanvas3D() override;

  // TTeeCanvas
  TColor GetBackColor() override;
  int GetBackMode() override;
  fw::TCanvas* GetHandle() override;
  bool GetMonochrome() override { return monochrome_; }
  unsigned GetTextAlign() override;
  bool GetBuffered() override { return buffered_; }
  void SetBackColor(TColor color) override;
  void SetBackMode(int mode) override;
  void SetMonochrome(bool value) override;
  void SetPixel(int x, int y, TColor color) override;
  void SetTextAlign(unsigned flags) override;
  void SetBuffered(bool value) override;
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Draw(int x, int y, const fw::TGraphic& graphic) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void FillRect(const TRect& r) override;
  void Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) override;
  void LineTo(int x, int y) override;
  void MoveTo(int x, int y) override;
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) override;
  void Rectangle(int x0, int y0, int x1, int y1) override;
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) override;
  void StretchDraw(const TRect& r, const fw::TGraphic& graphic) override;
  void TextOut(int x, int y, const std::string& text) override;
  int TextWidth(const std::string& text) override;
  int TextHeight(const std::string& text) override;
  void ClipRectangle(const TRect& r) override;
  void HorizLine(int left, int right, int y) override;
  void DrawRect(const TRect& r) override;
  void VertLine(int x, int top, int bottom) override;
  void EraseBackground(const TRect& r) override;
  void GradientFill(const TRect& r, TColor startColor, TColor endColor,
                    TGradientDirection direction) override;
  void Invalidate() override { dirty_ = true; }
  void Line(int x0, int y0, int x1, int y1) override;
  void Polygon(std::span<const TPoint> points) override;
  void RotateLabel(int x, int y, const std::string& text, int angle) override;
  void UnClipRectangle() override;

  // TCanvas3D
  void SetPixel3D(int x, int y, int z, TColor color) override;
  bool ReservedQuery1() override { return false; }
  bool ReservedQuery2() override { return false; }
  void Calculate2DPosition(int& x, int& y, int z) override;
  TPoint Calculate3DPosition(int x, int y, int z) override;
  TRect InitWindow(fw::TCanvas* target, TView3DOptions* options, bool is3D,
                   const TRect& r) override;
  void Assign(TCanvas3D* source) override;
  void Projection(int maxDepth, const TRect& bounds) override;
  void ShowImage(fw::TCanvas* dest, fw::TCanvas* defaultCanvas, const TRect& r) override;
  bool RedrawBitmap() override;
  void Arrow(bool filled, TPoint from, TPoint to, int headWidth, int headHeight, int z) override;
  void ClipCube(const TRect& r, int minZ, int maxZ) override;
  void PyramidVariant(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                      bool darkSides) override;
  void Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) override;
  void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                bool darkSides) override;
  void HorizLine3D(int left, int right, int y, int z) override;
  void VertLine3D(int x, int top, int bottom, int z) override;
  void ZLine3D(int x, int y, int z0, int z1) override;
  void EllipseWithZ(int x1, int y1, int x2, int y2, int z) override;
  void Set2D() override;
  void Restore3D() override;
  void LineWithZ(int x0, int y0, int x1, int y1, int z) override;
  void MoveTo3D(int x, int y, int z) override;
  void LineTo3D(int x, int y, int z) override;
  void Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1, double startAngle,
             double endAngle, bool darkSides, bool drawSides) override;
  void Plane(TPoint p1, TPoint p2, int z0, int z1) override;
  void PlaneWithZ(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
  void Plane3D(const std::array<TPoint, 4>& points, int z0, int z1) override;
  void PolygonWithZ(std::span<const TPoint> points, int z) override;
  void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
               bool darkSides) override;
  void RectangleWithZ(const TRect& r, int z) override;
  void RectangleY(int left, int y, int right, int z0, int z1) override;
  void RectangleZ(int x, int top, int bottom, int z0, int z1) override;
  void RotateLabel3D(int x, int y, int z, const std::string& text, int angle) override;
  void Sphere(int x, int y, int z, double radius) override;
  void ReservedOperation(int, int, int, int, int) override {}
  void TextOut3D(int x, int y, int z, const std::string& text) override;
  void Triangle3D(const std::array<TPoint3D, 3>& points,
                  const std::array<TColor, 3>& colors) override;
  void TriangleWithZ(TPoint p1, TPoint p2, TPoint p3, int z) override;

  // State of the projection and the buffer.
  bool Is3D() const { return is3D_; }
  bool Dirty() const { return dirty_; }
  bool ZoomText() const { return zoomText_; }
  void SetZoomText(bool value) { zoomText_ = value; }
  double ZoomFactor() const { return zoomFactor_; }
  double PerspectiveFactor() const { return perspectiveFactor_; }
  const TRect& Bounds() const { return bounds_; }
  // The paint buffer; null until the first buffered paint and after SetBuffered(false).
  fw::TCustomBitmap* Bitmap() const { return bitmap_.get(); }

  int XCenter = 0;
  int YCenter = 0;
  int ZCenter = 0;
  int XCenterOffset = 0;
  int YCenterOffset = 0;

 private:
  void CalcTrigValues();
  // Writes with a temporary font of the given escapement and the zoom-scaled size.
  void TextOutWithFont(int x, int y, const std::string& text, int escapement);
  // The zoom-scaled point size of the current font, or 0 when text is not scaled.
  int ZoomedFontSize();
  void FillQuad(TPoint a, TPoint b, TPoint c, TPoint d);
  // Fills a projected face, darkened when asked; see Cube.
  void FillFace(std::span<const TPoint3D> corners, TColor base, int darken);
  TColor BaseColor();
  void RestoreBaseColor(TColor base);

  long double a1_ = 0;
  long double a2_ = 0;
  double c1_ = 0, c2_ = 1, c3_ = 0, c4_ = 1, c5_ = 0, c6_ = 0, c7_ = 0;
  bool saved3D_ = false;
  bool is3D_ = false;
  std::unique_ptr<fw::TCustomBitmap> bitmap_;
  bool buffered_ = true;
  bool monochrome_ = false;
  bool dirty_ = true;
  TRect bounds_;
  bool zoomText_ = true;
  double zoomFactor_ = 1.0;
  double perspectiveFactor_ = 0;
  std::array<TPoint, 4> quad_{};
};

}  // namespace tee

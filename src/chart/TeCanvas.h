// The chart engine's drawing interface: every chart part draws through it.
//
// `TTeeCanvas` declares the plain 2D operations on pixel coordinates; `TCanvas3D` adds the
// projected operations, which take a depth Z and pass every point through the view projection
// first (with the 3D flag off the projection is the identity and Z is ignored, so the same drawing
// code serves 2D and 3D charts). `TTeeCanvas3D` (TeCanvas3D.h) is the one concrete canvas.
//
// The canvas draws on an attached framework surface (`fw::TCanvas`: a window's bitmap, an
// off-screen buffer, or a recording canvas in tests); `Pen()`, `Brush()` and `Font()` are that
// surface's own objects. Before a surface is attached a null surface stands in, which draws
// nothing and measures every text as 0. Coordinates are pixels of the surface; colours are
// framework colours (system colours are resolved when they reach the platform).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "chart/TeCanvasGradient.h"
#include "framework/core/Canvas.h"
#include "framework/core/Geometry.h"

namespace fw {
class TNullCanvas;
}

namespace tee {

using fw::TColor;
using fw::TPoint;
using fw::TRect;

class TChartPen;
class TView3DOptions;

struct TPoint3D {
  int X = 0;
  int Y = 0;
  int Z = 0;
  friend bool operator==(const TPoint3D&, const TPoint3D&) = default;
};

// A colour darkened by `amount` on each of red, green and blue, stopping at 0 (system colours are
// resolved first).
TColor ApplyDark(TColor color, int amount);

class TTeeCanvas {
 public:
  TTeeCanvas();
  TTeeCanvas(const TTeeCanvas&) = delete;
  TTeeCanvas& operator=(const TTeeCanvas&) = delete;
  virtual ~TTeeCanvas();

  // The attached surface; the null surface while none is attached. Never null.
  fw::TCanvas* ReferenceCanvas() const { return canvas_; }
  // Attaches a surface (null: the null surface); pen, brush and font are then the surface's own.
  void SetCanvas(fw::TCanvas* canvas);

  fw::TPen& Pen() const { return canvas_->Pen(); }
  fw::TBrush& Brush() const { return canvas_->Brush(); }
  fw::TFont& Font() const { return canvas_->Font(); }

  // Applies a chart pen to the surface's pen: an invisible pen strokes nothing (style clear); a
  // visible one-pixel pen with SmallDots sets every other pixel in its colour; otherwise the
  // surface pen takes all the chart pen's properties.
  void AssignVisiblePen(const TChartPen& pen);
  // Makes `font` the surface's font; the surface keeps its pixels per inch (the point size is
  // kept).
  void AssignFont(const fw::TFont& font);
  // Pen black, width 1, solid, copy mode; brush white, solid; font black, size 10; back colour
  // white; back mode transparent.
  void ResetState();
  // The line height of the current font: the text height of "W".
  int FontHeight() { return TextHeight("W"); }

  // Queries and setters of the surface's own state.
  virtual TColor GetBackColor() = 0;
  virtual int GetBackMode() = 0;
  virtual fw::TCanvas* GetHandle() = 0;
  virtual bool GetMonochrome() = 0;
  virtual unsigned GetTextAlign() = 0;
  virtual bool GetBuffered() = 0;
  virtual void SetBackColor(TColor color) = 0;
  // fw::TRANSPARENT (1) or fw::OPAQUE (2).
  virtual void SetBackMode(int mode) = 0;
  virtual void SetMonochrome(bool value) = 0;
  virtual void SetPixel(int x, int y, TColor color) = 0;
  // fw::TA_* flags.
  virtual void SetTextAlign(unsigned flags) = 0;
  virtual void SetBuffered(bool value) = 0;

  // The platform's shapes, passed on unchanged (see fw::TCanvas for the pixel conventions).
  virtual void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  // An empty graphic draws nothing; otherwise the back colour becomes the brush colour and the
  // graphic is drawn into (x, y, x + width, y + height).
  virtual void Draw(int x, int y, const fw::TGraphic& graphic) = 0;
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  // With the current brush, no outline.
  virtual void FillRect(const TRect& r) = 0;
  // A bevel frame `width` pixels wide inside `r`: top and left edges in `topLeft`, bottom and right
  // in `bottomRight`, one-pixel pen. `r` is shrunk by one pixel on every side per ring drawn.
  virtual void Frame3D(TRect& r, TColor topLeft, TColor bottomRight, int width) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) = 0;
  virtual void Rectangle(int x0, int y0, int x1, int y1) = 0;
  virtual void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) = 0;
  virtual void StretchDraw(const TRect& r, const fw::TGraphic& graphic) = 0;
  // Writes in the font's colour at the point, placed by the text alignment.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  // 0 when the text cannot be measured.
  virtual int TextWidth(const std::string& text) = 0;
  virtual int TextHeight(const std::string& text) = 0;

  // Intersects the clip area with the rectangle.
  virtual void ClipRectangle(const TRect& r) = 0;
  virtual void HorizLine(int left, int right, int y) = 0;
  virtual void DrawRect(const TRect& r) = 0;
  virtual void VertLine(int x, int top, int bottom) = 0;
  virtual void EraseBackground(const TRect& r) = 0;
  // At most 256 bands; see TTeeCanvas3D for which colour lies at which edge.
  virtual void GradientFill(const TRect& r, TColor startColor, TColor endColor,
                            TGradientDirection direction) = 0;
  // Marks the buffered picture as stale.
  virtual void Invalidate() = 0;
  virtual void Line(int x0, int y0, int x1, int y1) = 0;
  virtual void Polygon(std::span<const TPoint> points) = 0;
  // Writes the text turned counter-clockwise by `angle` degrees about (x, y), brush clear.
  virtual void RotateLabel(int x, int y, const std::string& text, int angle) = 0;
  // Removes all clipping.
  virtual void UnClipRectangle() = 0;

 private:
  std::unique_ptr<fw::TNullCanvas> null_;
  fw::TCanvas* canvas_;
};

class TCanvas3D : public TTeeCanvas {
 public:
  // The view options in force (not owned; may be null) and whether the view is orthogonal.
  TView3DOptions* View3DOptions() const { return view3DOptions_; }
  bool IsOrthogonal() const { return orthogonal_; }

  virtual void SetPixel3D(int x, int y, int z, TColor color) = 0;
  virtual bool ReservedQuery1() = 0;
  virtual bool ReservedQuery2() = 0;
  // Maps a surface point back to the plane at depth z (perspective is not undone).
  virtual void Calculate2DPosition(int& x, int& y, int z) = 0;
  // The projection P(x, y, z) of a point.
  virtual TPoint Calculate3DPosition(int x, int y, int z) = 0;
  // Starts a paint on `target`; returns the rectangle to draw in (the buffer's own when buffered).
  virtual TRect InitWindow(fw::TCanvas* target, TView3DOptions* options, bool is3D,
                           const TRect& r) = 0;
  // Copies the monochrome flag.
  virtual void Assign(TCanvas3D* source) = 0;
  // Fixes the projection centre once the chart rectangle is known.
  virtual void Projection(int maxDepth, const TRect& bounds) = 0;
  // Ends a paint: shows the buffer on `dest` at r's top-left and re-attaches `defaultCanvas`.
  virtual void ShowImage(fw::TCanvas* dest, fw::TCanvas* defaultCanvas, const TRect& r) = 0;
  // Repaints from the buffer when it is still valid; false when the chart must be painted.
  virtual bool RedrawBitmap() = 0;

  virtual void Arrow(bool filled, TPoint from, TPoint to, int headWidth, int headHeight, int z) = 0;
  virtual void ClipCube(const TRect& r, int minZ, int maxZ) = 0;
  virtual void PyramidVariant(bool vertical, int left, int top, int right, int bottom, int z0,
                              int z1, bool darkSides) = 0;
  virtual void Cube(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) = 0;
  virtual void Cylinder(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                        bool darkSides) = 0;
  virtual void HorizLine3D(int left, int right, int y, int z) = 0;
  virtual void VertLine3D(int x, int top, int bottom, int z) = 0;
  virtual void ZLine3D(int x, int y, int z0, int z1) = 0;
  virtual void EllipseWithZ(int x1, int y1, int x2, int y2, int z) = 0;
  // Switches to 2D (saving the 3D flag) and back.
  virtual void Set2D() = 0;
  virtual void Restore3D() = 0;
  virtual void LineWithZ(int x0, int y0, int x1, int y1, int z) = 0;
  virtual void MoveTo3D(int x, int y, int z) = 0;
  virtual void LineTo3D(int x, int y, int z) = 0;
  // A pie slice of a cylinder between z0 and z1; angles in radians, counter-clockwise from the
  // positive x axis.
  virtual void Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
                     double startAngle, double endAngle, bool darkSides, bool drawSides) = 0;
  virtual void Plane(TPoint p1, TPoint p2, int z0, int z1) = 0;
  virtual void PlaneWithZ(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) = 0;
  virtual void Plane3D(const std::array<TPoint, 4>& points, int z0, int z1) = 0;
  // Draws the polygon through the points unchanged: no projection, z unused.
  virtual void PolygonWithZ(std::span<const TPoint> points, int z) = 0;
  virtual void Pyramid(bool vertical, int left, int top, int right, int bottom, int z0, int z1,
                       bool darkSides) = 0;
  virtual void RectangleWithZ(const TRect& r, int z) = 0;
  virtual void RectangleY(int left, int y, int right, int z0, int z1) = 0;
  virtual void RectangleZ(int x, int top, int bottom, int z0, int z1) = 0;
  virtual void RotateLabel3D(int x, int y, int z, const std::string& text, int angle) = 0;
  virtual void Sphere(int x, int y, int z, double radius) = 0;
  // Reserved; does nothing.
  virtual void ReservedOperation(int a, int b, int c, int d, int e) = 0;
  virtual void TextOut3D(int x, int y, int z, const std::string& text) = 0;
  virtual void Triangle3D(const std::array<TPoint3D, 3>& points,
                          const std::array<TColor, 3>& colors) = 0;
  virtual void TriangleWithZ(TPoint p1, TPoint p2, TPoint p3, int z) = 0;

 protected:
  TView3DOptions* view3DOptions_ = nullptr;
  bool orthogonal_ = false;
};

}  // namespace tee

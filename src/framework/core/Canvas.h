// The framework's drawing surface: pen, brush, font and the platform's drawing operations.
//
// `TCanvas` has the semantics of a Win32 device context, because the chart engine's pixel
// arithmetic assumes them:
//   - a shape covers its box without the right and bottom edge: Rectangle(0, 0, 10, 10) with a
//     one-pixel pen covers the pixels 0 to 9; with a clear pen only the inside is filled, which
//     then covers 0 to 8; Ellipse, RoundRect, Arc and Pie fit the same box;
//   - LineTo and Polyline leave out their end point (a wider pen has round ends and does not);
//   - FillRect and PatternFill cover left..right-1 and top..bottom-1 with the brush, no pen;
//   - TextOut places the text by `TextAlign` (left, centre or right; top, baseline or bottom) and
//     turns it by the font's escapement about the reference point;
//   - the brush is the text background, as when a brush is selected into a device context: a
//     solid brush paints the text cell in its colour, a clear (or any other non-solid) brush
//     writes the text transparently;
//   - colours are framework colours; system colours are resolved when they reach the platform;
//   - the pen's Mode applies to shapes and lines, not to text.
//
// The public operations are not virtual: each records the call's state and hands it to a protected
// hook that a backend implements (the QPainter backend in framework/gui, a recording backend for
// tests, the null canvas here). A backend reads the pen, brush, font, back colour, back mode and
// text alignment in force from the canvas itself; `Revision()` of each tells it when they changed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

#include "framework/core/Brush.h"
#include "framework/core/Color.h"
#include "framework/core/Font.h"
#include "framework/core/Geometry.h"
#include "framework/core/Graphic.h"
#include "framework/core/Markers.h"
#include "framework/core/Pen.h"

namespace fw {

// Back modes (the platform's values).
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Text alignment flags (the platform's values): one horizontal and one vertical flag combined.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;
inline constexpr unsigned TA_HORIZONTAL_MASK = 6;
inline constexpr unsigned TA_VERTICAL_MASK = 24;

// How a new clip area combines with the one in force.
enum class TClipOperation : std::uint8_t {
  Intersect,  // keep only what lies inside both
  Replace,    // the new area alone
  Exclude     // remove the new area from the current one
};

enum class TArcKind : std::uint8_t { Arc, Pie };

// Which piece of canvas state a setter changed.
enum class TCanvasState : std::uint8_t { BackColor, BackMode, TextAlign };

class TCanvas {
 public:
  TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  TPen& Pen() { return *pen_; }
  const TPen& Pen() const { return *pen_; }
  TBrush& Brush() { return *brush_; }
  const TBrush& Brush() const { return *brush_; }
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }

  TColor BackColor() const { return backColor_; }
  void SetBackColor(TColor value);
  // TRANSPARENT or OPAQUE: whether the gaps of dashed pens and hatched brushes get the back colour.
  int BackMode() const { return backMode_; }
  void SetBackMode(int value);
  unsigned TextAlign() const { return textAlign_; }
  void SetTextAlign(unsigned flags);
  // Bumped by every change of back colour, back mode or text alignment.
  std::uint32_t StateRevision() const { return stateRevision_; }

  TPoint PenPos() const { return penPos_; }
  void MoveTo(int x, int y);
  void LineTo(int x, int y);

  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  // Corners rounded by ellipses of width x3 and height y3.
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  // Counter-clockwise from the ray through (x3, y3) to the ray through (x4, y4); the same point
  // twice gives the whole ellipse.
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Outlined and filled (alternate fill rule); closes itself.
  void Polygon(std::span<const TPoint> points);
  // Connected lines; the last point itself is not drawn. Leaves the pen position alone.
  void Polyline(std::span<const TPoint> points);
  void SetPixel(int x, int y, TColor color);
  // For each place in order: the brush colour (and, `penFollows`, the pen colour) becomes the
  // place's colour and the shape is drawn at the place, as Ellipse, Rectangle or Polygon would.
  void DrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                   bool penFollows);
  // One shape of a run at (x, y) with the pen and brush in force.
  void DrawMarker(const TMarkerShape& shape, int x, int y);

  void TextOut(int x, int y, std::string_view text);
  // Width (sum of advances) and height (ascent + descent) of one line of text in the current font.
  TSize TextExtent(std::string_view text);
  int TextWidth(std::string_view text) { return TextExtent(text).cx; }
  int TextHeight(std::string_view text) { return TextExtent(text).cy; }

  // Fills with the brush; no pen. `PatternFill` is the platform's pattern blit: the same area, and
  // the pen's raster operation applies.
  void FillRect(const TRect& r);
  void PatternFill(const TRect& r);

  // Copies a graphic with its top-left corner at (x, y), or scaled into a rectangle.
  // An empty graphic draws nothing.
  void Draw(int x, int y, const TGraphic& graphic);
  void StretchDraw(const TRect& r, const TGraphic& graphic);

  void IntersectClipRect(const TRect& r) { ClipRect(r, TClipOperation::Intersect); }
  void ExcludeClipRect(const TRect& r) { ClipRect(r, TClipOperation::Exclude); }
  void SelectClipRect(const TRect& r) { ClipRect(r, TClipOperation::Replace); }
  void ClipRect(const TRect& r, TClipOperation op);
  void ClipPolygon(std::span<const TPoint> points, TClipOperation op);
  // Removes all clipping.
  void RemoveClip();
  bool IsClipped() const { return clipped_; }

  // A new off-screen bitmap of this canvas' kind (a recording canvas gives a recording bitmap).
  std::unique_ptr<TCustomBitmap> CreateCompatibleBitmap(int width, int height);

  // Called after every drawing operation while notifications are enabled; bitmaps used as paint
  // buffers switch it off.
  std::function<void(TCanvas&)> OnChange;
  bool NotificationsEnabled() const { return notify_; }
  void SetNotificationsEnabled(bool value) { notify_ = value; }

 protected:
  virtual void DoMoveTo(int x, int y);
  virtual void DoLine(TPoint from, TPoint to) = 0;
  virtual void DoRectangle(const TRect& r) = 0;
  virtual void DoEllipse(const TRect& r) = 0;
  virtual void DoRoundRect(const TRect& r, int cornerWidth, int cornerHeight) = 0;
  virtual void DoArc(TArcKind kind, const TRect& r, TPoint start, TPoint end) = 0;
  virtual void DoPolygon(std::span<const TPoint> points) = 0;
  virtual void DoPolyline(std::span<const TPoint> points) = 0;
  virtual void DoSetPixel(int x, int y, TColor color) = 0;
  // The run one shape at a time through the public operations; a backend may do better.
  virtual void DoDrawMarkers(const TMarkerShape& shape, std::span<const TMarkerPlace> places,
                             bool penFollows);
  virtual void DoTextOut(int x, int y, std::string_view text) = 0;
  virtual TSize DoTextExtent(std::string_view text) = 0;
  virtual void DoFillRect(const TRect& r, bool pattern) = 0;
  virtual void DoDraw(const TRect& dest, const TGraphic& graphic, bool stretch) = 0;
  virtual void DoClipRect(const TRect& r, TClipOperation op) = 0;
  virtual void DoClipPolygon(std::span<const TPoint> points, TClipOperation op) = 0;
  virtual void DoRemoveClip() = 0;
  virtual std::unique_ptr<TCustomBitmap> DoCreateCompatibleBitmap(int width, int height) = 0;
  // Setters of back colour, back mode and text alignment; the base has stored the value already.
  virtual void DoStateChanged(TCanvasState) {}

 private:
  void Changed() {
    if (notify_ && OnChange) OnChange(*this);
  }

  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  std::unique_ptr<TFont> font_;
  TColor backColor_ = clWhite;
  int backMode_ = OPAQUE;
  unsigned textAlign_ = TA_LEFT | TA_TOP;
  std::uint32_t stateRevision_ = 0;
  TPoint penPos_;
  bool clipped_ = false;
  bool notify_ = true;
};

}  // namespace fw

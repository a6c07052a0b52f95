// Series that draw their points as marker shapes: TSeriesPointer, TCustomSeries, TPointSeries.
//
// `TSeriesPointer` is the marker of a series: a shape (`Style`: rectangle, circle, triangles,
// crosses, star, diamond, small dot) of half-width `HorizSize` and half-height `VertSize` pixels,
// filled with its `Brush` and outlined with its `Pen`. A brush or pen colour of clAutoColor takes
// the point's colour, so the default pointer is filled in the point's colour. The pointer draws
// with its series' chart canvas, flat in 2D and at the series' depths in 3D (solid cube and
// pyramid shapes with `Draw3D`).
//
// `TCustomSeries` is the common base of point, line and area series. It draws each visible point
// in `DrawValue`: the point is placed by the axes' value-to-pixel conversion, the line from the
// previous point is drawn when the type has one (`DrawLine`), and the pointer of each point is
// drawn one step late, so a line series paints every pointer over the segments meeting at it.
// Points whose pixel position lies at or beyond ±32767 are skipped (drawn nothing, no line to or
// from them); every pointer is drawn in its own point's colour. It also answers clicks on its
// pointers, the pixel margins its pointers need at automatic axis ends, and its legend symbol.
//
// `TPointSeries` is a TCustomSeries with pointers and no line: the main window's two series.
//
// Published (TPointSeries): the TChartSeries properties, then OnGetPointerStyle, Pointer, XValues,
// YValues, OnClickPointer. Pointer: Brush, Dark3D, Draw3D, HorizSize, InflateMargins, Pen, Style,
// VertSize, Visible.
#pragma once

#include <cstdint>
#include <memory>

#include "chart/AxisPixelMap.h"
#include "chart/ChartSeries.h"
#include "chart/TeCanvasBrush.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Markers.h"
#include "framework/core/Persistent.h"

namespace tee {

class TCanvas3D;
class TCustomSeries;

enum TSeriesPointerStyle : std::uint8_t {
  psRectangle,
  psCircle,
  psTriangle,
  psDownTriangle,
  psCross,
  psDiagCross,
  psStar,
  psDiamond,
  psSmallDot
};
FW_ENUM_NAMES(TSeriesPointerStyle, "psRectangle", "psCircle", "psTriangle", "psDownTriangle",
              "psCross", "psDiagCross", "psStar", "psDiamond", "psSmallDot")

using TOnClickPointer = fw::TEvent<void(TCustomSeries* Sender, int ValueIndex, int X, int Y)>;
using TOnGetPointerStyle = fw::TEvent<TSeriesPointerStyle(TChartSeries* Sender, int ValueIndex)>;

class TSeriesPointer : public fw::TPersistent {
  FW_CLASS

 public:
  // `parent` owns the pointer and is never null; its CanvasChanged hears of pen and brush changes.
  explicit TSeriesPointer(TChartSeries* parent);
  ~TSeriesPointer() override;

  // From another pointer: brush and pen by assignment and every other setting directly (no size
  // check, no repaint request).
  void Assign(const fw::TPersistent* source) override;

  TChartSeries* ParentSeries() const { return parent_; }

  TChartBrush* Brush() const { return brush_.get(); }
  void SetBrush(TChartBrush* value) { brush_->Assign(value); }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value);
  bool Draw3D() const { return draw3D_; }
  void SetDraw3D(bool value);
  int HorizSize() const { return horizSize_; }
  // Refuses a value below 1: ChartException "Pointer size must be greater than zero".
  void SetHorizSize(int value);
  bool InflateMargins() const { return inflateMargins_; }
  void SetInflateMargins(bool value);
  TChartPen* Pen() const { return pen_.get(); }
  void SetPen(TChartPen* value) { pen_->Assign(value); }
  TSeriesPointerStyle Style() const { return style_; }
  void SetStyle(TSeriesPointerStyle value);
  int VertSize() const { return vertSize_; }
  void SetVertSize(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // Sets up the chart's canvas for one shape: the pen (an invisible one strokes nothing; an
  // clAutoColor pen takes `color`), then the brush (an clAutoColor brush takes `color`).
  void PrepareCanvas(TColor color);
  // One shape centred on (x, y) with half-width h and half-height v; in 3D at the series' depths.
  // Styles outside the enumeration draw nothing.
  void DrawShape(bool is3D, int x, int y, int h, int v, TColor color, TSeriesPointerStyle style);
  // DrawShape with the chart's View3D and the pointer's own sizes.
  void DrawPointer(int x, int y, TColor color, TSeriesPointerStyle style);
  // The flat shape of `style` centred on a place, as DrawShape draws it in 2D; false for the styles
  // drawn with lines or pixels.
  bool FlatMarkerShape(TSeriesPointerStyle style, fw::TMarkerShape& shape) const;
  // The pointer shape inside a legend symbol rectangle, sized to fit it.
  void DrawLegendPointer(TColor color, const fw::TRect& rect, bool lineVisible);
  // The pixels a visible pointer with InflateMargins needs at each end of an automatic axis.
  void CalcHorizMargins(int& low, int& high) const;
  void CalcVerticalMargins(int& low, int& high) const;

 private:
  TCanvas3D* Canvas() const;
  void Changed() const;
  template <class T>
  void Store(T& field, T value) {
    if (field == value) return;
    field = value;
    Changed();
  }

  bool dark3D_ = true;
  bool draw3D_ = true;
  std::unique_ptr<TChartBrush> brush_;
  int horizSize_ = 4;
  bool inflateMargins_ = true;
  TChartSeries* parent_;
  std::unique_ptr<TChartPen> pen_;
  TSeriesPointerStyle style_ = psRectangle;
  int vertSize_ = 4;
  bool visible_ = true;
};

class TCustomSeries : public TChartSeries {
  FW_CLASS

 public:
  explicit TCustomSeries(fw::TComponent* owner);
  ~TCustomSeries() override;

  // From another TCustomSeries: the line, area and pointer settings; then the series settings.
  void Assign(const fw::TPersistent* source) override;

  // ---- Overridable operations added to the series' ----
  // True when the mouse lies strictly inside the pointer's rectangle around the point.
  virtual bool ClickedPointer(int valueIndex, int pointX, int pointY, int mouseX, int mouseY) const;
  // PrepareCanvas, the style (OnGetPointerStyle or Style), then the pointer's DrawPointer.
  virtual void DrawPointer(int x, int y, TColor color, int valueIndex);
  // The pixel of the origin for a point: the end of the vertical axis.
  virtual int GetOriginPos(int valueIndex) const;

  // ---- Overrides ----
  // DrawValue for each visible index; for a point series on linear axes the positions come from
  // per-paint pixel maps and the colours, origin and pointers are taken directly (the same calls,
  // in the same order, without a virtual call per point).
  void DrawAllValues() override;
  void DrawValue(int valueIndex) override;
  // The first point whose pointer holds (x, y) (or, for a clickable line, whose line does), or -1.
  int Clicked(int x, int y) override;
  void CalcHorizMargins(int& left, int& right) override;
  void CalcVerticalMargins(int& top, int& bottom) override;
  void DrawLegendShape(int valueIndex, const fw::TRect& rect) override;
  std::string EditorClassName() const override;
  // Lifts a computed mark by the marks' ArrowLength and draws it at the series' StartZ.
  void DrawMark(int valueIndex, const std::string& text, TSeriesMarkPosition* position) override;

  // ---- Properties ----
  fw::TBrushStyle AreaBrush() const { return areaBrush_; }
  void SetAreaBrush(fw::TBrushStyle value) { ChangeProperty(areaBrush_, value); }
  TColor AreaColor() const { return areaColor_; }
  void SetAreaColor(TColor value) { ChangeProperty(areaColor_, value); }
  TChartPen* AreaLinesPen() const { return areaLinesPen_.get(); }
  void SetAreaLinesPen(TChartPen* value) { areaLinesPen_->Assign(value); }
  bool ClickableLine() const { return clickableLine_; }
  void SetClickableLine(bool value) { clickableLine_ = value; }
  bool Dark3D() const { return dark3D_; }
  void SetDark3D(bool value) { ChangeProperty(dark3D_, value); }
  bool DrawArea() const { return drawArea_; }
  void SetDrawArea(bool value) { ChangeProperty(drawArea_, value); }
  bool DrawLine() const { return drawLine_; }
  void SetDrawLine(bool value) { ChangeProperty(drawLine_, value); }
  bool InvertedStairs() const { return invertedStairs_; }
  void SetInvertedStairs(bool value) { ChangeProperty(invertedStairs_, value); }
  fw::TBrushStyle LineBrush() const { return lineBrush_; }
  void SetLineBrush(fw::TBrushStyle value) { ChangeProperty(lineBrush_, value); }
  int LineHeight() const { return lineHeight_; }
  void SetLineHeight(int value) { ChangeProperty(lineHeight_, value); }
  TChartPen* LinePen() const { return linePen_.get(); }
  void SetLinePen(TChartPen* value) { linePen_->Assign(value); }
  TSeriesPointer* Pointer() const { return pointer_.get(); }
  void SetPointer(TSeriesPointer* value) { pointer_->Assign(value); }
  bool Stairs() const { return stairs_; }
  void SetStairs(bool value) { ChangeProperty(stairs_, value); }

  TOnClickPointer OnClickPointer;
  TOnGetPointerStyle OnGetPointerStyle;

 protected:
  TCanvas3D* ChartCanvas() const;

 private:
  // The line from the previous point to (x, y) and, `withPointers`, the pending pointers.
  void DrawLineAndPointers(int x, int y, TColor color, int valueIndex, bool last,
                           bool withPointers);
  // The Y at which the line from point i - 1 to point i crosses the pixel column `edgeX`.
  int EdgeCrossingY(int valueIndex, int edgeX) const;
  // The legend symbol's line: flat (a horizontal line) or, in a 3D chart, the rectangle.
  void DrawLegendLine(TColor color, const fw::TRect& rect, bool flat);

  // What the mapped loop of DrawAllValues needs, computed once per paint.
  struct TMappedPoints {
    TAxisPixelMap X;
    TAxisPixelMap Y;
    double XMultiplier = 1;
    double YMultiplier = 1;
    int OriginPos = 0;
  };
  bool PrepareMappedLoop(TMappedPoints& points) const;
  // DrawValue's steps for a point already placed and coloured.
  void DrawPlacedValue(TCanvas3D& canvas, int valueIndex, TColor color, int x, int y);
  // The mapped loop of a series that draws nothing but its pointers, all of one flat shape: the
  // pointers go to the canvas as runs of markers. False (nothing done) when that does not hold.
  bool DrawPointerRuns(TCanvas3D& canvas, const TMappedPoints& points);
  // The colour every point of a stored colour run from firstIndex takes (the series colour for
  // none), or clNone when they differ.
  TColor SharedColor(std::span<const TColor> stored, int firstIndex) const;
  // GetOriginPos and DrawPointer, taken directly during the mapped loop.
  int OriginPosOf(int valueIndex) const;
  void DrawPointerOf(int x, int y, TColor color, int valueIndex);

  fw::TBrushStyle areaBrush_;
  TColor areaColor_ = clAutoColor;
  std::unique_ptr<TChartPen> areaLinesPen_;
  bool clickableLine_ = true;
  bool dark3D_ = true;
  bool drawArea_ = false;
  bool drawLine_ = false;
  bool invertedStairs_ = false;
  fw::TBrushStyle lineBrush_;
  int lineHeight_ = 0;
  std::unique_ptr<TChartPen> linePen_;
  std::unique_ptr<TSeriesPointer> pointer_;
  bool stairs_ = false;

  // Drawing state of one run of DrawAllValues: the last drawn point (whose pointer is still to be
  // drawn) and its origin; prevColor_ clNone when there is none.
  int originPos_ = 0;
  int prevOriginPos_ = 0;
  int prevX_ = 0;
  int prevY_ = 0;
  int prevIndex_ = -1;
  TColor prevColor_ = 0;
  const TMappedPoints* mapped_ = nullptr;  // during the mapped loop
};

class TPointSeries : public TCustomSeries {
  FW_CLASS

 public:
  explicit TPointSeries(fw::TComponent* owner);

  // The TCustomSeries assignment, then pointer visible and no line, area or line clicks.
  void Assign(const fw::TPersistent* source) override;
  // Setting it also makes the pointer's brush follow each point's colour.
  void SetColorEachPoint(bool value) override;
  // Larger pointers; a triangle for the second series of a chart.
  void PrepareGallerySample(bool enabled) override;
  std::string EditorClassName() const override;
};

}  // namespace tee

// TChartLegend: the box beside (or above, below) the plot that names the series or the points.
//
// What an item stands for (`LegendStyle`): a series, a point of the first active series, or the
// last point of each series; `lsAuto` resolves to points when fewer than two series are active and
// to series otherwise. Items start at `FirstValue`; each is a line of text with a colour box that
// the item's series draws (its legend symbol), optionally `Inverted` and separated by
// `DividingLines`. Side legends (`laLeft`, `laRight`) stack one column from `TopPos` percent down;
// top and bottom legends fill columns of equal width, at most `MaxNumRows` rows, shifted by
// `TopPos` percent of the free width. The box has a `Frame`, a shadow (`ShadowSize`,
// `ShadowColor`) and a background (`Color`, `Brush`).
//
// Drawing a legend that shows at least one item takes its room off the chart's PlotRect (the plot
// edge moves to the legend with `ResizeChart`) and then a gap (`HorizMargin` / `VertMargin`, or 3 %
// of the plot width / 4 % of its height when 0). A legend with nothing to show draws nothing and
// takes no room. The chart's events OnGetLegendText, OnGetLegendRect and OnGetLegendPos may change
// item texts, the box and item positions.
//
// Setters store and ask the chart for a repaint only on a real change; TopPos and ColorWidth
// refuse values outside 0..100 and FirstValue a negative one (LegendException, old value kept).
// Published: Alignment (laRight), Brush, Color (white), ColorWidth (12), DividingLines (hidden),
// FirstValue (0), Font, Frame, HorizMargin (0), Inverted (false), LegendStyle (lsAuto), MaxNumRows
// (10), ResizeChart (true), ShadowColor (black), ShadowSize (3), TextStyle (ltsLeftValue), TopPos
// (10), VertMargin (0), Visible (true).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartTypes.h"
#include "chart/TeCanvasBrush.h"
#include "chart/TeCanvasFont.h"
#include "chart/TeCanvasPen.h"
#include "framework/core/Geometry.h"

namespace tee {

class TCustomChart;
class TChartSeries;

enum TLegendAlignment : std::uint8_t { laLeft, laRight, laTop, laBottom };
FW_ENUM_NAMES(TLegendAlignment, "laLeft", "laRight", "laTop", "laBottom")

enum TLegendStyle : std::uint8_t { lsAuto, lsSeries, lsValues, lsLastValues };
FW_ENUM_NAMES(TLegendStyle, "lsAuto", "lsSeries", "lsValues", "lsLastValues")

// Where a legend's parts go in one paint, computed before anything is drawn.
struct TLegendLayout {
  fw::TRect Rect;  // the box (after the chart's OnGetLegendRect); the hit-test rectangle
  int Columns = 0;
  int Rows = 0;
  int Shown = 0;      // the item places the box has
  int Count = 0;      // the items drawn: as many as exist of the shown places
  int RowHeight = 0;  // one line of the legend font
  int ItemWidth = 0;  // the widest text + 4
  int BoxWidth = 0;   // the colour box
  int TextX = 0;      // where the first column's texts start
  // The top-left corner of the text of each drawn item place, before the chart's
  // OnGetLegendPos; the colour box stands 4 + BoxWidth pixels left of it.
  std::vector<fw::TPoint> ItemPos;
  fw::TRect Plot;  // the plot rectangle the legend leaves (the old one when Count < 1)
  friend bool operator==(const TLegendLayout&, const TLegendLayout&) = default;
};

class TCustomChartLegend : public TChartFontObject {
  FW_CLASS

 public:
  explicit TCustomChartLegend(TCustomChart* chart);
  ~TCustomChartLegend() override;

  // From another legend: every published property.
  void Assign(const fw::TPersistent* source) override;

  TCustomChart* ParentChart() const { return chart_; }

  TLegendAlignment Alignment() const { return alignment_; }
  void SetAlignment(TLegendAlignment value);
  TChartBrush* Brush() const { return brush_.get(); }
  void SetBrush(TChartBrush* value) { brush_->Assign(value); }
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  int ColorWidth() const { return colorWidth_; }
  void SetColorWidth(int value);
  TChartHiddenPen* DividingLines() const { return dividingLines_.get(); }
  void SetDividingLines(TChartPen* value) { dividingLines_->Assign(value); }
  int FirstValue() const { return firstValue_; }
  void SetFirstValue(int value);
  TChartPen* Frame() const { return frame_.get(); }
  void SetFrame(TChartPen* value) { frame_->Assign(value); }
  int HorizMargin() const { return horizMargin_; }
  void SetHorizMargin(int value);
  bool Inverted() const { return inverted_; }
  void SetInverted(bool value);
  TLegendStyle LegendStyle() const { return legendStyle_; }
  // Also resolves the style again.
  void SetLegendStyle(TLegendStyle value);
  int MaxNumRows() const { return maxNumRows_; }
  void SetMaxNumRows(int value);
  bool ResizeChart() const { return resizeChart_; }
  void SetResizeChart(bool value);
  TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TColor value);
  int ShadowSize() const { return shadowSize_; }
  void SetShadowSize(int value);
  TLegendTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TLegendTextStyle value);
  int TopPos() const { return topPos_; }
  void SetTopPos(int value);
  int VertMargin() const { return vertMargin_; }
  void SetVertMargin(int value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // What an item stands for with the chart's current series (lsAuto resolved).
  TLegendStyle ResolvedStyle() const;
  // Items from FirstValue on; never below 0.
  int TotalItems() const;
  // The text of item `index` (series title, point text or last point text), after the chart's
  // OnGetLegendText.
  std::string ItemText(int index) const;
  // The series that draws the colour box of item `index`, and the value index it draws (-1 for
  // the series' own symbol); null when no series stands for it.
  TChartSeries* ItemSeries(int index, int& valueIndex) const;

  // Draws the legend and takes its room off the chart's PlotRect (see the header comment):
  // CalcLayout, then, when it shows an item, DrawLayout and the plot it leaves.
  virtual void Draw();
  // The layout over the chart's current PlotRect, measured in the legend's font (which it leaves
  // on the chart's canvas). Draws nothing; asks the chart's OnGetLegendText and OnGetLegendRect.
  TLegendLayout CalcLayout() const;
  // Paints a layout: shadow, frame and background, then the items (OnGetLegendPos may move
  // each).
  void DrawLayout(const TLegendLayout& layout);
  // The item position under (x, y) in the legend of the last paint, or -1.
  int Clicked(int x, int y) const;

  // Layout of the last paint.
  const TLegendLayout& LastLayout() const { return layout_; }
  const fw::TRect& LegendRect() const { return layout_.Rect; }
  int Columns() const { return layout_.Columns; }
  int Rows() const { return layout_.Rows; }
  int ColorBoxWidth() const { return layout_.BoxWidth; }

 protected:
  // How many items fit between `start` and the plot's end for items `itemSize` pixels high.
  virtual int FitItems(int start, int itemSize) const;

 private:
  void Repaint() const;
  template <class T>
  void Change(T& field, T value) {
    if (field == value) return;
    field = value;
    Repaint();
  }
  // The box's size, rows and columns, and the texts' start.
  void PlaceBox(TLegendLayout& layout) const;
  // The plot rectangle the legend leaves: the plot edge moves to the box, then keeps a gap.
  fw::TRect PlotLeft(const TLegendLayout& layout, fw::TRect plot) const;
  void DrawFrame(const TLegendLayout& layout);
  void DrawItem(const TLegendLayout& layout, int position, int index);

  TCustomChart* chart_;
  TLegendAlignment alignment_ = laRight;
  std::unique_ptr<TChartBrush> brush_;
  TColor color_ = fw::clWhite;
  int colorWidth_ = 12;
  std::unique_ptr<TChartHiddenPen> dividingLines_;
  int firstValue_ = 0;
  std::unique_ptr<TChartPen> frame_;
  int horizMargin_ = 0;
  bool inverted_ = false;
  TLegendStyle legendStyle_ = lsAuto;
  int maxNumRows_ = 10;
  bool resizeChart_ = true;
  TColor shadowColor_ = fw::clBlack;
  int shadowSize_ = 3;
  TLegendTextStyle textStyle_ = ltsLeftValue;
  int topPos_ = 10;
  int vertMargin_ = 0;
  bool visible_ = true;

  TLegendLayout layout_;  // of the last paint
};

class TChartLegend : public TCustomChartLegend {
  FW_CLASS

 public:
  using TCustomChartLegend::TCustomChartLegend;
};

}  // namespace tee

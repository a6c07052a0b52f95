// The chart panel in three levels, each adding one layer of the chart's job:
//
//   TCustomTeePanel          the window control that owns the drawing canvas, the margins, the 3D
//                            view, the plot rectangle and the buffered paint (`DrawChart`);
//   TCustomTeePanelExtended  the background (panel colour, gradient, back image, bevels) and the
//                            zoom and scroll settings;
//   TCustomAxisPanel         the series list, the axes, paging and the paint pipeline
//                            (`DrawContents`): the chart as its series and axes see it.
// TCustomChart (Chart.h) adds the title, foot, legend and walls; TChart publishes it all.
//
// Repaint requests: every change ends in `Invalidate`, the chart's repaint request. It is ignored
// until the created flag is set (at the end of construction; `FillSampleValues` clears it while it
// adds points). An accepted request is counted (`RepaintRequestCount`), tells the canvas that its
// buffered picture is stale and invalidates the window; nothing is drawn at that moment. The window
// later calls `Paint`: an unchanged chart is shown again by one copy of the buffer
// (`RedrawBitmap`), otherwise `DrawChart` draws it. The window's background is never erased.
//
// Paint order of `DrawChart`(target, rectangle): the canvas starts the paint (`InitWindow`: the
// buffer's own coordinates become `FullRect`), `PlotRect` is `FullRect` less the border and the
// percentage margins, `RecalcPlotSize`, `DrawContents`, and the canvas shows its buffer on the
// target (`ShowImage`). `DrawContents` runs: background, the series' before-draw hooks, titles and
// legend (taking room from `PlotRect`), series depths, axis ranges and room, series depth
// positions, series margins, projection, walls, axes, series, then the zoom rectangle of a drag.
// A buffered chart keeps the zoom rectangle out of its buffer: it is drawn on the target after the
// buffer was shown (also when a paint only shows the buffer again), so the buffer always holds
// the chart alone and the window always shows the drag's one rectangle.
//
// Axes: a chart built with `withAxes` owns the five standard axes, created into its axes list in
// the order bottom, top, left, right, depth. Test charts may instead hand in axes of their own
// with `SetAxes`; series then place their points through those.
//
// What the axes need of their chart: the axes list (an axis joins when it is created and leaves
// when it is destroyed), `PlotRect`, `PlotWidth`/`PlotHeight`, `DepthOffsetX`, the panel colour
// and `Printing` flag for labels, `AxisVisible`, and the overridable questions `IsAxisShown`,
// `CalcWallSize`, the automatic ranges `MinXValueOfAxis` .. `MaxYValueOfAxis` and
// `SeriesTitleLegend`, plus the label events `OnGetAxisLabel` and `OnGetNextAxisLabel`.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxisTypes.h"
#include "chart/ChartTypes.h"
#include "chart/TeCanvas3D.h"
#include "chart/TeCanvasGradient.h"
#include "chart/TeCanvasView3D.h"
#include "framework/core/CustomPanel.h"
#include "framework/core/Geometry.h"
#include "framework/core/Graphic.h"

namespace tee {

class TChartSeries;
class TSeriesAxis;
class TCustomChartAxis;
class TChartAxis;
class TChartDepthAxis;

enum TPanningMode : std::uint8_t { pmNone, pmHorizontal, pmVertical, pmBoth };
FW_ENUM_NAMES(TPanningMode, "pmNone", "pmHorizontal", "pmVertical", "pmBoth")

enum TTeeBackImageMode : std::uint8_t { pbmStretch, pbmTile, pbmCenter };
FW_ENUM_NAMES(TTeeBackImageMode, "pbmStretch", "pbmTile", "pbmCenter")

// The state of a zoom or pan drag: whether one is under way and its two corners in pixels.
struct TZoomPanningRecord {
  bool Active = false;
  int X0 = 0;
  int Y0 = 0;
  int X1 = 0;
  int Y1 = 0;

  // Both corners at the point; the drag is under way.
  void Activate(int x, int y) {
    X0 = X1 = x;
    Y0 = Y1 = y;
    Active = true;
  }
  // Orders the corners: (X0, Y0) top-left, (X1, Y1) bottom-right.
  void Normalize();
};

// Settings shared by every chart of the process, set once at start.
struct TChartSettings {
  // Axes are drawn before the series (the series lie over the grid).
  bool AxesBehindSeries = true;
  // The window's erase-background message really erases (it never does: no flicker).
  bool EraseBackgroundMessages = false;
  // Pixels between a title or foot and the plot.
  int TitleMargin = 5;
  // The line separator of chart texts; legend value texts show it as a blank.
  char LineSeparator = '\r';
  // A printed chart gets its panel background and bevels too.
  bool PrintPanelBackground = false;
  // The mouse button and the modifier keys (all of them held) that start a zoom drag and a pan
  // drag on a chart.
  fw::TMouseButton ZoomButton = fw::mbLeft;
  fw::TMouseButton PanButton = fw::mbRight;
  fw::TShiftState ZoomShift;
  fw::TShiftState PanShift;
  // Each step of an animated zoom covers the remaining distance divided by this.
  double ZoomAnimationDivisor = 3.0;
  // Point series place their points through per-paint pixel maps of the axes (off: through the
  // overridable position, colour and pointer operations for every point; the same picture).
  bool MappedPointLoop = true;
  // In that loop, a 2D point series whose pointers are all of one flat shape hands them to the
  // canvas as runs of markers (off: one shape at a time; the same calls and picture).
  bool PointerRuns = true;
  // Point labels of one ordered series are chosen in a tight pass with their widths kept per
  // point (off: through the series' and axis' overridable operations for every point; the same
  // labels).
  bool OrderedLabelPass = true;
};
TChartSettings& ChartSettings();

// ---- TCustomTeePanel ---------------------------------------------------------------------------

// The chart's window control: the drawing canvas (owned; a test may put its own in place with
// SetCanvas), the margins in percent, the 3D view settings, FullRect and PlotRect of the current
// paint, the created flag with the repaint request, and the buffered paint. A new panel is 400 x
// 250 pixels. DrawContents, the chart's actual drawing, comes with the levels below.
class TCustomTeePanel : public fw::TCustomPanel {
  FW_CLASS

 public:
  explicit TCustomTeePanel(fw::TComponent* owner);
  ~TCustomTeePanel() override;

  // From another chart panel: buffered flag, PrintProportional, margins, Monochrome, View3D,
  // View3DOptions, Chart3DPercent, Color. Any other source: the framework's assignment error.
  void Assign(const fw::TPersistent* source) override;

  // ---- Overridable operations ----
  // Draws everything inside `rect` (the paint pipeline).
  virtual void DrawContents(const fw::TRect& rect) = 0;
  // A style object changed: the repaint request.
  virtual void CanvasChanged(fw::TObject* sender);
  // Draws the whole chart into any surface and rectangle (window, bitmap, printer).
  virtual void DrawChart(fw::TCanvas& target, const fw::TRect& rect);
  // The outer bevel, the border in the panel colour and the inner bevel, inside `rect`.
  virtual void DrawBevels(const fw::TRect& rect);
  // Makes `font` the canvas font.
  virtual void SetCanvasFont(const fw::TFont& font);
  // The rectangle a window paint draws in: the client rectangle.
  virtual fw::TRect GetDrawingRect() const;

  // Clamps PlotRect into FullRect and repairs a collapsed one: when left passes right the width
  // becomes 1, when they are equal the control's width (the same for top, bottom and height).
  void RecalcPlotSize();

  // The repaint request (see the header comment).
  void Invalidate() override;
  int RepaintRequestCount() const { return repaintRequests_; }
  // The created flag: repaint requests are ignored while it is clear.
  bool ChartCreated() const { return created_; }
  void SetChartCreated(bool value) { created_ = value; }

  // The chart's drawing object. Never null.
  TCanvas3D* Canvas() const { return canvas_; }

  // ---- Layout of the current paint ----
  const fw::TRect& FullRect() const { return fullRect_; }
  const fw::TRect& PlotRect() const { return plotRect_; }
  void SetPlotRect(const fw::TRect& rect) { plotRect_ = rect; }
  int PlotWidth() const { return plotRect_.Width(); }
  int PlotHeight() const { return plotRect_.Height(); }
  // Centre of PlotRect, halves rounded toward zero.
  int PlotCenterX() const { return (plotRect_.Left + plotRect_.Right) / 2; }
  int PlotCenterY() const { return (plotRect_.Top + plotRect_.Bottom) / 2; }
  // Extent of the 3D depth in pixels; 0 in 2D.
  int DepthOffsetX() const { return depthOffsetX_; }
  void SetDepthOffsetX(int value) { depthOffsetX_ = value; }
  int DepthOffsetY() const { return depthOffsetY_; }
  void SetDepthOffsetY(int value) { depthOffsetY_ = value; }

  // ---- Properties ----
  // 1 to 100; otherwise ChartException "3D effect percent must be between 1 and 100".
  int Chart3DPercent() const { return chart3DPercent_; }
  void SetChart3DPercent(int value);
  bool DepthPerSeries() const { return depthPerSeries_; }
  void SetDepthPerSeries(bool value);
  int MarginLeft() const { return marginLeft_; }
  void SetMarginLeft(int value);
  int MarginTop() const { return marginTop_; }
  void SetMarginTop(int value);
  int MarginRight() const { return marginRight_; }
  void SetMarginRight(int value);
  int MarginBottom() const { return marginBottom_; }
  void SetMarginBottom(int value);
  // Print margins in percent (left, top, right, bottom); used only when printing.
  const fw::TRect& PrintMargins() const { return printMargins_; }
  void SetPrintMargins(const fw::TRect& value) { printMargins_ = value; }
  bool PrintProportional() const { return printProportional_; }
  void SetPrintProportional(bool value) { printProportional_ = value; }
  // The current paint goes to a printer: no buffer copy, and the panel background only with
  // PrintPanelBackground.
  bool Printing() const { return printing_; }
  void SetPrinting(bool value) { printing_ = value; }
  bool View3D() const { return view3D_; }
  void SetView3D(bool value);
  TView3DOptions* View3DOptions() const { return view3DOptions_.get(); }
  void SetView3DOptions(TView3DOptions* value) { view3DOptions_->Assign(value); }
  // The canvas' monochrome and buffered flags.
  bool Monochrome() const;
  void SetMonochrome(bool value);
  bool BufferedDisplay() const;
  void SetBufferedDisplay(bool value);
  // The panel colour (behind everything, and behind axis labels).
  virtual TColor PanelColor() const { return Color(); }
  fw::TCursor SavedCursor() const { return savedCursor_; }
  void SetSavedCursor(fw::TCursor value) { savedCursor_ = value; }
  TZoomPanningRecord& ZoomDrag() { return zoomDrag_; }
  TZoomPanningRecord& PanDrag() { return panDrag_; }
  bool ClickHandled() const { return clickHandled_; }
  void SetClickHandled(bool value) { clickHandled_ = value; }

  // Shows or erases the zoom rectangle of a drag: pen in the panel colour (black on white) in
  // not-xor mode, so drawing it twice restores the pixels.
  void InvertZoomRectangle();

  // Ends loading: SavedCursor takes the Cursor.
  void Loaded() override;
  // The buffer is painted in full every time: the window need not clear it.
  bool EraseBackground() const override { return ChartSettings().EraseBackgroundMessages; }

 protected:
  // The window's paint: the still-valid buffer when there is one, else DrawChart.
  void Paint(fw::TCanvas& canvas) override;
  // A new size makes the buffer stale.
  void BoundsChanged() override;
  // Cursor back to SavedCursor; a pan drag ends.
  void MouseLeave() override;
  void WindowDestroying() override;
  // Puts another drawing object in place of the owned one (not owned; null: the owned one).
  void SetCanvas(TCanvas3D* canvas);
  // The zoom rectangle of an active drag onto `target` (a buffered chart's window or bitmap).
  void ShowZoomRectangleOn(fw::TCanvas& target);

 private:
  std::unique_ptr<TTeeCanvas3D> ownCanvas_;
  TCanvas3D* canvas_;
  std::unique_ptr<TView3DOptions> view3DOptions_;
  int chart3DPercent_ = 15;
  bool depthPerSeries_ = true;
  fw::TRect fullRect_;
  fw::TRect plotRect_;
  int depthOffsetX_ = 0;
  int depthOffsetY_ = 0;
  int marginLeft_ = 3;
  int marginTop_ = 4;
  int marginRight_ = 3;
  int marginBottom_ = 4;
  fw::TRect printMargins_{15, 15, 15, 15};
  bool printProportional_ = true;
  bool printing_ = false;
  bool view3D_ = true;
  fw::TCursor savedCursor_ = fw::crDefault;
  TZoomPanningRecord zoomDrag_;
  TZoomPanningRecord panDrag_;
  bool created_ = false;
  bool clickHandled_ = false;
  int repaintRequests_ = 0;
};

// ---- TCustomTeePanelExtended -------------------------------------------------------------------

// The background of the panel (colour or gradient, back image in three modes, bevels) and the zoom
// and scroll settings that the mouse handling reads.
class TCustomTeePanelExtended : public TCustomTeePanel {
  FW_CLASS

 public:
  explicit TCustomTeePanelExtended(fw::TComponent* owner);
  ~TCustomTeePanelExtended() override;

  // From another extended panel: BackImage (shared, see SetBackImage), BackImageMode, Gradient,
  // AllowPanning, AllowZoom, AnimatedZoom, AnimatedZoomSteps; then the panel's settings.
  void Assign(const fw::TPersistent* source) override;

  // ---- Overridable operations ----
  // The back image into `rect` by BackImageMode (projected at depth `z` in 3D).
  virtual void DrawBackImage(const fw::TRect& rect, int z = 0);
  // The gradient, else the panel colour (nothing when printing without the panel background).
  virtual void FillBackground(const fw::TRect& rect);
  // FillBackground, DrawBackImage, DrawBevels.
  virtual void PaintBackground(const fw::TRect& rect);

  TPanningMode AllowPanning() const { return allowPanning_; }
  void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
  bool AllowZoom() const { return allowZoom_; }
  void SetAllowZoom(bool value) { allowZoom_ = value; }
  bool AnimatedZoom() const { return animatedZoom_; }
  void SetAnimatedZoom(bool value) { animatedZoom_ = value; }
  int AnimatedZoomSteps() const { return animatedZoomSteps_; }
  void SetAnimatedZoomSteps(int value) { animatedZoomSteps_ = value; }
  // The back image (null: none). Shared, so that Assign can hand it to another chart.
  const fw::TGraphic* BackImage() const { return backImage_.get(); }
  void SetBackImage(std::shared_ptr<const fw::TGraphic> image);
  bool HasBackImage() const { return backImage_ && !backImage_->Empty(); }
  TTeeBackImageMode BackImageMode() const { return backImageMode_; }
  void SetBackImageMode(TTeeBackImageMode value);
  TChartGradient* Gradient() const { return gradient_.get(); }
  void SetGradient(TChartGradient* value) { gradient_->Assign(value); }
  bool IsZoomed() const { return isZoomed_; }
  void SetIsZoomed(bool value) { isZoomed_ = value; }

  // Returns to the ranges before the first zoom or pan (the chart restores its axes first), then
  // OnUndoZoom, the repaint request, and IsZoomed false.
  virtual void UndoZoom();

  fw::TNotifyEvent OnAfterDraw;
  fw::TNotifyEvent OnScroll;
  fw::TNotifyEvent OnUndoZoom;
  fw::TNotifyEvent OnZoom;

 private:
  TPanningMode allowPanning_ = pmBoth;
  bool allowZoom_ = true;
  bool animatedZoom_ = false;
  int animatedZoomSteps_ = 8;
  std::shared_ptr<const fw::TGraphic> backImage_;
  TTeeBackImageMode backImageMode_ = pbmStretch;
  std::unique_ptr<TChartGradient> gradient_;
  bool isZoomed_ = false;
};

// ---- TCustomAxisPanel --------------------------------------------------------------------------

class TCustomAxisPanel : public TCustomTeePanelExtended {
  FW_CLASS

 public:
  // `withAxes`: the chart owns the five standard axes (see the header comment).
  explicit TCustomAxisPanel(fw::TComponent* owner, bool withAxes = false);
  // Detaches every series (each keeps living with its owner), then releases the axes.
  ~TCustomAxisPanel() override;

  // From another axis panel: AxisVisible, the five axes (when both have them), ClipPoints,
  // MaxPointsPerPage, Page, ScaleLastPage, View3DWalls; then the extended panel's settings. The
  // series are not copied.
  void Assign(const fw::TPersistent* source) override;

  // ---- Series list, in drawing order ----
  const std::vector<TChartSeries*>& SeriesList() const { return series_; }
  int SeriesCount() const { return static_cast<int>(series_.size()); }
  // Raises the list error for an index outside the list.
  TChartSeries* Series(int index) const;
  int CountActiveSeries() const;
  TChartSeries* GetFirstActiveSeries() const;
  // Appends the series (nothing when listed): a series with colour clAutoColor gets a free palette
  // colour, the series' ParentChart becomes this chart, repaint request.
  void AddSeries(TChartSeries* series);
  // Takes the series out of the list: it leaves the linked lists of its sources, its ParentChart
  // becomes none, the chart's Cursor returns to SavedCursor when it is the series' Cursor, repaint
  // request. Nothing when the series is not listed.
  void RemoveSeries(TChartSeries* series);

  // The first palette colour for which IsSeriesColorFree answers true; red after 16 tries.
  TColor FreeSeriesColor(bool checkBackground) const;
  // False when a series has that colour (the chart also refuses its background colours).
  virtual bool IsSeriesColorFree(TColor color, bool checkBackground) const;

  // ---- Axes ----
  // The axes series draw against; null until the chart has axes.
  TSeriesAxis* BottomAxis() const { return bottomAxis_; }
  TSeriesAxis* TopAxis() const { return topAxis_; }
  TSeriesAxis* LeftAxis() const { return leftAxis_; }
  TSeriesAxis* RightAxis() const { return rightAxis_; }
  // Sets the four main axes and lets every series resolve its axes again.
  void SetAxes(TSeriesAxis* bottom, TSeriesAxis* top, TSeriesAxis* left, TSeriesAxis* right);
  // The standard axes a chart built with `withAxes` owns; null otherwise.
  TChartAxis* StandardAxis(int index) const;
  TChartDepthAxis* StandardDepthAxis() const { return depthAxis_.get(); }

  // Every axis of the chart in creation order (bottom, top, left, right, depth, then further
  // axes). Not owned: an axis joins when it is created and leaves when it is destroyed.
  const std::vector<TCustomChartAxis*>& AxesList() const { return axes_; }
  void AddAxis(TCustomChartAxis* axis);
  void RemoveAxis(TCustomChartAxis* axis);

  // ---- Properties ----
  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool value);
  bool View3DWalls() const { return view3DWalls_; }
  void SetView3DWalls(bool value);
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool value);
  int Page() const { return page_; }
  // Clamped to 1..PageCount; a change makes a repaint request and calls OnPageChange.
  void SetPage(int value);
  int MaxPointsPerPage() const { return maxPointsPerPage_; }
  // Refuses a negative value: ChartException "MaxPointsPerPage must be >= 0". Pulls Page back to
  // PageCount when it lies beyond.
  void SetMaxPointsPerPage(int value);
  bool ScaleLastPage() const { return scaleLastPage_; }
  void SetScaleLastPage(bool value);
  // 1 without paging or series; else the page count of the axes carrying the first series'
  // independent values.
  int PageCount() const;
  int HighestZOrder() const { return highestZOrder_; }
  void SetHighestZOrder(int value) { highestZOrder_ = value; }
  // Depth of one series slot in pixels.
  int SeriesDepth() const { return seriesDepth_; }
  // The legend's background colour of the current paint, recorded when the legend starts drawing
  // (series symbols in that colour get an outline).
  TColor LegendColor() const { return legendColor_; }
  void SetLegendColor(TColor value) { legendColor_ = value; }

  // ---- The axes' questions ----
  // False unless AxisVisible and the axis' Visible; the depth axis only in 3D; another axis when no
  // active series uses axes, or when an active series that uses axes draws against it.
  virtual bool IsAxisShown(const TCustomChartAxis* axis) const;
  // The wall thickness an axis leaves room for; 0 here (no walls).
  virtual int CalcWallSize(const TSeriesAxis* axis) const;
  // Automatic range ends of an axis from the series drawn against it (0 without any), one page of
  // points when paging; for the depth axis from the series' depth.
  virtual double MinXValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MaxXValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MinYValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MaxYValueOfAxis(const TCustomChartAxis* axis) const;
  // The title of series `index` for the depth axis' labels and the legend: its Title, else its
  // Name, else "Series " and the index; empty for an index outside the list.
  virtual std::string SeriesTitleLegend(int index) const;

  // ---- Data sources ----
  // The pair test: `source` must be a series other than `series` that the series accepts.
  virtual bool IsValidDataSource(TChartSeries* series, fw::TComponent* source) const;
  // Re-reads a series from its data source (when it is not loading and its DataSource is a series).
  void CheckDataSource(TChartSeries* series);
  // The text a legend value item shows (the chart replaces line separators); unchanged here.
  virtual void LegendValueText(TChartSeries* series, int index, std::string& text) const;

  // ---- Paint pipeline ----
  void DrawContents(const fw::TRect& rect) override;
  // The room of titles and legend taken from PlotRect; nothing here.
  virtual void PlaceTitlesAndLegend() {}
  // Depth order of the active series (HighestZOrder and each series' z order).
  void AssignSeriesDepth();
  // SeriesDepth, DepthOffsetX and DepthOffsetY from Chart3DPercent and the series' depths.
  void CalcDepth3D();
  // Axis ranges, 3D depth, axis room and pixel ranges.
  virtual void CalcAxesRect();
  // Start, middle and end depth of every active series (marks at the middle).
  void CalcSeriesZPositions();
  // Widens automatic axis ends by the pixels the series ask for at them.
  virtual void CalcSeriesMargins();
  // The walls; nothing here.
  virtual void DrawWalls() {}
  // OnBeforeDrawAxes, then Draw of every shown axis.
  void DrawAxes();
  // One series (or, in 3D, the group of series sharing its depth slot).
  void DrawSeries(TChartSeries* series);
  // The back wall's thickness, which CalcAxesRect leaves free in an orthogonal 3D view; 0 here.
  virtual int BackWallSize() const { return 0; }

  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;
  fw::TNotifyEvent OnPageChange;
  fw::TNotifyEvent OnBeforeDrawAxes;
  fw::TNotifyEvent OnBeforeDrawSeries;

 private:
  double AxisValue(const TCustomChartAxis* axis, bool x, bool maximum) const;
  // The page range of the independent values; false when paging does not apply.
  bool PagedValue(const TCustomChartAxis* axis, bool x, bool maximum, double& result) const;
  int AxisPageCount(const TSeriesAxis* axis) const;
  void DrawSeriesGroup(TChartSeries* first);
  // The series' marks when they are visible, clipped to PlotRect when the marks' Clip is set.
  void DrawSeriesMarks(TChartSeries* series);

  std::vector<TChartSeries*> series_;
  TSeriesAxis* bottomAxis_ = nullptr;
  TSeriesAxis* topAxis_ = nullptr;
  TSeriesAxis* leftAxis_ = nullptr;
  TSeriesAxis* rightAxis_ = nullptr;
  std::vector<TCustomChartAxis*> axes_;
  std::vector<std::unique_ptr<TChartAxis>> standardAxes_;  // bottom, top, left, right
  std::unique_ptr<TChartDepthAxis> depthAxis_;
  bool axisVisible_ = true;
  bool view3DWalls_ = true;
  bool clipPoints_ = true;
  int page_ = 1;
  int maxPointsPerPage_ = 0;
  bool scaleLastPage_ = true;
  int highestZOrder_ = -1;
  int seriesDepth_ = 0;
  TColor legendColor_ = fw::clWhite;
  std::vector<TChartSeries*> group_;  // scratch list of DrawSeriesGroup
};

}  // namespace tee

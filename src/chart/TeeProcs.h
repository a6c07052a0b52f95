// TCustomAxisPanel: the chart as its series see it.
//
// This is the part of the chart panel that the data model needs: the list of series in drawing
// order (the chart lists its series but does not own them), the four main axes through which
// series place their points, the plot rectangle, the created flag and the repaint request, the 3D
// settings that decide depth order (`View3D`, `DepthPerSeries`, `HighestZOrder`), `ClipPoints`,
// `ClickHandled`, and the data-source checks a series asks its chart for. The chart's layout,
// painting and its own axes, titles and legend grow around it (the panel levels above and
// `TCustomChart` below).
//
// Repaint requests: `Invalidate` is the chart's repaint request. It is ignored until the created
// flag is set (at the end of construction; `FillSampleValues` clears it while it adds points);
// each accepted request is counted (`RepaintRequestCount`) and passed to `RequestRepaint`, which
// the window-bound chart overrides to mark its buffer stale and invalidate its window.
//
// Axes: the chart sets its axes with `SetAxes`; until it does, series have no axes and draw all
// their points.
//
// What the axes need of their chart (the axes' side, TeeProcsAxes.cpp): the axes list (an axis
// joins it when created and leaves it when destroyed), `PlotWidth`/`PlotHeight`, `DepthOffsetX`,
// the panel colour and `Printing` flag for labels, `AxisVisible`, and the overridable questions
// `IsAxisShown`, `CalcWallSize`, the automatic ranges `MinXValueOfAxis` .. `MaxYValueOfAxis` and
// `SeriesTitleLegend`, plus the label events `OnGetAxisLabel` and `OnGetNextAxisLabel`. The base
// versions answer for a chart without walls and without paging; the chart overrides them.
#pragma once

#include <string>
#include <vector>

#include "chart/ChartAxisTypes.h"
#include "chart/ChartTypes.h"
#include "framework/core/Component.h"
#include "framework/core/Geometry.h"

namespace tee {

class TChartSeries;
class TSeriesAxis;
class TCanvas3D;
class TCustomChartAxis;

class TCustomAxisPanel : public fw::TComponent {
  FW_CLASS

 public:
  explicit TCustomAxisPanel(fw::TComponent* owner);
  // Detaches every series (each keeps living with its owner).
  ~TCustomAxisPanel() override;

  // Series list, in drawing order.
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
  // becomes none, repaint request. Nothing when the series is not listed.
  void RemoveSeries(TChartSeries* series);

  // The first palette colour that no series uses (see IsSeriesColorFree); the first palette colour
  // when all 16 are taken.
  TColor FreeSeriesColor(bool checkBackground) const;
  virtual bool IsSeriesColorFree(TColor color, bool checkBackground) const;

  // Axes. Null until the chart has axes.
  TSeriesAxis* BottomAxis() const { return bottomAxis_; }
  TSeriesAxis* TopAxis() const { return topAxis_; }
  TSeriesAxis* LeftAxis() const { return leftAxis_; }
  TSeriesAxis* RightAxis() const { return rightAxis_; }
  // Sets the four main axes and lets every series resolve its axes again.
  void SetAxes(TSeriesAxis* bottom, TSeriesAxis* top, TSeriesAxis* left, TSeriesAxis* right);

  // The rectangle left for axes and series in the current paint.
  const fw::TRect& PlotRect() const { return plotRect_; }
  void SetPlotRect(const fw::TRect& rect) { plotRect_ = rect; }

  // The chart's drawing object; null until the chart has a canvas.
  TCanvas3D* Canvas() const { return canvas_; }

  bool View3D() const { return view3D_; }
  void SetView3D(bool value);
  bool ClipPoints() const { return clipPoints_; }
  void SetClipPoints(bool value);
  bool DepthPerSeries() const { return depthPerSeries_; }
  void SetDepthPerSeries(bool value);
  int HighestZOrder() const { return highestZOrder_; }
  void SetHighestZOrder(int value) { highestZOrder_ = value; }
  bool ClickHandled() const { return clickHandled_; }
  void SetClickHandled(bool value) { clickHandled_ = value; }

  // The created flag: repaint requests are ignored while it is clear.
  bool ChartCreated() const { return created_; }
  void SetChartCreated(bool value) { created_ = value; }

  // The repaint request.
  void Invalidate();
  int RepaintRequestCount() const { return repaintRequests_; }

  // Data sources: the pair test (`source` must be a series other than `series` that the series
  // accepts), and the re-reading of a series from its data source (when it is not loading and its
  // DataSource is a series).
  virtual bool IsValidDataSource(TChartSeries* series, fw::TComponent* source) const;
  void CheckDataSource(TChartSeries* series);

  // ---- What the axes need of their chart ----

  // Every axis of the chart in creation order (bottom, top, left, right, depth, then further
  // axes). Not owned: an axis joins when it is created and leaves when it is destroyed.
  const std::vector<TCustomChartAxis*>& AxesList() const { return axes_; }
  void AddAxis(TCustomChartAxis* axis);
  void RemoveAxis(TCustomChartAxis* axis);

  int PlotWidth() const { return plotRect_.Width(); }
  int PlotHeight() const { return plotRect_.Height(); }
  // Horizontal extent of the 3D depth in pixels; 0 in 2D.
  int DepthOffsetX() const { return depthOffsetX_; }
  void SetDepthOffsetX(int value) { depthOffsetX_ = value; }
  // Draw the axes at all (default true).
  bool AxisVisible() const { return axisVisible_; }
  void SetAxisVisible(bool value);
  // The current paint goes to a printer.
  bool Printing() const { return printing_; }
  void SetPrinting(bool value) { printing_ = value; }
  // The panel colour, behind axis labels; the button face here.
  virtual TColor PanelColor() const;

  // False unless AxisVisible and the axis' Visible; the depth axis only in 3D; another axis when no
  // active series uses axes, or when an active series that uses axes draws against it.
  virtual bool IsAxisShown(const TCustomChartAxis* axis) const;
  // The wall thickness an axis leaves room for; 0 here (no walls).
  virtual int CalcWallSize(const TSeriesAxis* axis) const;
  // The automatic range ends of an axis from the series drawn against it (0 without any); for the
  // depth axis from the series' depth. No paging here.
  virtual double MinXValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MaxXValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MinYValueOfAxis(const TCustomChartAxis* axis) const;
  virtual double MaxYValueOfAxis(const TCustomChartAxis* axis) const;
  // The title of series `index` for the depth axis' labels: its Title, else its Name, else
  // "Series " and the index; empty for an index outside the list.
  virtual std::string SeriesTitleLegend(int index) const;

  TAxisOnGetLabel OnGetAxisLabel;
  TAxisOnGetNextLabel OnGetNextAxisLabel;

 protected:
  // Called for each accepted repaint request; the window-bound chart marks its buffer stale and
  // invalidates its window here.
  virtual void RequestRepaint() {}
  void SetCanvas(TCanvas3D* canvas) { canvas_ = canvas; }

 private:
  std::vector<TChartSeries*> series_;
  TSeriesAxis* bottomAxis_ = nullptr;
  TSeriesAxis* topAxis_ = nullptr;
  TSeriesAxis* leftAxis_ = nullptr;
  TSeriesAxis* rightAxis_ = nullptr;
  TCanvas3D* canvas_ = nullptr;
  fw::TRect plotRect_;
  bool view3D_ = true;
  bool clipPoints_ = true;
  bool depthPerSeries_ = true;
  int highestZOrder_ = -1;
  bool clickHandled_ = false;
  bool created_ = false;
  int repaintRequests_ = 0;

  // The axes' side.
  double AxisValue(const TCustomChartAxis* axis, bool x, bool maximum) const;
  std::vector<TCustomChartAxis*> axes_;
  int depthOffsetX_ = 0;
  bool axisVisible_ = true;
  bool printing_ = false;
};

}  // namespace tee

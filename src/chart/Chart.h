// TCustomChart and TChart: the chart with its furniture.
//
// TCustomChart adds to the axis panel (TeeProcs.h) the title and the foot, the back, left and
// bottom walls, and the legend, and answers the chart-specific steps of a paint: the titles and
// the legend take their room from PlotRect (`PlaceTitlesAndLegend`), the walls are drawn in 2D or
// 3D (`DrawWalls`), axes leave room for wall thickness (`CalcWallSize`), and a series colour must
// also differ from the panel and back wall colours (`IsSeriesColorFree`). At creation the back
// wall's brush is clear, the left wall light yellow and the bottom wall white.
//
// TChart is the chart control of window descriptions: created by name ("TChart"), placed in a
// panel (usually with Align alClient), configured by property paths ("Title.Text",
// "BackWall.Brush.Style", "BottomAxis.Minimum", "Legend.Visible", "View3D"); its series join it
// through their "ParentChart". Its window is the framework's default window of self-painting
// controls: each paint message calls Paint with the window's surface, which shows the chart's
// buffered picture (drawn again only after a change). Call RegisterChartClasses() once before
// reading a description that names TChart or TPointSeries.
//
//   auto* chart = new tee::TChart(form);
//   chart->SetParent(panel);
//   chart->SetAlign(fw::alClient);
//   chart->Title()->SetText({"Oscilloscope"});
//   auto* series = new tee::TPointSeries(form);
//   series->SetParentChart(chart);
//   series->AddXY(100, 200, "100", fw::clRed);   // repaints on the next paint message
//
// Published (besides the panel's and the axis panel's): BackColor (the back wall's Color, not
// stored), BackImageInside, BackWall, BottomAxis, BottomWall, DepthAxis, Foot, Frame (the back
// wall's Pen, not stored), LeftAxis, LeftWall, Legend, RightAxis, Title, TopAxis, and the events
// OnAllowScroll, OnClickAxis, OnClickBackground, OnClickLegend, OnClickSeries, OnGetLegendPos,
// OnGetLegendRect, OnGetLegendText.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "chart/ChartAxis.h"
#include "chart/ChartLegend.h"
#include "chart/ChartTitle.h"
#include "chart/ChartWall.h"
#include "chart/TeeProcs.h"
#include "framework/core/Input.h"

namespace tee {

class TCustomChart;

using TChartClick = fw::TEvent<void(TCustomChart* Sender, fw::TMouseButton Button,
                                    fw::TShiftState Shift, int X, int Y)>;
using TChartClickAxis =
    fw::TEvent<void(TCustomChart* Sender, TChartAxis* Axis, fw::TMouseButton Button,
                    fw::TShiftState Shift, int X, int Y)>;
using TChartClickSeries =
    fw::TEvent<void(TCustomChart* Sender, TChartSeries* Series, int ValueIndex,
                    fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y)>;
using TChartAllowScrollEvent =
    fw::TEvent<void(TChartAxis* Sender, double& AMin, double& AMax, bool& AllowScroll)>;
using TOnGetLegendText = fw::TEvent<void(TCustomAxisPanel* Sender, TLegendStyle LegendStyle,
                                         int Index, std::string& LegendText)>;
using TOnGetLegendRect = fw::TEvent<void(TCustomChart* Sender, fw::TRect& Rect)>;
using TOnGetLegendPos =
    fw::TEvent<void(TCustomChart* Sender, int Index, int& X, int& Y, int& XColor)>;

// What lies under a point of the chart (HitTestChart), in the order the chart looks for it.
enum TChartHitKind : std::uint8_t {
  hkNone,
  hkLegend,  // a legend item (ValueIndex is its position)
  hkAxis,    // an axis
  hkSeries,  // a point of a series (Series and ValueIndex)
  hkTitle,
  hkFoot,
  hkChartRect,  // the plot rectangle of a chart with an active series
};

struct TChartHit {
  TChartHitKind Kind = hkNone;
  int ValueIndex = -1;
  TChartSeries* Series = nullptr;
  TCustomChartAxis* Axis = nullptr;
};

// The ranges of the top, left, right and bottom axes saved before a zoom, to undo it.
struct TAxisBackup {
  bool Automatic = true;
  bool AutomaticMinimum = true;
  bool AutomaticMaximum = true;
  double Minimum = 0;
  double Maximum = 0;
};

class TCustomChart : public TCustomAxisPanel {
  FW_CLASS

 public:
  explicit TCustomChart(fw::TComponent* owner);
  ~TCustomChart() override;

  // From another chart: BackImageInside, the walls, legend, foot and title; then the axis panel's
  // settings (the series are not copied).
  void Assign(const fw::TPersistent* source) override;

  // The standard axes (hiding the axis panel's series-side view of the same objects).
  TChartAxis* BottomAxis() const { return StandardAxis(0); }
  TChartAxis* TopAxis() const { return StandardAxis(1); }
  TChartAxis* LeftAxis() const { return StandardAxis(2); }
  TChartAxis* RightAxis() const { return StandardAxis(3); }
  TChartDepthAxis* DepthAxis() const { return StandardDepthAxis(); }

  TChartTitle* Title() const { return title_.get(); }
  void SetTitle(TChartTitle* value) { title_->Assign(value); }
  TChartTitle* Foot() const { return foot_.get(); }
  void SetFoot(TChartTitle* value) { foot_->Assign(value); }
  TChartWall* BackWall() const { return backWall_.get(); }
  void SetBackWall(TChartWall* value) { backWall_->Assign(value); }
  TChartWall* LeftWall() const { return leftWall_.get(); }
  void SetLeftWall(TChartWall* value) { leftWall_->Assign(value); }
  TChartWall* BottomWall() const { return bottomWall_.get(); }
  void SetBottomWall(TChartWall* value) { bottomWall_->Assign(value); }
  TChartLegend* Legend() const { return legend_.get(); }
  void SetLegend(TChartLegend* value) { legend_->Assign(value); }
  bool BackImageInside() const { return backImageInside_; }
  void SetBackImageInside(bool value);
  // The back wall's colour; writing it also makes the back wall solid (once the chart has a
  // parent and is not being loaded).
  TColor BackColor() const { return backWall_->Color(); }
  void SetBackColor(TColor value);
  // The back wall's pen.
  TChartPen* Frame() const { return backWall_->Pen(); }
  void SetFrame(TChartPen* value) { backWall_->Pen()->Assign(value); }

  // ---- Mouse: zoom, pan, wheel and clicks (ChartZoom.cpp) ----
  //
  // A press raises the click event of what lies under it (HitTestChart) and, on an axis, a series
  // point or the plot rectangle, starts a zoom drag with the zoom button or a pan drag with the pan
  // button (ChartSettings()). A zoom drag shows its rectangle (InvertZoomRectangle) and on release
  // zooms the four main axes to it when dragged toward the lower right, or undoes the zoom when
  // dragged the other way; 16 pixels or less in either direction do nothing. A pan drag shifts the
  // axes with the pointer until any release or until the pointer leaves PlotRect. The wheel
  // shifts the vertical axes by 3 % of their range per step. Before the first zoom or pan the
  // ranges of the four main axes are saved (AxesBackup); UndoZoom returns to them exactly.
  // Pixel positions are those of the last paint.

  // The first of: a point of an active series (from the last series to the first), an axis, the
  // title, the foot, the plot rectangle (with an active series), a legend item.
  TChartHit HitTestChart(int x, int y);
  // Zooms the four main axes to the normalized ZoomDrag rectangle.
  virtual void ZoomToRectangle();
  // Saves the axes when nothing is saved, steps there with AnimatedZoom (each step repainting the
  // window at once), sets the ranges, IsZoomed, OnZoom. An axis keeps its range when the new one
  // is not a number, would have no extent left in 64-bit floats, or is so narrow that a point of
  // the axis' series would lie 2^31 pixels or more away (zooming stops there).
  void ZoomToValues(double leftMin, double leftMax, double rightMin, double rightMax, double topMin,
                    double topMax, double bottomMin, double bottomMax);
  // Restores the saved axes (when saved), then the panel's undo.
  void UndoZoom() override;

  std::array<TAxisBackup, 4>& AxesBackup() { return axesBackup_; }
  bool AxesBackupEmpty() const { return axesBackupEmpty_; }
  void SetAxesBackupEmpty(bool value) { axesBackupEmpty_ = value; }

  // ---- Overrides of the axis panel ----
  bool IsSeriesColorFree(TColor color, bool checkBackground) const override;
  int CalcWallSize(const TSeriesAxis* axis) const override;
  int BackWallSize() const override { return backWall_->Size(); }
  void PlaceTitlesAndLegend() override;
  void DrawWalls() override;
  void DrawBackImage(const fw::TRect& rect, int z = 0) override;
  // Line separators of a value text become blanks.
  void LegendValueText(TChartSeries* series, int index, std::string& text) const override;

  TChartAllowScrollEvent OnAllowScroll;
  TChartClickAxis OnClickAxis;
  TChartClick OnClickBackground;
  TChartClick OnClickLegend;
  TChartClickSeries OnClickSeries;
  TOnGetLegendPos OnGetLegendPos;
  TOnGetLegendRect OnGetLegendRect;
  TOnGetLegendText OnGetLegendText;

 protected:
  void MouseDown(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  void MouseMove(fw::TShiftState shift, int x, int y) override;
  void MouseUp(fw::TMouseButton button, fw::TShiftState shift, int x, int y) override;
  bool DoMouseWheelDown(fw::TShiftState shift, fw::TPoint pos) override;
  bool DoMouseWheelUp(fw::TShiftState shift, fw::TPoint pos) override;

 private:
  // The back image into the plot rectangle (inside the back wall's frame) at depth z.
  void DrawBackImageInside(int z);

  // Mouse (ChartZoom.cpp).
  bool StartZoomOrPan(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  bool BackgroundClick(fw::TMouseButton button, fw::TShiftState shift, int x, int y);
  // Raises a click event with ClickHandled set first; answers ClickHandled as the handler left it.
  template <class F>
  bool RaiseClick(F&& call);
  void MoveZoomRectangle(int x, int y);
  void PanStep(int x, int y);
  void HoverSeries(int x, int y);
  void ReleaseZoom(int x, int y);
  void SaveAxes();
  // Shifts every axis of the direction; false when panning does not move in it.
  bool PanAxes(bool horizontal, int from, int to);
  void ScrollAxisByPixels(TCustomChartAxis* axis, int from, int to);
  void WheelScroll(bool down);
  bool ZoomRangeUsable(const TChartAxis* axis, double a, double b) const;
  // The four main axes in the order of AxesBackup: top, left, right, bottom.
  std::array<TChartAxis*, 4> BackupAxes() const;

  std::unique_ptr<TChartTitle> title_;
  std::unique_ptr<TChartTitle> foot_;
  std::unique_ptr<TChartWall> backWall_;
  std::unique_ptr<TChartWall> leftWall_;
  std::unique_ptr<TChartLegend> legend_;
  std::unique_ptr<TChartWall> bottomWall_;
  bool backImageInside_ = false;
  std::array<TAxisBackup, 4> axesBackup_;
  bool axesBackupEmpty_ = true;
};

class TChart : public TCustomChart {
  FW_CLASS

 public:
  explicit TChart(fw::TComponent* owner) : TCustomChart(owner) {}
};

// Registers TChart and TPointSeries by name for window descriptions. Idempotent.
void RegisterChartClasses();

}  // namespace tee

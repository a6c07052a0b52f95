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

 private:
  // The back image into the plot rectangle (inside the back wall's frame) at depth z.
  void DrawBackImageInside(int z);

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

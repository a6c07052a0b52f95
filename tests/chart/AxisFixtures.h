// A chart with the five standard axes on a recording canvas, as the chart creates them: the
// bottom, top, left and right axes and the depth axis, in that order, with their fixed places.
// Text is measured with the real fonts, so layouts are the ones a window would show.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartAxis.h"
#include "chart/TeCanvas3D.h"
#include "chart/TeEngine.h"
#include "framework/gui/RecordingCanvas.h"
#include "support/GuiTestApp.h"

namespace axistest {

class TAxisChart : public tee::TCustomAxisPanel {
 public:
  explicit TAxisChart(fw::TRect plot = fw::Rect(60, 40, 460, 340))
      : tee::TCustomAxisPanel(nullptr) {
    testing_support::EnsureGuiApplication();
    canvas.SetBuffered(false);
    canvas.InitWindow(&surface, nullptr, false, fw::Rect(0, 0, 500, 400));
    SetCanvas(&canvas);
    SetView3D(false);
    bottom = std::make_unique<tee::TChartAxis>(this);
    bottom->SetHorizontal(true);
    top = std::make_unique<tee::TChartAxis>(this);
    top->SetHorizontal(true);
    top->SetOtherSide(true);
    left = std::make_unique<tee::TChartAxis>(this);
    left->SetDefaultTitleAngle(90);
    right = std::make_unique<tee::TChartAxis>(this);
    right->SetOtherSide(true);
    right->SetDefaultTitleAngle(270);
    depth = std::make_unique<tee::TChartDepthAxis>(this);
    SetAxes(bottom.get(), top.get(), left.get(), right.get());
    SetPlotRect(plot);
  }
  ~TAxisChart() override { SetAxes(nullptr, nullptr, nullptr, nullptr); }

  // The main window's fixed axes: bottom -26000..26000, left -500..75000, Increment 1, no
  // automatic ends, no exact date-time steps.
  void FixLikeMainWindow() {
    for (tee::TChartAxis* a : {bottom.get(), left.get()}) {
      a->SetAutomatic(false);
      a->SetAutomaticMinimum(false);
      a->SetAutomaticMaximum(false);
      a->SetExactDateTime(false);
      a->SetIncrement(1);
    }
    bottom->SetMaximum(26000);
    bottom->SetMinimum(-26000);
    left->SetMaximum(75000);
    left->SetMinimum(-500);
  }

  // What the layout does before drawing, without taking room: ranges and pixel ranges.
  void Layout() {
    for (tee::TCustomChartAxis* a : AxesList()) {
      a->UpdateRange();
      a->CalcPixelRange();
    }
  }

  // The layout of a paint as the chart makes it: ranges, the room of every shown axis taken from
  // the plot rectangle (the first five as main axes), then the pixel ranges.
  void LayoutWithRoom() {
    for (tee::TCustomChartAxis* a : AxesList()) a->UpdateRange();
    fw::TRect r = PlotRect();
    int index = 0;
    for (tee::TCustomChartAxis* a : AxesList()) {
      if (IsAxisShown(a)) {
        fw::TRect reduced = r;
        a->ReserveSpace(reduced, index < 5);
        fw::TRect both;
        if (fw::IntersectRect(both, reduced, r)) r = both;
      }
      ++index;
    }
    SetPlotRect(r);
    for (tee::TCustomChartAxis* a : AxesList()) a->CalcPixelRange();
  }

  void DrawAxes() {
    for (tee::TCustomChartAxis* a : AxesList())
      if (IsAxisShown(a)) a->Draw(true);
  }

  // Draws on another surface from now on (a bitmap to look at).
  void UseSurface(fw::TCanvas& target, fw::TRect bounds) {
    canvas.InitWindow(&target, nullptr, false, bounds);
  }

  fw::TCanvasLog& Log() { return surface.Log(); }
  int FontHeight(const fw::TFont& font) {
    canvas.AssignFont(font);
    return canvas.FontHeight();
  }
  int TextWidth(const fw::TFont& font, const std::string& text) {
    canvas.AssignFont(font);
    return canvas.TextWidth(text);
  }

  fw::TRecordingCanvas surface;
  tee::TTeeCanvas3D canvas;
  std::unique_ptr<tee::TChartAxis> bottom, top, left, right;
  std::unique_ptr<tee::TChartDepthAxis> depth;
};

// A series that draws nothing; X values ascending.
class TPlainSeries : public tee::TChartSeries {
 public:
  using tee::TChartSeries::TChartSeries;
  void DrawValue(int) override {}
};

inline std::vector<double> Values(const tee::TAxisLabels& labels) {
  std::vector<double> v;
  for (const auto& l : labels.Items) v.push_back(l.Value);
  return v;
}

inline std::vector<std::string> Texts(const tee::TAxisLabels& labels) {
  std::vector<std::string> v;
  for (const auto& l : labels.Items) v.push_back(l.Text);
  return v;
}

inline std::vector<int> Positions(const tee::TAxisLabels& labels) {
  std::vector<int> v;
  for (const auto& l : labels.Items) v.push_back(l.Pos);
  return v;
}

inline std::vector<int> TickPositions(const tee::TAxisLabels& labels) {
  std::vector<int> v;
  for (int i = 0; i < labels.Ticks.Count(); ++i) v.push_back(labels.Ticks.Pos(i));
  return v;
}

}  // namespace axistest

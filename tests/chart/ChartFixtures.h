// Charts for the chart tests: the main window's chart set up by property paths exactly as its
// window description sets it, and a plain chart drawing on a recording canvas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/core/Properties.h"
#include "framework/gui/RecordingCanvas.h"
#include "support/GuiTestApp.h"

namespace charttest {

using Strings = std::vector<std::string>;

// Owns the chart and its series, as a window does.
class TOwner : public fw::TComponent {
 public:
  TOwner() : fw::TComponent(nullptr) {}
};

// Sets the properties of a component the way the window description reader does: in the loading
// state, by path and text, then Loaded.
inline void Configure(fw::TComponent& c,
                      const std::vector<std::pair<std::string, std::string>>& props,
                      fw::TComponent* root) {
  c.BeginLoading();
  for (const auto& [path, text] : props) fw::SetPropText(c, path, text, root);
}

// The main window's chart: 482 x 395 with a single border, title "Oscilloscope" in 16-pixel blue
// Arial, fixed axes (bottom -26000..26000, left -500..75000), hidden legend, 2D, white clear back
// wall, and the two point series SeriesOsc (red) and Series1 (green).
struct TMainWindowChart {
  TMainWindowChart() {
    testing_support::EnsureGuiApplication();
    chart = new tee::TChart(&owner);
    chart->SetName("ChartOscilloscope");
    osc = new tee::TPointSeries(&owner);
    osc->SetName("SeriesOsc");
    series1 = new tee::TPointSeries(&owner);
    series1->SetName("Series1");
    Configure(*chart,
              {{"Left", "1"},
               {"Top", "1"},
               {"Width", "482"},
               {"Height", "395"},
               {"BorderStyle", "bsSingle"},
               {"BackWall.Brush.Color", "clWhite"},
               {"BackWall.Brush.Style", "bsClear"},
               {"Title.Font.Name", "Arial"},
               {"Title.Font.Height", "-16"},
               {"Title.Font.Color", "clBlue"},
               {"Title.Text", "Oscilloscope"},
               {"BottomAxis.Automatic", "False"},
               {"BottomAxis.AutomaticMaximum", "False"},
               {"BottomAxis.AutomaticMinimum", "False"},
               {"BottomAxis.ExactDateTime", "False"},
               {"BottomAxis.Increment", "1"},
               {"BottomAxis.Maximum", "26000"},
               {"BottomAxis.Minimum", "-26000"},
               {"LeftAxis.Automatic", "False"},
               {"LeftAxis.AutomaticMaximum", "False"},
               {"LeftAxis.AutomaticMinimum", "False"},
               {"LeftAxis.ExactDateTime", "False"},
               {"LeftAxis.Increment", "1"},
               {"LeftAxis.Maximum", "75000"},
               {"LeftAxis.Minimum", "-500"},
               {"Legend.Visible", "False"},
               {"View3D", "False"}},
              &owner);
    for (auto [series, color] : {std::pair{osc, "clRed"}, std::pair{series1, "clGreen"}}) {
      Configure(*series,
                {{"ParentChart", "ChartOscilloscope"},
                 {"SeriesColor", color},
                 {"Marks.ArrowLength", series == osc ? "8" : "0"},
                 {"Marks.Visible", "False"},
                 {"Pointer.HorizSize", "2"},
                 {"Pointer.InflateMargins", "True"},
                 {"Pointer.Pen.Visible", "False"},
                 {"Pointer.Style", "psCircle"},
                 {"Pointer.VertSize", "2"},
                 {"Pointer.Visible", "True"},
                 {"XValues.DateTime", "False"},
                 {"XValues.Name", "X"},
                 {"XValues.Multiplier", "1"},
                 {"XValues.Order", "loAscending"},
                 {"YValues.DateTime", "False"},
                 {"YValues.Name", "Y"},
                 {"YValues.Multiplier", "1"},
                 {"YValues.Order", "loNone"}},
                &owner);
    }
    chart->Loaded();
    osc->Loaded();
    series1->Loaded();
  }

  // Replaces SeriesOsc's points as a measurement does.
  void Measure(const std::vector<std::pair<int, int>>& profile) {
    osc->Clear();
    for (const auto& [x, y] : profile) osc->AddXY(x, y, std::to_string(x), fw::clRed);
  }

  TOwner owner;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* osc = nullptr;
  tee::TPointSeries* series1 = nullptr;
};

// A chart on a recording canvas: 400 x 300, drawn unbuffered so that every call lands in one log.
struct TRecordedChart {
  TRecordedChart() {
    testing_support::EnsureGuiApplication();
    chart = std::make_unique<tee::TChart>(nullptr);
    chart->SetBounds(0, 0, 400, 300);
    chart->SetBufferedDisplay(false);
  }
  void Draw() {
    surface.Log().Clear();
    chart->DrawChart(surface, fw::Rect(0, 0, 400, 300));
  }
  // A point series that belongs to the chart (owned here).
  tee::TPointSeries* AddPointSeries() {
    series.push_back(std::make_unique<tee::TPointSeries>(nullptr));
    series.back()->SetParentChart(chart.get());
    return series.back().get();
  }
  fw::TCanvasLog& Log() { return surface.Log(); }

  fw::TRecordingCanvas surface;
  std::unique_ptr<tee::TChart> chart;
  std::vector<std::unique_ptr<tee::TPointSeries>> series;
};

}  // namespace charttest

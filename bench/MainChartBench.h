// What the chart benchmarks share: the main window's chart as its description sets it up, and the
// main of a benchmark program that draws with Qt (off-screen unless a platform is chosen).
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <string>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/core/Component.h"

namespace bench {

// An owner for the charts and series of a benchmark.
class TOwner : public fw::TComponent {
 public:
  TOwner() : fw::TComponent(nullptr) {}
};

// The main window's chart (478 x 391 inside its border: title, fixed axes, hidden legend, 2D,
// clear back wall, red circles of half-size 2 without outline, and the second, empty series) with
// `points` points in its profile series, as a measurement adds them: ascending X across the whole
// range, labelled with X unless `labels` is false.
struct TMainChart {
  explicit TMainChart(int points, bool labels = true) {
    chart = new tee::TChart(&owner);
    chart->SetBounds(1, 1, 482, 395);
    chart->SetBorderStyle(fw::bsSingle);
    chart->BackWall()->Brush()->SetColor(fw::clWhite);
    chart->BackWall()->Brush()->SetStyle(fw::bsClear);
    chart->Title()->Font()->SetName("Arial");
    chart->Title()->Font()->SetHeight(-16);
    chart->Title()->SetText({"Oscilloscope"});
    for (tee::TChartAxis* a : {chart->BottomAxis(), chart->LeftAxis()}) {
      a->SetAutomatic(false);
      a->SetExactDateTime(false);
      a->SetIncrement(1);
    }
    chart->BottomAxis()->SetMinMax(-26000, 26000);
    chart->LeftAxis()->SetMinMax(-500, 75000);
    chart->Legend()->SetVisible(false);
    chart->SetView3D(false);
    for (fw::TColor color : {fw::clRed, fw::clGreen}) {
      auto* s = new tee::TPointSeries(&owner);
      s->SetSeriesColor(color);
      s->Pointer()->SetStyle(tee::psCircle);
      s->Pointer()->SetHorizSize(2);
      s->Pointer()->SetVertSize(2);
      s->Pointer()->Pen()->SetVisible(false);
      s->SetParentChart(chart);
      if (color == fw::clRed) osc = s;
    }
    for (int i = 0; i < points; ++i) {
      const int x = -26000 + static_cast<int>(52000LL * i / points);
      const int y = static_cast<int>((i * 7919LL) % 75000);
      osc->AddXY(x, y, labels ? std::to_string(x) : std::string(), fw::clRed);
    }
  }

  TOwner owner;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* osc = nullptr;
};

// Runs the benchmarks given on the command line with a Qt GUI application, reporting through
// `reporter` (the console when null); `after` runs once they are done.
template <class After>
int RunWithQt(int argc, char** argv, benchmark::BenchmarkReporter* reporter, After after) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks(reporter);
  after();
  benchmark::Shutdown();
  return 0;
}

inline int RunWithQt(int argc, char** argv) {
  return RunWithQt(argc, argv, nullptr, [] {});
}

}  // namespace bench

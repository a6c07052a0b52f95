// The main window's chart (478 x 391 inside its border: title, fixed axes, hidden legend, 2D,
// clear back wall, two point series of red and green circles without outline) painted as its
// window paints it:
//   - a full paint after a change, with 440 points (a profile) and with 100,000 points: the cost
//     should grow linearly with the points; target under 2 ms for 440 points;
//   - a repaint with nothing changed: one copy of the chart's buffer.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>
#include <string>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/gui/Bitmap.h"

namespace {

class TWindow : public fw::TComponent {
 public:
  TWindow() : fw::TComponent(nullptr) {}
};

// The chart as the main window's description sets it up, with `points` points in SeriesOsc.
struct TMainChart {
  explicit TMainChart(int points) {
    chart = new tee::TChart(&window);
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
      auto* s = new tee::TPointSeries(&window);
      s->SetSeriesColor(color);
      s->Pointer()->SetStyle(tee::psCircle);
      s->Pointer()->SetHorizSize(2);
      s->Pointer()->SetVertSize(2);
      s->Pointer()->Pen()->SetVisible(false);
      s->SetParentChart(chart);
      (color == fw::clRed ? osc : series1) = s;
    }
    // A profile across the whole range, as a measurement adds it (ascending X, labelled with X).
    for (int i = 0; i < points; ++i) {
      const int x = -26000 + static_cast<int>(52000LL * i / points);
      const int y = static_cast<int>((i * 7919LL) % 75000);
      osc->AddXY(x, y, std::to_string(x), fw::clRed);
    }
  }

  TWindow window;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* osc = nullptr;
  tee::TPointSeries* series1 = nullptr;
};

void BM_FullPaint(benchmark::State& state) {
  TMainChart m(static_cast<int>(state.range(0)));
  const fw::TRect r = m.chart->GetDrawingRect();
  fw::TBitmap window(r.Width(), r.Height());
  for (auto _ : state) {
    m.chart->Invalidate();
    m.chart->PaintWindow(window.Canvas());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_UnchangedRepaint(benchmark::State& state) {
  TMainChart m(440);
  const fw::TRect r = m.chart->GetDrawingRect();
  fw::TBitmap window(r.Width(), r.Height());
  m.chart->PaintWindow(window.Canvas());
  for (auto _ : state) m.chart->PaintWindow(window.Canvas());
}

BENCHMARK(BM_FullPaint)->Arg(440)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnchangedRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

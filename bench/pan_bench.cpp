// One pan step on the main window's chart (478 x 391 inside its border, fixed axes, 2D, red
// circles without outline): a mouse move of a right-button drag, which shifts both axes and makes
// the repaint request, through the finished paint of the chart into the window's bitmap. With
// 440 points (a profile) the target is 1 ms; with 100,000 points 16 ms (60 steps a second).
// To show where the time goes: BM_PanMoveOnly is the move alone (the axes' shift, no paint),
// BM_PanStep/0 the paint of the chart without points, BM_PanStepUnlabelled the step with points
// that carry no text labels (so the bottom axis does not lay out the points' labels).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/gui/Bitmap.h"

namespace {

class TWindow : public fw::TComponent {
 public:
  TWindow() : fw::TComponent(nullptr) {}
};

struct TMainChart {
  explicit TMainChart(int points, bool labels = true) {
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
      if (color == fw::clRed) osc = s;
    }
    for (int i = 0; i < points; ++i) {
      const int x = -26000 + static_cast<int>(52000LL * i / points);
      const int y = static_cast<int>((i * 7919LL) % 75000);
      osc->AddXY(x, y, labels ? std::to_string(x) : std::string(), fw::clRed);
    }
  }

  TWindow window;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* osc = nullptr;
};

// A right-button drag in the middle of the plot, moving one pixel right and back on each step.
template <bool kPaint, bool kLabels = true>
void PanSteps(benchmark::State& state) {
  TMainChart m(static_cast<int>(state.range(0)), kLabels);
  const fw::TRect r = m.chart->GetDrawingRect();
  fw::TBitmap window(r.Width(), r.Height());
  m.chart->PaintWindow(window.Canvas());
  const int x = m.chart->PlotCenterX();
  const int y = m.chart->PlotCenterY();
  m.chart->HandleMouseDown(fw::mbRight, {}, x, y);
  int step = 0;
  for (auto _ : state) {
    ++step;
    m.chart->HandleMouseMove({fw::ssRight}, x + (step & 1), y + (step & 1));
    if (kPaint) m.chart->PaintWindow(window.Canvas());
  }
  if (!m.chart->PanDrag().Active) state.SkipWithError("the pan drag ended");
  m.chart->HandleMouseUp(fw::mbRight, {}, x, y);
}

void BM_PanStep(benchmark::State& state) {
  PanSteps<true>(state);
}
void BM_PanMoveOnly(benchmark::State& state) {
  PanSteps<false>(state);
}
// Points without labels: the bottom axis shows value labels instead of the points' texts.
void BM_PanStepUnlabelled(benchmark::State& state) {
  PanSteps<true, false>(state);
}

BENCHMARK(BM_PanStep)->Arg(0)->Arg(440)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanStepUnlabelled)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanMoveOnly)->Arg(440)->Arg(100000)->Unit(benchmark::kMicrosecond);

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

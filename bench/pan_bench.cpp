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

#include "MainChartBench.h"
#include "framework/gui/Bitmap.h"

namespace {

using bench::TMainChart;

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
  return bench::RunWithQt(argc, argv);
}

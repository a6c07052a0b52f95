// A full paint of a 2D chart of 440 points (a profile, each point labelled with its X value) with
// the series' marks hidden and with them visible: each visible mark is a framed box with its
// label, so the marks' paint is text drawing. Target: with marks at most 3 times the paint without.
// Arguments: 0 marks hidden, 1 visible, 2 text alone, 3 filled boxes without a frame (the parts of
// a mark's cost).
// Take the ratio of the CPU-time medians of one run:
//   marks_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <string>

#include "MainChartBench.h"
#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/gui/Bitmap.h"

namespace {

void BM_Paint440Points(benchmark::State& state) {
  bench::TOwner window;
  auto* chart = new tee::TChart(&window);
  chart->SetBounds(1, 1, 482, 395);
  chart->SetView3D(false);
  chart->Legend()->SetVisible(false);
  chart->BottomAxis()->SetMinMax(-26000, 26000);
  chart->LeftAxis()->SetMinMax(-500, 75000);
  auto* s = new tee::TPointSeries(&window);
  s->SetSeriesColor(fw::clRed);
  s->Pointer()->SetStyle(tee::psCircle);
  s->Pointer()->SetHorizSize(2);
  s->Pointer()->SetVertSize(2);
  s->Pointer()->Pen()->SetVisible(false);
  s->SetParentChart(chart);
  for (int i = 0; i < 440; ++i) {
    const int x = -26000 + static_cast<int>(52000LL * i / 440);
    const int y = static_cast<int>((i * 7919LL) % 75000);
    s->AddXY(x, y, std::to_string(x), fw::clRed);
  }
  s->Marks()->SetVisible(state.range(0) != 0);
  if (state.range(0) == 2) {
    s->Marks()->SetTransparent(true);
    s->Marks()->Frame()->SetVisible(false);
  }
  if (state.range(0) == 3) s->Marks()->Frame()->SetVisible(false);
  const fw::TRect r = chart->GetDrawingRect();
  fw::TBitmap target(r.Width(), r.Height());
  for (auto _ : state) {
    chart->Invalidate();
    chart->PaintWindow(target.Canvas());
  }
  const char* labels[] = {"marks hidden", "marks visible", "text only (transparent, no frame)",
                          "filled boxes without frame"};
  state.SetLabel(labels[state.range(0)]);
}

BENCHMARK(BM_Paint440Points)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithQt(argc, argv);
}

// A full Draw of the main window's two axes into a 482 x 395 bitmap through the chart's whole
// drawing stack: the left axis with value labels (-500..75000) and the bottom axis with the text
// labels of a 440-point profile (every point labelled with its X), once repainted with the same
// labels and once with a new profile's labels. Target: under 300 µs per axis.
// And the value-to-pixel conversion a series runs for every point: a few floating-point
// operations, with the number of heap allocations per conversion reported (it must be 0).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "MainChartBench.h"
#include "chart/ChartAxis.h"
#include "chart/TeCanvas3D.h"
#include "chart/TeEngine.h"
#include "framework/gui/Bitmap.h"

namespace {

std::atomic<long> gAllocations{0};

}  // namespace

// Counts every heap allocation of the program.
void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

constexpr int kWidth = 482;
constexpr int kHeight = 395;
constexpr int kPoints = 440;

class TPointsSeries : public tee::TChartSeries {
 public:
  using tee::TChartSeries::TChartSeries;
  void DrawValue(int) override {}
};

// The main window's chart as far as its axes see it, with the chart's own standard axes.
class TBenchChart : public tee::TCustomAxisPanel {
 public:
  TBenchChart()
      : tee::TCustomAxisPanel(nullptr, true),
        bitmap(kWidth, kHeight),
        bottom(StandardAxis(0)),
        left(StandardAxis(2)),
        series(nullptr) {
    canvas.SetBuffered(false);
    canvas.InitWindow(&bitmap.Canvas(), nullptr, false, fw::Rect(0, 0, kWidth, kHeight));
    SetCanvas(&canvas);
    SetView3D(false);
    for (tee::TChartAxis* a : {bottom, left}) {
      a->SetAutomatic(false);
      a->SetExactDateTime(false);
      a->SetIncrement(1);
    }
    bottom->SetMaximum(26000);
    bottom->SetMinimum(-26000);
    left->SetMaximum(75000);
    left->SetMinimum(-500);
    series.SetParentChart(this);
    for (int i = 0; i < kPoints; ++i) {
      const int x = -26000 + i * 52000 / (kPoints - 1);
      series.AddXY(x, (i * 7919) % 75000, std::to_string(x), fw::clRed);
    }
    // The layout of one paint: ranges, room, pixel ranges.
    SetPlotRect(fw::Rect(15, 40, 467, 380));
    for (tee::TCustomChartAxis* a : AxesList()) a->UpdateRange();
    fw::TRect r = PlotRect();
    for (tee::TCustomChartAxis* a : AxesList()) {
      if (!IsAxisShown(a)) continue;
      fw::TRect reduced = r;
      a->ReserveSpace(reduced, true);
      fw::TRect both;
      if (fw::IntersectRect(both, reduced, r)) r = both;
    }
    SetPlotRect(r);
    for (tee::TCustomChartAxis* a : AxesList()) a->CalcPixelRange();
  }

  fw::TBitmap bitmap;
  tee::TTeeCanvas3D canvas;
  tee::TChartAxis* bottom;
  tee::TChartAxis* left;
  TPointsSeries series;
};

void BM_DrawValueAxis(benchmark::State& state) {
  TBenchChart chart;
  for (auto _ : state) chart.left->Draw(true);
  state.counters["labels"] = static_cast<double>(chart.left->LastLabels().Items.size());
}

void BM_DrawTextLabelAxis(benchmark::State& state) {
  TBenchChart chart;
  for (auto _ : state) chart.bottom->Draw(true);
  state.counters["labels"] = static_cast<double>(chart.bottom->LastLabels().Items.size());
}

// A new profile before every drawing whose label texts were not seen in the last 37 profiles (the
// labels' width cache holds 16384 texts), so every candidate label is measured, as on the first
// paint after a measurement with new X positions. The steady repaint above measures none.
void BM_DrawTextLabelAxisNewLabels(benchmark::State& state) {
  TBenchChart chart;
  long profile = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++profile;
    for (int i = 0; i < kPoints; ++i)
      chart.series.SetXLabel(
          i, std::to_string(static_cast<long>(chart.series.XValue(i)) + profile % 97 - 48));
    state.ResumeTiming();
    chart.bottom->Draw(true);
  }
  state.counters["labels"] = static_cast<double>(chart.bottom->LastLabels().Items.size());
}

void BM_CalcPosValue(benchmark::State& state) {
  TBenchChart chart;
  const tee::TCustomChartAxis& x = *chart.bottom;
  const tee::TCustomChartAxis& y = *chart.left;
  const long before = gAllocations.load();
  long sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < kPoints; ++i) {
      sum += x.CalcXPosValue(chart.series.XValue(i));
      sum += y.CalcYPosValue(chart.series.YValue(i));
    }
    benchmark::DoNotOptimize(sum);
  }
  const long allocations = gAllocations.load() - before;
  state.counters["allocs_per_conversion"] =
      static_cast<double>(allocations) / (static_cast<double>(state.iterations()) * 2 * kPoints);
  if (allocations != 0) state.SkipWithError("value-to-pixel conversion allocated");
  state.SetItemsProcessed(state.iterations() * 2 * kPoints);
}

BENCHMARK(BM_DrawValueAxis)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTextLabelAxis)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawTextLabelAxisNewLabels)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CalcPosValue)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return bench::RunWithQt(argc, argv);
}

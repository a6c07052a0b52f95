// Full paints of the main window's chart (478 x 391 inside its border: title, fixed axes, hidden
// legend, 2D, clear back wall, red circles of half-size 2 without outline) with 440, 100,000 and
// 1,000,000 points, measured against two reference loops over the same dots in the same run:
//   (a) a bare QPainter loop of drawEllipse(QRect) for the N 4 x 4 discs, no axes;
//   (b) direct 32-bit writes of the chart's own precomputed dot (the pixels Ellipse(x - 2, y - 2,
//       x + 2, y + 2) fills) with rectangle clipping to the chart's clip, no axes: the limit of
//       drawing every dot.
// Targets: 440 points ≤ 3.3 × (a); 100,000 ≤ 1.5 × (b); 1,000,000 ≤ 0.35 × (b). The ratios of the
// CPU-time medians are printed at the end (run with --benchmark_repetitions=N); also an unchanged
// repaint (one copy of the chart's buffer), and the floor of any paint of every point: reading each
// point's stored X and Y (with its colour, or without), placing it on the axes and setting one bit
// for it, nothing else.
//
//   build/release/bench/paint_bench --benchmark_repetitions=5
//   --benchmark_report_aggregates_only=true

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "MainChartBench.h"
#include "chart/AxisPixelMap.h"
#include "chart/ChartAxis.h"
#include "chart/ChartValueList.h"
#include "framework/core/VectorState.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/ShapeRuns.h"

namespace {

using bench::TMainChart;

// The dots' centres as the chart places them, and the chart's clip for its series.
struct TDots {
  std::vector<QPoint> Centres;
  QRect Clip;
  int Width = 0;
  int Height = 0;
};

TDots DotsOf(int points) {
  TMainChart m(points);
  const fw::TRect r = m.chart->GetDrawingRect();
  fw::TBitmap window(r.Width(), r.Height());
  m.chart->PaintWindow(window.Canvas());  // lays the axes out
  TDots d;
  d.Width = r.Width();
  d.Height = r.Height();
  const fw::TRect plot = m.chart->PlotRect();
  d.Clip = QRect(QPoint(plot.Left + 1, plot.Top + 1), QPoint(plot.Right - 1, plot.Bottom - 2));
  for (int i = 0; i < m.osc->Count(); ++i)
    d.Centres.emplace_back(m.chart->BottomAxis()->CalcXPosValue(m.osc->XValue(i)),
                           m.chart->LeftAxis()->CalcYPosValue(m.osc->YValue(i)));
  return d;
}

const TDots& Dots(int points) {
  static std::map<int, TDots> cache;
  auto it = cache.find(points);
  if (it == cache.end()) it = cache.emplace(points, DotsOf(points)).first;
  return it->second;
}

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

// (a): the same discs through a bare QPainter.
void BM_ReferenceQPainterEllipses(benchmark::State& state) {
  const TDots& d = Dots(static_cast<int>(state.range(0)));
  QImage image(d.Width, d.Height, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 0, 0));
  for (auto _ : state) {
    for (const QPoint& p : d.Centres) painter.drawEllipse(QRect(p.x() - 2, p.y() - 2, 4, 4));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// (b): the chart's dot as a precomputed stamp, written with 32-bit stores, cut to the clip.
void BM_ReferenceStampWrites(benchmark::State& state) {
  const TDots& d = Dots(static_cast<int>(state.range(0)));
  QImage image(d.Width, d.Height, QImage::Format_RGB32);
  image.fill(Qt::white);
  std::vector<fw::TPixelRun> stamp;
  fw::FilledEllipseRuns(4, 4, [&](const fw::TPixelRun& r) { stamp.push_back(r); });
  auto* bits = reinterpret_cast<QRgb*>(image.bits());
  const int stride = static_cast<int>(image.bytesPerLine() / 4);
  const QRgb red = qRgb(255, 0, 0);
  const int l = d.Clip.left(), t = d.Clip.top(), r = d.Clip.right(), b = d.Clip.bottom();
  for (auto _ : state) {
    // As the chart's own loops do: stale wide-register halves would slow the stores down.
    fw::ClearUpperVectorState();
    for (const QPoint& p : d.Centres) {
      const int ax = p.x() - 2, ay = p.y() - 2;
      for (const fw::TPixelRun& run : stamp) {
        const int y = ay + run.Y0;
        if (y < t || y > b) continue;
        const int x0 = std::max(ax + run.X0, l), x1 = std::min(ax + run.X1, r);
        QRgb* row = bits + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = x0; x <= x1; ++x) row[x] = red;
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The floor: the least a paint of every point does, with the chart's own stores and placing.
void BM_FloorPlaceAndMark(benchmark::State& state) {
  TMainChart m(static_cast<int>(state.range(0)));
  const fw::TRect r = m.chart->GetDrawingRect();
  fw::TBitmap window(r.Width(), r.Height());
  m.chart->PaintWindow(window.Canvas());  // lays the axes out
  tee::TAxisPixelMap mx, my;
  m.chart->BottomAxis()->LinearPixelMap(true, mx);
  m.chart->LeftAxis()->LinearPixelMap(false, my);
  mx.PrepareQuickPos();
  my.PrepareQuickPos();
  const tee::TChartValueList& xs = *m.osc->XValues();
  const tee::TChartValueList& ys = *m.osc->YValues();
  const bool colours = state.range(1) != 0;
  const int n = m.osc->Count();
  constexpr int kRowBits = 1024;  // wider than the chart, with room on both sides
  std::vector<std::uint64_t> bits((r.Height() + 128) * kRowBits / 64, 0);
  for (auto _ : state) {
    fw::ClearUpperVectorState();
    int xp[512], yp[512];
    unsigned shared = 0;
    for (int i = 0; i < n;) {
      const std::span<const double> xr = xs.StoredRun(i);
      const std::span<const double> yr = ys.StoredRun(i);
      const std::size_t c = std::min({xr.size(), yr.size(), std::size_t{512}, std::size_t(n - i)});
      mx.QuickPositions(xr.data(), 1, c, xp);
      my.QuickPositions(yr.data(), 1, c, yp);
      if (colours) {
        const std::span<const fw::TColor> cr = m.osc->StoredColorRun(i);
        for (std::size_t k = 0; k < c; ++k) shared += cr[k] == cr[0];
      }
      for (std::size_t k = 0; k < c; ++k) {
        const std::size_t b =
            static_cast<std::size_t>(yp[k] + 64) * kRowBits + static_cast<std::size_t>(xp[k] + 64);
        bits[(b >> 6) % bits.size()] |= std::uint64_t{1} << (b & 63);
      }
      i += static_cast<int>(c);
    }
    benchmark::DoNotOptimize(bits.data());
    benchmark::DoNotOptimize(shared);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FullPaint)->Arg(440)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceQPainterEllipses)
    ->Arg(440)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceStampWrites)
    ->Arg(440)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnchangedRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FloorPlaceAndMark)
    ->Args({1000000, 0})
    ->Args({1000000, 1})
    ->Unit(benchmark::kMillisecond);

// Keeps the CPU-time median of every benchmark for the ratios.
class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const std::string name = run.benchmark_name();
      const std::string suffix = "_median";
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians[name.substr(0, name.size() - suffix.size())] = run.GetAdjustedCPUTime();
      else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
        medians[name] = run.GetAdjustedCPUTime();
    }
  }
  std::map<std::string, double> medians;
};

void PrintRatio(const TRatioReporter& r, int n, const char* reference, double target) {
  const std::string paint = "BM_FullPaint/" + std::to_string(n);
  const std::string ref = std::string("BM_Reference") + reference + "/" + std::to_string(n);
  auto p = r.medians.find(paint);
  auto q = r.medians.find(ref);
  if (p == r.medians.end() || q == r.medians.end()) return;
  std::printf("%9d points: full paint %.3f ms / %s %.3f ms = %.2f (target <= %.2f)\n", n, p->second,
              reference, q->second, p->second / q->second, target);
}

// The floor of a million-point paint against reference (b).
void PrintFloor(const TRatioReporter& r, const std::string& floor, const char* what) {
  auto f = r.medians.find(floor);
  auto q = r.medians.find("BM_ReferenceStampWrites/1000000");
  if (f == r.medians.end() || q == r.medians.end()) return;
  std::printf("  1000000 points: floor (%s) %.3f ms / StampWrites %.3f ms = %.2f\n", what,
              f->second, q->second, f->second / q->second);
}

}  // namespace

int main(int argc, char** argv) {
  TRatioReporter reporter;
  return bench::RunWithQt(argc, argv, &reporter, [&] {
    std::printf("\nCPU-time medians (ms):\n");
    PrintRatio(reporter, 440, "QPainterEllipses", 3.3);
    PrintRatio(reporter, 100000, "StampWrites", 1.5);
    PrintRatio(reporter, 1000000, "StampWrites", 0.35);
    PrintFloor(reporter, "BM_FloorPlaceAndMark/1000000/0", "without colours");
    PrintFloor(reporter, "BM_FloorPlaceAndMark/1000000/1", "with colours");
  });
}

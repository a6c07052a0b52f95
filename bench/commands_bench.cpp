// The cost of turning one 440-point profile reply into chart points: decoding the payload into
// the stores and replacing a series' points with it (Clear, then one AddXY per point), per
// profile. For scale: the line needs 19.3 ms to carry the request and the reply.
//
//   BM_DecodeToSeries          a simulated profile (left to right, a few points missing) onto
//                              the chart engine's series, as the window's Measure button does
//   BM_DecodeToSeriesReversed  the same points right to left: every AddXY inserts at the front
//   BM_DecodeOnly              decoding into the stores with a sink that keeps nothing
//   BM_MeasureInProcess        the whole measurement against the in-process simulator: request,
//                              the simulator's shot, the reply byte by byte, decoding, series
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "chart/ChartSeries.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ScannerCommands.h"
#include "sim/Qx770Device.h"
#include "sim/SimulatedScannerDriver.h"
#include "sim/SurfaceProfile.h"

namespace {

std::vector<std::uint8_t> SimulatedPayload(bool reversed) {
  std::vector<sim::RawPoint> points = sim::SurfaceProfile(1).Shot(0, true, 25);
  if (reversed) std::reverse(points.begin(), points.end());
  return sim::Qx770Device::ProfilePayload(0, points);
}

void ReportPoints(benchmark::State& state, const tee::TChartSeries& series) {
  state.counters["points"] = series.Count();
  state.counters["per_point"] = benchmark::Counter(
      series.Count(), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void DecodeToSeries(benchmark::State& state, bool reversed) {
  const std::vector<std::uint8_t> payload = SimulatedPayload(reversed);
  tee::TChartSeries series(nullptr);
  scanner::SeriesSink<tee::TChartSeries> sink(series);
  for (auto _ : state) {
    if (scanner::PlotProfileReply(payload, sink) != scanner::MeasureResult::kPlotted) {
      state.SkipWithError("the payload was refused");
      break;
    }
    benchmark::ClobberMemory();
  }
  ReportPoints(state, series);
}

void BM_DecodeToSeries(benchmark::State& state) {
  DecodeToSeries(state, false);
}
BENCHMARK(BM_DecodeToSeries)->Unit(benchmark::kMicrosecond);

void BM_DecodeToSeriesReversed(benchmark::State& state) {
  DecodeToSeries(state, true);
}
BENCHMARK(BM_DecodeToSeriesReversed)->Unit(benchmark::kMicrosecond);

class CountingSink final : public scanner::ProfileSink {
 public:
  void Clear() override { count = 0; }
  void AddXY(double x, double y, const std::string& label, fw::TColor) override {
    benchmark::DoNotOptimize(x + y);
    benchmark::DoNotOptimize(label.data());
    ++count;
  }
  int count = 0;
};

void BM_DecodeOnly(benchmark::State& state) {
  const std::vector<std::uint8_t> payload = SimulatedPayload(false);
  CountingSink sink;
  for (auto _ : state) {
    scanner::PlotProfileReply(payload, sink);
    benchmark::ClobberMemory();
  }
  state.counters["points"] = sink.count;
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMicrosecond);

void BM_MeasureInProcess(benchmark::State& state) {
  scanner::ScopedDriver scope(std::make_unique<sim::SimulatedScannerDriver>());
  if (!scanner::OpenScanner()) {
    state.SkipWithError("the simulator did not open");
    return;
  }
  tee::TChartSeries series(nullptr);
  for (auto _ : state) {
    if (scanner::MeasureProfile(series) != scanner::MeasureResult::kPlotted) {
      state.SkipWithError("the measurement failed");
      break;
    }
  }
  scanner::CloseScanner();
  ReportPoints(state, series);
}
BENCHMARK(BM_MeasureInProcess)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

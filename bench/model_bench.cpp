// The chart data model under the measured-profile load and under random-order adds.
//
//   ProfileRefill: Clear and 440 AddXY in ascending X on a series in a chart, as one measurement
//                  plots a profile; reported per profile (the 1000 rounds are the iterations).
//   RandomOrderAdds: 100,000 AddXY with X in random order into an ascending X list; one iteration
//                  is the whole fill, so the reported time is the total.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "chart/TeEngine.h"

namespace {

struct ProfilePoint {
  double x, y;
  std::string label;
};

std::vector<ProfilePoint> MakeProfile(int n) {
  std::vector<ProfilePoint> points;
  for (int i = 0; i < n; ++i) {
    // The scanner's X range -26000..26000, truncated like the decoder does.
    const double x = static_cast<double>(static_cast<int>(-26000 + 52000.0 * i / (n - 1)));
    points.push_back({x, 30000 + 100.0 * (i % 37), std::to_string(static_cast<int>(x))});
  }
  return points;
}

void ProfileRefill(benchmark::State& state) {
  const auto profile = MakeProfile(440);
  tee::TCustomAxisPanel chart(nullptr);
  tee::TChartSeries series(nullptr);
  series.SetParentChart(&chart);
  for (auto _ : state) {
    series.Clear();
    for (const auto& p : profile) series.AddXY(p.x, p.y, p.label, fw::clRed);
    benchmark::DoNotOptimize(series.Count());
  }
  state.counters["points"] = static_cast<double>(series.Count());
}
BENCHMARK(ProfileRefill)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void RandomOrderAdds(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::mt19937 random(42);
  std::uniform_real_distribution<double> dist(-26000, 26000);
  std::vector<double> xs(static_cast<std::size_t>(n));
  for (double& x : xs) x = dist(random);
  for (auto _ : state) {
    state.PauseTiming();
    auto series = std::make_unique<tee::TChartSeries>(nullptr);
    state.ResumeTiming();
    for (double x : xs) series->AddXY(x, x, std::string(), fw::clRed);
    benchmark::DoNotOptimize(series->Count());
    state.PauseTiming();
    series.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(RandomOrderAdds)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

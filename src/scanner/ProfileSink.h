// Where a measured profile goes: the two operations the commands need of a chart series.
//
// MeasureProfile clears its series and adds one point per plotted profile point, in reply order,
// with AddXY (X, Y, label, colour). ProfileSink names exactly these two operations so that the
// scanner link does not depend on the chart engine. SeriesSink adapts any object that has
// Clear() and AddXY(x, y, label, colour) (the chart's TChartSeries, or a test's collector) to
// it; MeasureProfile(series) in scanner/ScannerCommands.h applies it by itself.
#pragma once

#include <string>

#include "framework/core/Color.h"

namespace scanner {

class ProfileSink {
 public:
  virtual ~ProfileSink() = default;
  // Removes every point.
  virtual void Clear() = 0;
  // Appends one point; X and Y are whole numbers, held exactly as doubles.
  virtual void AddXY(double x, double y, const std::string& label, fw::TColor colour) = 0;
};

// Forwards to a series that offers Clear and AddXY; the series is not owned.
template <class Series>
class SeriesSink final : public ProfileSink {
 public:
  explicit SeriesSink(Series& series) : series_(&series) {}
  void Clear() override { series_->Clear(); }
  void AddXY(double x, double y, const std::string& label, fw::TColor colour) override {
    series_->AddXY(x, y, label, colour);
  }

 private:
  Series* series_;
};

}  // namespace scanner

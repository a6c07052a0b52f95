// Test doubles for the chart data model: a chart that counts repaint requests, an axis with a plain
// linear mapping, and a series that records the points it is asked to draw.
#pragma once

#include <cmath>
#include <vector>

#include "chart/TeEngine.h"

namespace teetest {

// Maps the values vmin..vmax linearly onto the pixels pmin..pmax (reversed when inverted).
class TLinearAxis : public tee::TSeriesAxis {
 public:
  TLinearAxis(bool horizontal, double vmin, double vmax, int pmin, int pmax)
      : horizontal_(horizontal), vmin_(vmin), vmax_(vmax), pmin_(pmin), pmax_(pmax) {}
  bool Horizontal() const override { return horizontal_; }
  bool Inverted() const override { return inverted; }
  bool IsDepthAxis() const override { return false; }
  int CalcXPosValue(double v) const override { return Pixel(v); }
  int CalcYPosValue(double v) const override { return Pixel(v); }
  double CalcPosPoint(int p) const override {
    // Horizontal axes grow to the right; vertical ones grow upwards (towards pmin).
    double f = static_cast<double>(p - pmin_) / (pmax_ - pmin_);
    if (!horizontal_) f = 1 - f;
    if (inverted) f = 1 - f;
    return vmin_ + f * (vmax_ - vmin_);
  }
  bool inverted = false;

 private:
  int Pixel(double v) const {
    double f = (v - vmin_) / (vmax_ - vmin_);
    if (inverted) f = 1 - f;
    if (!horizontal_) f = 1 - f;
    return static_cast<int>(std::lround(pmin_ + f * (pmax_ - pmin_)));
  }
  bool horizontal_;
  double vmin_, vmax_;
  int pmin_, pmax_;
};

// A chart with four linear axes over the plot rectangle (0, 0, 100, 100): values 0..100 on each.
class TTestChart : public tee::TCustomAxisPanel {
 public:
  explicit TTestChart(fw::TComponent* owner = nullptr)
      : tee::TCustomAxisPanel(owner),
        bottom(true, 0, 100, 0, 100),
        top(true, 0, 100, 0, 100),
        left(false, 0, 100, 0, 100),
        right(false, 0, 100, 0, 100) {
    SetPlotRect(fw::Rect(0, 0, 100, 100));
    SetAxes(&bottom, &top, &left, &right);
    SetView3D(false);
  }
  ~TTestChart() override { SetAxes(nullptr, nullptr, nullptr, nullptr); }
  TLinearAxis bottom, top, left, right;
};

// Records DrawValue calls and the before/after draw hooks.
class TRecordingSeries : public tee::TChartSeries {
 public:
  using tee::TChartSeries::TChartSeries;
  void DrawValue(int valueIndex) override { drawn.push_back(valueIndex); }
  std::vector<int> drawn;
};

// A series whose mandatory values are its X values (as horizontal bar types have).
class TXMandatorySeries : public TRecordingSeries {
 public:
  using TRecordingSeries::TRecordingSeries;
  tee::TChartValueList* MandatoryValueList() const override { return XValues(); }
};

inline std::vector<double> Values(const tee::TChartValueList& list) {
  std::vector<double> v;
  for (int i = 0; i < list.Count(); ++i) v.push_back(list.Value(i));
  return v;
}

inline std::vector<std::string> Labels(const tee::TChartSeries& s) {
  std::vector<std::string> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.XLabel(i));
  return v;
}

inline std::vector<tee::TColor> Colors(const tee::TChartSeries& s) {
  std::vector<tee::TColor> v;
  for (int i = 0; i < s.Count(); ++i) v.push_back(s.ValueColor(i));
  return v;
}

}  // namespace teetest

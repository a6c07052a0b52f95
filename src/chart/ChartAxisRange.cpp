// TCustomChartAxis: range, pixel range and the conversions between values and pixels.
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "chart/ChartAxis.h"
#include "chart/TeeProcs.h"

namespace tee {
namespace {

constexpr double kPixelLimit = 2147483647.0;

bool FitsInt(std::int64_t v) {
  return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

int ClampInt(std::int64_t v) {
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(v);
}

double LogOrZero(double v) {
  return v > 0 ? std::log(v) : 0;
}

}  // namespace

void TCustomChartAxis::SetRange(double rangeMin, double rangeMax) {
  rangeMin_ = rangeMin;
  rangeMax_ = rangeMax;
  rangeSize_ = rangeMax - rangeMin;
  logMin_ = LogOrZero(rangeMin);
  logMax_ = LogOrZero(rangeMax);
}

void TCustomChartAxis::UpdateRange() {
  // The automatic ends are written directly: no check and no repaint request.
  if (chart_) {
    if (automatic_ || automaticMaximum_)
      maximum_ = horizontal_ ? chart_->MaxXValueOfAxis(this) : chart_->MaxYValueOfAxis(this);
    if (automatic_ || automaticMinimum_)
      minimum_ = horizontal_ ? chart_->MinXValueOfAxis(this) : chart_->MinYValueOfAxis(this);
  }
  SetRange(minimum_, maximum_);
}

void TCustomChartAxis::SetMinMax(double minimum, double maximum) {
  // A pair that is not a number would poison every later conversion; it changes nothing.
  if (std::isnan(minimum) || std::isnan(maximum)) return;
  automatic_ = automaticMaximum_ = automaticMinimum_ = false;
  if (minimum > maximum) std::swap(minimum, maximum);
  ChangeProperty(minimum_, minimum);
  ChangeProperty(maximum_, maximum);
  if (maximum_ - minimum_ < 1e-10) ChangeProperty(maximum_, minimum_ + 1e-10);
}

void TCustomChartAxis::Scroll(double offset, bool checkLimits) {
  if (checkLimits) {
    if (offset > 0) {
      const double dataMax = !chart_       ? maximum_
                             : horizontal_ ? chart_->MaxXValueOfAxis(this)
                                           : chart_->MaxYValueOfAxis(this);
      if (!(dataMax > maximum_)) return;
    } else if (offset < 0) {
      const double dataMin = !chart_       ? minimum_
                             : horizontal_ ? chart_->MinXValueOfAxis(this)
                                           : chart_->MinYValueOfAxis(this);
      if (!(dataMin < minimum_)) return;
    } else {
      return;
    }
  }
  automatic_ = automaticMaximum_ = automaticMinimum_ = false;
  maximum_ += offset;
  minimum_ += offset;
  Repaint();
}

void TCustomChartAxis::ApplyMargins(int left, int top, int right, int bottom) {
  const int a = horizontal_ ? left : top;
  const int b = horizontal_ ? right : bottom;
  // No margins leave the range exactly as it is (rather than as it reads back through pixels).
  if (a == 0 && b == 0) return;
  const int s = startPixel_;
  const int e = endPixel_;
  startPixel_ = ClampInt(std::int64_t{startPixel_} + a);
  endPixel_ = ClampInt(std::int64_t{endPixel_} - b);
  pixelLength_ = ClampInt(std::int64_t{endPixel_} - startPixel_);
  const bool usable = pixelLength_ >= 1;
  const double v1 = CalcPosPoint(s);
  const double v2 = CalcPosPoint(e);
  CalcPixelRange();
  // Margins that leave no pixel for the data would read every value as 0: keep the range.
  if (!usable) return;
  SetRange(std::min(v1, v2), std::max(v1, v2));
}

void TCustomChartAxis::CalcPixelRange() {
  if (!chart_) return;
  const fw::TRect& r = chart_->PlotRect();
  const int size = horizontal_ ? chart_->PlotWidth() : chart_->PlotHeight();
  const int origin = horizontal_ ? r.Left : r.Top;
  startPixel_ = ClampInt(std::int64_t{origin} + RoundHalfEven(size * 0.01 * startPosition_));
  endPixel_ = ClampInt(std::int64_t{origin} + RoundHalfEven(size * 0.01 * endPosition_));
  pixelLength_ = ClampInt(std::int64_t{endPixel_} - startPixel_);
  centerPixel_ = static_cast<int>((std::int64_t{startPixel_} + endPixel_) / 2);
}

// ---- Value to pixel ----

TAxisPixelMap TCustomChartAxis::LinearMap(bool xDirection) const {
  TAxisPixelMap m;
  m.RangeMin = rangeMin_;
  m.RangeSize = rangeSize_;
  m.PixelLength = pixelLength_;
  // X runs from the start pixel up (from the end down when inverted), Y from the end up.
  const bool fromEnd = xDirection == inverted_;
  m.Origin = fromEnd ? endPixel_ : startPixel_;
  m.Subtract = fromEnd;
  m.Center = centerPixel_;
  return m;
}

bool TCustomChartAxis::LinearPixelMap(bool xDirection, TAxisPixelMap& map) const {
  if (isDepthAxis_ || logarithmic_) return false;
  map = LinearMap(xDirection);
  map.PrepareQuickPos();
  return true;
}

int TCustomChartAxis::LinearPos(double value, bool xDirection) const {
  return LinearMap(xDirection).Pos(value);
}

int TCustomChartAxis::LogPos(double value) const {
  const double range = logMax_ - logMin_;
  if (range == 0) return centerPixel_;
  if (value <= 0) {
    if (horizontal_) return inverted_ ? endPixel_ : startPixel_;
    return inverted_ ? startPixel_ : endPixel_;
  }
  const double lv = std::log(value);
  const double t = inverted_ ? logMax_ - lv : lv - logMin_;
  const double x = pixelLength_ * t / range;
  if (!(std::fabs(x) < kPixelLimit)) return centerPixel_;
  const auto r = static_cast<std::int64_t>(std::nearbyint(x));
  const std::int64_t p = horizontal_ ? startPixel_ + r : endPixel_ - r;
  return FitsInt(p) ? static_cast<int>(p) : centerPixel_;
}

int TCustomChartAxis::DepthPos(double value) const {
  const int depth = chart_ ? chart_->DepthOffsetX() : 0;
  if (rangeSize_ == 0) return depth / 2;
  const double t = depth * (inverted_ ? rangeMax_ - value : value - rangeMin_) / rangeSize_;
  if (!(std::fabs(t) < kPixelLimit)) return depth / 2;
  return static_cast<int>(std::nearbyint(t));
}

int TCustomChartAxis::CalcXPosValue(double value) const {
  if (isDepthAxis_) return DepthPos(value);
  if (logarithmic_) return LogPos(value);
  return LinearPos(value, true);
}

int TCustomChartAxis::CalcYPosValue(double value) const {
  if (isDepthAxis_) return DepthPos(value);
  if (logarithmic_) return LogPos(value);
  return LinearPos(value, false);
}

// ---- Pixel to value ----

double TCustomChartAxis::CalcPosPoint(int pixel) const {
  const double d =
      inverted_ ? static_cast<double>(endPixel_) - pixel : static_cast<double>(pixel) - startPixel_;
  if (logarithmic_) {
    const double low = horizontal_ ? rangeMin_ : rangeMax_;
    const double high = horizontal_ ? rangeMax_ : rangeMin_;
    if (pixel == startPixel_) return inverted_ ? high : low;
    if (pixel == endPixel_) return inverted_ ? low : high;
    const double range = logMax_ - logMin_;
    if (range == 0 || pixelLength_ == 0) return rangeMin_;
    const double t = d * range / pixelLength_;
    return horizontal_ ? std::exp(logMin_ + t) : std::exp(logMax_ - t);
  }
  if (pixelLength_ < 1) return 0;
  const double t = d * rangeSize_ / pixelLength_;
  return horizontal_ ? rangeMin_ + t : rangeMax_ - t;
}

}  // namespace tee

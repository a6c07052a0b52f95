// TSeriesAxis: what a series needs of an axis.
//
// A series places its points and finds its visible range through the axes its chart resolves for
// it (`GetHorizAxis`, `GetVertAxis`). It needs only the orientation flags and the two conversions
// between axis values and pixels, so it sees an axis through this interface; the chart's axes
// (`TCustomChartAxis`) implement it, and tests implement it with a plain linear mapping.
#pragma once

namespace tee {

class TSeriesAxis {
 public:
  virtual ~TSeriesAxis() = default;

  // Runs left to right (bottom and top axes).
  virtual bool Horizontal() const = 0;
  // The scale runs the other way.
  virtual bool Inverted() const = 0;
  virtual bool IsDepthAxis() const = 0;

  // Value to pixel: along the X direction for a horizontal axis, Y for a vertical one.
  virtual int CalcXPosValue(double value) const = 0;
  virtual int CalcYPosValue(double value) const = 0;
  int CalcPosValue(double value) const {
    return Horizontal() ? CalcXPosValue(value) : CalcYPosValue(value);
  }
  // Pixel to value.
  virtual double CalcPosPoint(int pixel) const = 0;
};

}  // namespace tee

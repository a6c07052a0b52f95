// TAxisPixelMap: the value-to-pixel conversion of a linear axis as a small copyable value.
//
// An axis hands it out once per paint (`TCustomChartAxis::LinearPixelMap`); a series then places
// thousands of points with it, without a virtual call per point. It computes exactly what the
// axis' own CalcXPosValue / CalcYPosValue compute (the axis uses it itself): the offset
// (value − minimum) × pixel length ÷ range size, rounded half to even, added to or taken from the
// axis end it counts from; the centre pixel when the range is empty or the result does not fit.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tee {

// std::nearbyint in the default rounding mode (to nearest, ties to even) for |x| < 2^51, without
// a library call: adding and taking away 1.5 × 2^52 leaves x rounded to a whole number.
inline double RoundToEven(double x) {
  constexpr double kShift = 6755399441055744.0;
  // Floating-point addition is not associative: the compiler keeps both steps.
  return (x + kShift) - kShift;
}

struct TAxisPixelMap {
  double RangeMin = 0;
  double RangeSize = 0;
  double PixelLength = 0;
  std::int64_t Origin = 0;  // the pixel the offset counts from
  bool Subtract = false;    // the offset runs towards lower pixels
  int Center = 0;
  // 1 ÷ RangeSize, for QuickPos (0: not computed; QuickPos is then Pos).
  double InverseRangeSize = 0;

  void PrepareQuickPos() { InverseRangeSize = RangeSize != 0 ? 1 / RangeSize : 0; }

  // Exactly Pos(value), mostly without a division: the quotient through the inverse differs from
  // the true one by less than 10^-6 pixel while it is below 2^31, so it rounds the same unless it
  // lies that close to a half pixel; then (rarely) the true quotient is taken.
  int QuickPos(double value) const {
    const double t = (value - RangeMin) * PixelLength * InverseRangeSize;
    if (std::fabs(t) < 2147483000.0) {
      const double r = RoundToEven(t);
      if (std::fabs(std::fabs(t - r) - 0.5) > 1e-6) {
        const auto whole = static_cast<std::int64_t>(r);
        const std::int64_t p = Subtract ? Origin - whole : Origin + whole;
        if (p >= std::numeric_limits<int>::min() && p <= std::numeric_limits<int>::max())
          return static_cast<int>(p);
      }
    }
    return Pos(value);
  }

  int Pos(double value) const {
    if (RangeSize != 0) {
      const double t = (value - RangeMin) * PixelLength / RangeSize;
      if (std::fabs(t) < 2147483647.0) {
        const auto r = static_cast<std::int64_t>(RoundToEven(t));
        const std::int64_t p = Subtract ? Origin - r : Origin + r;
        if (p >= std::numeric_limits<int>::min() && p <= std::numeric_limits<int>::max())
          return static_cast<int>(p);
      }
    }
    return Center;
  }
};

}  // namespace tee

// TAxisPixelMap: the value-to-pixel conversion of a linear axis as a small copyable value.
//
// An axis hands it out once per paint (`TCustomChartAxis::LinearPixelMap`); a series then places
// thousands of points with it, without a virtual call per point. It computes exactly what the
// axis' own CalcXPosValue / CalcYPosValue compute (the axis uses it itself): the offset
// (value − minimum) × pixel length ÷ range size, rounded half to even, added to or taken from the
// axis end it counts from; the centre pixel when the range is empty or the result does not fit.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tee {

// std::nearbyint in the default rounding mode (to nearest, ties to even) for |x| < 2^51, without
// a library call: adding and taking away 1.5 × 2^52 leaves x rounded to a whole number.
inline constexpr double kRoundShift = 6755399441055744.0;
inline double RoundToEven(double x) {
  // Floating-point addition is not associative: the compiler keeps both steps.
  return (x + kRoundShift) - kRoundShift;
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

  // QuickPos(values[k] × multiplier) into out[k] for k < n: two at a time with vector operations
  // where the processor has them (the same operations in the same order, so the same results),
  // then QuickPos itself for the whole stretch when any lies near a half pixel or out of range.
  void QuickPositions(const double* values, double multiplier, std::size_t n, int* out) const {
    const double sign = Subtract ? -1.0 : 1.0;
    const double origin = static_cast<double>(Origin);
    bool fallback = false;
    std::size_t k = 0;
#if defined(__SSE2__)
    const __m128d vMultiplier = _mm_set1_pd(multiplier);
    const __m128d vMin = _mm_set1_pd(RangeMin);
    const __m128d vLength = _mm_set1_pd(PixelLength);
    const __m128d vInverse = _mm_set1_pd(InverseRangeSize);
    const __m128d vShift = _mm_set1_pd(kRoundShift);
    const __m128d vSign = _mm_set1_pd(sign);
    const __m128d vOrigin = _mm_set1_pd(origin);
    const __m128d vAbs = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d vHalf = _mm_set1_pd(0.5);
    for (; k + 2 <= n; k += 2) {
      const __m128d v = _mm_mul_pd(_mm_loadu_pd(values + k), vMultiplier);
      const __m128d t = _mm_mul_pd(_mm_mul_pd(_mm_sub_pd(v, vMin), vLength), vInverse);
      const __m128d r = _mm_sub_pd(_mm_add_pd(t, vShift), vShift);
      const __m128d p = _mm_add_pd(vOrigin, _mm_mul_pd(vSign, r));
      const __m128d nearHalf =
          _mm_and_pd(_mm_sub_pd(_mm_and_pd(_mm_sub_pd(t, r), vAbs), vHalf), vAbs);
      const __m128d ok =
          _mm_and_pd(_mm_and_pd(_mm_cmplt_pd(_mm_and_pd(t, vAbs), _mm_set1_pd(2147483000.0)),
                                _mm_cmpgt_pd(nearHalf, _mm_set1_pd(1e-6))),
                     _mm_and_pd(_mm_cmpge_pd(p, _mm_set1_pd(-2147483648.0)),
                                _mm_cmple_pd(p, _mm_set1_pd(2147483647.0))));
      fallback |= _mm_movemask_pd(ok) != 3;
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + k), _mm_cvttpd_epi32(_mm_and_pd(p, ok)));
    }
#endif
    for (; k < n; ++k) {
      const double t = (values[k] * multiplier - RangeMin) * PixelLength * InverseRangeSize;
      const double r = RoundToEven(t);
      const double p = origin + sign * r;
      // & rather than &&: no branches.
      const bool ok = (std::fabs(t) < 2147483000.0) & (std::fabs(std::fabs(t - r) - 0.5) > 1e-6) &
                      (p >= -2147483648.0) & (p <= 2147483647.0);
      out[k] = static_cast<int>(ok ? p : 0.0);
      fallback |= !ok;
    }
    if (!fallback) return;
    for (k = 0; k < n; ++k) out[k] = QuickPos(values[k] * multiplier);
  }
};

}  // namespace tee

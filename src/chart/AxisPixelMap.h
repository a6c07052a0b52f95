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
  // PixelLength ÷ RangeSize, for QuickPos (0: not computed; QuickPos is then Pos), and whether
  // the origin leaves room for every quick offset.
  double Scale = 0;
  bool QuickOrigin = false;

  // Offsets of at most this many pixels are placed quickly.
  static constexpr double kQuickLimit = 1073741824.0;  // 2^30
  // The quick offset differs from the true quotient by less than 2^30 × 6 × 2^-53 < 10^-6 pixel.
  static constexpr double kQuickTolerance = 1e-5;

  void PrepareQuickPos() {
    Scale = RangeSize != 0 ? PixelLength * (1 / RangeSize) : 0;
    // An empty range places everything at the centre: the true way.
    QuickOrigin = RangeSize != 0 && Origin > -kQuickLimit && Origin < kQuickLimit;
  }

  // Exactly Pos(value), mostly without a division: the offset through the scale lies so close to
  // the true quotient that both round alike unless the offset lies within kQuickTolerance of a
  // half pixel; then (rarely) the true quotient is taken. Offset and origin below 2^30 keep the
  // position within int.
  int QuickPos(double value) const {
    const double t = (value - RangeMin) * Scale;
    const double r = RoundToEven(t);
    if (QuickOrigin && std::fabs(t) < kQuickLimit && std::fabs(t - r) < 0.5 - kQuickTolerance) {
      const auto whole = static_cast<std::int64_t>(r);
      return static_cast<int>(Subtract ? Origin - whole : Origin + whole);
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
  // where the processor has them (the same operations as QuickPos), then QuickPos itself for the
  // whole stretch when any lies near a half pixel or too far.
  void QuickPositions(const double* values, double multiplier, std::size_t n, int* out) const {
    if (!QuickOrigin) {
      for (std::size_t k = 0; k < n; ++k) out[k] = Pos(values[k] * multiplier);
      return;
    }
    const double sign = Subtract ? -1.0 : 1.0;
    const double origin = static_cast<double>(Origin);
    bool fallback = false;
    std::size_t k = 0;
#if defined(__SSE2__)
    const __m128d vMultiplier = _mm_set1_pd(multiplier);
    const __m128d vMin = _mm_set1_pd(RangeMin);
    const __m128d vScale = _mm_set1_pd(Scale);
    const __m128d vShift = _mm_set1_pd(kRoundShift);
    const __m128d vSign = _mm_set1_pd(sign);
    const __m128d vOrigin = _mm_set1_pd(origin);
    const __m128d vAbs = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
    const __m128d vLimit = _mm_set1_pd(kQuickLimit);
    const __m128d vHalf = _mm_set1_pd(0.5 - kQuickTolerance);
    for (; k + 2 <= n; k += 2) {
      const __m128d v = _mm_mul_pd(_mm_loadu_pd(values + k), vMultiplier);
      const __m128d t = _mm_mul_pd(_mm_sub_pd(v, vMin), vScale);
      const __m128d r = _mm_sub_pd(_mm_add_pd(t, vShift), vShift);
      const __m128d ok = _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(t, vAbs), vLimit),
                                    _mm_cmplt_pd(_mm_and_pd(_mm_sub_pd(t, r), vAbs), vHalf));
      fallback |= _mm_movemask_pd(ok) != 3;
      const __m128d p = _mm_and_pd(_mm_add_pd(vOrigin, _mm_mul_pd(vSign, r)), ok);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + k), _mm_cvttpd_epi32(p));
    }
#endif
    for (; k < n; ++k) {
      const double t = (values[k] * multiplier - RangeMin) * Scale;
      const double r = RoundToEven(t);
      // & rather than &&: no branches.
      const bool ok = (std::fabs(t) < kQuickLimit) & (std::fabs(t - r) < 0.5 - kQuickTolerance);
      out[k] = static_cast<int>(ok ? origin + sign * r : 0.0);
      fallback |= !ok;
    }
    if (!fallback) return;
    for (k = 0; k < n; ++k) out[k] = QuickPos(values[k] * multiplier);
  }
};

}  // namespace tee

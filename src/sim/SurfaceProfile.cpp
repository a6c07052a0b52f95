#include "sim/SurfaceProfile.h"

#include <algorithm>
#include <cmath>

#include "scanner/ProfilePoint.h"

namespace sim {
namespace {

// splitmix64: a small generator whose output is the same on every platform and library, unlike
// the standard distributions, so a seed means the same profiles everywhere.
class Random {
 public:
  explicit Random(std::uint64_t state) : state_(state) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  // Standard normal (Box-Muller).
  double Normal() {
    const double u1 = 1.0 - Uniform();  // (0, 1]: the logarithm stays finite
    const double u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
  }

 private:
  std::uint64_t state_;
};

constexpr double kBaseHeight = 1700.0;
constexpr double kTilt = 0.03;
constexpr double kGrooveCentre = -1100.0;
constexpr double kGrooveHalfWidth = 300.0;
constexpr double kGrooveDepth = 650.0;
constexpr double kStepAt = 1400.0;
constexpr double kStepHeight = 550.0;
constexpr double kShadowWidth = 60.0;

std::int32_t ClampRaw(double value) {
  const auto v = static_cast<std::int32_t>(
      std::clamp(std::lround(value), long{scanner::kRawMin}, long{scanner::kRawMax}));
  // A measured value never collides with the marker.
  return v == scanner::kNoPointMarker ? v + 1 : v;
}

}  // namespace

double SurfaceProfile::Height(double b) {
  double h = kBaseHeight + kTilt * b;
  const double from_groove = std::abs(b - kGrooveCentre);
  if (from_groove < kGrooveHalfWidth) h -= kGrooveDepth * (1.0 - from_groove / kGrooveHalfWidth);
  if (b >= kStepAt) h += kStepHeight;
  return h;
}

bool SurfaceProfile::InShadow(double b) {
  return b >= kStepAt && b < kStepAt + kShadowWidth;
}

double SurfaceProfile::NoiseSigma(std::uint8_t intensity) {
  const double i = std::max<double>(intensity, 1.0);
  return 0.8 + 20.0 / i + (i > 60.0 ? (i - 60.0) * 0.05 : 0.0);
}

double SurfaceProfile::DropOutRate(std::uint8_t intensity) {
  const double i = intensity;
  const double rate =
      0.01 + (i < 12.0 ? (12.0 - i) * 0.04 : 0.0) + (i > 90.0 ? (i - 90.0) * 0.004 : 0.0);
  return std::min(rate, 1.0);
}

std::vector<RawPoint> SurfaceProfile::Shot(std::uint64_t shot, bool laser_on,
                                           std::uint8_t intensity) const {
  std::vector<RawPoint> points(kPoints);
  if (!laser_on || intensity == 0) {
    for (RawPoint& p : points) p = {scanner::kNoPointMarker, scanner::kNoPointMarker};
    return points;
  }
  Random random(seed_ * 0xD1342543DE82EF95ull + shot * 0x9E3779B97F4A7C15ull + 1);
  const double sigma = NoiseSigma(intensity);
  const double drop_rate = DropOutRate(intensity);
  const double spacing = (kLastB - kFirstB) / (kPoints - 1);
  for (int k = 0; k < kPoints; ++k) {
    const double b = kFirstB + k * spacing + 0.4 * random.Normal();
    const double a = Height(b) + sigma * random.Normal();
    const double drop = random.Uniform();
    RawPoint& p = points[static_cast<std::size_t>(k)];
    p = {ClampRaw(a), ClampRaw(b)};
    if (InShadow(b)) {
      p = {scanner::kNoPointMarker, scanner::kNoPointMarker};
    } else if (drop < drop_rate) {
      // Drop-outs mark one value or the other, as either half of the reading can fail.
      if (drop < drop_rate / 2) {
        p.a = scanner::kNoPointMarker;
      } else {
        p.b = scanner::kNoPointMarker;
      }
    }
  }
  return points;
}

}  // namespace sim

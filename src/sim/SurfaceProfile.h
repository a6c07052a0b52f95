// The surface the simulated scanner looks at, and the profiles its laser line would measure.
//
// The surface is a slightly tilted plate with a V-shaped groove left of centre and a step up
// right of centre. A shot samples it at 440 positions evenly spread across the scanner's X range
// (raw B from -3400 to 3400, about -24900 to 24900 on the chart) and reports each point's height
// as raw A (about 1000 to 2400, i.e. Y about 18000 to 44000 on the chart).
//
// Like a real laser line: the few points just behind the step's edge lie in its shadow and are
// missing (both values at the no-point marker); about one point in a hundred drops out at random
// (one of its two values at the marker); every point carries a little noise that differs from
// shot to shot. The noise and the drop-outs grow when the intensity is too weak, and again when
// it saturates the sensor; 25 is about ideal. With the laser off, or at intensity 0, every point
// is missing.
//
// Deterministic: the same seed gives the same sequence of shots.
#pragma once

#include <cstdint>
#include <vector>

namespace sim {

// One point as the scanner reports it: A (height) and B (position), signed 14-bit values.
struct RawPoint {
  std::int32_t a = 0;
  std::int32_t b = 0;

  friend bool operator==(const RawPoint&, const RawPoint&) = default;
};

class SurfaceProfile {
 public:
  static constexpr int kPoints = 440;
  static constexpr double kFirstB = -3400.0;
  static constexpr double kLastB = 3400.0;

  explicit SurfaceProfile(std::uint64_t seed) : seed_(seed) {}

  // The points of shot number `shot` (0 for the first) under the given laser settings.
  std::vector<RawPoint> Shot(std::uint64_t shot, bool laser_on, std::uint8_t intensity) const;

  // The surface's height (raw A) at position b, without noise.
  static double Height(double b);
  // Whether position b lies in the step's shadow.
  static bool InShadow(double b);
  // The noise's standard deviation (raw A units) and the drop-out probability at an intensity.
  static double NoiseSigma(std::uint8_t intensity);
  static double DropOutRate(std::uint8_t intensity);

 private:
  std::uint64_t seed_;
};

}  // namespace sim

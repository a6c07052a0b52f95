// The quick positions of an axis pixel map are exactly its true positions: near half pixels,
// far out, with empty ranges, inverted and vertical maps, and whole stretches at once.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/AxisPixelMap.h"

namespace {

tee::TAxisPixelMap MapOf(double min, double size, double length, std::int64_t origin,
                         bool subtract) {
  tee::TAxisPixelMap m;
  m.RangeMin = min;
  m.RangeSize = size;
  m.PixelLength = length;
  m.Origin = origin;
  m.Subtract = subtract;
  m.Center = 12345;
  m.PrepareQuickPos();
  return m;
}

TEST(AxisPixelMap, RoundToEvenIsTheLibraryRounding) {
  for (double x : {0.5, 1.5, 2.5, -0.5, -1.5, 0.49999999999999994, 1e15 + 0.5, -3.7, 7.2, 0.0, -0.0,
                   4503599627370495.5})
    EXPECT_EQ(tee::RoundToEven(x), std::nearbyint(x)) << x;
}

TEST(AxisPixelMap, QuickPositionsAreTheTruePositions) {
  std::mt19937_64 random(5);
  std::uniform_real_distribution<double> unit(0, 1);
  struct Map {
    double Min, Size, Length;
    std::int64_t Origin;
    bool Subtract;
  };
  const Map maps[] = {{-26000, 52000, 446, 33, false}, {-500, 75500, 341, 368, true},
                      {0, 100, 200, 10, false},        {0.1, 0.3, 1000, 0, true},
                      {5, 0, 300, 20, false},          {-1e300, 1e300, 500, 5, false},
                      {0, 1e-300, 500, 5, true},       {0, 3, 7, 2000000000, false}};
  for (const Map& m : maps) {
    const tee::TAxisPixelMap map = MapOf(m.Min, m.Size, m.Length, m.Origin, m.Subtract);
    std::vector<double> values;
    for (int i = 0; i < 4000; ++i) values.push_back(m.Min + (unit(random) * 1.4 - 0.2) * m.Size);
    // Values whose offsets lie on or next to half pixels, where only the true quotient decides.
    for (int k = -50; k < 50; ++k) {
      const double v = m.Min + (k + 0.5) * m.Size / m.Length;
      values.push_back(v);
      values.push_back(std::nextafter(v, 1e308));
      values.push_back(std::nextafter(v, -1e308));
    }
    for (double v : {1e300, -1e300, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(), m.Min + m.Size * 5e6})
      values.push_back(v);
    std::vector<int> quick(values.size());
    map.QuickPositions(values.data(), 1.0, values.size(), quick.data());
    for (std::size_t i = 0; i < values.size(); ++i) {
      ASSERT_EQ(map.QuickPos(values[i]), map.Pos(values[i])) << "value " << values[i];
      ASSERT_EQ(quick[i], map.Pos(values[i])) << "value " << values[i];
    }
    // With a multiplier, and an odd count (the last one alone).
    std::vector<double> halves(values.begin(), values.begin() + 101);
    for (double& v : halves) v *= 2;
    map.QuickPositions(halves.data(), 0.5, halves.size(), quick.data());
    for (std::size_t i = 0; i < halves.size(); ++i)
      ASSERT_EQ(quick[i], map.Pos(halves[i] * 0.5)) << "value " << halves[i];
  }
}

}  // namespace

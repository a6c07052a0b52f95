#include <gtest/gtest.h>

#include <climits>

#include "framework/core/Geometry.h"

namespace {

TEST(Geometry, MulDivRoundsHalvesAwayFromZeroAndFlagsOverflow) {
  struct Case {
    int a, b, c, expected;
  };
  const Case cases[] = {
      {8, 96, 72, 11},       // 10.67
      {11, 72, 96, 8},       // 8.25
      {1, 1, 2, 1},          // 0.5 rounds up
      {-1, 1, 2, -1},        // -0.5 rounds away from zero
      {3, -255, 99, -8},     // -7.73
      {255, 255, 255, 255},  // exact
      {5, 7, 0, -1},         // division by zero
      {INT_MAX, 4, 1, -1},   // does not fit
      {INT_MAX, 4, 4, INT_MAX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fw::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(Geometry, RectanglesExcludeTheirRightAndBottomEdges) {
  const fw::TRect r{0, 0, 10, 10};
  EXPECT_TRUE(fw::PtInRect(r, {0, 0}));
  EXPECT_TRUE(fw::PtInRect(r, {9, 9}));
  EXPECT_FALSE(fw::PtInRect(r, {10, 5}));
  EXPECT_FALSE(fw::PtInRect(r, {5, 10}));

  fw::TRect out;
  EXPECT_TRUE(fw::IntersectRect(out, r, {5, -5, 20, 5}));
  EXPECT_EQ(out, (fw::TRect{5, 0, 10, 5}));
  EXPECT_FALSE(fw::IntersectRect(out, r, {10, 0, 20, 10}));  // touching edges do not overlap
  EXPECT_EQ(out, fw::TRect{});

  fw::TRect grown = r;
  fw::InflateRect(grown, 2, -1);
  EXPECT_EQ(grown, (fw::TRect{-2, 1, 12, 9}));
}

}  // namespace

// The mouse on the main window's chart: zoom drags and their undo, pan drags, the wheel, the
// axes backup, animated zoom, and the limits of repeated zooming. Positions are pixels of the
// chart's client area as its last paint laid it out (the chart is drawn into a bitmap first).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iomanip>
#include <ostream>
#include <string>
#include <vector>

#include "ChartFixtures.h"
#include "chart/ChartImage.h"
#include "framework/gui/Bitmap.h"

namespace {

struct Range {
  double min;
  double max;
  friend bool operator==(const Range&, const Range&) = default;
};

std::ostream& operator<<(std::ostream& os, const Range& r) {
  return os << std::setprecision(17) << r.min << ".." << r.max;
}

Range RangeOf(const tee::TChartAxis* a) {
  return {a->Minimum(), a->Maximum()};
}

const std::vector<std::pair<int, int>> kProfile{{-20000, 5000}, {-12000, 30000}, {-4000, 65000},
                                                {0, 0},         {7500, 42000},   {15000, 70000},
                                                {22000, 12000}};

class MainChartMouse : public ::testing::Test {
 protected:
  MainChartMouse() : chart(*w.chart) {
    w.Measure(kProfile);
    Render();
    chart.OnZoom = [this](fw::TObject*) { ++zooms; };
    chart.OnUndoZoom = [this](fw::TObject*) { ++undos; };
    chart.OnScroll = [this](fw::TObject*) { ++scrolls; };
  }

  // A paint lays the chart out with the current ranges (pixel ranges, point positions).
  void Render() { tee::RenderChart(chart, bitmap); }

  void Drag(fw::TMouseButton button, int x0, int y0, int x1, int y1) {
    const fw::TShiftState held{button == fw::mbLeft ? fw::ssLeft : fw::ssRight};
    chart.HandleMouseDown(button, {}, x0, y0);
    chart.HandleMouseMove(held, (x0 + x1) / 2, (y0 + y1) / 2);
    chart.HandleMouseMove(held, x1, y1);
    chart.HandleMouseUp(button, {}, x1, y1);
    Render();
  }

  Range Bottom() const { return RangeOf(chart.BottomAxis()); }
  Range Left() const { return RangeOf(chart.LeftAxis()); }

  charttest::TMainWindowChart w;
  tee::TChart& chart;
  fw::TBitmap bitmap;
  int zooms = 0;
  int undos = 0;
  int scrolls = 0;
};

const Range kBottom{-26000, 26000};
const Range kLeft{-500, 75000};

TEST_F(MainChartMouse, ALeftDragTowardTheLowerRightZoomsToTheValuesUnderItsCorners) {
  const Range bottom{chart.BottomAxis()->CalcPosPoint(100), chart.BottomAxis()->CalcPosPoint(130)};
  const Range left{chart.LeftAxis()->CalcPosPoint(130), chart.LeftAxis()->CalcPosPoint(100)};
  Drag(fw::mbLeft, 100, 100, 130, 130);
  EXPECT_EQ(Bottom(), bottom);
  EXPECT_EQ(Left(), left);
  EXPECT_TRUE(chart.IsZoomed());
  EXPECT_EQ(zooms, 1);
  EXPECT_FALSE(chart.BottomAxis()->Automatic());
  EXPECT_FALSE(chart.LeftAxis()->AutomaticMinimum());
  EXPECT_FALSE(chart.ZoomDrag().Active);

  // The reverse drag returns to the description's ranges exactly.
  Drag(fw::mbLeft, 130, 130, 100, 100);
  EXPECT_EQ(Bottom(), kBottom);
  EXPECT_EQ(Left(), kLeft);
  EXPECT_FALSE(chart.IsZoomed());
  EXPECT_TRUE(chart.AxesBackupEmpty());
  EXPECT_EQ(undos, 1);
  // The right and top axes were saved automatic and come back automatic.
  EXPECT_TRUE(chart.RightAxis()->Automatic());
  EXPECT_TRUE(chart.TopAxis()->AutomaticMaximum());
}

TEST_F(MainChartMouse, DragsOf16PixelsOrLessInEitherDirectionDoNothing) {
  for (auto [x1, y1] : std::vector<std::pair<int, int>>{
           {116, 200}, {200, 116}, {84, 200}, {200, 84}, {116, 116}, {100, 100}}) {
    Drag(fw::mbLeft, 100, 100, x1, y1);
    EXPECT_EQ(Bottom(), kBottom) << x1 << "," << y1;
    EXPECT_EQ(Left(), kLeft) << x1 << "," << y1;
  }
  EXPECT_EQ(zooms, 0);
  EXPECT_EQ(undos, 0);
  // 17 pixels are enough.
  Drag(fw::mbLeft, 100, 100, 117, 117);
  EXPECT_EQ(zooms, 1);
}

TEST_F(MainChartMouse, UndoWithoutAZoomKeepsTheRangesButStillFiresAndRepaints) {
  const int requests = chart.RepaintRequestCount();
  chart.UndoZoom();
  EXPECT_EQ(Bottom(), kBottom);
  EXPECT_EQ(Left(), kLeft);
  EXPECT_EQ(undos, 1);
  EXPECT_GT(chart.RepaintRequestCount(), requests);
}

TEST_F(MainChartMouse, ARightDragPansTheAxesWithThePointer) {
  const double dx = chart.BottomAxis()->CalcPosPoint(200) - chart.BottomAxis()->CalcPosPoint(240);
  const double dy = chart.LeftAxis()->CalcPosPoint(200) - chart.LeftAxis()->CalcPosPoint(180);
  chart.HandleMouseDown(fw::mbRight, {}, 200, 200);
  EXPECT_TRUE(chart.PanDrag().Active);
  chart.HandleMouseMove({fw::ssRight}, 240, 180);
  // Moving to the right shows lower values; moving up shows lower values too.
  EXPECT_EQ(Bottom(), (Range{kBottom.min + dx, kBottom.max + dx}));
  EXPECT_EQ(Left(), (Range{kLeft.min + dy, kLeft.max + dy}));
  EXPECT_LT(dx, 0);
  EXPECT_LT(dy, 0);
  EXPECT_EQ(scrolls, 1);
  // The same point again is no step.
  chart.HandleMouseMove({fw::ssRight}, 240, 180);
  EXPECT_EQ(scrolls, 1);
  chart.HandleMouseUp(fw::mbRight, {}, 240, 180);
  EXPECT_FALSE(chart.PanDrag().Active);
  // A pan keeps the axes fixed.
  EXPECT_FALSE(chart.BottomAxis()->Automatic());
  EXPECT_FALSE(chart.LeftAxis()->AutomaticMaximum());
  EXPECT_FALSE(chart.IsZoomed());
  EXPECT_FALSE(chart.AxesBackupEmpty());
}

TEST_F(MainChartMouse, PanThenZoomThenUndoReturnsToTheRangesBeforeThePan) {
  Drag(fw::mbRight, 200, 200, 230, 170);
  ASSERT_NE(Bottom(), kBottom);
  Drag(fw::mbLeft, 100, 100, 150, 150);
  Drag(fw::mbRight, 200, 200, 180, 220);
  Drag(fw::mbLeft, 150, 150, 100, 100);
  EXPECT_EQ(Bottom(), kBottom);
  EXPECT_EQ(Left(), kLeft);
}

TEST_F(MainChartMouse, APanThatLeavesThePlotEndsForGood) {
  const fw::TRect plot = chart.PlotRect();
  chart.HandleMouseDown(fw::mbRight, {}, 200, 200);
  chart.HandleMouseMove({fw::ssRight}, 210, 200);
  const Range moved = Bottom();
  chart.HandleMouseMove({fw::ssRight}, plot.Right + 5, 200);
  EXPECT_FALSE(chart.PanDrag().Active);
  chart.HandleMouseMove({fw::ssRight}, 250, 200);
  EXPECT_EQ(Bottom(), moved);
  EXPECT_EQ(scrolls, 1);
}

TEST_F(MainChartMouse, AllowPanningChoosesTheDirectionsThatMove) {
  struct Case {
    tee::TPanningMode mode;
    bool horizontalMoves;
    bool verticalMoves;
    bool starts;
  };
  for (const Case c :
       {Case{tee::pmVertical, false, true, true}, Case{tee::pmHorizontal, true, false, true},
        Case{tee::pmBoth, true, true, true}, Case{tee::pmNone, false, false, false}}) {
    chart.UndoZoom();
    Render();
    chart.SetAllowPanning(c.mode);
    chart.HandleMouseDown(fw::mbRight, {}, 200, 200);
    EXPECT_EQ(chart.PanDrag().Active, c.starts) << int(c.mode);
    chart.HandleMouseMove({fw::ssRight}, 230, 170);
    chart.HandleMouseUp(fw::mbRight, {}, 230, 170);
    EXPECT_EQ(Bottom() != kBottom, c.horizontalMoves) << int(c.mode);
    EXPECT_EQ(Left() != kLeft, c.verticalMoves) << int(c.mode);
  }
}

TEST_F(MainChartMouse, OnAllowScrollMayChangeOrRefuseEachAxisShift) {
  std::vector<tee::TChartAxis*> asked;
  chart.OnAllowScroll = [&](tee::TChartAxis* axis, double& aMin, double& aMax, bool& allow) {
    asked.push_back(axis);
    if (axis == chart.BottomAxis()) {
      aMin = -1000;
      aMax = 1000;
    } else {
      allow = false;
    }
  };
  chart.HandleMouseDown(fw::mbRight, {}, 200, 200);
  chart.HandleMouseMove({fw::ssRight}, 230, 170);
  chart.HandleMouseUp(fw::mbRight, {}, 230, 170);
  EXPECT_EQ(Bottom(), (Range{-1000, 1000}));
  EXPECT_EQ(Left(), kLeft);
  // Bottom and top, then left and right: the axes of the list that run that way.
  EXPECT_EQ(asked, (std::vector<tee::TChartAxis*>{chart.BottomAxis(), chart.TopAxis(),
                                                  chart.LeftAxis(), chart.RightAxis()}));
  // Refused everywhere, the step still counts as a scroll.
  EXPECT_EQ(scrolls, 1);
}

TEST_F(MainChartMouse, OneWheelStepShiftsTheVerticalAxesByThreePercent) {
  EXPECT_FALSE(chart.HandleMouseWheel({}, -120, fw::Point(200, 200)));
  EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 1765);
  EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 77265);
  EXPECT_EQ(Bottom(), kBottom);
  EXPECT_FALSE(chart.LeftAxis()->Automatic());
  // No backup, no scroll event.
  EXPECT_TRUE(chart.AxesBackupEmpty());
  EXPECT_EQ(scrolls, 0);
  // A step up shifts back by 3 % of the (unchanged) range.
  chart.HandleMouseWheel({}, 120, fw::Point(200, 200));
  EXPECT_NEAR(chart.LeftAxis()->Minimum(), -500, 1e-9);
  EXPECT_NEAR(chart.LeftAxis()->Maximum(), 75000, 1e-9);
}

TEST_F(MainChartMouse, RepeatedZoomingIntoOneCornerKeepsDrawingAndOneReverseDragRestores) {
  for (int i = 0; i < 60; ++i) {
    Drag(fw::mbLeft, 100, 100, 130, 130);
    for (const tee::TChartAxis* a :
         {chart.BottomAxis(), chart.LeftAxis(), chart.TopAxis(), chart.RightAxis()}) {
      ASSERT_TRUE(std::isfinite(a->Minimum())) << i;
      ASSERT_TRUE(std::isfinite(a->Maximum())) << i;
      ASSERT_LT(a->Minimum(), a->Maximum()) << i;
      ASSERT_TRUE(std::isfinite(a->CalcPosPoint(100))) << i;
    }
  }
  EXPECT_EQ(zooms, 60);
  // Zooming stopped while every point could still be placed: nothing red is drawn but the dots of
  // points, where the axes put them (no far point lands in the middle of the plot).
  const tee::TChartAxis* b = chart.BottomAxis();
  const tee::TChartAxis* l = chart.LeftAxis();
  EXPECT_GT(b->Maximum() - b->Minimum(), 1e-3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      if (bitmap.GetPixel(x, y) != fw::clRed) continue;
      bool nearPoint = false;
      for (const auto& [px, py] : kProfile)
        nearPoint |=
            std::abs(b->CalcXPosValue(px) - x) <= 2 && std::abs(l->CalcYPosValue(py) - y) <= 2;
      EXPECT_TRUE(nearPoint) << x << "," << y;
    }
  }
  // The chart still paints its frame and labels.
  EXPECT_EQ(bitmap.Width(), 478);
  Drag(fw::mbLeft, 130, 130, 100, 100);
  EXPECT_EQ(Bottom(), kBottom);
  EXPECT_EQ(Left(), kLeft);
}

TEST_F(MainChartMouse, AZoomThatWouldCollapseARangeKeepsThatAxisRange) {
  // At 1e17 the 1e-10 that a range keeps is lost in 64-bit floats: the range would collapse.
  chart.LeftAxis()->SetMinMax(1e17, 2e17);
  const Range before = Left();
  chart.ZoomToValues(1.5e17, 1.5e17, 0, 1, 0, 1, -100, 100);
  EXPECT_EQ(Left(), before);
  EXPECT_EQ(Bottom(), (Range{-100, 100}));
  // Not a number keeps the range too.
  chart.ZoomToValues(0, 1, 0, 1, 0, 1, std::nan(""), 5);
  EXPECT_EQ(Bottom(), (Range{-100, 100}));
  EXPECT_EQ(Left(), (Range{0, 1}));
  // So narrow that the profile's far points would lie 2^31 pixels away: kept too.
  chart.ZoomToValues(0, 1, 0, 1, 0, 1, 0, 1e-6);
  EXPECT_EQ(Bottom(), (Range{-100, 100}));
  EXPECT_EQ(zooms, 3);
}

TEST_F(MainChartMouse, AWheelStepNeverLosesARangeTooWideToShift) {
  chart.LeftAxis()->SetMinMax(-1.7e308, 1.7e308);
  chart.HandleMouseWheel({}, -120, fw::Point(200, 200));
  EXPECT_EQ(Left(), (Range{-1.7e308, 1.7e308}));
}

TEST_F(MainChartMouse, UndoRestoresAnAxisWithOneAutomaticEndExactly) {
  chart.LeftAxis()->SetAutomaticMinimum(true);
  ASSERT_FALSE(chart.LeftAxis()->Automatic());
  Render();
  Drag(fw::mbLeft, 100, 100, 150, 150);
  EXPECT_FALSE(chart.LeftAxis()->AutomaticMinimum());
  chart.UndoZoom();
  EXPECT_TRUE(chart.LeftAxis()->AutomaticMinimum());
  EXPECT_FALSE(chart.LeftAxis()->AutomaticMaximum());
  EXPECT_FALSE(chart.LeftAxis()->Automatic());
  EXPECT_EQ(chart.LeftAxis()->Maximum(), kLeft.max);
}

}  // namespace

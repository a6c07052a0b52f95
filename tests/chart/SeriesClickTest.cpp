// Which point a click on a custom series selects: its pointer, the clickable line between two
// points (drawn or not) and, for an area, the area below the line down to the origin.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "chart/Series.h"
#include "support/GuiTestApp.h"

namespace {

// Values 0..100 are pixels 0..100 across and 100..0 upwards; the test axes give the origin as
// pixel 0 (the top), so an area reaches from the line up to the top edge here.
class SeriesClick : public ::testing::Test {
 protected:
  SeriesClick() {
    testing_support::EnsureGuiApplication();
    series.SetParentChart(&chart);
    series.Pointer()->SetVisible(false);
    series.AddXY(20, 40);  // pixel (20, 60)
    series.AddXY(60, 40);  // pixel (60, 60)
    series.AddXY(80, 80);  // pixel (80, 20)
    series.CalcFirstLastVisibleIndex();
  }
  teetest::TTestChart chart;
  tee::TCustomSeries series{nullptr};
};

TEST_F(SeriesClick, AClickableLineIsHitWhetherOrNotItIsDrawn) {
  for (bool drawn : {false, true}) {
    series.SetDrawLine(drawn);
    EXPECT_EQ(series.Clicked(40, 61), 0) << drawn;
    EXPECT_EQ(series.Clicked(70, 40), 1) << drawn;
    EXPECT_EQ(series.Clicked(40, 70), -1) << drawn;
  }
  series.SetClickableLine(false);
  EXPECT_EQ(series.Clicked(40, 61), -1);
  // The points themselves are hit without a line.
  EXPECT_EQ(series.Clicked(60, 60), 1);
}

TEST_F(SeriesClick, AnAreaIsHitAnywhereBetweenTheLineAndTheOrigin) {
  series.SetDrawArea(true);
  struct Case {
    int x, y, index;
  };
  for (const Case c : {Case{40, 30, 0}, Case{40, 0, 0}, Case{21, 59, 0}, Case{70, 30, 1},
                       Case{75, 10, 1}, Case{40, 70, -1}, Case{10, 30, -1}, Case{90, 10, -1}}) {
    EXPECT_EQ(series.Clicked(c.x, c.y), c.index) << c.x << "," << c.y;
  }
  // Without a clickable line neither the line nor the area counts.
  series.SetClickableLine(false);
  EXPECT_EQ(series.Clicked(40, 30), -1);
}

}  // namespace

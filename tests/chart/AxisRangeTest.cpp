// Axis ranges, the automatic flags, scrolling, margins, the pixel range and the conversions
// between values and pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "AxisFixtures.h"

using axistest::TAxisChart;
using axistest::TPlainSeries;

namespace {

// A chart whose plot is 400 pixels wide (60..460) and 300 high (40..340).
struct AxisRange : ::testing::Test {
  TAxisChart chart;
};

}  // namespace

TEST_F(AxisRange, SetMinMaxOrdersThePairAndKeepsAMinimalSpan) {
  tee::TChartAxis& a = *chart.bottom;
  a.SetMinMax(5, 1);
  EXPECT_EQ(a.Minimum(), 1);
  EXPECT_EQ(a.Maximum(), 5);
  EXPECT_FALSE(a.Automatic());
  EXPECT_FALSE(a.AutomaticMinimum());
  EXPECT_FALSE(a.AutomaticMaximum());
  a.SetMinMax(3, 3);
  EXPECT_EQ(a.Minimum(), 3);
  EXPECT_EQ(a.Maximum(), 3 + 1e-10);
  // Without the setters' order checks: a minimum above the old maximum is fine.
  a.SetMinMax(100, 200);
  EXPECT_EQ(a.Minimum(), 100);
  EXPECT_EQ(a.Maximum(), 200);
  // A pair that is not a number changes nothing.
  a.SetMinMax(std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_EQ(a.Minimum(), 100);
}

TEST_F(AxisRange, SetMinMaxRepaintsOnlyForAChange) {
  tee::TChartAxis& a = *chart.left;
  a.SetMinMax(0, 10);
  const int before = chart.RepaintRequestCount();
  a.SetMinMax(10, 0);
  EXPECT_EQ(chart.RepaintRequestCount(), before);
  a.SetMinMax(0, 20);
  EXPECT_EQ(chart.RepaintRequestCount(), before + 1);
}

TEST_F(AxisRange, AutomaticFlagsAreCoupled) {
  tee::TChartAxis& a = *chart.bottom;
  a.SetAutomatic(false);
  EXPECT_FALSE(a.AutomaticMinimum());
  EXPECT_FALSE(a.AutomaticMaximum());
  a.SetAutomatic(true);
  EXPECT_TRUE(a.AutomaticMinimum());
  EXPECT_TRUE(a.AutomaticMaximum());
  // One end fixed clears Automatic and leaves the other end.
  a.SetAutomaticMinimum(false);
  EXPECT_FALSE(a.Automatic());
  EXPECT_TRUE(a.AutomaticMaximum());
  // Both ends automatic again sets it.
  a.SetAutomaticMinimum(true);
  EXPECT_TRUE(a.Automatic());
  a.SetAutomaticMaximum(false);
  a.SetAutomaticMinimum(false);
  a.SetAutomaticMaximum(true);
  EXPECT_FALSE(a.Automatic());
}

TEST_F(AxisRange, WhileLoadingAutomaticDoesNotTouchTheEndsAndMinMaxLoadInAnyOrder) {
  tee::TChartAxis& a = *chart.left;
  chart.BeginLoading();
  a.SetAutomatic(false);
  EXPECT_TRUE(a.AutomaticMinimum());
  EXPECT_TRUE(a.AutomaticMaximum());
  a.SetMinimum(-500);
  a.SetMinimum(80000);  // above Maximum (0): accepted while loading
  a.SetMaximum(75000);
  a.SetMinimum(-500);
  chart.Loaded();
  EXPECT_EQ(a.Minimum(), -500);
  EXPECT_EQ(a.Maximum(), 75000);
}

TEST_F(AxisRange, SetterChecksRaiseTheirMessageAndKeepTheOldValue) {
  tee::TChartAxis& a = *chart.left;
  a.SetMaximum(10);
  a.SetMinimum(2);
  auto expectAxisError = [](auto&& set, const char* message) {
    try {
      set();
      ADD_FAILURE() << "accepted: " << message;
    } catch (const tee::AxisException& e) {
      EXPECT_STREQ(e.what(), message);
    }
  };
  auto expectChartError = [](auto&& set, const char* message) {
    try {
      set();
      ADD_FAILURE() << "accepted: " << message;
    } catch (const tee::ChartException& e) {
      EXPECT_STREQ(e.what(), message);
    }
  };
  expectAxisError([&] { a.SetMinimum(11); }, "Axis Minimum Value must be <= Maximum");
  EXPECT_EQ(a.Minimum(), 2);
  expectAxisError([&] { a.SetMaximum(1); }, "Axis Maximum Value must be >= Minimum");
  EXPECT_EQ(a.Maximum(), 10);
  expectAxisError([&] { a.SetMinimum(std::nan("")); }, "Axis Minimum Value must be <= Maximum");
  expectAxisError([&] { a.SetIncrement(-1); }, "Axis increment must be >= 0");
  expectAxisError([&] { a.SetIncrement(std::nan("")); }, "Axis increment must be >= 0");
  EXPECT_EQ(a.Increment(), 0);
  expectAxisError([&] { a.SetLogarithmicBase(1); }, "Axis Logarithmic Base should be >= 2");
  EXPECT_EQ(a.LogarithmicBase(), 10);
  expectAxisError([&] { a.SetLabelsSeparation(-1); }, "Labels Separation % must be greater than 0");
  EXPECT_EQ(a.LabelsSeparation(), 10);
  expectChartError([&] { a.SetLabelsAngle(361); },
                   "Axis Labels Angle must be between 0 and 359 degrees");
  expectChartError([&] { a.SetLabelsAngle(-1); },
                   "Axis Labels Angle must be between 0 and 359 degrees");
  EXPECT_EQ(a.LabelsAngle(), 0);
  expectChartError([&] { a.Title()->SetAngle(400); },
                   "Axis Title Angle must be between 0 and 359 degrees");
  EXPECT_EQ(a.Title()->Angle(), 90);
  // The limits themselves are accepted.
  a.SetLabelsSeparation(0);
  a.SetLabelsAngle(360);
  a.Title()->SetAngle(360);
  a.SetLogarithmicBase(2);
  a.SetMinimum(10);
  EXPECT_EQ(a.Minimum(), 10);
}

TEST_F(AxisRange, LogarithmicRefusesDateTimeAxesAndNegativeRanges) {
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(-5, 1);
  s.AddXY(5, 100);
  try {
    chart.bottom->SetLogarithmic(true);
    ADD_FAILURE();
  } catch (const tee::AxisException& e) {
    EXPECT_STREQ(e.what(), "Logarithmic Axis Min and Max values should be >= 0");
  }
  EXPECT_FALSE(chart.bottom->Logarithmic());
  chart.left->SetLogarithmic(true);
  EXPECT_TRUE(chart.left->Logarithmic());
  s.XValues()->SetDateTime(true);
  try {
    chart.bottom->SetLogarithmic(true);
    ADD_FAILURE();
  } catch (const tee::AxisException& e) {
    EXPECT_STREQ(e.what(), "DateTime Axis cannot be Logarithmic");
  }
}

TEST_F(AxisRange, UpdateRangeTakesAutomaticEndsFromTheSeries) {
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(-3, 10);
  s.AddXY(7, 40);
  chart.bottom->UpdateRange();
  EXPECT_EQ(chart.bottom->RangeMin(), -3);
  EXPECT_EQ(chart.bottom->RangeMax(), 7);
  EXPECT_EQ(chart.bottom->RangeSize(), 10);
  chart.left->SetAutomaticMinimum(false);
  chart.left->SetMinimum(0);
  chart.left->UpdateRange();
  EXPECT_EQ(chart.left->RangeMin(), 0);
  EXPECT_EQ(chart.left->RangeMax(), 40);
  // The automatic ends are written without checks or repaint requests.
  s.SetActive(false);
  const int before = chart.RepaintRequestCount();
  chart.bottom->UpdateRange();
  EXPECT_EQ(chart.RepaintRequestCount(), before);
  // An inactive series still counts while no active series uses the axis.
  EXPECT_EQ(chart.bottom->RangeMax(), 7);
}

TEST_F(AxisRange, ScrollChecksTheDataLimitsWhenAsked) {
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(0, 0);
  s.AddXY(100, 10);
  tee::TChartAxis& a = *chart.bottom;
  a.SetMinMax(0, 100);
  a.SetAutomatic(true);
  a.Scroll(10, true);  // no data beyond 100
  EXPECT_EQ(a.Maximum(), 100);
  EXPECT_TRUE(a.Automatic());
  a.Scroll(-10, true);  // no data below 0
  EXPECT_EQ(a.Minimum(), 0);
  a.Scroll(0, true);
  EXPECT_TRUE(a.Automatic());
  a.SetMinMax(20, 50);
  a.Scroll(10, true);
  EXPECT_EQ(a.Minimum(), 30);
  EXPECT_EQ(a.Maximum(), 60);
  a.Scroll(-25, true);
  EXPECT_EQ(a.Minimum(), 5);
  a.SetAutomatic(true);
  a.Scroll(1000, false);
  EXPECT_FALSE(a.Automatic());
  EXPECT_EQ(a.Minimum(), 1005);
  EXPECT_EQ(a.Maximum(), 1035);
}

TEST_F(AxisRange, CalcPixelRangeFollowsThePlotAndThePositions) {
  tee::TChartAxis& b = *chart.bottom;
  b.CalcPixelRange();
  EXPECT_EQ(b.StartPixel(), 60);
  EXPECT_EQ(b.EndPixel(), 460);
  EXPECT_EQ(b.PixelLength(), 400);
  EXPECT_EQ(b.CenterPixel(), 260);
  tee::TChartAxis& l = *chart.left;
  l.CalcPixelRange();
  EXPECT_EQ(l.StartPixel(), 40);
  EXPECT_EQ(l.EndPixel(), 340);
  // Halves round to even: 50 × 0.01 × 25 = 12.5 → 12; 50 × 0.01 × 75 = 37.5 → 38.
  chart.SetPlotRect(fw::Rect(0, 0, 50, 51));
  b.SetStartPosition(25);
  b.SetEndPosition(75);
  b.CalcPixelRange();
  EXPECT_EQ(b.StartPixel(), 12);
  EXPECT_EQ(b.EndPixel(), 38);
  EXPECT_EQ(b.CenterPixel(), 25);
  // The centre truncates towards zero.
  chart.SetPlotRect(fw::Rect(-11, 0, 0, 10));
  b.SetStartPosition(0);
  b.SetEndPosition(100);
  b.CalcPixelRange();
  EXPECT_EQ(b.CenterPixel(), -5);
}

TEST_F(AxisRange, LinearConversionAtBothEndsInvertedOrNot) {
  chart.bottom->SetMinMax(-26000, 26000);
  chart.left->SetMinMax(-500, 75000);
  chart.Layout();
  tee::TChartAxis& b = *chart.bottom;
  tee::TChartAxis& l = *chart.left;
  EXPECT_EQ(b.CalcXPosValue(-26000), 60);
  EXPECT_EQ(b.CalcXPosValue(26000), 460);
  EXPECT_EQ(b.CalcXPosValue(0), 260);
  EXPECT_EQ(b.CalcPosValue(13000), 360);
  EXPECT_EQ(l.CalcYPosValue(-500), 340);
  EXPECT_EQ(l.CalcYPosValue(75000), 40);
  EXPECT_EQ(l.CalcPosValue(-500), 340);
  b.SetInverted(true);
  l.SetInverted(true);
  EXPECT_EQ(b.CalcXPosValue(-26000), 460);
  EXPECT_EQ(b.CalcXPosValue(26000), 60);
  EXPECT_EQ(l.CalcYPosValue(-500), 40);
  EXPECT_EQ(l.CalcYPosValue(75000), 340);
  // Round half to even: 0.5 pixels from the start.
  b.SetInverted(false);
  b.SetMinMax(0, 800);
  b.UpdateRange();
  EXPECT_EQ(b.CalcXPosValue(1), 60);  // 0.5 → 0
  EXPECT_EQ(b.CalcXPosValue(3), 62);  // 1.5 → 2
}

TEST_F(AxisRange, DegenerateAndOverflowingValuesGoToTheCentre) {
  tee::TChartAxis& b = *chart.bottom;
  b.SetMinMax(5, 5);
  b.SetMaximum(5);  // Minimum = Maximum
  chart.Layout();
  EXPECT_EQ(b.RangeSize(), 0);
  for (double v : {-1e9, 0.0, 5.0, 1e9}) EXPECT_EQ(b.CalcXPosValue(v), b.CenterPixel()) << v;
  b.SetMinMax(0, 1);
  chart.Layout();
  EXPECT_EQ(b.CalcXPosValue(1e12), b.CenterPixel());
  EXPECT_EQ(b.CalcXPosValue(-1e300), b.CenterPixel());
  EXPECT_EQ(b.CalcXPosValue(std::numeric_limits<double>::quiet_NaN()), b.CenterPixel());
  EXPECT_EQ(b.CalcXPosValue(std::numeric_limits<double>::infinity()), b.CenterPixel());
  // Just inside the 32-bit range but past it once added to StartPixel.
  EXPECT_EQ(b.CalcXPosValue(2147483600.0 / 400), b.CenterPixel());
}

TEST_F(AxisRange, LogarithmicConversion) {
  tee::TChartAxis& b = *chart.bottom;
  tee::TChartAxis& l = *chart.left;
  b.SetMinMax(1, 10000);
  l.SetMinMax(1, 1000);
  b.SetLogarithmic(true);
  l.SetLogarithmic(true);
  chart.Layout();
  EXPECT_EQ(b.CalcXPosValue(1), 60);
  EXPECT_EQ(b.CalcXPosValue(100), 260);
  EXPECT_EQ(b.CalcXPosValue(10000), 460);
  EXPECT_EQ(l.CalcYPosValue(10), 240);
  EXPECT_EQ(l.CalcYPosValue(1000), 40);
  // 0 and negative values go to the low end; inverted, the low end swaps.
  EXPECT_EQ(b.CalcXPosValue(0), 60);
  EXPECT_EQ(b.CalcXPosValue(-5), 60);
  EXPECT_EQ(l.CalcYPosValue(0), 340);
  EXPECT_EQ(l.CalcYPosValue(-1), 340);
  b.SetInverted(true);
  l.SetInverted(true);
  EXPECT_EQ(b.CalcXPosValue(0), 460);
  EXPECT_EQ(l.CalcYPosValue(0), 40);
  EXPECT_EQ(b.CalcXPosValue(100), 260);
  EXPECT_EQ(b.CalcXPosValue(10), 360);
  // Back from pixels: the ends exactly, the inside through the logarithm.
  b.SetInverted(false);
  l.SetInverted(false);
  EXPECT_EQ(b.CalcPosPoint(60), 1);
  EXPECT_EQ(b.CalcPosPoint(460), 10000);
  EXPECT_NEAR(b.CalcPosPoint(260), 100, 1e-9);
  EXPECT_EQ(l.CalcPosPoint(40), 1000);
  EXPECT_EQ(l.CalcPosPoint(340), 1);
  EXPECT_NEAR(l.CalcPosPoint(240), 10, 1e-9);
  // A range whose logarithm spans nothing maps everything to the centre.
  b.SetMinMax(0, 1);
  chart.Layout();
  EXPECT_EQ(b.CalcXPosValue(0.5), b.CenterPixel());
}

TEST_F(AxisRange, CalcPosPointInvertsTheLinearMapping) {
  chart.bottom->SetMinMax(-26000, 26000);
  chart.left->SetMinMax(-500, 75000);
  chart.Layout();
  EXPECT_EQ(chart.bottom->CalcPosPoint(60), -26000);
  EXPECT_EQ(chart.bottom->CalcPosPoint(460), 26000);
  EXPECT_EQ(chart.bottom->CalcPosPoint(260), 0);
  EXPECT_EQ(chart.left->CalcPosPoint(340), -500);
  EXPECT_EQ(chart.left->CalcPosPoint(40), 75000);
  chart.bottom->SetInverted(true);
  EXPECT_EQ(chart.bottom->CalcPosPoint(60), 26000);
  // No pixels, no values.
  chart.SetPlotRect(fw::Rect(10, 10, 10, 10));
  chart.Layout();
  EXPECT_EQ(chart.bottom->CalcPosPoint(10), 0);
}

TEST_F(AxisRange, DepthConversionGivesADepth) {
  chart.SetDepthOffsetX(40);
  tee::TChartDepthAxis& d = *chart.depth;
  d.SetMinMax(0, 4);
  d.UpdateRange();
  EXPECT_EQ(d.CalcPosValue(0), 0);
  EXPECT_EQ(d.CalcPosValue(1), 10);
  EXPECT_EQ(d.CalcPosValue(4), 40);
  d.SetInverted(true);
  EXPECT_EQ(d.CalcPosValue(1), 30);
  d.SetMinMax(2, 2);
  d.SetMaximum(2);
  d.UpdateRange();
  EXPECT_EQ(d.CalcPosValue(7), 20);
}

TEST_F(AxisRange, ApplyMarginsWidensTheRangeByThePixels) {
  tee::TChartAxis& b = *chart.bottom;
  chart.SetPlotRect(fw::Rect(0, 0, 100, 100));
  b.SetMinMax(0, 100);
  chart.Layout();
  b.ApplyMargins(10, 99, 10, 99);
  EXPECT_EQ(b.RangeMin(), -12.5);
  EXPECT_EQ(b.RangeMax(), 112.5);
  EXPECT_EQ(b.StartPixel(), 0);
  EXPECT_EQ(b.EndPixel(), 100);
  EXPECT_EQ(b.CalcXPosValue(0), 10);
  EXPECT_EQ(b.CalcXPosValue(100), 90);
  // A vertical axis takes top and bottom.
  tee::TChartAxis& l = *chart.left;
  l.SetMinMax(0, 100);
  chart.Layout();
  l.ApplyMargins(99, 20, 99, 0);
  EXPECT_EQ(l.RangeMin(), 0);
  EXPECT_EQ(l.RangeMax(), 125);
  EXPECT_EQ(l.CalcYPosValue(100), 20);
  // No margins, no change; margins that leave no pixel keep the range.
  b.SetMinMax(-26000, 26000);
  chart.Layout();
  b.ApplyMargins(0, 5, 0, 5);
  EXPECT_EQ(b.RangeMin(), -26000);
  EXPECT_EQ(b.RangeMax(), 26000);
  b.ApplyMargins(60, 0, 60, 0);
  EXPECT_EQ(b.RangeMin(), -26000);
  EXPECT_EQ(b.RangeMax(), 26000);
  EXPECT_EQ(b.PixelLength(), 100);
}

TEST_F(AxisRange, AxesJoinAndLeaveTheChartsList) {
  ASSERT_EQ(chart.AxesList().size(), 5u);
  EXPECT_EQ(chart.AxesList()[0], chart.bottom.get());
  EXPECT_EQ(chart.AxesList()[4], chart.depth.get());
  {
    tee::TChartAxis extra(&chart);
    EXPECT_EQ(chart.AxesList().size(), 6u);
    EXPECT_EQ(chart.AxesList()[5], &extra);
  }
  EXPECT_EQ(chart.AxesList().size(), 5u);
}

TEST_F(AxisRange, IsAxisShownFollowsTheSeries) {
  EXPECT_TRUE(chart.IsAxisShown(chart.bottom.get()));
  EXPECT_TRUE(chart.IsAxisShown(chart.top.get()));
  EXPECT_FALSE(chart.IsAxisShown(chart.depth.get()));
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  EXPECT_TRUE(chart.IsAxisShown(chart.bottom.get()));
  EXPECT_TRUE(chart.IsAxisShown(chart.left.get()));
  EXPECT_FALSE(chart.IsAxisShown(chart.top.get()));
  EXPECT_FALSE(chart.IsAxisShown(chart.right.get()));
  chart.left->SetVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.left.get()));
  chart.SetAxisVisible(false);
  EXPECT_FALSE(chart.IsAxisShown(chart.bottom.get()));
  chart.SetAxisVisible(true);
  chart.depth->SetVisible(true);
  chart.SetView3D(true);
  EXPECT_TRUE(chart.IsAxisShown(chart.depth.get()));
}

// Which points a series draws: the visible index range against the axis range, and the order in
// which DrawAllValues hands the points to DrawValue.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"

using namespace tee;
using teetest::TRecordingSeries;
using teetest::TTestChart;

namespace {

// The chart's axes show the values 0..100 over the plot rectangle.
struct Range {
  int first;
  int last;
  friend bool operator==(const Range&, const Range&) = default;
};

std::ostream& operator<<(std::ostream& os, const Range& r) {
  return os << r.first << ".." << r.last;
}

Range VisibleRange(TChartSeries& s) {
  s.CalcFirstLastVisibleIndex();
  return {s.FirstValueIndex(), s.LastValueIndex()};
}

}  // namespace

TEST(SeriesVisibleRange, AscendingValuesAgainstTheAxisRange) {
  struct Row {
    const char* what;
    std::vector<double> xs;
    bool drawBetween;
    Range expected;
  } rows[] = {
      {"all inside", {10, 20, 30}, false, {0, 2}},
      {"points exactly at both edges are drawn", {-5, 0, 50, 100, 105}, false, {1, 3}},
      {"a point exactly at the high edge ends the range, drawn between or not",
       {-5, 0, 50, 100, 105, 110},
       true,
       {1, 3}},
      {"high edge between points", {10, 90, 120, 130}, false, {0, 1}},
      {"high edge between points, drawn between", {10, 90, 120, 130}, true, {0, 2}},
      {"every point left of the range", {-30, -20, -10}, false, {-1, -1}},
      {"every point right of the range", {110, 120}, false, {0, -1}},
      {"every point right of the range, drawn between", {110, 120}, true, {0, 0}},
      {"last point at the high edge", {50, 100}, false, {0, 1}},
      {"single point inside", {42}, false, {0, 0}},
  };
  TTestChart chart;
  for (const auto& row : rows) {
    TRecordingSeries s(nullptr);
    s.SetParentChart(&chart);
    s.SetDrawBetweenPoints(row.drawBetween);
    for (double x : row.xs) s.AddXY(x, 1);
    EXPECT_EQ(VisibleRange(s), row.expected) << row.what;
  }
}

TEST(SeriesVisibleRange, NoPointsOrNoVisiblePointsDrawNothing) {
  TTestChart chart;
  TRecordingSeries s(nullptr);
  s.SetParentChart(&chart);
  EXPECT_EQ(VisibleRange(s), (Range{-1, -1}));
  for (double x : {-3.0, -2.0, -1.0}) s.AddXY(x, 1);
  EXPECT_EQ(VisibleRange(s), (Range{-1, -1}));
  s.DrawAllValues();
  EXPECT_TRUE(s.drawn.empty());
}

TEST(SeriesVisibleRange, UnorderedOrUnrestrictedSeriesDrawEveryPoint) {
  TTestChart chart;
  TRecordingSeries s(nullptr);
  s.SetParentChart(&chart);
  s.XValues()->SetOrder(loNone);
  for (double x : {500.0, -7.0, 50.0}) s.AddXY(x, 1);
  EXPECT_EQ(VisibleRange(s), (Range{0, 2}));
  s.DrawAllValues();
  EXPECT_EQ(s.drawn, (std::vector<int>{0, 1, 2}));

  TRecordingSeries all(nullptr);
  all.SetParentChart(&chart);
  all.SetCalcVisiblePoints(false);
  for (double x : {-50.0, 500.0}) all.AddXY(x, 1);
  EXPECT_EQ(VisibleRange(all), (Range{0, 1}));
}

TEST(SeriesVisibleRange, InvertedAndVerticalPositionAxes) {
  TTestChart chart;
  chart.bottom.inverted = true;
  TRecordingSeries s(nullptr);
  s.SetParentChart(&chart);
  for (double x : {-1.0, 0.0, 100.0, 101.0}) s.AddXY(x, 1);
  EXPECT_EQ(VisibleRange(s), (Range{1, 2}));

  // A series whose mandatory list is X walks its Y values along the vertical axis.
  teetest::TXMandatorySeries h(nullptr);
  h.SetParentChart(&chart);
  h.YValues()->SetOrder(loAscending);
  for (double y : {-10.0, 5.0, 60.0, 150.0}) h.AddXY(1, y);
  EXPECT_EQ(VisibleRange(h), (Range{1, 2}));
  chart.left.inverted = true;
  EXPECT_EQ(VisibleRange(h), (Range{1, 2}));
}

TEST(SeriesVisibleRange, DrawAllValuesWalksTheRangeInTheSeriesDirection) {
  TTestChart chart;
  struct TBackwards : TRecordingSeries {
    using TRecordingSeries::TRecordingSeries;
    bool DrawValuesForward() const override { return false; }
  } s(nullptr);
  s.SetParentChart(&chart);
  for (double x : {-5.0, 10.0, 20.0, 30.0, 200.0}) s.AddXY(x, 1);
  s.CalcFirstLastVisibleIndex();
  s.DrawAllValues();
  EXPECT_EQ(s.drawn, (std::vector<int>{3, 2, 1}));
  int before = 0, after = 0;
  s.BeforeDrawValues = [&](fw::TObject* sender) { before += sender == &s; };
  s.AfterDrawValues = [&](fw::TObject* sender) { after += sender == &s; };
  s.DoBeforeDrawValues();
  s.DoAfterDrawValues();
  EXPECT_EQ(before, 1);
  EXPECT_EQ(after, 1);
}

TEST(SeriesVisibleRange, PixelPositionsGoThroughTheResolvedAxes) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(25, 75);
  EXPECT_EQ(s.CalcXPos(0), 25);
  EXPECT_EQ(s.CalcYPos(0), 25);  // 75 of 0..100 upwards from the bottom pixel 100
  s.SetVertAxis(aRightAxis);
  chart.right.inverted = true;
  EXPECT_EQ(s.CalcYPos(0), 75);
  TChartSeries lone(nullptr);
  lone.AddXY(1, 1);
  EXPECT_EQ(lone.CalcXPos(0), 0);  // no axis: no position, no error
}

// Sample values: the points FillSampleValues makes on an empty chart, next to other series (over
// what the axes show), with date-time X values, and when a data source is taken away while the
// chart is being designed.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "ChartFixtures.h"
#include "SeriesFixtures.h"
#include "framework/core/DateTime.h"

namespace {

using teetest::Values;

// Each step of the walk moves by at most an eighth of the range, and the walk stays at or above 0.
void ExpectWalk(const tee::TChartSeries& s, double low, double high) {
  const double step = (high - low) / 8;
  for (int i = 0; i < s.Count(); ++i) {
    EXPECT_GE(s.YValue(i), 0) << i;
    if (i > 0) {
      EXPECT_LE(std::fabs(s.YValue(i) - s.YValue(i - 1)), step + 1e-9) << i;
    }
  }
  EXPECT_GE(s.YValue(0), low);
  EXPECT_LE(s.YValue(0), high);
}

TEST(SampleValues, StepOverWhatTheAxesShowOfTheOtherSeries) {
  charttest::TRecordedChart rc;
  tee::TPointSeries* other = rc.AddPointSeries();
  other->AddXY(0, 0);
  other->AddXY(10, 40);
  // A fixed bottom axis; the left axis is automatic and spans the other series' 0..40.
  rc.chart->BottomAxis()->SetMinMax(100, 200);
  tee::TPointSeries* s = rc.AddPointSeries();
  s->AddXY(-5, 1);
  const int repaints = rc.chart->RepaintRequestCount();
  s->FillSampleValues(5);
  EXPECT_EQ(Values(*s->XValues()), (std::vector<double>{100, 125, 150, 175, 200}));
  ExpectWalk(*s, 0, 40);
  EXPECT_EQ(rc.chart->RepaintRequestCount(), repaints + 1);  // the Clear only
  EXPECT_TRUE(rc.chart->ChartCreated());
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(s->XLabel(i).empty());

  // A hidden series does not count as having points.
  other->SetActive(false);
  s->FillSampleValues(3);
  EXPECT_EQ(Values(*s->XValues()), (std::vector<double>{0, 1, 2}));
  ExpectWalk(*s, 0, 1000);
}

TEST(SampleValues, DateTimeValuesAreConsecutiveDaysFromToday) {
  tee::TChartSeries s(nullptr);
  s.XValues()->SetDateTime(true);
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const double today = fw::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  s.FillSampleValues(s.NumSampleValues());
  ASSERT_EQ(s.Count(), 26);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(s.XValue(i), today + i);
  ExpectWalk(s, 0, 1000);
}

TEST(SampleValues, TakingAwayTheDataSourceWhileDesigningFillsSampleValues) {
  teetest::TTestChart chart;
  tee::TChartSeries source(nullptr), copy(nullptr);
  source.SetParentChart(&chart);
  copy.SetParentChart(&chart);
  source.AddXY(1, 1);
  copy.SetDataSource(&source);
  ASSERT_EQ(copy.Count(), 1);
  chart.SetDesigning(true);
  copy.SetDataSource(nullptr);
  EXPECT_EQ(copy.Count(), copy.NumSampleValues());
  EXPECT_TRUE(source.LinkedSeries().empty());
  chart.SetDesigning(false);
  copy.SetDataSource(&source);
  copy.SetDataSource(nullptr);
  EXPECT_EQ(copy.Count(), 0);
}

}  // namespace

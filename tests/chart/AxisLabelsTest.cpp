// Which labels an axis shows and their texts: computed without drawing, measured with real fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "framework/core/DateTime.h"

using axistest::Positions;
using axistest::TAxisChart;
using axistest::Texts;
using axistest::TickPositions;
using axistest::TPlainSeries;
using axistest::Values;

namespace {

struct AxisLabels : ::testing::Test {
  TAxisChart chart;
  tee::TAxisLabels labels;

  // Pixels a vertical label needs with the default 10% separation.
  int VerticalLabelRoom() {
    const int h = chart.FontHeight(*chart.left->LabelsFont());
    return h + tee::RoundHalfEven(0.1 * h);
  }
};

}  // namespace

TEST_F(AxisLabels, MainWindowLeftAxisIsLabelledFromSeventyThousandDownToZero) {
  chart.FixLikeMainWindow();
  // A profile point labelled with its X, as the main window adds them.
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(-1234, 5678, "-1234");
  // Room for exactly 9 labels along the left axis.
  chart.SetPlotRect(fw::Rect(60, 40, 460, 40 + 9 * VerticalLabelRoom()));
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(labels.Style, tee::talValue);
  EXPECT_EQ(labels.Increment, 10000);
  EXPECT_EQ(Values(labels),
            (std::vector<double>{70000, 60000, 50000, 40000, 30000, 20000, 10000, 0}));
  EXPECT_EQ(Texts(labels), (std::vector<std::string>{"70,000", "60,000", "50,000", "40,000",
                                                     "30,000", "20,000", "10,000", "0"}));
  for (const auto& l : labels.Items) EXPECT_EQ(l.Pos, chart.left->CalcYPosValue(l.Value));
  // Ticks go where labels were drawn.
  EXPECT_EQ(TickPositions(labels), Positions(labels));
  // One more label's worth of room halves the step.
  chart.SetPlotRect(fw::Rect(60, 40, 460, 40 + 16 * VerticalLabelRoom()));
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(labels.Increment, 5000);
  EXPECT_EQ(labels.Items.front().Value, 75000);
  EXPECT_EQ(labels.Items.back().Value, 0);
}

TEST_F(AxisLabels, WithoutRoundFirstLabelTheLabelsStartAtTheTop) {
  chart.left->SetLabelStyle(tee::talValue);
  chart.left->SetMinMax(3, 97);
  chart.left->SetIncrement(10);
  chart.left->SetLabelsSeparation(0);
  chart.left->SetRoundFirstLabel(false);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{97, 87, 77, 67, 57, 47, 37, 27, 17, 7}));
  chart.left->SetRoundFirstLabel(true);
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{90, 80, 70, 60, 50, 40, 30, 20, 10}));
}

TEST_F(AxisLabels, SeparationZeroLeavesTheIncrementAsItIs) {
  chart.bottom->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.bottom->SetMinMax(0, 1000);
  chart.bottom->SetIncrement(1);
  chart.bottom->SetLabelsSeparation(0);
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Increment, 1);
  EXPECT_EQ(labels.Items.size(), 1001u);
  EXPECT_EQ(labels.Items.front().Value, 1000);
  EXPECT_EQ(labels.Items.back().Value, 0);
  // The same axis with the default separation thins the labels out.
  chart.bottom->SetLabelsSeparation(10);
  chart.bottom->CalcLabels(labels);
  EXPECT_GE(labels.Increment, 50);
}

TEST_F(AxisLabels, TenThousandStepsOrMoreGiveNoLabels) {
  chart.bottom->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.bottom->SetMinMax(0, 1000);
  chart.bottom->SetIncrement(0.01);
  chart.bottom->SetLabelsSeparation(0);
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Increment, 0.01);
  EXPECT_TRUE(labels.Items.empty());
  EXPECT_EQ(labels.Ticks.Count(), 0);
  // 9999 steps still label.
  chart.bottom->SetIncrement(0.5);
  chart.bottom->SetMinMax(0, 4999.5);
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Items.size(), 10000u);
}

TEST_F(AxisLabels, TheTickListHoldsTwoThousandPositions) {
  chart.bottom->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.bottom->SetMinMax(0, 5000);
  chart.bottom->SetIncrement(1);
  chart.bottom->SetLabelsSeparation(0);
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Items.size(), 5001u);
  EXPECT_EQ(labels.Ticks.Count(), tee::TAxisTickList::kCapacity);
  EXPECT_EQ(labels.Ticks.Pos(0), labels.Items[0].Pos);
  EXPECT_EQ(labels.Ticks.Pos(1999), labels.Items[1999].Pos);
}

TEST_F(AxisLabels, LabelsOnAxisAndTicksWithoutLabels) {
  chart.left->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.left->SetMinMax(0, 100);
  chart.left->SetIncrement(50);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{100, 50, 0}));
  chart.left->SetLabelsOnAxis(false);
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{50}));
  // Without labels, ticks stay only where labels would be when TickOnLabelsOnly is cleared.
  chart.left->SetLabelsOnAxis(true);
  chart.left->SetLabels(false);
  chart.left->CalcLabels(labels);
  EXPECT_TRUE(labels.Items.empty());
  EXPECT_EQ(labels.Ticks.Count(), 0);
  chart.left->SetTickOnLabelsOnly(false);
  chart.left->CalcLabels(labels);
  EXPECT_EQ(TickPositions(labels), (std::vector<int>{40, 190, 340}));
}

TEST_F(AxisLabels, FormatLabelUsesThePatternAndTheLabelEvent) {
  tee::TChartAxis& a = *chart.left;
  EXPECT_EQ(a.FormatLabel(1234.5), "1,234.5");
  EXPECT_EQ(a.FormatLabel(2.00049), "2");
  EXPECT_EQ(a.FormatLabel(-0.0001), "0");
  a.SetAxisValuesFormat("0.00 'mm'");
  EXPECT_EQ(a.FormatLabel(12.5), "12.50 mm");
  a.SetLabelsMultiLine(true);
  EXPECT_EQ(a.FormatLabel(12.5), "12.50\rmm");
  std::vector<int> indexes;
  chart.OnGetAxisLabel = [&](tee::TCustomChartAxis* sender, tee::TChartSeries* series, int index,
                             std::string& text) {
    EXPECT_EQ(sender, &a);
    EXPECT_EQ(series, nullptr);
    indexes.push_back(index);
    text = "<" + text + ">";
  };
  // The event sees the text before spaces become line breaks.
  EXPECT_EQ(a.FormatLabel(1), "<1.00\rmm>");
  EXPECT_EQ(indexes, (std::vector<int>{-1}));
}

TEST_F(AxisLabels, DateTimeAxesFormatDatesOrTimes) {
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.XValues()->SetDateTime(true);
  const double day = fw::EncodeDate(2024, 3, 7);
  s.AddXY(day, 1);
  s.AddXY(day + 10, 2);
  chart.Layout();
  tee::TChartAxis& b = *chart.bottom;
  b.CalcLabels(labels);
  EXPECT_TRUE(b.DateTimeAxis());
  EXPECT_EQ(b.FormatLabel(day + 0.75), "3/7/2024");
  EXPECT_EQ(b.FormatLabel(-1), "");
  b.SetDateTimeFormat("yyyy-mm-dd");
  EXPECT_EQ(b.FormatLabel(day), "2024-03-07");
  b.SetDateTimeFormat("");
  // A range of a day or less shows times.
  s.Clear();
  s.AddXY(day, 1);
  s.AddXY(day + 0.5, 2);
  chart.Layout();
  EXPECT_EQ(b.FormatLabel(day + 0.75), "6:00 PM");
  // The vertical axis looks at the Y values.
  chart.left->CalcLabels(labels);
  EXPECT_FALSE(chart.left->DateTimeAxis());
}

TEST_F(AxisLabels, CalendarStepsCrossTheYearEnd) {
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.XValues()->SetDateTime(true);
  s.AddXY(fw::EncodeDate(2023, 10, 10), 1);
  s.AddXY(fw::EncodeDate(2024, 2, 20), 2);
  chart.bottom->SetIncrement(30);
  chart.SetPlotRect(fw::Rect(0, 0, 900, 300));
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.DateTimeStep, tee::dtOneMonth);
  EXPECT_EQ(Values(labels),
            (std::vector<double>{fw::EncodeDate(2024, 2, 1), fw::EncodeDate(2024, 1, 1),
                                 fw::EncodeDate(2023, 12, 1), fw::EncodeDate(2023, 11, 1)}));
  EXPECT_EQ(Texts(labels),
            (std::vector<std::string>{"2/1/2024", "1/1/2024", "12/1/2023", "11/1/2023"}));
  chart.bottom->SetIncrement(15);
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.DateTimeStep, tee::dtHalfMonth);
  ASSERT_GE(labels.Items.size(), 4u);
  EXPECT_EQ(labels.Items[0].Value, fw::EncodeDate(2024, 2, 15));
  EXPECT_EQ(labels.Items[1].Value, fw::EncodeDate(2024, 2, 1));
  EXPECT_EQ(labels.Items[2].Value, fw::EncodeDate(2024, 1, 15));
  EXPECT_EQ(labels.Items[3].Value, fw::EncodeDate(2024, 1, 1));
  EXPECT_EQ(labels.Items[4].Value, fw::EncodeDate(2023, 12, 15));
  EXPECT_EQ(labels.Items.back().Value, fw::EncodeDate(2023, 10, 15));
  // Without ExactDateTime the labels are multiples of the step.
  chart.bottom->SetExactDateTime(false);
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.DateTimeStep, tee::dtNone);
  for (const auto& l : labels.Items) EXPECT_EQ(std::fmod(l.Value, labels.Increment), 0) << l.Value;
}

TEST_F(AxisLabels, LabelStyleAutoFollowsTheSeries) {
  EXPECT_EQ(chart.bottom->CalcLabelStyle(), tee::talNone);
  EXPECT_EQ(chart.depth->CalcLabelStyle(), tee::talText);
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(1, 1);
  EXPECT_EQ(chart.bottom->CalcLabelStyle(), tee::talValue);
  EXPECT_EQ(chart.left->CalcLabelStyle(), tee::talValue);
  EXPECT_EQ(chart.top->CalcLabelStyle(), tee::talNone);
  s.SetXLabel(0, "first");
  // Labels go along the axis across the values: the bottom one for a series of Y values.
  EXPECT_EQ(chart.bottom->CalcLabelStyle(), tee::talText);
  EXPECT_EQ(chart.left->CalcLabelStyle(), tee::talValue);
  // Only the first point's label counts.
  s.SetXLabel(0, "");
  s.AddXY(2, 2, "second");
  EXPECT_EQ(chart.bottom->CalcLabelStyle(), tee::talValue);
  chart.bottom->SetLabelStyle(tee::talMark);
  EXPECT_EQ(chart.bottom->CalcLabelStyle(), tee::talMark);
}

TEST_F(AxisLabels, TextLabelsRunLeftToRightThinnedByTheSeparation) {
  // Points every 10 pixels, each labelled with the same three digits.
  chart.SetPlotRect(fw::Rect(0, 0, 400, 300));
  chart.bottom->SetMinMax(0, 40);
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  for (int x = 0; x <= 40; ++x) s.AddXY(x, x, "100");
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  ASSERT_EQ(labels.Style, tee::talText);

  // A label needs its width, plus 20% of it split on its two sides, from its neighbour.
  const int e = chart.TextWidth(*chart.bottom->LabelsFont(), "100");
  const int firstHalf = e / 2;
  const int half = (e + static_cast<int>(e * 0.2)) / 2;
  std::vector<int> expected{0};
  int lastPos = 0, lastHalf = firstHalf;
  for (int x = 1; x <= 40; ++x) {
    if (lastPos + lastHalf <= 10 * x - half) {
      expected.push_back(10 * x);
      lastPos = 10 * x;
      lastHalf = half;
    }
  }
  EXPECT_EQ(Positions(labels), expected);
  EXPECT_GT(labels.Items.size(), 3u);
  EXPECT_LT(labels.Items.size(), 41u);
  EXPECT_EQ(TickPositions(labels), Positions(labels));
  for (const auto& l : labels.Items) EXPECT_EQ(l.Text, "100");

  // Separation 0: every point's label.
  chart.bottom->SetLabelsSeparation(0);
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Items.size(), 41u);
}

TEST_F(AxisLabels, TextLabelsSkipPointsOutsideTheRangeAndPassThroughTheEvent) {
  chart.bottom->SetMinMax(10, 20);
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  s.XValues()->SetOrder(tee::loNone);  // every point is visited
  s.AddXY(5, 0, "a");
  s.AddXY(15, 0, "b");
  s.AddXY(25, 0, "c");
  std::vector<int> asked;
  chart.OnGetAxisLabel = [&](tee::TCustomChartAxis*, tee::TChartSeries* series, int index,
                             std::string& text) {
    if (!series) return;  // the value texts measured for the step
    EXPECT_EQ(series, &s);
    asked.push_back(index);
    text += "!";
  };
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Texts(labels), (std::vector<std::string>{"b!"}));
  EXPECT_EQ(Values(labels), (std::vector<double>{15}));
}

TEST_F(AxisLabels, LogarithmicLabelsRunUpwards) {
  chart.left->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.left->SetMinMax(1, 1000);
  chart.left->SetLogarithmic(true);
  chart.left->SetLabelsSeparation(0);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{1, 10, 100, 1000}));
  EXPECT_EQ(Positions(labels), (std::vector<int>{340, 240, 140, 40}));
  // From 3: the nearest power (1) is below the range and skipped.
  chart.left->SetMinMax(3, 1000);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{10, 100, 1000}));
  // Base 2.
  chart.left->SetLogarithmicBase(2);
  chart.left->SetMinMax(1, 16);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{1, 2, 4, 8, 16}));
  // A minimum of 0 becomes 0.1 for the rest of the paint.
  chart.left->SetLogarithmicBase(10);
  chart.left->SetMinMax(0, 100);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(chart.left->RangeMin(), 0.1);
  ASSERT_EQ(labels.Items.size(), 4u);
  EXPECT_EQ(labels.Items[0].Pos, 340);
  EXPECT_EQ(labels.Items[3].Value, 100);
  // An Increment gives linear labels on a logarithmic axis.
  chart.left->SetMinMax(1, 1000);
  chart.left->SetIncrement(250);
  chart.Layout();
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{1000, 750, 500, 250}));
}

TEST_F(AxisLabels, EventLabelsComeFromTheChartsEvent) {
  chart.left->SetLabelStyle(tee::talValue);  // no series: value labels by choice
  chart.left->SetMinMax(0, 100);
  chart.Layout();
  std::vector<double> seen;
  chart.OnGetNextAxisLabel = [&](tee::TCustomChartAxis*, int index, double& value, bool& stop) {
    seen.push_back(value);
    stop = false;
    value = index * 30;
  };
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{0, 30, 60, 90}));
  EXPECT_EQ(seen, (std::vector<double>{0, 0, 30, 60, 90}));
  // Stopping at once falls back to the axis' own labels.
  chart.OnGetNextAxisLabel = [&](tee::TCustomChartAxis*, int, double&, bool&) {};
  chart.left->SetIncrement(50);
  chart.left->CalcLabels(labels);
  EXPECT_EQ(Values(labels), (std::vector<double>{100, 50, 0}));
  // A handler that never stops ends after 2000 labels.
  chart.OnGetNextAxisLabel = [&](tee::TCustomChartAxis*, int, double& value, bool& stop) {
    stop = false;
    value = 50;
  };
  chart.left->CalcLabels(labels);
  EXPECT_EQ(labels.Items.size(), 2001u);
}

TEST_F(AxisLabels, DepthAxisShowsTheSeriesTitles) {
  chart.SetView3D(true);
  chart.SetDepthOffsetX(40);
  TPlainSeries a(nullptr), b(nullptr);
  a.SetParentChart(&chart);
  b.SetParentChart(&chart);
  a.SetTitle("Front");
  b.SetName("Back");
  chart.SetHighestZOrder(1);
  chart.depth->UpdateRange();
  EXPECT_EQ(chart.depth->RangeMin(), -0.5);
  EXPECT_EQ(chart.depth->RangeMax(), 1.5);
  chart.depth->CalcLabels(labels);
  EXPECT_EQ(Texts(labels), (std::vector<std::string>{"Front", "Back"}));
  EXPECT_EQ(Positions(labels), (std::vector<int>{30, 10}));
}

TEST_F(AxisLabels, ABiggerLabelsFontThinsTextLabelsFurther) {
  chart.SetPlotRect(fw::Rect(0, 0, 400, 300));
  chart.bottom->SetMinMax(0, 40);
  TPlainSeries s(nullptr);
  s.SetParentChart(&chart);
  for (int x = 0; x <= 40; ++x) s.AddXY(x, x, std::to_string(1000 + x));
  chart.Layout();
  chart.bottom->CalcLabels(labels);
  const std::size_t small = labels.Items.size();
  // Measured widths are kept between drawings, but not across a change of font.
  chart.bottom->LabelsFont()->SetSize(16);
  chart.bottom->CalcLabels(labels);
  EXPECT_LT(labels.Items.size(), small);
  chart.bottom->LabelsFont()->SetSize(8);
  chart.bottom->CalcLabels(labels);
  EXPECT_EQ(labels.Items.size(), small);
}

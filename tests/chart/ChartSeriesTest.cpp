// The series core: creation, adding and deleting points, colours and labels, ranges, the chart
// link, repaint requests, depth order and clicks.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "framework/core/Exceptions.h"

using namespace tee;
using teetest::Colors;
using teetest::Labels;
using teetest::TRecordingSeries;
using teetest::TTestChart;
using teetest::Values;

TEST(ChartSeries, StartsWithTheInitialValuesOfEveryField) {
  TChartSeries s(nullptr);
  EXPECT_TRUE(s.Active());
  EXPECT_EQ(s.SeriesColor(), clAutoColor);
  EXPECT_FALSE(s.ColorEachPoint());
  EXPECT_EQ(s.ColorSource(), "");
  EXPECT_EQ(s.Cursor(), 0);
  EXPECT_EQ(s.DataSource(), nullptr);
  EXPECT_EQ(s.FirstValueIndex(), -1);
  EXPECT_EQ(s.LastValueIndex(), -1);
  EXPECT_EQ(s.GetHorizAxis(), nullptr);
  EXPECT_EQ(s.GetVertAxis(), nullptr);
  ASSERT_NE(s.Marks(), nullptr);
  EXPECT_FALSE(s.Marks()->Visible());
  EXPECT_EQ(s.ParentChart(), nullptr);
  EXPECT_EQ(s.PercentFormat(), "##0.## %");
  EXPECT_EQ(s.ValueFormat(), "#,##0.###");
  EXPECT_TRUE(s.ShowInLegend());
  EXPECT_EQ(s.Title(), "");
  ASSERT_EQ(s.ValuesList().size(), 2u);
  EXPECT_EQ(s.ValuesList()[0], s.XValues());
  EXPECT_EQ(s.ValuesList()[1], s.YValues());
  EXPECT_EQ(s.XValues()->Name(), "X");
  EXPECT_EQ(s.XValues()->Order(), loAscending);
  EXPECT_FALSE(s.XValues()->DateTime());
  EXPECT_EQ(s.YValues()->Name(), "Y");
  EXPECT_EQ(s.YValues()->Order(), loNone);
  EXPECT_EQ(s.YValues()->Multiplier(), 1);
  EXPECT_EQ(s.HorizAxis(), aBottomAxis);
  EXPECT_EQ(s.VertAxis(), aLeftAxis);
  EXPECT_EQ(s.ZOrder(), -1);
  EXPECT_EQ(s.CalculatedZOrder(), 0);
  EXPECT_EQ(s.RecalcOptions(), RecalcOption(rOnDelete) | RecalcOption(rOnModify) |
                                   RecalcOption(rOnInsert) | RecalcOption(rOnClear));
  EXPECT_EQ(s.FunctionType(), nullptr);
  EXPECT_EQ(s.Style(), 0);
  EXPECT_EQ(s.Identifier(), "");
  EXPECT_TRUE(s.CalcVisiblePoints());
  EXPECT_FALSE(s.DrawBetweenPoints());
  EXPECT_TRUE(s.AllPoints());
  EXPECT_FALSE(s.HasNoDepthValues());
  EXPECT_TRUE(s.YMandatory());
  EXPECT_EQ(s.NumSampleValues(), 26);
  EXPECT_EQ(s.Count(), 0);
}

TEST(ChartSeries, AddXYOnAnEmptySeries) {
  TChartSeries s(nullptr);
  EXPECT_EQ(s.AddXY(10, 20), 0);
  EXPECT_EQ(s.Count(), 1);
  EXPECT_EQ(s.ColorCount(), 1);
  EXPECT_EQ(s.LabelCount(), 1);
  EXPECT_EQ(s.XLabel(0), "");
  EXPECT_EQ(s.XValue(0), 10);
  EXPECT_EQ(s.YValue(0), 20);
}

TEST(ChartSeries, AddXYReturnsTheSortedPositionAndMovesEverythingAlong) {
  TChartSeries s(nullptr);
  EXPECT_EQ(s.AddXY(5, 50, "five", fw::clRed), 0);
  EXPECT_EQ(s.AddXY(1, 10, "one", fw::clGreen), 0);
  EXPECT_EQ(s.AddXY(3, 30, "three", fw::clBlue), 1);
  EXPECT_EQ(Values(*s.XValues()), (std::vector<double>{1, 3, 5}));
  EXPECT_EQ(Values(*s.YValues()), (std::vector<double>{10, 30, 50}));
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"one", "three", "five"}));
  EXPECT_EQ(Colors(s), (std::vector<TColor>{fw::clGreen, fw::clBlue, fw::clRed}));
  // Equal X: the later point goes after the earlier one.
  EXPECT_EQ(s.AddXY(3, 31, "again"), 2);
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"one", "three", "again", "five"}));
  // Add gives X = 0, 1, 2, ... in arrival order on a fresh series.
  TChartSeries t(nullptr);
  for (double y : {7.0, 8.0, 9.0}) t.Add(y);
  EXPECT_EQ(Values(*t.XValues()), (std::vector<double>{0, 1, 2}));
  EXPECT_EQ(Values(*t.YValues()), (std::vector<double>{7, 8, 9}));
}

TEST(ChartSeries, AVetoedAddChangesNothing) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(1, 1);
  int afterAdds = 0;
  s.OnAfterAdd = [&](TChartSeries*, int) { ++afterAdds; };
  s.OnBeforeAdd = [](TChartSeries* sender) { return sender->XValues()->TempValue() < 100; };
  const int repaints = chart.RepaintRequestCount();
  EXPECT_EQ(s.AddXY(500, 2), -1);
  EXPECT_EQ(s.Count(), 1);
  EXPECT_EQ(s.ColorCount(), 1);
  EXPECT_EQ(afterAdds, 0);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);
  EXPECT_EQ(s.AddXY(50, 2), 1);
  EXPECT_EQ(afterAdds, 1);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);
}

TEST(ChartSeries, ClearNotifiesAndRepaintsEvenWhenEmpty) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  int clears = 0;
  s.OnClearValues = [&](TChartSeries*) { ++clears; };
  int repaints = chart.RepaintRequestCount();
  s.Clear();
  EXPECT_EQ(clears, 1);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);
  for (int i = 0; i < 3; ++i) s.AddXY(i, i, "x", fw::clRed);
  s.Clear();
  EXPECT_EQ(s.Count(), 0);
  EXPECT_EQ(s.ColorCount(), 0);
  EXPECT_EQ(s.LabelCount(), 0);
  EXPECT_EQ(s.YValues()->Count(), 0);
  // Inactive: still clears and notifies, but asks for no repaint.
  s.SetActive(false);
  repaints = chart.RepaintRequestCount();
  s.Clear();
  EXPECT_EQ(clears, 3);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);
}

TEST(ChartSeries, RepaintRequestsWaitForTheCreatedFlag) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  chart.SetChartCreated(false);
  const int repaints = chart.RepaintRequestCount();
  s.AddXY(1, 1);
  s.SetSeriesColor(fw::clBlue);
  s.Clear();
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);
  chart.SetChartCreated(true);
  s.SetSeriesColor(fw::clBlue);  // unchanged: no request
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);
  s.SetSeriesColor(fw::clRed);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);
  // A series without a chart asks nobody.
  TChartSeries lone(nullptr);
  lone.AddXY(1, 1);
  lone.Clear();
}

TEST(ChartSeries, ValueColorUsesOwnColourPaletteOrSeriesColour) {
  TChartSeries s(nullptr);
  s.SetSeriesColor(fw::clLime);
  for (int i = 0; i < 17; ++i) s.AddXY(i, i);
  s.SetValueColor(1, fw::clPurple);
  EXPECT_EQ(s.ValueColor(0), fw::clLime);
  EXPECT_EQ(s.ValueColor(1), fw::clPurple);
  EXPECT_EQ(s.ValueColor(99), fw::clLime);  // beyond the colour list
  EXPECT_EQ(s.ValueColor(-1), fw::clLime);
  s.SetColorEachPoint(true);
  EXPECT_EQ(s.ValueColor(0), 0x0000FF);   // red
  EXPECT_EQ(s.ValueColor(15), 0x000000);  // black
  EXPECT_EQ(s.ValueColor(16), 0x0000FF);  // red again
  EXPECT_EQ(s.ValueColor(1), fw::clPurple);
  EXPECT_EQ(s.ValueColor(99), fw::clLime);
  struct Row {
    int index;
    TColor color;
  } palette[] = {{0, 0x0000FF},  {1, 0x008000},  {2, 0x00FFFF},  {3, 0xFF0000},  {4, 0xFFFFFF},
                 {5, 0x808080},  {6, 0xFF00FF},  {7, 0x808000},  {8, 0x800000},  {9, 0x000080},
                 {10, 0x00FF00}, {11, 0x008080}, {12, 0x800080}, {13, 0xC0C0C0}, {14, 0xFFFF00},
                 {15, 0x000000}, {16, 0x0000FF}, {33, 0x008000}};
  for (const auto& row : palette) EXPECT_EQ(GetDefaultColor(row.index), row.color) << row.index;
}

TEST(ChartSeries, ClearingColorEachPointResetsEveryPointColour) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  s.SetSeriesColor(fw::clNavy);
  s.AddXY(1, 1, "", fw::clRed);
  s.AddXY(2, 2, "", fw::clBlue);
  s.AddXY(3, 3, "", fw::clGreen);
  s.SetColorEachPoint(true);
  const int repaints = chart.RepaintRequestCount();
  s.SetColorEachPoint(false);
  EXPECT_EQ(Colors(s), (std::vector<TColor>{fw::clNavy, fw::clNavy, fw::clNavy}));
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1 + 3);  // the change, then one per point
}

TEST(ChartSeries, NullPointsCountInRangesButAreNull) {
  TChartSeries s(nullptr);
  s.AddXY(1, 5);
  EXPECT_EQ(s.AddNullXY(-4, 100, "gap"), 0);
  EXPECT_EQ(s.Count(), 2);
  EXPECT_TRUE(s.IsNull(0));
  EXPECT_FALSE(s.IsNull(1));
  EXPECT_EQ(s.MinXValue(), -4);
  EXPECT_EQ(s.MaxYValue(), 100);
  EXPECT_EQ(s.AddNull("n"), 2);  // Add: X = Count
  EXPECT_EQ(s.XValue(2), 2);
  EXPECT_TRUE(s.IsNull(2));
  EXPECT_EQ(s.MinZValue(), 0);
  s.SetZOrder(4);
  EXPECT_EQ(s.MaxZValue(), 4);
}

TEST(ChartSeries, DeleteRemovesThePointFromEveryList) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  for (int i = 0; i < 4; ++i) s.AddXY(i, i * 10, "l" + std::to_string(i), fw::clRed + i);
  s.Marks()->Positions().Ensure(3);
  const int repaints = chart.RepaintRequestCount();
  s.Delete(1);
  EXPECT_EQ(Values(*s.XValues()), (std::vector<double>{0, 2, 3}));
  EXPECT_EQ(Values(*s.YValues()), (std::vector<double>{0, 20, 30}));
  EXPECT_EQ(Labels(s), (std::vector<std::string>{"l0", "l2", "l3"}));
  EXPECT_EQ(Colors(s), (std::vector<TColor>{fw::clRed, fw::clRed + 2, fw::clRed + 3}));
  EXPECT_EQ(s.Marks()->Positions().Count(), 3);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);
  try {
    s.Delete(3);
    ADD_FAILURE();
  } catch (const fw::EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (3)");
  }
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ(s.ColorCount(), 3);
}

TEST(ChartSeries, JoiningAndLeavingACharts) {
  TTestChart a, b;
  TChartSeries s(nullptr), t(nullptr);
  s.SetParentChart(&a);
  EXPECT_EQ(a.SeriesList(), std::vector<TChartSeries*>{&s});
  EXPECT_EQ(s.GetHorizAxis(), &a.bottom);
  EXPECT_EQ(s.GetVertAxis(), &a.left);
  // The chart hands out free palette colours to automatic series.
  EXPECT_EQ(s.SeriesColor(), fw::clRed);
  a.AddSeries(&t);
  EXPECT_EQ(t.ParentChart(), &a);
  EXPECT_EQ(t.SeriesColor(), fw::clGreen);
  a.AddSeries(&t);  // already listed
  EXPECT_EQ(a.SeriesCount(), 2);
  s.SetParentChart(&b);
  EXPECT_EQ(a.SeriesList(), std::vector<TChartSeries*>{&t});
  EXPECT_EQ(b.SeriesList(), std::vector<TChartSeries*>{&s});
  EXPECT_EQ(s.GetHorizAxis(), &b.bottom);
  b.RemoveSeries(&s);
  EXPECT_EQ(s.ParentChart(), nullptr);
  EXPECT_EQ(s.GetHorizAxis(), nullptr);
  EXPECT_EQ(b.SeriesCount(), 0);
  // A destroyed series leaves its chart's list.
  {
    TChartSeries temp(nullptr);
    temp.SetParentChart(&b);
    EXPECT_EQ(b.SeriesCount(), 1);
  }
  EXPECT_EQ(b.SeriesCount(), 0);
  // A destroyed chart lets its series go.
  auto* c = new TTestChart;
  s.SetParentChart(c);
  delete c;
  EXPECT_EQ(s.ParentChart(), nullptr);
}

TEST(ChartSeries, SeventeenthAutomaticSeriesGetsRed) {
  TTestChart chart;
  std::vector<std::unique_ptr<TChartSeries>> series;
  for (int i = 0; i < 17; ++i) {
    series.push_back(std::make_unique<TChartSeries>(nullptr));
    series.back()->SetParentChart(&chart);
    if (i < 16) {
      EXPECT_EQ(series.back()->SeriesColor(), GetDefaultColor(i));
    }
  }
  EXPECT_EQ(series.back()->SeriesColor(), fw::clRed);
  // A series with its own colour keeps it.
  TChartSeries own(nullptr);
  own.SetSeriesColor(fw::clSilver + 1);
  own.SetParentChart(&chart);
  EXPECT_EQ(own.SeriesColor(), fw::clSilver + 1);
}

TEST(ChartSeries, AxisSelectionAndUsesAxis) {
  TTestChart chart;
  teetest::TLinearAxis customH(true, 0, 1, 0, 1), customV(false, 0, 1, 0, 1);
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  struct Row {
    THorizAxis h;
    TVertAxis v;
    tee::TSeriesAxis* hAxis;
    tee::TSeriesAxis* vAxis;
  } rows[] = {
      {aBottomAxis, aLeftAxis, &chart.bottom, &chart.left},
      {aTopAxis, aRightAxis, &chart.top, &chart.right},
      {aBothHorizAxis, aBothVertAxis, &chart.bottom, &chart.left},
      {aCustomHorizAxis, aCustomVertAxis, &chart.bottom, &chart.left},  // no custom axis set
  };
  for (const auto& row : rows) {
    s.SetHorizAxis(row.h);
    s.SetVertAxis(row.v);
    EXPECT_EQ(s.GetHorizAxis(), row.hAxis);
    EXPECT_EQ(s.GetVertAxis(), row.vAxis);
  }
  s.SetCustomHorizAxis(&customH);
  s.SetCustomVertAxis(&customV);
  EXPECT_EQ(s.GetHorizAxis(), &customH);
  EXPECT_EQ(s.GetVertAxis(), &customV);
  EXPECT_TRUE(s.UsesAxis(&customH));
  EXPECT_FALSE(s.UsesAxis(&chart.bottom));
  s.SetHorizAxis(aBothHorizAxis);
  EXPECT_TRUE(s.UsesAxis(&chart.bottom));
  EXPECT_TRUE(s.UsesAxis(&chart.top));
  EXPECT_FALSE(s.UsesAxis(&chart.left));

  struct NoAxes : TChartSeries {
    using TChartSeries::TChartSeries;
    bool UseAxis() const override { return false; }
  } pie(nullptr);
  pie.SetParentChart(&chart);
  EXPECT_FALSE(pie.UsesAxis(&chart.bottom));
}

TEST(ChartSeries, DepthOrder) {
  TTestChart chart;
  TChartSeries a(nullptr), b(nullptr), c(nullptr);
  for (auto* s : {&a, &b, &c}) s->SetParentChart(&chart);
  // 2D: every automatic series lies at 0, so with DepthPerSeries they share their depth.
  chart.SetHighestZOrder(-1);
  for (auto* s : {&a, &b, &c}) s->CalcZOrder();
  EXPECT_EQ(a.ZOrderValue(), 0);
  EXPECT_EQ(chart.HighestZOrder(), -1);
  EXPECT_TRUE(a.SharesZOrder());
  chart.SetDepthPerSeries(false);
  EXPECT_FALSE(a.SharesZOrder());
  chart.SetDepthPerSeries(true);
  // 3D: each automatic series takes the next slot; a fixed one raises the highest.
  chart.SetView3D(true);
  chart.SetHighestZOrder(-1);
  c.SetZOrder(7);
  for (auto* s : {&a, &b, &c}) s->CalcZOrder();
  EXPECT_EQ(a.ZOrderValue(), 0);
  EXPECT_EQ(b.ZOrderValue(), 1);
  EXPECT_EQ(c.ZOrderValue(), 7);
  EXPECT_EQ(chart.HighestZOrder(), 7);
  EXPECT_FALSE(a.SharesZOrder());
  b.SetZOrder(0);
  EXPECT_TRUE(a.SharesZOrder());
  b.SetHasNoDepthValues(true);
  EXPECT_FALSE(a.SharesZOrder());
  b.SetHasNoDepthValues(false);
  b.SetActive(false);
  EXPECT_FALSE(a.SharesZOrder());
  // SetChart3D switches the chart and its point clipping together.
  a.SetChart3D(false);
  EXPECT_FALSE(chart.View3D());
  EXPECT_TRUE(chart.ClipPoints());
  a.SetChart3D(true);
  EXPECT_FALSE(chart.ClipPoints());
}

namespace {

// Two series types beside each other: neither derives from the other.
class TBarish : public TChartSeries {
  FW_CLASS
 public:
  using TChartSeries::TChartSeries;
};

class TLineish : public TChartSeries {
  FW_CLASS
 public:
  using TChartSeries::TChartSeries;
};

}  // namespace

const fw::TClassInfo& TBarish::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TBarish>("TBarishTestSeries", TChartSeries::StaticClass()).Build();
  return info;
}

const fw::TClassInfo& TLineish::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TLineish>("TLineishTestSeries", TChartSeries::StaticClass()).Build();
  return info;
}

TEST(ChartSeries, PointOriginSumsPositiveValuesOfRelatedSeriesBefore) {
  TTestChart chart;
  TBarish a(nullptr), inactive(nullptr), c(nullptr);
  TChartSeries base(nullptr);  // an ancestor class of TBarish: related
  TLineish line(nullptr);      // unrelated
  for (TChartSeries* s : std::initializer_list<TChartSeries*>{&a, &base, &line, &inactive, &c})
    s->SetParentChart(&chart);
  inactive.SetActive(false);
  a.AddXY(0, 2);
  a.AddXY(1, -5);
  base.AddXY(0, 3);
  line.AddXY(0, 50);
  inactive.AddXY(0, 100);
  c.AddXY(0, 4);
  c.AddXY(1, 4);
  EXPECT_EQ(c.PointOrigin(0, false), 5);  // 2 + 3
  EXPECT_EQ(c.PointOrigin(1, false), 0);  // a's -5 does not count; base has no point 1
  EXPECT_EQ(c.PointOrigin(0, true), 9);   // and c itself
  EXPECT_EQ(a.PointOrigin(0, false), 0);
  EXPECT_EQ(line.PointOrigin(0, false), 3);  // base only
  TChartSeries lone(nullptr);
  EXPECT_EQ(lone.PointOrigin(0, true), 0);
}

TEST(ChartSeries, DoSeriesClickSetsClickHandled) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  std::vector<std::string> calls;
  chart.SetClickHandled(true);
  EXPECT_FALSE(s.DoSeriesClick(0, fw::mbLeft, {}, 1, 2));  // no handler: not handled
  EXPECT_FALSE(chart.ClickHandled());
  s.OnClick = [&](TChartSeries*, int i, fw::TMouseButton, fw::TShiftState, int x, int y) {
    calls.push_back("click " + std::to_string(i) + " " + std::to_string(x) + "," +
                    std::to_string(y));
  };
  EXPECT_TRUE(s.DoSeriesClick(3, fw::mbLeft, {}, 5, 6));
  EXPECT_TRUE(chart.ClickHandled());
  // A double click without its own handler goes to OnClick.
  EXPECT_TRUE(s.DoSeriesClick(4, fw::mbLeft, {fw::ssDouble}, 0, 0));
  s.OnDblClick = [&](TChartSeries* sender, int, fw::TMouseButton, fw::TShiftState, int, int) {
    calls.push_back("double");
    sender->ParentChart()->SetClickHandled(false);  // lets the chart's own action go on
  };
  EXPECT_FALSE(s.DoSeriesClick(4, fw::mbLeft, {fw::ssDouble}, 0, 0));
  EXPECT_EQ(calls, (std::vector<std::string>{"click 3 5,6", "click 4 0,0", "double"}));
}

TEST(ChartSeries, LegendTextsAndPercentages) {
  TChartSeries s(nullptr);
  s.AddXY(1, 1234.5, "alpha");
  s.AddXY(2, -1234.5, "");
  s.AddXY(3, 0, "gamma");
  EXPECT_EQ(s.LegendString(0, ltsPlain), "alpha");
  EXPECT_EQ(s.LegendString(0, ltsLeftValue), "1,234.5 alpha");
  EXPECT_EQ(s.LegendString(0, ltsRightValue), "alpha 1,234.5");
  EXPECT_EQ(s.LegendString(1, ltsLeftValue), "-1,234.5");
  EXPECT_EQ(s.LegendString(0, ltsRightPercent), "alpha 50 %");
  EXPECT_EQ(s.LegendString(2, ltsLeftPercent), "0 % gamma");
  EXPECT_EQ(s.LegendString(2, ltsXValue), "3");
  EXPECT_EQ(s.LegendItemColor(0), s.ValueColor(0));
  TChartSeries zeros(nullptr);
  zeros.AddXY(0, 0, "z");
  EXPECT_EQ(zeros.LegendString(0, ltsRightPercent), "z 100 %");  // a zero total counts as 100 %
}

TEST(ChartSeries, FillSampleValues) {
  TTestChart chart;
  TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  s.AddXY(1, 1);
  try {
    s.FillSampleValues(0);
    ADD_FAILURE();
  } catch (const ChartException& e) {
    EXPECT_STREQ(e.what(), "FillSampleValues NumValues must be > 0");
  }
  EXPECT_EQ(s.Count(), 1);
  int adds = 0;
  s.OnAfterAdd = [&](TChartSeries*, int) { ++adds; };
  const int repaints = chart.RepaintRequestCount();
  s.FillSampleValues(5);
  EXPECT_EQ(adds, 5);
  EXPECT_EQ(Values(*s.XValues()), (std::vector<double>{0, 1, 2, 3, 4}));
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);  // the Clear only
  EXPECT_TRUE(chart.ChartCreated());
  for (int i = 0; i < 5; ++i) {
    EXPECT_GE(s.YValue(i), 0);
    EXPECT_EQ(s.ValueColor(i), s.SeriesColor());
  }
}

TEST(ChartSeries, ValueListByNameLooksOnlyAtFurtherLists) {
  TChartSeries s(nullptr);
  TChartValueList open(&s, "Open"), close(&s, "Close");
  EXPECT_EQ(s.ValuesList().size(), 4u);
  EXPECT_EQ(s.ValueListByName("close"), &close);
  EXPECT_EQ(s.ValueListByName("OPEN"), &open);
  EXPECT_EQ(s.ValueListByName("X"), s.YValues());
  EXPECT_EQ(s.ValueListByName("nothing"), s.YValues());
  // AddXY leaves further lists alone; InsertExtraValues fills them from their pending values.
  open.SetTempValue(11);
  close.SetTempValue(12);
  const int i = s.AddXY(1, 2);
  EXPECT_EQ(open.Count(), 0);
  s.InsertExtraValues(i);
  EXPECT_EQ(open.Value(0), 11);
  EXPECT_EQ(close.Value(0), 12);
  s.ClearPendingValue(&open);
  EXPECT_EQ(open.TempValue(), 0);
}

// Value lists: ordered add, insert and delete, statistics, multiplier, sort, assign and the
// notifications to the owner series.
#include <gtest/gtest.h>

#include <random>

#include "SeriesFixtures.h"
#include "framework/core/Exceptions.h"

using namespace tee;
using teetest::TTestChart;
using teetest::Values;

namespace {

// A bare list of the given order holding the given values (appended in arrival order).
struct ListFixture {
  explicit ListFixture(TChartListOrder order, std::vector<double> values = {})
      : series(nullptr), list(&series, "Z") {
    for (double v : values) list.InsertValue(list.Count(), v);
    list.SetOrder(order);
  }
  TChartSeries series;
  TChartValueList list;
};

// The placement rule written out as the backward scan, to compare the list against.
int ReferenceAdd(std::vector<double>& v, TChartListOrder order, double x) {
  const int n = static_cast<int>(v.size());
  auto after = [&](double stored) { return order == loAscending ? stored > x : stored < x; };
  int t = n - 1;
  if (order == loNone || n == 0 || !after(v.back())) {
    v.push_back(x);
    return n;
  }
  while (t >= 0 && after(v[static_cast<std::size_t>(t)])) --t;
  v.insert(v.begin() + t + 1, x);
  return t + 1;
}

}  // namespace

TEST(ChartValueList, OrderedAddIndexes) {
  struct Row {
    TChartListOrder order;
    std::vector<double> held;
    double added;
    int index;
  } rows[] = {
      {loNone, {}, 7, 0},
      {loAscending, {}, 7, 0},
      {loDescending, {}, 7, 0},
      {loAscending, {1, 2, 2, 3}, 2, 3},
      {loAscending, {1, 2, 2, 3}, 0, 0},
      {loAscending, {1, 2, 2, 3}, 5, 4},
      {loAscending, {1, 2, 2, 3}, 3, 4},
      {loDescending, {3, 2, 2, 1}, 2, 3},
      {loDescending, {3, 2, 2, 1}, 4, 0},
      {loDescending, {3, 2, 2, 1}, 0, 4},
      {loNone, {5, 1, 3}, -10, 3},
      // Values held before the order was set: the backward scan stops at the first value not after.
      {loAscending, {5, 1, 3}, 2, 2},
      {loAscending, {5, 1, 3}, 0, 0},
      {loAscending, {0, 9, 9, 0, 9}, 5, 4},
      {loDescending, {1, 5, 3}, 4, 2},
  };
  for (const auto& row : rows) {
    ListFixture f(row.order, row.held);
    EXPECT_EQ(f.list.AddValue(row.added), row.index)
        << "order " << int(row.order) << " adding " << row.added;
    EXPECT_EQ(f.list.Count(), static_cast<int>(row.held.size()) + 1);
    EXPECT_EQ(f.list.Value(row.index), row.added);
  }
}

TEST(ChartValueList, OrderedAddMatchesTheBackwardScanThroughEveryChange) {
  // Random adds with many duplicates, interleaved with writes, inserts and deletes that break and
  // restore the order; thousands of values so that the storage spans several blocks.
  std::mt19937 random(1234);
  for (TChartListOrder order : {loAscending, loDescending}) {
    ListFixture f(order);
    std::vector<double> model;
    for (int step = 0; step < 6000; ++step) {
      const double v = static_cast<double>(random() % 200);
      const unsigned op = random() % 100;
      if (op < 85 || model.empty()) {
        ASSERT_EQ(f.list.AddValue(v), ReferenceAdd(model, order, v)) << "step " << step;
      } else if (op < 90) {
        const int i = static_cast<int>(random() % model.size());
        f.list.SetValue(i, v);
        model[static_cast<std::size_t>(i)] = v;
      } else if (op < 95) {
        const int i = static_cast<int>(random() % (model.size() + 1));
        f.list.InsertValue(i, v);
        model.insert(model.begin() + i, v);
      } else {
        const int i = static_cast<int>(random() % model.size());
        f.list.Delete(i);
        model.erase(model.begin() + i);
      }
    }
    EXPECT_EQ(Values(f.list), model);
  }
}

TEST(ChartValueList, SettingOrderDoesNotResortUntilSort) {
  TChartSeries series(nullptr);
  for (double x : {5.0, 1.0, 3.0})
    series.AddXY(x, x * 10, "p" + std::to_string(int(x)), fw::clRed + int(x));
  series.XValues()->SetOrder(loNone);
  series.AddXY(2, 20, "p2", fw::clRed + 2);
  series.XValues()->SetOrder(loDescending);
  EXPECT_EQ(Values(*series.XValues()), (std::vector<double>{1, 3, 5, 2}));
  series.XValues()->Sort();
  EXPECT_EQ(Values(*series.XValues()), (std::vector<double>{5, 3, 2, 1}));
  // The exchanges go through the series: Y values, colours and labels moved along.
  EXPECT_EQ(Values(*series.YValues()), (std::vector<double>{50, 30, 20, 10}));
  EXPECT_EQ(teetest::Labels(series), (std::vector<std::string>{"p5", "p3", "p2", "p1"}));
  EXPECT_EQ(teetest::Colors(series),
            (std::vector<TColor>{fw::clRed + 5, fw::clRed + 3, fw::clRed + 2, fw::clRed + 1}));
  series.YValues()->Sort();  // loNone: nothing happens
  EXPECT_EQ(Values(*series.YValues()), (std::vector<double>{50, 30, 20, 10}));
}

TEST(ChartValueList, SortOrdersRandomValuesWithDuplicates) {
  std::mt19937 random(99);
  for (TChartListOrder order : {loAscending, loDescending}) {
    TChartSeries series(nullptr);
    series.XValues()->SetOrder(loNone);
    for (int i = 0; i < 500; ++i) {
      const double x = static_cast<double>(random() % 50);
      series.AddXY(x, -x, std::to_string(int(x)));
    }
    series.XValues()->SetOrder(order);
    series.XValues()->Sort();
    auto v = Values(*series.XValues());
    EXPECT_TRUE(order == loAscending ? std::is_sorted(v.begin(), v.end())
                                     : std::is_sorted(v.rbegin(), v.rend()));
    for (int i = 0; i < series.Count(); ++i) {
      ASSERT_EQ(series.YValue(i), -series.XValue(i));
      ASSERT_EQ(series.XLabel(i), std::to_string(int(series.XValue(i))));
    }
    // Sorted now: further adds land in place.
    const int at = series.AddXY(25, -25);
    EXPECT_EQ(series.XValue(at), 25);
    if (at + 1 < series.Count()) {
      EXPECT_NE(series.XValue(at + 1), 25);
    }
  }
}

TEST(ChartValueList, StatisticsAreCachedAndFollowEveryChange) {
  ListFixture f(loNone);
  EXPECT_EQ(f.list.MinValue(), 0);
  EXPECT_EQ(f.list.MaxValue(), 0);
  EXPECT_EQ(f.list.Total(), 0);
  EXPECT_EQ(f.list.TotalAbs(), 0);
  f.list.AddValue(-2);
  f.list.AddValue(3);
  EXPECT_EQ(f.list.MinValue(), -2);
  EXPECT_EQ(f.list.MaxValue(), 3);
  EXPECT_EQ(f.list.Total(), 1);
  EXPECT_EQ(f.list.TotalAbs(), 5);
  f.list.InsertValue(0, 10);
  EXPECT_EQ(f.list.MaxValue(), 10);
  f.list.SetValue(0, -7);
  EXPECT_EQ(f.list.MinValue(), -7);
  EXPECT_EQ(f.list.MaxValue(), 3);
  f.list.Delete(0);
  EXPECT_EQ(f.list.MinValue(), -2);
  f.list.Clear();
  EXPECT_EQ(f.list.TotalAbs(), 0);
  // A single value is both ends.
  f.list.AddValue(4);
  EXPECT_EQ(f.list.MinValue(), 4);
  EXPECT_EQ(f.list.MaxValue(), 4);
}

TEST(ChartValueList, MultiplierAppliesOnReadOnly) {
  TTestChart chart;
  TChartSeries series(nullptr);
  series.SetParentChart(&chart);
  series.AddXY(1, 3);
  TChartValueList& y = *series.YValues();
  y.SetMultiplier(2);
  EXPECT_EQ(y.Value(0), 6);
  EXPECT_EQ(y.MaxValue(), 6);
  EXPECT_EQ(series.MaxYValue(), 6);
  y.SetValue(0, 6);
  EXPECT_EQ(y.StoredValue(0), 6);
  EXPECT_EQ(y.Value(0), 12);
  EXPECT_EQ(y.IndexOfValue(12), 0);
  EXPECT_EQ(y.IndexOfValue(6), -1);
  EXPECT_EQ(y.LastValue(), 12);
}

TEST(ChartValueList, NotificationsReachLinkedSeriesAndTheChart) {
  TTestChart chart;
  TChartSeries source(nullptr), linked(nullptr);
  source.SetParentChart(&chart);
  linked.SetParentChart(&chart);
  for (double x : {1.0, 2.0, 3.0}) source.AddXY(x, x);
  linked.SetDataSource(&source);
  int refreshes = 0;
  linked.OnClearValues = [&](TChartSeries*) { ++refreshes; };  // each AssignValues clears first

  int repaints = chart.RepaintRequestCount();
  source.YValues()->SetMultiplier(1);  // unchanged: nothing at all
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);

  source.YValues()->SetMultiplier(10);
  EXPECT_EQ(refreshes, 1);
  EXPECT_GT(chart.RepaintRequestCount(), repaints);
  EXPECT_EQ(Values(*linked.YValues()), (std::vector<double>{10, 20, 30}));

  refreshes = 0;
  source.XValues()->FillWithIndexes();  // one modify per index, followed under rOnModify
  EXPECT_EQ(refreshes, 3);
  EXPECT_EQ(Values(*linked.XValues()), (std::vector<double>{0, 1, 2}));

  refreshes = 0;
  linked.SetRecalcOptions(RecalcOption(rOnClear));
  source.YValues()->SetValue(0, 5);
  EXPECT_EQ(refreshes, 0);

  repaints = chart.RepaintRequestCount();
  source.XValues()->SetDateTime(true);
  source.XValues()->SetDateTime(true);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 1);
}

TEST(ChartValueList, AssignCopiesSettingsButNotNameOrValues) {
  TChartSeries a(nullptr), b(nullptr);
  a.AddXY(1, 1);
  b.AddXY(7, 7);
  b.AddXY(8, 8);
  TChartValueList& source = *b.XValues();
  source.SetName("Other");
  source.SetOrder(loDescending);
  source.SetDateTime(true);
  source.SetMultiplier(3);
  source.SetValueSource("Field1");
  a.XValues()->Assign(&source);
  EXPECT_EQ(a.XValues()->Name(), "X");
  EXPECT_EQ(a.XValues()->Count(), 1);
  EXPECT_EQ(a.XValues()->StoredValue(0), 1);
  EXPECT_EQ(a.XValues()->Order(), loDescending);
  EXPECT_TRUE(a.XValues()->DateTime());
  EXPECT_EQ(a.XValues()->Multiplier(), 3);
  EXPECT_EQ(a.XValues()->ValueSource(), "Field1");
  try {
    a.XValues()->Assign(a.Marks());
    ADD_FAILURE();
  } catch (const fw::EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TSeriesMarks to a TChartValueList");
  }
}

TEST(ChartValueList, RotateFirstToEnd) {
  ListFixture f(loNone, {1, 2, 3});
  f.list.RotateFirstToEnd();
  EXPECT_EQ(Values(f.list), (std::vector<double>{2, 3, 1}));
  ListFixture empty(loAscending);
  empty.list.RotateFirstToEnd();
  EXPECT_EQ(empty.list.Count(), 0);
  // Rotated out of order: an ordered add falls back to the scan and still finds the spot.
  ListFixture ordered(loAscending, {1, 2, 3});
  ordered.list.RotateFirstToEnd();
  EXPECT_EQ(ordered.list.AddValue(2.5), 3);  // not before the last value 1: appended
}

TEST(ChartValueList, IndexOfValueFindsTheLowestIndex) {
  ListFixture f(loNone, {4, 7, 4, 7});
  EXPECT_EQ(f.list.IndexOfValue(7), 1);
  EXPECT_EQ(f.list.IndexOfValue(4), 0);
  EXPECT_EQ(f.list.IndexOfValue(5), -1);
}

TEST(ChartValueList, IndexesOutsideTheListAreRefusedAndChangeNothing) {
  ListFixture f(loNone, {1, 2});
  struct Row {
    std::function<void()> call;
    const char* message;
  } rows[] = {
      {[&] { f.list.Value(-1); }, "List index out of bounds (-1)"},
      {[&] { f.list.Value(2); }, "List index out of bounds (2)"},
      {[&] { f.list.SetValue(2, 0); }, "List index out of bounds (2)"},
      {[&] { f.list.Delete(2); }, "List index out of bounds (2)"},
      {[&] { f.list.InsertValue(3, 0); }, "List index out of bounds (3)"},
      {[&] { f.list.InsertValue(-1, 0); }, "List index out of bounds (-1)"},
  };
  for (const auto& row : rows) {
    try {
      row.call();
      ADD_FAILURE() << row.message;
    } catch (const fw::EListError& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
  EXPECT_EQ(Values(f.list), (std::vector<double>{1, 2}));
  ListFixture empty(loNone);
  EXPECT_THROW(empty.list.LastValue(), fw::EListError);
  f.list.InsertValue(2, 3);  // at Count: appends
  EXPECT_EQ(Values(f.list), (std::vector<double>{1, 2, 3}));
}

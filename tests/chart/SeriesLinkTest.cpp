// Series that take their points from another series: following add, delete, clear, refresh and
// modify; the data-source errors; and what happens when either side goes away.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Properties.h"

using namespace tee;
using teetest::Colors;
using teetest::Labels;
using teetest::TTestChart;
using teetest::Values;

namespace {

struct Linked {
  Linked() : form(nullptr), source(new TChartSeries(&form)), copy(new TChartSeries(&form)) {
    source->SetName("Source");
    copy->SetName("Copy");
    source->SetParentChart(&chart);
    copy->SetParentChart(&chart);
  }
  ~Linked() {
    // Series before the chart they are listed in.
    delete copy;
    delete source;
  }
  TTestChart chart;
  fw::TComponent form;
  TChartSeries* source;
  TChartSeries* copy;
};

}  // namespace

TEST(SeriesLink, SettingTheDataSourceCopiesThePoints) {
  Linked l;
  l.source->AddXY(2, 20, "b", fw::clBlue);
  l.source->AddXY(1, 10, "a", fw::clRed);
  l.copy->AddXY(99, 99);
  l.copy->SetDataSource(l.source);
  EXPECT_EQ(l.copy->DataSource(), l.source);
  EXPECT_EQ(l.source->LinkedSeries(), std::vector<TChartSeries*>{l.copy});
  EXPECT_EQ(Values(*l.copy->XValues()), (std::vector<double>{1, 2}));
  EXPECT_EQ(Labels(*l.copy), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(Colors(*l.copy), (std::vector<TColor>{fw::clRed, fw::clBlue}));
  l.copy->SetDataSource(l.source);  // already the source: nothing more
  EXPECT_EQ(l.source->LinkedSeries().size(), 1u);
}

TEST(SeriesLink, LinkedSeriesFollowAddDeleteClearAndRefresh) {
  Linked l;
  l.copy->SetDataSource(l.source);
  l.copy->XValues()->SetOrder(loDescending);
  for (double x : {1.0, 3.0, 2.0}) l.source->AddXY(x, x * 10, "p" + std::to_string(int(x)));
  // Each copied point goes where the copy's own X order puts it.
  EXPECT_EQ(Values(*l.copy->XValues()), (std::vector<double>{3, 2, 1}));
  EXPECT_EQ(Labels(*l.copy), (std::vector<std::string>{"p3", "p2", "p1"}));
  l.source->Delete(0);  // the source's point 0 is X = 1; the copy deletes its own index 0
  EXPECT_EQ(Values(*l.copy->XValues()), (std::vector<double>{2, 1}));
  l.source->YValues()->SetMultiplier(2);  // refresh: a full copy
  EXPECT_EQ(Values(*l.copy->XValues()), (std::vector<double>{3, 2}));
  EXPECT_EQ(Values(*l.copy->YValues()), (std::vector<double>{60, 40}));
  l.source->Clear();
  EXPECT_EQ(l.copy->Count(), 0);
}

TEST(SeriesLink, RecalcOptionsChooseWhatIsFollowed) {
  Linked l;
  l.copy->SetDataSource(l.source);
  l.copy->SetRecalcOptions(0);
  l.source->AddXY(1, 1);
  l.source->AddXY(2, 2);
  EXPECT_EQ(l.copy->Count(), 0);
  l.source->YValues()->SetValue(0, 5);  // modify needs rOnModify
  EXPECT_EQ(l.copy->Count(), 0);
  l.source->YValues()->SetMultiplier(3);  // refresh is always followed
  EXPECT_EQ(l.copy->Count(), 2);
  l.source->Delete(0);
  l.source->Clear();
  EXPECT_EQ(l.copy->Count(), 2);
  l.copy->SetRecalcOptions(RecalcOption(rOnModify));
  l.source->AddXY(7, 7);
  l.source->YValues()->SetValue(0, 8);
  EXPECT_EQ(Values(*l.copy->YValues()), (std::vector<double>{24}));
}

TEST(SeriesLink, ASeriesWithAFunctionIsComputedInstead) {
  struct TSumFunction : TTeeFunction {
    using TTeeFunction::TTeeFunction;
    void AddPoints(TChartSeries* source) override {
      ++calls;
      ParentSeries()->AddXY(0, source->YValues()->Total());
    }
    int calls = 0;
  };
  Linked l;
  auto function = std::make_unique<TSumFunction>(nullptr);
  TSumFunction* sum = function.get();
  l.copy->SetFunction(std::move(function));
  EXPECT_EQ(sum->ParentSeries(), l.copy);
  l.copy->SetDataSource(l.source);
  l.source->XValues()->SetDateTime(true);
  l.source->AddXY(1, 2);  // an add is not copied into a computed series
  l.source->AddXY(2, 3);
  EXPECT_EQ(l.copy->Count(), 1);
  l.source->YValues()->SetMultiplier(10);
  EXPECT_EQ(Values(*l.copy->YValues()), (std::vector<double>{50}));
  EXPECT_TRUE(l.copy->XValues()->DateTime());
}

TEST(SeriesLink, DataSourceErrors) {
  Linked l;
  TChartSeries lone(nullptr);
  lone.SetName("Lone");
  struct Row {
    TChartSeries* series;
    fw::TComponent* source;
    const char* message;
  } rows[] = {
      {l.copy, l.copy, "No valid DataSource: Copy"},
      {l.copy, &l.form, "No valid DataSource: "},
      {&lone, l.source, "No ParentChart to validate DataSource"},
  };
  for (const auto& row : rows) {
    try {
      row.series->SetDataSource(row.source);
      ADD_FAILURE() << row.message;
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), row.message);
    }
  }
  struct TPicky : TChartSeries {
    using TChartSeries::TChartSeries;
    bool IsValidSource(TChartSeries*) const override { return false; }
  } picky(nullptr);
  picky.SetName("Picky");
  picky.SetParentChart(&l.chart);
  EXPECT_THROW(picky.SetDataSource(l.source), ChartException);
  EXPECT_EQ(picky.DataSource(), nullptr);
}

TEST(SeriesLink, CircularDependencesAreRefusedOnAnyPath) {
  Linked l;
  TChartSeries third(&l.form);
  third.SetName("Third");
  third.SetParentChart(&l.chart);
  l.copy->SetDataSource(l.source);  // copy <- source
  third.SetDataSource(l.copy);      // third <- copy <- source
  l.source->AddXY(1, 1);
  for (TChartSeries* s : {l.copy, &third}) {
    try {
      l.source->SetDataSource(s);
      ADD_FAILURE();
    } catch (const ChartException& e) {
      EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
  }
  EXPECT_EQ(l.source->DataSource(), nullptr);
  EXPECT_EQ(l.source->Count(), 1);
  // A dependence through a second data source is caught too, not only through the first.
  TChartSeries other(&l.form);
  other.SetParentChart(&l.chart);
  fw::SetPropValue(third, "DataSources", fw::TValue(fw::TStringList{"Source", "Copy"}));
  third.Loaded();
  ASSERT_EQ(third.DataSources().size(), 2u);
  EXPECT_THROW(l.copy->SetDataSource(&third), ChartException);
  l.form.RemoveComponent(&third);
  l.form.RemoveComponent(&other);
}

TEST(SeriesLink, ClearingTheDataSourceUnlinks) {
  Linked l;
  l.copy->SetDataSource(l.source);
  l.source->AddXY(1, 1);
  l.copy->SetDataSource(nullptr);
  EXPECT_EQ(l.copy->DataSource(), nullptr);
  EXPECT_TRUE(l.source->LinkedSeries().empty());
  EXPECT_EQ(l.copy->Count(), 0);
  l.source->AddXY(2, 2);
  EXPECT_EQ(l.copy->Count(), 0);
}

TEST(SeriesLink, EitherSideGoingAway) {
  TTestChart chart;
  fw::TComponent form(nullptr);
  auto* source = new TChartSeries(&form);
  auto* copy = new TChartSeries(&form);
  source->SetParentChart(&chart);
  copy->SetParentChart(&chart);
  copy->SetDataSource(source);
  source->AddXY(1, 1);
  int cleared = 0;
  copy->OnClearValues = [&](TChartSeries*) { ++cleared; };
  delete source;  // the copy hears the clear and loses its source
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(copy->Count(), 0);
  EXPECT_EQ(copy->DataSource(), nullptr);
  EXPECT_EQ(chart.SeriesList(), std::vector<TChartSeries*>{copy});

  source = new TChartSeries(&form);
  source->SetParentChart(&chart);
  copy->SetDataSource(source);
  delete copy;  // the source no longer lists it
  EXPECT_TRUE(source->LinkedSeries().empty());
  source->AddXY(2, 2);
  // Leaving the chart also leaves the sources' linked lists.
  auto* again = new TChartSeries(&form);
  again->SetParentChart(&chart);
  again->SetDataSource(source);
  chart.RemoveSeries(again);
  EXPECT_TRUE(source->LinkedSeries().empty());
  EXPECT_EQ(again->DataSource(), source);
}

TEST(SeriesLink, DataSourceNamesAreResolvedWhenLoaded) {
  Linked l;
  auto* loaded = new TChartSeries(&l.form);
  loaded->BeginLoading();
  loaded->SetParentChart(&l.chart);
  l.source->AddXY(1, 11);
  fw::SetPropValue(*loaded, "DataSources", fw::TValue(fw::TStringList{"Source", "Nobody"}));
  EXPECT_EQ(loaded->DataSource(), nullptr);  // waits for Loaded
  loaded->Loaded();
  EXPECT_EQ(loaded->DataSources(), std::vector<fw::TComponent*>{l.source});
  EXPECT_EQ(Values(*loaded->YValues()), (std::vector<double>{11}));
  l.source->AddXY(2, 22);
  EXPECT_EQ(loaded->Count(), 2);
  // While loading, DataSource by name links without copying; Loaded copies.
  auto* byName = new TChartSeries(&l.form);
  byName->BeginLoading();
  byName->SetParentChart(&l.chart);
  fw::SetPropText(*byName, "DataSource", "Source");
  EXPECT_EQ(byName->Count(), 0);
  byName->Loaded();
  EXPECT_EQ(byName->Count(), 2);
  delete byName;
  delete loaded;
}

TEST(SeriesLink, CopiedPointsKeepColoursAndLabelsAligned) {
  Linked l;
  // The copy has own colours and labels; the source's new point has none of its own.
  l.copy->AddXY(1, 1, "one", fw::clRed);
  l.copy->AddXY(3, 3, "three", fw::clBlue);
  TChartSeries noEntries(nullptr);
  TChartValueList extra(&noEntries, "Extra");
  noEntries.XValues()->InsertValue(0, 2);
  noEntries.YValues()->InsertValue(0, 2);
  extra.InsertValue(0, 9);
  ASSERT_EQ(noEntries.ColorCount(), 0);
  l.copy->AddPointFrom(&noEntries, 0);  // lands at index 1, between the copy's two points
  EXPECT_EQ(Values(*l.copy->XValues()), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Colors(*l.copy), (std::vector<TColor>{fw::clRed, l.copy->SeriesColor(), fw::clBlue}));
  EXPECT_EQ(Labels(*l.copy), (std::vector<std::string>{"one", "", "three"}));
}

TEST(SeriesLink, CopyingBetweenSeriesOfOtherMandatoryListsSwapsXAndY) {
  Linked l;
  teetest::TXMandatorySeries horizontal(nullptr);
  horizontal.XValues()->SetOrder(loNone);
  l.source->AddXY(1, 10);
  EXPECT_EQ(horizontal.CopyPointValues(l.source, 0), 0);
  EXPECT_EQ(horizontal.XValue(0), 10);
  EXPECT_EQ(horizontal.YValue(0), 1);
}

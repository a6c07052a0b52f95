// The series' and value lists' published properties: order, defaults and stored rules, paths,
// references, events and the custom stored values.
#include <gtest/gtest.h>

#include "SeriesFixtures.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Properties.h"

using namespace tee;
using teetest::TTestChart;

namespace {

std::vector<std::string> Names(const fw::TClassInfo& cls, bool custom) {
  std::vector<std::string> names;
  for (const auto* p : cls.Properties())
    if (p->Custom == custom) names.push_back(p->Name);
  return names;
}

}  // namespace

TEST(SeriesProperties, PublishedInOrder) {
  EXPECT_EQ(Names(TChartSeries::StaticClass(), false), (std::vector<std::string>{"Name",
                                                                                 "Tag",
                                                                                 "Active",
                                                                                 "ColorEachPoint",
                                                                                 "ColorSource",
                                                                                 "Cursor",
                                                                                 "HorizAxis",
                                                                                 "Marks",
                                                                                 "ParentChart",
                                                                                 "DataSource",
                                                                                 "PercentFormat",
                                                                                 "SeriesColor",
                                                                                 "ShowInLegend",
                                                                                 "Title",
                                                                                 "ValueFormat",
                                                                                 "VertAxis",
                                                                                 "XLabelsSource",
                                                                                 "AfterDrawValues",
                                                                                 "BeforeDrawValues",
                                                                                 "OnAfterAdd",
                                                                                 "OnBeforeAdd",
                                                                                 "OnClearValues",
                                                                                 "OnClick",
                                                                                 "OnDblClick",
                                                                                 "OnGetMarkText"}));
  EXPECT_EQ(Names(TChartSeries::StaticClass(), true),
            (std::vector<std::string>{"DataSources", "Identifier", "Style"}));
  EXPECT_EQ(Names(TChartValueList::StaticClass(), false),
            (std::vector<std::string>{"DateTime", "Name", "Multiplier", "Order", "ValueSource"}));
}

TEST(SeriesProperties, StoredOnlyWhenTheyDiffer) {
  TChartSeries s(nullptr);
  const auto& cls = TChartSeries::StaticClass();
  auto stored = [&](const char* name) { return cls.FindProperty(name)->IsStored(s); };
  EXPECT_FALSE(stored("Active"));
  EXPECT_FALSE(stored("SeriesColor"));
  EXPECT_FALSE(stored("PercentFormat"));
  EXPECT_FALSE(stored("ValueFormat"));
  EXPECT_FALSE(stored("ParentChart"));
  EXPECT_FALSE(stored("HorizAxis"));
  EXPECT_FALSE(stored("DataSources"));
  EXPECT_TRUE(stored("Title"));  // no declared default
  s.SetActive(false);
  s.SetSeriesColor(fw::clRed);
  s.SetPercentFormat("0 %");
  s.SetValueFormat("0.0");
  s.SetHorizAxis(aTopAxis);
  for (const char* name : {"Active", "SeriesColor", "PercentFormat", "ValueFormat", "HorizAxis"})
    EXPECT_TRUE(stored(name)) << name;
  // Value lists declare no defaults: all five are always stored.
  for (const auto* p : TChartValueList::StaticClass().Properties())
    EXPECT_TRUE(p->IsStored(*s.XValues())) << p->Name;
}

TEST(SeriesProperties, SetByNameAndPath) {
  fw::TComponent form(nullptr);
  auto* chartOwned = new TTestChart(&form);
  TTestChart& chart = *chartOwned;
  chart.SetName("Chart1");
  auto* s = new TChartSeries(&form);
  s->SetName("SeriesOsc");
  fw::SetPropText(*s, "ParentChart", "Chart1");
  fw::SetPropText(*s, "SeriesColor", "clRed");
  // The base class does not publish its value lists; series types do.
  EXPECT_THROW(fw::SetPropText(*s, "XValues.Order", "loNone"), fw::EPropertyError);
  EXPECT_EQ(s->ParentChart(), &chart);
  EXPECT_EQ(s->SeriesColor(), fw::clRed);
  EXPECT_EQ(s->XValues()->Order(), loAscending);
  EXPECT_EQ(chart.SeriesList(), std::vector<TChartSeries*>{s});
  fw::SetPropText(*s, "Marks.Visible", "True");
  fw::SetPropText(*s, "Marks.Style", "smsValue");
  EXPECT_TRUE(s->Marks()->Visible());
  EXPECT_EQ(s->Marks()->Style(), smsValue);
  fw::SetPropValue(*s, "Style", fw::TValue(std::int64_t{5}));
  fw::SetPropText(*s, "Identifier", "osc");
  EXPECT_EQ(s->Style(), 5);
  EXPECT_EQ(s->Identifier(), "osc");
  fw::SetPropText(*s, "VertAxis", "aRightAxis");
  EXPECT_EQ(s->GetVertAxis(), &chart.right);
  // A refused value names the property and keeps the old one.
  EXPECT_THROW(fw::SetPropText(*s, "HorizAxis", "aMiddleAxis"), fw::EPropertyError);
  EXPECT_EQ(s->HorizAxis(), aBottomAxis);
}

TEST(SeriesProperties, ValueListsThroughTheirSeries) {
  TChartSeries s(nullptr);
  fw::SetPropText(*s.XValues(), "Order", "loDescending");
  fw::SetPropText(*s.XValues(), "Multiplier", "2.5");
  fw::SetPropText(*s.XValues(), "DateTime", "True");
  EXPECT_EQ(s.XValues()->Order(), loDescending);
  EXPECT_EQ(s.XValues()->Multiplier(), 2.5);
  EXPECT_TRUE(s.XValues()->DateTime());
  EXPECT_EQ(fw::GetPropText(*s.XValues(), "Name"), "X");
  // Writing a list through its series assigns its settings (here from Y), leaving name and values.
  s.AddXY(1, 1);
  s.SetXValues(s.YValues());
  EXPECT_EQ(s.XValues()->Order(), loNone);
  EXPECT_EQ(s.XValues()->Name(), "X");
  EXPECT_EQ(s.XValues()->Count(), 1);
}

TEST(SeriesProperties, AssignCopiesSettingsNotPointsNameOrChart) {
  TTestChart chart;
  TChartSeries from(nullptr), to(nullptr);
  from.SetName("From");
  to.SetName("To");
  from.SetParentChart(&chart);
  from.AddXY(1, 1);
  from.SetSeriesColor(fw::clTeal);
  from.SetTitle("Profile");
  from.SetVertAxis(aRightAxis);
  from.SetValueFormat("0.0");
  from.Marks()->SetVisible(true);
  from.XValues()->SetOrder(loNone);
  from.YValues()->SetMultiplier(2);
  to.Assign(&from);
  EXPECT_EQ(to.SeriesColor(), fw::clTeal);
  EXPECT_EQ(to.Title(), "Profile");
  EXPECT_EQ(to.VertAxis(), aRightAxis);
  EXPECT_EQ(to.ValueFormat(), "0.0");
  EXPECT_TRUE(to.Marks()->Visible());
  EXPECT_EQ(to.XValues()->Order(), loNone);
  EXPECT_EQ(to.YValues()->Multiplier(), 2);
  EXPECT_EQ(to.Name(), "To");
  EXPECT_EQ(to.Count(), 0);
  EXPECT_EQ(to.ParentChart(), nullptr);
  EXPECT_THROW(to.Assign(to.XValues()), fw::EConvertError);
}

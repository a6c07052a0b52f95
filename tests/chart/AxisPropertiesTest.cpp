// The axes' published properties: defaults, setting by name and path as the window description
// does, the stored-only-when rules, change notices of pens and fonts, and Assign.
#include <gtest/gtest.h>

#include <string>

#include "AxisFixtures.h"
#include "framework/core/Properties.h"

using axistest::TAxisChart;

namespace {

bool Stored(const fw::TObject& object, const std::string& path) {
  fw::TObject& o = const_cast<fw::TObject&>(object);
  const fw::TPropertyTarget t = fw::ResolvePropertyPath(o, path);
  return t.Prop->IsStored(*t.Instance);
}

}  // namespace

TEST(AxisProperties, DefaultsAreTheConstructorsAndAreNotStored) {
  TAxisChart chart;
  const tee::TChartAxis& a = *chart.bottom;
  struct Row {
    const char* name;
    const char* text;
  } rows[] = {{"Automatic", "True"},
              {"AutomaticMaximum", "True"},
              {"AutomaticMinimum", "True"},
              {"AxisValuesFormat", "#,##0.###"},
              {"DateTimeFormat", ""},
              {"ExactDateTime", "True"},
              {"GridCentered", "False"},
              {"Increment", "0"},
              {"Inverted", "False"},
              {"Labels", "True"},
              {"LabelsAngle", "0"},
              {"LabelsMultiLine", "False"},
              {"LabelsOnAxis", "True"},
              {"LabelsSeparation", "10"},
              {"LabelsSize", "0"},
              {"LabelStyle", "talAuto"},
              {"Logarithmic", "False"},
              {"LogarithmicBase", "10"},
              {"Maximum", "0"},
              {"Minimum", "0"},
              {"MinorTickCount", "3"},
              {"MinorTickLength", "2"},
              {"StartPosition", "0"},
              {"EndPosition", "100"},
              {"PositionPercent", "0"},
              {"RoundFirstLabel", "True"},
              {"TickInnerLength", "0"},
              {"TickLength", "4"},
              {"TickOnLabelsOnly", "True"},
              {"TitleSize", "0"},
              {"Visible", "True"},
              {"Axis.Width", "2"},
              {"Grid.Color", "clGray"},
              {"Grid.Style", "psDot"},
              {"MinorGrid.Visible", "False"},
              {"MinorTicks.Color", "clGray"},
              {"Ticks.Color", "clGray"},
              {"TicksInner.Color", "clGray"},
              {"Title.Caption", ""}};
  for (const auto& r : rows) {
    EXPECT_EQ(fw::GetPropText(a, r.name), r.text) << r.name;
    EXPECT_FALSE(Stored(a, r.name)) << r.name;
  }
  // The fonts are the chart's default font, and as such not stored at all.
  EXPECT_EQ(fw::GetPropText(a, "LabelsFont.Name"), "Arial");
  EXPECT_EQ(fw::GetPropText(a, "LabelsFont.Size"), "8");
  EXPECT_EQ(fw::GetPropText(a, "LabelsFont.Color"), "clBlack");
  EXPECT_EQ(fw::GetPropText(a, "Title.Font.Name"), "Arial");
  EXPECT_FALSE(Stored(a, "Title.Font"));
  EXPECT_EQ(fw::GetPropText(*chart.left, "Title.Angle"), "90");
  EXPECT_EQ(fw::GetPropText(*chart.right, "Title.Angle"), "270");
  EXPECT_FALSE(Stored(*chart.right, "Title.Angle"));
  EXPECT_FALSE(Stored(a, "LabelsFont"));
  // The depth axis is invisible by default, on the far side, a depth axis.
  EXPECT_EQ(fw::GetPropText(*chart.depth, "Visible"), "False");
  EXPECT_FALSE(Stored(*chart.depth, "Visible"));
  EXPECT_TRUE(chart.depth->IsDepthAxis());
  EXPECT_TRUE(chart.depth->OtherSide());
  EXPECT_FALSE(chart.depth->Horizontal());
}

TEST(AxisProperties, TheWindowDescriptionSetsThemByName) {
  TAxisChart chart;
  tee::TChartAxis& a = *chart.left;
  chart.BeginLoading();
  fw::SetPropText(a, "Automatic", "False");
  fw::SetPropText(a, "AutomaticMaximum", "False");
  fw::SetPropText(a, "AutomaticMinimum", "False");
  fw::SetPropText(a, "ExactDateTime", "False");
  fw::SetPropText(a, "Increment", "1");
  fw::SetPropText(a, "Maximum", "75000");
  fw::SetPropText(a, "Minimum", "-500");
  fw::SetPropText(a, "LabelStyle", "talValue");
  fw::SetPropText(a, "Title.Caption", "Height");
  fw::SetPropText(a, "LabelsFont.Color", "clRed");
  fw::SetPropText(a, "Grid.Visible", "False");
  chart.Loaded();
  EXPECT_FALSE(a.Automatic());
  EXPECT_FALSE(a.AutomaticMinimum());
  EXPECT_EQ(a.Minimum(), -500);
  EXPECT_EQ(a.Maximum(), 75000);
  EXPECT_EQ(a.Increment(), 1);
  EXPECT_EQ(a.LabelStyle(), tee::talValue);
  EXPECT_EQ(a.Title()->Caption(), "Height");
  EXPECT_EQ(a.LabelsFont()->Color(), fw::clRed);
  EXPECT_FALSE(a.Grid()->Visible());
  // Refused values pass the axis' own error through and keep the old value.
  EXPECT_THROW(fw::SetPropText(a, "Minimum", "80000"), tee::AxisException);
  EXPECT_THROW(fw::SetPropText(a, "LabelsAngle", "400"), tee::ChartException);
  EXPECT_EQ(a.Minimum(), -500);
}

TEST(AxisProperties, StoredOnlyWhen) {
  TAxisChart chart;
  tee::TChartAxis& a = *chart.bottom;
  // Fixed ends are stored, automatic ones are not (whatever the data made of them).
  a.SetMinMax(-26000, 26000);
  EXPECT_TRUE(Stored(a, "Minimum"));
  EXPECT_TRUE(Stored(a, "Maximum"));
  EXPECT_TRUE(Stored(a, "Automatic"));
  a.SetAutomatic(true);
  EXPECT_FALSE(Stored(a, "Minimum"));
  EXPECT_FALSE(Stored(a, "Maximum"));
  a.SetAutomaticMaximum(false);
  EXPECT_FALSE(Stored(a, "Minimum"));
  EXPECT_TRUE(Stored(a, "Maximum"));
  // The title angle is stored when it is not the axis' own default.
  chart.left->Title()->SetAngle(0);
  EXPECT_TRUE(Stored(*chart.left, "Title.Angle"));
  EXPECT_FALSE(Stored(*chart.bottom, "Title.Angle"));
  // Formats and fonts when they differ from the default.
  a.SetAxisValuesFormat("0.0");
  EXPECT_TRUE(Stored(a, "AxisValuesFormat"));
  a.LabelsFont()->SetSize(10);
  EXPECT_TRUE(Stored(a, "LabelsFont"));
}

TEST(AxisProperties, PensFontsAndSettersRepaintTheChartOnlyOnChange) {
  TAxisChart chart;
  tee::TChartAxis& a = *chart.bottom;
  int n = chart.RepaintRequestCount();
  auto repainted = [&] {
    const int now = chart.RepaintRequestCount();
    const bool r = now != n;
    n = now;
    return r;
  };
  a.Grid()->SetColor(fw::clRed);
  EXPECT_TRUE(repainted());
  a.Ticks()->SetVisible(false);
  EXPECT_TRUE(repainted());
  a.LabelsFont()->SetSize(12);
  EXPECT_TRUE(repainted());
  a.Title()->Font()->SetColor(fw::clBlue);
  EXPECT_TRUE(repainted());
  a.Title()->SetCaption("X");
  EXPECT_TRUE(repainted());
  a.SetTickLength(4);
  EXPECT_FALSE(repainted());
  a.SetTickLength(6);
  EXPECT_TRUE(repainted());
  a.SetLabelsSeparation(10);
  EXPECT_FALSE(repainted());
  a.SetLabelStyle(tee::talNone);
  EXPECT_TRUE(repainted());
}

TEST(AxisProperties, AssignCopiesEveryPublishedPropertyAndTheDepthFlag) {
  TAxisChart chart;
  tee::TChartAxis& from = *chart.left;
  from.SetMinMax(-5, 5);
  from.SetIncrement(2);
  from.SetLabelsAngle(90);
  from.SetLogarithmicBase(2);
  from.Grid()->SetColor(fw::clRed);
  from.LabelsFont()->SetName("Courier New");
  from.Title()->SetCaption("Depth");
  from.SetLabelStyle(tee::talMark);
  from.SetVisible(false);
  from.SetIsDepthAxis(true);
  tee::TChartAxis to(&chart);
  to.Assign(&from);
  for (const fw::TPropInfo* p : tee::TChartAxis::StaticClass().Properties()) {
    if (p->Kind == fw::TPropKind::Object) continue;
    EXPECT_EQ(fw::GetPropText(to, p->Name), fw::GetPropText(from, p->Name)) << p->Name;
  }
  EXPECT_EQ(to.Grid()->Color(), fw::clRed);
  EXPECT_EQ(to.LabelsFont()->Name(), "Courier New");
  EXPECT_EQ(to.Title()->Caption(), "Depth");
  EXPECT_EQ(to.Title()->Angle(), 90);
  EXPECT_TRUE(to.IsDepthAxis());
  // The place on the chart is the chart's, not copied.
  EXPECT_FALSE(to.Horizontal());
  EXPECT_THROW(to.Assign(chart.left->Grid()), fw::EConvertError);
}

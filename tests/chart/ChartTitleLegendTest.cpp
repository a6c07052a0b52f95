// TChartTitle and TChartLegend on the recording canvas: where the lines go, the room they take
// from the plot rectangle, frames and backgrounds, the legend's items, layout, hit tests and
// setter errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartFixtures.h"
#include "chart/ChartErrors.h"

namespace {

using charttest::Strings;

class TitleAndLegend : public ::testing::Test, public charttest::TRecordedChart {
 protected:
  void SetUp() override {
    chart->SetView3D(false);
    Draw();  // FullRect (0, 0, 400, 300)
    Attach();
  }
  void Attach() {
    chart->Canvas()->SetCanvas(&surface);
    Log().Clear();
    chart->SetPlotRect(kPlot);
  }
  int FontHeight(const fw::TFont& font) {
    chart->SetCanvasFont(font);
    return chart->Canvas()->FontHeight();
  }
  int TextWidth(const fw::TFont& font, const std::string& text) {
    chart->SetCanvasFont(font);
    return chart->Canvas()->TextWidth(text);
  }
  std::vector<int> TextY() {
    std::vector<int> v;
    for (const auto& c : Log().Named("TextOut")) v.push_back(c.Args[1]);
    return v;
  }
  Strings Texts() {
    Strings v;
    for (const auto& c : Log().Named("TextOut")) v.push_back(c.Text);
    return v;
  }
  tee::TPointSeries* SeriesWithPoints(fw::TColor color) {
    tee::TPointSeries* s = AddPointSeries();
    s->SetSeriesColor(color);
    s->AddXY(1, 10, "a");
    s->AddXY(2, 20, "b");
    s->AddXY(3, 30.5, "c");
    return s;
  }

  static constexpr fw::TRect kPlot{12, 12, 388, 288};
};

TEST_F(TitleAndLegend, TheDefaultTitleIsCentredTextWithThePlotStartingFivePixelsBelow) {
  tee::TChartTitle& t = *chart->Title();
  t.SetText({"Hello", "World wide"});
  t.Draw(true);
  const int h = FontHeight(*t.Font());
  // No frame and no background: only the text, each line centred over the plot.
  EXPECT_EQ(Log().Count("Rectangle"), 0);
  const auto out = Log().Named("TextOut");
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].Args, (std::vector<int>{200 - TextWidth(*t.Font(), "Hello") / 2, 12}));
  EXPECT_EQ(out[1].Args, (std::vector<int>{200 - TextWidth(*t.Font(), "World wide") / 2, 12 + h}));
  EXPECT_EQ(out[0].Font.Color, fw::clBlue);
  EXPECT_EQ(chart->PlotRect(), fw::Rect(12, 12 + 2 * h + 5, 388, 288));
}

TEST_F(TitleAndLegend, AVisibleTitleWithoutTextTakesOnlyItsFrame) {
  chart->Title()->Draw(true);
  EXPECT_EQ(chart->PlotRect(), kPlot);
  EXPECT_EQ(Log().Count("TextOut"), 0);
  chart->Title()->Frame()->SetVisible(true);
  chart->Title()->Frame()->SetColor(fw::clBlack);
  chart->Title()->Frame()->SetWidth(2);
  chart->Title()->Draw(true);
  EXPECT_EQ(chart->PlotRect().Top, 12 + 4);
}

TEST_F(TitleAndLegend, AFootDrawsItsLinesBottomUp) {
  tee::TChartTitle& f = *chart->Foot();
  f.SetText({"one", "two", "three"});
  f.Draw(false);
  const int h = FontHeight(*f.Font());
  EXPECT_EQ(Texts(), (Strings{"one", "two", "three"}));
  EXPECT_EQ(TextY(), (std::vector<int>{288 - 3 * h, 288 - 2 * h, 288 - h}));
  EXPECT_EQ(chart->PlotRect(), fw::Rect(12, 12, 388, 288 - 3 * h - 5));
}

TEST_F(TitleAndLegend, AFramedTitleSpansThePlotOrHugsItsWidestLine) {
  tee::TChartTitle& t = *chart->Title();
  t.SetText({"Framed"});
  t.Frame()->SetVisible(true);
  t.Frame()->SetColor(fw::clBlack);
  t.SetAdjustFrame(false);
  t.Draw(true);
  const int h = FontHeight(*t.Font());
  EXPECT_EQ(Log().Strings({"Rectangle"}),
            (Strings{"Rectangle(12,12,388," + std::to_string(14 + h) + ")"}));
  EXPECT_EQ(chart->PlotRect().Top, 12 + 1 + h + 1 + 5);
  EXPECT_TRUE(t.Clicked(20, 13));
  EXPECT_FALSE(t.Clicked(20, 14 + h));

  Attach();
  t.SetAdjustFrame(true);
  t.Draw(true);
  const int w = TextWidth(*t.Font(), "Framed") + TextWidth(*t.Font(), "W");
  const auto r = Log().Named("Rectangle");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Args[0], 200 - w / 2);
  EXPECT_EQ(r[0].Args[2], 200 + w / 2);
  // Left-aligned: the frame starts at the plot, the text half a "W" inside.
  Attach();
  t.SetAlignment(fw::taLeftJustify);
  t.Draw(true);
  EXPECT_EQ(Log().Named("Rectangle")[0].Args[0], 12);
  EXPECT_EQ(Log().Named("TextOut")[0].Args[0], 12 + TextWidth(*t.Font(), "W") / 2);
  t.SetVisible(false);
  EXPECT_FALSE(t.Clicked(20, 13));
}

TEST_F(TitleAndLegend, ATitleWithASolidColouredBrushTakesItsColour) {
  tee::TChartTitle& t = *chart->Title();
  t.SetText({"Back"});
  t.Brush()->SetColor(fw::clYellow);
  t.Draw(true);
  EXPECT_EQ(t.Color(), fw::clYellow);
  ASSERT_EQ(Log().Count("Rectangle"), 1);
  EXPECT_EQ(Log().Named("Rectangle")[0].Brush.Color, fw::clYellow);
  EXPECT_EQ(Log().Named("Rectangle")[0].Pen.Style, fw::psClear);
}

TEST_F(TitleAndLegend, ALegendWithNothingToShowLeavesThePlotAlone) {
  AddPointSeries();  // no points: nothing to list
  chart->Legend()->Draw();
  EXPECT_EQ(Log().Count("Rectangle") + Log().Count("FillRect") + Log().Count("TextOut"), 0);
  EXPECT_EQ(chart->PlotRect(), kPlot);
}

TEST_F(TitleAndLegend, WithOneActiveSeriesTheAutomaticLegendListsItsPoints) {
  tee::TPointSeries* s = SeriesWithPoints(fw::clRed);
  tee::TChartLegend& l = *chart->Legend();
  EXPECT_EQ(l.ResolvedStyle(), tee::lsValues);
  EXPECT_EQ(l.TotalItems(), 3);
  l.Draw();
  EXPECT_EQ(Texts(), (Strings{"10 a", "20 b", "30.5 c"}));
  // Each colour box is the series' pointer in the point's colour.
  const auto boxes = Log().Named("Rectangle");
  ASSERT_EQ(boxes.size(), 4u);  // the legend box, then three symbols
  EXPECT_EQ(boxes[1].Brush.Color, fw::clRed);

  // Two active series: the series are listed, by title, name or number.
  tee::TPointSeries* t = SeriesWithPoints(fw::clBlue);
  t->SetTitle("Second");
  EXPECT_EQ(l.ResolvedStyle(), tee::lsSeries);
  EXPECT_EQ(l.TotalItems(), 2);
  EXPECT_EQ(l.ItemText(0), "Series 0");
  EXPECT_EQ(l.ItemText(1), "Second");
  s->SetName("Osc");
  EXPECT_EQ(l.ItemText(0), "Osc");
  // Last values: the last point of each series.
  l.SetLegendStyle(tee::lsLastValues);
  EXPECT_EQ(l.ItemText(1), "30.5 c");
  // FirstValue skips items; OnGetLegendText has the last word.
  l.SetLegendStyle(tee::lsValues);
  l.SetFirstValue(1);
  EXPECT_EQ(l.TotalItems(), 2);
  chart->OnGetLegendText = [](tee::TCustomAxisPanel*, tee::TLegendStyle style, int index,
                              std::string& text) {
    EXPECT_EQ(style, tee::lsValues);
    text += "#" + std::to_string(index);
  };
  EXPECT_EQ(l.ItemText(2), "30.5 c#2");
}

TEST_F(TitleAndLegend, ARightLegendStandsInsideThePlotEdgeAndTakesItsRoom) {
  SeriesWithPoints(fw::clRed);
  tee::TChartLegend& l = *chart->Legend();
  l.Draw();
  const int h = FontHeight(*l.Font());
  const fw::TRect r = l.LegendRect();
  // Right edge: the plot's, less the frame (1 + 1) and the shadow (3); top at 10 % of 300.
  EXPECT_EQ(r.Right, 388 - 2 - 3);
  EXPECT_EQ(r.Top, 30);
  EXPECT_EQ(r.Bottom, 30 + 2 + 3 * h);
  // Text starts after the colour box; the plot ends at the legend, less 3 % of its old width.
  const auto text = Log().Named("TextOut");
  ASSERT_EQ(text.size(), 3u);
  EXPECT_EQ(text[1].Args[1], 31 + h);
  EXPECT_EQ(chart->PlotRect().Right, r.Left - fw::MulDiv(3, 376, 100));
  // The shadow lies offset by its size under the frame.
  const auto shadow = Log().Named("FillRect");
  ASSERT_EQ(shadow.size(), 1u);
  EXPECT_EQ(shadow[0].Brush.Color, fw::clBlack);
  EXPECT_EQ(shadow[0].Args[0], r.Left - 1 + 3);

  // Hit test: rows of equal height from the top.
  EXPECT_EQ(l.Clicked(r.Left + 5, r.Top + 2), 0);
  EXPECT_EQ(l.Clicked(r.Left + 5, r.Top + 2 + 2 * (r.Height() / 3)), 2);
  EXPECT_EQ(l.Clicked(r.Right + 1, r.Top + 2), -1);

  // Without ResizeChart the plot still loses the gap.
  Attach();
  l.SetResizeChart(false);
  l.Draw();
  EXPECT_EQ(chart->PlotRect().Right, 388 - fw::MulDiv(3, 376, 100));
}

TEST_F(TitleAndLegend, ATopLegendFillsColumnsAndPushesThePlotDown) {
  SeriesWithPoints(fw::clRed);
  tee::TChartLegend& l = *chart->Legend();
  l.SetAlignment(tee::laTop);
  l.Frame()->SetVisible(false);
  l.Draw();
  const int h = FontHeight(*l.Font());
  EXPECT_EQ(l.Columns(), 3);
  EXPECT_EQ(l.Rows(), 1);
  const fw::TRect r = l.LegendRect();
  EXPECT_EQ(r.Top, 12);
  EXPECT_EQ(r.Bottom, 12 + 2 + h);
  // Items side by side on one row.
  EXPECT_EQ(TextY(), (std::vector<int>{13, 13, 13}));
  const auto text = Log().Named("TextOut");
  EXPECT_LT(text[0].Args[0], text[1].Args[0]);
  EXPECT_EQ(chart->PlotRect().Top, r.Bottom + 3 + fw::MulDiv(4, 276, 100));
  const int columnWidth = r.Width() / 3;
  EXPECT_EQ(l.Clicked(r.Left + 2, r.Top + 2), 0);
  EXPECT_EQ(l.Clicked(r.Left + 1 + columnWidth + 2, r.Top + 2), 1);
  // On the border of two columns the right-hand one counts.
  EXPECT_EQ(l.Clicked(r.Left + 1 + columnWidth, r.Top + 2), 1);
}

TEST_F(TitleAndLegend, InvertedItemsRunBackwardsWithDividingLinesBetween) {
  SeriesWithPoints(fw::clRed);
  tee::TChartLegend& l = *chart->Legend();
  l.SetInverted(true);
  l.DividingLines()->SetVisible(true);
  l.Draw();
  EXPECT_EQ(Texts(), (Strings{"30.5 c", "20 b", "10 a"}));
  // A line above every item but the first.
  int dividers = 0;
  for (const auto& c : Log().Named("LineTo")) dividers += c.Args[1] > l.LegendRect().Top + 1;
  EXPECT_EQ(dividers, 2);
}

TEST_F(TitleAndLegend, ASideLegendComesBeforeTheTitlesAndAHorizontalOneAfter) {
  SeriesWithPoints(fw::clRed);
  chart->Title()->SetText({"T"});
  auto legendFirst = [&] {
    Attach();
    chart->PlaceTitlesAndLegend();
    int fill = -1, title = -1;
    const auto& calls = Log().Calls();
    for (std::size_t i = 0; i < calls.size(); ++i) {
      if (calls[i].Name == "FillRect" && fill < 0) fill = static_cast<int>(i);
      if (calls[i].Text == "T" && title < 0) title = static_cast<int>(i);
    }
    return fill < title;
  };
  EXPECT_TRUE(legendFirst());
  chart->Legend()->SetAlignment(tee::laBottom);
  EXPECT_FALSE(legendFirst());
  // A hidden legend draws nothing.
  chart->Legend()->SetVisible(false);
  Attach();
  chart->PlaceTitlesAndLegend();
  EXPECT_EQ(Log().Count("FillRect"), 0);
}

TEST_F(TitleAndLegend, LegendSettersRefuseValuesOutOfRange) {
  tee::TChartLegend& l = *chart->Legend();
  auto message = [](auto&& set) -> std::string {
    try {
      set();
    } catch (const tee::LegendException& e) {
      return e.what();
    }
    return "accepted";
  };
  EXPECT_EQ(message([&] { l.SetTopPos(101); }), "Top Legend Position must be between 0 and 100 %");
  EXPECT_EQ(message([&] { l.SetTopPos(-1); }), "Top Legend Position must be between 0 and 100 %");
  EXPECT_EQ(message([&] { l.SetColorWidth(-1); }),
            "Legend Color Width must be between 0 and 100 %");
  EXPECT_EQ(message([&] { l.SetColorWidth(101); }),
            "Legend Color Width must be between 0 and 100 %");
  EXPECT_EQ(message([&] { l.SetFirstValue(-1); }), "First Legend Value must be > 0");
  EXPECT_EQ(l.TopPos(), 10);
  EXPECT_EQ(l.ColorWidth(), 12);
  for (int ok : {0, 100}) {
    EXPECT_EQ(message([&] { l.SetTopPos(ok); }), "accepted");
    EXPECT_EQ(message([&] { l.SetColorWidth(ok); }), "accepted");
  }
  EXPECT_EQ(message([&] { l.SetFirstValue(0); }), "accepted");
}

}  // namespace

// TChartTitle and TChartLegend on the recording canvas: where the lines go, the room they take
// from the plot rectangle, frames and backgrounds, the legend's items, layout, hit tests and
// setter errors; and their layouts read as values (rectangles, lines, rows, columns, item places
// and the plot left over), which is all a Draw paints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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
  void AddSeriesWithPoints(int points) {
    tee::TPointSeries* s = AddPointSeries();
    for (int i = 0; i < points; ++i) s->AddXY(i, 10 * i, "p" + std::to_string(i));
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

// ---- Layouts read as values ----

TEST_F(TitleAndLegend, TitleRectanglesLinesAndThePlotLeft) {
  tee::TChartTitle& t = *chart->Title();
  const int h = FontHeight(*t.Font());
  const int cw = TextWidth(*t.Font(), "W");
  const int wide = TextWidth(*t.Font(), "Wider line");
  const int narrow = TextWidth(*t.Font(), "ab");
  const struct {
    bool isTitle;
    fw::TAlignment alignment;
    bool framed;  // a black frame 2 pixels wide
    bool adjust;
    fw::TRect rect;
    bool boxed;
    std::vector<fw::TPoint> lines;
    fw::TRect plot;
  } cases[] = {
      // Unframed, no background: the lines over the whole plot width, nothing boxed.
      {true,
       fw::taCenter,
       false,
       true,
       fw::Rect(12, 12, 388, 12 + 2 * h),
       false,
       {{200 - wide / 2, 12}, {200 - narrow / 2, 12 + h}},
       fw::Rect(12, 12 + 2 * h + 5, 388, 288)},
      {false,
       fw::taLeftJustify,
       false,
       true,
       fw::Rect(12, 288 - 2 * h, 388, 288),
       false,
       {{12 + cw / 2, 288 - 2 * h}, {12 + cw / 2, 288 - h}},
       fw::Rect(12, 12, 388, 288 - 2 * h - 5)},
      // A frame spanning the plot, and one hugging the widest line.
      {true,
       fw::taRightJustify,
       true,
       false,
       fw::Rect(12, 12, 388, 16 + 2 * h),
       true,
       {{388 - wide - cw / 2, 14}, {388 - narrow - cw / 2, 14 + h}},
       fw::Rect(12, 16 + 2 * h + 5, 388, 288)},
      {true,
       fw::taRightJustify,
       true,
       true,
       fw::Rect(388 - wide - cw, 12, 388, 16 + 2 * h),
       true,
       {{388 - wide - cw / 2, 14}, {388 - narrow - cw / 2, 14 + h}},
       fw::Rect(12, 16 + 2 * h + 5, 388, 288)},
  };
  t.SetText({"Wider line", "ab"});
  t.Frame()->SetColor(fw::clBlack);
  t.Frame()->SetWidth(2);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.isTitle << " " << c.alignment << " " << c.framed);
    t.SetAlignment(c.alignment);
    t.Frame()->SetVisible(c.framed);
    t.SetAdjustFrame(c.adjust);
    const tee::TTitleLayout layout = t.CalcLayout(c.isTitle);
    EXPECT_EQ(layout.Rect, c.rect);
    EXPECT_EQ(layout.Boxed, c.boxed);
    ASSERT_EQ(layout.Lines.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
      EXPECT_EQ(fw::Point(layout.Lines[k].X, layout.Lines[k].Y), c.lines[k]) << k;
      EXPECT_EQ(layout.Lines[k].Text, k == 0 ? "Wider line" : "ab");
    }
    EXPECT_EQ(layout.Plot, c.plot);
    // The layout step draws nothing and leaves the plot alone.
    EXPECT_EQ(Log().Size(), 0u);
    EXPECT_EQ(chart->PlotRect(), kPlot);
  }
}

TEST_F(TitleAndLegend, ATitleOnAClearBrushIsBoxedOnlyByItsFrame) {
  tee::TChartTitle& t = *chart->Title();
  t.SetText({"x"});
  t.Brush()->SetStyle(fw::bsClear);
  t.SetColor(fw::clRed);
  EXPECT_FALSE(t.CalcLayout(true).Boxed);
  t.Brush()->SetStyle(fw::bsCross);
  EXPECT_TRUE(t.CalcLayout(true).Boxed);
  t.Brush()->SetStyle(fw::bsSolid);
  EXPECT_TRUE(t.CalcLayout(true).Boxed);
  t.SetColor(tee::clAutoColor);
  EXPECT_FALSE(t.CalcLayout(true).Boxed);
  t.Frame()->SetVisible(true);
  t.Frame()->SetColor(fw::clBlack);
  EXPECT_TRUE(t.CalcLayout(true).Boxed);
  t.Frame()->SetColor(tee::clAutoColor);  // a frame without a colour of its own does not count
  EXPECT_FALSE(t.CalcLayout(true).Boxed);
}

TEST_F(TitleAndLegend, LegendBoxRowsColumnsAndItemPlaces) {
  constexpr int kItems = 12;
  AddSeriesWithPoints(kItems);
  tee::TChartLegend& l = *chart->Legend();
  const int h = FontHeight(*l.Font());
  int widest = 0;
  for (int i = 0; i < kItems; ++i) widest = std::max(widest, TextWidth(*l.Font(), l.ItemText(i)));
  const int itemWidth = widest + 4;
  const int sideBox = static_cast<int>(std::nearbyint((widest + 10) * 12 / 100.0));
  const int topBox = static_cast<int>(std::nearbyint(itemWidth * 12 / 100.0));

  // Right: one column from 10 % of the height, against the plot's right edge less frame and
  // shadow, as many rows as fit above the plot's bottom.
  const tee::TLegendLayout right = l.CalcLayout();
  const int rows = std::min(kItems, (276 - 2 - 18) / h);
  EXPECT_EQ(right.Columns, 1);
  EXPECT_EQ(right.Rows, rows);
  EXPECT_EQ(right.Count, rows);
  EXPECT_EQ(right.RowHeight, h);
  EXPECT_EQ(right.BoxWidth, sideBox);
  const int textX = 388 - 2 - 3 - widest - 2;
  EXPECT_EQ(right.TextX, textX);
  EXPECT_EQ(right.Rect, fw::Rect(textX - sideBox - 8, 30, 388 - 5, 32 + rows * h));
  ASSERT_EQ(right.ItemPos.size(), static_cast<std::size_t>(rows));
  for (int p = 0; p < rows; ++p) EXPECT_EQ(right.ItemPos[p], fw::Point(textX, 31 + p * h)) << p;
  EXPECT_EQ(right.Plot, fw::Rect(12, 12, right.Rect.Left - fw::MulDiv(3, 376, 100), 288));

  // Top with at most two rows: as many columns as fit, the items row by row.
  l.SetAlignment(tee::laTop);
  l.SetMaxNumRows(2);
  const tee::TLegendLayout top = l.CalcLayout();
  const int columns = std::min(kItems, (376 - 2 - 8) / (itemWidth + topBox + 8));
  ASSERT_LT(columns, kItems);
  const int topRows = std::min((kItems + columns - 1) / columns, 2);
  EXPECT_EQ(top.Columns, columns);
  EXPECT_EQ(top.Rows, topRows);
  EXPECT_EQ(top.Count, std::min(kItems, columns * topRows));
  EXPECT_EQ(top.BoxWidth, topBox);
  EXPECT_EQ(top.Rect.Top, 14);
  EXPECT_EQ(top.Rect.Bottom, 16 + topRows * h);
  EXPECT_EQ(top.TextX, top.Rect.Left + 8 + topBox);
  ASSERT_EQ(top.ItemPos.size(), static_cast<std::size_t>(top.Count));
  for (int p = 0; p < top.Count; ++p) {
    const fw::TPoint at{top.TextX + (p % columns) * (itemWidth + topBox + 4),
                        top.Rect.Top + 1 + (p / columns) * h};
    EXPECT_EQ(top.ItemPos[p], at) << p;
  }
  EXPECT_EQ(top.Plot, fw::Rect(12, top.Rect.Bottom + 3 + fw::MulDiv(4, 276, 100), 388, 288));

  // Bottom with one row: only the first row's items are drawn.
  l.SetAlignment(tee::laBottom);
  l.SetMaxNumRows(1);
  const tee::TLegendLayout bottom = l.CalcLayout();
  EXPECT_EQ(bottom.Rows, 1);
  EXPECT_EQ(bottom.Count, columns);
  EXPECT_EQ(bottom.Rect.Bottom, 288 - 3 - 2);
  EXPECT_EQ(bottom.Rect.Top, 288 - 5 - 2 - h);
  EXPECT_EQ(bottom.Plot, fw::Rect(12, 12, 388, bottom.Rect.Top - fw::MulDiv(4, 276, 100)));

  // The layout step draws nothing and leaves the plot alone.
  EXPECT_EQ(Log().Size(), 0u);
  EXPECT_EQ(chart->PlotRect(), kPlot);
}

TEST_F(TitleAndLegend, ALegendWithoutItemsKeepsThePlot) {
  AddSeriesWithPoints(0);
  const tee::TLegendLayout layout = chart->Legend()->CalcLayout();
  EXPECT_EQ(layout.Count, 0);
  EXPECT_TRUE(layout.ItemPos.empty());
  EXPECT_EQ(layout.Plot, kPlot);
}

// Draw is the layout step, the draw step, then the plot the layout leaves: the same calls, the
// same last layout for the hit tests.
TEST_F(TitleAndLegend, DrawPaintsExactlyItsLayout) {
  AddSeriesWithPoints(4);
  chart->Title()->SetText({"Title", "two"});
  chart->Title()->Frame()->SetVisible(true);
  chart->Title()->Frame()->SetColor(fw::clBlack);
  chart->Legend()->DividingLines()->SetVisible(true);
  for (auto alignment : {tee::laLeft, tee::laRight, tee::laTop, tee::laBottom}) {
    chart->Legend()->SetAlignment(alignment);
    chart->SetPlotRect(kPlot);
    const tee::TLegendLayout legend = chart->Legend()->CalcLayout();
    chart->Legend()->DrawLayout(legend);
    chart->SetPlotRect(legend.Plot);
    const tee::TTitleLayout title = chart->Title()->CalcLayout(true);
    chart->Title()->DrawLayout(title);
    const std::string byHand = Log().Dump();
    ASSERT_GT(Log().Count("TextOut"), 4);

    Log().Clear();
    chart->SetPlotRect(kPlot);
    chart->Legend()->Draw();
    EXPECT_EQ(chart->PlotRect(), legend.Plot);
    chart->Title()->Draw(true);
    EXPECT_EQ(chart->PlotRect(), title.Plot);
    EXPECT_EQ(Log().Dump(), byHand);
    EXPECT_EQ(chart->Legend()->LastLayout(), legend);
    EXPECT_EQ(chart->Title()->LastLayout(), title);
    Log().Clear();
  }
}

}  // namespace

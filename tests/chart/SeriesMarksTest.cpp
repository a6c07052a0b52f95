// Series marks: the marks object's settings and change notices, the text of every mark style, and
// the marks drawn by a chart on the recording canvas (after the points, clipped, at remembered
// custom positions, lifted by the arrow length, in 3D and for series sharing a depth slot), with
// the axis labels that show mark texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "ChartFixtures.h"
#include "SeriesFixtures.h"
#include "chart/ChartAxisText.h"
#include "chart/TeCanvas3D.h"
#include "chart/TeCanvasView3D.h"

namespace {

using charttest::Strings;
using charttest::TRecordedChart;
using tee::TSeriesMarkPosition;

std::vector<std::string> Published(const fw::TClassInfo& cls) {
  std::vector<std::string> names;
  for (const auto* p : cls.Properties()) names.push_back(p->Name);
  return names;
}

// Counts the canvas changes the marks' pens and font report to their series.
class TCountingSeries : public tee::TChartSeries {
 public:
  using tee::TChartSeries::TChartSeries;
  void CanvasChanged(fw::TObject* sender) override {
    ++canvasChanges;
    tee::TChartSeries::CanvasChanged(sender);
  }
  int canvasChanges = 0;
};

TEST(SeriesMarks, PublishedInOrderWithTheirDefaultsAndStoredRules) {
  tee::TChartSeries s(nullptr);
  tee::TSeriesMarks& m = *s.Marks();
  const fw::TClassInfo& cls = tee::TSeriesMarks::StaticClass();
  EXPECT_EQ(Published(cls), (Strings{"Arrow", "ArrowLength", "BackColor", "Clip", "Font", "Frame",
                                     "Style", "Transparent", "Visible"}));
  EXPECT_EQ(m.ArrowLength(), 8);
  EXPECT_EQ(m.BackColor(), 0x80FFFFu);
  EXPECT_EQ(m.Arrow()->Color(), fw::clWhite);
  EXPECT_TRUE(m.Frame()->Visible());
  EXPECT_EQ(m.Frame()->Color(), fw::clBlack);
  EXPECT_EQ(m.Font()->Name(), "Arial");
  EXPECT_EQ(m.Font()->Size(), 8);
  EXPECT_EQ(m.Style(), tee::smsLabel);
  EXPECT_FALSE(m.Visible());
  auto stored = [&](const char* name) { return cls.FindProperty(name)->IsStored(m); };
  for (const char* name : {"BackColor", "Clip", "Font", "Style", "Transparent"})
    EXPECT_FALSE(stored(name)) << name;
  // No declared default: always written.
  EXPECT_TRUE(stored("ArrowLength"));
  EXPECT_TRUE(stored("Visible"));
  m.Font()->SetSize(10);
  m.SetBackColor(fw::clWhite);
  m.SetStyle(tee::smsValue);
  for (const char* name : {"Font", "BackColor", "Style"}) EXPECT_TRUE(stored(name)) << name;

  // Assign copies the settings, the pens and the font by value.
  tee::TChartSeries other(nullptr);
  m.Arrow()->SetColor(fw::clRed);
  m.Frame()->SetVisible(false);
  other.SetMarks(&m);
  EXPECT_EQ(other.Marks()->Font()->Size(), 10);
  EXPECT_EQ(other.Marks()->Arrow()->Color(), fw::clRed);
  EXPECT_FALSE(other.Marks()->Frame()->Visible());
  EXPECT_EQ(other.Marks()->Style(), tee::smsValue);
  EXPECT_NE(other.Marks()->Font(), m.Font());
}

TEST(SeriesMarks, ChangesReachTheSeriesAndItsChart) {
  teetest::TTestChart chart;
  TCountingSeries s(nullptr);
  s.SetParentChart(&chart);
  tee::TSeriesMarks& m = *s.Marks();
  m.Arrow()->SetColor(fw::clRed);
  m.Frame()->SetWidth(2);
  m.Font()->SetColor(fw::clBlue);
  EXPECT_EQ(s.canvasChanges, 3);
  int repaints = chart.RepaintRequestCount();
  m.SetClip(true);
  m.SetTransparent(true);
  m.SetArrowLength(3);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints + 3);
  repaints = chart.RepaintRequestCount();
  m.SetClip(true);  // unchanged: nothing
  m.SetArrowLength(3);
  EXPECT_EQ(chart.RepaintRequestCount(), repaints);
}

// Points 250 ("a"), -1500 (no label) and 2250 ("c") at X 1, 2.5 and 3: TotalAbs is 4000.
struct TMarkTextSeries {
  TMarkTextSeries() {
    s.SetParentChart(&chart);
    s.AddXY(1, 250, "a");
    s.AddXY(2.5, -1500);
    s.AddXY(3, 2250, "c");
  }
  std::string Text(tee::TSeriesMarksStyle style, int i) {
    s.Marks()->SetStyle(style);
    return s.MarkText(i);
  }
  teetest::TTestChart chart;
  tee::TChartSeries s{nullptr};
};

TEST(SeriesMarks, MarkTextOfEveryStyle) {
  TMarkTextSeries t;
  struct Row {
    tee::TSeriesMarksStyle style;
    const char* labelled;  // point 0
    const char* bare;      // point 1, no label
  } rows[] = {
      {tee::smsValue, "250", "-1,500"},
      {tee::smsPercent, "6.25 %", "37.5 %"},
      {tee::smsLabel, "a", "-1,500"},
      {tee::smsLabelPercent, "a 6.25 %", "-1,500 37.5 %"},
      {tee::smsLabelValue, "a 250", "-1,500 -1,500"},
      // Without a chart legend: the legend's default text, value then label.
      {tee::smsLegend, "250 a", "-1,500"},
      {tee::smsPercentTotal, "6.25 % of 4,000", "37.5 % of 4,000"},
      {tee::smsLabelPercentTotal, "a 6.25 % of 4,000", "-1,500 37.5 % of 4,000"},
      // Without a chart axis: the X value in ValueFormat.
      {tee::smsXValue, "1", "2.5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.style));
    EXPECT_EQ(t.Text(row.style, 0), row.labelled);
    EXPECT_EQ(t.Text(row.style, 1), row.bare);
  }
  // The formats are the series' own.
  t.s.SetValueFormat("0.0");
  t.s.SetPercentFormat("0 %");
  EXPECT_EQ(t.Text(tee::smsLabelValue, 1), "-1500.0 -1500.0");
  EXPECT_EQ(t.Text(tee::smsPercentTotal, 2), "56 % of 4000.0");
  // OnGetMarkText has the last word.
  t.s.OnGetMarkText = [](tee::TChartSeries*, int i, std::string& text) {
    text = "#" + std::to_string(i) + " " + text;
  };
  EXPECT_EQ(t.Text(tee::smsLabel, 2), "#2 c");
}

TEST(SeriesMarks, PercentOfAllZeroValuesIsAHundred) {
  teetest::TTestChart chart;
  tee::TChartSeries s(nullptr);
  s.SetParentChart(&chart);
  for (int i = 0; i < 3; ++i) s.AddXY(i, 0);
  s.Marks()->SetStyle(tee::smsPercent);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(s.MarkText(i), "100 %");
  s.SetPercentFormat("0.0 %");
  EXPECT_EQ(s.MarkText(1), "100.0 %");
}

TEST(SeriesMarks, XValueAndLegendTextsComeFromTheChart) {
  TRecordedChart rc;
  tee::TPointSeries* s = rc.AddPointSeries();
  s->AddXY(1, 250, "a");
  s->AddXY(2, 700, "b");
  // The horizontal axis' label format and label event.
  rc.chart->BottomAxis()->SetAxisValuesFormat("0.00");
  s->Marks()->SetStyle(tee::smsXValue);
  EXPECT_EQ(s->MarkText(1), "2.00");
  rc.chart->OnGetAxisLabel = [](tee::TCustomChartAxis*, tee::TChartSeries*, int, std::string& t) {
    t += " mm";
  };
  EXPECT_EQ(s->MarkText(1), "2.00 mm");
  rc.chart->OnGetAxisLabel = nullptr;

  // One series: the legend lists its points, and the mark is the legend's item.
  s->Marks()->SetStyle(tee::smsLegend);
  rc.chart->Legend()->SetTextStyle(tee::ltsRightValue);
  rc.chart->OnGetLegendText = [](tee::TCustomAxisPanel*, tee::TLegendStyle, int, std::string& t) {
    t += "!";
  };
  EXPECT_EQ(s->MarkText(1), rc.chart->Legend()->ItemText(1));
  EXPECT_EQ(s->MarkText(1), "b 700!");
  // Two series: the legend lists the series, and each mark still writes its own point that way.
  tee::TPointSeries* second = rc.AddPointSeries();
  second->AddXY(1, 5, "z");
  second->Marks()->SetStyle(tee::smsLegend);
  EXPECT_EQ(second->MarkText(0), "z 5!");
  EXPECT_EQ(s->MarkText(0), "a 250!");
}

// ---- Drawing ----

// A chart of one point series on the recording canvas, 2D, with visible marks.
struct TMarksChart : TRecordedChart {
  TMarksChart() {
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    // Numbers on the axis, so that only the marks write the point labels.
    chart->BottomAxis()->SetLabelStyle(tee::talValue);
    series = AddPointSeries();
    series->Pointer()->Pen()->SetVisible(false);
    series->Pointer()->SetStyle(tee::psCircle);
    series->Marks()->SetVisible(true);
    series->AddXY(10, 20, "ten");
    series->AddXY(20, 60, "twenty");
    series->AddXY(30, 40, "thirty");
  }
  // The box a mark of `text` gets over point i (lifted by the arrow length).
  fw::TRect ExpectedBox(int i, const std::string& text) {
    // Measured on the recording surface, which measures with the real fonts.
    tee::TCanvas3D& c = *chart->Canvas();
    c.SetCanvas(&surface);
    c.AssignFont(*series->Marks()->Font());
    const int frame =
        series->Marks()->Frame()->Visible() ? 2 * series->Marks()->Frame()->Width() : 0;
    const int w = tee::WidestLine(c, text) + c.TextWidth("W") + frame;
    const int h = c.FontHeight() * tee::LineCount(text) + frame;
    c.SetCanvas(nullptr);
    const int x = series->CalcXPos(i);
    const int y = series->CalcYPos(i) - series->Marks()->ArrowLength();
    return fw::Rect(x - w / 2, y - h + 1, x - w / 2 + w, y + 1);
  }
  std::vector<int> IndexesOf(const std::string& name) {
    std::vector<int> at;
    const auto& calls = Log().Calls();
    for (std::size_t k = 0; k < calls.size(); ++k)
      if (calls[k].Name == name) at.push_back(static_cast<int>(k));
    return at;
  }
  // The texts written after the last point was drawn.
  Strings TextsAfterThePoints() {
    const auto points = IndexesOf("Ellipse");
    Strings texts;
    const auto& calls = Log().Calls();
    for (std::size_t k = points.empty() ? 0 : static_cast<std::size_t>(points.back()) + 1;
         k < calls.size(); ++k)
      if (calls[k].Name == "TextOut") texts.push_back(calls[k].Text);
    return texts;
  }
  // Lines drawn with the arrow's white pen.
  int WhiteLines() {
    const auto lines = Log().Named("LineTo");
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [](const auto& c) { return c.Pen.Color == fw::clWhite; }));
  }
  tee::TPointSeries* series = nullptr;
};

std::string Box(const fw::TRect& r) {
  return "Rectangle(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
         std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
}

TEST(SeriesMarksDrawing, MarksFollowThePointsAsLightYellowFramedBoxes) {
  TMarksChart t;
  t.series->Marks()->SetArrowLength(6);
  t.Draw();
  const auto ellipses = t.IndexesOf("Ellipse");
  ASSERT_EQ(ellipses.size(), 3u);
  // Each mark: its arrow, its box, its text; all after the last point.
  const Strings texts{"ten", "twenty", "thirty"};
  std::vector<tee::TSeriesMarkPosition> positions;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const fw::TRect box = t.ExpectedBox(i, texts[i]);
    bool found = false;
    const auto& calls = t.Log().Calls();
    for (std::size_t k = 0; k < calls.size(); ++k) {
      if (calls[k].ToString() != Box(box)) continue;
      found = true;
      EXPECT_GT(static_cast<int>(k), ellipses.back());
      EXPECT_EQ(calls[k].Brush.Color, 0x80FFFFu);
      EXPECT_EQ(calls[k].Brush.Style, fw::bsSolid);
      EXPECT_EQ(calls[k].Pen.Color, fw::clBlack);
      // The arrow runs from the point up to the box's bottom edge.
      ASSERT_GE(k, 2u);
      EXPECT_EQ(calls[k - 2].ToString(), "MoveTo(" + std::to_string(t.series->CalcXPos(i)) + "," +
                                             std::to_string(t.series->CalcYPos(i)) + ")");
      EXPECT_EQ(calls[k - 1].ToString(), "LineTo(" + std::to_string(t.series->CalcXPos(i)) + "," +
                                             std::to_string(box.Bottom - 1) + ")");
      EXPECT_EQ(calls[k - 1].Pen.Color, fw::clWhite);
      // The text centred in the box, transparent over it.
      std::size_t next = k + 1;
      while (next < calls.size() && calls[next].Name != "TextOut") ++next;
      ASSERT_LT(next, k + 3);  // at most the alignment comes between
      const fw::TRecordedCall& text = calls[next];
      EXPECT_EQ(text.ToString(), "TextOut(" + std::to_string(box.Left + box.Width() / 2) + "," +
                                     std::to_string(box.Top + 1) + ",\"" + texts[i] + "\")");
      EXPECT_EQ(text.Brush.Style, fw::bsClear);
      EXPECT_EQ(text.TextAlign, fw::TA_CENTER | fw::TA_TOP);
      EXPECT_EQ(text.Font.Name, "Arial");
      EXPECT_EQ(text.Font.Size, 8);
    }
    EXPECT_TRUE(found) << Box(box) << "\n" << t.Log().Dump();
    // Remembered as drawn.
    const TSeriesMarkPosition* p = t.series->Marks()->Positions().Position(i);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Bounds(), box);
    EXPECT_EQ(p->ArrowFrom, (fw::TPoint{t.series->CalcXPos(i), t.series->CalcYPos(i)}));
    EXPECT_EQ(p->ArrowTo, (fw::TPoint{t.series->CalcXPos(i), box.Bottom - 1}));
    EXPECT_FALSE(p->Custom);
  }
  EXPECT_EQ(t.WhiteLines(), 3);
  // A point series' own marks sit on their point (arrow length 0): no arrow line at all.
  t.series->Marks()->SetArrowLength(0);
  t.Draw();
  EXPECT_EQ(t.WhiteLines(), 0);
  const fw::TRect onPoint = t.ExpectedBox(0, "ten");
  EXPECT_EQ(onPoint.Bottom - 1, t.series->CalcYPos(0));
  EXPECT_EQ(t.Log().Strings({"Rectangle"})[1], Box(onPoint));
}

TEST(SeriesMarksDrawing, EmptyTextsNullPointsAndHiddenMarksDrawNothing) {
  TMarksChart t;
  t.series->AddNullXY(25, 50, "null");
  t.series->OnGetMarkText = [](tee::TChartSeries*, int i, std::string& text) {
    if (i == 1) text.clear();
  };
  t.Draw();
  EXPECT_EQ(t.TextsAfterThePoints(), (Strings{"ten", "thirty"}));
  EXPECT_EQ(t.Log().Count("Rectangle"), 3);  // the back wall and two boxes
  EXPECT_EQ(t.series->Marks()->Positions().Position(1), nullptr);

  t.series->Marks()->SetVisible(false);
  t.Draw();
  EXPECT_EQ(t.TextsAfterThePoints(), Strings{});
  // A series with no points draws no marks either.
  t.series->Marks()->SetVisible(true);
  t.series->Clear();
  t.Draw();
  for (const auto& c : t.Log().Named("TextOut")) EXPECT_NE(c.Text, "ten");
  EXPECT_EQ(t.Log().Count("Rectangle"), 1);
}

TEST(SeriesMarksDrawing, ClipLimitsTheMarksToThePlot) {
  TMarksChart t;
  for (bool clip : {false, true}) {
    SCOPED_TRACE(clip);
    t.series->Marks()->SetClip(clip);
    t.Draw();
    const auto texts = t.IndexesOf("TextOut");
    const int firstMark = [&] {
      for (int k : texts)
        if (t.Log().Calls()[static_cast<std::size_t>(k)].Text == "ten") return k;
      return -1;
    }();
    ASSERT_GE(firstMark, 0);
    // The calls between the last point and the first mark.
    const int lastPoint = t.IndexesOf("Ellipse").back();
    Strings between;
    for (int k = lastPoint + 1; k < firstMark; ++k) {
      const auto& name = t.Log().Calls()[static_cast<std::size_t>(k)].Name;
      if (name == "IntersectClipRect" || name == "RemoveClip") between.push_back(name);
    }
    const fw::TRect plot = t.chart->PlotRect();
    if (clip) {
      EXPECT_EQ(between, (Strings{"RemoveClip", "IntersectClipRect"}));
      EXPECT_EQ(t.Log().Named("IntersectClipRect").back().Args,
                (std::vector<int>{plot.Left + 1, plot.Top + 1, plot.Right, plot.Bottom - 1}));
    } else {
      EXPECT_EQ(between, (Strings{"RemoveClip"}));
    }
  }
}

TEST(SeriesMarksDrawing, CustomPositionsAreDrawnAsStoredAndTheListFollowsThePoints) {
  TMarksChart t;
  t.series->Marks()->SetArrowLength(6);
  TSeriesMarkPosition& custom = t.series->Marks()->Positions().Ensure(1);
  custom.Custom = true;
  custom.ArrowFrom = {100, 100};
  custom.ArrowTo = {100, 80};
  custom.LeftTop = {70, 50};
  custom.Width = 60;
  custom.Height = 31;
  const TSeriesMarkPosition stored = custom;
  t.Draw();
  EXPECT_EQ(t.Log().Count("Rectangle"), 4);
  EXPECT_EQ(t.Log().Strings({"Rectangle"})[2], "Rectangle(70,50,130,81)");
  // Not lifted, not overwritten.
  EXPECT_EQ(*t.series->Marks()->Positions().Position(1), stored);
  ASSERT_EQ(t.series->Marks()->Positions().Count(), 3);
  const TSeriesMarkPosition third = *t.series->Marks()->Positions().Position(2);

  t.series->Delete(0);
  ASSERT_EQ(t.series->Marks()->Positions().Count(), 2);
  EXPECT_EQ(*t.series->Marks()->Positions().Position(0), stored);
  EXPECT_EQ(*t.series->Marks()->Positions().Position(1), third);
  t.series->Clear();
  EXPECT_EQ(t.series->Marks()->Positions().Count(), 0);
}

TEST(SeriesMarksDrawing, MultiLineTextsMakeTallerBoxes) {
  TMarksChart t;
  t.series->Marks()->Frame()->SetVisible(false);
  t.series->Marks()->SetTransparent(true);
  t.series->SetXLabel(0, "two\rlines");
  t.Draw();
  const fw::TRect box = t.ExpectedBox(0, "two\rlines");
  const TSeriesMarkPosition* p = t.series->Marks()->Positions().Position(0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Bounds(), box);
  const int h = box.Height() / 2;
  Strings lines;
  for (const auto& c : t.Log().Named("TextOut"))
    if (c.Text == "two" || c.Text == "lines") lines.push_back(c.ToString());
  const std::string x = std::to_string(box.Left + box.Width() / 2);
  EXPECT_EQ(lines, (Strings{"TextOut(" + x + "," + std::to_string(box.Top) + ",\"two\")",
                            "TextOut(" + x + "," + std::to_string(box.Top + h) + ",\"lines\")"}));
  // Transparent and unframed: no box at all, only the text.
  EXPECT_EQ(t.Log().Count("Rectangle"), 1);
}

TEST(SeriesMarksDrawing, In3DMarksLieAtTheSeriesFrontWithTheZoomedFont) {
  for (bool zoomText : {true, false}) {
    SCOPED_TRACE(zoomText);
    TMarksChart t;
    t.chart->SetView3D(true);
    t.chart->View3DOptions()->SetZoom(150);
    t.chart->View3DOptions()->SetZoomText(zoomText);
    t.Draw();
    std::vector<fw::TRecordedCall> marks;
    for (const auto& c : t.Log().Named("TextOut"))
      if (c.Text == "ten" || c.Text == "twenty" || c.Text == "thirty") marks.push_back(c);
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0].Font.Size, zoomText ? 12 : 8);
    // The text's point is the projection of the box's centre top at the series' front depth.
    tee::TCanvas3D& c = *t.chart->Canvas();
    const TSeriesMarkPosition p = *t.series->Marks()->Positions().Position(0);
    const fw::TPoint at =
        c.Calculate3DPosition(p.LeftTop.X + p.Width / 2, p.LeftTop.Y + 1, t.series->StartZ());
    EXPECT_EQ(marks[0].Args, (std::vector<int>{at.X, at.Y}));
    EXPECT_EQ(t.series->Marks()->ZPosition(), t.series->StartZ());
  }
}

TEST(SeriesMarksDrawing, SeriesSharingADepthSlotDrawTheirMarksAfterAllTheirPoints) {
  TMarksChart t;
  t.chart->SetView3D(true);
  tee::TPointSeries* other = t.AddPointSeries();
  other->Pointer()->SetStyle(tee::psCircle);
  other->Marks()->SetVisible(true);
  other->AddXY(15, 30, "other");
  t.series->SetZOrder(0);
  other->SetZOrder(0);
  ASSERT_TRUE(t.series->SharesZOrder());
  t.Draw();
  ASSERT_EQ(t.IndexesOf("Ellipse").size(), 4u);
  EXPECT_EQ(t.TextsAfterThePoints(), (Strings{"ten", "twenty", "thirty", "other"}));
}

// Counts every text measured on the surface.
class TMeasureCounter : public fw::TRecordingCanvas {
 public:
  std::map<std::string, int> measured;

 protected:
  fw::TSize DoTextExtent(std::string_view text) override {
    ++measured[std::string(text)];
    return fw::TRecordingCanvas::DoTextExtent(text);
  }
};

TEST(SeriesMarksDrawing, EachDistinctMarkTextIsMeasuredAtMostOncePerPaint) {
  testing_support::EnsureGuiApplication();
  tee::TChart chart(nullptr);
  chart.SetBounds(0, 0, 400, 300);
  chart.SetBufferedDisplay(false);
  chart.SetView3D(false);
  chart.BottomAxis()->SetLabelStyle(tee::talValue);
  tee::TPointSeries s(nullptr);
  s.SetParentChart(&chart);
  s.Marks()->SetVisible(true);
  for (int i = 0; i < 440; ++i) s.AddXY(i, (i * 37) % 100, "mark " + std::to_string(i % 20));
  TMeasureCounter surface;
  for (int paint = 0; paint < 2; ++paint) {
    SCOPED_TRACE(paint);
    surface.measured.clear();
    chart.DrawChart(surface, fw::Rect(0, 0, 400, 300));
    int marks = 0;
    for (const auto& [text, n] : surface.measured) {
      if (text.rfind("mark ", 0) != 0) continue;
      ++marks;
      EXPECT_LE(n, 1) << text;
    }
    // The widths are kept between paints while the font stays.
    EXPECT_EQ(marks, paint == 0 ? 20 : 0);
  }
  s.SetParentChart(nullptr);
}

// ---- Axis labels ----

TEST(SeriesMarksAxisLabels, MarkLabelsShowTheMarkTextsAndTakeTheirRoom) {
  TMarksChart t;
  t.series->Marks()->SetVisible(false);
  t.series->Marks()->SetStyle(tee::smsValue);
  t.chart->BottomAxis()->SetLabelStyle(tee::talMark);
  t.Draw();
  Strings bottom;
  for (const auto& l : t.chart->BottomAxis()->LastLabels().Items) bottom.push_back(l.Text);
  EXPECT_EQ(bottom, (Strings{"20", "60", "40"}));
  t.chart->BottomAxis()->SetLabelStyle(tee::talText);
  t.Draw();
  bottom.clear();
  for (const auto& l : t.chart->BottomAxis()->LastLabels().Items) bottom.push_back(l.Text);
  EXPECT_EQ(bottom, (Strings{"ten", "twenty", "thirty"}));

  // The left axis keeps room for its widest mark text.
  t.chart->LeftAxis()->SetLabelStyle(tee::talMark);
  t.Draw();
  const int plain = t.chart->PlotRect().Left;
  t.series->OnGetMarkText = [](tee::TChartSeries*, int, std::string& text) {
    text = "a much longer mark " + text;
  };
  t.Draw();
  EXPECT_GT(t.chart->PlotRect().Left, plain + 40);
  Strings left;
  for (const auto& l : t.chart->LeftAxis()->LastLabels().Items) left.push_back(l.Text);
  ASSERT_FALSE(left.empty());
  EXPECT_EQ(left.front().rfind("a much longer mark ", 0), 0u);
}

}  // namespace

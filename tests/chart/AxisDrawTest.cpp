// Drawing an axis on the recording canvas: the order of title, labels, line, ticks and grid, label
// anchoring, the room an axis takes during layout, minor ticks, hit testing, and a rendered
// picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "framework/core/Canvas.h"
#include "framework/gui/Bitmap.h"

using axistest::Positions;
using axistest::TAxisChart;
using axistest::TPlainSeries;
using Strings = std::vector<std::string>;

namespace {

std::string Call(const char* name, std::initializer_list<int> args, const char* text = nullptr) {
  std::string s = std::string(name) + "(";
  bool first = true;
  for (int a : args) {
    if (!first) s += ",";
    s += std::to_string(a);
    first = false;
  }
  if (text) s += std::string(first ? "" : ",") + "\"" + text + "\"";
  return s + ")";
}

std::vector<std::string> Lines(int x0, int y0, int x1, int y1) {
  return {Call("MoveTo", {x0, y0}), Call("LineTo", {x1, y1})};
}

void Append(Strings& to, const Strings& more) {
  to.insert(to.end(), more.begin(), more.end());
}

struct AxisDraw : ::testing::Test {
  TAxisChart chart;
  TPlainSeries series{nullptr};

  // The main window's chart: fixed axes and a profile whose points carry their X as label.
  void MainWindow(int points) {
    chart.FixLikeMainWindow();
    series.SetParentChart(&chart);
    for (int i = 0; i < points; ++i) {
      const int x = -26000 + i * 52000 / (points - 1);
      series.AddXY(x, 30000 + (i % 7) * 5000, std::to_string(x));
    }
  }

  int LabelsHeight() { return chart.FontHeight(*chart.left->LabelsFont()); }
};

}  // namespace

TEST_F(AxisDraw, LeftAxisDrawsLabelsThenLineTicksGridInnerAndMinorTicks) {
  MainWindow(3);
  chart.LayoutWithRoom();
  chart.Log().Clear();
  tee::TChartAxis& l = *chart.left;
  l.Draw(true);
  const fw::TRect plot = chart.PlotRect();
  EXPECT_EQ(l.AxisPos(), plot.Left);
  const int h = LabelsHeight();
  const tee::TAxisLabels& labels = l.LastLabels();
  ASSERT_GE(labels.Items.size(), 8u);
  EXPECT_EQ(labels.Items.front().Value, 75000 - std::fmod(75000, labels.Increment));
  EXPECT_EQ(labels.Items.back().Value, 0);

  Strings expected;
  for (const auto& label : labels.Items) {
    expected.push_back(Call("SetTextAlign", {static_cast<int>(fw::TA_RIGHT | fw::TA_TOP)}));
    expected.push_back(Call("TextOut", {l.LabelsPos(), label.Pos - h / 2}, label.Text.c_str()));
    expected.push_back(Call("SetTextAlign", {0}));
  }
  Append(expected, Lines(l.AxisPos(), l.StartPixel(), l.AxisPos(), l.EndPixel()));
  for (const auto& label : labels.Items)
    Append(expected, Lines(l.AxisPos() - 1, label.Pos, l.AxisPos() - 5, label.Pos));
  expected.push_back(Call("SetBackMode", {fw::TRANSPARENT}));
  for (const auto& label : labels.Items)
    Append(expected, Lines(plot.Left, label.Pos, plot.Right, label.Pos));
  expected.push_back(Call("SetBackMode", {fw::OPAQUE}));
  for (const auto& label : labels.Items)
    Append(expected, Lines(l.AxisPos() + 1, label.Pos, l.AxisPos() + 1, label.Pos));
  Strings drawn = chart.Log().Strings();
  ASSERT_GE(drawn.size(), expected.size());
  EXPECT_EQ(Strings(drawn.begin(), drawn.begin() + static_cast<long>(expected.size())), expected);

  // Then minor ticks: three between every two labels, two pixels long, inside the axis only.
  const Strings minor(drawn.begin() + static_cast<long>(expected.size()), drawn.end());
  const int intervals = static_cast<int>(labels.Items.size()) - 1;
  EXPECT_GE(minor.size(), 2u * 3 * intervals);
  const fw::TRecordedCall* firstMinor = nullptr;
  for (const auto& c : chart.Log().Calls())
    if (c.Name == "LineTo" && c.Args[0] == l.AxisPos() - 3) {
      firstMinor = &c;
      break;
    }
  ASSERT_NE(firstMinor, nullptr);
  EXPECT_EQ(firstMinor->Pen.Color, fw::clGray);

  // The pens and fonts in force.
  const auto lines = chart.Log().Named("LineTo");
  EXPECT_EQ(lines[0].Pen.Width, 2);
  EXPECT_EQ(lines[0].Pen.Color, fw::clBlack);
  EXPECT_EQ(lines[1].Pen.Color, fw::clGray);
  EXPECT_EQ(lines[1].Pen.Style, fw::psSolid);
  EXPECT_EQ(lines[1 + labels.Items.size()].Pen.Style, fw::psDot);
  const auto texts = chart.Log().Named("TextOut");
  EXPECT_EQ(texts[0].Font.Name, "Arial");
  EXPECT_EQ(texts[0].Font.Size, 8);
  EXPECT_EQ(texts[0].Brush.Style, fw::bsClear);
}

TEST_F(AxisDraw, BottomAxisShowsThePointLabelsLeftToRightWithTicksAndGridOnlyThere) {
  MainWindow(441);
  chart.LayoutWithRoom();
  chart.Log().Clear();
  tee::TChartAxis& b = *chart.bottom;
  b.Draw(true);
  const tee::TAxisLabels& labels = b.LastLabels();
  ASSERT_EQ(labels.Style, tee::talText);
  ASSERT_GT(labels.Items.size(), 4u);
  EXPECT_LT(labels.Items.size(), 20u);
  EXPECT_EQ(labels.Items.front().Text, "-26000");
  for (std::size_t i = 1; i < labels.Items.size(); ++i)
    EXPECT_GT(labels.Items[i].Pos, labels.Items[i - 1].Pos);
  for (const auto& l : labels.Items) EXPECT_EQ(l.Pos, b.CalcXPosValue(std::stod(l.Text)));
  const auto texts = chart.Log().Named("TextOut");
  ASSERT_EQ(texts.size(), labels.Items.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].Text, labels.Items[i].Text);
    EXPECT_EQ(texts[i].Args, (std::vector<int>{labels.Items[i].Pos, b.LabelsPos()}));
    EXPECT_EQ(texts[i].TextAlign, fw::TA_CENTER | fw::TA_TOP);
  }
  // One tick and one grid line per drawn label.
  EXPECT_EQ(axistest::TickPositions(labels), Positions(labels));
  int gridLines = 0, ticks = 0;
  for (const auto& c : chart.Log().Named("LineTo")) {
    if (c.Pen.Style == fw::psDot)
      ++gridLines;
    else if (c.Args[1] == b.AxisPos() + 1 + 4)
      ++ticks;
  }
  EXPECT_EQ(gridLines, static_cast<int>(labels.Items.size()));
  EXPECT_EQ(ticks, static_cast<int>(labels.Items.size()));
}

TEST_F(AxisDraw, TenThousandStepsDrawOnlyTheAxisLine) {
  chart.bottom->SetLabelStyle(tee::talValue);
  chart.bottom->SetMinMax(0, 1000);
  chart.bottom->SetIncrement(0.01);
  chart.bottom->SetLabelsSeparation(0);
  chart.Layout();
  chart.Log().Clear();
  chart.bottom->Draw(true);
  EXPECT_EQ(chart.Log().Strings({"MoveTo", "LineTo", "TextOut"}), Lines(60, 340, 460, 340));
}

TEST_F(AxisDraw, CentredGridLiesBetweenLabels) {
  tee::TChartAxis& l = *chart.left;
  l.SetLabelStyle(tee::talValue);
  l.SetMinMax(0, 10);
  l.SetIncrement(100);
  l.SetLabelsSeparation(0);
  l.SetGridCentered(true);
  chart.Layout();
  auto gridLines = [&] {
    chart.Log().Clear();
    l.Draw(true);
    Strings s;
    for (const auto& c : chart.Log().Calls())
      if (c.Pen.Style == fw::psDot && (c.Name == "MoveTo" || c.Name == "LineTo"))
        s.push_back(c.ToString());
    return s;
  };
  // A single label (0): no grid line at all.
  EXPECT_TRUE(gridLines().empty());
  l.SetIncrement(5);
  // Labels 10, 5, 0 at 40, 190, 340: lines half-way, at 115 and 265.
  EXPECT_EQ(gridLines(),
            (Strings{"MoveTo(60,115)", "LineTo(460,115)", "MoveTo(60,265)", "LineTo(460,265)"}));
  l.SetGridCentered(false);
  EXPECT_EQ(gridLines().size(), 6u);
}

TEST_F(AxisDraw, LabelsAreAnchoredByAxisAndAngle) {
  // One two-line label at the value 50 on every axis.
  chart.OnGetNextAxisLabel = [](tee::TCustomChartAxis*, int index, double& value, bool& stop) {
    stop = index > 0;
    value = 50;
  };
  chart.OnGetAxisLabel = [](tee::TCustomChartAxis*, tee::TChartSeries*, int, std::string& text) {
    text = "ab\rcd";
  };
  const int h = LabelsHeight();
  const int q = h / 2 + tee::RoundHalfEven(h * 3 / 2.0) - h;
  using fw::TA_BOTTOM, fw::TA_CENTER, fw::TA_LEFT, fw::TA_RIGHT, fw::TA_TOP;
  struct Row {
    tee::TChartAxis* axis;
    int angle;
    unsigned align;
    int dx, dy, stepX, stepY;  // first line from the anchor, then each further line
  } rows[] = {
      {chart.bottom.get(), 0, TA_CENTER | TA_TOP, 0, 0, 0, h},
      {chart.top.get(), 0, TA_CENTER | TA_BOTTOM, 0, -h, 0, h},
      {chart.left.get(), 0, TA_RIGHT | TA_TOP, 0, -q, 0, h},
      {chart.right.get(), 0, TA_LEFT | TA_TOP, 0, -q, 0, h},
      {chart.bottom.get(), 90, TA_RIGHT | TA_TOP, -q, 0, h, 0},
      {chart.top.get(), 90, TA_LEFT | TA_TOP, -q, 0, h, 0},
      {chart.left.get(), 90, TA_CENTER | TA_BOTTOM, -h, 0, h, 0},
      {chart.right.get(), 90, TA_CENTER | TA_TOP, 0, 0, h, 0},
      {chart.bottom.get(), 180, TA_CENTER | TA_BOTTOM, 0, h, 0, -h},
      {chart.top.get(), 180, TA_CENTER | TA_TOP, 0, 0, 0, -h},
      {chart.left.get(), 180, TA_LEFT | TA_TOP, 0, q, 0, -h},
      {chart.right.get(), 180, TA_RIGHT | TA_TOP, 0, q, 0, -h},
      {chart.bottom.get(), 270, TA_LEFT | TA_TOP, q, 0, -h, 0},
      {chart.top.get(), 270, TA_RIGHT | TA_TOP, q, 0, -h, 0},
      {chart.left.get(), 270, TA_CENTER | TA_TOP, 0, 0, -h, 0},
      {chart.right.get(), 270, TA_CENTER | TA_BOTTOM, h, 0, -h, 0},
      {chart.bottom.get(), 45, TA_LEFT | TA_TOP, 0, 0, 0, 0},
      {chart.left.get(), 360, TA_LEFT | TA_TOP, 0, 0, 0, 0},
  };
  for (const Row& r : rows) {
    chart.SetPlotRect(fw::Rect(60, 40, 460, 340));
    tee::TChartAxis& a = *r.axis;
    a.SetLabelStyle(tee::talValue);
    a.SetMinMax(0, 100);
    a.SetLabelsAngle(r.angle);
    chart.LayoutWithRoom();
    chart.Log().Clear();
    a.Draw(true);
    const auto texts = chart.Log().Named("TextOut");
    ASSERT_EQ(texts.size(), 2u) << r.angle;
    const int p = a.CalcPosValue(50);
    const int x = a.Horizontal() ? p : a.LabelsPos();
    const int y = a.Horizontal() ? a.LabelsPos() : p;
    SCOPED_TRACE(std::to_string(r.angle) + (a.Horizontal() ? (a.OtherSide() ? " top" : " bottom")
                                                           : (a.OtherSide() ? " right" : " left")));
    EXPECT_EQ(texts[0].Text, "ab");
    EXPECT_EQ(texts[1].Text, "cd");
    EXPECT_EQ(texts[0].TextAlign, r.align);
    EXPECT_EQ(texts[0].Args, (std::vector<int>{x + r.dx, y + r.dy}));
    EXPECT_EQ(texts[1].Args, (std::vector<int>{x + r.dx + r.stepX, y + r.dy + r.stepY}));
    EXPECT_EQ(texts[0].Font.Escapement, r.angle == 0 ? 0 : r.angle * 10);
    // The alignment is reset afterwards, and rotated text is written with a clear brush.
    EXPECT_EQ(chart.surface.TextAlign(), fw::TA_LEFT | fw::TA_TOP);
    EXPECT_EQ(texts[0].Brush.Style, fw::bsClear);
    a.SetLabelsAngle(0);
    a.SetLabelStyle(tee::talAuto);
  }
}

TEST_F(AxisDraw, TitleComesFirstRotatedOnTheLeftAxis) {
  MainWindow(3);
  chart.left->Title()->SetCaption("Height");
  chart.left->Title()->Font()->SetColor(fw::clBlue);
  chart.LayoutWithRoom();
  chart.Log().Clear();
  chart.left->Draw(true);
  const auto texts = chart.Log().Named("TextOut");
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts[0].Text, "Height");
  EXPECT_EQ(texts[0].Args, (std::vector<int>{chart.left->TitlePos(), chart.left->CenterPixel()}));
  EXPECT_EQ(texts[0].TextAlign, fw::TA_CENTER | fw::TA_BOTTOM);
  EXPECT_EQ(texts[0].Font.Escapement, 900);
  EXPECT_EQ(texts[0].Font.Color, fw::clBlue);
  EXPECT_EQ(texts[1].Font.Color, fw::clBlack);
}

TEST_F(AxisDraw, ReserveSpaceTakesTitleLabelsAndTicksFromTheOutsideIn) {
  MainWindow(3);
  chart.Layout();
  tee::TChartAxis& l = *chart.left;
  l.Title()->SetCaption("Height");
  const int titleHeight = chart.FontHeight(*l.Title()->Font());
  // The value labels' room: the wider of the rounded range ends, plus a space.
  const double delta = l.CalcIncrement();
  const int labelsWidth =
      std::max(chart.TextWidth(*l.LabelsFont(), l.FormatLabel(std::trunc(-500 / delta) * delta)),
               chart.TextWidth(*l.LabelsFont(), l.FormatLabel(std::trunc(75000 / delta) * delta))) +
      chart.TextWidth(*l.LabelsFont(), " ");
  fw::TRect r = fw::Rect(60, 40, 460, 340);
  l.ReserveSpace(r, true);
  EXPECT_EQ(l.TitlePos(), 60 + titleHeight);
  EXPECT_EQ(l.LabelsPos(), 60 + titleHeight + labelsWidth);
  EXPECT_EQ(r, fw::Rect(60 + titleHeight + labelsWidth + 2 + 4, 40, 460, 340));

  // The bottom axis with point labels: one line of text high, then the ticks.
  tee::TChartAxis& b = *chart.bottom;
  r = fw::Rect(60, 40, 460, 340);
  b.ReserveSpace(r, true);
  EXPECT_EQ(b.LabelsPos(), 340 - LabelsHeight());
  EXPECT_EQ(r.Bottom, 340 - LabelsHeight() - 6);
  // Fixed sizes replace the measured ones; PositionPercent shifts the positions inwards.
  b.SetLabelsSize(30);
  b.SetPositionPercent(10);
  r = fw::Rect(60, 40, 460, 340);
  b.ReserveSpace(r, true);
  EXPECT_EQ(r.Bottom, 340 - 30 - 6);
  EXPECT_EQ(b.LabelsPos(), 310 - tee::RoundHalfEven(0.1 * (r.Bottom - 40)));
  EXPECT_EQ(b.ShiftedAxisLinePos(r), r.Bottom - tee::RoundHalfEven(0.1 * (r.Bottom - 40)));
  // Invisible pens take no room.
  l.Title()->SetCaption("");
  l.Axis()->SetVisible(false);
  l.Ticks()->SetVisible(false);
  l.MinorTicks()->SetVisible(false);
  r = fw::Rect(60, 40, 460, 340);
  l.ReserveSpace(r, true);
  EXPECT_EQ(r.Left, 60 + labelsWidth);
}

TEST_F(AxisDraw, FurtherAxesPlaceThemselvesWithoutTakingRoom) {
  MainWindow(3);
  tee::TChartAxis extra(&chart);
  extra.SetOtherSide(true);
  extra.SetLabelsSize(25);
  extra.SetPositionPercent(50);
  chart.Layout();
  fw::TRect r = fw::Rect(60, 40, 460, 340);
  extra.ReserveSpace(r, false);
  EXPECT_EQ(r, fw::Rect(60, 40, 460, 340));
  EXPECT_EQ(extra.AxisPos(), 460 - 200);
  EXPECT_EQ(extra.LabelsPos(), 260 + 6);
  EXPECT_EQ(extra.TitlePos(), 266 + 25);
}

TEST_F(AxisDraw, MinorTicksDivideTheIntervalsAndContinueBeyondTheEnds) {
  tee::TChartAxis& b = *chart.bottom;
  b.SetLabelStyle(tee::talValue);
  chart.SetPlotRect(fw::Rect(0, 0, 400, 300));
  b.SetMinMax(0, 400);
  b.SetIncrement(100);
  b.SetLabelsSeparation(0);
  b.Ticks()->SetVisible(false);
  b.Grid()->SetVisible(false);
  b.TicksInner()->SetVisible(false);
  b.Axis()->SetVisible(false);
  chart.Layout();
  chart.Log().Clear();
  b.Draw(true);
  std::vector<int> xs;
  for (const auto& c : chart.Log().Named("MoveTo")) xs.push_back(c.Args[0]);
  // Labels at 400, 300, 200, 100, 0 (from the top down); the ends themselves are not inside.
  EXPECT_EQ(xs, (std::vector<int>{375, 350, 325, 275, 250, 225, 175, 150, 125, 75, 50, 25}));
  for (const auto& c : chart.Log().Named("LineTo"))
    EXPECT_EQ(c.Args[1] - chart.Log().Named("MoveTo")[0].Args[1], 2);

  // On a logarithmic axis the values between labels are stepped.
  b.SetIncrement(0);
  b.SetMinMax(1, 100);
  b.SetLogarithmic(true);
  b.SetMinorTickCount(1);
  chart.Layout();
  chart.Log().Clear();
  b.Draw(true);
  xs.clear();
  for (const auto& c : chart.Log().Named("MoveTo")) xs.push_back(c.Args[0]);
  // Half-way in value: 5.5 and 55.
  EXPECT_EQ(xs, (std::vector<int>{b.CalcXPosValue(5.5), b.CalcXPosValue(55)}));
  // The minor grid, once visible, lies at the same places.
  b.MinorGrid()->SetVisible(true);
  chart.Log().Clear();
  b.Draw(true);
  EXPECT_EQ(chart.Log().Count("LineTo"), 4);
}

TEST_F(AxisDraw, HitTestCoversTheAxisAndItsLabels) {
  MainWindow(3);
  chart.LayoutWithRoom();
  chart.DrawAxes();
  tee::TChartAxis& l = *chart.left;
  const int mid = (l.StartPixel() + l.EndPixel()) / 2;
  EXPECT_TRUE(l.HitTest(l.AxisPos(), mid));
  EXPECT_TRUE(l.HitTest(l.AxisPos() + 2, mid));
  EXPECT_FALSE(l.HitTest(l.AxisPos() + 3, mid));
  EXPECT_TRUE(l.HitTest(l.LabelsPos(), mid));
  EXPECT_FALSE(l.HitTest(l.LabelsPos() - 1, mid));
  EXPECT_FALSE(l.HitTest(l.AxisPos(), l.EndPixel()));
  EXPECT_TRUE(l.HitTest(l.AxisPos(), l.StartPixel()));
  tee::TChartAxis& b = *chart.bottom;
  EXPECT_TRUE(b.HitTest(b.CenterPixel(), b.AxisPos() - 3));
  EXPECT_FALSE(b.HitTest(b.CenterPixel(), b.AxisPos() - 4));
  EXPECT_FALSE(b.HitTest(b.CenterPixel(), b.LabelsPos()));
  EXPECT_TRUE(b.HitTest(b.CenterPixel(), b.LabelsPos() - 1));
  // An axis the chart does not show is never hit.
  l.SetVisible(false);
  EXPECT_FALSE(l.HitTest(l.AxisPos(), mid));
}

TEST_F(AxisDraw, AxisLinesOfTheFourSidesAndTheDepthAxis) {
  chart.Layout();
  for (tee::TCustomChartAxis* a : chart.AxesList()) a->SetLabelStyle(tee::talNone);
  chart.Log().Clear();
  chart.top->Draw(true);
  chart.right->Draw(true);
  chart.SetView3D(true);
  chart.SetDepthOffsetX(30);
  chart.depth->SetVisible(true);
  chart.depth->Draw(true);
  EXPECT_EQ(chart.Log().Strings({"MoveTo", "LineTo"}),
            (Strings{"MoveTo(60,40)", "LineTo(460,40)", "MoveTo(460,40)", "LineTo(460,340)",
                     "MoveTo(460,340)", "LineTo(460,340)"}));
}

TEST_F(AxisDraw, RendersTheMainWindowsAxes) {
  MainWindow(441);
  chart.SetPlotRect(fw::Rect(15, 30, 467, 380));
  fw::TBitmap bitmap(482, 395);
  bitmap.Canvas().Brush().SetColor(fw::clWhite);
  bitmap.Canvas().FillRect(fw::Rect(0, 0, 482, 395));
  chart.UseSurface(bitmap.Canvas(), fw::Rect(0, 0, 482, 395));
  chart.LayoutWithRoom();
  const fw::TRect plot = chart.PlotRect();
  chart.canvas.Pen().SetColor(fw::clBlack);
  chart.canvas.Brush().SetStyle(fw::bsClear);
  chart.canvas.Rectangle(plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1);
  chart.DrawAxes();
  const std::string path = ::testing::TempDir() + "axes_main_window.png";
  ASSERT_TRUE(bitmap.SaveToFile(path));
  std::printf("rendered %s\n", path.c_str());

  // The left axis line is black and two pixels wide.
  const int mid = (plot.Top + plot.Bottom) / 2;
  EXPECT_EQ(bitmap.GetPixel(plot.Left, mid), fw::clBlack);
  // The grid of the left axis: grey dots along the line of the label 30000.
  const int y = chart.left->CalcYPosValue(30000);
  int grey = 0;
  for (int x = plot.Left + 5; x < plot.Right - 5; ++x) grey += bitmap.GetPixel(x, y) == fw::clGray;
  EXPECT_GT(grey, (plot.Right - plot.Left) / 4);
  // Label text left of the axis at that height.
  int ink = 0;
  for (int x = 0; x < plot.Left - 6; ++x)
    for (int dy = -4; dy <= 4; ++dy) ink += bitmap.GetPixel(x, y + dy) != fw::clWhite;
  EXPECT_GT(ink, 10);
}

TEST_F(AxisDraw, In3DGridLinesRunAlongTheFloorAndUpTheBackWall) {
  // The canvas draws flat (its projection is off), so each projected line shows its X and Y.
  chart.SetView3D(true);
  chart.SetDepthOffsetX(20);
  for (tee::TChartAxis* a : {chart.bottom.get(), chart.top.get()}) {
    a->SetLabelStyle(tee::talValue);
    a->SetMinMax(0, 100);
    a->SetIncrement(100);
    a->SetLabelsSeparation(0);
    a->Ticks()->SetVisible(false);
    a->TicksInner()->SetVisible(false);
    a->MinorTicks()->SetVisible(false);
    a->Axis()->SetVisible(false);
    a->SetLabels(false);
    a->SetTickOnLabelsOnly(false);
  }
  chart.Layout();
  chart.Log().Clear();
  chart.bottom->Draw(true);
  // Labels 100 and 0 at 460 and 60: from the axis into the depth, then up the back wall.
  EXPECT_EQ(chart.Log().Strings({"MoveTo", "LineTo"}),
            (Strings{"MoveTo(460,340)", "LineTo(460,340)", "MoveTo(460,40)", "LineTo(460,340)",
                     "MoveTo(60,340)", "LineTo(60,340)", "MoveTo(60,40)", "LineTo(60,340)"}));
  chart.Log().Clear();
  chart.top->Draw(true);
  // The top axis lies at the back already.
  EXPECT_EQ(chart.Log().Strings({"MoveTo", "LineTo"}),
            (Strings{"MoveTo(460,40)", "LineTo(460,340)", "MoveTo(60,40)", "LineTo(60,340)"}));
}

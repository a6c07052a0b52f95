// The chart's layout and paint pipeline: the order of a paint, the plot rectangle, the walls, 3D
// depth, automatic ranges with paging, series colours, repaint requests and buffered painting,
// property errors and Assign.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ChartFixtures.h"
#include "chart/ChartErrors.h"
#include "framework/core/Exceptions.h"

namespace {

using charttest::Strings;
using charttest::TRecordedChart;

// Index of the first logged call for which `pred` holds; -1 when none.
template <class P>
int FirstIndex(const fw::TCanvasLog& log, P pred) {
  const auto& calls = log.Calls();
  for (std::size_t i = 0; i < calls.size(); ++i)
    if (pred(calls[i])) return static_cast<int>(i);
  return -1;
}

class ChartLayout : public ::testing::Test, public TRecordedChart {
 protected:
  tee::TChart& C() { return *chart; }
  tee::TPointSeries* SeriesWith(std::initializer_list<std::pair<double, double>> points,
                                fw::TColor color) {
    tee::TPointSeries* s = AddPointSeries();
    s->SetSeriesColor(color);
    for (auto [x, y] : points) s->AddXY(x, y);
    return s;
  }
  // Draws the next direct calls on the recording surface (a paint leaves the chart on its own).
  void Attach() {
    C().Canvas()->SetCanvas(&surface);
    Log().Clear();
  }
};

TEST_F(ChartLayout, APaintRunsBackgroundTitleWallsAxesAndSeriesInThatOrder) {
  C().Title()->SetText({"Hello"});
  C().SetView3D(false);
  C().Legend()->SetVisible(false);
  tee::TPointSeries* s = SeriesWith({{1, 1}, {2, 4}, {3, 9}}, fw::clRed);
  int afterDraw = 0;
  C().OnAfterDraw = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, chart.get());
    ++afterDraw;
  };
  std::vector<std::string> order;
  C().OnBeforeDrawAxes = [&](fw::TObject*) { order.push_back("axes"); };
  C().OnBeforeDrawSeries = [&](fw::TObject*) { order.push_back("series"); };
  s->BeforeDrawValues = [&](fw::TObject*) { order.push_back("values"); };
  Draw();
  EXPECT_EQ(afterDraw, 1);
  EXPECT_EQ(order, (Strings{"axes", "series", "values"}));

  const fw::TRect p = C().PlotRect();
  const int background =
      FirstIndex(Log(), [](const fw::TRecordedCall& c) { return c.Name == "FillRect"; });
  const int title = FirstIndex(Log(), [](const fw::TRecordedCall& c) { return c.Text == "Hello"; });
  const int wall = FirstIndex(Log(), [&](const fw::TRecordedCall& c) {
    return c.ToString() == "Rectangle(" + std::to_string(p.Left) + "," + std::to_string(p.Top) +
                               "," + std::to_string(p.Right + 1) + "," +
                               std::to_string(p.Bottom + 1) + ")";
  });
  const int axisLabel = FirstIndex(
      Log(), [&](const fw::TRecordedCall& c) { return c.Name == "TextOut" && c.Text != "Hello"; });
  const int points = FirstIndex(Log(), [](const fw::TRecordedCall& c) {
    return c.Name == "Rectangle" && c.Brush.Color == fw::clRed;
  });
  EXPECT_EQ(background, 0) << Log().Dump();
  EXPECT_LT(background, title);
  EXPECT_LT(title, wall);
  EXPECT_LT(wall, axisLabel);
  EXPECT_LT(axisLabel, points);
  // The series is clipped to the plot rectangle, and the clip is removed afterwards.
  const int clip =
      FirstIndex(Log(), [](const fw::TRecordedCall& c) { return c.Name == "IntersectClipRect"; });
  EXPECT_LT(clip, points);
  EXPECT_GT(Log().Count("RemoveClip"), 0);
  EXPECT_EQ(Log().Count("Rectangle") - 1, 3);  // the wall and three pointers
}

TEST_F(ChartLayout, The2DBackWallIsOnePixelWiderAndHigherThanThePlot) {
  C().SetView3D(false);
  C().BackWall()->SetColor(fw::clYellow);
  SeriesWith({{1, 1}}, fw::clRed);
  Draw();
  const fw::TRect p = C().PlotRect();
  Attach();
  C().DrawWalls();
  ASSERT_EQ(Log().Count("Rectangle"), 1);
  const fw::TRecordedCall wall = Log().Named("Rectangle")[0];
  EXPECT_EQ(wall.Args, (std::vector<int>{p.Left, p.Top, p.Right + 1, p.Bottom + 1}));
  EXPECT_EQ(wall.Brush.Color, fw::clYellow);
  EXPECT_EQ(wall.Pen.Color, fw::clBlack);
  // The back wall starts with a clear brush: its colour alone does not fill it.
  tee::TChart plain(nullptr);
  EXPECT_EQ(plain.BackWall()->Brush()->Style(), fw::bsClear);
  EXPECT_EQ(plain.LeftWall()->Color(), 0x80FFFF);
  EXPECT_EQ(plain.BottomWall()->Color(), fw::clWhite);
  EXPECT_FALSE(fw::FindPropInfo(*plain.LeftWall(), "Color")->IsStored(*plain.LeftWall()));
}

TEST_F(ChartLayout, In3DTheWallsArePlanesOrBoxesBehindAndBesideThePlot) {
  C().SetView3D(true);
  SeriesWith({{1, 1}}, fw::clRed);
  Draw();
  Attach();
  C().DrawWalls();
  // Back, left and bottom: three projected planes, the back one unfilled, the left one light
  // yellow and the bottom one white.
  const auto planes = Log().Named("Polygon");
  ASSERT_EQ(planes.size(), 3u);
  EXPECT_EQ(planes[0].Brush.Style, fw::bsClear);
  EXPECT_EQ(planes[1].Brush.Color, 0x80FFFF);
  EXPECT_EQ(planes[2].Brush.Color, fw::clWhite);
  // Walls with a thickness are boxes.
  C().BackWall()->SetSize(4);
  C().LeftWall()->SetSize(4);
  C().BottomWall()->SetSize(4);
  Log().Clear();
  C().DrawWalls();
  EXPECT_GT(Log().Count("Polygon"), 3);
  // Without 3D walls nothing is drawn.
  C().SetView3DWalls(false);
  Log().Clear();
  C().DrawWalls();
  EXPECT_EQ(Log().Count("Polygon") + Log().Count("Rectangle"), 0);
}

TEST_F(ChartLayout, ACollapsedPlotRectangleIsRepaired) {
  Draw();  // FullRect becomes (0, 0, 400, 300)
  C().SetPlotRect(fw::Rect(50, 10, 40, 100));
  C().RecalcPlotSize();
  EXPECT_EQ(C().PlotRect(), fw::Rect(50, 10, 51, 100));
  C().SetPlotRect(fw::Rect(50, 10, 50, 100));
  C().RecalcPlotSize();
  EXPECT_EQ(C().PlotRect(), fw::Rect(50, 10, 450, 100));
  C().SetPlotRect(fw::Rect(-5, 60, 100, 60));
  C().RecalcPlotSize();
  EXPECT_EQ(C().PlotRect(), fw::Rect(0, 60, 100, 360));
  EXPECT_EQ(C().PlotWidth(), 100);
  EXPECT_EQ(C().PlotCenterY(), 210);
  // Margins that meet still give a paint.
  C().SetMarginLeft(60);
  C().SetMarginRight(60);
  Draw();
  EXPECT_GE(C().PlotWidth(), 1);
}

TEST_F(ChartLayout, TheMarginsAndBorderCutThePlotOutOfTheWholeRectangle) {
  C().SetAxisVisible(false);
  C().SetView3D(false);
  C().Title()->SetVisible(false);
  Draw();
  EXPECT_EQ(C().FullRect(), fw::Rect(0, 0, 400, 300));
  // 3 % of 400 and 4 % of 300, rounded.
  EXPECT_EQ(C().PlotRect(), fw::Rect(12, 12, 388, 288));
  C().SetBorderWidth(5);
  Draw();
  EXPECT_EQ(C().PlotRect(), fw::Rect(17, 17, 383, 283));
}

TEST_F(ChartLayout, PagingShowsOnePageOfPointsOnTheIndependentAxis) {
  tee::TPointSeries* s = AddPointSeries();
  for (int i = 0; i < 25; ++i) s->AddXY(i * 2, 100 - i);
  int changes = 0;
  C().OnPageChange = [&](fw::TObject*) { ++changes; };
  C().SetMaxPointsPerPage(10);
  EXPECT_EQ(C().PageCount(), 3);
  const tee::TChartAxis* bottom = C().BottomAxis();
  EXPECT_EQ(C().MinXValueOfAxis(bottom), 0);
  EXPECT_EQ(C().MaxXValueOfAxis(bottom), 18);
  C().SetPage(3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(C().MinXValueOfAxis(bottom), 40);
  EXPECT_EQ(C().MaxXValueOfAxis(bottom), 48);
  // The dependent axis keeps the range of all points.
  EXPECT_EQ(C().MinYValueOfAxis(C().LeftAxis()), 76);
  EXPECT_EQ(C().MaxYValueOfAxis(C().LeftAxis()), 100);
  // A short last page keeps the scale of a full page.
  C().SetScaleLastPage(false);
  EXPECT_EQ(C().MaxXValueOfAxis(bottom), 40 + (48 - 40) * 10 / 5);
  // The visible points of page 3 are 20 to 24.
  Draw();
  EXPECT_EQ(s->FirstValueIndex(), 20);
  EXPECT_EQ(s->LastValueIndex(), 24);

  C().SetPage(0);
  EXPECT_EQ(C().Page(), 1);
  C().SetPage(9);
  EXPECT_EQ(C().Page(), 3);
  C().SetPage(3);  // no change, no event
  EXPECT_EQ(changes, 3);
  // Fewer pages pull the page back.
  C().SetMaxPointsPerPage(20);
  EXPECT_EQ(C().Page(), 2);
  try {
    C().SetMaxPointsPerPage(-1);
    FAIL();
  } catch (const tee::ChartException& e) {
    EXPECT_STREQ(e.what(), "MaxPointsPerPage must be >= 0");
  }
  EXPECT_EQ(C().MaxPointsPerPage(), 20);
  C().SetMaxPointsPerPage(0);
  EXPECT_EQ(C().PageCount(), 1);
}

TEST_F(ChartLayout, TheSeventeenthAutomaticSeriesColourIsRed) {
  std::vector<std::unique_ptr<tee::TPointSeries>> all;
  std::vector<fw::TColor> colors;
  for (int i = 0; i < 17; ++i) {
    all.push_back(std::make_unique<tee::TPointSeries>(nullptr));
    all.back()->SetParentChart(chart.get());
    colors.push_back(all.back()->SeriesColor());
  }
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(colors[static_cast<std::size_t>(i)], tee::GetDefaultColor(i)) << i;
  EXPECT_EQ(colors[16], fw::clRed);
  // A colour equal to the panel or back wall colour is not free when the background counts.
  C().SetColor(fw::clNavy);
  C().BackWall()->SetColor(fw::clTeal);
  all.clear();
  EXPECT_FALSE(C().IsSeriesColorFree(fw::clNavy, true));
  EXPECT_FALSE(C().IsSeriesColorFree(fw::clTeal, true));
  EXPECT_TRUE(C().IsSeriesColorFree(fw::clNavy, false));
}

TEST_F(ChartLayout, AChartWithoutSeriesShowsTitlesAndAxesWithEmptyRanges) {
  C().Title()->SetText({"Empty"});
  Draw();
  EXPECT_EQ(FirstIndex(Log(), [](const fw::TRecordedCall& c) { return c.Text == "Empty"; }) >= 0,
            true);
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(C().IsAxisShown(C().StandardAxis(i))) << i;
  EXPECT_FALSE(C().IsAxisShown(C().DepthAxis()));
  EXPECT_EQ(C().LeftAxis()->Minimum(), 0);
  EXPECT_EQ(C().LeftAxis()->Maximum(), 0);
  // No legend without series, though it is visible.
  EXPECT_EQ(C().Legend()->LegendRect(), fw::TRect{});
}

TEST_F(ChartLayout, ASeriesWithoutPointsIsNotDrawn) {
  tee::TPointSeries* empty = AddPointSeries();
  tee::TPointSeries* full = SeriesWith({{1, 1}}, fw::clRed);
  int emptyCalls = 0, fullCalls = 0;
  empty->BeforeDrawValues = [&](fw::TObject*) { ++emptyCalls; };
  full->BeforeDrawValues = [&](fw::TObject*) { ++fullCalls; };
  Draw();
  EXPECT_EQ(emptyCalls, 0);
  EXPECT_EQ(fullCalls, 1);
}

TEST_F(ChartLayout, AutomaticAxesLeaveRoomForThePointersAtTheirEnds) {
  C().SetView3D(false);
  tee::TPointSeries* s = SeriesWith({{0, 0}, {100, 100}}, fw::clRed);
  s->Pointer()->SetHorizSize(5);
  s->Pointer()->SetVertSize(5);
  Draw();
  // The end points lie HorizSize + 1 pixels inside the plot's edges.
  EXPECT_EQ(C().BottomAxis()->CalcXPosValue(0), C().BottomAxis()->StartPixel() + 6);
  EXPECT_EQ(C().BottomAxis()->CalcXPosValue(100), C().BottomAxis()->EndPixel() - 6);
  EXPECT_EQ(C().LeftAxis()->CalcYPosValue(100), C().LeftAxis()->StartPixel() + 6);
  // Fixed ends never move.
  C().BottomAxis()->SetMinMax(0, 100);
  Draw();
  EXPECT_EQ(C().BottomAxis()->CalcXPosValue(0), C().BottomAxis()->StartPixel());
}

TEST_F(ChartLayout, DepthPerSeriesGivesEverySeriesItsSlot) {
  C().SetView3D(true);
  tee::TPointSeries* a = SeriesWith({{1, 1}}, fw::clRed);
  tee::TPointSeries* b = SeriesWith({{1, 1}}, fw::clBlue);
  C().SetPlotRect(fw::Rect(0, 0, 400, 200));
  C().AssignSeriesDepth();
  C().CalcDepth3D();
  EXPECT_EQ(C().HighestZOrder(), 1);
  EXPECT_EQ(C().SeriesDepth(), 6);  // 400 × 0.015
  EXPECT_EQ(C().DepthOffsetX(), 12);
  C().CalcSeriesZPositions();
  // The first series lies at the back.
  EXPECT_EQ((std::vector<int>{a->StartZ(), a->MiddleZ(), a->EndZ()}), (std::vector<int>{6, 9, 12}));
  EXPECT_EQ((std::vector<int>{b->StartZ(), b->MiddleZ(), b->EndZ()}), (std::vector<int>{0, 3, 6}));
  C().View3DOptions()->SetOrthogonal(false);
  C().CalcDepth3D();
  EXPECT_EQ(C().SeriesDepth(), 12);
  C().SetView3D(false);
  C().AssignSeriesDepth();
  C().CalcDepth3D();
  EXPECT_EQ(C().DepthOffsetX(), 0);
}

TEST_F(ChartLayout, In3DSeriesSharingADepthAreDrawnPointByPoint) {
  C().SetView3D(true);
  SeriesWith({{1, 1}, {2, 2}, {3, 3}}, fw::clRed)->SetZOrder(0);
  SeriesWith({{1, 2}, {2, 3}}, fw::clBlue)->SetZOrder(0);
  Draw();
  std::vector<fw::TColor> order;
  for (const auto& c : Log().Calls())
    if (c.Name == "Polygon" && (c.Brush.Color == fw::clRed || c.Brush.Color == fw::clBlue) &&
        c.Pen.Color != 0x80FFFF)
      order.push_back(c.Brush.Color);
  // Cubes have several faces; collapse runs of the same colour. Index by index, each pointer one
  // step late: red 0, blue 0, blue 1 (its last point), red 1, red 2. Drawn series by series it
  // would be red, blue.
  order.erase(std::unique(order.begin(), order.end()), order.end());
  EXPECT_EQ(order, (std::vector<fw::TColor>{fw::clRed, fw::clBlue, fw::clRed}));
}

TEST_F(ChartLayout, RepaintRequestsWaitForTheCreatedFlag) {
  const int before = C().RepaintRequestCount();
  C().SetChartCreated(false);
  C().SetMarginLeft(7);
  C().Title()->SetText({"x"});
  EXPECT_EQ(C().RepaintRequestCount(), before);
  C().SetChartCreated(true);
  C().SetMarginLeft(7);  // unchanged
  EXPECT_EQ(C().RepaintRequestCount(), before);
  C().SetMarginLeft(8);
  C().Title()->Font()->SetColor(fw::clRed);
  C().BackWall()->Pen()->SetWidth(2);
  C().Legend()->SetColor(fw::clRed);
  EXPECT_EQ(C().RepaintRequestCount(), before + 4);
}

TEST_F(ChartLayout, AnUnchangedChartIsRepaintedByOneBitmapCopy) {
  C().SetBufferedDisplay(true);
  tee::TPointSeries* s = SeriesWith({{1, 1}, {2, 2}}, fw::clRed);
  chart->PaintWindow(surface);
  // Drawn into the buffer, then copied to the window.
  EXPECT_GT(Log().Size(), 20u);
  EXPECT_EQ(Log().Calls().back().Name, "Draw");
  EXPECT_EQ(Log().Calls().back().Target, "canvas");
  Log().Clear();
  chart->PaintWindow(surface);
  ASSERT_EQ(Log().Size(), 1u) << Log().Dump();
  EXPECT_EQ(Log().Calls()[0].ToString(), "Draw(0,0,\"bitmap\")");
  // A change makes the buffer stale: the next paint draws again.
  s->AddXY(3, 3);
  Log().Clear();
  chart->PaintWindow(surface);
  EXPECT_GT(Log().Size(), 20u);
  // A new size, too.
  chart->PaintWindow(surface);
  chart->SetBounds(0, 0, 300, 200);
  Log().Clear();
  chart->PaintWindow(surface);
  EXPECT_GT(Log().Size(), 20u);
}

TEST_F(ChartLayout, RefusedValuesRaiseTheEngineMessagesAndKeepTheOldValue) {
  for (int bad : {0, 101}) {
    try {
      C().SetChart3DPercent(bad);
      FAIL() << bad;
    } catch (const tee::ChartException& e) {
      EXPECT_STREQ(e.what(), "3D effect percent must be between 1 and 100");
    }
  }
  EXPECT_EQ(C().Chart3DPercent(), 15);
  C().SetChart3DPercent(1);
  C().SetChart3DPercent(100);
  EXPECT_EQ(C().Chart3DPercent(), 100);
}

TEST_F(ChartLayout, AssignCopiesTheSettingsButNotTheSeries) {
  SeriesWith({{1, 1}}, fw::clRed);
  tee::TChart other(nullptr);
  other.Title()->SetText({"Copied"});
  other.Legend()->SetAlignment(tee::laTop);
  other.BottomWall()->SetSize(3);
  other.BottomAxis()->SetMinMax(-5, 5);
  other.SetMarginTop(9);
  other.SetView3D(false);
  other.SetMaxPointsPerPage(4);
  other.SetColor(fw::clAqua);
  C().Assign(&other);
  EXPECT_EQ(C().Title()->Text(), (Strings{"Copied"}));
  EXPECT_EQ(C().Legend()->Alignment(), tee::laTop);
  EXPECT_EQ(C().BottomWall()->Size(), 3);
  EXPECT_EQ(C().BottomAxis()->Maximum(), 5);
  EXPECT_EQ(C().MarginTop(), 9);
  EXPECT_FALSE(C().View3D());
  EXPECT_EQ(C().MaxPointsPerPage(), 4);
  EXPECT_EQ(C().Color(), fw::clAqua);
  EXPECT_EQ(C().SeriesCount(), 1);
  EXPECT_EQ(other.SeriesCount(), 0);
  tee::TPointSeries notAChart(nullptr);
  EXPECT_THROW(C().Assign(&notAChart), fw::EConvertError);
}

TEST_F(ChartLayout, RemovingASeriesRestoresTheCursorItHadSet) {
  tee::TPointSeries* s = AddPointSeries();
  s->SetCursor(fw::crHandPoint);
  C().SetCursor(fw::crHandPoint);
  C().RemoveSeries(s);
  EXPECT_EQ(C().Cursor(), fw::crDefault);
  EXPECT_EQ(s->ParentChart(), nullptr);
  EXPECT_EQ(C().SeriesCount(), 0);
}

}  // namespace

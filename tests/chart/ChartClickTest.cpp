// What a press on the main window's chart finds (HitTestChart, in its order) and which click
// events it raises; when a press may go on to start a zoom or pan; the series cursor; and the zoom
// rectangle as the canvas sees it (not-xor pairs) and as a buffered paint shows it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChartFixtures.h"
#include "chart/ChartImage.h"
#include "framework/core/SystemColors.h"
#include "framework/gui/Bitmap.h"

namespace {

class MainChartClicks : public ::testing::Test {
 protected:
  MainChartClicks() : chart(*w.chart) {
    w.Measure({{-20000, 5000}, {7500, 42000}, {22000, 12000}});
    Render();
  }
  void Render() { tee::RenderChart(chart, bitmap); }
  fw::TPoint PointOf(double x, double y) const {
    return fw::Point(chart.BottomAxis()->CalcXPosValue(x), chart.LeftAxis()->CalcYPosValue(y));
  }
  fw::TPoint PlotCentre() const { return fw::Point(chart.PlotCenterX(), chart.PlotCenterY()); }

  charttest::TMainWindowChart w;
  tee::TChart& chart;
  fw::TBitmap bitmap;
};

TEST_F(MainChartClicks, HitTestFindsSeriesThenAxesThenTitlesThenThePlotThenTheLegend) {
  const fw::TRect plot = chart.PlotRect();
  const fw::TPoint point = PointOf(7500, 42000);
  const fw::TRect title = chart.Title()->TitleRect();
  struct Case {
    const char* what;
    fw::TPoint at;
    tee::TChartHitKind kind;
  };
  for (const Case& c :
       {Case{"point", fw::Point(point.X + 1, point.Y - 1), tee::hkSeries},
        Case{"bottom labels", fw::Point(plot.Left + 50, plot.Bottom + 2), tee::hkAxis},
        Case{"left labels", fw::Point(plot.Left - 2, plot.Top + 50), tee::hkAxis},
        Case{"title", fw::Point((title.Left + title.Right) / 2, title.Top + 2), tee::hkTitle},
        Case{"plot", PlotCentre(), tee::hkChartRect},
        Case{"corner", fw::Point(1, 1), tee::hkNone}}) {
    EXPECT_EQ(chart.HitTestChart(c.at.X, c.at.Y).Kind, c.kind) << c.what;
  }
  const tee::TChartHit onPoint = chart.HitTestChart(point.X, point.Y);
  EXPECT_EQ(onPoint.Series, w.osc);
  EXPECT_EQ(onPoint.ValueIndex, 1);
  EXPECT_EQ(chart.HitTestChart(plot.Left + 50, plot.Bottom + 2).Axis, chart.BottomAxis());
  EXPECT_EQ(chart.HitTestChart(plot.Left - 2, plot.Top + 50).Axis, chart.LeftAxis());

  // A point of the later series wins over the same point of an earlier one.
  w.series1->AddXY(7500, 42000, "", fw::clGreen);
  Render();
  EXPECT_EQ(chart.HitTestChart(point.X, point.Y).Series, w.series1);
  // A point lying on an axis is the series' click.
  w.series1->AddXY(0, -500, "", fw::clGreen);
  Render();
  const fw::TPoint onAxis = PointOf(0, -500);
  EXPECT_EQ(chart.HitTestChart(onAxis.X, onAxis.Y).Kind, tee::hkSeries);

  // Without an active series the plot is nothing to click.
  w.osc->SetActive(false);
  w.series1->SetActive(false);
  Render();
  EXPECT_EQ(chart.HitTestChart(PlotCentre().X, PlotCentre().Y).Kind, tee::hkNone);
}

TEST_F(MainChartClicks, AVisibleLegendIsHitLast) {
  chart.Legend()->SetVisible(true);
  Render();
  const fw::TRect legend = chart.Legend()->LegendRect();
  ASSERT_GT(legend.Width(), 0);
  const tee::TChartHit hit = chart.HitTestChart(legend.Left + 3, legend.Top + 3);
  EXPECT_EQ(hit.Kind, tee::hkLegend);
  EXPECT_EQ(hit.ValueIndex, 0);
  int clicks = 0;
  chart.OnClickLegend = [&](tee::TCustomChart*, fw::TMouseButton, fw::TShiftState, int, int) {
    ++clicks;
  };
  chart.HandleMouseDown(fw::mbLeft, {}, legend.Left + 3, legend.Top + 3);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(chart.ZoomDrag().Active);
}

TEST_F(MainChartClicks, ASeriesClickSuppressesTheZoomUnlessItsHandlerClearsClickHandled) {
  const fw::TPoint p = PointOf(7500, 42000);
  std::vector<int> clicked;
  bool wantDefault = false;
  chart.OnClickSeries = [&](tee::TCustomChart* sender, tee::TChartSeries* series, int index,
                            fw::TMouseButton, fw::TShiftState, int, int) {
    EXPECT_EQ(series, w.osc);
    EXPECT_TRUE(sender->ClickHandled());
    clicked.push_back(index);
    if (wantDefault) sender->SetClickHandled(false);
  };
  chart.HandleMouseDown(fw::mbLeft, {}, p.X, p.Y);
  EXPECT_FALSE(chart.ZoomDrag().Active);
  chart.HandleMouseUp(fw::mbLeft, {}, p.X, p.Y);
  wantDefault = true;
  chart.HandleMouseDown(fw::mbLeft, {}, p.X, p.Y);
  EXPECT_TRUE(chart.ZoomDrag().Active);
  chart.HandleMouseUp(fw::mbLeft, {}, p.X, p.Y);
  EXPECT_EQ(clicked, (std::vector<int>{1, 1}));
  EXPECT_FALSE(chart.ClickHandled());

  // The series' own OnClick comes first and, alone, also takes the press.
  chart.OnClickSeries = nullptr;
  int own = 0;
  w.osc->OnClick = [&](tee::TChartSeries*, int, fw::TMouseButton, fw::TShiftState, int, int) {
    ++own;
  };
  chart.HandleMouseDown(fw::mbRight, {}, p.X, p.Y);
  EXPECT_EQ(own, 1);
  EXPECT_FALSE(chart.PanDrag().Active);
}

TEST_F(MainChartClicks, AxisAndBackgroundClicksAndWhatFollowsThem) {
  const fw::TRect plot = chart.PlotRect();
  std::vector<std::string> events;
  bool wantDefault = false;
  chart.OnClickAxis = [&](tee::TCustomChart* c, tee::TChartAxis* axis, fw::TMouseButton,
                          fw::TShiftState, int, int) {
    events.push_back(axis == chart.BottomAxis() ? "bottom axis" : "other axis");
    if (wantDefault) c->SetClickHandled(false);
  };
  chart.OnClickBackground = [&](tee::TCustomChart* c, fw::TMouseButton, fw::TShiftState, int, int) {
    events.push_back("background");
    if (wantDefault) c->SetClickHandled(false);
  };
  auto press = [&](fw::TMouseButton b, int x, int y) {
    chart.HandleMouseDown(b, {}, x, y);
    const bool zoom = chart.ZoomDrag().Active;
    const bool pan = chart.PanDrag().Active;
    chart.HandleMouseUp(b, {}, x, y);
    return std::pair{zoom, pan};
  };
  EXPECT_EQ(press(fw::mbLeft, plot.Left + 50, plot.Bottom + 2), (std::pair{false, false}));
  EXPECT_EQ(press(fw::mbLeft, PlotCentre().X, PlotCentre().Y), (std::pair{false, false}));
  // Outside the plot a press is a click only, whatever the handler wants.
  wantDefault = true;
  EXPECT_EQ(press(fw::mbLeft, 1, 1), (std::pair{false, false}));
  EXPECT_EQ(press(fw::mbLeft, plot.Left + 50, plot.Bottom + 2), (std::pair{true, false}));
  EXPECT_EQ(press(fw::mbRight, PlotCentre().X, PlotCentre().Y), (std::pair{false, true}));
  // The middle button starts nothing, and its press is one background click, not two.
  EXPECT_EQ(press(fw::mbMiddle, PlotCentre().X, PlotCentre().Y), (std::pair{false, false}));
  EXPECT_EQ(events, (std::vector<std::string>{"bottom axis", "background", "background",
                                              "bottom axis", "background", "background"}));
}

TEST_F(MainChartClicks, AnOnMouseDownHandlerThatSetsClickHandledTakesThePress) {
  int background = 0;
  chart.OnClickBackground = [&](tee::TCustomChart*, fw::TMouseButton, fw::TShiftState, int, int) {
    ++background;
  };
  chart.OnMouseDown = [&](fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) {
    chart.SetClickHandled(true);
  };
  chart.HandleMouseDown(fw::mbLeft, {}, PlotCentre().X, PlotCentre().Y);
  EXPECT_FALSE(chart.ZoomDrag().Active);
  EXPECT_FALSE(chart.ClickHandled());
  EXPECT_EQ(background, 0);
}

TEST_F(MainChartClicks, ASeriesLendsItsCursorWhileThePointerIsOverOneOfItsPoints) {
  w.osc->SetCursor(fw::crHandPoint);
  const fw::TPoint p = PointOf(7500, 42000);
  chart.HandleMouseMove({}, p.X, p.Y);
  EXPECT_EQ(chart.Cursor(), fw::crHandPoint);
  chart.HandleMouseMove({}, PlotCentre().X, PlotCentre().Y);
  EXPECT_EQ(chart.Cursor(), chart.SavedCursor());
  chart.HandleMouseMove({}, p.X, p.Y);
  // A pan drag ends, and the cursor returns, when the pointer leaves the control.
  chart.HandleMouseDown(fw::mbRight, {}, PlotCentre().X, PlotCentre().Y);
  EXPECT_TRUE(chart.PanDrag().Active);
  EXPECT_EQ(chart.Cursor(), fw::crDefault);
  chart.HandleMouseMove({fw::ssRight}, p.X, p.Y);
  chart.HandleMouseLeave();
  EXPECT_FALSE(chart.PanDrag().Active);
  EXPECT_EQ(chart.Cursor(), chart.SavedCursor());
}

// The rectangle goes to the control's surface, which a recording canvas stands in for here.
class ZoomRectangle : public MainChartClicks {
 protected:
  ~ZoomRectangle() override { chart.Canvas()->SetCanvas(nullptr); }
  void Watch() { chart.Canvas()->SetCanvas(&surface); }
  std::vector<std::string> Rectangles() { return surface.Log().Strings({"Rectangle"}); }
  fw::TRecordingCanvas surface;
};

TEST_F(ZoomRectangle, EveryRectangleIsDrawnTwiceInNotXorSoThatNoneIsLeft) {
  Watch();
  chart.HandleMouseDown(fw::mbLeft, {}, 100, 100);
  chart.HandleMouseMove({fw::ssLeft}, 120, 120);
  chart.HandleMouseMove({fw::ssLeft}, 120, 120);
  chart.HandleMouseMove({fw::ssLeft}, 150, 140);
  chart.HandleMouseUp(fw::mbLeft, {}, 150, 140);
  EXPECT_EQ(Rectangles(),
            (std::vector<std::string>{"Rectangle(100,100,100,100)", "Rectangle(100,100,100,100)",
                                      "Rectangle(100,100,120,120)", "Rectangle(100,100,120,120)",
                                      "Rectangle(100,100,150,140)", "Rectangle(100,100,150,140)"}));
  for (const auto& call : surface.Log().Named("Rectangle")) {
    EXPECT_EQ(call.Pen.Mode, fw::pmNotXor);
    EXPECT_EQ(call.Pen.Style, fw::psSolid);
    EXPECT_EQ(call.Pen.Width, 1);
    EXPECT_EQ(call.Brush.Style, fw::bsClear);
    // The panel colour as RGB.
    EXPECT_EQ(call.Pen.Color, fw::ColorToRGB(chart.Color()));
  }
  // The release leaves the surface's pen copying again.
  EXPECT_EQ(chart.Canvas()->Pen().Mode(), fw::pmCopy);
}

TEST_F(ZoomRectangle, OnAWhitePanelTheRectangleIsBlack) {
  chart.SetColor(fw::clWhite);
  Render();
  Watch();
  chart.HandleMouseDown(fw::mbLeft, {}, 100, 100);
  chart.HandleMouseMove({fw::ssLeft}, 130, 130);
  ASSERT_EQ(surface.Log().Count("Rectangle"), 3);
  for (const auto& call : surface.Log().Named("Rectangle")) EXPECT_EQ(call.Pen.Color, fw::clBlack);
}

TEST_F(ZoomRectangle, APaintDuringADragShowsTheRectangleButKeepsItOutOfTheBuffer) {
  const QImage plain = bitmap.ToImage();
  chart.HandleMouseDown(fw::mbLeft, {}, 100, 100);
  chart.HandleMouseMove({fw::ssLeft}, 160, 150);
  // Something changes during the drag: the chart paints again.
  chart.SetMarginTop(4);
  chart.Invalidate();
  Render();
  const QImage during = bitmap.ToImage();
  const auto* buffer =
      dynamic_cast<const fw::TBitmap*>(dynamic_cast<tee::TTeeCanvas3D*>(chart.Canvas())->Bitmap());
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer->ToImage(), plain);
  // The picture differs from the plain one exactly on the rectangle's outline.
  int outline = 0;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      const bool onEdge = ((x == 100 || x == 159) && y >= 100 && y <= 149) ||
                          ((y == 100 || y == 149) && x >= 100 && x <= 159);
      const bool differs = plain.pixel(x, y) != during.pixel(x, y);
      if (!differs) continue;
      ++outline;
      EXPECT_TRUE(onEdge) << x << "," << y;
    }
  }
  EXPECT_GT(outline, 150);
  // After the release the chart paints without it.
  chart.HandleMouseUp(fw::mbLeft, {}, 100, 105);
  Render();
  EXPECT_EQ(bitmap.ToImage(), plain);
}

TEST(RecordedChartZoom, AnUnbufferedPaintDuringADragEndsWithTheRectangle) {
  charttest::TRecordedChart r;
  r.AddPointSeries()->AddXY(1, 1);
  r.Draw();
  r.chart->HandleMouseDown(fw::mbLeft, {}, 200, 150);
  r.chart->HandleMouseMove({fw::ssLeft}, 250, 190);
  r.Draw();
  const auto calls = r.Log().Named("Rectangle");
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().ToString(), "Rectangle(200,150,250,190)");
  EXPECT_EQ(calls.back().Pen.Mode, fw::pmNotXor);
}

}  // namespace

// TSeriesPointer, TCustomSeries and TPointSeries on the recording canvas: the exact shapes, the
// pointer drawn one step late in its own point's colour, null and off-range points, clicks,
// margins, the legend symbol and the settings at creation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SeriesFixtures.h"
#include "chart/ChartErrors.h"
#include "chart/Series.h"
#include "framework/core/Properties.h"
#include "framework/gui/RecordingCanvas.h"
#include "support/GuiTestApp.h"

namespace {

using Strings = std::vector<std::string>;
using tee::TSeriesPointerStyle;

// Values 0..100 are pixels 0..100 across and 100..0 upwards (see TTestChart).
template <class S>
class SeriesOnRecording : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureGuiApplication();
    chart.Canvas()->SetCanvas(&surface);
    series.SetParentChart(&chart);
    series.Pointer()->SetHorizSize(2);
    series.Pointer()->SetVertSize(2);
  }
  void TearDown() override { chart.Canvas()->SetCanvas(nullptr); }

  void Draw() {
    surface.Log().Clear();
    series.CalcFirstLastVisibleIndex();
    series.DrawAllValues();
  }
  fw::TCanvasLog& Log() { return surface.Log(); }
  std::vector<fw::TColor> BrushColors(const char* name) {
    std::vector<fw::TColor> v;
    for (const auto& c : Log().Named(name)) v.push_back(c.Brush.Color);
    return v;
  }

  teetest::TTestChart chart;
  fw::TRecordingCanvas surface;
  S series{nullptr};
};

using PointSeries = SeriesOnRecording<tee::TPointSeries>;
using LineSeries = SeriesOnRecording<tee::TCustomSeries>;

TEST_F(PointSeries, ThreeVisiblePointsDrawThreePointersInIndexOrderAndNoLine) {
  series.AddXY(10, 10, "", fw::clRed);
  series.AddXY(50, 50, "", fw::clLime);
  series.AddXY(90, 20, "", fw::clBlue);
  Draw();
  EXPECT_EQ(Log().Strings({"Rectangle", "Ellipse", "Polygon", "MoveTo", "LineTo"}),
            (Strings{"Rectangle(8,88,13,93)", "Rectangle(48,48,53,53)", "Rectangle(88,78,93,83)"}));
  EXPECT_EQ(BrushColors("Rectangle"), (std::vector<fw::TColor>{fw::clRed, fw::clLime, fw::clBlue}));
}

TEST_F(PointSeries, OneVisiblePointIsDrawnOnce) {
  series.Pointer()->SetStyle(tee::psCircle);
  series.AddXY(-50, 10);
  series.AddXY(40, 30);
  Draw();
  EXPECT_EQ(series.FirstValueIndex(), 1);
  EXPECT_EQ(series.LastValueIndex(), 1);
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(38,68,42,72)"}));
}

TEST_F(PointSeries, NullPointsDrawNothingButTheirNeighboursAreDrawn) {
  series.Pointer()->SetStyle(tee::psCircle);
  series.AddXY(10, 10, "", fw::clRed);
  series.AddNullXY(50, 50);
  series.AddXY(90, 20, "", fw::clBlue);
  Draw();
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(8,88,12,92)", "Ellipse(88,78,92,82)"}));
  EXPECT_EQ(BrushColors("Ellipse"), (std::vector<fw::TColor>{fw::clRed, fw::clBlue}));

  series.Clear();
  series.AddNullXY(50, 50);
  Draw();
  EXPECT_EQ(Log().Count("Ellipse"), 0);
}

// A point whose pixel lies at or beyond ±32767 is not drawn; the point before it keeps its own
// colour, and its pointer is drawn even when the skipped point is the last visible one.
TEST_F(PointSeries, PointsBeyondThePixelRangeAreSkippedAndEveryPointerKeepsItsColour) {
  series.Pointer()->SetStyle(tee::psCircle);
  series.AddXY(10, 10, "", fw::clRed);
  series.AddXY(50, 40000, "", fw::clLime);  // pixel y = -39900
  series.AddXY(90, 20, "", fw::clBlue);
  Draw();
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(8,88,12,92)", "Ellipse(88,78,92,82)"}));
  EXPECT_EQ(BrushColors("Ellipse"), (std::vector<fw::TColor>{fw::clRed, fw::clBlue}));

  series.Delete(2);  // the skipped point is now the last visible one
  Draw();
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(8,88,12,92)"}));
  EXPECT_EQ(BrushColors("Ellipse"), (std::vector<fw::TColor>{fw::clRed}));

  series.Clear();
  series.AddXY(10, -32667, "", fw::clRed);  // pixel y = 32767: skipped as the first visible point
  series.AddXY(50, 50, "", fw::clLime);
  series.AddXY(90, 32866, "", fw::clBlue);  // pixel y = -32766: drawn
  Draw();
  EXPECT_EQ(Log().Strings({"Ellipse"}),
            (Strings{"Ellipse(48,48,52,52)", "Ellipse(88,-32768,92,-32764)"}));
  EXPECT_EQ(BrushColors("Ellipse"), (std::vector<fw::TColor>{fw::clLime, fw::clBlue}));
}

struct ShapeCase {
  TSeriesPointerStyle style;
  Strings calls;
};

// Each style at (100, 50) with half-sizes 2: the rectangle and the line shapes reach one pixel
// further right and down than the circle.
TEST_F(PointSeries, EveryStyleDrawsItsShapeIn2D) {
  const std::vector<ShapeCase> cases{
      {tee::psRectangle, {"Rectangle(98,48,103,53)"}},
      {tee::psCircle, {"Ellipse(98,48,102,52)"}},
      {tee::psTriangle, {"Polygon((98,52),(102,52),(100,48))"}},
      {tee::psDownTriangle, {"Polygon((98,48),(102,48),(100,52))"}},
      {tee::psCross, {"MoveTo(100,48)", "LineTo(100,53)", "MoveTo(98,50)", "LineTo(103,50)"}},
      {tee::psDiagCross, {"MoveTo(98,48)", "LineTo(103,53)", "MoveTo(102,48)", "LineTo(97,53)"}},
      {tee::psStar,
       {"MoveTo(100,48)", "LineTo(100,53)", "MoveTo(98,50)", "LineTo(103,50)", "MoveTo(98,48)",
        "LineTo(103,53)", "MoveTo(102,48)", "LineTo(97,53)"}},
      {tee::psDiamond, {"Polygon((98,50),(100,48),(102,50),(100,52))"}},
      {tee::psSmallDot, {"SetPixel(100,50,255)"}},
      {static_cast<TSeriesPointerStyle>(9), {}},
  };
  for (const ShapeCase& c : cases) {
    Log().Clear();
    series.Pointer()->PrepareCanvas(fw::clRed);
    series.Pointer()->DrawShape(false, 100, 50, 2, 2, fw::clRed, c.style);
    EXPECT_EQ(Log().Strings({"Rectangle", "Ellipse", "Polygon", "MoveTo", "LineTo", "SetPixel"}),
              c.calls)
        << "style " << static_cast<int>(c.style);
  }
}

TEST_F(PointSeries, In3DFlatShapesLieAtTheSeriesDepth) {
  // The canvas is not projecting, so each projected shape shows its plain corners (a flat
  // projected ellipse is one pixel larger to the right and bottom).
  series.SetStartZ(5);
  series.SetMiddleZ(7);
  series.SetEndZ(10);
  tee::TSeriesPointer& p = *series.Pointer();
  p.SetDraw3D(false);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psRectangle);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psCircle);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psTriangle);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psDownTriangle);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psSmallDot);
  EXPECT_EQ(Log().Strings({"Polygon", "Ellipse", "SetPixel"}),
            (Strings{"Polygon((98,48),(103,48),(103,53),(98,53))", "Ellipse(98,48,103,53)",
                     "Polygon((98,52),(102,52),(100,48))", "Polygon((98,48),(102,48),(100,52))",
                     "SetPixel(100,50,255)"}));
  // A solid rectangle is a cube: several faces.
  Log().Clear();
  p.SetDraw3D(true);
  p.DrawShape(true, 100, 50, 2, 2, fw::clRed, tee::psRectangle);
  EXPECT_GE(Log().Count("Polygon") + Log().Count("Rectangle"), 1);
  // A solid triangle is a pyramid with darkened sides and its front in the point's colour.
  Log().Clear();
  p.PrepareCanvas(fw::clGreen);
  p.DrawShape(true, 100, 50, 2, 2, fw::clGreen, tee::psTriangle);
  const auto faces = Log().Named("Polygon");
  ASSERT_GE(faces.size(), 2u);
  EXPECT_NE(faces.front().Brush.Color, fw::clGreen);
  EXPECT_EQ(faces.back().Brush.Color, fw::clGreen);
}

TEST_F(PointSeries, AHiddenPenFillsTheShapeInThePointColourWithoutOutline) {
  series.Pointer()->SetStyle(tee::psCircle);
  series.Pointer()->Pen()->SetVisible(false);
  series.AddXY(50, 50, "", fw::clRed);
  Draw();
  ASSERT_EQ(Log().Count("Ellipse"), 1);
  const fw::TRecordedCall e = Log().Named("Ellipse")[0];
  EXPECT_EQ(e.Pen.Style, fw::psClear);
  EXPECT_EQ(e.Brush.Color, fw::clRed);
  EXPECT_EQ(e.Brush.Style, fw::bsSolid);

  // A visible pen in clAutoColor takes the point's colour; a brush of its own keeps its colour.
  series.Pointer()->Pen()->SetVisible(true);
  series.Pointer()->Pen()->SetColor(tee::clAutoColor);
  series.Pointer()->Brush()->SetColor(fw::clYellow);
  Draw();
  const fw::TRecordedCall e2 = Log().Named("Ellipse")[0];
  EXPECT_EQ(e2.Pen.Color, fw::clRed);
  EXPECT_EQ(e2.Pen.Style, fw::psSolid);
  EXPECT_EQ(e2.Brush.Color, fw::clYellow);
}

TEST_F(PointSeries, LineShapesWithAHiddenPenLeaveNothingVisibleButTheSmallDotIsSet) {
  series.Pointer()->Pen()->SetVisible(false);
  series.AddXY(50, 50, "", fw::clRed);
  for (auto style : {tee::psCross, tee::psDiagCross, tee::psStar}) {
    series.Pointer()->SetStyle(style);
    Draw();
    const auto lines = Log().Named("LineTo");
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) EXPECT_EQ(l.Pen.Style, fw::psClear);
  }
  series.Pointer()->SetStyle(tee::psSmallDot);
  Draw();
  EXPECT_EQ(Log().Strings({"SetPixel"}), (Strings{"SetPixel(50,50,255)"}));
}

TEST_F(PointSeries, OnGetPointerStyleChoosesTheShapeOfEveryPoint) {
  series.AddXY(10, 10);
  series.AddXY(50, 50);
  std::vector<int> asked;
  series.OnGetPointerStyle = [&](tee::TChartSeries* sender, int index) {
    EXPECT_EQ(sender, &series);
    asked.push_back(index);
    return tee::psDiamond;
  };
  Draw();
  EXPECT_EQ(asked, (std::vector<int>{0, 1}));
  EXPECT_EQ(Log().Count("Polygon"), 2);
  EXPECT_EQ(Log().Count("Rectangle"), 0);
}

TEST_F(PointSeries, PointerSizesBelowOneAreRefused) {
  tee::TSeriesPointer& p = *series.Pointer();
  for (int bad : {0, -3}) {
    try {
      p.SetHorizSize(bad);
      FAIL() << "accepted " << bad;
    } catch (const tee::ChartException& e) {
      EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
    }
    EXPECT_THROW(p.SetVertSize(bad), tee::ChartException);
  }
  EXPECT_EQ(p.HorizSize(), 2);
  EXPECT_EQ(p.VertSize(), 2);
  // Assign copies sizes as they are.
  tee::TPointSeries other(nullptr);
  other.Pointer()->SetHorizSize(7);
  p.Assign(other.Pointer());
  EXPECT_EQ(p.HorizSize(), 7);
}

TEST_F(PointSeries, AClickHitsStrictlyInsideThePointerRectangle) {
  series.AddXY(50, 50);
  series.AddXY(80, 80);
  series.CalcFirstLastVisibleIndex();
  std::vector<int> clicked;
  series.OnClickPointer = [&](tee::TCustomSeries*, int index, int, int) {
    clicked.push_back(index);
  };
  EXPECT_EQ(series.Clicked(51, 50), 0);
  EXPECT_EQ(series.Clicked(50, 49), 0);
  EXPECT_EQ(series.Clicked(52, 50), -1);
  EXPECT_EQ(series.Clicked(50, 52), -1);
  EXPECT_EQ(series.Clicked(81, 21), 1);
  EXPECT_EQ(clicked, (std::vector<int>{0, 0, 1}));
  // A point series has no clickable line between its points.
  EXPECT_EQ(series.Clicked(65, 35), -1);
}

TEST_F(PointSeries, APointerAsksForMarginsOnlyWhenVisibleAndInflating) {
  int left = -1, right = -1, top = -1, bottom = -1;
  series.CalcHorizMargins(left, right);
  series.CalcVerticalMargins(top, bottom);
  EXPECT_EQ((std::vector<int>{left, right, top, bottom}), (std::vector<int>{3, 3, 3, 3}));
  series.Pointer()->SetHorizSize(5);
  series.CalcHorizMargins(left, right);
  EXPECT_EQ(right, 6);
  series.Pointer()->SetInflateMargins(false);
  series.CalcHorizMargins(left, right);
  series.CalcVerticalMargins(top, bottom);
  EXPECT_EQ((std::vector<int>{left, right, top, bottom}), (std::vector<int>{0, 0, 0, 0}));
  series.Pointer()->SetInflateMargins(true);
  series.Pointer()->SetVisible(false);
  series.CalcHorizMargins(left, right);
  EXPECT_EQ(left, 0);
}

TEST_F(PointSeries, ColorEachPointMakesThePointerBrushFollowThePoints) {
  series.Pointer()->Brush()->SetColor(fw::clYellow);
  series.SetColorEachPoint(true);
  EXPECT_EQ(series.Pointer()->Brush()->Color(), tee::clAutoColor);
}

TEST_F(PointSeries, TheLegendSymbolIsThePointerShapeFittedIntoTheBox) {
  series.Pointer()->SetStyle(tee::psCircle);
  series.Pointer()->SetHorizSize(4);
  series.Pointer()->SetVertSize(4);
  series.SetSeriesColor(fw::clRed);
  // The line pen is visible: a third of the box at most (20 / 3 = 6, 10 / 3 = 3).
  series.DrawLegendShape(-1, fw::Rect(0, 0, 20, 10));
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(6,2,14,8)"}));
  EXPECT_EQ(Log().Named("Ellipse")[0].Brush.Color, fw::clRed);
  // Without it: half the box plus one (11, 6).
  Log().Clear();
  series.LinePen()->SetVisible(false);
  series.Pointer()->SetVertSize(9);
  series.DrawLegendShape(-1, fw::Rect(0, 0, 20, 10));
  EXPECT_EQ(Log().Strings({"Ellipse"}), (Strings{"Ellipse(6,-1,14,11)"}));
  // A hidden pointer and no line: the plain box of the series.
  Log().Clear();
  series.Pointer()->SetVisible(false);
  series.DrawLegendShape(-1, fw::Rect(0, 0, 20, 10));
  EXPECT_EQ(Log().Strings({"Rectangle", "Ellipse"}), (Strings{"Rectangle(0,0,20,10)"}));
}

TEST_F(PointSeries, CreationSettingsAndPublishedProperties) {
  tee::TPointSeries s(nullptr);
  EXPECT_FALSE(s.ClickableLine());
  EXPECT_FALSE(s.DrawLine());
  EXPECT_TRUE(s.DrawBetweenPoints());
  EXPECT_TRUE(s.Pointer()->Visible());
  EXPECT_EQ(s.Marks()->ArrowLength(), 0);
  EXPECT_EQ(s.Pointer()->Style(), tee::psRectangle);
  EXPECT_EQ(s.Pointer()->HorizSize(), 4);
  EXPECT_TRUE(s.Pointer()->InflateMargins());
  EXPECT_EQ(s.Pointer()->Brush()->Color(), tee::clAutoColor);
  EXPECT_EQ(s.EditorClassName(), "TSeriesPointerEditor");
  tee::TCustomSeries c(nullptr);
  EXPECT_TRUE(c.ClickableLine());
  EXPECT_EQ(c.Marks()->ArrowLength(), 8);
  EXPECT_EQ(c.EditorClassName(), "TCustomSeriesEditor");

  Strings pointer;
  for (const fw::TPropInfo* p : s.Pointer()->ClassInfo().Properties()) pointer.push_back(p->Name);
  EXPECT_EQ(pointer, (Strings{"Brush", "Dark3D", "Draw3D", "HorizSize", "InflateMargins", "Pen",
                              "Style", "VertSize", "Visible"}));
  // InflateMargins, Style and Visible have no default: always stored.
  for (const char* name : {"InflateMargins", "Style", "Visible"})
    EXPECT_TRUE(fw::FindPropInfo(*s.Pointer(), name)->IsStored(*s.Pointer())) << name;
  EXPECT_FALSE(fw::FindPropInfo(*s.Pointer(), "HorizSize")->IsStored(*s.Pointer()));
  Strings last;
  const auto& props = s.ClassInfo().Properties();
  for (std::size_t i = props.size() - 5; i < props.size(); ++i) last.push_back(props[i]->Name);
  EXPECT_EQ(last,
            (Strings{"OnGetPointerStyle", "Pointer", "XValues", "YValues", "OnClickPointer"}));

  // Set by path as a window description does.
  fw::SetPropText(s, "Pointer.Style", "psCircle");
  fw::SetPropText(s, "Pointer.Pen.Visible", "False");
  EXPECT_EQ(s.Pointer()->Style(), tee::psCircle);
  EXPECT_FALSE(s.Pointer()->Pen()->Visible());
}

// A line paints each pointer over the segments that meet at it: pointers come one step late.
TEST_F(LineSeries, PointersAreDrawnOneStepLateOverTheLine) {
  series.SetDrawLine(true);
  series.AddXY(10, 10, "", fw::clRed);
  series.AddXY(50, 50, "", fw::clLime);
  series.AddXY(90, 20, "", fw::clBlue);
  Draw();
  EXPECT_EQ(Log().Strings({"Rectangle", "MoveTo", "LineTo"}),
            (Strings{"MoveTo(10,90)", "LineTo(50,50)", "Rectangle(8,88,13,93)", "MoveTo(50,50)",
                     "LineTo(90,80)", "Rectangle(48,48,53,53)", "Rectangle(88,78,93,83)"}));
  // Each segment in the colour of the point it leads to.
  EXPECT_EQ(Log().Named("LineTo")[0].Pen.Color, fw::clLime);
  EXPECT_EQ(Log().Named("LineTo")[1].Pen.Color, fw::clBlue);
}

TEST_F(LineSeries, TheFirstVisiblePointIsReachedFromThePlotEdge) {
  series.SetDrawLine(true);
  series.Pointer()->SetVisible(false);
  series.AddXY(-20, 0);
  series.AddXY(20, 40);
  series.AddXY(60, 40);
  Draw();
  // The line from point 0 crosses the left edge (x 0) at the value 20.
  EXPECT_EQ(Log().Strings({"MoveTo", "LineTo"}),
            (Strings{"MoveTo(0,80)", "LineTo(20,60)", "MoveTo(20,60)", "LineTo(60,60)"}));
  // A clickable line selects the earlier point.
  EXPECT_EQ(series.Clicked(40, 61), 1);
}

TEST_F(LineSeries, NoLineLeadsToOrFromASkippedPoint) {
  series.SetDrawLine(true);
  series.AddXY(10, 10);
  series.AddXY(50, 40000);
  Draw();
  EXPECT_EQ(Log().Count("LineTo"), 0);
  EXPECT_EQ(Log().Count("Rectangle"), 1);
}

}  // namespace

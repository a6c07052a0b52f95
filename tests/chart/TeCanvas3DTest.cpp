// TTeeCanvas3D against the recording backend (exact calls) and the QImage backend (pixels).

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "chart/TeCanvas3D.h"
#include "chart/TeCanvasPen.h"
#include "chart/TeCanvasView3D.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/RecordingCanvas.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TColor;
using fw::TRect;
using Strings = std::vector<std::string>;

class TeeCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureGuiApplication();
    canvas.SetBuffered(false);
    canvas.InitWindow(&window, nullptr, false, TRect{0, 0, 400, 300});
  }

  // Starts a 3D paint with the given options and projects around a 400 x 300 chart.
  void Start3D(tee::TView3DOptions& options, int depth = 40) {
    canvas.InitWindow(&window, &options, true, TRect{0, 0, 400, 300});
    canvas.Projection(depth, TRect{0, 0, 400, 300});
  }

  fw::TCanvasLog& log() { return window.Log(); }

  fw::TRecordingCanvas window;
  tee::TTeeCanvas3D canvas;
};

TEST_F(TeeCanvas, In2DEveryProjectedOperationDrawsAtXYAndIgnoresZ) {
  canvas.HorizLine3D(10, 50, 20, 77);
  canvas.VertLine3D(5, 6, 60, 77);
  canvas.ZLine3D(7, 8, 1, 99);
  canvas.LineWithZ(1, 2, 3, 4, 77);
  canvas.RectangleWithZ(TRect{10, 20, 30, 40}, 77);
  canvas.PlaneWithZ({1, 2}, {3, 4}, {5, 6}, {7, 8}, 77);
  canvas.RectangleY(10, 20, 30, 5, 9);
  canvas.TriangleWithZ({1, 1}, {9, 1}, {5, 9}, 77);
  canvas.SetPixel3D(3, 4, 77, fw::clRed);
  canvas.TextOut3D(15, 25, 77, "abc");
  EXPECT_EQ(log().Strings(),
            (Strings{"MoveTo(10,20)", "LineTo(50,20)", "MoveTo(5,6)", "LineTo(5,60)", "MoveTo(7,8)",
                     "LineTo(7,8)", "MoveTo(1,2)", "LineTo(3,4)",
                     "Polygon((10,20),(30,20),(30,40),(10,40))", "Polygon((1,2),(3,4),(5,6),(7,8))",
                     "Polygon((10,20),(30,20),(30,20),(10,20))", "Polygon((1,1),(9,1),(5,9))",
                     "SetPixel(3,4,255)", "TextOut(15,25,\"abc\")"}));
  EXPECT_EQ(canvas.Calculate3DPosition(123, 45, 678), (fw::TPoint{123, 45}));
}

TEST_F(TeeCanvas, EllipseWithZIn2DIsTheEllipseOnePixelLarger) {
  canvas.EllipseWithZ(10, 10, 14, 14, 33);
  EXPECT_EQ(log().Strings(), (Strings{"Ellipse(10,10,15,15)"}));

  // The same figure on pixels.
  fw::TBitmap a(30, 30), b(30, 30);
  for (fw::TBitmap* bm : {&a, &b}) {
    bm->Canvas().Brush().SetColor(fw::clRed);
    bm->Canvas().Pen().SetStyle(fw::psClear);
  }
  canvas.InitWindow(&a.Canvas(), nullptr, false, TRect{0, 0, 30, 30});
  canvas.EllipseWithZ(10, 10, 14, 14, 5);
  b.Canvas().Ellipse(10, 10, 15, 15);
  EXPECT_EQ(a.Image(), b.Image());
  EXPECT_EQ(a.GetPixel(12, 12), fw::clRed);
}

TEST_F(TeeCanvas, OrthogonalProjectionMovesDepthRightAndUp) {
  tee::TView3DOptions options;
  Start3D(options);
  EXPECT_TRUE(canvas.IsOrthogonal());
  struct Case {
    int x, y, z;
  };
  for (const Case& c : {Case{100, 100, 0}, Case{100, 100, 15}, Case{0, 299, 40}, Case{-7, 3, -9}}) {
    EXPECT_EQ(canvas.Calculate3DPosition(c.x, c.y, c.z), (fw::TPoint{c.x + c.z, c.y - c.z}));
    // And back again.
    fw::TPoint p = canvas.Calculate3DPosition(c.x, c.y, c.z);
    canvas.Calculate2DPosition(p.X, p.Y, c.z);
    EXPECT_EQ(p, (fw::TPoint{c.x, c.y}));
  }
  // A zoom scales around the centre (200, 150); offsets move the centre's landing place.
  options.SetZoom(50);
  options.SetHorizOffset(10);
  options.SetVertOffset(-4);
  Start3D(options);
  EXPECT_EQ(canvas.Calculate3DPosition(300, 150, 20), (fw::TPoint{200 + 60 + 10, 150 - 10 - 4}));
  // Halves round to even.
  EXPECT_EQ(canvas.Calculate3DPosition(201, 150, 0), (fw::TPoint{210, 146}));
  EXPECT_EQ(canvas.Calculate3DPosition(203, 150, 0), (fw::TPoint{212, 146}));
}

TEST_F(TeeCanvas, PerspectiveFactorComesFromPerspectiveOver35000) {
  tee::TView3DOptions options;
  options.SetOrthogonal(false);
  options.SetPerspective(0);
  Start3D(options);
  EXPECT_EQ(canvas.PerspectiveFactor(), 0.0);
  options.SetPerspective(15);
  Start3D(options);
  EXPECT_DOUBLE_EQ(canvas.PerspectiveFactor(), 15.0 / 35000.0);
  EXPECT_EQ(canvas.XCenter, 200);
  EXPECT_EQ(canvas.YCenter, 150);
  EXPECT_EQ(canvas.ZCenter, 20);
}

TEST_F(TeeCanvas, RotatedProjectionWithoutAnglesIsTheIdentityAroundTheCentre) {
  tee::TView3DOptions options;
  options.SetOrthogonal(false);
  options.SetRotation(0);
  options.SetElevation(0);
  options.SetPerspective(0);
  Start3D(options);
  EXPECT_EQ(canvas.Calculate3DPosition(120, 80, 33), (fw::TPoint{120, 80}));
  // The default view turns depth to the right and up.
  tee::TView3DOptions standard;
  standard.SetOrthogonal(false);
  standard.SetPerspective(0);
  Start3D(standard);
  const fw::TPoint nearP = canvas.Calculate3DPosition(200, 150, 0);
  const fw::TPoint farP = canvas.Calculate3DPosition(200, 150, 40);
  EXPECT_GT(farP.X, nearP.X);
  EXPECT_LT(farP.Y, nearP.Y);
  int x = nearP.X, y = nearP.Y;
  canvas.Calculate2DPosition(x, y, 0);
  EXPECT_NEAR(x, 200, 1);
  EXPECT_NEAR(y, 150, 1);
}

TEST_F(TeeCanvas, RotateLabelTakesAnglesAbove360DownAndRestoresTheFont) {
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.RotateLabel(10, 20, "a", 450);
  canvas.RotateLabel(10, 20, "b", 360);
  canvas.RotateLabel(10, 20, "c", 90);
  canvas.TextOut(1, 1, "plain");
  const auto calls = log().Named("TextOut");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Font.Escapement, 900);
  EXPECT_EQ(calls[1].Font.Escapement, 3600);
  EXPECT_EQ(calls[2].Font.Escapement, 900);
  EXPECT_EQ(calls[3].Font.Escapement, 0);
  EXPECT_EQ(calls[0].Brush.Style, fw::bsClear);
}

TEST_F(TeeCanvas, ZoomedTextScalesTheFontForOneCall) {
  tee::TView3DOptions options;
  options.SetZoom(150);
  canvas.Font().SetSize(8);
  Start3D(options);
  canvas.TextOut3D(10, 10, 0, "zoomed");
  canvas.RotateLabel3D(10, 10, 0, "turned", 90);
  canvas.TextOut(0, 0, "after");
  options.SetZoomText(false);
  Start3D(options);
  canvas.TextOut3D(10, 10, 0, "fixed");
  const auto calls = log().Named("TextOut");
  ASSERT_EQ(calls.size(), 4u);
  EXPECT_EQ(calls[0].Font.Size, 12);
  EXPECT_EQ(calls[0].Font.Height, -16);
  EXPECT_EQ(calls[1].Font.Size, 12);
  EXPECT_EQ(calls[1].Font.Escapement, 900);
  EXPECT_EQ(calls[2].Font.Size, 8);
  EXPECT_EQ(calls[3].Font.Size, 8);
}

TEST_F(TeeCanvas, CubeDarkensItsSidesOnlyWhenAsked) {
  tee::TView3DOptions options;
  Start3D(options);
  const TColor base = fw::RGB(200, 100, 50);
  canvas.Brush().SetColor(base);
  canvas.Cube(100, 140, 50, 90, 0, 20, true);
  auto polygons = log().Named("Polygon");
  // Front, right side (depth goes right), top (depth goes up).
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[0].Brush.Color, base);
  EXPECT_EQ(polygons[1].Brush.Color, fw::RGB(72, 0, 0));  // channels below 128 become 0
  EXPECT_EQ(polygons[2].Brush.Color, fw::RGB(136, 36, 0));
  EXPECT_EQ(polygons[1].Points,
            (std::vector<fw::TPoint>{{140, 50}, {160, 30}, {160, 70}, {140, 90}}));
  EXPECT_EQ(canvas.Brush().Color(), base);

  log().Clear();
  canvas.Cube(100, 140, 50, 90, 0, 20, false);
  polygons = log().Named("Polygon");
  ASSERT_EQ(polygons.size(), 3u);
  for (const auto& p : polygons) EXPECT_EQ(p.Brush.Color, base);

  // A hatched brush darkens through the back colour.
  log().Clear();
  canvas.Brush().SetStyle(fw::bsCross);
  canvas.SetBackColor(fw::clWhite);
  canvas.Cube(100, 140, 50, 90, 0, 20, true);
  polygons = log().Named("Polygon");
  ASSERT_EQ(polygons.size(), 3u);
  EXPECT_EQ(polygons[1].BackColor, fw::RGB(127, 127, 127));
  EXPECT_EQ(polygons[1].Brush.Color, base);

  // In 2D a cube is its front face.
  canvas.InitWindow(&window, nullptr, false, TRect{0, 0, 400, 300});
  log().Clear();
  canvas.Cube(100, 140, 50, 90, 0, 20, true);
  EXPECT_EQ(log().Strings(), (Strings{"Polygon((100,50),(140,50),(140,90),(100,90))"}));
}

TEST_F(TeeCanvas, ShowImageWithBufferingOffOnlyReattachesTheDefaultCanvas) {
  fw::TRecordingCanvas other(window.SharedLog(), "other");
  canvas.InitWindow(&other, nullptr, false, TRect{0, 0, 100, 80});
  EXPECT_EQ(canvas.ReferenceCanvas(), &other);
  canvas.ShowImage(&other, &window, TRect{0, 0, 100, 80});
  EXPECT_EQ(canvas.ReferenceCanvas(), &window);
  EXPECT_TRUE(log().Calls().empty());
  EXPECT_TRUE(canvas.Dirty());
  EXPECT_FALSE(canvas.RedrawBitmap());
}

TEST_F(TeeCanvas, BufferedPaintDrawsIntoABitmapKeptWhileTheSizeHolds) {
  canvas.SetBuffered(true);
  const TRect drawRect = canvas.InitWindow(&window, nullptr, false, TRect{10, 20, 110, 100});
  EXPECT_EQ(drawRect, (TRect{0, 0, 100, 80}));
  ASSERT_NE(canvas.Bitmap(), nullptr);
  EXPECT_EQ(canvas.Bitmap()->Width(), 100);
  EXPECT_FALSE(canvas.Bitmap()->Canvas().NotificationsEnabled());
  canvas.Rectangle(0, 0, 5, 5);
  canvas.ShowImage(&window, &window, TRect{10, 20, 110, 100});
  ASSERT_EQ(log().Size(), 2u);
  EXPECT_EQ(log().Calls()[0].Target, "bitmap");
  EXPECT_EQ(log().Calls()[1].Target, "canvas");
  EXPECT_EQ(log().Calls()[1].ToString(), "Draw(10,20,\"bitmap\")");
  EXPECT_FALSE(canvas.Dirty());

  // An uncovered window is repainted by one copy while nothing changed.
  log().Clear();
  EXPECT_TRUE(canvas.RedrawBitmap());
  EXPECT_EQ(log().Strings(), (Strings{"Draw(0,0,\"bitmap\")"}));
  canvas.Invalidate();
  EXPECT_FALSE(canvas.RedrawBitmap());

  const fw::TCustomBitmap* first = canvas.Bitmap();
  canvas.InitWindow(&window, nullptr, false, TRect{0, 0, 100, 80});
  EXPECT_EQ(canvas.Bitmap(), first);
  canvas.InitWindow(&window, nullptr, false, TRect{0, 0, 101, 80});
  EXPECT_EQ(canvas.Bitmap()->Width(), 101);

  canvas.SetBuffered(false);
  EXPECT_EQ(canvas.Bitmap(), nullptr);
  EXPECT_TRUE(canvas.Dirty());
}

TEST_F(TeeCanvas, BufferedPaintOnPixelsShowsTheChartAtTheRectangle) {
  fw::TBitmap screen(60, 40);
  canvas.SetBuffered(true);
  const TRect r = canvas.InitWindow(&screen.Canvas(), nullptr, false, TRect{10, 5, 40, 25});
  canvas.Brush().SetColor(fw::clNavy);
  canvas.FillRect(r);
  canvas.ShowImage(&screen.Canvas(), &screen.Canvas(), TRect{10, 5, 40, 25});
  EXPECT_EQ(screen.GetPixel(10, 5), fw::clNavy);
  EXPECT_EQ(screen.GetPixel(39, 24), fw::clNavy);
  EXPECT_EQ(screen.GetPixel(40, 24), fw::clWhite);
  EXPECT_EQ(screen.GetPixel(9, 5), fw::clWhite);
}

TEST_F(TeeCanvas, MonochromeChangeReleasesTheBufferAndAsksForARepaint) {
  int repaints = 0;
  tee::TView3DOptions options([&] { ++repaints; });
  canvas.SetBuffered(true);
  canvas.InitWindow(&window, &options, false, TRect{0, 0, 50, 50});
  canvas.ShowImage(&window, &window, TRect{0, 0, 50, 50});
  canvas.SetMonochrome(true);
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(canvas.Bitmap(), nullptr);
  EXPECT_TRUE(canvas.Dirty());
  canvas.SetMonochrome(true);
  EXPECT_EQ(repaints, 1);
  canvas.InitWindow(&window, &options, false, TRect{0, 0, 50, 50});
  EXPECT_TRUE(canvas.Bitmap()->Monochrome());

  tee::TTeeCanvas3D copy;
  copy.Assign(&canvas);
  EXPECT_TRUE(copy.GetMonochrome());
}

TEST_F(TeeCanvas, ChartPenRule) {
  tee::TChartPen pen;
  pen.SetColor(fw::clRed);
  pen.SetWidth(1);
  pen.SetVisible(false);
  canvas.AssignVisiblePen(pen);
  EXPECT_EQ(canvas.Pen().Style(), fw::psClear);

  pen.SetVisible(true);
  pen.SetSmallDots(true);
  canvas.AssignVisiblePen(pen);
  EXPECT_EQ(canvas.Pen().Style(), fw::psAlternate);
  EXPECT_EQ(canvas.Pen().Color(), fw::clRed);
  EXPECT_EQ(canvas.Pen().Width(), 1);

  pen.SetWidth(3);  // small dots only for one-pixel pens
  pen.SetStyle(fw::psDash);
  pen.SetMode(fw::pmNotXor);
  canvas.AssignVisiblePen(pen);
  EXPECT_EQ(canvas.Pen().Style(), fw::psDash);
  EXPECT_EQ(canvas.Pen().Width(), 3);
  EXPECT_EQ(canvas.Pen().Mode(), fw::pmNotXor);

  // An invisible pen strokes nothing on pixels.
  fw::TBitmap bm(20, 20);
  canvas.InitWindow(&bm.Canvas(), nullptr, false, TRect{0, 0, 20, 20});
  pen.SetVisible(false);
  canvas.AssignVisiblePen(pen);
  canvas.Line(0, 5, 19, 5);
  EXPECT_EQ(bm.GetPixel(3, 5), fw::clWhite);
}

TEST_F(TeeCanvas, ResetStateRestoresTheDefaultDrawingState) {
  canvas.Pen().SetColor(fw::clRed);
  canvas.Pen().SetWidth(4);
  canvas.Pen().SetStyle(fw::psDot);
  canvas.Brush().SetColor(fw::clBlue);
  canvas.Brush().SetStyle(fw::bsClear);
  canvas.Font().SetColor(fw::clLime);
  canvas.Font().SetSize(20);
  canvas.SetBackColor(fw::clRed);
  canvas.SetBackMode(fw::OPAQUE);
  canvas.ResetState();
  EXPECT_EQ(canvas.Pen().Color(), fw::clBlack);
  EXPECT_EQ(canvas.Pen().Width(), 1);
  EXPECT_EQ(canvas.Pen().Style(), fw::psSolid);
  EXPECT_EQ(canvas.Brush().Color(), fw::clWhite);
  EXPECT_EQ(canvas.Brush().Style(), fw::bsSolid);
  EXPECT_EQ(canvas.Font().Color(), fw::clBlack);
  EXPECT_EQ(canvas.Font().Size(), 10);
  EXPECT_EQ(canvas.GetBackColor(), fw::clWhite);
  EXPECT_EQ(canvas.GetBackMode(), fw::TRANSPARENT);
}

TEST_F(TeeCanvas, Frame3DDrawsTopLeftAndBottomRightEdgesInside) {
  TRect r{0, 0, 10, 8};
  canvas.Frame3D(r, fw::clWhite, fw::clGray, 1);
  EXPECT_EQ(log().Strings(),
            (Strings{"Polyline((0,7),(0,0),(9,0))", "Polyline((9,0),(9,7),(-1,7))"}));
  EXPECT_EQ(r, (TRect{1, 1, 9, 7}));

  fw::TBitmap bm(12, 10);
  canvas.InitWindow(&bm.Canvas(), nullptr, false, TRect{0, 0, 12, 10});
  TRect box{0, 0, 10, 8};
  canvas.Frame3D(box, fw::clRed, fw::clBlue, 2);
  EXPECT_EQ(bm.GetPixel(0, 0), fw::clRed);
  EXPECT_EQ(bm.GetPixel(9, 0), fw::clBlue);  // the top right corner belongs to the dark edge
  EXPECT_EQ(bm.GetPixel(0, 7), fw::clBlue);
  EXPECT_EQ(bm.GetPixel(9, 7), fw::clBlue);
  EXPECT_EQ(bm.GetPixel(1, 1), fw::clRed);
  EXPECT_EQ(bm.GetPixel(8, 6), fw::clBlue);
  EXPECT_EQ(bm.GetPixel(10, 0), fw::clWhite);
  EXPECT_EQ(bm.GetPixel(0, 8), fw::clWhite);
  EXPECT_EQ(bm.GetPixel(2, 2), fw::clWhite);
  EXPECT_EQ(box, (TRect{2, 2, 8, 6}));
}

TEST_F(TeeCanvas, GradientBandCounts) {
  canvas.Brush().SetColor(fw::clAqua);
  canvas.Brush().SetStyle(fw::bsCross);
  canvas.GradientFill(TRect{0, 0, 10, 1000}, fw::clBlack, fw::clWhite, tee::gdTopBottom);
  EXPECT_EQ(log().Count("PatternFill"), 256);
  log().Clear();
  canvas.GradientFill(TRect{0, 0, 10, 100}, fw::clBlack, fw::clWhite, tee::gdTopBottom);
  const auto bands = log().Named("PatternFill");
  ASSERT_EQ(bands.size(), 100u);
  for (size_t i = 0; i < bands.size(); ++i) {
    EXPECT_EQ(bands[i].Args, (std::vector<int>{0, 99 - int(i), 10, 100 - int(i)}));
    EXPECT_EQ(bands[i].Brush.Style, fw::bsSolid);
  }
  // The canvas' brush is put back.
  EXPECT_EQ(canvas.Brush().Color(), fw::clAqua);
  EXPECT_EQ(canvas.Brush().Style(), fw::bsCross);

  log().Clear();
  canvas.GradientFill(TRect{0, 0, 600, 10}, fw::clBlack, fw::clWhite, tee::gdRightLeft);
  EXPECT_EQ(log().Count("PatternFill"), 256);
  // Corner rectangles given the wrong way round are normalised.
  log().Clear();
  canvas.GradientFill(TRect{10, 100, 0, 0}, fw::clBlack, fw::clWhite, tee::gdBottomTop);
  EXPECT_EQ(log().Count("PatternFill"), 100);
}

TEST_F(TeeCanvas, GradientColoursAtTheEdgesOfEveryDirection) {
  const TColor start = fw::clWhite;
  const TColor end = fw::clYellow;
  struct Case {
    tee::TGradientDirection direction;
    fw::TPoint firstColourAt;  // where the first colour lies, and where the other one
    fw::TPoint otherColourAt;
    TColor first;
  };
  // The first colour is the start colour for gdTopBottom and gdLeftRight, the end colour for the
  // others (which exchange the two).
  const Case cases[] = {
      {tee::gdTopBottom, {20, 29}, {20, 0}, start},   {tee::gdBottomTop, {20, 29}, {20, 0}, end},
      {tee::gdLeftRight, {39, 10}, {0, 10}, start},   {tee::gdRightLeft, {39, 10}, {0, 10}, end},
      {tee::gdFromCenter, {0, 0}, {20, 15}, end},     {tee::gdFromTopLeft, {0, 0}, {39, 29}, end},
      {tee::gdFromBottomLeft, {0, 29}, {39, 0}, end},
  };
  for (const Case& c : cases) {
    fw::TBitmap bm(40, 30);
    bm.Canvas().Brush().SetColor(fw::clRed);
    bm.Canvas().FillRect({0, 0, 40, 30});
    canvas.InitWindow(&bm.Canvas(), nullptr, false, TRect{0, 0, 40, 30});
    canvas.GradientFill(TRect{0, 0, 40, 30}, start, end, c.direction);
    SCOPED_TRACE(static_cast<int>(c.direction));
    EXPECT_EQ(bm.GetPixel(c.firstColourAt.X, c.firstColourAt.Y), c.first);
    const TColor other = c.first == start ? end : start;
    const TColor seen = bm.GetPixel(c.otherColourAt.X, c.otherColourAt.Y);
    EXPECT_EQ(fw::GetRValue(seen), 255);
    EXPECT_EQ(fw::GetGValue(seen), 255);
    EXPECT_NEAR(fw::GetBValue(seen), fw::GetBValue(other), 20);
    // Every pixel painted, none left from the background.
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x) ASSERT_NE(bm.GetPixel(x, y), fw::clRed) << x << "," << y;
  }
  // The described pair: gdTopBottom puts white at the bottom, gdBottomTop yellow.
  fw::TBitmap odd(9, 7);
  canvas.InitWindow(&odd.Canvas(), nullptr, false, TRect{0, 0, 9, 7});
  canvas.GradientFill(TRect{0, 0, 9, 7}, fw::clBlack, fw::clWhite, tee::gdFromCenter);
  EXPECT_EQ(odd.GetPixel(0, 0), fw::clWhite);
  EXPECT_EQ(odd.GetPixel(4, 3), fw::clBlack);  // odd sizes: the centre pixel is painted too
}

TEST_F(TeeCanvas, GradientChangesTheBrushOnlyWhenTheBandColourChanges) {
  canvas.GradientFill(TRect{0, 0, 10, 200}, fw::RGB(0, 0, 0), fw::RGB(4, 0, 0), tee::gdTopBottom);
  const auto bands = log().Named("PatternFill");
  ASSERT_EQ(bands.size(), 200u);
  std::set<TColor> colours;
  for (const auto& b : bands) colours.insert(b.Brush.Color);
  EXPECT_EQ(colours.size(), 5u);
  EXPECT_EQ(bands.front().Brush.Color, fw::RGB(0, 0, 0));
  EXPECT_EQ(bands.back().Brush.Color, fw::RGB(4, 0, 0));
}

TEST_F(TeeCanvas, ClipCubeIn2DAndIn3D) {
  canvas.ClipCube(TRect{10, 20, 110, 220}, 0, 30);
  EXPECT_EQ(log().Strings(), (Strings{"IntersectClipRect(11,21,110,219)"}));
  log().Clear();
  canvas.UnClipRectangle();
  EXPECT_EQ(log().Strings(), (Strings{"RemoveClip()"}));

  tee::TView3DOptions options;
  Start3D(options);
  log().Clear();
  canvas.ClipCube(TRect{100, 50, 200, 150}, 0, 20);
  const auto clips = log().Named("ClipPolygon");
  ASSERT_EQ(clips.size(), 1u);
  EXPECT_EQ(clips[0].Text, "Replace");
  // The outline of the orthogonal box: six corners.
  std::set<std::pair<int, int>> corners;
  for (const auto& p : clips[0].Points) corners.insert({p.X, p.Y});
  EXPECT_EQ(corners, (std::set<std::pair<int, int>>{
                         {100, 50}, {120, 30}, {220, 30}, {220, 130}, {200, 150}, {100, 150}}));

  // Seen straight from above the clip is the rectangle between the projected top edges.
  options.SetElevation(270);
  options.SetRotation(360);
  options.SetOrthogonal(false);
  Start3D(options);
  log().Clear();
  canvas.ClipCube(TRect{100, 50, 200, 150}, 0, 20);
  EXPECT_EQ(log().Count("IntersectClipRect"), 1);
}

TEST_F(TeeCanvas, EllipseWithZInARotatedViewIsAFanAndAnOutline) {
  tee::TView3DOptions options;
  options.SetOrthogonal(false);
  Start3D(options);
  canvas.EllipseWithZ(100, 100, 140, 130, 10);
  EXPECT_EQ(log().Count("Polygon"), 31);
  const auto outline = log().Named("Polyline");
  ASSERT_EQ(outline.size(), 1u);
  EXPECT_EQ(outline[0].Points.size(), 32u);
  EXPECT_EQ(outline[0].Points[0], canvas.Calculate3DPosition(120, 130, 10));
  EXPECT_EQ(log().Named("Polygon")[0].Pen.Style, fw::psClear);
  EXPECT_EQ(canvas.Pen().Style(), fw::psSolid);

  log().Clear();
  canvas.Brush().SetStyle(fw::bsClear);
  canvas.EllipseWithZ(100, 100, 140, 130, 10);
  EXPECT_EQ(log().Count("Polygon"), 0);
  EXPECT_EQ(log().Count("Polyline"), 1);

  // Orthogonal: the platform ellipse between the projected corners.
  tee::TView3DOptions ortho;
  Start3D(ortho);
  log().Clear();
  canvas.EllipseWithZ(100, 100, 140, 130, 10);
  EXPECT_EQ(log().Strings(), (Strings{"Ellipse(110,90,150,120)"}));
}

TEST_F(TeeCanvas, SetPixel3DWithAWidePenDrawsADot) {
  canvas.Pen().SetWidth(3);
  canvas.SetPixel3D(5, 6, 0, fw::clRed);
  EXPECT_EQ(log().Strings(), (Strings{"MoveTo(5,6)", "LineTo(5,6)"}));
}

TEST_F(TeeCanvas, Set2DAndRestore3DBracketFlatDrawing) {
  tee::TView3DOptions options;
  Start3D(options);
  canvas.Set2D();
  EXPECT_FALSE(canvas.Is3D());
  EXPECT_EQ(canvas.Calculate3DPosition(10, 10, 10), (fw::TPoint{10, 10}));
  canvas.Restore3D();
  EXPECT_TRUE(canvas.Is3D());
  EXPECT_EQ(canvas.Calculate3DPosition(10, 10, 10), (fw::TPoint{20, 0}));
}

TEST_F(TeeCanvas, Triangle3DTakesTheFirstColourUnlessTheBrushIsClear) {
  canvas.Triangle3D({tee::TPoint3D{1, 1, 0}, {5, 1, 0}, {3, 4, 0}},
                    {fw::clRed, fw::clLime, fw::clBlue});
  canvas.Brush().SetStyle(fw::bsClear);
  canvas.Brush().SetColor(fw::clAqua);
  canvas.Triangle3D({tee::TPoint3D{1, 1, 0}, {5, 1, 0}, {3, 4, 0}},
                    {fw::clRed, fw::clLime, fw::clBlue});
  const auto calls = log().Named("Polygon");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Brush.Color, fw::clRed);
  EXPECT_EQ(calls[1].Brush.Color, fw::clAqua);
}

TEST_F(TeeCanvas, DrawSetsTheBackColourAndSkipsEmptyGraphics) {
  fw::TBitmap empty;
  canvas.Draw(1, 2, empty);
  EXPECT_TRUE(log().Calls().empty());
  fw::TBitmap picture(3, 3);
  canvas.Brush().SetColor(fw::clYellow);
  canvas.Draw(1, 2, picture);
  EXPECT_EQ(log().Strings(), (Strings{"SetBackColor(65535)", "Draw(1,2,\"graphic\")"}));
}

TEST_F(TeeCanvas, DetachedCanvasDrawsNothingAndMeasuresZero) {
  tee::TTeeCanvas3D detached;
  detached.Rectangle(0, 0, 10, 10);
  detached.Pen().SetColor(fw::clRed);
  EXPECT_EQ(detached.TextWidth("abc"), 0);
  EXPECT_EQ(detached.FontHeight(), 0);
  // A real surface measures the real font.
  canvas.Font().SetName("Arial");
  canvas.Font().SetSize(8);
  EXPECT_GT(canvas.TextWidth("abc"), 10);
  EXPECT_GE(canvas.FontHeight(), 12);
}

TEST_F(TeeCanvas, SolidsStayInsideTheirProjectedBox) {
  tee::TView3DOptions options;
  Start3D(options);
  auto within = [&](int left, int top, int right, int bottom) {
    for (const auto& call : log().Calls())
      for (const auto& p : call.Points) {
        EXPECT_GE(p.X, left - 1) << call.ToString();
        EXPECT_LE(p.X, right + 1) << call.ToString();
        EXPECT_GE(p.Y, top - 1) << call.ToString();
        EXPECT_LE(p.Y, bottom + 1) << call.ToString();
      }
  };
  // Box 100..140 x 50..90 at depth 0..20 projects into 100..160 x 30..90.
  canvas.Pyramid(true, 100, 50, 140, 90, 0, 20, true);
  canvas.PyramidVariant(false, 100, 50, 140, 90, 0, 20, false);
  canvas.Cylinder(true, 100, 50, 140, 90, 0, 20, true);
  canvas.Pie3D(120, 70, 20, 20, 0, 20, 0, 1.5, true, true);
  EXPECT_GT(log().Count("Polygon"), 10);
  within(100, 30, 160, 90);
  log().Clear();
  canvas.Arrow(true, {100, 90}, {140, 50}, 8, 10, 0);
  const auto head = log().Named("Polygon");
  ASSERT_EQ(head.size(), 1u);
  EXPECT_EQ(head[0].Points[0], (fw::TPoint{140, 50}));
}

}  // namespace

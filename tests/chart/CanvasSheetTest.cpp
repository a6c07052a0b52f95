// Renders one sheet of every shape, pen, brush, gradient, solid and text alignment through
// TTeeCanvas3D into a bitmap and writes it as canvas-sheet.png in the build folder (the parent of
// QX_TEST_BIN_DIR; the test temporary folder without it), for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "chart/TeCanvas3D.h"
#include "chart/TeCanvasView3D.h"
#include "framework/gui/Bitmap.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TPoint;
using fw::TRect;

void Caption(tee::TTeeCanvas3D& c, int x, int y, const std::string& text) {
  c.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
  c.Font().SetColor(fw::clBlack);
  c.SetBackMode(fw::TRANSPARENT);
  c.TextOut(x, y, text);
}

void Cross(tee::TTeeCanvas3D& c, int x, int y) {
  c.Pen().SetColor(fw::clRed);
  c.Pen().SetStyle(fw::psSolid);
  c.Pen().SetWidth(1);
  c.HorizLine(x - 4, x + 5, y);
  c.VertLine(x, y - 4, y + 5);
}

void DrawSheet(tee::TTeeCanvas3D& c, const TRect& r) {
  c.Brush().SetColor(fw::clWhite);
  c.FillRect(r);
  c.Font().SetName("Arial");
  c.Font().SetSize(8);

  // Row 1: shapes with a one-pixel pen, then without a pen.
  Caption(c, 8, 4, "Rectangle, Ellipse, RoundRect, Pie, Arc, Polygon, Polyline (pen; no pen)");
  c.Pen().SetColor(fw::clBlack);
  c.Brush().SetColor(fw::clAqua);
  c.Rectangle(10, 20, 50, 50);
  c.Ellipse(60, 20, 100, 50);
  c.RoundRect(110, 20, 150, 50, 12, 12);
  c.Pie(160, 20, 200, 60, 200, 40, 180, 20);
  c.Arc(210, 20, 250, 60, 250, 40, 210, 40);
  const TPoint star[] = {{280, 20}, {290, 50}, {265, 32}, {295, 32}, {270, 50}};
  c.Polygon(star);
  const TPoint zigzag[] = {{305, 50}, {315, 20}, {325, 50}, {335, 20}, {345, 50}};
  c.ReferenceCanvas()->Polyline(zigzag);
  c.Pen().SetStyle(fw::psClear);
  c.Brush().SetColor(fw::clRed);
  c.Rectangle(360, 20, 400, 50);
  c.Ellipse(410, 20, 450, 50);
  for (int i = 0; i < 6; ++i)
    c.Ellipse(460 + 8 * i, 30, 464 + 8 * i, 34);  // the series' 4 x 4 dots
  c.Pen().SetStyle(fw::psSolid);

  // Row 2: pen styles, wide pen, not-xor, hatch brushes.
  Caption(c, 8, 64, "psSolid psDash psDot psDashDot psDashDotDot psAlternate, width 3, hatches");
  const fw::TPenStyle styles[] = {fw::psSolid,   fw::psDash,       fw::psDot,
                                  fw::psDashDot, fw::psDashDotDot, fw::psAlternate};
  for (int i = 0; i < 6; ++i) {
    c.Pen().SetStyle(styles[i]);
    c.Line(10, 82 + 5 * i, 150, 82 + 5 * i);
  }
  c.Pen().SetStyle(fw::psSolid);
  c.Pen().SetWidth(3);
  c.Line(160, 85, 220, 105);
  c.Pen().SetWidth(1);
  const fw::TBrushStyle hatches[] = {fw::bsHorizontal, fw::bsVertical, fw::bsFDiagonal,
                                     fw::bsBDiagonal,  fw::bsCross,    fw::bsDiagCross};
  c.SetBackMode(fw::OPAQUE);
  c.SetBackColor(fw::clYellow);
  for (int i = 0; i < 6; ++i) {
    c.Brush().SetStyle(hatches[i]);
    c.Brush().SetColor(fw::clNavy);
    c.Rectangle(230 + 36 * i, 80, 262 + 36 * i, 112);
  }
  c.Brush().SetStyle(fw::bsSolid);

  // Row 3: text alignment around red crosses, rotated text.
  Caption(c, 8, 124, "TextOut: left/centre/right x top/baseline/bottom; RotateLabel 90 and 45");
  const unsigned horizontal[] = {fw::TA_LEFT, fw::TA_CENTER, fw::TA_RIGHT};
  const unsigned vertical[] = {fw::TA_TOP, fw::TA_BASELINE, fw::TA_BOTTOM};
  for (int h = 0; h < 3; ++h)
    for (int v = 0; v < 3; ++v) {
      const int x = 60 + 110 * h;
      const int y = 150 + 30 * v;
      Cross(c, x, y);
      c.SetTextAlign(horizontal[h] | vertical[v]);
      c.Font().SetColor(fw::clBlue);
      c.TextOut(x, y, "Align Hg");
    }
  c.SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
  Cross(c, 380, 220);
  c.RotateLabel(380, 220, "Up 90", 90);
  Cross(c, 420, 220);
  c.RotateLabel(420, 220, "Slanted 45", 45);
  Cross(c, 470, 150);
  c.RotateLabel(470, 150, "Down 270", 270);

  // Row 4: gradients in the seven directions, white to navy, and a bevel.
  Caption(c, 8, 234,
          "GradientFill: TopBottom BottomTop LeftRight RightLeft FromCenter FromTopLeft "
          "FromBottomLeft; Frame3D");
  for (int d = 0; d <= tee::gdFromBottomLeft; ++d)
    c.GradientFill(TRect{10 + 60 * d, 250, 60 + 60 * d, 300}, fw::clWhite, fw::clNavy,
                   static_cast<tee::TGradientDirection>(d));
  TRect bevel{440, 250, 500, 300};
  c.Frame3D(bevel, fw::clWhite, fw::clGray, 2);
  c.Brush().SetStyle(fw::bsSolid);  // RotateLabel left it clear
  c.Brush().SetColor(fw::clBtnFace);
  c.FillRect(bevel);
}

void DrawSolids(tee::TTeeCanvas3D& c, tee::TView3DOptions& options, const TRect& r) {
  c.InitWindow(c.ReferenceCanvas(), &options, true, r);
  c.Projection(40, r);
  c.Pen().SetColor(fw::clBlack);
  c.Brush().SetStyle(fw::bsSolid);
  c.Brush().SetColor(fw::clLime);
  c.Cube(20, 60, 355, 395, 0, 20, true);
  c.Brush().SetColor(fw::clAqua);
  c.Pyramid(true, 90, 345, 130, 395, 0, 20, true);
  c.Brush().SetColor(fw::clFuchsia);
  c.Cylinder(true, 160, 345, 200, 395, 0, 20, true);
  c.Brush().SetColor(fw::clYellow);
  c.Pie3D(260, 375, 30, 20, 0, 10, 0.3, 4.5, true, true);
  c.Brush().SetColor(fw::clRed);
  c.Arrow(true, {310, 400}, {360, 350}, 10, 12, 0);
  c.Brush().SetColor(fw::clBlue);
  c.EllipseWithZ(380, 350, 420, 390, 10);
  c.TextOut3D(430, 365, 10, "TextOut3D");
}

TEST(CanvasSheet, RendersEveryShapeAndTextAlignment) {
  testing_support::EnsureGuiApplication();
  fw::TBitmap sheet(520, 420);
  tee::TTeeCanvas3D canvas;
  canvas.SetBuffered(false);
  const TRect all{0, 0, 520, 420};
  canvas.InitWindow(&sheet.Canvas(), nullptr, false, all);
  DrawSheet(canvas, all);
  tee::TView3DOptions options;
  DrawSolids(canvas, options, all);
  canvas.Set2D();
  Caption(canvas, 8, 312, "3D orthogonal: Cube, Pyramid, Cylinder, Pie3D, Arrow, EllipseWithZ");
  canvas.Restore3D();

  // Something of each part landed where it was drawn.
  EXPECT_EQ(sheet.GetPixel(30, 35), fw::clAqua);
  EXPECT_EQ(sheet.GetPixel(380, 35), fw::clRed);
  EXPECT_EQ(sheet.GetPixel(35, 299), fw::clWhite);  // gdTopBottom: start colour at the bottom
  EXPECT_EQ(sheet.GetPixel(40, 375), fw::clLime);
  EXPECT_EQ(sheet.GetPixel(470, 275), fw::RGB(0xD4, 0xD0, 0xC8));

  const char* bin = std::getenv("QX_TEST_BIN_DIR");
  const std::filesystem::path dir = bin != nullptr ? std::filesystem::path(bin).parent_path()
                                                   : std::filesystem::path(::testing::TempDir());
  const std::string path = (dir / "canvas-sheet.png").string();
  ASSERT_TRUE(sheet.SaveToFile(path)) << path;
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace

// The main window's chart, set up as its window description sets it, drawn into a bitmap with a
// small known profile; the picture is saved as chart_main_window.png (in the build folder when
// QX_TEST_BIN_DIR is set, else the test temporary folder) for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "ChartFixtures.h"
#include "chart/ChartImage.h"
#include "framework/core/SystemColors.h"
#include "framework/gui/Bitmap.h"

namespace {

using charttest::Strings;

const std::vector<std::pair<int, int>> kProfile{{-20000, 5000}, {-12000, 30000}, {-4000, 65000},
                                                {0, 0},         {7500, 42000},   {15000, 70000},
                                                {22000, 12000}};

std::string OutputPath(const char* name) {
  const char* bin = std::getenv("QX_TEST_BIN_DIR");
  const auto dir = bin != nullptr ? std::filesystem::path(bin).parent_path()
                                  : std::filesystem::path(::testing::TempDir());
  return (dir / name).string();
}

int CountColor(const fw::TBitmap& b, int x0, int y0, int x1, int y1, fw::TColor color) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) n += b.GetPixel(x, y) == color;
  return n;
}

TEST(MainWindowChart, RendersTheProfileAsRedDotsOnTheFixedAxes) {
  charttest::TMainWindowChart w;
  w.Measure(kProfile);
  tee::TChart& chart = *w.chart;
  fw::TBitmap bitmap;
  tee::RenderChart(chart, bitmap);
  const std::string path = OutputPath("chart_main_window.png");
  ASSERT_TRUE(bitmap.SaveToFile(path));
  std::printf("rendered %s\n", path.c_str());

  // The client area inside the two-pixel border.
  ASSERT_EQ(bitmap.Width(), 478);
  ASSERT_EQ(bitmap.Height(), 391);

  // Every point is a red dot of radius 2 where the axes' conversion puts it, and nothing red lies
  // outside the dots.
  int redInDots = 0;
  for (const auto& [x, y] : kProfile) {
    const int px = chart.BottomAxis()->CalcXPosValue(x);
    const int py = chart.LeftAxis()->CalcYPosValue(y);
    // Without a pen the circle (px - 2, py - 2, px + 2, py + 2) fills the pixels inside its box
    // but its right and bottom edges: px - 2 .. px.
    EXPECT_EQ(bitmap.GetPixel(px, py), fw::clRed) << "point " << x << "," << y;
    EXPECT_EQ(bitmap.GetPixel(px - 1, py - 1), fw::clRed);
    EXPECT_NE(bitmap.GetPixel(px + 2, py), fw::clRed);
    EXPECT_NE(bitmap.GetPixel(px, py + 2), fw::clRed);
    EXPECT_NE(bitmap.GetPixel(px - 3, py), fw::clRed);
    EXPECT_NE(bitmap.GetPixel(px, py - 3), fw::clRed);
    redInDots += CountColor(bitmap, px - 2, py - 2, px + 2, py + 2, fw::clRed);
  }
  EXPECT_EQ(CountColor(bitmap, 0, 0, bitmap.Width() - 1, bitmap.Height() - 1, fw::clRed),
            redInDots);
  EXPECT_GT(redInDots, 7 * 8);

  // The left axis is labelled from the top multiple of its step down to 0 (-500 gets no label),
  // each label at its value's pixel; the bottom axis shows the points' labels.
  const tee::TAxisLabels& left = chart.LeftAxis()->LastLabels();
  const double step = left.Increment;
  ASSERT_GT(step, 0);
  Strings leftTexts;
  for (const auto& l : left.Items) leftTexts.push_back(l.Text);
  ASSERT_FALSE(left.Items.empty());
  EXPECT_EQ(left.Items.front().Value, std::floor(75000 / step) * step);
  EXPECT_EQ(leftTexts.back(), "0");
  EXPECT_EQ(static_cast<int>(left.Items.size()), static_cast<int>(75000 / step) + 1);
  EXPECT_NE(std::find(leftTexts.begin(), leftTexts.end(), "70,000"), leftTexts.end());
  for (const auto& l : left.Items) EXPECT_EQ(l.Pos, chart.LeftAxis()->CalcYPosValue(l.Value));
  Strings bottom;
  for (const auto& l : chart.BottomAxis()->LastLabels().Items) bottom.push_back(l.Text);
  ASSERT_FALSE(bottom.empty());
  for (const std::string& text : bottom) {
    bool isPointLabel = false;
    for (const auto& p : kProfile) isPointLabel |= text == std::to_string(p.first);
    EXPECT_TRUE(isPointLabel) << text;
  }

  // The title: blue text above the plot rectangle, which is framed in black by the back wall.
  const fw::TRect plot = chart.PlotRect();
  EXPECT_GT(CountColor(bitmap, 0, 0, bitmap.Width() - 1, plot.Top - 6, fw::clBlue), 20);
  // (The top edge carries the grid line of the top label.)
  EXPECT_GT(CountColor(bitmap, plot.Right, plot.Top, plot.Right, plot.Bottom, fw::clBlack),
            plot.Height() * 3 / 4);
  // The clear back wall shows the panel colour inside.
  EXPECT_EQ(bitmap.GetPixel(plot.Left + 3, plot.Bottom - 3), fw::ColorToRGB(fw::clBtnFace));

  // The axis labels are written straight onto the panel: no white boxes behind them (the bevel
  // at the picture's edge is left out).
  const int inset = 4;
  EXPECT_EQ(CountColor(bitmap, inset, plot.Top - 8, plot.Left - 2, plot.Bottom + 8, fw::clWhite),
            0);
  EXPECT_EQ(CountColor(bitmap, plot.Left - 30, plot.Bottom + 2, plot.Right + 30,
                       bitmap.Height() - inset, fw::clWhite),
            0);
  // ... while the labels themselves are there, in black.
  EXPECT_GT(CountColor(bitmap, inset, plot.Top, plot.Left - 2, plot.Bottom, fw::clBlack), 50);
}

}  // namespace

namespace {

// A 3D chart with everything this engine draws around the plot: a gradient background, title and
// foot, a framed legend with shadow, the three walls and two series sharing the plot.
TEST(ChartPicture, A3DChartWithLegendWallsAndFoot) {
  testing_support::EnsureGuiApplication();
  charttest::TOwner owner;
  auto* chart = new tee::TChart(&owner);
  chart->SetBounds(0, 0, 480, 320);
  chart->Gradient()->SetVisible(true);
  chart->Title()->SetText({"Profiles"});
  chart->Foot()->SetText({"foot line"});
  chart->Foot()->Font()->SetColor(fw::clMaroon);
  chart->LeftWall()->SetSize(6);
  chart->LeftWall()->SetDark3D(false);
  chart->BottomWall()->SetSize(6);
  chart->BackWall()->SetColor(fw::clWhite);
  chart->BackWall()->Brush()->SetStyle(fw::bsSolid);
  for (int k = 0; k < 2; ++k) {
    auto* s = new tee::TPointSeries(&owner);
    s->SetTitle(k == 0 ? "First" : "Second");
    s->Pointer()->SetStyle(k == 0 ? tee::psCircle : tee::psTriangle);
    s->Pointer()->SetHorizSize(5);
    s->Pointer()->SetVertSize(5);
    s->Pointer()->Pen()->SetVisible(false);
    s->SetParentChart(chart);
    for (int i = 0; i < 12; ++i) s->AddXY(i, 20 + 10 * k + (i * 37 + k * 11) % 50);
  }
  fw::TBitmap bitmap;
  tee::RenderChart(*chart, bitmap);
  const std::string path = OutputPath("chart_3d.png");
  ASSERT_TRUE(bitmap.SaveToFile(path));
  std::printf("rendered %s\n", path.c_str());

  // The legend: a white box with a black shadow at the right, listing the two series.
  const fw::TRect legend = chart->Legend()->LegendRect();
  EXPECT_GT(legend.Left, bitmap.Width() / 2);
  EXPECT_EQ(bitmap.GetPixel(legend.Left + 2, legend.Bottom - 2), fw::clWhite);
  EXPECT_EQ(bitmap.GetPixel(legend.Right + 2, legend.Bottom + 2), fw::clBlack);
  EXPECT_EQ(chart->Legend()->ItemText(1), "Second");
  // The left wall (not darkened) is light yellow and lies left of the plot; the series' colours
  // show.
  const fw::TRect plot = chart->PlotRect();
  EXPECT_GT(CountColor(bitmap, plot.Left - 12, plot.Top, plot.Left - 1, plot.Bottom, 0x80FFFF), 20);
  EXPECT_GT(CountColor(bitmap, plot.Left, plot.Top - 20, plot.Right + 20, plot.Bottom, fw::clRed),
            20);
  EXPECT_GT(CountColor(bitmap, plot.Left, plot.Top - 20, plot.Right + 20, plot.Bottom, fw::clGreen),
            20);
  // The foot in its colour below the plot.
  EXPECT_GT(
      CountColor(bitmap, 0, plot.Bottom, bitmap.Width() - 1, bitmap.Height() - 1, fw::clMaroon), 3);
}

// A chart with visible marks, flat and in 3D, saved as chart_marks_2d.png and chart_marks_3d.png.
TEST(ChartPicture, MarksShowTheValuesAboveThePoints) {
  for (bool view3D : {false, true}) {
    SCOPED_TRACE(view3D);
    testing_support::EnsureGuiApplication();
    charttest::TOwner owner;
    auto* chart = new tee::TChart(&owner);
    chart->SetBounds(0, 0, 480, 320);
    chart->SetView3D(view3D);
    chart->Title()->SetText({"Marks"});
    chart->Legend()->SetVisible(false);
    auto* s = new tee::TPointSeries(&owner);
    s->SetParentChart(chart);
    s->SetSeriesColor(fw::clRed);
    s->Pointer()->SetStyle(tee::psCircle);
    s->Marks()->SetVisible(true);
    s->Marks()->SetStyle(tee::smsValue);
    s->Marks()->SetArrowLength(12);
    for (int i = 0; i < 8; ++i) s->AddXY(i, 100 + (i * 53) % 400, "p" + std::to_string(i));
    fw::TBitmap bitmap;
    tee::RenderChart(*chart, bitmap);
    const std::string path = OutputPath(view3D ? "chart_marks_3d.png" : "chart_marks_2d.png");
    ASSERT_TRUE(bitmap.SaveToFile(path));
    std::printf("rendered %s\n", path.c_str());

    // Every mark's box shows the light yellow fill and some dark text inside its frame.
    for (int i = 0; i < s->Count(); ++i) {
      SCOPED_TRACE(i);
      const tee::TSeriesMarkPosition* p = s->Marks()->Positions().Position(i);
      ASSERT_NE(p, nullptr);
      fw::TRect box = p->Bounds();
      if (view3D) {
        const fw::TPoint at = chart->Canvas()->Calculate3DPosition(box.Left, box.Top, s->StartZ());
        fw::OffsetRect(box, at.X - box.Left, at.Y - box.Top);
      }
      fw::TRect inside = box;
      fw::InflateRect(inside, -2, -2);
      EXPECT_GT(CountColor(bitmap, inside.Left, inside.Top, inside.Right - 1, inside.Bottom - 1,
                           0x80FFFF),
                inside.Width() * inside.Height() / 3);
      EXPECT_GT(CountColor(bitmap, inside.Left, inside.Top, inside.Right - 1, inside.Bottom - 1,
                           fw::clBlack),
                3);
      // The box sits above its point, which stays visible in red.
      EXPECT_LT(box.Bottom, (view3D ? chart->Canvas()->Calculate3DPosition(
                                          s->CalcXPos(i), s->CalcYPos(i), s->StartZ())
                                    : fw::TPoint{s->CalcXPos(i), s->CalcYPos(i)})
                                .Y);
    }
  }
}

}  // namespace

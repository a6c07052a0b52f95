// TChart as a window control: created by name from a window description with its series, laid
// out in its panel, painted through its window, and repainted from its buffer while unchanged.
// The window's picture is saved as chart_window.png (in the build folder when QX_TEST_BIN_DIR is
// set, else the test temporary folder).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/core/ControlPeer.h"
#include "framework/widgets/CustomDrawnPeer.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/Panel.h"
#include "framework/widgets/WidgetPeer.h"
#include "framework/widgets/WindowDescription.h"
#include "support/GuiTestApp.h"

namespace {

constexpr std::string_view kDescription = R"({
  "class": "TForm", "name": "FormS",
  "properties": { "ClientWidth": 692, "ClientHeight": 410 },
  "children": [
    { "class": "TPanel", "name": "Panel1",
      "properties": { "Left": 209, "Top": 14, "Width": 484, "Height": 397 },
      "children": [
        { "class": "TChart", "name": "ChartOscilloscope",
          "properties": {
            "Left": 1, "Top": 1, "Width": 482, "Height": 395, "Align": "alClient", "BorderStyle": "bsSingle",
            "BackWall": { "Brush": { "Color": "clWhite", "Style": "bsClear" } },
            "Title": { "Font": { "Name": "Arial", "Height": -16, "Color": "clBlue" }, "Text": ["Oscilloscope"] },
            "BottomAxis": { "Automatic": false, "AutomaticMaximum": false, "AutomaticMinimum": false,
                            "ExactDateTime": false, "Increment": 1, "Maximum": 26000, "Minimum": -26000 },
            "LeftAxis": { "Automatic": false, "AutomaticMaximum": false, "AutomaticMinimum": false,
                          "ExactDateTime": false, "Increment": 1, "Maximum": 75000, "Minimum": -500 },
            "Legend": { "Visible": false },
            "View3D": false } } ] },
    { "class": "TPointSeries", "name": "SeriesOsc",
      "properties": { "ParentChart": "ChartOscilloscope", "SeriesColor": "clRed",
                      "Marks": { "ArrowLength": 8, "Visible": false },
                      "Pointer": { "HorizSize": 2, "InflateMargins": true, "Pen": { "Visible": false },
                                   "Style": "psCircle", "VertSize": 2, "Visible": true },
                      "XValues": { "DateTime": false, "Name": "X", "Order": "loAscending" },
                      "YValues": { "DateTime": false, "Name": "Y", "Order": "loNone" } } },
    { "class": "TPointSeries", "name": "Series1",
      "properties": { "ParentChart": "ChartOscilloscope", "SeriesColor": "clGreen",
                      "Marks": { "ArrowLength": 0, "Visible": false },
                      "Pointer": { "HorizSize": 2, "InflateMargins": true, "Pen": { "Visible": false },
                                   "Style": "psCircle", "VertSize": 2, "Visible": true } } }
  ]
})";

class ChartWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureGuiApplication();
    previous_ = fw::InstallCustomDrawnPeers();
    tee::RegisterChartClasses();
    form.reset(fw::CreateFromWindowDescription(kDescription, nullptr));
    chart = dynamic_cast<tee::TChart*>(form->FindComponent("ChartOscilloscope"));
    osc = dynamic_cast<tee::TPointSeries*>(form->FindComponent("SeriesOsc"));
    series1 = dynamic_cast<tee::TPointSeries*>(form->FindComponent("Series1"));
    panel = dynamic_cast<fw::TPanel*>(form->FindComponent("Panel1"));
  }
  void TearDown() override {
    form.reset();
    fw::SetDefaultPeerFactory(previous_);
  }
  fw::TColor Pixel(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return fw::RGB(qRed(p), qGreen(p), qBlue(p));
  }

  fw::TPeerFactory previous_;
  std::unique_ptr<fw::TComponent> form;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* osc = nullptr;
  tee::TPointSeries* series1 = nullptr;
  fw::TPanel* panel = nullptr;
};

TEST_F(ChartWindow, TheDescriptionCreatesTheChartAndItsSeriesByName) {
  ASSERT_NE(chart, nullptr);
  ASSERT_NE(osc, nullptr);
  ASSERT_NE(series1, nullptr);
  EXPECT_EQ(chart->Parent(), panel);
  // Filling the panel inside its one-pixel bevel; the sunken border leaves 478 x 391 to draw in.
  EXPECT_EQ(chart->BoundsRect(), fw::Rect(1, 1, 483, 396));
  EXPECT_EQ(chart->GetDrawingRect(), fw::Rect(0, 0, 478, 391));
  EXPECT_EQ(chart->Title()->Text(), (std::vector<std::string>{"Oscilloscope"}));
  EXPECT_EQ(chart->Title()->Font()->Height(), -16);
  EXPECT_EQ(chart->BackWall()->Brush()->Style(), fw::bsClear);
  EXPECT_EQ(chart->BackWall()->Brush()->Color(), fw::clWhite);
  EXPECT_FALSE(chart->BottomAxis()->Automatic());
  EXPECT_FALSE(chart->BottomAxis()->AutomaticMinimum());
  EXPECT_EQ(chart->BottomAxis()->Minimum(), -26000);
  EXPECT_EQ(chart->LeftAxis()->Maximum(), 75000);
  EXPECT_FALSE(chart->Legend()->Visible());
  EXPECT_FALSE(chart->View3D());
  ASSERT_EQ(chart->SeriesCount(), 2);
  EXPECT_EQ(chart->Series(0), osc);
  EXPECT_EQ(osc->SeriesColor(), fw::clRed);
  EXPECT_EQ(series1->SeriesColor(), fw::clGreen);
  EXPECT_EQ(osc->Pointer()->Style(), tee::psCircle);
  EXPECT_FALSE(osc->Pointer()->Pen()->Visible());
  EXPECT_EQ(osc->Marks()->ArrowLength(), 8);
  EXPECT_EQ(osc->XValues()->Order(), tee::loAscending);
}

TEST_F(ChartWindow, TheWindowShowsTheChartAndRepaintsFromItsBufferUntilSomethingChanges) {
  int drawn = 0;
  chart->OnAfterDraw = [&](fw::TObject*) { ++drawn; };
  const std::vector<std::pair<int, int>> profile{
      {-20000, 5000}, {-5000, 40000}, {0, 0}, {12000, 65000}, {24000, 20000}};
  for (auto [x, y] : profile) osc->AddXY(x, y, std::to_string(x), fw::clRed);
  const QImage first = fw::RenderControl(*static_cast<fw::TWinControl*>(form.get()));
  ASSERT_FALSE(first.isNull());
  const char* bin = std::getenv("QX_TEST_BIN_DIR");
  const auto dir = bin != nullptr ? std::filesystem::path(bin).parent_path()
                                  : std::filesystem::path(::testing::TempDir());
  const std::string path = (dir / "chart_window.png").string();
  ASSERT_TRUE(first.save(QString::fromStdString(path)));
  std::printf("rendered %s\n", path.c_str());
  EXPECT_EQ(drawn, 1);

  // Each point is red where the axes put it: the panel's and the chart's offsets and the border.
  const int ox = panel->Left() + chart->Left() + 2;
  const int oy = panel->Top() + chart->Top() + 2;
  for (auto [x, y] : profile) {
    const int px = ox + chart->BottomAxis()->CalcXPosValue(x);
    const int py = oy + chart->LeftAxis()->CalcYPosValue(y);
    EXPECT_EQ(Pixel(first, px, py), fw::clRed) << x << "," << y;
    EXPECT_EQ(Pixel(first, px - 1, py - 1), fw::clRed) << x << "," << y;
  }

  // Nothing changed: the window shows the buffer again without drawing the chart.
  const QImage second = fw::RenderControl(*static_cast<fw::TWinControl*>(form.get()));
  EXPECT_EQ(drawn, 1);
  EXPECT_EQ(second, first);
  // A new point is a repaint request: the next paint draws it.
  osc->AddXY(20000, 70000, "20000", fw::clRed);
  const QImage third = fw::RenderControl(*static_cast<fw::TWinControl*>(form.get()));
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(Pixel(third, ox + chart->BottomAxis()->CalcXPosValue(20000),
                  oy + chart->LeftAxis()->CalcYPosValue(70000)),
            fw::clRed);
  // Clearing the series empties the plot.
  osc->Clear();
  const QImage fourth = fw::RenderControl(*static_cast<fw::TWinControl*>(form.get()));
  EXPECT_EQ(drawn, 3);
  EXPECT_NE(Pixel(fourth, ox + chart->BottomAxis()->CalcXPosValue(0),
                  oy + chart->LeftAxis()->CalcYPosValue(0) - 1),
            fw::clRed);
}

// What the window system shows of the window (its own copy, which a paint updates only where
// asked) is what painting the whole window gives: while profiles are replaced and only the rows
// they change are shown anew, after drawing on the chart's window outside a paint, and after
// the window was hidden and shown again.
TEST_F(ChartWindow, TheScreenShowsWhatAWholePaintGivesWhenOnlyChangedRowsAreShown) {
  auto* window = static_cast<fw::TForm*>(form.get());
  window->Show();
  QWidget* top = fw::TWidgetPeer::Of(*window)->Widget();
  auto* peer = dynamic_cast<fw::TCustomDrawnPeer*>(fw::TWidgetPeer::Of(*chart));
  ASSERT_NE(peer, nullptr);
  auto settle = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  auto onScreen = [&] {
    return top->screen()->grabWindow(top->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  };
  std::mt19937 random(5);
  auto replaceProfile = [&](int shift) {
    osc->Clear();
    for (int i = 0; i < 60; ++i) {
      const int x = -25000 + i * 800 + shift;
      const int y = 30000 + static_cast<int>(random() % 8000);
      osc->AddXY(x, y, std::to_string(x), fw::clRed);
    }
  };
  settle();
  const int height = chart->GetDrawingRect().Height();
  for (int round = 0; round < 6; ++round) {
    replaceProfile(round * 37);
    if (round % 2 == 0)
      chart->Update();
    else
      settle();
    if (round > 0) {
      EXPECT_GT(peer->ShownRows(), 0) << round;
      EXPECT_LT(peer->ShownRows(), height) << round;  // not the whole window
    }
    const QImage shown = onScreen();
    ASSERT_EQ(shown.size(), QSize(692, 410));
    ASSERT_EQ(shown, fw::RenderControl(*window)) << "round " << round;
  }

  // Drawn on the window outside a paint: shown as it is, and painted over by the next profile.
  fw::TCanvas& surface = chart->fw::TCustomControl::Canvas();
  surface.Pen().SetColor(fw::clLime);
  surface.MoveTo(5, 380);
  surface.LineTo(470, 380);
  settle();
  EXPECT_EQ(Pixel(onScreen(), panel->Left() + chart->Left() + 2 + 100,
                  panel->Top() + chart->Top() + 2 + 380),
            fw::clLime);
  replaceProfile(500);
  chart->Update();
  EXPECT_EQ(onScreen(), fw::RenderControl(*window));

  // Nothing changed: a repaint request shows nothing anew.
  chart->Invalidate();
  chart->Update();
  EXPECT_EQ(peer->ShownRows(), 0);
  EXPECT_EQ(onScreen(), fw::RenderControl(*window));

  // Hidden, changed, shown again.
  window->Hide();
  settle();
  replaceProfile(900);
  settle();
  window->Show();
  settle();
  EXPECT_EQ(onScreen(), fw::RenderControl(*window));
}

}  // namespace

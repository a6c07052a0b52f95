// The chart's mouse through its real window (off screen): Qt mouse and wheel events on the chart's
// surface widget, the rubber band as the window shows it, one paint for many moves, the wheel in
// steps of 120, the animated zoom's synchronous steps, and the cursor the window shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <memory>
#include <string_view>
#include <vector>

#include "chart/Chart.h"
#include "chart/Series.h"
#include "framework/widgets/CustomDrawnPeer.h"
#include "framework/widgets/Form.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/WindowDescription.h"
#include "support/GuiTestApp.h"

namespace {

constexpr std::string_view kDescription = R"({
  "class": "TForm", "name": "Form",
  "properties": { "ClientWidth": 500, "ClientHeight": 400 },
  "children": [
    { "class": "TChart", "name": "Chart",
      "properties": {
        "Left": 0, "Top": 0, "Width": 500, "Height": 400, "Align": "alClient",
        "BackWall": { "Brush": { "Color": "clWhite", "Style": "bsClear" } },
        "BottomAxis": { "Automatic": false, "AutomaticMaximum": false, "AutomaticMinimum": false,
                        "Maximum": 26000, "Minimum": -26000 },
        "LeftAxis": { "Automatic": false, "AutomaticMaximum": false, "AutomaticMinimum": false,
                      "Maximum": 75000, "Minimum": -500 },
        "Legend": { "Visible": false },
        "View3D": false } },
    { "class": "TPointSeries", "name": "Series",
      "properties": { "ParentChart": "Chart", "SeriesColor": "clRed",
                      "Pointer": { "HorizSize": 2, "VertSize": 2, "Style": "psCircle" } } }
  ]
})";

class ChartMouseWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureGuiApplication();
    previous_ = fw::InstallCustomDrawnPeers();
    tee::RegisterChartClasses();
    form.reset(dynamic_cast<fw::TForm*>(fw::CreateFromWindowDescription(kDescription, nullptr)));
    ASSERT_NE(form, nullptr);
    chart = dynamic_cast<tee::TChart*>(form->FindComponent("Chart"));
    series = dynamic_cast<tee::TPointSeries*>(form->FindComponent("Series"));
    for (int x = -24000; x <= 24000; x += 3000) series->AddXY(x, 30000 + x, "", fw::clRed);
    chart->OnAfterDraw = [this](fw::TObject*) { ++paints; };
    form->Show();
    Settle();
    surface = fw::TWidgetPeer::Of(*chart)->ClientWidget();
    ASSERT_NE(surface, nullptr);
  }
  void TearDown() override {
    form.reset();
    fw::SetDefaultPeerFactory(previous_);
  }

  static void Settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(x, y), surface->mapToGlobal(QPointF(x, y)), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(surface, &e);
  }
  void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonPress, x, y, b, b);
  }
  void Move(int x, int y, Qt::MouseButtons held = Qt::LeftButton) {
    Mouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
  }
  void Release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    Mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
  }
  void Wheel(int delta) {
    QWheelEvent e(QPointF(200, 200), surface->mapToGlobal(QPointF(200, 200)), QPoint(),
                  QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(surface, &e);
  }
  QImage Picture() { return fw::RenderControl(*chart); }

  fw::TPeerFactory previous_;
  std::unique_ptr<fw::TForm> form;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* series = nullptr;
  QWidget* surface = nullptr;
  int paints = 0;
};

// The pixels where two pictures differ.
std::vector<QPoint> Differences(const QImage& a, const QImage& b) {
  std::vector<QPoint> out;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) out.emplace_back(x, y);
  return out;
}

// Whether every point lies on the outline of the rectangle (x0, y0) to (x1, y1), right and bottom
// edges excluded as a rectangle draws them, and the outline is all there.
bool ExactlyTheOutline(const std::vector<QPoint>& points, int x0, int y0, int x1, int y1) {
  for (const QPoint& p : points) {
    const bool vertical = (p.x() == x0 || p.x() == x1 - 1) && p.y() >= y0 && p.y() < y1;
    const bool horizontal = (p.y() == y0 || p.y() == y1 - 1) && p.x() >= x0 && p.x() < x1;
    if (!vertical && !horizontal) return false;
  }
  return static_cast<int>(points.size()) == 2 * (x1 - x0) + 2 * (y1 - y0) - 4;
}

TEST_F(ChartMouseWindow, TheWindowShowsExactlyTheDragsCurrentRectangleAndNoneAfterRelease) {
  const QImage plain = Picture();
  Press(100, 100);
  Move(140, 130);
  Settle();
  EXPECT_TRUE(ExactlyTheOutline(Differences(plain, Picture()), 100, 100, 140, 130));
  Move(180, 170);
  Move(170, 190);
  Settle();
  EXPECT_TRUE(ExactlyTheOutline(Differences(plain, Picture()), 100, 100, 170, 190));
  // A repaint of the chart during the drag keeps the one rectangle.
  chart->Invalidate();
  Settle();
  EXPECT_TRUE(ExactlyTheOutline(Differences(plain, Picture()), 100, 100, 170, 190));
  // Released within 16 pixels of the start: no zoom, and nothing left behind.
  Release(110, 110);
  Settle();
  EXPECT_EQ(Differences(plain, Picture()).size(), 0u);
}

TEST_F(ChartMouseWindow, ManyMovesOfAPanBeforeAPaintGiveOnePaint) {
  Settle();
  const int before = paints;
  Press(200, 200, Qt::RightButton);
  for (int i = 1; i <= 20; ++i) Move(200 + i, 200 - i, Qt::RightButton);
  EXPECT_EQ(paints, before);
  Settle();
  EXPECT_EQ(paints, before + 1);
  Release(220, 180, Qt::RightButton);
  EXPECT_LT(chart->BottomAxis()->Maximum(), 26000);
}

TEST_F(ChartMouseWindow, AReleaseOutsideTheWindowStillEndsTheDrag) {
  const double before = chart->BottomAxis()->Maximum();
  Press(100, 100);
  Move(600, 500);
  Release(600, 500);
  EXPECT_FALSE(chart->ZoomDrag().Active);
  EXPECT_NE(chart->BottomAxis()->Maximum(), before);
  EXPECT_TRUE(chart->IsZoomed());
}

TEST_F(ChartMouseWindow, TheWheelMovesOneStepPer120Units) {
  auto shift = [&] { return chart->LeftAxis()->Minimum() - (-500); };
  Wheel(-30);
  Wheel(-30);
  Wheel(-30);
  EXPECT_EQ(shift(), 0);
  Wheel(-30);
  EXPECT_DOUBLE_EQ(shift(), 2265);
  // Turning back drops the rest; a full notch up returns.
  Wheel(-60);
  Wheel(120);
  EXPECT_NEAR(shift(), 0, 1e-9);
  // One event of two notches is two steps.
  Wheel(-240);
  EXPECT_GT(shift(), 2 * 2265 - 1e-6);
}

TEST_F(ChartMouseWindow, AnAnimatedZoomPaintsEachStepAtOnce) {
  std::vector<double> minima;
  chart->OnAfterDraw = [&](fw::TObject*) { minima.push_back(chart->BottomAxis()->Minimum()); };
  chart->SetAnimatedZoom(true);
  chart->SetAnimatedZoomSteps(1);
  chart->ZoomToValues(0, 300, 0, 1, 0, 1, -8000, 8000);
  EXPECT_TRUE(minima.empty());
  chart->UndoZoom();
  chart->SetAnimatedZoomSteps(4);
  chart->ZoomToValues(0, 300, 0, 1, 0, 1, -8000, 8000);
  // Three steps, each a third of the remaining distance, painted before the zoom returns.
  ASSERT_EQ(minima.size(), 3u);
  EXPECT_DOUBLE_EQ(minima[0], -26000 + 18000 / 3.0);
  EXPECT_DOUBLE_EQ(minima[1], minima[0] + (-8000 - minima[0]) / 3);
  EXPECT_DOUBLE_EQ(minima[2], minima[1] + (-8000 - minima[1]) / 3);
  EXPECT_EQ(chart->BottomAxis()->Minimum(), -8000);
}

TEST_F(ChartMouseWindow, TheWindowShowsTheCursorASeriesLends) {
  series->SetCursor(fw::crHandPoint);
  const int x = chart->BottomAxis()->CalcXPosValue(0);
  const int y = chart->LeftAxis()->CalcYPosValue(30000);
  Move(x, y, Qt::NoButton);
  EXPECT_EQ(surface->cursor().shape(), Qt::PointingHandCursor);
  Move(x + 40, y + 40, Qt::NoButton);
  EXPECT_EQ(surface->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace

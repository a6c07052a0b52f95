// The operator window off screen over the in-process simulated scanner, zoomed with the mouse as
// an operator does it: Measure, a left drag on the chart, the red dots where the zoomed axes put
// them, and the reverse drag back to the original picture pixel for pixel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include "UiTestSupport.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/UserInput.h"
#include "framework/widgets/WidgetPeer.h"
#include "sim/SimulatedScannerDriver.h"

namespace {

class FormSZoom : public ui_test::FormSTest {
 protected:
  FormSZoom() {
    CreateWindow(std::make_unique<sim::SimulatedScannerDriver>());
    form->Show();
    app->ProcessMessages();
    chartSurface = fw::TWidgetPeer::Of(*form->ChartOscilloscope)->ClientWidget();
    window = fw::TWidgetPeer::Of(*form)->Widget();
  }

  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent e(type, QPointF(x, y), chartSurface->mapToGlobal(QPointF(x, y)), button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(chartSurface, &e);
  }
  void LeftDrag(int x0, int y0, int x1, int y1) {
    Mouse(QEvent::MouseButtonPress, x0, y0, Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, (x0 + x1) / 2, (y0 + y1) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseMove, x1, y1, Qt::NoButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, x1, y1, Qt::LeftButton, Qt::NoButton);
    app->ProcessMessages();
  }
  QImage Picture() { return fw::RenderControl(*form); }
  QPoint ChartOrigin() const { return chartSurface->mapTo(window, QPoint(0, 0)); }

  QWidget* chartSurface = nullptr;
  QWidget* window = nullptr;
};

TEST_F(FormSZoom, ADragZoomsTheMeasuredProfileAndTheReverseDragRestoresThePicture) {
  fw::ClickButton(*form->Button1);
  app->ProcessMessages();
  tee::TPointSeries* osc = form->SeriesOsc;
  ASSERT_GT(osc->Count(), 10);
  const QImage measured = Picture();

  LeftDrag(150, 100, 300, 250);
  const QImage zoomed = Picture();
  ASSERT_NE(zoomed, measured);
  const tee::TChartAxis* bottom = form->ChartOscilloscope->BottomAxis();
  const tee::TChartAxis* left = form->ChartOscilloscope->LeftAxis();
  EXPECT_LT(bottom->Maximum() - bottom->Minimum(), 52000 / 2);
  // Every point inside the zoomed ranges (away from the plot's frame, which clips the dots) is a
  // red dot where the zoomed axes put it.
  const QPoint o = ChartOrigin();
  const fw::TRect plot = form->ChartOscilloscope->PlotRect();
  int inside = 0;
  for (int i = 0; i < osc->Count(); ++i) {
    const int px = bottom->CalcXPosValue(osc->XValue(i));
    const int py = left->CalcYPosValue(osc->YValue(i));
    if (px < plot.Left + 3 || px > plot.Right - 3 || py < plot.Top + 3 || py > plot.Bottom - 3)
      continue;
    ++inside;
    EXPECT_EQ(zoomed.pixel(o.x() + px - 1, o.y() + py - 1) & 0xFFFFFF, 0xFF0000u)
        << osc->XValue(i) << "," << osc->YValue(i);
  }
  EXPECT_GT(inside, 0);

  LeftDrag(300, 250, 150, 100);
  EXPECT_EQ(Picture(), measured);
  EXPECT_EQ(bottom->Minimum(), -26000);
  EXPECT_EQ(left->Maximum(), 75000);
}

}  // namespace

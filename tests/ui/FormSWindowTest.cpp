// The real operator window off-screen over the in-process simulated scanner: where every
// component stands and what it shows, the chart's settings from the description, and red dots
// on the rendered window after Measure.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/core/Properties.h"
#include "framework/widgets/FormImage.h"
#include "framework/widgets/UserInput.h"
#include "framework/widgets/WidgetPeer.h"
#include "sim/SimulatedScannerDriver.h"

namespace {

using fw::TWidgetPeer;

class FormSWindow : public ui_test::FormSTest {
 protected:
  FormSWindow() {
    auto simulated = std::make_unique<sim::SimulatedScannerDriver>();
    device = &simulated->device();
    CreateWindow(std::move(simulated));
    form->Show();
    app->ProcessMessages();
  }

  static QWidget* WidgetOf(const fw::TWinControl& control) {
    TWidgetPeer* peer = TWidgetPeer::Of(control);
    return peer ? peer->Widget() : nullptr;
  }

  // Pixels of the rendered window inside the chart's client area that have exactly this colour.
  int ChartPixels(const QImage& window, QRgb colour) const {
    const QRect chart(WidgetOf(*form->ChartOscilloscope)->mapTo(WidgetOf(*form), QPoint(0, 0)),
                      QSize(form->ChartOscilloscope->Width(), form->ChartOscilloscope->Height()));
    int n = 0;
    for (int y = chart.top(); y <= chart.bottom(); ++y)
      for (int x = chart.left(); x <= chart.right(); ++x)
        if ((window.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++n;
    return n;
  }

  sim::Qx770Device* device = nullptr;
};

TEST_F(FormSWindow, TheWindowIsCentredFixedAndCaptioned) {
  QWidget* window = WidgetOf(*form);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "QX770-DEMO");
  EXPECT_EQ(app->Title(), "QX770-DEMO");
  EXPECT_EQ(window->size(), QSize(692, 410));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(window->windowIcon().isNull());
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  // The client area is centred (the window system draws the frame around it).
  const QPoint centred(screen.x() + (screen.width() - 692) / 2,
                       screen.y() + (screen.height() - 410) / 2);
  EXPECT_EQ(window->geometry().topLeft(), centred);
  EXPECT_EQ(QPoint(form->Left(), form->Top()), centred);
  EXPECT_TRUE(window->font().bold());
  EXPECT_EQ(window->font().pixelSize(), 13);
}

TEST_F(FormSWindow, EveryComponentStandsWhereTheTableSays) {
  struct Expected {
    fw::TWinControl* control;
    fw::TWinControl* parent;
    QRect bounds;
    int tab;
  };
  const Expected table[] = {
      {form->GroupBox2, form, {4, 9, 205, 153}, 0},
      {form->CheckBox1, form->GroupBox2, {16, 40, 97, 17}, 0},
      {form->ComboBoxIn, form->GroupBox2, {56, 104, 65, 24}, 1},
      {form->StaticText4, form->GroupBox2, {16, 80, 89, 20}, 2},
      {form->Panel1, form, {209, 14, 484, 397}, 1},
      {form->ChartOscilloscope, form->Panel1, {1, 1, 482, 395}, 0},
      {form->Button1, form, {8, 169, 201, 25}, 2},
  };
  for (const Expected& e : table) {
    ASSERT_NE(e.control, nullptr);
    SCOPED_TRACE(e.control->Name());
    EXPECT_EQ(e.control->Parent(), e.parent);
    EXPECT_EQ(QRect(e.control->Left(), e.control->Top(), e.control->Width(), e.control->Height()),
              e.bounds);
    EXPECT_EQ(e.control->TabOrder(), e.tab);
    QWidget* w = WidgetOf(*e.control);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(WidgetOf(*e.parent)->isAncestorOf(w));
    QPoint inWindow = e.bounds.topLeft();
    for (fw::TWinControl* p = e.parent; p != form; p = p->Parent())
      inWindow += QPoint(p->Left(), p->Top());
    EXPECT_EQ(w->mapTo(WidgetOf(*form), QPoint(0, 0)), inWindow);
    EXPECT_EQ(w->size(), e.bounds.size());
    EXPECT_TRUE(w->isVisible());
  }

  EXPECT_EQ(qobject_cast<QGroupBox*>(WidgetOf(*form->GroupBox2))->title(), "Laser");
  auto* check = qobject_cast<QCheckBox*>(WidgetOf(*form->CheckBox1));
  EXPECT_EQ(check->text(), "On/Off");
  EXPECT_TRUE(check->isChecked());
  EXPECT_FALSE(check->font().bold());
  EXPECT_EQ(check->font().pixelSize(), 13);
  auto* combo = qobject_cast<QComboBox*>(WidgetOf(*form->ComboBoxIn));
  EXPECT_TRUE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), "25");
  ASSERT_EQ(combo->count(), 21);
  for (int i = 0; i < 21; ++i) EXPECT_EQ(combo->itemText(i), QString::number(10 + i));
  EXPECT_EQ(form->ComboBoxIn->ItemHeight(), 16);
  EXPECT_TRUE(combo->font().bold());
  auto* label = qobject_cast<QLabel*>(WidgetOf(*form->StaticText4));
  EXPECT_EQ(label->text(), "Laser Intensity");
  EXPECT_FALSE(label->font().bold());
  auto* button = qobject_cast<QPushButton*>(WidgetOf(*form->Button1));
  EXPECT_EQ(button->text(), "Measure");
  EXPECT_TRUE(button->font().bold());
}

TEST_F(FormSWindow, TheChartAndItsSeriesTakeTheDescriptionsSettings) {
  struct Setting {
    fw::TObject* object;
    const char* path;
    const char* text;
  };
  const Setting settings[] = {
      {form->ChartOscilloscope, "Title.Text", "Oscilloscope"},
      {form->ChartOscilloscope, "Title.Font.Name", "Arial"},
      {form->ChartOscilloscope, "Title.Font.Height", "-16"},
      {form->ChartOscilloscope, "Title.Font.Color", "clBlue"},
      {form->ChartOscilloscope, "Title.Font.Style", "[]"},
      {form->ChartOscilloscope, "BackWall.Brush.Color", "clWhite"},
      {form->ChartOscilloscope, "BackWall.Brush.Style", "bsClear"},
      {form->ChartOscilloscope, "BottomAxis.Automatic", "False"},
      {form->ChartOscilloscope, "BottomAxis.AutomaticMinimum", "False"},
      {form->ChartOscilloscope, "BottomAxis.AutomaticMaximum", "False"},
      {form->ChartOscilloscope, "BottomAxis.Minimum", "-26000"},
      {form->ChartOscilloscope, "BottomAxis.Maximum", "26000"},
      {form->ChartOscilloscope, "BottomAxis.Increment", "1"},
      {form->ChartOscilloscope, "BottomAxis.ExactDateTime", "False"},
      {form->ChartOscilloscope, "LeftAxis.Automatic", "False"},
      {form->ChartOscilloscope, "LeftAxis.AutomaticMinimum", "False"},
      {form->ChartOscilloscope, "LeftAxis.AutomaticMaximum", "False"},
      {form->ChartOscilloscope, "LeftAxis.Minimum", "-500"},
      {form->ChartOscilloscope, "LeftAxis.Maximum", "75000"},
      {form->ChartOscilloscope, "LeftAxis.Increment", "1"},
      {form->ChartOscilloscope, "LeftAxis.ExactDateTime", "False"},
      {form->ChartOscilloscope, "Legend.Visible", "False"},
      {form->ChartOscilloscope, "View3D", "False"},
      {form->ChartOscilloscope, "Align", "alClient"},
      {form->SeriesOsc, "SeriesColor", "clRed"},
      {form->SeriesOsc, "Marks.Visible", "False"},
      {form->SeriesOsc, "Marks.ArrowLength", "8"},
      {form->Series1, "SeriesColor", "clGreen"},
      {form->Series1, "Marks.Visible", "False"},
      {form->Series1, "Marks.ArrowLength", "0"},
  };
  for (const Setting& s : settings) {
    EXPECT_EQ(fw::GetPropText(*s.object, s.path), s.text) << s.object->ClassName() << "." << s.path;
  }
  for (tee::TPointSeries* series : {form->SeriesOsc, form->Series1}) {
    SCOPED_TRACE(series->Name());
    const std::pair<const char*, const char*> same[] = {
        {"Pointer.Visible", "True"},
        {"Pointer.Style", "psCircle"},
        {"Pointer.HorizSize", "2"},
        {"Pointer.VertSize", "2"},
        {"Pointer.Pen.Visible", "False"},
        {"Pointer.InflateMargins", "True"},
        {"XValues.Name", "X"},
        {"XValues.Multiplier", "1"},
        {"XValues.DateTime", "False"},
        {"XValues.Order", "loAscending"},
        {"YValues.Name", "Y"},
        {"YValues.Multiplier", "1"},
        {"YValues.DateTime", "False"},
        {"YValues.Order", "loNone"},
    };
    for (const auto& [path, text] : same) EXPECT_EQ(fw::GetPropText(*series, path), text) << path;
    EXPECT_EQ(series->ParentChart(), form->ChartOscilloscope);
  }
  ASSERT_EQ(form->ChartOscilloscope->SeriesCount(), 2);
  EXPECT_EQ(form->ChartOscilloscope->Series(0), form->SeriesOsc);
  EXPECT_EQ(form->ChartOscilloscope->Series(1), form->Series1);
  // The window owns the series; the chart only lists them.
  EXPECT_EQ(form->SeriesOsc->Owner(), form);
  EXPECT_EQ(form->Series1->Owner(), form);
}

TEST_F(FormSWindow, MeasurePutsRedDotsOnTheChart) {
  EXPECT_EQ(device->intensity(), 25);
  const QImage before = fw::RenderControl(*form);
  ASSERT_EQ(before.size(), QSize(692, 410));
  EXPECT_EQ(ChartPixels(before, qRgb(255, 0, 0)), 0);

  fw::ClickButton(*form->Button1);
  app->ProcessMessages();
  EXPECT_EQ(device->measurements(), 1u);
  ASSERT_GT(form->SeriesOsc->Count(), 100);
  const QImage after = fw::RenderControl(*form);
  // Dots of half-size 2 for hundreds of points, most inside the plot.
  EXPECT_GT(ChartPixels(after, qRgb(255, 0, 0)), 4 * 100);
  EXPECT_EQ(ChartPixels(after, qRgb(0, 128, 0)), 0);  // the green series draws nothing
  // Nothing red outside the chart.
  int outside = 0;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < 209; ++x)
      if ((after.pixel(x, y) & 0xFFFFFF) == 0xFF0000) ++outside;
  EXPECT_EQ(outside, 0);

  // Switching the laser off clears the plot.
  fw::ClickButton(*form->CheckBox1);
  app->ProcessMessages();
  EXPECT_FALSE(device->laser_on());
  EXPECT_EQ(ChartPixels(fw::RenderControl(*form), qRgb(255, 0, 0)), 0);
}

}  // namespace

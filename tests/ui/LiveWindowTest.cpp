// The operator window's keys and continuous measurement, through operator input on the real
// window off-screen over the in-process simulated scanner: F5 measures as Measure does, F6 runs
// continuous measurement through the event loop (input goes on between exchanges; three failed
// measurements in a row stop it with one message), Ctrl+S saves chart and profile.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/widgets/UserInput.h"
#include "framework/widgets/WidgetPeer.h"
#include "scanner/ProfileCsv.h"
#include "sim/SimulatedScannerDriver.h"
#include "ui/ContinuousMeasurement.h"
#include "ui/LiveWindow.h"

namespace {

namespace fs = std::filesystem;

// A simulated scanner whose bridge is never found: the channel stays closed.
class AbsentScanner : public sim::SimulatedScannerDriver {
 protected:
  bool Accepts(const char*, std::uint32_t) override { return false; }
};

class LiveWindowTest : public ui_test::FormSTest {
 protected:
  void Start(sim::DeviceOptions device_options = {}, bool present = true) {
    std::unique_ptr<sim::SimulatedScannerDriver> driver;
    if (present) {
      driver = std::make_unique<sim::SimulatedScannerDriver>(device_options);
    } else {
      driver = std::make_unique<AbsentScanner>();
    }
    device = &driver->device();
    CreateWindow(std::move(driver));
    form->Show();
    app->ProcessMessages();
    extras = std::make_unique<ui::LiveWindow>(*form, options, err);
  }

  ~LiveWindowTest() override { extras.reset(); }

  static QWidget* WidgetOf(const fw::TWinControl& control) {
    fw::TWidgetPeer* peer = fw::TWidgetPeer::Of(control);
    return peer ? peer->Widget() : nullptr;
  }

  // The intensity box's text field: where the operator's keys go while it has the focus.
  QWidget* IntensityField() const {
    return qobject_cast<QComboBox*>(WidgetOf(*form->ComboBoxIn))->lineEdit();
  }

  // A key pressed and released on `target`, as the window system delivers it.
  static void PressKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QCoreApplication::sendEvent(target, &release);
  }

  // Handles messages until `done` or a few seconds have passed.
  template <class F>
  bool RunUntil(F done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 10000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const auto& b : boxes) out.push_back(b.text);
    return out;
  }

  ui::DemoOptions options;
  std::ostringstream err;
  std::unique_ptr<ui::LiveWindow> extras;
  sim::Qx770Device* device = nullptr;
};

TEST_F(LiveWindowTest, F5MeasuresOnceLikeTheMeasureButtonWhereverTheFocusIs) {
  Start();
  EXPECT_EQ(form->SeriesOsc->Count(), 0);
  PressKey(IntensityField(), Qt::Key_F5);
  EXPECT_EQ(device->measurements(), 1u);
  EXPECT_GT(form->SeriesOsc->Count(), 400);
  EXPECT_EQ(form->ComboBoxIn->Text(), "25");  // the key did not reach the text
  PressKey(WidgetOf(*form), Qt::Key_F5);
  EXPECT_EQ(device->measurements(), 2u);
  // Other keys and F5 with a modifier are not the window's.
  PressKey(WidgetOf(*form), Qt::Key_F5, Qt::ShiftModifier);
  PressKey(WidgetOf(*form), Qt::Key_F7);
  EXPECT_EQ(device->measurements(), 2u);
  EXPECT_FALSE(extras->live().running());
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LiveWindowTest, F6MeasuresContinuouslyWhileInputAndPaintingGoOn) {
  Start();
  PressKey(IntensityField(), Qt::Key_F6);
  EXPECT_TRUE(extras->live().running());
  EXPECT_EQ(device->measurements(), 0u) << "the first measurement comes from the event loop";
  ASSERT_TRUE(RunUntil([&] { return device->measurements() >= 5; }));
  // The operator acts between exchanges: the laser switch goes out and empties the series.
  fw::ClickButton(*form->CheckBox1);
  EXPECT_FALSE(device->laser_on());
  EXPECT_EQ(form->SeriesOsc->Count(), 0);
  const auto before = device->measurements();
  ASSERT_TRUE(RunUntil([&] { return device->measurements() >= before + 3; }));
  PressKey(WidgetOf(*form), Qt::Key_F6);
  EXPECT_FALSE(extras->live().running());
  const auto stopped = device->measurements();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_EQ(device->measurements(), stopped);
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LiveWindowTest, EachMeasurementWaitsForThePaintOfTheLastProfile) {
  Start();
  QWidget* chart = fw::TWidgetPeer::Of(*form->ChartOscilloscope)->ClientWidget();
  // Counts the chart's paints and the measurements made before each.
  struct PaintCounter : QObject {
    sim::Qx770Device* device;
    std::vector<std::uint64_t> measured_at_paint;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) measured_at_paint.push_back(device->measurements());
      return false;
    }
  } counter;
  counter.device = device;
  chart->installEventFilter(&counter);
  extras->live().SetLimit(6);
  extras->live().Start();
  ASSERT_TRUE(RunUntil([&] { return !extras->live().running(); }));
  chart->removeEventFilter(&counter);
  EXPECT_EQ(device->measurements(), 6u);
  // Measurements 1 to 5 were each painted before the next one was taken.
  for (std::uint64_t n = 1; n <= 5; ++n) {
    EXPECT_NE(std::find(counter.measured_at_paint.begin(), counter.measured_at_paint.end(), n),
              counter.measured_at_paint.end())
        << "no paint after measurement " << n;
  }
}

TEST_F(LiveWindowTest, AFailedMeasurementKeepsTheProfileAndTheRunGoesOn) {
  sim::DeviceOptions faulty;
  faulty.fault = sim::Fault::kWrongChecksum;
  faulty.fault_every = 2;
  Start(faulty);
  extras->live().SetLimit(9);
  bool stopped = false;
  extras->live().OnStopped = [&] { stopped = true; };
  PressKey(WidgetOf(*form), Qt::Key_F6);
  ASSERT_TRUE(RunUntil([&] { return stopped; }));
  EXPECT_EQ(device->measurements(), 9u);
  EXPECT_EQ(extras->live().failed(), 4);
  EXPECT_FALSE(extras->live().stopped_by_failures());
  EXPECT_GT(form->SeriesOsc->Count(), 400);  // the ninth (good) profile
  EXPECT_TRUE(boxes.empty());
}

TEST_F(LiveWindowTest, ThreeFailuresInARowStopTheRunWithOneMessage) {
  sim::DeviceOptions silent;
  silent.fault = sim::Fault::kSilence;
  Start(silent);
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    PressKey(WidgetOf(*form), Qt::Key_F6);
    ASSERT_TRUE(RunUntil([&] { return !extras->live().running(); }));
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(device->measurements(), 3u * run);
    EXPECT_TRUE(extras->live().stopped_by_failures());
    ASSERT_EQ(boxes.size(), static_cast<std::size_t>(run));
    EXPECT_EQ(boxes.back().text, ui::kStoppedMessage);
    EXPECT_EQ(boxes.back().caption, "");
    EXPECT_EQ(boxes.back().flags, 48u);
  }
}

TEST_F(LiveWindowTest, OnAClosedChannelF6DoesNothing) {
  Start({}, false);
  ASSERT_EQ(Messages(), std::vector<std::string>{"Error."});
  PressKey(WidgetOf(*form), Qt::Key_F6);
  PressKey(WidgetOf(*form), Qt::Key_F5);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  EXPECT_FALSE(extras->live().running());
  EXPECT_EQ(device->measurements(), 0u);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Error."});
}

std::string ReadFile(const fs::path& p) {
  std::ifstream f(p);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

TEST_F(LiveWindowTest, CtrlSSavesTheChartAndTheShownProfileOffScreenToTheCsvOption) {
  const fs::path csv =
      fs::temp_directory_path() / ("qx770-live-" + std::to_string(getpid()) + ".csv");
  const fs::path png = fs::path(csv).replace_extension(".png");
  options.csv = csv.string();
  Start();
  PressKey(WidgetOf(*form), Qt::Key_F5);
  app->ProcessMessages();
  PressKey(IntensityField(), Qt::Key_S, Qt::ControlModifier);

  std::ostringstream expected;
  scanner::WriteProfileCsvHeader(expected);
  std::vector<scanner::PlottedPoint> points;
  for (int i = 0; i < form->SeriesOsc->Count(); ++i) {
    points.push_back({static_cast<std::int64_t>(form->SeriesOsc->XValue(i)),
                      static_cast<std::int64_t>(form->SeriesOsc->YValue(i))});
  }
  scanner::WriteProfileCsv(expected, 1, points);
  EXPECT_EQ(ReadFile(csv), expected.str());
  QImage picture;
  ASSERT_TRUE(picture.load(QString::fromStdString(png.string()), "PNG"));
  // The chart with its border, and the profile's red dots on it.
  EXPECT_EQ(picture.size(), QSize(482, 395));
  int red = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) red += (picture.pixel(x, y) & 0xFFFFFF) == 0xFF0000;
  EXPECT_GT(red, 400);
  EXPECT_NE(err.str().find("chart saved to " + png.string()), std::string::npos) << err.str();
  EXPECT_TRUE(boxes.empty());
  fs::remove(csv);
  fs::remove(png);
}

TEST_F(LiveWindowTest, CtrlSWithoutACsvOptionOrToAnUnwritablePlace) {
  Start();
  PressKey(WidgetOf(*form), Qt::Key_S, Qt::ControlModifier);
  EXPECT_NE(err.str().find("Ctrl+S saved nothing"), std::string::npos) << err.str();
  EXPECT_TRUE(boxes.empty());

  options.csv = "/nonexistent-dir/p.csv";
  PressKey(WidgetOf(*form), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"Cannot write the chart to /nonexistent-dir/p.png."});
}

TEST(SaveNames, TheChosenNameGivesPictureAndProfile) {
  EXPECT_EQ(ui::SaveNamesFor("/a/b/scan.png").picture, "/a/b/scan.png");
  EXPECT_EQ(ui::SaveNamesFor("/a/b/scan.png").profile, "/a/b/scan.csv");
  EXPECT_EQ(ui::SaveNamesFor("scan").profile, "scan.csv");
  EXPECT_EQ(ui::SaveNamesFor("scan.v2.PNG").picture, "scan.v2.png");
}

}  // namespace

// The built qx770-demo --simulate on a private X server, driven by real X mouse input (xdotool):
// Measure, a left-drag zoom with its rubber band on the screen, the reverse drag back to the
// original picture, a right-drag pan and one wheel step, each seen in pictures of the window read
// back from the server.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "XServerSupport.h"

namespace {

using Clock = std::chrono::steady_clock;
using testing_support::XvfbServer;

// Where the window description puts things, in the window's client coordinates: the Measure
// button's centre and the chart's client area (the panel at 209, 14, its bevel, the chart's
// two-pixel sunken border).
constexpr int kMeasureX = 108;
constexpr int kMeasureY = 181;
constexpr int kChartLeft = 212;
constexpr int kChartTop = 17;
constexpr int kChartWidth = 478;
constexpr int kChartHeight = 391;

bool Red(QRgb p) {
  return (p & 0xFFFFFF) == 0xFF0000;
}

QImage ChartPart(const QImage& window) {
  return window.copy(kChartLeft, kChartTop, kChartWidth, kChartHeight);
}

int RedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += Red(image.pixel(x, y));
  return n;
}

// The share of red pixels of `after` (inside `inner`) that were red in `before` at the position
// shifted back by (dx, dy): 1 when the dots moved by exactly that.
double RedFollow(const QImage& before, const QImage& after, int dx, int dy, const QRect& inner) {
  int red = 0;
  int followed = 0;
  for (int y = inner.top(); y <= inner.bottom(); ++y)
    for (int x = inner.left(); x <= inner.right(); ++x) {
      if (!Red(after.pixel(x, y))) continue;
      ++red;
      followed += Red(before.pixel(x - dx, y - dy));
    }
  return red == 0 ? 0 : static_cast<double>(followed) / red;
}

// Keeps a picture for a person to look at: demo_x_<name>.png in the build folder (when
// QX_TEST_BIN_DIR is set), else in the test temporary folder.
void Keep(const QImage& image, const std::string& name) {
  const std::string bin = testing_support::BinDir();
  const std::string dir = bin.empty() ? ::testing::TempDir() : bin + "/../";
  image.save(QString::fromStdString(dir + "demo_x_" + name + ".png"), "PNG");
}

class DemoUnderX : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(x.display().empty()) << "Xvfb did not start (scripts/install-deps installs it)";
    ASSERT_TRUE(x.XDoTool({"version"})) << "xdotool is missing (scripts/install-deps installs it)";
    auto env = x.Environment();
    env.push_back("QT_QPA_PLATFORM=xcb");
    // The X keyboard library of the platform plugin copies exact-length, unterminated names with
    // strndup, which strict string checks take for an overflow: not checked in the program here.
    for (std::string& v : env)
      if (v.rfind("ASAN_OPTIONS=", 0) == 0) v += ":strict_string_checks=0";
    log = ::testing::TempDir() + "qx770-demo-x-" + std::to_string(getpid()) + ".log";
    demo = testing_support::SpawnProgram({testing_support::BinDir() + "/qx770-demo", "--simulate"},
                                         env, log);
    ASSERT_GT(demo, 0);
    pictures.emplace(x.display());
    ASSERT_TRUE(pictures->Connected());
    const auto until = Clock::now() + std::chrono::seconds(60);
    while (Clock::now() < until) {
      if (auto found = x.XDoTool({"search", "--onlyvisible", "--name", "^QX770-DEMO$"});
          found && !found->empty()) {
        window = static_cast<xcb_window_t>(std::stoul(*found));
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_NE(window, 0u) << testing_support::ReadTextFile(log);
    shown = Settled([](const QImage& i) { return i.width() >= 692 && i.height() >= 410; });
    ASSERT_FALSE(shown.isNull());
  }
  void TearDown() override {
    pictures.reset();
    testing_support::StopChild(demo);
  }

  // The window once it has stopped changing and `ready` holds (waits at most 20 s; a null image
  // when it never does).
  QImage Settled(const std::function<bool(const QImage&)>& ready) {
    const auto until = Clock::now() + std::chrono::seconds(20);
    QImage last;
    while (Clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(150));
      const QImage now = pictures->Grab(window);
      if (!now.isNull() && now == last && ready(now)) return now;
      last = now;
    }
    return {};
  }
  // The chart part once `ready` holds for it and it has stopped changing (null: never).
  QImage ChartWhen(const std::function<bool(const QImage&)>& ready) {
    const QImage w = Settled([&](const QImage& i) { return ready(ChartPart(i)); });
    return w.isNull() ? QImage() : ChartPart(w);
  }
  QImage ChartChangedFrom(const QImage& before) {
    return ChartWhen([&](const QImage& chart) { return chart != before; });
  }

  bool Do(std::vector<std::string> args) { return x.XDoTool(std::move(args)).has_value(); }
  bool MoveTo(int cx, int cy) {
    return Do({"mousemove", "--sync", "--window", std::to_string(window),
               std::to_string(kChartLeft + cx), std::to_string(kChartTop + cy)});
  }

  XvfbServer x;
  std::optional<testing_support::XPictures> pictures;
  pid_t demo = -1;
  std::string log;
  xcb_window_t window = 0;
  QImage shown;
};

// The pixels where the two pictures differ form exactly the outline of the rectangle (x0, y0) to
// (x1, y1), its right and bottom edges excluded.
bool ExactlyTheOutline(const QImage& a, const QImage& b, int x0, int y0, int x1, int y1) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) == b.pixel(x, y)) continue;
      ++differing;
      const bool vertical = (x == x0 || x == x1 - 1) && y >= y0 && y < y1;
      const bool horizontal = (y == y0 || y == y1 - 1) && x >= x0 && x < x1;
      if (!vertical && !horizontal) return false;
    }
  return differing == 2 * (x1 - x0) + 2 * (y1 - y0) - 4;
}

TEST_F(DemoUnderX, MeasureZoomUndoPanAndWheelWithRealMouseInput) {
  // Measure: red dots appear.
  ASSERT_TRUE(Do({"mousemove", "--sync", "--window", std::to_string(window),
                  std::to_string(kMeasureX), std::to_string(kMeasureY), "click", "1"}));
  const QImage measured =
      ChartPart(Settled([](const QImage& i) { return RedPixels(ChartPart(i)) > 400; }));
  ASSERT_FALSE(measured.isNull()) << testing_support::ReadTextFile(log);
  Keep(measured, "measured");

  // A left drag shows one rubber band while the button is down.
  ASSERT_TRUE(MoveTo(100, 190));
  ASSERT_TRUE(Do({"mousedown", "1"}));
  ASSERT_TRUE(MoveTo(150, 220));
  ASSERT_TRUE(MoveTo(180, 250));
  const QImage dragging = ChartWhen(
      [&](const QImage& chart) { return ExactlyTheOutline(measured, chart, 100, 190, 180, 250); });
  ASSERT_FALSE(dragging.isNull()) << "no single rubber band from (100, 190) to (180, 250)";
  Keep(dragging, "dragging");
  ASSERT_TRUE(MoveTo(200, 270));
  ASSERT_TRUE(Do({"mouseup", "1"}));
  const QImage zoomed =
      ChartWhen([&](const QImage& chart) { return chart != dragging && chart != measured; });
  ASSERT_FALSE(zoomed.isNull());
  Keep(zoomed, "zoomed");
  // No rubber band is left: the picture is no rectangle over the measured one.
  EXPECT_FALSE(ExactlyTheOutline(measured, zoomed, 100, 190, 200, 270));
  EXPECT_GT(RedPixels(zoomed), 0);

  // The reverse drag restores the measured picture pixel for pixel.
  ASSERT_TRUE(Do({"mousedown", "1"}));
  ASSERT_TRUE(MoveTo(150, 230));
  ASSERT_TRUE(MoveTo(100, 190));
  ASSERT_TRUE(Do({"mouseup", "1"}));
  const QImage undone = ChartWhen([&](const QImage& chart) { return chart == measured; });
  ASSERT_FALSE(undone.isNull()) << "the reverse drag did not restore the measured picture";
  Keep(undone, "undone");

  // A right drag pans: the dots follow the pointer (40 left, 30 up).
  const QRect inner(80, 60, 330, 260);
  ASSERT_TRUE(MoveTo(300, 250));
  ASSERT_TRUE(Do({"mousedown", "3"}));
  ASSERT_TRUE(MoveTo(280, 235));
  ASSERT_TRUE(MoveTo(260, 220));
  ASSERT_TRUE(Do({"mouseup", "3"}));
  const QImage panned = ChartWhen(
      [&](const QImage& chart) { return RedFollow(measured, chart, -40, -30, inner) > 0.9; });
  ASSERT_FALSE(panned.isNull()) << "the dots did not follow the pan";
  Keep(panned, "panned");

  // One wheel step down shows values 3 % of the range higher: the dots move down a little.
  ASSERT_TRUE(Do({"click", "5"}));
  const QImage wheeled = ChartChangedFrom(panned);
  ASSERT_FALSE(wheeled.isNull());
  Keep(wheeled, "wheeled");
  int best = 0;
  double bestShare = 0;
  for (int dy = 1; dy <= 40; ++dy) {
    const double share = RedFollow(panned, wheeled, 0, dy, inner);
    if (share > bestShare) {
      bestShare = share;
      best = dy;
    }
  }
  // The shift is not a whole number of pixels, so the dots' edges round either way.
  EXPECT_GT(bestShare, 0.8);
  // 3 % of a plot about 320 pixels high.
  EXPECT_GE(best, 7);
  EXPECT_LE(best, 12);
}

}  // namespace

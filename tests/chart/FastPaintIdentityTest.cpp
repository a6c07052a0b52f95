// The fast way a point series is painted (per-paint pixel maps, direct calls, and the canvas'
// direct pixel writes, stamps and skipped repeats) gives exactly the picture and the calls of the
// general way (every point through the overridable operations, every shape through QPainter).
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "ChartFixtures.h"
#include "chart/TeeProcs.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterCanvas.h"

namespace {

// Switches the series' mapped loop for one scope.
class MappedLoop {
 public:
  explicit MappedLoop(bool on) : saved_(tee::ChartSettings().MappedPointLoop) {
    tee::ChartSettings().MappedPointLoop = on;
  }
  ~MappedLoop() { tee::ChartSettings().MappedPointLoop = saved_; }
  MappedLoop(const MappedLoop&) = delete;
  MappedLoop& operator=(const MappedLoop&) = delete;

 private:
  bool saved_;
};

struct Scene {
  tee::TSeriesPointerStyle Style;
  int HorizSize;
  int VertSize;
  bool Pen;
  bool ColorEachPoint;
};

// A 2D chart on fixed axes 0..100 with one point series of `scene`'s pointer: points spread a
// little beyond both ranges (so the plot's clip cuts dots at every edge), many on the same pixels,
// each with its own colour or the series' one, some of them null.
struct SceneChart {
  explicit SceneChart(const Scene& scene, unsigned seed, int points = 400) {
    testing_support::EnsureGuiApplication();
    chart = new tee::TChart(&owner);
    chart->SetBounds(0, 0, 220, 170);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->SetBufferedDisplay(false);
    for (tee::TChartAxis* a : {chart->BottomAxis(), chart->LeftAxis()}) a->SetMinMax(0, 100);
    series = new tee::TPointSeries(&owner);
    series->SetSeriesColor(fw::clRed);
    series->Pointer()->SetStyle(scene.Style);
    series->Pointer()->SetHorizSize(scene.HorizSize);
    series->Pointer()->SetVertSize(scene.VertSize);
    series->Pointer()->Pen()->SetVisible(scene.Pen);
    series->SetParentChart(chart);
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-40, 1040), percent(0, 99);
    const fw::TColor colors[] = {fw::clBlue, fw::clGreen, fw::clBlack, tee::clAutoColor};
    fw::TColor color = fw::clBlue;
    for (int i = 0; i < points; ++i) {
      if (percent(random) < 20) color = colors[percent(random) % 4];
      const double x = value(random) / 10.0;
      const double y = value(random) / 10.0;
      const fw::TColor c = percent(random) < 5    ? tee::clNone
                           : scene.ColorEachPoint ? color
                                                  : tee::clAutoColor;
      series->AddXY(x, y, "", c);
    }
  }

  void Render(fw::TBitmap& bitmap, bool fast) {
    MappedLoop loop(fast);
    bitmap.SetSize(220, 170);
    static_cast<fw::TPainterCanvas&>(bitmap.Canvas()).SetDirectDrawing(fast);
    chart->DrawChart(bitmap.Canvas(), fw::Rect(0, 0, 220, 170));
  }

  std::string Record(bool fast) {
    MappedLoop loop(fast);
    fw::TRecordingCanvas surface;
    chart->DrawChart(surface, fw::Rect(0, 0, 220, 170));
    return surface.Log().Dump();
  }

  charttest::TOwner owner;
  tee::TChart* chart = nullptr;
  tee::TPointSeries* series = nullptr;
};

std::string FirstDifference(const fw::TBitmap& a, const fw::TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
        std::ostringstream out;
        out << "(" << x << "," << y << ")";
        return out.str();
      }
  return "";
}

const tee::TSeriesPointerStyle kStyles[] = {tee::psRectangle,    tee::psCircle,  tee::psTriangle,
                                            tee::psDownTriangle, tee::psCross,   tee::psDiagCross,
                                            tee::psStar,         tee::psDiamond, tee::psSmallDot};

TEST(FastPaint, EveryPointerStyleSizePenAndColourGivesTheGeneralPicture) {
  fw::TBitmap general;
  fw::TBitmap fast;
  unsigned seed = 7;
  for (tee::TSeriesPointerStyle style : kStyles)
    for (bool pen : {false, true})
      for (int h = 1; h <= 6; ++h)
        for (int v : {h, 7 - h}) {
          const Scene scene{style, h, v, pen, seed % 2 == 0};
          SceneChart chart(scene, seed++);
          chart.Render(general, false);
          chart.Render(fast, true);
          ASSERT_EQ(FirstDifference(general, fast), "")
              << "style " << static_cast<int>(style) << " pen " << pen << " size " << h << "x" << v;
        }
}

// Thousands of points in one colour: the canvas records the run and skips the repeated dots.
TEST(FastPaint, ManyPointsOfOneColourGiveTheGeneralPicture) {
  fw::TBitmap general;
  fw::TBitmap fast;
  for (tee::TSeriesPointerStyle style : {tee::psCircle, tee::psRectangle, tee::psDiamond}) {
    SceneChart chart(Scene{style, 2, 2, false, false}, 21, 5000);
    chart.Render(general, false);
    chart.Render(fast, true);
    ASSERT_EQ(FirstDifference(general, fast), "") << "style " << static_cast<int>(style);
  }
}

TEST(FastPaint, TheSurfaceSeesEveryCallOfTheGeneralWay) {
  for (tee::TSeriesPointerStyle style : {tee::psCircle, tee::psStar, tee::psSmallDot}) {
    SceneChart chart(Scene{style, 2, 3, true, true}, 11);
    const std::string general = chart.Record(false);
    const std::string fast = chart.Record(true);
    EXPECT_EQ(general, fast);
    // One pointer per visible non-null point, as the general way draws them.
    EXPECT_GT(general.size(), 1000u);
  }
}

TEST(FastPaint, PointerStyleEventsStillComeForEveryPoint) {
  SceneChart chart(Scene{tee::psCircle, 2, 2, false, false}, 5);
  std::vector<int> asked;
  chart.series->OnGetPointerStyle = [&](tee::TChartSeries*, int index) {
    asked.push_back(index);
    return index % 2 ? tee::psRectangle : tee::psTriangle;
  };
  fw::TBitmap general;
  fw::TBitmap fast;
  chart.Render(general, false);
  const std::vector<int> generalAsked = asked;
  asked.clear();
  chart.Render(fast, true);
  EXPECT_EQ(asked, generalAsked);
  EXPECT_FALSE(asked.empty());
  EXPECT_EQ(FirstDifference(general, fast), "");
}

}  // namespace

namespace {

// The bottom axis of a chart whose one series has many labelled points on few pixels shows the
// same labels (text, value and place) whether the points inside a drawn label are stepped over
// (no label event) or visited one by one (a label event that changes nothing).
TEST(FastPaint, PointLabelsAreTheSameWhenPointsWithinALabelAreSteppedOver) {
  testing_support::EnsureGuiApplication();
  charttest::TOwner owner;
  auto* chart = new tee::TChart(&owner);
  chart->SetBounds(0, 0, 300, 200);
  chart->SetView3D(false);
  chart->SetBufferedDisplay(false);
  chart->BottomAxis()->SetMinMax(-1000, 1000);
  auto* series = new tee::TPointSeries(&owner);
  series->SetParentChart(chart);
  std::mt19937 random(3);
  std::uniform_int_distribution<int> x(-1100, 1100);
  for (int i = 0; i < 6000; ++i) {
    const int v = x(random);
    series->AddXY(v, i % 50, std::to_string(v % 7 == 0 ? v * 1000 : v));
  }
  auto labelsOf = [&] {
    fw::TBitmap bitmap(300, 200);
    chart->DrawChart(bitmap.Canvas(), fw::Rect(0, 0, 300, 200));
    std::vector<std::string> out;
    for (const auto& l : chart->BottomAxis()->LastLabels().Items)
      out.push_back(l.Text + "@" + std::to_string(l.Pos) + "=" + std::to_string(l.Value));
    return out;
  };
  const auto steppedOver = labelsOf();
  int events = 0;
  chart->OnGetAxisLabel = [&](tee::TCustomChartAxis*, tee::TChartSeries*, int, std::string&) {
    ++events;
  };
  const auto visited = labelsOf();
  EXPECT_GT(events, 5000);  // once per visible point at least
  EXPECT_EQ(steppedOver, visited);
  EXPECT_GT(steppedOver.size(), 3u);
}

}  // namespace

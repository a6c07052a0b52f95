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

// Switches one of the chart settings for one scope.
template <bool tee::TChartSettings::*Setting>
class Switch {
 public:
  explicit Switch(bool on) : saved_(tee::ChartSettings().*Setting) {
    tee::ChartSettings().*Setting = on;
  }
  ~Switch() { tee::ChartSettings().*Setting = saved_; }
  Switch(const Switch&) = delete;
  Switch& operator=(const Switch&) = delete;

 private:
  bool saved_;
};
// The series' mapped loop; the marker runs of point series.
using MappedLoop = Switch<&tee::TChartSettings::MappedPointLoop>;
using PointerRuns = Switch<&tee::TChartSettings::PointerRuns>;

struct Scene {
  tee::TSeriesPointerStyle Style;
  int HorizSize;
  int VertSize;
  bool Pen;
  bool ColorEachPoint;
  bool OneColor = false;  // no null points, and (with ColorEachPoint) one stored colour for all
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
      if (percent(random) < 20 && !scene.OneColor) color = colors[percent(random) % 4];
      const double x = value(random) / 10.0;
      const double y = value(random) / 10.0;
      const fw::TColor c = percent(random) < 5 && !scene.OneColor ? tee::clNone
                           : scene.ColorEachPoint                 ? color
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

// Pointer settings and point sets at the edges of what a marker run covers: a fixed brush, a pen
// that takes each point's colour, points no surface can place (beyond 16-bit coordinates), among
// them the last one, and a zoomed axis that leaves points out at both ends. The pen and brush the
// surface holds after the values are drawn are those of the one-by-one drawing too.
TEST(FastPaint, MarkerRunsMakeTheCallsAndLeaveTheStateOfOneByOneDrawing) {
  struct Case {
    const char* Name;
    fw::TColor Brush;
    fw::TColor Pen;  // clNone: no pen
    bool FarPoints;
    bool Zoomed;
    bool OneColor = false;  // thousands of points of one colour, none of them null
  };
  const Case cases[] = {
      {"one colour", tee::clAutoColor, tee::clNone, false, false, true},
      {"one colour, pen in each point's colour", tee::clAutoColor, tee::clAutoColor, false, false,
       true},
      {"one colour, fixed brush", fw::clYellow, tee::clNone, false, false, true},
      {"one colour, points beyond the surface", tee::clAutoColor, tee::clNone, true, false, true},
      {"one colour, zoomed", tee::clAutoColor, fw::clBlack, false, true, true},
      {"automatic brush, no pen", tee::clAutoColor, tee::clNone, false, false},
      {"fixed brush", fw::clYellow, tee::clNone, false, false},
      {"pen in each point's colour", tee::clAutoColor, tee::clAutoColor, false, false},
      {"fixed pen and brush", fw::clAqua, fw::clNavy, false, false},
      {"points beyond the surface", tee::clAutoColor, tee::clNone, true, false},
      {"zoomed", tee::clAutoColor, fw::clBlack, false, true},
  };
  for (const Case& c : cases) {
    for (tee::TSeriesPointerStyle style : {tee::psCircle, tee::psRectangle, tee::psTriangle}) {
      SceneChart chart(Scene{style, 2, 3, c.Pen != tee::clNone, true, c.OneColor}, 13,
                       c.OneColor ? 3000 : 400);
      chart.series->Pointer()->Brush()->SetColor(c.Brush);
      if (c.Pen != tee::clNone) chart.series->Pointer()->Pen()->SetColor(c.Pen);
      if (c.FarPoints) {
        // Within the visible range but beyond what the surface can place, the last ones too.
        chart.series->AddXY(50, 1e9, "", fw::clBlue);
        chart.series->AddXY(60, -1e12, "", fw::clGreen);
        chart.series->AddXY(104.5, 1e9, "", fw::clBlue);
        chart.series->AddXY(104.6, -1e9, "", fw::clGreen);
      }
      if (c.Zoomed) chart.chart->BottomAxis()->SetMinMax(20, 70);
      std::string state;
      chart.series->AfterDrawValues = [&](fw::TObject*) {
        const fw::TCanvas& s = *chart.chart->Canvas()->ReferenceCanvas();
        std::ostringstream out;
        out << s.Pen().Color() << " " << static_cast<int>(s.Pen().Style()) << " " << s.Pen().Width()
            << " " << s.Brush().Color() << " " << static_cast<int>(s.Brush().Style());
        state = out.str();
      };
      std::string oneByOne, runs;
      std::string oneByOneState, runsState;
      {
        PointerRuns off(false);
        oneByOne = chart.Record(true);
        oneByOneState = state;
      }
      runs = chart.Record(true);
      runsState = state;
      EXPECT_EQ(oneByOne, runs) << c.Name << ", style " << static_cast<int>(style);
      EXPECT_EQ(oneByOneState, runsState) << c.Name << ", style " << static_cast<int>(style);
      EXPECT_FALSE(runsState.empty());
      fw::TBitmap general, fast;
      chart.Render(general, false);
      chart.Render(fast, true);
      EXPECT_EQ(FirstDifference(general, fast), "")
          << c.Name << ", style " << static_cast<int>(style);
    }
  }
}

// A surface that reports every drawing operation gets every marker as its own operation.
TEST(FastPaint, MarkerRunsReportEveryShapeToASurfaceThatListens) {
  SceneChart chart(Scene{tee::psCircle, 2, 2, false, false}, 17, 3000);
  auto countChanges = [&](bool runs) {
    PointerRuns setting(runs);
    fw::TBitmap bitmap(220, 170);
    int changes = 0;
    bitmap.Canvas().OnChange = [&](fw::TCanvas&) { ++changes; };
    bitmap.Canvas().SetNotificationsEnabled(true);
    chart.chart->DrawChart(bitmap.Canvas(), fw::Rect(0, 0, 220, 170));
    return changes;
  };
  const int oneByOne = countChanges(false);
  EXPECT_EQ(countChanges(true), oneByOne);
  EXPECT_GT(oneByOne, 2500);
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

  // The widths kept per point follow changed labels and a changed font.
  chart->OnGetAxisLabel = nullptr;
  auto sameAsVisited = [&](const char* what) {
    std::vector<std::string> general;
    {
      Switch<&tee::TChartSettings::OrderedLabelPass> off(false);
      general = labelsOf();
    }
    EXPECT_EQ(labelsOf(), general) << what;
  };
  for (int i = 0; i < series->Count(); i += 97) series->SetXLabel(i, "a much longer label");
  sameAsVisited("changed labels");
  chart->BottomAxis()->LabelsFont()->SetSize(14);
  sameAsVisited("larger font");
  series->Delete(10);
  series->AddXY(0, 0, "zero, with a wide label");
  sameAsVisited("deleted and added points");
  chart->BottomAxis()->SetInverted(true);
  sameAsVisited("inverted axis");
}

}  // namespace

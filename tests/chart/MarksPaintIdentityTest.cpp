// A chart with visible marks painted with the canvas' direct drawing (mark texts copied from kept
// images onto their boxes) gives exactly the picture of the QPainter-only way, in 2D and 3D, with
// opaque and transparent marks, frames, several lines, other fonts and colours, and the clip.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "ChartFixtures.h"
#include "chart/TeCanvasView3D.h"
#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterCanvas.h"

namespace {

struct MarksCase {
  const char* Name;
  bool View3D;
  bool Transparent;
  bool Frame;
  bool Clip;
  bool TwoLines;
  int FontHeight;
  fw::TColor Back;
  tee::TSeriesMarksStyle Style;
};

const MarksCase kCases[] = {
    {"2D boxes", false, false, true, false, false, -11, fw::clInfoBk, tee::smsValue},
    {"2D no frame", false, false, false, true, false, -11, fw::clWhite, tee::smsLabel},
    {"2D transparent", false, true, false, false, false, -11, fw::clWhite, tee::smsValue},
    {"2D transparent framed", false, true, true, true, false, -13, fw::clWhite, tee::smsPercent},
    {"2D two lines", false, false, true, true, true, -11, fw::clYellow, tee::smsLabelValue},
    {"2D big font", false, false, true, false, false, -22, fw::clAqua, tee::smsXValue},
    {"3D boxes", true, false, true, false, false, -11, fw::clInfoBk, tee::smsValue},
    {"3D clipped", true, false, true, true, true, -12, fw::clWhite, tee::smsLabelPercent},
    {"3D transparent", true, true, false, true, false, -11, fw::clWhite, tee::smsValue}};

constexpr int kWidth = 360;
constexpr int kHeight = 260;

struct MarksChart {
  explicit MarksChart(const MarksCase& c) {
    testing_support::EnsureGuiApplication();
    chart = new tee::TChart(&owner);
    chart->SetBounds(0, 0, kWidth, kHeight);
    chart->SetView3D(c.View3D);
    chart->SetBufferedDisplay(false);
    chart->BottomAxis()->SetMinMax(0, 100);
    chart->LeftAxis()->SetMinMax(0, 1000);
    auto* s = new tee::TPointSeries(&owner);
    s->SetSeriesColor(fw::clRed);
    s->SetParentChart(chart);
    // Points beyond the axes' ranges too, so clipped marks are cut at every edge of the plot.
    for (int i = 0; i < 60; ++i) {
      const double x = -6 + (i * 37) % 113;
      const double y = -80 + (i * 7919) % 1180;
      s->AddXY(x, y, "P" + std::to_string(i), i % 4 == 0 ? fw::clBlue : tee::clAutoColor);
    }
    tee::TSeriesMarks* m = s->Marks();
    m->SetVisible(true);
    m->SetStyle(c.Style);
    m->SetTransparent(c.Transparent);
    m->Frame()->SetVisible(c.Frame);
    m->SetClip(c.Clip);
    m->SetBackColor(c.Back);
    m->Font()->SetHeight(c.FontHeight);
    m->Font()->SetColor(c.Back == fw::clAqua ? fw::clNavy : fw::clBlack);
    if (c.TwoLines)
      s->OnGetMarkText = [](tee::TChartSeries*, int index, std::string& text) {
        text += "\r#" + std::to_string(index);
      };
  }

  void Render(fw::TBitmap& bitmap, bool direct) {
    bitmap.SetSize(kWidth, kHeight);
    static_cast<fw::TPainterCanvas&>(bitmap.Canvas()).SetDirectDrawing(direct);
    chart->DrawChart(bitmap.Canvas(), fw::Rect(0, 0, kWidth, kHeight));
  }

  charttest::TOwner owner;
  tee::TChart* chart = nullptr;
};

std::string FirstDifference(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) {
        std::ostringstream out;
        out << "(" << x << "," << y << ")";
        return out.str();
      }
  return "";
}

TEST(MarksPaint, EveryKindOfMarkGivesTheQPainterPictureAndOpaqueTextsAreCopied) {
  fw::TBitmap general;
  fw::TBitmap direct;
  for (const MarksCase& c : kCases) {
    MarksChart chart(c);
    const auto& fast = static_cast<const fw::TPainterCanvas&>(direct.Canvas());
    chart.Render(general, false);
    // The first paint draws each text (they are copied from their second drawing on), the second
    // copies from the kept images; both agree with QPainter's picture.
    for (int paint = 0; paint < 2; ++paint) {
      const std::uint64_t before = fast.TextsCopied();
      chart.Render(direct, true);
      ASSERT_TRUE(general.Image() == direct.Image())
          << c.Name << " paint " << paint << ": first difference at "
          << FirstDifference(general.Image(), direct.Image());
      // The opaque boxes' texts are copied, and the labels on the panel (a 3D clip of more than a
      // rectangle sends the clipped marks the QPainter way).
      if (paint == 1 && !c.Transparent) {
        EXPECT_GT(fast.TextsCopied() - before, 30u) << c.Name;
      }
    }
  }
}

}  // namespace

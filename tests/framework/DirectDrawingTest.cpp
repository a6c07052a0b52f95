// The QImage backend's direct drawing (pixel writes, stamps of small shapes, skipped repeats) gives
// exactly the pixels of its QPainter path: the same calls are drawn into two bitmaps, one with
// direct drawing switched off, and the pictures are compared pixel for pixel.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterCanvas.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TCanvas;
using fw::TColor;
using fw::TPoint;

// The shapes of the point series' marker styles, as its pointer draws them in 2D.
enum class Marker {
  Rectangle,
  Circle,
  Triangle,
  DownTriangle,
  Cross,
  DiagCross,
  Star,
  Diamond,
  Dot
};

void DrawMarker(TCanvas& c, Marker m, int x, int y, int h, int v, TColor color) {
  const int l = x - h, r = x + h, t = y - v, b = y + v;
  auto line = [&](int x0, int y0, int x1, int y1) {
    c.MoveTo(x0, y0);
    c.LineTo(x1, y1);
  };
  switch (m) {
    case Marker::Rectangle:
      c.Rectangle(l, t, r + 1, b + 1);
      break;
    case Marker::Circle:
      c.Ellipse(l, t, r, b);
      break;
    case Marker::Triangle: {
      const TPoint p[] = {{l, b}, {r, b}, {x, t}};
      c.Polygon(p);
      break;
    }
    case Marker::DownTriangle: {
      const TPoint p[] = {{l, t}, {r, t}, {x, b}};
      c.Polygon(p);
      break;
    }
    case Marker::Cross:
      c.Pen().SetColor(color);
      line(x, t, x, b + 1);
      line(l, y, r + 1, y);
      break;
    case Marker::DiagCross:
      c.Pen().SetColor(color);
      line(l, t, r + 1, b + 1);
      line(r, t, l - 1, b + 1);
      break;
    case Marker::Star:
      DrawMarker(c, Marker::Cross, x, y, h, v, color);
      DrawMarker(c, Marker::DiagCross, x, y, h, v, color);
      break;
    case Marker::Diamond: {
      const TPoint p[] = {{l, y}, {x, t}, {r, y}, {x, b}};
      c.Polygon(p);
      break;
    }
    case Marker::Dot:
      c.SetPixel(x, y, color);
      break;
  }
}

struct PenCase {
  const char* Name;
  fw::TPenStyle Style;
  int Width;
  fw::TPenMode Mode;
};

const PenCase kPens[] = {{"none", fw::psClear, 1, fw::pmCopy},
                         {"solid", fw::psSolid, 1, fw::pmCopy},
                         {"dotted", fw::psDot, 1, fw::pmCopy},
                         {"wide", fw::psSolid, 2, fw::pmCopy},
                         {"xor", fw::psSolid, 1, fw::pmXor}};

const Marker kMarkers[] = {Marker::Rectangle,    Marker::Circle,  Marker::Triangle,
                           Marker::DownTriangle, Marker::Cross,   Marker::DiagCross,
                           Marker::Star,         Marker::Diamond, Marker::Dot};

constexpr int kWidth = 72;
constexpr int kHeight = 56;

// How a scene changes colour and what else it draws between its markers.
struct Rhythm {
  int Count = 600;         // markers
  int ColorChange = 15;    // percent of markers that take a new colour
  int Interrupt = 2;       // percent of markers followed by a line, and by a fill
  int InterruptEvery = 0;  // or: a fill after every this many markers
};

// Draws markers at random places around and across the clip (many of them repeated, some beyond
// the image's edges), in changing colours, with a line and a fill now and then in between.
void DrawScene(fw::TBitmap& bitmap, bool direct, Marker marker, int h, int v, const PenCase& pen,
               fw::TBrushStyle brush, const fw::TRect& clip, unsigned seed,
               const Rhythm& rhythm = Rhythm()) {
  auto& canvas = static_cast<fw::TPainterCanvas&>(bitmap.Canvas());
  canvas.SetDirectDrawing(direct);
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(fw::clWhite);
  canvas.FillRect({0, 0, kWidth, kHeight});
  canvas.SetBackColor(fw::clYellow);
  canvas.SetBackMode(fw::OPAQUE);
  canvas.IntersectClipRect(clip);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> px(clip.Left - 8, clip.Right + 8),
      py(clip.Top - 8, clip.Bottom + 8);
  std::uniform_int_distribution<int> percent(0, 99);
  const TColor colors[] = {fw::clRed, fw::clGreen, fw::clBlue, fw::clBlack};
  TColor color = fw::clRed;
  std::vector<TPoint> places;
  for (int i = 0; i < rhythm.Count; ++i) {
    if (percent(random) < rhythm.ColorChange) color = colors[percent(random) % 4];
    TPoint at{px(random), py(random)};
    if (!places.empty() && percent(random) < 50)
      at = places[static_cast<size_t>(percent(random)) % places.size()];
    places.push_back(at);
    canvas.Pen().SetStyle(pen.Style);
    canvas.Pen().SetWidth(pen.Width);
    canvas.Pen().SetMode(pen.Mode);
    canvas.Pen().SetColor(fw::clBlack);
    canvas.Brush().SetStyle(brush);
    canvas.Brush().SetColor(color);
    DrawMarker(canvas, marker, at.X, at.Y, h, v, color);
    if (percent(random) < rhythm.Interrupt) {
      canvas.Pen().SetStyle(fw::psSolid);
      canvas.Pen().SetColor(fw::clFuchsia);
      canvas.MoveTo(px(random), py(random));
      canvas.LineTo(px(random), py(random));
    } else if (percent(random) < rhythm.Interrupt ||
               (rhythm.InterruptEvery > 0 && i % rhythm.InterruptEvery == 0)) {
      canvas.Brush().SetStyle(fw::bsSolid);
      canvas.Brush().SetColor(fw::clAqua);
      canvas.FillRect({at.X - 3, at.Y - 3, at.X + 3, at.Y + 3});
    }
  }
  canvas.RemoveClip();
}

// The first differing pixel, or "" when the pictures are the same.
std::string FirstDifference(const fw::TBitmap& a, const fw::TBitmap& b) {
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) {
        std::ostringstream out;
        out << "(" << x << "," << y << "): " << a.GetPixel(x, y) << " vs " << b.GetPixel(x, y);
        return out.str();
      }
  return "";
}

TEST(DirectDrawing, EveryMarkerStyleSizePenAndClipGivesTheQPainterPicture) {
  testing_support::EnsureGuiApplication();
  // Clips that cut markers at every edge, one of them beyond the image's top-left corner.
  const fw::TRect clips[] = {{10, 8, 60, 48}, {-5, -5, 30, 20}, {40, 30, 90, 70}};
  fw::TBitmap general(kWidth, kHeight);
  fw::TBitmap direct(kWidth, kHeight);
  unsigned seed = 1;
  int compared = 0;
  for (Marker marker : kMarkers)
    for (const PenCase& pen : kPens)
      for (fw::TBrushStyle brush : {fw::bsSolid, fw::bsClear})
        for (int h = 1; h <= 6; ++h)
          for (int v : {h, 7 - h}) {
            const fw::TRect& clip = clips[seed % 3];
            DrawScene(general, false, marker, h, v, pen, brush, clip, seed);
            DrawScene(direct, true, marker, h, v, pen, brush, clip, seed);
            ++seed;
            ++compared;
            ASSERT_EQ(FirstDifference(general, direct), "")
                << "marker " << static_cast<int>(marker) << " pen " << pen.Name << " brush "
                << static_cast<int>(brush) << " size " << h << "x" << v;
          }
  EXPECT_EQ(compared, 9 * 5 * 2 * 12);
}

// Long runs of one colour, where repeated markers are skipped once a run is recorded, with a fill
// over part of them now and then.
TEST(DirectDrawing, LongRunsOfRepeatedMarkersGiveTheQPainterPicture) {
  testing_support::EnsureGuiApplication();
  const fw::TRect clip{6, 5, 66, 50};
  fw::TBitmap general(kWidth, kHeight);
  fw::TBitmap direct(kWidth, kHeight);
  const Rhythm rhythm{3000, 0, 0, 1300};
  unsigned seed = 100;
  for (Marker marker : kMarkers)
    for (const PenCase* pen : {&kPens[0], &kPens[1]})
      for (auto [h, v] : {std::pair{2, 2}, std::pair{3, 1}, std::pair{1, 5}}) {
        DrawScene(general, false, marker, h, v, *pen, fw::bsSolid, clip, seed, rhythm);
        DrawScene(direct, true, marker, h, v, *pen, fw::bsSolid, clip, seed, rhythm);
        ++seed;
        ASSERT_EQ(FirstDifference(general, direct), "")
            << "marker " << static_cast<int>(marker) << " pen " << pen->Name << " size " << h << "x"
            << v;
      }
}

TEST(DirectDrawing, ARepeatedDotIsWrittenAgainOnceSomethingElseCoveredIt) {
  testing_support::EnsureGuiApplication();
  fw::TBitmap bitmap(20, 20);
  fw::TCanvas& c = bitmap.Canvas();
  c.Pen().SetStyle(fw::psClear);
  c.Brush().SetColor(fw::clRed);
  c.Ellipse(4, 4, 8, 8);
  c.Brush().SetColor(fw::clBlue);
  c.FillRect({0, 0, 20, 20});
  c.Brush().SetColor(fw::clRed);
  c.Ellipse(4, 4, 8, 8);  // the same dot again: not to be skipped
  EXPECT_EQ(bitmap.GetPixel(5, 5), fw::clRed);
  // A dot in another colour over it, then the first one again.
  c.Brush().SetColor(fw::clGreen);
  c.Ellipse(4, 4, 8, 8);
  c.Brush().SetColor(fw::clRed);
  c.Ellipse(4, 4, 8, 8);
  EXPECT_EQ(bitmap.GetPixel(5, 5), fw::clRed);
  // A clip change in between: the dot written under the first clip was cut.
  c.IntersectClipRect({0, 0, 5, 20});
  c.Brush().SetColor(fw::clBlue);
  c.FillRect({0, 0, 20, 20});
  c.Brush().SetColor(fw::clRed);
  c.Ellipse(4, 4, 8, 8);
  c.RemoveClip();
  c.Ellipse(4, 4, 8, 8);
  EXPECT_EQ(bitmap.GetPixel(6, 6), fw::clRed);
}

TEST(DirectDrawing, AnEmptyClipDrawsNothingEitherWay) {
  testing_support::EnsureGuiApplication();
  for (bool direct : {false, true}) {
    fw::TBitmap bitmap(20, 20);
    auto& c = static_cast<fw::TPainterCanvas&>(bitmap.Canvas());
    c.SetDirectDrawing(direct);
    c.IntersectClipRect({5, 5, 5, 10});
    c.Pen().SetStyle(fw::psClear);
    c.Brush().SetColor(fw::clRed);
    c.Ellipse(3, 3, 9, 9);
    c.SetPixel(5, 5, fw::clRed);
    c.RemoveClip();
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 20; ++x) ASSERT_EQ(bitmap.GetPixel(x, y), fw::clWhite) << direct;
  }
}

}  // namespace

namespace {

// Marker runs on the QImage surface: long stretches of one colour are gathered and their union
// written once. The pictures must be those of the same shapes drawn one by one through QPainter,
// for every kind of shape, rows longer than a 64-pixel word, pens, clips that cut the shapes at
// every edge (one reaching beyond the image), places far outside, repeats and colour changes.
void DrawMarkerScene(fw::TBitmap& bitmap, bool direct, const fw::TMarkerShape& shape, bool pen,
                     bool penFollows, const fw::TRect& clip, int count, int colorChange,
                     unsigned seed) {
  auto& canvas = static_cast<fw::TPainterCanvas&>(bitmap.Canvas());
  canvas.SetDirectDrawing(direct);
  canvas.Brush().SetStyle(fw::bsSolid);
  canvas.Brush().SetColor(fw::clWhite);
  canvas.FillRect({0, 0, kWidth, kHeight});
  canvas.IntersectClipRect(clip);
  canvas.Pen().SetStyle(pen ? fw::psSolid : fw::psClear);
  canvas.Pen().SetColor(fw::clBlack);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> px(clip.Left - 70, clip.Right + 8),
      py(clip.Top - 8, clip.Bottom + 8), percent(0, 99);
  const TColor colors[] = {fw::clRed, fw::clGreen, fw::clBlue};
  TColor color = fw::clRed;
  std::vector<fw::TMarkerPlace> places;
  for (int i = 0; i < count; ++i) {
    if (percent(random) < colorChange) color = colors[percent(random) % 3];
    fw::TMarkerPlace at{px(random), py(random), color};
    if (!places.empty() && percent(random) < 40)
      at = fw::TMarkerPlace{places[static_cast<size_t>(percent(random)) % places.size()].X,
                            places[static_cast<size_t>(percent(random)) % places.size()].Y, color};
    if (percent(random) == 0) at.X = -40000;  // beyond any surface
    places.push_back(at);
  }
  canvas.DrawMarkers(shape, places, penFollows);
  canvas.RemoveClip();
}

TEST(DirectDrawing, MarkerRunsGiveThePictureOfTheirShapesDrawnOneByOne) {
  testing_support::EnsureGuiApplication();
  using TKind = fw::TMarkerShape::TKind;
  auto box = [](TKind kind, int l, int t, int r, int b) {
    fw::TMarkerShape s;
    s.Kind = kind;
    s.Points[0] = {l, t};
    s.Points[1] = {r, b};
    return s;
  };
  auto polygon = [](std::initializer_list<TPoint> points) {
    fw::TMarkerShape s;
    s.Kind = TKind::Polygon;
    s.Count = static_cast<std::uint8_t>(points.size());
    std::copy(points.begin(), points.end(), s.Points.begin());
    return s;
  };
  const fw::TMarkerShape shapes[] = {
      box(TKind::Ellipse, -2, -2, 2, 2),   box(TKind::Ellipse, -1, 0, 1, 1),
      box(TKind::Ellipse, -6, -3, 5, 4),   box(TKind::Ellipse, -30, -1, 30, 2),
      box(TKind::Rectangle, -2, -2, 3, 3), box(TKind::Rectangle, 0, 0, 62, 2),
      polygon({{-3, 3}, {3, 3}, {0, -3}}), polygon({{0, -4}, {4, 0}, {0, 4}, {-4, 0}}),
  };
  const fw::TRect clips[] = {{10, 8, 60, 48}, {-5, -5, 30, 20}, {0, 0, kWidth, kHeight}};
  struct Run {
    int Count;
    int ColorChange;  // percent of places that may take another colour
  };
  const Run runs[] = {{5, 0}, {40, 0}, {700, 0}, {700, 3}};
  fw::TBitmap general(kWidth, kHeight), direct(kWidth, kHeight);
  unsigned seed = 500;
  for (const fw::TMarkerShape& shape : shapes)
    for (auto [pen, follows] : {std::pair{false, false}, std::pair{true, false}, {true, true}})
      for (const fw::TRect& clip : clips)
        for (const Run& run : runs) {
          DrawMarkerScene(general, false, shape, pen, follows, clip, run.Count, run.ColorChange,
                          seed);
          DrawMarkerScene(direct, true, shape, pen, follows, clip, run.Count, run.ColorChange,
                          seed);
          ++seed;
          ASSERT_EQ(FirstDifference(general, direct), "")
              << "shape " << &shape - shapes << " pen " << pen << follows << " clip "
              << &clip - clips << " run " << run.Count << "/" << run.ColorChange;
        }
}

}  // namespace

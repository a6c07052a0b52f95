// The QImage backend copies a text from a kept image where every pixel it can touch holds one
// colour; the picture must be exactly QPainter's. Each scene is drawn twice, with direct drawing on
// (copies) and off (QPainter only), and the pictures are compared pixel for pixel.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "framework/gui/Bitmap.h"
#include "framework/gui/PainterCanvas.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TColor;
using fw::TRect;

constexpr int kWidth = 150;
constexpr int kHeight = 64;

struct FontCase {
  const char* Name;
  int Height;
  fw::TFontStyles Style;
};

const FontCase kFonts[] = {{"Arial", -11, {}},
                           {"Arial", -8, {fw::fsBold}},
                           {"Times New Roman", -13, {fw::fsItalic}},
                           {"Courier New", -12, {fw::fsUnderline}},
                           {"Arial", -20, {fw::fsBold, fw::fsStrikeOut}},
                           {"Times New Roman", -30, {fw::fsItalic, fw::fsUnderline}},
                           {"MS Sans Serif", 0, {}},
                           {"Arial", -46, {}}};

struct ColourCase {
  TColor Ink;
  TColor Box;            // the one-colour area the text is drawn on
  fw::TBrushStyle Text;  // the brush at TextOut: solid paints the cell in TextBack
  TColor TextBack;
};

const ColourCase kColours[] = {{fw::clBlack, fw::clWhite, fw::bsClear, fw::clWhite},
                               {fw::clRed, fw::clYellow, fw::bsClear, fw::clWhite},
                               {fw::clWhite, fw::clBlack, fw::bsCross, fw::clRed},
                               {fw::clBlue, fw::clBlue, fw::bsClear, fw::clWhite},
                               {fw::clBlack, fw::clWhite, fw::bsSolid, fw::clAqua}};

const char* const kTexts[] = {"-26000", "Wg", "fjord \xC3\x85", " ", "\xC3\xA9t\xC3\xA9"};

// Where the one-colour box lies and what clips the text: the box covers the clip on three sides
// and ends inside it on the fourth, so texts are cut by the clip over the box and reach out of the
// box within the clip; the last layout has no clip and a box at the image's corner.
struct Layout {
  TRect Box;
  TRect Clip;
  bool Clipped;
};

const Layout kLayouts[] = {{{10, 4, 100, 60}, {30, 12, 120, 52}, true},
                           {{50, 4, 140, 60}, {30, 12, 120, 52}, true},
                           {{0, 0, 70, 40}, {}, false}};

// Horizontal stripes and a few vertical lines everywhere but in the box (with a frame or not).
void DrawBackground(fw::TCanvas& c, const Layout& layout, TColor box, bool frame) {
  c.Pen().SetStyle(fw::psSolid);
  c.Brush().SetStyle(fw::bsSolid);
  for (int y = 0; y < kHeight; y += 2) {
    c.Brush().SetColor(y % 4 == 0 ? fw::clSilver : fw::clGreen);
    c.FillRect({0, y, kWidth, y + 2});
  }
  c.Pen().SetColor(fw::clMaroon);
  for (int x = 3; x < kWidth; x += 17) {
    c.MoveTo(x, 0);
    c.LineTo(x, kHeight);
  }
  c.Brush().SetColor(box);
  if (frame) {
    c.Pen().SetColor(fw::clNavy);
    c.Rectangle(layout.Box.Left, layout.Box.Top, layout.Box.Right, layout.Box.Bottom);
  } else {
    c.FillRect(layout.Box);
  }
}

struct Place {
  int X;
  int Y;
};

// Top-left points of a text of w by h: inside the box and clip, cut by each edge of the clip and
// of the image, across the box's edges, and out of sight.
std::vector<Place> PlacesFor(const Layout& l, int w, int h) {
  const TRect c = l.Clipped ? l.Clip : TRect{0, 0, kWidth, kHeight};
  const int mx = (c.Left + c.Right) / 2 - w / 2;
  const int my = (c.Top + c.Bottom) / 2 - h / 2;
  return {{c.Left + 4, c.Top + 3},
          {c.Left - w / 2, my},
          {c.Right - w / 2, my},
          {mx, c.Top - h / 2},
          {mx, c.Bottom - h / 2},
          {c.Left - w + 2, c.Top - h + 2},
          {l.Box.Left - w / 2, my},
          {l.Box.Right - w / 2, my},
          {mx, l.Box.Bottom - h / 2},
          {c.Right + 3, c.Bottom + 3},
          {-w - 4, my},
          {mx + 1, my + 1}};
}

struct Scene {
  const FontCase* Font;
  const ColourCase* Colour;
  const char* Text;
  const Layout* Where;
  Place At;
  unsigned Align;
  bool Frame;
};

void DrawScene(fw::TBitmap& bitmap, bool direct, const Scene& s) {
  auto& c = static_cast<fw::TPainterCanvas&>(bitmap.Canvas());
  c.SetDirectDrawing(direct);
  DrawBackground(c, *s.Where, s.Colour->Box, s.Frame);
  if (s.Where->Clipped) c.IntersectClipRect(s.Where->Clip);
  c.Font().SetName(s.Font->Name);
  c.Font().SetHeight(s.Font->Height);
  c.Font().SetStyle(s.Font->Style);
  c.Font().SetColor(s.Colour->Ink);
  c.Brush().SetStyle(s.Colour->Text);
  c.Brush().SetColor(s.Colour->TextBack);
  c.SetTextAlign(s.Align);
  const fw::TSize extent = c.TextExtent(s.Text);
  int x = s.At.X;
  if ((s.Align & fw::TA_HORIZONTAL_MASK) == fw::TA_CENTER) x += extent.cx / 2;
  if ((s.Align & fw::TA_HORIZONTAL_MASK) == fw::TA_RIGHT) x += extent.cx;
  const int y = (s.Align & fw::TA_VERTICAL_MASK) == fw::TA_BOTTOM ? s.At.Y + extent.cy : s.At.Y;
  c.TextOut(x, y, s.Text);
  // A second text over the first: where they meet, the pixels are no longer one colour.
  c.TextOut(x + extent.cx / 3, y + 1, s.Text);
  c.RemoveClip();
}

std::string FirstDifference(const QImage& a, const QImage& b) {
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) {
        std::ostringstream out;
        out << "(" << x << "," << y << "): " << std::hex << a.pixel(x, y) << " vs "
            << b.pixel(x, y);
        return out.str();
      }
  return "";
}

fw::TSize ExtentOf(fw::TBitmap& bitmap, const FontCase& f, const char* text) {
  fw::TCanvas& c = bitmap.Canvas();
  c.Font().SetName(f.Name);
  c.Font().SetHeight(f.Height);
  c.Font().SetStyle(f.Style);
  return c.TextExtent(text);
}

TEST(TextCopy, EveryFontColourClipAndPlaceGivesTheQPainterPicture) {
  testing_support::EnsureGuiApplication();
  fw::TBitmap general(kWidth, kHeight);
  fw::TBitmap direct(kWidth, kHeight);
  const unsigned aligns[] = {fw::TA_LEFT | fw::TA_TOP, fw::TA_CENTER | fw::TA_TOP,
                             fw::TA_RIGHT | fw::TA_BOTTOM};
  int scenes = 0;
  for (const FontCase& font : kFonts)
    for (const ColourCase& colour : kColours)
      for (const char* text : kTexts)
        for (const Layout& layout : kLayouts) {
          const fw::TSize e = ExtentOf(general, font, text);
          for (const Place& at : PlacesFor(layout, e.cx, e.cy)) {
            const Scene s{&font, &colour, text, &layout, at, aligns[scenes % 3], scenes % 2 == 0};
            DrawScene(general, false, s);
            DrawScene(direct, true, s);
            ++scenes;
            ASSERT_TRUE(general.Image() == direct.Image())
                << FirstDifference(general.Image(), direct.Image()) << " font " << font.Name << " "
                << font.Height << " text \"" << text << "\" ink " << colour.Ink << " at " << at.X
                << "," << at.Y << " align " << s.Align;
          }
        }
  EXPECT_EQ(scenes, 8 * 5 * 5 * 3 * 12);
  // Most texts were copied; the general way never copies.
  const auto& fast = static_cast<const fw::TPainterCanvas&>(direct.Canvas());
  EXPECT_GT(fast.TextsCopied(), static_cast<std::uint64_t>(scenes) / 2);
  EXPECT_EQ(static_cast<const fw::TPainterCanvas&>(general.Canvas()).TextsCopied(), 0u);
}

// The assumption the copies rest on: QPainter's text moved by whole pixels gives the same pixels
// moved.
TEST(TextCopy, QPainterTextMovedByWholePixelsGivesTheSamePixelsMoved) {
  testing_support::EnsureGuiApplication();
  fw::TBitmap first(kWidth, kHeight);
  fw::TBitmap moved(kWidth, kHeight);
  auto draw = [](fw::TBitmap& b, const FontCase& f, int x, int y) {
    auto& c = static_cast<fw::TPainterCanvas&>(b.Canvas());
    c.SetDirectDrawing(false);
    c.Brush().SetStyle(fw::bsSolid);
    c.Brush().SetColor(fw::clWhite);
    c.FillRect({0, 0, kWidth, kHeight});
    c.Brush().SetStyle(fw::bsClear);
    c.Font().SetName(f.Name);
    c.Font().SetHeight(f.Height);
    c.Font().SetStyle(f.Style);
    c.Font().SetColor(fw::clNavy);
    c.TextOut(x, y, "Ag -0.25 fj");
  };
  for (const FontCase& f : kFonts)
    for (int dx = 1; dx <= 7; ++dx)
      for (int dy : {0, 1, 3}) {
        draw(first, f, 10, 4);
        draw(moved, f, 10 + dx, 4 + dy);
        const QImage a = first.Image().copy(0, 0, kWidth - dx, kHeight - dy);
        const QImage b = moved.Image().copy(dx, dy, kWidth - dx, kHeight - dy);
        ASSERT_TRUE(a == b) << FirstDifference(a, b) << " font " << f.Name << " " << f.Height
                            << " moved by " << dx << "," << dy;
      }
}

// Turned texts and clips of more than one rectangle are drawn by QPainter; the pictures agree.
TEST(TextCopy, TurnedTextsAndNonRectangularClipsAreDrawnByQPainter) {
  testing_support::EnsureGuiApplication();
  fw::TBitmap general(kWidth, kHeight);
  fw::TBitmap direct(kWidth, kHeight);
  const Layout& layout = kLayouts[2];
  for (int variant = 0; variant < 2; ++variant) {
    for (fw::TBitmap* b : {&general, &direct}) {
      auto& c = static_cast<fw::TPainterCanvas&>(b->Canvas());
      c.SetDirectDrawing(b == &direct);
      DrawBackground(c, layout, fw::clWhite, false);
      c.Font().SetName("Arial");
      c.Font().SetHeight(-14);
      c.Font().SetEscapement(variant == 0 ? 900 : 0);
      c.Brush().SetStyle(fw::bsClear);
      if (variant == 1) {
        const fw::TPoint triangle[] = {{0, 0}, {60, 0}, {0, 40}};
        c.ClipPolygon(triangle, fw::TClipOperation::Replace);
      }
      c.TextOut(20, 35, "Turned");
      c.TextOut(4, 4, "Cut");
      c.RemoveClip();
      c.Font().SetEscapement(0);
    }
    ASSERT_TRUE(general.Image() == direct.Image())
        << FirstDifference(general.Image(), direct.Image()) << " variant " << variant;
    EXPECT_EQ(static_cast<const fw::TPainterCanvas&>(direct.Canvas()).TextsCopied(), 0u);
  }
}

// More texts than the kept images may hold: they are dropped and made again, never reused stale.
// A text is copied from its second drawing on.
TEST(TextCopy, KeptImagesDroppedWhenFullAreMadeAgain) {
  testing_support::EnsureGuiApplication();
  constexpr int w = 400, h = 110;
  fw::TBitmap general(w, h);
  fw::TBitmap direct(w, h);
  for (int i = 0; i < 700; ++i) {
    // Every third text is one drawn before, in another colour now and then.
    const int n = i % 3 == 2 ? i / 3 : i;
    for (fw::TBitmap* b : {&general, &direct}) {
      auto& c = static_cast<fw::TPainterCanvas&>(b->Canvas());
      c.SetDirectDrawing(b == &direct);
      c.Brush().SetStyle(fw::bsSolid);
      c.Brush().SetColor(i % 5 == 0 ? fw::clYellow : fw::clWhite);
      c.FillRect({0, 0, w, h});
      c.Brush().SetStyle(fw::bsClear);
      c.Font().SetName("Arial");
      c.Font().SetHeight(-40);
      c.Font().SetColor(i % 7 == 0 ? fw::clRed : fw::clBlack);
      c.TextOut(5 + i % 9, 4, "Label " + std::to_string(n * 7919));
      c.TextOut(9 - i % 9, 56, "Label " + std::to_string(n * 7919));
    }
    ASSERT_TRUE(general.Image() == direct.Image())
        << FirstDifference(general.Image(), direct.Image()) << " text " << i;
  }
  EXPECT_GE(static_cast<const fw::TPainterCanvas&>(direct.Canvas()).TextsCopied(), 700u);
}

}  // namespace

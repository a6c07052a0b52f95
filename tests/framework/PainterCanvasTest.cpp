// Pixel semantics of the QImage backend: each platform convention the chart engine relies on.

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPainter>
#include <string>
#include <vector>

#include "framework/gui/Bitmap.h"
#include "framework/gui/QtGraphics.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TColor;
using fw::TRect;

class PainterCanvas : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureGuiApplication();
    bitmap = std::make_unique<fw::TBitmap>(64, 48);
    Clear(fw::clWhite);
  }

  fw::TCanvas& canvas() { return bitmap->Canvas(); }

  void Clear(TColor color) {
    canvas().Brush().SetColor(color);
    canvas().Brush().SetStyle(fw::bsSolid);
    canvas().FillRect({0, 0, bitmap->Width(), bitmap->Height()});
  }

  // The smallest rectangle (right and bottom excluded) holding every pixel not of `background`.
  TRect InkBounds(TColor background = fw::clWhite) const {
    TRect r{bitmap->Width(), bitmap->Height(), 0, 0};
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x)
        if (bitmap->GetPixel(x, y) != background) {
          r.Left = std::min(r.Left, x);
          r.Top = std::min(r.Top, y);
          r.Right = std::max(r.Right, x + 1);
          r.Bottom = std::max(r.Bottom, y + 1);
        }
    return r;
  }

  int CountOf(TColor color) const {
    int n = 0;
    for (int y = 0; y < bitmap->Height(); ++y)
      for (int x = 0; x < bitmap->Width(); ++x) n += bitmap->GetPixel(x, y) == color;
    return n;
  }

  // "#" for `ink`, "." otherwise, along a row from x0 to x1 (excluded).
  std::string Row(int y, int x0, int x1, TColor ink) const {
    std::string s;
    for (int x = x0; x < x1; ++x) s += bitmap->GetPixel(x, y) == ink ? '#' : '.';
    return s;
  }

  std::unique_ptr<fw::TBitmap> bitmap;
};

TEST_F(PainterCanvas, RectangleExcludesRightAndBottomEdge) {
  canvas().Pen().SetColor(fw::clBlack);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Rectangle(0, 0, 10, 10);
  EXPECT_EQ(InkBounds(), (TRect{0, 0, 10, 10}));
  EXPECT_EQ(bitmap->GetPixel(9, 9), fw::clBlack);  // outline through 9
  EXPECT_EQ(bitmap->GetPixel(1, 1), fw::clRed);    // fill inside
  EXPECT_EQ(CountOf(fw::clRed), 8 * 8);

  // With a clear pen only the inside is filled: one pixel less to the right and bottom.
  Clear(fw::clWhite);
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Rectangle(20, 20, 30, 30);
  EXPECT_EQ(InkBounds(), (TRect{20, 20, 29, 29}));

  // Corners given in any order mean the same box.
  Clear(fw::clWhite);
  canvas().Pen().SetStyle(fw::psSolid);
  canvas().Rectangle(10, 10, 0, 0);
  EXPECT_EQ(InkBounds(), (TRect{0, 0, 10, 10}));
}

TEST_F(PainterCanvas, EllipseFitsTheSameBox) {
  canvas().Pen().SetColor(fw::clBlack);
  canvas().Brush().SetColor(fw::clBlue);
  canvas().Ellipse(10, 5, 30, 21);
  EXPECT_EQ(InkBounds(), (TRect{10, 5, 30, 21}));

  Clear(fw::clWhite);
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Brush().SetColor(fw::clBlue);
  canvas().Ellipse(10, 5, 30, 21);
  EXPECT_EQ(InkBounds(), (TRect{10, 5, 29, 20}));
}

TEST_F(PainterCanvas, SmallFilledCircleWithoutPenIsSymmetric) {
  // The point series' marker: Ellipse(98, 48, 102, 52) without outline, here moved to (8, 8).
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Ellipse(8, 8, 12, 12);
  EXPECT_EQ(InkBounds(), (TRect{8, 8, 11, 11}));
  EXPECT_EQ(CountOf(fw::clRed), 9);

  Clear(fw::clWhite);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Ellipse(0, 0, 9, 9);  // odd box: one centre row and column, mirror-symmetric
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(bitmap->GetPixel(x, y), bitmap->GetPixel(7 - x, y)) << x << "," << y;
}

TEST_F(PainterCanvas, DotsRespectClippingRasterOperationsAndTheImageEdge) {
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Brush().SetColor(fw::clRed);
  canvas().IntersectClipRect({0, 0, 10, 48});
  canvas().Ellipse(8, 8, 12, 12);
  EXPECT_EQ(InkBounds(), (TRect{8, 8, 10, 11}));
  canvas().RemoveClip();
  Clear(fw::clWhite);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Pen().SetMode(fw::pmXor);  // red xor white is aqua
  canvas().Ellipse(8, 8, 12, 12);
  EXPECT_EQ(CountOf(fw::clAqua), 9);
  canvas().Pen().SetMode(fw::pmCopy);
  canvas().Brush().SetColor(fw::clRed);
  canvas().Ellipse(-2, -2, 2, 2);
  canvas().Ellipse(62, 46, 66, 50);
  EXPECT_EQ(bitmap->GetPixel(0, 0), fw::clRed);
  EXPECT_EQ(bitmap->GetPixel(63, 47), fw::clRed);
  canvas().Rectangle(30, 30, 33, 33);
  EXPECT_EQ(bitmap->GetPixel(30, 30), fw::clRed);
}

TEST_F(PainterCanvas, LineToLeavesOutItsEndPointInEveryDirection) {
  struct Case {
    int x0, y0, x1, y1;
  };
  const Case cases[] = {{5, 5, 15, 5},  {15, 5, 5, 5},   {5, 5, 5, 15},  {5, 15, 5, 5},
                        {5, 5, 15, 12}, {15, 12, 5, 5},  {5, 12, 15, 5}, {15, 5, 5, 12},
                        {5, 5, 6, 5},   {20, 20, 21, 21}};
  for (const Case& c : cases) {
    Clear(fw::clWhite);
    canvas().Pen().SetColor(fw::clBlack);
    canvas().MoveTo(c.x0, c.y0);
    canvas().LineTo(c.x1, c.y1);
    SCOPED_TRACE(std::to_string(c.x0) + "," + std::to_string(c.y0) + " -> " + std::to_string(c.x1) +
                 "," + std::to_string(c.y1));
    EXPECT_EQ(bitmap->GetPixel(c.x0, c.y0), fw::clBlack);
    EXPECT_EQ(bitmap->GetPixel(c.x1, c.y1), fw::clWhite);
    const int dx = std::abs(c.x1 - c.x0), dy = std::abs(c.y1 - c.y0);
    EXPECT_EQ(CountOf(fw::clBlack), std::max(dx, dy));
    EXPECT_EQ(canvas().PenPos(), (fw::TPoint{c.x1, c.y1}));
  }
  // A zero-length line of a one-pixel pen draws nothing.
  Clear(fw::clWhite);
  canvas().MoveTo(3, 3);
  canvas().LineTo(3, 3);
  EXPECT_EQ(CountOf(fw::clBlack), 0);
}

TEST_F(PainterCanvas, WidePenZeroLengthLineIsADot) {
  canvas().Pen().SetWidth(5);
  canvas().MoveTo(20, 20);
  canvas().LineTo(20, 20);
  const TRect ink = InkBounds();
  EXPECT_GE(ink.Width(), 4);
  EXPECT_LE(ink.Width(), 6);
  EXPECT_TRUE(fw::PtInRect(ink, {20, 20}));
}

TEST_F(PainterCanvas, PolylineLeavesOutOnlyTheLastPoint) {
  const fw::TPoint pts[] = {{2, 2}, {10, 2}, {10, 10}, {2, 10}};
  canvas().Polyline(pts);
  EXPECT_EQ(Row(2, 0, 12, fw::clBlack), "..#########.");
  EXPECT_EQ(Row(10, 0, 12, fw::clBlack), "...########.");
  EXPECT_EQ(bitmap->GetPixel(2, 10), fw::clWhite);
}

TEST_F(PainterCanvas, PolygonIsClosedAndFilled) {
  canvas().Brush().SetColor(fw::clLime);
  const fw::TPoint pts[] = {{2, 2}, {20, 2}, {20, 20}};
  canvas().Polygon(pts);
  EXPECT_EQ(InkBounds(), (TRect{2, 2, 21, 21}));
  EXPECT_EQ(bitmap->GetPixel(18, 6), fw::clLime);
  EXPECT_EQ(bitmap->GetPixel(4, 18), fw::clWhite);
}

TEST_F(PainterCanvas, FillRectAndPatternFillCoverTheRectangleAlone) {
  canvas().Pen().SetMode(fw::pmXor);  // fills ignore the pen's raster operation
  canvas().Brush().SetColor(fw::clRed);
  canvas().FillRect({3, 4, 13, 9});
  EXPECT_EQ(InkBounds(), (TRect{3, 4, 13, 9}));
  EXPECT_EQ(CountOf(fw::clRed), 50);
  canvas().Brush().SetColor(fw::clBlue);
  canvas().PatternFill({20, 20, 21, 30});
  EXPECT_EQ(CountOf(fw::clBlue), 10);
  canvas().Brush().SetStyle(fw::bsClear);
  canvas().FillRect({0, 0, 64, 48});
  EXPECT_EQ(CountOf(fw::clBlue), 10);
}

TEST_F(PainterCanvas, SetPixelSetsOnePixelWhateverThePen) {
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Pen().SetMode(fw::pmNotXor);
  canvas().SetPixel(7, 9, fw::clRed);
  EXPECT_EQ(InkBounds(), (TRect{7, 9, 8, 10}));
  EXPECT_EQ(bitmap->GetPixel(7, 9), fw::clRed);
}

TEST_F(PainterCanvas, NotXorDrawnTwiceRestoresThePixels) {
  // A background with many colours, then the zoom rectangle's pen drawn twice.
  for (int x = 0; x < 64; x += 4) {
    canvas().Brush().SetColor(fw::RGB(x * 4, 255 - x * 3, (x * 37) & 0xFF));
    canvas().FillRect({x, 0, x + 4, 48});
  }
  const QImage before = bitmap->Image().copy();
  canvas().Pen().SetMode(fw::pmNotXor);
  canvas().Pen().SetColor(fw::clBlack);
  canvas().Brush().SetStyle(fw::bsClear);
  canvas().Rectangle(5, 6, 50, 40);
  // A black not-xor pen inverts what it crosses.
  const QRgb p = before.pixel(5, 20);
  EXPECT_EQ(bitmap->GetPixel(5, 20), fw::RGB(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p)));
  EXPECT_EQ(bitmap->GetPixel(6, 20), fw::RGB(qRed(before.pixel(6, 20)), qGreen(before.pixel(6, 20)),
                                             qBlue(before.pixel(6, 20))));
  canvas().Rectangle(5, 6, 50, 40);
  EXPECT_EQ(bitmap->Image(), before);

  // A white not-xor pen leaves the pixels as they are.
  canvas().Pen().SetColor(fw::clWhite);
  canvas().MoveTo(0, 30);
  canvas().LineTo(64, 30);
  EXPECT_EQ(bitmap->Image(), before);
}

TEST_F(PainterCanvas, DashPatternsCountPixelsAndBackModeFillsTheGaps) {
  canvas().SetBackColor(fw::clLime);
  canvas().SetBackMode(fw::TRANSPARENT);
  canvas().Pen().SetStyle(fw::psDot);
  canvas().MoveTo(0, 1);
  canvas().LineTo(16, 1);
  EXPECT_EQ(Row(1, 0, 16, fw::clBlack), "###...###...###.");
  EXPECT_EQ(CountOf(fw::clLime), 0);

  canvas().Pen().SetStyle(fw::psAlternate);
  canvas().MoveTo(0, 3);
  canvas().LineTo(16, 3);
  EXPECT_EQ(Row(3, 0, 16, fw::clBlack), "#.#.#.#.#.#.#.#.");

  canvas().SetBackMode(fw::OPAQUE);
  canvas().Pen().SetStyle(fw::psDash);
  canvas().MoveTo(0, 5);
  canvas().LineTo(30, 5);
  EXPECT_EQ(Row(5, 0, 30, fw::clBlack), std::string(18, '#') + std::string(6, '.') + "######");
  EXPECT_EQ(Row(5, 0, 30, fw::clLime), std::string(18, '.') + std::string(6, '#') + "......");

  // Wider pens are always solid.
  canvas().Pen().SetWidth(2);
  canvas().Pen().SetStyle(fw::psDot);
  canvas().MoveTo(0, 20);
  canvas().LineTo(30, 20);
  EXPECT_EQ(Row(20, 2, 28, fw::clBlack), std::string(26, '#'));
}

TEST_F(PainterCanvas, HatchBrushesRepeatEveryEightPixels) {
  canvas().Pen().SetStyle(fw::psClear);
  canvas().Brush().SetColor(fw::clBlack);
  canvas().Brush().SetStyle(fw::bsHorizontal);
  canvas().SetBackMode(fw::TRANSPARENT);
  canvas().FillRect({0, 0, 16, 32});
  std::vector<int> rows;
  for (int y = 0; y < 32; ++y)
    if (bitmap->GetPixel(3, y) == fw::clBlack) rows.push_back(y);
  ASSERT_EQ(rows.size(), 4u);
  for (size_t i = 1; i < rows.size(); ++i) EXPECT_EQ(rows[i] - rows[i - 1], 8);
  EXPECT_EQ(Row(rows[0], 0, 16, fw::clBlack), std::string(16, '#'));

  // In opaque back mode the gaps take the back colour.
  canvas().SetBackMode(fw::OPAQUE);
  canvas().SetBackColor(fw::clYellow);
  canvas().FillRect({20, 0, 36, 32});
  EXPECT_EQ(CountOf(fw::clYellow) + 4 * 16, 16 * 32);
}

TEST_F(PainterCanvas, ClippingIntersectsReplacesExcludesAndIsRemoved) {
  canvas().Brush().SetColor(fw::clRed);
  canvas().IntersectClipRect({10, 10, 40, 40});
  canvas().IntersectClipRect({20, 0, 64, 30});
  canvas().FillRect({0, 0, 64, 48});
  EXPECT_EQ(InkBounds(), (TRect{20, 10, 40, 30}));
  EXPECT_TRUE(canvas().IsClipped());

  Clear(fw::clWhite);  // still clipped
  canvas().RemoveClip();
  EXPECT_FALSE(canvas().IsClipped());
  Clear(fw::clWhite);
  canvas().ExcludeClipRect({0, 0, 32, 48});
  canvas().Brush().SetColor(fw::clRed);
  canvas().FillRect({0, 0, 64, 48});
  EXPECT_EQ(InkBounds(), (TRect{32, 0, 64, 48}));

  canvas().RemoveClip();
  Clear(fw::clWhite);
  canvas().IntersectClipRect({0, 0, 10, 10});
  const fw::TPoint triangle[] = {{30, 10}, {50, 10}, {50, 30}};
  canvas().ClipPolygon(triangle, fw::TClipOperation::Replace);
  canvas().Brush().SetColor(fw::clRed);
  canvas().FillRect({0, 0, 64, 48});
  EXPECT_EQ(InkBounds(), (TRect{30, 10, 50, 30}));
  EXPECT_EQ(bitmap->GetPixel(49, 11), fw::clRed);
  EXPECT_EQ(bitmap->GetPixel(31, 28), fw::clWhite);
}

TEST_F(PainterCanvas, TextIsPlacedByTheAlignmentFlags) {
  bitmap = std::make_unique<fw::TBitmap>(200, 100);
  Clear(fw::clWhite);
  canvas().Font().SetName("Arial");
  canvas().Font().SetSize(12);
  canvas().Font().SetColor(fw::clBlack);
  canvas().SetBackMode(fw::TRANSPARENT);
  const fw::TSize extent = canvas().TextExtent("HHH");
  ASSERT_GT(extent.cx, 10);
  ASSERT_GT(extent.cy, 10);

  struct Case {
    unsigned align;
    int left, top;  // expected cell position relative to the reference point (100, 50)
  };
  const int ascent = fw::ReferenceFontMetrics(fw::ToQFont(canvas().Font())).ascent();
  const Case cases[] = {
      {fw::TA_LEFT | fw::TA_TOP, 0, 0},
      {fw::TA_RIGHT | fw::TA_TOP, -extent.cx, 0},
      {fw::TA_CENTER | fw::TA_TOP, -extent.cx / 2, 0},
      {fw::TA_LEFT | fw::TA_BOTTOM, 0, -extent.cy},
      {fw::TA_LEFT | fw::TA_BASELINE, 0, -ascent},
  };
  for (const Case& c : cases) {
    Clear(fw::clWhite);
    canvas().SetTextAlign(c.align);
    canvas().TextOut(100, 50, "HHH");
    const TRect ink = InkBounds();
    SCOPED_TRACE("align " + std::to_string(c.align));
    // The ink of "HHH" lies inside its cell, and a capital H sits on the baseline.
    EXPECT_GE(ink.Left, 100 + c.left);
    EXPECT_LE(ink.Right, 100 + c.left + extent.cx);
    EXPECT_LE(ink.Left - (100 + c.left), 3);
    EXPECT_GE(ink.Top, 50 + c.top);
    EXPECT_EQ(ink.Bottom, 50 + c.top + ascent);
  }
}

// Texts are laid out once and kept: what is drawn must be exactly what a plain drawText at the
// same baseline draws, for any text, font, alignment and turn, the first time and from the kept
// layout.
TEST_F(PainterCanvas, KeptTextLayoutsDrawExactlyAsPlainText) {
  bitmap = std::make_unique<fw::TBitmap>(160, 160);
  struct Case {
    const char* face;
    int size;
    fw::TFontStyles style;
    unsigned align;
    int escapement;
    const char* text;
  } cases[] = {
      {"Arial", 8, {}, fw::TA_LEFT | fw::TA_TOP, 0, "-26,000"},
      {"Arial", 8, {}, fw::TA_CENTER | fw::TA_TOP, 0, "AVA Wij 1.5 %"},
      {"Arial", 16, fw::TFontStyles{fw::fsBold}, fw::TA_RIGHT | fw::TA_BASELINE, 0, "Oscilloscope"},
      {"Courier New", 10, fw::TFontStyles{fw::fsItalic}, fw::TA_LEFT | fw::TA_BOTTOM, 0, "x=12"},
      {"Arial", 10, {}, fw::TA_LEFT | fw::TA_TOP, 900, "turned"},
      {"Arial", 9, {}, fw::TA_CENTER | fw::TA_TOP, 450, "Grüße"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    fw::TFont& font = canvas().Font();
    font.SetName(c.face);
    font.SetSize(c.size);
    font.SetStyle(c.style);
    font.SetEscapement(c.escapement);
    font.SetColor(fw::clBlack);
    canvas().SetTextAlign(c.align);
    const QFont qfont = fw::ToQFont(font);
    const QFontMetrics metrics = fw::ReferenceFontMetrics(qfont);
    const QString s = QString::fromUtf8(c.text);
    const int width = metrics.horizontalAdvance(s);
    int dx = 0, baseline = metrics.ascent();
    if ((c.align & fw::TA_HORIZONTAL_MASK) == fw::TA_RIGHT) dx = -width;
    if ((c.align & fw::TA_HORIZONTAL_MASK) == fw::TA_CENTER) dx = -width / 2;
    if ((c.align & fw::TA_VERTICAL_MASK) == fw::TA_BASELINE) baseline = 0;
    if ((c.align & fw::TA_VERTICAL_MASK) == fw::TA_BOTTOM) baseline = -metrics.descent();
    QImage expected(160, 160, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
      QPainter p(&expected);
      p.setRenderHint(QPainter::TextAntialiasing, true);
      p.setFont(qfont);
      p.setPen(Qt::black);
      p.translate(80, 80);
      p.rotate(-c.escapement / 10.0);
      p.drawText(QPoint(dx, baseline), s);
    }
    for (int pass = 0; pass < 2; ++pass) {
      Clear(fw::clWhite);
      canvas().Brush().SetStyle(fw::bsClear);
      canvas().TextOut(80, 80, c.text);
      const QImage drawn = bitmap->ToImage().convertToFormat(QImage::Format_RGB32);
      int differing = 0;
      for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 160; ++x) differing += drawn.pixel(x, y) != expected.pixel(x, y);
      EXPECT_EQ(differing, 0) << "pass " << pass;
    }
  }
}

TEST_F(PainterCanvas, TextBackgroundFollowsTheBrush) {
  bitmap = std::make_unique<fw::TBitmap>(120, 40);
  Clear(fw::clWhite);
  canvas().Font().SetName("Arial");
  canvas().Font().SetSize(12);
  canvas().Font().SetColor(fw::clBlack);
  canvas().SetTextAlign(fw::TA_LEFT | fw::TA_TOP);
  const fw::TSize extent = canvas().TextExtent("HHH");
  const TRect cell{10, 10, 10 + extent.cx, 10 + extent.cy};
  struct Case {
    fw::TBrushStyle brush;
    int backMode;
    bool cellPainted;
  } cases[] = {
      // A solid brush paints the whole cell in its colour, whatever the back mode.
      {fw::bsSolid, fw::TRANSPARENT, true},
      {fw::bsSolid, fw::OPAQUE, true},
      // A clear or hatched brush writes the text alone, even over an opaque back mode.
      {fw::bsClear, fw::OPAQUE, false},
      {fw::bsClear, fw::TRANSPARENT, false},
      {fw::bsCross, fw::OPAQUE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.brush) + " " + std::to_string(c.backMode));
    Clear(fw::clWhite);
    canvas().SetBackColor(fw::clLime);
    canvas().SetBackMode(c.backMode);
    canvas().Brush().SetColor(fw::clYellow);
    canvas().Brush().SetStyle(c.brush);
    canvas().TextOut(cell.Left, cell.Top, "HHH");
    EXPECT_EQ(CountOf(fw::clLime), 0);  // the back colour is never the text's background
    if (c.cellPainted) {
      EXPECT_EQ(InkBounds(), cell);
      EXPECT_EQ(bitmap->GetPixel(cell.Left, cell.Top), fw::clYellow);
      EXPECT_EQ(bitmap->GetPixel(cell.Right - 1, cell.Bottom - 1), fw::clYellow);
    } else {
      EXPECT_EQ(CountOf(fw::clYellow), 0);
      const TRect ink = InkBounds();
      EXPECT_GT(ink.Left, cell.Left - 1);
      EXPECT_LT(ink.Width(), cell.Width() + 1);
      EXPECT_LT(ink.Height(), cell.Height());  // glyphs only: no cell above the capitals
    }
  }
}

TEST_F(PainterCanvas, EscapementTurnsTextCounterClockwise) {
  bitmap = std::make_unique<fw::TBitmap>(100, 100);
  Clear(fw::clWhite);
  canvas().Font().SetName("Arial");
  canvas().Font().SetSize(10);
  canvas().Font().SetColor(fw::clBlack);
  canvas().SetBackMode(fw::TRANSPARENT);
  canvas().Font().SetEscapement(900);
  canvas().TextOut(50, 90, "Label text");
  const TRect ink = InkBounds();
  EXPECT_GT(ink.Height(), 2 * ink.Width());  // runs upwards from the reference point
  EXPECT_LE(ink.Bottom, 91);
  EXPECT_GE(ink.Left, 50);
}

TEST_F(PainterCanvas, ArialAndMsSansSerifUseTheInstalledMetricCompatibleFace) {
  fw::TFont font;
  font.SetName("Arial");
  EXPECT_EQ(QFontInfo(fw::ToQFont(font)).family(), "Liberation Sans");
  font.SetName("MS Sans Serif");
  EXPECT_EQ(QFontInfo(fw::ToQFont(font)).family(), "Liberation Sans");
  // Arial 8 at 96 dpi is an 11-pixel font; its cell is taller than that.
  font.SetName("Arial");
  font.SetSize(8);
  canvas().Font().Assign(&font);
  const fw::TSize w = canvas().TextExtent("W");
  EXPECT_GE(w.cy, 12);
  EXPECT_LE(w.cy, 14);
  EXPECT_EQ(canvas().TextWidth(""), 0);
}

TEST_F(PainterCanvas, SystemColoursAreResolvedWhenDrawn) {
  canvas().Brush().SetColor(fw::clBtnFace);
  canvas().FillRect({0, 0, 4, 4});
  EXPECT_EQ(bitmap->GetPixel(1, 1), fw::RGB(0xD4, 0xD0, 0xC8));
}

TEST_F(PainterCanvas, ArcAndPieStayInsideTheirBox) {
  canvas().Brush().SetColor(fw::clRed);
  // A quarter pie from the right (3 o'clock) counter-clockwise to the top (12 o'clock).
  canvas().Pie(10, 10, 41, 41, 41, 25, 25, 10);
  const TRect ink = InkBounds();
  EXPECT_GE(ink.Left, 24);
  EXPECT_LE(ink.Right, 41);
  EXPECT_GE(ink.Top, 10);
  EXPECT_LE(ink.Bottom, 27);
  EXPECT_EQ(bitmap->GetPixel(32, 18), fw::clRed);
  Clear(fw::clWhite);
  canvas().Arc(10, 10, 41, 41, 0, 0, 0, 0);  // same point twice: the whole ellipse
  EXPECT_EQ(InkBounds(), (TRect{10, 10, 41, 41}));
}

TEST_F(PainterCanvas, BitmapsCopyAndStretchAndShowMonochrome) {
  auto other = canvas().CreateCompatibleBitmap(4, 3);
  ASSERT_NE(dynamic_cast<fw::TBitmap*>(other.get()), nullptr);
  other->Canvas().Brush().SetColor(fw::clNavy);
  other->Canvas().FillRect({0, 0, 4, 3});
  canvas().Pen().SetMode(fw::pmXor);  // a copy is a plain source copy
  canvas().Draw(10, 20, *other);
  EXPECT_EQ(InkBounds(), (TRect{10, 20, 14, 23}));
  EXPECT_EQ(bitmap->GetPixel(13, 22), fw::clNavy);

  Clear(fw::clWhite);
  canvas().StretchDraw({0, 0, 8, 6}, *other);
  EXPECT_EQ(InkBounds(), (TRect{0, 0, 8, 6}));

  other->SetMonochrome(true);
  canvas().Draw(30, 30, *other);
  EXPECT_EQ(bitmap->GetPixel(31, 31), fw::clBlack);
  other->Canvas().Brush().SetColor(fw::clYellow);
  other->Canvas().FillRect({0, 0, 4, 3});
  canvas().Draw(30, 30, *other);
  EXPECT_EQ(bitmap->GetPixel(31, 31), fw::clWhite);

  // Resizing keeps the canvas usable.
  other->SetSize(20, 10);
  other->Canvas().FillRect({0, 0, 20, 10});
  EXPECT_EQ(other->Width(), 20);
}

TEST_F(PainterCanvas, ChangeNotificationsCanBeSwitchedOff) {
  int changes = 0;
  canvas().OnChange = [&](fw::TCanvas&) { ++changes; };
  canvas().Rectangle(0, 0, 4, 4);
  canvas().TextOut(0, 0, "x");
  EXPECT_EQ(changes, 2);
  canvas().SetNotificationsEnabled(false);
  canvas().Rectangle(0, 0, 4, 4);
  EXPECT_EQ(changes, 2);
}

}  // namespace

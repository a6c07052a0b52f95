// Off-screen bitmaps: a large one (its pixels in memory of its own, in large pages) draws, copies,
// resizes and hands out its pixels exactly as a small one does.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Canvas.h"
#include "framework/gui/Bitmap.h"
#include "support/GuiTestApp.h"

namespace {

using fw::TBitmap;
using fw::TCanvas;
using fw::TRect;

// Large enough for the large-page pixels (more than 512 KiB).
constexpr int kLargeWidth = 640;
constexpr int kLargeHeight = 400;

// A picture inside (0, 0)-(200, 150): fills, lines, an ellipse and a text.
void DrawPicture(TCanvas& c) {
  c.Brush().SetStyle(fw::bsSolid);
  c.Brush().SetColor(fw::clBtnFace);
  c.FillRect(TRect{0, 0, 200, 150});
  c.Pen().SetColor(fw::clNavy);
  c.Pen().SetWidth(2);
  c.MoveTo(5, 5);
  c.LineTo(190, 140);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(fw::psDot);
  c.MoveTo(10, 100);
  c.LineTo(180, 100);
  c.Pen().SetStyle(fw::psSolid);
  c.Brush().SetColor(fw::clRed);
  c.Ellipse(40, 30, 90, 70);
  c.Brush().SetStyle(fw::bsClear);
  c.Font().SetColor(fw::clBlue);
  c.TextOut(60, 110, "26,000");
}

QImage Corner(const QImage& image) {
  return image.copy(0, 0, 200, 150);
}

class Bitmap : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureGuiApplication(); }
};

TEST_F(Bitmap, LargeOneDrawsAndCopiesTheSamePixelsAsASmallOne) {
  TBitmap small(200, 150);
  TBitmap large(kLargeWidth, kLargeHeight);
  ASSERT_EQ(large.Image().format(), QImage::Format_RGB32);
  ASSERT_EQ(large.Image().bytesPerLine(), kLargeWidth * 4);
#ifdef __linux__
  // The large one's pixels are its own memory on a large-page boundary.
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(large.Image().constBits()) % (std::uintptr_t{2} << 20),
            0u);
#endif
  EXPECT_EQ(large.GetPixel(kLargeWidth - 1, kLargeHeight - 1), fw::clWhite);
  DrawPicture(small.Canvas());
  DrawPicture(large.Canvas());
  EXPECT_EQ(Corner(large.Image()), small.Image());
  EXPECT_EQ(large.GetPixel(300, 300), fw::clWhite);  // outside the picture: as created

  // A copy of the large bitmap into another large one gives every pixel.
  TBitmap copy(kLargeWidth, kLargeHeight);
  copy.Canvas().Draw(0, 0, large);
  EXPECT_EQ(copy.Image(), large.Image());
}

TEST_F(Bitmap, PixelsHandedOutOutliveTheBitmapAndItsResizes) {
  auto large = std::make_unique<TBitmap>(kLargeWidth, kLargeHeight);
  DrawPicture(large->Canvas());
  const QImage before = large->ToImage();
  const QImage expected = before.copy();

  // Resized small, then large again: white as new, and drawing goes on.
  large->SetSize(50, 40);
  EXPECT_EQ(large->GetPixel(10, 10), fw::clWhite);
  large->SetSize(kLargeWidth, kLargeHeight);
  EXPECT_EQ(large->GetPixel(60, 40), fw::clWhite);
  DrawPicture(large->Canvas());
  EXPECT_EQ(large->Image(), expected);

  const QImage last = large->ToImage();
  large.reset();
  // The images taken before still hold their pixels.
  EXPECT_EQ(before, expected);
  EXPECT_EQ(last, expected);
}

// A copy onto another bitmap gives the pixels of Draw; onto one of the same size at (0, 0),
// unclipped, it notes the bands of rows it changed, and in every other case nothing.
TEST_F(Bitmap, CopyNotesTheRowsItChangedOnlyWhereItCoversTheTargetExactly) {
  TBitmap source(120, 90);
  source.Canvas().Brush().SetColor(fw::clYellow);
  source.Canvas().FillRect(TRect{0, 0, 120, 90});
  enum class Target { Same, Clipped, Offset, Smaller, Monochrome };
  for (const Target kind :
       {Target::Same, Target::Clipped, Target::Offset, Target::Smaller, Target::Monochrome}) {
    SCOPED_TRACE(static_cast<int>(kind));
    TBitmap target(kind == Target::Smaller ? 100 : 120, 90);
    TBitmap expected(target.Width(), target.Height());
    TCanvas& c = target.Canvas();
    c.Brush().SetColor(fw::clYellow);
    c.FillRect(TRect{0, 0, target.Width(), 90});
    // Rows 10-12 and 40 differ from the source; row 41 differs only in its last pixel.
    c.Brush().SetColor(fw::clRed);
    c.FillRect(TRect{5, 10, 30, 13});
    c.FillRect(TRect{0, 40, 1, 41});
    c.FillRect(TRect{target.Width() - 1, 41, target.Width(), 42});
    expected.Canvas().Draw(0, 0, target);
    if (kind == Target::Clipped) {
      c.SelectClipRect(TRect{0, 0, 60, 90});
      expected.Canvas().SelectClipRect(TRect{0, 0, 60, 90});
    }
    if (kind == Target::Monochrome) source.SetMonochrome(true);
    const int at = kind == Target::Offset ? 3 : 0;
    target.ForgetCopyNote();
    source.CopyTo(c, at, at);
    expected.Canvas().Draw(at, at, source);
    source.SetMonochrome(false);
    EXPECT_EQ(target.ToImage(), expected.ToImage());
    std::vector<fw::TRowBand> bands;
    if (kind != Target::Same) {
      EXPECT_FALSE(target.NoteOfLastCopy(bands));
    } else {
      ASSERT_TRUE(target.NoteOfLastCopy(bands));
      ASSERT_EQ(bands.size(), 2u);
      EXPECT_EQ(bands[0].First, 10);
      EXPECT_EQ(bands[0].Last, 13);
      EXPECT_EQ(bands[1].First, 40);
      EXPECT_EQ(bands[1].Last, 42);
    }
    // Drawing on goes on as after Draw.
    DrawPicture(c);
    DrawPicture(expected.Canvas());
    EXPECT_EQ(target.ToImage(), expected.ToImage());
    if (kind != Target::Same) continue;
    // Copied again over the drawing, then once more: the second copy changes nothing.
    source.CopyTo(c, 0, 0);
    EXPECT_EQ(target.Image(), source.Image());
    source.CopyTo(c, 0, 0);
    ASSERT_TRUE(target.NoteOfLastCopy(bands));
    EXPECT_TRUE(bands.empty());
    target.ForgetCopyNote();
    EXPECT_FALSE(target.NoteOfLastCopy(bands));
  }
}

}  // namespace

// An off-screen bitmap in memory: a QImage with a `TPainterCanvas` on it.
//
// The window shows such a bitmap, and the chart paints into one when it buffers its drawing. The
// pixels are 32-bit RGB at 96 dpi. A monochrome bitmap keeps its colours while it is drawn into
// and shows them as black or white (threshold at mid-grey) when copied out or saved.
#pragma once

#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Graphic.h"
#include "framework/gui/PainterCanvas.h"

namespace fw {

// Rows first to last - 1 of a picture.
struct TRowBand {
  int First = 0;
  int Last = 0;
};

class TBitmap : public TCustomBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);
  ~TBitmap() override;

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void SetSize(int width, int height) override;
  TCanvas& Canvas() override { return *canvas_; }

  // The pixels as drawn.
  const QImage& Image() const { return image_; }
  // The pixels as shown: monochrome applied.
  QImage ToImage() const;
  // The RGB colour (0x00BBGGRR) of a pixel as shown; clNone outside the bitmap.
  TColor GetPixel(int x, int y) const;
  // Writes the bitmap as shown; the format follows the file name's extension (".png").
  bool SaveToFile(const std::string& path) const;

  // The copy of TCustomBitmap: the pixels of target.Draw. Onto the canvas of another bitmap of
  // the same size at (0, 0), unclipped and neither of them monochrome, it compares the two
  // pictures row by row, writes only the rows that differ, and notes on the target the bands of
  // rows it changed (NoteOfLastCopy); the target's change notification comes as from Draw.
  void CopyTo(TCanvas& target, int x, int y) const override;
  // The bands noted by the last such copy onto this bitmap (none changed: an empty list), or
  // false when none was noted since ForgetCopyNote.
  bool NoteOfLastCopy(std::vector<TRowBand>& bands) const;
  void ForgetCopyNote();

 private:
  QImage image_;
  std::unique_ptr<TPainterCanvas> canvas_;
  bool copyNoted_ = false;
  std::vector<TRowBand> copyBands_;
};

}  // namespace fw

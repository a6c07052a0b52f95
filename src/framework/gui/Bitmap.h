// An off-screen bitmap in memory: a QImage with a `TPainterCanvas` on it.
//
// The window shows such a bitmap, and the chart paints into one when it buffers its drawing. The
// pixels are 32-bit RGB at 96 dpi. A monochrome bitmap keeps its colours while it is drawn into
// and shows them as black or white (threshold at mid-grey) when copied out or saved.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "framework/core/Graphic.h"
#include "framework/gui/PainterCanvas.h"

namespace fw {

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

 private:
  QImage image_;
  std::unique_ptr<TPainterCanvas> canvas_;
};

}  // namespace fw

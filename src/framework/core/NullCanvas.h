// A canvas that draws nothing and measures every text as empty.
//
// Stands in for a surface that is not there yet (a chart canvas before its first paint), so that
// drawing code never has to test for a missing surface. Its bitmaps are null bitmaps of the
// requested size.
#pragma once

#include "framework/core/Canvas.h"

namespace fw {

class TNullCanvas : public TCanvas {
 protected:
  void DoLine(TPoint, TPoint) override {}
  void DoRectangle(const TRect&) override {}
  void DoEllipse(const TRect&) override {}
  void DoRoundRect(const TRect&, int, int) override {}
  void DoArc(TArcKind, const TRect&, TPoint, TPoint) override {}
  void DoPolygon(std::span<const TPoint>) override {}
  void DoPolyline(std::span<const TPoint>) override {}
  void DoSetPixel(int, int, TColor) override {}
  void DoTextOut(int, int, std::string_view) override {}
  TSize DoTextExtent(std::string_view) override { return TSize{}; }
  void DoFillRect(const TRect&, bool) override {}
  void DoDraw(const TRect&, const TGraphic&, bool) override {}
  void DoClipRect(const TRect&, TClipOperation) override {}
  void DoClipPolygon(std::span<const TPoint>, TClipOperation) override {}
  void DoRemoveClip() override {}
  std::unique_ptr<TCustomBitmap> DoCreateCompatibleBitmap(int width, int height) override;
};

class TNullBitmap : public TCustomBitmap {
 public:
  TNullBitmap(int width, int height) : width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetSize(int width, int height) override {
    width_ = width;
    height_ = height;
  }
  TCanvas& Canvas() override { return canvas_; }

 private:
  int width_;
  int height_;
  TNullCanvas canvas_;
};

}  // namespace fw

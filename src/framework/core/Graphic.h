// Pictures a canvas can draw, and the off-screen bitmap abstraction.
//
// `TGraphic` is anything with a size that can be copied onto a canvas (`TCanvas::Draw`,
// `StretchDraw`). `TCustomBitmap` is an off-screen picture with a canvas of its own; code that must
// stay free of the platform (the chart engine) gets one from `TCanvas::CreateCompatibleBitmap` and
// draws into `Canvas()`, then copies it to a window canvas with `Draw`. The drawing backend decides
// the concrete class (a QImage for the real backend, a recording double in tests).
#pragma once

namespace fw {

class TCanvas;
struct TRect;

class TGraphic {
 public:
  TGraphic() = default;
  TGraphic(const TGraphic&) = delete;
  TGraphic& operator=(const TGraphic&) = delete;
  virtual ~TGraphic() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }

  // Called by a canvas backend that cannot copy this graphic's pixels itself: the graphic draws a
  // rendition of itself into `dest` with the canvas' own operations. Does nothing by default.
  virtual void PaintOn(TCanvas& canvas, const TRect& dest) const;
};

class TCustomBitmap : public TGraphic {
 public:
  // Resizes the bitmap; its content is then undefined until drawn.
  virtual void SetSize(int width, int height) = 0;
  virtual TCanvas& Canvas() = 0;
  // Copies the whole bitmap onto `target` with its top-left corner at (x, y): the same as
  // target.Draw(x, y, *this), which is all the default does. A backend may note on the way which
  // rows of the target the copy really changed, for the window that shows the target.
  virtual void CopyTo(TCanvas& target, int x, int y) const;

  // A monochrome bitmap shows every pixel as black or white when it is copied out.
  bool Monochrome() const { return monochrome_; }
  virtual void SetMonochrome(bool value) { monochrome_ = value; }

 private:
  bool monochrome_ = false;
};

}  // namespace fw

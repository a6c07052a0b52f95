// TCustomControl: a windowed control that paints itself through a TCanvas.
//
// The base of every control drawn by the application rather than by the window system: panels,
// and controls of other libraries such as the chart. Its window (the default peer of the widget
// layer) calls `PaintWindow` with the client area's surface on each paint message, first clearing
// it with `Color` unless `EraseBackground` answers false, and sends it the mouse through the
// Handle* entry points of TControl. Nothing of this needs a window system: a test can call
// PaintWindow with a recording canvas.
//
// `Canvas()` is the surface of the control's window (client coordinates) while it has one; before
// that, a canvas that draws and measures nothing, so drawing code never meets a missing surface.
#pragma once

#include <memory>

#include "framework/core/Canvas.h"
#include "framework/core/WinControl.h"

namespace fw {

class TNullCanvas;

class TCustomControl : public TWinControl {
  FW_CLASS

 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;

  TCanvas& Canvas();

  // Paints the control onto the surface of its client area: the surface gets the control's font
  // and a solid brush in its colour, then Paint runs.
  void PaintWindow(TCanvas& surface);

  // Whether the window fills the client area with Color before each paint. A control that paints
  // all of it answers false, so that it never flickers to its background.
  virtual bool EraseBackground() const { return true; }

 protected:
  virtual void Paint(TCanvas& canvas);

 private:
  std::unique_ptr<TNullCanvas> nullCanvas_;
};

}  // namespace fw

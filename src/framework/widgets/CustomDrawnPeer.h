// The default window of a control that paints itself (a panel, the chart).
//
// Two widgets: the frame widget at the control's bounds, which draws the non-client window edge
// (TWinControl::WindowEdge) with the system colours, and inside it the client surface, which
// holds the children's widgets and does the control's painting and mouse input:
//   - paint: the surface keeps one off-screen bitmap of its size (a TBitmap, 96 dpi) as the
//     window's drawing surface. After the control invalidated it (or a resize), the next paint
//     message clears it with the control's Color (unless the control's EraseBackground answers
//     false) and lets the control paint on it (PaintWindow); the window system is then asked to
//     show what changed, at once. When the one drawing of that paint was the copy of a whole
//     picture of the surface's size (a buffered chart showing its buffer: TBitmap::CopyTo), only
//     the rows the copy changed are shown anew, the window system keeping the others; else the
//     whole surface. Every paint message of the window system copies the surface to the screen.
//     The same bitmap is the control's Canvas() between paints: what the control draws there
//     outside a paint (a rubber band) appears with the next paint message without repainting
//     the control, as on a window's own surface.
//   - mouse: presses, moves (also with no button down), releases, double clicks, the wheel and
//     leaving go to the control's Handle* entry points in client coordinates, with the modifier
//     keys and held buttons as shift state. A press keeps the mouse until its release (Qt's
//     implicit grab): moves and the release outside the window still reach the control. The
//     wheel arrives in whole steps of 120 units (small deltas add up).
//   - repaint requests only mark the surface and post one paint message, so any number of
//     requests (the moves of a drag) before it make one paint. Update delivers it at once.
// Everything that reaches the control runs behind the event boundary (InvokeHandler).
//
// `InstallCustomDrawnPeers` makes this the default peer of every windowed control that does not
// make its own (the application object installs it).
#pragma once

#include "framework/widgets/WidgetPeer.h"

namespace fw {

class TSurfaceWidget;

class TCustomDrawnPeer : public TWidgetPeer {
 public:
  explicit TCustomDrawnPeer(TWinControl& control);
  ~TCustomDrawnPeer() override;

  QWidget* ClientWidget() const override;
  TCanvas* Canvas() override;
  void Invalidate() override;
  void Update() override;
  void SetFocus() override;
  bool Focused() const override;

  // How many rows of the surface the last paint of the control asked the window system to show
  // anew (for tests and diagnostics).
  int ShownRows() const;

 protected:
  void ApplyBounds() override;
  void ApplyEdge() override;
  void ApplyCursor() override;
  void ApplyTabStop() override;
  Qt::FocusPolicy FocusWithoutTabStop() const override { return Qt::ClickFocus; }

 private:
  QPointer<TSurfaceWidget> surface_;
};

// Installs TCustomDrawnPeer as the default peer factory; returns the previous factory.
TPeerFactory InstallCustomDrawnPeers();

}  // namespace fw

// The window behind a windowed control, as the control sees it.
//
// A TWinControl keeps its state itself and hands it to a peer: the window-system object that shows
// it (the widget layer makes one per control from Qt widgets). The control tells its peer what
// changed; the peer reads the new state from the control. Peers are created by
// `TWinControl::CreatePeer`: concrete Qt controls make their own; every other windowed control
// (a panel, a chart: anything that paints itself through a TCanvas) gets the default peer of the
// installed factory, a plain window that paints the control and sends it the mouse. Without an
// installed factory (no window system, as in the engine's tests) controls simply have no window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace fw {

class TCanvas;
class TWinControl;

enum class TPeerChange : std::uint8_t {
  Bounds,
  Text,
  Font,
  Color,
  Visible,
  Enabled,
  Cursor,
  TabOrder,
  TabStop,
  Edge
};

class TControlPeer {
 public:
  TControlPeer() = default;
  TControlPeer(const TControlPeer&) = delete;
  TControlPeer& operator=(const TControlPeer&) = delete;
  virtual ~TControlPeer() = default;

  // The control's state of that kind changed.
  virtual void Changed(TPeerChange change) = 0;
  // Marks the whole window for painting with the next paint message.
  virtual void Invalidate() = 0;
  // Paints the invalid part of the window now.
  virtual void Update() = 0;
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  // The surface a custom-drawn control paints on (its window's client area); null for others.
  virtual TCanvas* Canvas() { return nullptr; }
};

using TPeerFactory = std::function<std::unique_ptr<TControlPeer>(TWinControl& control)>;

// Installs the factory of default peers; returns the previous one.
TPeerFactory SetDefaultPeerFactory(TPeerFactory factory);
// A default peer for the control, or null when no factory is installed.
std::unique_ptr<TControlPeer> CreateDefaultPeer(TWinControl& control);

}  // namespace fw

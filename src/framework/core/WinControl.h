// TWinControl: a control with a window of its own that can hold other controls.
//
// Children: a windowed control lists the controls whose parent it is (`Controls`, in the order
// they joined) and, among the windowed ones, a tab order (`TabOrder` of a child is its position
// in that list; setting it moves the child and shifts the others, clamped to the list). Children
// with an `Align` other than alNone are laid out inside the client area (narrowed by
// `AdjustClientRect`) whenever the control or such a child changes size, in the order top,
// bottom, left, right, client; nothing is aligned while the control is loading.
//
// The window: `HandleNeeded` creates the control's peer (ControlPeer.h), creating the parent's
// first when it has none; a control whose window is created also creates its children's windows.
// Changing the parent destroys the window and creates it again under the new parent when that one
// has a window. The destructor destroys the windows (children's first) and leaves the children
// without parent; the owner destroys them.
//
// A non-client edge (`WindowEdge`: none, a one-pixel frame, or the two-pixel sunken client edge)
// lies inside the bounds and outside the client area.
//
// Published: TabOrder, TabStop (false).
#pragma once

#include <memory>
#include <vector>

#include "framework/core/Control.h"
#include "framework/core/ControlPeer.h"

namespace fw {

enum class TWindowEdge : std::uint8_t { None, Single, Sunken };
int EdgeWidth(TWindowEdge edge);

class TWinControl : public TControl {
  FW_CLASS

 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Raises the list error for an index outside the list.
  TControl* Controls(int index) const;
  // True when `control` is this control or lies (directly or deeper) inside it.
  bool ContainsControl(const TControl* control) const;

  // Position among the parent's windowed children; without parent the value last set (kept until
  // the control joins one), else -1.
  int TabOrder() const;
  void SetTabOrder(int value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  // The windowed children in tab order.
  const std::vector<TWinControl*>& TabList() const { return tabList_; }

  TRect ClientRect() const override;
  virtual TWindowEdge WindowEdge() const { return TWindowEdge::None; }
  // Narrows the client area to the part aligned children may use (a panel leaves its bevels out).
  virtual void AdjustClientRect(TRect& rect) const;
  // Lays out the aligned children.
  void AlignControls();

  bool HandleAllocated() const { return peer_ != nullptr; }
  // Creates the window (and the parent's first) when there is none yet.
  void HandleNeeded();
  // Destroys the windows of this control and its children; they are created again on demand.
  void DestroyHandle();
  TControlPeer* Peer() const { return peer_.get(); }

  bool Focused() const;
  void SetFocus();

  void Invalidate() override;
  void Update() override;
  void Loaded() override;

 protected:
  // Makes the window for this control. The default asks the installed factory for a default peer.
  virtual std::unique_ptr<TControlPeer> CreatePeer();
  // Tells the window about a change (nothing without a window).
  void PeerChanged(TPeerChange change);
  // Called after the window (and its children's windows) came into being and before it goes.
  virtual void WindowCreated() {}
  virtual void WindowDestroying() {}

  void BoundsChanged() override;
  void TextChanged() override;
  void FontChanged() override;
  void ColorChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void CursorChanged() override;
  void ParentChanged() override;

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateWindowTree();
  void DestroyWindowTree();

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  std::unique_ptr<TControlPeer> peer_;
  int pendingTabOrder_ = -1;
  bool tabStop_ = false;
  bool aligning_ = false;
};

}  // namespace fw

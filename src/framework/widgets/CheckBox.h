// TCheckBox: a box the operator ticks on and off, with a caption to its right.
//
// A click of the operator toggles `Checked` and fires OnClick; so does setting Checked from code
// to a new value (except while the control is being loaded from its description), since both
// stand for the same change. The window is a QCheckBox.
//
// Published: Caption, Checked (false), Color (clBtnFace), Font, ParentFont (true), TabStop (true),
// OnClick.
#pragma once

#include "framework/core/WinControl.h"

namespace fw {

class TCheckBox : public TWinControl {
  FW_CLASS

 public:
  explicit TCheckBox(TComponent* owner);

  bool Checked() const { return checked_; }
  void SetChecked(bool value);

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;

 private:
  friend class TCheckBoxPeer;
  // The operator clicked the box; the window shows `checked` already.
  void ClickedByOperator(bool checked);

  bool checked_ = false;
};

}  // namespace fw

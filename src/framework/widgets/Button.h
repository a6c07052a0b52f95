// TButton: a push button.
//
// A click of the operator (mouse, or the space key when it has the focus) fires OnClick; so does
// `Click()` from code. The window is a QPushButton.
//
// Published: Caption, Font, ParentFont (true), TabStop (true), OnClick.
#pragma once

#include "framework/core/WinControl.h"

namespace fw {

class TButton : public TWinControl {
  FW_CLASS

 public:
  explicit TButton(TComponent* owner);

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;
};

}  // namespace fw

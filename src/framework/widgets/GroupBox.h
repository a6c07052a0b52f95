// TGroupBox: a framed box with a caption that groups other controls.
//
// Its children are placed relative to the box's top-left corner (the caption lies inside that
// area, so children sit below it by their own Top). The window is a QGroupBox.
//
// Published: Caption, Color (clBtnFace), Font, ParentFont (true).
#pragma once

#include "framework/core/WinControl.h"

namespace fw {

class TGroupBox : public TWinControl {
  FW_CLASS

 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  std::unique_ptr<TControlPeer> CreatePeer() override;
};

}  // namespace fw

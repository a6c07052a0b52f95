// TPanel: the panel control of window descriptions (a TCustomPanel that can be created by name).
//
// Its window is the default window of self-painting controls (CustomDrawnPeer.h). Other controls,
// such as a chart, are placed into it as children.
#pragma once

#include "framework/core/CustomPanel.h"

namespace fw {

class TPanel : public TCustomPanel {
  FW_CLASS

 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

}  // namespace fw

#include "framework/core/CustomControl.h"

#include "framework/core/NullCanvas.h"

namespace fw {

const TClassInfo& TCustomControl::StaticClass() {
  static const TClassInfo& info =
      TClassBuilder<TCustomControl>("TCustomControl", TWinControl::StaticClass()).Build();
  return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}

TCustomControl::~TCustomControl() = default;

TCanvas& TCustomControl::Canvas() {
  if (TControlPeer* peer = Peer())
    if (TCanvas* surface = peer->Canvas()) return *surface;
  if (!nullCanvas_) nullCanvas_ = std::make_unique<TNullCanvas>();
  return *nullCanvas_;
}

void TCustomControl::PaintWindow(TCanvas& surface) {
  surface.Font().Assign(Font());
  surface.Brush().SetStyle(bsSolid);
  surface.Brush().SetColor(Color());
  Paint(surface);
}

void TCustomControl::Paint(TCanvas&) {}

}  // namespace fw

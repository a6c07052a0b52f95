#include "framework/core/Graphic.h"

#include "framework/core/Canvas.h"

namespace fw {

void TGraphic::PaintOn(TCanvas&, const TRect&) const {}

void TCustomBitmap::CopyTo(TCanvas& target, int x, int y) const {
  target.Draw(x, y, *this);
}

}  // namespace fw

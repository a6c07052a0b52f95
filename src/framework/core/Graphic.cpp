#include "framework/core/Graphic.h"

namespace fw {

void TGraphic::PaintOn(TCanvas&, const TRect&) const {}

}  // namespace fw

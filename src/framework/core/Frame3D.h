// Bevels: the raised and lowered frames of panels and of the chart's border.
#pragma once

#include "framework/core/Canvas.h"

namespace fw {

// Draws `width` nested one-pixel frames along the inside of `rect`: the left and top edges in
// `topColor`, the right and bottom edges in `bottomColor` (which also takes the top-right and
// bottom-left corners). Shrinks `rect` by `width` on every side. The canvas pen is restored.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

}  // namespace fw

// Pictures of a chart drawn from code: for tests, screenshots and looking at a chart without a
// window.
//
//   fw::TBitmap bitmap;                  // framework/gui/Bitmap.h
//   tee::RenderChart(chart, bitmap);
//   bitmap.SaveToFile("chart.png");
#pragma once

#include "framework/core/Graphic.h"

namespace tee {

class TCustomTeePanel;

// Draws the chart as its window shows it (its drawing rectangle: the client area) into `bitmap`,
// which is resized to that size first. The chart's buffer is then valid for that size, so a window
// of the same size shows the same picture without drawing again.
void RenderChart(TCustomTeePanel& chart, fw::TCustomBitmap& bitmap);

}  // namespace tee

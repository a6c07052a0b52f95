#include "chart/ChartImage.h"

#include "chart/TeeProcs.h"

namespace tee {

void RenderChart(TCustomTeePanel& chart, fw::TCustomBitmap& bitmap) {
  const fw::TRect r = chart.GetDrawingRect();
  bitmap.SetSize(r.Width(), r.Height());
  chart.DrawChart(bitmap.Canvas(), fw::Rect(0, 0, r.Width(), r.Height()));
}

}  // namespace tee

#include "framework/core/Frame3D.h"

#include <array>

namespace fw {

void Frame3D(TCanvas& canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
  TPen& pen = canvas.Pen();
  const TColor oldColor = pen.Color();
  const int oldWidth = pen.Width();
  const TPenStyle oldStyle = pen.Style();
  const TPenMode oldMode = pen.Mode();
  pen.SetWidth(1);
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  // The right and bottom edges are drawn on the last pixel row and column inside the rectangle.
  --rect.Bottom;
  --rect.Right;
  for (; width > 0; --width) {
    const TPoint topLeft{rect.Left, rect.Top};
    const TPoint topRight{rect.Right, rect.Top};
    const TPoint bottomRight{rect.Right, rect.Bottom};
    const std::array<TPoint, 3> upper{TPoint{rect.Left, rect.Bottom}, topLeft, topRight};
    pen.SetColor(topColor);
    canvas.Polyline(upper);
    const std::array<TPoint, 3> lower{topRight, bottomRight, TPoint{rect.Left - 1, rect.Bottom}};
    pen.SetColor(bottomColor);
    canvas.Polyline(lower);
    InflateRect(rect, -1, -1);
  }
  ++rect.Bottom;
  ++rect.Right;
  pen.SetColor(oldColor);
  pen.SetWidth(oldWidth);
  pen.SetStyle(oldStyle);
  pen.SetMode(oldMode);
}

}  // namespace fw

// TSeriesMarks: how one mark looks on the chart canvas.
#include "chart/ChartAxisText.h"
#include "chart/SeriesMarks.h"
#include "chart/TeCanvas.h"
#include "framework/core/Brush.h"

namespace tee {

void TSeriesMarks::Draw(TCanvas3D& c, bool is3D, const TSeriesMarkPosition& p, TColor color,
                        const std::string& text, int lineHeight, int z) const {
  // A line of no length covers no pixel (lines leave out their end point): it is not drawn.
  if (arrow_->Visible() && p.ArrowFrom != p.ArrowTo) {
    c.AssignVisiblePen(*arrow_);
    if (arrow_->Color() == clAutoColor) c.Pen().SetColor(color);
    if (is3D)
      c.LineWithZ(p.ArrowFrom.X, p.ArrowFrom.Y, p.ArrowTo.X, p.ArrowTo.Y, z);
    else
      c.Line(p.ArrowFrom.X, p.ArrowFrom.Y, p.ArrowTo.X, p.ArrowTo.Y);
  }

  const fw::TRect box = p.Bounds();
  if (!transparent_ || frame_->Visible()) {
    c.AssignVisiblePen(*frame_);
    if (frame_->Color() == clAutoColor) c.Pen().SetColor(color);
    if (transparent_) {
      c.Brush().SetStyle(fw::bsClear);
    } else {
      c.Brush().SetStyle(fw::bsSolid);
      c.Brush().SetColor(backColor_);
    }
    if (is3D)
      c.RectangleWithZ(box, z);
    else
      c.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  }

  // A clear brush writes the text without a background of its own.
  c.Brush().SetStyle(fw::bsClear);
  c.SetTextAlign(fw::TA_CENTER | fw::TA_TOP);
  const int x = box.Left + p.Width / 2;
  // The lines are centred vertically too, so a custom box of another height still holds them.
  int y = box.Top + (p.Height - lineHeight * LineCount(text)) / 2;
  ForEachLine(text, [&](std::string_view line) {
    if (is3D) {
      const TPoint at = c.Calculate3DPosition(x, y, z);
      c.TextOut(at.X, at.Y, std::string(line));
    } else {
      c.TextOut(x, y, std::string(line));
    }
    y += lineHeight;
  });
}

}  // namespace tee

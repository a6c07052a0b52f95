// TCustomChartAxis: where the axis lies across the plot and the room its title, labels and ticks
// take during layout.
#include <algorithm>
#include <cmath>

#include "chart/ChartAxis.h"
#include "chart/ChartAxisText.h"
#include "chart/ChartSeries.h"
#include "chart/TeCanvas.h"
#include "chart/TeeProcs.h"
#include "framework/core/TemporaryChange.h"

namespace tee {

int TCustomChartAxis::AxisLinePos(const fw::TRect& rect) const {
  if (horizontal_) return otherSide_ ? rect.Top : rect.Bottom;
  return otherSide_ ? rect.Right : rect.Left;
}

// Moves `pos` towards the inside of `rect` by PositionPercent of its extent across the axis.
static int ShiftPos(int pos, const fw::TRect& rect, double percent, bool horizontal,
                    bool otherSide) {
  if (percent == 0) return pos;
  int k = RoundHalfEven(0.01 * percent * (horizontal ? rect.Height() : rect.Width()));
  if (otherSide) k = -k;
  if (horizontal) k = -k;
  return pos + k;
}

int TCustomChartAxis::ShiftedAxisLinePos(const fw::TRect& rect) const {
  return ShiftPos(AxisLinePos(rect), rect, positionPercent_, horizontal_, otherSide_);
}

int TCustomChartAxis::Outwards(int pos, int pixels) const {
  return (horizontal_ != otherSide_) ? pos + pixels : pos - pixels;
}

void TCustomChartAxis::TakeRoom(fw::TRect& rect, int pixels) const {
  if (horizontal_) {
    if (otherSide_)
      rect.Top += pixels;
    else
      rect.Bottom -= pixels;
  } else {
    if (otherSide_)
      rect.Right -= pixels;
    else
      rect.Left += pixels;
  }
}

int TCustomChartAxis::TickRoom() const {
  int room = axisPen_->Visible() ? axisPen_->Width() : 0;
  if (ticks_->Visible()) room += tickLength_;
  if (minorTicks_->Visible()) room = std::max(room, minorTickLength_);
  return room;
}

int TCustomChartAxis::TextRoom(const fw::TFont& font, int angle, int fixedSize,
                               const std::string* text) {
  if (fixedSize != 0) return fixedSize;
  SetCanvasFont(font);
  TCanvas3D* c = Canvas();
  if (!c) return 0;
  const bool heightRoom =
      horizontal_ ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
  if (heightRoom) return c->FontHeight();
  if (text) return c->TextWidth(*text);
  return WidestLabel();
}

int TCustomChartAxis::WidestLabel() {
  TCanvas3D* c = Canvas();
  if (!c || !chart_) return 0;
  const TAxisLabelStyle style = CalcLabelStyle();
  if (style == talMark || style == talText) {
    int widest = 0;
    if (isDepthAxis_ && style == talText) {
      for (int i = 0; i < chart_->SeriesCount(); ++i)
        widest = std::max(widest, WidestLine(*c, chart_->SeriesTitleLegend(i)));
      return widest;
    }
    for (TChartSeries* s : chart_->SeriesList()) {
      if (!s->Active() || !s->UsesAxis(this)) continue;
      for (int i = 0; i < s->LabelCount(); ++i)
        widest = std::max(widest, widths_->Width(*c, SeriesLabelText(s, i, style)));
    }
    return widest;
  }
  const double delta = CalcIncrement();
  double low = rangeMin_;
  double high = rangeMax_;
  if (roundFirstLabel_ || (dateTimeAxis_ && exactDateTime_)) {
    low = std::trunc(rangeMin_ / delta) * delta;
    high = std::trunc(rangeMax_ / delta) * delta;
  }
  // The room is measured on the plain texts: the label event is for labels actually drawn.
  std::string lowText, highText;
  {
    const fw::TTemporaryChange suppress(suppressLabelEvent_, true);
    lowText = FormatLabel(low);
    highText = FormatLabel(high);
  }
  SetCanvasFont(*labelsFont_);
  return std::max(WidestLine(*c, lowText), WidestLine(*c, highText)) + c->TextWidth(" ");
}

int TCustomChartAxis::LabelsRoom() {
  return TextRoom(*labelsFont_, labelsAngle_, labelsSize_, nullptr);
}

int TCustomChartAxis::TitleRoom() {
  return TextRoom(*title_->Font(), title_->Angle(), titleSize_, &title_->Caption());
}

void TCustomChartAxis::ReserveSpace(fw::TRect& rect, bool mainAxis) {
  dateTimeAxis_ = CalcDateTimeAxis();
  if (!mainAxis) {
    axisPos_ = ShiftedAxisLinePos(rect);
    labelsPos_ = Outwards(axisPos_, TickRoom());
    titlePos_ = Outwards(labelsPos_, LabelsRoom());
    return;
  }
  // From the outside in: title, labels, ticks and wall; the axis line lies at the edge of the rest.
  if (isDepthAxis_) {
    titlePos_ = rect.Right;
  } else if (!title_->Caption().empty()) {
    TakeRoom(rect, TitleRoom());
    titlePos_ = AxisLinePos(rect);
  }
  if (labels_) {
    TakeRoom(rect, LabelsRoom());
    labelsPos_ = AxisLinePos(rect);
  }
  const int ticks = TickRoom() + WallSize(true, false);
  if (ticks > 0) TakeRoom(rect, ticks);
  titlePos_ = ShiftPos(titlePos_, rect, positionPercent_, horizontal_, otherSide_);
  labelsPos_ = ShiftPos(labelsPos_, rect, positionPercent_, horizontal_, otherSide_);
}

bool TCustomChartAxis::HitTest(int x, int y) const {
  if (!chart_ || !chart_->IsAxisShown(this)) return false;
  const int alongLow = std::min(startPixel_, endPixel_);
  const int alongHigh = std::max(startPixel_, endPixel_);
  int acrossLow, acrossHigh;
  if (labelsPos_ >= axisPos_) {
    acrossLow = axisPos_ - 3;
    acrossHigh = labelsPos_;
  } else {
    acrossLow = labelsPos_;
    acrossHigh = axisPos_ + 3;
  }
  const fw::TRect area = horizontal_ ? fw::Rect(alongLow, acrossLow, alongHigh, acrossHigh)
                                     : fw::Rect(acrossLow, alongLow, acrossHigh, alongHigh);
  return fw::PtInRect(area, fw::Point(x, y));
}

int TCustomChartAxis::WallSize(bool ofThisAxis, bool leftAxis) const {
  if (!chart_) return 0;
  if (ofThisAxis) return chart_->CalcWallSize(this);
  return chart_->CalcWallSize(leftAxis ? chart_->LeftAxis() : chart_->BottomAxis());
}

}  // namespace tee

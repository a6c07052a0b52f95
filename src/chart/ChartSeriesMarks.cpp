// TChartSeries and TCustomSeries: the text of a mark, where each mark goes, and drawing them.
#include <algorithm>
#include <cmath>

#include "chart/Chart.h"
#include "chart/ChartAxis.h"
#include "chart/ChartAxisText.h"
#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "chart/Series.h"
#include "chart/TeCanvas.h"
#include "chart/TeCanvasView3D.h"
#include "framework/core/NumberFormat.h"

namespace tee {

std::string TChartSeries::MarkText(int valueIndex) {
  const int i = valueIndex;
  auto value = [&] { return fw::FormatFloat(valueFormat_, MandatoryValue(i)); };
  auto labelOrValue = [&] {
    std::string label = XLabel(i);
    return label.empty() ? value() : label;
  };
  auto percentWithTotal = [&] {
    const double total = MandatoryValueList()->TotalAbs();
    return TeeMsg(TTeeMessage::PercentOfTotal,
                  {PercentText(i), fw::FormatFloat(valueFormat_, total)});
  };
  std::string text;
  switch (marks_->Style()) {
    case smsValue:
      text = value();
      break;
    case smsPercent:
      text = PercentText(i);
      break;
    case smsLabel:
      text = labelOrValue();
      break;
    case smsLabelPercent:
      text = labelOrValue() + " " + PercentText(i);
      break;
    case smsLabelValue:
      text = labelOrValue() + " " + value();
      break;
    case smsLegend:
      text = LegendMarkText(i);
      break;
    case smsPercentTotal:
      text = percentWithTotal();
      break;
    case smsLabelPercentTotal:
      text = labelOrValue() + " " + percentWithTotal();
      break;
    case smsXValue:
      text = XValueMarkText(i);
      break;
  }
  if (OnGetMarkText) OnGetMarkText(this, i, text);
  return text;
}

std::string TChartSeries::LegendMarkText(int valueIndex) const {
  auto* chart = dynamic_cast<TCustomChart*>(parentChart_);
  if (!chart) return LegendString(valueIndex, ltsLeftValue);
  TChartLegend* legend = chart->Legend();
  // When the legend lists this series' points, the mark writes exactly the legend's item.
  int itemValue = -1;
  if (legend->ResolvedStyle() == lsValues && legend->ItemSeries(valueIndex, itemValue) == this &&
      itemValue == valueIndex)
    return legend->ItemText(valueIndex);
  // Otherwise the text the legend would write for the point, were it listing this series' values.
  std::string text = LegendString(valueIndex, legend->TextStyle());
  chart->LegendValueText(const_cast<TChartSeries*>(this), valueIndex, text);
  if (chart->OnGetLegendText) chart->OnGetLegendText(chart, lsValues, valueIndex, text);
  return text;
}

std::string TChartSeries::XValueMarkText(int valueIndex) const {
  if (auto* axis = dynamic_cast<TCustomChartAxis*>(horizAxisObject_))
    return axis->FormatLabel(XValue(valueIndex));
  return fw::FormatFloat(valueFormat_, XValue(valueIndex));
}

void TChartSeries::PrepareMarksFont(TCanvas3D& canvas) {
  parentChart_->SetCanvasFont(*marks_->Font());
  const TView3DOptions* view = parentChart_->View3DOptions();
  if (parentChart_->View3D() && !canvas.ReservedQuery2() && view && view->ZoomText()) {
    fw::TFont& font = canvas.Font();
    const double zoomed = std::nearbyint(font.Size() * view->Zoom() * 0.01);
    font.SetSize(std::max(1, static_cast<int>(zoomed)));
  }
  marksLineHeight_ = canvas.FontHeight();
  marksExtraWidth_ = marks_->TextWidth(canvas, "W");
}

TSeriesMarkPosition TChartSeries::MarkPosition(TCanvas3D& canvas, int valueIndex,
                                               const std::string& text) {
  const TChartPen& frame = *marks_->Frame();
  const int frameRoom = frame.Visible() ? 2 * frame.Width() : 0;
  TSeriesMarkPosition p;
  p.Width = marks_->TextWidth(canvas, text) + marksExtraWidth_ + frameRoom;
  p.Height = marksLineHeight_ * LineCount(text) + frameRoom;
  p.ArrowFrom = fw::TPoint{CalcXPos(valueIndex), CalcYPos(valueIndex)};
  p.ArrowTo = p.ArrowFrom;
  p.LeftTop = fw::TPoint{p.ArrowTo.X - p.Width / 2, p.ArrowTo.Y - p.Height + 1};
  return p;
}

void TChartSeries::DrawMarks() {
  if (!parentChart_ || firstValueIndex_ < 0) return;
  TCanvas3D* c = parentChart_->Canvas();
  bool prepared = false;
  for (int i = firstValueIndex_; i <= lastValueIndex_; ++i) {
    if (IsNull(i)) continue;
    const std::string text = MarkText(i);
    if (text.empty()) continue;
    // The font is set once, when the first mark with a text comes up.
    if (!prepared) {
      PrepareMarksFont(*c);
      prepared = true;
    }
    TSeriesMarkPosition position = MarkPosition(*c, i, text);
    const TSeriesMarkPosition& remembered = marks_->Positions().Ensure(i);
    if (remembered.Custom) position = remembered;
    DrawMark(i, text, &position);
  }
}

void TChartSeries::DrawMark(int valueIndex, const std::string& text,
                            TSeriesMarkPosition* position) {
  if (!parentChart_ || !position) return;
  if (!position->Custom) marks_->Positions().Ensure(valueIndex) = *position;
  marks_->Draw(*parentChart_->Canvas(), parentChart_->View3D(), *position, ValueColor(valueIndex),
               text, marksLineHeight_, marks_->ZPosition());
}

void TCustomSeries::DrawMark(int valueIndex, const std::string& text,
                             TSeriesMarkPosition* position) {
  if (position && !position->Custom) {
    const int lift = Marks()->ArrowLength();
    position->ArrowTo.Y -= lift;
    position->LeftTop.Y -= lift;
  }
  Marks()->SetZPosition(StartZ());
  TChartSeries::DrawMark(valueIndex, text, position);
}

}  // namespace tee

// TCustomAxisPanel: what the chart answers its axes.
#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "chart/TeeProcs.h"
#include "framework/core/Color.h"
#include "framework/core/Conversions.h"

namespace tee {

void TCustomAxisPanel::AddAxis(TCustomChartAxis* axis) {
  if (axis && std::find(axes_.begin(), axes_.end(), axis) == axes_.end()) axes_.push_back(axis);
}

void TCustomAxisPanel::RemoveAxis(TCustomChartAxis* axis) { std::erase(axes_, axis); }

void TCustomAxisPanel::SetAxisVisible(bool value) {
  if (value == axisVisible_) return;
  axisVisible_ = value;
  Invalidate();
}

TColor TCustomAxisPanel::PanelColor() const { return fw::clBtnFace; }

bool TCustomAxisPanel::IsAxisShown(const TCustomChartAxis* axis) const {
  if (!axisVisible_ || !axis || !axis->Visible()) return false;
  if (axis->IsDepthAxis()) return View3D();
  bool anyUsesAxes = false;
  for (const TChartSeries* s : series_) {
    if (!s->Active() || !s->UseAxis()) continue;
    anyUsesAxes = true;
    if (s->UsesAxis(axis)) return true;
  }
  return !anyUsesAxes;
}

int TCustomAxisPanel::CalcWallSize(const TSeriesAxis*) const { return 0; }

double TCustomAxisPanel::AxisValue(const TCustomChartAxis* axis, bool x, bool maximum) const {
  if (axis->IsDepthAxis()) {
    if (axis->CalcLabelStyle() == talValue) {
      const TChartSeries* first = GetFirstActiveSeries();
      if (!first) return 0;
      return maximum ? first->MaxZValue() : first->MinZValue();
    }
    return maximum ? HighestZOrder() + 0.5 : -0.5;
  }
  // Inactive series count only when no active series uses the axis at all.
  const bool activeUses =
      std::any_of(series_.begin(), series_.end(), [&](const TChartSeries* s) { return s->Active() && s->UsesAxis(axis); });
  bool found = false;
  double result = 0;
  for (const TChartSeries* s : series_) {
    if (activeUses && !s->Active()) continue;
    if (s->Count() == 0) continue;
    const bool attached = x ? (s->HorizAxis() == aBothHorizAxis || s->GetHorizAxis() == axis)
                            : (s->VertAxis() == aBothVertAxis || s->GetVertAxis() == axis);
    if (!attached) continue;
    const double v = x ? (maximum ? s->MaxXValue() : s->MinXValue()) : (maximum ? s->MaxYValue() : s->MinYValue());
    if (!found) result = v;
    else result = maximum ? std::max(result, v) : std::min(result, v);
    found = true;
  }
  return result;
}

double TCustomAxisPanel::MinXValueOfAxis(const TCustomChartAxis* axis) const { return AxisValue(axis, true, false); }
double TCustomAxisPanel::MaxXValueOfAxis(const TCustomChartAxis* axis) const { return AxisValue(axis, true, true); }
double TCustomAxisPanel::MinYValueOfAxis(const TCustomChartAxis* axis) const { return AxisValue(axis, false, false); }
double TCustomAxisPanel::MaxYValueOfAxis(const TCustomChartAxis* axis) const { return AxisValue(axis, false, true); }

std::string TCustomAxisPanel::SeriesTitleLegend(int index) const {
  if (index < 0 || index >= SeriesCount()) return std::string();
  const TChartSeries* s = series_[static_cast<std::size_t>(index)];
  if (!s->Title().empty()) return s->Title();
  if (!s->Name().empty()) return s->Name();
  return TeeMsg(TTeeMessage::SeriesTitleDefault) + fw::IntToStr(index);
}

}  // namespace tee

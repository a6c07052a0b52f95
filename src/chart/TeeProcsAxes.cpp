// TCustomAxisPanel: what the chart answers its axes, and the axes' part of a paint (ranges, room,
// series margins, drawing).
#include <algorithm>
#include <cstdlib>

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

void TCustomAxisPanel::RemoveAxis(TCustomChartAxis* axis) {
  std::erase(axes_, axis);
}

void TCustomAxisPanel::SetAxisVisible(bool value) {
  if (value == axisVisible_) return;
  axisVisible_ = value;
  Invalidate();
}

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

int TCustomAxisPanel::CalcWallSize(const TSeriesAxis*) const {
  return 0;
}

bool TCustomAxisPanel::PagedValue(const TCustomChartAxis* axis, bool x, bool maximum,
                                  double& result) const {
  if (maxPointsPerPage_ <= 0) return false;
  const bool activeUses = std::any_of(series_.begin(), series_.end(), [&](const TChartSeries* s) {
    return s->Active() && s->UsesAxis(axis);
  });
  const TChartSeries* first = nullptr;
  for (const TChartSeries* s : series_) {
    if (activeUses && !s->Active()) continue;
    if (s->UsesAxis(axis)) {
      first = s;
      break;
    }
  }
  // The independent dimension is the one that is not the series' mandatory one.
  const bool independent = first ? (x ? first->YMandatory() : !first->YMandatory()) : x;
  if (!independent) return false;
  result = 0;
  const int n = first ? first->Count() : 0;
  if (n == 0) return true;
  const int m = maxPointsPerPage_;
  int low = (page_ - 1) * m;
  if (low >= n) low = std::max(0, n / m - 1) * m;
  int high = low + m - 1;
  if (n <= high) high = low + n % m - 1;
  auto value = [&](int i) { return x ? first->XValue(i) : first->YValue(i); };
  if (!maximum) {
    result = value(low);
    return true;
  }
  result = value(high);
  const int count = high - low + 1;
  // A short last page keeps the scale of a full page unless it is to be scaled to its own points.
  if (!scaleLastPage_ && count < m) result = value(low) + (value(high) - value(low)) * m / count;
  return true;
}

double TCustomAxisPanel::AxisValue(const TCustomChartAxis* axis, bool x, bool maximum) const {
  if (axis->IsDepthAxis()) {
    if (axis->CalcLabelStyle() == talValue) {
      const TChartSeries* first = GetFirstActiveSeries();
      if (!first) return 0;
      return maximum ? first->MaxZValue() : first->MinZValue();
    }
    return maximum ? HighestZOrder() + 0.5 : -0.5;
  }
  double paged = 0;
  if (PagedValue(axis, x, maximum, paged)) return paged;
  // Inactive series count only when no active series uses the axis at all.
  const bool activeUses = std::any_of(series_.begin(), series_.end(), [&](const TChartSeries* s) {
    return s->Active() && s->UsesAxis(axis);
  });
  bool found = false;
  double result = 0;
  for (const TChartSeries* s : series_) {
    if (activeUses && !s->Active()) continue;
    if (s->Count() == 0) continue;
    const bool attached = x ? (s->HorizAxis() == aBothHorizAxis || s->GetHorizAxis() == axis)
                            : (s->VertAxis() == aBothVertAxis || s->GetVertAxis() == axis);
    if (!attached) continue;
    const double v = x ? (maximum ? s->MaxXValue() : s->MinXValue())
                       : (maximum ? s->MaxYValue() : s->MinYValue());
    if (!found)
      result = v;
    else
      result = maximum ? std::max(result, v) : std::min(result, v);
    found = true;
  }
  return result;
}

double TCustomAxisPanel::MinXValueOfAxis(const TCustomChartAxis* axis) const {
  return AxisValue(axis, true, false);
}
double TCustomAxisPanel::MaxXValueOfAxis(const TCustomChartAxis* axis) const {
  return AxisValue(axis, true, true);
}
double TCustomAxisPanel::MinYValueOfAxis(const TCustomChartAxis* axis) const {
  return AxisValue(axis, false, false);
}
double TCustomAxisPanel::MaxYValueOfAxis(const TCustomChartAxis* axis) const {
  return AxisValue(axis, false, true);
}

std::string TCustomAxisPanel::SeriesTitleLegend(int index) const {
  if (index < 0 || index >= SeriesCount()) return std::string();
  const TChartSeries* s = series_[static_cast<std::size_t>(index)];
  if (!s->Title().empty()) return s->Title();
  if (!s->Name().empty()) return s->Name();
  return TeeMsg(TTeeMessage::SeriesTitleDefault) + fw::IntToStr(index);
}

// ---- The axes' part of a paint ----

void TCustomAxisPanel::CalcAxesRect() {
  for (TCustomChartAxis* a : axes_) a->UpdateRange();
  CalcDepth3D();
  if (View3D() && View3DOptions()->Orthogonal()) {
    const int w = view3DWalls_ ? BackWallSize() : 0;
    fw::TRect r = PlotRect();
    r.Right -= std::abs(DepthOffsetX()) + w;
    r.Top += w + std::abs(DepthOffsetY());
    SetPlotRect(r);
  }
  RecalcPlotSize();
  // Each shown axis takes its room from what the previous ones left; an axis whose room would
  // leave nothing is ignored.
  fw::TRect r = PlotRect();
  int index = 0;
  for (TCustomChartAxis* a : axes_) {
    if (IsAxisShown(a)) {
      fw::TRect reduced = r;
      a->ReserveSpace(reduced, index < 5);
      fw::TRect both;
      if (fw::IntersectRect(both, reduced, r)) r = both;
    }
    ++index;
  }
  SetPlotRect(r);
  RecalcPlotSize();
  for (TCustomChartAxis* a : axes_) a->CalcPixelRange();
}

void TCustomAxisPanel::CalcSeriesMargins() {
  for (TSeriesAxis* seriesAxis : {topAxis_, leftAxis_, rightAxis_, bottomAxis_}) {
    auto* axis = dynamic_cast<TCustomChartAxis*>(seriesAxis);
    if (!axis) continue;
    int low = 0;   // left, or bottom
    int high = 0;  // right, or top
    for (TChartSeries* s : series_) {
      if (!s->Active() || !s->UsesAxis(axis)) continue;
      int a = 0, b = 0;
      if (axis->Horizontal()) {
        s->CalcHorizMargins(a, b);
        if (axis->AutomaticMinimum()) low = std::max(low, a);
        if (axis->AutomaticMaximum()) high = std::max(high, b);
      } else {
        s->CalcVerticalMargins(a, b);
        if (axis->AutomaticMaximum()) high = std::max(high, a);
        if (axis->AutomaticMinimum()) low = std::max(low, b);
      }
    }
    if (axis->Horizontal())
      axis->ApplyMargins(low, 0, high, 0);
    else
      axis->ApplyMargins(0, high, 0, low);
  }
}

void TCustomAxisPanel::DrawAxes() {
  if (OnBeforeDrawAxes) OnBeforeDrawAxes(this);
  for (TCustomChartAxis* a : axes_)
    if (IsAxisShown(a)) a->Draw(true);
}

}  // namespace tee

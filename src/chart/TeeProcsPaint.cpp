// TCustomAxisPanel: the paint pipeline, series depths and the drawing of the series.
#include <algorithm>
#include <climits>
#include <cmath>

#include "chart/ChartSeries.h"
#include "chart/TeeProcs.h"

namespace tee {

void TCustomAxisPanel::DrawContents(const fw::TRect& rect) {
  TCanvas3D* c = Canvas();
  PaintBackground(rect);
  for (TChartSeries* s : series_)
    if (s->Active()) s->DoBeforeDrawChart();
  PlaceTitlesAndLegend();
  AssignSeriesDepth();
  CalcAxesRect();
  CalcSeriesZPositions();
  CalcSeriesMargins();
  c->Projection(DepthOffsetX(), PlotRect());
  if (c->ReservedQuery1()) {
    const fw::TRect plot = PlotRect();
    SetPlotRect(FullRect());
    PlaceTitlesAndLegend();
    SetPlotRect(plot);
  }
  DrawWalls();
  if (AxisVisible() && ChartSettings().AxesBehindSeries) DrawAxes();
  if (OnBeforeDrawSeries) OnBeforeDrawSeries(this);
  for (TChartSeries* s : series_)
    if (s->Active()) DrawSeries(s);
  if (AxisVisible() && !ChartSettings().AxesBehindSeries) DrawAxes();
  // A repaint during a zoom drag keeps the drag's rectangle on screen. A buffered chart draws it
  // on its target once the buffer is shown, so that the buffer never holds it.
  if (ZoomDrag().Active && !c->GetBuffered()) InvertZoomRectangle();
  c->ResetState();
  if (OnAfterDraw) OnAfterDraw(this);
}

namespace {

// The depth slot of a series: 0 when series share one plane, else counted from the back.
int SeriesZOrder(const TCustomAxisPanel& chart, const TChartSeries& s) {
  if (!chart.View3D() || !chart.DepthPerSeries()) return 0;
  return chart.HighestZOrder() - s.ZOrderValue();
}

}  // namespace

void TCustomAxisPanel::AssignSeriesDepth() {
  highestZOrder_ = 0;
  if (DepthPerSeries() && View3D()) {
    highestZOrder_ = -1;
    for (TChartSeries* s : series_)
      if (s->Active()) s->CalcZOrder();
  }
}

void TCustomAxisPanel::CalcDepth3D() {
  if (!View3D()) {
    seriesDepth_ = 0;
    SetDepthOffsetX(0);
    SetDepthOffsetY(0);
    return;
  }
  double f = Chart3DPercent() * 0.001;
  if (!View3DOptions()->Orthogonal()) f *= 2;
  seriesDepth_ = static_cast<int>(std::nearbyint(PlotWidth() * f));
  const int slots = DepthPerSeries() ? std::max(1, highestZOrder_ + 1) : 1;
  SetDepthOffsetX(seriesDepth_ * slots);
  SetDepthOffsetY(seriesDepth_ * slots);
}

void TCustomAxisPanel::CalcSeriesZPositions() {
  for (TChartSeries* s : series_) {
    if (!s->Active()) continue;
    const int start = seriesDepth_ * SeriesZOrder(*this, *s);
    const int end = start + seriesDepth_;
    s->SetStartZ(start);
    s->SetEndZ(end);
    s->SetMiddleZ((start + end) / 2);
    s->Marks()->SetZPosition(s->MiddleZ());
  }
}

void TCustomAxisPanel::DrawSeries(TChartSeries* series) {
  if (View3D() && series->SharesZOrder()) {
    DrawSeriesGroup(series);
    return;
  }
  series->CalcFirstLastVisibleIndex();
  if (series->FirstValueIndex() == -1) return;
  series->DoBeforeDrawValues();
  TCanvas3D* c = Canvas();
  const bool clip = ClipPoints() && !c->ReservedQuery1();
  if (clip) c->ClipCube(PlotRect(), 0, DepthOffsetX());
  series->DrawAllValues();
  if (ClipPoints()) c->UnClipRectangle();
  DrawSeriesMarks(series);
  series->DoAfterDrawValues();
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries* series) {
  const TSeriesMarks& marks = *series->Marks();
  if (!marks.Visible()) return;
  TCanvas3D* c = Canvas();
  if (marks.Clip() && !c->ReservedQuery1()) c->ClipCube(PlotRect(), 0, DepthOffsetX());
  series->DrawMarks();
  if (marks.Clip()) c->UnClipRectangle();
}

void TCustomAxisPanel::DrawSeriesGroup(TChartSeries* first) {
  group_.clear();
  for (TChartSeries* s : series_)
    if (s->Active() && s->ZOrderValue() == first->ZOrderValue()) group_.push_back(s);
  // The group is drawn when its first member in list order comes up.
  if (group_.empty() || group_.front() != first) return;
  int low = INT_MAX;
  int high = -1;
  for (TChartSeries* s : group_) {
    s->CalcFirstLastVisibleIndex();
    s->DoBeforeDrawValues();
    if (s->FirstValueIndex() == -1) continue;
    low = std::min(low, s->FirstValueIndex());
    high = std::max(high, s->LastValueIndex());
  }
  TCanvas3D* c = Canvas();
  const bool clip = ClipPoints() && !c->ReservedQuery1();
  if (clip) c->ClipCube(PlotRect(), 0, DepthOffsetX());
  // A member draws only the indexes of its own visible range: a shorter series has no point there.
  auto drawPoint = [&](int i) {
    const bool forward = first->DrawSeriesForward(i);
    const int n = static_cast<int>(group_.size());
    for (int k = 0; k < n; ++k) {
      TChartSeries* s = group_[static_cast<std::size_t>(forward ? k : n - 1 - k)];
      if (s->FirstValueIndex() != -1 && i >= s->FirstValueIndex() && i <= s->LastValueIndex())
        s->DrawValue(i);
    }
  };
  if (low <= high) {
    if (first->DrawValuesForward()) {
      for (int i = low; i <= high; ++i) drawPoint(i);
    } else {
      for (int i = high; i >= low; --i) drawPoint(i);
    }
  }
  if (ClipPoints()) c->UnClipRectangle();
  for (TChartSeries* s : group_) {
    DrawSeriesMarks(s);
    s->DoAfterDrawValues();
  }
}

}  // namespace tee

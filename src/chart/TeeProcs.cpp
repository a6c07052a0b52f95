#include "chart/TeeProcs.h"

#include <algorithm>

#include "chart/ChartSeries.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Exceptions.h"

namespace tee {

const fw::TClassInfo& TCustomAxisPanel::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TCustomAxisPanel>("TCustomAxisPanel", fw::TComponent::StaticClass())
          .Property("ClipPoints", &TCustomAxisPanel::ClipPoints, &TCustomAxisPanel::SetClipPoints)
          .Default(fw::TValue(true))
          .Property("DepthPerSeries", &TCustomAxisPanel::DepthPerSeries, &TCustomAxisPanel::SetDepthPerSeries)
          .Default(fw::TValue(true))
          .Property("View3D", &TCustomAxisPanel::View3D, &TCustomAxisPanel::SetView3D)
          .Default(fw::TValue(true))
          .Build();
  return info;
}

TCustomAxisPanel::TCustomAxisPanel(fw::TComponent* owner) : fw::TComponent(owner) { created_ = true; }

TCustomAxisPanel::~TCustomAxisPanel() {
  Destroying();
  created_ = false;
  while (!series_.empty()) RemoveSeries(series_.back());
}

TChartSeries* TCustomAxisPanel::Series(int index) const {
  fw::CheckListIndex(index, SeriesCount());
  return series_[static_cast<std::size_t>(index)];
}

int TCustomAxisPanel::CountActiveSeries() const {
  return static_cast<int>(std::count_if(series_.begin(), series_.end(), [](TChartSeries* s) { return s->Active(); }));
}

TChartSeries* TCustomAxisPanel::GetFirstActiveSeries() const {
  for (TChartSeries* s : series_)
    if (s->Active()) return s;
  return nullptr;
}

void TCustomAxisPanel::AddSeries(TChartSeries* series) {
  if (!series || std::find(series_.begin(), series_.end(), series) != series_.end()) return;
  if (series->SeriesColor() == clAutoColor) series->SetSeriesColor(FreeSeriesColor(true));
  series_.push_back(series);
  // When the series joins from here rather than through its own SetParentChart, let it leave its
  // old chart and resolve its axes; its SetParentChart finds it listed and adds nothing.
  if (series->ParentChart() != this) series->SetParentChart(this);
  Invalidate();
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* series) {
  auto it = std::find(series_.begin(), series_.end(), series);
  if (it == series_.end()) return;
  series_.erase(it);
  series->RemovedFromChart();
  Invalidate();
}

TColor TCustomAxisPanel::FreeSeriesColor(bool checkBackground) const {
  for (int i = 0; i < kDefaultPaletteSize; ++i) {
    const TColor c = GetDefaultColor(i);
    if (IsSeriesColorFree(c, checkBackground)) return c;
  }
  return GetDefaultColor(0);
}

bool TCustomAxisPanel::IsSeriesColorFree(TColor color, bool) const {
  return std::none_of(series_.begin(), series_.end(), [&](TChartSeries* s) { return s->SeriesColor() == color; });
}

void TCustomAxisPanel::SetAxes(TSeriesAxis* bottom, TSeriesAxis* top, TSeriesAxis* left, TSeriesAxis* right) {
  bottomAxis_ = bottom;
  topAxis_ = top;
  leftAxis_ = left;
  rightAxis_ = right;
  for (TChartSeries* s : series_) s->RecalcGetAxis();
}

void TCustomAxisPanel::SetView3D(bool value) {
  if (value == view3D_) return;
  view3D_ = value;
  Invalidate();
}

void TCustomAxisPanel::SetClipPoints(bool value) {
  if (value == clipPoints_) return;
  clipPoints_ = value;
  Invalidate();
}

void TCustomAxisPanel::SetDepthPerSeries(bool value) {
  if (value == depthPerSeries_) return;
  depthPerSeries_ = value;
  Invalidate();
}

void TCustomAxisPanel::Invalidate() {
  if (!created_) return;
  ++repaintRequests_;
  RequestRepaint();
}

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* series, fw::TComponent* source) const {
  auto* sourceSeries = dynamic_cast<TChartSeries*>(source);
  if (!sourceSeries || sourceSeries == series) return false;
  return series->IsValidSource(sourceSeries);
}

void TCustomAxisPanel::CheckDataSource(TChartSeries* series) {
  if (!series || series->Loading()) return;
  if (auto* source = dynamic_cast<TChartSeries*>(series->DataSource())) series->AssignValues(source);
}

}  // namespace tee

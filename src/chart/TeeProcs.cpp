// TCustomAxisPanel: the series list, the standard axes, paging and the data-source checks.
#include "chart/TeeProcs.h"

#include <algorithm>

#include "chart/ChartAxis.h"
#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Exceptions.h"

namespace tee {

const fw::TClassInfo& TCustomAxisPanel::StaticClass() {
  using P = TCustomAxisPanel;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<P>("TCustomAxisPanel", TCustomTeePanelExtended::StaticClass())
          .Property("AxisVisible", &P::AxisVisible, &P::SetAxisVisible)
          .Default(fw::TValue(true))
          .Property("ClipPoints", &P::ClipPoints, &P::SetClipPoints)
          .Default(fw::TValue(true))
          .Property("MaxPointsPerPage", &P::MaxPointsPerPage, &P::SetMaxPointsPerPage)
          .Default(fw::TValue(std::int64_t{0}))
          .Property("Page", &P::Page, &P::SetPage)
          .Default(fw::TValue(std::int64_t{1}))
          .Property("ScaleLastPage", &P::ScaleLastPage, &P::SetScaleLastPage)
          .Default(fw::TValue(true))
          .Property("View3DWalls", &P::View3DWalls, &P::SetView3DWalls)
          .Default(fw::TValue(true))
          .Event("OnBeforeDrawAxes", &P::OnBeforeDrawAxes)
          .Event("OnBeforeDrawSeries", &P::OnBeforeDrawSeries)
          .Event("OnGetAxisLabel", &P::OnGetAxisLabel)
          .Event("OnGetNextAxisLabel", &P::OnGetNextAxisLabel)
          .Event("OnPageChange", &P::OnPageChange)
          .Build();
  return info;
}

TCustomAxisPanel::TCustomAxisPanel(fw::TComponent* owner, bool withAxes)
    : TCustomTeePanelExtended(owner) {
  if (withAxes) {
    auto make = [this](bool horizontal, bool otherSide, int titleAngle) {
      auto axis = std::make_unique<TChartAxis>(this);
      axis->SetHorizontal(horizontal);
      axis->SetOtherSide(otherSide);
      if (titleAngle != 0) axis->SetDefaultTitleAngle(titleAngle);
      return axis;
    };
    standardAxes_.push_back(make(true, false, 0));    // bottom
    standardAxes_.push_back(make(true, true, 0));     // top
    standardAxes_.push_back(make(false, false, 90));  // left
    standardAxes_.push_back(make(false, true, 270));  // right
    depthAxis_ = std::make_unique<TChartDepthAxis>(this);
    SetAxes(standardAxes_[0].get(), standardAxes_[1].get(), standardAxes_[2].get(),
            standardAxes_[3].get());
  }
  SetChartCreated(true);
}

TCustomAxisPanel::~TCustomAxisPanel() {
  Destroying();
  SetChartCreated(false);
  while (!series_.empty()) RemoveSeries(series_.back());
  depthAxis_.reset();
  standardAxes_.clear();
}

void TCustomAxisPanel::Assign(const fw::TPersistent* source) {
  if (const auto* p = dynamic_cast<const TCustomAxisPanel*>(source)) {
    SetAxisVisible(p->axisVisible_);
    if (!standardAxes_.empty() && !p->standardAxes_.empty()) {
      for (std::size_t i = 0; i < standardAxes_.size(); ++i)
        standardAxes_[i]->Assign(p->standardAxes_[i].get());
      depthAxis_->Assign(p->depthAxis_.get());
    }
    SetClipPoints(p->clipPoints_);
    maxPointsPerPage_ = p->maxPointsPerPage_;
    page_ = p->page_;
    scaleLastPage_ = p->scaleLastPage_;
    SetView3DWalls(p->view3DWalls_);
    Invalidate();
  }
  TCustomTeePanelExtended::Assign(source);
}

TChartAxis* TCustomAxisPanel::StandardAxis(int index) const {
  if (index < 0 || index >= static_cast<int>(standardAxes_.size())) return nullptr;
  return standardAxes_[static_cast<std::size_t>(index)].get();
}

// ---- Series list ----

TChartSeries* TCustomAxisPanel::Series(int index) const {
  fw::CheckListIndex(index, SeriesCount());
  return series_[static_cast<std::size_t>(index)];
}

int TCustomAxisPanel::CountActiveSeries() const {
  return static_cast<int>(
      std::count_if(series_.begin(), series_.end(), [](TChartSeries* s) { return s->Active(); }));
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
  if (!IsDestroying() && Cursor() == series->Cursor()) SetCursor(SavedCursor());
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
  return std::none_of(series_.begin(), series_.end(),
                      [&](TChartSeries* s) { return s->SeriesColor() == color; });
}

void TCustomAxisPanel::SetAxes(TSeriesAxis* bottom, TSeriesAxis* top, TSeriesAxis* left,
                               TSeriesAxis* right) {
  bottomAxis_ = bottom;
  topAxis_ = top;
  leftAxis_ = left;
  rightAxis_ = right;
  for (TChartSeries* s : series_) s->RecalcGetAxis();
}

// ---- Properties ----

void TCustomAxisPanel::SetClipPoints(bool value) {
  if (value == clipPoints_) return;
  clipPoints_ = value;
  Invalidate();
}

void TCustomAxisPanel::SetView3DWalls(bool value) {
  if (value == view3DWalls_) return;
  view3DWalls_ = value;
  Invalidate();
}

void TCustomAxisPanel::SetScaleLastPage(bool value) {
  if (value == scaleLastPage_) return;
  scaleLastPage_ = value;
  Invalidate();
}

void TCustomAxisPanel::SetPage(int value) {
  // The upper bound first: a chart without pages still ends on page 1.
  value = std::max(1, std::min(value, PageCount()));
  if (value == page_) return;
  page_ = value;
  Invalidate();
  if (OnPageChange) OnPageChange(this);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
  if (value < 0) throw ChartException(TTeeMessage::MaxPointsPerPage);
  if (value != maxPointsPerPage_) {
    maxPointsPerPage_ = value;
    Invalidate();
  }
  const int pages = PageCount();
  if (pages < page_) SetPage(pages);
}

int TCustomAxisPanel::AxisPageCount(const TSeriesAxis* axis) const {
  int count = 0;
  for (const TChartSeries* s : series_)
    if (s->Active() && s->UsesAxis(axis)) count = std::max(count, s->Count());
  if (count < 1) return 1;
  return (count + maxPointsPerPage_ - 1) / maxPointsPerPage_;
}

int TCustomAxisPanel::PageCount() const {
  if (maxPointsPerPage_ < 1 || series_.empty()) return 1;
  const bool yMandatory = series_.front()->YMandatory();
  const TSeriesAxis* a = yMandatory ? bottomAxis_ : leftAxis_;
  const TSeriesAxis* b = yMandatory ? topAxis_ : rightAxis_;
  return std::max(AxisPageCount(a), AxisPageCount(b));
}

// ---- Data sources ----

bool TCustomAxisPanel::IsValidDataSource(TChartSeries* series, fw::TComponent* source) const {
  auto* sourceSeries = dynamic_cast<TChartSeries*>(source);
  if (!sourceSeries || sourceSeries == series) return false;
  return series->IsValidSource(sourceSeries);
}

void TCustomAxisPanel::CheckDataSource(TChartSeries* series) {
  if (!series || series->Loading()) return;
  if (auto* source = dynamic_cast<TChartSeries*>(series->DataSource()))
    series->AssignValues(source);
}

void TCustomAxisPanel::LegendValueText(TChartSeries*, int, std::string&) const {}

}  // namespace tee

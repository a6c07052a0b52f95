// TChartSeries: data sources and linked series (taking points from other series and keeping the
// dependants up to date), the resolution of stored source names, and sample values.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <random>

#include "chart/ChartAxis.h"
#include "chart/ChartErrors.h"
#include "chart/ChartSeries.h"
#include "chart/TeeFunction.h"
#include "chart/TeeProcs.h"
#include "framework/core/DateTime.h"

namespace tee {

int TChartSeries::CopyPointValues(TChartSeries* source, int sourceIndex) {
  double x = source->XValues()->Value(sourceIndex);
  double y = source->YValues()->Value(sourceIndex);
  if (YMandatory() != source->YMandatory()) std::swap(x, y);
  const int index = xValues_->AddValue(x);
  yValues_->InsertValue(index, y);
  const auto& sourceLists = source->ValuesList();
  for (std::size_t t = 2; t < valuesList_.size(); ++t) {
    // A source without this dimension contributes 0 rather than failing half-way.
    const double v = t < sourceLists.size() ? sourceLists[t]->Value(sourceIndex) : 0.0;
    valuesList_[t]->InsertValue(index, v);
  }
  return index;
}

void TChartSeries::AddPointFrom(TChartSeries* source, int sourceIndex) {
  const int index = CopyPointValues(source, sourceIndex);
  // The colour and label lists must take an entry at the new index whenever they reach past it,
  // or every later point would take its neighbour's colour and label.
  if (sourceIndex < source->ColorCount())
    InsertColor(index, source->colors_.At(static_cast<std::size_t>(sourceIndex)));
  else if (index < ColorCount())
    InsertColor(index, clAutoColor);
  if (sourceIndex < source->LabelCount())
    InsertLabel(index, source->labels_.At(static_cast<std::size_t>(sourceIndex)));
  else if (index < LabelCount())
    InsertLabel(index, std::string());
  NotifyNewValue(this, index);
}

void TChartSeries::AssignValues(TChartSeries* source) {
  if (!IsValidSourceOf(source)) return;
  Clear();
  if (function_) {
    xValues_->SetDateTime(source->XValues()->DateTime());
    yValues_->SetDateTime(source->YValues()->DateTime());
    function_->AddPoints(source);
  } else {
    const int n = source->Count();
    for (int i = 0; i < n; ++i) AddPointFrom(source, i);
  }
  NotifyValue(veRefresh, 0);
}

void TChartSeries::SourceValueDeleted(TChartSeries*, int valueIndex) {
  Delete(valueIndex);
}

namespace {

// The span an axis shows: its fixed ends, and for an automatic end the value the chart's series
// give it. An axis that is not one of a chart's keeps the span given.
void AxisSpan(const TCustomAxisPanel& chart, const TSeriesAxis* axis, double& low, double& high) {
  const auto* a = dynamic_cast<const TCustomChartAxis*>(axis);
  if (!a) return;
  const bool x = a->Horizontal();
  low = a->Automatic() || a->AutomaticMinimum()
            ? (x ? chart.MinXValueOfAxis(a) : chart.MinYValueOfAxis(a))
            : a->Minimum();
  high = a->Automatic() || a->AutomaticMaximum()
             ? (x ? chart.MaxXValueOfAxis(a) : chart.MaxYValueOfAxis(a))
             : a->Maximum();
}

// Clears the chart's created flag for the life of the object, so that adds make no repaint
// requests, and puts it back on every path out.
class TNoRepaints {
 public:
  explicit TNoRepaints(TCustomAxisPanel* chart)
      : chart_(chart), created_(chart && chart->ChartCreated()) {
    if (chart_) chart_->SetChartCreated(false);
  }
  ~TNoRepaints() {
    if (chart_) chart_->SetChartCreated(created_);
  }
  TNoRepaints(const TNoRepaints&) = delete;
  TNoRepaints& operator=(const TNoRepaints&) = delete;

 private:
  TCustomAxisPanel* chart_;
  bool created_;
};

double Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return fw::EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace

void TChartSeries::FillSampleValues(int numValues) {
  if (numValues < 1) throw ChartException(TTeeMessage::FillSampleCount);
  Clear();
  static std::minstd_rand random(static_cast<unsigned>(std::time(nullptr)));
  auto uniform = [](double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(random);
  };

  double xMin = 0, xMax = numValues - 1, yMin = 0, yMax = 1000;
  const auto& all = parentChart_ ? parentChart_->SeriesList() : std::vector<TChartSeries*>();
  const bool othersHavePoints = std::any_of(all.begin(), all.end(), [this](TChartSeries* s) {
    return s != this && s->Active() && s->Count() > 0;
  });
  if (othersHavePoints) {
    // The points spread over what the axes show of the other series.
    AxisSpan(*parentChart_, horizAxisObject_, xMin, xMax);
    AxisSpan(*parentChart_, vertAxisObject_, yMin, yMax);
  } else if (xValues_->DateTime()) {
    xMin = Today();
    xMax = xMin + numValues - 1;
  }
  const double yRange = yMax - yMin;
  double y = yMin + uniform(0, 1) * yRange;
  {
    const TNoRepaints noRepaints(parentChart_);
    for (int i = 0; i < numValues; ++i) {
      const double x = numValues == 1 ? xMin : xMin + (xMax - xMin) * i / (numValues - 1);
      AddXY(x, y, std::string(), clAutoColor);
      y = std::fabs(y + uniform(-yRange / 8, yRange / 8));
    }
  }
  NotifyValue(veRefresh, 0);
}

bool TChartSeries::IsValidSourceOf(TChartSeries* series) const {
  return series != this;
}

bool TChartSeries::IsValidSource(TChartSeries*) const {
  return true;
}

int TChartSeries::NumSampleValues() const {
  return 26;
}

void TChartSeries::PrepareGallerySample(bool enabled) {
  FillSampleValues(4);
  marks_->SetVisible(false);
  colorEachPoint_ = false;
  if (!enabled) SetSeriesColor(fw::clSilver);
}

void TChartSeries::SetFunction(std::unique_ptr<TTeeFunction> function) {
  if (function_) function_->SetParentSeries(nullptr);
  function_ = std::move(function);
  if (function_) function_->SetParentSeries(this);
  if (parentChart_) parentChart_->CheckDataSource(this);
}

void TChartSeries::NotifyValue(TValueEvent event, int valueIndex) {
  // A copy: a linked series may unlink itself while it reacts.
  const std::vector<TChartSeries*> linked = linkedSeries_;
  for (TChartSeries* l : linked) {
    const TSeriesRecalcOptions o = l->RecalcOptions();
    switch (event) {
      case veClear:
        if (o & RecalcOption(rOnClear)) l->Clear();
        break;
      case veAdd:
        if ((o & RecalcOption(rOnInsert)) && !l->FunctionType()) l->AddPointFrom(this, valueIndex);
        break;
      case veDelete:
        if ((o & RecalcOption(rOnDelete)) && !l->FunctionType())
          l->SourceValueDeleted(this, valueIndex);
        break;
      case veRefresh:
        l->AssignValues(this);
        break;
      case veModify:
        if (o & RecalcOption(rOnModify)) l->AssignValues(this);
        break;
    }
  }
}

void TChartSeries::SetColorSource(const std::string& value) {
  if (value == colorSource_) return;
  colorSource_ = value;
  if (parentChart_) parentChart_->CheckDataSource(this);
}

void TChartSeries::SetXLabelsSource(const std::string& value) {
  if (value == xLabelsSource_) return;
  xLabelsSource_ = value;
  if (parentChart_) parentChart_->CheckDataSource(this);
}

void TChartSeries::AddLinkedSeries(TChartSeries* series) {
  if (std::find(linkedSeries_.begin(), linkedSeries_.end(), series) == linkedSeries_.end())
    linkedSeries_.push_back(series);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* series) {
  linkedSeries_.erase(std::remove(linkedSeries_.begin(), linkedSeries_.end(), series),
                      linkedSeries_.end());
}

void TChartSeries::RemoveFromSources() {
  for (fw::TComponent* c : dataSources_)
    if (auto* s = dynamic_cast<TChartSeries*>(c)) s->RemoveLinkedSeries(this);
}

void TChartSeries::CheckCircular(TChartSeries* source) const {
  // Every path through the sources' sources is followed (not just the first source of each), and
  // each series is visited once, so an existing cycle elsewhere cannot make the check run forever.
  std::vector<const TChartSeries*> visited;
  std::vector<const TChartSeries*> pending{source};
  while (!pending.empty()) {
    const TChartSeries* s = pending.back();
    pending.pop_back();
    if (s == this) throw ChartException(TTeeMessage::CircularDataSource);
    if (std::find(visited.begin(), visited.end(), s) != visited.end()) continue;
    visited.push_back(s);
    for (fw::TComponent* c : s->dataSources_)
      if (auto* next = dynamic_cast<const TChartSeries*>(c)) pending.push_back(next);
  }
}

void TChartSeries::SetDataSource(fw::TComponent* value) {
  if (!value) {
    RemoveFromSources();
    for (fw::TComponent* c : dataSources_) RemoveFreeNotification(c);
    dataSources_.clear();
    if (parentChart_ && parentChart_->Designing())
      FillSampleValues(NumSampleValues());
    else
      Clear();
    Repaint();
    return;
  }
  if (!parentChart_) throw ChartException(TTeeMessage::NoParentChart);
  if (!parentChart_->IsValidDataSource(this, value))
    throw ChartException(TTeeMessage::InvalidDataSource, {value->Name()});
  if (std::find(dataSources_.begin(), dataSources_.end(), value) != dataSources_.end()) return;
  auto* source = static_cast<TChartSeries*>(value);  // IsValidDataSource accepts series only
  CheckCircular(source);
  if (!Loading()) {
    RemoveFromSources();
    dataSources_.clear();
  }
  dataSources_.push_back(value);
  FreeNotification(value);
  source->AddLinkedSeries(this);
  if (!Loading()) parentChart_->CheckDataSource(this);
}

fw::TStringList TChartSeries::DataSourceNames() const {
  fw::TStringList names;
  for (fw::TComponent* c : dataSources_) names.push_back(c->Name());
  return names;
}

void TChartSeries::SetDataSourceNames(const fw::TStringList& names) {
  pendingDataSources_ = names;
}

void TChartSeries::Loaded() {
  fw::TComponent::Loaded();
  if (pendingDataSources_ && !pendingDataSources_->empty()) {
    RemoveFromSources();
    dataSources_.clear();
    if (fw::TComponent* owner = Owner()) {
      for (const std::string& name : *pendingDataSources_) {
        fw::TComponent* c = owner->FindComponent(name);
        if (!c) continue;
        dataSources_.push_back(c);
        FreeNotification(c);
        if (auto* s = dynamic_cast<TChartSeries*>(c)) s->AddLinkedSeries(this);
      }
    }
  }
  pendingDataSources_.reset();
  if (parentChart_) parentChart_->CheckDataSource(this);
}

void TChartSeries::Notification(fw::TComponent* component, fw::TOperation operation) {
  fw::TComponent::Notification(component, operation);
  if (operation != fw::opRemove || component == this) return;
  // The component may be half destroyed: only its address is compared.
  auto it = std::find(dataSources_.begin(), dataSources_.end(), component);
  if (it == dataSources_.end()) return;
  const bool first = it == dataSources_.begin();
  dataSources_.erase(it);
  if (first) SetDataSource(nullptr);
}

void TChartSeries::RemovedFromChart() {
  RemoveFromSources();
  parentChart_ = nullptr;
  RecalcGetAxis();
}

}  // namespace tee

// TChartSeries: its published properties, construction and destruction, the points with their
// colours and labels, legend texts and the other overridable operations of the base class.
#include "chart/ChartSeries.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartErrors.h"
#include "chart/TeeFunction.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Conversions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/NumberFormat.h"

namespace tee {

const fw::TClassInfo& TChartSeries::StaticClass() {
  using S = TChartSeries;
  static const fw::TClassInfo& info =
      fw::TClassBuilder<S>("TChartSeries", fw::TComponent::StaticClass())
          .Property("Active", &S::Active, &S::SetActive)
          .Default(fw::TValue(true))
          .Property("ColorEachPoint", &S::ColorEachPoint, &S::SetColorEachPoint)
          .Default(fw::TValue(false))
          .Property("ColorSource", &S::ColorSource, &S::SetColorSource)
          .Property("Cursor", &S::Cursor, &S::SetCursor)
          .Default(fw::TValue(std::int64_t{0}))
          .Property("HorizAxis", &S::HorizAxis, &S::SetHorizAxis)
          .Default(fw::TValue(std::int64_t{aBottomAxis}))
          .Property("Marks", &S::Marks, &S::SetMarks)
          .Reference("ParentChart", &S::ParentChart, &S::SetParentChart)
          .Stored(false)
          .Reference("DataSource", &S::DataSource, &S::SetDataSource)
          .Property("PercentFormat", &S::PercentFormat, &S::SetPercentFormat)
          .StoredWhen([](const S& s) {
            return s.PercentFormat() != TeeMsg(TTeeMessage::DefaultPercentFormat);
          })
          .Color("SeriesColor", &S::SeriesColor, &S::SetSeriesColor)
          .Default(fw::TValue(std::int64_t{clAutoColor}))
          .Property("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend)
          .Default(fw::TValue(true))
          .Property("Title", &S::Title, &S::SetTitle)
          .Property("ValueFormat", &S::ValueFormat, &S::SetValueFormat)
          .StoredWhen(
              [](const S& s) { return s.ValueFormat() != TeeMsg(TTeeMessage::DefaultValueFormat); })
          .Property("VertAxis", &S::VertAxis, &S::SetVertAxis)
          .Default(fw::TValue(std::int64_t{aLeftAxis}))
          .Property("XLabelsSource", &S::XLabelsSource, &S::SetXLabelsSource)
          .Event("AfterDrawValues", &S::AfterDrawValues)
          .Event("BeforeDrawValues", &S::BeforeDrawValues)
          .Event("OnAfterAdd", &S::OnAfterAdd)
          .Event("OnBeforeAdd", &S::OnBeforeAdd)
          .Event("OnClearValues", &S::OnClearValues)
          .Event("OnClick", &S::OnClick)
          .Event("OnDblClick", &S::OnDblClick)
          .Event("OnGetMarkText", &S::OnGetMarkText)
          // Custom stored values.
          .Property("DataSources", &S::DataSourceNames, &S::SetDataSourceNames)
          .StoredWhen([](const S& s) { return s.DataSources().size() > 1; })
          .Custom()
          .Property("Identifier", &S::Identifier, &S::SetIdentifier)
          .Custom()
          .Property(
              "Style", [](const S& s) { return static_cast<int>(s.Style()); },
              [](S& s, int v) { s.SetStyle(static_cast<std::uint8_t>(v)); })
          .Custom()
          .Build();
  return info;
}

TChartSeries::TChartSeries(fw::TComponent* owner) : fw::TComponent(owner) {
  LabelsChanged();
  xValues_ = std::make_unique<TChartValueList>(this, TeeMsg(TTeeMessage::XValuesName));
  xValues_->SetOrder(loAscending);
  yValues_ = std::make_unique<TChartValueList>(this, TeeMsg(TTeeMessage::YValuesName));
  marks_ = std::make_unique<TSeriesMarks>(this);
  valueFormat_ = TeeMsg(TTeeMessage::DefaultValueFormat);
  percentFormat_ = TeeMsg(TTeeMessage::DefaultPercentFormat);
}

TChartSeries::~TChartSeries() {
  Destroying();
  if (function_) function_->SetParentSeries(nullptr);
  function_.reset();
  RemoveFromSources();
  dataSources_.clear();
  // Dependants lose this source and re-read from what they have left.
  const std::vector<TChartSeries*> linked = linkedSeries_;
  for (TChartSeries* l : linked) {
    auto& sources = l->dataSources_;
    sources.erase(std::remove(sources.begin(), sources.end(), this), sources.end());
    if (l->parentChart_) l->parentChart_->CheckDataSource(l);
  }
  TChartSeries::Clear();
  linkedSeries_.clear();
  xValues_.reset();
  yValues_.reset();
  marks_.reset();
  if (parentChart_) SetParentChart(nullptr);
}

void TChartSeries::Assign(const fw::TPersistent* source) {
  const auto* s = dynamic_cast<const TChartSeries*>(source);
  if (!s) {
    fw::TComponent::Assign(source);
    return;
  }
  active_ = s->active_;
  colorEachPoint_ = s->colorEachPoint_;
  colorSource_ = s->colorSource_;
  cursor_ = s->cursor_;
  horizAxis_ = s->horizAxis_;
  vertAxis_ = s->vertAxis_;
  customHorizAxis_ = s->customHorizAxis_;
  customVertAxis_ = s->customVertAxis_;
  percentFormat_ = s->percentFormat_;
  seriesColor_ = s->seriesColor_;
  showInLegend_ = s->showInLegend_;
  title_ = s->title_;
  valueFormat_ = s->valueFormat_;
  xLabelsSource_ = s->xLabelsSource_;
  zOrder_ = s->zOrder_;
  recalcOptions_ = s->recalcOptions_;
  style_ = s->style_;
  identifier_ = s->identifier_;
  calcVisiblePoints_ = s->calcVisiblePoints_;
  drawBetweenPoints_ = s->drawBetweenPoints_;
  marks_->Assign(s->marks_.get());
  xValues_->Assign(s->xValues_.get());
  yValues_->Assign(s->yValues_.get());
  RecalcGetAxis();
  Repaint();
}

// ---- Value lists ----

void TChartSeries::AddValueList(TChartValueList* list) {
  valuesList_.push_back(list);
}

void TChartSeries::RemoveValueList(TChartValueList* list) {
  valuesList_.erase(std::remove(valuesList_.begin(), valuesList_.end(), list), valuesList_.end());
}

// ---- Overridable operations ----

void TChartSeries::ClearData() {
  for (TChartValueList* list : valuesList_) list->Clear();
  colors_.Clear();
  labels_.Clear();
  LabelsChanged();
  if (marks_) marks_->Positions().Clear();
}

void TChartSeries::DoAfterDrawValues() {
  if (AfterDrawValues) AfterDrawValues(this);
}

void TChartSeries::DoBeforeDrawChart() {}

void TChartSeries::DoBeforeDrawValues() {
  if (BeforeDrawValues) BeforeDrawValues(this);
}

void TChartSeries::DrawAllValues() {
  if (firstValueIndex_ < 0) return;
  if (DrawValuesForward()) {
    for (int i = firstValueIndex_; i <= lastValueIndex_; ++i) DrawValue(i);
  } else {
    for (int i = lastValueIndex_; i >= firstValueIndex_; --i) DrawValue(i);
  }
}

void TChartSeries::DrawValue(int) {}

void TChartSeries::LabelsChanged() {
  // One counter for every series: a revision is never seen twice, on any series.
  static std::uint64_t next = 0;
  labelsRevision_ = ++next;
}

TColor TChartSeries::ValueColor(int valueIndex) const {
  return StoredValueColor(valueIndex);
}

std::string TChartSeries::XLabel(int valueIndex) const {
  if (valueIndex < 0 || valueIndex >= LabelCount()) return std::string();
  return labels_.At(static_cast<std::size_t>(valueIndex));
}

double TChartSeries::XValue(int valueIndex) const {
  return xValues_->Value(valueIndex);
}

double TChartSeries::YValue(int valueIndex) const {
  return yValues_->Value(valueIndex);
}

void TChartSeries::NotifyNewValue(TChartSeries* sender, int valueIndex) {
  if (OnAfterAdd) OnAfterAdd(sender, valueIndex);
  NotifyValue(veAdd, valueIndex);
  if (active_) Repaint();
}

void TChartSeries::SetActive(bool value) {
  ChangeProperty(active_, value);
}

void TChartSeries::SetColorEachPoint(bool value) {
  ChangeProperty(colorEachPoint_, value);
  if (!colorEachPoint_) {
    const int n = Count();
    for (int i = 0; i < n; ++i) SetValueColor(i, clAutoColor);
  }
}

void TChartSeries::SetParentChart(TCustomAxisPanel* chart) {
  if (chart == parentChart_) return;
  if (parentChart_) parentChart_->RemoveSeries(this);
  parentChart_ = chart;
  RecalcGetAxis();
  if (parentChart_) parentChart_->AddSeries(this);
}

void TChartSeries::SetSeriesColor(TColor value) {
  ChangeProperty(seriesColor_, value);
}

int TChartSeries::Add(double value, const std::string& label, TColor color) {
  const double count = static_cast<double>(xValues_->Count());
  return YMandatory() ? AddXY(count, value, label, color) : AddXY(value, count, label, color);
}

int TChartSeries::AddNull(const std::string& label) {
  return Add(0, label, clNone);
}

int TChartSeries::AddNullXY(double x, double y, const std::string& label) {
  return AddXY(x, y, label, clNone);
}

int TChartSeries::AddXY(double x, double y, const std::string& label, TColor color) {
  xValues_->SetTempValue(x);
  yValues_->SetTempValue(y);
  if (OnBeforeAdd && !OnBeforeAdd(this)) return -1;
  const int index = xValues_->AddValue(xValues_->TempValue());
  yValues_->InsertValue(index, yValues_->TempValue());
  InsertColor(index, color);
  InsertLabel(index, label);
  NotifyNewValue(this, index);
  return index;
}

void TChartSeries::Clear() {
  ClearData();
  if (OnClearValues) OnClearValues(this);
  NotifyValue(veClear, 0);
  if (active_ && parentChart_ && !parentChart_->IsDestroying()) Repaint();
}

int TChartSeries::Count() const {
  return xValues_->Count();
}

void TChartSeries::Delete(int valueIndex) {
  fw::CheckListIndex(valueIndex, Count());
  for (TChartValueList* list : valuesList_) list->Delete(valueIndex);
  if (valueIndex < ColorCount()) colors_.Erase(static_cast<std::size_t>(valueIndex));
  if (valueIndex < LabelCount()) labels_.Erase(static_cast<std::size_t>(valueIndex));
  LabelsChanged();
  marks_->Positions().Delete(valueIndex);
  NotifyValue(veDelete, valueIndex);
  if (active_) Repaint();
}

int TChartSeries::LegendToValueIndex(int legendIndex) const {
  return legendIndex;
}

TColor TChartSeries::LegendItemColor(int legendIndex) const {
  return ValueColor(legendIndex);
}

std::string TChartSeries::PercentText(int valueIndex) const {
  const double total = MandatoryValueList()->TotalAbs();
  const double p = total == 0 ? 100.0 : std::fabs(MandatoryValue(valueIndex)) * 100.0 / total;
  return fw::FormatFloat(percentFormat_, p);
}

std::string TChartSeries::LegendString(int legendIndex, TLegendTextStyle style) const {
  const int index = LegendToValueIndex(legendIndex);
  const std::string label = XLabel(index);
  auto join = [](const std::string& a, const std::string& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return a + " " + b;
  };
  switch (style) {
    case ltsPlain:
      return label;
    case ltsLeftValue:
      return join(fw::FormatFloat(valueFormat_, MandatoryValue(index)), label);
    case ltsRightValue:
      return join(label, fw::FormatFloat(valueFormat_, MandatoryValue(index)));
    case ltsLeftPercent:
      return join(PercentText(index), label);
    case ltsRightPercent:
      return join(label, PercentText(index));
    case ltsXValue:
      return fw::FormatFloat(valueFormat_, XValue(index));
  }
  return label;
}

std::string TChartSeries::EditorClassName() const {
  return std::string();
}

void TChartSeries::InsertExtraValues(int valueIndex) {
  for (std::size_t t = 2; t < valuesList_.size(); ++t)
    valuesList_[t]->InsertValue(valueIndex, valuesList_[t]->TempValue());
}

TChartValueList* TChartSeries::ValueListByName(const std::string& name) const {
  const std::string upper = fw::UpperCase(name);
  for (std::size_t t = 2; t < valuesList_.size(); ++t)
    if (fw::UpperCase(valuesList_[t]->Name()) == upper) return valuesList_[t];
  return yValues_.get();
}

int TChartSeries::Clicked(int, int) {
  return -1;
}

double TChartSeries::MarkValue(int valueIndex) const {
  return MandatoryValue(valueIndex);
}

double TChartSeries::MandatoryValue(int valueIndex) const {
  return MandatoryValueList()->Value(valueIndex);
}

double TChartSeries::PointOrigin(int valueIndex, bool sumAll) const {
  if (!parentChart_) return 0;
  double result = 0;
  for (TChartSeries* s : parentChart_->SeriesList()) {
    if (!sumAll && s == this) break;
    if (!s->Active() || s->Count() <= valueIndex) continue;
    if (!s->InheritsFrom(ClassInfo()) && !InheritsFrom(s->ClassInfo())) continue;
    const double v = s->MandatoryValue(valueIndex);
    if (v > 0) result += v;
  }
  return result;
}

TChartValueList* TChartSeries::MandatoryValueList() const {
  return yValues_.get();
}

bool TChartSeries::DrawValuesForward() const {
  return true;
}

bool TChartSeries::DrawSeriesForward(int) const {
  return true;
}

void TChartSeries::SwapValueIndex(int a, int b) {
  for (TChartValueList* list : valuesList_) list->Exchange(a, b);
  // A point beyond the end of the colour or label list has no entry of its own; the list is padded
  // with "none" entries when the other point has one, so that the exchange keeps it aligned.
  const auto low = static_cast<std::size_t>(std::min(a, b));
  const auto need = static_cast<std::size_t>(std::max(a, b)) + 1;
  if (low < colors_.Size()) {
    while (colors_.Size() < need) colors_.PushBack(clAutoColor);
    colors_.Swap(static_cast<std::size_t>(a), static_cast<std::size_t>(b));
  }
  if (low < labels_.Size()) {
    labels_.Resize(need);
    labels_.Swap(static_cast<std::size_t>(a), static_cast<std::size_t>(b));
    LabelsChanged();
  }
}

void TChartSeries::DoSeriesMouseMove(bool, int, int) {}

bool TChartSeries::DoSeriesClick(int valueIndex, fw::TMouseButton button, fw::TShiftState shift,
                                 int x, int y) {
  bool handled = false;
  auto setHandled = [&](bool v) {
    handled = v;
    if (parentChart_) parentChart_->SetClickHandled(v);
  };
  setHandled(false);
  if (shift.Contains(fw::ssDouble) && OnDblClick) {
    setHandled(true);
    OnDblClick(this, valueIndex, button, shift, x, y);
  } else if (OnClick) {
    setHandled(true);
    OnClick(this, valueIndex, button, shift, x, y);
  }
  return parentChart_ ? parentChart_->ClickHandled() : handled;
}

void TChartSeries::DoSeriesMouseUp(int, int) {}

void TChartSeries::ClearPendingValue(TChartValueList* list) {
  list->SetTempValue(0);
}

void TChartSeries::CanvasChanged(fw::TObject*) {
  Repaint();
}

// ---- Non-overridable operations ----

void TChartSeries::Repaint() const {
  if (parentChart_) parentChart_->Invalidate();
}

// ---- Colours and labels ----

void TChartSeries::InsertColor(int valueIndex, TColor color) {
  const auto i = static_cast<std::size_t>(valueIndex);
  while (colors_.Size() < i) colors_.PushBack(clAutoColor);
  colors_.Insert(i, color);
}

void TChartSeries::InsertLabel(int valueIndex, const std::string& label) {
  const auto i = static_cast<std::size_t>(valueIndex);
  labels_.Resize(i);
  labels_.Insert(i, label);
  LabelsChanged();
}

void TChartSeries::SetValueColor(int valueIndex, TColor color) {
  fw::CheckListIndex(valueIndex, Count());
  const auto i = static_cast<std::size_t>(valueIndex);
  while (colors_.Size() <= i) colors_.PushBack(clAutoColor);
  colors_.At(i) = color;
  Repaint();
}

void TChartSeries::SetXLabel(int valueIndex, const std::string& label) {
  fw::CheckListIndex(valueIndex, Count());
  const auto i = static_cast<std::size_t>(valueIndex);
  labels_.Resize(i + 1);
  labels_.At(i) = label;
  LabelsChanged();
  Repaint();
}

// ---- Properties ----

void TChartSeries::SetMarks(TSeriesMarks* value) {
  marks_->Assign(value);
}

void TChartSeries::SetPercentFormat(const std::string& value) {
  ChangeProperty(percentFormat_, value);
}
void TChartSeries::SetShowInLegend(bool value) {
  ChangeProperty(showInLegend_, value);
}
void TChartSeries::SetTitle(const std::string& value) {
  ChangeProperty(title_, value);
}
void TChartSeries::SetValueFormat(const std::string& value) {
  ChangeProperty(valueFormat_, value);
}

void TChartSeries::SetXValues(TChartValueList* value) {
  xValues_->Assign(value);
  Repaint();
}

void TChartSeries::SetYValues(TChartValueList* value) {
  yValues_->Assign(value);
  Repaint();
}

}  // namespace tee

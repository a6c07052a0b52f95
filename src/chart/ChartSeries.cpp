#include "chart/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <random>

#include "chart/ChartErrors.h"
#include "chart/SeriesAxis.h"
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
          .StoredWhen([](const S& s) { return s.PercentFormat() != TeeMsg(TTeeMessage::DefaultPercentFormat); })
          .Color("SeriesColor", &S::SeriesColor, &S::SetSeriesColor)
          .Default(fw::TValue(std::int64_t{clAutoColor}))
          .Property("ShowInLegend", &S::ShowInLegend, &S::SetShowInLegend)
          .Default(fw::TValue(true))
          .Property("Title", &S::Title, &S::SetTitle)
          .Property("ValueFormat", &S::ValueFormat, &S::SetValueFormat)
          .StoredWhen([](const S& s) { return s.ValueFormat() != TeeMsg(TTeeMessage::DefaultValueFormat); })
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
          .Property("Style", [](const S& s) { return static_cast<int>(s.Style()); },
                    [](S& s, int v) { s.SetStyle(static_cast<std::uint8_t>(v)); })
          .Custom()
          .Build();
  return info;
}

TChartSeries::TChartSeries(fw::TComponent* owner) : fw::TComponent(owner) {
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

void TChartSeries::AddValueList(TChartValueList* list) { valuesList_.push_back(list); }

void TChartSeries::RemoveValueList(TChartValueList* list) {
  valuesList_.erase(std::remove(valuesList_.begin(), valuesList_.end(), list), valuesList_.end());
}

// ---- Overridable operations ----

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
  if (sourceIndex < source->ColorCount()) InsertColor(index, source->colors_.At(static_cast<std::size_t>(sourceIndex)));
  else if (index < ColorCount()) InsertColor(index, clAutoColor);
  if (sourceIndex < source->LabelCount()) InsertLabel(index, source->labels_.At(static_cast<std::size_t>(sourceIndex)));
  else if (index < LabelCount()) InsertLabel(index, std::string());
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

void TChartSeries::ClearData() {
  for (TChartValueList* list : valuesList_) list->Clear();
  colors_.Clear();
  labels_.Clear();
  if (marks_) marks_->Positions().Clear();
}

void TChartSeries::SourceValueDeleted(TChartSeries*, int valueIndex) { Delete(valueIndex); }

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

TColor TChartSeries::ValueColor(int valueIndex) const {
  if (valueIndex >= 0 && valueIndex < ColorCount()) {
    const TColor c = colors_.At(static_cast<std::size_t>(valueIndex));
    if (c != clAutoColor) return c;
    if (colorEachPoint_) return GetDefaultColor(valueIndex);
  }
  return seriesColor_;
}

std::string TChartSeries::XLabel(int valueIndex) const {
  if (valueIndex < 0 || valueIndex >= LabelCount()) return std::string();
  return labels_.At(static_cast<std::size_t>(valueIndex));
}

double TChartSeries::XValue(int valueIndex) const { return xValues_->Value(valueIndex); }

double TChartSeries::YValue(int valueIndex) const { return yValues_->Value(valueIndex); }

void TChartSeries::NotifyNewValue(TChartSeries* sender, int valueIndex) {
  if (OnAfterAdd) OnAfterAdd(sender, valueIndex);
  NotifyValue(veAdd, valueIndex);
  if (active_) Repaint();
}

bool TChartSeries::SharesZOrder() const {
  if (!parentChart_ || !parentChart_->DepthPerSeries()) return false;
  for (TChartSeries* s : parentChart_->SeriesList())
    if (s != this && s->Active() && !s->HasNoDepthValues() && s->ZOrderValue() == ZOrderValue()) return true;
  return false;
}

void TChartSeries::SetActive(bool value) { ChangeProperty(active_, value); }

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

void TChartSeries::SetSeriesColor(TColor value) { ChangeProperty(seriesColor_, value); }

int TChartSeries::Add(double value, const std::string& label, TColor color) {
  const double count = static_cast<double>(xValues_->Count());
  return YMandatory() ? AddXY(count, value, label, color) : AddXY(value, count, label, color);
}

int TChartSeries::AddNull(const std::string& label) { return Add(0, label, clNone); }

int TChartSeries::AddNullXY(double x, double y, const std::string& label) { return AddXY(x, y, label, clNone); }

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

bool TChartSeries::UsesAxis(const TSeriesAxis* axis) const {
  if (!UseAxis() || !axis) return false;
  if (axis->Horizontal()) return horizAxis_ == aBothHorizAxis || axis == horizAxisObject_;
  return vertAxis_ == aBothVertAxis || axis == vertAxisObject_;
}

void TChartSeries::Clear() {
  ClearData();
  if (OnClearValues) OnClearValues(this);
  NotifyValue(veClear, 0);
  if (active_ && parentChart_ && !parentChart_->IsDestroying()) Repaint();
}

int TChartSeries::Count() const { return xValues_->Count(); }

void TChartSeries::Delete(int valueIndex) {
  fw::CheckListIndex(valueIndex, Count());
  for (TChartValueList* list : valuesList_) list->Delete(valueIndex);
  if (valueIndex < ColorCount()) colors_.Erase(static_cast<std::size_t>(valueIndex));
  if (valueIndex < LabelCount()) labels_.Erase(static_cast<std::size_t>(valueIndex));
  marks_->Positions().Delete(valueIndex);
  NotifyValue(veDelete, valueIndex);
  if (active_) Repaint();
}

void TChartSeries::FillSampleValues(int numValues) {
  if (numValues < 1) throw ChartException(TTeeMessage::FillSampleCount);
  Clear();
  // The adds make no repaint requests; the chart is repainted once at the end.
  const bool created = parentChart_ && parentChart_->ChartCreated();
  if (parentChart_) parentChart_->SetChartCreated(false);
  static std::minstd_rand random(static_cast<unsigned>(std::time(nullptr)));
  auto uniform = [](double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(random); };

  double xMin = 0, xMax = numValues - 1, yMin = 0, yMax = 1000;
  bool fromAxes = false;
  if (parentChart_) {
    for (TChartSeries* s : parentChart_->SeriesList()) {
      if (s != this && s->Active() && s->Count() > 0) {
        fromAxes = true;
        break;
      }
    }
  }
  if (fromAxes) {
    // The ranges the other active series give the axes.
    bool first = true;
    for (TChartSeries* s : parentChart_->SeriesList()) {
      if (s == this || !s->Active() || s->Count() == 0) continue;
      if (first) {
        xMin = s->MinXValue(), xMax = s->MaxXValue(), yMin = s->MinYValue(), yMax = s->MaxYValue();
        first = false;
      } else {
        xMin = std::min(xMin, s->MinXValue()), xMax = std::max(xMax, s->MaxXValue());
        yMin = std::min(yMin, s->MinYValue()), yMax = std::max(yMax, s->MaxYValue());
      }
    }
  } else if (xValues_->DateTime()) {
    // Consecutive days from today (days since 1899-12-30, the date-time origin).
    const double today = std::floor(static_cast<double>(std::time(nullptr)) / 86400.0) + 25569.0;
    xMin = today;
    xMax = today + numValues - 1;
  }
  const double yRange = yMax - yMin;
  double y = yMin + uniform(0, 1) * yRange;
  for (int i = 0; i < numValues; ++i) {
    const double x = numValues == 1 ? xMin : xMin + (xMax - xMin) * i / (numValues - 1);
    AddXY(x, y, std::string(), clAutoColor);
    y = std::fabs(y + uniform(-yRange / 8, yRange / 8));
  }
  if (parentChart_) parentChart_->SetChartCreated(created);
  NotifyValue(veRefresh, 0);
}

void TChartSeries::SetChart3D(bool value) {
  if (!parentChart_) return;
  parentChart_->SetView3D(value);
  parentChart_->SetClipPoints(!value);
}

bool TChartSeries::IsValidSourceOf(TChartSeries* series) const { return series != this; }

bool TChartSeries::IsValidSource(TChartSeries*) const { return true; }

int TChartSeries::LegendToValueIndex(int legendIndex) const { return legendIndex; }

TColor TChartSeries::LegendItemColor(int legendIndex) const { return ValueColor(legendIndex); }

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
    case ltsPlain: return label;
    case ltsLeftValue: return join(fw::FormatFloat(valueFormat_, MandatoryValue(index)), label);
    case ltsRightValue: return join(label, fw::FormatFloat(valueFormat_, MandatoryValue(index)));
    case ltsLeftPercent: return join(PercentText(index), label);
    case ltsRightPercent: return join(label, PercentText(index));
    case ltsXValue: return fw::FormatFloat(valueFormat_, XValue(index));
  }
  return label;
}

double TChartSeries::MaxXValue() const { return xValues_->MaxValue(); }
double TChartSeries::MaxYValue() const { return yValues_->MaxValue(); }
double TChartSeries::MaxZValue() const { return ZOrderValue(); }
double TChartSeries::MinXValue() const { return xValues_->MinValue(); }
double TChartSeries::MinYValue() const { return yValues_->MinValue(); }
double TChartSeries::MinZValue() const { return ZOrderValue(); }

int TChartSeries::NumSampleValues() const { return 26; }

void TChartSeries::PrepareGallerySample(bool enabled) {
  FillSampleValues(4);
  marks_->SetVisible(false);
  colorEachPoint_ = false;
  if (!enabled) SetSeriesColor(fw::clSilver);
}

std::string TChartSeries::EditorClassName() const { return std::string(); }

int TChartSeries::CalcXPos(int valueIndex) const {
  // Drawing raises nothing: without an axis there is no position to compute.
  return horizAxisObject_ ? horizAxisObject_->CalcXPosValue(XValue(valueIndex)) : 0;
}

int TChartSeries::CalcYPos(int valueIndex) const {
  return vertAxisObject_ ? vertAxisObject_->CalcYPosValue(YValue(valueIndex)) : 0;
}

void TChartSeries::InsertExtraValues(int valueIndex) {
  for (std::size_t t = 2; t < valuesList_.size(); ++t) valuesList_[t]->InsertValue(valueIndex, valuesList_[t]->TempValue());
}

TChartValueList* TChartSeries::ValueListByName(const std::string& name) const {
  const std::string upper = fw::UpperCase(name);
  for (std::size_t t = 2; t < valuesList_.size(); ++t)
    if (fw::UpperCase(valuesList_[t]->Name()) == upper) return valuesList_[t];
  return yValues_.get();
}

int TChartSeries::Clicked(int, int) { return -1; }

double TChartSeries::MarkValue(int valueIndex) const { return MandatoryValue(valueIndex); }

double TChartSeries::MandatoryValue(int valueIndex) const { return MandatoryValueList()->Value(valueIndex); }

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

TChartValueList* TChartSeries::MandatoryValueList() const { return yValues_.get(); }

bool TChartSeries::DrawValuesForward() const { return true; }

bool TChartSeries::DrawSeriesForward(int) const { return true; }

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
  }
}

void TChartSeries::CalcZOrder() {
  if (!parentChart_) return;
  if (zOrder_ != -1) {
    parentChart_->SetHighestZOrder(std::max(parentChart_->HighestZOrder(), zOrder_));
  } else if (parentChart_->View3D()) {
    parentChart_->SetHighestZOrder(parentChart_->HighestZOrder() + 1);
    calcZOrder_ = parentChart_->HighestZOrder();
  } else {
    calcZOrder_ = 0;
  }
}

void TChartSeries::DoSeriesMouseMove(bool, int, int) {}

bool TChartSeries::DoSeriesClick(int valueIndex, fw::TMouseButton button, fw::TShiftState shift, int x, int y) {
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

void TChartSeries::ClearPendingValue(TChartValueList* list) { list->SetTempValue(0); }

void TChartSeries::CalcHorizMargins(int& left, int& right) { left = right = 0; }

void TChartSeries::CalcVerticalMargins(int& top, int& bottom) { top = bottom = 0; }

bool TChartSeries::UseAxis() const { return true; }

void TChartSeries::SetFunction(std::unique_ptr<TTeeFunction> function) {
  if (function_) function_->SetParentSeries(nullptr);
  function_ = std::move(function);
  if (function_) function_->SetParentSeries(this);
  if (parentChart_) parentChart_->CheckDataSource(this);
}

void TChartSeries::CanvasChanged(fw::TObject*) { Repaint(); }

// ---- Non-overridable operations ----

void TChartSeries::RecalcGetAxis() {
  horizAxisObject_ = nullptr;
  vertAxisObject_ = nullptr;
  if (!parentChart_) return;
  switch (horizAxis_) {
    case aTopAxis: horizAxisObject_ = parentChart_->TopAxis(); break;
    case aCustomHorizAxis: horizAxisObject_ = customHorizAxis_ ? customHorizAxis_ : parentChart_->BottomAxis(); break;
    default: horizAxisObject_ = parentChart_->BottomAxis(); break;
  }
  switch (vertAxis_) {
    case aRightAxis: vertAxisObject_ = parentChart_->RightAxis(); break;
    case aCustomVertAxis: vertAxisObject_ = customVertAxis_ ? customVertAxis_ : parentChart_->LeftAxis(); break;
    default: vertAxisObject_ = parentChart_->LeftAxis(); break;
  }
}

void TChartSeries::CalcFirstLastVisibleIndex() {
  firstValueIndex_ = -1;
  lastValueIndex_ = -1;
  const int count = Count();
  if (count == 0) return;
  const bool yMandatory = YMandatory();
  const TChartValueList* list = yMandatory ? xValues_.get() : yValues_.get();
  const TSeriesAxis* axis = yMandatory ? horizAxisObject_ : vertAxisObject_;
  if (!calcVisiblePoints_ || list->Order() == loNone || !axis || !parentChart_) {
    firstValueIndex_ = 0;
    lastValueIndex_ = count - 1;
    return;
  }
  const fw::TRect& r = parentChart_->PlotRect();
  double low, high;
  if (axis->Horizontal()) {
    low = axis->CalcPosPoint(axis->Inverted() ? r.Right : r.Left);
    high = axis->CalcPosPoint(axis->Inverted() ? r.Left : r.Right);
  } else {
    low = axis->CalcPosPoint(axis->Inverted() ? r.Top : r.Bottom);
    high = axis->CalcPosPoint(axis->Inverted() ? r.Bottom : r.Top);
  }
  firstValueIndex_ = 0;
  while (list->Value(firstValueIndex_) < low) {
    if (++firstValueIndex_ > count - 1) {
      firstValueIndex_ = -1;
      return;
    }
  }
  if (list->Value(count - 1) <= high) {
    lastValueIndex_ = count - 1;
    return;
  }
  lastValueIndex_ = firstValueIndex_;
  while (lastValueIndex_ < count - 1 && list->Value(lastValueIndex_) < high) ++lastValueIndex_;
  if (!drawBetweenPoints_ && list->Value(lastValueIndex_) > high) --lastValueIndex_;
}

void TChartSeries::Repaint() const {
  if (parentChart_) parentChart_->Invalidate();
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
        if ((o & RecalcOption(rOnDelete)) && !l->FunctionType()) l->SourceValueDeleted(this, valueIndex);
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
  Repaint();
}

// ---- Properties ----

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

void TChartSeries::SetMarks(TSeriesMarks* value) { marks_->Assign(value); }

void TChartSeries::SetPercentFormat(const std::string& value) { ChangeProperty(percentFormat_, value); }
void TChartSeries::SetShowInLegend(bool value) { ChangeProperty(showInLegend_, value); }
void TChartSeries::SetTitle(const std::string& value) { ChangeProperty(title_, value); }
void TChartSeries::SetValueFormat(const std::string& value) { ChangeProperty(valueFormat_, value); }

void TChartSeries::SetXValues(TChartValueList* value) {
  xValues_->Assign(value);
  Repaint();
}

void TChartSeries::SetYValues(TChartValueList* value) {
  yValues_->Assign(value);
  Repaint();
}

void TChartSeries::SetHorizAxis(THorizAxis value) {
  if (value == horizAxis_) return;
  horizAxis_ = value;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis value) {
  if (value == vertAxis_) return;
  vertAxis_ = value;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomHorizAxis(TSeriesAxis* axis) {
  customHorizAxis_ = axis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetCustomVertAxis(TSeriesAxis* axis) {
  customVertAxis_ = axis;
  RecalcGetAxis();
  Repaint();
}

void TChartSeries::SetZOrder(int value) { ChangeProperty(zOrder_, value); }

// ---- Data sources ----

void TChartSeries::AddLinkedSeries(TChartSeries* series) {
  if (std::find(linkedSeries_.begin(), linkedSeries_.end(), series) == linkedSeries_.end()) linkedSeries_.push_back(series);
}

void TChartSeries::RemoveLinkedSeries(TChartSeries* series) {
  linkedSeries_.erase(std::remove(linkedSeries_.begin(), linkedSeries_.end(), series), linkedSeries_.end());
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
    if (parentChart_ && parentChart_->Designing()) FillSampleValues(NumSampleValues());
    else Clear();
    Repaint();
    return;
  }
  if (!parentChart_) throw ChartException(TTeeMessage::NoParentChart);
  if (!parentChart_->IsValidDataSource(this, value)) throw ChartException(TTeeMessage::InvalidDataSource, {value->Name()});
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

void TChartSeries::SetDataSourceNames(const fw::TStringList& names) { pendingDataSources_ = names; }

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

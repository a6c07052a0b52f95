// TChartSeries: the axes it is drawn against, its value ranges, the visible index range, the
// pixel margins it asks of the axes and its depth order.
#include <algorithm>

#include "chart/ChartSeries.h"
#include "chart/SeriesAxis.h"
#include "chart/TeeProcs.h"

namespace tee {

bool TChartSeries::SharesZOrder() const {
  if (!parentChart_ || !parentChart_->DepthPerSeries()) return false;
  for (TChartSeries* s : parentChart_->SeriesList())
    if (s != this && s->Active() && !s->HasNoDepthValues() && s->ZOrderValue() == ZOrderValue())
      return true;
  return false;
}

bool TChartSeries::UsesAxis(const TSeriesAxis* axis) const {
  if (!UseAxis() || !axis) return false;
  if (axis->Horizontal()) return horizAxis_ == aBothHorizAxis || axis == horizAxisObject_;
  return vertAxis_ == aBothVertAxis || axis == vertAxisObject_;
}

void TChartSeries::SetChart3D(bool value) {
  if (!parentChart_) return;
  parentChart_->SetView3D(value);
  parentChart_->SetClipPoints(!value);
}

double TChartSeries::MaxXValue() const {
  return xValues_->MaxValue();
}

double TChartSeries::MaxYValue() const {
  return yValues_->MaxValue();
}

double TChartSeries::MaxZValue() const {
  return ZOrderValue();
}

double TChartSeries::MinXValue() const {
  return xValues_->MinValue();
}

double TChartSeries::MinYValue() const {
  return yValues_->MinValue();
}

double TChartSeries::MinZValue() const {
  return ZOrderValue();
}

int TChartSeries::CalcXPos(int valueIndex) const {
  // Drawing raises nothing: without an axis there is no position to compute.
  return horizAxisObject_ ? horizAxisObject_->CalcXPosValue(XValue(valueIndex)) : 0;
}

int TChartSeries::CalcYPos(int valueIndex) const {
  return vertAxisObject_ ? vertAxisObject_->CalcYPosValue(YValue(valueIndex)) : 0;
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

void TChartSeries::CalcHorizMargins(int& left, int& right) {
  left = right = 0;
}

void TChartSeries::CalcVerticalMargins(int& top, int& bottom) {
  top = bottom = 0;
}

bool TChartSeries::UseAxis() const {
  return true;
}

void TChartSeries::RecalcGetAxis() {
  horizAxisObject_ = nullptr;
  vertAxisObject_ = nullptr;
  if (!parentChart_) return;
  switch (horizAxis_) {
    case aTopAxis:
      horizAxisObject_ = parentChart_->TopAxis();
      break;
    case aCustomHorizAxis:
      horizAxisObject_ = customHorizAxis_ ? customHorizAxis_ : parentChart_->BottomAxis();
      break;
    default:
      horizAxisObject_ = parentChart_->BottomAxis();
      break;
  }
  switch (vertAxis_) {
    case aRightAxis:
      vertAxisObject_ = parentChart_->RightAxis();
      break;
    case aCustomVertAxis:
      vertAxisObject_ = customVertAxis_ ? customVertAxis_ : parentChart_->LeftAxis();
      break;
    default:
      vertAxisObject_ = parentChart_->LeftAxis();
      break;
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

void TChartSeries::SetZOrder(int value) {
  ChangeProperty(zOrder_, value);
}

}  // namespace tee

#include "chart/ChartValueList.h"

#include <algorithm>
#include <cmath>

#include "chart/ChartSeries.h"
#include "chart/TeeProcs.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Exceptions.h"

namespace tee {

const fw::TClassInfo& TChartValueList::StaticClass() {
  static const fw::TClassInfo& info =
      fw::TClassBuilder<TChartValueList>("TChartValueList", fw::TPersistent::StaticClass())
          .Property("DateTime", &TChartValueList::DateTime, &TChartValueList::SetDateTime)
          .Property("Name", &TChartValueList::Name, &TChartValueList::SetName)
          .Property("Multiplier", &TChartValueList::Multiplier, &TChartValueList::SetMultiplier)
          .Property("Order", &TChartValueList::Order, &TChartValueList::SetOrder)
          .Property("ValueSource", &TChartValueList::ValueSource, &TChartValueList::SetValueSource)
          .Build();
  return info;
}

TChartValueList::TChartValueList(TChartSeries* owner, const std::string& name) : owner_(owner) {
  owner_->AddValueList(this);
  name_ = name;
  // Construction ends with Clear as the base behaviour does; a derived list's own Clear is not
  // reached from here, and the storage is empty anyway.
  TChartValueList::Clear();
}

TChartValueList::~TChartValueList() {
  owner_->RemoveValueList(this);
}

void TChartValueList::Assign(const fw::TPersistent* source) {
  if (const auto* list = dynamic_cast<const TChartValueList*>(source)) {
    order_ = list->order_;
    sortedness_ = Sortedness::Unknown;
    dateTime_ = list->dateTime_;
    multiplier_ = list->multiplier_;
    valueSource_ = list->valueSource_;
    Changed();
    return;
  }
  fw::TPersistent::Assign(source);
}

void TChartValueList::CheckIndex(int index) const {
  fw::CheckListIndex(index, static_cast<long long>(values_.Size()));
}

double TChartValueList::Value(int index) const {
  CheckIndex(index);
  return values_.At(static_cast<std::size_t>(index)) * multiplier_;
}

void TChartValueList::SetValue(int index, double value) {
  CheckIndex(index);
  values_.At(static_cast<std::size_t>(index)) = value;
  CheckNeighbours(index);
  Changed();
  owner_->NotifyValue(veModify, index);
}

void TChartValueList::Clear() {
  values_.Clear();
  sortedness_ = Sortedness::Sorted;
  Changed();
}

bool TChartValueList::InOrder(double before, double after) const {
  return order_ == loDescending ? before >= after : before <= after;
}

bool TChartValueList::KnownSorted() const {
  if (sortedness_ == Sortedness::Unknown) {
    bool sorted = true;
    bool first = true;
    double previous = 0;
    values_.ForEach([&](double v) {
      if (!first && !InOrder(previous, v)) sorted = false;
      previous = v;
      first = false;
    });
    sortedness_ = sorted ? Sortedness::Sorted : Sortedness::Unsorted;
  }
  return sortedness_ == Sortedness::Sorted;
}

void TChartValueList::CheckNeighbours(int index) {
  if (sortedness_ == Sortedness::Unsorted) {
    sortedness_ = Sortedness::Unknown;  // a write may have restored the order
    return;
  }
  if (sortedness_ != Sortedness::Sorted || order_ == loNone) return;
  const auto i = static_cast<std::size_t>(index);
  const double v = values_.At(i);
  if ((i > 0 && !InOrder(values_.At(i - 1), v)) ||
      (i + 1 < values_.Size() && !InOrder(v, values_.At(i + 1))))
    sortedness_ = Sortedness::Unsorted;
}

int TChartValueList::AddValue(double value) {
  Changed();
  const std::size_t n = values_.Size();
  if (order_ == loNone) {
    values_.PushBack(value);
    return static_cast<int>(n);
  }
  if (n == 0) {
    values_.PushBack(value);
    sortedness_ = std::isnan(value) ? Sortedness::Unsorted : Sortedness::Sorted;
    return 0;
  }
  const bool ascending = order_ == loAscending;
  const double last = values_.Back();
  if (ascending ? last <= value : last >= value) {
    values_.PushBack(value);
    return static_cast<int>(n);
  }
  std::size_t at;
  if (!std::isnan(value) && KnownSorted()) {
    // In an ordered list the backward scan stops just before the first value that the new one
    // precedes: find that value by bisection.
    std::size_t lo = 0, hi = n;
    while (lo < hi) {
      const std::size_t mid = lo + (hi - lo) / 2;
      const double m = values_.At(mid);
      if (ascending ? m > value : m < value)
        hi = mid;
      else
        lo = mid + 1;
    }
    at = lo;
  } else {
    std::ptrdiff_t t = static_cast<std::ptrdiff_t>(n) - 1;
    while (t >= 0 && (ascending ? values_.At(static_cast<std::size_t>(t)) > value
                                : values_.At(static_cast<std::size_t>(t)) < value))
      --t;
    at = static_cast<std::size_t>(t + 1);
    if (std::isnan(value)) sortedness_ = Sortedness::Unsorted;
  }
  values_.Insert(at, value);
  return static_cast<int>(at);
}

void TChartValueList::InsertValue(int index, double value) {
  fw::CheckListIndex(index, static_cast<long long>(values_.Size()) + 1);
  values_.Insert(static_cast<std::size_t>(index), value);
  CheckNeighbours(index);
  Changed();
}

int TChartValueList::Count() const {
  return static_cast<int>(values_.Size());
}

void TChartValueList::Delete(int index) {
  CheckIndex(index);
  values_.Erase(static_cast<std::size_t>(index));
  if (sortedness_ == Sortedness::Unsorted) sortedness_ = Sortedness::Unknown;
  Changed();
}

void TChartValueList::RotateFirstToEnd() {
  if (values_.Empty()) return;
  values_.RotateFirstToEnd();
  sortedness_ = Sortedness::Unknown;
}

double TChartValueList::LastValue() const {
  return Value(Count() - 1);
}

int TChartValueList::IndexOfValue(double value) const {
  const int n = Count();
  for (int i = 0; i < n; ++i)
    if (Value(i) == value) return i;
  return -1;
}

void TChartValueList::FillWithIndexes() {
  const int n = Count();
  for (int i = 0; i < n; ++i) SetValue(i, static_cast<double>(i));
}

void TChartValueList::Sort() {
  if (order_ == loNone) return;
  const int sign = order_ == loDescending ? -1 : 1;
  auto compare = [&](int a, int b) {
    const double va = Value(a), vb = Value(b);
    return sign * (va < vb ? -1 : (va > vb ? 1 : 0));
  };
  // Quicksort over indexes whose exchanges go through the owner, so every list of the series,
  // its colours and its labels move together. The pivot is followed by index when it is exchanged.
  auto sort = [&](auto& self, int l, int r) -> void {
    int i = l, j = r, x = (l + r) / 2;
    if (r > l) {
      do {
        while (compare(i, x) < 0) ++i;
        while (compare(x, j) < 0) --j;
        if (j > i) {
          owner_->SwapValueIndex(i, j);
          if (i == x)
            x = j;
          else if (j == x)
            x = i;
        }
        if (j >= i) {
          ++i;
          --j;
        }
      } while (j > i);
      if (j > l) self(self, l, j);
      if (i < r) self(self, i, r);
    }
  };
  sort(sort, 0, Count() - 1);
  sortedness_ = Sortedness::Unknown;
}

void TChartValueList::Exchange(int a, int b) {
  CheckIndex(a);
  CheckIndex(b);
  values_.Swap(static_cast<std::size_t>(a), static_cast<std::size_t>(b));
  sortedness_ = Sortedness::Unknown;
}

void TChartValueList::RecalcStats() const {
  if (!statsDirty_) return;
  const int n = Count();
  if (n <= 0) {
    minValue_ = maxValue_ = total_ = totalAbs_ = 0;
  } else {
    const double first = Value(0);
    minValue_ = maxValue_ = total_ = first;
    totalAbs_ = std::fabs(first);
    for (int i = 1; i < n; ++i) {
      const double v = Value(i);
      if (v < minValue_)
        minValue_ = v;
      else if (v > maxValue_)
        maxValue_ = v;
      total_ += v;
      totalAbs_ += std::fabs(v);
    }
  }
  statsDirty_ = false;
}

double TChartValueList::MaxValue() const {
  RecalcStats();
  return maxValue_;
}

double TChartValueList::MinValue() const {
  RecalcStats();
  return minValue_;
}

double TChartValueList::Total() const {
  RecalcStats();
  return total_;
}

double TChartValueList::TotalAbs() const {
  RecalcStats();
  return totalAbs_;
}

void TChartValueList::RepaintOwner() const {
  owner_->Repaint();
}

void TChartValueList::SetDateTime(bool value) {
  if (value == dateTime_) return;
  dateTime_ = value;
  RepaintOwner();
}

void TChartValueList::SetMultiplier(double value) {
  if (value == multiplier_) return;
  multiplier_ = value;
  Changed();
  owner_->NotifyValue(veRefresh, 0);
  RepaintOwner();
}

void TChartValueList::SetOrder(TChartListOrder value) {
  if (value == order_) return;
  order_ = value;
  sortedness_ = Sortedness::Unknown;
}

void TChartValueList::SetValueSource(const std::string& value) {
  if (value == valueSource_) return;
  valueSource_ = value;
  if (TCustomAxisPanel* chart = owner_->ParentChart()) chart->CheckDataSource(owner_);
}

}  // namespace tee

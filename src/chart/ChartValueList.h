// TChartValueList: the values of one dimension of a series (X, Y, or a further one).
//
// The owner series creates one list per dimension; every point of the series has the same index in
// each of them. A list stores each value unchanged and reads it multiplied by `Multiplier`. With
// `Order` loAscending or loDescending, `AddValue` places a new value after every value it does not
// precede (so equal values keep their order of arrival) and returns the index it took; `Order`
// does not re-sort values already held until `Sort` is called. The largest, smallest, sum and sum
// of magnitudes are cached and recomputed on first read after a change.
//
// Changes reach the owner series: writing a value sends it `NotifyValue(veModify, index)`, a new
// `Multiplier` sends `NotifyValue(veRefresh, 0)` and a repaint request, `DateTime` a repaint
// request, `ValueSource` a re-read of the series from its data source. `Sort` exchanges points
// through the owner's `SwapValueIndex`, which moves them in every list of the series at once.
//
// An index outside the list raises the framework's list error "List index out of bounds (%d)".
//
// Published: DateTime, Name, Multiplier, Order, ValueSource (none with a default: always stored).
#pragma once

#include <cstdint>
#include <string>

#include "chart/IndexedStore.h"
#include "framework/core/ClassBuilder.h"
#include "framework/core/Persistent.h"

namespace tee {

class TChartSeries;

enum TChartListOrder : std::uint8_t { loNone, loAscending, loDescending };
FW_ENUM_NAMES(TChartListOrder, "loNone", "loAscending", "loDescending")

class TChartValueList : public fw::TPersistent {
  FW_CLASS

 public:
  // Joins the owner's collection of value lists (and leaves it when destroyed).
  TChartValueList(TChartSeries* owner, const std::string& name);
  ~TChartValueList() override;
  TChartValueList(const TChartValueList&) = delete;
  TChartValueList& operator=(const TChartValueList&) = delete;

  // Copies Order, DateTime, Multiplier and ValueSource from another value list; Name and values
  // stay.
  void Assign(const fw::TPersistent* source) override;

  // Overridable operations, in the order series types rely on.
  virtual double Value(int index) const;
  virtual void SetValue(int index, double value);
  virtual void Clear();
  virtual int AddValue(double value);
  virtual void InsertValue(int index, double value);
  virtual int Count() const;
  virtual void Delete(int index);
  virtual void RotateFirstToEnd();

  double LastValue() const;
  // First index (from 0 up) whose Value equals `value` exactly, or -1.
  int IndexOfValue(double value) const;
  // Writes each index as the value at that index (one modify notification per index).
  void FillWithIndexes();
  // Puts the values in Order through the owner's SwapValueIndex; nothing for loNone.
  void Sort();

  double MaxValue() const;
  double MinValue() const;
  double Total() const;
  double TotalAbs() const;

  TChartSeries* Owner() const { return owner_; }
  bool DateTime() const { return dateTime_; }
  void SetDateTime(bool value);
  double Multiplier() const { return multiplier_; }
  void SetMultiplier(double value);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value) { name_ = value; }
  TChartListOrder Order() const { return order_; }
  void SetOrder(TChartListOrder value);
  const std::string& ValueSource() const { return valueSource_; }
  void SetValueSource(const std::string& value);

  // The value the owner series hands over before adding or inserting it.
  double TempValue() const { return tempValue_; }
  void SetTempValue(double value) { tempValue_ = value; }

  // Whether the values, as read, never decrease or never increase along the list: an ordered list
  // whose stored values are in its Order.
  bool Monotonic() const { return order_ != loNone && KnownSorted(); }

  // The value as stored, without the multiplier (unchecked; for drawing loops that checked Count).
  double StoredValue(int index) const { return values_.At(static_cast<std::size_t>(index)); }
  // The stored values from `index` (< Count()) on, as far as they lie in one piece.
  std::span<const double> StoredRun(int index) const {
    return values_.Run(static_cast<std::size_t>(index));
  }

  // Exchanges two stored values without notification; the owner's SwapValueIndex uses it.
  void Exchange(int a, int b);

 private:
  void CheckIndex(int index) const;
  void RecalcStats() const;
  void Changed() { statsDirty_ = true; }
  bool InOrder(double before, double after) const;
  // Whether the stored values are known to be in Order; refreshed by a scan when unknown.
  bool KnownSorted() const;
  void CheckNeighbours(int index);
  void RepaintOwner() const;

  enum class Sortedness : std::uint8_t { Unknown, Sorted, Unsorted };

  bool dateTime_ = false;
  TIndexedStore<double> values_;
  mutable double maxValue_ = 0;
  mutable double minValue_ = 0;
  double multiplier_ = 1.0;
  std::string name_;
  TChartListOrder order_ = loNone;
  TChartSeries* owner_;
  double tempValue_ = 0;
  mutable double total_ = 0;
  mutable double totalAbs_ = 0;
  std::string valueSource_;
  mutable bool statsDirty_ = true;
  // Lets an ordered add find its place by bisection, which gives the same index as the backward
  // scan whenever the values are in order.
  mutable Sortedness sortedness_ = Sortedness::Sorted;
};

}  // namespace tee

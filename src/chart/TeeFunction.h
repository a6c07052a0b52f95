// TTeeFunction: the base of the functions that compute a series from its data sources.
//
// A series that has a function (`SetFunction`) does not copy its sources' points; when its source
// changes it lets the function add the computed points instead (`AddPoints`). The function kinds
// themselves (add, subtract, average, ...) belong to the gallery of series types and functions;
// the data model only needs this base.
#pragma once

#include "framework/core/Component.h"

namespace tee {

class TChartSeries;

class TTeeFunction : public fw::TComponent {
  FW_CLASS

 public:
  explicit TTeeFunction(fw::TComponent* owner) : fw::TComponent(owner) {}

  TChartSeries* ParentSeries() const { return parentSeries_; }
  void SetParentSeries(TChartSeries* series) { parentSeries_ = series; }

  // Adds to the parent series the points computed from `source`.
  virtual void AddPoints(TChartSeries* source) = 0;

 private:
  TChartSeries* parentSeries_ = nullptr;
};

}  // namespace tee

// The chart's brush: a framework brush whose colour defaults to clAutoColor.
//
// clAutoColor means "the owner's colour": a series pointer's brush takes the point colour, a wall's
// the wall colour. The change notification (`OnChange`, given at construction) goes to the owning
// chart part, which repaints. Published: Color (clAutoColor), Style (bsSolid).
#pragma once

#include "chart/ChartTypes.h"
#include "framework/core/Brush.h"
#include "framework/core/Value.h"

namespace tee {

class TChartBrush : public fw::TBrush {
  FW_CLASS

 public:
  explicit TChartBrush(fw::TNotifyEvent onChange = {});
};

}  // namespace tee

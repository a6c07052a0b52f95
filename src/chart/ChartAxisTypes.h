// The small types of the chart's axes that the chart itself also names: the label styles and the
// two label events a chart offers its axes.
//
//   chart.OnGetAxisLabel = [](TCustomChartAxis* axis, TChartSeries* series, int index, std::string&
//   text) {
//     if (axis == chart.LeftAxis()) text += " mm";
//   };
//
// `OnGetAxisLabel` sees every label text before it is drawn (series and index are null and -1 for
// value labels). `OnGetNextAxisLabel` supplies value labels itself: it is called with the label
// index (0, 1, ...) and the previous value (first the range's minimum), sets the next value and
// clears `Stop` to have it drawn; leaving `Stop` true on the first call falls back to the axis'
// own labels.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Value.h"

namespace tee {

class TCustomChartAxis;
class TChartSeries;

enum TAxisLabelStyle : std::uint8_t { talAuto, talNone, talValue, talMark, talText };
FW_ENUM_NAMES(TAxisLabelStyle, "talAuto", "talNone", "talValue", "talMark", "talText")

using TAxisOnGetLabel = fw::TEvent<void(TCustomChartAxis* Sender, TChartSeries* Series,
                                        int ValueIndex, std::string& LabelText)>;
using TAxisOnGetNextLabel =
    fw::TEvent<void(TCustomChartAxis* Sender, int LabelIndex, double& LabelValue, bool& Stop)>;

}  // namespace tee

// Small types shared by the chart engine's data model: the engine's colour markers and default
// palette, the axis selections of a series, the recalculation options of linked series, the value
// events sent to them, and the style enumerations that series, legend and marks share.
#pragma once

#include <cstdint>

#include "framework/core/ClassBuilder.h"
#include "framework/core/Color.h"

namespace tee {

using fw::TColor;

// The owner's default colour: for a point the series colour, for a series a free palette colour.
inline constexpr TColor clAutoColor = 0x20000000;
// No colour at all: a point with it is a null point and is not drawn.
inline constexpr TColor clNone = 0x1FFFFFFF;

inline constexpr int kDefaultPaletteSize = 16;
// The default palette entry for an index >= 0: red, green, yellow, blue, white, gray, fuchsia,
// teal, navy, maroon, lime, olive, purple, silver, aqua, black, repeating every 16.
TColor GetDefaultColor(int index);

// Cursor codes as the framework numbers them; 0 is the default cursor.
using TCursor = std::int16_t;

enum THorizAxis : std::uint8_t { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
FW_ENUM_NAMES(THorizAxis, "aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis")

enum TVertAxis : std::uint8_t { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
FW_ENUM_NAMES(TVertAxis, "aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis")

// Which changes of its data source a linked series follows (bits 0..3 of TSeriesRecalcOptions).
enum TSeriesRecalcOption : std::uint8_t { rOnDelete, rOnModify, rOnInsert, rOnClear };
FW_ENUM_NAMES(TSeriesRecalcOption, "rOnDelete", "rOnModify", "rOnInsert", "rOnClear")
using TSeriesRecalcOptions = std::uint8_t;
inline constexpr TSeriesRecalcOptions RecalcOption(TSeriesRecalcOption o) {
  return static_cast<TSeriesRecalcOptions>(1u << o);
}
inline constexpr TSeriesRecalcOptions kAllRecalcOptions = 0x0F;

// What happened to the points of a series, as its linked series hear of it.
enum TValueEvent : std::uint8_t {
  veClear = 0,
  veAdd = 1,
  veDelete = 2,
  veRefresh = 3,
  veModify = 4
};

// How the legend composes the text of one point.
enum TLegendTextStyle : std::uint8_t {
  ltsPlain,
  ltsLeftValue,
  ltsRightValue,
  ltsLeftPercent,
  ltsRightPercent,
  ltsXValue
};
FW_ENUM_NAMES(TLegendTextStyle, "ltsPlain", "ltsLeftValue", "ltsRightValue", "ltsLeftPercent",
              "ltsRightPercent", "ltsXValue")

// What the text of a series mark shows.
enum TSeriesMarksStyle : std::uint8_t {
  smsValue,
  smsPercent,
  smsLabel,
  smsLabelPercent,
  smsLabelValue,
  smsLegend,
  smsPercentTotal,
  smsLabelPercentTotal,
  smsXValue
};
FW_ENUM_NAMES(TSeriesMarksStyle, "smsValue", "smsPercent", "smsLabel", "smsLabelPercent",
              "smsLabelValue", "smsLegend", "smsPercentTotal", "smsLabelPercentTotal", "smsXValue")

}  // namespace tee

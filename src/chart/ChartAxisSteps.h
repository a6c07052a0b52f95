// The arithmetic of an axis' label steps, free of any axis or canvas.
//
// An axis draws labels at multiples of an increment Δ that it derives from the room the labels
// need: `MaxLabelCount` says how many labels fit along the axis, `CalcAxisIncrement` raises the
// smallest allowed step (`Increment`, or 1 / 1e-12) through `NextStep` (1, 2, 5, 10, 20, ...) or,
// on a date-time axis, through the date-time step table until that many labels are not exceeded.
// Date-time axes with `ExactDateTime` place labels on whole calendar steps: `CalendarRoundDown`
// gives the first label at or below the range's top, `CalendarStepDown` the next one below.
//
// Date-time values are days (see framework/core/DateTime.h); the table's steps are in days.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "framework/core/DateTime.h"

namespace tee {

// Round to nearest, halves to even, clamped to the 32-bit range (NaN gives 0). All pixel
// arithmetic of the axes rounds this way unless it truncates on purpose.
inline int RoundHalfEven(double x) {
  const double r = std::nearbyint(x);
  if (!(r == r)) return 0;
  if (r >= 2147483647.0) return std::numeric_limits<int>::max();
  if (r <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

enum TDateTimeStep : std::uint8_t {
  dtOneSecond,
  dtFiveSeconds,
  dtTenSeconds,
  dtFifteenSeconds,
  dtThirtySeconds,
  dtOneMinute,
  dtFiveMinutes,
  dtTenMinutes,
  dtFifteenMinutes,
  dtThirtyMinutes,
  dtOneHour,
  dtTwoHours,
  dtSixHours,
  dtTwelveHours,
  dtOneDay,
  dtTwoDays,
  dtThreeDays,
  dtOneWeek,
  dtHalfMonth,
  dtOneMonth,
  dtTwoMonths,
  dtThreeMonths,
  dtFourMonths,
  dtSixMonths,
  dtOneYear,
  dtNone  // no table step applies
};

inline constexpr int kDateTimeStepCount = dtNone;

// The step of each table index, in days.
inline constexpr std::array<double, kDateTimeStepCount> kDateTimeSteps{1.0 / 86400,
                                                                       5.0 / 86400,
                                                                       10.0 / 86400,
                                                                       15.0 / 86400,
                                                                       30.0 / 86400,
                                                                       1.0 / 1440,
                                                                       5.0 / 1440,
                                                                       10.0 / 1440,
                                                                       15.0 / 1440,
                                                                       30.0 / 1440,
                                                                       1.0 / 24,
                                                                       2.0 / 24,
                                                                       6.0 / 24,
                                                                       12.0 / 24,
                                                                       1,
                                                                       2,
                                                                       3,
                                                                       7,
                                                                       15,
                                                                       30,
                                                                       60,
                                                                       90,
                                                                       120,
                                                                       182,
                                                                       365};

// 1, 2, 5, 10, 20, 50, ...: the next step of the decade sequence above x (x > 0; other values
// are returned unchanged).
double NextStep(double x);

// The table step after the largest table step not above x; 365 days for x below one second.
double NextDateTimeStep(double x);

// How many labels of `labelSize` pixels fit on `pixelLength` pixels with `separationPercent` extra
// room each; 1 when the size is below one pixel.
int MaxLabelCount(int labelSize, int separationPercent, int pixelLength);

struct TIncrementInput {
  double RangeSize = 0;
  double Increment = 0;        // the axis' Increment property: the smallest step, 0 = automatic
  int SeparationPercent = 10;  // 0 leaves the step as it is
  bool DateTime = false;
};

// The step between labels so that at most `maxLabels` labels fall on the range.
double CalcAxisIncrement(int maxLabels, const TIncrementInput& in);

// The table index of a date-time axis' label step: the step equal to `increment` within one
// second, raised while it is below `delta` (but not past one year); dtNone when none matches.
int DateTimeStepIndex(double increment, double delta);

// The first label of an exact date-time axis for step index `step` (dtOneDay..dtOneYear): the
// value's midnight, then the day (and for a year the month) set back to the step's calendar start.
// Values on or before 1 Jan 1900 are left as they are.
fw::TDateTime CalendarRoundDown(fw::TDateTime value, int step);

// The label below `value` on an exact date-time axis for step index `step`
// (dtHalfMonth..dtOneYear).
fw::TDateTime CalendarStepDown(fw::TDateTime value, int step);

}  // namespace tee

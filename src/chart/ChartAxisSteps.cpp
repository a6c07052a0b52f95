#include "chart/ChartAxisSteps.h"

#include <algorithm>

namespace tee {
namespace {

// Every search below multiplies its step by at least 2 per round, so from 1e-12 (or one second)
// upwards a few thousand rounds reach any finite range; the bound only guards against a range
// that is not a number.
constexpr int kMaxSearchRounds = 4096;

}  // namespace

double NextStep(double x) {
  if (!(x > 0) || !std::isfinite(x)) return x;
  // x >= 10 gives 10 × NextStep(x × 0.1) and x < 1 gives NextStep(x × 10) × 0.1; unrolled, with
  // the same multiplications in the same order.
  int up = 0;
  int down = 0;
  while (x >= 10) {
    x *= 0.1;
    ++up;
  }
  while (x < 1) {
    x *= 10;
    ++down;
  }
  double r = x < 2 ? 2 : x < 5 ? 5 : 10;
  for (; down > 0; --down) r *= 0.1;
  for (; up > 0; --up) r *= 10;
  return r;
}

double NextDateTimeStep(double x) {
  for (int i = dtSixMonths; i >= 0; --i)
    if (x >= kDateTimeSteps[static_cast<std::size_t>(i)])
      return kDateTimeSteps[static_cast<std::size_t>(i) + 1];
  return kDateTimeSteps[dtOneYear];
}

int MaxLabelCount(int labelSize, int separationPercent, int pixelLength) {
  if (labelSize < 1) return 1;
  double size = labelSize;
  if (separationPercent > 0) size += RoundHalfEven(separationPercent * 0.01 * size);
  return RoundHalfEven(pixelLength / size);
}

double CalcAxisIncrement(int maxLabels, const TIncrementInput& in) {
  const double firstStep = kDateTimeSteps[dtOneSecond];
  if (maxLabels < 1) return in.DateTime ? firstStep : 1e-12;

  if (in.DateTime) {
    double t = std::max(firstStep, in.Increment);
    if (in.RangeSize / t > 1000000) t = in.RangeSize / 1000000;
    for (int round = 0; round < kMaxSearchRounds; ++round) {
      const double c = std::nearbyint(in.RangeSize / t);
      if (!(c > maxLabels)) break;
      t = t >= 365 ? 2 * t : NextDateTimeStep(t);
    }
    return std::max(firstStep, t);
  }

  double t = in.Increment > 0 ? in.Increment : std::fabs(in.RangeSize) >= 1 ? 1 : 1e-12;
  if (in.SeparationPercent > 0) {
    for (int round = 0; round < kMaxSearchRounds; ++round) {
      const double q = in.RangeSize / t;
      if (std::fabs(q) >= 2147483647.0) {
        t = NextStep(t);
        continue;
      }
      if (!(std::nearbyint(q) > maxLabels)) break;
      t = NextStep(t);
    }
  }
  return std::max(1e-12, t);
}

int DateTimeStepIndex(double increment, double delta) {
  int s = dtNone;
  for (int i = 0; i < kDateTimeStepCount; ++i) {
    if (std::fabs(kDateTimeSteps[static_cast<std::size_t>(i)] - increment) < fw::kOneSecond) {
      s = i;
      break;
    }
  }
  if (s == dtNone) return s;
  while (kDateTimeSteps[static_cast<std::size_t>(s)] < delta && s < dtOneYear) ++s;
  return s;
}

fw::TDateTime CalendarRoundDown(fw::TDateTime value, int step) {
  if (value <= fw::EncodeDate(1900, 1, 1)) return value;
  fw::TDateParts d = fw::DecodeDate(value);
  if (step == dtHalfMonth)
    d.Day = d.Day >= 15 ? 15 : 1;
  else if (step >= dtOneMonth && step <= dtSixMonths)
    d.Day = 1;
  else if (step == dtOneYear)
    d.Day = d.Month = 1;
  return fw::EncodeDate(d.Year, d.Month, d.Day);
}

fw::TDateTime CalendarStepDown(fw::TDateTime value, int step) {
  fw::TDateParts d = fw::DecodeDate(value);
  switch (step) {
    case dtHalfMonth:
      if (d.Day == 1) {
        --d.Month;
        d.Day = 15;
      } else {
        d.Day = d.Day <= 15 ? 1 : 15;
      }
      break;
    case dtOneMonth:
    case dtTwoMonths:
    case dtThreeMonths:
    case dtFourMonths:
    case dtSixMonths: {
      static constexpr int kMonths[] = {1, 2, 3, 4, 6};
      d.Month -= kMonths[step - dtOneMonth];
      d.Day = 1;
      break;
    }
    case dtOneYear:
      --d.Year;
      // 29 February of a year before a non-leap year stays in February.
      d.Day = std::min(d.Day, fw::DaysInMonth(d.Year, d.Month));
      break;
    default:
      return value - kDateTimeSteps[static_cast<std::size_t>(
                         std::clamp(step, 0, static_cast<int>(dtOneYear)))];
  }
  // EncodeDate rolls a month below 1 back into December of the year before.
  return fw::EncodeDate(d.Year, d.Month, d.Day);
}

}  // namespace tee

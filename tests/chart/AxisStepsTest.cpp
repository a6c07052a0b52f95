// The arithmetic of label steps: the decade sequence, the date-time step table, the label count
// and increment search, and calendar rounding and stepping.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/ChartAxisSteps.h"
#include "framework/core/DateTime.h"

using fw::EncodeDate;
using tee::CalcAxisIncrement;
using tee::TIncrementInput;

TEST(AxisSteps, NextStepRunsOneTwoFivePerDecade) {
  struct Row {
    double x, next;
  } rows[] = {{1, 2},   {1.5, 2},   {2, 5},     {4.99, 5},      {5, 10},          {9.99, 10},
              {10, 20}, {20, 50},   {50, 100},  {99, 100},      {100, 200},       {5000, 10000},
              {0.5, 1}, {0.2, 0.5}, {0.1, 0.2}, {7e-12, 1e-11}, {1.5e-12, 2e-12}, {3e20, 5e20}};
  for (const auto& r : rows) EXPECT_NEAR(tee::NextStep(r.x), r.next, r.next * 1e-12) << r.x;
  // Values without a next step come back unchanged instead of recursing forever.
  EXPECT_EQ(tee::NextStep(0), 0);
  EXPECT_EQ(tee::NextStep(-3), -3);
  EXPECT_EQ(tee::NextStep(std::numeric_limits<double>::infinity()),
            std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(tee::NextStep(std::numeric_limits<double>::quiet_NaN())));
}

TEST(AxisSteps, NextDateTimeStepTakesTheTableStepAfterTheLargestNotAbove) {
  using tee::kDateTimeSteps;
  EXPECT_EQ(tee::NextDateTimeStep(kDateTimeSteps[tee::dtOneSecond]),
            kDateTimeSteps[tee::dtFiveSeconds]);
  EXPECT_EQ(tee::NextDateTimeStep(4 * fw::kOneSecond), kDateTimeSteps[tee::dtFiveSeconds]);
  EXPECT_EQ(tee::NextDateTimeStep(1.0), 2.0);
  EXPECT_EQ(tee::NextDateTimeStep(6.0), 7.0);
  EXPECT_EQ(tee::NextDateTimeStep(182.0), 365.0);
  EXPECT_EQ(tee::NextDateTimeStep(365.0), 365.0);
  EXPECT_EQ(tee::NextDateTimeStep(1000.0), 365.0);
  // Below the first step: the last one.
  EXPECT_EQ(tee::NextDateTimeStep(0.5 * fw::kOneSecond), 365.0);
  EXPECT_EQ(tee::kDateTimeSteps[tee::dtTwelveHours], 0.5);
  EXPECT_EQ(tee::kDateTimeSteps[tee::dtSixMonths], 182.0);
}

TEST(AxisSteps, MaxLabelCountAddsTheSeparationAndRoundsHalfToEven) {
  EXPECT_EQ(tee::MaxLabelCount(0, 10, 500), 1);
  EXPECT_EQ(tee::MaxLabelCount(14, 10, 135), 9);   // 14 + round(1.4) = 15 pixels a label
  EXPECT_EQ(tee::MaxLabelCount(10, 0, 95), 10);    // 9.5 rounds to 10
  EXPECT_EQ(tee::MaxLabelCount(10, 0, 85), 8);     // 8.5 rounds to 8
  EXPECT_EQ(tee::MaxLabelCount(20, 50, 300), 10);  // 20 + 10
  EXPECT_EQ(tee::MaxLabelCount(20, 10, 0), 0);
}

TEST(AxisSteps, IncrementOfTheMainWindowsLeftAxisIsTenThousand) {
  // -500 .. 75000 with Increment 1 and room for 9 labels: 1, 2, 5, ..., 5000 all give more.
  EXPECT_EQ(CalcAxisIncrement(9, TIncrementInput{75500, 1, 10, false}), 10000);
  EXPECT_EQ(CalcAxisIncrement(16, TIncrementInput{75500, 1, 10, false}), 5000);
  EXPECT_EQ(CalcAxisIncrement(6, TIncrementInput{52000, 1, 10, false}), 10000);
}

TEST(AxisSteps, IncrementSearchEdgeCases) {
  // Separation 0 never raises the increment, however crowded.
  EXPECT_EQ(CalcAxisIncrement(2, TIncrementInput{1000, 0.01, 0, false}), 0.01);
  EXPECT_EQ(CalcAxisIncrement(2, TIncrementInput{1000, 0, 0, false}), 1);
  EXPECT_EQ(CalcAxisIncrement(2, TIncrementInput{0.5, 0, 0, false}), 1e-12);
  // No room at all.
  EXPECT_EQ(CalcAxisIncrement(0, TIncrementInput{1000, 5, 10, false}), 1e-12);
  EXPECT_EQ(CalcAxisIncrement(0, TIncrementInput{1000, 5, 10, true}), fw::kOneSecond);
  // A range beyond 2^31 steps of the start goes on stepping instead of rounding an overflow.
  EXPECT_NEAR(CalcAxisIncrement(10, TIncrementInput{1e12, 0, 10, false}), 1e11, 1);
  // Small ranges start at 1e-12.
  EXPECT_NEAR(CalcAxisIncrement(5, TIncrementInput{0.001, 0, 10, false}), 0.0002, 1e-15);
  // A range that is not a number ends the search.
  EXPECT_EQ(
      CalcAxisIncrement(5, TIncrementInput{std::numeric_limits<double>::quiet_NaN(), 0, 10, false}),
      1e-12);
  EXPECT_GT(
      CalcAxisIncrement(5, TIncrementInput{std::numeric_limits<double>::infinity(), 0, 10, false}),
      0);
}

TEST(AxisSteps, DateTimeIncrementClimbsTheTableThenDoublesYears) {
  EXPECT_EQ(CalcAxisIncrement(5, TIncrementInput{10, 0, 10, true}), 2.0);
  EXPECT_EQ(CalcAxisIncrement(4, TIncrementInput{3000, 0, 10, true}), 730.0);
  EXPECT_EQ(CalcAxisIncrement(24, TIncrementInput{1, 0, 10, true}), 1.0 / 24);
  // The Increment is the smallest step taken.
  EXPECT_EQ(CalcAxisIncrement(100, TIncrementInput{10, 7, 10, true}), 7.0);
  // A step below one second is raised to one second.
  EXPECT_EQ(CalcAxisIncrement(1000000, TIncrementInput{0.0001, 0, 10, true}), fw::kOneSecond);
}

TEST(AxisSteps, DateTimeStepIndexMatchesWithinOneSecondAndFollowsTheIncrement) {
  EXPECT_EQ(tee::DateTimeStepIndex(1.0, 1.0), tee::dtOneDay);
  EXPECT_EQ(tee::DateTimeStepIndex(1.0 + 0.5 * fw::kOneSecond, 1.0), tee::dtOneDay);
  EXPECT_EQ(tee::DateTimeStepIndex(1.0, 20.0), tee::dtOneMonth);
  EXPECT_EQ(tee::DateTimeStepIndex(1.0, 5000.0), tee::dtOneYear);
  EXPECT_EQ(tee::DateTimeStepIndex(30.0, 30.0), tee::dtOneMonth);
  EXPECT_EQ(tee::DateTimeStepIndex(2 * fw::kOneSecond, 1.0), tee::dtNone);
  EXPECT_EQ(tee::DateTimeStepIndex(1000.0, 1000.0), tee::dtNone);
}

TEST(AxisSteps, CalendarRoundDownGoesToTheStepsCalendarStart) {
  const double v = EncodeDate(2024, 3, 20) + 14.0 / 24;
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtOneDay), EncodeDate(2024, 3, 20));
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtOneWeek), EncodeDate(2024, 3, 20));
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtHalfMonth), EncodeDate(2024, 3, 15));
  EXPECT_EQ(tee::CalendarRoundDown(EncodeDate(2024, 3, 14) + 0.5, tee::dtHalfMonth),
            EncodeDate(2024, 3, 1));
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtOneMonth), EncodeDate(2024, 3, 1));
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtSixMonths), EncodeDate(2024, 3, 1));
  EXPECT_EQ(tee::CalendarRoundDown(v, tee::dtOneYear), EncodeDate(2024, 1, 1));
  // On or before 1 January 1900 nothing is rounded.
  EXPECT_EQ(tee::CalendarRoundDown(1.5, tee::dtOneYear), 1.5);
  EXPECT_EQ(tee::CalendarRoundDown(2.0, tee::dtOneMonth), 2.0);
}

TEST(AxisSteps, CalendarStepDownCrossesTheYearEnd) {
  struct Row {
    double from;
    int step;
    double to;
  } rows[] = {
      {EncodeDate(2024, 1, 1), tee::dtHalfMonth, EncodeDate(2023, 12, 15)},
      {EncodeDate(2024, 1, 15), tee::dtHalfMonth, EncodeDate(2024, 1, 1)},
      {EncodeDate(2024, 1, 2), tee::dtHalfMonth, EncodeDate(2024, 1, 1)},
      {EncodeDate(2024, 1, 16) + 0.7, tee::dtHalfMonth, EncodeDate(2024, 1, 15)},
      {EncodeDate(2024, 1, 1), tee::dtOneMonth, EncodeDate(2023, 12, 1)},
      {EncodeDate(2024, 2, 1), tee::dtTwoMonths, EncodeDate(2023, 12, 1)},
      {EncodeDate(2024, 2, 1), tee::dtThreeMonths, EncodeDate(2023, 11, 1)},
      {EncodeDate(2024, 3, 1), tee::dtFourMonths, EncodeDate(2023, 11, 1)},
      {EncodeDate(2024, 3, 1), tee::dtSixMonths, EncodeDate(2023, 9, 1)},
      {EncodeDate(2024, 1, 1), tee::dtOneYear, EncodeDate(2023, 1, 1)},
      {EncodeDate(2024, 2, 29), tee::dtOneYear, EncodeDate(2023, 2, 28)},
  };
  for (const auto& r : rows)
    EXPECT_EQ(tee::CalendarStepDown(r.from, r.step), r.to) << r.from << " step " << r.step;
}

TEST(AxisSteps, RoundHalfEvenClampsToThePixelRange) {
  EXPECT_EQ(tee::RoundHalfEven(2.5), 2);
  EXPECT_EQ(tee::RoundHalfEven(3.5), 4);
  EXPECT_EQ(tee::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(tee::RoundHalfEven(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(tee::RoundHalfEven(-1e300), std::numeric_limits<int>::min());
  EXPECT_EQ(tee::RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

// MeasureProfile onto the chart engine's own series: the points end in ascending X order with
// their Y values, labels and colour moved along, and a new profile replaces the old one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/ChartSeries.h"
#include "scanner/ProfilePoint.h"
#include "scanner/ScannerCommands.h"
#include "support/RecordingChannel.h"
#include "support/ScannerFrames.h"

namespace scanner {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A reply frame carrying the given (A, B) points.
Bytes ProfileFrame(const std::vector<std::pair<std::int32_t, std::int32_t>>& points) {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> raw;
  for (auto [a, b] : points) raw.push_back({scanner_test::Raw14(a), scanner_test::Raw14(b)});
  return scanner_test::ReplyFrame(
      scanner_test::ProfilePayload(static_cast<unsigned>(points.size()), raw), 0x85);
}

class ProfileOnChartSeriesTest : public ::testing::Test {
 protected:
  scanner_test::RecordingChannel channel_{3};
  RecordingDriver* driver_ = channel_.driver();
  tee::TChartSeries series_{nullptr};
};

TEST_F(ProfileOnChartSeriesTest, PointsOutOfXOrderEndInAscendingOrder) {
  // B = 100, -1, 50, marker, 0 with A = 1 .. 5.
  driver_->QueueBytes(ProfileFrame({{1, 100}, {2, -1}, {3, 50}, {4, kNoPointMarker}, {5, 0}}));
  ASSERT_EQ(MeasureProfile(series_), MeasureResult::kPlotted);
  ASSERT_EQ(series_.Count(), 4);
  const std::vector<double> xs = {-7, 0, 366, 732};
  const std::vector<double> ys = {36, 91, 54, 18};
  const std::vector<std::string> labels = {"-7", "0", "366", "732"};
  for (int i = 0; i < series_.Count(); ++i) {
    EXPECT_EQ(series_.XValue(i), xs[i]) << i;
    EXPECT_EQ(series_.YValue(i), ys[i]) << i;
    EXPECT_EQ(series_.XLabel(i), labels[i]) << i;
    EXPECT_EQ(series_.ValueColor(i), fw::clRed) << i;
  }
}

TEST_F(ProfileOnChartSeriesTest, NewProfileReplacesTheOldAndFailureKeepsIt) {
  tee::TChartSeries* series = &series_;
  driver_->QueueBytes(ProfileFrame({{10, 10}, {20, 20}, {30, 30}}));
  ASSERT_EQ(MeasureProfile(series), MeasureResult::kPlotted);
  EXPECT_EQ(series_.Count(), 3);

  driver_->QueueBytes(ProfileFrame({{40, -40}}));
  ASSERT_EQ(MeasureProfile(series), MeasureResult::kPlotted);
  ASSERT_EQ(series_.Count(), 1);
  EXPECT_EQ(series_.XValue(0), ChartX(-40));

  // No reply at all: the last profile stays.
  EXPECT_EQ(MeasureProfile(series), MeasureResult::kNoValidReply);
  ASSERT_EQ(series_.Count(), 1);
  EXPECT_EQ(series_.YValue(0), ChartY(40));

  driver_->QueueBytes(ProfileFrame({}));
  ASSERT_EQ(MeasureProfile(series), MeasureResult::kPlotted);
  EXPECT_EQ(series_.Count(), 0);
}

}  // namespace
}  // namespace scanner

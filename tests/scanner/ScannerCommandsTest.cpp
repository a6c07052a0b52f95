// The scanner commands against the recording double: request bytes, decoding of profile replies
// onto a series, and what a failed or malformed reply leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/ProfilePoint.h"
#include "scanner/ScannerCommands.h"
#include "support/RecordingChannel.h"
#include "support/ScannerFrames.h"

namespace scanner {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A series that records the calls it gets.
struct Point {
  double x = 0;
  double y = 0;
  std::string label;
  fw::TColor colour = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct RecordingSeries {
  void Clear() {
    ++clears;
    points.clear();
  }
  int AddXY(double x, double y, const std::string& label, fw::TColor colour) {
    points.push_back({x, y, label, colour});
    return static_cast<int>(points.size()) - 1;
  }
  int clears = 0;
  std::vector<Point> points;
};

// A profile payload (byte 0 is 0x11) with the announced count and the raw A and B of each point.
Bytes Payload(unsigned count, const std::vector<std::pair<std::uint16_t, std::uint16_t>>& raw) {
  return scanner_test::ProfilePayload(count, raw, 0x11);
}

// A profile reply frame, its checksum flipped by `crc_flip`.
Bytes Frame(const Bytes& payload, std::uint16_t crc_flip = 0) {
  return scanner_test::ReplyFrameWithCrc(
      payload, static_cast<std::uint16_t>(scanner_test::ReferenceCrc(payload) ^ crc_flip), 0x85);
}

class ScannerCommandsTest : public ::testing::Test {
 protected:
  MeasureResult Measure(const Bytes& stream) {
    driver_->ClearAll();
    driver_->QueueBytes(stream);
    return MeasureProfile(series_);
  }

  scanner_test::RecordingChannel channel_{7};
  RecordingDriver* driver_ = channel_.driver();
  RecordingSeries series_;
};

TEST_F(ScannerCommandsTest, RequestBytes) {
  const struct {
    std::uint8_t parameter, value;
    Bytes wire;
  } writes[] = {
      {5, 25, {0x20, 0x82, 0x80, 0x83, 0x85, 0x99, 0xB2, 0xB4, 0x82}},
      {0, 1, {0x20, 0x82, 0x80, 0x83, 0x80, 0x81, 0xB1, 0x80, 0x83}},
  };
  for (const auto& w : writes) {
    driver_->ClearAll();
    WriteParameter(w.parameter, w.value);
    EXPECT_EQ(driver_->written(), w.wire);
    EXPECT_EQ(driver_->calls().front().Text(), "PurgeComm(7, 3)");
    EXPECT_EQ(CommandData[0], w.parameter);
    EXPECT_EQ(CommandData[1], w.value);
    EXPECT_EQ(driver_->Count(RecordingDriver::Op::kReadFile), 0u);  // no reply is read
  }

  EXPECT_EQ(Measure({}), MeasureResult::kNoValidReply);
  EXPECT_EQ(driver_->written(), (Bytes{0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80}));
  EXPECT_EQ(driver_->calls().front().Text(), "PurgeComm(7, 3)");
}

// The scaling and the sign extension: each row is one point with raw A and B patterns.
TEST_F(ScannerCommandsTest, DecodesAndScalesEachPoint) {
  const struct {
    std::uint16_t a, b;
    double x, y;
    const char* label;
  } cases[] = {
      {0x0001, 0x0000, 0, 18, "0"},          {0x3FFF, 0x0000, 0, -18, "0"},  // A = -1
      {0x0FFF, 0x0000, 0, 74981, "0"},                                       // A = 4095
      {0x0800, 0x0000, 0, 37500, "0"},                                       // A = 2048
      {0x2FFF, 0x0000, 0, -75018, "0"},       // A = -4097, next to the marker
      {0x0000, 0x1FFF, 59992, 0, "59992"},    // B = 8191
      {0x0000, 0x2000, -60000, 0, "-60000"},  // B = -8192
      {0x0000, 0x3FFF, -7, 0, "-7"},          // B = -1 truncates toward zero
      {0x0000, 0x0001, 7, 0, "7"},           {0x2000, 0x0000, 0, -150000, "0"},  // A = -8192
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Measure(Frame(Payload(1, {{c.a, c.b}}))), MeasureResult::kPlotted);
    ASSERT_EQ(series_.points.size(), 1u) << std::hex << c.a << " " << c.b;
    EXPECT_EQ(series_.points[0], (Point{c.x, c.y, c.label, 255})) << std::hex << c.a << " " << c.b;
  }
}

TEST(ProfilePointTest, ScalingExamplesAndRoundTrip) {
  EXPECT_EQ(ChartY(1), 18);
  EXPECT_EQ(ChartY(-1), -18);
  EXPECT_EQ(ChartY(4095), 74981);
  EXPECT_EQ(ChartY(2048), 37500);
  EXPECT_EQ(ChartX(8191), 59992);
  EXPECT_EQ(ChartX(-8192), -60000);
  EXPECT_EQ(ChartX(-1), -7);
  EXPECT_EQ(SignExtend14(0x3000), kNoPointMarker);
  // Truncation toward zero is symmetric: -v maps to the negative of v's image.
  for (std::int32_t v = -8191; v <= 8191; ++v) {
    ASSERT_EQ(SignExtend14(ToRaw14(v)), v);
    ASSERT_EQ(ChartX(-v), -ChartX(v)) << v;
    ASSERT_EQ(ChartY(-v), -ChartY(v)) << v;
    ASSERT_EQ(ChartY(v), static_cast<std::int32_t>(std::int64_t{v} * 75000 / 4096)) << v;
  }
}

TEST_F(ScannerCommandsTest, MarkerOnEitherValueSkipsThePoint) {
  const auto reply =
      Frame(Payload(4, {{0x3000, 0x0010}, {0x0100, 0x3000}, {0x3000, 0x3000}, {0x0100, 0x0010}}));
  ASSERT_EQ(Measure(reply), MeasureResult::kPlotted);
  ASSERT_EQ(series_.points.size(), 1u);
  EXPECT_EQ(series_.points[0].x, ChartX(0x10));
  EXPECT_EQ(PointCount, 4);
  EXPECT_EQ(ProfileRaw[0], 0x3000);
  EXPECT_EQ(ProfileRaw[3], 0x3000);
}

TEST_F(ScannerCommandsTest, ZeroPointsClearsAndAddsNothing) {
  series_.points.push_back({1, 2, "1", 255});
  ASSERT_EQ(Measure(Frame(Payload(0, {}))), MeasureResult::kPlotted);
  EXPECT_EQ(series_.clears, 1);
  EXPECT_TRUE(series_.points.empty());
  EXPECT_EQ(PointCount, 0);
}

// Points are added in reply order; sorting is the series' business.
TEST_F(ScannerCommandsTest, PointsAreAddedInReplyOrder) {
  ASSERT_EQ(Measure(Frame(Payload(3, {{1, 300}, {2, 0x3F00}, {3, 100}}))), MeasureResult::kPlotted);
  ASSERT_EQ(series_.points.size(), 3u);
  EXPECT_EQ(series_.points[0].y, ChartY(1));
  EXPECT_EQ(series_.points[1].y, ChartY(2));
  EXPECT_EQ(series_.points[2].y, ChartY(3));
  EXPECT_EQ(series_.points[1].x, ChartX(SignExtend14(0x3F00)));
}

// A reply announcing more points than its payload holds decodes only the points that are there;
// a count above 440 is no problem for the raw store.
TEST_F(ScannerCommandsTest, DecodesOnlyThePointsThePayloadHolds) {
  const struct {
    unsigned announced;
    std::size_t held;
    std::size_t extra_bytes;  // a partial point after the whole ones
    std::size_t decoded;
  } cases[] = {
      {440, 2, 0, 2}, {2, 5, 0, 2}, {3, 2, 3, 2}, {5000, 600, 1, 600}, {16383, 0, 2, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> raw;
    for (std::size_t k = 0; k < c.held; ++k) {
      raw.push_back({static_cast<std::uint16_t>(k + 1), static_cast<std::uint16_t>(k)});
    }
    Bytes payload = Payload(c.announced, raw);
    payload.insert(payload.end(), c.extra_bytes, 0x55);
    ProfileRaw.fill(0xABCD);
    ASSERT_EQ(Measure(Frame(payload)), MeasureResult::kPlotted) << c.announced;
    EXPECT_EQ(series_.points.size(), c.decoded) << c.announced;
    EXPECT_EQ(PointCount, c.decoded) << c.announced;
    for (std::size_t i = 0; i < 2 * c.decoded; ++i) {
      ASSERT_EQ(ProfileRaw[i], i % 2 == 0 ? i / 2 + 1 : i / 2) << i;
    }
    EXPECT_TRUE(std::all_of(ProfileRaw.begin() + 2 * c.decoded, ProfileRaw.end(),
                            [](std::uint16_t v) { return v == 0xABCD; }))
        << c.announced;
  }
}

TEST_F(ScannerCommandsTest, LargestPayloadFitsTheStores) {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> raw(kMaxProfilePoints, {0x100, 0x200});
  Bytes payload = Payload(16383, raw);
  ASSERT_EQ(payload.size(), 3 + 4 * kMaxProfilePoints);
  ASSERT_EQ(Measure(Frame(payload)), MeasureResult::kPlotted);
  EXPECT_EQ(PointCount, kMaxProfilePoints);
  EXPECT_EQ(series_.points.size(), kMaxProfilePoints);
}

struct Snapshot {
  std::uint16_t point_count;
  std::vector<std::uint16_t> raw;
  std::vector<std::uint8_t> reply;
  std::vector<Point> points;
  int clears;
  friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

// A failed measurement, or a reply too short to hold a point count, changes neither the series
// nor any store.
TEST_F(ScannerCommandsTest, FailedMeasurementLeavesSeriesAndStores) {
  const Bytes good = Frame(Payload(2, {{0x100, 0x10}, {0x200, 0x20}}));
  Bytes wrong_checksum = Frame(Payload(2, {{0x100, 0x11}, {0x200, 0x21}}), 0x0001);
  Bytes cut_short = Frame(Payload(2, {{0x300, 0x12}, {0x200, 0x22}}));
  cut_short.resize(cut_short.size() - 4);
  const struct {
    const char* what;
    Bytes stream;
    MeasureResult result;
  } cases[] = {
      {"time-out", {}, MeasureResult::kNoValidReply},
      {"wrong checksum", wrong_checksum, MeasureResult::kNoValidReply},
      {"cut short", cut_short, MeasureResult::kNoValidReply},
      {"head only", {0x85}, MeasureResult::kNoValidReply},
      {"empty payload", Frame({}), MeasureResult::kNoPointCount},
      {"two-byte payload", Frame({0x01, 0x05}), MeasureResult::kNoPointCount},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Measure(good), MeasureResult::kPlotted);
    const Snapshot before{PointCount,
                          {ProfileRaw.begin(), ProfileRaw.end()},
                          {ReplyBuffer.begin(), ReplyBuffer.end()},
                          series_.points,
                          series_.clears};
    EXPECT_EQ(Measure(c.stream), c.result) << c.what;
    const Snapshot after{PointCount,
                         {ProfileRaw.begin(), ProfileRaw.end()},
                         {ReplyBuffer.begin(), ReplyBuffer.end()},
                         series_.points,
                         series_.clears};
    EXPECT_TRUE(after == before) << c.what;
  }
}

TEST_F(ScannerCommandsTest, AcceptedReplyIsKeptInTheReplyStore) {
  const Bytes payload = Payload(1, {{0x123, 0x456}});
  ASSERT_EQ(Measure(Frame(payload)), MeasureResult::kPlotted);
  EXPECT_TRUE(std::equal(payload.begin(), payload.end(), ReplyBuffer.begin()));
  EXPECT_EQ(ProfileRaw[0], 0x123);
  EXPECT_EQ(ProfileRaw[1], 0x456);
}

// The series can be passed by pointer, as the window holds it.
TEST_F(ScannerCommandsTest, TakesTheSeriesByPointer) {
  RecordingSeries* series = &series_;
  driver_->QueueBytes(Frame(Payload(1, {{1, 1}})));
  EXPECT_EQ(MeasureProfile(series), MeasureResult::kPlotted);
  EXPECT_EQ(series_.points.size(), 1u);
}

}  // namespace
}  // namespace scanner

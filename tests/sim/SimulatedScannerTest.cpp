// The simulated scanner through the real channel, codec and commands: its replies must be what
// the program accepts, its state must follow the parameter writes, and bad requests are ignored.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/FrameCodec.h"
#include "scanner/ProfilePoint.h"
#include "scanner/ScannerCommands.h"
#include "sim/SimulatedScannerDriver.h"

namespace sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Collector final : scanner::ProfileSink {
  void Clear() override { points.clear(); }
  void AddXY(double x, double y, const std::string&, fw::TColor) override {
    points.push_back({x, y});
  }
  std::vector<std::pair<double, double>> points;
};

class SimulatedScannerTest : public ::testing::Test {
 protected:
  void Start(DeviceOptions options = {}) {
    auto owned = std::make_unique<SimulatedScannerDriver>(options);
    driver_ = owned.get();
    scope_ = std::make_unique<scanner::ScopedDriver>(std::move(owned));
    ASSERT_TRUE(scanner::OpenScanner());
  }
  ~SimulatedScannerTest() override { scanner::CloseScanner(); }

  // The raw reply frame to one measure request, byte by byte through the channel.
  Bytes RawReply() {
    scanner::SendCommand(scanner::kCommandMeasure);
    Bytes frame;
    std::uint8_t byte = 0;
    while (scanner::ReadScannerByte(byte)) frame.push_back(byte);
    return frame;
  }

  SimulatedScannerDriver* driver_ = nullptr;
  std::unique_ptr<scanner::ScopedDriver> scope_;
  Collector series_;
};

TEST_F(SimulatedScannerTest, OpensOnlyByTheScannersDescription) {
  SimulatedScannerDriver driver;
  EXPECT_EQ(driver.CreateFile("FT232R USB UART", 0xC0000000u, 0, nullptr, 3, 0x82, nullptr),
            scanner::kInvalidHandle);
  EXPECT_EQ(
      driver.CreateFile(scanner::kScannerDescription, 0xC0000000u, 0, nullptr, 3, 0x81, nullptr),
      scanner::kInvalidHandle);
  EXPECT_NE(
      driver.CreateFile(scanner::kScannerDescription, 0xC0000000u, 0, nullptr, 3, 0x82, nullptr),
      scanner::kInvalidHandle);
}

TEST_F(SimulatedScannerTest, RepliesPassTheCodecAndLookLikeASurface) {
  Start();
  scanner::WriteParameter(scanner::kParamIntensity, 25);
  scanner::WriteParameter(scanner::kParamZero, 1);
  EXPECT_EQ(driver_->device().parameter(0), 1);

  std::uint16_t length = 0;
  static scanner::ReplyBytes buffer;
  scanner::SendCommand(scanner::kCommandMeasure);
  ASSERT_TRUE(scanner::ReceiveReply(length, buffer));
  EXPECT_EQ(length, 3 + 4 * SurfaceProfile::kPoints);
  EXPECT_EQ(scanner::JoinRaw14(buffer[1], buffer[2]), SurfaceProfile::kPoints);

  ASSERT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
  EXPECT_EQ(scanner::PointCount, SurfaceProfile::kPoints);
  // A few points are missing (the step's shadow and drop-outs), most are there.
  EXPECT_GT(series_.points.size(), 400u);
  EXPECT_LT(series_.points.size(), 440u);
  // Across the chart's X range, inside its Y range, left to right.
  for (std::size_t i = 1; i < series_.points.size(); ++i) {
    EXPECT_LT(series_.points[i - 1].first, series_.points[i].first);
  }
  for (auto [x, y] : series_.points) {
    EXPECT_GT(x, -26000);
    EXPECT_LT(x, 26000);
    EXPECT_GT(y, -500);
    EXPECT_LT(y, 75000);
  }
  EXPECT_LT(series_.points.front().first, -24000);
  EXPECT_GT(series_.points.back().first, 24000);
  // The groove's bottom and the step are there: heights span several thousand units.
  auto [lo, hi] = std::minmax_element(series_.points.begin(), series_.points.end(),
                                      [](auto& p, auto& q) { return p.second < q.second; });
  EXPECT_GT(hi->second - lo->second, 15000);
  EXPECT_EQ(driver_->device().measurements(), 2u);
}

TEST_F(SimulatedScannerTest, LaserOffGivesOnlyMissingPoints) {
  Start();
  scanner::WriteParameter(scanner::kParamLaser, 0);
  EXPECT_FALSE(driver_->device().laser_on());
  series_.points.push_back({1, 1});
  ASSERT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
  EXPECT_TRUE(series_.points.empty());
  EXPECT_EQ(scanner::PointCount, SurfaceProfile::kPoints);
  for (std::size_t i = 0; i < 2u * SurfaceProfile::kPoints; ++i) {
    ASSERT_EQ(scanner::ProfileRaw[i], 0x3000) << i;
  }
  scanner::WriteParameter(scanner::kParamLaser, 1);
  ASSERT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
  EXPECT_GT(series_.points.size(), 400u);
}

TEST_F(SimulatedScannerTest, SameSeedSameShotsAndNoiseVariesFromShotToShot) {
  Start({.seed = 7});
  const Bytes first = RawReply();
  const Bytes second = RawReply();
  EXPECT_NE(first, second);
  scope_.reset();
  scanner::ScannerHandle = 0;

  Start({.seed = 7});
  EXPECT_EQ(RawReply(), first);
  EXPECT_EQ(RawReply(), second);
  scope_.reset();
  scanner::ScannerHandle = 0;

  Start({.seed = 8});
  EXPECT_NE(RawReply(), first);
}

// The spread of heights around the noise-free surface, in raw units, over several shots.
double Spread(std::uint8_t intensity) {
  const SurfaceProfile surface(3);
  double sum = 0;
  int n = 0;
  for (int shot = 0; shot < 5; ++shot) {
    for (const RawPoint& p : surface.Shot(shot, true, intensity)) {
      if (p.a == scanner::kNoPointMarker || p.b == scanner::kNoPointMarker) continue;
      const double d = p.a - SurfaceProfile::Height(p.b);
      sum += d * d;
      ++n;
    }
  }
  return std::sqrt(sum / n);
}

int Missing(std::uint8_t intensity) {
  const SurfaceProfile surface(3);
  int missing = 0;
  for (const RawPoint& p : surface.Shot(0, true, intensity)) {
    missing += p.a == scanner::kNoPointMarker || p.b == scanner::kNoPointMarker;
  }
  return missing;
}

TEST(SurfaceProfileTest, NoiseAndDropOutsDependOnIntensity) {
  EXPECT_LT(Spread(25), 3.0);
  EXPECT_GT(Spread(5), 1.5 * Spread(25));
  EXPECT_GT(Spread(127), 1.5 * Spread(25));
  EXPECT_GT(Missing(25), 0);
  EXPECT_LT(Missing(25), 20);
  EXPECT_GT(Missing(3), 3 * Missing(25));
  EXPECT_EQ(Missing(0), SurfaceProfile::kPoints);
}

// Requests with a wrong checksum, cut off by a new start byte or surrounded by noise: the bad
// ones are ignored, the good ones still understood.
TEST_F(SimulatedScannerTest, BadRequestsAreIgnored) {
  Start();
  Qx770Device& device = driver_->device();
  auto send = [](const Bytes& bytes) {
    for (std::uint8_t b : bytes) scanner::WriteScannerByte(b);
  };
  const Bytes laser_off = {0x20, 0x82, 0x80, 0x83, 0x81, 0x80, 0xF1, 0xA1, 0x82};
  ASSERT_EQ(laser_off.size(), 9u);
  // Laser off with its last checksum byte wrong.
  Bytes bad = laser_off;
  bad.back() ^= 0x01;
  send(bad);
  EXPECT_TRUE(device.laser_on());
  EXPECT_EQ(device.ignored_frames(), 1u);
  // Cut off by a new start byte, then noise, then the intact request.
  send({0x20, 0x82, 0x80, 0x83});
  send({0xFF, 0x85});
  send(laser_off);
  EXPECT_EQ(device.ignored_frames(), 2u);
  EXPECT_FALSE(device.laser_on());
  // A data byte of 128 or more: the wire carries its low seven bits, the checksum all eight.
  scanner::WriteParameter(scanner::kParamIntensity, 200);
  EXPECT_EQ(device.ignored_frames(), 3u);
  EXPECT_EQ(device.intensity(), 25);
  // A measure request with a wrong checksum gets no reply.
  send({0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x81});
  std::uint8_t byte = 0;
  EXPECT_FALSE(scanner::ReadScannerByte(byte));
  EXPECT_EQ(device.measurements(), 0u);
  // Unknown commands are ignored too.
  const std::uint8_t data[] = {1};
  scanner::SendCommand(9, data);
  EXPECT_EQ(device.unknown_commands(), 1u);
  EXPECT_FALSE(scanner::ReadScannerByte(byte));
}

TEST_F(SimulatedScannerTest, RequestsSplitAnywhereAreUnderstood) {
  Start();
  const Bytes measure = {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80};
  Qx770Device& device = driver_->device();
  for (std::size_t cut = 0; cut <= measure.size(); ++cut) {
    device.Receive(std::span(measure).first(cut));
    device.Receive(std::span(measure).subspan(cut));
    EXPECT_EQ(device.measurements(), cut + 1);
  }
}

TEST_F(SimulatedScannerTest, InjectedFaults) {
  const struct {
    Fault fault;
    bool any_bytes;
  } cases[] = {{Fault::kSilence, false}, {Fault::kWrongChecksum, true}, {Fault::kCutShort, true}};
  for (const auto& c : cases) {
    scope_.reset();
    scanner::ScannerHandle = 0;
    Start({.seed = 1, .fault = c.fault, .fault_every = 2});
    ASSERT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
    const Bytes reply = RawReply();
    EXPECT_EQ(!reply.empty(), c.any_bytes) << FaultName(c.fault);
    if (c.fault == Fault::kCutShort) {
      EXPECT_EQ(reply.size(), (3 + 4 * 440 + 6) / 2);
    }
    // Only every second measurement is hit.
    EXPECT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
    EXPECT_EQ(RawReply().empty(), !c.any_bytes);  // the fourth is faulty again
    EXPECT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kPlotted);
  }
  // The wrong-checksum reply is refused by the codec.
  scope_.reset();
  scanner::ScannerHandle = 0;
  Start({.seed = 1, .fault = Fault::kWrongChecksum});
  series_.points = {{1, 2}};
  EXPECT_EQ(scanner::MeasureProfile(series_), scanner::MeasureResult::kNoValidReply);
  EXPECT_EQ(series_.points.size(), 1u);
}

TEST(FaultNameTest, ParsesEveryName) {
  for (Fault f : {Fault::kNone, Fault::kSilence, Fault::kWrongChecksum, Fault::kCutShort}) {
    Fault parsed = Fault::kNone;
    ASSERT_TRUE(ParseFault(FaultName(f), parsed));
    EXPECT_EQ(parsed, f);
  }
  Fault parsed = Fault::kNone;
  EXPECT_FALSE(ParseFault("loud", parsed));
}

TEST_F(SimulatedScannerTest, PurgeClearingInputDropsAPendingReply) {
  Start();
  scanner::SendCommand(scanner::kCommandMeasure);
  scanner::PurgeScanner(scanner::kPurgeRxClear);
  std::uint8_t byte = 0;
  EXPECT_FALSE(scanner::ReadScannerByte(byte));
}

}  // namespace
}  // namespace sim

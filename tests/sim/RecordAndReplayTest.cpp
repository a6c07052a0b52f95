// Recording the exchanges with the simulated scanner (faults included) and replaying them: the
// replay gives every measurement the same result and the same points, bit for bit; the recorded
// verdicts are the program's own; replay timing keeps the recorded pace when asked.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ProfileCsv.h"
#include "scanner/ScannerCommands.h"
#include "sim/ExchangeRecorder.h"
#include "sim/ReplayDriver.h"
#include "sim/SimulatedScannerDriver.h"

namespace sim {
namespace {

struct LiveRun {
  std::vector<scanner::MeasureResult> results;
  std::vector<std::vector<scanner::PlottedPoint>> profiles;  // after each measurement
};

LiveRun Measure(std::unique_ptr<scanner::FtdiDriver> driver, int count) {
  scanner::ScopedDriver scope(std::move(driver));
  LiveRun run;
  EXPECT_TRUE(scanner::OpenScanner());
  scanner::WriteParameter(scanner::kParamIntensity, 20);
  scanner::WriteParameter(scanner::kParamZero, 1);
  scanner::ProfileCollector series;
  for (int i = 0; i < count; ++i) {
    run.results.push_back(scanner::MeasureProfile(series));
    run.profiles.push_back(series.points());
  }
  scanner::CloseScanner();
  return run;
}

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("qx770-" + name + "-" + std::to_string(::getpid()) + ".qxrec"))
      .string();
}

TEST(RecordAndReplayTest, AReplayGivesTheLiveRunsResultsAndPoints) {
  for (Fault fault : {Fault::kNone, Fault::kSilence, Fault::kWrongChecksum, Fault::kCutShort}) {
    SCOPED_TRACE(FaultName(fault));
    const std::string path = TempPath(std::string("replay-") + FaultName(fault));
    DeviceOptions options;
    options.seed = 7;
    options.fault = fault;
    options.fault_every = 3;
    auto writer = RecordingWriter::Create(path);
    ASSERT_NE(writer, nullptr);
    const LiveRun live =
        Measure(std::make_unique<ExchangeRecorder>(
                    std::make_unique<SimulatedScannerDriver>(options), std::move(writer)),
                7);

    std::vector<Exchange> recording;
    ASSERT_EQ(LoadRecording(path, recording), std::nullopt);
    // Two parameter writes, then the seven measurements with the program's verdicts.
    ASSERT_EQ(recording.size(), 9u);
    EXPECT_EQ(recording[0].verdict, Verdict::kNoReply);
    EXPECT_EQ(recording[1].verdict, Verdict::kNoReply);
    for (int i = 0; i < 7; ++i) {
      const bool accepted = live.results[i] == scanner::MeasureResult::kPlotted;
      EXPECT_EQ(recording[2 + i].verdict, accepted ? Verdict::kAccepted : Verdict::kRefused) << i;
      EXPECT_EQ(accepted, fault == Fault::kNone || (i + 1) % 3 != 0) << i;
      EXPECT_GE(recording[2 + i].time_us, recording[1 + i].time_us);
    }

    auto replay = std::make_unique<ReplayDriver>(recording);
    const ReplayDriver* driver = replay.get();
    EXPECT_EQ(driver->measures().size(), 7u);
    const LiveRun again = Measure(std::move(replay), 8);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(again.results[i], live.results[i]) << i;
      EXPECT_EQ(again.profiles[i], live.profiles[i]) << i;
    }
    // The recording is used up: the eighth request gets no reply.
    EXPECT_EQ(again.results[7], scanner::MeasureResult::kNoValidReply);
    std::filesystem::remove(path);
  }
}

TEST(RecordAndReplayTest, ReplayTimingFollowsTheSpeed) {
  // Two measurements recorded 40 ms apart, each reply 20 ms after its request.
  Exchange first;
  first.request = {0x20, 0x80, 0x80, 0x85, 0xC0, 0x87, 0x80};
  first.time_us = 1'000'000;
  first.duration_us = 20'000;
  first.verdict = Verdict::kRefused;
  Exchange second = first;
  second.time_us = 1'040'000;

  for (double speed : {0.0, 1.0, 2.0}) {
    SCOPED_TRACE(speed);
    const auto start = std::chrono::steady_clock::now();
    Measure(std::make_unique<ReplayDriver>(std::vector<Exchange>{first, second}, speed), 2);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    // The second reply is due 60 ms / speed after the first request.
    if (speed == 0) {
      EXPECT_LT(ms, 59);  // less than any paced run
    } else {
      EXPECT_GE(ms, 60 / speed - 1);
    }
  }
}

}  // namespace
}  // namespace sim

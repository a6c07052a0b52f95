#include "tools/MeasureCommand.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ProfileCsv.h"
#include "scanner/ScannerCommands.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "sim/ExchangeRecorder.h"
#include "sim/ReplayOptions.h"
#include "sim/ScannerOpenFailure.h"
#include "sim/ScannerSource.h"
#include "tools/ReadWatchDriver.h"

namespace tools {
namespace {

std::unique_ptr<scanner::FtdiDriver> MakeDriver(const MeasureOptions& options) {
  // Installed eagerly even for the default, so that the read watch can wrap it.
  if (auto chosen = sim::MakeScannerDriver(options.source, options.port)) return chosen;
  return scanner::MakeDefaultDriver();
}

std::string Plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string MeasureFailure(scanner::MeasureResult result, const ReadWatchDriver& watch,
                           bool disconnected) {
  if (disconnected) return "the scanner was disconnected";
  const auto& t = scanner::ScannerTimeouts;
  const std::string wait = std::to_string(t.read_total_multiplier + t.read_total_constant) + " ms";
  if (result == scanner::MeasureResult::kNoPointCount) {
    return "the scanner's reply was too short to hold a point count";
  }
  if (watch.bytes_read() == 0) return "no reply from the scanner within " + wait;
  if (watch.last_read_timed_out()) {
    return "the scanner's reply was cut short: " +
           Plural(watch.bytes_read(), "byte came", "bytes came") + ", then nothing for " + wait;
  }
  return "the scanner's reply had a wrong checksum";
}

// Puts the previous driver back and closes the channel, whichever way RunMeasure ends; notes a
// serial port that goes away meanwhile.
class ChannelSession {
 public:
  explicit ChannelSession(std::unique_ptr<scanner::FtdiDriver> driver)
      : previous_(scanner::SetDriver(std::move(driver))) {
    scanner::SetSerialBridgeDisconnectHandler([this](const std::string&) { disconnected_ = true; });
  }
  ~ChannelSession() {
    scanner::CloseScanner();
    scanner::SetDriver(std::move(previous_));
    scanner::SetSerialBridgeDisconnectHandler(nullptr);
  }
  bool disconnected() const { return disconnected_; }
  ChannelSession(const ChannelSession&) = delete;
  ChannelSession& operator=(const ChannelSession&) = delete;

 private:
  std::unique_ptr<scanner::FtdiDriver> previous_;
  bool disconnected_ = false;
};

}  // namespace

int RunMeasure(const MeasureOptions& options, std::ostream& out, std::ostream& err) {
  std::ofstream file;
  std::ostream* csv = nullptr;
  if (options.csv) {
    if (*options.csv == "-") {
      csv = &out;
    } else {
      file.open(*options.csv, std::ios::out | std::ios::trunc);
      if (!file) {
        err << "qx770: cannot write the CSV file " << *options.csv << "\n";
        return 1;
      }
      csv = &file;
    }
  }

  std::unique_ptr<scanner::FtdiDriver> driver;
  const sim::ReplayDriver* replay = nullptr;
  if (options.replay.file) {
    std::string error;
    auto replaying = sim::MakeReplayDriver(options.replay, error);
    if (!replaying) {
      err << "qx770: " << error << "\n";
      return 1;
    }
    replay = replaying.get();
    driver = std::move(replaying);
  } else {
    driver = MakeDriver(options);
  }
  const sim::ExchangeRecorder* recorder = nullptr;
  if (options.record) {
    auto writer = sim::RecordingWriter::Create(*options.record);
    if (!writer) {
      err << "qx770: cannot write the recording " << *options.record << "\n";
      return 1;
    }
    auto recording = std::make_unique<sim::ExchangeRecorder>(std::move(driver), std::move(writer));
    recorder = recording.get();
    driver = std::move(recording);
  }
  auto owned = std::make_unique<ReadWatchDriver>(std::move(driver));
  const ReadWatchDriver& watch = *owned;
  ChannelSession session(std::move(owned));
  {
    // The channel tells the operator "Error." when it cannot open; here the sentence below says
    // more.
    fw::ScopedMessageBoxPresenter quiet([](const fw::MessageBoxRequest&) { return 1; });
    if (!scanner::OpenScanner()) {
      err << "qx770: " << sim::ExplainOpenFailure(options.source, options.port) << "\n";
      return 1;
    }
  }

  scanner::WriteParameter(scanner::kParamIntensity, static_cast<std::uint8_t>(options.intensity));
  scanner::WriteParameter(scanner::kParamZero, 1);
  if (options.laser) scanner::WriteParameter(scanner::kParamLaser, *options.laser ? 1 : 0);

  if (csv != nullptr) scanner::WriteProfileCsvHeader(*csv);
  scanner::ProfileCollector profile;
  for (long n = 1; n <= options.count; ++n) {
    if (replay != nullptr && replay->exhausted()) {
      if (csv != nullptr) csv->flush();
      err << "qx770: measurement " << n << " of " << options.count << " failed: the recording "
          << *options.replay.file << " holds only " << replay->measures().size()
          << " measurements\n";
      return 1;
    }
    const scanner::MeasureResult result = scanner::MeasureProfile(profile);
    if (result != scanner::MeasureResult::kPlotted) {
      if (csv != nullptr) csv->flush();
      err << "qx770: measurement " << n << " of " << options.count
          << " failed: " << MeasureFailure(result, watch, session.disconnected()) << "\n";
      return 1;
    }
    const std::vector<scanner::PlottedPoint>& points = profile.points();
    if (csv != nullptr) scanner::WriteProfileCsv(*csv, n, points);
    if (csv != &out) scanner::WriteProfileSummary(out, n, points, scanner::PointCount);
  }
  if (csv != nullptr) {
    csv->flush();
    if (!*csv) {
      err << "qx770: writing the CSV output failed\n";
      return 1;
    }
  }
  if (recorder != nullptr && !recorder->writer().good()) {
    err << "qx770: writing the recording " << *options.record << " failed\n";
    return 1;
  }
  return 0;
}

}  // namespace tools

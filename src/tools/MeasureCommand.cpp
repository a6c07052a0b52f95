#include "tools/MeasureCommand.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/MessageBox.h"
#include "scanner/Channel.h"
#include "scanner/DriverSelection.h"
#include "scanner/ScannerCommands.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "sim/ScannerOpenFailure.h"
#include "sim/ScannerSource.h"
#include "tools/ReadWatchDriver.h"

namespace tools {
namespace {

struct Point {
  std::int64_t x = 0;
  std::int64_t y = 0;
};

// Collects one profile's points in the order a series with ascending X holds them: sorted by X,
// points with equal X in their order of arrival.
class ProfileCollector final : public scanner::ProfileSink {
 public:
  void Clear() override { points_.clear(); }
  void AddXY(double x, double y, const std::string& /*label*/, fw::TColor /*colour*/) override {
    const Point p{static_cast<std::int64_t>(x), static_cast<std::int64_t>(y)};
    const auto at = std::upper_bound(points_.begin(), points_.end(), p,
                                     [](const Point& a, const Point& b) { return a.x < b.x; });
    points_.insert(at, p);
  }
  const std::vector<Point>& points() const { return points_; }

 private:
  std::vector<Point> points_;
};

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

  auto owned = std::make_unique<ReadWatchDriver>(MakeDriver(options));
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

  if (csv != nullptr) *csv << "profile,index,X,Y\n";
  ProfileCollector profile;
  for (long n = 1; n <= options.count; ++n) {
    const scanner::MeasureResult result = scanner::MeasureProfile(profile);
    if (result != scanner::MeasureResult::kPlotted) {
      if (csv != nullptr) csv->flush();
      err << "qx770: measurement " << n << " of " << options.count
          << " failed: " << MeasureFailure(result, watch, session.disconnected()) << "\n";
      return 1;
    }
    const std::vector<Point>& points = profile.points();
    if (csv != nullptr) {
      for (std::size_t i = 0; i < points.size(); ++i) {
        *csv << n << ',' << i << ',' << points[i].x << ',' << points[i].y << '\n';
      }
    }
    if (csv != &out) {
      out << "profile " << n << ": " << Plural(points.size(), "point", "points");
      if (!points.empty()) {
        const auto [lo, hi] = std::minmax_element(
            points.begin(), points.end(), [](const Point& a, const Point& b) { return a.y < b.y; });
        out << ", X " << points.front().x << " to " << points.back().x << ", Y " << lo->y << " to "
            << hi->y;
      }
      out << " (" << scanner::PointCount << " in the reply)\n";
    }
  }
  if (csv != nullptr) {
    csv->flush();
    if (!*csv) {
      err << "qx770: writing the CSV output failed\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace tools

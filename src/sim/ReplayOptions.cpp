#include "sim/ReplayOptions.h"

#include <cmath>
#include <cstdlib>

namespace sim {

bool ReadReplayOption(fw::TCommandLine& line, ReplaySource& source,
                      std::optional<std::string>& error) {
  if (line.Name() == "--replay") {
    const auto v = line.Value();
    if (!v || v->empty()) {
      error = "--replay needs a recording file, e.g. run.qxrec";
    } else {
      source.file = *v;
    }
    return true;
  }
  if (line.Name() == "--replay-speed") {
    const auto v = line.Value();
    if (!v) {
      error = line.NeedsValue();
      return true;
    }
    char* end = nullptr;
    const double speed = v->empty() ? -1 : std::strtod(v->c_str(), &end);
    if (v->empty() || end != v->c_str() + v->size() || !std::isfinite(speed) || speed < 0) {
      error =
          "--replay-speed must be a number from 0 up (0: as fast as possible, 1: as "
          "recorded), not '" +
          *v + "'";
    } else {
      source.speed = speed;
      source.speed_given = true;
    }
    return true;
  }
  return false;
}

std::optional<std::string> ReplayConflict(const ReplaySource& source, bool other_source) {
  if (source.speed_given && !source.file) return "--replay-speed needs --replay FILE";
  if (source.file && other_source) {
    return "--replay cannot be used together with --simulate, --port or --serial";
  }
  return std::nullopt;
}

std::unique_ptr<ReplayDriver> MakeReplayDriver(const ReplaySource& source, std::string& error) {
  std::vector<Exchange> exchanges;
  if (!source.file) {
    error = "no recording to replay";
    return nullptr;
  }
  if (auto failure = LoadRecording(*source.file, exchanges)) {
    error = "cannot replay " + *source.file + ": " + failure->message;
    return nullptr;
  }
  return std::make_unique<ReplayDriver>(std::move(exchanges), source.speed);
}

}  // namespace sim

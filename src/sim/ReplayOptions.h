// The options that make a program answer from a recording: `--replay FILE` (the recording,
// RecordingFile.h) and `--replay-speed S` (0, the default: every reply at once; 1: at the recorded
// pace; any other number from 0 up: that many times as fast). Both the operator window and
// `qx770 measure` read them beside "--simulate" and "--port"; a replay excludes both.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "framework/core/CommandLine.h"
#include "sim/ReplayDriver.h"

namespace sim {

// What a program's command line asks of a replay: `--replay FILE` and `--replay-speed S`.
struct ReplaySource {
  std::optional<std::string> file;
  double speed = 0;
  bool speed_given = false;
};

// Reads the line's current option into `source` when it is "--replay" or "--replay-speed" and
// returns true (with `error` set when it was misused); false for any other option.
bool ReadReplayOption(fw::TCommandLine& line, ReplaySource& source,
                      std::optional<std::string>& error);
// Once the line is read: the refusal of "--replay-speed" without "--replay", and of "--replay"
// beside another scanner source (`other_source`: "--simulate" or "--port" was given).
std::optional<std::string> ReplayConflict(const ReplaySource& source, bool other_source);

// Loads the recording and makes its driver; nullptr with `error` set (one sentence naming the
// file and the byte offset) when the recording cannot be read or is damaged.
std::unique_ptr<ReplayDriver> MakeReplayDriver(const ReplaySource& source, std::string& error);

}  // namespace sim

// `qx770 replay FILE [--csv OUT|-]`: the profiles of a recording (made with `--record`), without
// a scanner and without the window.
//
// The recording's measure exchanges are answered, in order and as fast as possible, by the
// replay driver through the real channel, codec and decoding, so each accepted reply gives the
// points it gave when it was recorded. Profiles are numbered by their measurement in the
// recording (1 for the first), so a refused reply leaves a gap; the CSV has the columns of
// `qx770 measure --csv`. Without --csv a one-line summary of each measurement is printed.
//
// Exit status: 0 when every reply got the verdict it got when recorded (refused replies are part
// of a recording, not a failure); 1 when the recording cannot be read or is damaged (the message
// names the byte offset), the output cannot be written, or a reply is judged differently now;
// 2 for a bad command line.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <variant>

namespace tools {

struct ReplayOptions {
  std::string file;
  std::optional<std::string> csv;  // a file name, or "-" for standard output
  bool help = false;
};

struct ReplayUsageError {
  std::string message;
};

std::variant<ReplayOptions, ReplayUsageError> ParseReplayOptions(std::span<const std::string> args);

int RunReplay(const ReplayOptions& options, std::ostream& out, std::ostream& err);

extern const char kReplayUsage[];

}  // namespace tools

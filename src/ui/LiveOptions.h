// The window program's options for continuous measurement, recording and replay:
// --live, --count N, --csv FILE, --record FILE, --replay FILE, --replay-speed S. ParseDemoOptions
// (ProgramOptions.h) hands each option to ReadLiveOption and checks LiveConflict at the end.
#pragma once

#include <optional>
#include <string>

#include "framework/core/CommandLine.h"
#include "ui/ProgramOptions.h"

namespace ui {

// Reads the line's current option into `options` when it is one of the above and returns true
// (with `error` set when it was misused); false for any other option.
bool ReadLiveOption(fw::TCommandLine& line, DemoOptions& options,
                    std::optional<std::string>& error);

// Once the line is read: --count without --live, --live with --screenshot but no --count (the
// picture would never be taken), a replay beside --simulate or --port, --replay-speed alone.
std::optional<std::string> LiveConflict(const DemoOptions& options);

}  // namespace ui

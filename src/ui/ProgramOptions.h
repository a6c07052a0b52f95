// The options of the program qx770-demo, and reading them from the command line.
//
//   qx770-demo [--simulate | --port PATH | --serial NUMBER | --replay FILE [--replay-speed S]]
//              [--measure] [--live [--count N]] [--screenshot FILE] [--csv FILE] [--record FILE]
//              [--help]
//
// Every option is an addition: without any, the program opens the scanner's bridge by its USB
// description and runs the window until the operator closes it. ParseDemoOptions takes the
// arguments after the program name (each option either as "--name value" or "--name=value") and
// returns the options, or the sentence that says what is wrong.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>

#include "sim/ReplayOptions.h"
#include "sim/ScannerSource.h"

namespace ui {

struct DemoOptions {
  using Source = sim::ScannerSource;

  Source source = Source::kDescription;
  std::string port;  // the device path for kPort, the USB serial number for kSerialNumber
  bool measure = false;
  std::optional<std::string> screenshot;
  bool help = false;
  sim::ReplaySource replay;           // answer from a recording instead of a scanner
  std::optional<std::string> record;  // record every exchange into this file
  bool live = false;                  // continuous measurement from the start
  std::optional<long> count;          // ... stopping after this many measurements
  std::optional<std::string> csv;     // the shown profile, written on exit or at the screenshot
};

struct DemoUsageError {
  std::string message;
};

std::variant<DemoOptions, DemoUsageError> ParseDemoOptions(std::span<const std::string> args);

// The help text.
extern const char kDemoUsage[];

}  // namespace ui

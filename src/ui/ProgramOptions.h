// The options of the program qx770-demo, and reading them from the command line.
//
//   qx770-demo [--simulate | --port PATH | --serial NUMBER] [--measure] [--screenshot FILE]
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

#include "sim/ScannerSource.h"

namespace ui {

struct DemoOptions {
  using Source = sim::ScannerSource;

  Source source = Source::kDescription;
  std::string port;  // the device path for kPort, the USB serial number for kSerialNumber
  bool measure = false;
  std::optional<std::string> screenshot;
  bool help = false;
};

struct DemoUsageError {
  std::string message;
};

std::variant<DemoOptions, DemoUsageError> ParseDemoOptions(std::span<const std::string> args);

// The help text.
extern const char kDemoUsage[];

}  // namespace ui

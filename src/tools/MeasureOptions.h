// The options of `qx770 measure`, and reading them from the command line.
//
//   qx770 measure [--port PATH | --serial NUMBER | --simulate | --replay FILE [--replay-speed S]]
//                 [--intensity N] [--laser on|off] [--count N] [--csv FILE|-] [--record FILE]
//
// ParseMeasureOptions takes the arguments after "measure" (each option either as "--name value"
// or "--name=value") and returns the options, or the sentence that says what is wrong. The
// intensity is refused outside 0 to 127: the wire carries only seven bits of each data byte, and
// the scanner ignores a request whose byte had more (its checksum would not match).
#pragma once

#include <optional>
#include <span>
#include <string>
#include <variant>

#include "sim/ReplayOptions.h"
#include "sim/ScannerSource.h"

namespace tools {

struct MeasureOptions {
  using Source = sim::ScannerSource;

  Source source = Source::kDescription;
  std::string port;  // the device path for kPort, the USB serial number for kSerialNumber
  int intensity = 25;
  std::optional<bool> laser;  // switch the laser when set
  long count = 1;
  std::optional<std::string> csv;     // a file name, or "-" for standard output
  sim::ReplaySource replay;           // answer from a recording instead of a scanner
  std::optional<std::string> record;  // record every exchange into this file
  bool help = false;
};

struct UsageError {
  std::string message;
};

std::variant<MeasureOptions, UsageError> ParseMeasureOptions(std::span<const std::string> args);

// The help text of `qx770 measure`.
extern const char kMeasureUsage[];

}  // namespace tools

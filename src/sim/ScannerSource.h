// Where a program finds the scanner, chosen on its command line, and the driver for that choice.
//
// Both the operator window qx770-demo and the tool `qx770 measure` take "--simulate" (the built-in
// simulator), "--port PATH" (the serial bridge on a device path) or "--serial NUMBER" (the bridge
// with that USB serial number); without any the scanner's USB bridge is found by its description.
// ScannerSourceReader reads those options for a parser built on fw::TCommandLine and refuses two
// of them together; MakeScannerDriver makes the
// driver the program installs before it opens the channel. It lives beside the simulator because
// the scanner library knows nothing of it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/core/CommandLine.h"
#include "scanner/FtdiDriver.h"

namespace sim {

enum class ScannerSource { kDescription, kPort, kSimulator, kSerialNumber };

class ScannerSourceReader {
 public:
  // Writes the choice into `source` and `port` (the device path for kPort, the serial number for
  // kSerialNumber). `missing_port` is the sentence for a "--port" that
  // ends the line; without one it is the reader's "--port needs a value".
  ScannerSourceReader(ScannerSource& source, std::string& port,
                      std::optional<std::string> missing_port = std::nullopt)
      : source_(&source), port_(&port), missing_port_(std::move(missing_port)) {}

  // Reads the line's current option when it is "--simulate", "--port" or "--serial" and returns
  // true, with
  // `error` set when it was misused; returns false for any other option.
  bool Read(fw::TCommandLine& line, std::optional<std::string>& error);

  // Once the line is read: the refusal when two of "--port", "--simulate" and "--serial" were
  // given.
  std::optional<std::string> Conflict() const;

 private:
  ScannerSource* source_;
  std::string* port_;
  std::optional<std::string> missing_port_;
  bool port_given_ = false;
  bool simulate_given_ = false;
  bool serial_given_ = false;
};

// The simulator for kSimulator, the serial bridge on `port` for kPort, the default driver opening
// by the serial number `port` for kSerialNumber; nullptr for kDescription, where the channel's
// default (found by USB description) applies.
std::unique_ptr<scanner::FtdiDriver> MakeScannerDriver(ScannerSource source,
                                                       const std::string& port);

}  // namespace sim

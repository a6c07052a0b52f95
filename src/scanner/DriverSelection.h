// Which driver the scanner channel talks through, process-wide.
//
// The channel calls Driver() for every operation. The first call without an installed driver
// installs the default: the vendor's D2XX library when it is installed, otherwise the fallback
// driver the program chose with SetFallbackDriver (the programs choose the bridge over the
// operating system's serial driver, scanner/serial/SerialBridgeFallback.h), otherwise a driver
// that finds no bridge. The program may install another driver before it opens the channel (the
// bridge on an explicit device path, the simulator); tests install doubles with ScopedDriver.
#pragma once

#include <memory>

#include "scanner/FtdiDriver.h"

namespace scanner {

// The process-wide driver; installs MakeDefaultDriver() on first use.
FtdiDriver& Driver();

// Installs `driver` (nullptr: the default is chosen again on next use); returns the previous one.
std::unique_ptr<FtdiDriver> SetDriver(std::unique_ptr<FtdiDriver> driver);

// Makes the driver used when the vendor's library is not installed.
using DriverFactory = std::unique_ptr<FtdiDriver> (*)();

// Chooses the fallback of MakeDefaultDriver (nullptr: none, every open then fails).
void SetFallbackDriver(DriverFactory factory);

// The D2XX library when it is installed, otherwise the fallback driver, otherwise a driver whose
// CreateFile always fails.
std::unique_ptr<FtdiDriver> MakeDefaultDriver();

// Installs a driver for the lifetime of the object and puts the previous one back after.
class ScopedDriver {
 public:
  explicit ScopedDriver(std::unique_ptr<FtdiDriver> driver)
      : previous_(SetDriver(std::move(driver))) {}
  ~ScopedDriver() { SetDriver(std::move(previous_)); }
  ScopedDriver(const ScopedDriver&) = delete;
  ScopedDriver& operator=(const ScopedDriver&) = delete;

 private:
  std::unique_ptr<FtdiDriver> previous_;
};

}  // namespace scanner

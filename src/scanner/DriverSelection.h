// Which driver the scanner channel talks through, process-wide.
//
// The channel calls Driver() for every operation. The first call without an installed driver
// installs the default: the vendor's D2XX library when it is installed, otherwise the bridge over
// the operating system's serial driver, which finds the scanner by its USB description. The
// program may install another driver before it opens the channel (the bridge on an explicit
// device path, the simulator); tests install doubles with ScopedDriver.
#pragma once

#include <memory>

#include "scanner/FtdiDriver.h"

namespace scanner {

// The process-wide driver; installs MakeDefaultDriver() on first use.
FtdiDriver& Driver();

// Installs `driver` (nullptr: the default is chosen again on next use); returns the previous one.
std::unique_ptr<FtdiDriver> SetDriver(std::unique_ptr<FtdiDriver> driver);

// The D2XX library when it is installed, otherwise the serial bridge by USB description.
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

// `qx770 devices`: the candidate bridges of the scanner and what stands in the way of using one.
//
//   qx770 devices [--sysfs-root DIR] [--dev-root DIR] [--vendor-library FILE]
//
// Lists every FTDI bridge the kernel sees (DeviceScan.h) with its device path and stable
// /dev/serial/by-id path, USB description, serial number, kernel driver, whether the vendor's
// D2XX library is installed (and would take the bridge), whether this user can open it, and its
// latency timer; then one sentence of what to do (or that the scanner is ready). Exit status 0
// when a usable scanner was found, 1 otherwise, 2 for a bad command line. The roots and the
// library's file name default to the system's; tests point them elsewhere.
#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <variant>

#include "tools/DeviceScan.h"

namespace tools {

struct DevicesOptions {
  DeviceRoots roots;
  std::string vendor_library;  // the D2XX library's file name; empty: the platform's default
  bool help = false;
};

struct DevicesUsageError {
  std::string message;
};

std::variant<DevicesOptions, DevicesUsageError> ParseDevicesOptions(
    std::span<const std::string> args);

int RunDevices(const DevicesOptions& options, std::ostream& out);

extern const char kDevicesUsage[];

}  // namespace tools

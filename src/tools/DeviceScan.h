// The USB-serial bridges attached to this machine, as the kernel shows them in sysfs.
//
// ScanBridges lists every FTDI bridge (USB vendor 0403) under <sysfs>/bus/usb/devices: for each
// of its interfaces the serial port the kernel made of it (ttyUSBn under <dev>, and its stable
// name under <dev>/serial/by-id), the USB description (product string), serial number and
// manufacturer, the kernel driver bound to the interface (ftdi_sio, or none when the vendor's
// library is meant to take it), the driver's latency timer, and whether this user can open the
// port. The roots are parameters so that tests can point them at a fake tree. Linux only; on
// other systems nothing is found.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scanner/serial/PortCheck.h"

namespace tools {

struct DeviceRoots {
  std::string sysfs = "/sys";
  std::string dev = "/dev";
};

struct BridgeInfo {
  std::string usb_name;  // the interface's sysfs name, e.g. 1-1.2:1.0
  std::string description;
  std::string serial;
  std::string manufacturer;
  std::string tty;          // e.g. ttyUSB0; empty when no serial driver made a port of it
  std::string device_path;  // <dev>/ttyUSB0
  std::string by_id;        // <dev>/serial/by-id/...; empty when there is no such link
  std::string kernel_driver;
  std::optional<int> latency_timer_ms;
  scanner::PortCheck access;  // meaningful only with a device path
  // Whether its description is the one the scanner's bridge carries.
  bool is_scanner = false;
};

std::vector<BridgeInfo> ScanBridges(const DeviceRoots& roots);

}  // namespace tools

#include "tools/DevicesCommand.h"

#include <ostream>
#include <vector>

#include "framework/core/CommandLine.h"
#include "scanner/Channel.h"
#include "scanner/D2xxLibrary.h"

namespace tools {

const char kDevicesUsage[] =
    "Usage: qx770 devices [--sysfs-root DIR] [--dev-root DIR] [--vendor-library FILE]\n"
    "\n"
    "Lists every FTDI USB-serial bridge attached to this machine, the scanner's among them\n"
    "(its USB description is \"D2XX Recovery PID for XP\"): its serial port and stable\n"
    "/dev/serial/by-id name, USB description, serial number, the kernel driver bound to it,\n"
    "whether the FTDI D2XX library is installed and would take it, whether you may open it,\n"
    "and its latency timer. The last line says what to do when something stands in the way.\n"
    "\n"
    "Options (for looking at another device tree, e.g. in tests):\n"
    "  --sysfs-root DIR       read the kernel's device tree under DIR (default /sys)\n"
    "  --dev-root DIR         look for device nodes under DIR (default /dev)\n"
    "  --vendor-library FILE  the D2XX library to look for (default libftd2xx.so)\n"
    "  --help                 show this text\n"
    "\n"
    "Exit status: 0 when a usable scanner was found, 1 otherwise, 2 for a bad command line.\n";

std::variant<DevicesOptions, DevicesUsageError> ParseDevicesOptions(
    std::span<const std::string> args) {
  DevicesOptions o;
  fw::TCommandLine line(args);
  while (line.Next()) {
    std::optional<std::string> error;
    const std::string& name = line.Name();
    std::string* target = nullptr;
    if (line.IsHelp()) {
      error = line.NoValueError();
      o.help = true;
    } else if (name == "--sysfs-root") {
      target = &o.roots.sysfs;
    } else if (name == "--dev-root") {
      target = &o.roots.dev;
    } else if (name == "--vendor-library") {
      target = &o.vendor_library;
    } else {
      return DevicesUsageError{line.Unknown()};
    }
    if (target != nullptr) {
      const auto v = line.Value();
      if (!v || v->empty()) return DevicesUsageError{line.NeedsValue()};
      *target = *v;
    }
    if (error) return DevicesUsageError{*error};
  }
  return o;
}

namespace {

// What keeps one scanner bridge from being used without options, or nothing.
enum class Obstacle { kNone, kBothDrivers, kNoDriver, kNoPort, kAccess };

Obstacle ObstacleOf(const BridgeInfo& b, bool vendor_library) {
  if (vendor_library) return b.kernel_driver.empty() ? Obstacle::kNone : Obstacle::kBothDrivers;
  if (b.kernel_driver.empty()) return Obstacle::kNoDriver;
  if (b.device_path.empty()) return Obstacle::kNoPort;
  if (b.access.problem != scanner::PortProblem::kNone) return Obstacle::kAccess;
  return Obstacle::kNone;
}

std::string ValueOr(const std::string& value, const char* missing) {
  return value.empty() ? missing : value;
}

void PrintBridge(const BridgeInfo& b, bool vendor_library, std::ostream& out) {
  out << (b.device_path.empty() ? "USB interface " + b.usb_name + " (no serial port)"
                                : b.device_path)
      << "\n";
  out << "  by-id:          " << ValueOr(b.by_id, "(none)") << "\n";
  out << "  description:    " << ValueOr(b.description, "(none)")
      << (b.is_scanner ? "  (the scanner's bridge)" : "") << "\n";
  out << "  serial number:  " << ValueOr(b.serial, "(none)") << "\n";
  out << "  kernel driver:  " << ValueOr(b.kernel_driver, "none") << "\n";
  out << "  vendor library: ";
  if (!vendor_library) {
    out << "not installed\n";
  } else if (b.kernel_driver.empty()) {
    out << "installed, and would take the bridge\n";
  } else {
    out << "installed, but " << b.kernel_driver << " holds the bridge\n";
  }
  out << "  access:         ";
  if (b.device_path.empty()) {
    out << "no serial port to open\n";
  } else if (b.access.problem == scanner::PortProblem::kNone) {
    out << "you can open it\n";
  } else {
    out << scanner::DescribePortProblem(b.device_path, b.access) << "\n";
  }
  out << "  latency timer:  ";
  if (b.latency_timer_ms) {
    out << *b.latency_timer_ms << " ms\n";
  } else {
    out << "unknown\n";
  }
}

std::string Advice(const BridgeInfo& b, Obstacle obstacle) {
  const std::string& path = b.device_path;
  switch (obstacle) {
    case Obstacle::kBothDrivers:
      return "The FTDI D2XX library and the kernel's " + b.kernel_driver +
             " driver both want the scanner's bridge: unload the kernel driver (sudo rmmod " +
             b.kernel_driver + ") or remove the vendor library.";
    case Obstacle::kNoDriver:
      return "No driver serves the scanner's bridge: load the kernel's serial driver (sudo "
             "modprobe ftdi_sio) or install the FTDI D2XX library.";
    case Obstacle::kNoPort:
      return "The kernel's " + b.kernel_driver +
             " driver made no serial port of the scanner's bridge: unplug it and plug it in "
             "again.";
    case Obstacle::kAccess:
      switch (b.access.problem) {
        case scanner::PortProblem::kPermissionDenied:
          return "You may not open " + path +
                 ": add yourself to the dialout group (sudo adduser $USER dialout, then log in "
                 "again) or install the udev rule of qx770-demo.";
        case scanner::PortProblem::kInUse:
          return path + " is in use by another program: close that program and try again.";
        default:
          return "The scanner's port cannot be opened: " +
                 scanner::DescribePortProblem(path, b.access) + ".";
      }
    case Obstacle::kNone:
      break;
  }
  return {};
}

}  // namespace

int RunDevices(const DevicesOptions& options, std::ostream& out) {
  const std::string library =
      options.vendor_library.empty() ? scanner::DefaultD2xxLibraryFile() : options.vendor_library;
  const bool vendor_library = scanner::OpenD2xxLibrary(library) != nullptr;
  const std::vector<BridgeInfo> bridges = ScanBridges(options.roots);

  const BridgeInfo* ready = nullptr;
  const BridgeInfo* blocked = nullptr;
  Obstacle obstacle = Obstacle::kNone;
  int scanners = 0;
  for (const BridgeInfo& b : bridges) {
    PrintBridge(b, vendor_library, out);
    out << "\n";
    if (!b.is_scanner) continue;
    ++scanners;
    const Obstacle o = ObstacleOf(b, vendor_library);
    if (o == Obstacle::kNone) {
      if (ready == nullptr) ready = &b;
    } else if (blocked == nullptr) {
      blocked = &b;
      obstacle = o;
    }
  }

  if (ready != nullptr) {
    const std::string where =
        ready->device_path.empty() ? "through the FTDI D2XX library" : "on " + ready->device_path;
    out << "The scanner is ready " << where;
    if (scanners > 1) out << "; with more than one attached, choose one with --serial NUMBER";
    if (ready->latency_timer_ms && *ready->latency_timer_ms > 1) {
      out << " (its latency timer is " << *ready->latency_timer_ms
          << " ms: the udev rule of qx770-demo sets 1 ms for faster exchanges)";
    }
    out << ".\n";
    return 0;
  }
  if (blocked != nullptr) {
    out << Advice(*blocked, obstacle) << "\n";
    return 1;
  }
  if (bridges.empty()) {
    out << "The scanner is not plugged in: no FTDI USB bridge is attached; connect the "
           "scanner's USB cable.\n";
  } else {
    out << "The scanner is not plugged in: none of the FTDI bridges above has the description \""
        << scanner::kScannerDescription << "\".\n";
  }
  return 1;
}

}  // namespace tools

#include "tools/DeviceScan.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "scanner/Channel.h"

namespace tools {
namespace {

namespace fs = std::filesystem;

constexpr char kFtdiVendor[] = "0403";

// The first line of a sysfs attribute; empty when it is missing.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
    line.pop_back();
  return line;
}

// The name of the driver bound to a sysfs device (the last part of its "driver" link).
std::string BoundDriver(const fs::path& device) {
  std::error_code ec;
  const fs::path target = fs::read_symlink(device / "driver", ec);
  return ec ? std::string() : target.filename().string();
}

// The tty the serial driver made of an interface: a child folder named tty*.
std::string TtyOf(const fs::path& interface) {
  std::error_code ec;
  std::vector<std::string> ttys;
  for (const auto& entry : fs::directory_iterator(interface, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("tty", 0) == 0 && name != "tty") ttys.push_back(name);
  }
  std::sort(ttys.begin(), ttys.end());
  return ttys.empty() ? std::string() : ttys.front();
}

std::optional<int> LatencyTimer(const fs::path& file) {
  const std::string text = Attribute(file);
  int ms = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return ms;
}

// The link under <dev>/serial/by-id that leads to the tty.
std::string ById(const fs::path& dev, const std::string& tty) {
  std::error_code ec;
  std::vector<std::string> links;
  for (const auto& entry : fs::directory_iterator(dev / "serial" / "by-id", ec)) {
    std::error_code link_ec;
    const fs::path target = fs::read_symlink(entry.path(), link_ec);
    if (!link_ec && target.filename() == tty) links.push_back(entry.path().string());
  }
  std::sort(links.begin(), links.end());
  return links.empty() ? std::string() : links.front();
}

std::vector<std::string> SortedEntries(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

std::vector<BridgeInfo> ScanBridges(const DeviceRoots& roots) {
  std::vector<BridgeInfo> bridges;
  const fs::path devices = fs::path(roots.sysfs) / "bus" / "usb" / "devices";
  const std::vector<std::string> names = SortedEntries(devices);
  for (const std::string& name : names) {
    // USB devices have names without ':'; their interfaces are "<device>:<config>.<number>".
    if (name.find(':') != std::string::npos) continue;
    const fs::path device = devices / name;
    if (Attribute(device / "idVendor") != kFtdiVendor) continue;
    BridgeInfo common;
    common.description = Attribute(device / "product");
    common.serial = Attribute(device / "serial");
    common.manufacturer = Attribute(device / "manufacturer");
    common.is_scanner = common.description == scanner::kScannerDescription;
    bool any_interface = false;
    for (const std::string& child : names) {
      if (child.rfind(name + ":", 0) != 0) continue;
      any_interface = true;
      BridgeInfo b = common;
      const fs::path interface = devices / child;
      b.usb_name = child;
      b.kernel_driver = BoundDriver(interface);
      b.tty = TtyOf(interface);
      if (!b.tty.empty()) {
        b.device_path = (fs::path(roots.dev) / b.tty).string();
        b.by_id = ById(roots.dev, b.tty);
        b.latency_timer_ms = LatencyTimer(interface / b.tty / "latency_timer");
        b.access = scanner::CheckPort(b.device_path);
      }
      bridges.push_back(std::move(b));
    }
    if (!any_interface) {
      common.usb_name = name;
      bridges.push_back(std::move(common));
    }
  }
  return bridges;
}

}  // namespace tools

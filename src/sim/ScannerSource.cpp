#include "sim/ScannerSource.h"

#include "scanner/BySerialNumberDriver.h"
#include "scanner/DriverSelection.h"
#include "scanner/serial/SerialBridgeDriver.h"
#include "sim/SimulatedScannerDriver.h"

namespace sim {

bool ScannerSourceReader::Read(fw::TCommandLine& line, std::optional<std::string>& error) {
  if (line.Name() == "--simulate") {
    error = line.NoValueError();
    simulate_given_ = true;
    *source_ = ScannerSource::kSimulator;
    return true;
  }
  if (line.Name() == "--port") {
    const auto v = line.Value();
    if (!v) {
      error = missing_port_ ? *missing_port_ : line.NeedsValue();
    } else if (v->empty()) {
      error = "--port needs a device path, e.g. /dev/ttyUSB0";
    } else {
      port_given_ = true;
      *source_ = ScannerSource::kPort;
      *port_ = *v;
    }
    return true;
  }
  if (line.Name() == "--serial") {
    const auto v = line.Value();
    if (!v) {
      error = line.NeedsValue();
    } else if (v->empty()) {
      error = "--serial needs the bridge's USB serial number (qx770 devices lists them)";
    } else {
      serial_given_ = true;
      *source_ = ScannerSource::kSerialNumber;
      *port_ = *v;
    }
    return true;
  }
  return false;
}

std::optional<std::string> ScannerSourceReader::Conflict() const {
  if (port_given_ && simulate_given_) return "--port and --simulate cannot be used together";
  if (serial_given_ && port_given_) return "--serial and --port cannot be used together";
  if (serial_given_ && simulate_given_) return "--serial and --simulate cannot be used together";
  return std::nullopt;
}

std::unique_ptr<scanner::FtdiDriver> MakeScannerDriver(ScannerSource source,
                                                       const std::string& port) {
  switch (source) {
    case ScannerSource::kSimulator:
      return std::make_unique<SimulatedScannerDriver>();
    case ScannerSource::kPort:
      return std::make_unique<scanner::SerialBridgeDriver>(port);
    case ScannerSource::kSerialNumber:
      return std::make_unique<scanner::BySerialNumberDriver>(scanner::MakeDefaultDriver(), port);
    case ScannerSource::kDescription:
      break;
  }
  return nullptr;
}

}  // namespace sim

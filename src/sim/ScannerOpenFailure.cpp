#include "sim/ScannerOpenFailure.h"

#include <optional>

#include "scanner/Channel.h"
#include "scanner/D2xxDriver.h"
#include "scanner/serial/PortCheck.h"
#include "scanner/serial/SerialBridgeDriver.h"

namespace sim {
namespace {

constexpr char kPrefix[] = "cannot open the scanner: ";

std::string OnPort(const std::string& path) {
  return kPrefix + scanner::DescribePortProblem(path, scanner::CheckPort(path));
}

// The bridge named by description or serial number, through the vendor's library or the
// system's serial ports, whichever the default driver uses.
std::string ByName(bool by_serial, const std::string& serial) {
  const std::string bridge =
      by_serial ? "the bridge with serial number " + serial
                : std::string("the bridge \"") + scanner::kScannerDescription + "\"";
  if (scanner::LoadD2xxDriver() != nullptr) {
    return kPrefix + std::string("the FTDI D2XX library could not open ") + bridge +
           " (it is not plugged in, or the kernel's ftdi_sio driver holds it: unload ftdi_sio or "
           "remove the vendor library; 'qx770 devices' tells more)";
  }
  const std::optional<std::string> path =
      by_serial ? scanner::FindSerialPortBySerialNumber(serial)
                : scanner::FindSerialPortByDescription(scanner::kScannerDescription);
  if (path) return OnPort(*path);
  if (by_serial) {
    return kPrefix + std::string("no USB bridge with serial number ") + serial +
           " is attached ('qx770 devices' lists the bridges)";
  }
  return kPrefix + std::string("no USB bridge \"") + scanner::kScannerDescription +
         "\" is attached (use --port PATH for a serial port, or --simulate to run without "
         "hardware)";
}

}  // namespace

std::string ExplainOpenFailure(ScannerSource source, const std::string& where) {
  switch (source) {
    case ScannerSource::kPort:
      return OnPort(where);
    case ScannerSource::kSimulator:
      return "cannot open the built-in scanner simulator";
    case ScannerSource::kSerialNumber:
      return ByName(true, where);
    case ScannerSource::kDescription:
      break;
  }
  return ByName(false, where);
}

}  // namespace sim

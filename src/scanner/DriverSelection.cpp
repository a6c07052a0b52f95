#include "scanner/DriverSelection.h"

#include "scanner/D2xxDriver.h"
#include "scanner/SerialBridgeDriver.h"

namespace scanner {
namespace {

std::unique_ptr<FtdiDriver>& Slot() {
  static std::unique_ptr<FtdiDriver> driver;
  return driver;
}

}  // namespace

FtdiDriver& Driver() {
  std::unique_ptr<FtdiDriver>& slot = Slot();
  if (!slot) slot = MakeDefaultDriver();
  return *slot;
}

std::unique_ptr<FtdiDriver> SetDriver(std::unique_ptr<FtdiDriver> driver) {
  std::unique_ptr<FtdiDriver> previous = std::move(Slot());
  Slot() = std::move(driver);
  return previous;
}

std::unique_ptr<FtdiDriver> MakeDefaultDriver() {
  if (std::unique_ptr<FtdiDriver> d2xx = LoadD2xxDriver()) return d2xx;
  return std::make_unique<SerialBridgeDriver>();
}

}  // namespace scanner

#include "scanner/serial/SerialBridgeFallback.h"

#include "scanner/DriverSelection.h"
#include "scanner/serial/SerialBridgeDriver.h"

namespace scanner {

void UseSerialBridgeFallback() {
  SetFallbackDriver(
      []() -> std::unique_ptr<FtdiDriver> { return std::make_unique<SerialBridgeDriver>(); });
}

}  // namespace scanner

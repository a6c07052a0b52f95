#include "sim/SimulatedScannerDriver.h"

#include <cstring>

#include "scanner/Channel.h"

namespace sim {

SimulatedScannerDriver::SimulatedScannerDriver(DeviceOptions options)
    : device_(std::make_unique<Qx770Device>(options)) {}

SimulatedScannerDriver::~SimulatedScannerDriver() = default;

bool SimulatedScannerDriver::Accepts(const char* name, std::uint32_t flags) {
  return name != nullptr && (flags & scanner::kOpenByDescription) != 0 &&
         std::strcmp(name, scanner::kScannerDescription) == 0;
}

void SimulatedScannerDriver::OnWrite(std::span<const std::uint8_t> bytes) {
  device_->Receive(bytes);
}

std::size_t SimulatedScannerDriver::OnRead(std::span<std::uint8_t> out) {
  return device_->Read(out);
}

void SimulatedScannerDriver::OnPurge(std::uint32_t flags) {
  if ((flags & scanner::kPurgeRxClear) != 0) device_->DiscardOutput();
}

void SimulatedScannerDriver::OnClose() {
  device_->DiscardOutput();
}

}  // namespace sim

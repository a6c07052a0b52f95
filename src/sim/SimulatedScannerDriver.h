// The simulated scanner behind the channel's driver interface, inside the process.
//
// SimulatedScannerDriver is the bridge and the scanner in one: it opens, like the real bridge,
// only by the scanner's USB description ("D2XX Recovery PID for XP" with the open-by-description
// flag), hands the bytes the channel writes to a Qx770Device and serves the device's replies to
// the channel's reads. A reply is ready the moment its request's last byte is written, so a
// measurement costs no waiting; a missing byte is reported at once as a read time-out. Purging
// with the clear-input flag drops reply bytes not yet read, as does closing the handle.
//
// Install it before opening the channel so that the program runs without hardware:
//   scanner::SetDriver(std::make_unique<sim::SimulatedScannerDriver>());
//   scanner::OpenScanner();
#pragma once

#include <memory>

#include "scanner/InProcessDriver.h"
#include "sim/Qx770Device.h"

namespace sim {

class SimulatedScannerDriver : public scanner::InProcessDriver {
 public:
  explicit SimulatedScannerDriver(DeviceOptions options = {});
  ~SimulatedScannerDriver() override;

  Qx770Device& device() { return *device_; }
  const Qx770Device& device() const { return *device_; }

 protected:
  bool Accepts(const char* name, std::uint32_t flags) override;
  void OnWrite(std::span<const std::uint8_t> bytes) override;
  std::size_t OnRead(std::span<std::uint8_t> out) override;
  void OnPurge(std::uint32_t flags) override;
  void OnClose() override;

 private:
  std::unique_ptr<Qx770Device> device_;
};

}  // namespace sim

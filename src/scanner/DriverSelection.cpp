#include "scanner/DriverSelection.h"

#include "scanner/D2xxDriver.h"

namespace scanner {
namespace {

std::unique_ptr<FtdiDriver>& Slot() {
  static std::unique_ptr<FtdiDriver> driver;
  return driver;
}

DriverFactory& Fallback() {
  static DriverFactory factory = nullptr;
  return factory;
}

// The driver when there is neither the vendor's library nor a fallback: no bridge to be found.
class NoBridgeDriver final : public FtdiDriver {
 public:
  FtHandle CreateFile(const char*, std::uint32_t, std::uint32_t, void*, std::uint32_t,
                      std::uint32_t, void*) override {
    return kInvalidHandle;
  }
  bool CloseHandle(FtHandle) override { return false; }
  bool ReadFile(FtHandle, void*, std::uint32_t, std::uint32_t* count, void*) override {
    if (count != nullptr) *count = 0;
    return false;
  }
  bool WriteFile(FtHandle, const void*, std::uint32_t, std::uint32_t* count, void*) override {
    if (count != nullptr) *count = 0;
    return false;
  }
  bool EscapeCommFunction(FtHandle, std::uint32_t) override { return false; }
  bool GetCommState(FtHandle, Dcb*) override { return false; }
  bool PurgeComm(FtHandle, std::uint32_t) override { return false; }
  bool SetCommMask(FtHandle, std::uint32_t) override { return false; }
  bool SetCommState(FtHandle, Dcb*) override { return false; }
  bool SetCommTimeouts(FtHandle, CommTimeouts*) override { return false; }
  bool SetupComm(FtHandle, std::uint32_t, std::uint32_t) override { return false; }
};

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

void SetFallbackDriver(DriverFactory factory) {
  Fallback() = factory;
}

std::unique_ptr<FtdiDriver> MakeDefaultDriver() {
  if (std::unique_ptr<FtdiDriver> d2xx = LoadD2xxDriver()) return d2xx;
  if (DriverFactory factory = Fallback()) {
    if (std::unique_ptr<FtdiDriver> fallback = factory()) return fallback;
  }
  return std::make_unique<NoBridgeDriver>();
}

}  // namespace scanner

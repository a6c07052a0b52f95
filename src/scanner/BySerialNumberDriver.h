// A driver that opens the bridge by its USB serial number instead of its description.
//
// The channel always opens the bridge by the scanner's description. With several scanners on one
// machine the operator picks one by its serial number: BySerialNumberDriver passes every call on
// to the driver it wraps, except that a CreateFile by description becomes a CreateFile of the
// same access and mode by `serial` with the open-by-serial-number flag. The D2XX library then
// opens the bridge with that serial number; the serial bridge, the port whose USB serial number
// matches. The channel's own sequence of calls is unchanged.
#pragma once

#include <memory>
#include <string>

#include "scanner/FtdiDriver.h"

namespace scanner {

class BySerialNumberDriver : public FtdiDriver {
 public:
  BySerialNumberDriver(std::unique_ptr<FtdiDriver> inner, std::string serial);
  ~BySerialNumberDriver() override;

  const std::string& serial() const { return serial_; }

  FtHandle CreateFile(const char* name, std::uint32_t access, std::uint32_t share_mode,
                      void* security, std::uint32_t creation, std::uint32_t flags,
                      void* template_file) override;
  bool CloseHandle(FtHandle handle) override;
  bool ReadFile(FtHandle handle, void* buffer, std::uint32_t size, std::uint32_t* count,
                void* overlapped) override;
  bool WriteFile(FtHandle handle, const void* buffer, std::uint32_t size, std::uint32_t* count,
                 void* overlapped) override;
  bool EscapeCommFunction(FtHandle handle, std::uint32_t function) override;
  bool GetCommState(FtHandle handle, Dcb* settings) override;
  bool PurgeComm(FtHandle handle, std::uint32_t flags) override;
  bool SetCommMask(FtHandle handle, std::uint32_t mask) override;
  bool SetCommState(FtHandle handle, Dcb* settings) override;
  bool SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) override;
  bool SetupComm(FtHandle handle, std::uint32_t input_size, std::uint32_t output_size) override;

 private:
  std::unique_ptr<FtdiDriver> inner_;
  std::string serial_;
};

}  // namespace scanner

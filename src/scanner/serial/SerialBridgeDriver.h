// The driver over the operating system's serial driver (Qt Serial Port).
//
// Where the scanner's FTDI bridge appears as an ordinary serial port (ftdi_sio on Linux, VCP on
// Windows), SerialBridgeDriver plays the vendor library's part: CreateFile with the
// open-by-description flag finds the port whose USB product description equals the name (with
// the open-by-serial-number flag, the port with that serial number). Made with a device path, it
// opens that path whatever name is asked for; a pseudo-terminal works.
//
// The operations map onto the port as a Win32 serial driver would behave: the settings record
// becomes baud rate, data bits, parity, stop bits, flow control and DTR/RTS; the time-outs record
// bounds each read and write (a one-byte read with no data gives up after
// read_total_multiplier + read_total_constant ms); purge clears the buffers its clear flags name
// (no transfer is ever pending, as every call completes before it returns); the break escape sets
// the break state; buffer sizes are accepted and ignored.
//
// Everything runs synchronously on the calling thread; no event loop is needed. Bytes that are
// already buffered are returned without waiting.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "scanner/FtdiDriver.h"

namespace scanner {

class SerialBridgeDriver : public FtdiDriver {
 public:
  // Finds the port by the name passed to CreateFile.
  SerialBridgeDriver();
  // Opens `device_path` (e.g. /dev/ttyUSB0 or a pseudo-terminal) on every CreateFile.
  explicit SerialBridgeDriver(std::string device_path);
  ~SerialBridgeDriver() override;

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
  struct Port;
  Port* Find(FtHandle handle) const;

  std::optional<std::string> device_path_;
  std::map<FtHandle, std::unique_ptr<Port>> ports_;
  FtHandle next_handle_ = 1;
};

// The system location (e.g. /dev/ttyUSB0) of the serial port whose USB product description
// equals `description`; nullopt when none is attached.
std::optional<std::string> FindSerialPortByDescription(const std::string& description);

}  // namespace scanner

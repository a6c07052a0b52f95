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
// Opening asks the kernel for low latency (on FTDI ports a 1 ms latency timer; skipped where the
// port has no such setting) and refuses a port another program holds exclusively. A port whose
// device goes away (the bridge unplugged) ends the waiting read or write at once; the driver
// then counts as disconnected and calls the process-wide disconnect handler once.
//
// Everything runs synchronously on the calling thread; no event loop is needed. Bytes that are
// already buffered are returned without waiting.
#pragma once

#include <functional>
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

  // Whether a port of this driver went away during a transfer.
  bool disconnected() const { return disconnected_; }

 private:
  struct Port;
  Port* Find(FtHandle handle) const;
  // True when the port's device has gone; the first time, tells the disconnect handler.
  bool NoticeHangUp(Port& p);

  std::optional<std::string> device_path_;
  std::map<FtHandle, std::unique_ptr<Port>> ports_;
  FtHandle next_handle_ = 1;
  bool disconnected_ = false;
};

// Called with the port's path when a serial bridge first finds its port gone; empty: nobody.
void SetSerialBridgeDisconnectHandler(std::function<void(const std::string& path)> handler);

// The system location of the serial port with this USB serial number; nullopt when none is.
std::optional<std::string> FindSerialPortBySerialNumber(const std::string& serial);

// The system location (e.g. /dev/ttyUSB0) of the serial port whose USB product description
// equals `description`; nullopt when none is attached.
std::optional<std::string> FindSerialPortByDescription(const std::string& description);

}  // namespace scanner

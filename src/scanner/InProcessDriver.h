// A driver for a device that lives inside the process.
//
// InProcessDriver does a driver's bookkeeping for one device: it hands out a handle on
// CreateFile (one open handle at a time, as the bridge is opened exclusively), keeps the settings
// and time-outs records it is given and reports them back, and refuses every call on a handle it
// did not hand out. A derived class supplies only the device: the bytes written to it, the bytes
// it has for reading, and optionally what purge and the break state do.
//
// Reads never wait: when the device has no byte, the read reports a count of 0 at once, which
// the channel treats exactly like a time-out on a real line. The scanner simulator and the codec
// benchmark build on this class.
#pragma once

#include <cstddef>
#include <span>

#include "scanner/FtdiDriver.h"

namespace scanner {

class InProcessDriver : public FtdiDriver {
 public:
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

  bool is_open() const { return handle_ != 0; }
  FtHandle handle() const { return handle_; }
  const Dcb& settings() const { return settings_; }
  const CommTimeouts& timeouts() const { return timeouts_; }
  std::uint32_t event_mask() const { return event_mask_; }
  bool break_on() const { return break_on_; }

 protected:
  // Whether CreateFile with this name and flag word opens the device. Default: any name.
  virtual bool Accepts(const char* name, std::uint32_t flags);
  // The device receives bytes written to the channel.
  virtual void OnWrite(std::span<const std::uint8_t> bytes) = 0;
  // The device fills `out` with up to out.size() bytes it has ready; returns how many.
  virtual std::size_t OnRead(std::span<std::uint8_t> out) = 0;
  // Purge with the given flags (kPurgeRxClear etc.). Default: nothing.
  virtual void OnPurge(std::uint32_t flags);
  // The break state changed. Default: nothing.
  virtual void OnBreak(bool on);
  // The handle was closed. Default: nothing.
  virtual void OnClose();

 private:
  bool Valid(FtHandle handle) const { return handle != 0 && handle == handle_; }

  FtHandle handle_ = 0;
  FtHandle next_handle_ = 1;
  Dcb settings_ = DefaultDcb();
  CommTimeouts timeouts_;
  std::uint32_t event_mask_ = 0;
  bool break_on_ = false;
};

}  // namespace scanner

// A driver that passes every call on to another and watches the reads of each exchange.
//
// The codec reports a failed reply only as false. To tell the user why, the command-line tool
// puts this driver in front of the real one: it counts the bytes read since the last purge
// (every request starts with one) and remembers whether the last read timed out. After a failed
// measurement that tells apart a scanner that never answered (no byte), a reply cut short (some
// bytes, then a time-out) and a wrong checksum (no time-out at all).
#pragma once

#include <cstddef>
#include <memory>

#include "scanner/FtdiDriver.h"

namespace tools {

class ReadWatchDriver : public scanner::FtdiDriver {
 public:
  explicit ReadWatchDriver(std::unique_ptr<scanner::FtdiDriver> inner);
  ~ReadWatchDriver() override;

  // Bytes delivered by reads since the last purge.
  std::size_t bytes_read() const { return bytes_read_; }
  // Whether the last read delivered nothing.
  bool last_read_timed_out() const { return last_read_timed_out_; }

  scanner::FtHandle CreateFile(const char* name, std::uint32_t access, std::uint32_t share_mode,
                               void* security, std::uint32_t creation, std::uint32_t flags,
                               void* template_file) override;
  bool CloseHandle(scanner::FtHandle handle) override;
  bool ReadFile(scanner::FtHandle handle, void* buffer, std::uint32_t size, std::uint32_t* count,
                void* overlapped) override;
  bool WriteFile(scanner::FtHandle handle, const void* buffer, std::uint32_t size,
                 std::uint32_t* count, void* overlapped) override;
  bool EscapeCommFunction(scanner::FtHandle handle, std::uint32_t function) override;
  bool GetCommState(scanner::FtHandle handle, scanner::Dcb* settings) override;
  bool PurgeComm(scanner::FtHandle handle, std::uint32_t flags) override;
  bool SetCommMask(scanner::FtHandle handle, std::uint32_t mask) override;
  bool SetCommState(scanner::FtHandle handle, scanner::Dcb* settings) override;
  bool SetCommTimeouts(scanner::FtHandle handle, scanner::CommTimeouts* timeouts) override;
  bool SetupComm(scanner::FtHandle handle, std::uint32_t input_size,
                 std::uint32_t output_size) override;

 private:
  std::unique_ptr<scanner::FtdiDriver> inner_;
  std::size_t bytes_read_ = 0;
  bool last_read_timed_out_ = false;
};

}  // namespace tools

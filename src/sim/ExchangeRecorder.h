// A driver that passes every call on to another and records each exchange into a recording file
// (RecordingFile.h) as it happens.
//
// Every request frame starts with a purge, so a purge starts an exchange: the bytes written
// after it are the request, the bytes read after it the reply. An exchange is written out
//   - once its request frame is complete, when the request is not a measure request (a parameter
//     write has no reply): verdict "no reply expected";
//   - for a measure request, once the whole reply frame has been read (verdict "accepted" when
//     ReplyAccepted says the program takes it, else "refused"), or once a read delivers nothing
//     (a time-out: the reply is refused, holding the bytes that came);
//   - whatever it holds, at the next purge, when the handle is closed and when the recorder goes.
// Bytes read outside an exchange are not recorded. Times are microseconds since the recorder
// was made.
//
//   auto writer = sim::RecordingWriter::Create("run.qxrec");
//   scanner::SetDriver(std::make_unique<sim::ExchangeRecorder>(std::move(inner),
//   std::move(writer)));
#pragma once

#include <chrono>
#include <memory>

#include "scanner/FtdiDriver.h"
#include "sim/RecordingFile.h"

namespace sim {

class ExchangeRecorder : public scanner::FtdiDriver {
 public:
  ExchangeRecorder(std::unique_ptr<scanner::FtdiDriver> inner,
                   std::unique_ptr<RecordingWriter> writer);
  ~ExchangeRecorder() override;

  const RecordingWriter& writer() const { return *writer_; }

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
  std::uint64_t Now() const;
  // Writes the exchange under way, if any, with `verdict`.
  void Finish(Verdict verdict);
  // The verdict of a measure exchange from the reply bytes it has.
  Verdict Judge() const;
  bool RequestComplete() const;

  std::unique_ptr<scanner::FtdiDriver> inner_;
  std::unique_ptr<RecordingWriter> writer_;
  std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
  bool open_ = false;  // an exchange is under way
  Exchange current_;
};

}  // namespace sim

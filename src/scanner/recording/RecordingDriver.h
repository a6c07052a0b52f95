// The recording and scripted driver double.
//
// RecordingDriver logs every call with its arguments, in order, and answers from a script:
// CreateFile returns the queued handles (then 1, 2, 3, ...), GetCommState reports comm_state
// (which SetCommState overwrites, as a driver would), and ReadFile serves queued bytes and
// time-outs one by one; with the script used up every read is a time-out (count 0). Every
// operation returns the result set with SetResult (true by default). Handles are not checked:
// the double records what the caller asked, whatever it is.
//
// Calls are stored as compact records; Text() renders one as a line such as
//   CreateFile("D2XX Recovery PID for XP", 0xC0000000, 0, null, 3, 0x82, null)
//   SetCommTimeouts(1, {50, 50, 1000, 50, 1})
//   WriteFile(1, {20}, 1, count, null)
// where pointer arguments show as null or by their role (buf, count, dcb).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "scanner/FtdiDriver.h"

namespace scanner {

class RecordingDriver : public FtdiDriver {
 public:
  enum class Op {
    kCreateFile,
    kCloseHandle,
    kReadFile,
    kWriteFile,
    kEscapeCommFunction,
    kGetCommState,
    kPurgeComm,
    kSetCommMask,
    kSetCommState,
    kSetCommTimeouts,
    kSetupComm,
  };
  static constexpr std::size_t kOpCount = 11;

  struct Call {
    Op op = Op::kCreateFile;
    FtHandle handle = 0;         // every operation but CreateFile
    std::string name;            // CreateFile: the name, "<null>" for a null pointer
    std::uint32_t args[4] = {};  // the numeric arguments after the handle, in order
    bool pointers[3] = {};       // the pointer arguments in order: true when not null
    std::string bytes;           // WriteFile: bytes passed; ReadFile: bytes served
    Dcb settings;                // SetCommState: the record passed; GetCommState: returned
    CommTimeouts timeouts;       // SetCommTimeouts: the record passed

    std::string Text() const;
  };

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

  // Script.
  void QueueOpenResult(FtHandle handle) { open_results_.push_back(handle); }
  void QueueBytes(std::span<const std::uint8_t> bytes);
  void QueueBytes(std::initializer_list<std::uint8_t> bytes);
  void QueueTimeout();
  void SetResult(Op op, bool result) { results_[static_cast<std::size_t>(op)] = result; }
  // What GetCommState reports; SetCommState stores into it.
  Dcb comm_state = DefaultDcb();

  // Record.
  const std::vector<Call>& calls() const { return calls_; }
  std::vector<std::string> Log() const;  // Text() of every call
  std::size_t Count(Op op) const;
  // Every byte passed to WriteFile, in order.
  const std::vector<std::uint8_t>& written() const { return written_; }
  // Scripted reads not yet served (bytes and time-outs).
  std::size_t pending_reads() const { return script_.size() - script_pos_; }

  // Forgets the calls and written bytes; the script stays.
  void ClearLog();
  // Forgets calls, written bytes and the read script.
  void ClearAll();

 private:
  static constexpr int kTimeoutMark = -1;
  Call& Record(Op op, FtHandle handle);
  bool Result(Op op) const { return results_[static_cast<std::size_t>(op)]; }

  std::vector<Call> calls_;
  std::vector<std::uint8_t> written_;
  std::vector<int> script_;  // byte values, or kTimeoutMark
  std::size_t script_pos_ = 0;
  std::vector<FtHandle> open_results_;
  std::size_t open_pos_ = 0;
  FtHandle next_handle_ = 1;
  bool results_[kOpCount] = {true, true, true, true, true, true, true, true, true, true, true};
};

}  // namespace scanner

#include "scanner/recording/RecordingDriver.h"

#include <cstdio>

namespace scanner {
namespace {

const char* const kOpNames[] = {
    "CreateFile",         "CloseHandle",     "ReadFile",  "WriteFile",
    "EscapeCommFunction", "GetCommState",    "PurgeComm", "SetCommMask",
    "SetCommState",       "SetCommTimeouts", "SetupComm",
};

std::string Hex(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", v);
  return text;
}

std::string Pointer(bool present, const char* role) {
  return present ? role : "null";
}

std::string Bytes(const std::string& bytes) {
  std::string text = "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(bytes[i]));
    if (i != 0) text += ' ';
    text += hex;
  }
  return text + "}";
}

}  // namespace

std::string RecordingDriver::Call::Text() const {
  const auto n = [this](int i) { return std::to_string(args[i]); };
  std::string text = kOpNames[static_cast<std::size_t>(op)];
  text += '(';
  if (op != Op::kCreateFile) text += std::to_string(handle);
  switch (op) {
    case Op::kCreateFile:
      text += (name == "<null>" ? name : "\"" + name + "\"") + ", " + Hex(args[0]) + ", " + n(1) +
              ", " + Pointer(pointers[0], "security") + ", " + n(2) + ", " + Hex(args[3]) + ", " +
              Pointer(pointers[1], "template");
      break;
    case Op::kReadFile:
      text += ", " + Pointer(pointers[0], "buf") + ", " + n(0) + ", " +
              Pointer(pointers[1], "count") + ", " + Pointer(pointers[2], "overlapped");
      break;
    case Op::kWriteFile:
      text += ", " + (pointers[0] ? Bytes(bytes) : std::string("null")) + ", " + n(0) + ", " +
              Pointer(pointers[1], "count") + ", " + Pointer(pointers[2], "overlapped");
      break;
    case Op::kGetCommState:
    case Op::kSetCommState:
      text += ", " + Pointer(pointers[0], "dcb");
      break;
    case Op::kSetCommTimeouts:
      text += ", " + (pointers[0] ? "{" + std::to_string(timeouts.read_interval) + ", " +
                                        std::to_string(timeouts.read_total_multiplier) + ", " +
                                        std::to_string(timeouts.read_total_constant) + ", " +
                                        std::to_string(timeouts.write_total_multiplier) + ", " +
                                        std::to_string(timeouts.write_total_constant) + "}"
                                  : std::string("null"));
      break;
    case Op::kSetupComm:
      text += ", " + n(0) + ", " + n(1);
      break;
    case Op::kEscapeCommFunction:
    case Op::kPurgeComm:
    case Op::kSetCommMask:
      text += ", " + n(0);
      break;
    case Op::kCloseHandle:
      break;
  }
  return text + ")";
}

RecordingDriver::Call& RecordingDriver::Record(Op op, FtHandle handle) {
  Call& call = calls_.emplace_back();
  call.op = op;
  call.handle = handle;
  return call;
}

FtHandle RecordingDriver::CreateFile(const char* name, std::uint32_t access,
                                     std::uint32_t share_mode, void* security,
                                     std::uint32_t creation, std::uint32_t flags,
                                     void* template_file) {
  Call& call = Record(Op::kCreateFile, 0);
  call.name = name != nullptr ? name : "<null>";
  call.args[0] = access;
  call.args[1] = share_mode;
  call.args[2] = creation;
  call.args[3] = flags;
  call.pointers[0] = security != nullptr;
  call.pointers[1] = template_file != nullptr;
  if (open_pos_ < open_results_.size()) return open_results_[open_pos_++];
  return next_handle_++;
}

bool RecordingDriver::CloseHandle(FtHandle handle) {
  Record(Op::kCloseHandle, handle);
  return Result(Op::kCloseHandle);
}

bool RecordingDriver::ReadFile(FtHandle handle, void* buffer, std::uint32_t size,
                               std::uint32_t* count, void* overlapped) {
  Call& call = Record(Op::kReadFile, handle);
  call.args[0] = size;
  call.pointers[0] = buffer != nullptr;
  call.pointers[1] = count != nullptr;
  call.pointers[2] = overlapped != nullptr;
  std::uint32_t served = 0;
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (out != nullptr && served < size && script_pos_ < script_.size()) {
    const int next = script_[script_pos_++];
    if (next == kTimeoutMark) break;
    out[served++] = static_cast<std::uint8_t>(next);
    call.bytes.push_back(static_cast<char>(next));
  }
  if (count != nullptr) *count = served;
  return Result(Op::kReadFile);
}

bool RecordingDriver::WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                                std::uint32_t* count, void* overlapped) {
  Call& call = Record(Op::kWriteFile, handle);
  call.args[0] = size;
  call.pointers[0] = buffer != nullptr;
  call.pointers[1] = count != nullptr;
  call.pointers[2] = overlapped != nullptr;
  if (buffer != nullptr) {
    const auto* in = static_cast<const std::uint8_t*>(buffer);
    call.bytes.assign(reinterpret_cast<const char*>(in), size);
    written_.insert(written_.end(), in, in + size);
  }
  if (count != nullptr) *count = buffer != nullptr ? size : 0;
  return Result(Op::kWriteFile);
}

bool RecordingDriver::EscapeCommFunction(FtHandle handle, std::uint32_t function) {
  Record(Op::kEscapeCommFunction, handle).args[0] = function;
  return Result(Op::kEscapeCommFunction);
}

bool RecordingDriver::GetCommState(FtHandle handle, Dcb* settings) {
  Call& call = Record(Op::kGetCommState, handle);
  call.pointers[0] = settings != nullptr;
  call.settings = comm_state;
  if (settings != nullptr) *settings = comm_state;
  return Result(Op::kGetCommState);
}

bool RecordingDriver::PurgeComm(FtHandle handle, std::uint32_t flags) {
  Record(Op::kPurgeComm, handle).args[0] = flags;
  return Result(Op::kPurgeComm);
}

bool RecordingDriver::SetCommMask(FtHandle handle, std::uint32_t mask) {
  Record(Op::kSetCommMask, handle).args[0] = mask;
  return Result(Op::kSetCommMask);
}

bool RecordingDriver::SetCommState(FtHandle handle, Dcb* settings) {
  Call& call = Record(Op::kSetCommState, handle);
  call.pointers[0] = settings != nullptr;
  if (settings != nullptr) {
    call.settings = *settings;
    comm_state = *settings;
  }
  return Result(Op::kSetCommState);
}

bool RecordingDriver::SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) {
  Call& call = Record(Op::kSetCommTimeouts, handle);
  call.pointers[0] = timeouts != nullptr;
  if (timeouts != nullptr) call.timeouts = *timeouts;
  return Result(Op::kSetCommTimeouts);
}

bool RecordingDriver::SetupComm(FtHandle handle, std::uint32_t input_size,
                                std::uint32_t output_size) {
  Call& call = Record(Op::kSetupComm, handle);
  call.args[0] = input_size;
  call.args[1] = output_size;
  return Result(Op::kSetupComm);
}

void RecordingDriver::QueueBytes(std::span<const std::uint8_t> bytes) {
  script_.insert(script_.end(), bytes.begin(), bytes.end());
}

void RecordingDriver::QueueBytes(std::initializer_list<std::uint8_t> bytes) {
  script_.insert(script_.end(), bytes.begin(), bytes.end());
}

void RecordingDriver::QueueTimeout() {
  script_.push_back(kTimeoutMark);
}

std::vector<std::string> RecordingDriver::Log() const {
  std::vector<std::string> lines;
  lines.reserve(calls_.size());
  for (const Call& call : calls_) lines.push_back(call.Text());
  return lines;
}

std::size_t RecordingDriver::Count(Op op) const {
  std::size_t n = 0;
  for (const Call& call : calls_) n += call.op == op ? 1 : 0;
  return n;
}

void RecordingDriver::ClearLog() {
  calls_.clear();
  written_.clear();
}

void RecordingDriver::ClearAll() {
  ClearLog();
  script_.clear();
  script_pos_ = 0;
}

}  // namespace scanner

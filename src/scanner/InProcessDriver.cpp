#include "scanner/InProcessDriver.h"

namespace scanner {

bool InProcessDriver::Accepts(const char* /*name*/, std::uint32_t /*flags*/) {
  return true;
}
void InProcessDriver::OnPurge(std::uint32_t /*flags*/) {}
void InProcessDriver::OnBreak(bool /*on*/) {}
void InProcessDriver::OnClose() {}

FtHandle InProcessDriver::CreateFile(const char* name, std::uint32_t /*access*/,
                                     std::uint32_t /*share_mode*/, void* /*security*/,
                                     std::uint32_t /*creation*/, std::uint32_t flags,
                                     void* /*template_file*/) {
  if (handle_ != 0 || !Accepts(name, flags)) return kInvalidHandle;
  if (next_handle_ == 0 || next_handle_ == kInvalidHandle) next_handle_ = 1;
  handle_ = next_handle_++;
  break_on_ = false;
  return handle_;
}

bool InProcessDriver::CloseHandle(FtHandle handle) {
  if (!Valid(handle)) return false;
  handle_ = 0;
  OnClose();
  return true;
}

bool InProcessDriver::ReadFile(FtHandle handle, void* buffer, std::uint32_t size,
                               std::uint32_t* count, void* /*overlapped*/) {
  if (count != nullptr) *count = 0;
  if (!Valid(handle) || (size != 0 && buffer == nullptr)) return false;
  if (size == 0) return true;
  const std::size_t got = OnRead({static_cast<std::uint8_t*>(buffer), size});
  if (count != nullptr) *count = static_cast<std::uint32_t>(got < size ? got : size);
  return true;
}

bool InProcessDriver::WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                                std::uint32_t* count, void* /*overlapped*/) {
  if (count != nullptr) *count = 0;
  if (!Valid(handle) || (size != 0 && buffer == nullptr)) return false;
  if (size != 0) OnWrite({static_cast<const std::uint8_t*>(buffer), size});
  if (count != nullptr) *count = size;
  return true;
}

bool InProcessDriver::EscapeCommFunction(FtHandle handle, std::uint32_t function) {
  if (!Valid(handle)) return false;
  if (function == kSetBreak || function == kClrBreak) {
    break_on_ = function == kSetBreak;
    OnBreak(break_on_);
  }
  return true;
}

bool InProcessDriver::GetCommState(FtHandle handle, Dcb* settings) {
  if (!Valid(handle) || settings == nullptr) return false;
  *settings = settings_;
  return true;
}

bool InProcessDriver::PurgeComm(FtHandle handle, std::uint32_t flags) {
  if (!Valid(handle)) return false;
  OnPurge(flags);
  return true;
}

bool InProcessDriver::SetCommMask(FtHandle handle, std::uint32_t mask) {
  if (!Valid(handle)) return false;
  event_mask_ = mask;
  return true;
}

bool InProcessDriver::SetCommState(FtHandle handle, Dcb* settings) {
  if (!Valid(handle) || settings == nullptr) return false;
  settings_ = *settings;
  return true;
}

bool InProcessDriver::SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) {
  if (!Valid(handle) || timeouts == nullptr) return false;
  timeouts_ = *timeouts;
  return true;
}

bool InProcessDriver::SetupComm(FtHandle handle, std::uint32_t /*input_size*/,
                                std::uint32_t /*output_size*/) {
  return Valid(handle);
}

}  // namespace scanner

#include "tools/ReadWatchDriver.h"

namespace tools {

ReadWatchDriver::ReadWatchDriver(std::unique_ptr<scanner::FtdiDriver> inner)
    : inner_(std::move(inner)) {}

ReadWatchDriver::~ReadWatchDriver() = default;

scanner::FtHandle ReadWatchDriver::CreateFile(const char* name, std::uint32_t access,
                                              std::uint32_t share_mode, void* security,
                                              std::uint32_t creation, std::uint32_t flags,
                                              void* template_file) {
  return inner_->CreateFile(name, access, share_mode, security, creation, flags, template_file);
}

bool ReadWatchDriver::CloseHandle(scanner::FtHandle handle) {
  return inner_->CloseHandle(handle);
}

bool ReadWatchDriver::ReadFile(scanner::FtHandle handle, void* buffer, std::uint32_t size,
                               std::uint32_t* count, void* overlapped) {
  std::uint32_t got = 0;
  const bool result = inner_->ReadFile(handle, buffer, size, &got, overlapped);
  bytes_read_ += got;
  last_read_timed_out_ = size != 0 && got == 0;
  if (count != nullptr) *count = got;
  return result;
}

bool ReadWatchDriver::WriteFile(scanner::FtHandle handle, const void* buffer, std::uint32_t size,
                                std::uint32_t* count, void* overlapped) {
  return inner_->WriteFile(handle, buffer, size, count, overlapped);
}

bool ReadWatchDriver::EscapeCommFunction(scanner::FtHandle handle, std::uint32_t function) {
  return inner_->EscapeCommFunction(handle, function);
}

bool ReadWatchDriver::GetCommState(scanner::FtHandle handle, scanner::Dcb* settings) {
  return inner_->GetCommState(handle, settings);
}

bool ReadWatchDriver::PurgeComm(scanner::FtHandle handle, std::uint32_t flags) {
  bytes_read_ = 0;
  last_read_timed_out_ = false;
  return inner_->PurgeComm(handle, flags);
}

bool ReadWatchDriver::SetCommMask(scanner::FtHandle handle, std::uint32_t mask) {
  return inner_->SetCommMask(handle, mask);
}

bool ReadWatchDriver::SetCommState(scanner::FtHandle handle, scanner::Dcb* settings) {
  return inner_->SetCommState(handle, settings);
}

bool ReadWatchDriver::SetCommTimeouts(scanner::FtHandle handle, scanner::CommTimeouts* timeouts) {
  return inner_->SetCommTimeouts(handle, timeouts);
}

bool ReadWatchDriver::SetupComm(scanner::FtHandle handle, std::uint32_t input_size,
                                std::uint32_t output_size) {
  return inner_->SetupComm(handle, input_size, output_size);
}

}  // namespace tools

#include "scanner/BySerialNumberDriver.h"

namespace scanner {

BySerialNumberDriver::BySerialNumberDriver(std::unique_ptr<FtdiDriver> inner, std::string serial)
    : inner_(std::move(inner)), serial_(std::move(serial)) {}

BySerialNumberDriver::~BySerialNumberDriver() = default;

FtHandle BySerialNumberDriver::CreateFile(const char* name, std::uint32_t access,
                                          std::uint32_t share_mode, void* security,
                                          std::uint32_t creation, std::uint32_t flags,
                                          void* template_file) {
  if ((flags & kOpenByDescription) != 0) {
    flags = (flags & ~(kOpenByDescription | kOpenByLocation)) | kOpenBySerialNumber;
    name = serial_.c_str();
  }
  return inner_->CreateFile(name, access, share_mode, security, creation, flags, template_file);
}

bool BySerialNumberDriver::CloseHandle(FtHandle handle) {
  return inner_->CloseHandle(handle);
}

bool BySerialNumberDriver::ReadFile(FtHandle handle, void* buffer, std::uint32_t size,
                                    std::uint32_t* count, void* overlapped) {
  return inner_->ReadFile(handle, buffer, size, count, overlapped);
}

bool BySerialNumberDriver::WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                                     std::uint32_t* count, void* overlapped) {
  return inner_->WriteFile(handle, buffer, size, count, overlapped);
}

bool BySerialNumberDriver::EscapeCommFunction(FtHandle handle, std::uint32_t function) {
  return inner_->EscapeCommFunction(handle, function);
}

bool BySerialNumberDriver::GetCommState(FtHandle handle, Dcb* settings) {
  return inner_->GetCommState(handle, settings);
}

bool BySerialNumberDriver::PurgeComm(FtHandle handle, std::uint32_t flags) {
  return inner_->PurgeComm(handle, flags);
}

bool BySerialNumberDriver::SetCommMask(FtHandle handle, std::uint32_t mask) {
  return inner_->SetCommMask(handle, mask);
}

bool BySerialNumberDriver::SetCommState(FtHandle handle, Dcb* settings) {
  return inner_->SetCommState(handle, settings);
}

bool BySerialNumberDriver::SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) {
  return inner_->SetCommTimeouts(handle, timeouts);
}

bool BySerialNumberDriver::SetupComm(FtHandle handle, std::uint32_t input_size,
                                     std::uint32_t output_size) {
  return inner_->SetupComm(handle, input_size, output_size);
}

}  // namespace scanner

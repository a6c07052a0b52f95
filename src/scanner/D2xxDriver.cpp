#include "scanner/D2xxDriver.h"

#include <cstdint>

namespace scanner {

// 32-bit Windows libraries use the stdcall convention; everywhere else there is only one.
#if defined(_WIN32) && !defined(_WIN64)
#define QX_D2XX_API __stdcall
#else
#define QX_D2XX_API
#endif

// Scalars and counts are passed as unsigned long: that is the library's DWORD on Windows, and on
// Linux it is at least as wide as the library's DWORD, so a count the library writes never
// overruns its variable. Records are passed as they are (their layout is the library's).
struct D2xxDriver::EntryPoints {
  using Ulong = unsigned long;
  void*(QX_D2XX_API* create_file)(const char*, Ulong, Ulong, void*, Ulong, Ulong, void*);
  int(QX_D2XX_API* close_handle)(void*);
  int(QX_D2XX_API* read_file)(void*, void*, Ulong, Ulong*, void*);
  int(QX_D2XX_API* write_file)(void*, void*, Ulong, Ulong*, void*);
  int(QX_D2XX_API* escape_comm_function)(void*, Ulong);
  int(QX_D2XX_API* get_comm_state)(void*, Dcb*);
  int(QX_D2XX_API* purge_comm)(void*, Ulong);
  int(QX_D2XX_API* set_comm_mask)(void*, Ulong);
  int(QX_D2XX_API* set_comm_state)(void*, Dcb*);
  int(QX_D2XX_API* set_comm_timeouts)(void*, CommTimeouts*);
  int(QX_D2XX_API* setup_comm)(void*, Ulong, Ulong);
};

namespace {

template <typename Fn>
bool Bind(const D2xxLibrary& library, const char* name, int ordinal, Fn& fn) {
  fn = reinterpret_cast<Fn>(library.Resolve(name, ordinal));
  return fn != nullptr;
}

// The library's invalid-handle value is the pointer with all bits set.
void* const kNativeInvalid = reinterpret_cast<void*>(~std::uintptr_t{0});

}  // namespace

std::unique_ptr<D2xxDriver> D2xxDriver::Load(std::unique_ptr<D2xxLibrary> library) {
  if (!library) return nullptr;
  auto e = std::make_unique<EntryPoints>();
  const D2xxLibrary& l = *library;
  const bool complete = Bind(l, "FT_W32_CreateFile", 42, e->create_file) &&
                        Bind(l, "FT_W32_CloseHandle", 43, e->close_handle) &&
                        Bind(l, "FT_W32_ReadFile", 44, e->read_file) &&
                        Bind(l, "FT_W32_WriteFile", 45, e->write_file) &&
                        Bind(l, "FT_W32_EscapeCommFunction", 49, e->escape_comm_function) &&
                        Bind(l, "FT_W32_GetCommState", 51, e->get_comm_state) &&
                        Bind(l, "FT_W32_PurgeComm", 54, e->purge_comm) &&
                        Bind(l, "FT_W32_SetCommMask", 56, e->set_comm_mask) &&
                        Bind(l, "FT_W32_SetCommState", 57, e->set_comm_state) &&
                        Bind(l, "FT_W32_SetCommTimeouts", 58, e->set_comm_timeouts) &&
                        Bind(l, "FT_W32_SetupComm", 59, e->setup_comm);
  if (!complete) return nullptr;
  return std::unique_ptr<D2xxDriver>(new D2xxDriver(std::move(library), std::move(e)));
}

D2xxDriver::D2xxDriver(std::unique_ptr<D2xxLibrary> library, std::unique_ptr<EntryPoints> entry)
    : library_(std::move(library)), entry_(std::move(entry)) {}

D2xxDriver::~D2xxDriver() {
  for (const auto& [handle, native] : handles_) entry_->close_handle(native);
}

void* D2xxDriver::Native(FtHandle handle) const {
  auto it = handles_.find(handle);
  return it == handles_.end() ? nullptr : it->second;
}

FtHandle D2xxDriver::CreateFile(const char* name, std::uint32_t access, std::uint32_t share_mode,
                                void* security, std::uint32_t creation, std::uint32_t flags,
                                void* template_file) {
  void* native =
      entry_->create_file(name, access, share_mode, security, creation, flags, template_file);
  if (native == nullptr || native == kNativeInvalid) return kInvalidHandle;
  // Skip 0, all ones and numbers still in use when the counter wraps.
  while (next_handle_ == 0 || next_handle_ == kInvalidHandle || handles_.count(next_handle_)) {
    ++next_handle_;
  }
  const FtHandle handle = next_handle_++;
  handles_[handle] = native;
  return handle;
}

bool D2xxDriver::CloseHandle(FtHandle handle) {
  void* native = Native(handle);
  if (native == nullptr) return false;
  handles_.erase(handle);
  return entry_->close_handle(native) != 0;
}

bool D2xxDriver::ReadFile(FtHandle handle, void* buffer, std::uint32_t size, std::uint32_t* count,
                          void* overlapped) {
  if (count != nullptr) *count = 0;
  void* native = Native(handle);
  if (native == nullptr) return false;
  unsigned long got = 0;
  const bool ok = entry_->read_file(native, buffer, size, &got, overlapped) != 0;
  if (count != nullptr) *count = static_cast<std::uint32_t>(got > size ? size : got);
  return ok;
}

bool D2xxDriver::WriteFile(FtHandle handle, const void* buffer, std::uint32_t size,
                           std::uint32_t* count, void* overlapped) {
  if (count != nullptr) *count = 0;
  void* native = Native(handle);
  if (native == nullptr) return false;
  unsigned long put = 0;
  // The library's prototype takes a non-const buffer but only reads it.
  const bool ok =
      entry_->write_file(native, const_cast<void*>(buffer), size, &put, overlapped) != 0;
  if (count != nullptr) *count = static_cast<std::uint32_t>(put > size ? size : put);
  return ok;
}

bool D2xxDriver::EscapeCommFunction(FtHandle handle, std::uint32_t function) {
  void* native = Native(handle);
  return native != nullptr && entry_->escape_comm_function(native, function) != 0;
}

bool D2xxDriver::GetCommState(FtHandle handle, Dcb* settings) {
  void* native = Native(handle);
  return native != nullptr && entry_->get_comm_state(native, settings) != 0;
}

bool D2xxDriver::PurgeComm(FtHandle handle, std::uint32_t flags) {
  void* native = Native(handle);
  return native != nullptr && entry_->purge_comm(native, flags) != 0;
}

bool D2xxDriver::SetCommMask(FtHandle handle, std::uint32_t mask) {
  void* native = Native(handle);
  return native != nullptr && entry_->set_comm_mask(native, mask) != 0;
}

bool D2xxDriver::SetCommState(FtHandle handle, Dcb* settings) {
  void* native = Native(handle);
  return native != nullptr && entry_->set_comm_state(native, settings) != 0;
}

bool D2xxDriver::SetCommTimeouts(FtHandle handle, CommTimeouts* timeouts) {
  void* native = Native(handle);
  return native != nullptr && entry_->set_comm_timeouts(native, timeouts) != 0;
}

bool D2xxDriver::SetupComm(FtHandle handle, std::uint32_t input_size, std::uint32_t output_size) {
  void* native = Native(handle);
  return native != nullptr && entry_->setup_comm(native, input_size, output_size) != 0;
}

std::unique_ptr<FtdiDriver> LoadD2xxDriver() {
  return D2xxDriver::Load(OpenD2xxLibrary(DefaultD2xxLibraryFile()));
}

}  // namespace scanner

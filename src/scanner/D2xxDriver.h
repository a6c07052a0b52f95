// The driver backed by the vendor's D2XX library.
//
// D2xxDriver forwards each operation to the library's Win32-style entry point (FT_W32_CreateFile
// and its ten siblings). The library's own handles are pointers; on a 64-bit system they do not
// fit the channel's 32-bit handle, so the driver hands out small handle numbers of its own and
// keeps the table that maps them to the library's handles. The library is loaded once, when the
// driver is made, and released with it.
#pragma once

#include <map>
#include <memory>

#include "scanner/D2xxLibrary.h"
#include "scanner/FtdiDriver.h"

namespace scanner {

class D2xxDriver : public FtdiDriver {
 public:
  // nullptr when `library` is null or lacks any of the eleven entry points.
  static std::unique_ptr<D2xxDriver> Load(std::unique_ptr<D2xxLibrary> library);
  ~D2xxDriver() override;

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

 private:
  struct EntryPoints;
  D2xxDriver(std::unique_ptr<D2xxLibrary> library, std::unique_ptr<EntryPoints> entry);
  void* Native(FtHandle handle) const;  // nullptr for a handle not handed out

  std::unique_ptr<D2xxLibrary> library_;
  std::unique_ptr<EntryPoints> entry_;
  std::map<FtHandle, void*> handles_;
  FtHandle next_handle_ = 1;
};

// The D2XX driver over the installed library; nullptr when the library is not installed.
std::unique_ptr<FtdiDriver> LoadD2xxDriver();

}  // namespace scanner

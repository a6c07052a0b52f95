// Loader of FTD2XX.DLL on Windows: LoadLibrary, and GetProcAddress by ordinal, as the vendor's
// import library binds the entry points.
#include <windows.h>

#include "scanner/D2xxLibrary.h"

namespace scanner {
namespace {

class WindowsD2xxLibrary : public D2xxLibrary {
 public:
  explicit WindowsD2xxLibrary(HMODULE module) : module_(module) {}
  ~WindowsD2xxLibrary() override { FreeLibrary(module_); }
  WindowsD2xxLibrary(const WindowsD2xxLibrary&) = delete;
  WindowsD2xxLibrary& operator=(const WindowsD2xxLibrary&) = delete;

  void* Resolve(const char* /*name*/, int ordinal) const override {
    return reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(ordinal)));
  }

 private:
  HMODULE module_;
};

}  // namespace

std::string DefaultD2xxLibraryFile() {
  return "FTD2XX.DLL";
}

std::unique_ptr<D2xxLibrary> OpenD2xxLibrary(const std::string& file) {
  HMODULE module = LoadLibraryA(file.c_str());
  if (module == nullptr) return nullptr;
  return std::make_unique<WindowsD2xxLibrary>(module);
}

}  // namespace scanner

// The vendor's D2XX library, loaded at run time.
//
// D2xxLibrary hides how the platform loads a shared library and finds an entry point: on Linux
// dlopen/dlsym by name, on Windows LoadLibrary/GetProcAddress by ordinal, as the vendor's import
// library does. Each platform's loader lives in its own file under platform/; D2xxDriver resolves
// its entry points through this interface and tests hand it a fake.
#pragma once

#include <memory>
#include <string>

namespace scanner {

class D2xxLibrary {
 public:
  virtual ~D2xxLibrary() = default;
  // The entry point with this name (Linux) or ordinal (Windows); nullptr when it is missing.
  virtual void* Resolve(const char* name, int ordinal) const = 0;
};

// The library's file name on this platform: libftd2xx.so or FTD2XX.DLL.
std::string DefaultD2xxLibraryFile();

// Loads the library from `file`; nullptr when it is not installed or cannot be loaded.
std::unique_ptr<D2xxLibrary> OpenD2xxLibrary(const std::string& file);

}  // namespace scanner

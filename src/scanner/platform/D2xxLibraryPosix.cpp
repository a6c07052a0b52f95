// Loader of the D2XX library on Linux and other POSIX systems: dlopen and dlsym by name.
#include <dlfcn.h>

#include "scanner/D2xxLibrary.h"

namespace scanner {
namespace {

class PosixD2xxLibrary : public D2xxLibrary {
 public:
  explicit PosixD2xxLibrary(void* module) : module_(module) {}
  ~PosixD2xxLibrary() override { dlclose(module_); }
  PosixD2xxLibrary(const PosixD2xxLibrary&) = delete;
  PosixD2xxLibrary& operator=(const PosixD2xxLibrary&) = delete;

  void* Resolve(const char* name, int /*ordinal*/) const override { return dlsym(module_, name); }

 private:
  void* module_;
};

}  // namespace

std::string DefaultD2xxLibraryFile() {
  return "libftd2xx.so";
}

std::unique_ptr<D2xxLibrary> OpenD2xxLibrary(const std::string& file) {
  void* module = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) return nullptr;
  return std::make_unique<PosixD2xxLibrary>(module);
}

}  // namespace scanner

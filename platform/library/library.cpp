#include "platform/library/library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace platform {

LibraryHandle OpenLibrary(const std::string& path, std::string* error) {
  dlerror();
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr && error != nullptr) {
    const char* reason = dlerror();
    *error = reason != nullptr ? reason : "";
  }
  return handle;
}

void* FindLibrarySymbol(LibraryHandle library, const char* name) {
  if (library == nullptr) return nullptr;
  return dlsym(library, name);
}

void* FindProgramSymbol(const char* name) {
  void* program = dlopen(nullptr, RTLD_NOW);
  if (program == nullptr) return nullptr;
  void* symbol = dlsym(program, name);
  dlclose(program);
  return symbol;
}

void CloseLibrary(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}

std::string GetProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::string();
  return exe.parent_path().string();
}

}  // namespace platform

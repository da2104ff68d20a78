#include "platform/library/library.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdint>

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

namespace {

struct SegmentQuery {
  std::uintptr_t address;
  bool inProgram;
};

// dl_iterate_phdr reports the program itself first: the query ends there.
int CheckProgramSegments(dl_phdr_info* info, std::size_t /*size*/, void* data) {
  auto* query = static_cast<SegmentQuery*>(data);
  for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)& segment = info->dlpi_phdr[i];
    if (segment.p_type != PT_LOAD) continue;
    const std::uintptr_t begin = info->dlpi_addr + segment.p_vaddr;
    if (query->address >= begin && query->address - begin < segment.p_memsz) {
      query->inProgram = true;
    }
  }
  return 1;
}

}  // namespace

void* FindProgramOwnSymbol(const char* name) {
  void* symbol = FindProgramSymbol(name);
  if (symbol == nullptr) return nullptr;
  SegmentQuery query{reinterpret_cast<std::uintptr_t>(symbol), false};
  dl_iterate_phdr(CheckProgramSegments, &query);
  return query.inProgram ? symbol : nullptr;
}

std::string GetLibraryPathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return std::string();
  return info.dli_fname;
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

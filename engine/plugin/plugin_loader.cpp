#include "engine/plugin/plugin_loader.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/api/plugin_api.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/library/library.h"

namespace nsTamskLib::nsPlugin {
namespace {

std::vector<platform::LibraryHandle>& LoadedLibraries() {
  static std::vector<platform::LibraryHandle> libraries;
  return libraries;
}

bool EndsWithSo(const std::string& name) {
  return name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0;
}

// Regular files of the folder whose names end exactly in ".so", in byte order.
std::vector<std::string> ListLibraryNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = it->path().filename().string();
    if (EndsWithSo(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Attaches one opened library; true when it is a plug-in that accepted the host.
bool Attach(platform::LibraryHandle library, const char* name) {
  void* version = platform::FindLibrarySymbol(library, kPluginVersionSymbol);
  void* attach = platform::FindLibrarySymbol(library, kPluginAttachSymbol);
  if (version == nullptr || attach == nullptr) {
    DebugMessage(nullptr, "%sはプラグインではありません！", name);
    return false;
  }
  const Registries before = SnapshotRegistries();
  if (reinterpret_cast<TamskLibAttachFunc>(attach)() == 0) {
    RestoreRegistries(before);
    DebugMessage(nullptr, "%sのLoadLibraryに失敗しました！", name);
    return false;
  }
  DebugMessage(nullptr, "%sは利用可能なプラグインです！", name);
  return true;
}

}  // namespace

void LoadPlugins() { LoadPlugins(platform::GetProgramFolder()); }

void LoadPlugins(const std::string& folder) {
  // An empty name would mean the working folder; the program's folder was unknown.
  if (folder.empty()) return;
  std::error_code ec;
  const std::filesystem::path base = std::filesystem::absolute(folder, ec);
  if (ec) return;
  for (const std::string& name : ListLibraryNames(base)) {
    std::string error;
    platform::LibraryHandle library = platform::OpenLibrary((base / name).string(), &error);
    if (library == nullptr) {
      DebugMessage(nullptr, "%sのLoadLibraryに失敗しました！", name.c_str());
      DebugMessage(nullptr, "%s", error.c_str());
      continue;
    }
    DebugMessage(nullptr, "%sのLoadLibraryに成功しました！", name.c_str());
    if (Attach(library, name.c_str())) {
      LoadedLibraries().push_back(library);
    } else {
      platform::CloseLibrary(library);
    }
  }
}

void UnloadPlugins() {
  std::vector<platform::LibraryHandle> libraries;
  libraries.swap(LoadedLibraries());
  for (platform::LibraryHandle library : libraries) {
    void* detach = platform::FindLibrarySymbol(library, kPluginDetachSymbol);
    if (detach != nullptr) reinterpret_cast<TamskLibDetachFunc>(detach)();
    platform::CloseLibrary(library);
  }
  ClearRegistries();
}

std::size_t GetLoadedPluginCount() { return LoadedLibraries().size(); }

}  // namespace nsTamskLib::nsPlugin

#pragma once
// The plug-in loader. At start-up it opens every library of the program's folder
// whose name ends in ".so", in byte order of the names; a library exporting
// GetTamskLibDllVersion and TamskLibAttach is attached and kept when the attach
// accepts, any other is closed again. At exit every kept library is detached and
// closed in load order, then the registries are emptied. The working folder is
// never changed: libraries are opened by absolute path.

#include <cstddef>
#include <string>

namespace nsTamskLib::nsPlugin {

// Loads the plug-ins of the running program's folder.
void LoadPlugins();
// Loads the plug-ins of a given folder.
void LoadPlugins(const std::string& folder);
void UnloadPlugins();

// Number of libraries kept loaded.
std::size_t GetLoadedPluginCount();

}  // namespace nsTamskLib::nsPlugin

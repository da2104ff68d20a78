#include "engine/plugin/plugin_registry.h"

#include <algorithm>

#include "engine/api/types.h"

namespace nsTamskLib::nsPlugin {
namespace {

Registries& Mutable() {
  static Registries registries;
  return registries;
}

template <typename Key, typename Func>
void Register(std::map<Key, Func>& map, const Key& key, Func func) {
  if (func == nullptr) return;
  map.emplace(key, func);
}

template <typename Func>
Func Find(const std::map<unsigned, Func>& map, unsigned key) {
  const auto it = map.find(key);
  return it != map.end() ? it->second : nullptr;
}

}  // namespace

const Registries& GetRegistries() { return Mutable(); }

ICmd_Base* CreateCommand(unsigned type) {
  const CmdFactory factory = Find(Mutable().factories, type);
  if (factory == nullptr) {
    RuntimeError(nullptr, "不正な命令です！（CommandType = %d）", static_cast<int>(type));
  }
  return factory();
}

UpdateFunc FindUpdateFunc(unsigned pattern) { return Find(Mutable().updates, pattern); }
UpdateFunc FindEffect1Func(unsigned type) { return Find(Mutable().effects1, type); }
UpdateFunc FindEffect2Func(unsigned type) { return Find(Mutable().effects2, type); }
UpdateFunc FindEffect3Func(unsigned type) { return Find(Mutable().effects3, type); }
DrawTaskFunc FindAddDrawTaskFunc(unsigned type) { return Find(Mutable().addDrawTaskFuncs, type); }
DrawTaskFunc FindDrawTaskFunc(unsigned type) { return Find(Mutable().drawTaskFuncs, type); }
DrawTaskFunc FindBltFunc(unsigned blt) { return Find(Mutable().bltFuncs, blt); }

bool IsSystemCommandEnabled(unsigned type) {
  const std::vector<unsigned>& list = Mutable().enabledSystemCommands;
  return std::find(list.begin(), list.end(), type) != list.end();
}

void ClearRegistries() { Mutable() = Registries(); }

Registries SnapshotRegistries() { return Mutable(); }

void RestoreRegistries(const Registries& snapshot) { Mutable() = snapshot; }

}  // namespace nsTamskLib::nsPlugin

using nsTamskLib::nsPlugin::Mutable;
using nsTamskLib::nsPlugin::Register;

extern "C" {

int GetTamskLibVersion(void) { return nsTamskLib::kTamskLibVersion; }

void RegisterPFactory(unsigned type, nsTamskLib::CmdFactory factory) {
  Register(Mutable().factories, type, factory);
}
void RegisterPUpdate(unsigned pattern, nsTamskLib::UpdateFunc func) {
  Register(Mutable().updates, pattern, func);
}
void RegisterPEffect1(unsigned type, nsTamskLib::UpdateFunc func) {
  Register(Mutable().effects1, type, func);
}
void RegisterPEffect2(unsigned type, nsTamskLib::UpdateFunc func) {
  Register(Mutable().effects2, type, func);
}
void RegisterPEffect3(unsigned type, nsTamskLib::UpdateFunc func) {
  Register(Mutable().effects3, type, func);
}
void RegisterPAnalysis(unsigned type, nsTamskLib::AnalysisFunc func) {
  Register(Mutable().analyses, type, func);
}
void RegisterPAddDrawTaskFunc(unsigned type, nsTamskLib::DrawTaskFunc func) {
  Register(Mutable().addDrawTaskFuncs, type, func);
}
void RegisterPDrawTaskFunc(unsigned type, nsTamskLib::DrawTaskFunc func) {
  Register(Mutable().drawTaskFuncs, type, func);
}
void RegisterPBltFunc(unsigned blt, nsTamskLib::DrawTaskFunc func) {
  Register(Mutable().bltFuncs, blt, func);
}
void RegisterPCommandName(const char* keyword, unsigned type) {
  if (keyword == nullptr) return;
  Mutable().commandNames.emplace(keyword, type);
}
void RegisterPEnableSystemCommand(unsigned type) {
  Mutable().enabledSystemCommands.push_back(type);
}
void RegisterPSaveLocalDataFunc(const char* name, nsTamskLib::DataFunc func) {
  if (name != nullptr) Register(Mutable().saveLocalDataFuncs, std::string(name), func);
}
void RegisterPLoadLocalDataFunc(const char* name, nsTamskLib::DataFunc func) {
  if (name != nullptr) Register(Mutable().loadLocalDataFuncs, std::string(name), func);
}
void RegisterPSaveEnvironmentDataFunc(const char* name, nsTamskLib::DataFunc func) {
  if (name != nullptr) Register(Mutable().saveEnvironmentDataFuncs, std::string(name), func);
}
void RegisterPLoadEnvironmentDataFunc(const char* name, nsTamskLib::DataFunc func) {
  if (name != nullptr) Register(Mutable().loadEnvironmentDataFuncs, std::string(name), func);
}

}  // extern "C"

#pragma once
// The plug-in registry: what plug-ins register through the RegisterP... exports
// (declared in engine/api/plugin_api.h) and how the engine looks it up. The first
// registration of a key wins; a later one is ignored silently, as is a registration
// of a null function, which could never be called. Number keys are ordered
// ascending, name keys bytewise.

#include <map>
#include <string>
#include <vector>

#include "engine/api/plugin_api.h"

namespace nsTamskLib::nsPlugin {

// Every registry of the process.
struct Registries {
  std::map<unsigned, CmdFactory> factories;
  std::map<unsigned, UpdateFunc> updates;
  std::map<unsigned, UpdateFunc> effects1;
  std::map<unsigned, UpdateFunc> effects2;
  std::map<unsigned, UpdateFunc> effects3;
  std::map<unsigned, AnalysisFunc> analyses;
  std::map<unsigned, DrawTaskFunc> addDrawTaskFuncs;
  std::map<unsigned, DrawTaskFunc> drawTaskFuncs;
  std::map<unsigned, DrawTaskFunc> bltFuncs;
  std::map<std::string, unsigned> commandNames;
  std::vector<unsigned> enabledSystemCommands;
  std::map<std::string, DataFunc> saveLocalDataFuncs;
  std::map<std::string, DataFunc> loadLocalDataFuncs;
  std::map<std::string, DataFunc> saveEnvironmentDataFuncs;
  std::map<std::string, DataFunc> loadEnvironmentDataFuncs;
};

// The process's registries (read them; plug-ins fill them through the exports).
const Registries& GetRegistries();

// A new command of the type through its registered factory; an unknown type is
// fatal "不正な命令です！（CommandType = %d）".
ICmd_Base* CreateCommand(unsigned type);

// The registered function of a key, or null.
UpdateFunc FindUpdateFunc(unsigned pattern);
UpdateFunc FindEffect1Func(unsigned type);
UpdateFunc FindEffect2Func(unsigned type);
UpdateFunc FindEffect3Func(unsigned type);
DrawTaskFunc FindAddDrawTaskFunc(unsigned type);
DrawTaskFunc FindDrawTaskFunc(unsigned type);
DrawTaskFunc FindBltFunc(unsigned blt);

// Whether a command type accepts the player's system input while it runs.
bool IsSystemCommandEnabled(unsigned type);

// Empties every registry.
void ClearRegistries();

// The loader keeps a copy while a plug-in attaches and puts it back when the plug-in
// refuses, so that a refused plug-in leaves nothing registered behind.
Registries SnapshotRegistries();
void RestoreRegistries(const Registries& snapshot);

}  // namespace nsTamskLib::nsPlugin

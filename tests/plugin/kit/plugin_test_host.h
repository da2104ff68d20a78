#pragma once
// Binds the plug-in's host table the way an attach to the game program would, to
// the engine's own exported functions, so that the plug-in's errors reach the
// engine's RuntimeError (and so a FatalTrap) and its expressions the engine's
// evaluator.

#include <map>
#include <string>

#include "plugin/core/host_api.h"

namespace vesk_test {

// The program's exports by name, as the game program offers them.
std::map<std::string, void*> EngineExports();

// A resolver over a table of names.
nsWendrick::HostResolver ResolverOf(std::map<std::string, void*> exports);

// Binds every entry of the plug-in's host table to the engine's exports.
void BindEngineHost();

// Resets the plug-in's process-wide state touched by tests: the host table, the
// line-breaking sets and the variable-name lists.
void ResetPluginState();

}  // namespace vesk_test

#include "engine/script/compiled_script.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace nsTamskLib::nsScript {

bool ReadSections(nsIOStream::IIOStream& stream, const ScriptParts& parts) {
  parts.labels.Load(&stream);
  if (stream.HasReadFailed()) return false;
  // A damaged command section stops at its first short read (no command is made
  // from a garbage type); the symbols after it are not read.
  parts.commands.Load(&stream);
  if (stream.HasReadFailed()) return false;
  parts.symbols.Load(&stream);
  return !stream.HasReadFailed();
}

bool CanLink(const ScriptParts& script, const ScriptParts& object) {
  for (const auto& [name, value] : object.labels.GetMap()) {
    const bool defined = script.labels.GetMap().count(name) != 0;
    if (defined ? value >= 0 : value < 0) return false;
  }
  const auto& declared = script.symbols.GetMap();
  for (const auto& [name, kind] : object.symbols.GetMap()) {
    const auto it = declared.find(name);
    if (it == declared.end()) {
      if (kind < 0) return false;
      continue;
    }
    // Kinds are small; labs of INT_MIN would not be, so compare in 64 bits.
    const long long mine = std::llabs(static_cast<long long>(it->second));
    const long long theirs = std::llabs(static_cast<long long>(kind));
    const bool globalUsedAsLocal = it->second == 2 && kind == -1;
    if (mine != theirs && !globalUsedAsLocal) return false;
  }
  return true;
}

void Link(const ScriptParts& script, const ScriptParts& object) {
  std::vector<ICmd_Base*>& commands = script.commands.GetCommandList();
  const auto offset = static_cast<std::uint32_t>(commands.size());
  for (const auto& [name, value] : object.labels.GetMap()) {
    if (value < 0) continue;
    script.labels.Set(name.c_str(),
                      static_cast<std::int32_t>(static_cast<std::uint32_t>(value) + offset));
  }
  std::vector<ICmd_Base*>& moved = object.commands.GetCommandList();
  commands.insert(commands.end(), moved.begin(), moved.end());
  moved.clear();
  for (const auto& [name, kind] : object.symbols.GetMap()) {
    if (kind >= 0) script.symbols.Set(name.c_str(), kind);
  }
}

std::string JoinScriptName(const std::string& script, const std::string& object) {
  return script.empty() ? object : script + ", " + object;
}

}  // namespace nsTamskLib::nsScript

#pragma once
// Script commands' bodies as a compiled script stores them: saved, loaded back into
// fresh commands, and shown again as script text.

#include <string>
#include <vector>

#include "engine/api/command.h"

namespace vesk_test {

// The bytes the command saves as its body.
std::string SaveBody(nsTamskLib::ICmd_Base& command);

// The command section of a compiled script: each command's type, then its body.
std::string SaveCommands(const std::vector<nsTamskLib::ICmd_Base*>& commands);

// A command's body saved and loaded into `fresh`, which must read all of it and
// nothing more (a failure of the test otherwise).
struct ReloadedCommand {
  std::string body;     // the command's own body
  std::string resaved;  // the fresh command's body, saved again
  std::string dump;     // the fresh command's script text
};
ReloadedCommand Reload(nsTamskLib::ICmd_Base& command, nsTamskLib::ICmd_Base& fresh);

}  // namespace vesk_test

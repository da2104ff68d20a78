#include "plugin/core/host_api.h"

namespace nsWendrick {

const char* const kHostApiNames[kHostApiEntryCount] = {
    "GetTamskLibVersion",
    "Message",
    "DebugMessage",
    "RuntimeWarning",
    "RuntimeError",
    "CalcExpression",
    "SaveNum",
    "SaveChar",
    "SavePrimitive",
    "LoadNum",
    "LoadChar",
    "LoadPrimitive",
    "SaveStringM",
    "SaveStringVM",
    "SaveExpression",
    "SaveTextTokenSection",
    "LoadStringM",
    "LoadStringVM",
    "LoadExpression",
    "LoadTextTokenSection",
    "SaveDrawTask",
    "SaveSprite",
    "SaveButton",
    "SaveEffectParam",
    "SaveUpdateParam",
    "LoadDrawTask",
    "LoadSprite",
    "LoadButton",
    "LoadEffectParam",
    "LoadUpdateParam",
    "SaveRecord",
    "LoadRecord",
    "RegisterPFactory",
    "RegisterPUpdate",
    "RegisterPEffect1",
    "RegisterPEffect2",
    "RegisterPEffect3",
    "RegisterPAnalysis",
    "RegisterPCommandName",
    "RegisterPEnableSystemCommand",
    "RegisterPSaveLocalDataFunc",
    "RegisterPLoadLocalDataFunc",
    "RegisterPSaveEnvironmentDataFunc",
    "RegisterPLoadEnvironmentDataFunc",
    "RegisterPAddDrawTaskFunc",
    "RegisterPDrawTaskFunc",
    "RegisterPBltFunc",
    "GetTMAccessor",
    "SetTMAccessor",
    "GetDMAccessor",
    "SetDMAccessor",
    "GetTokenSize",
    "GetToken",
    "GetRef",
    "AddCommand",
    "IsConst",
    "IsLabel",
    "IsString",
    "IsOperator",
    "IsIdentifer",
    "IsSeparator",
    "IsParameter",
    "IsButtonVar",
    "IsSpriteVar",
    "IsValidSyntax",
};

void HostApiTable::Bind(HostApiEntry entry, const HostResolver& resolve) {
  m_Entries[entry] = resolve ? resolve(kHostApiNames[entry]) : nullptr;
}

void HostApiTable::Clear() {
  for (void*& entry : m_Entries) entry = nullptr;
}

HostApiTable& GetHostApi() {
  // Constant-initialised: valid before any constructor of the library runs.
  static constinit HostApiTable table;
  return table;
}

}  // namespace nsWendrick

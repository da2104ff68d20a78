#include "tests/plugin/kit/plugin_test_host.h"

#include "engine/api/plugin_api.h"
#include "plugin/text/expansion.h"
#include "plugin/text/kinsoku.h"

namespace vesk_test {
namespace {

template <typename F>
void* Address(F function) {
  return reinterpret_cast<void*>(function);
}

}  // namespace

std::map<std::string, void*> EngineExports() {
  return {
      {"GetTamskLibVersion", Address(&GetTamskLibVersion)},
      {"RegisterPFactory", Address(&RegisterPFactory)},
      {"RegisterPUpdate", Address(&RegisterPUpdate)},
      {"RegisterPEffect1", Address(&RegisterPEffect1)},
      {"RegisterPEffect2", Address(&RegisterPEffect2)},
      {"RegisterPEffect3", Address(&RegisterPEffect3)},
      {"RegisterPAnalysis", Address(&RegisterPAnalysis)},
      {"RegisterPAddDrawTaskFunc", Address(&RegisterPAddDrawTaskFunc)},
      {"RegisterPDrawTaskFunc", Address(&RegisterPDrawTaskFunc)},
      {"RegisterPBltFunc", Address(&RegisterPBltFunc)},
      {"RegisterPCommandName", Address(&RegisterPCommandName)},
      {"RegisterPEnableSystemCommand", Address(&RegisterPEnableSystemCommand)},
      {"RegisterPSaveLocalDataFunc", Address(&RegisterPSaveLocalDataFunc)},
      {"RegisterPLoadLocalDataFunc", Address(&RegisterPLoadLocalDataFunc)},
      {"RegisterPSaveEnvironmentDataFunc", Address(&RegisterPSaveEnvironmentDataFunc)},
      {"RegisterPLoadEnvironmentDataFunc", Address(&RegisterPLoadEnvironmentDataFunc)},
      {"GetTMAccessor", Address(&GetTMAccessor)},
      {"SetTMAccessor", Address(&SetTMAccessor)},
      {"GetDMAccessor", Address(&GetDMAccessor)},
      {"SetDMAccessor", Address(&SetDMAccessor)},
      {"Message", Address(&Message)},
      {"RuntimeError", Address(&RuntimeError)},
      {"RuntimeWarning", Address(&RuntimeWarning)},
      {"DebugMessage", Address(&DebugMessage)},
      {"CalcExpression", Address(&CalcExpression)},
  };
}

nsWendrick::HostResolver ResolverOf(std::map<std::string, void*> exports) {
  return [exports = std::move(exports)](const char* name) -> void* {
    const auto it = exports.find(name);
    return it != exports.end() ? it->second : nullptr;
  };
}

void BindEngineHost() {
  const nsWendrick::HostResolver resolve = ResolverOf(EngineExports());
  nsWendrick::HostApiTable& api = nsWendrick::GetHostApi();
  for (std::size_t entry = 0; entry < nsWendrick::kHostApiEntryCount; ++entry) {
    api.Bind(static_cast<nsWendrick::HostApiEntry>(entry), resolve);
  }
}

void ResetPluginState() {
  nsWendrick::GetHostApi().Clear();
  nsWendrick::LeadingChs().Clear();
  nsWendrick::FollowingChs().Clear();
  nsWendrick::FollowingWeakChs().Clear();
  nsWendrick::LocalVariableNames().clear();
  nsWendrick::GlobalVariableNames().clear();
}

}  // namespace vesk_test

#include "plugin/entry/attach.h"

#include <ctime>

#include "platform/clock/clock.h"
#include "plugin/commands/timed_choice.h"
#include "plugin/core/random.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_sprite_layout.h"
#include "plugin/transitions/page_hooks.h"

namespace nsWendrick {
namespace {

constinit bool g_Attached = false;

}  // namespace

bool AttachWendrick(const HostResolver& resolve, const std::string& ownFileName,
                    const RegistrationTables& tables) {
  HostApiTable& api = GetHostApi();
  api.Clear();
  api.Bind(kGetTamskLibVersion, resolve);
  const auto version = api.As<GetVersionFunc>(kGetTamskLibVersion);
  if (version == nullptr) return false;
  const int hostVersion = version();
  if (hostVersion < kRequiredHostVersion) {
    api.Bind(kRuntimeWarning, resolve);
    if (const auto warn = api.As<ReportFunc>(kRuntimeWarning)) {
      warn(nullptr,
           "プラグインのバージョンが本体を上回っています！\n（本体：Ver%d.%d　プラグイン（%s）：Ver%d.%d）",
           hostVersion / 1000, hostVersion % 1000, ownFileName.c_str(), kWendrickVersion / 1000,
           kWendrickVersion % 1000);
    }
    api.Clear();
    return false;
  }
  platform::BeginClockPeriod();
  SeedRandom(static_cast<std::uint32_t>(std::time(nullptr)));
  InstallDefaultKinsokuSets();
  TransitionPageHooks().rebuildTextSprites = RebuildTextSprites;
  TransitionPageHooks().drawSelectLImages = DrawSelectLImages;
  for (std::size_t entry = kMessage; entry < kHostApiEntryCount; ++entry) {
    api.Bind(static_cast<HostApiEntry>(entry), resolve);
  }
  RegisterWithHost(api, tables);
  g_Attached = true;
  return true;
}

void DetachWendrick() {
  if (!g_Attached) return;
  platform::EndClockPeriod();
  g_Attached = false;
}

bool IsWendrickAttached() { return g_Attached; }

}  // namespace nsWendrick

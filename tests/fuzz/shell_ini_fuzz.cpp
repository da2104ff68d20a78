// The lists the game shell and the battle read from INI files: the bytes are every
// such INI at once (a round, a character, an enemy, an animation, the select screen
// and the enemy list it names), read as the battle loads a stage and builds its
// boards and as the select screen builds its tables. A list too long for the
// program is refused with the game's error box, which counts as handled.

#include <filesystem>
#include <string>

#include "engine/core/error_report.h"
#include "framework/file/file_reader.h"
#include "framework/param/param_manager.h"
#include "game/battle/battle_context.h"
#include "game/battle/enemy.h"
#include "game/battle/player.h"
#include "game/core/program_objects.h"
#include "game/effects/effecter_animation.h"
#include "game/selection/selection_tables.h"
#include "platform/clock/clock.h"
#include "platform/message_box/message_box.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr char kIni[] = "Data/InGame/Round/R0.ini";

void StartShell() {
  static const bool started = [] {
    vesk_fuzz::EnterScratchFolder();
    std::filesystem::create_directories("Data/InGame/Round");
    std::filesystem::create_directories("Data/Select");
    platform::SetMessageBoxHandler(
        [](std::string_view, std::string_view, platform::MessageBoxButtons, platform::MessageBoxIcon) {
          return platform::MessageBoxAnswer::Ok;
        });
    nsTamskLib::nsCore::SetFatalHandler([](const std::string& text) { throw vesk_fuzz::Rejected(text); });
    platform::UseVirtualClock(1000);
    return true;
  }();
  (void)started;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace nsVesk::nsGame::nsMine;
  StartShell();
  vesk_fuzz::WriteScratchFile(kIni, data, size);
  vesk_fuzz::WriteScratchFile(nsVesk::kSelectIni, data, size);
  nsVesk::g_ParamManager =
      new nsZarn::nsFramework::nsParam::ParamManager(new nsZarn::nsFile::nsFileReader::CFileReader, nullptr);
  try {
    nsVesk::nsEffect::cEffecterAnimation animation(nullptr);
    animation.Load(kIni);
    nsVesk::BuildSelectionTables();
    nsVesk::nsGame::cBattleContext context;
    context.SetPlayer(new nsEXPlayer::cPlayerAoria(kIni));
    context.SetEnemy(new nsEXEnemy::cEnemyIni(kIni));
    context.LoadStage(kIni);
    context.CreateBoards();
  } catch (const vesk_fuzz::Rejected&) {
  }
  nsVesk::ClearSelectTables();
  delete nsVesk::g_ParamManager;
  nsVesk::g_ParamManager = nullptr;
  return 0;
}

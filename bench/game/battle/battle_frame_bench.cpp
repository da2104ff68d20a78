// The battle: one frame of the largest round the game takes, 64 stacked boards of
// 256 x 256 cells, with every safe cell of the top board open so that the board
// below shows through everywhere, drawn by the battle scene over the sample data.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "framework/file/file_reader.h"
#include "framework/file/file_writer.h"
#include "framework/filepack/file_pack_manager.h"
#include "framework/param/param_manager.h"
#include "game/battle/battle_context.h"
#include "game/battle/battle_random.h"
#include "game/battle/game_scene.h"
#include "game/battle/mine_cell.h"
#include "game/battle/mine_ex.h"
#include "game/battle/player.h"
#include "game/core/program_objects.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "platform/window/window.h"
#include "tests/platform/support/graphics_test_back_end.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kRound = "Data/InGame/Round/R0.ini";
constexpr const char* kEnemy = "Data/InGame/Enemy/E0.ini";
constexpr const char* kAoria = "Data/InGame/Chara/Aoria.ini";

std::intptr_t Procedure(platform::WindowHandle, platform::MessageId, std::uintptr_t, std::intptr_t) { return 0; }

// Sets a key of a section of an INI text, as the sample writes it ("key=value").
void SetKey(std::string& ini, const std::string& section, const std::string& key, const std::string& value) {
  const std::size_t at = ini.find("\n" + key + "=", ini.find("[" + section + "]")) + 1;
  ini.replace(at, ini.find('\n', at) - at, key + "=" + value);
}

// The program-wide objects the battle uses, over a packed copy of the sample data
// whose first round is the largest one.
class LargestRound {
 public:
  LargestRound() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    m_Folder = fs::temp_directory_path() / ("vesk-battle-frame-bench-" + std::to_string(getpid()));
    fs::create_directories(m_Folder);
    m_Previous = fs::current_path();
    fs::current_path(m_Folder);
    fs::copy(VESK_SAMPLE_DATA, "Data", fs::copy_options::recursive);
    std::stringstream text;
    text << std::ifstream(kRound, std::ios::binary).rdbuf();
    std::string round = text.str();
    SetKey(round, "Stage", "BoardsNum", "64");
    SetKey(round, "Stage", "MineBoardWidth", "256");
    SetKey(round, "Stage", "MineBoardHeight", "256");
    std::ofstream(kRound, std::ios::binary | std::ios::trunc) << round;

    using nsZarn::nsFile::nsFileReader::CFileReader;
    using nsZarn::nsFile::nsFileWriter::CFileWriter;
    nsVesk::g_FilePackManager = new nsZarn::nsFramework::nsFilePack::FilePackManager(new CFileReader, new CFileWriter);
    nsVesk::g_ParamManager = new nsZarn::nsFramework::nsParam::ParamManager(new CFileReader, new CFileWriter);
    m_Ready = nsVesk::g_FilePackManager->ConvertToFilePack("Data", nsVesk::g_ParamManager) &&
              nsVesk::g_FilePackManager->OpenFilePack("Data.dat") &&
              nsVesk::g_Graphic.Init("bench", Procedure, 800, 600, 0xA00000, false, false, false);
    if (!m_Ready) return;
    nsVesk::g_ParamManager->SetFileReader(nsVesk::g_FilePackManager->GetFileReader("Data.dat"));

    // The selection hands the round to the battle, as the select scene does.
    nsVesk::g_RoundIniTable = {{{kRound}}};
    nsVesk::g_EnemyIniTable = {{{kEnemy}}};
    nsVesk::g_SelectChara = 0;
    nsVesk::g_SelectEnemy = 0;
    nsVesk::g_Round = 0;
    nsVesk::nsGame::TheBattleRandom().Seed(20261209);
    nsVesk::nsGame::cBattleContext& battle = nsVesk::nsGame::TheBattleContext();
    battle.SetPlayer(new nsVesk::nsGame::nsMine::nsEXPlayer::cPlayerAoria(kAoria));
    battle.LoadStage(kRound);
    m_Scene = std::make_unique<nsVesk::nsGame::cGameScene>();
    OpenEverySafeCell(*battle.GetBoards().front());
  }
  ~LargestRound() {
    m_Scene.reset();
    delete nsVesk::g_ParamManager;
    nsVesk::g_ParamManager = nullptr;
    delete nsVesk::g_FilePackManager;
    nsVesk::g_FilePackManager = nullptr;
    fs::current_path(m_Previous);
    fs::remove_all(m_Folder);
  }
  bool Ready() const { return m_Ready && m_Scene != nullptr; }
  nsVesk::nsGame::cGameScene& Scene() { return *m_Scene; }

 private:
  static void OpenEverySafeCell(nsVesk::nsGame::nsMine::nsEX::cMineEx& board) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    board.GetSize(width, height);
    for (int x = 0; x < static_cast<int>(width); ++x) {
      for (int y = 0; y < static_cast<int>(height); ++y) {
        if ((board.GetCell(x, y) & nsVesk::nsGame::nsMine::kCellMine) == 0) board.Open(x, y);
      }
    }
  }

  vesk_test::GraphicsTestBackEnd m_Back;
  fs::path m_Folder;
  fs::path m_Previous;
  bool m_Ready = false;
  std::unique_ptr<nsVesk::nsGame::cGameScene> m_Scene;
};

void BM_LargestRoundFrame(benchmark::State& state) {
  LargestRound round;
  if (!round.Ready()) {
    state.SkipWithError("no archive or graphics device");
    return;
  }
  for (auto _ : state) round.Scene().Draw(false);
}
BENCHMARK(BM_LargestRoundFrame)->Unit(benchmark::kMillisecond);

}  // namespace

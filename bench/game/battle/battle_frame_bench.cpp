// The battle: one frame of the largest round the game takes, 64 stacked boards of
// 256 x 256 cells, with every safe cell of the top board open so that the board
// below shows through everywhere, drawn by the battle scene over the sample data.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "bench/game/support/packed_data_stage.h"
#include "game/battle/battle_context.h"
#include "game/battle/battle_random.h"
#include "game/battle/game_scene.h"
#include "game/battle/mine_cell.h"
#include "game/battle/mine_ex.h"
#include "game/battle/player.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"

namespace {

constexpr const char* kRound = "Data/InGame/Round/R0.ini";
constexpr const char* kEnemy = "Data/InGame/Enemy/E0.ini";
constexpr const char* kAoria = "Data/InGame/Chara/Aoria.ini";

// Sets a key of a section of an INI text, as the sample writes it ("key=value").
void SetKey(std::string& ini, const std::string& section, const std::string& key, const std::string& value) {
  const std::size_t at = ini.find("\n" + key + "=", ini.find("[" + section + "]")) + 1;
  ini.replace(at, ini.find('\n', at) - at, key + "=" + value);
}

void OpenEverySafeCell(nsVesk::nsGame::nsMine::nsEX::cMineEx& board) {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  board.GetSize(width, height);
  for (int x = 0; x < static_cast<int>(width); ++x) {
    for (int y = 0; y < static_cast<int>(height); ++y) {
      if ((board.GetCell(x, y) & nsVesk::nsGame::nsMine::kCellMine) == 0) board.Open(x, y);
    }
  }
}

// The sample data with its first round made the largest one, and the battle scene
// on that round as the select scene hands it over.
class LargestRound {
 public:
  LargestRound() : m_Stage("battle-frame-bench") {
    std::filesystem::copy(VESK_SAMPLE_DATA, "Data", std::filesystem::copy_options::recursive);
    std::stringstream text;
    text << std::ifstream(kRound, std::ios::binary).rdbuf();
    std::string round = text.str();
    SetKey(round, "Stage", "BoardsNum", "64");
    SetKey(round, "Stage", "MineBoardWidth", "256");
    SetKey(round, "Stage", "MineBoardHeight", "256");
    std::ofstream(kRound, std::ios::binary | std::ios::trunc) << round;
    if (!m_Stage.Start()) return;

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
  bool Ready() const { return m_Scene != nullptr; }
  nsVesk::nsGame::cGameScene& Scene() { return *m_Scene; }

 private:
  vesk_bench::PackedDataStage m_Stage;
  std::unique_ptr<nsVesk::nsGame::cGameScene> m_Scene;  // released before the stage
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

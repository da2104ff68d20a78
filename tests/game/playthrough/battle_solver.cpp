#include "tests/game/playthrough/battle_solver.h"

#include "game/battle/battle_context.h"
#include "game/battle/game_scene.h"
#include "game/battle/mine_cell.h"
#include "game/core/program_objects.h"
#include "game/shell/shell_objects.h"

namespace vesk_play {
namespace {

namespace nsGame = nsVesk::nsGame;
constexpr int kClickLimit = 2000;
constexpr std::uint32_t kStartLimitMs = 3000;

}  // namespace

bool BattleSolver::Playable() {
  auto* scene = dynamic_cast<nsGame::cGameScene*>(nsVesk::g_SceneManager.GetTopScene());
  return scene != nullptr && !scene->IsFading();
}

bool BattleSolver::Cleared() { return nsGame::TheBattleContext().IsCleared(); }
bool BattleSolver::Lost() { return nsGame::TheBattleContext().IsLost(); }

bool BattleSolver::ClickCell(bool mine) {
  auto& boards = nsGame::TheBattleContext().GetBoards();
  if (boards.empty()) return false;
  const auto& top = *boards.front();
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  top.GetSize(width, height);
  for (int y = 0; y < static_cast<int>(height); ++y) {
    for (int x = 0; x < static_cast<int>(width); ++x) {
      const std::uint32_t word = top.GetCell(x, y);
      if ((word & nsGame::nsMine::kCellRefusesOpen) != 0) continue;
      if (((word & nsGame::nsMine::kCellMine) != 0) != mine) continue;
      // A player looks at the board before the next click.
      m_Driver.Click(Point{top.GetChipBaseX() + x * top.GetChipWidth() + top.GetChipWidth() / 2,
                           top.GetChipBaseY() + y * top.GetChipHeight() + top.GetChipHeight() / 2},
                     GameDriver::kWaitFrameMs);
      ++m_Clicks;
      return true;
    }
  }
  return false;
}

bool BattleSolver::Win() {
  if (!m_Driver.RunUntil(Playable, kStartLimitMs, "the battle never took input")) return false;
  for (int clicks = 0; !Cleared() && clicks < kClickLimit && m_Driver.Running(); ++clicks) {
    if (Lost()) break;
    if (!ClickCell(false)) m_Driver.Frame();
  }
  return m_Driver.Check(Cleared(), "the battle round was not cleared by clicking safe cells");
}

bool BattleSolver::Lose() {
  if (!m_Driver.RunUntil(Playable, kStartLimitMs, "the battle never took input")) return false;
  ClickCell(false);
  for (int clicks = 0; !Lost() && clicks < kClickLimit && m_Driver.Running(); ++clicks) {
    if (Cleared()) break;
    if (!ClickCell(true)) m_Driver.Frame();
  }
  return m_Driver.Check(Lost(), "the battle round was not lost by clicking mines");
}

}  // namespace vesk_play

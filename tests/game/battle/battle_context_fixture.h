#pragma once
// A battle context under test: scripted mouse behind the program-wide input
// manager, the virtual clock, an engine whose sound manager records what is played
// over a real table of global variables, and an archive packed from the INIs the
// test writes. Boards can be built by hand from a picture of their cells.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/battle/battle_context.h"
#include "game/battle/enemy.h"
#include "game/battle/player.h"
#include "tests/game/battle/battle_fakes.h"
#include "tests/game/battle/board_test_support.h"
#include "tests/game/support/game_scene_fixture.h"
#include "tests/support/temp_dir.h"

namespace nsVesk::nsGame::nsMine::nsTest {

inline constexpr const char* kTestEnemyIni = "Data/InGame/Enemy/E.ini";
inline constexpr const char* kTestCharaIni = "Data/InGame/Chara/A.ini";

// Enemy life 600 of 1200 without regeneration; Atk 20, BombAtk 200, 50 points a bomb.
inline std::string TestEnemyText(int life = 600, int maxLife = 1200) {
  return "[Enemy]\nLife=" + std::to_string(life) + "\nMaxLife=" + std::to_string(maxLife) +
         "\nRejP=0\nRejInterval=100000\n";
}
inline std::string TestCharaText(int bomb = 0) {
  return "[Player]\nBomb=" + std::to_string(bomb) + "\nNeedBombP=50\nAtk=20\nBombAtk=200\nAtkRate=100\n";
}

class BattleContextFixture : public vesk_test::GameSceneFixture {
 protected:
  void SetUp() override {
    GameSceneFixture::SetUp();
    InstallBattleEngine(&m_Engine);
    nsEXPlayer::g_HiScoreVarName.clear();
    vesk_test::WriteFile(kTestEnemyIni, TestEnemyText());
    vesk_test::WriteFile(kTestCharaIni, TestCharaText());
  }
  void TearDown() override {
    m_Context.reset();
    InstallBattleEngine(nullptr);
    GameSceneFixture::TearDown();
  }

  // Packs the files written so far and gives the context its player and enemy.
  void Start() {
    PackData();
    m_Context = std::make_unique<cBattleContext>();
    m_Context->SetPlayer(new nsEXPlayer::cPlayerAoria(kTestCharaIni));
    m_Context->SetEnemy(new nsEXEnemy::cEnemyIni(kTestEnemyIni));
    m_Context->GetPlayer()->Load();
  }

  cBattleContext& Ctx() { return *m_Context; }
  nsEXPlayer::IPlayerM& Player() { return *m_Context->GetPlayer(); }
  nsEXEnemy::IEnemyM& Enemy() { return *m_Context->GetEnemy(); }

  // Puts a board of 10 x 10 cells with its corner at (baseX, baseY) under the
  // boards already there, filled from the picture; its first click is behind it.
  // Its chip picture's draws go to `log` (a log of its own without one).
  nsEX::cMineEx& AddBoard(const std::vector<std::string>& rows, int baseX = 100, int baseY = 100,
                          std::shared_ptr<PictureLog> log = nullptr) {
    if (!log) log = std::make_shared<PictureLog>();
    auto board = std::make_unique<nsEX::cMineEx>(m_Context.get(), std::make_unique<RecordingPictureTable>(log));
    board->SetChipImage("Data/chips.png");
    board->SetChipWidth(10);
    board->SetChipHeight(10);
    board->SetChipBaseX(baseX);
    board->SetChipBaseY(baseY);
    board->SetFirstClick(false);
    Fill(*board, rows);
    nsEX::cMineEx& result = *board;
    m_Context->GetBoards().push_back(std::move(board));
    return result;
  }
  // The screen point at the centre of cell (x, y) of a board placed by AddBoard.
  static int CellX(int x, int baseX = 100) { return baseX + 10 * x + 5; }
  static int CellY(int y, int baseY = 100) { return baseY + 10 * y + 5; }

  // One frame of the battle step with the mouse at (x, y).
  void Frame(int x, int y, bool leftDown) {
    Poll(x, y, leftDown);
    m_Context->Update();
  }
  // A left press and its release at (x, y), one frame each.
  void Click(int x, int y) {
    Frame(x, y, true);
    Frame(x, y, false);
  }
  // A frame whose release opens the cell; the press came in an earlier frame.
  void PressAt(int x, int y) { Frame(x, y, true); }

  int Played(const std::string& name) const { return m_Engine.Plays(name); }

  FakeBattleEngine m_Engine;
  std::unique_ptr<cBattleContext> m_Context;
};

}  // namespace nsVesk::nsGame::nsMine::nsTest

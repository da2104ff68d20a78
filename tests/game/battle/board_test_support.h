#pragma once
// Test doubles for boards: a scripted generator, a recording battle host and player,
// a recording picture table, and boards built from a picture of their cells.

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/battle/battle_random.h"
#include "game/battle/board_host.h"
#include "game/battle/mine_ex.h"
#include "game/battle/picture_table.h"

namespace nsVesk::nsGame::nsMine::nsTest {

// Gives the listed values in order, then 0 for ever.
class ScriptedRandom : public IBattleRandom {
 public:
  ScriptedRandom(std::initializer_list<std::uint32_t> values) : m_Values(values) {}
  std::uint32_t Next() override {
    ++m_Draws;
    if (m_Values.empty()) {
      return 0;
    }
    const std::uint32_t value = m_Values.front();
    m_Values.pop_front();
    return value;
  }
  std::size_t Left() const { return m_Values.size(); }
  std::size_t Draws() const { return m_Draws; }

 private:
  std::deque<std::uint32_t> m_Values;
  std::size_t m_Draws = 0;
};

class FakePlayer : public IBoardPlayer {
 public:
  void AddAtkRate(int amount) override { atkRate += amount; }
  int GetAtkRate() const override { return atkRate; }
  void SetAtkRate(int rate) override { atkRate = rate; }
  void AddBomb(int amount) override { bomb += amount; }
  int GetBomb() const override { return bomb; }
  void SetBomb(int value) override { bomb = value; }
  void AddScore(int amount) override { score += amount; }

  int atkRate = 100;
  int bomb = 0;
  int score = 0;
};

// Records sounds ("load:<file>", "play:<file>") and reward effects ("pow@<n>" with n
// the number of cells the watched board had opened in this click when it was sent).
class FakeBoardHost : public IBoardHost {
 public:
  BoardMouse GetBoardMouse() const override { return mouse; }
  void LoadSE(const std::string& file) override { log.push_back("load:" + file); }
  void PlaySE(const std::string& file) override { log.push_back("play:" + file); }
  IBoardPlayer* GetBoardPlayer() override { return withPlayer ? &player : nullptr; }
  ChipRewards GetChipRewards() const override { return rewards; }
  void SpawnPowEffect() override { Spawned("pow"); }
  void SpawnBombEffect() override { Spawned("bomb"); }
  void SpawnScoreEffect() override { Spawned("score"); }
  const nsCore::IMine* GetBoardAbove(const nsCore::IMine& board) const override {
    for (std::size_t i = 1; i < boards.size(); ++i) {
      if (boards[i] == &board) {
        return boards[i - 1];
      }
    }
    return nullptr;
  }

  BoardMouse mouse;
  FakePlayer player;
  bool withPlayer = true;
  ChipRewards rewards;
  std::vector<const nsCore::IMine*> boards;  // the stack, top board first
  const nsCore::IMine* watched = nullptr;
  std::vector<std::string> log;

 private:
  void Spawned(const std::string& kind) {
    std::string entry = kind;
    if (watched) {
      entry += '@';
      entry += std::to_string(watched->GetOpenedThisClick());
    }
    log.push_back(entry);
  }
};

struct DrawCall {
  std::string name;
  int x, y;
  std::uint8_t alpha;
  nsZarn::nsGraphics::Rect source;
  float scaleX, scaleY, angle;
};

struct PictureLog {
  std::map<std::string, std::string> loaded;  // name -> file
  std::vector<DrawCall> draws;
  // The area drawn on: every place a 32-bit position reaches unless a test sets one.
  nsZarn::nsGraphics::Rect area{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
};

class RecordingPictureTable : public IPictureTable {
 public:
  explicit RecordingPictureTable(std::shared_ptr<PictureLog> log) : m_Log(std::move(log)) {}
  void Load(const std::string& name, const std::string& file) override { m_Log->loaded.emplace(name, file); }
  void Draw(const std::string& name, int x, int y, std::uint8_t alpha, const nsZarn::nsGraphics::Rect& source,
            float scaleX, float scaleY, float angle) override {
    if (m_Log->loaded.count(name) != 0) {
      m_Log->draws.push_back({name, x, y, alpha, source, scaleX, scaleY, angle});
    }
  }
  nsZarn::nsGraphics::Rect DrawArea() const override { return m_Log->area; }

 private:
  std::shared_ptr<PictureLog> m_Log;
};

// A cell picture, one string per row: '.' closed, '*' mine, 'F' flag, 'f' flag on a
// mine, '?' mark, 'o' open, 'X' opened mine, 'P' / 'B' / 'S' chips, 'p' Pow on a mine.
inline std::uint32_t WordOf(char c) {
  switch (c) {
    case '*': return kCellMine;
    case 'F': return kCellFlag;
    case 'f': return kCellFlag | kCellMine;
    case '?': return kCellMark;
    case 'o': return kCellOpen;
    case 'X': return kCellOpen | kCellMine;
    case 'P': return kCellPow;
    case 'B': return kCellBomb;
    case 'S': return kCellScore;
    case 'p': return kCellPow | kCellMine;
    default: return 0;
  }
}

// Sizes and fills the board from the picture through its own cell writes, so its
// mine, flag and opened counters match the cells (the click counter too, until the
// next OnClick).
inline void Fill(nsCore::cMine& board, const std::vector<std::string>& rows) {
  board.Create(rows.empty() ? 0u : static_cast<std::uint32_t>(rows[0].size()),
               static_cast<std::uint32_t>(rows.size()));
  board.ClearCells();
  board.Reset();
  board.SetMineNum(0);
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      board.SetCell(static_cast<int>(x), static_cast<int>(y), WordOf(rows[y][x]));
    }
  }
}

}  // namespace nsVesk::nsGame::nsMine::nsTest

// The board model: the random generator, generation of a round, neighbour counts,
// cell writes, resolving opened mines and the cleared test.
#include <gtest/gtest.h>

#include "game/battle/battle_random.h"
#include "game/battle/mine_ex.h"
#include "tests/game/battle/board_test_support.h"

namespace nsVesk::nsGame::nsMine {
namespace {

using Board = nsEX::cMineEx;
using nsTest::Fill;
using nsTest::ScriptedRandom;

std::vector<std::uint32_t> Words(const nsCore::cMine& board) {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  board.GetSize(width, height);
  std::vector<std::uint32_t> words;
  for (std::uint32_t x = 0; x < width; ++x) {
    for (std::uint32_t y = 0; y < height; ++y) {
      words.push_back(board.GetCell(static_cast<int>(x), static_cast<int>(y)));
    }
  }
  return words;
}

int CountWith(const nsCore::cMine& board, std::uint32_t bits) {
  int n = 0;
  for (const std::uint32_t word : Words(board)) {
    n += (word & bits) == bits ? 1 : 0;
  }
  return n;
}

// The round start's order of generation.
void Generate(nsCore::cMine& board, std::uint32_t width, std::uint32_t height, int mines, int pow, int bomb,
              int score) {
  board.Create(width, height);
  board.Reset();
  board.ClearCells();
  board.SetMineNum(mines);
  board.PlaceMines();
  board.PlaceChips(ChipKind::Pow, pow);
  board.PlaceChips(ChipKind::Bomb, bomb);
  board.PlaceChips(ChipKind::Score, score);
  board.RecountNeighbours();
}

TEST(BattleRandomTest, FollowsTheClassicRandSequenceAndItsSeed) {
  BattleRandom unseeded;
  EXPECT_EQ(unseeded.Next(), 41u);
  EXPECT_EQ(unseeded.Next(), 18467u);
  EXPECT_EQ(unseeded.Next(), 6334u);
  BattleRandom a(12345);
  BattleRandom b;
  b.Seed(12345);
  for (int i = 0; i < 1000; ++i) {
    const std::uint32_t value = a.Next();
    ASSERT_EQ(value, b.Next());
    ASSERT_LE(value, 32767u);
  }
  EXPECT_EQ(&TheBattleRandom(), &TheBattleRandom());
}

TEST(BoardGenerationTest, TheSameSeedGivesTheSameBoardWithExactCounts) {
  BattleRandom first(777);
  BattleRandom second(777);
  Board a(nullptr, nullptr);
  Board b(nullptr, nullptr);
  a.SetRandom(first);
  b.SetRandom(second);
  Generate(a, 16, 12, 20, 3, 3, 3);
  Generate(b, 16, 12, 20, 3, 3, 3);
  EXPECT_EQ(Words(a), Words(b));
  EXPECT_EQ(a.GetMineNum(), 20);
  EXPECT_EQ(CountWith(a, kCellMine), 20);
  EXPECT_EQ(CountWith(a, kCellPow), 3);
  EXPECT_EQ(CountWith(a, kCellBomb), 3);
  EXPECT_EQ(CountWith(a, kCellScore), 3);
  EXPECT_EQ(CountWith(a, kCellBomb | kCellScore), 0);
}

TEST(BoardGenerationTest, DrawsXBeforeYAndRedrawsATakenCell) {
  ScriptedRandom random{5, 1, 5, 7, 0, 2};  // (1,1), (1,1) again, then (0,2)
  Board board(nullptr, nullptr);
  board.SetRandom(random);
  board.Create(4, 3);
  board.ClearCells();
  board.SetMineNum(2);
  board.PlaceMines();
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(board.GetCell(1, 1), kCellMine);
  EXPECT_EQ(board.GetCell(0, 2), kCellMine);
  EXPECT_EQ(CountWith(board, kCellMine), 2);
}

TEST(BoardGenerationTest, ChipsKeepTheirBlockingRulesAndLandOnMines) {
  // Pow on the mine at (0,0); a second Pow there is redrawn to (1,0); Bomb joins the
  // Pow at (0,0); Score there is redrawn to (1,1).
  ScriptedRandom random{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 1};
  Board board(nullptr, nullptr);
  board.SetRandom(random);
  board.Create(2, 2);
  board.ClearCells();
  board.SetMineNum(1);
  board.PlaceMines();
  board.PlaceChips(ChipKind::Pow, 1);
  board.PlaceChips(ChipKind::Pow, 1);
  board.PlaceChips(ChipKind::Bomb, 1);
  board.PlaceChips(ChipKind::Score, 1);
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(board.GetCell(0, 0), kCellMine | kCellPow | kCellBomb);
  EXPECT_EQ(board.GetCell(1, 0), kCellPow);
  EXPECT_EQ(board.GetCell(1, 1), kCellScore);
}

TEST(BoardGenerationTest, ZeroCountsDrawNothingAndAFullBoardIsAllMines) {
  ScriptedRandom none{};
  Board empty(nullptr, nullptr);
  empty.SetRandom(none);
  Generate(empty, 5, 4, 0, 0, 0, 0);
  EXPECT_EQ(none.Draws(), 0u);
  EXPECT_EQ(Words(empty), std::vector<std::uint32_t>(20, 0u));

  BattleRandom random(3);
  Board full(nullptr, nullptr);
  full.SetRandom(random);
  Generate(full, 3, 3, 9, 0, 0, 0);
  EXPECT_EQ(Words(full), std::vector<std::uint32_t>(9, kCellMine));
  full.CheckCleared();
  EXPECT_TRUE(full.IsCleared());
}

TEST(BoardGenerationTest, CountsBeyondTheBoardAreClampedInsteadOfHanging) {
  BattleRandom random(9);
  Board board(nullptr, nullptr);
  board.SetRandom(random);
  Generate(board, 3, 3, 100, 50, 7, 7);
  EXPECT_EQ(board.GetMineNum(), 9);
  EXPECT_EQ(CountWith(board, kCellPow), 9);
  EXPECT_EQ(CountWith(board, kCellBomb), 7);
  EXPECT_EQ(CountWith(board, kCellScore), 2);  // Bomb and Score never share a cell

  Generate(board, 3, 3, -5, -1, -1, -1);
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(Words(board), std::vector<std::uint32_t>(9, 0u));

  ScriptedRandom untouched{};
  board.SetRandom(untouched);
  Generate(board, 0, 7, 5, 5, 5, 5);  // no cells: nothing to draw, no division by zero
  EXPECT_EQ(untouched.Draws(), 0u);
  EXPECT_EQ(board.GetMineNum(), 0);
}

TEST(BoardGenerationTest, AGeneratorThatNeverReachesAFreeCellStillEnds) {
  ScriptedRandom stuck{};  // 0 for ever: always the cell (0,0)
  Board board(nullptr, nullptr);
  board.SetRandom(stuck);
  Generate(board, 2, 1, 2, 0, 0, 0);
  EXPECT_EQ(Words(board), (std::vector<std::uint32_t>{kCellMine, kCellMine}));
}

TEST(BoardGenerationTest, ImpossibleSizesGiveABoardWithoutCells) {
  Board board(nullptr, nullptr);
  board.Create(0xFFFFFFF6u, 10);  // a negative width read as unsigned
  std::uint32_t width = 1;
  std::uint32_t height = 1;
  board.GetSize(width, height);
  EXPECT_EQ(width, 0u);
  EXPECT_EQ(height, 0u);
  EXPECT_EQ(board.GetCell(0, 0), kCellOutside);
}

TEST(BoardCellsTest, NeighbourCountsAreClippedAtCornersAndEdges) {
  Board board(nullptr, nullptr);
  Fill(board, {".**", "***", "***"});
  EXPECT_EQ(board.GetCell(0, 0), 3u);
  Fill(board, {"*.*", "***", "***"});
  EXPECT_EQ(board.GetCell(1, 0), 5u);
  Fill(board, {"***", "*.*", "***"});
  EXPECT_EQ(board.GetCell(1, 1), 8u);
  EXPECT_EQ(board.GetCell(0, 0), kCellMine);  // a mine keeps a count of 0
}

TEST(BoardCellsTest, SetCellKeepsTheCountersAndIgnoresPositionsOffTheBoard) {
  Board board(nullptr, nullptr);
  Fill(board, {"*.", "fo"});
  ASSERT_EQ(board.GetMineNum(), 2);
  ASSERT_EQ(board.GetFlagCount(), 1);
  ASSERT_EQ(board.GetOpenedCount(), 1);

  board.SetCell(0, 0, kCellOpen);  // a bomb on a closed mine
  EXPECT_EQ(board.GetMineNum(), 1);
  EXPECT_EQ(board.GetOpenedCount(), 2);
  EXPECT_EQ(board.GetCell(0, 0), kCellOpen | 1u);  // the flagged mine below still counts

  board.SetCell(0, 0, kCellOpen);  // already open: no counter moves
  EXPECT_EQ(board.GetOpenedCount(), 2);

  board.SetCell(0, 1, kCellOpen);  // the flag goes with the old word
  EXPECT_EQ(board.GetFlagCount(), 0);
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(board.GetCell(1, 0), 0u);  // recounted: no mine left beside it

  board.SetCell(-1, 0, kCellMine);
  board.SetCell(2, 0, kCellMine);
  board.SetCell(0, 2, kCellMine);
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(board.GetOpenedCount(), 3);
}

TEST(BoardCellsTest, OpenedMinesResolveTogetherAndHoldTheClearedTestBack) {
  Board board(nullptr, nullptr);
  Fill(board, {"X.X", "ooo", "ooo"});
  ASSERT_EQ(board.GetMineNum(), 2);
  board.ResolveOpenedMines();
  EXPECT_TRUE(board.IsMineOpened());
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(board.GetCell(0, 0), kCellOpen);
  EXPECT_EQ(board.GetCell(2, 0), kCellOpen);
  EXPECT_EQ(board.GetCell(1, 0), 0u);  // its count fell from 2 to 0
  // 8 opened + 0 mines is not 9 yet, and the test is skipped while a mine was resolved.
  board.SetCleared(true);
  board.CheckCleared();
  EXPECT_TRUE(board.IsCleared());
  board.SetMineOpened(false);
  board.CheckCleared();
  EXPECT_FALSE(board.IsCleared());
  board.SetCell(1, 0, kCellOpen);
  board.CheckCleared();
  EXPECT_TRUE(board.IsCleared());
}

TEST(BoardCellsTest, ResetClearsTheStateAndSettersStoreAndPreload) {
  nsTest::FakeBoardHost host;
  auto pictures = std::make_shared<nsTest::PictureLog>();
  Board board(&host, std::make_unique<nsTest::RecordingPictureTable>(pictures));
  Fill(board, {"Fo"});
  board.SetCleared(true);
  board.SetMineOpened(true);
  board.Reset();
  EXPECT_FALSE(board.IsCleared());
  EXPECT_FALSE(board.IsMineOpened());
  EXPECT_EQ(board.GetOpenedCount(), 0);
  EXPECT_EQ(board.GetOpenedThisClick(), 0);
  EXPECT_EQ(board.GetFlagCount(), 0);

  board.SetChipImage("Data/a.png");
  board.SetChipImage("Data/b.png");
  EXPECT_EQ(board.GetChipImage(), "Data/b.png");
  EXPECT_EQ(pictures->loaded.at("ChipImage"), "Data/a.png");  // the first picture stays
  board.SetOnOpenChipSE("open.wav");
  board.SetOnSetFlagSE("");
  EXPECT_EQ(host.log, (std::vector<std::string>{"load:open.wav", "load:"}));
  EXPECT_EQ(board.GetOnOpenChipSE(), "open.wav");
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine

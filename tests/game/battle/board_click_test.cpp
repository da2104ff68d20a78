// Click handling: the first click, flags and marks, chords, which releases a board
// takes, the flood and the order and caps of the chip rewards.
#include <gtest/gtest.h>

#include <functional>

#include "game/battle/mine_ex.h"
#include "tests/game/battle/board_test_support.h"

namespace nsVesk::nsGame::nsMine {
namespace {

using nsEX::cMineEx;
using nsTest::FakeBoardHost;
using nsTest::Fill;

constexpr int kBaseX = 100;
constexpr int kBaseY = 50;
constexpr int kChip = 10;

class BoardClickTest : public ::testing::Test {
 protected:
  BoardClickTest() : board(&host, nullptr) {
    board.SetChipWidth(kChip);
    board.SetChipHeight(kChip);
    board.SetChipBaseX(kBaseX);
    board.SetChipBaseY(kBaseY);
    board.SetOnOpenChipSE("open.wav");
    board.SetOnSetFlagSE("flag.wav");
    host.watched = &board;
  }

  // One frame with the cursor on the cell and the given releases.
  void Release(int x, int y, bool left, bool right) {
    host.log.clear();
    host.mouse = {kBaseX + x * kChip + 5, kBaseY + y * kChip + 5, left, right};
    board.OnClick();
  }
  void Left(int x, int y) { Release(x, y, true, false); }
  void Right(int x, int y) { Release(x, y, false, true); }
  void Chord(int x, int y) { Release(x, y, true, true); }

  FakeBoardHost host;
  cMineEx board;
};

using Log = std::vector<std::string>;

TEST_F(BoardClickTest, TheFirstLeftClickTakesTheMineAwayAndOpensTheCell) {
  Fill(board, {"*..", "...", "..."});
  Left(0, 0);
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(board.GetOpenedThisClick(), 9);  // no mine left, so everything floods open
  EXPECT_TRUE(board.IsActive());
  EXPECT_TRUE(board.IsCleared());
  EXPECT_FALSE(board.IsFirstClick());
  EXPECT_EQ(host.log, Log{"play:open.wav"});
}

TEST_F(BoardClickTest, TheFirstClickOnAFlaggedMineRemovesItWithoutOpening) {
  Fill(board, {"f*", ".."});
  Left(0, 0);
  EXPECT_EQ(board.GetMineNum(), 1);
  EXPECT_EQ(board.GetCell(0, 0), kCellFlag | 1u);
  EXPECT_EQ(board.GetOpenedThisClick(), 0);
  EXPECT_TRUE(board.IsActive());  // taken, although nothing opened
  EXPECT_TRUE(host.log.empty());
  board.SetCell(1, 0, kCellFlag | kCellMine);
  Left(1, 0);  // the second click removes nothing
  EXPECT_EQ(board.GetMineNum(), 1);
}

TEST_F(BoardClickTest, RightClicksCycleFlagMarkAndNothingOnClosedCellsOnly) {
  Fill(board, {".*", "oo"});
  board.SetFirstClick(false);
  Right(0, 0);
  EXPECT_EQ(board.GetCell(0, 0), kCellFlag | 1u);
  EXPECT_EQ(board.GetFlagCount(), 1);
  EXPECT_EQ(host.log, Log{"play:flag.wav"});
  EXPECT_TRUE(board.IsActive());
  Right(0, 0);
  EXPECT_EQ(board.GetCell(0, 0), kCellMark | 1u);
  EXPECT_EQ(board.GetFlagCount(), 0);
  Right(0, 0);
  EXPECT_EQ(board.GetCell(0, 0), 1u);
  EXPECT_TRUE(board.IsActive());

  Right(0, 1);  // open and numbered: taken without effect
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(board.IsActive());
  board.SetCell(1, 0, 0);
  Right(0, 1);  // now bare: passed on
  EXPECT_FALSE(board.IsActive());
}

TEST_F(BoardClickTest, AChordOpensAroundAMatchedCountButNotMarkedCells) {
  Fill(board, {"f..", ".o.", "..?"});
  board.SetFirstClick(false);
  Chord(1, 1);
  EXPECT_EQ(board.GetOpenedThisClick(), 6);
  EXPECT_EQ(board.GetCell(2, 2), kCellMark);
  EXPECT_EQ(board.GetCell(0, 0), kCellFlag | kCellMine);
  EXPECT_EQ(host.log, Log{"play:open.wav"});
  EXPECT_TRUE(board.IsActive());
  EXPECT_FALSE(board.IsCleared());
}

TEST_F(BoardClickTest, AChordWithAWrongFlagOpensTheMineWhichIsResolvedAfterTheClick) {
  Fill(board, {"*.F", ".o.", "..."});
  board.SetFirstClick(false);
  Chord(1, 1);
  EXPECT_GT(board.GetOpenedThisClick(), 0);
  EXPECT_TRUE(board.IsMineOpened());
  EXPECT_EQ(board.GetMineNum(), 0);
  EXPECT_EQ(board.GetCell(0, 0), kCellOpen);
  // The board ignores the mouse until the battle has dealt with the mine.
  Left(1, 2);
  EXPECT_FALSE(board.IsActive());
  EXPECT_EQ(board.GetOpenedThisClick(), 0);
}

TEST_F(BoardClickTest, AChordThatDoesNotMatchOrALeftClickOnAFlagOpensNothingButIsTaken) {
  Fill(board, {"*F.", "Fo.", "..."});
  board.SetFirstClick(false);
  Chord(1, 1);  // count 1 but two flags
  EXPECT_EQ(board.GetOpenedThisClick(), 0);
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(board.IsActive());
  Left(1, 0);
  EXPECT_EQ(board.GetOpenedThisClick(), 0);
  EXPECT_TRUE(host.log.empty());
  EXPECT_TRUE(board.IsActive());
}

TEST_F(BoardClickTest, AReleaseOffTheBoardOrWithoutACellSizeIsNotTaken) {
  Fill(board, {"*.", ".."});
  host.mouse = {kBaseX - 1, kBaseY, true, false};
  board.OnClick();
  EXPECT_FALSE(board.IsActive());
  EXPECT_TRUE(board.IsFirstClick());
  board.SetChipWidth(0);
  Left(0, 0);
  EXPECT_FALSE(board.IsActive());
  EXPECT_EQ(board.GetMineNum(), 1);
}

TEST_F(BoardClickTest, FramesWithoutAReleaseStillResolveMinesAndClearTheBoard) {
  Fill(board, {"X", "o"});
  host.mouse = {0, 0, false, false};
  board.OnClick();
  EXPECT_FALSE(board.IsActive());
  EXPECT_TRUE(board.IsMineOpened());
  board.SetMineOpened(false);
  board.OnClick();
  EXPECT_TRUE(board.IsCleared());
  Left(0, 1);  // a cleared board ignores the mouse
  EXPECT_FALSE(board.IsActive());
}

// The order in which a depth-first flood opens cells, x outer and y inner.
std::vector<std::pair<int, int>> ExpectedFloodOrder(const cMineEx& model, int x, int y) {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  model.GetSize(width, height);
  std::vector<std::vector<bool>> open(width, std::vector<bool>(height, false));
  std::vector<std::pair<int, int>> order;
  std::function<void(int, int)> visit = [&](int cx, int cy) {
    if (cx < 0 || cy < 0 || cx >= static_cast<int>(width) || cy >= static_cast<int>(height)) return;
    const std::uint32_t word = model.GetCell(cx, cy);
    if (open[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)] || (word & kCellRefusesOpen) != 0) return;
    open[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)] = true;
    order.emplace_back(cx, cy);
    if ((word & (kCellMine | kCellCountMask)) != 0) return;
    for (int nx = cx - 1; nx <= cx + 1; ++nx) {
      for (int ny = cy - 1; ny <= cy + 1; ++ny) visit(nx, ny);
    }
  };
  visit(x, y);
  return order;
}

TEST_F(BoardClickTest, TheFloodOpensDepthFirstAndPaysEveryChipOnItsWay) {
  Fill(board, {"P..S.", ".P...", "....*", "B.P..", "..S.."});
  board.SetFirstClick(false);
  host.rewards = {10, 1000, 5, 1000, 100};
  const auto order = ExpectedFloodOrder(board, 2, 1);
  Log expected{};
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::uint32_t word = board.GetCell(order[i].first, order[i].second);
    std::string at = "@";
    at += std::to_string(i + 1);
    if (word & kCellPow) expected.push_back("pow" + at);
    if (word & kCellBomb) expected.push_back("bomb" + at);
    if (word & kCellScore) expected.push_back("score" + at);
  }
  expected.push_back("play:open.wav");
  Left(2, 1);
  EXPECT_EQ(board.GetOpenedThisClick(), static_cast<int>(order.size()));
  EXPECT_EQ(board.GetOpenedThisClick(), 24);
  EXPECT_EQ(host.log, expected);
  EXPECT_EQ(host.player.atkRate, 130);
  EXPECT_EQ(host.player.bomb, 5);
  EXPECT_EQ(host.player.score, 200);
  EXPECT_TRUE(board.IsCleared());
}

TEST_F(BoardClickTest, ChipsPayPowBombScoreInOrderWithTheirCaps) {
  Fill(board, {".*"});
  board.SetCell(0, 0, kCellPow | kCellBomb | kCellScore);
  board.SetFirstClick(false);
  host.rewards = {50, 300, 25, 150, 5000};
  host.player.atkRate = 290;
  host.player.bomb = 140;
  host.player.score = 1000;
  Left(0, 0);
  EXPECT_EQ(host.log, (Log{"pow@1", "bomb@1", "score@1", "play:open.wav"}));
  EXPECT_EQ(host.player.atkRate, 300);
  EXPECT_EQ(host.player.bomb, 150);
  EXPECT_EQ(host.player.score, 6000);
}

TEST_F(BoardClickTest, WithoutAPlayerTheEffectsStillFly) {
  Fill(board, {"S*"});
  board.SetFirstClick(false);
  host.withPlayer = false;
  Left(0, 0);
  EXPECT_EQ(host.log, (Log{"score@1", "play:open.wav"}));
}

TEST(BoardFloodTest, ALargeEmptyBoardFloodsWithoutDeepRecursion) {
  FakeBoardHost host;
  cMineEx board(&host, nullptr);
  board.Create(256, 256);  // the largest board
  board.ClearCells();
  board.SetMineNum(0);
  board.Open(128, 128);
  EXPECT_EQ(board.GetOpenedCount(), 256 * 256);
  board.Open(-1, 0);
  board.Open(0, 256);
  EXPECT_EQ(board.GetOpenedCount(), 256 * 256);
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine

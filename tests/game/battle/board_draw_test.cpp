// Board drawing: the frame of each cell word, the picture column of the active board,
// the board above hiding the one below, and the cells outside the drawn area left out.
#include <gtest/gtest.h>

#include "game/battle/mine_ex.h"
#include "tests/game/battle/board_test_support.h"

namespace nsVesk::nsGame::nsMine {
namespace {

using nsEX::ChipFrameOf;
using nsEX::cMineEx;
using nsTest::DrawCall;
using nsTest::FakeBoardHost;
using nsTest::Fill;
using nsTest::PictureLog;
using nsTest::RecordingPictureTable;

constexpr int kWidth = 20;
constexpr int kHeight = 16;

struct Drawn {
  int x, y, frame, column;
  bool operator==(const Drawn&) const = default;
};

std::vector<Drawn> Summary(const std::vector<DrawCall>& draws) {
  std::vector<Drawn> out;
  for (const DrawCall& call : draws) {
    out.push_back({call.x, call.y, call.source.top / kHeight, call.source.left / kWidth});
  }
  return out;
}

std::unique_ptr<cMineEx> MakeBoard(FakeBoardHost& host, std::shared_ptr<PictureLog> log, int baseX, int baseY) {
  auto board = std::make_unique<cMineEx>(&host, std::make_unique<RecordingPictureTable>(std::move(log)));
  board->SetChipImage("Data/chips.png");
  board->SetChipWidth(kWidth);
  board->SetChipHeight(kHeight);
  board->SetChipBaseX(baseX);
  board->SetChipBaseY(baseY);
  return board;
}

TEST(BoardDrawTest, EachCellWordHasItsFrame) {
  EXPECT_EQ(ChipFrameOf(kCellOpen | kCellMine), 9);
  EXPECT_EQ(ChipFrameOf(kCellOpen | 3u), 3);
  EXPECT_EQ(ChipFrameOf(kCellOpen | kCellPow), 0);
  EXPECT_EQ(ChipFrameOf(kCellFlag | kCellPow), 10);
  EXPECT_EQ(ChipFrameOf(kCellFlag | kCellMine), 10);
  EXPECT_EQ(ChipFrameOf(kCellMark | kCellScore), 11);
  EXPECT_EQ(ChipFrameOf(kCellPow | kCellBomb), 13);
  EXPECT_EQ(ChipFrameOf(kCellBomb | kCellMine), 14);
  EXPECT_EQ(ChipFrameOf(kCellScore), 15);
  EXPECT_EQ(ChipFrameOf(kCellMine | 2u), 12);
  EXPECT_EQ(ChipFrameOf(0), 12);
}

TEST(BoardDrawTest, ASingleBoardDrawsEveryCellButBareOnesFromItsColumn) {
  FakeBoardHost host;
  auto log = std::make_shared<PictureLog>();
  auto board = MakeBoard(host, log, 100, 40);
  Fill(*board, {"oX", "P*"});
  board->Draw();
  ASSERT_EQ(log->draws.size(), 4u);
  const DrawCall& first = log->draws[0];
  EXPECT_EQ(first.name, "ChipImage");
  EXPECT_EQ(first.alpha, 255);
  EXPECT_EQ(first.scaleX, 1.0f);
  EXPECT_EQ(first.scaleY, 1.0f);
  EXPECT_EQ(first.angle, 0.0f);
  EXPECT_EQ(first.source.left, kWidth);  // not active: column 1
  EXPECT_EQ(first.source.right, 2 * kWidth);
  EXPECT_EQ(first.source.bottom - first.source.top, kHeight);
  // Column by column, top to bottom.
  EXPECT_EQ(Summary(log->draws), (std::vector<Drawn>{{100, 40, 2, 1}, {100, 56, 13, 1}, {120, 40, 9, 1},
                                                      {120, 56, 12, 1}}));
  log->draws.clear();
  board->SetActive(true);
  Fill(*board, {"o.", ".."});
  board->Draw();
  EXPECT_EQ(Summary(log->draws), (std::vector<Drawn>{{100, 56, 12, 0}, {120, 40, 12, 0}, {120, 56, 12, 0}}));
}

TEST(BoardDrawTest, ALowerBoardShowsOnlyThroughTheBoardAboveAndWithinTheDrawnArea) {
  FakeBoardHost host;
  auto log = std::make_shared<PictureLog>();
  auto top = MakeBoard(host, log, 0, 0);
  auto lower = MakeBoard(host, log, 0, 0);
  host.boards = {top.get(), lower.get()};
  Fill(*top, {"o.", "oo"});  // narrower and shorter than the board below
  Fill(*lower, {"...", "S..", "..."});
  lower->SetActive(true);
  lower->Draw();
  EXPECT_EQ(Summary(log->draws), (std::vector<Drawn>{{0, 0, 12, 0},
                                                      {0, 16, 15, 0},
                                                      {0, 32, 12, 0},
                                                      {20, 16, 12, 0},
                                                      {20, 32, 12, 0},
                                                      {40, 0, 12, 0},
                                                      {40, 16, 12, 0},
                                                      {40, 32, 12, 0}}));
  log->draws.clear();
  top->Draw();  // the top board has nothing above it
  EXPECT_EQ(Summary(log->draws), (std::vector<Drawn>{{20, 0, 12, 1}}));

  // Cells wholly outside the area drawn on are left out; cells partly inside it are drawn.
  log->draws.clear();
  log->area = {25, 10, 61, 32};  // columns 1 and 2 reach it, rows 0 and 1
  lower->Draw();
  EXPECT_EQ(Summary(log->draws), (std::vector<Drawn>{{20, 16, 12, 0}, {40, 0, 12, 0}, {40, 16, 12, 0}}));
  log->draws.clear();
  log->area = {-20, -16, 0, 0};  // touches the corner cell's edges only
  lower->Draw();
  EXPECT_TRUE(log->draws.empty());
}

TEST(BoardDrawTest, WithoutAChipPictureATableOrAHostNothingBreaks) {
  FakeBoardHost host;
  auto log = std::make_shared<PictureLog>();
  cMineEx unnamed(&host, std::make_unique<RecordingPictureTable>(log));
  Fill(unnamed, {"..", ".."});
  unnamed.Draw();  // no "ChipImage" entry yet: nothing drawn
  EXPECT_TRUE(log->draws.empty());
  cMineEx noTable(&host, nullptr);
  Fill(noTable, {"."});
  noTable.Draw();
  cMineEx noHost(nullptr, nullptr);
  Fill(noHost, {"*."});
  noHost.OnClick();
  noHost.Open(1, 0);
  EXPECT_EQ(noHost.GetOpenedCount(), 1);
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine

// Loading round INIs into the battle context and building their boards: the chip
// image cycle across rounds and restarts, the HUD lists and pictures, the event
// values, identical boards, and round INIs without chip names.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/battle/mine_cell.h"
#include "tests/game/battle/battle_context_fixture.h"

namespace nsVesk::nsGame::nsMine::nsTest {
namespace {

std::string RoundText(const std::vector<std::string>& chipNames, int boards, const std::string& back = "Data/bg.png") {
  std::string text = "[Image]\nChipImageVariationNum=" + std::to_string(chipNames.size()) + "\n";
  for (std::size_t i = 0; i < chipNames.size(); ++i) {
    text += "ChipImageFileName" + std::to_string(i) + "=\"" + chipNames[i] + "\"\n";
  }
  text += "BackFileName=\"" + back + "\"\nBackSrcRect_Right=800\nBackSrcRect_Bottom=600\n"
          "EnemyLifeBarFileName=\"Data/bar.png\"\nEnemyLifeBarSrcRect_Right=800\nEnemyLifeBarSrcRect_Bottom=16\n"
          "BombIconFrontFileName=\"Data/bf.png\"\nBombIconBackFileName=\"Data/bb.png\"\n"
          "BombIconFrontSrcRect_Right=40\nBombIconFrontSrcRect_Bottom=40\n"
          "AtkRateIconFrontFileName=\"Data/af.png\"\nAtkRateIconBackFileName=\"Data/ab.png\"\n"
          "AtkRateIconFrontSrcRect_Right=30\nAtkRateIconFrontSrcRect_Bottom=30\n"
          "ChipWidth=24\nChipHeight=24\nChipBaseX=208\nChipBaseY=150\n"
          "[Stage]\nBoardsNum=" + std::to_string(boards) +
          "\nMineBoardWidth=16\nMineBoardHeight=12\nMineNum=20\nPowNum=3\nBombNum=2\nScoreNum=1\n"
          "[Event]\nMaxPlayerBomb=150\nMaxPlayerAtkRate=300\nAddBombOnOpenChip=2\nAddLifeOnOpenMine=100\n"
          "AddAtkRateOnOpenPow=50\nAddBombOnOpenBomb=25\nAddScoreOnOpenScore=5000\nSubAtkRateOnOpenMine=50\n"
          "[SE]\nOnOpenMine=\"Data/mine.wav\"\nOnOpenChip=\"Data/chip.wav\"\nOnSetFlag=\"Data/flag.wav\"\n"
          "[EnemyLifeBar]\nPositionX=800\nPositionY=56\n"
          "[BombIconClickRect]\nNum=3\nLeft0=20\nTop0=540\nRight0=60\nBottom0=580\n"
          "Left1=70\nTop1=540\nRight1=110\nBottom1=580\nLeft2=120\nTop2=540\nRight2=160\nBottom2=580\n"
          "[AtkRateIconPosition]\nNum=2\nX0=220\nY0=550\nX1=260\nY1=551\n";
  return text;
}

class StageTest : public BattleContextFixture {
 protected:
  std::vector<std::string> ChipImages() {
    std::vector<std::string> names;
    for (auto& board : Ctx().GetBoards()) names.push_back(board->GetChipImage());
    return names;
  }
};

using Names = std::vector<std::string>;

TEST_F(StageTest, BoardsTakeTheChipImagesInTurnAcrossLoadsRestartsAndStages) {
  vesk_test::WriteFile("Data/R0.ini", RoundText({"A", "B"}, 3));
  vesk_test::WriteFile("Data/R1.ini", RoundText({"C"}, 2));
  Start();
  Ctx().LoadStage("Data/R0.ini");
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"A", "B", "A"}));
  Ctx().CreateBoards();  // a restart
  EXPECT_EQ(ChipImages(), (Names{"A", "B", "A"}));
  Ctx().LoadStage("Data/R0.ini");  // the names are appended again
  EXPECT_EQ(Ctx().GetChipImageFileNames(), (Names{"A", "B", "A", "B"}));
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"A", "B", "A"}));

  Ctx().LoadStage("Data/R1.ini");
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"C", "A"}));
}

TEST_F(StageTest, ARoundWithoutChipNamesGivesEveryBoardTheEmptyNameAndEnds) {
  vesk_test::WriteFile("Data/R0.ini", RoundText({"A", "B", "C"}, 1));
  vesk_test::WriteFile("Data/R1.ini", RoundText({}, 2));
  Start();
  Ctx().LoadStage("Data/R1.ini");  // nothing in the list at all
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"", ""}));
  Ctx().LoadStage("Data/R0.ini");
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"A"}));
  Ctx().LoadStage("Data/R1.ini");  // names in the list, none of this round's
  Ctx().CreateBoards();
  EXPECT_EQ(ChipImages(), (Names{"", ""}));
  EXPECT_EQ(Ctx().NextChipImage(), "C");  // the cycle stayed behind "B"
}

TEST_F(StageTest, TheRoundIniFillsTheValuesTheListsAndIdenticalBoards) {
  vesk_test::WriteFile("Data/R0.ini", RoundText({"A", "B"}, 2));
  Start();
  Ctx().LoadStage("Data/R0.ini");
  EXPECT_EQ(Ctx().GetRoundIni(), "Data/R0.ini");
  const ChipRewards rewards = Ctx().GetChipRewards();
  EXPECT_EQ(rewards.maxPlayerBomb, 150);
  EXPECT_EQ(rewards.maxPlayerAtkRate, 300);
  EXPECT_EQ(rewards.addAtkRateOnOpenPow, 50);
  EXPECT_EQ(rewards.addBombOnOpenBomb, 25);
  EXPECT_EQ(rewards.addScoreOnOpenScore, 5000);
  EXPECT_EQ(Ctx().GetMaxPlayerAtkRate(), 300);
  EXPECT_EQ(Ctx().GetOnOpenMineSE(), "Data/mine.wav");
  EXPECT_EQ(Ctx().GetPowNum(), 3);
  EXPECT_EQ(Ctx().GetBombNum(), 2);
  EXPECT_EQ(Ctx().GetScoreNum(), 1);
  ASSERT_EQ(Ctx().GetBombIconClickRects().size(), 3u);
  EXPECT_EQ(Ctx().GetBombIconClickRects()[2].left, 120);
  EXPECT_EQ(Ctx().GetBombIconClickRects()[2].bottom, 580);
  ASSERT_EQ(Ctx().GetBombIconBackRects().size(), 3u);
  EXPECT_EQ(Ctx().GetBombIconBackRects()[1].left, 70);
  ASSERT_EQ(Ctx().GetAtkRateIconPositions().size(), 2u);
  EXPECT_EQ(Ctx().GetAtkRateIconPositions()[1].y, 551);
  EXPECT_EQ(Ctx().GetAtkRateIconBackPositions().size(), 2u);
  EXPECT_EQ(Ctx().GetEnemyLifeBarPosition().x, 800);
  EXPECT_EQ(Ctx().GetEnemyLifeBarSrcRect().right, 800);

  Enemy().SetLife(10);
  Ctx().CreateBoards();
  EXPECT_EQ(Enemy().GetLife(), 600);  // the enemy's values afresh
  ASSERT_EQ(Ctx().GetBoards().size(), 2u);
  for (auto& board : Ctx().GetBoards()) {
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    board->GetSize(w, h);
    EXPECT_EQ(w, 16u);
    EXPECT_EQ(h, 12u);
    EXPECT_EQ(board->GetMineNum(), 20);
    EXPECT_EQ(board->GetChipBaseX(), 208);
    EXPECT_EQ(board->GetChipHeight(), 24);
    EXPECT_EQ(board->GetOnOpenChipSE(), "Data/chip.wav");
    EXPECT_EQ(board->GetOnSetFlagSE(), "Data/flag.wav");
    int mines = 0;
    int pows = 0;
    for (int x = 0; x < 16; ++x) {
      for (int y = 0; y < 12; ++y) {
        mines += (board->GetCell(x, y) & kCellMine) != 0 ? 1 : 0;
        pows += (board->GetCell(x, y) & kCellPow) != 0 ? 1 : 0;
      }
    }
    EXPECT_EQ(mines, 20);
    EXPECT_EQ(pows, 3);
  }
  EXPECT_EQ(Ctx().GetActiveBoard(), nullptr);
  EXPECT_TRUE(Ctx().GetHitEffects().IsEnabled());
  EXPECT_TRUE(Ctx().GetScoreEffects().IsEnabled());
}

TEST_F(StageTest, ALaterStageWithOtherPicturesShowsItsOwn) {
  vesk_test::WriteFile("Data/R0.ini", RoundText({"A"}, 1, "Data/bg0.png"));
  vesk_test::WriteFile("Data/R1.ini", RoundText({"A"}, 1, "Data/bg1.png"));
  Start();
  Ctx().LoadStage("Data/R0.ini");
  std::vector<PictureDraw> draws;
  Record(Ctx().GetHudImages(), "BG", &draws);
  auto* recorded = Ctx().GetHudImages().Find("BG");
  Ctx().LoadStage("Data/R0.ini");  // the same file: kept
  EXPECT_EQ(Ctx().GetHudImages().Find("BG"), recorded);
  Ctx().LoadStage("Data/R1.ini");  // another file: replaced
  EXPECT_NE(Ctx().GetHudImages().Find("BG"), recorded);
  EXPECT_NE(Ctx().GetHudImages().Find("BG"), nullptr);
}

TEST_F(StageTest, ASecondStageReplacesEveryListAndDisarmsTheBomb) {
  vesk_test::WriteFile("Data/R0.ini", RoundText({"A"}, 1));
  vesk_test::WriteFile("Data/R1.ini", "[BombIconClickRect]\nNum=1\nLeft0=5\n");
  Start();
  Ctx().LoadStage("Data/R0.ini");
  Ctx().LoadStage("Data/R1.ini");
  ASSERT_EQ(Ctx().GetBombIconClickRects().size(), 1u);
  EXPECT_EQ(Ctx().GetBombIconClickRects()[0].left, 5);
  EXPECT_TRUE(Ctx().GetAtkRateIconPositions().empty());
  EXPECT_EQ(Ctx().GetEnemyLifeBarPosition().x, 0);
  EXPECT_FALSE(Ctx().IsBombArmed());
  Ctx().CreateBoards();
  EXPECT_TRUE(Ctx().GetBoards().empty());
  EXPECT_TRUE(Ctx().IsCleared());  // no boards: cleared at once
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine::nsTest

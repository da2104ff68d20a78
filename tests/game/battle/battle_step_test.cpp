// The battle step on hand-built boards: the walk through plain open cells, damage
// with the attack multiplier, the speed score, the mine penalty, the removal of
// cleared boards with the banner, the active board, and the bomb gesture.

#include <gtest/gtest.h>

#include "game/battle/mine_cell.h"
#include "platform/clock/clock.h"
#include "tests/game/battle/battle_context_fixture.h"

namespace nsVesk::nsGame::nsMine::nsTest {
namespace {

using StepTest = BattleContextFixture;

TEST(BattleArithmeticTest, MultiplierAndSpeedScoreFollowTheirTables) {
  EXPECT_EQ(cBattleContext::AttackMultiplier(100), 100);
  EXPECT_EQ(cBattleContext::AttackMultiplier(103), 100);
  EXPECT_EQ(cBattleContext::AttackMultiplier(104), 101);
  EXPECT_EQ(cBattleContext::AttackMultiplier(300), 150);
  EXPECT_EQ(cBattleContext::AttackMultiplier(50), 88);
  const std::uint32_t times[] = {0, 300, 301, 700, 701, 1000, 1001, 2000, 2001, 3000, 3001, 5000, 5001};
  const std::int32_t points[] = {1000, 1000, 500, 500, 250, 250, 120, 120, 50, 50, 20, 20, 10};
  for (std::size_t i = 0; i < std::size(times); ++i) EXPECT_EQ(cBattleContext::SpeedScore(times[i]), points[i]);
}

TEST_F(StepTest, ASafeClickHitsTheEnemyScoresItsSpeedAndSendsAHit) {
  Start();
  auto& board = AddBoard({"*...", "*..."});
  Ctx().GetSpeedTimer().Reset();
  PressAt(CellX(1), CellY(0));
  platform::AdvanceVirtualClock(300);
  Frame(CellX(1), CellY(0), false);
  EXPECT_EQ(board.GetCell(1, 0), kCellOpen | 2u);
  EXPECT_EQ(Enemy().GetLife(), 580);
  EXPECT_EQ(Player().GetScore(), 1000);
  EXPECT_EQ(Ctx().GetHitEffects().Size(), 1u);
  EXPECT_EQ(Ctx().GetActiveBoard(), &board);

  // 301 ms later: the next band; with AtkRate 104 the multiplier is 101.
  Player().SetAtkRate(104);
  PressAt(CellX(2), CellY(0));
  platform::AdvanceVirtualClock(301);
  Frame(CellX(2), CellY(0), false);
  EXPECT_EQ(Enemy().GetLife(), 580 - 20);  // 20 * 101 / 100 truncates to 20
  EXPECT_EQ(Player().GetScore(), 1500);
}

TEST_F(StepTest, AClickPassesPlainOpenCellsAndStopsAtACount) {
  Start();
  auto& top = AddBoard({"oo", "oo"});
  auto& numbered = AddBoard({"*o", "*."}, 200, 100);  // not under the first cursor
  auto& bottom = AddBoard({"*.", "*."});
  Click(CellX(1), CellY(0));
  EXPECT_EQ(bottom.GetCell(1, 0), kCellOpen | 2u);
  EXPECT_EQ(Ctx().GetActiveBoard(), &bottom);
  EXPECT_FALSE(top.IsActive());
  EXPECT_TRUE(bottom.IsActive());

  // An open cell with a count stops the walk on its board, which opens nothing.
  const int life = Enemy().GetLife();
  Click(CellX(1, 200), CellY(0));
  EXPECT_EQ(Ctx().GetActiveBoard(), &numbered);
  EXPECT_EQ(Enemy().GetLife(), life);
  EXPECT_EQ(Ctx().GetBoards().size(), 3u);
}

TEST_F(StepTest, AMineGivesOnlyThePenaltyWithItsFloorAndSound) {
  vesk_test::WriteFile("Data/R.ini", "[Event]\nAddLifeOnOpenMine=100\nSubAtkRateOnOpenMine=50\n"
                                     "[SE]\nOnOpenMine=\"Data/mine.wav\"\n");
  Start();
  Ctx().LoadStage("Data/R.ini");
  AddBoard({"*..", "...", "..*"});
  Player().SetAtkRate(180);
  Click(CellX(0), CellY(0));
  EXPECT_EQ(Enemy().GetLife(), 700);
  EXPECT_EQ(Player().GetAtkRate(), 130);
  EXPECT_EQ(Player().GetScore(), 0);
  EXPECT_EQ(Ctx().GetHitEffects().Size(), 0u);
  EXPECT_EQ(Ctx().GetMineEffects().Size(), 1u);
  EXPECT_EQ(Played("Data/mine.wav"), 1);
  Click(CellX(2), CellY(2));
  EXPECT_EQ(Player().GetAtkRate(), 100);  // 130 is not above 150: floor
  Player().SetAtkRate(60);
  auto& second = AddBoard({"*.", ".."}, 300, 300);
  (void)second;
  Click(CellX(0, 300), CellY(0, 300));
  EXPECT_EQ(Player().GetAtkRate(), 100);  // a rate below 100 is raised
}

TEST_F(StepTest, BombPointsAreCappedAfterASafeClick) {
  vesk_test::WriteFile("Data/R.ini", "[Event]\nMaxPlayerBomb=30\nAddBombOnOpenChip=4\n");
  Start();
  Ctx().LoadStage("Data/R.ini");
  AddBoard({"*...", "*..."});
  Player().SetBomb(28);
  Click(CellX(1), CellY(0));
  EXPECT_EQ(Player().GetBomb(), 30);
}

TEST_F(StepTest, AClearedBoardGoesInTheSameStepWithTheBannerAndNoActiveBoard) {
  Start();
  auto& top = AddBoard({"*.", "**"});
  auto& below = AddBoard({"*.", "*."});
  Click(CellX(1), CellY(0));
  ASSERT_EQ(Ctx().GetBoards().size(), 1u);
  EXPECT_EQ(Ctx().GetBoards()[0].get(), &below);
  EXPECT_TRUE(Ctx().GetAllClear().IsRunning());
  EXPECT_EQ(Ctx().GetActiveBoard(), nullptr);
  EXPECT_FALSE(below.IsActive());
  EXPECT_EQ(below.GetCell(1, 0), 0u + 2u);  // the release reached no other board
  (void)top;
  // The next click reaches the board that was below.
  Click(CellX(1), CellY(0));
  EXPECT_EQ(Ctx().GetActiveBoard(), &below);
}

TEST_F(StepTest, ABoardClearedByAMineGoesAtOnceEvenWhenEveryCellIsPlain) {
  Start();
  AddBoard({"*o", "oo"});
  auto& below = AddBoard({"*.", "*."});
  Click(CellX(0), CellY(0));
  ASSERT_EQ(Ctx().GetBoards().size(), 1u);
  EXPECT_EQ(Ctx().GetBoards()[0].get(), &below);
  EXPECT_TRUE(Ctx().GetAllClear().IsRunning());
}

TEST_F(StepTest, TheLastHitOrTheLastBoardClearsTheRound) {
  vesk_test::WriteFile(kTestEnemyIni, TestEnemyText(20));
  Start();
  EXPECT_TRUE(Ctx().IsCleared());  // no board at all
  AddBoard({"*...", "*..."});
  EXPECT_FALSE(Ctx().IsCleared());
  Click(CellX(1), CellY(0));
  EXPECT_EQ(Enemy().GetLife(), 0);
  EXPECT_TRUE(Ctx().IsCleared());
  const int score = Player().GetScore();
  Click(CellX(2), CellY(0));  // a cleared round takes no further steps
  EXPECT_EQ(Player().GetScore(), score);
}

TEST_F(StepTest, AFullGaugeIsALossAndStopsTheStep) {
  vesk_test::WriteFile(kTestEnemyIni, TestEnemyText(1200));
  Start();
  auto& board = AddBoard({"*...", "*..."});
  EXPECT_TRUE(Ctx().IsLost());
  Click(CellX(1), CellY(0));
  EXPECT_EQ(board.GetCell(1, 0), 2u);
}

class BombStepTest : public BattleContextFixture {
 protected:
  void StartWithSlots() {
    vesk_test::WriteFile(kTestCharaIni, TestCharaText(60));
    Start();
    // Two slots that overlap at x 50..60, and a gap at x 61..69.
    Ctx().SetBombIconFront("", Rect{0, 0, 40, 40}, {Rect{20, 540, 60, 580}, Rect{50, 540, 60, 580},
                                                    Rect{70, 540, 110, 580}});
  }
};

TEST_F(BombStepTest, APushOnASlotArmsOnlyWithEnoughPointsAndOnlyInsideASlot) {
  StartWithSlots();
  AddBoard({"...", "..."});
  Frame(65, 560, true);  // between the slots
  EXPECT_FALSE(Ctx().IsBombArmed());
  Frame(65, 560, false);
  Player().SetBomb(49);
  Frame(30, 560, true);
  EXPECT_FALSE(Ctx().IsBombArmed());
  Frame(30, 560, false);
  Player().SetBomb(60);
  Frame(55, 560, true);  // inside slots 0 and 1: the lower index
  EXPECT_TRUE(Ctx().IsBombArmed());
  EXPECT_TRUE(Ctx().GetBombIconMove().IsRunning());
  EXPECT_EQ(Player().GetBomb(), 60);  // nothing spent by the pick-up
}

TEST_F(BombStepTest, ABombDroppedThroughAPlainCellLandsOnTheBoardBelow) {
  StartWithSlots();
  auto& top = AddBoard({"oooooooooo"});
  auto& below = AddBoard({"..........", "..........", "*........*"});
  Frame(30, 560, true);
  ASSERT_TRUE(Ctx().IsBombArmed());
  Frame(CellX(5), CellY(0), true);
  Frame(CellX(5), CellY(0), false);
  EXPECT_FALSE(Ctx().IsBombArmed());
  EXPECT_FALSE(Ctx().GetBombIconMove().IsRunning());
  EXPECT_EQ(Player().GetBomb(), 10);
  EXPECT_EQ(Enemy().GetLife(), 400);
  EXPECT_NE(below.GetCell(5, 0) & kCellOpen, 0u);
  EXPECT_NE(below.GetCell(5, 2) & kCellOpen, 0u);
  EXPECT_EQ(below.GetCell(0, 0) & kCellOpen, 0u);  // outside the diamond
  EXPECT_EQ(Ctx().GetActiveBoard(), &below);
  EXPECT_EQ(Player().GetScore(), 0);  // no speed score for a bomb
  (void)top;
}

TEST_F(BombStepTest, ABombDroppedOffTheBoardsFliesBackAndCostsNothing) {
  StartWithSlots();
  AddBoard({"...", "..."});
  Frame(30, 560, true);
  Frame(700, 100, true);
  Frame(700, 100, false);
  EXPECT_FALSE(Ctx().IsBombArmed());
  EXPECT_TRUE(Ctx().GetBombIconReturn().IsRunning());
  EXPECT_EQ(Player().GetBomb(), 60);
  EXPECT_EQ(Enemy().GetLife(), 600);
}

TEST_F(BombStepTest, ABombThatClearsBoardsRemovesThemInTheSameStep) {
  StartWithSlots();
  // Kestrin's bomb opens columns on the board it lands on and the two below.
  Ctx().SetPlayer(new nsEXPlayer::cPlayerKestrin(kTestCharaIni));
  Player().Load();
  Player().SetBomb(50);
  AddBoard({"...", "...", "..."});
  AddBoard({"...", "...", "..."});
  auto& third = AddBoard({"*...", "*...", "*..."});
  Frame(30, 560, true);
  Frame(CellX(1), CellY(1), false);
  ASSERT_EQ(Ctx().GetBoards().size(), 1u);
  EXPECT_EQ(Ctx().GetBoards()[0].get(), &third);
  EXPECT_TRUE(Ctx().GetAllClear().IsRunning());
  EXPECT_EQ(Ctx().GetActiveBoard(), nullptr);
}

TEST_F(StepTest, RewardsWithoutAPlaceToFlyToArePaidWithoutAFlight) {
  vesk_test::WriteFile("Data/R.ini", "[Event]\nMaxPlayerAtkRate=300\nAddAtkRateOnOpenPow=50\n");
  Start();
  Ctx().LoadStage("Data/R.ini");
  AddBoard({"*P.", "*.."});
  Click(CellX(1), CellY(0));
  EXPECT_EQ(Player().GetAtkRate(), 150);
  EXPECT_EQ(Ctx().GetPowEffects().Size(), 0u);
  // With a place the reward flies there.
  Ctx().SetAtkRateIconFront("", Rect{0, 0, 0, 0}, {Point{220, 550}});
  AddBoard({"*P.", "*.."}, 300, 300);
  Click(CellX(1, 300), CellY(0, 300));
  EXPECT_EQ(Ctx().GetPowEffects().Size(), 1u);
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine::nsTest

// The battle HUD: the cut icons of bombs and attack rate, the faces by the enemy's
// life, the score text, the life bar, the order of the boards, the carried bomb
// icon, and data the HUD cannot divide by.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "tests/game/battle/battle_context_fixture.h"

namespace nsVesk::nsGame::nsMine::nsTest {
namespace {

class HudTest : public BattleContextFixture {
 protected:
  void SetUp() override {
    BattleContextFixture::SetUp();
    Start();
    Ctx().SetBombIconFront("", Rect{0, 0, 40, 40},
                           {Rect{20, 540, 60, 580}, Rect{70, 540, 110, 580}, Rect{120, 540, 160, 580}});
    Ctx().SetAtkRateIconFront("", Rect{0, 0, 30, 30}, {Point{220, 550}, Point{260, 550}, Point{300, 550}});
    Record(Ctx().GetBombIconImages(), "BombIconImageF", &bombFronts);
    Record(Ctx().GetHudImages(), "AtkRateIconImageF", &rateFronts);
    Record(Ctx().GetHudImages(), "EnemyLifeBar", &lifeBar);
    const char* names[] = {"OnWin", "OnNormal", "OnCrisis", "OnLose"};
    for (int i = 0; i < 4; ++i) {
      Record(*Enemy().GetImageTable(), names[i], &enemyFaces[i]);
      Record(*Player().GetImageTable(), names[i], &playerFaces[i]);
    }
    Ctx().GetBoards().clear();
  }
  void Draw() {
    for (auto* log : {&bombFronts, &rateFronts, &lifeBar}) log->clear();
    for (int i = 0; i < 4; ++i) {
      enemyFaces[i].clear();
      playerFaces[i].clear();
    }
    Ctx().DrawHud();
  }
  // The face drawn on each side: 0 win, 1 normal, 2 crisis, 3 lose; -1 none or several.
  static int Shown(const std::array<std::vector<PictureDraw>, 4>& faces) {
    int shown = -1;
    for (int i = 0; i < 4; ++i) {
      if (!faces[i].empty()) shown = shown == -1 ? i : -2;
    }
    return shown;
  }

  std::vector<PictureDraw> bombFronts, rateFronts, lifeBar;
  std::array<std::vector<PictureDraw>, 4> enemyFaces, playerFaces;
};

TEST_F(HudTest, BombIconsShowWholeBombsAndTheStartedOneCut) {
  Player().SetBomb(0);
  Draw();
  EXPECT_TRUE(bombFronts.empty());
  Player().SetBomb(75);
  Draw();
  ASSERT_EQ(bombFronts.size(), 2u);
  EXPECT_EQ(bombFronts[0].x, 20);
  EXPECT_EQ(bombFronts[0].source.right, 40);
  EXPECT_EQ(bombFronts[1].x, 70);
  EXPECT_EQ(bombFronts[1].y, 540);
  EXPECT_EQ(bombFronts[1].source.right, 20);
  // More bombs than slots draw only the slots; a bomb that costs nothing draws none.
  Player().SetBomb(1000);
  Draw();
  EXPECT_EQ(bombFronts.size(), 3u);
  Player().SetNeedBombP(0);
  Draw();
  EXPECT_TRUE(bombFronts.empty());
}

TEST_F(HudTest, AttackRateIconsStandForAHundredEach) {
  Player().SetAtkRate(100);
  Draw();
  ASSERT_EQ(rateFronts.size(), 1u);
  EXPECT_EQ(rateFronts[0].source.right, 30);
  Player().SetAtkRate(250);
  Draw();
  ASSERT_EQ(rateFronts.size(), 3u);
  EXPECT_EQ(rateFronts[2].x, 300);
  EXPECT_EQ(rateFronts[2].source.right, 15);
  Player().SetAtkRate(900);
  Draw();
  EXPECT_EQ(rateFronts.size(), 3u);  // no places beyond the third
}

TEST_F(HudTest, FacesFollowTheEnemysLife) {
  struct Case {
    int life, enemy, player;
  };
  const Case cases[] = {{0, 3, 0}, {1200, 0, 3}, {299, 2, 1}, {300, 1, 1}, {900, 1, 1}, {901, 1, 2}};
  for (const Case& c : cases) {
    Enemy().SetLife(c.life);
    Draw();
    EXPECT_EQ(Shown(enemyFaces), c.enemy) << c.life;
    EXPECT_EQ(Shown(playerFaces), c.player) << c.life;
  }
  *Player().GetOnNormalRect() = Rect{0, 20, 200, 300};
  *Enemy().GetOnNormalRect() = Rect{0, 0, 200, 100};
  Enemy().SetLife(600);
  Draw();
  ASSERT_EQ(playerFaces[1].size(), 1u);
  EXPECT_EQ(playerFaces[1][0].x, 0);
  EXPECT_EQ(playerFaces[1][0].y, 245);
  EXPECT_EQ(enemyFaces[1][0].x, 600);
  EXPECT_EQ(enemyFaces[1][0].y, 425);
}

TEST(HudScoreTextTest, ScoresAreEightFullWidthDigitsOrMore) {
  EXPECT_EQ(cBattleContext::ScoreText(1234), "００００１２３４");
  EXPECT_EQ(cBattleContext::ScoreText(123456789), "１２３４５６７８９");
  EXPECT_EQ(cBattleContext::ScoreText(-5), "-００００００５");
}

TEST_F(HudTest, TheLifeBarSlidesByHalfItsFilledLength) {
  Ctx().SetEnemyLifeBar("", Rect{0, 0, 800, 16}, 800, 56);
  Record(Ctx().GetHudImages(), "EnemyLifeBar", &lifeBar);
  Draw();
  ASSERT_EQ(lifeBar.size(), 1u);
  EXPECT_EQ(lifeBar[0].x, 600);  // 600 of 1200 fills 400
  EXPECT_EQ(lifeBar[0].y, 56);
  EXPECT_EQ(lifeBar[0].source.right, 800);
  // A gauge without a maximum has nothing filled, and nothing divides by it.
  Enemy().SetMaxLife(0);
  Draw();
  EXPECT_EQ(lifeBar[0].x, 800);
}

TEST_F(HudTest, BoardsAreDrawnFromTheLastToTheFirst) {
  auto log = std::make_shared<PictureLog>();
  // Open boards above let the ones below show.
  AddBoard({"X"}, 100, 100, log);
  AddBoard({"X"}, 200, 100, log);
  AddBoard({"."}, 300, 100, log);
  Draw();
  ASSERT_EQ(log->draws.size(), 3u);
  EXPECT_EQ(log->draws[0].x, 300);
  EXPECT_EQ(log->draws[1].x, 200);
  EXPECT_EQ(log->draws[2].x, 100);
}

TEST_F(HudTest, ACarriedBombIsDrawnAtTheCursorAndTheRowByTheMovingIcons) {
  Player().SetBomb(100);
  AddBoard({"...", "..."});
  Frame(30, 560, true);
  ASSERT_TRUE(Ctx().IsBombArmed());
  Poll(400, 300, true);
  Draw();
  bool atCursor = false;
  for (const auto& draw : bombFronts) atCursor = atCursor || (draw.x == 400 && draw.y == 300);
  EXPECT_TRUE(atCursor);
  // The picked icon (slot 0) is not drawn at its slot while it is carried.
  for (const auto& draw : bombFronts) EXPECT_FALSE(draw.x == 20 && draw.y == 540);
}

TEST_F(HudTest, TheHighScoreIsZeroWhileNoCharacterKeptOne) {
  nsEXPlayer::g_HiScoreVarName = "@HiScore_Nobody";
  Draw();  // a missing variable is not an error
  EXPECT_FALSE(m_Engine.globals.Exists("@HiScore_Nobody"));
}

TEST_F(HudTest, NothingIsDrawnWithoutAnEnemy) {
  Ctx().SetEnemy(nullptr);
  Draw();
  EXPECT_TRUE(bombFronts.empty());
  EXPECT_TRUE(rateFronts.empty());
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine::nsTest

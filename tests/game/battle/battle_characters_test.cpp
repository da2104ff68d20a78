// The enemy and the player characters read from their INIs: the enemy's life gauge,
// danger alarm, regeneration and crisis under the virtual clock; the characters'
// bombs on real boards, their high scores in a real table of global variables; and
// the Moffle rows of both sides.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/heap/single_heap.h"
#include "game/battle/enemy.h"
#include "game/battle/player.h"
#include "tests/game/battle/battle_fakes.h"
#include "tests/game/battle/board_test_support.h"

namespace nsVesk::nsGame::nsMine::nsTest {
namespace {

using nsEXEnemy::cEnemyIni;
using nsEXPlayer::cPlayerAoria;
using nsEXPlayer::cPlayerKestrin;

constexpr char kEnemyIni[] = "Data/InGame/Enemy/E0.ini";
constexpr char kCharaIni[] = "Data/InGame/Chara/P.ini";
constexpr char kDanger[] = "Data/InGame/Sound/Common/danger.wav";

// An enemy of 600 of 1200 that regains 2 every 200 ms, with one Moffle and two
// Moffle sounds; `crisis` and `life` replace those sections.
std::string EnemyText(const std::string& crisis, const std::string& life) {
  return "[Image]\nOnWin=\"Data/E/faces.png\"\nOnWin_Left=0\nOnWin_Top=0\nOnWin_Right=200\nOnWin_Bottom=300\n"
         "OnLose_Left=600\nOnLose_Right=800\nOnLose_Bottom=300\n"
         "[Moffle]\nMoffleNum=1\nEffect=\"Data/Effect/one.ini\"\n"
         "[SE]\nOnAddMoffleNum=2\nOnAddMoffle0=\"Data/se/m0.wav\"\nOnAddMoffle1=\"Data/se/m1.wav\"\n"
         "[OnCrisis]\n" +
         crisis + "[Enemy]\n" + life;
}
constexpr char kCrisis[] = "IsEnable=1\nCutin=\"Data/E/cutin.png\"\nSE=\"Data/se/crisis.wav\"\nRejInterval=50\n"
                           "AddMoffleNum=2\n";
constexpr char kLife[] = "Life=600\nMaxLife=1200\nRejP=2\nRejInterval=200\n";

class CharactersTest : public BattleFixture {
 protected:
  void Pack(const std::string& enemy = EnemyText(kCrisis, kLife)) {
    WriteAnimation("Data/Effect/one.ini", 1);
    vesk_test::WriteFile(kEnemyIni, enemy);
    vesk_test::WriteFile(kCharaIni,
                         "[Image]\nOnNormal=\"Data/P/faces.png\"\nOnNormal_Right=200\nOnNormal_Bottom=280\n"
                         "[Bomb]\nEffect=\"Data/Effect/one.ini\"\nCutin=\"Data/P/cutin.png\"\n"
                         "SE=\"Data/se/bomb.wav\"\n"
                         "[Moffle]\nEffect=\"Data/Effect/one.ini\"\n"
                         "[SE]\nOnAddMoffleNum=1\nOnAddMoffle0=\"Data/se/pm.wav\"\n"
                         "[Player]\nBomb=120\nNeedBombP=50\nAtk=20\nBombAtk=200\nAtkRate=100\n");
    PackData();
  }
  void SetUp() override {
    BattleFixture::SetUp();
    nsEXPlayer::g_HiScoreVarName.clear();
  }
};

TEST_F(CharactersTest, TheEnemyReadsItsIniAndReadsItsSoundsAfreshOnEveryLoad) {
  Pack();
  cEnemyIni enemy(kEnemyIni);
  EXPECT_EQ(enemy.GetLife(), 600);
  EXPECT_EQ(enemy.GetMaxLife(), 1200);
  EXPECT_EQ(enemy.GetRejP(), 2);
  EXPECT_EQ(enemy.GetRejInterval(), 200);
  EXPECT_EQ(enemy.GetOnWinRect()->right, 200);
  EXPECT_EQ(enemy.GetOnLoseRect()->left, 600);
  for (const char* face : {"OnWin", "OnNormal", "OnCrisis", "OnLose"}) {
    EXPECT_NE(enemy.GetImageTable()->Find(face), nullptr) << face;
  }
  EXPECT_EQ(enemy.GetMoffleNum(), 1);
  EXPECT_FALSE(enemy.IsCrisisDone());
  enemy.SetLife(5);
  enemy.Load();
  enemy.Load();
  EXPECT_EQ(enemy.GetLife(), 600);
  EXPECT_EQ(enemy.GetMoffles().GetSounds(),
            (std::vector<std::string>{"Data/se/m0.wav", "Data/se/m1.wav"}))
      << "a restart does not add the list again";
}

TEST_F(CharactersTest, LifeStaysWithinItsLimitsAndTheAlarmSoundsOnlyWhenClimbingAcrossThreeQuarters) {
  Pack();
  cEnemyIni enemy(kEnemyIni);
  enemy.AddLife(1 << 30);
  EXPECT_EQ(enemy.GetLife(), 1200);
  enemy.AddLife(-(1 << 30));
  EXPECT_EQ(enemy.GetLife(), 0);
  Sound().ClearLog();
  enemy.SetLife(899);
  enemy.AddLife(1);
  EXPECT_EQ(m_Engine.Plays(kDanger), 1) << "899 + 1 reaches 900";
  enemy.AddLife(5);
  EXPECT_EQ(m_Engine.Plays(kDanger), 1) << "900 + 5 starts at the mark";
  enemy.SetLife(950);
  enemy.AddLife(-100);
  EXPECT_EQ(m_Engine.Plays(kDanger), 1) << "falling never sounds it";
  enemy.SetLife(100);
  enemy.AddLife(2000);
  EXPECT_EQ(m_Engine.Plays(kDanger), 2);
}

TEST_F(CharactersTest, RegenerationStepsOnceAnIntervalAndAtMostOnceACall) {
  Pack();
  cEnemyIni enemy(kEnemyIni);
  Advance(199);
  enemy.Update();
  EXPECT_EQ(enemy.GetLife(), 600);
  Advance(1);
  enemy.Update();
  EXPECT_EQ(enemy.GetLife(), 602);
  enemy.Update();
  EXPECT_EQ(enemy.GetLife(), 602) << "the interval starts again";
  Advance(1000);
  enemy.Update();
  EXPECT_EQ(enemy.GetLife(), 604) << "five intervals late still give one step";
}

TEST_F(CharactersTest, TheCrisisComesOnceAtAQuarterOfTheMaximum) {
  Pack(EnemyText(kCrisis, "Life=251\nMaxLife=1001\nRejP=0\nRejInterval=100000\n"));
  cEnemyIni enemy(kEnemyIni);
  enemy.Update();
  EXPECT_FALSE(enemy.IsCrisisDone()) << "251 is above 1001 / 4";
  enemy.SetLife(250);
  enemy.Update();
  EXPECT_TRUE(enemy.IsCrisisDone());
  EXPECT_TRUE(enemy.GetCutin().IsRunning());
  EXPECT_EQ(m_Engine.Plays("Data/se/crisis.wav"), 1);
  EXPECT_EQ(enemy.GetRejInterval(), 50);
  EXPECT_EQ(enemy.GetMoffleNum(), 3);
  enemy.SetLife(10);
  enemy.Update();
  EXPECT_EQ(m_Engine.Plays("Data/se/crisis.wav"), 1);
  EXPECT_EQ(enemy.GetMoffleNum(), 3);
  enemy.Load();
  EXPECT_FALSE(enemy.IsCrisisDone()) << "a restart arms it again";
}

TEST_F(CharactersTest, AnEnemyWithoutACrisisNeverHasOne) {
  Pack(EnemyText("", kLife));
  cEnemyIni enemy(kEnemyIni);
  enemy.SetLife(0);
  enemy.Update();
  enemy.DrawCutin();
  EXPECT_FALSE(enemy.GetCutin().IsRunning());
  EXPECT_TRUE(m_Engine.Played().empty());
  EXPECT_EQ(enemy.GetMoffleNum(), 1);
}

TEST_F(CharactersTest, ACrisisWithoutItsIntervalRegeneratesEveryFrame) {
  Pack(EnemyText("IsEnable=1\n", "Life=100\nMaxLife=1200\nRejP=1\nRejInterval=100000\n"));
  cEnemyIni enemy(kEnemyIni);
  enemy.Update();
  EXPECT_EQ(enemy.GetRejInterval(), 0);
  enemy.Update();
  enemy.Update();
  EXPECT_EQ(enemy.GetLife(), 102);
}

TEST_F(CharactersTest, EnemyMofflesEnterFromTheRightAndQueueBehindTheFront) {
  Pack(EnemyText(kCrisis, "Life=0\nMaxLife=1200\nRejP=0\nRejInterval=0\n"));
  cEnemyIni enemy(kEnemyIni);
  ScriptedRandom random{1, 0, 5};
  enemy.GetMoffles().SetRandom(random);
  enemy.SetLife(100);
  enemy.Update();  // the crisis brings two more
  ASSERT_EQ(enemy.GetMoffleNum(), 3);
  enemy.UpdateMoffles(100);
  EXPECT_EQ(m_Engine.Played(), (std::vector<std::string>{"_PlaySE(Data/se/crisis.wav)", "_PlaySE(Data/se/m1.wav)",
                                                        "_PlaySE(Data/se/m0.wav)", "_PlaySE(Data/se/m1.wav)"}));
  const auto& at = enemy.GetMoffles().GetPositions();
  ASSERT_EQ(at.size(), 3u);
  EXPECT_EQ(at[0].x, 855) << "in at 865, then 10 to the left";
  EXPECT_EQ(at[0].y, 65);
  for (int i = 0; i < 100; ++i) enemy.UpdateMoffles(100);
  EXPECT_EQ(at[0].x, 65);
  EXPECT_EQ(at[1].x, 130);
  EXPECT_EQ(at[2].x, 195);
  enemy.UpdateMoffles(50);
  EXPECT_EQ(at[0].x, 465) << "the front moved right: they jump back to it";
  enemy.UpdateMoffles(0);
  EXPECT_EQ(at[2].x, 995) << "beyond the screen";
}

TEST_F(CharactersTest, AMoffleRowShrinksFromItsEndAndTakesNoNegativeOrSilentCounts) {
  Pack();
  cImageTable images;
  cMoffleRow row(&images, cMoffleRow::Side::Enemy);
  row.LoadEffect("Data/Effect/one.ini");
  ScriptedRandom random{};
  row.SetRandom(random);
  row.Update(3, 100);
  row.Update(3, 100);
  EXPECT_EQ(row.Size(), 3u);
  EXPECT_EQ(random.Draws(), 0u) << "no sounds: no draw and silence";
  EXPECT_TRUE(m_Engine.Played().empty());
  row.Update(1, 100);
  ASSERT_EQ(row.Size(), 1u);
  EXPECT_EQ(row.GetPositions()[0].x, 835) << "the first one keeps walking";
  EXPECT_EQ(row.GetMoffles()[0].GetFrame(), 0) << "still running";
  row.Update(-5, 100);
  EXPECT_EQ(row.Size(), 0u);
  row.Update(1 << 30, 100);
  EXPECT_EQ(row.Size(), cMoffleRow::kMaxMoffles);
}

class PlayerTest : public CharactersTest {
 protected:
  void SetUp() override {
    CharactersTest::SetUp();
    Pack();
  }
  nsTamskLib::nsSimulatedHeap::SingleHeap& Globals() { return m_Engine.globals; }
};

TEST_F(PlayerTest, ACharacterReadsItsIniAndCreatesItsHighScoreAtZero) {
  cPlayerAoria aoria(kCharaIni);
  EXPECT_EQ(aoria.GetBomb(), 120);
  EXPECT_EQ(aoria.GetNeedBombP(), 50);
  EXPECT_EQ(aoria.GetAtk(), 20);
  EXPECT_EQ(aoria.GetBombAtk(), 200);
  EXPECT_EQ(aoria.GetAtkRate(), 100);
  EXPECT_EQ(aoria.GetScore(), 0);
  EXPECT_EQ(aoria.GetOnNormalRect()->bottom, 280);
  EXPECT_NE(aoria.GetImageTable()->Find("OnNormal"), nullptr);
  ASSERT_TRUE(Globals().Exists("@HiScore_Aoria"));
  EXPECT_EQ(Globals().Get("@HiScore_Aoria"), 0);
  EXPECT_EQ(nsEXPlayer::g_HiScoreVarName, "@HiScore_Aoria");
  cPlayerKestrin kestrin(kCharaIni);
  EXPECT_EQ(nsEXPlayer::g_HiScoreVarName, "@HiScore_Kestrin");
  EXPECT_EQ(Globals().Get("@HiScore_Kestrin"), 0);
}

TEST_F(PlayerTest, TheHighScoreOnlyEverRises) {
  Globals().Set("@HiScore_Kestrin", 9000);
  cPlayerKestrin kestrin(kCharaIni);
  EXPECT_EQ(Globals().Get("@HiScore_Kestrin"), 9000) << "a new run keeps the stored high score";
  kestrin.AddScore(8000);
  kestrin.AddScore(2000);
  EXPECT_EQ(Globals().Get("@HiScore_Kestrin"), 10000);
  kestrin.SetScore(500);  // a restart's saved score
  EXPECT_EQ(kestrin.GetScore(), 500);
  EXPECT_EQ(Globals().Get("@HiScore_Kestrin"), 10000);
  EXPECT_FALSE(Globals().Exists("@HiScore_Aoria"));
}

class BombTest : public PlayerTest {
 protected:
  // `count` boards of 5 x 4 closed cells.
  void MakeBoards(int count) {
    for (int i = 0; i < count; ++i) {
      m_Boards.push_back(std::make_unique<nsEX::cMineEx>(&m_Host, nullptr));
      Fill(*m_Boards.back(), {".....", ".....", ".....", "....."});
    }
  }
  static int Opened(const nsCore::cMine& board) { return board.GetOpenedCount(); }
  std::string Columns(const nsCore::cMine& board) {
    std::string open;
    for (int x = 0; x < 5; ++x) open += board.GetCell(x, 3) == kCellOpen ? 'o' : '.';
    return open;
  }

  FakeBoardHost m_Host;
  BoardList m_Boards;
};

TEST_F(BombTest, ABombThatIsNotPaidForDoesNothingAtAll) {
  cPlayerAoria aoria(kCharaIni);
  MakeBoards(1);
  aoria.SetBomb(49);
  aoria.UseBomb(2, 2, &m_Boards, m_Boards[0].get(), 300, 200);
  EXPECT_EQ(aoria.GetBomb(), 49);
  EXPECT_EQ(Opened(*m_Boards[0]), 0);
  EXPECT_TRUE(m_Engine.Played().empty());
  EXPECT_FALSE(aoria.GetBombCutin().IsRunning());
  EXPECT_FALSE(aoria.GetBombEffect().IsRunning());
  aoria.SetNeedBombP(0);
  aoria.UseBomb(2, 2, &m_Boards, m_Boards[0].get(), 300, 200);
  EXPECT_EQ(Opened(*m_Boards[0]), 0) << "a bomb that costs nothing is refused";
  EXPECT_EQ(aoria.GetBomb(), 49);
}

TEST_F(BombTest, ABombSpendsItsCostWithSoundAnimationAndCutin) {
  cPlayerAoria aoria(kCharaIni);
  MakeBoards(1);
  aoria.UseBomb(2, 2, &m_Boards, m_Boards[0].get(), 300, 200);
  EXPECT_EQ(aoria.GetBomb(), 70) << "120 - 50";
  EXPECT_EQ(m_Engine.Played(), (std::vector<std::string>{"_PlaySE(Data/se/bomb.wav)"}));
  EXPECT_TRUE(aoria.GetBombEffect().IsRunning());
  EXPECT_TRUE(aoria.GetBombCutin().IsRunning());
  aoria.DrawEffects();
  Advance(641);
  aoria.DrawEffects();
  EXPECT_FALSE(aoria.GetBombCutin().IsRunning());
}

TEST_F(BombTest, AoriasDiamondOpensFortyOneCellsOrWhatOfItLiesOnTheBoard) {
  cPlayerAoria aoria(kCharaIni);
  aoria.SetBomb(1000);
  auto board = std::make_unique<nsEX::cMineEx>(&m_Host, nullptr);
  Fill(*board, std::vector<std::string>(9, "........."));
  m_Boards.push_back(std::move(board));
  aoria.UseBomb(4, 4, &m_Boards, m_Boards[0].get(), 0, 0);
  EXPECT_EQ(Opened(*m_Boards[0]), 41);
  EXPECT_EQ(m_Boards[0]->GetCell(0, 4), kCellOpen);
  EXPECT_EQ(m_Boards[0]->GetCell(1, 1), 0u) << "|dx| + |dy| = 6";
  Fill(*m_Boards[0], std::vector<std::string>(9, "........."));
  aoria.UseBomb(0, 0, &m_Boards, m_Boards[0].get(), 0, 0);
  EXPECT_EQ(Opened(*m_Boards[0]), 15);
}

TEST_F(BombTest, MinesAndChipsInsideTheBombAreGoneWithoutPenaltyOrReward) {
  cPlayerAoria aoria(kCharaIni);
  MakeBoards(1);
  Fill(*m_Boards[0], {"*P...", ".B*..", "f?...", "....*"});
  ASSERT_EQ(m_Boards[0]->GetMineNum(), 4);
  aoria.UseBomb(0, 0, &m_Boards, m_Boards[0].get(), 0, 0);
  EXPECT_EQ(m_Boards[0]->GetMineNum(), 1) << "three mines inside the diamond";
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {2, 1}, {0, 2}, {1, 2}}) {
    EXPECT_EQ(m_Boards[0]->GetCell(x, y) & ~kCellCountMask, kCellOpen) << x << "," << y;
  }
  EXPECT_FALSE(m_Boards[0]->IsMineOpened());
  EXPECT_EQ(m_Boards[0]->GetFlagCount(), 0);
  EXPECT_TRUE(m_Host.log.empty()) << "no reward flies";
  EXPECT_EQ(m_Host.player.atkRate, 100);
}

TEST_F(BombTest, KestrinsColumnsReachTheBoardAndTheTwoBelowIt) {
  cPlayerKestrin kestrin(kCharaIni);
  kestrin.SetBomb(1000);
  MakeBoards(4);
  kestrin.UseBomb(0, 3, &m_Boards, m_Boards[0].get(), 0, 0);
  EXPECT_EQ(Columns(*m_Boards[0]), "oo...");
  EXPECT_EQ(Opened(*m_Boards[0]), 8) << "two columns, every row";
  EXPECT_EQ(Columns(*m_Boards[1]), "oo...");
  EXPECT_EQ(Columns(*m_Boards[2]), "oo...");
  EXPECT_EQ(Columns(*m_Boards[3]), ".....");
  kestrin.UseBomb(2, 0, &m_Boards, m_Boards[2].get(), 0, 0);
  EXPECT_EQ(Columns(*m_Boards[2]), "oooo.");
  EXPECT_EQ(Columns(*m_Boards[3]), ".ooo.") << "the second-to-last board reaches two";
  EXPECT_EQ(Columns(*m_Boards[1]), "oo...") << "never upward";
  kestrin.UseBomb(4, 0, &m_Boards, m_Boards[3].get(), 0, 0);
  EXPECT_EQ(Columns(*m_Boards[3]), ".oooo");
  EXPECT_EQ(Columns(*m_Boards[2]), "oooo.");
}

TEST_F(BombTest, KestrinsBombOnABoardOutsideTheListOpensNothingButIsSpent) {
  cPlayerKestrin kestrin(kCharaIni);
  MakeBoards(1);
  nsEX::cMineEx stray(&m_Host, nullptr);
  Fill(stray, {".....", "....."});
  kestrin.UseBomb(1, 1, &m_Boards, &stray, 0, 0);
  EXPECT_EQ(Opened(stray), 0);
  EXPECT_EQ(Opened(*m_Boards[0]), 0);
  EXPECT_EQ(kestrin.GetBomb(), 70);
  EXPECT_TRUE(kestrin.GetBombCutin().IsRunning());
}

TEST_F(PlayerTest, PlayerMofflesFollowTheAttackRateAndMarchInFromTheLeft) {
  cPlayerAoria aoria(kCharaIni);
  aoria.SetAtkRate(250);
  aoria.UpdateMoffles(0);
  const auto& at = aoria.GetMoffles().GetPositions();
  ASSERT_EQ(at.size(), 2u);
  EXPECT_EQ(m_Engine.Plays("Data/se/pm.wav"), 2);
  EXPECT_EQ(at[0].x, 10);
  EXPECT_EQ(at[1].y, 65);
  for (int i = 0; i < 100; ++i) aoria.UpdateMoffles(0);
  EXPECT_EQ(at[0].x, 735) << "800 - 65";
  EXPECT_EQ(at[1].x, 670);
  aoria.UpdateMoffles(100);
  EXPECT_EQ(at[0].x, -65) << "a full gauge keeps them left of the screen";
  aoria.SetAtkRate(199);
  aoria.UpdateMoffles(100);
  EXPECT_EQ(aoria.GetMoffles().Size(), 1u);
  aoria.SetAtkRate(-500);
  aoria.UpdateMoffles(100);
  EXPECT_EQ(aoria.GetMoffles().Size(), 0u);
}

}  // namespace
}  // namespace nsVesk::nsGame::nsMine::nsTest

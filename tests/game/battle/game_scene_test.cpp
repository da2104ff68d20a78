// The battle scene on the scene stack under the virtual clock: the clear bonus,
// a scripted win on the sample data with a fixed seed, the way to the next round or
// the reward, the loss with its restart and its way back to the title; and the room
// the sample's rounds give.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/api/heaps.h"
#include "framework/scene/scene.h"
#include "game/battle/battle_context.h"
#include "game/battle/battle_random.h"
#include "game/battle/game_scene.h"
#include "game/battle/mine_cell.h"
#include "game/battle/player.h"
#include "game/core/param_access.h"
#include "game/core/program_objects.h"
#include "game/core/scene_ids.h"
#include "game/select/select_scene.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "platform/clock/clock.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/game/support/game_scene_fixture.h"
#include "tests/game/support/sample_keys.h"

namespace nsVesk::nsGame {
namespace {

using nsZarn::nsFramework::nsScene::CNullScene;
using nsZarn::nsFramework::nsScene::IScene;
using nsZarn::nsFramework::nsScene::ISceneFactory;

constexpr const char* kRound = "Data/InGame/Round/R0.ini";
constexpr const char* kEnemy = "Data/InGame/Enemy/E0.ini";
constexpr const char* kAoria = "Data/InGame/Chara/Aoria.ini";

// Makes battle scenes and records every id it is asked for.
class RecordingFactory final : public ISceneFactory {
 public:
  explicit RecordingFactory(std::vector<int>* created) : m_Created(created) {}
  void Release() override { delete this; }
  IScene* CreateScene(int id) override {
    m_Created->push_back(id);
    if (id == nsVesk::nsCore::kSceneBattle) return new cGameScene;
    return new CNullScene;
  }

 private:
  std::vector<int>* m_Created;
};

class GameSceneTest : public vesk_test::GameSceneFixture {
 protected:
  void SetUp() override {
    GameSceneFixture::SetUp();
    namespace fs = std::filesystem;
    fs::copy(VESK_SAMPLE_DATA, "Data", fs::copy_options::recursive);
    nsMine::nsEXPlayer::g_HiScoreVarName.clear();
  }
  // The battle scene goes before the program's battle context it plays in.
  void TearDown() override {
    vesk_test::ReleaseSceneStack();
    vesk_test::Renew(TheBattleContext());
    GameSceneFixture::TearDown();
  }

  // The selection of `rounds` rounds of the sample round, character 0 with its
  // first round loaded, and the battle scene on top of the title's empty scene.
  void StartBattle(int rounds = 1, std::uint32_t seed = 20261209) {
    PackData();
    g_RoundIniTable = {{std::vector<std::string>(static_cast<std::size_t>(rounds), kRound)}};
    g_EnemyIniTable = {{std::vector<std::string>(static_cast<std::size_t>(rounds), kEnemy)}};
    g_SelectChara = 0;
    g_SelectEnemy = 0;
    g_Round = 0;
    TheBattleRandom().Seed(seed);
    TheBattleContext().SetPlayer(new nsMine::nsEXPlayer::cPlayerAoria(kAoria));
    TheBattleContext().LoadStage(kRound);
    g_SceneManager.SetSceneFactory(new RecordingFactory(&m_Created));
    g_SceneManager.CreateScene(-1);
    g_SceneManager.CreateScene(nsVesk::nsCore::kSceneBattle);
    m_Created.clear();
  }
  cGameScene* Scene() { return dynamic_cast<cGameScene*>(g_SceneManager.GetTopScene()); }
  nsMine::nsEXPlayer::IPlayerM& Player() { return *TheBattleContext().GetPlayer(); }

  // One frame of the scene stack with the mouse at (x, y), then 16 ms.
  void Frame(int x, int y, bool leftDown) {
    Hold(x, y, leftDown);
    g_SceneManager.Run();
    platform::AdvanceVirtualClock(16);
  }
  void Idle(int frames) {
    for (int i = 0; i < frames; ++i) Frame(0, 0, false);
  }
  void Click(int x, int y) {
    Frame(x, y, true);
    Frame(x, y, false);
  }
  // Clicks the first closed cell without a mine on the top board.
  bool ClickASafeCell() {
    auto& boards = TheBattleContext().GetBoards();
    if (boards.empty()) return false;
    auto& top = *boards[0];
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    top.GetSize(width, height);
    for (int x = 0; x < static_cast<int>(width); ++x) {
      for (int y = 0; y < static_cast<int>(height); ++y) {
        if ((top.GetCell(x, y) & (nsMine::kCellOpen | nsMine::kCellMine)) == 0) {
          Click(top.GetChipBaseX() + x * top.GetChipWidth() + 1, top.GetChipBaseY() + y * top.GetChipHeight() + 1);
          return true;
        }
      }
    }
    return false;
  }
  // Plays safe cells until the round is cleared; the number of clicks.
  int PlayToTheClear() {
    int clicks = 0;
    while (!TheBattleContext().IsCleared() && clicks < 1000 && ClickASafeCell()) ++clicks;
    return clicks;
  }
  int Count(const std::string& op) const { return static_cast<int>(m_Sound->Calls(op).size()); }

  std::vector<int> m_Created;
};

TEST(ClearBonusTest, TheBaseOfTheRoundLessAThousandPerWholeSecond) {
  EXPECT_EQ(cGameScene::ClearBonus(0, 0), 300000);
  EXPECT_EQ(cGameScene::ClearBonus(0, 1999), 299000);
  EXPECT_EQ(cGameScene::ClearBonus(1, 2000), 598000);
  EXPECT_EQ(cGameScene::ClearBonus(2, 999), 1000000);
  EXPECT_EQ(cGameScene::ClearBonus(3, 0), 0);
  EXPECT_EQ(cGameScene::ClearBonus(0, 400000), 0);
  EXPECT_EQ(cGameScene::ClearBonus(0, 0xFFFFFFFFu), 0);
}

TEST_F(GameSceneTest, AScriptedWinScoresTheSameEveryTimeWithOneBonusAndLeadsToTheReward) {
  StartBattle();
  ASSERT_NE(Scene(), nullptr);
  EXPECT_EQ(TheBattleContext().GetBoards().size(), 2u);
  Frame(0, 0, false);
  EXPECT_TRUE(Scene()->IsFading());  // TimeFadein 200
  while (Scene()->IsFading()) Frame(0, 0, false);
  Frame(0, 0, false);  // the first update: music and the round timer
  EXPECT_EQ(m_Sound->Calls("_LoadBGM"), std::vector<std::string>{"_LoadBGM(Data/InGame/Sound/BGM/battle.ogg)"});

  const int clicks = PlayToTheClear();
  ASSERT_TRUE(TheBattleContext().IsCleared());
  const int scoreAtClear = Player().GetScore();
  Frame(0, 0, false);  // the cleared branch grants the bonus
  const int score = Player().GetScore();
  EXPECT_EQ(score - scoreAtClear, 300000);  // cleared within the first second
  Idle(90);  // however long the clear screen stays
  EXPECT_EQ(Player().GetScore(), score);
  EXPECT_EQ(clicks, 25);
  EXPECT_EQ(score, 335000);
  auto* globals = g_NovelPlayer->GetGlobalHeap();
  EXPECT_EQ(globals->Get(nsMine::nsEXPlayer::cPlayerAoria::kHiScoreName), score);

  const int stops = Count("_StopBGM");
  Click(400, 300);
  EXPECT_TRUE(Scene()->IsFading());
  Click(400, 300);  // a release during the fade-out does nothing more
  while (m_Created.empty()) Frame(0, 0, false);
  EXPECT_EQ(m_Created, std::vector<int>{nsVesk::nsCore::kSceneReward});
  EXPECT_EQ(g_Round, 0);
  EXPECT_EQ(Count("_StopBGM"), stops + 1);
}

TEST_F(GameSceneTest, AWonRoundBeforeTheLastLoadsTheNextAndGoesToItsStory) {
  StartBattle(2);
  Idle(20);
  PlayToTheClear();
  ASSERT_TRUE(TheBattleContext().IsCleared());
  Click(400, 300);
  while (m_Created.empty()) Frame(0, 0, false);
  EXPECT_EQ(m_Created, std::vector<int>{nsVesk::nsCore::kSceneStory});
  EXPECT_EQ(g_Round, 1);
  EXPECT_EQ(TheBattleContext().GetRoundIni(), kRound);
  EXPECT_EQ(TheBattleContext().GetChipImageFileNames().size(), 4u);  // the round was loaded again
}

TEST_F(GameSceneTest, ALossOffersARestartThatPutsTheRoundBackAndTheTitle) {
  StartBattle();
  Idle(20);
  ClickASafeCell();
  Player().SetBomb(40);
  Player().SetAtkRate(250);
  const int scoreAfterPlay = Player().GetScore();
  ASSERT_GT(scoreAfterPlay, 0);
  TheBattleContext().GetEnemy()->SetLife(1200);
  Frame(0, 0, false);
  ASSERT_TRUE(TheBattleContext().IsLost());

  // The restart button: a fresh round with the values of the round's start.
  Frame(200, 300, true);
  EXPECT_EQ(Player().GetScore(), 0);
  EXPECT_EQ(Player().GetBomb(), 0);
  EXPECT_EQ(Player().GetAtkRate(), 100);
  EXPECT_EQ(TheBattleContext().GetEnemy()->GetLife(), 600);
  EXPECT_FALSE(TheBattleContext().IsLost());
  Frame(200, 300, false);
  EXPECT_TRUE(Scene()->IsFading());  // the fade-in again
  Idle(20);

  // Lost again; the title button fades out and pops back to the title.
  TheBattleContext().GetEnemy()->SetLife(1200);
  Frame(0, 0, false);
  const int stops = Count("_StopBGM");
  Frame(600, 300, true);
  EXPECT_TRUE(Scene()->IsGoingToTitle());
  Idle(30);
  EXPECT_EQ(g_SceneManager.GetTopScene()->GetStatus(), CNullScene().GetStatus());
  EXPECT_EQ(Count("_StopBGM"), stops + 1);
  EXPECT_TRUE(m_Created.empty());
}

TEST_F(GameSceneTest, ABannerStillShownWhenARoundIsWonPaysTheNextRoundOfItsStageOnly) {
  auto& banner = TheBattleContext().GetAllClear();
  // Wins the round with the banner of its last board still shown, and leaves it.
  auto winAndLeave = [&] {
    Idle(20);
    PlayToTheClear();
    banner.Start();
    Click(400, 300);
    for (int i = 0; i < 100 && m_Created.empty(); ++i) Frame(0, 0, false);
  };
  StartBattle(2);
  winAndLeave();
  ASSERT_EQ(m_Created, std::vector<int>{nsVesk::nsCore::kSceneStory});
  const int rate = Player().GetAtkRate();
  // The round's story (an empty scene here) hands over to the next round, which
  // gets the reward.
  g_SceneManager.CreateScene(nsVesk::nsCore::kSceneBattle);
  EXPECT_FALSE(banner.IsRunning());
  EXPECT_EQ(Player().GetAtkRate(), std::min(rate + 100, TheBattleContext().GetMaxPlayerAtkRate()));

  // The last round: the reward scene, then a new stage.
  m_Created.clear();
  winAndLeave();
  ASSERT_EQ(m_Created, std::vector<int>{nsVesk::nsCore::kSceneReward});
  EXPECT_FALSE(banner.IsRunning());
  TheBattleContext().SetPlayer(new nsMine::nsEXPlayer::cPlayerAoria(kAoria));
  TheBattleContext().LoadStage(kRound);
  g_SceneManager.CreateScene(nsVesk::nsCore::kSceneBattle);
  Idle(80);
  EXPECT_EQ(Player().GetAtkRate(), 100);
}

TEST_F(GameSceneTest, OnlyASlotShowingABombGivesOneAndALostRoundPutsTheCarriedOneBack) {
  StartBattle();
  Idle(20);
  Player().SetBomb(50);  // one bomb: only the first of the three slots shows one
  Click(140, 560);
  EXPECT_FALSE(TheBattleContext().IsBombArmed());
  Frame(40, 560, true);
  ASSERT_TRUE(TheBattleContext().IsBombArmed());
  TheBattleContext().GetEnemy()->SetLife(1200);  // lost with the bomb in the hand
  Frame(40, 560, true);
  EXPECT_FALSE(TheBattleContext().IsBombArmed());
  EXPECT_TRUE(TheBattleContext().GetBombIconReturn().IsRunning());
  EXPECT_EQ(Player().GetBomb(), 50);
}

TEST_F(GameSceneTest, ARoundWhoseBoardsOrListsCannotBeBuiltIsRefusedWhenItsStageLoads) {
  vesk_test::FatalTrap trap;
  std::ifstream sample(kRound, std::ios::binary);
  std::stringstream text;
  text << sample.rdbuf();
  // Copies of the sample round with values changed, each key found in its section.
  auto damage = [&text](const std::string& file, const std::vector<std::vector<std::string>>& changes) {
    std::string round = text.str();
    for (const auto& change : changes) {
      const std::string& section = change[0];
      const std::string& key = change[1];
      const std::size_t at = round.find("\n" + key + "=", round.find("[" + section + "]")) + 1;
      round.replace(at, round.find('\n', at) - at, key + "=" + change[2]);
    }
    vesk_test::WriteFile(file, round);
  };
  const std::string largest = "2147483647";
  damage("Data/InGame/Round/R1.ini", {{"Image", "ChipWidth", "0"}});
  damage("Data/InGame/Round/R2.ini", {{"Stage", "MineBoardHeight", "0"}});
  damage("Data/InGame/Round/R3.ini", {{"Image", "ChipImageVariationNum", largest}});
  damage("Data/InGame/Round/R4.ini", {{"BombIconClickRect", "Num", largest}});
  damage("Data/InGame/Round/R5.ini", {{"AtkRateIconPosition", "Num", largest}});
  damage("Data/InGame/Round/R6.ini", {{"Stage", "BoardsNum", largest}});
  damage("Data/InGame/Round/R7.ini", {{"Stage", "BoardsNum", "1"}, {"Stage", "MineBoardWidth", "257"},
                                      {"Stage", "MineBoardHeight", "256"}});
  // The cell cap holds for each board alone: many boards of a fair size are played.
  damage("Data/InGame/Round/R8.ini", {{"Stage", "BoardsNum", "20"}, {"Stage", "MineBoardWidth", "60"},
                                      {"Stage", "MineBoardHeight", "60"}});
  PackData();
  // The select scene hands the stage's first round over to the battle.
  auto load = [](const std::string& file) {
    g_RoundIniTable = {{{file}}};
    nsSelect::HandOffToBattle(0, 0);
  };
  EXPECT_FATAL(load("Data/InGame/Round/R1.ini"),
               "Data/InGame/Round/R1.iniの[Image] ChipWidthは1以上でなければなりません！（0）");
  EXPECT_FATAL(load("Data/InGame/Round/R2.ini"),
               "Data/InGame/Round/R2.iniの[Stage] MineBoardHeightは1以上でなければなりません！（0）");
  EXPECT_FATAL(load("Data/InGame/Round/R3.ini"),
               "Data/InGame/Round/R3.iniの[Image] ChipImageVariationNumは256以下でなければなりません！（2147483647）");
  EXPECT_FATAL(load("Data/InGame/Round/R4.ini"),
               "Data/InGame/Round/R4.iniの[BombIconClickRect] Numは256以下でなければなりません！（2147483647）");
  EXPECT_FATAL(load("Data/InGame/Round/R5.ini"),
               "Data/InGame/Round/R5.iniの[AtkRateIconPosition] Numは256以下でなければなりません！（2147483647）");
  EXPECT_FATAL(load("Data/InGame/Round/R6.ini"),
               "Data/InGame/Round/R6.iniの[Stage] BoardsNumは64以下でなければなりません！（2147483647）");
  EXPECT_FATAL(load("Data/InGame/Round/R7.ini"),
               "Data/InGame/Round/R7.iniの[Stage] MineBoardWidth x MineBoardHeightが大きすぎます！（257 x 256）");
  load("Data/InGame/Round/R8.ini");
  TheBattleContext().CreateBoards();
  ASSERT_EQ(TheBattleContext().GetBoards().size(), 20u);
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  TheBattleContext().GetBoards().back()->GetSize(width, height);
  EXPECT_EQ(width * height, 3600u);
}

TEST_F(GameSceneTest, ARestartCancelsTheBannerOfTheRoundItLeaves) {
  StartBattle();
  Idle(20);
  TheBattleContext().GetAllClear().Start();
  TheBattleContext().GetEnemy()->SetLife(1200);
  Frame(0, 0, false);
  Frame(200, 300, true);
  Frame(200, 300, false);
  Idle(80);
  EXPECT_FALSE(TheBattleContext().GetAllClear().IsRunning());
  EXPECT_EQ(Player().GetAtkRate(), 100);
}

// The battle's own files and the room each round of the sample gives: enough bomb
// slots and attack-rate places for the most the round allows. (The keys the battle
// reads are checked against the sample while the playthrough plays.)
TEST_F(GameSceneTest, TheSampleDataGivesEveryRoundRoomForItsBombsAndAttackRate) {
  PackData();
  const vesk_test::SampleStages stages = vesk_test::ReadSampleStages();
  EXPECT_GE(stages.rounds.size(), 5u);
  EXPECT_GE(stages.enemies.size(), 2u);
  EXPECT_EQ(stages.rounds.count(kRound), 1u);
  EXPECT_EQ(stages.enemies.count(kEnemy), 1u);
  for (const std::string& r : stages.rounds) {
    const int slots = GetParamInt(r, "BombIconClickRect", "Num", 0);
    EXPECT_GT(slots, 0) << r;
    EXPECT_GE(slots * GetParamInt(kAoria, "Player", "NeedBombP", 1), GetParamInt(r, "Event", "MaxPlayerBomb", 0)) << r;
    const int places = GetParamInt(r, "AtkRateIconPosition", "Num", 0);
    EXPECT_GT(places, 0) << r;
    EXPECT_GE(places * 100, GetParamInt(r, "Event", "MaxPlayerAtkRate", 0)) << r;
  }
  for (const char* file : {"Data/InGame/Sound/Common/zenkesi.wav", "Data/InGame/Sound/Common/danger.wav"}) {
    EXPECT_TRUE(std::filesystem::exists(file)) << file;
  }
}

}  // namespace
}  // namespace nsVesk::nsGame

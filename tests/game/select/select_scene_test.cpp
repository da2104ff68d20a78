// The select scene on the scene stack under the virtual clock: input ignored
// during the fade-in, the page change's cross-fade, stage locks read from the
// engine's "Stage<c>_<e>" variables every frame, the hand-off of a choice to the
// battle and the story, and 戻る back to the title.
#include "game/core/scene_ids.h"
#include "game/select/select_scene.h"

#include <gtest/gtest.h>

#include "engine/api/heaps.h"
#include "engine/api/sound_manager.h"
#include "game/battle/battle_context.h"
#include "game/battle/player.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "tests/game/select/select_test_data.h"

namespace {

using nsVesk::nsSelect::cEffecterSelect;
using nsVesk::nsSelect::cSelectScene;

using nsVesk::nsCore::kSceneTitle;  // stubbed under the select scene

TEST(SelectPageEffect, CrossFadesOverItsTime) {
  EXPECT_EQ(cEffecterSelect::Progress(200, 400), 127u);
  EXPECT_EQ(cEffecterSelect::Progress(401, 400), 255u);
  EXPECT_GT(cEffecterSelect::Progress(402, 400), 255u);
  EXPECT_GT(cEffecterSelect::Progress(0, 0), 255u) << "no time: over at once";
}

class SelectSceneTest : public vesk_test::SceneStackFixture {
 protected:
  void SetUp() override {
    SceneStackFixture::SetUp();
    WriteData(2, "PageChangeEffectTime=400\nWaitTime=0\n");
  }
  // Character 0: stage 0 (2 rounds), stage 1 (no rounds); character 1: three
  // stages of one round each.
  static void WriteData(int charas, const std::string& cg) {
    vesk_test::WriteSelectData(
        charas, cg,
        "[CG]\nEnemyNum=2\n" + vesk_test::EnemyEntry(0, 2, "c0s0") + vesk_test::EnemyEntry(1, 0, "c0s1"),
        "[CG]\nEnemyNum=3\n" + vesk_test::EnemyEntry(0, 1, "c1s0") + vesk_test::EnemyEntry(1, 1, "c1s1") +
            vesk_test::EnemyEntry(2, 1, "c1s2"));
  }

  // The select scene over a stubbed title, its fade-in over (200 ms).
  void StartSelect() {
    Start(nsVesk::nsCore::kSceneSelect, {}, kSceneTitle);
    FramesFromTo(0, 208);
    ASSERT_FALSE(Select()->IsFadingIn());
    m_Now = 224;
  }
  // Press and release on (x, y); returns the time of the release frame.
  std::uint32_t Click(int x, int y) {
    ClickAt(m_Now, x, y);
    m_Now += 32;
    return m_Now - 16;
  }
  void Frame() {
    FrameAt(m_Now);
    m_Now += 16;
  }
  static cSelectScene* Select() { return Top<cSelectScene>(); }
  static void SetGlobal(const char* name, std::int32_t value) {
    nsVesk::g_NovelPlayer->GetGlobalHeap()->Set(name, value);
  }
  static bool EnemyDisabled(int c, int e) {
    return nsVesk::g_EnemyButtons.at(static_cast<std::size_t>(c)).at(static_cast<std::size_t>(e))->IsDisabled();
  }

  std::uint32_t m_Now = 0;
};

TEST_F(SelectSceneTest, AClickDuringTheFadeInDoesNothing) {
  Start(nsVesk::nsCore::kSceneSelect, {}, kSceneTitle);
  FrameAt(0);
  ClickAt(16, 100, 100);
  FrameAt(64);
  EXPECT_EQ(Select()->GetPage(), 0);
  EXPECT_EQ(nsVesk::g_SelectChara, -1);
  FramesFromTo(80, 240);
  ClickAt(256, 100, 100);
  EXPECT_EQ(Select()->GetPage(), 1) << "the first click after the fade-in";
  EXPECT_EQ(nsVesk::g_SelectChara, 0);
}

TEST_F(SelectSceneTest, ThePageChangeCrossFadesTheButtons) {
  StartSelect();
  EXPECT_EQ(Pixel(100, 100), 0xFF0000u) << "character 0 on page 0";
  EXPECT_EQ(Pixel(75, 375), 0u) << "no enemies on page 0";
  const std::uint32_t clicked = Click(300, 100);
  EXPECT_EQ(nsVesk::g_SelectChara, 1);
  ASSERT_TRUE(Select()->IsChangingPage());
  FrameAt(clicked + 200);
  EXPECT_NEAR(static_cast<int>(Pixel(300, 100) >> 8 & 0xFF), 128, 1) << "character 1 at alpha 255 - 127";
  EXPECT_NEAR(static_cast<int>(Pixel(75, 375) & 0xFF), 127, 1) << "enemy 0 at alpha 127";
  EXPECT_NEAR(static_cast<int>(Pixel(475, 375) & 0xFF), 0x80 * 127 / 255, 1) << "a locked stage shows its placeholder";
  FrameAt(clicked + 401);
  EXPECT_TRUE(Select()->IsChangingPage());
  FrameAt(clicked + 402);
  EXPECT_FALSE(Select()->IsChangingPage());
  FrameAt(clicked + 418);
  EXPECT_EQ(Pixel(75, 375), 0x0000FFu) << "the enemy page drawn normally";
  EXPECT_EQ(Pixel(300, 100), 0u) << "the character page is gone";
  EXPECT_TRUE(nsVesk::g_CharaButtons[0]->IsDisabled()) << "character buttons are off on page 1";
}

TEST_F(SelectSceneTest, StagesOpenFromTheEnginesVariablesOnTheNextFrame) {
  StartSelect();
  EXPECT_FALSE(EnemyDisabled(1, 0)) << "the first stage is always open";
  EXPECT_TRUE(EnemyDisabled(1, 2)) << "no variable: locked";
  SetGlobal("Stage1_2", 0);
  Frame();
  EXPECT_TRUE(EnemyDisabled(1, 2)) << "0: locked";
  SetGlobal("Stage1_2", 1);
  EXPECT_TRUE(EnemyDisabled(1, 2));
  Frame();
  EXPECT_FALSE(EnemyDisabled(1, 2)) << "opened on the next frame";
  EXPECT_TRUE(EnemyDisabled(1, 1));

  Click(300, 100);
  FramesFromTo(m_Now, m_Now + 420);
  m_Now += 436;
  Frame();
  EXPECT_EQ(Pixel(475, 375), 0x0000FFu) << "the open image";
  EXPECT_EQ(Pixel(275, 375), 0x808080u) << "the placeholder";
  Click(275, 375);
  EXPECT_FALSE(Select()->IsLeaving()) << "a locked stage cannot be chosen";
}

TEST_F(SelectSceneTest, AStageWithoutRoundsStaysLocked) {
  StartSelect();
  SetGlobal("Stage0_1", 1);
  Frame();
  EXPECT_TRUE(EnemyDisabled(0, 1)) << "no round to play";
  EXPECT_FALSE(EnemyDisabled(0, 0));
}

TEST_F(SelectSceneTest, ChoosingAStageHandsItToTheBattleAndTheStory) {
  m_Sound->PlayBGM("Data/Title/title.ogg");
  StartSelect();
  SetGlobal("Stage1_2", 1);
  Click(300, 100);
  FramesFromTo(m_Now, m_Now + 420);
  m_Now += 436;
  const std::uint32_t chosen = Click(475, 375);
  EXPECT_EQ(nsVesk::g_SelectChara, 1);
  EXPECT_EQ(nsVesk::g_SelectEnemy, 2);
  EXPECT_TRUE(Select()->IsLeaving());
  FramesFromTo(chosen + 16, chosen + 192);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneSelect);
  FrameAt(chosen + 204);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneStory) << "the story replaces the select scene";
  EXPECT_EQ(StubAt(1)->GetStatus(), kSceneTitle);
  EXPECT_FALSE(m_Sound->bgmPlaying) << "the music stopped";
  auto& battle = nsVesk::nsGame::TheBattleContext();
  EXPECT_NE(dynamic_cast<nsVesk::nsGame::nsMine::nsEXPlayer::cPlayerKestrin*>(battle.GetPlayer()), nullptr);
  EXPECT_EQ(battle.GetRoundIni(), "c1s2r0.ini") << "the stage's first round";
  EXPECT_TRUE(nsVesk::g_CharaButtons.empty()) << "the select scene is gone with its tables";
  EXPECT_EQ(nsVesk::ADVIniOf(1, 2, 0), "c1s2a0.ini");
}

TEST_F(SelectSceneTest, CharactersTheBattleDoesNotKnowCannotBeChosen) {
  WriteData(3, "PageChangeEffectTime=400\n");
  StartSelect();
  ASSERT_EQ(nsVesk::g_CharaButtons.size(), 3u);
  EXPECT_TRUE(nsVesk::g_CharaButtons[2]->IsDisabled());
  EXPECT_FALSE(nsVesk::g_CharaButtons[0]->IsDisabled());
}

TEST_F(SelectSceneTest, BackFromTheEnemyPageReturnsToTheTitle) {
  StartSelect();
  Click(300, 100);
  FramesFromTo(m_Now, m_Now + 420);
  m_Now += 436;
  Hold(700, 520, true);
  Frame();
  EXPECT_TRUE(Select()->IsLeaving()) << "戻る acts on the press";
  Hold(700, 520, false);
  FramesFromTo(m_Now, m_Now + 176);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneSelect);
  FrameAt(m_Now + 192);
  EXPECT_EQ(TopStatus(), kSceneTitle);
  EXPECT_EQ(nsVesk::g_SelectChara, 1) << "kept until the next select scene";
}

TEST_F(SelectSceneTest, ZeroTimesChangePagesAndLeaveAtOnce) {
  vesk_test::WriteFile("Data/Common.ini", "[Common]\n");
  WriteData(2, "");
  vesk_test::WriteFile("Data/Common.ini", "[Common]\n");
  Start(nsVesk::nsCore::kSceneSelect, {}, kSceneTitle);
  FrameAt(0);
  ClickAt(16, 100, 100);
  EXPECT_EQ(Select()->GetPage(), 1);
  EXPECT_FALSE(Select()->IsChangingPage());
  ClickAt(48, 75, 375);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneStory);
  EXPECT_NE(dynamic_cast<nsVesk::nsGame::nsMine::nsEXPlayer::cPlayerAoria*>(
                nsVesk::nsGame::TheBattleContext().GetPlayer()),
            nullptr);
}

}  // namespace

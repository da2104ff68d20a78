#pragma once
// The story and reward scenes over the scene stack with the game's normal scene in
// the script player and a compiled test script:
//   @start: step 1, suspend (state 6)
//   @round: step 2, stay forever (accepts the system input)
//   @other: step 3, suspend
// The selection tables come from a select file with one character and one stage.

#include <string>

#include "engine/api/draw_records.h"
#include "engine/api/plugin_api.h"
#include "engine/api/task_manager.h"
#include "engine/core/novel_player.h"
#include "engine/plugin/plugin_registry.h"
#include "game/core/scene_ids.h"
#include "game/selection/selection_state.h"
#include "game/selection/selection_tables.h"
#include "game/story/adv_scene.h"
#include "game/story/vesk_normal_scene.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/game/support/scene_stack_fixture.h"

namespace vesk_test {

inline constexpr std::uint32_t kWindowColour = 0xFF40A060u;

// The data every story test plays on: the fades' times, the story buttons, and
// a select file with one character whose stage has two rounds and a reward.
class StoryDataFixture : public SceneStackFixture {
 protected:
  void WriteStoryData() {
    WriteSolidImage("Data/ADV/window.png", 750, 150, kWindowColour);
    WriteFile("Data/Common.ini", "[Common]\nTimeFadein=200\nTimeFadeout=200\n");
    WriteFile("Data/ADV/Common.ini",
              "[ButtonAuto]\n" + Rect(480, 395, 560, 420) + "[ButtonSkip]\n" + Rect(570, 395, 660, 420) +
                  "[ButtonCallOption]\n" + Rect(670, 395, 790, 420) + "[ButtonReturnTitle]\n" +
                  Rect(620, 5, 790, 30) + "[ButtonReturnTitleYes]\n" + Rect(260, 330, 340, 370) +
                  "[ButtonReturnTitleNo]\n" + Rect(440, 330, 560, 370));
    WriteFile("Data/Select/Select.ini",
              "[CG]\nCharaNum=1\n[CharaSelect0]\nEnemySelectIni=\"Data/Select/enemy.ini\"\n");
    WriteFile("Data/Select/enemy.ini",
              "[CG]\nEnemyNum=1\n[EnemySelect0]\nRoundNum=2\nADVIni0=\"Data/ADV/round0.ini\"\n"
              "ADVIni1=\"Data/ADV/round1.ini\"\nGohoubiIni=\"Data/ADV/reward.ini\"\n");
  }

  static std::string Rect(int l, int t, int r, int b) {
    return "ClickRect_Left=" + std::to_string(l) + "\nClickRect_Top=" + std::to_string(t) +
           "\nClickRect_Right=" + std::to_string(r) + "\nClickRect_Bottom=" + std::to_string(b) + "\n";
  }
  // A story file: section, the text window shown as window.png at (25,425), and a label.
  static std::string StoryFile(const std::string& section, const std::string& label) {
    return "[" + section + "]\nSetTextWindowShow=1\nSetTextWindow=1\n"
           "SetTextWindowFileName=\"Data/ADV/window.png\"\nSetTextWindowX=25\nSetTextWindowY=425\n"
           "SetTextWindowA=255\nSetTextWindowSrcRect_Left=0\nSetTextWindowSrcRect_Top=0\n"
           "SetTextWindowSrcRect_Right=750\nSetTextWindowSrcRect_Bottom=150\n" +
           (label.empty() ? std::string() : "StartLabel=\"" + label + "\"\n");
  }

  // Packs the data, builds the selection tables and chooses character 0, stage 0, round `round`.
  void Choose(std::int32_t round) {
    PackData();
    nsVesk::BuildSelectionTables();
    nsVesk::ClearSelectTables();
    nsVesk::g_SelectChara = 0;
    nsVesk::g_SelectEnemy = 0;
    nsVesk::g_Round = round;
  }
  // Puts `id` over a stubbed title, with the game's normal scene in the player.
  void StartScene(int id) {
    nsVesk::g_NovelPlayer->SetNormalScene(new nsVesk::nsADV::VeskNormalScene(nsVesk::g_NovelPlayer->Input()));
    platform::SetVirtualClock(kStart);
    nsVesk::g_SceneManager.SetSceneFactory(new StubbingSceneFactory({id}));
    nsVesk::g_SceneManager.CreateScene(nsVesk::nsCore::kSceneTitle);
    nsVesk::g_SceneManager.CreateScene(id);
    Hold(5, 5, false);
  }
  static nsVesk::nsADV::VeskNormalScene* Normal() {
    return dynamic_cast<nsVesk::nsADV::VeskNormalScene*>(
        nsVesk::g_NovelPlayer->GetScene(nsTamskLib::nsCore::kStateNormal));
  }

  // The story of round 1 starting at `label`, run for its first three frames.
  void StartRoundAt(const std::string& label) {
    WriteFile("Data/ADV/round1.ini", StoryFile("ADV", label));
    Choose(1);
    StartScene(nsVesk::nsCore::kSceneStory);
    FramesFromTo(0, 32);
    m_Now = 48;
  }
  void Frame() {
    FrameAt(m_Now);
    m_Now += 16;
  }
  // Press and release on (x, y).
  void Click(int x, int y) {
    ClickAt(m_Now, x, y);
    m_Now += 32;
  }
  // タイトルに戻る, はい, and the fade-out until the title is on top.
  void ReturnToTitle() {
    Click(700, 15);
    Click(300, 350);
    FramesFromTo(m_Now, m_Now + 240);
    m_Now += 256;
  }

  std::uint32_t m_Now = 0;
};

class StoryFixture : public StoryDataFixture {
 protected:
  void SetUp() override {
    SceneStackFixture::SetUp();
    RegisterTestCommands();
    // The flip the plug-in's pattern 3 would make: back to pattern 0.
    RegisterPUpdate(3, [](nsTamskLib::nsCore::INovelEngine* engine) {
      ++FlipCount();
      engine->GetTaskManager()->SetUpdateData(nsTamskLib::nsTaskManager::UpdateParam());
      return 0;
    });
    ScriptWriter script;
    WriteScript(script);
    ASSERT_TRUE(script.WriteScript("scenario.dat"));
    ASSERT_TRUE(nsVesk::g_NovelPlayer->LoadScript("scenario.dat", nsVesk::g_NovelPlayer->GetIOStream()));
    CommandLog().Clear();
    FlipCount() = 0;
    WriteStoryData();
  }
  void TearDown() override {
    nsTamskLib::nsCore::NovelPlayer::ClearCommandHeap(nsVesk::g_NovelPlayer);
    SceneStackFixture::TearDown();
    nsTamskLib::nsPlugin::ClearRegistries();
  }

  // The script of every story test; a test of its own may play another.
  virtual void WriteScript(ScriptWriter& script) {
    script.Label("@start").Step(1).State(6).Label("@round").Step(2).Stay(-1).Label("@other").Step(3).State(6);
  }

  static std::vector<std::string> Executed() { return CommandLog().executed; }
  static int& FlipCount() {
    static int count = 0;
    return count;
  }
};

}  // namespace vesk_test

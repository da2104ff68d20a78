// The story scene and the game's normal scene under the virtual clock: the round's
// story file applied on entry, the battle after the script suspends itself, the
// on-screen buttons, the return-to-title confirmation, the option round trip with
// its fade-in, and Control as a held skip.
#include "game/core/scene_ids.h"
#include "game/story/adv_scene.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "engine/api/command.h"
#include "engine/api/draw_manager.h"
#include "engine/api/io_stream.h"
#include "engine/api/novel_engine.h"
#include "engine/api/plugin_api.h"
#include "engine/api/text_manager.h"
#include "game/core/program_objects.h"
#include "tests/engine/fakes/script_writer.h"
#include "tests/game/story/story_fixture.h"

namespace {

using nsVesk::nsADV::cADVScene;

using nsVesk::nsCore::kSceneOption;
using nsVesk::nsCore::kSceneTitle;

class StorySceneTest : public vesk_test::StoryFixture {
 protected:
  // The story of round 1 (label @round: the script stays, accepting input).
  void StartRound() { StartRoundAt("@round"); }
  std::size_t Stays() const {
    std::size_t n = 0;
    for (const auto& line : Executed()) n += line.rfind("stay", 0) == 0 ? 1 : 0;
    return n;
  }
  nsTamskLib::nsTextManager::ITextManager& Texts() { return *nsVesk::g_NovelPlayer->GetTextManager(); }
};

TEST_F(StorySceneTest, WithoutALabelTheStoryStartsAtStartAndSuspendingLeadsToTheBattle) {
  vesk_test::WriteFile("Data/ADV/round0.ini", "[Other]\nStartLabel=\"@other\"\n");
  Choose(0);
  nsVesk::g_NovelPlayer->GetDrawManager()->SetTextWindowVisible(true);
  StartScene(nsVesk::nsCore::kSceneStory);
  EXPECT_EQ(Top<cADVScene>()->GetIniPath(), "Data/ADV/round0.ini");
  EXPECT_TRUE(nsVesk::g_NovelPlayer->GetDrawManager()->IsTextWindowVisible()) << "no [ADV]: the window as it was";
  FrameAt(0);
  EXPECT_EQ(Executed(), std::vector<std::string>{"step 1"});
  FrameAt(16);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneBattle) << "suspend gives the battle";
  EXPECT_EQ(StubAt(1)->GetStatus(), kSceneTitle);
}

TEST_F(StorySceneTest, TheRoundsFileSetsTheTextWindowAndTheLabel) {
  StartRound();
  EXPECT_EQ(Executed().front(), "step 2");
  EXPECT_TRUE(nsVesk::g_NovelPlayer->GetDrawManager()->IsTextWindowVisible());
  EXPECT_EQ(Pixel(400, 500), vesk_test::kWindowColour & 0xFFFFFFu) << "the window image at (25, 425)";
  EXPECT_EQ(Pixel(20, 500), 0u);
  EXPECT_EQ(Pixel(482, 405), 0x808080u) << "オート drawn on the window";
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneStory);
}

TEST_F(StorySceneTest, TheAutoAndSkipButtonsToggleTheirModes) {
  StartRound();
  Click(500, 405);
  EXPECT_TRUE(Texts().IsAuto());
  Click(600, 405);
  EXPECT_TRUE(Texts().IsSkip());
  Click(500, 405);
  EXPECT_FALSE(Texts().IsAuto());
}

TEST_F(StorySceneTest, APressOnAButtonDoesNotReachTheScript) {
  StartRound();
  auto* playerInput = nsVesk::g_NovelPlayer->GetInputManager();
  Hold(400, 200, true);
  Frame();
  EXPECT_TRUE(playerInput->IsLeftPushed()) << "a press elsewhere is the script's";
  Hold(400, 200, false);
  Frame();
  Hold(500, 405, true);
  Frame();
  EXPECT_FALSE(playerInput->IsLeftPushed()) << "the press on オート is cleared for the script";
  Hold(500, 405, false);
  Frame();
  EXPECT_TRUE(Texts().IsAuto());
}

TEST_F(StorySceneTest, TheConfirmationHoldsTheScriptAndNoClosesIt) {
  StartRound();
  Click(700, 15);
  ASSERT_TRUE(Normal()->IsConfirmOpen());
  const std::size_t stays = Stays();
  Frame();
  Click(400, 200);
  EXPECT_EQ(Stays(), stays) << "no command runs while the question is open";
  EXPECT_EQ(Pixel(400, 100) , 0u);
  Click(500, 350);
  EXPECT_FALSE(Normal()->IsConfirmOpen());
  Frame();
  EXPECT_GT(Stays(), stays);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneStory);
}

TEST_F(StorySceneTest, YesFadesOutPopsToTheTitleAndCleansTheStage) {
  StartRound();
  Click(700, 15);
  Click(300, 350);
  EXPECT_TRUE(Normal()->IsReturnFading());
  FramesFromTo(m_Now, m_Now + 176);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneStory);
  FramesFromTo(m_Now + 192, m_Now + 240);
  EXPECT_EQ(TopStatus(), kSceneTitle);
  EXPECT_FALSE(nsVesk::g_NovelPlayer->GetDrawManager()->IsTextWindowVisible());
  EXPECT_FALSE(Normal()->IsConfirmOpen());
  EXPECT_EQ(FlipCount(), 1) << "the stage was flipped once, emptied";
}

TEST_F(StorySceneTest, TheOptionRoundTripFadesBackInBeforeTheScriptGoesOn) {
  StartRound();
  Click(700, 405);
  EXPECT_TRUE(Normal()->IsOptionRequested());
  FramesFromTo(m_Now, m_Now + 240);
  m_Now += 256;
  ASSERT_EQ(TopStatus(), kSceneOption) << "the option scene over the story";
  EXPECT_NE(dynamic_cast<cADVScene*>(nsVesk::g_SceneManager.GetScene(1)), nullptr) << "pushed, not replaced";
  PopStubAt(m_Now);
  m_Now += 16;
  const std::size_t stays = Stays();
  Frame();
  EXPECT_TRUE(nsVesk::nsADV::g_OptionFadeRunning);
  FramesFromTo(m_Now, m_Now + 160);
  m_Now += 176;
  EXPECT_EQ(Stays(), stays) << "the script waits for the fade-in";
  FramesFromTo(m_Now, m_Now + 64);
  EXPECT_FALSE(nsVesk::nsADV::g_OptionFadeRunning);
  EXPECT_GT(Stays(), stays);
}

// A command that notes the reading modes each frame it runs, and stays.
class ModeProbe final : public nsTamskLib::ICmd_Base {
 public:
  static constexpr unsigned kType = 9100;
  // Skip and read skip as each run saw them.
  static std::vector<std::pair<bool, bool>>& Seen() {
    static std::vector<std::pair<bool, bool>> seen;
    return seen;
  }
  static nsTamskLib::ICmd_Base* Create() { return new ModeProbe; }

  void Reset() override {}
  void Destroy() override { delete this; }
  int Execute() override {
    nsTamskLib::nsTextManager::ITextManager& texts = *m_Engine->GetTextManager();
    Seen().emplace_back(texts.IsSkip(), texts.IsKidokuSkip());
    return 0;
  }
  void SetEngine(nsTamskLib::nsCore::INovelEngine* engine) override { m_Engine = engine; }
  void Setup(const nsTamskLib::CommandParam& /*param*/) override {}
  std::uint32_t GetID() override { return kType; }
  void Dump(nsTamskLib::nsTextStream::ITextStream* /*out*/) override {}
  void Save(nsTamskLib::nsIOStream::IIOStream* /*stream*/) override {}
  // The test commands' body: a number, a string and an expression.
  void Load(nsTamskLib::nsIOStream::IIOStream* stream) override {
    std::int32_t number = 0;
    stream->LoadNum(&number);
    std::vector<char> text(nsTamskLib::nsIOStream::kStringBufferSize, '\0');
    stream->LoadChar(text.data());
    nsTamskLib::Expression expr;
    stream->LoadExpression(expr);
  }

 private:
  ~ModeProbe() override = default;
  nsTamskLib::nsCore::INovelEngine* m_Engine = nullptr;
};

// The round's story is a mode probe.
class HeldControlTest : public StorySceneTest {
 protected:
  void WriteScript(vesk_test::ScriptWriter& script) override {
    RegisterPFactory(ModeProbe::kType, &ModeProbe::Create);
    script.Label("@start").Step(1).Label("@round").Command(ModeProbe::kType, {});
  }
};

TEST_F(HeldControlTest, ControlHeldSkipsOnlyWhileHeld) {
  StartRound();
  ModeProbe::Seen().clear();
  m_Mouse.Press(nsVesk::nsADV::VeskNormalScene::kLeftControl);
  Frame();
  EXPECT_NE(nsVesk::g_Input.GetKey(nsVesk::nsADV::VeskNormalScene::kLeftControl), 0) << "seen by the frame";
  EXPECT_EQ(ModeProbe::Seen(), (std::vector<std::pair<bool, bool>>{{true, true}}))
      << "the command runs as in skip and read skip";
  EXPECT_FALSE(Texts().IsSkip()) << "the setting is restored after the frame";
  EXPECT_FALSE(Texts().IsKidokuSkip());
  m_Mouse.Release(nsVesk::nsADV::VeskNormalScene::kLeftControl);
  Texts().SetSkip(true);
  Frame();
  EXPECT_EQ(ModeProbe::Seen().back(), (std::pair<bool, bool>{true, false})) << "released: the player's own modes";
  EXPECT_TRUE(Texts().IsSkip());
}

}  // namespace

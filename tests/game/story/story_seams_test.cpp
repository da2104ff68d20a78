// Crossing from one story section to another on the real plug-in: a script
// compiled by the script compiler host, played by the story scene and the game's
// normal scene. A section started again after the return to the title, skip mode
// ending at unread text, a choice left open at the return, and the picture
// between a fade-out and the fade-in after it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/api/text_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "game/core/scene_ids.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/game/story/story_fixture.h"
#include "tests/tools/kit/compiled_script_fixture.h"
#include "tools/script_compiler/script_compiler.h"

namespace {

using nsVesk::nsADV::cADVScene;

using nsVesk::nsCore::kSceneTitle;

class StorySeamsTest : public vesk_test::StoryDataFixture {
 protected:
  void SetUp() override {
    StoryDataFixture::SetUp();
    WriteStoryData();
    vesk_test::WriteSolidImage("Data/ADV/white.png", 800, 600, 0xFFFFFFFFu);
    vesk_test::WriteSolidImage("Data/ADV/red.png", 800, 600, 0xFFFF0000u);
  }
  void TearDown() override {
    nsTamskLib::nsCore::NovelPlayer::ClearCommandHeap(nsVesk::g_NovelPlayer);
    m_Compiler.reset();
    StoryDataFixture::TearDown();
  }

  // Compiles the script with the plug-in's parsers and loads it into the game's player.
  void Load(const std::string& source) {
    m_Compiler = std::make_unique<nsScriptCompiler::ScriptCompiler>();
    ASSERT_TRUE(m_Compiler->Compile(source)) << m_Compiler->Errors();
    ASSERT_TRUE(m_Compiler->Write("scenario.dat"));
    ASSERT_TRUE(nsVesk::g_NovelPlayer->LoadScript("scenario.dat", nsVesk::g_NovelPlayer->GetIOStream()));
  }
  // The story scene pushed over the title again, as a new stage's story starts.
  void StartStoryAgain() {
    ASSERT_EQ(TopStatus(), kSceneTitle);
    nsVesk::g_SceneManager.CreateScene(nsVesk::nsCore::kSceneStory);
    Frame();
  }

  static const nsTamskLib::nsDrawManager::DrawSettings& Settings() {
    return nsVesk::g_NovelPlayer->Draw().Settings();
  }
  static nsTamskLib::nsTextManager::ITextManager& Texts() { return *nsVesk::g_NovelPlayer->GetTextManager(); }
  // Glyphs of a laid-out text (heads, spacing and markers left out).
  static std::size_t Glyphs(const nsTamskLib::TextTokenSection& section) {
    std::size_t glyphs = 0;
    for (std::uint32_t line = 0; line < section.size(); ++line) {
      for (std::uint32_t i = 0; i < section.at(line).size(); ++i) {
        const nsTamskLib::mystr& text = section.at(line).at(i).Text;
        glyphs += text != "" && text != "\n" && text != "ClickWait" && text != "TagCmd" ? 1 : 0;
      }
    }
    return glyphs;
  }
  // The brightest colour byte of the last presented frame.
  std::uint32_t Brightest() const {
    std::uint32_t brightest = 0;
    for (const std::uint32_t pixel : m_Back.LastFrame()) {
      brightest = std::max({brightest, pixel & 0xFFu, (pixel >> 8) & 0xFFu, (pixel >> 16) & 0xFFu});
    }
    return brightest;
  }

  vesk_test::FatalTrap m_Trap;
  vesk_test::LoadedWendrick m_Plugin;
  std::unique_ptr<nsScriptCompiler::ScriptCompiler> m_Compiler;
};

TEST_F(StorySeamsTest, ASectionStartedAgainAfterTheTitleShowsItsTalkerAndRevealsFromTheStart) {
  Load("@start:\n  suspend;\n@round:\n  textspeed 50;\n  text \"アン\", \"こんにちは、みなさん\";\n  suspend;\n");
  StartRoundAt("@round");
  FramesFromTo(m_Now, m_Now + 320);
  m_Now += 336;
  ASSERT_GE(Glyphs(Settings().MessageText), 3u) << "the message is half shown";
  ReturnToTitle();
  StartStoryAgain();
  Frame();  // textspeed, then the text
  EXPECT_EQ(Glyphs(Settings().TalkerText), 2u) << "the talker is shown again";
  EXPECT_EQ(Glyphs(Settings().MessageText), 0u) << "the message starts again from its first glyph";
}

TEST_F(StorySeamsTest, SkipEndsAtUnreadTextAndTheNextSoundIsHeard) {
  Load("@start:\n  suspend;\n@round:\n  textspeed 0;\n  text \"\", \"まだ読んでいない\";\n"
       "  playse \"Data/ADV/se.wav\";\n  text \"\", \"次\";\n");
  // Automatic advance moves on without a click (a click would end skip mode itself).
  Texts().SetAuto(true);
  Texts().SetAutoWait(100);
  Texts().SetSkip(true);
  StartRoundAt("@round");
  EXPECT_FALSE(Texts().IsSkip()) << "unread text ends skip mode";
  FramesFromTo(m_Now, m_Now + 160);
  EXPECT_FALSE(Played().empty()) << "the sound after the message is played, not skipped";
}

TEST_F(StorySeamsTest, AChoiceLeftOpenIsGoneAfterTheReturnToTheTitle) {
  Load("@start:\n  suspend;\n@round:\n  local r = 0;\n  select \"はい\", \"いいえ\", r;\n  suspend;\n"
       "@other:\n  text \"\", \"次の話\";\n");
  vesk_test::WriteFile("Data/ADV/round0.ini", StoryFile("ADV", "@other"));
  StartRoundAt("@round");
  ASSERT_NE(Settings().SelectState, nsTamskLib::nsDrawManager::kSelectClosed);
  ReturnToTitle();
  EXPECT_EQ(Settings().SelectState, nsTamskLib::nsDrawManager::kSelectClosed);
  nsVesk::g_Round = 0;
  StartStoryAgain();
  EXPECT_EQ(Settings().SelectState, nsTamskLib::nsDrawManager::kSelectClosed) << "not drawn in the next story";
}

TEST_F(StorySeamsTest, NoFrameBetweenAFadeOutAndTheFadeInShowsThePicture) {
  Load("@start:\n  suspend;\n@round:\n"
       "  bg \"Data/ADV/white.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n  update 1, 0;\n  textoff;\n"
       "  fadeout 100, 0, 0, 0;\n  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n"
       "  fadein 100, 0, 0, 0, 1;\n  text \"\", \"\";\n");
  StartRoundAt("@round");
  nsTamskLib::nsTaskManager::TaskManager& tasks = nsVesk::g_NovelPlayer->Tasks();
  bool fading = false;
  int between = 0;
  ASSERT_EQ(Pixel(400, 300), 0xFFFFFFu) << "the picture before the fade";
  for (int frame = 0; frame < 60 && tasks.GetEffectType() != 5; ++frame) {
    Frame();
    if (tasks.GetEffectType() == 6) fading = true;
    if (!fading || tasks.GetEffectType() == 6) continue;
    // From the fade-out's last frame to the fade-in's first.
    EXPECT_EQ(Brightest(), 0u) << "frame " << between << " after the fade-out";
    ++between;
  }
  EXPECT_GE(between, 3) << "the fade-out's end, the new background and the fade-in's start";
  FramesFromTo(m_Now, m_Now + 160);
  EXPECT_EQ(Pixel(400, 300), 0xFF0000u) << "the new picture after the fade-in";
}

}  // namespace

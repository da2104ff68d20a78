// Crossing from one story section to another on the real plug-in: a script
// compiled by the script compiler host, played by the story scene and the game's
// normal scene. A section started again after the return to the title, skip mode
// ending at unread text, a choice left open at the return, and the picture
// between a fade-out and the fade-in after it, or the next section.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/api/text_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "game/core/scene_ids.h"
#include "game/story/story_section.h"
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

// A fade-out to black over a white picture, a red one written behind it, `between`
// then `last`, the command that ends the held colour, and a message. The frame in
// which `last` starts shows the red picture if `revealed` (a fade-in starts covered).
TEST_F(StorySeamsTest, AFadeColourHeldAtASectionsEndDoesNotCoverTheNextSection) {
  Load("@start:\n  suspend;\n@round:\n  fadeout 100, 0, 0, 0;\n  update 3, 0;\n  wait 5000;\n"
       "@other:\n  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n  update 1, 0;\n  wait 5000;\n");
  vesk_test::WriteFile("Data/ADV/round0.ini", StoryFile("ADV", "@other"));
  StartRoundAt("@round");
  FramesFromTo(m_Now, m_Now + 240);
  m_Now += 256;
  ASSERT_EQ(Brightest(), 0u) << "the fade-out's colour is held";
  nsVesk::nsADV::StartStorySection("Data/ADV/round0.ini", "ADV");
  FramesFromTo(m_Now, m_Now + 48);
  EXPECT_EQ(Pixel(10, 300), 0xFF0000u) << "the next section's own picture";
}

struct HeldFade { const char* name; const char* between; const char* last; bool revealed; };
class HeldFadeTest : public StorySeamsTest, public testing::WithParamInterface<HeldFade> {};

TEST_P(HeldFadeTest, EveryFrameFromTheFadeOutsEndToTheCommandThatEndsItIsTheFadeColour) {
  Load(std::string("@start:\n  suspend;\n@round:\n  local r = 0;\n  bg \"Data/ADV/white.png\", 0, 0, 255, "
                   "0, 0, 0, 800, 600;\n  update 1, 0;\n  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, "
                   "600;\n") + GetParam().between + GetParam().last + "\n  text \"\", \"\";\n");
  StartRoundAt("@round");
  ASSERT_EQ(Pixel(400, 300), 0xFFFFFFu) << "the picture before the fade";
  nsTamskLib::nsSimulatedHeap::CommandHeap& commands = nsVesk::g_NovelPlayer->Commands();
  const auto last = static_cast<std::int32_t>(commands.GetCommandList().size()) - 2;
  int held = 0;  // frames from the fade-out's first fully covered one
  while (commands.GetIterator() != last && m_Now < 1500) {
    Frame();
    if (held == 0 && Brightest() != 0) continue;
    EXPECT_EQ(Brightest(), 0u) << "frame " << held << " after the fade-out";
    ++held;
  }
  Frame();  // `last` starts
  EXPECT_EQ(Brightest() != 0, GetParam().revealed) << "the frame in which the hold ends";
  EXPECT_GE(held, 2) << "the fade-out's last frame and the one after it at least";
  FramesFromTo(m_Now, m_Now + 160);
  EXPECT_EQ(Pixel(10, 300), 0xFF0000u) << "the new picture in the end";
}

constexpr const char* kFadeOutFlip = "  fadeout 100, 0, 0, 0;\n  update 3, 0;\n";

INSTANTIATE_TEST_SUITE_P(
    StorySeams, HeldFadeTest,
    testing::Values(
        HeldFade{"FadeOutThenFadeIn", "  fadeout 100, 0, 0, 0;\n", "  fadein 100, 0, 0, 0, 1;", false},
        HeldFade{"UnconditionalFades", "  fadeoutu 100, 0, 0, 0;\n", "  fadeinu 100, 0, 0, 0;", false},
        HeldFade{"FadeOutsOwnFlip", "  fadeout 100, 0, 0, 0, 1;\n  wait 50;\n", "  fadein 100, 0, 0, 0;", false},
        HeldFade{"TimedFlipBetween", "  fadeout 100, 0, 0, 0;\n  update 1, 100;\n", "  fadein 100, 0, 0, 0;", false},
        HeldFade{"NextEffect", kFadeOutFlip, "  quakex 100, 4;", true},
        HeldFade{"SkippedEffect", "  fadeout 100, 0, 0, 0;\n  update 3, 0;\n  skipon;\n", "  quakex 100, 4;", true},
        HeldFade{"Text", kFadeOutFlip, "  text \"\", \"あ\";", true},
        HeldFade{"ClickWait", kFadeOutFlip, "  wait 0;", true},
        HeldFade{"Choice", kFadeOutFlip, "  select \"はい\", \"いいえ\", r;", true}),
    [](const testing::TestParamInfo<HeldFade>& param) { return std::string(param.param.name); });

}  // namespace

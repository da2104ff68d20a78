// Crossing from one story section to another on the real plug-in: a script
// compiled by the script compiler host, played by the story scene and the game's
// normal scene. A section started again after the return to the title, skip mode
// ending at unread text, a choice left open at the return, and what the screen
// shows after a fade-out: its colour over the commands that prepare the next
// picture, the page again in the first frame that shows it.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/api/text_manager.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "game/core/scene_ids.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/game/story/story_fixture.h"
#include "tests/tools/kit/compiled_script_fixture.h"
#include "tools/script_compiler/script_compiler.h"

namespace {

using nsVesk::nsADV::cADVScene;

using nsVesk::nsCore::kSceneBattle;
using nsVesk::nsCore::kSceneStory;
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

  // What the last frame shows at the centre: W white, R red, K black, g a grey
  // (white under part of the colour), r any other red (red under part of the
  // colour, or white and red blending).
  char Shown() const {
    const std::uint32_t pixel = Pixel(400, 300);
    if (pixel == 0xFFFFFFu) return 'W';
    if (pixel == 0xFF0000u) return 'R';
    if (pixel == 0) return 'K';
    return (pixel >> 16) == (pixel & 0xFFu) ? 'g' : 'r';
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

// A section that ends on the held colour (only instant commands after its
// fade-out); the next round's story starts on its own picture.
TEST_F(StorySeamsTest, AFadeColourHeldAtASectionsEndDoesNotCoverTheNextSection) {
  Load("@start:\n  suspend;\n@round:\n  fadeout 100, 0, 0, 0;\n  update 3, 0;\n  suspend;\n"
       "@other:\n  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n  update 1, 0;\n  wait 5000;\n");
  vesk_test::WriteFile("Data/ADV/round0.ini", StoryFile("ADV", "@other"));
  StartRoundAt("@round");
  FramesFromTo(m_Now, m_Now + 240);
  m_Now += 256;
  ASSERT_EQ(TopStatus(), kSceneBattle) << "the section has ended";
  ASSERT_NE(nsVesk::g_NovelPlayer->Tasks().GetEffectType(), 0u) << "on the fade-out's colour, held";
  nsVesk::g_Round = 0;
  nsVesk::g_SceneManager.ChangeScene(kSceneStory);
  FramesFromTo(m_Now, m_Now + 64);
  EXPECT_EQ(Pixel(10, 300), 0xFF0000u) << "the next section's own picture";
}

// The frames after three fade-outs, 50 ms apart: a wait shows the picture from
// before the fade-out, a timed transition its crossfade and then the new picture,
// fadeoutu's flip the picture prepared behind it. The colour stays only over the
// fade's own last frame and the frames of the instant commands after it.
TEST_F(StorySeamsTest, AfterAFadeOutAWaitOrATimedTransitionShowsThePage) {
  Load("@start:\n  suspend;\n@round:\n  bg \"Data/ADV/white.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n"
       "  update 1, 0;\n  fadeout 300, 0, 0, 0;\n  wait 500;\n  fadeout 300, 0, 0, 0;\n"
       "  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n  update 1, 3000;\n  wait 3000;\n"
       "  bg \"Data/ADV/white.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n  fadeoutu 300, 0, 0, 0;\n"
       "  wait 2000;\n  text \"\", \"\";\n");
  StartRoundAt("@round");
  nsTamskLib::nsSimulatedHeap::CommandHeap& commands = nsVesk::g_NovelPlayer->Commands();
  const auto text = static_cast<std::int32_t>(commands.GetCommandList().size()) - 1;
  std::string shown;  // runs of what the frames show
  std::vector<int> lengths;
  while (commands.GetIterator() != text && m_Now < 12000) {
    FrameAt(m_Now);
    m_Now += 50;
    if (shown.empty() || shown.back() != Shown()) {
      shown += Shown();
      lengths.push_back(0);
    }
    ++lengths.back();
  }
  ASSERT_EQ(shown, "WgKWgKWrRrKW") << testing::PrintToString(lengths);
  EXPECT_EQ(lengths[2], 2) << "the fade's last frame, and the one in which its command ends";
  EXPECT_GE(lengths[3], 500 / 50) << "the page from before the fade-out, all through the wait";
  EXPECT_EQ(lengths[5], 3) << "the fade's last frame, the one in which its command ends, and bg's";
  EXPECT_GE(lengths[7], 3000 / 50 - 2) << "the crossfade";
  EXPECT_GE(lengths[8], 3000 / 50) << "the new picture, all through the wait";
  EXPECT_EQ(lengths[10], 2) << "fadeoutu's last frame, and its flip";
  EXPECT_GE(lengths[11], 2000 / 50) << "the prepared page, all through the wait";
}

// A fade-out to black over a white picture, a red one written behind it, `between`
// then `last`, and a message. Every frame from the fade-out's end until `last`
// starts is the colour; the frame in which `last` starts shows the page if
// `revealed` (a fade-in starts covered).
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
  for (int frame = 1; frame < 8 && GetParam().revealed && commands.GetIterator() == last; ++frame) {
    Frame();
    EXPECT_NE(Brightest(), 0u) << "frame " << frame << " of `last`: the page";
  }
  FramesFromTo(m_Now, m_Now + 160);
  EXPECT_EQ(Pixel(10, 300), 0xFF0000u) << "the new picture in the end";
}

constexpr const char* kFadeOutFlip = "  fadeout 100, 0, 0, 0;\n  update 3, 0;\n";

INSTANTIATE_TEST_SUITE_P(
    StorySeams, HeldFadeTest,
    testing::Values(
        // Held over page flips and the other commands that end in the frame they start.
        HeldFade{"FadeOutThenFadeIn", "  fadeout 100, 0, 0, 0;\n", "  fadein 100, 0, 0, 0, 1;", false},
        HeldFade{"UnconditionalFades", "  fadeoutu 100, 0, 0, 0;\n", "  fadeinu 100, 0, 0, 0;", false},
        HeldFade{"FadeOutsOwnFlipThenFadeIn", "  fadeout 100, 0, 0, 0, 1;\n", "  fadein 100, 0, 0, 0;", false},
        HeldFade{"FlipsOfNoTimeBetween",
                 "  fadeout 100, 0, 0, 0;\n  bg \"Data/ADV/red.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n"
                 "  update 1, 0;\n  update2 17, 0, 8;\n  sleep 1;\n",
                 "  fadein 100, 0, 0, 0;", false},
        HeldFade{"FlipGivenATimeBetween", "  fadeout 100, 0, 0, 0;\n  update 3, 500;\n", "  fadein 100, 0, 0, 0;",
                 false},
        HeldFade{"SkippedTransitionsAndWaitBetween",
                 "  fadeout 100, 0, 0, 0;\n  skipon;\n  update 1, 500;\n  update2 17, 500, 8;\n  wait 500;\n"
                 "  skipoff;\n",
                 "  fadein 100, 0, 0, 0;", false},
        // Ended by the first frame that shows the page.
        HeldFade{"FadeOutsOwnFlip", "  fadeout 100, 0, 0, 0, 1;\n", "  wait 50;", true},
        HeldFade{"TimedFlipBetween", "  fadeout 100, 0, 0, 0;\n", "  update 1, 100;", true},
        HeldFade{"TimedShutter", kFadeOutFlip, "  update2 17, 100, 8;", true},
        HeldFade{"SleepNotYetOver", kFadeOutFlip, "  sleep r;", true},
        HeldFade{"NextEffect", kFadeOutFlip, "  quakex 100, 4;", true},
        HeldFade{"SkippedEffect", "  fadeout 100, 0, 0, 0;\n  update 3, 0;\n  skipon;\n", "  quakex 100, 4;", true},
        HeldFade{"Text", kFadeOutFlip, "  text \"\", \"あ\";", true},
        HeldFade{"ClickWait", kFadeOutFlip, "  wait 0;", true},
        HeldFade{"Choice", kFadeOutFlip, "  select \"はい\", \"いいえ\", r;", true}),
    [](const testing::TestParamInfo<HeldFade>& param) { return std::string(param.param.name); });

}  // namespace

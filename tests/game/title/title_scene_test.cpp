// The title scene on the scene stack under the virtual clock: the intro's texts and
// overlay, input ignored while a fade runs, the click's fade-out and wait, each
// button's action, the disabled ＣＧ鑑賞, and the title music.
#include "game/core/scene_ids.h"
#include "game/title/title_scene.h"

#include <gtest/gtest.h>

#include <string>

#include "game/title/effecter_title.h"
#include "platform/window/window.h"
#include "tests/game/support/scene_stack_fixture.h"

namespace {

using nsVesk::nsTitle::cEffecterTitle;
using nsVesk::nsTitle::cTitleScene;

constexpr std::uint32_t kBackColour = 0xFF2080C0u;
constexpr int kStartX = 560, kStartY = 320;
constexpr int kCGX = 560, kCGY = 370;
constexpr int kOptionX = 560, kOptionY = 420;
constexpr int kEndX = 560, kEndY = 470;

TEST(TitleIntro, TextsSlideInAndTheOverlayThins) {
  const std::uint32_t at500 = cEffecterTitle::Distance(500, 1000);
  EXPECT_EQ(at500, 200u);
  EXPECT_EQ(cEffecterTitle::LineX(0, at500), 600);
  EXPECT_EQ(cEffecterTitle::LineX(1, at500), 650);
  EXPECT_EQ(cEffecterTitle::LineX(2, at500), 700);
  EXPECT_EQ(cEffecterTitle::LineX(3, at500), 750);
  const std::uint32_t at750 = cEffecterTitle::Distance(750, 1000);
  EXPECT_EQ(cEffecterTitle::LineX(0, at750), 550);
  EXPECT_EQ(cEffecterTitle::LineX(1, at750), 550);
  EXPECT_EQ(cEffecterTitle::LineX(2, at750), 600);
  EXPECT_EQ(cEffecterTitle::LineX(3, at750), 650);
  EXPECT_EQ(cEffecterTitle::LineX(0, 250), 550) << "a line moves until it is past its arrival";
  EXPECT_EQ(cEffecterTitle::OverlayAlpha(500, 1000), 128);
  EXPECT_EQ(cEffecterTitle::OverlayAlpha(1003, 1000), 0);
  EXPECT_LT(cEffecterTitle::OverlayAlpha(1004, 1000), 0);
  EXPECT_EQ(cEffecterTitle::Distance(20000000, 30000000), 123u) << "the product wraps in 32 bits";
  for (std::size_t line = 0; line < 4; ++line) {
    EXPECT_EQ(cEffecterTitle::LineX(line, cEffecterTitle::Distance(0, 0)), 550) << "no time: the end at once";
  }
  EXPECT_LT(cEffecterTitle::OverlayAlpha(0, 0), 0);
}

class TitleSceneTest : public vesk_test::SceneStackFixture {
 protected:
  void SetUp() override {
    SceneStackFixture::SetUp();
    WriteData("TimeFadein=1000\nTimeFadeout=1000\n", "WaitTime=0\n");
  }

  void WriteData(const std::string& common, const std::string& title) {
    WriteImage("Data/Title/back.png", 800, 600, kBackColour);
    vesk_test::WriteFile("Data/Common.ini", "[Common]\n" + common);
    vesk_test::WriteFile(
        "Data/Title/Title.ini",
        "[Title]\nBackFileName=\"Data/Title/back.png\"\nBackSrcRect_Left=0\nBackSrcRect_Top=0\n"
        "BackSrcRect_Right=800\nBackSrcRect_Bottom=600\nBGMFileName=\"Data/Title/title.ogg\"\n"
        "SEOnCursor=\"Data/Sound/cursor.wav\"\nSEONClicked=\"Data/Sound/click.wav\"\n" + title +
            "[Start]\nClickRect_Left=550\nClickRect_Top=300\nClickRect_Right=650\nClickRect_Bottom=340\n"
            "[CG]\nClickRect_Left=550\nClickRect_Top=350\nClickRect_Right=710\nClickRect_Bottom=390\n"
            "[Option]\nClickRect_Left=550\nClickRect_Top=400\nClickRect_Right=750\nClickRect_Bottom=440\n"
            "[End]\nClickRect_Left=550\nClickRect_Top=450\nClickRect_Right=650\nClickRect_Bottom=490\n");
  }

  void StartTitle() { Start(nsVesk::nsCore::kSceneTitle, {}); }
  static cTitleScene* Title() { return Top<cTitleScene>(); }
  // Runs the intro of a title started at `from` to its end (1004 ms).
  void RunIntro(std::uint32_t from = 0) { FramesFromTo(from, from + 1008, 16); }
};

TEST_F(TitleSceneTest, TheIntroSlidesTheTextsInUnderAThinningOverlay) {
  StartTitle();
  FrameAt(0);
  ASSERT_TRUE(Title()->IsIntroRunning());
  EXPECT_EQ(Pixel(100, 100), 0u) << "opaque black at the start";
  FrameAt(500);
  const std::uint32_t halfBack = Pixel(100, 100);
  EXPECT_NEAR(static_cast<int>(halfBack & 0xFF), 0xC0 * 127 / 255, 2) << "the back image under alpha 128";
  EXPECT_NE(Pixel(602, 320), halfBack) << "開始 starts at x 600";
  EXPECT_EQ(Pixel(598, 320), halfBack);
  EXPECT_NE(Pixel(652, 370), halfBack) << "ＣＧ鑑賞 at 650";
  EXPECT_EQ(Pixel(648, 370), halfBack);
  EXPECT_NE(Pixel(752, 470), halfBack) << "終了 at 750";
  EXPECT_EQ(Pixel(748, 470), halfBack);
  FrameAt(750);
  EXPECT_NE(Pixel(552, 320), Pixel(100, 100)) << "開始 has arrived at 550";
  EXPECT_EQ(Pixel(598, 420), Pixel(100, 100)) << "オプション at 600";
  FrameAt(1003);
  EXPECT_TRUE(Title()->IsIntroRunning());
  FrameAt(1004);
  EXPECT_FALSE(Title()->IsIntroRunning());
  EXPECT_EQ(Pixel(100, 100), kBackColour & 0xFFFFFFu) << "the last intro frame is clear";
  FrameAt(1020);
  EXPECT_EQ(Pixel(100, 100), kBackColour & 0xFFFFFFu) << "the scene draws the back image itself";
  EXPECT_EQ(Pixel(552, 320), 0x808080u) << "開始 in the normal colour";
  EXPECT_EQ(Pixel(552, 370), 0x404040u) << "ＣＧ鑑賞 disabled";
}

TEST_F(TitleSceneTest, AClickDuringTheIntroIsIgnoredAndNotRemembered) {
  StartTitle();
  FramesFromTo(0, 480);
  ClickAt(500, kStartX, kStartY);
  FramesFromTo(532, 1600);
  EXPECT_FALSE(Title()->IsClicked(cTitleScene::kStart));
  EXPECT_FALSE(Title()->IsFadingOut());
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

TEST_F(TitleSceneTest, StartFadesOutThenPushesTheSelectSceneOverTheResetTitle) {
  StartTitle();
  RunIntro();
  Hold(kStartX, kStartY, true);
  FrameAt(1100);
  EXPECT_TRUE(Title()->IsClicked(cTitleScene::kStart)) << "the press is the click";
  EXPECT_TRUE(Title()->IsFadingOut());
  Hold(kStartX, kStartY, false);
  FramesFromTo(1116, 2100);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle) << "the fade-out runs to its end first";
  FrameAt(2104);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneSelect);
  auto* title = dynamic_cast<cTitleScene*>(nsVesk::g_SceneManager.GetScene(1));
  ASSERT_NE(title, nullptr) << "the title waits under the select scene";
  EXPECT_FALSE(title->IsClicked(cTitleScene::kStart)) << "reset before the push";

  PopStubAt(2200);
  FrameAt(2216);
  EXPECT_TRUE(Title()->IsIntroRunning()) << "uncovered, the title replays its intro";
}

TEST_F(TitleSceneTest, WaitTimeHoldsTheActionAfterTheScreenIsBlack) {
  WriteData("TimeFadein=1000\nTimeFadeout=1000\n", "WaitTime=3000\n");
  StartTitle();
  RunIntro();
  ClickAt(1100, kOptionX, kOptionY);
  FramesFromTo(1132, 2204);
  EXPECT_FALSE(Title()->IsFadingOut());
  EXPECT_EQ(Pixel(100, 100), 0u) << "black from about 1 s after the click";
  FramesFromTo(2220, 4092, 8);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
  FrameAt(4100);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneOption) << "3 s after the click";
}

TEST_F(TitleSceneTest, EndDestroysTheWindowWithoutAQuestion) {
  StartTitle();
  RunIntro();
  const auto window = nsVesk::g_Graphic.GetMainWindow();
  ClickAt(1100, kEndX, kEndY);
  FramesFromTo(1132, 2100);
  EXPECT_TRUE(platform::IsWindowAlive(window));
  FrameAt(2104);
  EXPECT_FALSE(platform::IsWindowAlive(window));
}

TEST_F(TitleSceneTest, TheCGButtonNeverReacts) {
  StartTitle();
  RunIntro();
  ClickAt(1100, kCGX, kCGY);
  FramesFromTo(1132, 1300);
  EXPECT_FALSE(Title()->IsClicked(cTitleScene::kCG));
  EXPECT_FALSE(Title()->IsFadingOut());
  EXPECT_TRUE(Played().empty()) << "no cursor or click sound from a disabled button";
}

TEST_F(TitleSceneTest, ZeroFadeTimesStillLeadToTheAction) {
  WriteData("", "");
  StartTitle();
  FrameAt(0);
  EXPECT_FALSE(Title()->IsIntroRunning()) << "a zero intro ends in its first frame";
  EXPECT_EQ(Pixel(552, 320), 0x808080u) << "drawing its texts in place";
  ClickAt(16, kStartX, kStartY);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneSelect);
}

TEST_F(TitleSceneTest, TheMusicPlaysOnAndIsNotRestartedAfterTheOptionScene) {
  StartTitle();
  FrameAt(0);
  EXPECT_EQ(m_Sound->Calls("_PlayBGM").size(), 1u);
  EXPECT_EQ(m_Sound->bgmLoaded, "Data/Title/title.ogg");
  RunIntro(16);
  ClickAt(1100, kOptionX, kOptionY);
  FramesFromTo(1132, 2120);
  ASSERT_EQ(TopStatus(), nsVesk::nsCore::kSceneOption);
  PopStubAt(2200);
  FramesFromTo(2216, 2400);
  EXPECT_EQ(m_Sound->Calls("_PlayBGM").size(), 1u) << "the music went on";
  EXPECT_EQ(m_Sound->Calls("_StopBGM").size(), 0u);
}

TEST_F(TitleSceneTest, MusicThatCannotBeLoadedIsTriedInEveryFrame) {
  StartTitle();
  m_Sound->failBGMLoad.insert("Data/Title/title.ogg");
  FramesFromTo(0, 64);
  EXPECT_EQ(m_Sound->Calls("_LoadBGM").size(), 5u);
}

TEST_F(TitleSceneTest, AMissingBackImageIsSkipped) {
  vesk_test::WriteFile("Data/Title/Title.ini", "[Title]\nBackFileName=\"Data/Title/none.png\"\n");
  StartTitle();
  RunIntro();
  EXPECT_EQ(Pixel(100, 100), 0u);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

}  // namespace

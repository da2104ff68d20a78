// The option scene on the scene stack under the virtual clock: the labels and the
// enabling kept current from the engine's settings, each setting button's step
// (kept in range), the music following a new default at once, the read-text skip
// pair, input ignored during the fades, and 戻る's fade, wait and pop.
#include "game/core/scene_ids.h"
#include "game/option/option_scene.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/api/draw_manager.h"
#include "engine/api/text_manager.h"
#include "tests/game/support/scene_stack_fixture.h"

namespace {

using nsVesk::nsOption::cOptionScene;

// Rows at y 100 (BGM), 160 (SE), 220 (text speed), 280 (read-text skip).
constexpr int kUpX = 580, kDownX = 640;
constexpr int kBGMY = 120, kSEY = 180, kSpeedY = 240, kSkipY = 300;
constexpr int kSkipOnX = 600, kSkipOffX = 700;
constexpr int kBackX = 700, kBackY = 520;

TEST(OptionLabels, ShowTheSettingsInTheirFormats) {
  EXPECT_EQ(cOptionScene::BGMLabel(10000), "BGM音量 　　　　　　 100% 　　");
  EXPECT_EQ(cOptionScene::BGMLabel(9000), "BGM音量 　　　　　　  90% 　　");
  EXPECT_EQ(cOptionScene::SELabel(0), "SE音量　　　　　　　   0% 　　");
  EXPECT_EQ(cOptionScene::SELabel(9950), "SE音量　　　　　　　  99% 　　") << "truncated";
  EXPECT_EQ(cOptionScene::TextSpeedLabel(30), "テキスト速度　　　　はやい　　　");
  EXPECT_EQ(cOptionScene::TextSpeedLabel(60), "テキスト速度　　　　ふつう　　　");
  EXPECT_EQ(cOptionScene::TextSpeedLabel(90), "テキスト速度　　　　おそい　　　");
  EXPECT_EQ(cOptionScene::TextSpeedLabel(45), "テキスト速度　　　　　　　");
}

TEST(OptionSteps, StayWithinTheirRanges) {
  EXPECT_EQ(cOptionScene::StepVolume(9000, 1000), 10000u);
  EXPECT_EQ(cOptionScene::StepVolume(9500, 1000), 10000u) << "an odd value from env.dat is clamped";
  EXPECT_EQ(cOptionScene::StepVolume(500, -1000), 0u);
  EXPECT_EQ(cOptionScene::StepVolume(-5, -1000), 0u);
  EXPECT_EQ(cOptionScene::StepVolume(INT_MAX, 1000), 10000u);
  EXPECT_EQ(cOptionScene::StepVolume(INT_MIN, -1000), 0u);
  EXPECT_EQ(cOptionScene::StepTextSpeed(60, -30), 30);
  EXPECT_EQ(cOptionScene::StepTextSpeed(45, -30), 30);
  EXPECT_EQ(cOptionScene::StepTextSpeed(0, -30), 30);
  EXPECT_EQ(cOptionScene::StepTextSpeed(100, 30), 90);
  EXPECT_EQ(cOptionScene::StepTextSpeed(INT_MIN, -30), 30);
}

class OptionSceneTest : public vesk_test::SceneStackFixture {
 protected:
  static constexpr int kUnder = nsVesk::nsCore::kSceneTitle;  // stubbed

  void SetUp() override {
    SceneStackFixture::SetUp();
    WriteData("WaitTime=0\n");
  }

  void WriteData(const std::string& option) {
    WriteImage("Data/Option/back.png", 800, 600, 0xFF304050u);
    vesk_test::WriteFile("Data/Common.ini", "[Common]\nTimeFadein=200\nTimeFadeout=200\n");
    std::string ini =
        "[Option]\nBackFileName=\"Data/Option/back.png\"\nBackSrcRect_Left=0\nBackSrcRect_Top=0\n"
        "BackSrcRect_Right=800\nBackSrcRect_Bottom=600\nSEOnCursor=\"Data/Sound/cursor.wav\"\n"
        "SEONClicked=\"Data/Sound/click.wav\"\n" + option;
    const char* rows[] = {"BGM", "SE", "TextSpeed"};
    for (int row = 0; row < 3; ++row) {
      const int y = 100 + 60 * row;
      ini += Rect(std::string(rows[row]) + "_Text", 100, y, 540, y + 40);
      ini += Rect(std::string(rows[row]) + "_Up", 560, y, 600, y + 40);
      ini += Rect(std::string(rows[row]) + "_Down", 620, y, 660, y + 40);
    }
    ini += Rect("KidokuSkip_Text", 100, 280, 540, 320);
    ini += Rect("KidokuSkip_On", 560, 280, 640, 320);
    ini += Rect("KidokuSkip_Off", 660, 280, 740, 320);
    ini += Rect("BackButton", 650, 500, 750, 540);
    vesk_test::WriteFile("Data/Option/Option.ini", ini);
  }
  static std::string Rect(const std::string& section, int l, int t, int r, int b) {
    return "[" + section + "]\nClickRect_Left=" + std::to_string(l) + "\nClickRect_Top=" + std::to_string(t) +
           "\nClickRect_Right=" + std::to_string(r) + "\nClickRect_Bottom=" + std::to_string(b) + "\n";
  }

  // The option scene over a stubbed title, its fade-in run to the end.
  void StartOption() {
    Start(nsVesk::nsCore::kSceneOption, {}, kUnder);
    FramesFromTo(0, 208);
    ASSERT_FALSE(Option()->IsFadingIn());
    m_Now = 224;
  }
  // A press and release on (x, y) in the next two frames.
  void Click(int x, int y) {
    ClickAt(m_Now, x, y);
    m_Now += 32;
    FrameAt(m_Now);  // the labels and enabling follow in the next frame
    m_Now += 16;
  }

  static cOptionScene* Option() { return Top<cOptionScene>(); }
  bool Disabled(cOptionScene::Button button) { return Option()->GetButton(button).IsDisabled(); }
  std::string Label(cOptionScene::Button button) { return Option()->GetButton(button).GetText(); }
  nsTamskLib::nsSoundManager::ISoundManager& Sound() { return *m_Sound; }
  nsTamskLib::nsDrawManager::IDrawManager& DrawSettings() { return *nsVesk::g_NovelPlayer->GetDrawManager(); }
  nsTamskLib::nsTextManager::ITextManager& TextSettings() { return *nsVesk::g_NovelPlayer->GetTextManager(); }

  std::uint32_t m_Now = 0;
};

TEST_F(OptionSceneTest, TheBGMRowStepsByATenthAndThePlayingMusicFollows) {
  Sound().SetDefaultBGMVolume(10000);
  StartOption();
  EXPECT_EQ(Label(cOptionScene::kBGMText), cOptionScene::BGMLabel(10000));
  EXPECT_TRUE(Disabled(cOptionScene::kBGMUp));
  EXPECT_FALSE(Disabled(cOptionScene::kBGMDown));
  m_Sound->ClearLog();
  Click(kDownX, kBGMY);
  EXPECT_EQ(Sound().GetDefaultBGMVolume(), 9000);
  EXPECT_EQ(Label(cOptionScene::kBGMText), cOptionScene::BGMLabel(9000));
  EXPECT_FALSE(Disabled(cOptionScene::kBGMUp));
  EXPECT_EQ(m_Sound->Calls("_SetBGMVolume"), std::vector<std::string>{"_SetBGMVolume(9000)"})
      << "the music follows the default at once";

  // A volume set by the script stays in force.
  Sound().SetBGMVolume(5000);
  m_Sound->ClearLog();
  Click(kDownX, kBGMY);
  EXPECT_EQ(Sound().GetDefaultBGMVolume(), 8000);
  EXPECT_TRUE(m_Sound->Calls("_SetBGMVolume").empty());
}

TEST_F(OptionSceneTest, TheSERowIsDisabledAtItsEndsAndOddValuesAreClamped) {
  Sound().SetDefaultSEVolume(0);
  StartOption();
  EXPECT_TRUE(Disabled(cOptionScene::kSEDown));
  EXPECT_EQ(Label(cOptionScene::kSEText), cOptionScene::SELabel(0));
  Click(kDownX, kSEY);
  EXPECT_EQ(Sound().GetDefaultSEVolume(), 0);

  Sound().SetDefaultSEVolume(9500);
  FrameAt(m_Now);
  m_Now += 16;
  EXPECT_FALSE(Disabled(cOptionScene::kSEUp));
  Click(kUpX, kSEY);
  EXPECT_EQ(Sound().GetDefaultSEVolume(), 10000) << "clamped instead of an out-of-range error";
  EXPECT_TRUE(Disabled(cOptionScene::kSEUp));
  Click(kUpX, kSEY);
  EXPECT_EQ(Sound().GetDefaultSEVolume(), 10000);
}

TEST_F(OptionSceneTest, TheTextSpeedMovesAmongItsThreeWords) {
  DrawSettings().SetConfigTextSpeed(60);
  StartOption();
  EXPECT_EQ(Label(cOptionScene::kTextSpeedText), cOptionScene::TextSpeedLabel(60));
  Click(kUpX, kSpeedY);
  EXPECT_EQ(DrawSettings().GetConfigTextSpeed(), 30);
  EXPECT_EQ(Label(cOptionScene::kTextSpeedText), cOptionScene::TextSpeedLabel(30));
  EXPECT_TRUE(Disabled(cOptionScene::kTextSpeedUp));
  Click(kDownX, kSpeedY);
  Click(kDownX, kSpeedY);
  EXPECT_EQ(DrawSettings().GetConfigTextSpeed(), 90);
  EXPECT_TRUE(Disabled(cOptionScene::kTextSpeedDown));
  EXPECT_FALSE(Disabled(cOptionScene::kTextSpeedUp));

  DrawSettings().SetConfigTextSpeed(45);
  FrameAt(m_Now);
  m_Now += 16;
  EXPECT_FALSE(Disabled(cOptionScene::kTextSpeedUp)) << "a speed set elsewhere leaves both arrows on";
  EXPECT_FALSE(Disabled(cOptionScene::kTextSpeedDown));
  Click(kUpX, kSpeedY);
  EXPECT_EQ(DrawSettings().GetConfigTextSpeed(), 30) << "kept within the range";
}

TEST_F(OptionSceneTest, TheReadTextSkipPairSwapsItsEnabling) {
  TextSettings().SetKidokuSkip(true);
  StartOption();
  EXPECT_TRUE(Disabled(cOptionScene::kKidokuSkipOn));
  EXPECT_FALSE(Disabled(cOptionScene::kKidokuSkipOff));
  Click(kSkipOffX, kSkipY);
  EXPECT_FALSE(TextSettings().IsKidokuSkip());
  EXPECT_FALSE(Disabled(cOptionScene::kKidokuSkipOn));
  EXPECT_TRUE(Disabled(cOptionScene::kKidokuSkipOff));
  Click(kSkipOnX, kSkipY);
  EXPECT_TRUE(TextSettings().IsKidokuSkip());
}

TEST_F(OptionSceneTest, ClicksDuringTheFadeInAreIgnored) {
  Sound().SetDefaultBGMVolume(10000);
  Start(nsVesk::nsCore::kSceneOption, {}, kUnder);
  FrameAt(0);
  ClickAt(16, kDownX, kBGMY);
  FrameAt(48);
  EXPECT_TRUE(Option()->IsFadingIn());
  EXPECT_EQ(Sound().GetDefaultBGMVolume(), 10000);
}

TEST_F(OptionSceneTest, BackFadesOutThenPopsAfterTheWait) {
  WriteData("WaitTime=500\n");
  StartOption();
  Hold(kBackX, kBackY, true);
  FrameAt(300);
  EXPECT_TRUE(Option()->IsFadingOut()) << "戻る acts on the press";
  Hold(kBackX, kBackY, false);
  FramesFromTo(316, 508);
  EXPECT_FALSE(Option()->IsFadingOut());
  FrameAt(600);
  EXPECT_EQ(Pixel(100, 100), 0u) << "black while the wait runs out";
  FrameAt(796);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneOption);
  FrameAt(800);
  EXPECT_EQ(TopStatus(), kUnder) << "popped 500 ms after the click";
  EXPECT_EQ(StubAt(0)->resets, 0) << "the scene underneath is not reset";
}

TEST_F(OptionSceneTest, SettingsAreDrawnAndTheBackImageMayBeMissing) {
  StartOption();
  EXPECT_EQ(Pixel(20, 20), 0x304050u);
  EXPECT_EQ(Pixel(582, 120), 0x404040u) << "BGM ▲ disabled at 10000";
  EXPECT_EQ(Pixel(642, 120), 0x808080u) << "BGM ▼ enabled";
}

TEST_F(OptionSceneTest, ZeroFadeTimesStillPop) {
  vesk_test::WriteFile("Data/Common.ini", "[Common]\n");
  vesk_test::WriteFile("Data/Option/Option.ini", Rect("BackButton", 650, 500, 750, 540));
  Start(nsVesk::nsCore::kSceneOption, {}, kUnder);
  FrameAt(0);
  EXPECT_FALSE(Option()->IsFadingIn());
  EXPECT_EQ(Pixel(400, 300), 0u) << "no back image";
  ClickAt(16, kBackX, kBackY);
  EXPECT_EQ(TopStatus(), kUnder);
}

}  // namespace

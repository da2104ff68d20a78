// The logo scene on the scene stack under the virtual clock: its alpha over the
// three phases on the captured frame, the centring, the sound effect, the change
// to the title, and the skip with its fade to the common colour.
#include "game/logo/logo_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/app/scene_factory.h"
#include "game/core/program_objects.h"
#include "game/core/scene_ids.h"
#include "platform/clock/clock.h"
#include "tests/game/support/game_scene_fixture.h"
#include "tests/platform/image/test_images.h"

namespace {

using nsVesk::g_SceneManager;
using nsVesk::nsLogo::cLogoScene;

constexpr std::uint32_t kStart = 1000;  // the virtual clock when the scene is made
constexpr std::uint32_t kLogoColour = 0xFF20C0E0u;

TEST(LogoAlpha, FollowsTheThreePhases) {
  EXPECT_EQ(cLogoScene::LogoAlpha(0, 1000, 2000, 1000), 0);
  EXPECT_EQ(cLogoScene::LogoAlpha(500, 1000, 2000, 1000), 127);
  EXPECT_EQ(cLogoScene::LogoAlpha(1000, 1000, 2000, 1000), 255);
  EXPECT_EQ(cLogoScene::LogoAlpha(2999, 1000, 2000, 1000), 255);
  EXPECT_EQ(cLogoScene::LogoAlpha(3500, 1000, 2000, 1000), 128);
  EXPECT_EQ(cLogoScene::LogoAlpha(3999, 1000, 2000, 1000), 1);
  EXPECT_EQ(cLogoScene::LogoAlpha(4000, 1000, 2000, 1000), -1);
  EXPECT_EQ(cLogoScene::LogoAlpha(0, 0, 0, 0), -1) << "no times: never drawn";
  EXPECT_EQ(cLogoScene::LogoAlpha(20000000, 30000000, 0, 0), 26) << "the product wraps in 32 bits";
}

class LogoSceneTest : public vesk_test::GameSceneFixture {
 protected:
  void SetUp() override {
    GameSceneFixture::SetUp();
    WriteData(300, 100, "FadeinTime=1000\nHoldTime=2000\nFadeoutTime=1000\n", "TimeFadein=400\n");
  }

  void WriteData(int width, int height, const std::string& times, const std::string& common) {
    vesk_test::WriteFile("Data/Logo/logo.png",
                         vesk_test::MakePngRgba(width, height,
                                                std::vector<std::uint32_t>(static_cast<std::size_t>(width * height),
                                                                           kLogoColour)));
    vesk_test::WriteFile("Data/Logo/Logo.ini",
                         "[Logo]\nImageFileName=\"Data/Logo/logo.png\"\nImageSrcRect_Left=0\nImageSrcRect_Top=0\n"
                         "ImageSrcRect_Right=" + std::to_string(width) + "\nImageSrcRect_Bottom=" +
                             std::to_string(height) + "\nSEFileName=\"Data/Logo/logo.wav\"\n" + times);
    vesk_test::WriteFile("Data/Common.ini",
                         "[Common]\nColorFadeinR=255\nColorFadeinG=0\nColorFadeinB=384\n" + common);
  }

  // Packs the data and makes the logo the first scene, as the entry does.
  void StartLogo() {
    PackData();
    platform::SetVirtualClock(kStart);
    g_SceneManager.SetSceneFactory(new nsVesk::nsCore::cSceneFactory);
    g_SceneManager.CreateScene(nsVesk::nsCore::kSceneLogo);
    Hold(10, 10, false);
  }

  // One frame of the scene stack at scene time t.
  void FrameAt(std::uint32_t t) {
    platform::SetVirtualClock(kStart + t);
    g_SceneManager.Run();
  }

  static std::int32_t TopStatus() { return g_SceneManager.GetTopScene()->GetStatus(); }
  static cLogoScene* Logo() { return dynamic_cast<cLogoScene*>(g_SceneManager.GetTopScene()); }

  // The green channel of the frame's centre: the logo's green (0xC0) times its alpha.
  int CentreGreen() const { return static_cast<int>(m_Back.Pixel(400, 300) >> 8 & 0xFFu); }
};

TEST_F(LogoSceneTest, FadesInHoldsFadesOutThenChangesToTheTitle) {
  StartLogo();
  ASSERT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo);
  FrameAt(0);
  EXPECT_EQ(CentreGreen(), 0);
  FrameAt(500);
  EXPECT_NEAR(CentreGreen(), 0xC0 * 127 / 255, 1);
  EXPECT_EQ(Played(), std::vector<std::string>{}) << "no sound before the logo is fully shown";
  FrameAt(1000);
  EXPECT_EQ(CentreGreen(), 0xC0);
  EXPECT_EQ(Played(), std::vector<std::string>{"_PlaySE(Data/Logo/logo.wav)"});
  FrameAt(2000);
  EXPECT_EQ(Played().size(), 1u) << "played once";
  FrameAt(3500);
  EXPECT_NEAR(CentreGreen(), 0xC0 * 128 / 255, 1);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo);
  FrameAt(4000);
  EXPECT_EQ(m_Back.Pixel(400, 300), kBackground) << "the last frame is black";
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle) << "changed to the title";
  EXPECT_EQ(g_SceneManager.GetScene(1)->GetStatus(), -1) << "the logo was replaced, not covered";
}

TEST_F(LogoSceneTest, TheLogoIsCentredAtItsSourceSize) {
  StartLogo();
  FrameAt(1500);
  EXPECT_EQ(m_Back.Pixel(250, 250), kLogoColour);
  EXPECT_EQ(m_Back.Pixel(549, 349), kLogoColour);
  EXPECT_EQ(m_Back.Pixel(249, 250), kBackground);
  EXPECT_EQ(m_Back.Pixel(250, 249), kBackground);
  EXPECT_EQ(m_Back.Pixel(550, 300), kBackground);
}

TEST_F(LogoSceneTest, AnOddSizeIsCentredWithTruncation) {
  WriteData(301, 101, "FadeinTime=0\nHoldTime=1000\nFadeoutTime=0\n", "TimeFadein=400\n");
  StartLogo();
  FrameAt(10);
  EXPECT_EQ(m_Back.Pixel(249, 249), kLogoColour);
  EXPECT_EQ(m_Back.Pixel(549, 349), kLogoColour);
  EXPECT_EQ(m_Back.Pixel(248, 300), kBackground);
  EXPECT_EQ(m_Back.Pixel(550, 350), kBackground);
}

TEST_F(LogoSceneTest, APressSkipsUnderAFadeToTheCommonColour) {
  StartLogo();
  FrameAt(200);
  Hold(400, 300, true);
  FrameAt(300);  // the press is seen; the skip starts
  ASSERT_TRUE(Logo()->IsSkipping());
  const int frozen = CentreGreen();
  Hold(400, 300, false);
  FrameAt(500);
  EXPECT_EQ(Logo()->GetTime(), 300u) << "the stopwatch stands still";
  EXPECT_EQ(Played(), std::vector<std::string>{}) << "the sound effect never starts while skipping";
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo);
  // Halfway through the 400 ms fade to R 255, G 0, B 384 & 0xFF = 128, over the
  // frozen logo.
  const std::uint32_t half = m_Back.Pixel(400, 300);
  EXPECT_GE(static_cast<int>(half >> 16 & 0xFFu), 127);
  EXPECT_LE(static_cast<int>(half >> 16 & 0xFFu), 140);
  EXPECT_NEAR(static_cast<int>(half >> 8 & 0xFFu), frozen * 128 / 255, 2) << "the logo under it";
  FrameAt(300 + 405);
  EXPECT_EQ(m_Back.Pixel(400, 300), 0xFFFF0080u) << "the fade at full strength";
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle) << "the title follows in the frame the fade ends";
}

TEST_F(LogoSceneTest, ASkipDuringTheHoldStopsThePlayingSound) {
  StartLogo();
  FrameAt(1000);
  ASSERT_EQ(Played().size(), 1u);
  Hold(400, 300, true);
  FrameAt(1100);
  EXPECT_EQ(Stopped(), std::vector<std::string>{"_StopSE(Data/Logo/logo.wav)"});
}

TEST_F(LogoSceneTest, WithoutTimesTheTitleFollowsTheFirstFrame) {
  WriteData(300, 100, "", "TimeFadein=400\n");
  StartLogo();
  FrameAt(0);
  EXPECT_EQ(m_Back.Pixel(400, 300), kBackground);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

TEST_F(LogoSceneTest, AZeroTimeSkipFadeStillLeadsToTheTitle) {
  WriteData(300, 100, "FadeinTime=1000\nHoldTime=2000\nFadeoutTime=1000\n", "");
  StartLogo();
  Hold(400, 300, true);
  FrameAt(100);
  ASSERT_EQ(TopStatus(), nsVesk::nsCore::kSceneLogo);
  FrameAt(116);
  EXPECT_EQ(m_Back.Pixel(400, 300), 0xFFFF0080u);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

TEST_F(LogoSceneTest, AMissingImageDrawsNothingAndTheSceneStillRuns) {
  vesk_test::WriteFile("Data/Logo/Logo.ini",
                       "[Logo]\nImageFileName=\"Data/Logo/none.png\"\nImageSrcRect_Right=300\n"
                       "ImageSrcRect_Bottom=100\nFadeinTime=100\n");
  StartLogo();
  FrameAt(50);
  EXPECT_EQ(m_Back.Pixel(400, 300), kBackground);
  FrameAt(100);
  EXPECT_EQ(TopStatus(), nsVesk::nsCore::kSceneTitle);
}

}  // namespace

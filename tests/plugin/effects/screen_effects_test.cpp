// The screen effects in the story screen's frame: overlays and their timing, the
// fades' flag bits and page flips, the shakes' offsets on the drawn picture, and
// effect parameters that would divide by zero or never end.

#include <gtest/gtest.h>

#include "engine/api/novel_engine.h"
#include "plugin/effects/screen_effects.h"
#include "tests/plugin/effects/story_frame.h"

namespace {

using vesk_test::Background;
using vesk_test::Overlay;
using vesk_test::StoryFrameTest;

using ScreenEffectsTest = StoryFrameTest;

constexpr std::uint32_t kHeld = nsWendrick::kEffectHeldColour;

TEST_F(ScreenEffectsTest, AFlashCoversTheScreenFor50MillisecondsWhateverItsTime) {
  StartEffect(1, 5000, 0x0000FF);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x000000FF", 255)});
  Advance(49);
  DrawFrame();
  EXPECT_EQ(Overlays().size(), 1u);
  Advance(1);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  EXPECT_EQ(EffectType(), 0u);
}

TEST_F(ScreenEffectsTest, SecondAndThirdFlashesFollowTheirTime) {
  StartEffect(9, 100, 0xFFFFFF);
  DrawFrame();
  Advance(99);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00FFFFFF", 255)});
  Advance(1);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  EXPECT_EQ(EffectType(), 0u);

  // Half a sine wave: 0 at the start (nothing drawn), 180 at a quarter, 255 at half.
  StartEffect(16, 1000, 0xFFFFFF);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  Advance(250);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00FFFFFF", 180)});
  Advance(250);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00FFFFFF", 255)});
  Advance(500);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  EXPECT_EQ(EffectType(), 0u);
}

TEST_F(ScreenEffectsTest, AFadeOutEndsFullyCoveredAndHeldAndAFadeInEndsWithoutOverlay) {
  StartEffect(6, 1000, 0);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());  // alpha 0 reaches no back end
  Advance(500);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00000000", 127)});
  Advance(500);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00000000", 255)});
  EXPECT_EQ(EffectType(), kHeld);
  EXPECT_EQ(UpdateType(), 0u);  // no page flip without flag 0x1
  // The colour stays: over the text window in the story, under it in the backlog.
  player.Draw().SetTextWindow(nsTamskLib::TRect{25, 425, 775, 575}, 0x404040, 255, 0, 0);
  DrawFrame();
  EXPECT_EQ(player.draw.Draws().back(), Overlay("0x00000000", 255));
  player.SetState(nsTamskLib::nsCore::kStateBackLog);
  DrawFrame();
  EXPECT_EQ(Overlays().size(), 1u);
  EXPECT_EQ(player.draw.Draws().back(), "FillRect({25,425,775,575},0x00404040,255)");
  player.SetState(nsTamskLib::nsCore::kStateNormal);

  StartEffect(5, 1000, 0);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00000000", 255)});
  Advance(500);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00000000", 127)});
  Advance(500);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  EXPECT_EQ(EffectType(), 0u);
}

TEST_F(ScreenEffectsTest, PageFlipsComeAtTheStartOfFadeInsAndTheEndOfFadeOuts) {
  StartEffect(5, 1000, 0, {0x1});
  DrawFrame();
  EXPECT_EQ(UpdateType(), 3u);
  player.Tasks().SetUpdateData({});

  StartEffect(6, 1000, 0, {0x1});
  DrawFrame();
  EXPECT_EQ(UpdateType(), 0u);
  Advance(1000);
  DrawFrame();
  EXPECT_EQ(UpdateType(), 3u);
  player.Tasks().SetUpdateData({});

  // The unconditional fades: fadeinu flips at its start, fadeoutu at its end.
  StartEffect(7, 1000, 0);
  DrawFrame();
  EXPECT_EQ(UpdateType(), 3u);
  player.Tasks().SetUpdateData({});
  Advance(1000);
  DrawFrame();
  EXPECT_EQ(EffectType(), 0u);

  StartEffect(8, 1000, 0);
  DrawFrame();
  Advance(999);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>{Overlay("0x00000000", 254)});
  EXPECT_EQ(UpdateType(), 0u);
  Advance(1);
  DrawFrame();
  EXPECT_EQ(Overlays(), std::vector<std::string>(2, Overlay("0x00000000", 255)));
  EXPECT_EQ(EffectType(), kHeld);
  EXPECT_EQ(UpdateType(), 3u);
}

TEST_F(ScreenEffectsTest, FadeFlagsSwitchTheTextWindowInTheirOrder) {
  auto& draw = player.Draw();
  // On then off at the start: the window ends off; the forced switch goes on.
  StartEffect(5, 100, 0, {0x2 | 0x20 | 0x4});
  DrawFrame();
  EXPECT_FALSE(draw.IsTextWindowVisible());
  EXPECT_TRUE(draw.IsTextWindowForced());
  // The end bits act only when the fade ends.
  StartEffect(6, 100, 0, {0x8 | 0x100});
  DrawFrame();
  EXPECT_FALSE(draw.IsTextWindowVisible());
  EXPECT_TRUE(draw.IsTextWindowForced());
  Advance(100);
  DrawFrame();
  EXPECT_TRUE(draw.IsTextWindowVisible());
  EXPECT_FALSE(draw.IsTextWindowForced());
  // On and off at the end leaves the window off.
  StartEffect(5, 100, 0, {0x8 | 0x80});
  DrawFrame();
  Advance(100);
  DrawFrame();
  EXPECT_FALSE(draw.IsTextWindowVisible());
}

TEST_F(ScreenEffectsTest, ZeroTimeEndsEveryEffectButTheFlashOnItsFirstFrame) {
  ShowBackground();
  for (std::uint32_t effect = 2; effect <= 16; ++effect) {
    StartEffect(effect, 0, 0, {1, 1, 1, 1});
    DrawFrame();
    const bool fadeOut = effect == 6 || effect == 8;
    EXPECT_EQ(EffectType(), fadeOut ? kHeld : 0u) << effect;
    // An ending shake leaves the picture where it is.
    EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(0, 0)}) << effect;
    // Only the fade-outs draw on that frame: their final full overlay (fadeoutu's
    // progress counts as complete, so it ends at once instead of never).
    const std::size_t overlays = effect == 6 ? 1u : effect == 8 ? 2u : 0u;
    EXPECT_EQ(Overlays().size(), overlays) << effect;
    player.Tasks().SetUpdateData({});
  }
  // A zero-time fade-in with flag 0x1 still asks for the flip, and applies its start
  // and end bits on that frame.
  StartEffect(5, 0, 0, {0x1 | 0x20 | 0x10});
  DrawFrame();
  EXPECT_EQ(UpdateType(), 3u);
  EXPECT_FALSE(player.Draw().IsTextWindowVisible());
  EXPECT_TRUE(player.Draw().IsTextWindowForced());
}

TEST_F(ScreenEffectsTest, ARandomShakeFlipsDirectionAfterMoreThanItsInterval) {
  ShowBackground();
  // Seed 1 draws 41 first: odd, so the shake starts at -1; amplitude 1 then gives
  // sizes of 1 + rand() % 1 + 1 = 2.
  StartEffect(2, 1000, 0, {1});
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(-1, 0)});
  Advance(75);  // not more than 75 ms yet
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(-1, 0)});
  Advance(1);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(2, 0)});
  Advance(76);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(-2, 0)});
  Advance(1000);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(0, 0)});
  EXPECT_EQ(EffectType(), 0u);

  // The vertical shake with its own interval moves only Y; sizes lie in A+1..2A.
  StartEffect(11, 1000, 0, {0, 5, 10});
  DrawFrame();
  for (int frame = 0; frame < 10; ++frame) {
    Advance(11);
    DrawFrame();
    const std::string drawn = Backgrounds().at(0);
    int x = 0;
    int y = 0;
    ASSERT_EQ(std::sscanf(drawn.c_str(), "Blt0(bg.png,%d,%d", &x, &y), 2) << drawn;
    EXPECT_EQ(x, 0);
    EXPECT_GE(std::abs(y), 6) << drawn;
    EXPECT_LE(std::abs(y), 10) << drawn;
  }
}

TEST_F(ScreenEffectsTest, ASineShakeSwingsCountTimesDuringItsTime) {
  ShowBackground();
  // Two swings in 1000 ms: a period of 500 ms.
  StartEffect(15, 1000, 0, {10, 4, 2, 1});
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(0, 0)});
  Advance(125);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(10, 2)});
  Advance(250);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(-10, 2)});
  Advance(250);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(10, -2)});
}

TEST_F(ScreenEffectsTest, ParametersThatWouldDivideByZeroGiveNoOffsetInsteadOfAFault) {
  ShowBackground();
  // More swings than milliseconds: a period of 0 ms.
  StartEffect(13, 10, 0, {7, 0, 20});
  DrawFrame();
  Advance(5);
  DrawFrame();
  EXPECT_EQ(Backgrounds(), std::vector<std::string>{Background(0, 0)});
  // No jitter, and amplitudes and an interval brought below 1 by a damaged save.
  StartEffect(12, 100, 0, {0, -3, 0, 0});
  for (int frame = 0; frame < 5; ++frame) {
    DrawFrame();
    Advance(3);
  }
  EXPECT_NE(EffectType(), 0u);
  Advance(100);
  DrawFrame();
  EXPECT_EQ(EffectType(), 0u);
}

TEST_F(ScreenEffectsTest, AnEffectStartedWhileTheClockReadsZeroStillEnds) {
  platform::SetVirtualClock(0);
  StartEffect(9, 100, 0);
  DrawFrame();
  DrawFrame();
  EXPECT_EQ(Overlays().size(), 1u);
  Advance(100);
  DrawFrame();
  EXPECT_TRUE(Overlays().empty());
  EXPECT_EQ(EffectType(), 0u);
}

TEST_F(ScreenEffectsTest, AnEndingEffectRestartsARunningTransitionsTime) {
  *GetTMAccessor()->GetUpdateWorkB(0) = 12345;
  StartEffect(9, 0, 0);
  DrawFrame();
  EXPECT_EQ(*GetTMAccessor()->GetUpdateWorkB(0), 0);
}

TEST_F(ScreenEffectsTest, NumbersBeyondSixteenAreNotRegistered) {
  StartEffect(17, 100, 0);
  EXPECT_EQ(vesk_test::CatchFatal([&] { DrawFrame(); }),
            "不正な効果パターンです！（各種描画前）（m_EffectData.Type=17）");
}

}  // namespace

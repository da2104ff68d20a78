// The game's buttons over scripted mouse input: when each kind clicks, the cursor
// and click sounds, the inclusive click rectangle, the four looks on the captured
// frame, the enlarged and blinking captions, and the image button's looks.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game/components/ui_button_draw.h"
#include "game/components/ui_button_text.h"
#include "platform/clock/clock.h"
#include "tests/game/support/game_scene_fixture.h"
#include "tests/platform/image/test_images.h"
#include "tests/platform/support/fake_glyph_source.h"

namespace {

using nsVesk::nsComponent::ButtonLook;
using nsVesk::nsComponent::UICButtonDraw;
using nsVesk::nsComponent::UICButtonText;
using nsVesk::nsComponent::UICButtonTextE1;
using nsVesk::nsComponent::UICButtonTextE2;

constexpr nsZarn::nsGraphics::Rect kRect{100, 100, 199, 139};
const std::vector<std::string> kNone;

class ButtonTest : public vesk_test::GameSceneFixture {
 protected:
  void SetUp() override {
    GameSceneFixture::SetUp();
    vesk_test::WriteFile("Data/Common.ini",
                         "[UIButtonTextE1]\nScalingOnCH=150\nIntervalBlink=100\n[UIButtonTextE2]\nScalingOnCH=150\n");
    PackData();
  }

  template <typename Button>
  static void Prepare(Button& button) {
    button.SetRect(kRect, 255);
    button.SetText("Caption!", "ＭＳ ゴシック", 20);  // 8 bytes
    button.SetSounds("cursor.wav", "click.wav");
  }

  // One frame: the mouse polled, then the button's Update.
  template <typename Button>
  bool Frame(Button& button, int x, int y, bool down) {
    Poll(x, y, down);
    return button.Update();
  }
};

TEST_F(ButtonTest, TextButtonClicksOnTheReleaseInsideAfterAPressInside) {
  UICButtonText button;
  Prepare(button);
  EXPECT_FALSE(Frame(button, 150, 120, false));
  EXPECT_EQ(Played(), std::vector<std::string>{"_PlaySE(cursor.wav)"});
  EXPECT_FALSE(Frame(button, 150, 120, true)) << "the press itself is not the click";
  EXPECT_EQ(Played().back(), "_PlaySE(click.wav)");
  EXPECT_FALSE(Frame(button, 150, 120, true));
  EXPECT_TRUE(Frame(button, 150, 120, false));
  EXPECT_FALSE(Frame(button, 150, 120, false)) << "one click per press";
  EXPECT_EQ(Played().size(), 2u);

  // E2 clicks the same way.
  UICButtonTextE2 e2;
  Prepare(e2);
  EXPECT_FALSE(Frame(e2, 150, 120, false));
  EXPECT_FALSE(Frame(e2, 150, 120, true));
  EXPECT_TRUE(Frame(e2, 150, 120, false));
}

TEST_F(ButtonTest, APressForgottenOutsideTheAreaNeverClicks) {
  UICButtonText button;
  Prepare(button);
  Frame(button, 150, 120, false);
  Frame(button, 150, 120, true);
  EXPECT_FALSE(Frame(button, 300, 120, true)) << "moved out while held";
  EXPECT_FALSE(Frame(button, 300, 120, false)) << "released outside";

  Frame(button, 150, 120, true);  // entering while held is no press
  Frame(button, 150, 120, false);
  Frame(button, 150, 120, true);
  EXPECT_FALSE(Frame(button, 300, 120, true));
  EXPECT_FALSE(Frame(button, 150, 120, true)) << "back in, still held";
  EXPECT_FALSE(Frame(button, 150, 120, false)) << "released inside after leaving";

  // A press outside, then released inside.
  Frame(button, 300, 120, true);
  EXPECT_FALSE(Frame(button, 150, 120, false));
}

TEST_F(ButtonTest, TheRectangleIncludesItsRightAndBottomEdges) {
  const auto clicksAt = [this](int x, int y) {
    UICButtonText button;
    Prepare(button);
    Frame(button, x, y, false);
    Frame(button, x, y, true);
    return Frame(button, x, y, false);
  };
  EXPECT_TRUE(clicksAt(100, 100));
  EXPECT_TRUE(clicksAt(199, 139));
  EXPECT_FALSE(clicksAt(200, 120));
  EXPECT_FALSE(clicksAt(150, 140));
  EXPECT_FALSE(clicksAt(99, 120));
}

TEST_F(ButtonTest, E1IsClickedFromThePressOnUntilResetState) {
  UICButtonTextE1 button;
  Prepare(button);
  EXPECT_FALSE(Frame(button, 150, 120, false));
  EXPECT_TRUE(Frame(button, 150, 120, true)) << "clicks on the press";
  EXPECT_TRUE(Frame(button, 150, 120, false));
  EXPECT_TRUE(Frame(button, 400, 400, false)) << "latched even with the cursor gone";
  EXPECT_EQ(Played(), (std::vector<std::string>{"_PlaySE(cursor.wav)", "_PlaySE(click.wav)"}));
  button.ResetState();
  EXPECT_FALSE(Frame(button, 400, 400, false));
  EXPECT_FALSE(Frame(button, 150, 120, false));
  EXPECT_TRUE(Frame(button, 150, 120, true)) << "armed again";
}

TEST_F(ButtonTest, ADisabledButtonPlaysNothingAndNeverClicks) {
  UICButtonText text;
  UICButtonTextE1 e1;
  Prepare(text);
  Prepare(e1);
  text.SetDisabled(true);
  e1.SetDisabled(true);
  for (bool down : {false, true, false}) {
    EXPECT_FALSE(Frame(text, 150, 120, down));
    EXPECT_FALSE(e1.Update());
  }
  EXPECT_EQ(Played(), kNone);
  EXPECT_EQ(text.GetLook(), ButtonLook::Disabled);
}

TEST_F(ButtonTest, TheCursorSoundPlaysOnEntryOnly) {
  UICButtonText button;
  Prepare(button);
  button.SetSounds("cursor.wav", "");
  for (int i = 0; i < 3; ++i) Frame(button, 150 + i, 120, false);
  EXPECT_EQ(Played().size(), 1u);
  Frame(button, 300, 120, false);
  Frame(button, 150, 120, false);
  EXPECT_EQ(Played().size(), 2u) << "entered again";
  Frame(button, 150, 120, true);
  EXPECT_EQ(Played().size(), 2u) << "an empty click sound plays nothing";
}

TEST_F(ButtonTest, EachLookIsDrawnInItsColour) {
  vesk_test::FakeGlyphSource glyphs;
  platform::SetGlyphSourceForTest(&glyphs);
  {
    UICButtonText button;
    Prepare(button);
    // Engine colours (red in the lowest byte) of the four looks.
    button.SetColors(0x0000FF, 0x00FF00, 0xFF0000, 0x404040);
    const auto drawnColour = [&] {
      nsVesk::g_Graphic.Clear(kBackground);
      button.Draw();
      return Presented(104, 110) & 0xFFFFFFu;
    };
    Poll(10, 10, false);
    EXPECT_EQ(drawnColour(), 0xFF0000u) << "normal, converted to the graphics' layout";
    Poll(150, 120, false);
    EXPECT_EQ(drawnColour(), 0x00FF00u) << "cursor over";
    Poll(150, 120, true);
    EXPECT_EQ(drawnColour(), 0x0000FFu) << "pressed";
    button.SetDisabled(true);
    EXPECT_EQ(drawnColour(), 0x404040u) << "disabled";

    UICButtonText defaults;
    Prepare(defaults);
    defaults.SetRect(kRect, 128);
    Poll(10, 10, false);
    nsVesk::g_Graphic.Clear(kBackground);
    defaults.Draw();
    EXPECT_NEAR(static_cast<int>(Presented(104, 110) & 0xFFu), 128, 2) << "white at the button's alpha";
    ASSERT_FALSE(glyphs.requests().empty()) << "the caption asked for no glyph";
    EXPECT_EQ(glyphs.requests().back().face, "ＭＳ ゴシック");
    EXPECT_EQ(glyphs.requests().back().height, 20);
  }
  platform::SetGlyphSourceForTest(nullptr);
}

TEST_F(ButtonTest, EnlargedCaptionsGrowAboutTheirArea) {
  using nsVesk::nsComponent::ScaleText;
  const auto same = ScaleText(100, 100, 20, 100, 8);
  EXPECT_EQ(same.x, 100);
  EXPECT_EQ(same.y, 100);
  EXPECT_EQ(same.size, 20);
  const auto larger = ScaleText(100, 100, 20, 150, 8);
  EXPECT_EQ(larger.size, 30);
  EXPECT_EQ(larger.y, 95);
  EXPECT_EQ(larger.x, 80);
  EXPECT_EQ(ScaleText(0, 0, 25, 116, 1).size, 29);
  const auto shrunk = ScaleText(100, 100, 20, 0, 8);
  EXPECT_EQ(shrunk.size, 0);
  EXPECT_EQ(shrunk.x, 140);
  const auto extreme = ScaleText(0, 0, 2000000000, 2000000000, 1000);
  EXPECT_EQ(extreme.size, 2147483647) << "held in range, not an undefined conversion";

  vesk_test::FakeGlyphSource glyphs;
  platform::SetGlyphSourceForTest(&glyphs);
  {
    UICButtonTextE2 button;
    Prepare(button);
    Poll(10, 10, false);
    button.Draw();
    ASSERT_FALSE(glyphs.requests().empty()) << "the caption asked for no glyph";
    EXPECT_EQ(glyphs.requests().back().height, 20) << "normal look at its own size";
    Poll(150, 120, false);
    nsVesk::g_Graphic.Clear(kBackground);
    button.Draw();
    ASSERT_FALSE(glyphs.requests().empty()) << "the caption asked for no glyph";
    EXPECT_EQ(glyphs.requests().back().height, 30) << "ScalingOnCH 150 while the cursor is over it";
    EXPECT_NE(Presented(82, 97) & 0xFFFFFFu, 0u) << "drawn from (80, 95)";
    EXPECT_EQ(m_Back.Pixel(78, 110) & 0xFFFFFFu, 0u);
  }
  platform::SetGlyphSourceForTest(nullptr);
}

TEST_F(ButtonTest, APressedE1CaptionBlinksAtItsInterval) {
  using nsVesk::nsComponent::BlinkAlpha;
  EXPECT_EQ(BlinkAlpha(200, 100, 1000), 0);
  EXPECT_EQ(BlinkAlpha(200, 100, 1099), 0);
  EXPECT_EQ(BlinkAlpha(200, 100, 1100), 200);
  EXPECT_EQ(BlinkAlpha(200, 100, 1199), 200);
  EXPECT_EQ(BlinkAlpha(200, 0, 1000), 200) << "no interval: no blink and no division by zero";
  EXPECT_EQ(BlinkAlpha(200, -5, 1000), 200);

  vesk_test::FakeGlyphSource glyphs;
  platform::SetGlyphSourceForTest(&glyphs);
  {
    UICButtonTextE1 button;
    Prepare(button);
    Frame(button, 150, 120, true);
    const auto drawnAt = [&](std::uint32_t now) {
      platform::SetVirtualClock(now);
      nsVesk::g_Graphic.Clear(kBackground);
      button.Draw();
      return Presented(82, 100) & 0xFFFFFFu;
    };
    EXPECT_EQ(drawnAt(2050), 0u) << "first half of the period: clear";
    EXPECT_EQ(drawnAt(2150), 0x808080u) << "second half: the pressed colour";
  }
  platform::SetGlyphSourceForTest(nullptr);
}

class ImageButtonTest : public ButtonTest {
 protected:
  void SetUp() override {
    GameSceneFixture::SetUp();
    // One 40x10 picture with four 10x10 colour cells.
    std::vector<std::uint32_t> pixels(400);
    const std::array<std::uint32_t, 4> cells{0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF808080u};
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 40; ++x) pixels[static_cast<std::size_t>(y * 40 + x)] = cells[static_cast<std::size_t>(x / 10)];
    }
    vesk_test::WriteFile("Data/Button/cells.png", vesk_test::MakePngRgba(40, 10, pixels));
    vesk_test::WriteFile("Data/Button/other.png", vesk_test::MakePngRgba(1, 1, {0xFFFFFFFFu}));
    vesk_test::WriteFile("Data/Common.ini", "[Common]\n");
    PackData();
  }

  static std::array<UICButtonDraw::LookImage, 4> Cells() {
    const std::string file = "Data/Button/cells.png";
    return {{{file, {0, 0, 10, 10}}, {file, {10, 0, 20, 10}}, {file, {20, 0, 30, 10}}, {file, {30, 0, 40, 10}}}};
  }

  std::uint32_t DrawnAt(UICButtonDraw& button) {
    nsVesk::g_Graphic.Clear(kBackground);
    button.Draw();
    return Presented(105, 105);
  }

  nsVesk::cImageTable m_Images;
};

TEST_F(ImageButtonTest, EachLookDrawsItsPartAndClicksOnTheRelease) {
  UICButtonDraw button(&m_Images);
  button.SetRect({100, 100, 109, 109}, 255);
  button.SetImages(Cells());
  EXPECT_EQ(m_Images.Size(), 1u) << "one file, loaded once";
  Poll(10, 10, false);
  EXPECT_EQ(DrawnAt(button), 0xFFFF0000u);
  EXPECT_NE(button.GetCurrentImage(), nullptr);
  button.SetSounds("cursor.wav", "click.wav");
  EXPECT_FALSE(Frame(button, 105, 105, false));
  EXPECT_EQ(DrawnAt(button), 0xFF00FF00u);
  EXPECT_FALSE(Frame(button, 105, 105, true));
  EXPECT_EQ(DrawnAt(button), 0xFF0000FFu);
  EXPECT_TRUE(Frame(button, 109, 109, false));
  EXPECT_EQ(Played(), (std::vector<std::string>{"_PlaySE(cursor.wav)", "_PlaySE(click.wav)"}));
  button.SetDisabled(true);
  EXPECT_EQ(DrawnAt(button), 0xFF808080u);
  EXPECT_FALSE(Frame(button, 105, 105, true));
}

TEST_F(ImageButtonTest, AnUnchangedNameKeepsItsRectangleAndMissingImagesDrawNothing) {
  UICButtonDraw button(&m_Images);
  button.SetRect({100, 100, 109, 109}, 255);
  button.SetImages(Cells());
  auto looks = Cells();
  looks[0].source = {30, 0, 40, 10};  // same name, new part: ignored
  looks[1] = {"Data/Button/other.png", {0, 0, 1, 1}};
  button.SetImages(looks);
  EXPECT_EQ(button.GetLookImage(ButtonLook::Normal).source.left, 0);
  EXPECT_EQ(button.GetLookImage(ButtonLook::OnCursor).name, "Data/Button/other.png");
  EXPECT_EQ(m_Images.Size(), 2u);

  // Unreadable and empty names, and no table at all.
  UICButtonDraw missing(&m_Images);
  missing.SetRect({100, 100, 109, 109}, 255);
  missing.SetImages({{{"Data/Button/none.png", {0, 0, 10, 10}}, {"", {}}, {"", {}}, {"", {}}}});
  Poll(10, 10, false);
  EXPECT_EQ(DrawnAt(missing), kBackground);
  Poll(105, 105, false);
  EXPECT_EQ(missing.GetCurrentImage(), nullptr) << "an empty name is never in the table";
  EXPECT_EQ(DrawnAt(missing), kBackground);
  UICButtonDraw tableless(nullptr);
  tableless.SetImages(Cells());
  EXPECT_EQ(tableless.GetCurrentImage(), nullptr);
  EXPECT_EQ(DrawnAt(tableless), kBackground);
}

}  // namespace

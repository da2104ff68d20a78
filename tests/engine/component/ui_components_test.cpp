// The engine's drawn button and bar over a player with recording back ends: clicks
// and drags with their sounds, the hit area widened by the border, the disabled
// look, the caption's placement, the knob and its rate.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/component/ui_bar_draw.h"
#include "engine/component/ui_button_draw.h"
#include "tests/engine/fakes/test_player.h"
#include "tests/engine/kit/fatal_trap.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsComponent::UICBarDraw;
using nsTamskLib::nsComponent::UICButtonDraw;
using Strings = std::vector<std::string>;

class ComponentTest : public testing::Test {
 protected:
  ComponentTest() {
    button.SetEngine(&player);
    button.SetRect(100, 200, 220, 230, 255);
    button.SetSounds("over.wav", "press.wav");
    button.SetCaption("戻る", "ＭＳ ゴシック", 20);
    bar.SetEngine(&player);
    bar.SetRects(240, 75, 740, 85, -5, -15, 5, 15, 255);
    bar.SetBarSounds("bar_over.wav", "bar_press.wav");
  }

  // One frame of the left button in the given state, with the pointer at (x, y).
  bool Step(UICButtonDraw& component, int x, int y, ScriptedMouseButton left) {
    player.input.MoveTo(x, y);
    player.input.left = left;
    return component.Update();
  }
  bool Step(UICBarDraw& component, int x, int y, ScriptedMouseButton left) {
    player.input.MoveTo(x, y);
    player.input.left = left;
    return component.Update();
  }
  Strings Played() const { return player.sound.Calls("_PlaySE"); }
  Strings Drawn() {
    Strings drawn = player.draw.Draws();
    player.draw.ClearLog();
    return drawn;
  }

  static constexpr ScriptedMouseButton kUp{};
  static constexpr ScriptedMouseButton kPush{true, true, false};
  static constexpr ScriptedMouseButton kHeld{true, false, false};
  static constexpr ScriptedMouseButton kRelease{false, false, true};

  FatalTrap trap;
  TestPlayer player;
  UICButtonDraw button;
  UICBarDraw bar;
};

TEST_F(ComponentTest, ButtonClicksOnlyWhenPressedAndReleasedInside) {
  EXPECT_FALSE(Step(button, 150, 210, kUp));
  EXPECT_EQ(Played(), Strings({"_PlaySE(over.wav)"}));
  EXPECT_FALSE(Step(button, 150, 210, kUp));  // still over: no second sound
  EXPECT_FALSE(Step(button, 150, 210, kPush));
  EXPECT_EQ(Played(), Strings({"_PlaySE(over.wav)", "_PlaySE(press.wav)"}));
  EXPECT_FALSE(Step(button, 150, 210, kHeld));
  EXPECT_TRUE(Step(button, 150, 210, kRelease));
  EXPECT_FALSE(Step(button, 150, 210, kUp));

  // Pressed inside, moved out, released outside: no click.
  EXPECT_FALSE(Step(button, 150, 210, kPush));
  EXPECT_FALSE(Step(button, 300, 210, kHeld));
  EXPECT_FALSE(Step(button, 300, 210, kRelease));
  // Pressed inside, moved out and back in while held: the press was lost outside.
  EXPECT_FALSE(Step(button, 150, 210, kPush));
  EXPECT_FALSE(Step(button, 300, 210, kHeld));
  EXPECT_FALSE(Step(button, 150, 210, kHeld));
  EXPECT_FALSE(Step(button, 150, 210, kRelease));
  // Pressed outside, released inside: no click.
  EXPECT_FALSE(Step(button, 300, 210, kPush));
  EXPECT_FALSE(Step(button, 150, 210, kHeld));
  EXPECT_FALSE(Step(button, 150, 210, kRelease));
}

TEST_F(ComponentTest, BorderWidensTheHitAreaEdgesIncluded) {
  // Border width 1: one pixel outside counts, two do not.
  EXPECT_FALSE(Step(button, 98, 215, kUp));
  EXPECT_TRUE(Played().empty());
  EXPECT_FALSE(Step(button, 99, 215, kPush));
  EXPECT_TRUE(Step(button, 221, 231, kRelease));
  EXPECT_FALSE(Step(button, 222, 215, kPush));
  EXPECT_FALSE(Step(button, 222, 215, kRelease));

  button.SetBorderWidth(0);
  EXPECT_FALSE(Step(button, 99, 215, kPush));
  EXPECT_FALSE(Step(button, 99, 215, kRelease));
  EXPECT_FALSE(Step(button, 100, 200, kPush));
  EXPECT_TRUE(Step(button, 220, 230, kRelease));
}

TEST_F(ComponentTest, ButtonLooksFollowThePointerAndTheButton) {
  player.input.MoveTo(0, 0);
  button.Draw();
  // The fill, the four border strips, the caption 40 pixels in and 5 down.
  EXPECT_EQ(Drawn(), Strings({"FillRect({100,200,220,230},0x00000000,255)",
                              "FillRect({100,199,221,200},0x00FFFFFF,255)",
                              "FillRect({220,200,221,231},0x00FFFFFF,255)",
                              "FillRect({99,230,220,231},0x00FFFFFF,255)",
                              "FillRect({99,199,100,230},0x00FFFFFF,255)",
                              "DrawText(戻る,140,205,255,ＭＳ ゴシック,20,0x00FFFFFF,0,0)"}));
  player.input.MoveTo(150, 210);
  button.Draw();
  EXPECT_EQ(Drawn().back(), "DrawText(戻る,140,205,255,ＭＳ ゴシック,20,0x00C0C0C0,0,0)");
  player.input.left = kHeld;
  button.Draw();
  const Strings pressed = Drawn();
  EXPECT_EQ(pressed[1], "FillRect({100,199,221,200},0x00808080,255)");
  EXPECT_EQ(pressed.back(), "DrawText(戻る,140,205,255,ＭＳ ゴシック,20,0x00808080,0,0)");

  // Colours are the owner's; a caption wider and taller than the button overhangs
  // it equally on both sides.
  button.SetTextColors(1, 2, 3, 4);
  button.SetCaption("abcdefghijklmnopqrst", "Times New Roman", 40);
  player.input.left = kUp;
  player.input.MoveTo(0, 0);
  button.Draw();
  EXPECT_EQ(Drawn().back(), "DrawText(abcdefghijklmnopqrst,-40,195,255,Times New Roman,40,0x00000001,0,0)");
}

TEST_F(ComponentTest, DisabledButtonShowsItsLookAndNeverReactsOrSounds) {
  button.SetDisabled(true);
  button.SetFillColors(10, 11, 12, 13);
  EXPECT_FALSE(Step(button, 150, 210, kPush));
  EXPECT_FALSE(Step(button, 150, 210, kRelease));
  EXPECT_TRUE(Played().empty());
  player.input.left = kHeld;
  button.Draw();
  const Strings drawn = Drawn();
  EXPECT_EQ(drawn.front(), "FillRect({100,200,220,230},0x0000000D,255)");
  EXPECT_EQ(drawn[1], "FillRect({100,199,221,200},0x00808080,255)");
  EXPECT_EQ(drawn.back(), "DrawText(戻る,140,205,255,ＭＳ ゴシック,20,0x00808080,0,0)");

  // Enabled again, it starts from the pointer's position.
  button.SetDisabled(false);
  EXPECT_FALSE(Step(button, 150, 210, kPush));
  EXPECT_TRUE(Step(button, 150, 210, kRelease));
}

TEST_F(ComponentTest, FreshBarShowsItsKnobInTheMiddle) {
  EXPECT_EQ(bar.GetRate(), 5000u);
  player.input.MoveTo(0, 0);
  bar.Draw();
  const Strings drawn = Drawn();
  ASSERT_EQ(drawn.size(), 10u);
  EXPECT_EQ(drawn[0], "FillRect({240,75,740,85},0x00000000,255)");
  EXPECT_EQ(drawn[1], "FillRect({240,74,741,75},0x00FFFFFF,255)");
  EXPECT_EQ(drawn[5], "FillRect({485,65,495,95},0x00000000,255)");
  // Rates at the ends put the knob's centre on the bar's ends.
  bar.SetRate(0);
  bar.Draw();
  EXPECT_EQ(Drawn()[5], "FillRect({235,65,245,95},0x00000000,255)");
  bar.SetRate(10000);
  bar.Draw();
  EXPECT_EQ(Drawn()[5], "FillRect({735,65,745,95},0x00000000,255)");
  EXPECT_FATAL(bar.SetRate(10001), "UICBarDraw::SetRate(unsigned int Rate)");
}

TEST_F(ComponentTest, BarPressSetsTheRateAtOnceAndDragsUntilReleased) {
  bar.SetRate(0);
  EXPECT_TRUE(Step(bar, 490, 80, kPush));
  EXPECT_EQ(bar.GetRate(), 5000u);
  EXPECT_EQ(Played(), Strings({"_PlaySE(bar_over.wav)", "_PlaySE(bar_press.wav)"}));
  // The drag follows the pointer along the bar and holds at its ends; it goes on
  // while the pointer stays on the bar or the knob.
  EXPECT_TRUE(Step(bar, 615, 84, kHeld));
  EXPECT_EQ(bar.GetRate(), 7500u);
  EXPECT_TRUE(Step(bar, 741, 80, kHeld));
  EXPECT_EQ(bar.GetRate(), 10000u);
  EXPECT_TRUE(Step(bar, 745, 94, kHeld));  // on the knob, past the bar's end
  EXPECT_EQ(bar.GetRate(), 10000u);
  EXPECT_FALSE(Step(bar, 745, 94, kRelease));
  EXPECT_EQ(bar.GetRate(), 10000u);
  // Pressed on the knob beyond the bar's left end: rate 0.
  bar.SetRate(0);
  EXPECT_TRUE(Step(bar, 236, 94, kPush));
  EXPECT_EQ(bar.GetRate(), 0u);
  // Leaving the bar ends the drag.
  EXPECT_FALSE(Step(bar, 490, 200, kHeld));
  EXPECT_FALSE(Step(bar, 490, 80, kHeld));
  EXPECT_EQ(bar.GetRate(), 0u);
  // A press off the bar does nothing.
  EXPECT_FALSE(Step(bar, 490, 200, kPush));
  EXPECT_EQ(bar.GetRate(), 0u);
}

TEST_F(ComponentTest, DisabledOrZeroWidthBarIsHarmless) {
  bar.SetDisabled(true);
  EXPECT_FALSE(Step(bar, 490, 80, kPush));
  EXPECT_EQ(bar.GetRate(), 5000u);
  EXPECT_TRUE(Played().empty());
  player.input.left = kHeld;
  bar.Draw();
  EXPECT_EQ(Drawn()[1], "FillRect({240,74,741,75},0x00808080,255)");

  // A bar without width has no position to divide by: a press puts it at 0.
  bar.SetDisabled(false);
  bar.SetRects(300, 75, 300, 85, -5, -15, 5, 15, 255);
  EXPECT_TRUE(Step(bar, 300, 80, kPush));
  EXPECT_EQ(bar.GetRate(), 0u);
  EXPECT_TRUE(Step(bar, 301, 80, kHeld));
  EXPECT_EQ(bar.GetRate(), 0u);
}

}  // namespace
}  // namespace vesk_test

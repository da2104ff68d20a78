// The choice window: where its boxes lie (also when they do not fit the screen),
// how each look is drawn, and the input step driven by a scripted mouse, with its
// sounds and the chosen number written to the script's variable.

#include "tests/engine/drawmanager/draw_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::TextTokenSection;
using nsTamskLib::TRect;

class SelectWindowTest : public DrawManagerTest {
 protected:
  // n choices, each one 10-wide, 20-high glyph; boxes without a frame.
  void Open(std::uint32_t n) {
    std::vector<TextTokenSection> items(n, Section({Line({Glyph("c", 10, 20)})}));
    dm.SetSelectWindow(10, 0x1, 0x2, 0x3, 255, 0, 0, 0, 0);
    dm.StartSelect("choice", n, items.data());
    dm.ClearLog();
  }

  // The boxes drawn, one "FillRect(...)" per choice.
  Log Boxes() {
    dm.ClearLog();
    dm.DrawSelectWindow();
    return dm.Calls("FillRect");
  }

  std::int32_t State() const { return dm.Settings().SelectState; }
};

TEST_F(SelectWindowTest, ThreeChoicesAreCentredWithEqualGaps) {
  Open(3);
  // Boxes 520 x 45; gap (600 - 135 - 175) / 4 = 72.
  EXPECT_EQ(Boxes(), (Log{"FillRect({140,72,660,117},0x00000001,255)",
                          "FillRect({140,189,660,234},0x00000001,255)",
                          "FillRect({140,306,660,351},0x00000001,255)"}));
  // Each text is centred in its box.
  EXPECT_EQ(dm.Calls("DrawText")[0], "DrawText(c,395,84,255,f,20,0x00FFFFFF,0,0)");
}

TEST_F(SelectWindowTest, TenChoicesStackFromTheTopAndStayClickable) {
  Open(10);
  const Log boxes = Boxes();
  ASSERT_EQ(boxes.size(), 10u);
  EXPECT_EQ(boxes[0], "FillRect({140,0,660,45},0x00000001,255)");
  EXPECT_EQ(boxes[1], "FillRect({140,45,660,90},0x00000001,255)");
  EXPECT_EQ(boxes[9], "FillRect({140,405,660,450},0x00000001,255)");

  engine.mouse.MoveTo(400, 430);
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 10);
}

TEST_F(SelectWindowTest, BoxesAndTextsWiderThanTheScreenStartLeftOfIt) {
  dm.SetSelectItemWidth(900);
  std::vector<TextTokenSection> items{Section({Line({Glyph("w", 1000, 20)})})};
  dm.SetSelectWindow(10, 0x1, 0x2, 0x3, 255, 0, 0, 0, 0);
  dm.StartSelect("choice", 1, items.data());
  // Box 920 wide: left (800 - 920) / 2 = -60; the text overhangs it by 40 a side.
  EXPECT_EQ(Boxes(), (Log{"FillRect({-60,190,860,235},0x00000001,255)"}));
  EXPECT_EQ(dm.Calls("DrawText"), (Log{"DrawText(w,-100,202,255,f,20,0x00FFFFFF,0,0)"}));
}

TEST_F(SelectWindowTest, HugeMarginFromASaveIsComputedWithoutOverflow) {
  std::vector<TextTokenSection> items{Section({Line({Glyph("w", 10, 20)})})};
  dm.SetSelectWindow(INT32_MAX, 0x1, 0x2, 0x3, 255, 0, 0, 0, 0);
  dm.StartSelect("choice", 1, items.data());
  // Width 500 + 2 * (2^31 - 1): left (800 - width) / 2 fits, the rest is clamped.
  EXPECT_EQ(Boxes(), (Log{"FillRect({-2147483497,0,2147483647,2147483647},0x00000001,255)"}));
}

TEST_F(SelectWindowTest, EachChoiceShowsItsLook) {
  Open(3);
  dm.SetSelectTextColorNormal(0x10);
  dm.SetSelectTextColorOnCursor(0x20);
  dm.SetSelectTextColorOnHold(0x30);
  const auto texts = [&] {
    dm.ClearLog();
    dm.DrawSelectWindow();
    Log colours;
    for (const std::string& call : dm.Calls("FillRect"))
      colours.push_back(call.substr(call.find("0x")));
    for (const std::string& call : dm.Calls("DrawText"))
      colours.push_back(call.substr(call.find("0x")));
    return colours;
  };
  // Idle: every choice normal.
  EXPECT_EQ(texts(), (Log{"0x00000001,255)", "0x00000001,255)", "0x00000001,255)",
                          "0x00000010,0,0)", "0x00000010,0,0)", "0x00000010,0,0)"}));
  const Log cursorLook{"0x00000001,255)", "0x00000002,255)", "0x00000001,255)",
                       "0x00000010,0,0)", "0x00000020,0,0)", "0x00000010,0,0)"};
  engine.locals.values["choice"] = 0;
  engine.mouse.MoveTo(400, 200);  // over choice 2
  dm.UpdateSelect();
  ASSERT_EQ(State(), 2);
  EXPECT_EQ(texts(), cursorLook);
  engine.mouse.PushLeft();
  dm.UpdateSelect();
  ASSERT_EQ(State(), 102);
  EXPECT_EQ(texts(), (Log{"0x00000001,255)", "0x00000003,255)", "0x00000001,255)",
                          "0x00000010,0,0)", "0x00000030,0,0)", "0x00000010,0,0)"}));
  // A chosen item shows the cursor look again.
  engine.mouse.ReleaseLeft();
  dm.UpdateSelect();
  ASSERT_EQ(State(), 1002);
  EXPECT_EQ(texts(), cursorLook);
}

TEST_F(SelectWindowTest, ImageChoicesUseTheNormalPartsSizeAndTheLooksParts) {
  dm.SetSelectWindow("sel.png", 200, TRect{0, 0, 400, 40}, TRect{0, 40, 400, 80},
                     TRect{0, 80, 400, 120});
  std::vector<TextTokenSection> items(2, Section({Line({Glyph("c", 10, 20)})}));
  dm.StartSelect("choice", 2, items.data());
  engine.mouse.MoveTo(300, 130);  // over choice 1
  engine.mouse.PushLeft();
  dm.UpdateSelect();
  ASSERT_EQ(State(), 101);
  dm.ClearLog();
  dm.DrawSelectWindow();
  // Boxes 400 x 40: left 200; gap (600 - 80 - 175) / 3 = 115.
  EXPECT_EQ(dm.Calls("Blt"), (Log{"Blt0(sel.png,200,115,200,{0,80,400,120})",
                                  "Blt0(sel.png,200,270,200,{0,0,400,40})"}));
  EXPECT_TRUE(dm.Calls("FillRect").empty());
}

TEST_F(SelectWindowTest, ClosedWindowDrawsAndDoesNothing) {
  EXPECT_FALSE(dm.UpdateSelect());
  dm.DrawSelectWindow();
  EXPECT_TRUE(dm.log.empty());
  EXPECT_EQ(State(), -1);
  EXPECT_TRUE(engine.playedSounds.empty());
}

TEST_F(SelectWindowTest, WindowWithoutChoicesStaysIdle) {
  Open(0);
  engine.mouse.PushLeft();
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 0);
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 0);
}

TEST_F(SelectWindowTest, HoverPressAndReleaseChooseAnItem) {
  engine.locals.values["choice"] = 0;
  dm.SetSelectCursorSound("cursor.wav");
  dm.SetSelectDecideSound("decide.wav");
  Open(3);
  auto& mouse = engine.mouse;

  mouse.MoveTo(10, 10);  // outside every box
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 0);

  mouse.MoveTo(140, 189);  // the corner of box 2: edges count
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 2);
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(engine.playedSounds, (Log{"cursor.wav"}));

  mouse.PushLeft();
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 102);
  mouse.HoldLeft();
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 102);
  mouse.ReleaseLeft();
  EXPECT_TRUE(dm.UpdateSelect());
  EXPECT_EQ(State(), 1002);
  EXPECT_EQ(engine.locals.values["choice"], 2);
  EXPECT_EQ(engine.playedSounds, (Log{"cursor.wav", "decide.wav"}));
}

TEST_F(SelectWindowTest, LeavingTheItemWhileHeldCancelsThePress) {
  engine.locals.values["choice"] = 0;
  dm.SetSelectCursorSound("cursor.wav");
  dm.SetSelectDecideSound("decide.wav");
  Open(3);
  auto& mouse = engine.mouse;
  mouse.MoveTo(400, 80);
  dm.UpdateSelect();
  mouse.PushLeft();
  dm.UpdateSelect();
  EXPECT_EQ(State(), 101);

  mouse.HoldLeft();
  mouse.MoveTo(400, 150);  // between boxes 1 and 2
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 0);
  mouse.MoveTo(400, 80);  // back over box 1, still held: no new press
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 101);
  mouse.ReleaseLeft();
  EXPECT_FALSE(dm.UpdateSelect());
  EXPECT_EQ(State(), 1);
  EXPECT_EQ(engine.locals.values["choice"], 0);
  // Entering the box again plays the cursor sound again.
  EXPECT_EQ(engine.playedSounds, (Log{"cursor.wav", "decide.wav", "cursor.wav"}));
}

TEST_F(SelectWindowTest, ChoiceGoesToTheGlobalVariableWhenNoLocalHasTheName) {
  engine.globals.values["choice"] = 0;
  Open(1);
  engine.mouse.MoveTo(400, 200);
  engine.mouse.PushLeft();
  dm.UpdateSelect();
  engine.mouse.ReleaseLeft();
  EXPECT_TRUE(dm.UpdateSelect());
  EXPECT_EQ(engine.globals.values["choice"], 1);
  EXPECT_EQ(engine.locals.values.count("choice"), 0u);
}

TEST_F(SelectWindowTest, ChoiceIntoAnUnknownVariableIsFatal) {
  Open(1);
  engine.mouse.MoveTo(400, 200);
  engine.mouse.PushLeft();
  dm.UpdateSelect();
  engine.mouse.ReleaseLeft();
  EXPECT_FATAL(dm.UpdateSelect(), "choiceは計算不可能なシンボルか存在しません！");
}

}  // namespace
}  // namespace vesk_test

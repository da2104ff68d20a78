// Named buttons: their checks, the per-frame mouse handling with sounds, click lock
// and label call, and the reaction and visibility locks.

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/taskmanager/task_manager_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsTaskManager::kButtonDisable;
using nsTamskLib::nsTaskManager::kButtonNormal;
using nsTamskLib::nsTaskManager::kButtonOnCursor;
using nsTamskLib::nsTaskManager::kButtonOnHold;

bool SameRect(const TRect& a, const TRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A 100x40 button at (200, 300) on both pages with its four pictures stacked in one
// image, enabled, with sounds and a label at command 42.
class ButtonTest : public TaskManagerTest {
 protected:
  ButtonTest() {
    AcceptInput();
    tm.AddButton("b");
    tm.SetButtonImage("b", "b.png", 0, 0, 0, 100, 40, 0, 40, 100, 80, 0, 80, 100, 120, 0, 120,
                      100, 160);
    tm.SetButtonPosition("b", 200, 300, 10, 255);
    tm.SetButtonEnabled("b", true);
    tm.SetButtonSounds("b", "hover.wav", "press.wav");
    engine.labels.values["@clicked"] = 42;
    tm.SetButtonLabel("b", "@clicked");
    // Show what was built, as a transition would.
    tm.FlipPage();
    tm.CopyPageToBack();
  }

  Button& B() { return tm.Buttons().at("b"); }

  // One frame of the story scene's input handling.
  void Frame() {
    engine.mouse.UpdateClickLock();
    tm.UpdateButtons();
  }

  // Both pages show the picture of state.
  void ExpectPicture(int state) {
    for (int page = 0; page < 2; ++page) {
      SCOPED_TRACE(page);
      EXPECT_TRUE(SameRect(B().Task[page].SrcRect, B().SrcRect[page][state]));
    }
  }

  const std::vector<std::int32_t>& Positions() { return engine.ownCommandHeap.iterators; }
};

TEST_F(ButtonTest, TheHoverSoundPlaysOnceOnEnteringEvenWhileHidden) {
  ASSERT_FALSE(B().Task[0].Visible);
  engine.mouse.MoveTo(10, 10);
  Frame();
  EXPECT_TRUE(engine.playedSounds.empty());
  ExpectPicture(kButtonNormal);

  engine.mouse.MoveTo(250, 320);
  Frame();
  Frame();
  EXPECT_EQ(engine.playedSounds, std::vector<std::string>{"hover.wav"});
  EXPECT_TRUE(B().CursorOver);
  ExpectPicture(kButtonOnCursor);

  engine.mouse.MoveTo(301, 320);  // one right of the click rectangle
  Frame();
  EXPECT_FALSE(B().CursorOver);
  ExpectPicture(kButtonNormal);
  engine.mouse.MoveTo(300, 340);  // the bottom-right corner is inside
  Frame();
  EXPECT_EQ(engine.playedSounds, (std::vector<std::string>{"hover.wav", "hover.wav"}));
}

TEST_F(ButtonTest, PressHoldAndReleaseInsideCallsTheLabel) {
  engine.mouse.MoveTo(250, 320);
  Frame();
  engine.mouse.PushLeft();
  Frame();
  EXPECT_TRUE(B().Held);
  EXPECT_TRUE(engine.mouse.IsClickLocked());
  EXPECT_EQ(engine.playedSounds, (std::vector<std::string>{"hover.wav", "press.wav"}));
  ExpectPicture(kButtonOnHold);

  engine.mouse.HoldLeft();
  Frame();
  EXPECT_TRUE(B().Held);
  EXPECT_TRUE(engine.mouse.IsClickLocked());
  EXPECT_EQ(Positions(), std::vector<std::int32_t>{-1});

  engine.mouse.ReleaseLeft();
  Frame();
  EXPECT_FALSE(B().Held);
  // The script continues at the label; the interrupted position stays beneath it.
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{-1, 42}));
  ExpectPicture(kButtonOnCursor);
  // The lock of the held frames has run out; the release itself sets none.
  EXPECT_FALSE(engine.mouse.IsClickLocked());
  engine.mouse.IdleLeft();
  Frame();
  EXPECT_EQ(Positions().size(), 2u);
}

TEST_F(ButtonTest, LeavingWhileHeldCancelsWithoutACall) {
  engine.mouse.MoveTo(250, 320);
  engine.mouse.PushLeft();
  Frame();
  ASSERT_TRUE(B().Held);

  engine.mouse.HoldLeft();
  engine.mouse.MoveTo(10, 10);
  Frame();
  EXPECT_FALSE(B().Held);

  // Coming back with the mouse button still down does not hold it again.
  engine.mouse.MoveTo(250, 320);
  Frame();
  EXPECT_FALSE(B().Held);
  ExpectPicture(kButtonOnHold);  // the look follows the mouse button
  engine.mouse.ReleaseLeft();
  Frame();
  EXPECT_EQ(Positions(), std::vector<std::int32_t>{-1});
  EXPECT_EQ(engine.playedSounds,
            (std::vector<std::string>{"hover.wav", "press.wav", "hover.wav"}));
}

TEST_F(ButtonTest, ADisabledButtonShowsItsDisabledPictureAndIgnoresTheMouse) {
  tm.SetButtonEnabled("b", false);
  engine.mouse.MoveTo(250, 320);
  engine.mouse.PushLeft();
  Frame();
  ExpectPicture(kButtonDisable);
  EXPECT_TRUE(engine.playedSounds.empty());
  EXPECT_FALSE(engine.mouse.IsClickLocked());
  EXPECT_FALSE(B().Held);
}

TEST_F(ButtonTest, ALockedButtonLooksAsItWasBeforeTheLock) {
  tm.AddButton("off");
  tm.SetButtonImage("off", "off.png", 0, 0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 0, 4, 4);
  tm.EnterExclusiveBRCS();
  EXPECT_FALSE(B().Enabled);
  engine.mouse.MoveTo(250, 320);
  engine.mouse.PushLeft();
  Frame();
  ExpectPicture(kButtonNormal);
  EXPECT_TRUE(engine.playedSounds.empty());
  const std::uint32_t back = 1 - tm.GetPage();
  EXPECT_TRUE(SameRect(tm.Buttons().at("off").Task[back].SrcRect, TRect{0, 0, 4, 4}));
}

TEST_F(ButtonTest, AZeroClickRectangleIsHitOnlyAtTheButtonsPosition) {
  tm.SetButtonClickRect("b", 0, 0, 0, 0);
  // The hit test uses the shown page's position.
  B().Task[tm.GetPage()].X = 10;
  B().Task[tm.GetPage()].Y = 10;
  for (const auto& [x, y] : {std::pair{11, 10}, std::pair{10, 9}, std::pair{9, 10}}) {
    engine.mouse.MoveTo(x, y);
    Frame();
    EXPECT_FALSE(B().CursorOver) << x << "," << y;
  }
  engine.mouse.MoveTo(10, 10);
  Frame();
  EXPECT_TRUE(B().CursorOver);
}

TEST_F(ButtonTest, SetButtonImageResetsTheClickRectangle) {
  tm.SetButtonClickRect("b", -5, -5, 500, 500);
  EXPECT_TRUE(SameRect(B().ClickRect, TRect{-5, -5, 500, 500}));
  tm.SetButtonImage("b", "c.png", 1, 10, 20, 60, 50, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1);
  EXPECT_TRUE(SameRect(B().ClickRect, TRect{0, 0, 50, 30}));
  const int back = 1 - static_cast<int>(tm.GetPage());
  EXPECT_TRUE(SameRect(B().Task[back].SrcRect, TRect{10, 20, 60, 50}));
  EXPECT_EQ(B().Task[back].BltType, 1);
  EXPECT_EQ(B().Task[back].Name, "c.png");
  EXPECT_EQ(B().Task[1 - back].Name, "b.png");
}

TEST_F(ButtonTest, ImageAndClickRectanglesAreChecked) {
  EXPECT_FATAL(
      tm.SetButtonImage("b", "c.png", 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 5, 1, 4, 0, 0, 1, 1),
      "転送元矩形の指定が間違っています！\n（b.SrcRect[OnHold] = {0, 5, 1, 4}）");
  EXPECT_FATAL(tm.SetButtonClickRect("b", 10, 0, 9, 0),
               "判定矩形の指定が間違っています！\n（b.ClickRect = {10, 0, 9, 0}）");
  DrawTask task = ImageTask("x.png", 1, 1);
  task.SrcRect = TRect{-1, -1, 0, 0};
  EXPECT_FATAL(tm.SetButton("b", task),
               "転送元矩形の指定が間違っています！\n（b.SrcRect = {-1, -1, 0, 0}）");
}

TEST_F(ButtonTest, LabelsMustExist) {
  EXPECT_FATAL(tm.SetButtonLabel("b", "@nowhere"), "@nowhereは存在しないラベルです！");
}

TEST_F(ButtonTest, NamesMustExistOrBeNew) {
  EXPECT_TRUE(tm.ExistsButton("b"));
  EXPECT_FALSE(tm.ExistsButton("x"));
  EXPECT_FATAL(tm.AddButton("b"), "bは既に存在するボタンです！");
  EXPECT_FATAL(tm.SetButtonVisible("x", true), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.SetButtonEnabled("x", true), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.SetButtonPosition("x", 0, 0, 0, 0), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.MoveButton("x", 0, 0, 0, 0), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.SetButtonClickRect("x", 0, 0, 0, 0), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.SetButtonLabel("x", "@clicked"), "xは存在しないボタンです！");
  EXPECT_FATAL(tm.SetButtonSounds("x", "", ""), "xは存在しないボタンです！");
}

TEST_F(ButtonTest, MovesKeepWithinTheDepthAndOpacityLimits) {
  tm.SetButtonPosition("b", 0, 0, 31999, 200);
  tm.MoveButton("b", 0, 0, 1, 55);
  const DrawTask& back = B().Task[1 - tm.GetPage()];
  EXPECT_EQ(back.Z, 32000);
  EXPECT_EQ(back.A, 255);
  EXPECT_FATAL(tm.MoveButton("b", 0, 0, 1, 0), "範囲外が指定されています！（Z = 32000 + 1）");
}

TEST_F(ButtonTest, ButtonOpacityAbove255IsRefused) {
  tm.SetButtonPosition("b", 0, 0, 0, 200);
  EXPECT_FATAL(tm.MoveButton("b", 0, 0, 0, 56), "透過度が負数か255を超えています！（A = 200 + 56）");
}

TEST_F(ButtonTest, ButtonDepthAbove32000IsRefused) {
  EXPECT_FATAL(tm.SetButtonPosition("b", 0, 0, 32001, 0), "範囲外が指定されています！（Z = 32001）");
}

TEST_F(ButtonTest, SoundsAreStoredCursorSoundFirst) {
  tm.SetButtonSounds("b", "first.wav", "second.wav");
  EXPECT_EQ(B().CursorSound, "first.wav");
  EXPECT_EQ(B().PushSound, "second.wav");
}

TEST_F(TaskManagerTest, ANewManagerRefusesButtonsUntilInputIsAccepted) {
  EXPECT_FATAL(tm.AddButton("b"), "排他制御中です！（BRCS）");
}

TEST_F(TaskManagerTest, TheReactionLockRefusesEnablingAndNewButtons) {
  AcceptInput();
  tm.AddButton("b");
  tm.EnterExclusiveBRCS();
  EXPECT_FATAL(tm.SetAllButtonsEnabled(true), "排他制御中です！（BRCS）");
  EXPECT_FATAL(tm.SetButtonEnabled("b", true), "排他制御中です！（BRCS）");
  EXPECT_FATAL(tm.AddButton("new"), "排他制御中です！（BRCS）");
  // Visibility is not locked by it.
  tm.SetAllButtonsVisible(true);
  tm.SetButtonVisible("b", false);
}

TEST_F(TaskManagerTest, TheVisibilityLockRefusesShowingAndNewButtons) {
  AcceptInput();
  tm.AddButton("b");
  tm.EnterExclusiveBVCS();
  EXPECT_FATAL(tm.SetAllButtonsVisible(true), "排他制御中です！（BVCS）");
  EXPECT_FATAL(tm.SetButtonVisible("b", true), "排他制御中です！（BVCS）");
  EXPECT_FATAL(tm.AddButton("new"), "排他制御中です！（BVCS）");
  tm.SetAllButtonsEnabled(true);
  tm.AddSprite("sprites are not locked");
}

TEST_F(TaskManagerTest, LocksCannotBeEnteredTwiceOrLeftWhenFree) {
  EXPECT_FATAL(tm.EnterExclusiveBRCS(), "既に排他制御中です！（BRCS）");
  EXPECT_FATAL(tm.LeaveExclusiveBVCS(), "既に排他制御外です！（BVCS）");
  AcceptInput();
  EXPECT_FATAL(tm.LeaveExclusiveBRCS(), "既に排他制御外です！（BRCS）");
  tm.EnterExclusiveBVCS();
  EXPECT_FATAL(tm.EnterExclusiveBVCS(), "既に排他制御中です！（BVCS）");
}

TEST_F(TaskManagerTest, TheReactionLockRestoresEachButtonsEnabledFlag) {
  AcceptInput();
  tm.AddButton("on");
  tm.AddButton("off");
  tm.SetButtonEnabled("on", true);
  tm.EnterExclusiveBRCS();
  EXPECT_FALSE(tm.Buttons().at("on").Enabled);
  tm.LeaveExclusiveBRCS();
  EXPECT_TRUE(tm.Buttons().at("on").Enabled);
  EXPECT_FALSE(tm.Buttons().at("off").Enabled);
}

TEST_F(TaskManagerTest, TheVisibilityLockRestoresBothPagesExactly) {
  AcceptInput();
  tm.AddButton("both");
  tm.AddButton("back-only");
  tm.AddButton("none");
  tm.SetButtonVisible("both", true);
  tm.SetButtonVisible("back-only", true);
  tm.FlipPage();
  tm.SetButtonVisible("both", true);
  tm.EnterExclusiveBVCS();
  for (const auto& [name, button] : tm.Buttons()) {
    EXPECT_FALSE(button.Task[0].Visible) << name;
    EXPECT_FALSE(button.Task[1].Visible) << name;
  }
  tm.LeaveExclusiveBVCS();
  const auto visible = [&](const char* name, int page) {
    return tm.Buttons().at(name).Task[page].Visible;
  };
  EXPECT_TRUE(visible("both", 0));
  EXPECT_TRUE(visible("both", 1));
  EXPECT_FALSE(visible("back-only", 0));
  EXPECT_TRUE(visible("back-only", 1));
  EXPECT_FALSE(visible("none", 0));
  EXPECT_FALSE(visible("none", 1));
}

}  // namespace
}  // namespace vesk_test

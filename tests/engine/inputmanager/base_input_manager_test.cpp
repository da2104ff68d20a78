// The input manager base: the default meaning of every engine question over the
// mouse, and the click lock.

#include <gtest/gtest.h>

#include "tests/engine/fakes/scripted_input_manager.h"

namespace vesk_test {
namespace {

// Every question of the engine, asked at once, in a fixed order.
struct Answers {
  bool backLogCall, configCall, menuCall, saveCall, loadCall, suspendCall, quitCall;
  bool backLogClose, configClose, menuClose, saveClose, loadClose;
  bool autoOn, autoOff, skipOn, skipOff, goNext, textWindowToggle;
  bool scrollUp, scrollDown;
  bool spareDown, sparePushed, spareReleased;
  bool buttonDown, buttonPushed, buttonReleased;
  bool componentDown, componentPushed, componentReleased;
};

Answers Ask(nsTamskLib::nsInputManager::IInputManager& in) {
  return Answers{in.IsBackLogCall(),    in.IsConfigCall(),       in.IsMenuCall(),
                 in.IsSaveCall(),       in.IsLoadCall(),         in.IsSuspendCall(),
                 in.IsQuitCall(),       in.IsBackLogClose(),     in.IsConfigClose(),
                 in.IsMenuClose(),      in.IsSaveClose(),        in.IsLoadClose(),
                 in.IsAutoOn(),         in.IsAutoOff(),          in.IsSkipOn(),
                 in.IsSkipOff(),        in.IsGoNext(),           in.IsTextWindowToggle(),
                 in.IsBackLogScrollUp(), in.IsBackLogScrollDown(), in.IsSpareDown(),
                 in.IsSparePushed(),    in.IsSpareReleased(),    in.IsButtonDown(),
                 in.IsButtonPushed(),   in.IsButtonReleased(),   in.IsComponentDown(),
                 in.IsComponentPushed(), in.IsComponentReleased()};
}

bool NothingElse(const Answers& a, int expectedTrue) {
  const bool all[] = {a.backLogCall, a.configCall, a.menuCall, a.saveCall, a.loadCall,
                      a.suspendCall, a.quitCall, a.backLogClose, a.configClose, a.menuClose,
                      a.saveClose, a.loadClose, a.autoOn, a.autoOff, a.skipOn, a.skipOff,
                      a.goNext, a.textWindowToggle, a.scrollUp, a.scrollDown, a.spareDown,
                      a.sparePushed, a.spareReleased, a.buttonDown, a.buttonPushed,
                      a.buttonReleased, a.componentDown, a.componentPushed,
                      a.componentReleased};
  int count = 0;
  for (const bool b : all) count += b ? 1 : 0;
  return count == expectedTrue;
}

TEST(BaseInputManagerTest, AnIdleMouseAnswersNoToEverything) {
  ScriptedInputManager input;
  EXPECT_TRUE(NothingElse(Ask(input), 0));
}

TEST(BaseInputManagerTest, ALeftPushAdvancesEndsSkipAndAutoAndPressesButtons) {
  ScriptedInputManager input;
  input.left = {true, true, false};
  const Answers a = Ask(input);
  EXPECT_TRUE(a.goNext);
  EXPECT_TRUE(a.skipOff);
  EXPECT_TRUE(a.autoOff);
  EXPECT_TRUE(a.sparePushed && a.spareDown);
  EXPECT_TRUE(a.buttonPushed && a.buttonDown);
  EXPECT_TRUE(a.componentPushed && a.componentDown);
  EXPECT_TRUE(NothingElse(a, 9));
}

TEST(BaseInputManagerTest, ALeftReleaseIsReportedToSpareButtonsAndComponents) {
  ScriptedInputManager input;
  input.left = {false, false, true};
  const Answers a = Ask(input);
  EXPECT_TRUE(a.spareReleased && a.buttonReleased && a.componentReleased);
  EXPECT_TRUE(NothingElse(a, 3));
}

TEST(BaseInputManagerTest, ARightPushClosesSystemScenesAndTogglesTheTextWindow) {
  ScriptedInputManager input;
  input.right = {true, true, false};
  const Answers a = Ask(input);
  EXPECT_TRUE(a.backLogClose && a.configClose && a.menuClose && a.saveClose && a.loadClose);
  EXPECT_TRUE(a.textWindowToggle);
  EXPECT_TRUE(NothingElse(a, 6));
}

TEST(BaseInputManagerTest, AMiddlePushOpensTheMenu) {
  ScriptedInputManager input;
  input.middle = {true, true, false};
  const Answers a = Ask(input);
  EXPECT_TRUE(a.menuCall);
  EXPECT_TRUE(NothingElse(a, 1));
}

TEST(BaseInputManagerTest, TheWheelOpensAndScrollsTheBackLog) {
  ScriptedInputManager input;
  input.wheel = 120;
  Answers a = Ask(input);
  EXPECT_TRUE(a.backLogCall && a.scrollUp);
  EXPECT_TRUE(NothingElse(a, 2));
  input.wheel = -1;
  a = Ask(input);
  EXPECT_TRUE(a.scrollDown);
  EXPECT_TRUE(NothingElse(a, 1));
}

TEST(BaseInputManagerTest, TheClickLockCountsDownOneFramePerUpdate) {
  ScriptedInputManager input;
  EXPECT_FALSE(input.IsClickLocked());
  input.UpdateClickLock();
  EXPECT_FALSE(input.IsClickLocked());
  input.SetClickLock(1);
  EXPECT_TRUE(input.IsClickLocked());
  input.UpdateClickLock();
  EXPECT_FALSE(input.IsClickLocked());
  input.SetClickLock(2);
  input.UpdateClickLock();
  EXPECT_TRUE(input.IsClickLocked());
  input.UpdateClickLock();
  EXPECT_FALSE(input.IsClickLocked());
}

}  // namespace
}  // namespace vesk_test

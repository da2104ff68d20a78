// The draw manager's settings: the defaults of a new manager and of a new game
// (which keeps the player's text speed and lets a subclass's setters take part),
// the text speed's sign, the rectangle checks with their messages, the in-use
// queries, the choice list, and the bookkeeping of loaded images.

#include <string>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/drawmanager/draw_fixture.h"
#include "tests/support/temp_dir.h"

namespace vesk_test {
namespace {

using nsTamskLib::TextTokenSection;
using nsTamskLib::TRect;
using nsTamskLib::nsDrawManager::kDefaultFontFace;

std::string SavedBlock(nsTamskLib::nsDrawManager::BaseDrawManager& manager,
                       const std::string& file) {
  nsTamskLib::nsIOStream::BaseIOStream stream;
  EXPECT_TRUE(stream.Open(file.c_str(), "wb"));
  manager.SaveState(&stream);
  EXPECT_TRUE(stream.Close());
  return ReadFile(file);
}

TEST_F(DrawManagerTest, NewManagerHasTheDefaultSettings) {
  const auto& s = dm.Settings();
  EXPECT_EQ(dm.GetTextSpeed(), -60);
  EXPECT_EQ(dm.GetConfigTextSpeed(), 60);
  EXPECT_TRUE(dm.IsTextWindowVisible());
  EXPECT_FALSE(dm.IsTextWindowForced());
  EXPECT_FALSE(s.TextWindowIsImage);
  EXPECT_EQ(RectText(s.TextWindowRect), "{25,425,775,575}");
  EXPECT_EQ(s.TextWindowColor, 0u);
  EXPECT_EQ(s.TextWindowAlpha, 255);
  EXPECT_EQ(s.TextWindowBorderWidth, 1u);
  EXPECT_EQ(s.TextWindowBorderColor, 0xFFFFFFu);
  EXPECT_STREQ(dm.GetRubyFont(), kDefaultFontFace);
  EXPECT_STREQ(dm.GetMessageFont(), "ＭＳ ゴシック");
  EXPECT_STREQ(dm.GetTalkerFont(), "ＭＳ ゴシック");
  EXPECT_STREQ(dm.GetSelectFont(), "ＭＳ ゴシック");
  EXPECT_EQ(dm.GetRubyFontSize(), 10);
  std::int32_t x = 0;
  std::int32_t y = 0;
  dm.GetMessagePosition(&x, &y);
  EXPECT_EQ(x, 35);
  EXPECT_EQ(y, 470);
  dm.GetTalkerPosition(&x, &y);
  EXPECT_EQ(x, 35);
  EXPECT_EQ(y, 435);
  EXPECT_EQ(dm.GetMessageWidth(), 700);
  EXPECT_EQ(dm.GetMessageHeight(), 95);
  EXPECT_EQ(dm.GetTalkerHeight(), 35);
  EXPECT_EQ(dm.GetMessageFontSize(), 25);
  EXPECT_EQ(dm.GetTalkerColor(), 0xFFFFFFu);
  EXPECT_TRUE(dm.GetMessageText()->empty());
  EXPECT_EQ(s.TextCursorState, 0);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FALSE(s.TextCursorEnabled[k]);
    EXPECT_EQ(s.TextCursorAlpha[k], 255);
    EXPECT_FALSE(s.TextCursorAbsolute[k]);
  }
  EXPECT_EQ(s.SelectState, -1);
  EXPECT_EQ(dm.GetSelectFontSize(), 20);
  EXPECT_EQ(dm.GetSelectItemWidth(), 500);
  EXPECT_EQ(dm.GetSelectItemHeight(), 25);
  EXPECT_EQ(s.SelectTextColor[1], 0xC0C0C0u);
  EXPECT_EQ(s.SelectBorderColor[2], 0x808080u);
  EXPECT_EQ(s.SelectBottomMargin, 175);
  EXPECT_EQ(s.SelectMargin, 10);
  EXPECT_EQ(s.SelectWindowAlpha, 255);
  EXPECT_EQ(dm.GetTargetBGColor(), 0u);
  EXPECT_EQ(dm.GetCurrentBGColor(), 0u);
  // A new manager loads nothing.
  EXPECT_TRUE(dm.log.empty());
}

TEST_F(DrawManagerTest, ResetRestoresEveryDefaultButTheConfigTextSpeedAndReleasesTheImages) {
  ScopedWorkingDir dir;
  RecordingDrawManager fresh;
  fresh.SetConfigTextSpeed(30);

  dm.SetConfigTextSpeed(30);
  dm.SetTextSpeed(12);
  dm.SetTextWindowVisible(false);
  dm.SetTextWindowForced(true);
  dm.SetTextWindow(TRect{0, 0, 10, 10}, 0x11, 7, 3, 0x22);
  dm.SetRubyFont("r");
  dm.SetMessagePosition(1, 2);
  dm.SetTalkerFontSize(9);
  dm.SetMessageText(Section({Line({Glyph("a", 10, 20)})}));
  dm.SetTextCursor(2);
  dm.SetTextCursorEnabled(1, 1, 1, 1);
  dm.SetSelectItemWidth(3);
  dm.SetSelectCursorSound("c.wav");
  dm.SetSelectWindow(4, 1, 2, 3, 9, 5, 6, 7, 8);
  const TextTokenSection items[2] = {Section({}), Section({})};
  dm.StartSelect("v", 2, items);
  dm.SetTargetBGColor(0x123);
  dm.SetCurrentBGColor(0x456);
  dm.RegisterImage("a.png");
  dm.RegisterImage("b.png");
  dm.ClearLog();

  dm.Reset();
  EXPECT_EQ(dm.log, (Log{"ReleaseImage(a.png)", "ReleaseImage(b.png)"}));
  EXPECT_TRUE(dm.GetLoadedImages().empty());
  EXPECT_FALSE(dm.IsTextWindowForced());
  EXPECT_TRUE(dm.Settings().Hover.empty());
  EXPECT_EQ(dm.GetTextSpeed(), -30);
  EXPECT_EQ(SavedBlock(dm, "reset.dat"), SavedBlock(fresh, "fresh.dat"));
}

// A game's draw manager that overrides a setter.
class OverridingDrawManager : public RecordingDrawManager {
 public:
  void SetMessageFontSize(std::int32_t size) override {
    log.push_back("SetMessageFontSize(" + std::to_string(size) + ")");
    RecordingDrawManager::SetMessageFontSize(size + 1);
  }
};

TEST(DrawManagerResetTest, ResetGoesThroughTheVirtualSetters) {
  OverridingDrawManager dm;
  EXPECT_EQ(dm.GetMessageFontSize(), 25);  // the constructor does not call it
  EXPECT_TRUE(dm.log.empty());
  dm.Reset();
  EXPECT_EQ(dm.log, (Log{"SetMessageFontSize(25)"}));
  EXPECT_EQ(dm.GetMessageFontSize(), 26);
}

TEST_F(DrawManagerTest, TextSpeedSignTellsWhichSpeedApplies) {
  dm.SetTextSpeed(-1);
  EXPECT_EQ(dm.GetTextSpeed(), -60);
  dm.SetTextSpeed(0);
  EXPECT_EQ(dm.GetTextSpeed(), 0);
  dm.SetTextSpeed(15);
  EXPECT_EQ(dm.GetTextSpeed(), 15);
  dm.SetTextSpeed(-5);
  dm.SetConfigTextSpeed(30);
  EXPECT_EQ(dm.GetTextSpeed(), -30);
  EXPECT_EQ(dm.GetConfigTextSpeed(), 30);
}

TEST_F(DrawManagerTest, TextWindowRectangleOutOfOrderIsFatalWithItsValues) {
  EXPECT_FATAL(dm.SetTextWindow(TRect{100, 5, 99, 50}, 0, 255, 1, 0),
               "矩形の指定が間違っています！\n（SetTextWindow.Position = {100, 5, 99, 50}）");
}

TEST_F(DrawManagerTest, TextWindowRectangleUpsideDownIsFatal) {
  EXPECT_FATAL(dm.SetTextWindow(TRect{0, 9, 10, 8}, 0, 255, 1, 0),
               "矩形の指定が間違っています！\n（SetTextWindow.Position = {0, 9, 10, 8}）");
}

TEST_F(DrawManagerTest, SourceRectangleWithNegativeTopIsFatalAlthoughInOrder) {
  EXPECT_FATAL(dm.SetTextWindow("w.png", 0, 0, 255, TRect{0, -1, 10, 10}),
               "転送元矩形の指定が間違っています！\n（SetTextWindow.SrcRect = {0, -1, 10, 10}）");
  EXPECT_TRUE(dm.GetLoadedImages().empty());
}

TEST_F(DrawManagerTest, TextCursorSettersNameThemselvesInTheMessage) {
  const TRect bad{5, 0, 4, 0};
  EXPECT_FATAL(dm.SetTextCursorNone("c", 0, 0, 255, bad, 0),
               "転送元矩形の指定が間違っています！\n（SetTextCursorNone.SrcRect = {5, 0, 4, 0}）");
  EXPECT_FATAL(dm.SetTextCursorClick("c", 0, 0, 255, bad, 0),
               "転送元矩形の指定が間違っています！\n（SetTextCursorClick.SrcRect = {5, 0, 4, 0}）");
  EXPECT_FATAL(
      dm.SetTextCursorGoNext("c", 0, 0, 255, bad, 0),
      "転送元矩形の指定が間違っています！\n（SetTextCursorGoNext.SrcRect = {5, 0, 4, 0}）");
  EXPECT_FATAL(
      dm.SetTextCursorBackLog("c", 0, 0, 255, TRect{-1, 0, 4, 0}, 0),
      "転送元矩形の指定が間違っています！\n（SetTextCursorBackLog.SrcRect = {-1, 0, 4, 0}）");
}

TEST_F(DrawManagerTest, SelectWindowChecksItsRectanglesInOrder) {
  const TRect good{0, 0, 10, 10};
  EXPECT_FATAL(
      dm.SetSelectWindow("s", 255, TRect{0, 0, -1, 0}, TRect{0, -2, 0, 0}, good),
      "転送元矩形の指定が間違っています！\n（SetSelectWindow[Normal].SrcRect = {0, 0, -1, 0}）");
  EXPECT_FATAL(
      dm.SetSelectWindow("s", 255, good, TRect{0, -2, 0, 0}, TRect{3, 0, 0, 0}),
      "転送元矩形の指定が間違っています！\n（SetSelectWindow[OnCursor].SrcRect = {0, -2, 0, 0}）");
  EXPECT_FATAL(
      dm.SetSelectWindow("s", 255, good, good, TRect{3, 0, 0, 0}),
      "転送元矩形の指定が間違っています！\n（SetSelectWindow[OnHold].SrcRect = {3, 0, 0, 0}）");
}

TEST_F(DrawManagerTest, ImageFormsStoreTheirValuesAndRegisterTheImage) {
  dm.SetTextWindow("w.png", 3, 4, 200, TRect{0, 0, 750, 150});
  dm.SetTextCursorClick("c.png", 5, 6, 100, TRect{0, 0, 16, 16}, 1);
  dm.SetSelectWindow("s.png", 128, TRect{0, 0, 520, 45}, TRect{0, 45, 520, 90},
                     TRect{0, 90, 520, 135});
  const auto& s = dm.Settings();
  EXPECT_TRUE(s.TextWindowIsImage);
  EXPECT_EQ(s.TextWindowImageX, 3);
  EXPECT_EQ(s.TextWindowAlpha, 200);
  EXPECT_EQ(RectText(s.TextCursorSrcRect[1]), "{0,0,16,16}");
  EXPECT_TRUE(s.TextCursorAbsolute[1]);
  EXPECT_TRUE(s.SelectWindowIsImage);
  EXPECT_EQ(RectText(s.SelectSrcRect[2]), "{0,90,520,135}");
  EXPECT_EQ(dm.GetLoadedImages(), (Log{"w.png", "c.png", "s.png"}));

  // The drawn forms switch the image forms off but keep their images.
  dm.SetTextWindow(TRect{25, 425, 775, 575}, 0, 255, 1, 0xFFFFFF);
  dm.SetSelectWindow(10, 0, 0, 0, 255, 1, 0, 0, 0);
  EXPECT_FALSE(s.TextWindowIsImage);
  EXPECT_FALSE(s.SelectWindowIsImage);
  EXPECT_TRUE(dm.IsImageInUse("w.png"));
  EXPECT_TRUE(dm.IsImageInUse("c.png"));
  EXPECT_TRUE(dm.IsImageInUse("s.png"));
  EXPECT_FALSE(dm.IsImageInUse("x.png"));
}

TEST_F(DrawManagerTest, SoundInUseAreTheChoiceSounds) {
  dm.SetSelectCursorSound("cursor.wav");
  dm.SetSelectDecideSound("decide.wav");
  EXPECT_TRUE(dm.IsSoundInUse("cursor.wav"));
  EXPECT_TRUE(dm.IsSoundInUse("decide.wav"));
  EXPECT_FALSE(dm.IsSoundInUse("other.wav"));
}

TEST_F(DrawManagerTest, StartSelectCopiesTheItemsAndEndSelectCloses) {
  const TextTokenSection items[2] = {Section({Line({Glyph("a", 10, 20)})}),
                                     Section({Line({Glyph("b", 10, 20)})})};
  dm.StartSelect("choice", 2, items);
  const auto& s = dm.Settings();
  EXPECT_EQ(s.SelectState, 0);
  EXPECT_EQ(s.SelectVariable, "choice");
  ASSERT_EQ(s.SelectItems.size(), 2u);
  EXPECT_EQ(s.SelectItems[1].at(0).at(0).Text, "b");
  EXPECT_EQ(s.Hover, (std::vector<bool>{false, false}));
  EXPECT_EQ(s.Pressed, (std::vector<bool>{false, false}));

  dm.EndSelect();
  EXPECT_EQ(s.SelectState, -1);
  EXPECT_EQ(s.SelectVariable, "");
  EXPECT_TRUE(s.SelectItems.empty());
  EXPECT_TRUE(s.Hover.empty());
  EXPECT_TRUE(s.Pressed.empty());

  dm.StartSelect("none", 0, nullptr);
  EXPECT_EQ(s.SelectState, 0);
  EXPECT_TRUE(s.SelectItems.empty());
}

// Images.

TEST_F(DrawManagerTest, RegisterImageLoadsEachNameOnce) {
  EXPECT_TRUE(dm.RegisterImage("a.png"));
  EXPECT_TRUE(dm.RegisterImage("a.png"));
  EXPECT_TRUE(dm.RegisterImage(""));
  EXPECT_EQ(dm.log, (Log{"LoadImage(a.png)"}));
  EXPECT_EQ(dm.GetLoadedImages(), (Log{"a.png"}));
}

TEST_F(DrawManagerTest, FailedLoadIsNotListedAndIsTriedAgain) {
  dm.failLoad.insert("bad.png");
  EXPECT_FALSE(dm.RegisterImage("bad.png"));
  EXPECT_TRUE(dm.GetLoadedImages().empty());
  EXPECT_FALSE(dm.RegisterImage("bad.png"));
  EXPECT_EQ(dm.log, (Log{"LoadImage(bad.png)", "LoadImage(bad.png)"}));
}

TEST_F(DrawManagerTest, UnregisterImageReleasesOnlyListedNames) {
  EXPECT_TRUE(dm.UnregisterImage("never.png"));
  EXPECT_TRUE(dm.UnregisterImage(""));
  EXPECT_TRUE(dm.log.empty());

  dm.RegisterImage("a.png");
  dm.failRelease.insert("a.png");
  EXPECT_FALSE(dm.UnregisterImage("a.png"));
  EXPECT_EQ(dm.GetLoadedImages(), (Log{"a.png"}));
  dm.failRelease.clear();
  EXPECT_TRUE(dm.UnregisterImage("a.png"));
  EXPECT_TRUE(dm.GetLoadedImages().empty());
  EXPECT_TRUE(dm.UnregisterImage("a.png"));
  EXPECT_EQ(dm.Calls("ReleaseImage"), (Log{"ReleaseImage(a.png)", "ReleaseImage(a.png)"}));
}

TEST_F(DrawManagerTest, ReleaseAllImagesGoesOnPastAFailureAndReportsIt) {
  dm.RegisterImage("a.png");
  dm.RegisterImage("b.png");
  dm.RegisterImage("c.png");
  dm.failRelease.insert("b.png");
  dm.ClearLog();
  // After each success the walk starts again at the front, so the failing name is
  // tried again once the names behind it are gone.
  EXPECT_FALSE(dm.ReleaseAllImages());
  EXPECT_EQ(dm.log, (Log{"ReleaseImage(a.png)", "ReleaseImage(b.png)", "ReleaseImage(c.png)",
                         "ReleaseImage(b.png)"}));
  EXPECT_EQ(dm.GetLoadedImages(), (Log{"b.png"}));

  dm.failRelease.clear();
  EXPECT_TRUE(dm.ReleaseAllImages());
  EXPECT_TRUE(dm.GetLoadedImages().empty());
  EXPECT_TRUE(dm.loaded.empty());
}

}  // namespace
}  // namespace vesk_test

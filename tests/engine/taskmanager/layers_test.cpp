// The task manager's layers: the source rectangle check, back-page writes, the
// character placement and priorities, and the names in use.

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/engine/taskmanager/task_manager_fixture.h"

namespace vesk_test {
namespace {

TEST_F(TaskManagerTest, ResetGivesTheDocumentedDefaults) {
  EXPECT_EQ(tm.GetMaxZ(), 32000);
  EXPECT_EQ(tm.GetMinZ(), -32000);
  EXPECT_EQ(tm.GetBGZ(), 0);
  EXPECT_EQ(tm.GetCharaBackZ(), 100);
  EXPECT_EQ(tm.GetCharaMiddleZ(), 200);
  EXPECT_EQ(tm.GetCharaFrontZ(), 300);
  EXPECT_EQ(tm.GetCharaMargin(), 30);
  EXPECT_EQ(tm.GetChPriority(0), 1u);
  EXPECT_EQ(tm.GetChPriority(1), 1u);
  EXPECT_EQ(tm.GetPage(), 0u);
  EXPECT_TRUE(tm.IsExclusiveBRCS());
  EXPECT_FALSE(tm.IsExclusiveBVCS());

  // Reset also forgets everything a game built.
  tm.SetMaxZ(5);
  tm.SetBG(ImageTask("bg.png", 800, 600));
  tm.AddSprite("s");
  tm.FlipPage();
  tm.UpdateWork().A[0] = 7;
  tm.EffectData().Type = 3;
  tm.Reset();
  EXPECT_EQ(tm.GetMaxZ(), 32000);
  EXPECT_EQ(tm.BGLayer()[1].Name, "");
  EXPECT_FALSE(tm.ExistsSprite("s"));
  EXPECT_EQ(tm.GetPage(), 0u);
  EXPECT_EQ(tm.UpdateWork().A[0], 0);
  EXPECT_EQ(tm.GetEffectType(), 0u);
}

TEST_F(TaskManagerTest, LayerSettersWriteTheBackPageAndRegisterTheImage) {
  tm.SetBG(ImageTask("bg.png", 800, 600));
  tm.SetLCh(ImageTask("l.png", 300, 500));
  tm.SetCCh(ImageTask("c.png", 300, 500));
  tm.SetRCh(ImageTask("r.png", 300, 500));
  EXPECT_EQ(tm.BGLayer()[1].Name, "bg.png");
  EXPECT_EQ(tm.BGLayer()[0].Name, "");
  EXPECT_EQ(tm.RChLayer()[1].Name, "r.png");
  EXPECT_EQ(engine.registeredImages,
            (std::vector<std::string>{"bg.png", "l.png", "c.png", "r.png"}));

  // After a flip the other page is the back page.
  tm.FlipPage();
  tm.SetBG(ImageTask("bg2.png", 800, 600));
  EXPECT_EQ(tm.BGLayer()[0].Name, "bg2.png");
  EXPECT_EQ(tm.BGLayer()[1].Name, "bg.png");
}

TEST_F(TaskManagerTest, AnEmptySourceRectangleIsAccepted) {
  DrawTask task = ImageTask("", 0, 0);
  tm.SetBG(task);
  EXPECT_EQ(engine.registeredImages, std::vector<std::string>{""});
}

TEST_F(TaskManagerTest, LayerSettersRefuseWrongSourceRectangles) {
  DrawTask reversed = ImageTask("a.png", 10, 10);
  reversed.SrcRect = TRect{5, 0, 4, 10};
  EXPECT_FATAL(tm.SetBG(reversed), "転送元矩形の指定が間違っています！\n（m_BG.SrcRect = {5, 0, 4, 10}）");
  DrawTask leftOfImage = ImageTask("a.png", 10, 10);
  leftOfImage.SrcRect = TRect{-1, 0, 10, 10};
  EXPECT_FATAL(tm.SetLCh(leftOfImage),
               "転送元矩形の指定が間違っています！\n（m_LCh.SrcRect = {-1, 0, 10, 10}）");
  DrawTask upsideDown = ImageTask("a.png", 10, 10);
  upsideDown.SrcRect = TRect{0, 11, 10, 10};
  EXPECT_FATAL(tm.SetCCh(upsideDown),
               "転送元矩形の指定が間違っています！\n（m_CCh.SrcRect = {0, 11, 10, 10}）");
  DrawTask aboveImage = ImageTask("a.png", 10, 10);
  aboveImage.SrcRect = TRect{0, -3, 10, 10};
  EXPECT_FATAL(tm.SetRCh(aboveImage),
               "転送元矩形の指定が間違っています！\n（m_RCh.SrcRect = {0, -3, 10, 10}）");
  EXPECT_TRUE(engine.registeredImages.empty());
}

TEST_F(TaskManagerTest, CharactersArePlacedByMarginAndScreenSize) {
  tm.SetLCh(ImageTask("l.png", 300, 500));
  tm.SetCCh(ImageTask("c.png", 300, 500));
  tm.SetRCh(ImageTask("r.png", 300, 500));
  tm.UpdateCharaPositions();
  const DrawTask& left = tm.LChLayer()[1];
  const DrawTask& centre = tm.CChLayer()[1];
  const DrawTask& right = tm.RChLayer()[1];
  EXPECT_EQ(left.X, 30);
  EXPECT_EQ(left.Y, 100);
  EXPECT_EQ(centre.X, 250);
  EXPECT_EQ(centre.Y, 100);
  EXPECT_EQ(right.X, 470);
  EXPECT_EQ(right.Y, 100);

  tm.SetCharaMargin(0);
  tm.UpdateCharaPositions();
  EXPECT_EQ(tm.LChLayer()[1].X, 0);
  EXPECT_EQ(tm.RChLayer()[1].X, 500);
}

TEST_F(TaskManagerTest, ACentreCharacterWiderThanTheScreenIsCentredAtANegativePosition) {
  tm.SetCCh(ImageTask("wide.png", 1000, 700));
  tm.UpdateCharaPositions();
  EXPECT_EQ(tm.CChLayer()[1].X, -100);
  EXPECT_EQ(tm.CChLayer()[1].Y, -100);
  // An odd overhang rounds down, as halving does for an even screen.
  tm.SetCCh(ImageTask("wide.png", 801, 600));
  tm.UpdateCharaPositions();
  EXPECT_EQ(tm.CChLayer()[1].X, -1);
}

// The Z that each priority gives the left, centre and right character.
struct PriorityCase {
  std::uint32_t priority;
  std::int32_t left;
  std::int32_t centre;
  std::int32_t right;
};

TEST_F(TaskManagerTest, EachPriorityOrdersTheThreeCharacters) {
  const PriorityCase cases[] = {
      {0, 100, 200, 300}, {1, 100, 300, 200}, {2, 200, 100, 300},
      {3, 300, 100, 200}, {4, 300, 200, 100}, {5, 200, 300, 100},
  };
  tm.SetBGZ(-5);
  for (const PriorityCase& c : cases) {
    SCOPED_TRACE(c.priority);
    tm.SetChPriority(c.priority);
    // The priority is written on the back page; placement uses the shown one.
    tm.FlipPage();
    tm.UpdateCharaPositions();
    for (int page = 0; page < 2; ++page) {
      EXPECT_EQ(tm.LChLayer()[page].Z, c.left);
      EXPECT_EQ(tm.CChLayer()[page].Z, c.centre);
      EXPECT_EQ(tm.RChLayer()[page].Z, c.right);
      EXPECT_EQ(tm.BGLayer()[page].Z, -5);
    }
    tm.FlipPage();
  }
}

TEST_F(TaskManagerTest, ThePriorityTakesEffectOnlyWhenItsPageIsShown) {
  tm.SetChPriority(5);
  EXPECT_EQ(tm.GetChPriority(1), 5u);
  EXPECT_EQ(tm.GetChPriority(0), 1u);
  tm.UpdateCharaPositions();
  // Still priority 1 (the default): centre in front, left at the back.
  EXPECT_EQ(tm.LChLayer()[0].Z, 100);
  EXPECT_EQ(tm.CChLayer()[0].Z, 300);
  EXPECT_EQ(tm.RChLayer()[0].Z, 200);
  tm.FlipPage();
  tm.UpdateCharaPositions();
  EXPECT_EQ(tm.LChLayer()[0].Z, 200);
  EXPECT_EQ(tm.CChLayer()[0].Z, 300);
  EXPECT_EQ(tm.RChLayer()[0].Z, 100);
}

TEST_F(TaskManagerTest, APriorityAboveFiveIsRefused) {
  EXPECT_FATAL(tm.SetChPriority(6), "優先順位の指定が間違っています！（ChPriority = 6）");
}

TEST_F(TaskManagerTest, ImagesAreInUseOnEitherPageOfEveryHolder) {
  EXPECT_FALSE(tm.IsImageInUse("only-back.png"));
  tm.AddSprite("s");
  tm.SetSpriteImage("s", "only-back.png", 0, 0, 0, 10, 10);
  EXPECT_TRUE(tm.IsImageInUse("only-back.png"));

  AcceptInput();
  tm.AddButton("b");
  tm.SetButtonImage("b", "button.png", 0, 0, 0, 10, 10, 0, 10, 10, 20, 0, 20, 10, 30, 0, 30, 10,
                    40);
  EXPECT_TRUE(tm.IsImageInUse("button.png"));

  tm.SetRCh(ImageTask("right.png", 10, 10));
  EXPECT_TRUE(tm.IsImageInUse("right.png"));

  tm.AppendTask(ImageTask("queued.png", 10, 10));
  EXPECT_TRUE(tm.IsImageInUse("queued.png"));
  EXPECT_FALSE(tm.IsImageInUse("other.png"));
}

TEST_F(TaskManagerTest, SoundsAreInUseWhileAButtonPlaysThem) {
  AcceptInput();
  tm.AddButton("b");
  tm.SetButtonSounds("b", "hover.wav", "press.wav");
  EXPECT_TRUE(tm.IsSoundInUse("hover.wav"));
  EXPECT_TRUE(tm.IsSoundInUse("press.wav"));
  EXPECT_FALSE(tm.IsSoundInUse("other.wav"));
}

TEST_F(TaskManagerTest, TheTaskListSortsByDepthThenSubOrderThenOpacity) {
  const auto task = [](const char* name, std::int32_t z, std::uint32_t subOrder, std::uint8_t a) {
    DrawTask t = ImageTask(name, 1, 1);
    t.Z = z;
    t.SubOrder = subOrder;
    t.A = a;
    return t;
  };
  tm.AppendTask(task("front", 300, 0, 255));
  tm.AppendTask(task("last-of-zero", 0, UINT_MAX, 255));
  tm.AppendTask(task("faint", 0, 0, 10));
  tm.AppendTask(task("behind", -1, 0, 255));
  tm.AppendTask(task("opaque", 0, 0, 255));
  tm.SortTaskList();
  std::vector<std::string> order;
  for (const DrawTask& t : tm.TaskList()) order.emplace_back(t.Name.c_str());
  EXPECT_EQ(order,
            (std::vector<std::string>{"behind", "opaque", "faint", "last-of-zero", "front"}));
}

TEST_F(TaskManagerTest, CopyPageToBackMakesBothPagesEqual) {
  tm.SetBG(ImageTask("bg.png", 800, 600));
  tm.AddSprite("s");
  tm.SetSpriteImage("s", "s.png", 0, 0, 0, 5, 5);
  AcceptInput();
  tm.AddButton("b");
  tm.SetButtonImage("b", "b.png", 0, 0, 0, 1, 1, 0, 0, 2, 2, 0, 0, 3, 3, 0, 0, 4, 4);
  tm.SetChPriority(4);
  tm.FlipPage();  // what was built is shown now
  tm.CopyPageToBack();
  EXPECT_EQ(tm.BGLayer()[0].Name, "bg.png");
  EXPECT_EQ(tm.Sprites().at("s").Task[0].Name, "s.png");
  const Button& button = tm.Buttons().at("b");
  EXPECT_EQ(button.Task[0].Name, "b.png");
  EXPECT_EQ(button.SrcRect[0][3].right, 4);
  EXPECT_EQ(tm.GetChPriority(0), 4u);
}

}  // namespace
}  // namespace vesk_test

// The timed choice on the real task manager under the virtual clock: the timer
// pattern started with the choice and the variable set to 0 when it runs out, the
// timer images' checks and frames, and the bars and animations drawn while the
// timer pattern runs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/api/draw_records.h"
#include "platform/clock/clock.h"
#include "plugin/commands/timed_choice.h"
#include "plugin/transitions/page_hooks.h"
#include "tests/plugin/effects/story_frame.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::nsTaskManager::DrawTask;
using vesk_test::StoryFrameTest;

class TimedChoiceTest : public StoryFrameTest {
 protected:
  TimedChoiceTest() {
    SelectLImages().clear();
    TransitionPageHooks().drawSelectLImages = DrawSelectLImages;
  }
  ~TimedChoiceTest() override {
    SelectLImages().clear();
    TransitionPageHooks().drawSelectLImages = nullptr;
  }

  // No, image, X, Y, A, BltType, RectX, RectY, RectWidth, RectHeight, then the
  // kind's BarPattern, AnimationMaxNo, AnimationPattern at their member slots.
  void DefineImage(std::int32_t kind, std::initializer_list<std::int32_t> values,
                   const char* image = "timer.png") {
    MakeCommand<Cmd_setselectl>(kind, {image}, values).Execute();
  }

  // The queued image tasks named image.
  std::vector<DrawTask> Queued(const char* image) {
    std::uint32_t count = 0;
    std::vector<DrawTask*> tasks(nsTamskLib::kMaxPointerList);
    GetTMAccessor()->GetTaskPointers(&count, tasks.data());
    std::vector<DrawTask> found;
    for (std::uint32_t i = 0; i < count; ++i) {
      if (std::string(tasks[i]->Name.c_str()) == image) found.push_back(*tasks[i]);
    }
    return found;
  }
};

TEST_F(TimedChoiceTest, NoChoiceInTimeSetsTheVariableToZeroAndMovesOn) {
  RegisterTransitions();
  player.GetLocalHeap()->Set("result", 5);
  Cmd_selectl& choice = MakeCommand<Cmd_selectl>(2, {"result", "yes", "no"}, {3000});
  const std::int32_t start = Position();
  const std::uint32_t begin = platform::NowMs();
  choice.Execute();
  EXPECT_EQ(player.Tasks().GetUpdateType(), 28u);
  DrawFrame();  // the pattern's own clock starts with its first frame
  std::uint32_t waited = 0;
  while (Position() == start && waited < 5000) {
    platform::AdvanceVirtualClock(100);
    waited += 100;
    DrawFrame();
    choice.Execute();
  }
  EXPECT_EQ(Position(), start + 1);
  EXPECT_EQ(platform::NowMs() - begin, 3000u);
  EXPECT_EQ(player.GetLocalHeap()->Get("result"), 0);
  EXPECT_EQ(player.Tasks().GetUpdateType(), 0u);

  // Idle again: a second run starts a new timer.
  choice.Execute();
  EXPECT_EQ(player.Tasks().GetUpdateType(), 28u);

  Cmd_selectl& negative = MakeCommand<Cmd_selectl>(1, {"result", "x"}, {-1});
  EXPECT_EQ(vesk_test::CatchFatal([&] { negative.Execute(); }),
            "制限時間が負数です！（m_Time = -1）");
}

TEST_F(TimedChoiceTest, ImageChecksStopAndANumberUsedTwiceKeepsTheSecond) {
  Cmd_setselectl& number = MakeCommand<Cmd_setselectl>(Cmd_setselectl::kFixed, {"a.png"},
                                                       {-1, 0, 0, 255, 0, 0, 0, 8, 8});
  EXPECT_EQ(vesk_test::CatchFatal([&] { number.Execute(); }),
            "イメージ番号が負数です！（m_No = -1）");
  // The number comes first, before the (here empty, so faulty) other arguments.
  Cmd_setselectl& unworked = MakeCommand<Cmd_setselectl>(Cmd_setselectl::kFixed, {"a.png"}, {-1});
  EXPECT_EQ(vesk_test::CatchFatal([&] { unworked.Execute(); }),
            "イメージ番号が負数です！（m_No = -1）");
  Cmd_setselectl& bar = MakeCommand<Cmd_setselectl>(Cmd_setselectl::kBar, {"a.png"},
                                                    {0, 0, 0, 255, 0, 0, 0, 8, 8, 8});
  EXPECT_EQ(vesk_test::CatchFatal([&] { bar.Execute(); }),
            "バーのパターンの指定が間違っています！（m_BarPattern = 8）");
  Cmd_setselectl& frames = MakeCommand<Cmd_setselectl>(
      Cmd_setselectl::kAnimation, {"a.png"}, {0, 0, 0, 255, 0, 0, 0, 8, 8, 0, 0, 0});
  EXPECT_EQ(vesk_test::CatchFatal([&] { frames.Execute(); }),
            "アニメーションの枚数が0枚以下です！（m_AnimationMaxNo = 0）");
  EXPECT_TRUE(SelectLImages().empty());

  const std::int32_t start = Position();
  MakeCommand<Cmd_setselectl>(Cmd_setselectl::kClear, {}, {-1}).Execute();  // nothing to remove
  DefineImage(Cmd_setselectl::kFixed, {3, 1, 2, 255, 0, 0, 0, 8, 8}, "first.png");
  DefineImage(Cmd_setselectl::kBar, {3, 5, 6, 128, 1, 0, 0, 16, 4, 2}, "second.png");
  EXPECT_EQ(Position(), start + 3);
  ASSERT_EQ(SelectLImages().size(), 1u);
  const SelectLImage& image = SelectLImages().at(3);
  EXPECT_EQ(image.Name, "second.png");
  EXPECT_EQ(image.Kind, 1);
  EXPECT_EQ(image.BarPattern, 2);
  EXPECT_EQ(image.A, 128);
  ASSERT_EQ(image.Frames.size(), 1u);
  EXPECT_EQ(image.Frames[0].right, 16);

  // An animation steps its frames across or down by the frame size.
  DefineImage(Cmd_setselectl::kAnimation, {4, 0, 0, 255, 0, 0, 0, 32, 32, 0, 4, 1});
  const std::vector<nsTamskLib::TRect>& steps = SelectLImages().at(4).Frames;
  ASSERT_EQ(steps.size(), 4u);
  EXPECT_EQ(steps[3].left, 96);
  EXPECT_EQ(steps[3].right, 128);
  EXPECT_EQ(steps[3].top, 0);
  MakeCommand<Cmd_setselectl>(Cmd_setselectl::kClear, {}, {3}).Execute();
  EXPECT_EQ(SelectLImages().count(3), 0u);
}

TEST_F(TimedChoiceTest, BarsShrinkOrGrowAndAnimationsStepWithTheTime) {
  DefineImage(Cmd_setselectl::kBar, {0, 10, 20, 255, 0, 0, 0, 200, 10, 0}, "shrink.png");
  DefineImage(Cmd_setselectl::kBar, {1, 10, 40, 255, 0, 0, 0, 200, 10, 6}, "grow.png");
  DefineImage(Cmd_setselectl::kAnimation, {2, 0, 0, 255, 0, 0, 0, 32, 32, 0, 4, 1}, "anim.png");

  GetTMAccessor()->ClearTaskList();
  DrawSelectLImages(&player, 1500, 3000);
  ASSERT_EQ(Queued("shrink.png").size(), 1u);
  const DrawTask shrink = Queued("shrink.png")[0];
  EXPECT_EQ(shrink.SrcRect.left, 0);
  EXPECT_EQ(shrink.SrcRect.right, 100);
  EXPECT_EQ(shrink.X, 10);
  const DrawTask grow = Queued("grow.png")[0];  // pattern 6 cuts the left edge by what is left
  EXPECT_EQ(grow.SrcRect.left, 100);
  EXPECT_EQ(grow.X, 110);
  EXPECT_EQ(Queued("anim.png")[0].SrcRect.left, 64);

  GetTMAccessor()->ClearTaskList();
  DrawSelectLImages(&player, 0, 3000);
  EXPECT_EQ(Queued("anim.png")[0].SrcRect.left, 0);
  EXPECT_EQ(Queued("shrink.png")[0].SrcRect.right, 200);
  EXPECT_EQ(Queued("grow.png")[0].SrcRect.left, 200);  // nothing shown yet
  GetTMAccessor()->ClearTaskList();
  DrawSelectLImages(&player, 2999, 3000);
  EXPECT_EQ(Queued("anim.png")[0].SrcRect.left, 96);
}

TEST_F(TimedChoiceTest, TheTimerPatternDrawsTheBarEachFrameUntilTheTimeRunsOut) {
  RegisterTransitions();
  ShowBackground();
  DefineImage(Cmd_setselectl::kBar, {0, 0, 0, 255, 0, 0, 0, 200, 10, 4}, "bar.png");
  nsTamskLib::nsTaskManager::UpdateParam timer;
  timer.Type = 28;
  timer.Time = 2000;
  player.Tasks().SetUpdateData(timer);
  DrawFrame();  // the timer starts
  platform::AdvanceVirtualClock(500);
  DrawFrame();
  ASSERT_EQ(Queued("bar.png").size(), 1u);
  EXPECT_EQ(Queued("bar.png")[0].SrcRect.right, 50);  // a quarter of the bar has grown
  platform::AdvanceVirtualClock(1500);
  DrawFrame();
  EXPECT_TRUE(Queued("bar.png").empty());
  EXPECT_EQ(player.Tasks().GetUpdateType(), 0u);
}

}  // namespace

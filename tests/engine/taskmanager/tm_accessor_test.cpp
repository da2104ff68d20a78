// The task accessor and its exports: binding, every operation reaching the bound
// engine's task manager, the queueing rules and the bounded pointer lists.

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "engine/api/task_manager.h"
#include "engine/api/token_containers.h"
#include "tests/engine/taskmanager/task_manager_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::kMaxPointerList;
using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsTaskManager::ITMAccessor;

std::vector<std::string> g_Added;
INovelEngine* g_AddEngine = nullptr;

int AddPluginTask(INovelEngine* engine, const DrawTask* task) {
  g_AddEngine = engine;
  g_Added.emplace_back(task->Str[0].c_str());
  return 0;
}

class TMAccessorTest : public TaskManagerTest {
 protected:
  TMAccessorTest() {
    g_Added.clear();
    g_AddEngine = nullptr;
    SetTMAccessor(&engine);
  }
  ~TMAccessorTest() override { SetTMAccessor(nullptr); }

  ITMAccessor& accessor = *GetTMAccessor();
  StoryScreenEngine other;
};

TEST_F(TMAccessorTest, TheExportHandsOutOneAccessorForTheProcess) {
  EXPECT_NE(GetTMAccessor(), nullptr);
  EXPECT_EQ(GetTMAccessor(), &accessor);
}

TEST_F(TMAccessorTest, PagesAndRecordsAreThoseOfTheBoundEngine) {
  SetTMAccessor(&other);
  accessor.FlipPage();
  EXPECT_EQ(other.tasks.GetPage(), 1u);
  EXPECT_EQ(tm.GetPage(), 0u);
  EXPECT_EQ(accessor.GetPage(), 1u);
  SetTMAccessor(&engine);
  EXPECT_EQ(accessor.GetPage(), 0u);

  SetTMAccessor(&other);
  EXPECT_EQ(accessor.GetBGLayer(), other.tasks.BGLayer());
  EXPECT_EQ(accessor.GetLChLayer(), other.tasks.LChLayer());
  EXPECT_EQ(accessor.GetCChLayer(), other.tasks.CChLayer());
  EXPECT_EQ(accessor.GetRChLayer(), other.tasks.RChLayer());
  EXPECT_EQ(accessor.GetEffectData(), &other.tasks.EffectData());
  EXPECT_EQ(accessor.GetUpdateData(), &other.tasks.UpdateData());
}

TEST_F(TMAccessorTest, WorkElementsAreThoseOfTheBoundEngine) {
  SetTMAccessor(&other);
  nsTamskLib::nsTaskManager::WorkGroup& update = other.tasks.UpdateWork();
  nsTamskLib::nsTaskManager::WorkGroup& effect = other.tasks.EffectWork();
  for (std::uint32_t i = 0; i < 4; ++i) {
    EXPECT_EQ(accessor.GetUpdateWorkA(i), &update.A[i]);
    EXPECT_EQ(accessor.GetUpdateWorkFlag(i), &update.Flag[i]);
    EXPECT_EQ(accessor.GetUpdateWorkStr(i), &update.Str[i]);
    EXPECT_EQ(accessor.GetUpdateWorkB(i), &update.B[i]);
    EXPECT_EQ(accessor.GetUpdateWorkReal(i), &update.Real[i]);
    EXPECT_EQ(accessor.GetUpdateWorkC(i), &update.C[i]);
    EXPECT_EQ(accessor.GetEffectWorkA(i), &effect.A[i]);
    EXPECT_EQ(accessor.GetEffectWorkFlag(i), &effect.Flag[i]);
    EXPECT_EQ(accessor.GetEffectWorkStr(i), &effect.Str[i]);
    EXPECT_EQ(accessor.GetEffectWorkB(i), &effect.B[i]);
    EXPECT_EQ(accessor.GetEffectWorkReal(i), &effect.Real[i]);
    EXPECT_EQ(accessor.GetEffectWorkC(i), &effect.C[i]);
  }
  *accessor.GetUpdateWorkA(1) = 5;
  *accessor.GetEffectWorkStr(2) = "fade";
  tm.UpdateWork().C[3] = 9;
  accessor.ClearWork();
  EXPECT_EQ(update.A[1], 0);
  EXPECT_EQ(effect.Str[2], "");
  EXPECT_EQ(tm.UpdateWork().C[3], 9);
}

TEST_F(TMAccessorTest, TheTaskListIsThatOfTheBoundEngine) {
  SetTMAccessor(&other);
  DrawTask front = ImageTask("front", 1, 1);
  front.Z = 5;
  accessor.PushTaskListDirect(front);
  accessor.PushTaskList(ImageTask("back", 1, 1));
  accessor.SortTaskList();
  EXPECT_TRUE(tm.TaskList().empty());
  std::uint32_t count = 0;
  DrawTask* tasks[kMaxPointerList];
  accessor.GetTaskPointers(&count, tasks);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(tasks[0]->Name, "back");
  EXPECT_EQ(tasks[1]->Name, "front");
  // Queued tasks may be changed in place (a shake moves them).
  tasks[1]->X = 7;
  EXPECT_EQ(other.tasks.TaskList()[1].X, 7);
  accessor.ClearTaskList();
  EXPECT_TRUE(other.tasks.TaskList().empty());
}

TEST_F(TMAccessorTest, SpritesAndButtonsAreThoseOfTheBoundEngine) {
  other.tasks.AddSprite("b");
  other.tasks.AddSprite("a");
  other.tasks.LeaveExclusiveBRCS();
  other.tasks.AddButton("x");
  SetTMAccessor(&other);
  std::uint32_t count = 0;
  nsTamskLib::nsTaskManager::Sprite* sprites[kMaxPointerList];
  accessor.GetSpriteList(&count, sprites);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(sprites[0], &other.tasks.Sprites().at("a"));
  EXPECT_EQ(sprites[1], &other.tasks.Sprites().at("b"));
  EXPECT_EQ(accessor.GetSprite("b"), &other.tasks.Sprites().at("b"));
  Button* buttons[kMaxPointerList];
  accessor.GetButtonList(&count, buttons);
  ASSERT_EQ(count, 1u);
  EXPECT_EQ(buttons[0], &other.tasks.Buttons().at("x"));
  EXPECT_EQ(accessor.GetButton("x"), buttons[0]);
}

TEST_F(TMAccessorTest, PlacementAndPageCopyWorkOnTheBoundEngine) {
  other.tasks.SetLCh(ImageTask("l.png", 300, 500));
  other.tasks.FlipPage();
  SetTMAccessor(&other);
  accessor.CopyPageToBack();
  accessor.UpdateCharaPositions();
  EXPECT_EQ(other.tasks.LChLayer()[0].Name, "l.png");
  EXPECT_EQ(other.tasks.LChLayer()[0].Y, 100);
  EXPECT_EQ(tm.LChLayer()[0].Y, 0);
}

TEST_F(TMAccessorTest, FlippingTwiceRestoresThePage) {
  accessor.FlipPage();
  accessor.FlipPage();
  EXPECT_EQ(accessor.GetPage(), 0u);
}

TEST_F(TMAccessorTest, PushTaskListQueuesOnlyWhatCanBeDrawn) {
  DrawTask nothing;
  nothing.Visible = true;
  accessor.PushTaskList(nothing);

  DrawTask point;
  point.Type = nsTamskLib::nsTaskManager::kDrawFilledRect;
  point.Visible = true;
  point.Rect = TRect{10, 10, 10, 10};
  accessor.PushTaskList(point);
  DrawTask upsideDown = point;
  upsideDown.Rect = TRect{10, 11, 10, 10};
  accessor.PushTaskList(upsideDown);

  DrawTask text;
  text.Type = nsTamskLib::nsTaskManager::kDrawText;
  text.Visible = true;
  accessor.PushTaskList(text);  // no lines
  text.Text.push_back(nsTamskLib::TextTokenLine());
  accessor.PushTaskList(text);

  DrawTask transparent = ImageTask("faint.png", 1, 1);
  transparent.A = 0;
  accessor.PushTaskList(transparent);
  DrawTask hidden = ImageTask("hidden.png", 1, 1);
  hidden.Visible = false;
  accessor.PushTaskList(hidden);
  accessor.PushTaskList(ImageTask("", 1, 1));
  accessor.PushTaskList(ImageTask("shown.png", 1, 1));
  accessor.PushTaskListDirect(transparent);

  std::vector<std::uint32_t> types;
  std::vector<std::string> names;
  for (const DrawTask& task : tm.TaskList()) {
    types.push_back(task.Type);
    names.emplace_back(task.Name.c_str());
  }
  EXPECT_EQ(types, (std::vector<std::uint32_t>{1, 2, 3, 3}));
  EXPECT_EQ(names[2], "shown.png");
  EXPECT_EQ(names[3], "faint.png");
}

TEST_F(TMAccessorTest, PluginKindsAreQueuedByTheirRegisteredFunction) {
  RegisterPAddDrawTaskFunc(5, AddPluginTask);
  DrawTask task;
  task.Type = 5;
  task.Str[0] = "custom";
  SetTMAccessor(&other);
  accessor.PushTaskList(task);
  EXPECT_EQ(g_Added, std::vector<std::string>{"custom"});
  EXPECT_EQ(g_AddEngine, &other);
  EXPECT_TRUE(other.tasks.TaskList().empty());

  task.Type = 6;
  EXPECT_FATAL(accessor.PushTaskList(task), "TMAccessor::PushTaskList(const DrawTask& PushTask)");
}

TEST_F(TMAccessorTest, PointerListsStopAtTheCallersArraySize) {
  for (std::uint32_t i = 0; i < kMaxPointerList + 6; ++i) {
    accessor.PushTaskListDirect(ImageTask("t", 1, 1));
  }
  std::vector<DrawTask*> tasks(kMaxPointerList + 1, nullptr);
  std::uint32_t count = 0;
  accessor.GetTaskPointers(&count, tasks.data());
  EXPECT_EQ(count, kMaxPointerList);
  EXPECT_EQ(tasks[kMaxPointerList], nullptr);

  char name[16];
  for (std::uint32_t i = 0; i < kMaxPointerList + 1; ++i) {
    std::snprintf(name, sizeof name, "s%04u", i);
    tm.AddSprite(name);
  }
  std::vector<nsTamskLib::nsTaskManager::Sprite*> sprites(kMaxPointerList + 1, nullptr);
  accessor.GetSpriteList(&count, sprites.data());
  EXPECT_EQ(count, kMaxPointerList);
  EXPECT_EQ(sprites[kMaxPointerList], nullptr);
  EXPECT_EQ(sprites[kMaxPointerList - 1], &tm.Sprites().at("s1023"));
}

TEST_F(TMAccessorTest, MissingNamesEndWithTheOperationsSignature) {
  EXPECT_FATAL(accessor.GetSprite("nobody"), "TMAccessor::GetSprite(const char* SpriteName)");
  EXPECT_FATAL(accessor.GetButton("nobody"), "TMAccessor::GetButton(const char* ButtonName)");
}

TEST_F(TMAccessorTest, WorkIndicesPastTheGroupAreRefused) {
  EXPECT_FATAL(accessor.GetUpdateWorkA(4), "TMAccessor::GetUpdateWorkA(unsigned int i)");
  EXPECT_FATAL(accessor.GetEffectWorkReal(100), "TMAccessor::GetEffectWorkReal(unsigned int i)");
}

TEST_F(TMAccessorTest, AnUnboundAccessorIsRefused) {
  SetTMAccessor(nullptr);
  EXPECT_FATAL(accessor.GetPage(), "SetTMAccessor(INovelEngine* engine)");
}

}  // namespace
}  // namespace vesk_test

// The frame's update pass and effect passes: registered functions, the built-in
// pattern 0, their messages, the work groups and the page protocol of a transition.

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "engine/api/task_manager.h"
#include "tests/engine/taskmanager/task_manager_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsCore::INovelEngine;
using nsTamskLib::nsTaskManager::EffectParam;
using nsTamskLib::nsTaskManager::ITMAccessor;
using nsTamskLib::nsTaskManager::UpdateParam;

// What the registered test functions saw.
std::vector<std::string> g_Calls;
INovelEngine* g_LastEngine = nullptr;

int RecordCall(const char* what, INovelEngine* engine) {
  g_Calls.emplace_back(what);
  g_LastEngine = engine;
  return 0;
}

int PatternZero(INovelEngine* engine) { return RecordCall("pattern0", engine); }
int EffectStage1(INovelEngine* engine) { return RecordCall("stage1", engine); }
int EffectStage2(INovelEngine* engine) { return RecordCall("stage2", engine); }
int EffectStage3(INovelEngine* engine) { return RecordCall("stage3", engine); }

// An effect that ends itself, as the plug-in's effects do.
int EndingEffect(INovelEngine* engine) {
  SetTMAccessor(engine);
  ITMAccessor& accessor = *GetTMAccessor();
  accessor.GetEffectData()->Type = 0;
  accessor.ClearWork();
  return 0;
}

// Pushes the four layers, the sprites and the buttons of one page.
void PushPage(ITMAccessor& accessor, std::uint32_t page) {
  accessor.PushTaskList(accessor.GetBGLayer()[page]);
  accessor.PushTaskList(accessor.GetLChLayer()[page]);
  accessor.PushTaskList(accessor.GetCChLayer()[page]);
  accessor.PushTaskList(accessor.GetRChLayer()[page]);
  std::uint32_t count = 0;
  nsTamskLib::nsTaskManager::Sprite* sprites[nsTamskLib::kMaxPointerList];
  accessor.GetSpriteList(&count, sprites);
  for (std::uint32_t i = 0; i < count; ++i) accessor.PushTaskList(sprites[i]->Task[page]);
  nsTamskLib::nsTaskManager::Button* buttons[nsTamskLib::kMaxPointerList];
  accessor.GetButtonList(&count, buttons);
  for (std::uint32_t i = 0; i < count; ++i) accessor.PushTaskList(buttons[i]->Task[page]);
}

// A transition timed in frames rather than milliseconds: it shows the current page
// for Time frames, then hands over to the flip pattern.
int FramedTransition(INovelEngine* engine) {
  SetTMAccessor(engine);
  ITMAccessor& accessor = *GetTMAccessor();
  accessor.ClearTaskList();
  PushPage(accessor, accessor.GetPage());
  accessor.SortTaskList();
  std::int32_t& frames = *accessor.GetUpdateWorkA(0);
  ++frames;
  if (static_cast<std::uint32_t>(frames) >= accessor.GetUpdateData()->Time) {
    accessor.GetUpdateData()->Type = 3;
    accessor.ClearWork();
  }
  return 0;
}

// The flip pattern: show the back page and make it the current one.
int FlipPattern(INovelEngine* engine) {
  SetTMAccessor(engine);
  ITMAccessor& accessor = *GetTMAccessor();
  accessor.ClearTaskList();
  accessor.FlipPage();
  accessor.UpdateCharaPositions();
  PushPage(accessor, accessor.GetPage());
  accessor.SortTaskList();
  accessor.CopyPageToBack();
  accessor.GetUpdateData()->Type = 0;
  return 0;
}

class UpdatePatternTest : public TaskManagerTest {
 protected:
  UpdatePatternTest() {
    g_Calls.clear();
    g_LastEngine = nullptr;
  }

  std::vector<std::string> Shown() {
    std::vector<std::string> names;
    for (const DrawTask& task : tm.TaskList()) names.emplace_back(task.Name.c_str());
    return names;
  }

  void StartUpdate(std::uint32_t type, std::uint32_t time) {
    UpdateParam param;
    param.Type = type;
    param.Time = time;
    tm.SetUpdateData(param);
  }

  void StartEffect(std::uint32_t type) {
    EffectParam param;
    param.Type = type;
    tm.SetEffectData(param);
  }

  void EffectPasses() {
    tm.EffectBeforeDraw();
    tm.EffectAfterDraw();
    tm.EffectAfterTextWindow();
  }
};

TEST_F(UpdatePatternTest, ARegisteredPatternZeroReplacesTheBuiltInOne) {
  tm.AppendTask(ImageTask("left over", 1, 1));
  RegisterPUpdate(0, PatternZero);
  tm.Update();
  EXPECT_EQ(g_Calls, std::vector<std::string>{"pattern0"});
  EXPECT_EQ(g_LastEngine, &engine);
  EXPECT_EQ(Shown(), std::vector<std::string>{"left over"});
}

TEST_F(UpdatePatternTest, TheBuiltInPatternShowsTheCurrentPageInDrawOrder) {
  DrawTask bg = ImageTask("bg.png", 800, 600);
  bg.Z = 50;  // the update pass gives the background its own depth
  tm.SetBG(bg);
  tm.SetCCh(ImageTask("centre.png", 300, 500));
  tm.AddSprite("s");
  tm.SetSpriteImage("s", "sprite.png", 0, 0, 0, 10, 10);
  tm.SetSpritePosition("s", 0, 0, 150, 255);
  tm.SetSpriteVisible("s", true);
  AcceptInput();
  tm.AddButton("b");
  tm.SetButtonImage("b", "button.png", 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1);
  tm.SetButtonPosition("b", 0, 0, 1000, 255);
  tm.SetButtonVisible("b", true);
  tm.AddSprite("hidden");
  tm.SetSpriteImage("hidden", "hidden.png", 0, 0, 0, 10, 10);

  // All of it is on the back page: nothing shows yet.
  tm.Update();
  EXPECT_TRUE(Shown().empty());

  tm.FlipPage();
  tm.Update();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"bg.png", "sprite.png", "centre.png", "button.png"}));
  EXPECT_EQ(tm.CChLayer()[tm.GetPage()].X, 250);
}

TEST_F(UpdatePatternTest, AnUnregisteredPatternIsAnError) {
  StartUpdate(5, 0);
  EXPECT_FATAL(tm.Update(), "不正な更新パターンです！（m_UpdateData.Type=5）");
}

TEST_F(UpdatePatternTest, NoEffectCallsNoStageFunction) {
  RegisterPEffect1(0, EffectStage1);
  RegisterPEffect2(0, EffectStage2);
  RegisterPEffect3(0, EffectStage3);
  EffectPasses();
  EXPECT_TRUE(g_Calls.empty());
}

TEST_F(UpdatePatternTest, AnEffectRunsItsFunctionAtEachStage) {
  RegisterPEffect1(7, EffectStage1);
  RegisterPEffect2(7, EffectStage2);
  RegisterPEffect3(7, EffectStage3);
  StartEffect(7);
  EffectPasses();
  EXPECT_EQ(g_Calls, (std::vector<std::string>{"stage1", "stage2", "stage3"}));
  EXPECT_EQ(g_LastEngine, &engine);
}

TEST_F(UpdatePatternTest, AMissingStageFunctionNamesItsStage) {
  StartEffect(7);
  EXPECT_FATAL(tm.EffectBeforeDraw(), "不正な効果パターンです！（各種描画前）（m_EffectData.Type=7）");
  RegisterPEffect1(7, EffectStage1);
  EXPECT_FATAL(tm.EffectAfterDraw(),
               "不正な効果パターンです！（各種描画後（テキストウインドウ描画前））（m_EffectData.Type=7）");
  RegisterPEffect2(7, EffectStage2);
  EXPECT_FATAL(tm.EffectAfterTextWindow(),
               "不正な効果パターンです！（各種描画後（テキストウインドウ描画後））（m_EffectData.Type=7）");
}

TEST_F(UpdatePatternTest, AnEffectEndingItselfAlsoClearsTheTransitionsWork) {
  RegisterPEffect1(2, EndingEffect);
  tm.UpdateWork().B[0] = 12345;  // a running transition's start time
  tm.UpdateWork().Str[1] = "kept?";
  tm.UpdateWork().Real[3] = 0.5;
  tm.EffectWork().Flag[2] = 1;
  tm.EffectWork().C[0] = -4;
  StartEffect(2);
  tm.EffectBeforeDraw();
  EXPECT_EQ(tm.GetEffectType(), 0u);
  EXPECT_EQ(tm.UpdateWork().B[0], 0);
  EXPECT_EQ(tm.UpdateWork().Str[1], "");
  EXPECT_EQ(tm.UpdateWork().Real[3], 0.0);
  EXPECT_EQ(tm.EffectWork().Flag[2], 0);
  EXPECT_EQ(tm.EffectWork().C[0], 0);
  // The later stages of this frame see no effect any more.
  tm.EffectAfterDraw();
  tm.EffectAfterTextWindow();
}

class PageProtocolTest : public UpdatePatternTest {
 protected:
  PageProtocolTest() {
    RegisterPUpdate(10, FramedTransition);
    RegisterPUpdate(3, FlipPattern);
    // What is shown now, and the next picture built on the back page.
    tm.SetBG(ImageTask("old.png", 800, 600));
    tm.SetChPriority(0);
    tm.FlipPage();
    tm.CopyPageToBack();
    tm.SetBG(ImageTask("new.png", 800, 600));
    tm.SetChPriority(4);
  }
};

TEST_F(PageProtocolTest, TheBackPageStaysHiddenUntilTheFlip) {
  StartUpdate(10, 2);
  tm.Update();
  EXPECT_EQ(Shown(), std::vector<std::string>{"old.png"});
  tm.Update();
  EXPECT_EQ(Shown(), std::vector<std::string>{"old.png"});
  EXPECT_EQ(tm.GetUpdateType(), 3u);
  EXPECT_EQ(tm.UpdateWork().A[0], 0);

  const std::uint32_t before = tm.GetPage();
  tm.Update();
  EXPECT_EQ(Shown(), std::vector<std::string>{"new.png"});
  EXPECT_EQ(tm.GetPage(), 1 - before);
  EXPECT_EQ(tm.GetUpdateType(), 0u);
  // The back page starts as a copy of what is shown.
  EXPECT_EQ(tm.BGLayer()[0].Name, "new.png");
  EXPECT_EQ(tm.BGLayer()[1].Name, "new.png");
  EXPECT_EQ(tm.GetChPriority(0), 4u);
  EXPECT_EQ(tm.GetChPriority(1), 4u);

  tm.Update();  // the built-in pattern 0 keeps showing it
  EXPECT_EQ(Shown(), std::vector<std::string>{"new.png"});
}

TEST_F(PageProtocolTest, ATransitionOfTimeZeroEndsOnItsFirstFrame) {
  StartUpdate(10, 0);
  tm.Update();
  EXPECT_EQ(Shown(), std::vector<std::string>{"old.png"});
  EXPECT_EQ(tm.GetUpdateType(), 3u);
  tm.Update();
  EXPECT_EQ(Shown(), std::vector<std::string>{"new.png"});
}

TEST_F(UpdatePatternTest, TheBuiltInPatternTakesTheFirst1024SpritesAndButtonsByName) {
  AcceptInput();
  char name[16];
  for (int i = 0; i < 1100; ++i) {
    std::snprintf(name, sizeof name, "s%04d", i);
    tm.AddSprite(name);
    tm.Sprites().at(name).Task[0] = ImageTask(name, 1, 1);
  }
  for (int i = 0; i < 1030; ++i) {
    std::snprintf(name, sizeof name, "b%04d", i);
    tm.AddButton(name);
    tm.Buttons().at(name).Task[0] = ImageTask(name, 1, 1);
  }
  tm.Update();
  const std::vector<std::string> shown = Shown();
  ASSERT_EQ(shown.size(), 2048u);
  const std::set<std::string> names(shown.begin(), shown.end());
  EXPECT_EQ(names.size(), 2048u);
  EXPECT_EQ(names.count("s1023"), 1u);
  EXPECT_EQ(names.count("s1024"), 0u);
  EXPECT_EQ(names.count("b1023"), 1u);
  EXPECT_EQ(names.count("b1024"), 0u);
}

}  // namespace
}  // namespace vesk_test

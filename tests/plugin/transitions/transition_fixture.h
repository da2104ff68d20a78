#pragma once
// TransitionTest: the engine's real task manager and a recording draw back end
// behind the story-screen engine, the plug-in's host table bound to the engine's
// exports, the plug-in's update patterns registered with the engine, and the
// virtual clock. Frame() runs one update pass (the pattern of the current update
// record) and returns the sorted task list. Header-only.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/api/draw_records.h"
#include "engine/api/plugin_api.h"
#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "plugin/entry/registration.h"
#include "tests/engine/fakes/recording_draw_manager.h"
#include "tests/engine/fakes/story_screen_engine.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {

using nsTamskLib::nsTaskManager::DrawTask;

inline constexpr std::uint32_t kStartClock = 10000;

// An opaque image task: name drawn whole ({0, 0, width, height}) at x, y.
inline DrawTask ImageTask(const char* name, std::int32_t x, std::int32_t y, std::int32_t width = 800,
                          std::int32_t height = 600) {
  DrawTask task;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  task.Visible = true;
  task.A = 255;
  task.Name = name;
  task.X = x;
  task.Y = y;
  task.SrcRect = nsTamskLib::TRect{0, 0, width, height};
  return task;
}

// "name x,y {l,t,r,b} a<alpha> s<subOrder>", or "rect {l,t,r,b} 0x<colour> z<Z>".
inline std::string Describe(const DrawTask& task) {
  if (task.Type == nsTamskLib::nsTaskManager::kDrawFilledRect) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "0x%06X", task.Color);
    return "rect " + RectText(task.Rect) + " " + colour + (task.Z == INT32_MIN ? " zmin" : " z?");
  }
  std::string text = task.Name.c_str();
  text.append(" ").append(std::to_string(task.X)).append(",").append(std::to_string(task.Y));
  text.append(" ").append(RectText(task.SrcRect));
  text.append(" a").append(std::to_string(task.A)).append(" s").append(std::to_string(task.SubOrder));
  return text;
}

class TransitionTest : public testing::Test {
 protected:
  TransitionTest() {
    ResetPluginState();
    BindEngineHost();
    nsTamskLib::nsPlugin::ClearRegistries();
    nsWendrick::RegistrationTables patternsOnly{};
    patternsOnly.updates = nsWendrick::WendrickRegistrationTables().updates;
    nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), patternsOnly);
    platform::UseVirtualClock(kStartClock);
    engine.drawManager = &draw;
    draw.SetEngine(&engine);
  }
  ~TransitionTest() override {
    nsTamskLib::nsPlugin::ClearRegistries();
    platform::UseRealClock();
    ResetPluginState();
  }

  nsTamskLib::nsTaskManager::TaskManager& Tasks() { return engine.tasks; }
  std::uint32_t Shown() { return engine.tasks.GetPage(); }
  std::uint32_t Hidden() { return 1 - engine.tasks.GetPage(); }
  DrawTask* BG() { return engine.tasks.BGLayer(); }

  // The shown page gets old, the hidden page new.
  void SetBG(const DrawTask& oldTask, const DrawTask& newTask) {
    BG()[Shown()] = oldTask;
    BG()[Hidden()] = newTask;
  }

  // A sprite with its shown and hidden page records.
  void SetSprite(const char* name, const DrawTask& oldTask, const DrawTask& newTask) {
    if (!engine.tasks.ExistsSprite(name)) engine.tasks.AddSprite(name);
    engine.tasks.Sprites()[name].Task[Shown()] = oldTask;
    engine.tasks.Sprites()[name].Task[Hidden()] = newTask;
  }

  // Sets the update record as a command does.
  void Start(std::uint32_t type, std::uint32_t time, std::int32_t width = 0) {
    nsTamskLib::nsTaskManager::UpdateParam param;
    param.Type = type;
    param.Time = time;
    param.Param[0] = width;
    engine.tasks.SetUpdateData(param);
  }

  // One update pass; the back-end log holds only this pass's calls.
  const std::vector<DrawTask>& Frame() {
    draw.ClearLog();
    engine.tasks.Update();
    return engine.tasks.TaskList();
  }

  // The frame's tasks described, in list order.
  std::vector<std::string> FrameText() {
    std::vector<std::string> text;
    for (const DrawTask& task : Frame()) text.push_back(Describe(task));
    return text;
  }

  void Advance(std::uint32_t ms) { platform::AdvanceVirtualClock(ms); }
  std::uint32_t UpdateType() { return engine.tasks.GetUpdateType(); }
  std::uint32_t CurrentColour() { return draw.GetCurrentBGColor(); }

  FatalTrap trap;
  StoryScreenEngine engine;
  RecordingDrawManager draw;
};

}  // namespace vesk_test

// The plug-in's update patterns in a story frame: one update pass of a strip
// pattern (the finest cut, 16-px blinds, and a curtain) and of a crossfade and a
// slide, half-way through, with every layer, sprite and button changed between the
// pages (the worst case: each is cut or doubled).

#include <cstdio>

#include <benchmark/benchmark.h>

#include "engine/plugin/plugin_registry.h"
#include "platform/clock/clock.h"
#include "plugin/entry/registration.h"
#include "tests/engine/fakes/recording_draw_manager.h"
#include "tests/engine/fakes/story_screen_engine.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace {

using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::TaskManager;

DrawTask Image(const char* name, int x, int y, int width, int height) {
  DrawTask task;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  task.Visible = true;
  task.A = 255;
  task.Name = name;
  task.X = x;
  task.Y = y;
  task.SrcRect = TRect{0, 0, width, height};
  return task;
}

void BM_TransitionFrame(benchmark::State& state) {
  vesk_test::ResetPluginState();
  vesk_test::BindEngineHost();
  nsTamskLib::nsPlugin::ClearRegistries();
  nsWendrick::RegistrationTables patternsOnly{};
  patternsOnly.updates = nsWendrick::WendrickRegistrationTables().updates;
  nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), patternsOnly);
  platform::UseVirtualClock(10000);

  vesk_test::StoryScreenEngine engine;
  vesk_test::RecordingDrawManager draw;
  engine.drawManager = &draw;
  draw.SetEngine(&engine);
  TaskManager& tm = engine.tasks;
  const std::uint32_t shown = tm.GetPage();
  tm.BGLayer()[shown] = Image("old.png", 0, 0, 800, 600);
  tm.BGLayer()[1 - shown] = Image("new.png", 0, 0, 800, 600);
  const int items = static_cast<int>(state.range(1));
  char name[32];
  for (int i = 0; i < items; ++i) {
    std::snprintf(name, sizeof name, "item%04d", i);
    tm.AddSprite(name);
    tm.Sprites()[name].Task[shown] = Image("a.png", i % 700, i % 500, 64, 64);
    tm.Sprites()[name].Task[1 - shown] = Image("b.png", i % 600, i % 400, 64, 64);
  }
  draw.SetCurrentBGColor(0);
  draw.SetTargetBGColor(0xFFFFFF);

  nsTamskLib::nsTaskManager::UpdateParam param;
  param.Type = static_cast<std::uint32_t>(state.range(0));
  param.Time = 1000;
  param.Param[0] = 40;
  for (auto _ : state) {
    tm.SetUpdateData(param);
    tm.ClearWork();
    tm.Update();  // the first frame keeps the start
    platform::AdvanceVirtualClock(500);
    tm.Update();
    platform::SetVirtualClock(10000);
    draw.ClearLog();
    benchmark::DoNotOptimize(tm.TaskList().data());
  }
  state.SetItemsProcessed(state.iterations() * 2 * (items + 1));
  platform::UseRealClock();
  nsTamskLib::nsPlugin::ClearRegistries();
  vesk_test::ResetPluginState();
}

// Patterns: 4 blind right, 21 curtain right (40 px), 1 crossfade, 13 slide down.
BENCHMARK(BM_TransitionFrame)->ArgsProduct({{4, 21, 1, 13}, {16, 256}});

}  // namespace

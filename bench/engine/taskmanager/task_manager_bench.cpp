// The task manager's share of a story frame: the buttons' mouse handling and the
// built-in pattern 0 rebuilding and sorting the task list, for a screen with four
// layers and a number of sprites and buttons (a quarter of them buttons).

#include <cstdio>

#include <benchmark/benchmark.h>

#include "tests/engine/fakes/story_screen_engine.h"

namespace {

using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::DrawTask;
using nsTamskLib::nsTaskManager::TaskManager;

DrawTask Image(const char* name, int width, int height) {
  DrawTask task;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  task.Visible = true;
  task.Name = name;
  task.SrcRect = TRect{0, 0, width, height};
  return task;
}

void BM_StoryFrame(benchmark::State& state) {
  vesk_test::StoryScreenEngine engine;
  TaskManager& tm = engine.tasks;
  tm.LeaveExclusiveBRCS();
  tm.SetBG(Image("bg.png", 800, 600));
  tm.SetLCh(Image("l.png", 300, 500));
  tm.SetCCh(Image("c.png", 300, 500));
  tm.SetRCh(Image("r.png", 300, 500));
  const int items = static_cast<int>(state.range(0));
  char name[32];
  for (int i = 0; i < items; ++i) {
    std::snprintf(name, sizeof name, "item%04d", i);
    if (i % 4 == 0) {
      tm.AddButton(name);
      tm.SetButtonImage(name, "button.png", 0, 0, 0, 100, 40, 0, 40, 100, 80, 0, 80, 100, 120, 0,
                        120, 100, 160);
      tm.SetButtonPosition(name, i % 700, i % 500, i % 1000, 255);
      tm.SetButtonVisible(name, true);
      tm.SetButtonEnabled(name, true);
    } else {
      tm.AddSprite(name);
      tm.SetSpriteImage(name, "sprite.png", 0, 0, 0, 64, 64);
      tm.SetSpritePosition(name, i % 700, i % 500, (i * 37) % 1000, static_cast<std::uint8_t>(i));
      tm.SetSpriteVisible(name, true);
    }
  }
  tm.FlipPage();
  tm.CopyPageToBack();
  engine.mouse.MoveTo(400, 300);
  for (auto _ : state) {
    tm.UpdateButtons();
    tm.Update();
    benchmark::DoNotOptimize(tm.TaskList().data());
  }
  state.SetItemsProcessed(state.iterations() * (items + 4));
}
BENCHMARK(BM_StoryFrame)->Arg(16)->Arg(64)->Arg(256);

}  // namespace

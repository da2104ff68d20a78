// One frame of the script player in the normal state: system input switched on and
// off around the buttons' mouse handling and the current command, then the frame's
// drawing with the built-in redraw, for a screen with four layers and a number of
// sprites and buttons (a quarter of them buttons). The recording draw back end
// builds a log line per call, so the figures are an upper bound of the engine's
// share.

#include <cstdio>

#include <benchmark/benchmark.h>

#include "tests/engine/fakes/script_writer.h"
#include "tests/engine/fakes/test_commands.h"
#include "tests/engine/fakes/test_player.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::TRect;
using nsTamskLib::nsTaskManager::DrawTask;

DrawTask Image(const char* name, int width, int height) {
  DrawTask task;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  task.Visible = true;
  task.A = 255;
  task.Name = name;
  task.SrcRect = TRect{0, 0, width, height};
  return task;
}

void BM_PlayerFrame(benchmark::State& state) {
  vesk_test::RegisterTestCommands();
  vesk_test::TempDir dir;
  vesk_test::ScriptWriter script;
  script.Label("@start").Stay(-1);
  const std::string file = dir.file("scenario.dat");
  if (!script.WriteScript(file)) {
    state.SkipWithError("cannot write the script");
    return;
  }
  vesk_test::TestPlayer player;
  player.LoadScript(file, player.GetIOStream());
  nsTamskLib::nsTaskManager::TaskManager& tm = player.Tasks();
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
      tm.SetButtonPosition(name, i, i, i % 50, 255);
      tm.SetButtonVisible(name, true);
      tm.SetButtonEnabled(name, true);
    } else {
      tm.AddSprite(name);
      tm.SetSpriteImage(name, "sprite.png", 0, 0, 0, 64, 64);
      tm.SetSpritePosition(name, i, i, i % 50, 200);
      tm.SetSpriteVisible(name, true);
    }
  }
  tm.EnterExclusiveBRCS();
  tm.FlipPage();
  tm.CopyPageToBack();
  for (auto _ : state) {
    player.Run();
    player.draw.ClearLog();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PlayerFrame)->Arg(16)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace

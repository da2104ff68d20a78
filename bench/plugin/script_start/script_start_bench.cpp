// The start of a long story: the engine's LoadScript of a generated script of
// 66,100 commands (text, pictures, voices and screen updates, most of them with
// strings), compiled by the script compiler host with the real plug-in, whose
// commands read their own bodies back.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "tests/tools/kit/compiled_script_fixture.h"

namespace {

constexpr int kCommands = 66100;

std::string GeneratedScript() {
  std::string source = "@start:\n";
  char line[160];
  for (int i = 0; i + 1 < kCommands; ++i) {
    switch (i % 5) {
      case 0: std::snprintf(line, sizeof line, "text \"Gard\", \"Line %d of the long story.%%cAnd its second half.\";\n", i); break;
      case 1: std::snprintf(line, sizeof line, "lch \"Data/ADV/Image/chara_%d.png\", 255, 0, 0, 0, 300, 500;\n", i % 40); break;
      case 2: std::snprintf(line, sizeof line, "playvoice \"Data/ADV/Voice/v%05d.ogg\";\n", i); break;
      case 3: std::snprintf(line, sizeof line, "bg \"Data/ADV/Image/bg_%d.png\", 0, 0, 255, 0, 0, 0, 800, 600;\n", i % 12); break;
      default: std::snprintf(line, sizeof line, "update 2, 500;\n"); break;
    }
    source += line;
  }
  source += "end;\n";
  return source;
}

void BM_ScriptStart(benchmark::State& state) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::LoadedWendrick plugin;
  std::size_t commands = 0;
  {
    nsScriptCompiler::ScriptCompiler compiler(false);
    if (!compiler.Compile(GeneratedScript()) || !compiler.Write("scenario.dat")) {
      state.SkipWithError("the generated script does not compile");
      return;
    }
    commands = compiler.Commands().size();
  }
  for (auto _ : state) {
    state.PauseTiming();
    auto player = std::make_unique<vesk_test::TestPlayer>();
    state.ResumeTiming();
    if (!player->LoadScript("scenario.dat", player->GetIOStream())) state.SkipWithError("the script does not load");
    state.PauseTiming();
    player.reset();
    state.ResumeTiming();
  }
  state.counters["commands"] = static_cast<double>(commands);
}
BENCHMARK(BM_ScriptStart)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

// The sample game's whole playthrough under the virtual clock, reported as a
// multiple of real time: the game time played over the wall time it took.

#include <benchmark/benchmark.h>
#include <time.h>

#include <fstream>
#include <sstream>

#include "tests/game/playthrough/playthrough.h"

namespace {

double CpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

std::string ReadText(const char* file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_SampleGamePlaythrough(benchmark::State& state) {
  const std::string source = ReadText(VESK_SAMPLE_SCENARIO_SOURCE);
  double gameMs = 0;
  double wallMs = 0;
  double cpuMs = 0;
  std::size_t faults = 0;
  for (auto _ : state) {
    vesk_play::Playthrough play(VESK_SAMPLE_DATA, VESK_SAMPLE_SCENARIO, source);
    const double cpuStart = CpuMs();
    play.Run();
    cpuMs += CpuMs() - cpuStart;
    gameMs += play.Driver().GameTimeMs();
    wallMs += play.Record().wallMs;
    faults += play.Driver().Faults().size();
  }
  state.counters["game_s"] = gameMs / 1000.0 / static_cast<double>(state.iterations());
  state.counters["x_real_time"] = wallMs > 0 ? gameMs / wallMs : 0;
  // On a loaded machine the wall clock waits for other work; the processor time
  // the play took gives the multiple it reaches on a machine of its own.
  state.counters["x_cpu_time"] = cpuMs > 0 ? gameMs / cpuMs : 0;
  state.counters["faults"] = static_cast<double>(faults);
}
BENCHMARK(BM_SampleGamePlaythrough)->Iterations(2)->Unit(benchmark::kSecond);

}  // namespace

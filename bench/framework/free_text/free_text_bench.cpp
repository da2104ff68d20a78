// Free text: drawing a cached line of 20 Japanese characters (the cost every
// frame pays), and rendering it the first time (the cost of a new text).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "framework/graphics/free_text_cache.h"
#include "framework/graphics/zarn_graphic.h"
#include "platform/window/window.h"
#include "tests/platform/support/graphics_test_back_end.h"

namespace {

constexpr const char* kLine = "吾輩は猫である。名前はまだ無い。どこで生";  // 20 characters
constexpr const char* kFace = "ＭＳ ゴシック";
constexpr int kSize = 24;

std::intptr_t Procedure(platform::WindowHandle, platform::MessageId, std::uintptr_t, std::intptr_t) { return 0; }

void BM_DrawCachedJapaneseLine(benchmark::State& state) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  vesk_test::GraphicsTestBackEnd back;
  nsZarn::nsGraphics::ZarnGraphic graphic;
  if (!graphic.Init("bench", Procedure, 800, 600, 0xA00000, false, false, false)) {
    state.SkipWithError("no graphics device");
    return;
  }
  graphic.DrawFreeText(kLine, 20, 40, 0xFFFFFFFFu, kFace, kSize, false, false, 0.0f);
  for (auto _ : state) {
    graphic.DrawFreeText(kLine, 20, 40, 0xFFFFFFFFu, kFace, kSize, false, false, 0.0f);
  }
  benchmark::DoNotOptimize(graphic.GetFreeTextCache().TotalBytes());
}
BENCHMARK(BM_DrawCachedJapaneseLine)->Unit(benchmark::kMicrosecond);

void BM_FirstRasterisationOfJapaneseLine(benchmark::State& state) {
  for (auto _ : state) {
    nsZarn::nsGraphics::FreeTextCache cache(0xA00000);
    auto* entry = cache.Acquire(kLine, kFace, kSize, false, false);
    benchmark::DoNotOptimize(entry);
  }
}
BENCHMARK(BM_FirstRasterisationOfJapaneseLine)->Unit(benchmark::kMicrosecond);

}  // namespace

// Effecters: one frame of a busy battle screen's effects, a full-screen fade over
// 16 or 64 animations of 64x64 frames run through an effecter list, with the
// images read from a packed archive as the game does.

#include <benchmark/benchmark.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/game/support/packed_data_stage.h"
#include "game/core/program_objects.h"
#include "game/effects/effecter_animation.h"
#include "game/effects/effecter_fade.h"
#include "game/effects/effecter_list.h"
#include "game/managers/image_table.h"

namespace {

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(v >> (8 * i) & 0xFFu));
}

// A 24-bit bottom-up BMP of one colour.
std::string SolidBmp(int width, int height) {
  const std::uint32_t row = static_cast<std::uint32_t>((width * 3 + 3) / 4 * 4);
  const std::uint32_t data = row * static_cast<std::uint32_t>(height);
  std::string bmp = "BM";
  Put32(bmp, 54 + data);
  Put32(bmp, 0);
  Put32(bmp, 54);
  Put32(bmp, 40);
  Put32(bmp, static_cast<std::uint32_t>(width));
  Put32(bmp, static_cast<std::uint32_t>(height));
  Put32(bmp, 1 | 24u << 16);
  for (int i = 0; i < 6; ++i) Put32(bmp, 0);
  bmp.append(data, '\x40');
  return bmp;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// The animations' frames and parameter file, in a packed temporary folder.
class EffectStage {
 public:
  EffectStage() : m_Stage("effecters-bench") {
    Write("Data/frames.bmp", SolidBmp(256, 64));
    std::string ini = "[Animations]\nAnimationNum=4\n";
    for (int i = 0; i < 4; ++i) {
      ini += "[Animation" + std::to_string(i) + "]\nAnimationFileName=\"Data/frames.bmp\"\n" +
             "AnimationSrcRect_Left=" + std::to_string(i * 64) + "\nAnimationSrcRect_Top=0\n" +
             "AnimationSrcRect_Right=" + std::to_string(i * 64 + 64) + "\nAnimationSrcRect_Bottom=64\n";
    }
    Write("Data/anim.ini", ini);
    m_Ready = m_Stage.Start();
  }
  bool Ready() const { return m_Ready; }

 private:
  vesk_bench::PackedDataStage m_Stage;
  bool m_Ready = false;
};

void BM_FadeOverAnimations(benchmark::State& state) {
  EffectStage stage;
  if (!stage.Ready()) {
    state.SkipWithError("no archive or graphics device");
    return;
  }
  nsVesk::cImageTable images;
  nsVesk::nsEffect::cEffecterAnimation prototype(&images);
  prototype.Load("Data/anim.ini");
  prototype.SetFrameTime(INT_MAX);  // every frame stays: the list keeps all of them
  nsVesk::nsEffect::cEffecterList list;
  list.Enable();
  const int count = static_cast<int>(state.range(0));
  for (int i = 0; i < count; ++i) {
    auto* animation = new nsVesk::nsEffect::cEffecterAnimation(prototype);
    animation->SetPosition(40 + (i * 97) % 720, 40 + (i * 53) % 520);
    list.Add(animation);
  }
  nsVesk::nsEffect::cEffecterFadeIn fade;
  fade.SetColorAndTime(0, 0x7FFFFFFF);
  fade.Start();
  for (auto _ : state) {
    nsVesk::g_Graphic.Clear(0xFF000000u);
    list.Run();
    fade.Update();
  }
  benchmark::DoNotOptimize(list.Size());
}
BENCHMARK(BM_FadeOverAnimations)->Arg(16)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace

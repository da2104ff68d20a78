// The compositor's cost per frame: full-screen blits in each blend mode, a scaled
// and rotated sprite, a typical story frame, and the same full-screen alpha blit
// through SDL's own software blitter for comparison.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "platform/graphics/compositor.h"
#include "platform/graphics/graphics_device.h"

namespace {

constexpr int kW = platform::kFrameWidth;
constexpr int kH = platform::kFrameHeight;

// Every pixel half transparent in some degree: no pixel takes a shortcut.
platform::Texture TranslucentLayer(int w, int h) {
  platform::Texture t(w, h);
  std::mt19937 random(7);
  for (int i = 0; i < w * h; ++i) {
    const std::uint32_t alpha = 1u + static_cast<std::uint32_t>(random() % 254u);
    t.Pixels()[i] = alpha << 24 | (static_cast<std::uint32_t>(random()) & 0xFFFFFFu);
  }
  return t;
}

platform::Texture OpaqueLayer(int w, int h) {
  platform::Texture t(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t.Row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>(x * 0x0101 + y * 0x010000);
  return t;
}

// A standing character: opaque inside an ellipse, transparent around it, with a
// soft edge of a few pixels.
platform::Texture Character(int w, int h) {
  platform::Texture t(w, h);
  const double cx = w / 2.0, cy = h / 2.0 + 40.0, rx = w * 0.35, ry = h * 0.55;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const double d = std::sqrt(((x - cx) / rx) * ((x - cx) / rx) + ((y - cy) / ry) * ((y - cy) / ry));
      const double a = std::clamp((1.0 - d) * 60.0, 0.0, 1.0);
      t.Row(y)[x] = static_cast<std::uint32_t>(a * 255.0) << 24 | 0x00C08060u;
    }
  }
  return t;
}

const platform::SourceRect Whole(const platform::Texture& t) { return {0, 0, t.Width(), t.Height()}; }

platform::Affine At(int x, int y) {
  platform::Affine m;
  m.dx = x;
  m.dy = y;
  return m;
}

void BM_FullScreenAlpha(benchmark::State& state) {
  platform::Texture frame(kW, kH);
  const platform::Texture layer = TranslucentLayer(kW, kH);
  for (auto _ : state) {
    platform::DrawSprite(frame, layer, Whole(layer), At(0, 0), 0xFFFFFFFFu, platform::BlendMode::Alpha);
    benchmark::DoNotOptimize(frame.Pixels());
  }
}
BENCHMARK(BM_FullScreenAlpha)->Unit(benchmark::kMillisecond);

void BM_FullScreenAdditive(benchmark::State& state) {
  platform::Texture frame(kW, kH);
  const platform::Texture layer = TranslucentLayer(kW, kH);
  for (auto _ : state) {
    platform::ClearFrame(frame, 0);
    platform::DrawSprite(frame, layer, Whole(layer), At(0, 0), 0xFFFFFFFFu, platform::BlendMode::Add);
    benchmark::DoNotOptimize(frame.Pixels());
  }
}
BENCHMARK(BM_FullScreenAdditive)->Unit(benchmark::kMillisecond);

void BM_ScaledRotatedSprite256(benchmark::State& state) {
  platform::Texture frame(kW, kH);
  const platform::Texture sprite = TranslucentLayer(256, 256);
  platform::Affine m;
  const double angle = 30.0 * 3.14159265358979 / 180.0, scale = 1.5;
  m.m11 = scale * std::cos(angle);
  m.m12 = scale * std::sin(angle);
  m.m21 = -scale * std::sin(angle);
  m.m22 = scale * std::cos(angle);
  m.dx = 300;
  m.dy = 100;
  for (auto _ : state) {
    platform::DrawSprite(frame, sprite, Whole(sprite), m, 0xFFFFFFFFu, platform::BlendMode::Alpha);
    benchmark::DoNotOptimize(frame.Pixels());
  }
}
BENCHMARK(BM_ScaledRotatedSprite256)->Unit(benchmark::kMillisecond);

// A story frame: the background, three characters and the text window at alpha 200.
void BM_StoryFrame(benchmark::State& state) {
  platform::Texture frame(kW, kH);
  const platform::Texture background = OpaqueLayer(kW, kH);
  const platform::Texture character = Character(400, 600);
  platform::Texture window(750, 150);
  for (int i = 0; i < 750 * 150; ++i) window.Pixels()[i] = 0xFF102040u;
  for (auto _ : state) {
    platform::ClearFrame(frame, 0);
    platform::DrawSprite(frame, background, Whole(background), At(0, 0), 0xFFFFFFFFu, platform::BlendMode::Alpha);
    for (int x : {-100, 200, 500}) {
      platform::DrawSprite(frame, character, Whole(character), At(x, 0), 0xFFFFFFFFu, platform::BlendMode::Alpha);
    }
    platform::DrawSprite(frame, window, Whole(window), At(25, 430), 0xC8FFFFFFu, platform::BlendMode::Alpha);
    benchmark::DoNotOptimize(frame.Pixels());
  }
}
BENCHMARK(BM_StoryFrame)->Unit(benchmark::kMillisecond);

// The full-screen alpha blit of BM_FullScreenAlpha through SDL_BlitSurface.
void BM_SdlBlitFullScreenAlpha(benchmark::State& state) {
  const platform::Texture layer = TranslucentLayer(kW, kH);
  SDL_Surface* src = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(layer.Pixels()), kW, kH, 32,
                                                        kW * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_SetSurfaceBlendMode(src, SDL_BLENDMODE_BLEND);
  for (auto _ : state) {
    SDL_BlitSurface(src, nullptr, dst, nullptr);
    benchmark::DoNotOptimize(dst->pixels);
  }
  SDL_FreeSurface(dst);
  SDL_FreeSurface(src);
}
BENCHMARK(BM_SdlBlitFullScreenAlpha)->Unit(benchmark::kMillisecond);

}  // namespace

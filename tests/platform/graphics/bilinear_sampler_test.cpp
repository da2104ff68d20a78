#include "platform/graphics/bilinear_sampler.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// Runs sampled eight at a time must equal the one-by-one samples, across steps
// in every direction, positions before and beyond the rectangle (clamped), and
// run lengths with a tail.
TEST(BilinearSampler, RunsEqualSingleSamples) {
  std::mt19937 random(99);
  platform::Texture texture(37, 23);
  for (int i = 0; i < 37 * 23; ++i) texture.Pixels()[i] = static_cast<std::uint32_t>(random());
  const platform::SourceRect rects[] = {{0, 0, 37, 23}, {5, 3, 20, 11}, {36, 22, 37, 23}};
  for (const auto& rect : rects) {
    const platform::BilinearSampler sampler(texture, rect);
    for (int trial = 0; trial < 200; ++trial) {
      const auto position = [&] { return static_cast<std::int64_t>(random() % 3000000) - 1000000; };
      const auto step = [&] { return static_cast<std::int64_t>(random() % 200000) - 100000; };
      const std::int64_t u = position(), v = position(), du = step(), dv = step();
      const int count = 1 + static_cast<int>(random() % 70);
      std::vector<std::uint32_t> fast(static_cast<std::size_t>(count)), plain(fast.size());
      sampler.SampleRun(u, v, du, dv, count, fast.data());
      sampler.SampleRunPlain(u, v, du, dv, count, plain.data());
      ASSERT_EQ(fast, plain) << "trial " << trial;
    }
  }
}

TEST(BilinearSampler, WeightsAndClamping) {
  platform::Texture texture(2, 2);
  texture.Row(0)[0] = 0xFF000000u;
  texture.Row(0)[1] = 0xFFFFFFFFu;
  texture.Row(1)[0] = 0x00000000u;
  texture.Row(1)[1] = 0x00FFFFFFu;
  const platform::BilinearSampler all(texture, {0, 0, 2, 2});
  EXPECT_EQ(all.Sample(0, 0), 0xFF000000u);               // on a texel centre
  EXPECT_EQ(all.Sample(-5 << 16, -5 << 16), 0xFF000000u);  // clamped before the rectangle
  EXPECT_EQ(all.Sample(1 << 15, 0), 0xFF808080u);         // half way from black to white
  EXPECT_EQ(all.Sample(0, 1 << 15), 0x80000000u);
  // A one-row rectangle never reads the row below it.
  const platform::BilinearSampler top(texture, {0, 0, 2, 1});
  EXPECT_EQ(top.Sample(0, 1 << 15), 0xFF000000u);
  // Texels of the rectangle outside the texture are transparent black.
  const platform::BilinearSampler beyond(texture, {1, 1, 3, 2});
  EXPECT_EQ(beyond.Sample(1 << 16, 0), 0u);
}

}  // namespace

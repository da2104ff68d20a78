#include "platform/graphics/blend_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The fast loops must give the plain loops' pixels exactly, for every mode, with
// and without modulation, and for every length (the tail of a row is handled
// apart from the vector part).
TEST(BlendRows, FastLoopsMatchThePlainLoops) {
  std::mt19937 random(1234);
  auto pixel = [&]() {
    std::uint32_t p = static_cast<std::uint32_t>(random());
    switch (random() % 4) {  // plenty of the shortcut alphas 0 and 255
      case 0: return p & 0x00FFFFFFu;
      case 1: return p | 0xFF000000u;
      default: return p;
    }
  };
  const platform::RowBlenders& plain = platform::PlainRowBlenders();
  const platform::RowBlenders& fast = platform::ActiveRowBlenders();
  for (platform::BlendMode mode :
       {platform::BlendMode::Alpha, platform::BlendMode::Add, platform::BlendMode::Subtract}) {
    for (std::uint32_t colour : {0xFFFFFFFFu, 0xC8FFFFFFu, 0x80FF8040u, 0xFF000000u, 0x01FFFFFFu}) {
      for (int count : {1, 7, 8, 9, 16, 33, 200}) {
        std::vector<std::uint32_t> src(static_cast<std::size_t>(count));
        std::vector<std::uint32_t> dst(static_cast<std::size_t>(count));
        for (auto& p : src) p = pixel();
        for (auto& p : dst) p = static_cast<std::uint32_t>(random()) | 0xFF000000u;
        // Whole runs of opaque and of transparent pixels reach the block shortcuts.
        if (count >= 16) {
          for (int i = 0; i < 8; ++i) src[static_cast<std::size_t>(i)] |= 0xFF000000u;
          for (int i = 8; i < 16; ++i) src[static_cast<std::size_t>(i)] &= 0x00FFFFFFu;
        }
        auto expected = dst;
        auto got = dst;
        plain.For(mode)(expected.data(), src.data(), count, colour);
        fast.For(mode)(got.data(), src.data(), count, colour);
        ASSERT_EQ(got, expected) << "mode " << static_cast<int>(mode) << " colour " << std::hex << colour
                                 << " count " << std::dec << count;
      }
    }
  }
}

TEST(BlendRows, AlphaBlendRoundsToNearest) {
  // (s * a + d * (255 - a) + 127) / 255 on every channel, alpha kept at 0xFF.
  std::uint32_t dst = 0xFF000000u | 0x10u << 16 | 0xF0u << 8 | 0x80u;
  const std::uint32_t src = 0x40u << 24 | 0xFFu << 16 | 0x00u << 8 | 0x81u;
  platform::PlainRowBlenders().alpha(&dst, &src, 1, 0xFFFFFFFFu);
  // R: (255*64 + 16*191 + 127) / 255 = 76; G: (0 + 240*191 + 127) / 255 = 180;
  // B: (129*64 + 128*191 + 127) / 255 = 128.
  EXPECT_EQ(dst, 0xFF4CB480u);
}

}  // namespace

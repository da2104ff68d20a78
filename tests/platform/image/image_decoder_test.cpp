#include "platform/image/image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/platform/image/test_images.h"

namespace {

std::unique_ptr<platform::Texture> Decode(const std::string& bytes, const char* name = "image",
                                          std::uint32_t key = 0) {
  return platform::DecodeImage(bytes.data(), bytes.size(), name, key);
}

std::vector<std::uint32_t> PixelsOf(const platform::Texture& t) {
  return {t.Pixels(), t.Pixels() + static_cast<std::size_t>(t.Width()) * t.Height()};
}

const std::vector<std::uint32_t> kFour = {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF123456u};

TEST(ImageDecoder, PngWithAlphaKeepsStraightPixels) {
  auto t = Decode(vesk_test::MakePngRgba(2, 2, kFour), "a.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Width(), 2);
  EXPECT_EQ(t->Height(), 2);
  EXPECT_EQ(PixelsOf(*t), kFour);
}

TEST(ImageDecoder, PalettePngWithTransparency) {
  // One fully transparent entry (read as a colour key by some decoders) and one
  // half-transparent entry.
  const std::vector<std::uint32_t> palette = {0x00FF00FFu, 0xFF102030u, 0x80405060u};
  auto t = Decode(vesk_test::MakePngPalette(3, 1, palette, {0, 1, 2}), "p.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->At(0, 0) >> 24, 0u);
  EXPECT_EQ(t->At(1, 0), 0xFF102030u);
  EXPECT_EQ(t->At(2, 0), 0x80405060u);

  auto single = Decode(vesk_test::MakePngPalette(2, 1, {0x00FF00FFu, 0xFF102030u}, {0, 1}), "p.png");
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(single->At(0, 0) >> 24, 0u);
  EXPECT_EQ(single->At(1, 0), 0xFF102030u);
}

TEST(ImageDecoder, Bmp24AndBmp32AreOpaque) {
  auto t24 = Decode(vesk_test::MakeBmp(3, 2, 24, {1, 2, 3, 4, 5, 6}), "b.bmp");
  ASSERT_NE(t24, nullptr);
  EXPECT_EQ(t24->At(0, 0), 0xFF000001u);
  EXPECT_EQ(t24->At(2, 1), 0xFF000006u);

  // A plain 32-bit bitmap's fourth byte is padding, even when it varies.
  const std::vector<std::uint32_t> px = {0x00112233u, 0x80445566u, 0x10778899u, 0xFFAABBCCu};
  auto t32 = Decode(vesk_test::MakeBmp(2, 2, 32, px), "b.bmp");
  ASSERT_NE(t32, nullptr);
  EXPECT_EQ(t32->At(0, 0), 0xFF112233u);
  EXPECT_EQ(t32->At(1, 0), 0xFF445566u);
  EXPECT_EQ(t32->At(0, 1), 0xFF778899u);
  EXPECT_EQ(t32->At(1, 1), 0xFFAABBCCu);
}

TEST(ImageDecoder, TgaIsFoundByItsExtension) {
  auto t = Decode(vesk_test::MakeTga(2, 2, kFour), "Data/pic.tga");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(PixelsOf(*t), kFour);
}

TEST(ImageDecoder, JpegWithinTolerance) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 16, 16, 32, SDL_PIXELFORMAT_ARGB8888);
  ASSERT_NE(s, nullptr);
  for (int y = 0; y < 16; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(static_cast<char*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < 16; ++x) row[x] = x < 8 ? 0xFFC04020u : 0xFF2040C0u;
  }
  std::vector<char> buffer(64 * 1024);
  SDL_RWops* rw = SDL_RWFromMem(buffer.data(), static_cast<int>(buffer.size()));
  ASSERT_EQ(IMG_SaveJPG_RW(s, rw, 0, 95), 0);
  const auto size = static_cast<std::size_t>(SDL_RWtell(rw));
  SDL_RWclose(rw);
  SDL_FreeSurface(s);

  auto t = Decode(std::string(buffer.data(), size), "j.jpg");
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->Width(), 16);
  auto near = [](std::uint32_t got, std::uint32_t want) {
    for (int shift = 0; shift < 24; shift += 8) {
      const int d = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
      if (std::abs(d) > 12) return false;
    }
    return (got >> 24) == 0xFF;
  };
  EXPECT_TRUE(near(t->At(2, 8), 0xFFC04020u)) << std::hex << t->At(2, 8);
  EXPECT_TRUE(near(t->At(13, 8), 0xFF2040C0u)) << std::hex << t->At(13, 8);
}

TEST(ImageDecoder, ColourKeyComparesTheWholePixel) {
  const std::vector<std::uint32_t> px = {0xFFFF00FFu, 0x80FF00FFu, 0xFF00FF00u, 0xFFFF00FFu};
  auto keyed = Decode(vesk_test::MakePngRgba(2, 2, px), "k.png", 0xFFFF00FFu);
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(keyed->At(0, 0), 0u);
  EXPECT_EQ(keyed->At(1, 0), 0x80FF00FFu);  // a different alpha is not the key
  EXPECT_EQ(keyed->At(0, 1), 0xFF00FF00u);
  EXPECT_EQ(keyed->At(1, 1), 0u);

  // Key 0 means no key: transparent black pixels stay as they are, nothing else changes.
  auto unkeyed = Decode(vesk_test::MakePngRgba(2, 2, px), "k.png", 0);
  ASSERT_NE(unkeyed, nullptr);
  EXPECT_EQ(PixelsOf(*unkeyed), px);
}

TEST(ImageDecoder, BrokenFilesFailCleanly) {
  EXPECT_EQ(Decode(""), nullptr);
  EXPECT_EQ(Decode("not an image at all"), nullptr);
  const std::string png = vesk_test::MakePngRgba(2, 2, kFour);
  EXPECT_EQ(Decode(png.substr(0, 30), "a.png"), nullptr);  // cut inside the header
  std::string damaged = png;
  for (std::size_t i = 40; i < damaged.size(); ++i) damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
  EXPECT_EQ(Decode(damaged, "a.png"), nullptr);
  const std::string bmp = vesk_test::MakeBmp(4, 4, 24, std::vector<std::uint32_t>(16, 0));
  EXPECT_EQ(Decode(bmp.substr(0, 20), "b.bmp"), nullptr);
  EXPECT_EQ(platform::DecodeImage(nullptr, 10, "x.png", 0), nullptr);
}

TEST(ImageDecoder, OnlyTheFourFormatsWithinTheSizeLimitAreDecoded) {
  // A GIF is refused under any name; TGA needs its name.
  EXPECT_EQ(Decode(std::string("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14), "a.png"), nullptr);
  const std::string tga = vesk_test::MakeTga(2, 2, kFour);
  EXPECT_EQ(Decode(tga, "pic.bmp"), nullptr);

  // Sizes are refused from the header, before any pixel is decoded.
  std::string wideTga = tga;
  wideTga[12] = static_cast<char>(0x01);  // width 8193
  wideTga[13] = static_cast<char>(0x20);
  EXPECT_EQ(Decode(wideTga, "pic.tga"), nullptr);
  std::string shortTga = tga;
  shortTga[12] = static_cast<char>(100);  // 100 x 2 pixels in a file that holds 4
  EXPECT_EQ(Decode(shortTga, "pic.tga"), nullptr);
  std::string tallBmp = vesk_test::MakeBmp(1, 1, 24, {0});
  tallBmp[22] = static_cast<char>(0x01);  // height 8193
  tallBmp[23] = static_cast<char>(0x20);
  EXPECT_EQ(Decode(tallBmp, "b.bmp"), nullptr);
  std::string png = vesk_test::MakePngRgba(2, 2, kFour);
  png[16] = static_cast<char>(0x01);  // width 2^24 + 2
  EXPECT_EQ(Decode(png, "a.png"), nullptr);
}

}  // namespace

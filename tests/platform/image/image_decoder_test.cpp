#include "platform/image/image_decoder.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/image/image_header.h"
#include "platform/image/jpeg_reader.h"
#include "platform/image/png_reader.h"
#include "platform/work/load_quit.h"
#include "platform/work/work_meter.h"
#include "tests/platform/image/test_images.h"

namespace {

std::unique_ptr<platform::Texture> Decode(const std::string& bytes, const char* name = "image",
                                          std::uint32_t key = 0) {
  return platform::DecodeImage(bytes.data(), bytes.size(), name, key);
}

std::vector<std::uint32_t> PixelsOf(const std::unique_ptr<platform::Texture>& t) {
  if (t == nullptr) return {};
  return {t->Pixels(), t->Pixels() + static_cast<std::size_t>(t->Width()) * t->Height()};
}

// Colour channels within a JPEG's loss of the wanted ones, and opaque.
bool Near(std::uint32_t got, std::uint32_t want) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int d = static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF);
    if (std::abs(d) > 12) return false;
  }
  return (got >> 24) == 0xFF;
}

const std::vector<std::uint32_t> kFour = {0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFF123456u};

TEST(ImageDecoder, PngWithAlphaKeepsStraightPixels) {
  auto t = Decode(vesk_test::MakePngRgba(2, 2, kFour), "a.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->Width(), 2);
  EXPECT_EQ(t->Height(), 2);
  EXPECT_EQ(PixelsOf(t), kFour);
}

TEST(ImageDecoder, PalettePngWithTransparency) {
  // One fully transparent entry (read as a colour key by some decoders), which keeps
  // its colour, and one half-transparent entry.
  const std::vector<std::uint32_t> palette = {0x00FF00FFu, 0xFF102030u, 0x80405060u};
  auto t = Decode(vesk_test::MakePngPalette(3, 1, palette, {0, 1, 2}), "p.png");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(PixelsOf(t), palette);

  auto single = Decode(vesk_test::MakePngPalette(2, 1, {0x00FF00FFu, 0xFF102030u}, {0, 1}), "p.png");
  ASSERT_NE(single, nullptr);
  EXPECT_EQ(single->At(0, 0), 0x00FF00FFu);
  EXPECT_EQ(single->At(1, 0), 0xFF102030u);
}

// The pixel the PNG standard defines: samples scaled to 8 bits (by replication
// below 8 bits, with rounding from 16), opaque unless an alpha channel or tRNS (a
// palette's alphas, or the one transparent colour at the file's depth) says otherwise.
std::uint32_t StandardPixel(const vesk_test::PngSamples& png, std::size_t pixel) {
  const auto channels = static_cast<std::size_t>(vesk_test::PngChannels(png.colourType));
  const std::uint16_t* s = &png.samples[pixel * channels];
  const auto byte = [](const std::string& chunk, std::size_t i) {
    return std::uint32_t{static_cast<unsigned char>(chunk[i])};
  };
  if (png.colourType == 3) {
    const std::uint32_t alpha = s[0] < png.trns.size() ? byte(png.trns, s[0]) : 255u;
    const std::size_t rgb = s[0] * 3u;
    return alpha << 24 | byte(png.plte, rgb) << 16 | byte(png.plte, rgb + 1) << 8 | byte(png.plte, rgb + 2);
  }
  const auto to8 = [&](std::uint32_t v) {
    return png.bitDepth == 16 ? (v * 255u + 32767u) / 65535u : v * 255u / ((1u << png.bitDepth) - 1u);
  };
  bool keyed = !png.trns.empty();
  for (std::size_t c = 0; c < channels; ++c) {
    keyed = keyed && s[c] == (byte(png.trns, 2 * c) << 8 | byte(png.trns, 2 * c + 1));
  }
  const std::uint32_t alpha = keyed ? 0u : png.colourType & 4 ? to8(s[channels - 1]) : 255u;
  const std::size_t green = png.colourType & 2 ? 1 : 0;
  return alpha << 24 | to8(s[0]) << 16 | to8(s[green]) << 8 | to8(s[green * 2]);
}

TEST(ImageDecoder, PngOfEveryColourTypeDepthAndTransparencyGivesTheStandardsPixels) {
  const int kinds[][2] = {{0, 1}, {0, 2}, {0, 4}, {0, 8}, {0, 16}, {2, 8}, {2, 16}, {3, 1},
                          {3, 2}, {3, 4}, {3, 8}, {4, 8}, {4, 16}, {6, 8}, {6, 16}};
  std::uint32_t seed = 12345;
  const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
  const auto bytes = [&next](std::uint32_t count) {
    std::string random;
    while (random.size() < count) random += static_cast<char>(next());
    return random;
  };
  for (const auto& [type, depth] : kinds) {
    for (const int variant : {0, 1, 2, 3}) {  // with tRNS or not, interlaced or not
      vesk_test::PngSamples png{9, 5, type, depth, {}, "", "", variant >= 2};
      const auto channels = static_cast<std::size_t>(vesk_test::PngChannels(type));
      const std::uint32_t top = (1u << depth) - 1u;
      png.samples.resize(45 * channels);
      for (auto& sample : png.samples) sample = static_cast<std::uint16_t>(next() & top);
      if (type == 3) png.plte = bytes(3 * (top + 1));
      if (variant % 2 == 1 && type == 3) {
        png.trns = '\0' + bytes(top / 2);  // alphas for fewer entries than the palette has, the first 0
      } else if (variant % 2 == 1 && (type == 0 || type == 2)) {
        // The first pixel's colour is transparent; the second's differs from it in the
        // lowest bit only and stays opaque.
        for (std::size_t c = 0; c < channels; ++c) {
          png.samples[channels + c] = png.samples[c] ^ 1u;
          png.trns += {static_cast<char>(png.samples[c] >> 8), static_cast<char>(png.samples[c] & 0xFF)};
        }
      }
      auto t = Decode(vesk_test::MakePng(png), "t.png");
      ASSERT_NE(t, nullptr) << "type " << type << " depth " << depth << " variant " << variant;
      for (std::size_t i = 0; i < 45; ++i) {
        ASSERT_EQ(t->Pixels()[i], StandardPixel(png, i))
            << "type " << type << " depth " << depth << " variant " << variant << " pixel " << i;
      }
    }
  }
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
  EXPECT_EQ(PixelsOf(t), kFour);
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
  EXPECT_TRUE(Near(t->At(2, 8), 0xFFC04020u)) << std::hex << t->At(2, 8);
  EXPECT_TRUE(Near(t->At(13, 8), 0xFF2040C0u)) << std::hex << t->At(13, 8);
}

TEST(ImageDecoder, JpegsAreRefusedAtTheirFirstScanOverTheBound) {
  // Plain grey (every coefficient 0) decodes to 128. The decoder reads on through
  // each detour; the count ahead of it takes them as the decoder does, and the
  // decoder's own count, which holds where that one could come out lower, stops it
  // at the scan over the bound as well.
  using vesk_test::JpegDetour;
  const int limit = static_cast<int>(platform::kMaxJpegScans);
  for (const JpegDetour detour : {JpegDetour::kNone, JpegDetour::kSegmentOfLength0, JpegDetour::kSegmentOfLength1,
                                  JpegDetour::kReservedMarkerAtRestart}) {
    auto atLimit = Decode(vesk_test::MakeProgressiveJpeg(16, 16, limit, detour), "j.jpg");
    ASSERT_NE(atLimit, nullptr) << static_cast<int>(detour);
    EXPECT_EQ(PixelsOf(atLimit), std::vector<std::uint32_t>(256, 0xFF808080u)) << static_cast<int>(detour);
    const std::string over = vesk_test::MakeProgressiveJpeg(16, 16, limit + 1, detour);
    const auto* bytes = reinterpret_cast<const unsigned char*>(over.data());
    EXPECT_FALSE(platform::ImageStructureIsSound(platform::ReadImageHeader(bytes, over.size(), "j.jpg"), bytes,
                                                 over.size()))
        << static_cast<int>(detour);
    EXPECT_EQ(platform::ReadJpeg(bytes, over.size()), nullptr) << static_cast<int>(detour);
    EXPECT_EQ(Decode(over, "j.jpg"), nullptr) << static_cast<int>(detour);
  }
  // The longest legal progression at the largest size: half a minute of decoding.
  EXPECT_EQ(Decode(vesk_test::MakeProgressiveJpeg(8192, 8192, 883), "j.jpg"), nullptr);

  // Scans of no coded data, which libjpeg decodes from nothing, each over every
  // block: accepted up to the bound on passes over the picture, refused at the scan
  // over it; coefficients over the working memory (8192 x 8192 CMYK: 512 MB) are
  // refused before they are taken. A file cut short with a restart after every
  // block still shows: the rest of its scan is plain grey, one pass.
  using vesk_test::JpegCoding;
  const int passes = static_cast<int>(platform::kMaxJpegPassesOverThePicture);
  struct Shape { int side, components; JpegCoding coding; int scans; bool accepted; };
  for (const Shape& shape : {Shape{256, 1, JpegCoding::kHuffman, passes, true},
                             Shape{256, 1, JpegCoding::kHuffman, passes + 1, false},
                             Shape{256, 4, JpegCoding::kArithmetic, passes, true},
                             Shape{256, 4, JpegCoding::kArithmetic, passes + 1, false},
                             Shape{2880, 4, JpegCoding::kHuffman, 1, true},
                             Shape{8192, 4, JpegCoding::kHuffman, 2, false},
                             Shape{8192, 4, JpegCoding::kArithmetic, 2, false}}) {
    const auto t = Decode(vesk_test::MakeJpegOfEmptyScans(shape.side, shape.components, shape.coding,
                                                          shape.scans, 8400), "j.jpg");
    EXPECT_EQ(t != nullptr, shape.accepted) << shape.side << " " << shape.components << " " << shape.scans;
    if (t != nullptr && shape.components == 1) {
      EXPECT_EQ(t->At(shape.side - 1, shape.side - 1), 0xFF808080u);
    }
  }
  EXPECT_EQ(PixelsOf(Decode(vesk_test::MakeCutShortRestartJpeg(512, 100, 0), "j.jpg")),
            std::vector<std::uint32_t>(512 * 512, 0xFF808080u));
}

TEST(ImageDecoder, PngKeepsNoneOfItsTextAndBoundsItsMemory) {
  // Hundreds of compressed text chunks, each inflating to 8 MB, in front of the
  // picture (a file of about 4 MB): the picture decodes and libpng keeps nothing of
  // them, nor of the other chunks beside the picture's own.
  const std::string zeros(8u << 20, '\0');
  uLongf packedSize = compressBound(zeros.size());
  std::string packed(packedSize, '\0');
  ASSERT_EQ(compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                      reinterpret_cast<const Bytef*>(zeros.data()), zeros.size(), 9),
            Z_OK);
  packed.resize(packedSize);
  std::vector<std::pair<std::string, std::string>> chunks = {
      {"tEXt", std::string("Title\0plain", 11)},
      {"iCCP", std::string("profile\0\0", 9) + packed},
      {"eXIf", std::string("MM\0*\0\0\0\x08\0\0", 10)},
      {"prVt", "a chunk no reader knows"}};
  for (int i = 0; chunks.size() < 500; ++i) {
    const std::string keyword = "Comment" + std::to_string(i);
    chunks.emplace_back("zTXt", keyword + std::string(2, '\0') + packed);
    chunks.emplace_back("iTXt", keyword + std::string("\0\1\0\0\0", 5) + packed);
  }
  const std::string png = vesk_test::WithChunksBeforeImageData(vesk_test::MakePngRgba(2, 2, kFour), chunks);
  ASSERT_GT(png.size(), 3u << 20);

  platform::PngReadRecord record;
  const auto* bytes = reinterpret_cast<const unsigned char*>(png.data());
  EXPECT_EQ(PixelsOf(platform::ReadPng(bytes, png.size(), &record)), kFour);
  EXPECT_EQ(record.ancillaryChunksKept, 0u);
  EXPECT_LT(record.peakLibraryBytes, std::size_t{256} << 10);
  EXPECT_EQ(PixelsOf(Decode(png, "a.png")), kFour);
}

TEST(ImageDecoder, CmykJpegsAreConvertedToOpaqueRgb) {
  // The corpus's 8 x 8 CMYK pictures store the ink (4i, 100, 50, 255 - i) at pixel i:
  // inverted (0 is full ink) where Adobe's marker says so, else as it is. A channel
  // is the light its ink lets through times the light black lets through.
  for (const char* name : {"jpeg-cmyk-adobe.jpg", "jpeg-ycck-adobe.jpg", "jpeg-cmyk-plain.jpg"}) {
    std::ifstream in(std::string(VESK_IMAGE_CORPUS "/") + name, std::ios::binary);
    auto t = Decode({std::istreambuf_iterator<char>(in), {}}, name);
    ASSERT_NE(t, nullptr) << name;
    const bool inverted = std::string(name).find("adobe") != std::string::npos;
    for (const unsigned i : {0u, 27u, 63u}) {
      const auto light = [&](unsigned ink) { return inverted ? ink : 255u - ink; };
      std::uint32_t want = 0xFFu;
      for (const unsigned ink : {4u * i, 100u, 50u}) {
        want = want << 8 | (light(ink) * light(255u - i) + 127u) / 255u;
      }
      const std::uint32_t got = t->At(static_cast<int>(i % 8), static_cast<int>(i / 8));
      EXPECT_TRUE(Near(got, want)) << name << " pixel " << i << std::hex << ": " << got << " for " << want;
    }
  }
}

TEST(ImageDecoder, EveryReaderStopsWhenItsLoadIsTooSlowOrAQuitIsAsked) {
  using platform::DecodeFailure;
  std::ifstream baseline(VESK_IMAGE_CORPUS "/small.jpg", std::ios::binary);
  const std::pair<const char*, std::string> files[] = {
      {"baseline.jpg", {std::istreambuf_iterator<char>(baseline), {}}},
      {"progressive.jpg", vesk_test::MakeProgressiveJpeg(16, 16, 10)},
      {"a.png", vesk_test::MakePngRgba(2, 2, kFour)},
      {"b.bmp", vesk_test::MakeBmp(3, 2, 24, {1, 2, 3, 4, 5, 6})},
      {"pic.tga", vesk_test::MakeTga(2, 2, kFour)},
      {"p.ppm", "P3\n2 1\n255\n1 2 3 160 176 192\n"}};
  for (const auto& [name, bytes] : files) {
    const auto decodes = [&, name = name](DecodeFailure want) {
      DecodeFailure failure = DecodeFailure::kUnreadable;
      const bool decoded = platform::DecodeImage(bytes.data(), bytes.size(), name, 0, &failure) != nullptr;
      EXPECT_EQ(decoded, want == DecodeFailure::kNone) << name;
      EXPECT_EQ(failure, want) << name;
    };
    decodes(DecodeFailure::kNone);
    {
      const platform::LoadMeter spent(0);
      decodes(DecodeFailure::kTooSlow);
    }
    platform::RequestLoadsStop();
    decodes(DecodeFailure::kQuit);
    platform::LetLoadsRun();
  }
}

TEST(ImageDecoder, PortableAnymapsAreRead) {
  const std::vector<std::uint32_t> blackWhite = {0xFFFFFFFFu, 0xFF000000u};
  EXPECT_EQ(PixelsOf(Decode("P1\n# comment\n2 1\n0 1\n")), blackWhite);
  EXPECT_EQ(PixelsOf(Decode(std::string("P4 2 1\n\x40", 8))), blackWhite);
  EXPECT_EQ(PixelsOf(Decode("P2 2 1 15 0 15\n")), (std::vector<std::uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
  EXPECT_EQ(PixelsOf(Decode(std::string("P5 1 1 255\n\x80", 12))), std::vector<std::uint32_t>{0xFF808080u});
  const std::vector<std::uint32_t> colours = {0xFF010203u, 0xFFA0B0C0u};
  EXPECT_EQ(PixelsOf(Decode("P3\n2 1\n255\n1 2 3 160 176 192\n")), colours);
  EXPECT_EQ(PixelsOf(Decode(std::string("P6 2 1 255\n\x01\x02\x03\xA0\xB0\xC0", 17))), colours);
  EXPECT_EQ(Decode(std::string("P6 2 1 255\n\x01\x02\x03", 14)), nullptr);  // pixels cut short
  // A comment touching a number ends the number: the picture is 2 by 1, not 2 by
  // the comment's digits (which a decoder reading them would allocate and walk).
  EXPECT_EQ(PixelsOf(Decode(std::string("P4 2#1111111113\n1\n\x40", 19))), blackWhite);
}

TEST(ImageDecoder, TgaColourMapKeepsTheColourOfItsTransparentEntry) {
  // Colour-mapped, two 32-bit entries (B, G, R, A), the first fully transparent.
  std::string tga = {0, 1, 1, 0, 0, 2, 0, 32, 0, 0, 0, 0, 2, 0, 1, 0, 8, 0x28};
  tga += {'\x30', '\x20', '\x10', '\0', '\x60', '\x50', '\x40', '\xFF', 0, 1};
  auto t = Decode(tga, "pic.tga");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(PixelsOf(t), (std::vector<std::uint32_t>{0x00102030u, 0xFF405060u}));
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
  EXPECT_EQ(PixelsOf(unkeyed), px);
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

TEST(ImageDecoder, OnlyTheReadFormatsWithinTheSizeLimitAreDecoded) {
  // GIF, ICO, TIFF, WebP, DDS, Radiance HDR and PFM are refused under any name; TGA needs its name.
  using namespace std::string_literals;
  for (const std::string& other :
       {"GIF89a\x01\x00\x01\x00\x00\x00\x00;"s, "\0\0\1\0\1\0\x01\x01\0\0\1\0\x20\0"s, "II*\0\x08\0\0\0"s,
        "RIFF\x1a\0\0\0WEBPVP8L"s, "DDS |\0\0\0"s, "#?RADIANCE\n"s, "PF\n1 1\n-1\n"s}) {
    EXPECT_EQ(Decode(other, "a.png"), nullptr) << other;
  }
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

// Exact pixels of the sprite routine on captured frames.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "tests/framework/graphics/graphic_fixture.h"

namespace {

using nsZarn::nsGraphics::Blend;
using nsZarn::nsGraphics::BlendOp;
using nsZarn::nsGraphics::Rect;

constexpr std::uint32_t kBackground = 0xFF204060u;

platform::Texture MakeTexture(int w, int h, const std::vector<std::uint32_t>& px) {
  platform::Texture t(w, h);
  for (int i = 0; i < w * h; ++i) t.Pixels()[i] = px[static_cast<std::size_t>(i)];
  return t;
}

class SpriteDrawing : public vesk_test::GraphicFixture {
 protected:
  void SetUp() override {
    GraphicFixture::SetUp();
    m_Graphic.Clear(kBackground);
  }
  void Alpha(const platform::Texture& t, int x, int y, const Rect* src = nullptr, float sx = 1.0f, float sy = 1.0f,
             float angle = 0.0f, std::uint32_t colour = 0xFFFFFFFFu) {
    m_Graphic.DrawSpriteEx(&t, x, y, colour, src, BlendOp::Add, Blend::SrcAlpha, Blend::InvSrcAlpha, sx, sy, angle);
  }
};

// A 4 x 2 picture with a different opaque colour in every texel: texel (i, j) is
// 0xFF0000ij in hex digits.
platform::Texture Numbered() {
  std::vector<std::uint32_t> px;
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 4; ++i) px.push_back(0xFF000000u | static_cast<std::uint32_t>(i << 4 | j));
  return MakeTexture(4, 2, px);
}
std::uint32_t Texel(int i, int j) { return 0xFF000000u | static_cast<std::uint32_t>(i << 4 | j); }

TEST_F(SpriteDrawing, ThreeBlendModesGiveExactPixels) {
  const platform::Texture half = MakeTexture(1, 1, {0x80FF8010u});
  Alpha(half, 10, 10);
  m_Graphic.DrawSpriteEx(&half, 11, 10, 0xFFFFFFFFu, nullptr, BlendOp::Add, Blend::SrcAlpha, Blend::One, 1, 1, 0);
  m_Graphic.DrawSpriteEx(&half, 12, 10, 0xFFFFFFFFu, nullptr, BlendOp::RevSubtract, Blend::SrcAlpha, Blend::One, 1,
                         1, 0);
  // alpha 128 over (0x20, 0x40, 0x60):
  //   R (255*128 + 32*127 + 127)/255 = 144, G (128*128 + 64*127 + 127)/255 = 96,
  //   B (16*128 + 96*127 + 127)/255 = 56
  EXPECT_EQ(PresentedPixel(10, 10), 0xFF906038u);
  // add: d + (s*128 + 127)/255 -> R 32+128 = 160, G 64+64 = 128, B 96+8 = 104
  EXPECT_EQ(m_Back.Pixel(11, 10), 0xFFA08068u);
  // subtract: d - mul8(s, a), never below 0 -> R 0, G 0, B 88
  EXPECT_EQ(m_Back.Pixel(12, 10), 0xFF000058u);
  EXPECT_EQ(m_Back.Pixel(13, 10), kBackground);

  // The additive result saturates at 255.
  const platform::Texture bright = MakeTexture(1, 1, {0xFFFFFFFFu});
  m_Graphic.DrawSpriteEx(&bright, 20, 10, 0xFFFFFFFFu, nullptr, BlendOp::Add, Blend::SrcAlpha, Blend::One, 1, 1, 0);
  EXPECT_EQ(PresentedPixel(20, 10), 0xFFFFFFFFu);
}

TEST_F(SpriteDrawing, ColourAndAlphaModulateTheTexels) {
  const platform::Texture white = MakeTexture(1, 1, {0xFFFFFFFFu});
  // Colour 0x80 red-only at alpha 0xFF: the texel becomes (0x80, 0, 0), opaque.
  Alpha(white, 0, 0, nullptr, 1, 1, 0, 0xFF800000u);
  // Alpha 0x80 on an opaque white texel: a half blend of white.
  Alpha(white, 1, 0, nullptr, 1, 1, 0, 0x80FFFFFFu);
  // Both: the texel's own alpha 0x80 times the colour's 0x80 gives mul8 = 64.
  const platform::Texture halfGrey = MakeTexture(1, 1, {0x80C0C0C0u});
  Alpha(halfGrey, 2, 0, nullptr, 1, 1, 0, 0x80FFFFFFu);
  EXPECT_EQ(PresentedPixel(0, 0), 0xFF800000u);
  // (255*128 + c*127 + 127) / 255 for c = 0x20, 0x40, 0x60
  EXPECT_EQ(m_Back.Pixel(1, 0), 0xFF90A0B0u);
  // (192*64 + c*191 + 127) / 255
  EXPECT_EQ(m_Back.Pixel(2, 0), 0xFF486078u);
  // An alpha of 0 draws nothing.
  Alpha(white, 3, 0, nullptr, 1, 1, 0, 0x00FFFFFFu);
  EXPECT_EQ(PresentedPixel(3, 0), kBackground);
}

TEST_F(SpriteDrawing, UntransformedDrawIsAnExactCopy) {
  const platform::Texture t = Numbered();
  Alpha(t, 100, 50);
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PresentedPixel(100 + i, 50 + j), Texel(i, j)) << i << "," << j;
  EXPECT_EQ(m_Back.Pixel(99, 50), kBackground);
  EXPECT_EQ(m_Back.Pixel(104, 50), kBackground);
  EXPECT_EQ(m_Back.Pixel(100, 52), kBackground);
  // A source rectangle picks the texels.
  const Rect src{1, 1, 3, 2};
  Alpha(t, 200, 50, &src);
  EXPECT_EQ(PresentedPixel(200, 50), Texel(1, 1));
  EXPECT_EQ(m_Back.Pixel(201, 50), Texel(2, 1));
  EXPECT_EQ(m_Back.Pixel(202, 50), kBackground);
}

TEST_F(SpriteDrawing, ScaleTwoSamplesBilinearlyInsideTheSource) {
  const platform::Texture t = MakeTexture(2, 1, {0xFF000000u, 0xFFFFFFFFu});
  Alpha(t, 100, 100, nullptr, 2.0f, 2.0f);
  // Four pixels wide, two high; the outer pixels clamp to their own texel.
  EXPECT_EQ(PresentedPixel(100, 100), 0xFF000000u);
  EXPECT_EQ(m_Back.Pixel(101, 100), 0xFF404040u);  // a quarter of the way to white
  EXPECT_EQ(m_Back.Pixel(102, 101), 0xFFBFBFBFu);
  EXPECT_EQ(m_Back.Pixel(103, 101), 0xFFFFFFFFu);
  EXPECT_EQ(m_Back.Pixel(104, 100), kBackground);
  EXPECT_EQ(m_Back.Pixel(100, 102), kBackground);
  // Clamped to the source rectangle: the white texel beside it never bleeds in.
  const Rect black{0, 0, 1, 1};
  Alpha(t, 300, 100, &black, 3.0f, 3.0f);
  for (int x = 300; x < 303; ++x) EXPECT_EQ(PresentedPixel(x, 101), 0xFF000000u);
  EXPECT_EQ(m_Back.Pixel(303, 101), kBackground);
}

TEST_F(SpriteDrawing, RotationTurnsAboutTheScaledSourceCentre) {
  const platform::Texture t = Numbered();
  const Rect all{0, 0, 4, 2};
  // 90 degrees clockwise about (102, 101): texel (i, j) lands on (102 - j, 99 + i).
  Alpha(t, 100, 100, &all, 1, 1, 90.0f);
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PresentedPixel(102 - j, 99 + i), Texel(i, j)) << i << "," << j;
  EXPECT_EQ(m_Back.Pixel(100, 100), kBackground);
  EXPECT_EQ(m_Back.Pixel(103, 100), kBackground);
  EXPECT_EQ(m_Back.Pixel(101, 98), kBackground);

  // 180 degrees: the picture is turned in place.
  Alpha(t, 200, 100, &all, 1, 1, 180.0f);
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PresentedPixel(203 - i, 101 - j), Texel(i, j)) << i << "," << j;

  // Without a source rectangle the turn is about the top-left corner: 180 degrees
  // puts the picture above and left of (300, 100).
  Alpha(t, 300, 100, nullptr, 1, 1, 180.0f);
  EXPECT_EQ(PresentedPixel(299, 99), Texel(0, 0));
  EXPECT_EQ(m_Back.Pixel(296, 98), Texel(3, 1));
  EXPECT_EQ(m_Back.Pixel(300, 100), kBackground);
}

TEST_F(SpriteDrawing, NegativeScaleMirrors) {
  const platform::Texture t = Numbered();
  Alpha(t, 100, 100, nullptr, -1.0f, 1.0f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PresentedPixel(99 - i, 100), Texel(i, 0)) << i;
  EXPECT_EQ(m_Back.Pixel(100, 100), kBackground);
  // Without a turn the centre plays no part: the mirror is about (x, y) also with
  // a source rectangle.
  const Rect all{0, 0, 4, 2};
  Alpha(t, 200, 100, &all, -1.0f, -1.0f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(PresentedPixel(199 - i, 99), Texel(i, 0)) << i;
  EXPECT_EQ(m_Back.Pixel(199, 100), kBackground);
  // A zero scale draws nothing.
  Alpha(t, 300, 100, nullptr, 0.0f, 1.0f);
  EXPECT_EQ(PresentedPixel(300, 100), kBackground);
}

TEST_F(SpriteDrawing, ClippedAtTheFrameEdges) {
  const platform::Texture t = Numbered();
  Alpha(t, -2, -1);
  Alpha(t, 797, 599);
  EXPECT_EQ(PresentedPixel(0, 0), Texel(2, 1));
  EXPECT_EQ(m_Back.Pixel(1, 0), Texel(3, 1));
  EXPECT_EQ(m_Back.Pixel(2, 0), kBackground);
  EXPECT_EQ(m_Back.Pixel(799, 599), Texel(2, 0));
  // Wholly outside, scaled, rotated: nothing drawn, nothing broken.
  const Rect all{0, 0, 4, 2};
  Alpha(t, -5000, 100, &all, 3.0f, 2.0f, 33.0f);
  Alpha(t, 100, 100000, &all, 1000.0f, 1000.0f, 45.0f);
  // Values far out of any sensible range draw nothing and break nothing.
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  Alpha(t, 2147483647, -2147483647 - 1, &all, 1.0f, 1.0f, 0.0f);
  Alpha(t, 2147483647, 0, &all, 2.0f, 1.0f, 0.0f);
  Alpha(t, 10, 10, &all, 1e-9f, 1e-9f, 0.0f);
  Alpha(t, 10, 10, &all, inf, 1.0f, 0.0f);
  Alpha(t, 10, 10, &all, nan, 1.0f, 0.0f);
  Alpha(t, 10, 10, &all, 1.0f, 1.0f, nan);
  Alpha(t, 10, 10, &all, 1.0f, 1.0f, inf);
  const Rect huge{-2147483647 - 1, 0, 2147483647, 2};
  Alpha(t, 10, 10, &huge, 1.0f, 1.0f, 0.0f);
  m_Graphic.DrawFillRect(-2147483647 - 1, 700, 2147483647, 2147483647, 0xFFFFFFFFu, 0.0f);
  EXPECT_EQ(PresentedPixel(10, 10), kBackground);
  m_Graphic.DrawFillRect(-100000, -100000, 100000, 100000, 0xFF010203u, 10.0f);
  EXPECT_EQ(PresentedPixel(400, 300), 0xFF010203u);
}

TEST_F(SpriteDrawing, SourceRectangleReachingOutsideTheImageIsTransparentThere) {
  const platform::Texture t = Numbered();
  const Rect beyond{2, 1, 6, 3};
  Alpha(t, 10, 10, &beyond);
  EXPECT_EQ(PresentedPixel(10, 10), Texel(2, 1));
  EXPECT_EQ(m_Back.Pixel(11, 10), Texel(3, 1));
  EXPECT_EQ(m_Back.Pixel(12, 10), kBackground);
  EXPECT_EQ(m_Back.Pixel(10, 11), kBackground);
  const Rect before{-2, 0, 2, 1};
  Alpha(t, 20, 10, &before);
  EXPECT_EQ(PresentedPixel(20, 10), kBackground);
  EXPECT_EQ(m_Back.Pixel(22, 10), Texel(0, 0));
}

TEST_F(SpriteDrawing, FillRectCoversItsRectangleAndTurnsAboutItsCentre) {
  m_Graphic.DrawFillRect(10, 20, 14, 22, 0xFF00FF00u, 0.0f);
  EXPECT_EQ(PresentedPixel(10, 20), 0xFF00FF00u);
  EXPECT_EQ(m_Back.Pixel(13, 21), 0xFF00FF00u);
  EXPECT_EQ(m_Back.Pixel(14, 21), kBackground);
  EXPECT_EQ(m_Back.Pixel(13, 22), kBackground);

  // 40 x 20 turned by 90 degrees about (120, 110): 20 x 40 over [110,130) x [90,130).
  m_Graphic.DrawFillRect(100, 100, 140, 120, 0x80FFFFFFu, 90.0f);
  const std::uint32_t half = 0xFF90A0B0u;  // white at alpha 128 over the background
  EXPECT_EQ(PresentedPixel(110, 90), half);
  EXPECT_EQ(m_Back.Pixel(129, 129), half);
  EXPECT_EQ(m_Back.Pixel(109, 100), kBackground);
  EXPECT_EQ(m_Back.Pixel(130, 110), kBackground);
  EXPECT_EQ(m_Back.Pixel(120, 89), kBackground);
  EXPECT_EQ(m_Back.Pixel(120, 130), kBackground);
}

TEST_F(SpriteDrawing, NullTextureAndUnknownBlendDrawNothing) {
  m_Graphic.DrawSpriteEx(nullptr, 0, 0, 0xFFFFFFFFu, nullptr, BlendOp::Add, Blend::SrcAlpha, Blend::InvSrcAlpha, 1, 1,
                         0);
  const platform::Texture t = Numbered();
  m_Graphic.DrawSpriteEx(&t, 0, 0, 0xFFFFFFFFu, nullptr, BlendOp::RevSubtract, Blend::One, Blend::One, 1, 1, 0);
  EXPECT_EQ(PresentedPixel(0, 0), kBackground);
}

}  // namespace

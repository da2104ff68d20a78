// The game's draw back end and image table on the captured frame: images read from
// the archive by name, missing images refused without a crash, the colour
// conversion, the blit slots and their blends, text and fills.
#include "game/managers/draw_manager_fd.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/managers/image_table.h"
#include "tests/game/managers/shell_fixture.h"
#include "tests/platform/image/test_images.h"
#include "tests/platform/support/fake_glyph_source.h"
#include "tests/support/debug_capture.h"

namespace {

using nsTamskLib::mystr;
using nsTamskLib::TRect;
using nsVesk::cImageTable;
using nsVesk::nsDrawManagerfD::DrawManagerfD;
using nsVesk::nsDrawManagerfD::ToGraphicColor;

constexpr char kRed[] = "Data/red.png";
constexpr char kGreen[] = "Data/green.png";
constexpr char kHalfWhite[] = "Data/halfwhite.png";
constexpr std::uint32_t kGrey = 0xFF404040u;

class DrawManagerTest : public vesk_test::ShellFixture {
 protected:
  void SetUp() override {
    ShellFixture::SetUp();
    vesk_test::WriteFile("Data/red.png", vesk_test::MakePngRgba(4, 4, std::vector<std::uint32_t>(16, 0xFFFF0000u)));
    vesk_test::WriteFile("Data/green.png",
                         vesk_test::MakePngRgba(4, 4, std::vector<std::uint32_t>(16, 0xFF00FF00u)));
    vesk_test::WriteFile("Data/halfwhite.png",
                         vesk_test::MakePngRgba(2, 2, std::vector<std::uint32_t>(4, 0xFFFFFFFFu)));
    vesk_test::WriteFile("Data/broken.png", "\x89PNG\r\n\x1a\nbroken");
    PackData();
  }

  // The frame drawn by one call on a grey background.
  template <typename Draw>
  std::vector<std::uint32_t> FrameOf(Draw draw) {
    nsVesk::g_Graphic.Clear(kGrey);
    draw();
    nsVesk::g_Graphic.Present();
    return m_Back.LastFrame();
  }
};

TEST(DrawColourTest, SwapsRedAndBlueAndKeepsTheRest) {
  EXPECT_EQ(ToGraphicColor(0x00FF0000u), 0x000000FFu);
  EXPECT_EQ(ToGraphicColor(0x80123456u), 0x80563412u);
  EXPECT_EQ(ToGraphicColor(0x0000FF00u), 0x0000FF00u);
  // A separate alpha becomes the top byte.
  EXPECT_EQ(ToGraphicColor(0x11123456u, 0xC0), 0xC0563412u);
}

TEST_F(DrawManagerTest, ClearReachesTheFrameInTheGraphicsLayout) {
  DrawManagerfD draw;
  draw.Clear(0xFFFF0000u);  // opaque blue in the engine's layout
  EXPECT_EQ(Presented(400, 300), 0xFF0000FFu);
  EXPECT_EQ(draw.GetScreenWidth(), 800);
  EXPECT_EQ(draw.GetScreenHeight(), 600);
  EXPECT_FALSE(draw.IsFullScreen());
}

TEST_F(DrawManagerTest, LoadingANameTwiceKeepsTheFirstImage) {
  DrawManagerfD draw;
  EXPECT_TRUE(draw.LoadImage(kRed));
  const auto* first = draw.Images().Find(kRed);
  ASSERT_NE(first, nullptr);
  EXPECT_FALSE(draw.LoadImage(kRed));
  EXPECT_EQ(draw.Images().Find(kRed), first);
  EXPECT_EQ(draw.Images().Size(), 1u);
}

TEST_F(DrawManagerTest, MissingOrUndecodableImagesAreRefusedAndNothingIsKept) {
  vesk_test::DebugCapture debug;
  DrawManagerfD draw;
  EXPECT_FALSE(draw.LoadImage("Data/missing.png"));
  EXPECT_FALSE(draw.LoadImage("Data/broken.png"));
  EXPECT_FALSE(draw.LoadImage(""));
  EXPECT_EQ(draw.Images().Size(), 0u);
  // Drawing the refused names draws nothing.
  const auto frame = FrameOf([&] { draw.Blt0(mystr("Data/missing.png"), 0, 0, 255, TRect{0, 0, 4, 4}); });
  EXPECT_EQ(frame[0], kGrey);
  // A file that arrives later is loaded under the name refused before.
  EXPECT_TRUE(draw.LoadImage(kGreen));
}

TEST_F(DrawManagerTest, TheEngineRegistersAMissingImageWithoutCrashing) {
  DrawManagerfD draw;
  EXPECT_FALSE(draw.RegisterImage("Data/missing.png"));
  EXPECT_TRUE(draw.GetLoadedImages().empty());
  EXPECT_TRUE(draw.RegisterImage(kRed));
  EXPECT_TRUE(draw.UnregisterImage(kRed));
  EXPECT_EQ(draw.Images().Find(kRed), nullptr);
}

TEST_F(DrawManagerTest, WithoutAnArchiveEveryImageIsMissing) {
  delete nsVesk::g_FilePackManager;
  nsVesk::g_FilePackManager = nullptr;
  DrawManagerfD draw;
  EXPECT_FALSE(draw.LoadImage(kRed));
  cImageTable table;
  table.Load("a", kRed);
  ASSERT_NE(table.Find("a"), nullptr);
  EXPECT_EQ(table.Find("a")->GetDraw2DReader(), nullptr);
}

TEST_F(DrawManagerTest, ReleasingAnUnknownNameIsTrueAndChangesNothing) {
  DrawManagerfD draw;
  ASSERT_TRUE(draw.LoadImage(kRed));
  EXPECT_TRUE(draw.ReleaseImage("Data/unknown.png"));
  EXPECT_EQ(draw.Images().Size(), 1u);
  EXPECT_TRUE(draw.ReleaseImage(kRed));
  EXPECT_EQ(draw.Images().Find(kRed), nullptr);
}

TEST_F(DrawManagerTest, BlitsDrawTheSourceRectangleAtThePlaceWithTheAlpha) {
  DrawManagerfD draw;
  ASSERT_TRUE(draw.LoadImage(kRed));
  const auto frame = FrameOf([&] { draw.Blt0(mystr(kRed), 10, 20, 255, TRect{0, 0, 2, 3}); });
  EXPECT_EQ(frame[20 * 800 + 10], 0xFFFF0000u);
  EXPECT_EQ(frame[22 * 800 + 11], 0xFFFF0000u);
  EXPECT_EQ(frame[23 * 800 + 10], kGrey) << "below the source rectangle";
  EXPECT_EQ(frame[20 * 800 + 12], kGrey) << "right of the source rectangle";
  // An unknown name draws nothing.
  const auto none = FrameOf([&] { draw.Blt0(mystr("Data/unknown.png"), 10, 20, 255, TRect{0, 0, 2, 3}); });
  EXPECT_EQ(none[20 * 800 + 10], kGrey);
}

TEST_F(DrawManagerTest, BlitTypesFourToSixDrawExactlyLikeZeroToTwo) {
  DrawManagerfD draw;
  ASSERT_TRUE(draw.LoadImage(kHalfWhite));
  const mystr name(kHalfWhite);
  const TRect src{0, 0, 2, 2};
  const auto alpha0 = FrameOf([&] { draw.Blt0(name, 5, 5, 128, src); });
  const auto alpha4 = FrameOf([&] { draw.Blt4(name, 5, 5, 128, src); });
  const auto add1 = FrameOf([&] { draw.Blt1(name, 5, 5, 128, src); });
  const auto add5 = FrameOf([&] { draw.Blt5(name, 5, 5, 128, src); });
  const auto sub2 = FrameOf([&] { draw.Blt2(name, 5, 5, 128, src); });
  const auto sub6 = FrameOf([&] { draw.Blt6(name, 5, 5, 128, src); });
  EXPECT_TRUE(alpha0 == alpha4);
  EXPECT_TRUE(add1 == add5);
  EXPECT_TRUE(sub2 == sub6);
  // The three blends differ: blended, added, subtracted over the grey.
  const std::size_t at = 5 * 800 + 5;
  EXPECT_GT(alpha0[at] & 0xFFu, 0x40u);
  EXPECT_LT(alpha0[at] & 0xFFu, 0xC0u);
  EXPECT_EQ(add1[at], 0xFFC0C0C0u);
  EXPECT_EQ(sub2[at], 0xFF000000u);
}

TEST_F(DrawManagerTest, FillRectConvertsTheColourAndTakesTheAlpha) {
  DrawManagerfD draw;
  const auto frame = FrameOf([&] { draw.FillRect(TRect{10, 10, 20, 20}, 0x000000FFu, 255); });
  EXPECT_EQ(frame[15 * 800 + 15], 0xFFFF0000u) << "engine red is graphics red";
  EXPECT_EQ(frame[25 * 800 + 15], kGrey);
  const auto clear = FrameOf([&] { draw.FillRect(TRect{10, 10, 20, 20}, 0x000000FFu, 0); });
  EXPECT_EQ(clear[15 * 800 + 15], kGrey);
}

TEST_F(DrawManagerTest, TextIsDrawnInTheConvertedColourAtTheAlphaWithItsStyle) {
  vesk_test::FakeGlyphSource glyphs;
  platform::SetGlyphSourceForTest(&glyphs);
  {
    DrawManagerfD draw;
    nsVesk::g_Graphic.Clear(0xFF000000u);
    draw.DrawText(mystr("A"), 10, 10, 255, mystr("ＭＳ ゴシック"), 16, 0x0000FF00u, 1, 0);
    draw.DrawText(mystr("A"), 10, 40, 128, mystr("ＭＳ ゴシック"), 16, 0x00FFFFFFu, 0, 1);
    EXPECT_EQ(Presented(12, 12) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_NEAR(static_cast<int>(m_Back.Pixel(12, 42) & 0xFFu), 128, 2);
    ASSERT_EQ(glyphs.requests().size(), 2u);
    EXPECT_EQ(glyphs.requests()[0].weight, 700);
    EXPECT_FALSE(glyphs.requests()[0].italic);
    EXPECT_EQ(glyphs.requests()[1].weight, 0);
    EXPECT_TRUE(glyphs.requests()[1].italic);
  }
  platform::SetGlyphSourceForTest(nullptr);
}

TEST_F(DrawManagerTest, ImageTableStoresUnreadableFilesAsImagesThatDrawNothing) {
  cImageTable table;
  table.Load("back", kRed);
  table.Load("missing", "Data/missing.png");
  table.Load("broken", "Data/broken.png");
  table.Load("empty", "");
  EXPECT_EQ(table.Size(), 4u);
  for (const char* name : {"missing", "broken", "empty"}) {
    auto* image = table.Find(name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->GetDraw2DReader(), nullptr) << name;
    image->Draw(0, 0, 255, nullptr, 1.0f, 1.0f, 0.0f);
  }
  EXPECT_EQ(Presented(0, 0), kBackground);
  EXPECT_EQ(table.Find("absent"), nullptr);
}

TEST_F(DrawManagerTest, ImageTableKeepsTheFirstImageOfANameAndReleasesByName) {
  cImageTable table;
  table.Load("pic", kRed);
  auto* first = table.Find("pic");
  table.Load("pic", kGreen);
  EXPECT_EQ(table.Find("pic"), first);
  first->Draw(0, 0, 255, nullptr, 1.0f, 1.0f, 0.0f);
  EXPECT_EQ(Presented(1, 1), 0xFFFF0000u);

  table.Release("unknown");
  EXPECT_EQ(table.Size(), 1u);
  table.Release("pic");
  EXPECT_EQ(table.Find("pic"), nullptr);
  table.Load("pic", kGreen);
  table.Load("other", kRed);
  table.Clear();
  EXPECT_EQ(table.Size(), 0u);
}

}  // namespace

// DrawFreeText on the graphics object: cache sharing, colour, trimming in AppIdle
// under the virtual clock, and a line of Japanese in the system's fonts.
#include <gtest/gtest.h>


#include <filesystem>
#include <string>

#include "platform/clock/clock.h"
#include "platform/window/window.h"
#include "tests/framework/graphics/graphic_fixture.h"
#include "tests/platform/support/fake_glyph_source.h"

namespace {

using nsZarn::nsGraphics::FreeTextKey;

constexpr const char* kFace = "ＭＳ ゴシック";

class DrawFreeText : public vesk_test::GraphicFixture {
 protected:
  void SetUp() override {
    platform::UseVirtualClock(1000);
    platform::SetGlyphSourceForTest(&m_Fake);
    GraphicFixture::SetUp();
  }
  void TearDown() override {
    GraphicFixture::TearDown();
    platform::SetGlyphSourceForTest(nullptr);
    platform::UseRealClock();
  }

  const nsZarn::nsGraphics::FreeTextCache& Cache() const { return m_Graphic.GetFreeTextCache(); }
  std::uint32_t LastUse(const char* text, int size) const {
    return Cache().Find(FreeTextKey(text, kFace, size, false, false))->lastUse;
  }
  bool Cached(const char* text, int size) const {
    return Cache().Find(FreeTextKey(text, kFace, size, false, false)) != nullptr;
  }

  vesk_test::FakeGlyphSource m_Fake;
};

TEST_F(DrawFreeText, TwoColoursAndTwoAnglesShareOneEntry) {
  m_Graphic.Clear(0xFF000000u);
  m_Graphic.DrawFreeText("AB", 10, 10, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  m_Graphic.DrawFreeText("AB", 10, 40, 0x80FF0000u, kFace, 16, false, false, 0.0f);
  m_Graphic.DrawFreeText("AB", 100, 100, 0xFFFFFFFFu, kFace, 16, false, false, 90.0f);
  EXPECT_EQ(Cache().EntryCount(), 1u);
  EXPECT_EQ(m_Fake.requests().size(), 1u);
  EXPECT_EQ(Cache().TotalBytes(), 16u * 16u * 4u);
  m_Graphic.DrawFreeText("AB", 0, 0, 0xFFFFFFFFu, kFace, 16, true, false, 0.0f);
  EXPECT_EQ(Cache().EntryCount(), 2u);
}

TEST_F(DrawFreeText, TheColourTintsTheGlyphsAndItsAlphaIsTheOpacity) {
  m_Graphic.Clear(0xFF000000u);
  m_Graphic.DrawFreeText("A", 10, 10, 0xFF00FF00u, kFace, 16, false, false, 0.0f);
  m_Graphic.DrawFreeText("A", 10, 40, 0x80FFFFFFu, kFace, 16, false, false, 0.0f);
  m_Graphic.Present();
  EXPECT_EQ(m_Back.Pixel(12, 12) & 0xFFFFFFu, 0x00FF00u);
  const std::uint32_t half = m_Back.Pixel(12, 42) & 0xFFu;
  EXPECT_NEAR(static_cast<int>(half), 128, 2);
  EXPECT_EQ(m_Back.Pixel(30, 12) & 0xFFFFFFu, 0u);  // beyond the glyph: transparent
}

TEST_F(DrawFreeText, RotatesAboutTheTopLeftCorner) {
  m_Graphic.Clear(0xFF000000u);
  // "AAAA" is 32 x 16; turned by 90 degrees it hangs down and to the left of (100, 100).
  m_Graphic.DrawFreeText("AAAA", 100, 100, 0xFFFFFFFFu, kFace, 16, false, false, 90.0f);
  m_Graphic.Present();
  EXPECT_EQ(m_Back.Pixel(92, 120) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(m_Back.Pixel(110, 105) & 0xFFFFFFu, 0u);
}

TEST_F(DrawFreeText, EachDrawRefreshesTheLastUse) {
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  EXPECT_EQ(LastUse("A", 16), 1000u);
  platform::AdvanceVirtualClock(250);
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  EXPECT_EQ(LastUse("A", 16), 1250u);
}

TEST_F(DrawFreeText, AppIdleTrimsOldestFirstDownToTheBudget) {
  // Three 8x16 textures (512 bytes each) and one of 2048 fit the 10 MiB budget;
  // texts of 8 MiB and 16 MiB then push the total over it.
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  platform::AdvanceVirtualClock(10);
  m_Graphic.DrawFreeText("B", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  m_Graphic.DrawFreeText("CCCC", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  platform::AdvanceVirtualClock(10);
  m_Graphic.DrawFreeText("D", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_EQ(Cache().EntryCount(), 4u);  // within the budget: nothing goes

  platform::GlyphBitmap wide;
  wide.metrics.gmCellIncX = 2000;
  m_Fake.SetGlyph('W', wide);
  platform::AdvanceVirtualClock(10);
  m_Graphic.DrawFreeText("W", 0, 0, 0xFFFFFFFFu, kFace, 1000, false, false, 0.0f);  // 2048 x 1024
  m_Graphic.DrawFreeText("WW", 0, 0, 0xFFFFFFFFu, kFace, 1000, false, false, 0.0f);  // 4096 x 1024
  ASSERT_GT(Cache().TotalBytes(), 0xA00000u);

  EXPECT_TRUE(m_Graphic.AppIdle());
  // The 16 MiB text raised the budget to its own size. The small texts go first,
  // oldest first; then, of the two big ones drawn at the same time, the larger.
  EXPECT_FALSE(Cached("A", 16));
  EXPECT_FALSE(Cached("B", 16));
  EXPECT_FALSE(Cached("CCCC", 16));
  EXPECT_FALSE(Cached("D", 16));
  EXPECT_FALSE(Cached("WW", 1000));
  EXPECT_TRUE(Cached("W", 1000));
  EXPECT_EQ(Cache().Limit(), 4096u * 1024u * 4u);
  EXPECT_EQ(Cache().TotalBytes(), 2048u * 1024u * 4u);
}

TEST_F(DrawFreeText, AppIdleKeepsTheCacheWhileTheWindowIsInactive) {
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  m_Graphic.MsgProc(m_Graphic.GetMainWindow(), platform::MessageId::Activate, 0, 0);
  platform::GlyphBitmap wide;
  wide.metrics.gmCellIncX = 2000;
  m_Fake.SetGlyph('W', wide);
  platform::AdvanceVirtualClock(10);
  m_Graphic.DrawFreeText("WW", 0, 0, 0xFFFFFFFFu, kFace, 1000, false, false, 0.0f);
  m_Graphic.DrawFreeText("W", 0, 0, 0xFFFFFFFFu, kFace, 1000, false, false, 0.0f);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_EQ(Cache().EntryCount(), 3u);
  m_Graphic.MsgProc(m_Graphic.GetMainWindow(), platform::MessageId::Activate, 1, 0);
  EXPECT_TRUE(m_Graphic.AppIdle());
  EXPECT_EQ(Cache().EntryCount(), 1u);
  EXPECT_TRUE(Cached("W", 1000));
}

TEST_F(DrawFreeText, AfterTheWindowIsDestroyedEntriesStayWithoutTextures) {
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  platform::DestroyWindow(m_Graphic.GetMainWindow());
  ASSERT_TRUE(Cached("A", 16));
  EXPECT_EQ(Cache().Find(FreeTextKey("A", kFace, 16, false, false))->texture, nullptr);
  m_Graphic.DrawFreeText("A", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);  // draws nothing
  m_Graphic.DrawFreeText("B", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  EXPECT_FALSE(m_Graphic.AppIdle());
}

TEST_F(DrawFreeText, EmptyTextDrawsNothingAndMakesNoFont) {
  m_Graphic.DrawFreeText("", 0, 0, 0xFFFFFFFFu, kFace, 16, false, false, 0.0f);
  EXPECT_EQ(Cache().EntryCount(), 0u);
  EXPECT_TRUE(m_Fake.requests().empty());
}

// The system's fonts: a line of Japanese drawn into the frame and kept as a PNG.
class DrawJapanese : public vesk_test::GraphicFixture {};

TEST_F(DrawJapanese, ALineOfJapaneseInTheSystemFonts) {
  m_Graphic.Clear(0xFF202040u);
  const char* line = "吾輩は猫である。名前はまだ無い。ｶﾀｶﾅ ABC 123";
  m_Graphic.DrawFreeText(line, 20, 40, 0xFFFFFFFFu, kFace, 24, false, false, 0.0f);
  m_Graphic.DrawFreeText("HG行書体：春はあけぼの", 20, 100, 0xFFFFE080u, "HG行書体", 32, false, false, 0.0f);
  m_Graphic.DrawFreeText("太字と斜体", 20, 160, 0xFF80FFFFu, kFace, 28, true, true, 0.0f);
  m_Graphic.DrawFreeText("Times New Roman 0123", 20, 220, 0xFFFFFFFFu, "Times New Roman", 24, false, false, 0.0f);
  m_Graphic.DrawFreeText("回転", 400, 300, 0xFFFF8080u, kFace, 40, false, false, 30.0f);
  m_Graphic.Present();

  // The first line's texture: cell height 24, about 24 per full-width character.
  const auto* entry = m_Graphic.GetFreeTextCache().Find(FreeTextKey(line, kFace, 24, false, false));
  ASSERT_NE(entry, nullptr);
  ASSERT_TRUE(entry->texture);
  EXPECT_EQ(entry->texture->Height(), 32);
  EXPECT_EQ(entry->texture->Width(), 1024);

  // Ink inside the first line, none above it or after its end.
  int inked = 0;
  for (int y = 40; y < 64; ++y) {
    for (int x = 20; x < 400; ++x) inked += (m_Back.Pixel(x, y) & 0xFFFFFFu) != 0x202040u;
  }
  EXPECT_GT(inked, 500);
  for (int x = 0; x < 800; ++x) EXPECT_EQ(m_Back.Pixel(x, 30) & 0xFFFFFFu, 0x202040u) << x;

  const std::filesystem::path dir = VESK_TEST_ARTEFACT_DIR;
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "free_text_japanese.png").string();
  EXPECT_TRUE(m_Back.SaveLastFrameAsPng(file));
  EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace

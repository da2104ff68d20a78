#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/free_text_cache.h"
#include "tests/platform/support/fake_glyph_source.h"
#include "tests/support/debug_capture.h"

namespace {

using nsZarn::nsGraphics::FreeTextCache;
using nsZarn::nsGraphics::FreeTextEntry;
using nsZarn::nsGraphics::FreeTextKey;
using nsZarn::nsGraphics::SplitShiftJisCodes;

constexpr const char* kFace = "ＭＳ ゴシック";

std::uint8_t AlphaAt(const platform::Texture& t, int x, int y) {
  return static_cast<std::uint8_t>(t.At(x, y) >> 24);
}

// A glyph of one grey level filling a box, placed with its top on the cell's top.
platform::GlyphBitmap BoxGlyph(std::uint32_t width, std::uint32_t height, std::int16_t advance,
                               std::uint8_t level, std::int32_t ascent, std::int32_t originX = 0) {
  platform::GlyphBitmap g;
  g.metrics.gmBlackBoxX = width;
  g.metrics.gmBlackBoxY = height;
  g.metrics.gmptGlyphOriginX = originX;
  g.metrics.gmptGlyphOriginY = ascent;
  g.metrics.gmCellIncX = advance;
  g.pitch = platform::Gray8Pitch(width);
  g.levels.assign(static_cast<std::size_t>(g.pitch) * height, 0);
  for (std::uint32_t r = 0; r < height; ++r) {
    for (std::uint32_t c = 0; c < width; ++c) g.levels[r * g.pitch + c] = level;
  }
  return g;
}

class FreeTextTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetGlyphSourceForTest(&fake); }
  void TearDown() override { platform::SetGlyphSourceForTest(nullptr); }

  vesk_test::FakeGlyphSource fake;
};

TEST(ShiftJisSplitting, LeadBytesPairAndEverythingElseStandsAlone) {
  EXPECT_EQ(SplitShiftJisCodes("A\x82\xA0" "B"), (std::vector<std::uint16_t>{0x41, 0x82A0, 0x42}));
  // A lead byte as the last byte ends the text.
  EXPECT_EQ(SplitShiftJisCodes("AB\x82"), (std::vector<std::uint16_t>{0x41, 0x42}));
  EXPECT_EQ(SplitShiftJisCodes("\xE0"), std::vector<std::uint16_t>{});
  // Half-width katakana and 0x80 are one-byte codes; 0xFF leads.
  EXPECT_EQ(SplitShiftJisCodes("\xB1\xDF\x80\xA0"), (std::vector<std::uint16_t>{0xB1, 0xDF, 0x80, 0xA0}));
  EXPECT_EQ(SplitShiftJisCodes("\xFF\x41"), std::vector<std::uint16_t>{0xFF41});
  // A trail byte in the ASCII range belongs to its character.
  EXPECT_EQ(SplitShiftJisCodes("\x83\x5C\x5C"), (std::vector<std::uint16_t>{0x835C, 0x5C}));
  // The text ends at its first 0 byte, also right after a lead byte.
  EXPECT_EQ(SplitShiftJisCodes(std::string("A\0B", 3)), std::vector<std::uint16_t>{0x41});
  EXPECT_EQ(SplitShiftJisCodes(std::string("A\x82\0B", 4)), std::vector<std::uint16_t>{0x41});
}

TEST(FreeTextKeys, FormAndNoLengthLimit) {
  EXPECT_EQ(FreeTextKey("abc", "face", 16, false, false), "abc_face_16_0");
  EXPECT_EQ(FreeTextKey("abc", "face", 16, true, true), "abc_face_16_3");
  EXPECT_EQ(FreeTextKey("abc", "face", -2, false, true), "abc_face_-2_2");
  const std::string longText(3000, 'x');
  EXPECT_NE(FreeTextKey(longText + "a", "face", 16, false, false),
            FreeTextKey(longText + "b", "face", 16, false, false));
}

TEST_F(FreeTextTest, TextureSizeRoundsUpToPowersOfTwo) {
  fake.SetGlyph('W', BoxGlyph(33, 17, 33, 64, 13));
  FreeTextCache cache(1 << 20);
  FreeTextEntry* e = cache.Acquire("W", kFace, 17, false, false);
  ASSERT_NE(e, nullptr);
  ASSERT_TRUE(e->texture);
  EXPECT_EQ(e->texture->Width(), 64);
  EXPECT_EQ(e->texture->Height(), 32);
  EXPECT_EQ(e->size, 8192u);
  EXPECT_EQ(cache.TotalBytes(), 8192u);
  // The font was asked for exactly what the caller gave.
  ASSERT_EQ(fake.requests().size(), 1u);
  EXPECT_EQ(fake.requests()[0].face, kFace);
  EXPECT_EQ(fake.requests()[0].height, 17);
  EXPECT_EQ(fake.requests()[0].weight, 0);
}

TEST_F(FreeTextTest, LineFeedAddsALineWhileTheWidthIsTheSumOfAll) {
  FreeTextCache cache(1 << 20);
  // Size 16: one-byte glyphs are 8 wide. "AB\nAB": height 2 x 16, width 4 x 8.
  FreeTextEntry* two = cache.Acquire("AB\nAB", kFace, 16, false, false);
  FreeTextEntry* one = cache.Acquire("ABAB", kFace, 16, false, false);
  ASSERT_TRUE(two && one);
  EXPECT_EQ(two->texture->Width(), 32);
  EXPECT_EQ(two->texture->Height(), 32);
  EXPECT_EQ(one->texture->Height(), 16);
  const platform::Texture& t = *two->texture;
  EXPECT_EQ(t.At(3, 3), 0xFFFFFFFFu);    // first line
  EXPECT_EQ(t.At(3, 20), 0xFFFFFFFFu);   // second line starts at the left again
  EXPECT_EQ(AlphaAt(t, 20, 3), 0);       // nothing right of either line
  EXPECT_EQ(AlphaAt(t, 20, 20), 0);
}

TEST_F(FreeTextTest, ItalicAddsAQuarterOfTheSize) {
  FreeTextCache cache(1 << 20);
  // Size 20: "AAA" is 30 wide; italic adds 5, so 35 rounds to 64.
  EXPECT_EQ(cache.Acquire("AAA", kFace, 20, false, false)->texture->Width(), 32);
  EXPECT_EQ(cache.Acquire("AAA", kFace, 20, false, true)->texture->Width(), 64);
  EXPECT_EQ(fake.requests().back().italic, true);
  EXPECT_EQ(cache.Acquire("AAA", kFace, 20, true, false)->texture->Width(), 32);
  EXPECT_EQ(fake.requests().back().weight, 700);
  EXPECT_EQ(cache.EntryCount(), 3u);
}

TEST_F(FreeTextTest, OverlappingGlyphsCombineTheirAlphaBits) {
  // Two 4-wide glyphs that advance by 3: column 3 holds both.
  fake.SetGlyph('a', BoxGlyph(4, 4, 3, 32, 12));  // 32 * 255 / 64 = 127 = 0x7F
  fake.SetGlyph('b', BoxGlyph(4, 4, 3, 40, 12));  // 40 * 255 / 64 = 159 = 0x9F
  FreeTextCache cache(1 << 20);
  FreeTextEntry* e = cache.Acquire("ab", kFace, 16, false, false);
  ASSERT_NE(e, nullptr);
  const platform::Texture& t = *e->texture;
  EXPECT_EQ(t.Width(), 8);
  EXPECT_EQ(t.At(0, 0), 0x7FFFFFFFu);
  EXPECT_EQ(t.At(3, 0), 0xFFFFFFFFu);  // 0x7F | 0x9F, neither the larger nor the sum
  EXPECT_EQ(t.At(6, 3), 0x9FFFFFFFu);
  EXPECT_EQ(t.At(7, 0), 0u);
  EXPECT_EQ(t.At(0, 4), 0u);
}

TEST_F(FreeTextTest, GlyphsArePlacedOnTheBaselineAndClippedAtTheEdges) {
  // Ascent of a size-16 fake font is 12. A glyph whose ink starts 2 above the
  // baseline sits on rows 10 and 11; one left of the pen loses its outer column.
  fake.SetGlyph('x', BoxGlyph(2, 2, 4, 64, 2, -1));
  FreeTextCache cache(1 << 20);
  FreeTextEntry* e = cache.Acquire("x", kFace, 16, false, false);
  ASSERT_NE(e, nullptr);
  const platform::Texture& t = *e->texture;
  EXPECT_EQ(t.Width(), 4);
  EXPECT_EQ(AlphaAt(t, 0, 10), 255);
  EXPECT_EQ(AlphaAt(t, 0, 11), 255);
  EXPECT_EQ(AlphaAt(t, 1, 10), 0);
  EXPECT_EQ(AlphaAt(t, 0, 9), 0);
  EXPECT_EQ(AlphaAt(t, 0, 12), 0);
}

TEST_F(FreeTextTest, SpacesOnlyAdvance) {
  FreeTextCache cache(1 << 20);
  FreeTextEntry* e = cache.Acquire("A A\x81\x40" "A", kFace, 16, false, false);
  ASSERT_NE(e, nullptr);
  const platform::Texture& t = *e->texture;
  EXPECT_EQ(t.Width(), 64);  // 8 + 8 + 8 + 16 + 8 = 48
  EXPECT_EQ(AlphaAt(t, 4, 4), 255);
  EXPECT_EQ(AlphaAt(t, 12, 4), 0);   // ' '
  EXPECT_EQ(AlphaAt(t, 20, 4), 255);
  EXPECT_EQ(AlphaAt(t, 30, 4), 0);   // '　'
  EXPECT_EQ(AlphaAt(t, 44, 4), 255);
}

TEST_F(FreeTextTest, ATextWhoseFontCannotBeMadeIsTriedAgainLater) {
  FreeTextCache cache(1 << 20);
  fake.SetCreateFails(true);
  {
    vesk_test::DebugCapture capture;
    EXPECT_EQ(cache.Acquire("A", kFace, 16, false, false), nullptr);
    EXPECT_TRUE(capture.Contains("Failed : ZarnGraphic::DrawFreeText() CreateFontIndirect\n"));
  }
  EXPECT_EQ(cache.EntryCount(), 0u);
  EXPECT_EQ(cache.TotalBytes(), 0u);
  fake.SetCreateFails(false);
  FreeTextEntry* e = cache.Acquire("A", kFace, 16, false, false);
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->texture);
}

TEST_F(FreeTextTest, ATextureTooLargeToMakeIsNotCached) {
  FreeTextCache cache(1 << 20);
  vesk_test::DebugCapture capture;
  EXPECT_EQ(cache.Acquire("\x82\xA0", kFace, 40000, false, false), nullptr);
  EXPECT_TRUE(capture.Contains("Failed : ZarnGraphic::DrawFreeText() D3DXCreateTexture\n"));
  EXPECT_EQ(cache.EntryCount(), 0u);
}

TEST_F(FreeTextTest, LongTextsThatDifferAtTheEndHaveEntriesOfTheirOwn) {
  FreeTextCache cache(64u << 20);
  const std::string head(1100, 'A');
  FreeTextEntry* first = cache.Acquire(head + "B", kFace, 8, false, false);
  FreeTextEntry* second = cache.Acquire(head + "\nB", kFace, 8, false, false);
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(cache.EntryCount(), 2u);
  EXPECT_EQ(first->texture->Height(), 8);
  EXPECT_EQ(second->texture->Height(), 16);
}

TEST_F(FreeTextTest, EmptyTextHasNoEntry) {
  FreeTextCache cache(1 << 20);
  EXPECT_EQ(cache.Acquire("", kFace, 16, false, false), nullptr);
  EXPECT_EQ(cache.Acquire(std::string("\0A", 2), kFace, 16, false, false), nullptr);
  EXPECT_TRUE(fake.requests().empty());
}

TEST_F(FreeTextTest, AnOversizedTextRaisesTheLimitForGood) {
  FreeTextCache cache(4096);
  FreeTextEntry* e = cache.Acquire("\x82\xA0\x82\xA0", kFace, 32, false, false);  // 64 x 32
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->size, 8192u);
  EXPECT_EQ(cache.Limit(), 8192u);
  cache.Trim(1000);
  EXPECT_EQ(cache.EntryCount(), 1u);
  // A second text now exceeds the raised limit, and the older one goes.
  e->lastUse = 10;
  cache.Acquire("A", kFace, 16, false, false)->lastUse = 20;
  cache.Trim(30);
  EXPECT_EQ(cache.EntryCount(), 1u);
  EXPECT_EQ(cache.Find(FreeTextKey("A", kFace, 16, false, false))->lastUse, 20u);
  EXPECT_EQ(cache.Limit(), 8192u);
}

TEST_F(FreeTextTest, TrimmingTakesTheOldestThenTheLargerThenKeyOrder) {
  FreeTextCache cache(1 << 20);
  // Sizes (fake font, size 16): "A" 8x16 -> 512 bytes, "AAA" 32x16 -> 2048 bytes.
  auto add = [&](const char* text, std::uint32_t lastUse) {
    FreeTextEntry* e = cache.Acquire(text, kFace, 16, false, false);
    e->lastUse = lastUse;
  };
  add("C", 0xFFFFFFF0u);  // before the clock wrapped: the oldest
  add("B", 100);
  add("A", 100);
  add("AAA", 100);
  add("D", 200);
  ASSERT_EQ(cache.TotalBytes(), 512u * 4 + 2048u);

  auto remaining = [&] {
    std::vector<std::string> keys;
    for (const char* t : {"A", "AAA", "B", "C", "D"}) {
      if (cache.Find(FreeTextKey(t, kFace, 16, false, false))) keys.push_back(t);
    }
    return keys;
  };
  const std::uint32_t now = 300;
  cache.SetLimit(cache.TotalBytes() - 1);
  cache.Trim(now);
  EXPECT_EQ(remaining(), (std::vector<std::string>{"A", "AAA", "B", "D"}));
  cache.SetLimit(cache.TotalBytes() - 1);
  cache.Trim(now);  // equally old: the larger
  EXPECT_EQ(remaining(), (std::vector<std::string>{"A", "B", "D"}));
  cache.SetLimit(cache.TotalBytes() - 1);
  cache.Trim(now);  // equally old and large: key order
  EXPECT_EQ(remaining(), (std::vector<std::string>{"B", "D"}));
  cache.SetLimit(cache.TotalBytes());
  cache.Trim(now);  // at the limit: nothing goes
  EXPECT_EQ(remaining(), (std::vector<std::string>{"B", "D"}));
  cache.SetLimit(0);
  cache.Trim(now);
  EXPECT_TRUE(remaining().empty());
  EXPECT_EQ(cache.TotalBytes(), 0u);
}

TEST_F(FreeTextTest, ReleasedTexturesLeaveTheirEntries) {
  FreeTextCache cache(1 << 20);
  cache.Acquire("A", kFace, 16, false, false);
  cache.ReleaseTextures();
  const FreeTextEntry* e = cache.Find(FreeTextKey("A", kFace, 16, false, false));
  ASSERT_NE(e, nullptr);
  EXPECT_FALSE(e->texture);
  EXPECT_EQ(cache.Acquire("A", kFace, 16, false, false)->texture, nullptr);
  EXPECT_EQ(fake.requests().size(), 1u);
}

}  // namespace

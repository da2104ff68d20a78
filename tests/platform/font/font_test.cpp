#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/font/face_table.h"
#include "platform/font/font.h"
#include "tests/platform/support/fake_glyph_source.h"

namespace {

using platform::CreateFont;
using platform::FontRequest;
using platform::GlyphBitmap;
using platform::GlyphMetrics;

constexpr std::uint16_t kHiraganaA = 0x82A0;     // あ
constexpr std::uint16_t kKanjiNichi = 0x93FA;    // 日
constexpr std::uint16_t kHalfWidthKa = 0xB6;     // ｶ
constexpr std::uint16_t kUnmappedCode = 0xA0;    // no character in code page 932

FontRequest Request(const std::string& face, std::int32_t height, bool bold = false,
                    bool italic = false) {
  FontRequest r;
  r.face = face;
  r.height = height;
  r.weight = bold ? 700 : 0;
  r.italic = italic;
  return r;
}

int InkSum(const GlyphBitmap& g) {
  int sum = 0;
  for (std::uint8_t v : g.levels) sum += v;
  return sum;
}

TEST(FaceNames, CutAt31BytesWithoutSplittingADoubleByteCharacter) {
  EXPECT_EQ(platform::CutFaceName("Times New Roman"), "Times New Roman");
  const std::string ascii(40, 'a');
  EXPECT_EQ(platform::CutFaceName(ascii), std::string(31, 'a'));
  // 30 ASCII bytes and then a two-byte character: the character would end at
  // byte 32, so it is left out whole.
  const std::string mixed = std::string(30, 'a') + "あ";
  EXPECT_EQ(platform::CutFaceName(mixed), std::string(30, 'a'));
  const std::string kana = "ゴシックゴシックゴシックゴシック";  // 16 characters, 32 bytes
  EXPECT_EQ(platform::CutFaceName(kana).size(), 30u);
}

TEST(FaceNames, FixedTableMapsTheGamesFaces) {
  EXPECT_STREQ(platform::FixedFamilyFor("ＭＳ ゴシック"), "IPAGothic");
  EXPECT_STREQ(platform::FixedFamilyFor("HG行書体"), "IPAMincho");
  EXPECT_STREQ(platform::FixedFamilyFor("HG創英角ﾎﾟｯﾌﾟ体"), "IPAGothic");
  EXPECT_STREQ(platform::FixedFamilyFor("Times New Roman"), "DejaVu Serif");
  EXPECT_STREQ(platform::FixedFamilyFor("times new roman"), "DejaVu Serif");
  EXPECT_EQ(platform::FixedFamilyFor("ＭＳ 明朝"), nullptr);
  EXPECT_EQ(platform::FixedFamilyFor(""), nullptr);
}

TEST(FakeGlyphs, FixedMetricsAndRecordedRequests) {
  vesk_test::FakeGlyphSource fake;
  platform::SetGlyphSourceForTest(&fake);
  auto font = CreateFont(Request("ＭＳ ゴシック", 16, true, true));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->GetTextMetrics().tmHeight, 16);
  EXPECT_EQ(font->GetTextMetrics().tmAscent, 12);
  GlyphMetrics m;
  ASSERT_TRUE(font->GetGlyphMetrics('A', m));
  EXPECT_EQ(m.gmCellIncX, 8);
  ASSERT_TRUE(font->GetGlyphMetrics(kHiraganaA, m));
  EXPECT_EQ(m.gmCellIncX, 16);
  ASSERT_EQ(fake.requests().size(), 1u);
  EXPECT_EQ(fake.requests()[0].weight, 700);
  EXPECT_TRUE(fake.requests()[0].italic);

  fake.SetCreateFails(true);
  EXPECT_FALSE(CreateFont(Request("ＭＳ ゴシック", 16)));
  platform::SetGlyphSourceForTest(nullptr);
}

TEST(SystemFonts, GothicHasJapaneseGlyphsAndTheCellHeightIsTheSize) {
  for (std::int32_t size : {12, 16, 20, 24, 32}) {
    auto font = CreateFont(Request("ＭＳ ゴシック", size));
    ASSERT_TRUE(font) << size;
    const auto tm = font->GetTextMetrics();
    EXPECT_EQ(tm.tmHeight, size);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, size);
    EXPECT_GT(tm.tmAscent, size / 2);

    GlyphBitmap kana;
    ASSERT_TRUE(font->GetGlyphGray8(kHiraganaA, kana));
    EXPECT_NEAR(kana.metrics.gmCellIncX, size, 1) << size;
    EXPECT_GT(kana.metrics.gmBlackBoxX, 0u);
    EXPECT_GT(InkSum(kana), 0);

    GlyphMetrics half;
    ASSERT_TRUE(font->GetGlyphMetrics(kHalfWidthKa, half));
    EXPECT_NEAR(half.gmCellIncX, size / 2, 1) << size;
  }
}

TEST(SystemFonts, GreyLevelsStayWithin0To64AndRowsArePaddedTo4Bytes) {
  auto font = CreateFont(Request("ＭＳ ゴシック", 24));
  ASSERT_TRUE(font);
  GlyphBitmap g;
  ASSERT_TRUE(font->GetGlyphGray8(kKanjiNichi, g));
  EXPECT_EQ(g.pitch % 4, 0u);
  EXPECT_GE(g.pitch, g.metrics.gmBlackBoxX);
  ASSERT_EQ(g.levels.size(), static_cast<std::size_t>(g.pitch) * g.metrics.gmBlackBoxY);
  EXPECT_LE(*std::max_element(g.levels.begin(), g.levels.end()), 64);
  // A solid stroke reaches full coverage.
  EXPECT_EQ(*std::max_element(g.levels.begin(), g.levels.end()), 64);
  // The ink lies inside the cell: above the baseline by at most the ascent.
  EXPECT_LE(g.metrics.gmptGlyphOriginY, font->GetTextMetrics().tmAscent);
}

TEST(SystemFonts, MetricsAgreeWithTheBitmapsAndAreStable) {
  auto font = CreateFont(Request("ＭＳ ゴシック", 20));
  ASSERT_TRUE(font);
  GlyphMetrics m;
  GlyphBitmap g;
  ASSERT_TRUE(font->GetGlyphMetrics(kKanjiNichi, m));
  ASSERT_TRUE(font->GetGlyphGray8(kKanjiNichi, g));
  EXPECT_EQ(m.gmBlackBoxX, g.metrics.gmBlackBoxX);
  EXPECT_EQ(m.gmBlackBoxY, g.metrics.gmBlackBoxY);
  EXPECT_EQ(m.gmCellIncX, g.metrics.gmCellIncX);
  // A second font of the same request measures the same.
  auto again = CreateFont(Request("ＭＳ ゴシック", 20));
  GlyphMetrics m2;
  ASSERT_TRUE(again->GetGlyphMetrics(kKanjiNichi, m2));
  EXPECT_EQ(m.gmCellIncX, m2.gmCellIncX);
}

TEST(SystemFonts, UnknownFacesAndLatinFacesStillShowJapanese) {
  for (const char* face : {"メイリオ", "No Such Face", "", "Times New Roman", "HG行書体"}) {
    auto font = CreateFont(Request(face, 18));
    ASSERT_TRUE(font) << face;
    EXPECT_EQ(font->GetTextMetrics().tmHeight, 18);
    GlyphBitmap g;
    ASSERT_TRUE(font->GetGlyphGray8(kHiraganaA, g)) << face;
    EXPECT_GT(InkSum(g), 0) << face;
    EXPECT_NEAR(g.metrics.gmCellIncX, 18, 1) << face;
  }
}

TEST(SystemFonts, BoldIsWiderAndSpacesAndUnmappedCodesAreHandled) {
  auto normal = CreateFont(Request("Times New Roman", 20));
  auto bold = CreateFont(Request("Times New Roman", 20, true));
  ASSERT_TRUE(normal && bold);
  GlyphMetrics n, b;
  ASSERT_TRUE(normal->GetGlyphMetrics('H', n));
  ASSERT_TRUE(bold->GetGlyphMetrics('H', b));
  EXPECT_GT(b.gmBlackBoxX, n.gmBlackBoxX);

  auto gothicBold = CreateFont(Request("ＭＳ ゴシック", 20, true));
  auto gothic = CreateFont(Request("ＭＳ ゴシック", 20));
  ASSERT_TRUE(gothicBold->GetGlyphMetrics(kKanjiNichi, b));
  ASSERT_TRUE(gothic->GetGlyphMetrics(kKanjiNichi, n));
  EXPECT_EQ(b.gmCellIncX, n.gmCellIncX + 1);  // synthetic bold adds one pixel

  GlyphBitmap space;
  ASSERT_TRUE(gothic->GetGlyphGray8(' ', space));
  EXPECT_EQ(InkSum(space), 0);
  EXPECT_GT(space.metrics.gmCellIncX, 0);

  GlyphBitmap missing;
  EXPECT_TRUE(gothic->GetGlyphGray8(kUnmappedCode, missing));
  EXPECT_LE(missing.levels.size(), static_cast<std::size_t>(missing.pitch) * 20);
}

TEST(SystemFonts, ItalicSlantsWithoutChangingTheAdvance) {
  auto upright = CreateFont(Request("ＭＳ ゴシック", 24));
  auto italic = CreateFont(Request("ＭＳ ゴシック", 24, false, true));
  GlyphMetrics u, i;
  ASSERT_TRUE(upright->GetGlyphMetrics('l', u));
  ASSERT_TRUE(italic->GetGlyphMetrics('l', i));
  EXPECT_EQ(u.gmCellIncX, i.gmCellIncX);
  EXPECT_GT(i.gmBlackBoxX, u.gmBlackBoxX);
}

TEST(SystemFonts, ImpossibleHeightsMakeNoFont) {
  EXPECT_FALSE(CreateFont(Request("ＭＳ ゴシック", 0)));
  EXPECT_FALSE(CreateFont(Request("ＭＳ ゴシック", -5)));
  EXPECT_FALSE(CreateFont(Request("ＭＳ ゴシック", 100000)));
}

}  // namespace

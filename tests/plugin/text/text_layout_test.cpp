// Tagged text layout on fonts with fixed metrics: the width line and line heads,
// alignment offsets, tag brackets that open no tag, style tags and their stacks,
// ruby, line breaking with the line-breaking sets, italic slant allowances, line
// spacing, height overflow, over-long texts; tag argument parsing; glyph metrics
// and their cache.

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "plugin/text/glyph_metrics.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_style_state.h"
#include "tests/plugin/text/layout_fixture.h"

namespace {

using namespace nsWendrick;
using nsTamskLib::TextTokenSection;
using testing::ElementsAre;
using testing::Return;

class TextLayoutTest : public vesk_test::TextLayoutFixture {
 protected:
  // Size 20: one-byte glyphs 10 wide, two-byte glyphs 20, cells 20 high.
  void Layout(const std::string& text, std::int32_t maxWidth = -1, std::int32_t maxHeight = -1,
              std::int32_t align = kAlignLeft, std::int32_t lspace = 0) {
    LayoutTaggedText(text, "Gothic", 20, 0x00FFFFFF, 0, 0, lspace, align, maxWidth, maxHeight,
                     &engine, section);
  }

  TextTokenSection section;
};

TEST_F(TextLayoutTest, AnEmptyTextIsTheWidthLineAndOneHead) {
  Layout("", 100);
  ASSERT_EQ(section.size(), 2u);
  ASSERT_EQ(section.at(0).size(), 1u);
  EXPECT_EQ(section.at(0).at(0).Width, 100);
  ASSERT_EQ(section.at(1).size(), 1u);
  EXPECT_EQ(section.at(1).at(0).Width, 0);
  EXPECT_EQ(section.at(1).at(0).Height, 20);

  Layout("");
  ASSERT_EQ(section.size(), 1u);
  EXPECT_EQ(section.at(0).size(), 1u);
}

TEST_F(TextLayoutTest, CentreAndRightOffsetsCountTheAlignmentCodeInTheLineWidth) {
  Layout("abcd", 100, -1, kAlignCenter);
  EXPECT_EQ(section.at(1).at(0).Width, (100 - 41) / 2);
  EXPECT_EQ(section.at(0).at(0).Width, 100);  // the width line stays
  Layout("abcd", 100, -1, kAlignRight);
  EXPECT_EQ(section.at(1).at(0).Width, 100 - 42);
  Layout("abcd", -1, -1, kAlignRight);
  EXPECT_EQ(section.at(0).at(0).Width, 0);
  // An alignment tag opens the following lines with its own alignment.
  Layout("ab<aligncenter>\ncd</aligncenter>", 100);
  EXPECT_EQ(section.at(1).at(0).Width, 0);
  EXPECT_EQ(section.at(2).at(0).Width, (100 - 21) / 2);
}

TEST_F(TextLayoutTest, BracketsThatOpenNoTagAreDrawnAsBrackets) {
  Layout("<x>");
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "<", "x", ">"));
  Layout("<size -3>a");
  EXPECT_THAT(Texts(section.at(0)),
              ElementsAre("", "<", "s", "i", "z", "e", " ", "-", "3", ">", "a"));
  EXPECT_EQ(section.at(0).at(1).Width, 10);  // measured as "<"
  Layout("<alpha 256>a<color 1, 2>b<font 'x>c");
  EXPECT_EQ(Texts(section.at(0)).size(), 1u + 11u + 1u + 12u + 1u + 9u + 1u);
}

TEST_F(TextLayoutTest, StyleTagsPushAndPopAndClosingTagsNeverEmptyAStack) {
  Layout("<b>a</b></b>b< i >c</i><color 255, 0,128>d</color><alpha 128>e"
         "<size 10>f</size>g<font 'Mincho'>h</font>i");
  const auto& line = section.at(0);
  ASSERT_EQ(line.size(), 10u);
  EXPECT_EQ(line.at(1).Flag1, 1);
  EXPECT_EQ(line.at(2).Flag1, 0);
  EXPECT_EQ(line.at(3).Flag2, 1);
  EXPECT_EQ(line.at(4).Colour, 0x008000FFu);
  EXPECT_EQ(line.at(5).Colour, 0x00FFFFFFu);
  EXPECT_EQ(line.at(5).Alpha, 128);
  EXPECT_EQ(line.at(4).Alpha, 255);
  EXPECT_EQ(line.at(6).Size, 10);
  EXPECT_EQ(line.at(6).Width, 5);
  EXPECT_EQ(line.at(7).Size, 20);
  EXPECT_STREQ(line.at(8).FontFace.c_str(), "Mincho");
  EXPECT_STREQ(line.at(9).FontFace.c_str(), "Gothic");
}

TEST_F(TextLayoutTest, CharacterSpacingFollowsEachGlyph) {
  Layout("<cspace 3>ab</cspace>c");
  EXPECT_THAT(Texts(section.at(0)), ElementsAre("", "a", "", "b", "", "c"));
  EXPECT_EQ(section.at(0).at(2).Width, 3);
  EXPECT_EQ(section.at(0).GetWidth(), 10u + 3u + 10u + 3u + 10u);
}

TEST_F(TextLayoutTest, RubyAttachesToTheNextGlyphAndWidensIt) {
  ON_CALL(engine.ownDrawManager, GetRubyFont()).WillByDefault(Return("Ruby"));
  ON_CALL(engine.ownDrawManager, GetRubyFontSize()).WillByDefault(Return(10));
  TextStyle().ruby.cspace.current = 1;
  Layout("<rubyoffset 2><ruby 'abcdef'>X<ruby '<b>k'>");
  const auto& line = section.at(0);
  ASSERT_EQ(line.size(), 2u);
  const auto& ruby = line.at(1).Ruby;
  ASSERT_EQ(ruby.size(), 6u);
  EXPECT_STREQ(ruby.at(0).FontFace.c_str(), "Ruby");
  EXPECT_EQ(ruby.at(0).Width, 5 + 1);
  EXPECT_EQ(ruby.at(0).Height, 10 + 2);
  EXPECT_EQ(line.GetWidth(), 36u);  // the ruby is wider than the glyph
  EXPECT_EQ(section.at(0).at(0).Height, 20 + 12);  // head raised to the line height
}

TEST_F(TextLayoutTest, RubyTextKnowsOnlyItsOwnTags) {
  nsTamskLib::RubyTextTokenLine ruby;
  // Ruby text arrives expanded: its tags are already between 0x04 and 0x05.
  LayoutRubyText("\x04i\x05" "ab" "\x04/i\x05" "\x04" "aligncenter" "\x05\n", "R", 20, 7, 0, 0,
                 &engine, ruby);
  ASSERT_EQ(ruby.size(), 2u + 13u + 1u);
  EXPECT_EQ(ruby.at(0).Width, 10);  // slant allowance only on the last italic glyph
  EXPECT_EQ(ruby.at(1).Width, 15);
  EXPECT_STREQ(ruby.at(2).Text.c_str(), "<");
  EXPECT_STREQ(ruby.back().Text.c_str(), "\n");
}

TEST_F(TextLayoutTest, OnlyTheLastGlyphOfAnItalicRunKeepsItsSlantAllowance) {
  Layout("<i>ab</i>c");
  EXPECT_EQ(section.at(0).at(1).Width, 10);
  EXPECT_EQ(section.at(0).at(2).Width, 15);
  EXPECT_EQ(section.at(0).at(3).Width, 10);
}

TEST_F(TextLayoutTest, ALeadingBracketMovesToTheNextLineWithTheGlyphThatOverflowed) {
  Layout("ab「c", 45);  // 10 + 10 + 20 fills the line; c does not fit
  ASSERT_EQ(section.size(), 3u);
  EXPECT_THAT(Texts(section.at(1)), ElementsAre("", "a", "b"));
  EXPECT_THAT(Texts(section.at(2)), ElementsAre("", "\n", "「", "c"));
}

TEST_F(TextLayoutTest, AFollowingCharacterTakesThePreviousGlyphAlongUnlessBothAreWeak) {
  Layout("abcd。", 45);
  EXPECT_THAT(Texts(section.at(1)), ElementsAre("", "a", "b", "c"));
  EXPECT_THAT(Texts(section.at(2)), ElementsAre("", "\n", "d", "。"));
  Layout("abcッー", 55);  // two weak following characters: no carry
  EXPECT_THAT(Texts(section.at(1)), ElementsAre("", "a", "b", "c", "ッ"));
  EXPECT_THAT(Texts(section.at(2)), ElementsAre("", "\n", "ー"));
}

TEST_F(TextLayoutTest, TheFirstGlyphOfALineIsNeverCarriedSoNoLineIsLeftEmpty) {
  Layout("aab」", 10);  // every glyph fills a line; 」 would take b along
  ASSERT_EQ(section.size(), 5u);
  EXPECT_THAT(Texts(section.at(3)), ElementsAre("", "\n", "b"));
  EXPECT_THAT(Texts(section.at(4)), ElementsAre("", "\n", "」"));
}

TEST_F(TextLayoutTest, AGlyphThatBreaksTheLineGivesThePreviousItsSlantBack) {
  Layout("<i>abcd</i>", 40);  // d would make 10 + 10 + 10 + 15
  ASSERT_EQ(section.size(), 3u);
  EXPECT_EQ(section.at(1).at(3).Width, 15);  // the line's last italic glyph keeps it
  EXPECT_EQ(section.at(1).at(1).Width, 10);
}

TEST_F(TextLayoutTest, AGlyphAfterALineFeedNeverCarriesTokensOfTheLineBefore) {
  Layout("a\n。", 15);  // the first glyph of the new line overflows at once
  ASSERT_EQ(section.size(), 4u);
  EXPECT_THAT(Texts(section.at(1)), ElementsAre("", "a"));
  EXPECT_THAT(Texts(section.at(2)), ElementsAre("", "\n"));
  EXPECT_THAT(Texts(section.at(3)), ElementsAre("", "\n", "。"));
  EXPECT_EQ(WarningCount("横幅が最大を超過しています！"), 1);

  Layout("。", 15);  // the first glyph of the text: nothing before it to carry
  ASSERT_EQ(section.size(), 3u);
  EXPECT_THAT(Texts(section.at(1)), ElementsAre(""));
  EXPECT_THAT(Texts(section.at(2)), ElementsAre("", "\n", "。"));
}

TEST_F(TextLayoutTest, LineSpacingAddsASpacingLineBeforeEachNewLine) {
  Layout("a\nb", -1, -1, kAlignLeft, 7);
  ASSERT_EQ(section.size(), 3u);
  ASSERT_EQ(section.at(1).size(), 1u);
  EXPECT_EQ(section.at(1).at(0).Height, 7);
  EXPECT_EQ(section.GetHeight(), 47u);
  Layout("ab<lspace 4>c", 25);
  ASSERT_EQ(section.size(), 4u);
  EXPECT_EQ(section.at(2).at(0).Height, 4);
}

TEST_F(TextLayoutTest, LinesBeyondTheMaximumHeightAreStillAddedWithOneWarning) {
  Layout("abcdefgh", 25, 45);
  ASSERT_EQ(section.size(), 5u);  // width line and four lines of two glyphs
  EXPECT_THAT(Texts(section.at(4)), ElementsAre("", "\n", "g", "h"));
  EXPECT_EQ(WarningCount("縦幅が最大を超過しています！"), 1);
  EXPECT_EQ(WarningCount("横幅が最大を超過しています！"), 0);
}

TEST_F(TextLayoutTest, AGlyphWiderThanTheMaximumWidthIsWarnedAboutAndKept) {
  Layout("ab", 5);
  ASSERT_EQ(section.size(), 4u);
  EXPECT_THAT(Texts(section.at(3)), ElementsAre("", "\n", "b"));
  EXPECT_EQ(WarningCount("横幅が最大を超過しています！"), 2);
}

TEST_F(TextLayoutTest, AnOverlongTextIsCutAtACharacterBoundary) {
  std::string text(kMaxLayoutTextBytes - 1, '\n');
  text += "あい";
  Layout(text);
  ASSERT_EQ(section.size(), 1u + kMaxLayoutTextBytes - 1);
  EXPECT_THAT(Texts(section.back()), ElementsAre("", "\n"));
  EXPECT_EQ(WarningCount("テキストが長すぎます！（65537 バイト）"), 1);
}

TEST_F(TextLayoutTest, ALeadByteAtTheEndIsAOneByteGlyph) {
  Layout(std::string("a\x82", 2));
  ASSERT_EQ(section.at(0).size(), 3u);
  EXPECT_EQ(section.at(0).at(2).Width, 10);
}

TEST(TagArgumentTest, NumbersAndQuotedStrings) {
  std::int32_t value = 0;
  EXPECT_EQ(ParseTagNumber("  -42x", &value), 5u);
  EXPECT_EQ(value, -42);
  EXPECT_EQ(ParseTagNumber(" x", &value), 0u);
  EXPECT_EQ(ParseTagNumber("-", &value), 0u);
  EXPECT_EQ(ParseTagNumber("99999999999", &value), 11u);
  EXPECT_EQ(value, 2147483647);

  std::string text;
  EXPECT_EQ(ParseTagString(" 'MS'", &text), 5u);
  EXPECT_EQ(text, "MS");
  EXPECT_EQ(ParseTagString("''", &text), 2u);
  EXPECT_EQ(text, "");
  EXPECT_EQ(ParseTagString("MS'", &text), 0u);
  EXPECT_EQ(ParseTagString("'M\nS'", &text), 0u);
  EXPECT_EQ(ParseTagString("'MS", &text), 0u);
}

class GlyphMetricsTest : public vesk_test::TextLayoutFixture {};

TEST_F(GlyphMetricsTest, MeasuresOncePerCharacterFaceSizeAndStyle) {
  std::int32_t advance = -1;
  std::int32_t height = -1;
  GetGlyphMetrics(&advance, &height, 0x82A0, "Gothic", 20, false, false);
  EXPECT_EQ(advance, 20);
  EXPECT_EQ(height, 20);
  GetGlyphMetrics(&advance, &height, 0x82A0, "Gothic", 20, false, false);
  EXPECT_EQ(fonts.requests().size(), 1u);
  GetGlyphMetrics(&advance, &height, 0x82A0, "Gothic", 20, true, true);
  EXPECT_EQ(advance, 25);
  ASSERT_EQ(fonts.requests().size(), 2u);
  EXPECT_EQ(fonts.requests()[1].weight, 700);
  EXPECT_TRUE(fonts.requests()[1].italic);
  EXPECT_EQ(GlyphMetricsKey(0x82A0, "Gothic", 20, true, true), "33440_Gothic_20_3");
  EXPECT_EQ(GlyphMetricsCacheSize(), 2u);
}

TEST_F(GlyphMetricsTest, SizeZeroAndUnmadeFontsMeasureNothing) {
  std::int32_t advance = -1;
  std::int32_t height = -1;
  GetGlyphMetrics(&advance, &height, 'a', "Gothic", 0, false, false);
  EXPECT_EQ(advance, 0);
  EXPECT_EQ(height, 0);
  EXPECT_TRUE(fonts.requests().empty());
  fonts.SetCreateFails(true);
  GetGlyphMetrics(&advance, &height, 'a', "Gothic", 20, false, true);
  EXPECT_EQ(advance, 0);
  EXPECT_EQ(height, 0);
  fonts.SetCreateFails(false);
  GetGlyphMetrics(&advance, &height, 'a', "Gothic", 20, false, true);
  EXPECT_EQ(advance, 15);  // a failure is not remembered
}

TEST_F(GlyphMetricsTest, LongFaceNamesAreCutToThirtyOneBytes) {
  std::int32_t advance = 0;
  std::int32_t height = 0;
  GetGlyphMetrics(&advance, &height, 'a', std::string(40, 'F'), 20, false, false);
  ASSERT_EQ(fonts.requests().size(), 1u);
  EXPECT_EQ(fonts.requests()[0].face, std::string(31, 'F'));
}

}  // namespace

#include <climits>

#include <gtest/gtest.h>

#include "engine/api/token_containers.h"
#include "tests/engine/kit/fatal_trap.h"

namespace {

using nsTamskLib::Expression;
using nsTamskLib::ExpressionToken;
using nsTamskLib::mystr;
using nsTamskLib::RubyTextTokenLine;
using nsTamskLib::RubyToken;
using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;
using nsTamskLib::TextTokenSection;
using nsTamskLib::vector_mystr;

TextToken Glyph(std::int32_t width, std::int32_t height) {
  TextToken token;
  token.Text = "a";
  token.Width = width;
  token.Height = height;
  return token;
}

RubyToken RubyGlyph(std::int32_t width, std::int32_t height) {
  RubyToken token;
  token.Width = width;
  token.Height = height;
  return token;
}

TextTokenLine LineOf(std::int32_t width, std::int32_t height) {
  TextTokenLine line;
  line.push_back(Glyph(width, height));
  return line;
}

TEST(MystrTest, CopiesAndComparesBytewise) {
  mystr a("abc");
  mystr b(a);
  EXPECT_STREQ(b.c_str(), "abc");
  EXPECT_TRUE(b == "abc");
  EXPECT_TRUE(b != "abd");
  b = "x";
  EXPECT_STREQ(a.c_str(), "abc");
  a = a;
  EXPECT_STREQ(a.c_str(), "abc");
  EXPECT_STREQ(mystr().c_str(), "");
  // Shift-JIS bytes are copied as they are, including a trail byte of 0x5C.
  mystr sjis("表示");
  EXPECT_TRUE(sjis == "表示");
}

TEST(MystrTest, BufferGrowsToTheExactSizeAndNeverShrinks) {
  mystr s("abcdef");
  EXPECT_EQ(s.capacity(), 7u);
  s = "ab";
  EXPECT_EQ(s.capacity(), 7u);
  EXPECT_STREQ(s.c_str(), "ab");
  s.assign("abcdefghij");
  EXPECT_EQ(s.capacity(), 11u);
  s = s.c_str() + 5;  // from its own buffer
  EXPECT_STREQ(s.c_str(), "fghij");
}

TEST(MystrTest, NullArgumentsReportTheOperation) {
  vesk_test::FatalTrap trap;
  const char* null = nullptr;
  mystr s("x");
  EXPECT_FATAL(mystr bad(null), "mystr::mystr(const char* Src)");
  EXPECT_FATAL(s.assign(null), "mystr::assign(const char* Src)");
  EXPECT_FATAL(s = null, "mystr::operator =(const char* RHS)");
  EXPECT_FATAL((void)(s == null), "mystr::operator ==(const char* RHS)");
  EXPECT_FATAL((void)(s != null), "mystr::operator !=(const char* RHS)");
  ASSERT_FALSE(trap.boxes().empty());
  EXPECT_EQ(trap.boxes().back().caption, "エラー！");
}

TEST(ContainerTest, GrowsByDoublingAndConstructsEverySpareElement) {
  vector_mystr v;
  EXPECT_EQ(v.capacity(), 0u);
  const std::uint32_t expected[] = {1, 2, 4, 4, 8};
  for (std::uint32_t i = 0; i < 5; ++i) {
    v.push_back(mystr("s"));
    EXPECT_EQ(v.capacity(), expected[i]) << "after " << i + 1 << " appends";
  }
  EXPECT_EQ(v.size(), 5u);
}

TEST(ContainerTest, ClearKeepsTheElementsForReuse) {
  TextTokenSection section;
  for (int i = 0; i < 3; ++i) section.push_back(LineOf(10, 10));
  const TextTokenLine* first = &section.at(0);
  section.clear();
  EXPECT_EQ(section.size(), 0u);
  EXPECT_TRUE(section.empty());
  EXPECT_EQ(section.capacity(), 4u);
  section.push_back(LineOf(5, 5));
  EXPECT_EQ(&section.at(0), first);
  EXPECT_EQ(section.at(0).GetWidth(), 5u);

  vector_mystr v;
  v.push_back(mystr("a long string"));
  const std::uint32_t bufferSize = v.at(0).capacity();
  v.clear();
  v.push_back(mystr("b"));
  EXPECT_EQ(v.at(0).capacity(), bufferSize) << "the string buffer is reused";
  EXPECT_STREQ(v.at(0).c_str(), "b");
}

TEST(ContainerTest, CopiesAreDeepAndSelfAssignmentKeepsTheContent) {
  Expression e;
  ExpressionToken token;
  token.Type = 4;
  token.Name = "x";
  token.Sub.push_back(token);
  e.push_back(token);
  Expression copy(e);
  e.at(0).Name = "y";
  EXPECT_STREQ(copy.at(0).Name.c_str(), "x");
  EXPECT_EQ(copy.at(0).Sub.size(), 1u);
  copy = copy;
  EXPECT_EQ(copy.size(), 1u);
  copy = Expression();
  EXPECT_TRUE(copy.empty());
}

TEST(ContainerTest, BadIndexReportsTheContainersSignature) {
  vesk_test::FatalTrap trap;
  vector_mystr v;
  Expression e;
  RubyTextTokenLine ruby;
  TextTokenLine line;
  TextTokenSection section;
  v.push_back(mystr("a"));
  EXPECT_FATAL(v.at(v.size()), "vector_mystr::at(unsigned int Num)");
  EXPECT_FATAL(e.at(0), "Expression::at(unsigned int Num)");
  EXPECT_FATAL(ruby.at(UINT_MAX), "RubyTextTokenLine::at(unsigned int Num)");
  EXPECT_FATAL(line.at(0), "TextTokenLine::at(unsigned int Num)");
  EXPECT_FATAL(section.at(1), "TextTokenSection::at(unsigned int Num)");
  EXPECT_FATAL(e.back(), "Expression::back()");
  EXPECT_FATAL(section.back(), "TextTokenSection::back()");
  EXPECT_FATAL(line.back(), "TextTokenLine::back()");
  EXPECT_FATAL(ruby.back(), "RubyTextTokenLine::back()");
  v.clear();
  EXPECT_FATAL(v.back(), "vector_mystr::back()");
  EXPECT_FATAL(e.pop_back(), "Expression::pop_back()");
}

TEST(ContainerTest, PopBackResetsTheRemovedToken) {
  Expression e;
  ExpressionToken token;
  token.Type = 0;
  token.Value = 7;
  e.push_back(token);
  e.push_back(token);
  e.pop_back();
  EXPECT_EQ(e.size(), 1u);
  EXPECT_EQ(e.back().Value, 7);
  // A fresh token is in the empty state.
  const ExpressionToken empty;
  EXPECT_EQ(empty.Type, -1);
  EXPECT_EQ(empty.SubType, -1);
  EXPECT_EQ(empty.Extra, -1);
  EXPECT_EQ(empty.Value, 0);
}

TEST(TextLayoutTest, LineWidthTakesTheWiderOfTextAndRuby) {
  TextToken narrow = Glyph(10, 20);
  narrow.Ruby.push_back(RubyGlyph(8, 6));
  narrow.Ruby.push_back(RubyGlyph(8, 5));  // ruby 16 wide, wider than the glyph
  TextTokenLine line;
  line.push_back(narrow);
  line.push_back(Glyph(12, 22));
  EXPECT_EQ(narrow.Ruby.GetWidth(), 16u);
  EXPECT_EQ(line.GetWidth(), 28u);
  // Height: the largest of token height plus its tallest ruby.
  EXPECT_EQ(line.GetHeight(), 26u);
}

TEST(TextLayoutTest, LineRefusesATokenPastTheWidthLimit) {
  TextTokenLine line;
  EXPECT_TRUE(line.push_back(Glyph(60, 10), 100u));
  EXPECT_TRUE(line.push_back(Glyph(40, 10), 100u));  // exactly 100
  EXPECT_FALSE(line.push_back(Glyph(1, 10), 100u));
  EXPECT_EQ(line.size(), 2u);
}

TEST(TextLayoutTest, SectionRefusesLinesPastTheWidthOrHeightLimit) {
  TextTokenSection section;
  EXPECT_TRUE(section.push_back(LineOf(200, 30), 200u, 60u));   // exact width
  EXPECT_FALSE(section.push_back(LineOf(201, 10), 200u, 60u));  // one wider
  EXPECT_TRUE(section.push_back(LineOf(50, 30), 200u, 60u));    // exact height
  EXPECT_FALSE(section.push_back(LineOf(50, 1), 200u, 60u));    // one higher
  EXPECT_EQ(section.size(), 2u);
  EXPECT_EQ(section.GetWidth(), 200u);
  EXPECT_EQ(section.GetHeight(), 60u);
}

TEST(TextLayoutTest, CopiesAreNeverCut) {
  TextTokenSection section;
  section.push_back(LineOf(-1, -1));  // as unsigned the largest sizes
  section.push_back(LineOf(-1, -1));
  TextTokenSection copy(section);
  EXPECT_EQ(copy.size(), 2u);
  TextTokenLine line;
  line.push_back(Glyph(-1, 1));
  line.push_back(Glyph(-1, 1));
  TextTokenLine lineCopy;
  lineCopy = line;
  EXPECT_EQ(lineCopy.size(), 2u);
}

}  // namespace

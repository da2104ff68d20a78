// Expansion of string arguments: variables, escapes, tag delimiters, and whole
// Shift-JIS characters.

#include <string>

#include <gtest/gtest.h>

#include "plugin/text/expansion.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace {

using nsWendrick::ExpandVariables;

class ExpansionTest : public testing::Test {
 protected:
  void SetUp() override { vesk_test::ResetPluginState(); }
  void TearDown() override { vesk_test::ResetPluginState(); }

  std::string Expand(const std::string& source) { return ExpandVariables(source, &engine); }

  vesk_test::FakeEngine engine;
};

TEST_F(ExpansionTest, DeclaredVariablesWithAValueAreSubstituted) {
  nsWendrick::LocalVariableNames() = {"hp", "mp"};
  engine.locals.values["hp"] = 25;
  EXPECT_EQ(Expand("HP:\\hp\\"), "HP:25");
  // Declared but not set yet: left as written.
  EXPECT_EQ(Expand("MP:\\mp\\"), "MP:\\mp\\");
  // Not declared: the table is not asked.
  engine.locals.values["sp"] = 3;
  EXPECT_EQ(Expand("\\sp\\"), "\\sp\\");
  engine.locals.values["hp"] = -7;
  EXPECT_EQ(Expand("\\hp\\/\\hp\\"), "-7/-7");
}

TEST_F(ExpansionTest, ALocalHidesAGlobalOfTheSameName) {
  nsWendrick::LocalVariableNames() = {"x"};
  nsWendrick::GlobalVariableNames() = {"x", "@HiScore"};
  engine.locals.values["x"] = 1;
  engine.globals.values["x"] = 2;
  engine.globals.values["@HiScore"] = 2147483647;
  EXPECT_EQ(Expand("\\x\\ \\@HiScore\\"), "1 2147483647");
  engine.locals.values.erase("x");
  EXPECT_EQ(Expand("\\x\\"), "2");
}

TEST_F(ExpansionTest, ADoubleBackslashIsOneBackslashAndNeverStartsAReference) {
  nsWendrick::LocalVariableNames() = {"hp"};
  engine.locals.values["hp"] = 25;
  EXPECT_EQ(Expand("a\\\\hp\\"), "a\\hp\\");
  EXPECT_EQ(Expand("\\\\n"), "\\n");
  EXPECT_EQ(Expand("\\\\\\\\"), "\\\\");
}

TEST_F(ExpansionTest, EscapesAndTagDelimiters) {
  EXPECT_EQ(Expand("say \\\"hi\\\""), "say \"hi\"");
  EXPECT_EQ(Expand("a\\nb"), "a\nb");
  EXPECT_EQ(Expand("\\<b\\>"), "<b>");
  EXPECT_EQ(Expand("<b>"), "\x04" "b\x05");
  EXPECT_EQ(Expand("<size 20>x</size>"), "\x04size 20\x05x\x04/size\x05");
  EXPECT_EQ(Expand("a\tb\t"), "ab");
  EXPECT_EQ(Expand(""), "");
}

TEST_F(ExpansionTest, TheSecondByteOfATwoByteCharacterIsNeverABackslash) {
  // "ソ" is 0x83 0x5C and "表" 0x95 0x5C.
  EXPECT_EQ(Expand("ソn"), "ソn");
  EXPECT_EQ(Expand("表<b>"), "表\x04" "b\x05");
  EXPECT_EQ(Expand("ソ\\\\"), "ソ\\");
  nsWendrick::LocalVariableNames() = {"hp", "能力"};
  engine.locals.values["hp"] = 9;
  engine.locals.values["能力"] = 4;
  EXPECT_EQ(Expand("表\\hp\\"), "表9");
  EXPECT_EQ(Expand("\\能力\\点"), "4点");
  // A lead byte as the last byte stays as it is.
  EXPECT_EQ(Expand("ab\x83"), "ab\x83");
}

TEST_F(ExpansionTest, NoEngineExpandsOnlyTheEscapes) {
  nsWendrick::LocalVariableNames() = {"hp"};
  EXPECT_EQ(ExpandVariables("\\hp\\ <", nullptr), "\\hp\\ \x04");
}

std::string Replaced(std::string text, const std::string& pattern, const std::string& replacement) {
  nsWendrick::ReplaceAll(text, pattern, replacement);
  return text;
}

std::string ReplacedCharacters(std::string text, const std::string& pattern,
                               const std::string& replacement) {
  nsWendrick::ReplaceAllCharacters(text, pattern, replacement);
  return text;
}

TEST(ReplaceAllTest, ResumesBehindEachReplacement) {
  EXPECT_EQ(Replaced("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(Replaced("abab", "ab", ""), "");
  EXPECT_EQ(Replaced("x", "", "y"), "x");
  // Bytewise: the trail byte of "ソ" matches a backslash.
  EXPECT_EQ(Replaced("ソ", "\\", "/"), "\x83/");
  EXPECT_EQ(ReplacedCharacters("ソ", "\\", "/"), "ソ");
}

TEST(IntToStringTest, WritesSignedDecimals) {
  EXPECT_EQ(nsWendrick::IntToString(0), "0");
  EXPECT_EQ(nsWendrick::IntToString(-2147483647 - 1), "-2147483648");
  EXPECT_EQ(nsWendrick::IntToString(1300), "1300");
}

}  // namespace

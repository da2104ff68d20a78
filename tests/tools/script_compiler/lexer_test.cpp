// The script lexer: statement words and label definitions, strings kept verbatim
// with their escapes and Shift-JIS trail bytes, punctuation and assignment
// operators apart from comparisons, comments and line numbers.

#include <gtest/gtest.h>

#include "tools/script_compiler/script_lexer.h"

namespace nsScriptCompiler {
namespace {

using K = LexKind;

std::vector<std::pair<LexKind, std::string>> Kinds(const std::string& source) {
  const LexResult result = Lex(source);
  EXPECT_EQ(result.error, "");
  std::vector<std::pair<LexKind, std::string>> out;
  for (const LexToken& token : result.tokens) out.emplace_back(token.kind, token.text);
  return out;
}

using Tokens = std::vector<std::pair<LexKind, std::string>>;

TEST(LexerTest, StatementsSplitIntoWordsArgumentsAndPunctuation) {
  EXPECT_EQ(Kinds("@start: local x = 5;\nif x >= 2 && x != 3 { calc x -= 1; } else { end; }"),
            (Tokens{{K::kLabel, "@start"}, {K::kWord, "local"},   {K::kArgument, "x"},
                    {K::kPunct, "="},      {K::kArgument, "5"},   {K::kPunct, ";"},
                    {K::kWord, "if"},      {K::kArgument, "x >= 2 && x != 3"},
                    {K::kPunct, "{"},      {K::kWord, "calc"},    {K::kArgument, "x"},
                    {K::kAssign, "-="},    {K::kArgument, "1"},   {K::kPunct, ";"},
                    {K::kPunct, "}"},      {K::kWord, "else"},    {K::kPunct, "{"},
                    {K::kWord, "end"},     {K::kPunct, ";"},      {K::kPunct, "}"}}));
}

TEST(LexerTest, EveryAssignmentOperatorIsOneTokenAndComparisonsStayInExpressions) {
  for (const char* op : {"+=", "-=", "*=", "/=", "%=", "|=", "&=", "^="}) {
    EXPECT_EQ(Kinds(std::string("calc a ") + op + " b == c;"),
              (Tokens{{K::kWord, "calc"}, {K::kArgument, "a"}, {K::kAssign, op},
                      {K::kArgument, "b == c"}, {K::kPunct, ";"}}))
        << op;
  }
  EXPECT_EQ(Kinds("beginloop i<=3, i+=1;"),
            (Tokens{{K::kWord, "beginloop"}, {K::kArgument, "i<=3"}, {K::kPunct, ","},
                    {K::kArgument, "i"}, {K::kAssign, "+="}, {K::kArgument, "1"},
                    {K::kPunct, ";"}}));
}

TEST(LexerTest, StringsKeepTheirBodiesVerbatim) {
  EXPECT_EQ(Kinds(R"(text "a\"b\n<b>%c", "x \hp\)" "\t" R"(";)"),
            (Tokens{{K::kWord, "text"}, {K::kString, R"(a\"b\n<b>%c)"}, {K::kPunct, ","},
                    {K::kString, R"(x \hp\)" "\t"}, {K::kPunct, ";"}}));
  // A quote after a backslash escapes, whatever the statement has behind it.
  EXPECT_EQ(Kinds(R"(text "say \"hi\"", "";)")[1], (std::pair{K::kString, std::string(R"(say \"hi\")")}));
  EXPECT_EQ(Kinds(R"(text "", "He said \"Hi\", and left";)"),
            (Tokens{{K::kWord, "text"}, {K::kString, ""}, {K::kPunct, ","},
                    {K::kString, R"(He said \"Hi\", and left)"}, {K::kPunct, ";"}}));
}

TEST(LexerTest, ATrailByteOfBackslashDoesNotEscapeTheQuote) {
  // "ソ" is 0x83 0x5C in Shift-JIS: the string ends at the quote after it.
  EXPECT_EQ(Kinds("text \"ソ\", \"表\";"),
            (Tokens{{K::kWord, "text"}, {K::kString, "ソ"}, {K::kPunct, ","},
                    {K::kString, "表"}, {K::kPunct, ";"}}));
}

TEST(LexerTest, CommentsAndLinesAreCounted) {
  const LexResult result = Lex("// heading\n@a: // label\n\nend; // done\n  wait\n 5;");
  ASSERT_EQ(result.tokens.size(), 6u);
  EXPECT_EQ(result.tokens[0].line, 2);
  EXPECT_EQ(result.tokens[1].line, 4);
  EXPECT_EQ(result.tokens[3].line, 5);
  EXPECT_EQ(result.tokens[4].text, "5");
  EXPECT_EQ(result.tokens[4].line, 6);
}

TEST(LexerTest, AnUnclosedStringIsAnErrorOnTheLineItStarts) {
  const LexResult result = Lex("end;\ntext \"abc\n\nd;");
  EXPECT_EQ(result.error, "エラー（   2行目）：文字列が閉じられていません！\n");
}

TEST(LexerTest, BytesThatAreNotShiftJisAreAnErrorOnTheirLine) {
  const char* kError = "エラー（   3行目）：Shift-JISではない文字があります！\n";
  EXPECT_EQ(Lex("@start:\nend;\ntext \"a\xFF" "b\";").error, kError);
  EXPECT_EQ(Lex("@start:\nend;\nlocal x\xFD = 1;").error, kError);
  EXPECT_EQ(Lex("@start:\nend;\ntext \"\x82\n\";").error, kError);  // a lead byte without its trail
  EXPECT_EQ(Lex("text \"\x82\xA0\xFC\x40\xB1\";").error, "");
}

}  // namespace
}  // namespace nsScriptCompiler

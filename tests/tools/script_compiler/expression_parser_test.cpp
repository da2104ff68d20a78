// The expression parser: postfix order by C precedence with the evaluator's
// operator codes, numbers with wrap-around, names, and malformed texts.

#include <gtest/gtest.h>

#include "tools/script_compiler/expression_parser.h"

namespace nsScriptCompiler {
namespace {

// The postfix form as text: numbers, names, and operators as "#code".
std::string Postfix(const std::string& text) {
  nsTamskLib::Expression expr;
  if (!ParseExpression(text, expr)) return "<error>";
  std::string out;
  for (std::uint32_t i = 0; i < expr.size(); ++i) {
    const nsTamskLib::ExpressionToken& token = expr.at(i);
    if (!out.empty()) out += ' ';
    switch (token.Type) {
      case nsTamskLib::kTokenNumber:
        out += std::to_string(token.Value);
        break;
      case nsTamskLib::kTokenSymbol:
        out += token.Name.c_str();
        break;
      default:
        out += '#';
        out += std::to_string(token.SubType);
    }
  }
  return out;
}

TEST(ExpressionParserTest, OperatorsFollowCPrecedenceAndAssociativity) {
  EXPECT_EQ(Postfix("1 + 2 * 3"), "1 2 3 #5 #1");
  EXPECT_EQ(Postfix("(1 + 2) * 3"), "1 2 #1 3 #5");
  EXPECT_EQ(Postfix("a - b - c"), "a b #3 c #3");
  EXPECT_EQ(Postfix("a / b % c"), "a b #4 c #6");
  EXPECT_EQ(Postfix("a < b == c > d"), "a b #18 c d #17 #16");
  EXPECT_EQ(Postfix("a <= b != c >= d"), "a b #21 c d #20 #19");
  EXPECT_EQ(Postfix("a | b ^ c & d"), "a b c d #8 #9 #7");
  EXPECT_EQ(Postfix("a || b && c"), "a b c #15 #14");
  EXPECT_EQ(Postfix("a&&b||c|d"), "a b #15 c d #7 #14");
}

TEST(ExpressionParserTest, UnaryOperatorsBindTightest) {
  EXPECT_EQ(Postfix("-a * ~b"), "a #2 b #10 #5");
  EXPECT_EQ(Postfix("!!x"), "x #11 #11");
  EXPECT_EQ(Postfix("+5 - -5"), "5 5 #2 #3");
}

TEST(ExpressionParserTest, NumbersAndNames) {
  EXPECT_EQ(Postfix("0x7fffFFFF"), "2147483647");
  EXPECT_EQ(Postfix("4294967295"), "-1");
  EXPECT_EQ(Postfix("-2147483648"), "-2147483648 #2");
  EXPECT_EQ(Postfix("@HiScore_2 + 体力"), "@HiScore_2 体力 #1");
}

TEST(ExpressionParserTest, MalformedTextsAreRefused) {
  for (const char* text : {"", "1 +", "(1", "1)", "4294967296", "12ab", "a b", "1 = 2", "a $ b",
                           "0x"}) {
    EXPECT_EQ(Postfix(text), "<error>") << text;
  }
}

}  // namespace
}  // namespace nsScriptCompiler

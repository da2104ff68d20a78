// The timer image statements over a one-statement compiler host: each keyword in
// its own form only, and every argument placed at the member it fills, so that a
// keyword without a bar pattern leaves that slot empty.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/commands/timed_choice.h"
#include "tests/plugin/commands/command_fixture.h"

namespace {

using namespace nsWendrick;

class TimedChoiceParsersTest : public vesk_test::PluginCommandTest {
 protected:
  TimedChoiceParsersTest() { statementLine = 7; }

  using PluginCommandTest::Parse;
  int Parse(const std::vector<std::string>& tokens) { return Parse(Cmd_setselectl::Parse, tokens); }

  // "No, "image", then values 1..count as arguments, then ";".
  static std::vector<std::string> Statement(const char* keyword, int count) {
    std::vector<std::string> tokens{keyword, "2", ",", "\"t.png\""};
    for (int i = 1; i <= count; ++i) {
      tokens.push_back(",");
      tokens.push_back(std::to_string(i));
    }
    tokens.push_back(";");
    return tokens;
  }
};

TEST_F(TimedChoiceParsersTest, ArgumentsGoToTheirMembers) {
  ASSERT_EQ(Parse({"selectlclearimage", "4", ";"}), 3);
  EXPECT_EQ(Last().Int[0], Cmd_setselectl::kClear);
  EXPECT_EQ(ValueOf(Last().Expr[0]), 4);

  ASSERT_EQ(Parse(Statement("selectlimage0", 8)), 21);
  EXPECT_EQ(Last().Int[0], Cmd_setselectl::kFixed);
  EXPECT_STREQ(Last().Str[0].c_str(), "t.png");
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kX]), 1);
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kRectHeight]), 8);

  ASSERT_EQ(Parse(Statement("selectlimage1", 9)), 23);
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kBarPattern]), 9);

  // No bar pattern: the animation values keep their own slots.
  ASSERT_EQ(Parse(Statement("selectlimage2", 10)), 25);
  EXPECT_TRUE(Last().Expr[1 + Cmd_setselectl::kBarPattern].empty());
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kAnimationMaxNo]), 9);
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kAnimationPattern]), 10);

  ASSERT_EQ(Parse(Statement("selectlimage3", 11)), 27);
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kBarPattern]), 9);
  EXPECT_EQ(ValueOf(Last().Expr[1 + Cmd_setselectl::kAnimationPattern]), 11);
  EXPECT_EQ(host.added.size(), 5u);
}

TEST_F(TimedChoiceParsersTest, AnotherKeywordsFormIsASyntaxError) {
  EXPECT_EQ(Parse(Statement("selectlimage0", 9)), -1);
  EXPECT_EQ(Parse(Statement("selectlimage2", 9)), -1);
  EXPECT_TRUE(host.added.empty());
  EXPECT_NE(host.errors.text.find("構文エラーです！"), std::string::npos);
}

}  // namespace

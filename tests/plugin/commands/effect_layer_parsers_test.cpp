// The parsers of the effect and layer commands over a one-statement compiler host:
// each keyword only in its own form, the arguments placed at the members they fill
// (not in statement order), and the fixed names and constants the short forms
// stand for.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/commands/effect_command.h"
#include "plugin/commands/layer_commands.h"
#include "tests/plugin/commands/command_fixture.h"

namespace {

using namespace nsWendrick;

using EffectLayerParsersTest = vesk_test::PluginCommandTest;

TEST_F(EffectLayerParsersTest, EffectArgumentsGoToTheMembersTheyFill) {
  // flash2 is R, G, B, Time.
  ASSERT_EQ(Parse(Cmd_effect::Parse, {"flash2", "1", ",", "2", ",", "3", ",", "400", ";"}), 9);
  EXPECT_EQ(Last().Int[0], 9);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kTime]), 400);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kRed]), 1);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kBlue]), 3);
  // quakey3 is Time, Y, YNum.
  ASSERT_EQ(Parse(Cmd_effect::Parse, {"quakey3", "1000", ",", "6", ",", "2", ";"}), 7);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kY]), 6);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kYNum]), 2);
  EXPECT_TRUE(Last().Expr[Cmd_effect::kX].empty());
  // fadein with four arguments stores the flags as the constant 0.
  ASSERT_EQ(Parse(Cmd_effect::Parse, {"fadein", "500", ",", "0", ",", "0", ",", "0", ";"}), 9);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kFadeFlags]), 0);
  ASSERT_EQ(Parse(Cmd_effect::Parse,
                  {"fadeout", "500", ",", "0", ",", "0", ",", "0", ",", "5", ";"}),
            11);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_effect::kFadeFlags]), 5);
  EXPECT_TRUE(host.errors.text.empty());
}

TEST_F(EffectLayerParsersTest, AnEffectKeywordWithAnotherCountIsASyntaxError) {
  EXPECT_EQ(Parse(Cmd_effect::Parse, {"quakex", "1", ",", "2", ",", "3", ";"}, 7), -1);
  EXPECT_EQ(Parse(Cmd_effect::Parse, {"flash", "1", ",", "2", ";"}, 8), -1);
  EXPECT_EQ(Parse(Cmd_effect::Parse, {"fadeinu", "1", ",", "2", ",", "3", ",", "4", ",", "5", ";"},
                  9),
            -1);
  EXPECT_EQ(host.errors.text,
            "エラー（   7行目）：構文エラーです！\n"
            "エラー（   8行目）：構文エラーです！\n"
            "エラー（   9行目）：構文エラーです！\n");
  EXPECT_TRUE(host.added.empty());
}

TEST_F(EffectLayerParsersTest, CharacterLayersTakeSixArgumentsAndTheBackgroundEight) {
  ASSERT_EQ(Parse(Cmd_setcg::Parse, {"lch", "\"a\"", ",", "255", ",", "0", ",", "0", ",", "0",
                                     ",", "10", ",", "10", ";"}),
            15);
  EXPECT_EQ(Last().Int[0], kLayerLeft);
  EXPECT_EQ(std::string(Last().Str[0].c_str()), "a");
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kX]), 0);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kY]), 0);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kA]), 255);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kRectHeight]), 10);
  ASSERT_EQ(Parse(Cmd_setcg::Parse, {"bg", "\"b\"", ",", "1", ",", "2", ",", "3", ",", "4", ",",
                                     "5", ",", "6", ",", "7", ",", "8", ";"}),
            19);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kX]), 1);
  EXPECT_EQ(ValueOf(Last().Expr[Cmd_setcg::kRectHeight]), 8);
  // bg in the six-argument form and a character in the eight-argument one are errors.
  EXPECT_EQ(Parse(Cmd_setcg::Parse, {"bg", "\"a\"", ",", "255", ",", "0", ",", "0", ",", "0", ",",
                                     "10", ",", "10", ";"}),
            -1);
  EXPECT_EQ(Parse(Cmd_setcg::Parse, {"rch", "\"b\"", ",", "1", ",", "2", ",", "3", ",", "4", ",",
                                     "5", ",", "6", ",", "7", ",", "8", ";"}),
            -1);
  EXPECT_EQ(host.added.size(), 2u);
}

TEST_F(EffectLayerParsersTest, AllFormsStandForTheSlashName) {
  ASSERT_EQ(Parse(Cmd_image::Parse, {"unloadallimage", ";"}), 2);
  EXPECT_EQ(Last().Int[0], Cmd_image::kRelease);
  EXPECT_EQ(std::string(Last().Str[0].c_str()), "/");
  EXPECT_EQ(Parse(Cmd_image::Parse, {"loadimage", ";"}), -1);

  ASSERT_EQ(Parse(Cmd_chpriority::Parse, {"rlc", ";"}), 2);
  EXPECT_EQ(Last().Int[0], 5);
  ASSERT_EQ(Parse(Cmd_bgcolor::Parse, {"bgcolor", "1", ",", "2", ",", "3", ";"}), 7);
}

}  // namespace

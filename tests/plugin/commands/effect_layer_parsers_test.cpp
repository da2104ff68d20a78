// The parsers of the effect, layer and engine state commands over a one-statement
// compiler host: each keyword only in its own form, the arguments placed at the
// members they fill (not in statement order), and the fixed names and constants the
// short forms stand for.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "plugin/commands/effect_command.h"
#include "plugin/commands/engine_state_commands.h"
#include "plugin/commands/layer_commands.h"
#include "plugin/entry/registration.h"
#include "tests/plugin/commands/statement_host.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace {

using namespace nsWendrick;

class EffectLayerParsersTest : public testing::Test {
 protected:
  void SetUp() override {
    vesk_test::ResetPluginState();
    vesk_test::BindEngineHost();
    host.BindServices();
  }
  void TearDown() override { vesk_test::ResetPluginState(); }

  int Parse(int (*parser)(unsigned), const std::vector<std::string>& tokens, int line = 1) {
    host.SetStatement(tokens, line);
    return parser(0);
  }

  const nsTamskLib::CommandParam& Last() { return host.added.back().param; }

  // The value of a parsed constant argument (-99 when the expression is empty).
  static std::int32_t ValueOf(const nsTamskLib::Expression& expr) {
    return expr.empty() ? -99 : expr.at(0).Value;
  }

  vesk_test::StatementHost host;
};

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
  ASSERT_EQ(Parse(Cmd_voice::Parse, {"stopallvoice", ";"}), 2);
  EXPECT_EQ(Last().Int[0], Cmd_voice::kStop);
  EXPECT_EQ(std::string(Last().Str[0].c_str()), "/");
  EXPECT_EQ(Parse(Cmd_image::Parse, {"loadimage", ";"}), -1);
  EXPECT_EQ(Parse(Cmd_voice::Parse, {"playvoice", ";"}), -1);

  ASSERT_EQ(Parse(Cmd_chpriority::Parse, {"rlc", ";"}), 2);
  EXPECT_EQ(Last().Int[0], 5);
  ASSERT_EQ(Parse(Cmd_systemcall::Parse, {"callload", ";"}), 2);
  EXPECT_EQ(Last().Int[0], 2);
  ASSERT_EQ(Parse(Cmd_volume::Parse, {"voicevolume", "700", ";"}), 3);
  EXPECT_EQ(Last().Int[0], Cmd_volume::kVoice);
  ASSERT_EQ(Parse(Cmd_bgcolor::Parse, {"bgcolor", "1", ",", "2", ",", "3", ";"}), 7);
  ASSERT_EQ(Parse(Cmd_sleep::Parse, {"sleep", "flag", ";"}), 3);
  EXPECT_EQ(Parse(Cmd_sleep::Parse, {"sleep", ";"}), -1);
}

TEST_F(EffectLayerParsersTest, TheTablesRegisterEachClassUnderItsType) {
  // Type, the id the class reports, and whether system input is accepted meanwhile.
  struct Row {
    std::uint32_t type;
    bool systemInput;
  };
  const Row rows[] = {{19, true}, {21, true}, {22, true}, {25, true}, {26, true},
                      {28, false}, {29, true}, {30, true}, {31, true}, {32, true},
                      {33, true}, {34, true}, {35, true}, {36, true}, {37, true}};
  const RegistrationTables& tables = WendrickRegistrationTables();
  for (const Row& row : rows) {
    const CommandTypeEntry* entry = nullptr;
    for (const CommandTypeEntry& candidate : tables.commands) {
      if (candidate.type == row.type) entry = &candidate;
    }
    ASSERT_NE(entry, nullptr) << row.type;
    ASSERT_NE(entry->factory, nullptr) << row.type;
    EXPECT_NE(entry->parser, nullptr) << row.type;
    EXPECT_EQ(entry->systemInput, row.systemInput) << row.type;
    nsTamskLib::ICmd_Base* command = entry->factory();
    EXPECT_EQ(command->GetID(), row.type);
    command->Destroy();
  }
}

}  // namespace

// The flow commands compiled by the real plug-in's parsers ("else" makes a jump):
// compiled bodies that the engine reads back to the same bytes, and their script
// text. And every keyword of the registration table compiled and run in each of its
// forms.

#include <gtest/gtest.h>

#include "plugin/commands/flow_commands.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/commands/select_command.h"
#include "platform/text/cp932.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/plugin/kit/keyword_check.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class FlowRegistrationTest : public CompiledScriptTest {};

TEST_F(FlowRegistrationTest, TheEngineLoadsEveryCompiledBodyBackToTheSameBytes) {
  Load(R"(
@start:
  local x = 1 + 2 * 3;
  global g = -(4);
  button b;
  sprite s;
  calc x %= 4;
  if x >= 2 && g != 0 { wait -500; } else { wait 0; }
  beginloop x < 9, x += 2;
    break;
  endloop !x, ;
  rand x, 10, 1;
  gosub @sub;
  gotod "@\x\y";
  loadobject "part.obj";
  jump 1;
  end;
@sub:
  goto @start;
  gosubd "@sub";
  return;
)");
  const std::vector<nsTamskLib::ICmd_Base*>& loaded = player.Commands().GetCommandList();
  ASSERT_EQ(loaded.size(), compiler->Commands().size());
  const std::string parsed = SaveCommands(compiler->Commands());
  EXPECT_EQ(SaveCommands(loaded), parsed);
  EXPECT_GT(parsed.size(), 200u);
  // Loading a declaration also enters its name for text expansion.
  RecordingTextStream dump;
  for (nsTamskLib::ICmd_Base* command : loaded) command->Dump(&dump);
  EXPECT_EQ(dump.text,
            "local x = (1)(2)(3)()();\n"
            "global g = (4)();\n"
            "button b;\n"
            "sprite s;\n"
            "calc x %= (4);\n"
            "if (x)(2)()(g)(0)()() else jump +3;\n"
            "wait (500)();\n"
            "jump (2);\n"
            "wait (0);\n"
            "beginloop (x)(9)(), x += (2);\n"
            "break;\n"
            "endloop (x)(), ;\n"
            "rand x, (10), (1);\n"
            "gosub @sub（18）;\n"
            "gotod @\\x\\y（未定義）;\n"
            "loadobject part.obj;\n"
            "jump (1);\n"
            "end;\n"
            "goto @start（0）;\n"
            "gosubd @sub（18）;\n"
            "return;\n");
}

class KeywordCheckTest : public CompiledScriptTest {
 protected:
  std::vector<std::string> Faults(std::span<const nsWendrick::CommandTypeEntry> rows) {
    CompileTo("@part:\n  end;\n", kCheckObject, true);
    return KeywordFaults(rows, [this](const std::string& script) { return PlayToEnd(script); });
  }
};

TEST_F(KeywordCheckTest, EveryKeywordOfThePluginTableRunsInEachOfItsForms) {
  EXPECT_EQ(Faults(nsWendrick::WendrickRegistrationTables().commands),
            std::vector<std::string>{});
}

// The forms learnt from a few parsers: one form, a form per length of a list, and
// forms tried in turn.
TEST_F(KeywordCheckTest, TheFormsAreThoseTheParserTakes) {
  const auto rows = nsWendrick::WendrickRegistrationTables().commands;
  const auto formsOf = [&](std::uint32_t type, const char* keyword) {
    for (const nsWendrick::CommandTypeEntry& row : rows) {
      if (row.type == type) return FormsOf(rows, row, keyword);
    }
    return std::vector<KeywordForm>{};
  };
  EXPECT_EQ(formsOf(nsWendrick::Cmd_goto::kType, "goto"),
            (std::vector<KeywordForm>{{"ラベル", ";"}}));
  EXPECT_EQ(formsOf(nsWendrick::Cmd_select::kType, "select").size(), 10u);
  EXPECT_EQ(formsOf(nsWendrick::Cmd_loop::kType, "beginloop"),
            (std::vector<KeywordForm>{{",", ";"},
                                      {",", "変数", "演算子", "引数", ";"},
                                      {"引数", ",", ";"},
                                      {"引数", ",", "変数", "演算子", "引数", ";"}}));
}

// "unregistered ;", a keyword no plug-in the compiler loaded registers.
int ParseUnregistered(unsigned keyword) {
  static const nsWendrick::SyntaxPattern kForm{nsWendrick::kWordSemicolon};
  static const nsWendrick::KeywordKind kKinds[] = {{"unregistered", 0}};
  return nsWendrick::ParseStatement(keyword, {&kForm, 1}, kKinds, &nsWendrick::Cmd_end::Create);
}

// "jump u ;": it compiles, u being an argument too, and jumps by a name never declared.
int ParseJumpByName(unsigned keyword) {
  static const nsWendrick::SyntaxPattern kForm{nsWendrick::kWordUndefinedVariable,
                                               nsWendrick::kWordSemicolon};
  static const nsWendrick::KeywordKind kKinds[] = {{"jump", 0}};
  return nsWendrick::ParseStatement(keyword, {&kForm, 1}, kKinds, &nsWendrick::Cmd_jump::Create);
}

TEST_F(KeywordCheckTest, AKeywordThatCannotBeFormedCompiledOrRunIsNamed) {
  using nsWendrick::Cmd_end;
  using nsWendrick::Cmd_jump;
  using nsWendrick::KeywordList;
  static const char* const kUnformable[] = {"unformable"};
  static const char* const kUnregistered[] = {"unregistered"};
  static const char* const kJump[] = {"jump"};
  const nsWendrick::CommandTypeEntry rows[] = {
      // end's parser takes no keyword but "end".
      {Cmd_end::kType, Cmd_end::Create, Cmd_end::Parse, true,
       [] { return KeywordList(kUnformable); }},
      {Cmd_end::kType, Cmd_end::Create, ParseUnregistered, true,
       [] { return KeywordList(kUnregistered); }},
      {Cmd_jump::kType, Cmd_jump::Create, ParseJumpByName, true, [] { return KeywordList(kJump); }},
  };
  EXPECT_EQ(Faults(rows),
            (std::vector<std::string>{
                "unformable: its parser takes no form",
                platform::Cp932ToUtf8("unregistered: \"unregistered ;\" is refused: "
                                      "エラー（   3行目）：構文エラーです！"),
                platform::Cp932ToUtf8("jump: \"jump u ;\" ran into: "
                                      "uは計算不可能なシンボルか存在しません！")}));
}

}  // namespace
}  // namespace vesk_test

// The flow commands compiled by the real plug-in's parsers ("else" makes a jump):
// compiled bodies that the engine reads back to the same bytes, and their script
// text.

#include <gtest/gtest.h>

#include "tests/engine/kit/command_bodies.h"
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

}  // namespace
}  // namespace vesk_test

// The text and choice commands compiled from script text by the script compiler
// host over the real Wendrick.so: compiled bodies that the engine reads back
// unchanged, and the forms the parsers refuse.

#include <gtest/gtest.h>

#include "engine/api/text_manager.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class TextScriptsTest : public CompiledScriptTest {};

TEST_F(TextScriptsTest, CompiledBodiesReadBackUnchanged) {
  Load(R"(
@start:
  local r = 0;
  text "アン", "こんにちは%c<b>世界</b>";
  text "", "";
  select "はい", "いいえ", r;
  select "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", r;
  end;
)");
  EXPECT_TRUE(errors.empty()) << errors;
  const std::vector<nsTamskLib::ICmd_Base*>& loaded = player.Commands().GetCommandList();
  ASSERT_EQ(loaded.size(), 6u);
  EXPECT_EQ(SaveCommands(loaded), SaveCommands(compiler->Commands()));
  EXPECT_NE(CompiledDump().find("select \"はい\", \"いいえ\", r;\n"), std::string::npos);
  EXPECT_NE(CompiledDump().find("text \"アン\", \"こんにちは%c<b>世界</b>\";\n"), std::string::npos);
}

TEST_F(TextScriptsTest, ElevenChoicesAndWrongFormsAreErrorsOnTheirLines) {
  EXPECT_FALSE(Compile(
      "@start:\n  local r = 0;\n"
      "  select \"1\", \"2\", \"3\", \"4\", \"5\", \"6\", \"7\", \"8\", \"9\", \"10\", \"11\", r;\n"
      "  text \"a\";\n"
      "  select r;\n"
      "  text \"a\", \"b\", \"c\";\n"));
  EXPECT_EQ(errors,
            "エラー（   3行目）：選択肢は10個までです！\n"
            "エラー（   4行目）：構文エラーです！\n"
            "エラー（   5行目）：構文エラーです！\n"
            "エラー（   6行目）：構文エラーです！\n");
}

TEST_F(TextScriptsTest, AStoredChoiceWithoutEntriesIsADamagedScript) {
  for (const char* choice : {"select \"a\", r;", "selectl \"a\", r, 1000;"}) {
    CompileTo(std::string("@start:\n  local r = 0;\n  ") + choice + "\n  end;\n", "scenario.dat");
    // The stored count 1 before the stored text "a" (its bytes complemented, then 0) becomes 0.
    std::string bytes = ReadFile("scenario.dat");
    const std::size_t at = bytes.find(std::string("\x01\x00\x00\x00\x9E\x00", 6));
    ASSERT_NE(at, std::string::npos) << choice;
    bytes[at] = '\0';
    WriteFile("scenario.dat", bytes);
    TestPlayer fresh;
    EXPECT_FATAL(fresh.LoadScript("scenario.dat", fresh.GetIOStream()), "選択肢の数が不正です！（0）") << choice;
  }
}

TEST_F(TextScriptsTest, AMessageWaitsOnThePlayerForTheAdvanceInput) {
  Load(R"(
@start:
  textspeed 0;
  text "アン", "こんにちは";
  end;
)");
  Run(5);
  EXPECT_EQ(Position(), 1);  // the text command is still current
  EXPECT_TRUE(player.GetTextManager()->IsBackLogEmpty());
  player.input.PushLeft();
  Run(1);
  player.input.IdleLeft();
  EXPECT_EQ(Position(), 2);
  EXPECT_FALSE(player.GetTextManager()->IsBackLogEmpty());
  EXPECT_TRUE(player.GetTextManager()->IsRead(1));
  RunToEnd();
  EXPECT_TRUE(errors.empty()) << errors;
}

}  // namespace
}  // namespace vesk_test

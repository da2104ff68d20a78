// The compiler host over the real plug-in's parsers: the sections it writes, its
// own errors with recovery at the next statement, objects with their outside
// labels and symbols, and the command-line program.

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "engine/heap/command_heap.h"
#include "engine/heap/single_heap.h"
#include "engine/iostream/base_io_stream.h"
#include "engine/script/compiled_script.h"
#include "platform/text/cp932.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

using Map = std::map<std::string, std::int32_t>;

class CompilerTest : public CompiledScriptTest {
 protected:
  // Reads a compiled file back with the engine's reader.
  void ReadBack(const std::string& file, const char (&magic)[4]) {
    nsTamskLib::nsIOStream::BaseIOStream stream;
    ASSERT_TRUE(stream.Open(file.c_str(), "rb"));
    ASSERT_TRUE(nsTamskLib::nsScript::ReadMagic(stream, magic));
    ASSERT_TRUE(nsTamskLib::nsScript::ReadSections(stream, {labels, commands, symbols}));
    stream.Close();
  }

  nsTamskLib::nsSimulatedHeap::SingleHeap labels;
  nsTamskLib::nsSimulatedHeap::CommandHeap commands;
  nsTamskLib::nsSimulatedHeap::SingleHeap symbols;
};

TEST_F(CompilerTest, AScriptHoldsItsLabelsCommandsAndDeclaredSymbols) {
  CompileTo(R"(
@start:
  local x = 1;
  global g = 2;
  button b;
@later:
  sprite s;
  end;
@last:
)",
            "out.dat");
  ReadBack("out.dat", nsTamskLib::nsScript::kScriptMagic);
  EXPECT_EQ(labels.GetMap(), (Map{{"@last", 5}, {"@later", 3}, {"@start", 0}}));
  ASSERT_EQ(commands.GetCommandList().size(), 5u);
  EXPECT_EQ(commands.GetCommandList()[4]->GetID(), 4u);
  EXPECT_EQ(symbols.GetMap(), (Map{{"b", 3}, {"g", 2}, {"s", 4}, {"x", 1}}));
}

TEST_F(CompilerTest, AnObjectLeavesOutsideLabelsAndExternSymbolsToItsScript) {
  CompileTo(R"(
extern global total;
extern local count;
@part:
  calc total += count;
  goto @back;
  local own = 0;
)",
            "part.obj", true);
  ReadBack("part.obj", nsTamskLib::nsScript::kObjectMagic);
  EXPECT_EQ(labels.GetMap(), (Map{{"@back", -1}, {"@part", 0}}));
  EXPECT_EQ(symbols.GetMap(), (Map{{"count", -1}, {"own", 1}, {"total", -2}}));
}

TEST_F(CompilerTest, AnErrorIsReportedAndCompilingGoesOnAtTheNextStatement) {
  EXPECT_FALSE(Compile("@start:\nfoo 1;\nlocal x;\nlocal y = (1;\nend;\nextern local z;"));
  EXPECT_EQ(errors,
            "エラー（   4行目）：式'(1'が正しくありません！\n");
  EXPECT_FALSE(Compile("@start:\nfoo 1;\nlocal x;\nend;\nextern local z;\n\"text\";"));
  EXPECT_EQ(errors,
            "エラー（   2行目）：構文エラーです！\n"
            "エラー（   3行目）：初期値を指定してください！\n"
            "エラー（   5行目）：構文エラーです！\n"
            "エラー（   6行目）：構文エラーです！\n");
  // The commands before and after the errors were still made.
  EXPECT_EQ(CompiledTypes(), (std::vector<std::uint32_t>{4}));
}

TEST_F(CompilerTest, ALabelDefinedTwiceIsAnError) {
  EXPECT_FALSE(Compile("@start: end;\n@start: end;"));
  EXPECT_EQ(errors, "エラー（   2行目）：ラベル'@start'は定義済みです！\n");
}

TEST_F(CompilerTest, TheProgramCompilesAUtf8FileWithTheBuiltPlugin) {
  WriteFile("story.txt", platform::Cp932ToUtf8("@start:\n  gotod \"@表\\x\\y\";\n  end;\n"));
  ASSERT_EQ(std::system(SCRIPT_COMPILER_PROGRAM " story.txt scenario.dat 2> errors.txt"), 0)
      << ReadFile("errors.txt");
  ASSERT_TRUE(player.LoadScript("scenario.dat", player.GetIOStream()));
  RecordingTextStream dump;
  player.Commands().GetCommandList()[0]->Dump(&dump);
  // The label text arrives as Shift-JIS with its trail byte 0x5C intact.
  EXPECT_EQ(dump.text, "gotod @表\\x\\y（未定義）;\n");

  WriteFile("bad.txt", "@start:\n  end 1;\n");
  const int status = std::system(SCRIPT_COMPILER_PROGRAM " bad.txt bad.dat 2> errors.txt");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
  EXPECT_EQ(ReadFile("errors.txt"), platform::Cp932ToUtf8("エラー（   2行目）：構文エラーです！\n"));
  EXPECT_FALSE(std::filesystem::exists("bad.dat"));
}

}  // namespace
}  // namespace vesk_test

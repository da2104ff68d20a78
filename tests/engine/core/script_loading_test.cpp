// Loading the compiled script and linking compiled objects: the order of factory,
// engine and body, unknown and empty command sections, damaged files, the link
// checks that leave the script unchanged, labels offset behind the script's
// commands, and the joined script name.

#include <gtest/gtest.h>

#include "tests/engine/core/player_fixture.h"

namespace vesk_test {
namespace {

using strings = std::vector<std::string>;

std::size_t CommandCount(TestPlayer& player) {
  return player.Commands().GetCommandList().size();
}

TEST_F(PlayerTest, EachCommandIsCreatedGivenTheEngineThenReadsItsBody) {
  ScriptWriter script;
  script.Label("@start").Step(1).Jump("@start").Symbol("x", 1);
  LoadScript(script);
  EXPECT_EQ(CommandLog().lifecycle,
            strings({"create 9001", "engine 9001", "load 9001", "create 9004", "engine 9004",
                     "load 9004"}));
  EXPECT_EQ(player.GetLabelHeap()->Get("@start"), 0);
  EXPECT_EQ(player.GetScriptSymbols().Get("x"), 1);
  EXPECT_EQ(player.GetScriptName(), "scenario.dat");
}

TEST_F(PlayerTest, UnknownCommandTypeIsFatal) {
  ScriptWriter script;
  script.Label("@start").Step(1).Command(kUnregisteredCommandType, TestCommandBody());
  ASSERT_TRUE(script.WriteScript("scenario.dat"));
  EXPECT_FATAL(player.LoadScript("scenario.dat", player.GetIOStream()),
               "不正な命令です！（CommandType = 9099）");
}

TEST_F(PlayerTest, EmptyCommandListStopsAtTheFirstFrame) {
  ScriptWriter script;
  script.LabelValue("@start", 0);
  LoadScript(script);
  EXPECT_FATAL(player.Run(), "命令リストが存在しません！");
}

TEST_F(PlayerTest, MissingWrongOrDamagedScriptIsNotLoaded) {
  EXPECT_FALSE(player.LoadScript("missing.dat", player.GetIOStream()));
  ScriptWriter script;
  script.Label("@start").Step(1).Step(2).Symbol("x", 1);
  ASSERT_TRUE(script.WriteObject("object.dat"));
  EXPECT_FALSE(player.LoadScript("object.dat", player.GetIOStream()));
  EXPECT_FALSE(player.GetIOStream()->IsOpen());

  ASSERT_TRUE(script.WriteScript("full.dat"));
  const std::string bytes = ReadFile("full.dat");
  WriteFile("short.dat", bytes.substr(0, bytes.size() - 3));
  EXPECT_FALSE(player.LoadScript("short.dat", player.GetIOStream()));
  EXPECT_EQ(player.GetScriptName(), "");
  EXPECT_EQ(CommandCount(player), 0u);
  EXPECT_FALSE(player.GetLabelHeap()->Exists("@start"));
  EXPECT_EQ(CommandLog().created, CommandLog().destroyed);
  // A complete script still loads after it; a second one is refused.
  LoadScript(script);
  EXPECT_FATAL(player.LoadScript("full.dat", player.GetIOStream()),
               "既にスクリプトファイルが読み込まれています！");
}

TEST_F(PlayerTest, LinkedObjectRunsBehindTheScript) {
  ScriptWriter script;
  script.Label("@start").Link("chapter.obj").Jump("@chapter").Label("@back").Step(3).Stay(-1);
  script.Symbol("shared", 2);
  LoadScript(script);
  ScriptWriter object;
  object.Label("@chapter").Step(1).Step(2).Jump("@back");
  object.LabelValue("@back", -1).Symbol("shared", -1).Symbol("own", 1);
  ASSERT_TRUE(object.WriteObject("chapter.obj"));

  Run(7);
  EXPECT_EQ(Executed(), strings({"link chapter.obj ok", "step 1", "step 2", "step 3", "stay -1"}));
  // The object's first command landed at the script's old command count.
  EXPECT_EQ(player.GetLabelHeap()->Get("@chapter"), 4);
  EXPECT_EQ(player.GetLabelHeap()->Get("@back"), 2);
  EXPECT_EQ(CommandCount(player), 7u);
  EXPECT_EQ(player.GetScriptSymbols().Get("own"), 1);
  EXPECT_EQ(player.GetScriptSymbols().Get("shared"), 2);
  EXPECT_EQ(player.GetScriptName(), "scenario.dat, chapter.obj");
  EXPECT_FALSE(player.GetIOStream()->IsOpen());
}

TEST_F(PlayerTest, ObjectsThatDoNotFitAreRefusedAndChangeNothing) {
  ScriptWriter script;
  script.Label("@start").Step(1).Symbol("global", 2).Symbol("local", 1);
  LoadScript(script);
  const auto refused = [&](const ScriptWriter& object, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(object.WriteObject("bad.obj"));
    const int createdBefore = CommandLog().created;
    EXPECT_FALSE(player.LinkObject("bad.obj", player.GetIOStream()));
    EXPECT_EQ(CommandCount(player), 1u);
    EXPECT_EQ(player.GetLabelHeap()->Get("@start"), 0);
    EXPECT_FALSE(player.GetLabelHeap()->Exists("@new"));
    EXPECT_EQ(player.GetScriptName(), "scenario.dat");
    EXPECT_FALSE(player.GetIOStream()->IsOpen());
    // The commands read for the object were destroyed again.
    EXPECT_EQ(CommandLog().created - createdBefore, 1);
    EXPECT_EQ(CommandLog().created, CommandLog().destroyed + 1);
  };
  ScriptWriter twice;
  twice.Label("@new").Label("@start").Step(2);
  refused(twice, "a label the script defines");
  ScriptWriter unknownUse;
  unknownUse.Label("@new").LabelValue("@elsewhere", -1).Step(2);
  refused(unknownUse, "a label nobody defines");
  ScriptWriter otherKind;
  otherKind.Label("@new").Symbol("local", 4).Step(2);
  refused(otherKind, "a symbol of another kind");
  ScriptWriter unknownSymbol;
  unknownSymbol.Label("@new").Symbol("nowhere", -1).Step(2);
  refused(unknownSymbol, "a symbol nobody declares");
  ScriptWriter wrongMagic;
  wrongMagic.Label("@new").Step(2);
  ASSERT_TRUE(wrongMagic.WriteScript("script.obj"));
  EXPECT_FALSE(player.LinkObject("script.obj", player.GetIOStream()));
  EXPECT_FALSE(player.LinkObject("missing.obj", player.GetIOStream()));

  // A global the object uses as a local, and a local used by its kind: accepted.
  ScriptWriter fits;
  fits.Label("@new").Symbol("global", -1).Symbol("local", -1).Step(2);
  ASSERT_TRUE(fits.WriteObject("good.obj"));
  EXPECT_TRUE(player.LinkObject("good.obj", player.GetIOStream()));
  EXPECT_EQ(player.GetLabelHeap()->Get("@new"), 1);
}

TEST_F(PlayerTest, NamesOfLinkedObjectsAreJoinedInOrder) {
  ScriptWriter script;
  script.Label("@start").Step(1);
  LoadScript(script, "main.scr");
  ScriptWriter first;
  first.Label("@a").Step(2);
  ScriptWriter second;
  second.Label("@b").Step(3);
  ASSERT_TRUE(first.WriteObject("a.obj"));
  ASSERT_TRUE(second.WriteObject("b.obj"));
  ASSERT_TRUE(player.LinkObject("a.obj", player.GetIOStream()));
  ASSERT_TRUE(player.LinkObject("b.obj", player.GetIOStream()));
  EXPECT_EQ(player.GetScriptName(), "main.scr, a.obj, b.obj");
  EXPECT_EQ(player.GetLabelHeap()->Get("@b"), 2);
}

TEST_F(PlayerTest, StartLabelMessageNamesTheLinkedObjectsToo) {
  ScriptWriter object;
  object.Label("@a").Stay(-1);
  ASSERT_TRUE(object.WriteObject("a.obj"));
  ASSERT_TRUE(player.LinkObject("a.obj", player.GetIOStream()));
  EXPECT_EQ(player.GetScriptName(), "a.obj");
  EXPECT_FATAL(player.Run(), "a.objには開始ラベルが存在しません！");
}

}  // namespace
}  // namespace vesk_test

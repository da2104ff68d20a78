// The script player running compiled test scripts: the start label, one command per
// frame with variables, expressions, jumps, calls and returns, commands that stay,
// the suspended and quit states, a new game, and the internal faults of the state
// stack, the input switch and the owned objects.

#include <gtest/gtest.h>

#include "engine/iostream/base_io_stream.h"
#include "tests/engine/core/player_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::nsCore::kStateNormal;
using nsTamskLib::nsCore::kStateSuspended;
using strings = std::vector<std::string>;

TEST_F(PlayerTest, ScriptRunsFromStartOneCommandPerFrame) {
  ScriptWriter script;
  script.Step(0)
      .Label("@start")
      .Step(1)
      .Set("a", Expr({Num(2), Num(3), Op(kOpAdd)}))
      .Set("b", Expr({Sym("a"), Num(4), Op(kOpMul)}))
      .Call("@sub")
      .Step(2)
      .Jump("@end")
      .Step(99)
      .Label("@sub")
      .Step(10)
      .Return()
      .Label("@end")
      .Stay(-1);
  LoadScript(script);

  Run(1);
  EXPECT_EQ(Executed(), strings({"step 1"}));
  Run(2);
  EXPECT_EQ(player.GetLocalHeap()->Get("a"), 5);
  EXPECT_EQ(player.GetLocalHeap()->Get("b"), 20);
  Run(1);  // the call
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{5, 8}));
  Run(6);  // sub's step, return, step 2, jump, stay twice
  EXPECT_EQ(Executed(), strings({"step 1", "step 10", "step 2", "stay -1", "stay -1"}));
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{10}));
  // A command that does not move on runs again every frame.
  Run(3);
  EXPECT_EQ(CommandLog().Executed("stay").size(), 5u);
}

TEST_F(PlayerTest, CommandThatStaysRunsEveryFrameUntilItMovesOn) {
  ScriptWriter script;
  script.Label("@start").Hold(2).Step(1).Stay(-1);
  LoadScript(script);
  Run(4);
  EXPECT_EQ(Executed(), strings({"hold 2", "hold 2", "hold 2", "step 1"}));
}

TEST_F(PlayerTest, SuspendedStateRunsOnlyOnSuspendUntilTheGameHandsBack) {
  ScriptWriter script;
  script.Label("@start").State(kStateSuspended).Step(1).Stay(-1);
  LoadScript(script);
  Run(4);
  EXPECT_EQ(Executed(), strings({"state 6"}));
  EXPECT_EQ(player.suspendCalls, 3);
  EXPECT_EQ(player.GetState(), kStateSuspended);
  // The game's scene takes over and later gives the script back.
  player.SetState(kStateNormal);
  Run(1);
  EXPECT_EQ(Executed(), strings({"state 6", "step 1"}));
  EXPECT_EQ(player.suspendCalls, 3);
}

TEST_F(PlayerTest, QuitStateCallsQuitEachFrame) {
  ScriptWriter script;
  script.Label("@start").State(7).Stay(-1);
  LoadScript(script);
  Run(3);
  EXPECT_EQ(player.quitCalls, 2);
}

TEST_F(PlayerTest, SystemStateWithoutScreenReturnsToTheStory) {
  ScriptWriter script;
  script.Label("@start").State(5).Step(1).Stay(-1);
  LoadScript(script);
  Run(1);
  EXPECT_EQ(player.GetStates(), (std::vector<std::int32_t>{0, 5}));
  Run(1);  // the menu scene (here one that leaves at once) hands back
  EXPECT_EQ(player.GetStates(), (std::vector<std::int32_t>{0}));
  Run(1);
  EXPECT_EQ(Executed(), strings({"state 5", "step 1"}));
}

TEST_F(PlayerTest, MissingScriptOrStartLabelIsFatal) {
  EXPECT_FATAL(player.Run(), "実行するスクリプトファイルが指定されていません！");
  ScriptWriter script;
  script.Label("@begin").Stay(-1);
  LoadScript(script, "story.scr");
  EXPECT_FATAL(player.Run(), "story.scrには開始ラベルが存在しません！");
}

TEST_F(PlayerTest, NewGameStartsAgainAndKeepsOnlyGlobals) {
  ScriptWriter script;
  script.Label("@start")
      .Set("local", Expr({Num(7)}))
      .Set("global", Expr({Num(8)}), true)
      .Stay(1)
      .Stay(-1);
  LoadScript(script);
  Run(4);
  player.GetSymbolKindHeap()->Set("local", 1);
  player.GetSymbolKindHeap()->Set("global", 2);
  player.GetSymbolKindHeap()->Set("sprite", 4);
  player.SetMenuEnabled(false);
  player.PushState(3);
  CommandLog().Clear();

  player.Initialize();
  EXPECT_FALSE(player.GetLocalHeap()->Exists("local"));
  EXPECT_EQ(player.GetGlobalHeap()->Get("global"), 8);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("global"), 2);
  EXPECT_FALSE(player.GetSymbolKindHeap()->Exists("local"));
  EXPECT_FALSE(player.GetSymbolKindHeap()->Exists("sprite"));
  EXPECT_TRUE(player.IsMenuEnabled());
  EXPECT_FALSE(player.IsInputEnabled());
  EXPECT_EQ(player.GetStates(), (std::vector<std::int32_t>{0}));
  EXPECT_EQ(Positions(), (std::vector<std::int32_t>{-1}));
  EXPECT_EQ(CommandLog().lifecycle.size(), 8u);  // every command reset and re-engined
  // From "@start" again; the stay that had counted one frame starts over.
  Run(5);
  EXPECT_EQ(player.GetLocalHeap()->Get("local"), 7);
  EXPECT_EQ(Executed(), strings({"stay 1", "stay 1", "stay -1"}));
}

TEST_F(PlayerTest, JumpToLabelContinuesThereInTheNormalState) {
  ScriptWriter script;
  script.Label("@start").Stay(-1).Label("@there").Step(5).Stay(-1);
  LoadScript(script);
  Run(1);
  player.PushState(4);
  player.JumpToLabel("@there");
  EXPECT_EQ(player.GetStates(), (std::vector<std::int32_t>{0, 0}));
  Run(1);
  EXPECT_EQ(CommandLog().Executed("step"), strings({"step 5"}));
  EXPECT_EQ(player.draw.GetMessageText()->size(), 0u);
  EXPECT_FATAL(player.JumpToLabel("@nowhere"), "@nowhereは存在しないラベルです！");
}

TEST_F(PlayerTest, StateStackFaultsEndWithAMessage) {
  EXPECT_FATAL(player.PopState(), "最後のプレイヤーの状態は取り除けません！");
  EXPECT_FATAL(player.PushState(8), "不正なプレイヤーの状態です！（State = 8）");
  EXPECT_FATAL(player.SetState(-1), "不正なプレイヤーの状態です！（State = -1）");
  player.PushState(2);
  player.PopState();
  player.ResetStates();
  EXPECT_EQ(player.GetStates(), (std::vector<std::int32_t>{0}));
}

TEST_F(PlayerTest, InputSwitchesTheButtonLockAndRefusesRepeats) {
  EXPECT_TRUE(player.Tasks().IsExclusiveBRCS());
  EXPECT_FATAL(player.DisableInput(), "既に入力受付は無効化されています！");
  player.EnableInput();
  EXPECT_FALSE(player.Tasks().IsExclusiveBRCS());
  EXPECT_FATAL(player.EnableInput(), "既に入力受付は有効化されています！");
}

TEST_F(PlayerTest, HandingTheHeldStreamOrSceneAgainKeepsIt) {
  nsTamskLib::nsIOStream::IIOStream* stream = player.GetIOStream();
  player.SetIOStream(stream);
  EXPECT_EQ(player.GetIOStream(), stream);
  EXPECT_FALSE(stream->IsOpen());
  nsTamskLib::nsScene::IScene_Base* scene = player.GetScene(kStateNormal);
  player.SetNormalScene(scene);
  EXPECT_EQ(player.GetScene(kStateNormal), scene);
  scene->Initialize();
  auto* replacement = new nsTamskLib::nsIOStream::BaseIOStream();
  player.SetIOStream(replacement);
  EXPECT_EQ(player.GetIOStream(), replacement);
}

TEST_F(PlayerTest, ResourcesInUseAreAskedOfEveryManager) {
  player.Tasks().LeaveExclusiveBRCS();
  player.Tasks().AddButton("b");
  player.Tasks().SetButtonSounds("b", "hover.wav", "push.wav");
  EXPECT_TRUE(player.IsSoundInUse("push.wav"));
  player.sound.PlaySE("shot.wav");
  EXPECT_TRUE(player.IsSoundInUse("shot.wav"));
  EXPECT_FALSE(player.IsSoundInUse("other.wav"));
  player.Tasks().SetButtonImage("b", "b.png", 0, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1, 0, 0, 1, 1);
  EXPECT_TRUE(player.IsImageInUse("b.png"));
  EXPECT_FALSE(player.IsImageInUse("c.png"));
}

}  // namespace
}  // namespace vesk_test

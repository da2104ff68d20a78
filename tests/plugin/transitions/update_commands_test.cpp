// The update and update2 commands: their checks and messages, the record they give
// the task manager, skip mode, and the frames from the start of a transition until
// the script moves on; their bodies and script text.

#include <memory>
#include <string>

#include "engine/api/command_param.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/update_commands.h"
#include "tests/engine/kit/command_bodies.h"
#include "tests/plugin/transitions/transition_fixture.h"

namespace vesk_test {
namespace {

using nsTamskLib::ICmd_Base;

struct CommandDeleter {
  void operator()(ICmd_Base* command) const { command->Destroy(); }
};
using CommandPtr = std::unique_ptr<ICmd_Base, CommandDeleter>;

// The bytes of a number expression, as a command of one expression (jump) saves it.
std::string ExpressionBytes(std::int32_t value) {
  CommandPtr jump(nsWendrick::Cmd_jump::Create());
  nsTamskLib::CommandParam param;
  param.Expr[0] = nsTamskLib::NumberExpression(value);
  jump->Setup(param);
  return vesk_test::SaveBody(*jump);
}

class UpdateCommandTest : public TransitionTest {
 protected:
  CommandPtr Update(std::int32_t pattern, std::int32_t time) {
    CommandPtr command(nsWendrick::Cmd_update::Create());
    nsTamskLib::CommandParam param;
    param.Expr[0] = nsTamskLib::NumberExpression(pattern);
    param.Expr[1] = nsTamskLib::NumberExpression(time);
    command->Setup(param);
    command->SetEngine(&engine);
    return command;
  }

  CommandPtr Update2(std::int32_t pattern, std::int32_t time, std::int32_t width) {
    CommandPtr command(nsWendrick::Cmd_update2::Create());
    nsTamskLib::CommandParam param;
    param.Expr[0] = nsTamskLib::NumberExpression(pattern);
    param.Expr[1] = nsTamskLib::NumberExpression(time);
    param.Expr[2] = nsTamskLib::NumberExpression(width);
    command->Setup(param);
    command->SetEngine(&engine);
    return command;
  }

  void SkipMode() {
    ON_CALL(engine.ownTextManager, IsSkip()).WillByDefault(testing::Return(true));
  }

  std::int32_t Position() { return engine.ownCommandHeap.iterators.back(); }

  // Runs frames of `step` ms (the command in the update step, the pattern in the
  // draw step) and returns the number of the frame in which the script moved on.
  int FramesUntilMovedOn(ICmd_Base& command, std::uint32_t step, int limit = 100) {
    const std::int32_t start = Position();
    for (int frame = 1; frame <= limit; ++frame) {
      command.Execute();
      if (Position() != start) {
        EXPECT_EQ(Position(), start + 1);
        return frame;
      }
      Frame();
      Advance(step);
    }
    return -1;
  }

  const nsTamskLib::nsTaskManager::UpdateParam& Record() { return Tasks().UpdateData(); }
};

TEST_F(UpdateCommandTest, ATimedTransitionHoldsTheScriptUntilTheFlipHasRun) {
  SetBG(ImageTask("old", 0, 0), ImageTask("new", 0, 0));
  const std::uint32_t before = Shown();
  CommandPtr update = Update(1, 100);
  // t = 0 start, 50 mix, 100 last frame at p = 1, 150 flip, 200 moves on.
  EXPECT_EQ(FramesUntilMovedOn(*update, 50), 5);
  EXPECT_EQ(Shown(), 1 - before);
  EXPECT_EQ(UpdateType(), 0u);
  // Ready for its next run.
  EXPECT_FALSE(static_cast<nsWendrick::Cmd_update&>(*update).IsStarted());
}

TEST_F(UpdateCommandTest, TimeZeroStillTakesTheFinishingFrameAndTheFlip) {
  CommandPtr update = Update(1, 0);
  update->Execute();
  EXPECT_EQ(Record().Type, 1u);
  EXPECT_EQ(Position(), -1);
  EXPECT_EQ(FramesUntilMovedOn(*update, 16), 3);
}

TEST_F(UpdateCommandTest, SkipModeFlipsAtOnceWithoutChecking) {
  SkipMode();
  const std::uint32_t before = Shown();
  CommandPtr update = Update(1, 2000);
  update->Execute();
  EXPECT_EQ(Record().Type, 3u);
  EXPECT_EQ(Record().Time, 0u);
  EXPECT_EQ(FramesUntilMovedOn(*update, 16), 2);
  EXPECT_EQ(Shown(), 1 - before);

  CommandPtr update2 = Update2(21, 500, 40);
  update2->Execute();
  EXPECT_EQ(Record().Type, 3u);
  EXPECT_EQ(Record().Param[0], 0);
}

TEST_F(UpdateCommandTest, TheRecordCarriesPatternTimeAndWidth) {
  CommandPtr update = Update(26, 500);
  update->Execute();
  EXPECT_EQ(Record().Type, 26u);
  EXPECT_EQ(Record().Time, 500u);
  EXPECT_EQ(Record().Param[0], 0);
  Start(0, 0);
  CommandPtr update2 = Update2(24, 300, 8);
  update2->Execute();
  EXPECT_EQ(Record().Type, 24u);
  EXPECT_EQ(Record().Time, 300u);
  EXPECT_EQ(Record().Param[0], 8);
  Start(0, 0);
  CommandPtr flip = Update(3, 0);
  flip->Execute();
  EXPECT_EQ(Record().Type, 3u);
}

TEST_F(UpdateCommandTest, PatternsOutsideTheirRangeAreRefusedFirst) {
  for (std::int32_t pattern : {0, 16, 27, 28, -1, 17}) {
    SCOPED_TRACE(pattern);
    CommandPtr update = Update(pattern, -1);
    EXPECT_FATAL(update->Execute(),
                 "更新パターンの指定が間違っています！（m_Pattern = " + std::to_string(pattern) + "）");
  }
  for (std::int32_t pattern : {16, 25, 1, 26}) {
    SCOPED_TRACE(pattern);
    CommandPtr update2 = Update2(pattern, -1, 0);
    EXPECT_FATAL(update2->Execute(),
                 "更新パターンの指定が間違っています！（m_Pattern = " + std::to_string(pattern) + "）");
  }
}

TEST_F(UpdateCommandTest, NegativeTimesAndWidthsBelowOneAreRefused) {
  CommandPtr update = Update(1, -1);
  EXPECT_FATAL(update->Execute(), "更新時間が負数です！（m_Time = -1）");
  CommandPtr update2 = Update2(17, -5, 0);
  EXPECT_FATAL(update2->Execute(), "更新時間が負数です！（m_Time = -5）");
  CommandPtr narrow = Update2(17, 0, 0);
  EXPECT_FATAL(narrow->Execute(), "シャッターorカーテンの幅が0または負数です！（m_Width = 0）");
  CommandPtr negative = Update2(20, 0, -3);
  EXPECT_FATAL(negative->Execute(), "シャッターorカーテンの幅が0または負数です！（m_Width = -3）");
  EXPECT_EQ(Record().Type, 0u);
}

TEST_F(UpdateCommandTest, AStartAtClockZeroIsNotForgottenAndResetStartsAgain) {
  platform::SetVirtualClock(0);
  CommandPtr update = Update(1, 100);
  update->Execute();
  Frame();
  EXPECT_EQ(Record().Type, 1u);
  // Still at clock 0: the command waits, it does not fill the record again.
  Tasks().UpdateData().Time = 12345;
  update->Execute();
  EXPECT_EQ(Record().Time, 12345u);

  // A loaded game resets the command, which then fills the record again.
  Start(0, 0);
  update->Reset();
  update->Execute();
  EXPECT_EQ(Record().Type, 1u);
  EXPECT_EQ(Record().Time, 100u);
  EXPECT_EQ(Position(), -1);
}

TEST_F(UpdateCommandTest, BodiesRoundTripAndDumpAsScriptText) {
  CommandPtr update = Update(12, 700);
  CommandPtr update2 = Update2(22, 300, 48);
  CommandPtr loaded(nsWendrick::Cmd_update::Create());
  CommandPtr loaded2(nsWendrick::Cmd_update2::Create());
  const vesk_test::ReloadedCommand reloaded = vesk_test::Reload(*update, *loaded);
  const vesk_test::ReloadedCommand reloaded2 = vesk_test::Reload(*update2, *loaded2);
  EXPECT_EQ(reloaded.dump, "update (12), (700);\n");
  EXPECT_EQ(reloaded2.dump, "update2 (22), (300), (48);\n");
  // The bodies are the expressions in script order: update2's is update's with the
  // width after the time.
  EXPECT_EQ(reloaded.body, ExpressionBytes(12) + ExpressionBytes(700));
  EXPECT_EQ(reloaded2.body, ExpressionBytes(22) + ExpressionBytes(300) + ExpressionBytes(48));
  EXPECT_EQ(reloaded2.resaved, reloaded2.body);
}

TEST_F(UpdateCommandTest, ThePluginRegistersEveryPattern) {
  nsTamskLib::nsPlugin::ClearRegistries();
  nsWendrick::RegisterWithHost(nsWendrick::GetHostApi(), nsWendrick::WendrickRegistrationTables());
  const nsTamskLib::nsPlugin::Registries& registries = nsTamskLib::nsPlugin::GetRegistries();
  EXPECT_EQ(registries.updates.size(), 26u);
  for (unsigned missing : {16u, 25u, 27u, 29u}) EXPECT_EQ(registries.updates.count(missing), 0u);
}

}  // namespace
}  // namespace vesk_test

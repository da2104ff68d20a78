// Jumps, labels, subroutines, the end of the program, waits on the virtual clock
// and the advance input, and linking objects, compiled from script text.

#include <gtest/gtest.h>

#include "platform/clock/clock.h"
#include "tests/support/debug_capture.h"
#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class JumpsTest : public CompiledScriptTest {
 protected:
  // One frame with the left button pushed (the advance input).
  void RunWithAdvance() {
    player.input.PushLeft();
    player.Run();
    player.input.IdleLeft();
  }
};

TEST_F(JumpsTest, GotoContinuesAtItsLabel) {
  Load(R"(
@start:
  local x = 1;
  goto @skip;
  calc x = 99;
@skip:
  calc x += 1;
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("x"), 2);
}

TEST_F(JumpsTest, GosubReturnsBehindTheCall) {
  Load(R"(
@start:
  local x = 0;
  gosub @add;
  gosub @add;
  calc x *= 10;
  end;
@add:
  calc x += 1;
  return;
)");
  RunToEnd();
  EXPECT_EQ(Local("x"), 20);
  EXPECT_EQ(player.Commands().GetIterators().size(), 1u);
}

TEST_F(JumpsTest, GotodAndGosubdExpandTheirLabelEachTime) {
  Load(R"(
@start:
  local n = 1;
  local x = 0;
  gosubd "@\n\part";
  calc n = 2;
  gotod "@\n\part";
@1part:
  calc x += 1;
  return;
@2part:
  calc x += 10;
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("x"), 11);
}

TEST_F(JumpsTest, AnUnknownLabelAtRunTimeStops) {
  Load(R"(@start: gotod "@nowhere"; end;)");
  EXPECT_FATAL(Run(1), "@nowhereは存在しないラベルです！");
}

TEST_F(JumpsTest, AGotoToAnUndefinedLabelIsACompileError) {
  EXPECT_FALSE(Compile("@start:\n goto @nowhere;"));
  EXPECT_EQ(errors, "エラー（   2行目）：構文エラーです！\n");
}

TEST_F(JumpsTest, TheLabelDumpNamesThePositionOrUndefined) {
  Load(R"(@start: goto @b; @b: gotod "@c"; end;)");
  RecordingTextStream out;
  for (nsTamskLib::ICmd_Base* command : player.Commands().GetCommandList()) command->Dump(&out);
  EXPECT_EQ(out.text, "goto @b（1）;\ngotod @c（未定義）;\nend;\n");
}

TEST_F(JumpsTest, AJumpOfZeroStops) {
  Load("@start: jump 0; end;");
  EXPECT_FATAL(Run(1), "移動元と移動先が同一です！");
}

TEST_F(JumpsTest, EndMakesTheEngineQuitWithoutMoving) {
  Load("@start: end;");
  Run(1);
  EXPECT_EQ(player.GetState(), 7);
  EXPECT_EQ(Position(), 0);
}

TEST_F(JumpsTest, ATimedWaitGoesOnWhenItsTimeHasPassed) {
  Load("@start: wait 500; end;");
  Run(1);
  platform::AdvanceVirtualClock(499);
  RunWithAdvance();
  EXPECT_EQ(Position(), 0);
  platform::AdvanceVirtualClock(1);
  Run(1);
  EXPECT_EQ(Position(), 1);
}

TEST_F(JumpsTest, ANegativeWaitEndsAtItsTimeOrAtTheAdvanceInput) {
  Load("@start: wait -500; wait -500; end;");
  Run(1);
  platform::AdvanceVirtualClock(500);
  Run(1);
  EXPECT_EQ(Position(), 1);
  Run(1);
  platform::AdvanceVirtualClock(100);
  RunWithAdvance();
  EXPECT_EQ(Position(), 2);
}

TEST_F(JumpsTest, AWaitOfZeroEndsOnlyOnTheAdvanceInput) {
  Load("@start: wait 0; end;");
  Run(1);
  platform::AdvanceVirtualClock(1000000);
  Run(3);
  EXPECT_EQ(Position(), 0);
  RunWithAdvance();
  EXPECT_EQ(Position(), 1);
}

TEST_F(JumpsTest, EveryWaitEndsAtOnceInSkipMode) {
  Load("@start: wait 0; wait 100000; wait -1; end;");
  player.Texts().SetSkip(true);
  Run(3);
  EXPECT_EQ(Position(), 3);
}

TEST_F(JumpsTest, AWaitStartsItsTimeAgainEachTimeItRuns) {
  Load(R"(
@start:
  local n = 0;
@again:
  wait 100;
  calc n += 1;
  if n < 2 {
    goto @again;
  }
  end;
)");
  Run(2);  // local, wait starts
  platform::AdvanceVirtualClock(100);
  Run(4);  // wait ends, calc, if, goto
  Run(1);  // the wait starts again
  EXPECT_EQ(Position(), 1);
  platform::AdvanceVirtualClock(99);
  Run(1);
  EXPECT_EQ(Position(), 1);
  platform::AdvanceVirtualClock(1);
  Run(1);
  EXPECT_EQ(Position(), 2);
}

TEST_F(JumpsTest, AWaitStartedAtClockZeroStillEnds) {
  Load("@start: wait 100; end;");
  platform::SetVirtualClock(0);
  Run(1);
  platform::AdvanceVirtualClock(60);
  Run(1);
  platform::AdvanceVirtualClock(40);
  Run(1);
  EXPECT_EQ(Position(), 1);
}

TEST_F(JumpsTest, TheLongestNegativeWaitLastsTwoToTheThirtyFirstMilliseconds) {
  Load("@start: wait -2147483648; end;");
  Run(1);
  platform::AdvanceVirtualClock(0x7FFFFFFFu);
  Run(1);
  EXPECT_EQ(Position(), 0);
  platform::AdvanceVirtualClock(1);
  Run(1);
  EXPECT_EQ(Position(), 1);
}

TEST_F(JumpsTest, LoadObjectOfAMissingFileOnlyWarns) {
  Load(R"(@start: local x = 0; loadobject "missing.obj"; calc x = 1; end;)");
  DebugCapture debug;
  RunToEnd();
  EXPECT_TRUE(debug.Contains("missing.objの動的リンクに失敗しました！"));
  EXPECT_EQ(Local("x"), 1);
}

TEST_F(JumpsTest, LoadObjectLinksACompiledObjectThatUsesTheScript) {
  CompileTo(R"(
extern global total;
@bonus:
  calc total += 5;
  goto @back;
)",
            "bonus.obj", true);
  Load(R"(
@start:
  global total = 1;
  loadobject "bonus.obj";
  gotod "@bonus";
@back:
  end;
)");
  RunToEnd();
  EXPECT_EQ(player.GetGlobalHeap()->Get("total"), 6);
}

}  // namespace
}  // namespace vesk_test

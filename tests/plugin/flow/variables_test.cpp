// Declarations, assignments and random values compiled from script text: values
// kept across re-runs, the declaration errors of the parser, the arithmetic of
// every assignment operator with its division faults, and the random range.

#include <climits>

#include <gtest/gtest.h>

#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

class VariablesTest : public CompiledScriptTest {};

TEST_F(VariablesTest, ADeclarationInitialisesOnceAndKeepsTheValueWhenRunAgain) {
  Load(R"(
@start:
  local pass = 0;
@again:
  local x = 5;
  calc x += 1;
  calc pass += 1;
  if pass < 3 {
    goto @again;
  }
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("x"), 8);
}

TEST_F(VariablesTest, GlobalsButtonsAndSpritesAreDeclaredWithTheirKinds) {
  Load(R"(@start: global g = 7; button b; sprite s; end;)");
  RunToEnd();
  EXPECT_EQ(player.GetGlobalHeap()->Get("g"), 7);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("g"), 2);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("b"), 3);
  EXPECT_EQ(player.GetSymbolKindHeap()->Get("s"), 4);
  EXPECT_TRUE(player.Tasks().ExistsButton("b"));
  EXPECT_TRUE(player.Tasks().ExistsSprite("s"));
}

TEST_F(VariablesTest, TheParserRefusesWrongDeclarations) {
  EXPECT_FALSE(Compile("@start:\nlocal x;"));
  EXPECT_EQ(errors, "エラー（   2行目）：初期値を指定してください！\n");
  EXPECT_FALSE(Compile("@start:\n\nbutton b = 1;"));
  EXPECT_EQ(errors, "エラー（   3行目）：ボタンは初期化出来ません！\n");
  EXPECT_FALSE(Compile("sprite s = 1;"));
  EXPECT_EQ(errors, "エラー（   1行目）：スプライトは初期化出来ません！\n");
  EXPECT_FALSE(Compile("local x = 1;\nglobal x = 2;"));
  EXPECT_EQ(errors, "エラー（   2行目）：'x'は既定義のシンボルです！\n");
  EXPECT_FALSE(Compile("button b; sprite b;"));
  EXPECT_EQ(errors, "エラー（   1行目）：'b'は既定義のシンボルです！\n");
}

TEST_F(VariablesTest, AStatementOfTheWrongFormIsASyntaxErrorOnItsLine) {
  EXPECT_FALSE(Compile("@start:\n\nend x;"));
  EXPECT_EQ(errors, "エラー（   3行目）：構文エラーです！\n");
  // An undeclared variable is no variable for calc.
  EXPECT_FALSE(Compile("@start: calc y += 1;"));
  EXPECT_EQ(errors, "エラー（   1行目）：構文エラーです！\n");
}

TEST_F(VariablesTest, EveryAssignmentOperatorComputesIn32Bits) {
  Load(R"(
@start:
  local a = 7;  calc a = 3;
  local b = 7;  calc b += 5;
  local c = 7;  calc c -= 10;
  local d = -7; calc d /= 2;
  local e = 7;  calc e *= -3;
  local f = -7; calc f %= 3;
  local g = 12; calc g |= 3;
  local h = 12; calc h &= 10;
  local i = 12; calc i ^= 10;
  local w = 2147483647; calc w += 1;
  local m = 65536; calc m *= 65536;
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("a"), 3);
  EXPECT_EQ(Local("b"), 12);
  EXPECT_EQ(Local("c"), -3);
  EXPECT_EQ(Local("d"), -3);
  EXPECT_EQ(Local("e"), -21);
  EXPECT_EQ(Local("f"), -1);
  EXPECT_EQ(Local("g"), 15);
  EXPECT_EQ(Local("h"), 8);
  EXPECT_EQ(Local("i"), 6);
  EXPECT_EQ(Local("w"), INT_MIN);
  EXPECT_EQ(Local("m"), 0);
}

TEST_F(VariablesTest, DivisionByZeroStopsTheScript) {
  Load("@start: local x = 1; local z = 0; calc x /= z; end;");
  Run(2);
  EXPECT_FATAL(Run(1), "0除算です！");
}

TEST_F(VariablesTest, RemainderByZeroInALoopStepStopsTheScript) {
  Load("@start: local x = 1; beginloop , x %= 0; endloop , ; end;");
  Run(1);
  EXPECT_FATAL(Run(1), "0除算です！");
}

TEST_F(VariablesTest, TheSmallestValueDividedByMinusOneStaysAndItsRemainderIsZero) {
  Load(R"(@start: local x = -2147483648; calc x /= -1;
          local y = -2147483648; calc y %= -1; end;)");
  RunToEnd();
  EXPECT_EQ(Local("x"), INT_MIN);
  EXPECT_EQ(Local("y"), 0);
}

TEST_F(VariablesTest, RandStaysWithinItsRange) {
  Load(R"(
@start:
  local r = 0;
  local low = 0;
  local high = 0;
  local bad = 0;
  local n = 0;
  beginloop n < 300, n += 1;
    rand r, 6, 1;
    if r == 1 { calc low = 1; }
    if r == 6 { calc high = 1; }
    if r < 1 || r > 6 { calc bad += 1; }
  endloop ,;
  end;
)");
  RunToEnd(10000);
  EXPECT_EQ(Local("bad"), 0);
  EXPECT_EQ(Local("low"), 1);
  EXPECT_EQ(Local("high"), 1);
}

TEST_F(VariablesTest, RandOverTheWholeRangeDoesNotFault) {
  Load(R"(@start: local r = 0; rand r, 2147483647, -2147483648; local s = 0;
          rand s, 5, 5; end;)");
  RunToEnd();
  EXPECT_GE(Local("r"), INT_MIN);
  EXPECT_LE(Local("r"), INT_MIN + 32767);
  EXPECT_EQ(Local("s"), 5);
}

TEST_F(VariablesTest, RandWithTheMaximumBelowTheMinimumStops) {
  Load("@start: local r = 0; rand r, 1, 6; end;");
  Run(1);
  EXPECT_FATAL(Run(1), "最大値が最小値未満です！（m_Max = 1, m_Min = 6）");
}

}  // namespace
}  // namespace vesk_test

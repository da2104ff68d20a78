#include <climits>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "engine/api/plugin_api.h"
#include "engine/api/token_containers.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/engine/kit/fatal_trap.h"

namespace {

using nsTamskLib::Expression;
using nsTamskLib::ExpressionToken;

// Token builders for postfix expressions.
struct Tok {
  std::int32_t type;
  std::int32_t value;  // number value or operator code
  const char* name;
};
Tok N(std::int32_t v) { return Tok{0, v, ""}; }
Tok Op(std::int32_t code) { return Tok{3, code, ""}; }
Tok Sym(const char* name) { return Tok{4, 0, name}; }

Expression Build(std::initializer_list<Tok> tokens) {
  Expression e;
  for (const Tok& t : tokens) {
    ExpressionToken token;
    token.Type = t.type;
    if (t.type == 0) token.Value = t.value;
    if (t.type == 3) token.SubType = t.value;
    token.Name = t.name;
    e.push_back(token);
  }
  return e;
}

class ExpressionTest : public testing::Test {
 protected:
  int Calc(std::initializer_list<Tok> tokens) { return CalcExpression(Build(tokens), &engine); }

  vesk_test::FakeEngine engine;
};

TEST_F(ExpressionTest, EveryOperatorOfTheTable) {
  EXPECT_EQ(Calc({N(2), N(3), Op(1)}), 5);
  EXPECT_EQ(Calc({N(4), Op(2)}), -4);
  EXPECT_EQ(Calc({N(2), N(3), Op(3)}), -1);
  EXPECT_EQ(Calc({N(7), N(2), Op(4)}), 3);
  EXPECT_EQ(Calc({N(6), N(7), Op(5)}), 42);
  EXPECT_EQ(Calc({N(7), N(3), Op(6)}), 1);
  EXPECT_EQ(Calc({N(0x0C), N(0x03), Op(7)}), 0x0F);
  EXPECT_EQ(Calc({N(0x0C), N(0x06), Op(8)}), 0x04);
  EXPECT_EQ(Calc({N(0x0C), N(0x06), Op(9)}), 0x0A);
  EXPECT_EQ(Calc({N(0), Op(10)}), -1);
  EXPECT_EQ(Calc({N(0), Op(11)}), 1);
  EXPECT_EQ(Calc({N(5), Op(11)}), 0);
  EXPECT_EQ(Calc({N(0), N(2), Op(14)}), 1);
  EXPECT_EQ(Calc({N(0), N(0), Op(14)}), 0);
  EXPECT_EQ(Calc({N(1), N(2), Op(15)}), 1);
  EXPECT_EQ(Calc({N(1), N(0), Op(15)}), 0);
  EXPECT_EQ(Calc({N(3), N(3), Op(16)}), 1);
  EXPECT_EQ(Calc({N(4), N(3), Op(17)}), 1);
  EXPECT_EQ(Calc({N(3), N(5), Op(18)}), 1);
  EXPECT_EQ(Calc({N(5), N(3), Op(18)}), 0);  // L is the earlier operand
  EXPECT_EQ(Calc({N(3), N(4), Op(19)}), 1);
  EXPECT_EQ(Calc({N(3), N(3), Op(20)}), 1);
  EXPECT_EQ(Calc({N(4), N(3), Op(21)}), 0);
  EXPECT_EQ(Calc({N(9), Op(0)}), 9);  // code 0 is skipped
  EXPECT_EQ(Calc({N(1), N(2), N(3), Op(5), Op(1)}), 7);
}

TEST_F(ExpressionTest, DivisionTruncatesTowardZero) {
  EXPECT_EQ(Calc({N(7), N(-2), Op(4)}), -3);
  EXPECT_EQ(Calc({N(-7), N(2), Op(4)}), -3);
  EXPECT_EQ(Calc({N(7), N(-2), Op(6)}), 1);
  EXPECT_EQ(Calc({N(-7), N(2), Op(6)}), -1);
}

TEST_F(ExpressionTest, ArithmeticWrapsInThirtyTwoBitsAndNeverTraps) {
  EXPECT_EQ(Calc({N(0x7FFFFFFF), N(1), Op(1)}), INT_MIN);
  EXPECT_EQ(Calc({N(INT_MIN), N(1), Op(3)}), INT_MAX);
  EXPECT_EQ(Calc({N(0x10000), N(0x10000), Op(5)}), 0);
  EXPECT_EQ(Calc({N(INT_MIN), Op(2)}), INT_MIN);
  EXPECT_EQ(Calc({N(INT_MIN), N(-1), Op(4)}), INT_MIN);
  EXPECT_EQ(Calc({N(INT_MIN), N(-1), Op(6)}), 0);
}

TEST_F(ExpressionTest, LocalsHideGlobals) {
  engine.locals.Set("a", 1);
  engine.globals.Set("a", 2);
  engine.globals.Set("g", 10);
  EXPECT_EQ(Calc({Sym("a")}), 1);
  EXPECT_EQ(Calc({Sym("g"), Sym("a"), Op(3)}), 9);
}

TEST_F(ExpressionTest, ErrorsEndWithTheirMessages) {
  vesk_test::FatalTrap trap;
  EXPECT_FATAL(Calc({N(1), N(0), Op(4)}), "0除算です！");
  EXPECT_FATAL(Calc({N(1), N(0), Op(6)}), "0除算です！");
  EXPECT_FATAL(Calc({N(1), N(2), Op(12)}), "存在しない演算子です！（SubType = 12）");
  EXPECT_FATAL(Calc({N(1), N(2), Op(13)}), "存在しない演算子です！（SubType = 13）");
  EXPECT_FATAL(Calc({N(1), N(2), Op(22)}), "存在しない演算子です！（SubType = 22）");
  EXPECT_FATAL(Calc({Sym("missing")}), "missingは計算不可能なシンボルか存在しません！");
  EXPECT_FATAL(Calc({Tok{1, 0, ""}}), "不正なトークンです！（Type = 1）");
  EXPECT_FATAL(Calc({}), "不正な式です！");
  EXPECT_FATAL(Calc({N(1), N(2)}), "不正な式です！");
  EXPECT_FATAL(Calc({N(1), Op(1)}), "Expression::at(unsigned int Num)");
  EXPECT_FATAL(Calc({Op(2)}), "Expression::at(unsigned int Num)");
}

TEST_F(ExpressionTest, ErrorBoxesAreOwnedByTheEnginesWindow) {
  vesk_test::FatalTrap trap;
  int window = 0;
  engine.windowHandle = &window;
  EXPECT_FATAL(Calc({}), "不正な式です！");
  ASSERT_EQ(trap.boxes().size(), 1u);
  EXPECT_EQ(trap.boxes()[0].caption, "エラー！");
}

}  // namespace

// Conditional blocks and loops compiled from script text: the offsets their
// parsers count, both branches run, nested blocks, breaks, and the compile errors
// of unmatched braces and loops.

#include <gtest/gtest.h>

#include "tests/tools/kit/compiled_script_fixture.h"

namespace vesk_test {
namespace {

using Types = std::vector<std::uint32_t>;

class BlocksTest : public CompiledScriptTest {};

constexpr char kIfElse[] = R"(
@start:
  local x = %d;
  local y = 0;
  if x {
    calc y += 1;
    calc y += 2;
  } else {
    calc y += 10;
  }
  end;
)";

// The script with its "%d" replaced by the value.
std::string WithValue(std::string script, int value) {
  return script.replace(script.find("%d"), 2, std::to_string(value));
}

TEST_F(BlocksTest, IfElseSkipsToTheElseBlockAndTheJumpLeavesIt) {
  ASSERT_TRUE(Compile(WithValue(kIfElse, 1))) << errors;
  // if, a, b, jump, c: a false condition skips 4, the jump moves 2.
  EXPECT_EQ(CompiledTypes(), (Types{5, 5, 1, 6, 6, 27, 6, 4}));
  const std::string dump = CompiledDump();
  EXPECT_NE(dump.find("if (x) else jump +4;\n"), std::string::npos) << dump;
  EXPECT_NE(dump.find("jump (2);\n"), std::string::npos) << dump;
}

TEST_F(BlocksTest, ATrueConditionRunsTheBlockAndLeavesTheElseBlock) {
  Load(WithValue(kIfElse, 1));
  RunToEnd();
  EXPECT_EQ(Local("y"), 3);
}

TEST_F(BlocksTest, AFalseConditionRunsOnlyTheElseBlock) {
  Load(WithValue(kIfElse, 0));
  RunToEnd();
  EXPECT_EQ(Local("y"), 10);
}

TEST_F(BlocksTest, AnIfWithoutElseSkipsOnlyItsBlock) {
  Load(R"(@start: local y = 0; if 0 { calc y = 5; } calc y += 1; end;)");
  RunToEnd();
  EXPECT_EQ(Local("y"), 1);
}

TEST_F(BlocksTest, ANestedIfCountsItsCommandsInsideTheOuterBlock) {
  constexpr char kNested[] = R"(
@start:
  local a = %d;
  local y = 0;
  if a > 0 {
    if a > 1 {
      calc y += 100;
    } else {
      calc y += 10;
    }
    calc y += 1;
  }
  calc y += 1000;
  end;
)";
  ASSERT_TRUE(Compile(WithValue(kNested, 1))) << errors;
  // The outer block holds if, calc, jump, calc, calc: skip 6.
  EXPECT_NE(CompiledDump().find("if (a)(0)() else jump +6;\n"), std::string::npos)
      << CompiledDump();
  EXPECT_NE(CompiledDump().find("if (a)(1)() else jump +3;\n"), std::string::npos);
  for (const auto& [a, y] : {std::pair{0, 1000}, {1, 1011}, {2, 1101}}) {
    TestPlayer other;
    other.UseLeavingScenes();
    ASSERT_TRUE(Compile(WithValue(kNested, a))) << errors;
    const std::string file = "nested" + std::to_string(a) + ".dat";
    ASSERT_TRUE(compiler->Write(file));
    ASSERT_TRUE(other.LoadScript(file, other.GetIOStream()));
    for (int i = 0; i < 50 && other.quitCalls == 0; ++i) other.Run();
    EXPECT_EQ(other.GetLocalHeap()->Get("y"), y) << "a = " << a;
  }
}

TEST_F(BlocksTest, AnUnclosedBraceIsACompileError) {
  EXPECT_FALSE(Compile("@start: local x = 1; if x { calc x += 1;\nend;"));
  EXPECT_EQ(errors, "エラー　　　　　　：括弧の対応が間違っています！\n");
}

TEST_F(BlocksTest, ElseNeedsAClosedBlockBeforeAndAnOpenBraceAfter) {
  EXPECT_FALSE(Compile("@start: local x = 1;\nelse { calc x += 1; }"));
  EXPECT_EQ(errors, "エラー（   2行目）：構文エラーです！\n");
}

TEST_F(BlocksTest, ALoopRunsItsBodyWhileTheEntryTestHolds) {
  Load(R"(
@start:
  local i = 0;
  local seen = 0;
  beginloop i < 3, i += 1;
    calc seen = seen * 10 + i;
  endloop ,;
  end;
)");
  RunToEnd();
  // The step on beginloop applies on every entry: the body sees 1, 2, 3.
  EXPECT_EQ(Local("seen"), 123);
  EXPECT_EQ(Local("i"), 3);
}

TEST_F(BlocksTest, TheLoopOffsetsReachThePartners) {
  ASSERT_TRUE(Compile(R"(@start: local i = 0;
    beginloop i < 2, ; calc i += 1; calc i += 0; endloop , ; end;)"))
      << errors;
  EXPECT_EQ(CompiledTypes(), (Types{5, 52, 6, 6, 52, 4}));
  EXPECT_EQ(CompiledDump(),
            "local i = (0);\n"
            "beginloop (i)(2)(), ;\n"
            "calc i += (1);\n"
            "calc i += (0);\n"
            "endloop , ;\n"
            "end;\n");
}

TEST_F(BlocksTest, AConditionOnEndloopIsTestedAtTheEndOfEachPass) {
  Load(R"(
@start:
  local n = 0;
  beginloop , ;
    calc n += 1;
  endloop n < 5, ;
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("n"), 5);
}

TEST_F(BlocksTest, BreakLandsBehindTheEnclosingEndloop) {
  Load(R"(
@start:
  local i = 0;
  local inner = 0;
  beginloop , i += 1;
    beginloop , ;
      calc inner += 1;
      break;
    endloop , ;
    if i == 4 {
      break;
    }
  endloop , ;
  end;
)");
  RunToEnd();
  EXPECT_EQ(Local("i"), 4);
  EXPECT_EQ(Local("inner"), 4);
}

TEST_F(BlocksTest, BreakOutsideALoopIsACompileError) {
  EXPECT_FALSE(Compile("@start: break; beginloop , ; endloop , ; end;"));
  EXPECT_EQ(errors, "エラー　　　　　　：breakに対応するendloopが存在しません！\n");
}

TEST_F(BlocksTest, UnmatchedLoopsAreCompileErrors) {
  EXPECT_FALSE(Compile("@start: beginloop , ; end;"));
  EXPECT_EQ(errors, "エラー　　　　　　：beginloopとendloopの対応が間違っています！\n");
  EXPECT_FALSE(Compile("@start: end; endloop , ;"));
  EXPECT_EQ(errors, "エラー　　　　　　：beginloopとendloopの対応が間違っています！\n");
}

}  // namespace
}  // namespace vesk_test

#include <gtest/gtest.h>

#include "engine/api/token_containers.h"
#include "engine/textstream/file_text_stream.h"
#include "tests/support/temp_dir.h"

namespace {

using nsTamskLib::Expression;
using nsTamskLib::ExpressionToken;
using nsTamskLib::nsTextStream::FileTextStream;

TEST(FileTextStreamTest, AppendsToErrorLogInTheWorkingFolder) {
  vesk_test::ScopedWorkingDir dir;
  vesk_test::WriteFile(dir.path() / "error.log", "old line\n");
  FileTextStream log;
  log.Write("%s：%d\n", "a", 1);
  log.Write("second\n");
  EXPECT_EQ(vesk_test::ReadFile(dir.path() / "error.log"), "old line\na：1\nsecond\n");
  // Each write is complete on disk; another stream appends after it.
  FileTextStream other;
  other.Write("third");
  EXPECT_EQ(vesk_test::ReadFile(dir.path() / "error.log"), "old line\na：1\nsecond\nthird");
}

TEST(FileTextStreamTest, WriteExpressionWritesEachTokenInParentheses) {
  vesk_test::ScopedWorkingDir dir;
  Expression e;
  ExpressionToken token;
  token.Type = 0;
  token.Value = 1;
  e.push_back(token);
  token.Type = 4;
  token.Name = "x";
  e.push_back(token);
  ExpressionToken op;
  op.Type = 3;
  op.SubType = 1;
  e.push_back(op);
  FileTextStream log;
  log.WriteExpression(e);
  EXPECT_EQ(vesk_test::ReadFile(dir.path() / "error.log"), "(1)(x)()");
}

TEST(FileTextStreamTest, AWriteThatCannotOpenTheFileIsDropped) {
  vesk_test::ScopedWorkingDir dir;
  FileTextStream log((dir.path() / "missing" / "error.log").string());
  log.Write("lost");
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing"));
}

}  // namespace

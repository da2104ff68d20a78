#pragma once
// PluginCommandTest: the set-up that the plug-in's command tests share. The plug-in's
// host table is bound to the engine's exports and to a one-statement compiler host
// (StatementHost), the commands run on a fake engine with recording managers, and
// the style state and text sprites are reset before and after each test.
//
//   EXPECT_EQ(Parse(Cmd_sleep::Parse, {"sleep", "flag", ";"}), 3);
//   Run(Cmd_charaspace::Parse, {"charaspace", "4", ";"});
//   EXPECT_EQ(DumpOf(LastCommand()), "charaspace (4);\n");

#include <cstdint>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/api/command.h"
#include "engine/api/command_param.h"
#include "tests/engine/kit/fake_engine.h"
#include "tests/plugin/kit/statement_host.h"

namespace vesk_test {

class PluginCommandTest : public testing::Test {
 protected:
  using Parser = int (*)(unsigned keyword);

  void SetUp() override;
  void TearDown() override;

  // Parses one statement (token texts as StatementHost takes them) on the line, by
  // default statementLine; the parser's result.
  int Parse(Parser parser, const std::vector<std::string>& tokens, std::int32_t line);
  int Parse(Parser parser, const std::vector<std::string>& tokens) {
    return Parse(parser, tokens, statementLine);
  }
  // Parses the statement, which must use every token, and runs the command it added
  // for one frame.
  void Run(Parser parser, const std::vector<std::string>& tokens);
  // The message of the fatal error that running the statement ends in ("" for none).
  std::string Fatal(Parser parser, const std::vector<std::string>& tokens);

  // The command and the parse result of the last statement parsed.
  nsTamskLib::ICmd_Base* LastCommand() const { return host.added.back().command; }
  const nsTamskLib::CommandParam& Last() const { return host.added.back().param; }
  // Keeps a command made outside the parsers, bound to the engine, until the test ends.
  nsTamskLib::ICmd_Base* Keep(nsTamskLib::ICmd_Base* command);

  // The statement a command writes back.
  static std::string DumpOf(nsTamskLib::ICmd_Base* command);
  // The value of a parsed constant argument (-99 for an empty expression).
  static std::int32_t ValueOf(const nsTamskLib::Expression& expr);
  // The script position, moved by the commands that ran.
  std::int32_t Position() const { return engine.ownCommandHeap.iterators.back(); }

  std::int32_t statementLine = 1;
  StatementHost host;
  FakeEngine engine;
  testing::NiceMock<nsTamskLib::nsDrawManager::MockDrawManager>& draw = engine.ownDrawManager;

 private:
  std::vector<nsTamskLib::ICmd_Base*> m_Kept;
};

}  // namespace vesk_test

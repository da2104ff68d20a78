#include "tests/plugin/commands/command_fixture.h"

#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"
#include "tests/engine/kit/fatal_trap.h"
#include "tests/plugin/kit/plugin_test_host.h"

namespace vesk_test {

void PluginCommandTest::SetUp() {
  ResetPluginState();
  BindEngineHost();
  host.BindServices();
  nsWendrick::ResetTextStyle();
  nsWendrick::ClearTextSprites();
}

void PluginCommandTest::TearDown() {
  for (nsTamskLib::ICmd_Base* command : m_Kept) command->Destroy();
  m_Kept.clear();
  ResetPluginState();
  nsWendrick::ResetTextStyle();
  nsWendrick::ClearTextSprites();
}

int PluginCommandTest::Parse(Parser parser, const std::vector<std::string>& tokens,
                             std::int32_t line) {
  host.SetStatement(tokens, line);
  return parser(0);
}

void PluginCommandTest::Run(Parser parser, const std::vector<std::string>& tokens) {
  const std::size_t before = host.added.size();
  ASSERT_EQ(Parse(parser, tokens), static_cast<int>(tokens.size())) << tokens[0];
  ASSERT_EQ(host.added.size(), before + 1) << tokens[0];
  nsTamskLib::ICmd_Base* command = LastCommand();
  command->SetEngine(&engine);
  command->Execute();
}

std::string PluginCommandTest::Fatal(Parser parser, const std::vector<std::string>& tokens) {
  return CatchFatal([&] { Run(parser, tokens); });
}

nsTamskLib::ICmd_Base* PluginCommandTest::Keep(nsTamskLib::ICmd_Base* command) {
  command->SetEngine(&engine);
  m_Kept.push_back(command);
  return command;
}

std::string PluginCommandTest::DumpOf(nsTamskLib::ICmd_Base* command) {
  RecordingTextStream out;
  command->Dump(&out);
  return out.text;
}

std::int32_t PluginCommandTest::ValueOf(const nsTamskLib::Expression& expr) {
  return expr.empty() ? -99 : expr.at(0).Value;
}

}  // namespace vesk_test

#pragma once
// A minimal compiler host for parser tests: one statement as a list of token texts
// (the keyword first; "\"..\"" is a string literal, a decimal number or a name an
// argument, one of , ; = { } punctuation), the services the parsers call bound into
// the plug-in's host table, and the commands the parsers add, kept in order.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/api/command.h"
#include "engine/api/command_param.h"
#include "plugin/core/compiler_services.h"
#include "tests/engine/kit/fake_engine.h"

namespace vesk_test {

struct AddedCommand {
  nsTamskLib::ICmd_Base* command;
  nsTamskLib::CommandParam param;
};

class StatementHost final : public nsWendrick::ICompilerRef {
 public:
  // Binds the parser services (the rest of the table is left as it is).
  StatementHost();
  // Binds them again, after the host table was cleared.
  void BindServices();
  ~StatementHost();
  StatementHost(const StatementHost&) = delete;
  StatementHost& operator=(const StatementHost&) = delete;

  nsTamskLib::nsTextStream::ITextStream* GetErrorOutput() override { return &errors; }
  void DeclareSymbol(const char* /*name*/, std::int32_t /*kind*/) override {}

  // Replaces the tokens by the statement's, all on line `line`.
  void SetStatement(const std::vector<std::string>& texts, std::int32_t line = 1);

  std::vector<nsWendrick::ScriptToken> tokens;
  std::vector<AddedCommand> added;
  RecordingTextStream errors;
};

}  // namespace vesk_test

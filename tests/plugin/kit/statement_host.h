#pragma once
// A minimal compiler host for parser tests: one statement as a list of token texts
// (the keyword first; "\"..\"" is a string literal, a decimal number or a name an
// argument, one of , ; = { } punctuation), the services the parsers call bound into
// the plug-in's host table, and the commands the parsers add, kept in order.
//
// To learn a parser's forms a statement may also hold pattern words (変数, ラベル,
// 演算子...: a token of that word and no other) and undecided tokens (kUndecided:
// they match no word, and the words the parser asks of the first of them are kept
// in asked), and keywords besides the first (the texts of keywordTypes).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/api/command.h"
#include "engine/api/command_param.h"
#include "plugin/core/compiler_services.h"
#include "tests/engine/kit/fake_engine.h"

namespace vesk_test {

// A token not written yet.
inline constexpr const char kUndecided[] = "?";

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

  // Destroys the commands added so far.
  void ClearAdded();

  std::vector<nsWendrick::ScriptToken> tokens;
  std::vector<AddedCommand> added;
  RecordingTextStream errors;
  // The command type of each keyword.
  std::map<std::string, std::uint32_t> keywordTypes;
  // The pattern words the parsers asked of the first undecided token, in order.
  std::vector<std::string> asked;
};

}  // namespace vesk_test

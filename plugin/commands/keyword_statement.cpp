#include "plugin/commands/keyword_statement.h"

#include "engine/api/command_param.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

const KeywordStatement* FindKeywordStatement(std::uint32_t keyword,
                                             std::span<const KeywordStatement> statements) {
  const ScriptToken* token = GetScriptToken(keyword);
  if (token == nullptr) return nullptr;
  for (const KeywordStatement& entry : statements) {
    if (token->text == entry.keyword) return &entry;
  }
  return nullptr;
}

const char* KeywordOfKind(std::int32_t kind, std::span<const KeywordStatement> statements) {
  for (const KeywordStatement& entry : statements) {
    if (entry.kind == kind) return entry.keyword;
  }
  return nullptr;
}

const KeywordStatement* MatchKeywordStatement(std::uint32_t keyword,
                                              std::span<const KeywordStatement> statements,
                                              CommandParam& param) {
  if (!HasParserServices()) return nullptr;
  const KeywordStatement* entry = FindKeywordStatement(keyword, statements);
  if (entry == nullptr || !MatchesSyntax(keyword + 1, entry->form)) {
    ReportSyntaxError(keyword);
    return nullptr;
  }
  param.Int[0] = entry->kind;
  param.Int[1] = entry->extra;
  std::uint32_t firstString = 0;
  if (entry->fixedName != nullptr) param.Str[firstString++] = entry->fixedName;
  FillParamFromPattern(keyword, entry->form, param, firstString);
  return entry;
}

int ParseKeywordStatement(std::uint32_t keyword, std::span<const KeywordStatement> statements,
                          nsTamskLib::CmdFactory factory) {
  CommandParam param;
  const KeywordStatement* entry = MatchKeywordStatement(keyword, statements, param);
  if (entry == nullptr) return -1;
  if (factory == nullptr) return ReportSyntaxError(keyword);
  AddParsedCommand(factory(), param);
  return 1 + static_cast<int>(entry->form.size());
}

}  // namespace nsWendrick

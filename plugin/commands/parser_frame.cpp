#include "plugin/commands/parser_frame.h"

#include <cstring>

#include "engine/api/command.h"
#include "engine/api/text_stream.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {
namespace {

bool IsStringWord(const char* word) {
  return std::strcmp(word, kWordString) == 0 || std::strcmp(word, kWordLabel) == 0 ||
         std::strcmp(word, kWordVariable) == 0 || std::strcmp(word, kWordUndefinedVariable) == 0 ||
         std::strcmp(word, kWordButton) == 0 || std::strcmp(word, kWordSprite) == 0;
}

}  // namespace

SyntaxPattern& AppendArguments(SyntaxPattern& pattern, int count) {
  for (int i = 0; i < count; ++i) {
    if (i > 0) pattern.push_back(kWordComma);
    pattern.push_back(kWordArgument);
  }
  return pattern;
}

SyntaxPattern ArgumentsStatement(int count) {
  SyntaxPattern pattern;
  AppendArguments(pattern, count);
  pattern.push_back(kWordSemicolon);
  return pattern;
}

bool HasParserServices() {
  const HostApiTable& api = GetHostApi();
  return api.Get(kGetTokenSize) != nullptr && api.Get(kGetToken) != nullptr &&
         api.Get(kGetRef) != nullptr && api.Get(kAddCommand) != nullptr &&
         api.Get(kIsValidSyntax) != nullptr;
}

std::uint32_t GetTokenCount() {
  const auto size = GetHostApi().As<GetTokenSizeFunc>(kGetTokenSize);
  return size != nullptr ? size() : 0;
}

const ScriptToken* GetScriptToken(std::uint32_t index) {
  const auto get = GetHostApi().As<GetTokenFunc>(kGetToken);
  if (get == nullptr || index >= GetTokenCount()) return nullptr;
  return get(index);
}

std::int32_t GetTokenLine(std::uint32_t index) {
  const ScriptToken* token = GetScriptToken(index);
  return token != nullptr ? token->line : 0;
}

int GetSeparatorOf(std::uint32_t index) {
  const auto test = GetHostApi().As<TokenTestFunc>(kIsSeparator);
  return test != nullptr && index < GetTokenCount() ? test(index) : 0;
}

int GetIdentifierOf(std::uint32_t index) {
  const auto test = GetHostApi().As<TokenTestFunc>(kIsIdentifer);
  return test != nullptr && index < GetTokenCount() ? test(index) : 0;
}

int GetOperatorOf(std::uint32_t index) {
  const auto test = GetHostApi().As<TokenTestFunc>(kIsOperator);
  return test != nullptr && index < GetTokenCount() ? test(index) : 0;
}

bool IsStringToken(std::uint32_t index) {
  const auto test = GetHostApi().As<IsStringFunc>(kIsString);
  return test != nullptr && index < GetTokenCount() && test(index);
}

bool MatchesSyntax(std::uint32_t first, const SyntaxPattern& pattern) {
  const auto valid = GetHostApi().As<IsValidSyntaxFunc>(kIsValidSyntax);
  if (valid == nullptr || pattern.empty()) return false;
  const std::uint64_t last = static_cast<std::uint64_t>(first) + pattern.size() - 1;
  if (last >= GetTokenCount()) return false;
  // One word per token: each token is tested on its own.
  for (std::uint32_t i = 0; i < pattern.size(); ++i) {
    if (!valid(first + i, first + i, pattern[i])) return false;
  }
  return true;
}

int FindMatchingPattern(std::uint32_t keyword, std::span<const SyntaxPattern> patterns) {
  for (std::size_t i = 0; i < patterns.size(); ++i) {
    if (MatchesSyntax(keyword + 1, patterns[i])) return static_cast<int>(i);
  }
  return -1;
}

const KeywordKind* FindKeywordKind(std::uint32_t keyword, std::span<const KeywordKind> kinds) {
  const ScriptToken* token = GetScriptToken(keyword);
  if (token == nullptr) return nullptr;
  for (const KeywordKind& entry : kinds) {
    if (token->text == entry.keyword) return &entry;
  }
  return nullptr;
}

void FillParamFromPattern(std::uint32_t keyword, const SyntaxPattern& pattern,
                          CommandParam& param, std::uint32_t firstString) {
  std::uint32_t nextString = firstString;
  std::uint32_t nextExpr = 0;
  constexpr std::uint32_t kStrings = sizeof param.Str / sizeof param.Str[0];
  constexpr std::uint32_t kExprs = sizeof param.Expr / sizeof param.Expr[0];
  for (std::uint32_t i = 0; i < pattern.size(); ++i) {
    const ScriptToken* token = GetScriptToken(keyword + 1 + i);
    if (token == nullptr) return;
    if (IsStringWord(pattern[i])) {
      if (nextString < kStrings) param.Str[nextString++] = token->text;
    } else if (std::strcmp(pattern[i], kWordArgument) == 0) {
      if (nextExpr < kExprs) param.Expr[nextExpr++] = token->expr;
    }
  }
}

void AddParsedCommand(ICmd_Base* command, const CommandParam& param) {
  const auto add = GetHostApi().As<AddCommandFunc>(kAddCommand);
  if (add == nullptr) {
    command->Destroy();
    return;
  }
  add(command, &param);
}

ITextStream* GetErrorOutput() {
  const auto getRef = GetHostApi().As<GetRefFunc>(kGetRef);
  ICompilerRef* ref = getRef != nullptr ? getRef() : nullptr;
  return ref != nullptr ? ref->GetErrorOutput() : nullptr;
}

int ReportSyntaxError(std::uint32_t keyword) {
  if (ITextStream* out = GetErrorOutput()) {
    out->Write("エラー（%4d行目）：構文エラーです！\n", GetTokenLine(keyword));
  }
  return -1;
}

int ReportBraceError() {
  if (ITextStream* out = GetErrorOutput()) {
    out->Write("エラー　　　　　　：括弧の対応が間違っています！\n");
  }
  return -1;
}

int ParseStatement(std::uint32_t keyword, std::span<const SyntaxPattern> patterns,
                   std::span<const KeywordKind> kinds, nsTamskLib::CmdFactory factory) {
  if (!HasParserServices()) return -1;
  const int form = FindMatchingPattern(keyword, patterns);
  const KeywordKind* kind = FindKeywordKind(keyword, kinds);
  if (form < 0 || kind == nullptr || factory == nullptr) return ReportSyntaxError(keyword);
  const SyntaxPattern& pattern = patterns[static_cast<std::size_t>(form)];
  CommandParam param;
  param.Int[0] = kind->kind;
  std::uint32_t firstString = 0;
  if (kind->fixedName != nullptr) param.Str[firstString++] = kind->fixedName;
  FillParamFromPattern(keyword, pattern, param, firstString);
  AddParsedCommand(factory(), param);
  return 1 + static_cast<int>(pattern.size());
}

}  // namespace nsWendrick

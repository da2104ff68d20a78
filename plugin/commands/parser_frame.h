#pragma once
// The common frame of the script parsers. A parser gets the index of a statement's
// keyword token, tries its syntax patterns in order, maps the keyword to a kind,
// fills a CommandParam from the matched tokens, hands a new command to the
// compiler host and returns the number of tokens used (or -1 after printing an
// error through the compiler's error output). Only a compiler host offers the
// services; without them every parse fails.

#include <cstdint>
#include <span>
#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/plugin_api.h"
#include "plugin/core/compiler_services.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {

// Pattern words (one per token) and the literal punctuation.
inline constexpr const char kWordArgument[] = "引数";
inline constexpr const char kWordString[] = "文字列";
inline constexpr const char kWordVariable[] = "変数";
inline constexpr const char kWordUndefinedVariable[] = "未定義変数";
inline constexpr const char kWordLabel[] = "ラベル";
inline constexpr const char kWordButton[] = "ボタン";
inline constexpr const char kWordSprite[] = "スプライト";
inline constexpr const char kWordOperator[] = "演算子";
inline constexpr const char kWordSemicolon[] = ";";
inline constexpr const char kWordComma[] = ",";
inline constexpr const char kWordEquals[] = "=";
inline constexpr const char kWordOpenBrace[] = "{";
inline constexpr const char kWordCloseBrace[] = "}";

// The tokens after a keyword, one word each.
using SyntaxPattern = std::vector<const char*>;

// Appends count arguments separated by commas.
SyntaxPattern& AppendArguments(SyntaxPattern& pattern, int count);
// count arguments separated by commas, then ";".
SyntaxPattern ArgumentsStatement(int count);

// A keyword of a class and the kind it stands for. A fixed name, when set, goes
// into Str[0] ahead of the statement's own strings ("stopallse" is kind 1 with "/").
struct KeywordKind {
  const char* keyword;
  std::int32_t kind;
  const char* fixedName = nullptr;
};

// Whether a compiler host's services are bound.
bool HasParserServices();

std::uint32_t GetTokenCount();
// The token record; null outside the script or without a compiler host.
const ScriptToken* GetScriptToken(std::uint32_t index);
// The line number of a token (0 when there is none).
std::int32_t GetTokenLine(std::uint32_t index);
// The host's token tests; 0 or false without a compiler host.
int GetSeparatorOf(std::uint32_t index);
int GetIdentifierOf(std::uint32_t index);
int GetOperatorOf(std::uint32_t index);
bool IsStringToken(std::uint32_t index);

// Whether the tokens from first on match the pattern word by word (false when the
// pattern runs past the last token).
bool MatchesSyntax(std::uint32_t first, const SyntaxPattern& pattern);
// Index of the first pattern matching the tokens after the keyword, or -1.
int FindMatchingPattern(std::uint32_t keyword, std::span<const SyntaxPattern> patterns);
// The keyword entry for the keyword token's text, or null.
const KeywordKind* FindKeywordKind(std::uint32_t keyword, std::span<const KeywordKind> kinds);

// Fills param from the tokens after the keyword that the pattern matched: string,
// label, variable, button and sprite tokens into Str in statement order (after a
// fixed name), argument tokens' expressions into Expr, punctuation skipped.
void FillParamFromPattern(std::uint32_t keyword, const SyntaxPattern& pattern,
                          CommandParam& param, std::uint32_t firstString = 0);

// Hands the new command and its parameters to the compiler host (which calls Setup
// and keeps the command). Without a host the command is destroyed.
void AddParsedCommand(ICmd_Base* command, const CommandParam& param);

// Prints "エラー（%4d行目）：構文エラーです！\n" with the token's line and returns -1.
int ReportSyntaxError(std::uint32_t keyword);
// Prints "エラー　　　　　　：括弧の対応が間違っています！\n" and returns -1.
int ReportBraceError();
// The compiler's error output; null without a compiler host.
ITextStream* GetErrorOutput();

// The whole frame for a statement of a simple class: the first matching pattern,
// the keyword's kind into Int[0], the tokens into Str and Expr, a new command from
// the factory. Returns 1 + the pattern's length, or -1 after a syntax error.
int ParseStatement(std::uint32_t keyword, std::span<const SyntaxPattern> patterns,
                   std::span<const KeywordKind> kinds, nsTamskLib::CmdFactory factory);

}  // namespace nsWendrick

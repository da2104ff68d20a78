#include "plugin/commands/flow_parsers.h"

#include <cstdint>
#include <optional>

#include "engine/api/command_param.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_api.h"

namespace nsWendrick {
namespace {

const char* const kBeginLoop = Cmd_loop::kKeywords[0];
const char* const kEndLoop = Cmd_loop::kKeywords[1];
constexpr const char* kElseKeywords[] = {"else"};

bool IsCommandToken(std::uint32_t index) { return GetIdentifierOf(index) > 0; }

bool IsKeywordText(std::uint32_t index, const char* text) {
  const ScriptToken* token = GetScriptToken(index);
  return token != nullptr && IsCommandToken(index) && token->text == text;
}

// The number of commands inside the brace block opened at open, or none when the
// block is not closed.
std::optional<std::int32_t> CountBlockCommands(std::uint32_t open, std::uint32_t& close) {
  const std::uint32_t size = GetTokenCount();
  std::int32_t depth = 0;
  std::int32_t commands = 0;
  for (std::uint32_t i = open; i < size; ++i) {
    const int separator = GetSeparatorOf(i);
    if (separator == kSeparatorOpenBrace) {
      ++depth;
    } else if (separator == kSeparatorCloseBrace) {
      if (--depth == 0) {
        close = i;
        return commands;
      }
    } else if (IsCommandToken(i)) {
      ++commands;
    }
  }
  return std::nullopt;
}

// "エラー（%4d行目）：" with the keyword's line, then the message.
int ReportLine(const char* message, std::uint32_t keyword) {
  if (ITextStream* out = GetErrorOutput()) {
    out->Write("エラー（%4d行目）：%s", GetTokenLine(keyword), message);
  }
  return -1;
}

int ReportPlain(const char* text) {
  if (ITextStream* out = GetErrorOutput()) out->Write("%s", text);
  return -1;
}

void DeclareSymbol(const char* name, std::int32_t kind) {
  const auto getRef = GetHostApi().As<GetRefFunc>(kGetRef);
  if (ICompilerRef* ref = getRef != nullptr ? getRef() : nullptr) ref->DeclareSymbol(name, kind);
}

// The frame for the statements of a class of one keyword and one form, with no
// kinds of its own.
template <class Cmd>
int ParseOneForm(unsigned keyword, const SyntaxPattern& form) {
  const KeywordKind kinds[] = {{Cmd::kKeywords[0], 0}};
  return ParseStatement(keyword, {&form, 1}, kinds, &Cmd::Create);
}

}  // namespace

int Cmd_if::Parse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  if (!MatchesSyntax(keyword + 1, {kWordArgument, kWordOpenBrace})) {
    return ReportSyntaxError(keyword);
  }
  std::uint32_t close = 0;
  const std::optional<std::int32_t> commands = CountBlockCommands(keyword + 2, close);
  if (!commands) return ReportBraceError();
  CommandParam param;
  // A false condition lands behind the block, and behind the jump an else makes.
  param.Int[0] = 1 + *commands + (GetIdentifierOf(close + 1) == kTypeElse ? 1 : 0);
  param.Expr[0] = GetScriptToken(keyword + 1)->expr;
  AddParsedCommand(Cmd_if::Create(), param);
  return 3;
}

KeywordList ElseKeywords() { return kElseKeywords; }

int ParseElse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  if (keyword == 0 || GetSeparatorOf(keyword - 1) != kSeparatorCloseBrace ||
      GetSeparatorOf(keyword + 1) != kSeparatorOpenBrace) {
    return ReportSyntaxError(keyword);
  }
  std::uint32_t close = 0;
  const std::optional<std::int32_t> commands = CountBlockCommands(keyword + 1, close);
  if (!commands) return ReportBraceError();
  // The true branch ends at this jump, which leaves the whole else block.
  CommandParam param;
  param.Expr[0] = nsTamskLib::NumberExpression(*commands + 1);
  AddParsedCommand(Cmd_jump::Create(), param);
  return 2;
}

int Cmd_end::Parse(unsigned keyword) { return ParseOneForm<Cmd_end>(keyword, {kWordSemicolon}); }

int Cmd_set::Parse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  static const KeywordKind kKinds[] = {{Cmd_set::kKeywords[0], kSymbolLocal},
                                       {Cmd_set::kKeywords[1], kSymbolGlobal},
                                       {Cmd_set::kKeywords[2], kSymbolButton},
                                       {Cmd_set::kKeywords[3], kSymbolSprite}};
  const KeywordKind* kind = FindKeywordKind(keyword, kKinds);
  if (kind == nullptr) return ReportSyntaxError(keyword);
  const bool variable = kind->kind == kSymbolLocal || kind->kind == kSymbolGlobal;
  const SyntaxPattern bare = {kWordUndefinedVariable, kWordSemicolon};
  const SyntaxPattern initialised = {kWordUndefinedVariable, kWordEquals, kWordArgument,
                                     kWordSemicolon};
  const SyntaxPattern* form = nullptr;
  if (MatchesSyntax(keyword + 1, bare)) {
    if (variable) return ReportLine("初期値を指定してください！\n", keyword);
    form = &bare;
  } else if (MatchesSyntax(keyword + 1, initialised)) {
    if (kind->kind == kSymbolButton) {
      return ReportLine("ボタンは初期化出来ません！\n", keyword);
    }
    if (kind->kind == kSymbolSprite) {
      return ReportLine("スプライトは初期化出来ません！\n", keyword);
    }
    form = &initialised;
  } else {
    const bool known = MatchesSyntax(keyword + 1, {kWordVariable}) ||
                       MatchesSyntax(keyword + 1, {kWordButton}) ||
                       MatchesSyntax(keyword + 1, {kWordSprite});
    if (known) {
      if (ITextStream* out = GetErrorOutput()) {
        out->Write("エラー（%4d行目）：'%s'は既定義のシンボルです！\n", GetTokenLine(keyword),
                   GetScriptToken(keyword + 1)->text.c_str());
      }
      return -1;
    }
    return ReportSyntaxError(keyword);
  }
  CommandParam param;
  param.Int[0] = kind->kind;
  FillParamFromPattern(keyword, *form, param);
  DeclareSymbol(param.Str[0].c_str(), kind->kind);
  AddParsedCommand(Cmd_set::Create(), param);
  return 1 + static_cast<int>(form->size());
}

int Cmd_calc::Parse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  const SyntaxPattern form = {kWordVariable, kWordOperator, kWordArgument, kWordSemicolon};
  if (!MatchesSyntax(keyword + 1, form)) return ReportSyntaxError(keyword);
  CommandParam param;
  param.Int[0] = GetOperatorOf(keyword + 2);
  FillParamFromPattern(keyword, form, param);
  AddParsedCommand(Cmd_calc::Create(), param);
  return 1 + static_cast<int>(form.size());
}

int Cmd_goto::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_goto>(keyword, {kWordLabel, kWordSemicolon});
}

int Cmd_wait::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_wait>(keyword, {kWordArgument, kWordSemicolon});
}

int Cmd_gosub::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_gosub>(keyword, {kWordLabel, kWordSemicolon});
}

int Cmd_return::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_return>(keyword, {kWordSemicolon});
}

int Cmd_jump::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_jump>(keyword, {kWordArgument, kWordSemicolon});
}

int Cmd_rand::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_rand>(keyword, {kWordVariable, kWordComma, kWordArgument, kWordComma,
                                          kWordArgument, kWordSemicolon});
}

int Cmd_loop::Parse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  const bool begin = IsKeywordText(keyword, kBeginLoop);
  if (!begin && !IsKeywordText(keyword, kEndLoop)) return ReportSyntaxError(keyword);
  // Without condition and step, with a condition, with a step, with both.
  static const SyntaxPattern forms[] = {
      {kWordComma, kWordSemicolon},
      {kWordArgument, kWordComma, kWordSemicolon},
      {kWordComma, kWordVariable, kWordOperator, kWordArgument, kWordSemicolon},
      {kWordArgument, kWordComma, kWordVariable, kWordOperator, kWordArgument, kWordSemicolon},
  };
  const int form = FindMatchingPattern(keyword, forms);
  if (form < 0) return ReportSyntaxError(keyword);
  const bool hasCondition = form == 1 || form == 3;
  const bool hasStep = form == 2 || form == 3;

  // The partner: forward from beginloop, backward from endloop, counting the
  // commands on the way with the partner itself.
  std::int32_t depth = 1;
  std::int32_t commands = 0;
  bool found = false;
  if (begin) {
    for (std::uint32_t i = keyword + 1; i < GetTokenCount() && !found; ++i) {
      if (!IsCommandToken(i)) continue;
      ++commands;
      if (IsKeywordText(i, kBeginLoop)) ++depth;
      if (IsKeywordText(i, kEndLoop) && --depth == 0) found = true;
    }
  } else {
    for (std::uint32_t i = keyword; i-- > 0 && !found;) {
      if (!IsCommandToken(i)) continue;
      ++commands;
      if (IsKeywordText(i, kEndLoop)) ++depth;
      if (IsKeywordText(i, kBeginLoop) && --depth == 0) found = true;
    }
  }
  if (!found) {
    return ReportPlain("エラー　　　　　　：beginloopとendloopの対応が間違っています！\n");
  }

  CommandParam param;
  std::uint32_t next = keyword + 1;
  if (hasCondition) param.Expr[0] = GetScriptToken(next++)->expr;
  ++next;  // the comma
  if (hasStep) {
    param.Str[0] = GetScriptToken(next)->text;
    param.Int[0] = GetOperatorOf(next + 1);
    param.Expr[1] = GetScriptToken(next + 2)->expr;
  }
  param.Int[1] = begin ? 1 : -commands;
  param.Int[2] = begin ? commands + 1 : 1;
  AddParsedCommand(Cmd_loop::Create(), param);
  return 1 + static_cast<int>(forms[static_cast<std::size_t>(form)].size());
}

int Cmd_break::Parse(unsigned keyword) {
  if (!HasParserServices()) return -1;
  if (!MatchesSyntax(keyword + 1, {kWordSemicolon})) return ReportSyntaxError(keyword);
  std::int32_t depth = 1;
  std::int32_t commands = 0;
  for (std::uint32_t i = keyword + 2; i < GetTokenCount(); ++i) {
    if (!IsCommandToken(i)) continue;
    ++commands;
    if (IsKeywordText(i, kBeginLoop)) ++depth;
    if (IsKeywordText(i, kEndLoop) && --depth == 0) {
      CommandParam param;
      // Behind the enclosing endloop.
      param.Int[0] = 1 + commands;
      AddParsedCommand(Cmd_break::Create(), param);
      return 2;
    }
  }
  return ReportPlain("エラー　　　　　　：breakに対応するendloopが存在しません！\n");
}

int Cmd_loadobject::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_loadobject>(keyword, {kWordString, kWordSemicolon});
}

int Cmd_gotod::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_gotod>(keyword, {kWordString, kWordSemicolon});
}

int Cmd_gosubd::Parse(unsigned keyword) {
  return ParseOneForm<Cmd_gosubd>(keyword, {kWordString, kWordSemicolon});
}

}  // namespace nsWendrick

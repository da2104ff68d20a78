#include "plugin/commands/flow_parsers.h"

#include <cstdint>
#include <optional>

#include "engine/api/command_param.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/flow_commands.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/commands/statement_forms.h"
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

Expression ConstantExpression(std::int32_t value) {
  nsTamskLib::ExpressionToken number;
  number.Type = nsTamskLib::kTokenNumber;
  number.Value = value;
  Expression expr;
  expr.push_back(number);
  return expr;
}

void DeclareSymbol(const char* name, std::int32_t kind) {
  const auto getRef = GetHostApi().As<GetRefFunc>(kGetRef);
  if (ICompilerRef* ref = getRef != nullptr ? getRef() : nullptr) ref->DeclareSymbol(name, kind);
}

// The frame for the statements of a class of one keyword with no kinds of its own.
template <class Cmd>
int ParseSimple(unsigned keyword) {
  const KeywordKind kinds[] = {{Cmd::kKeywords[0], 0}};
  return ParseStatement(keyword, StatementForms(Cmd::kType), kinds, &Cmd::Create);
}

}  // namespace

int ParseIf(unsigned keyword) {
  if (!HasParserServices()) return -1;
  if (FindMatchingPattern(keyword, StatementForms(Cmd_if::kType)) < 0) return ReportSyntaxError(keyword);
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
  param.Expr[0] = ConstantExpression(*commands + 1);
  AddParsedCommand(Cmd_jump::Create(), param);
  return 2;
}

int ParseEnd(unsigned keyword) { return ParseSimple<Cmd_end>(keyword); }

int ParseSet(unsigned keyword) {
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

int ParseCalc(unsigned keyword) {
  if (!HasParserServices()) return -1;
  const std::span<const SyntaxPattern> forms = StatementForms(Cmd_calc::kType);
  if (FindMatchingPattern(keyword, forms) < 0) return ReportSyntaxError(keyword);
  CommandParam param;
  param.Int[0] = GetOperatorOf(keyword + 2);
  FillParamFromPattern(keyword, forms[0], param);
  AddParsedCommand(Cmd_calc::Create(), param);
  return 1 + static_cast<int>(forms[0].size());
}

int ParseGoto(unsigned keyword) {
  return ParseSimple<Cmd_goto>(keyword);
}

int ParseWait(unsigned keyword) {
  return ParseSimple<Cmd_wait>(keyword);
}

int ParseGosub(unsigned keyword) {
  return ParseSimple<Cmd_gosub>(keyword);
}

int ParseReturn(unsigned keyword) {
  return ParseSimple<Cmd_return>(keyword);
}

int ParseJump(unsigned keyword) {
  return ParseSimple<Cmd_jump>(keyword);
}

int ParseRand(unsigned keyword) {
  return ParseSimple<Cmd_rand>(keyword);
}

int ParseLoop(unsigned keyword) {
  if (!HasParserServices()) return -1;
  const bool begin = IsKeywordText(keyword, kBeginLoop);
  if (!begin && !IsKeywordText(keyword, kEndLoop)) return ReportSyntaxError(keyword);
  const std::span<const SyntaxPattern> forms = StatementForms(Cmd_loop::kType);
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

int ParseBreak(unsigned keyword) {
  if (!HasParserServices()) return -1;
  const std::span<const SyntaxPattern> forms = StatementForms(Cmd_break::kType);
  if (FindMatchingPattern(keyword, forms) < 0) return ReportSyntaxError(keyword);
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

int ParseLoadObject(unsigned keyword) {
  return ParseSimple<Cmd_loadobject>(keyword);
}

int ParseGotod(unsigned keyword) {
  return ParseSimple<Cmd_gotod>(keyword);
}

int ParseGosubd(unsigned keyword) {
  return ParseSimple<Cmd_gosubd>(keyword);
}

}  // namespace nsWendrick

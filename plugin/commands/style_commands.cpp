#include "plugin/commands/style_commands.h"

#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

using A = StyleArgument;

// Number of expressions a keyword takes.
int ExpressionCount(StyleArgument argument) {
  switch (argument) {
    case A::kAlignment:
    case A::kFont:
      return 0;
    case A::kColor:
      return 3;
    case A::kPosition:
      return 2;
    default:
      return 1;
  }
}

SyntaxPattern FormOf(StyleArgument argument) {
  if (argument == A::kAlignment) return {kWordSemicolon};
  if (argument == A::kFont) return {kWordString, kWordSemicolon};
  return ArgumentsStatement(ExpressionCount(argument));
}

// A script colour: R + G * 256 + B * 65536.
std::uint32_t PackColor(std::int32_t r, std::int32_t g, std::int32_t b) {
  return static_cast<std::uint32_t>(r) + static_cast<std::uint32_t>(g) * 256u +
         static_cast<std::uint32_t>(b) * 65536u;
}

bool IsColorComponent(std::int32_t value) { return value >= 0 && value <= 255; }

constexpr StyleKeyword kTextKeywords[] = {
    {"textfont", 0, A::kFont, 0},
    {"textsize", 1, A::kSize, 0},
    {"textcolor", 2, A::kColor, 0},
    {"textspeed", 3, A::kNumber, 0},
    {"textposition", 4, A::kPosition, 0},
    {"textmaxwidth", 5, A::kMaxWidth, 0},
    {"textmaxheight", 6, A::kMaxHeight, 0},
    {"textcspace", 7, A::kCSpace, 0},
    {"textlspace", 8, A::kLSpace, 0},
    {"textalignleft", 9, A::kAlignment, kAlignLeft},
    {"textaligncenter", 9, A::kAlignment, kAlignCenter},
    {"textalignright", 9, A::kAlignment, kAlignRight},
};

constexpr StyleKeyword kTalkerKeywords[] = {
    {"talkerfont", 0, A::kFont, 0},
    {"talkersize", 1, A::kSize, 0},
    {"talkercolor", 2, A::kColor, 0},
    {"talkerposition", 3, A::kPosition, 0},
    {"talkermaxwidth", 4, A::kMaxWidth, 0},
    {"talkermaxheight", 5, A::kMaxHeight, 0},
    {"talkercspace", 6, A::kCSpace, 0},
    {"talkerlspace", 7, A::kLSpace, 0},
    {"talkeralignleft", 8, A::kAlignment, kAlignLeft},
    {"talkeraligncenter", 8, A::kAlignment, kAlignCenter},
    {"talkeralignright", 8, A::kAlignment, kAlignRight},
};

constexpr StyleKeyword kRubyKeywords[] = {
    {"rubyfont", 0, A::kFont, 0},
    {"rubysize", 1, A::kSize, 0},
    {"rubycspace", 2, A::kCSpace, 0},
    {"rubyoffset", 3, A::kOffset, 0},
};

constexpr StyleKeyword kSelectTextKeywords[] = {
    {"selecttextfont", 0, A::kFont, 0},
    {"selecttextsize", 1, A::kSize, 0},
    {"selecttextmaxwidth", 2, A::kMaxWidth, 0},
    {"selecttextmaxheight", 3, A::kMaxHeight, 0},
    {"selecttextncolor", 4, A::kColor, 0},
    {"selecttextccolor", 5, A::kColor, 0},
    {"selecttexthcolor", 6, A::kColor, 0},
    {"selecttextcspace", 7, A::kCSpace, 0},
    {"selecttextlspace", 8, A::kLSpace, 0},
    {"selecttextalignleft", 9, A::kAlignment, kAlignLeft},
    {"selecttextaligncenter", 9, A::kAlignment, kAlignCenter},
    {"selecttextalignright", 9, A::kAlignment, kAlignRight},
};

std::vector<KeywordStatement> StatementsOf(std::span<const StyleKeyword> keywords) {
  std::vector<KeywordStatement> statements;
  for (const StyleKeyword& row : keywords) {
    statements.push_back(
        KeywordStatement{row.keyword, row.kind, FormOf(row.argument), nullptr, row.align});
  }
  return statements;
}

}  // namespace

const StyleKeyword* StyleCmd::Row() const {
  const StyleKeyword* first = nullptr;
  for (const StyleKeyword& row : KeywordRows()) {
    if (row.kind != m_Kind) continue;
    if (row.argument != A::kAlignment || row.align == m_Align) return &row;
    if (first == nullptr) first = &row;
  }
  return first;
}

void StyleCmd::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Font = param.Str[0].c_str();
  for (int i = 0; i < 3; ++i) m_Args[i] = param.Expr[i];
  m_Align = param.Int[1];
}

StyleValue StyleCmd::Evaluate(StyleArgument argument) {
  StyleValue value;
  const auto calc = [&](int i) { return HostCalcExpression(m_Args[i], m_Engine); };
  switch (argument) {
    case A::kAlignment:
      value.align = m_Align;
      break;
    case A::kFont:
      value.font = ExpandVariables(m_Font, m_Engine);
      break;
    case A::kColor: {
      const std::int32_t r = calc(0);
      const std::int32_t g = calc(1);
      const std::int32_t b = calc(2);
      if (!IsColorComponent(r) || !IsColorComponent(g) || !IsColorComponent(b)) {
        HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（R：%d　G：%d　B：%d）",
                         r, g, b);
      }
      value.color = PackColor(r, g, b);
      break;
    }
    case A::kPosition:
      value.number = calc(0);
      value.y = calc(1);
      break;
    case A::kNumber:
      value.number = calc(0);
      break;
    case A::kSize:
      value.number = calc(0);
      if (value.number < 1) {
        HostRuntimeError(Window(), "引数が0または負数です！（m_Size = %d）", value.number);
      }
      break;
    case A::kMaxWidth:
      value.number = calc(0);
      if (value.number < 0) {
        HostRuntimeError(Window(), "最大横幅が負数です！（m_MaxWidth = %d）", value.number);
      }
      break;
    case A::kMaxHeight:
      value.number = calc(0);
      if (value.number < 0) {
        HostRuntimeError(Window(), "最大縦幅が負数です！（m_MaxHeight = %d）", value.number);
      }
      break;
    case A::kCSpace:
      value.number = calc(0);
      if (value.number < 0) {
        HostRuntimeError(Window(), "字間が負数です！（m_CSpace = %d）", value.number);
      }
      break;
    case A::kLSpace:
      value.number = calc(0);
      if (value.number < 0) {
        HostRuntimeError(Window(), "行間が負数です！（m_LSpace = %d）", value.number);
      }
      break;
    case A::kOffset:
      value.number = calc(0);
      if (value.number < 0) {
        HostRuntimeError(Window(), "オフセットが負数です！（m_Offset = %d）", value.number);
      }
      break;
  }
  return value;
}

int StyleCmd::Execute() {
  if (const StyleKeyword* row = Row()) Store(m_Kind, Evaluate(row->argument));
  MoveOn(m_Engine);
  return 0;
}

void StyleCmd::Dump(ITextStream* out) {
  const StyleKeyword* row = Row();
  if (out == nullptr || row == nullptr) return;
  switch (row->argument) {
    case A::kAlignment:
      out->Write("%s;\n", row->keyword);
      return;
    case A::kFont:
      out->Write("%s \"%s\";\n", row->keyword, m_Font.c_str());
      return;
    default:
      break;
  }
  out->Write("%s ", row->keyword);
  const int count = ExpressionCount(row->argument);
  for (int i = 0; i < count; ++i) {
    if (i > 0) out->Write(", ");
    out->WriteExpression(m_Args[i]);
  }
  out->Write(";\n");
}

void StyleCmd::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  const StyleKeyword* row = Row();
  if (row == nullptr) return;
  if (row->argument == A::kAlignment) {
    SaveIntField(stream, m_Align);
  } else if (row->argument == A::kFont) {
    SaveStringField(stream, m_Font);
  } else {
    const int count = ExpressionCount(row->argument);
    for (int i = 0; i < count; ++i) SaveExpressionField(stream, m_Args[i]);
  }
}

void StyleCmd::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Align = 0;
  const StyleKeyword* row = Row();
  if (row == nullptr) return;
  if (row->argument == A::kAlignment) {
    m_Align = LoadIntField(stream);
  } else if (row->argument == A::kFont) {
    m_Font = LoadStringField(stream);
  } else {
    const int count = ExpressionCount(row->argument);
    for (int i = 0; i < count; ++i) LoadExpressionField(stream, m_Args[i]);
  }
}

int StyleCmd::ParseStyle(unsigned keyword, std::span<const StyleKeyword> keywords,
                         nsTamskLib::CmdFactory factory) {
  const std::vector<KeywordStatement> statements = StatementsOf(keywords);
  return ParseKeywordStatement(keyword, statements, factory);
}

// Message text: everything waits in the style state for the next message.
std::span<const StyleKeyword> Cmd_settext::KeywordRows() const { return kTextKeywords; }

KeywordList Cmd_settext::Keywords() { return KeywordsOf<kTextKeywords>(); }
ICmd_Base* Cmd_settext::Create() { return new Cmd_settext(); }
int Cmd_settext::Parse(unsigned keyword) {
  return ParseStyle(keyword, kTextKeywords, &Cmd_settext::Create);
}

void Cmd_settext::Store(std::int32_t kind, const StyleValue& value) {
  MessageStyle& style = TextStyle().text;
  switch (kind) {
    case 0: style.font.Set(value.font); break;
    case 1: style.size.Set(value.number); break;
    case 2: style.color.Set(value.color); break;
    case 3: style.speed.Set(value.number); break;
    case 4: style.position.Set(value.number, value.y); break;
    case 5: style.maxWidth.Set(value.number); break;
    case 6: style.maxHeight.Set(value.number); break;
    case 7: style.cspace.pending.Set(value.number); break;
    case 8: style.lspace.pending.Set(value.number); break;
    case 9: style.align.pending.Set(value.align); break;
    default: break;
  }
}

// Talker name: as the message text, without a speed.
std::span<const StyleKeyword> Cmd_settalker::KeywordRows() const { return kTalkerKeywords; }

KeywordList Cmd_settalker::Keywords() { return KeywordsOf<kTalkerKeywords>(); }
ICmd_Base* Cmd_settalker::Create() { return new Cmd_settalker(); }
int Cmd_settalker::Parse(unsigned keyword) {
  return ParseStyle(keyword, kTalkerKeywords, &Cmd_settalker::Create);
}

void Cmd_settalker::Store(std::int32_t kind, const StyleValue& value) {
  MessageStyle& style = TextStyle().talker;
  switch (kind) {
    case 0: style.font.Set(value.font); break;
    case 1: style.size.Set(value.number); break;
    case 2: style.color.Set(value.color); break;
    case 3: style.position.Set(value.number, value.y); break;
    case 4: style.maxWidth.Set(value.number); break;
    case 5: style.maxHeight.Set(value.number); break;
    case 6: style.cspace.pending.Set(value.number); break;
    case 7: style.lspace.pending.Set(value.number); break;
    case 8: style.align.pending.Set(value.align); break;
    default: break;
  }
}

// Ruby.
std::span<const StyleKeyword> Cmd_setruby::KeywordRows() const { return kRubyKeywords; }

KeywordList Cmd_setruby::Keywords() { return KeywordsOf<kRubyKeywords>(); }
ICmd_Base* Cmd_setruby::Create() { return new Cmd_setruby(); }
int Cmd_setruby::Parse(unsigned keyword) {
  return ParseStyle(keyword, kRubyKeywords, &Cmd_setruby::Create);
}

void Cmd_setruby::Store(std::int32_t kind, const StyleValue& value) {
  RubyStyle& style = TextStyle().ruby;
  switch (kind) {
    case 0: style.font.Set(value.font); break;
    case 1: style.size.Set(value.number); break;
    case 2: style.cspace.pending.Set(value.number); break;
    case 3: style.offset.pending.Set(value.number); break;
    default: break;
  }
}

// Choice texts: font, size, limits and colours belong to the draw manager and apply
// at once; spacing and alignment are the plug-in's, stored directly.
std::span<const StyleKeyword> Cmd_setselecttext::KeywordRows() const { return kSelectTextKeywords; }

KeywordList Cmd_setselecttext::Keywords() { return KeywordsOf<kSelectTextKeywords>(); }
ICmd_Base* Cmd_setselecttext::Create() { return new Cmd_setselecttext(); }
int Cmd_setselecttext::Parse(unsigned keyword) {
  return ParseStyle(keyword, kSelectTextKeywords, &Cmd_setselecttext::Create);
}

void Cmd_setselecttext::Store(std::int32_t kind, const StyleValue& value) {
  IDrawManager* draw = m_Engine->GetDrawManager();
  ChoiceStyle& style = TextStyle().choice;
  switch (kind) {
    case 0: draw->SetSelectFont(value.font.c_str()); break;
    case 1: draw->SetSelectFontSize(value.number); break;
    case 2: draw->SetSelectItemWidth(value.number); break;
    case 3: draw->SetSelectItemHeight(value.number); break;
    case 4: draw->SetSelectTextColorNormal(value.color); break;
    case 5: draw->SetSelectTextColorOnCursor(value.color); break;
    case 6: draw->SetSelectTextColorOnHold(value.color); break;
    case 7: style.cspace = value.number; break;
    case 8: style.lspace = value.number; break;
    case 9: style.align = value.align; break;
    default: break;
  }
}

}  // namespace nsWendrick

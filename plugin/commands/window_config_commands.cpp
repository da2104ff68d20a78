#include "plugin/commands/window_config_commands.h"

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "engine/api/types.h"
#include "plugin/commands/draw_argument_checks.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/kinsoku.h"
#include "plugin/text/text_sprites.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

constexpr ConfigKeyword kTextWindowKeywords[] = {
    {"textwindowdraw", 0, false, 12},
    {"textwindowimage", 1, true, 7},
};

constexpr ConfigKeyword kTextCursorKeywords[] = {
    {"textcursorshow", 0, false, 4},
    {"textcursornone", 1, true, 8},
    {"textcursorclick", 2, true, 8},
    {"textcursorgonext", 3, true, 8},
    {"textcursorbacklog", 4, true, 8},
};

constexpr ConfigKeyword kSelectWindowKeywords[] = {
    {"selectwindowdraw", 0, false, 21},
    {"selectwindowimage", 1, true, 13},
    {"selectwindowunderspace", 2, false, 1},
};

// The choice states in the order their values are given.
constexpr const char* kChoiceStates[3] = {"通常時", "カーソル時", "ホールド時"};

// A script colour: R + G * 256 + B * 65536.
std::uint32_t PackColor(const std::int32_t* rgb) {
  return static_cast<std::uint32_t>(rgb[0]) + static_cast<std::uint32_t>(rgb[1]) * 256u +
         static_cast<std::uint32_t>(rgb[2]) * 65536u;
}

TRect RectOf(const std::int32_t* xywh) {
  return nsTamskLib::MakeRect(xywh[0], xywh[1], xywh[2], xywh[3]);
}

bool IsComponent(std::int32_t value) { return value >= 0 && value <= 255; }

// An "on" value: anything but 0.
std::uint8_t Flag(std::int32_t value) { return value != 0 ? 1 : 0; }

SyntaxPattern FormOf(const ConfigKeyword& row) {
  SyntaxPattern form;
  if (row.named) {
    form.push_back(kWordString);
    if (row.expressions > 0) form.push_back(kWordComma);
  }
  AppendArguments(form, row.expressions);
  form.push_back(kWordSemicolon);
  return form;
}

std::vector<KeywordStatement> StatementsOf(std::span<const ConfigKeyword> keywords) {
  std::vector<KeywordStatement> statements;
  for (const ConfigKeyword& row : keywords) {
    statements.push_back(KeywordStatement{row.keyword, row.kind, FormOf(row)});
  }
  return statements;
}

const std::vector<KeywordStatement>& SetselectStatements() {
  static const std::vector<KeywordStatement> statements{
      {"selectclickse", 0, {kWordString, kWordSemicolon}},
      {"selectcursorse", 1, {kWordString, kWordSemicolon}},
  };
  return statements;
}

const std::vector<KeywordStatement>& InitializeStatements() {
  static const std::vector<KeywordStatement> statements{{"initialize", 0, {kWordSemicolon}}};
  return statements;
}

const std::vector<KeywordStatement>& WaittimeskipStatements() {
  static const std::vector<KeywordStatement> statements{
      {"waittimeskip", 0, {kWordArgument, kWordSemicolon}}};
  return statements;
}

}  // namespace

const ConfigKeyword* ConfigCmd::Row() const {
  for (const ConfigKeyword& row : KeywordRows()) {
    if (row.kind == m_Kind) return &row;
  }
  return nullptr;
}

void ConfigCmd::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  const ConfigKeyword* row = Row();
  m_Name = row != nullptr && row->named ? param.Str[0].c_str() : "";
  m_Args.clear();
  const int count = row != nullptr ? row->expressions : 0;
  for (int i = 0; i < count; ++i) m_Args.push_back(param.Expr[i]);
}

int ConfigCmd::Execute() {
  if (const ConfigKeyword* row = Row()) {
    std::vector<std::int32_t> values;
    for (const Expression& arg : m_Args) {
      values.push_back(HostCalcExpression(arg, m_Engine));
    }
    values.resize(static_cast<std::size_t>(row->expressions), 0);
    Apply(m_Kind, row->named ? ExpandVariables(m_Name, m_Engine) : std::string(), values);
  }
  MoveOn(m_Engine);
  return 0;
}

void ConfigCmd::Dump(ITextStream* out) {
  const ConfigKeyword* row = Row();
  if (out == nullptr || row == nullptr) return;
  out->Write("%s ", row->keyword);
  if (row->named) out->Write(m_Args.empty() ? "\"%s\"" : "\"%s\", ", m_Name.c_str());
  for (std::size_t i = 0; i < m_Args.size(); ++i) {
    if (i > 0) out->Write(", ");
    out->WriteExpression(m_Args[i]);
  }
  out->Write(";\n");
}

void ConfigCmd::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  const ConfigKeyword* row = Row();
  if (row == nullptr) return;
  if (row->named) SaveStringField(stream, m_Name);
  for (const Expression& arg : m_Args) SaveExpressionField(stream, arg);
}

void ConfigCmd::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name.clear();
  m_Args.clear();
  const ConfigKeyword* row = Row();
  if (row == nullptr) return;
  if (row->named) m_Name = LoadStringField(stream);
  m_Args.resize(static_cast<std::size_t>(row->expressions));
  for (Expression& arg : m_Args) LoadExpressionField(stream, arg);
}

int ConfigCmd::ParseConfig(unsigned keyword, std::span<const ConfigKeyword> keywords,
                           nsTamskLib::CmdFactory factory) {
  return ParseKeywordStatement(keyword, StatementsOf(keywords), factory);
}

void ConfigCmd::CheckSourceRect(const std::int32_t* xywh, const char* state) const {
  nsWendrick::CheckSourceRect(Window(), xywh[0], xywh[1], xywh[2], xywh[3], state);
}

void ConfigCmd::CheckColor(const std::int32_t* rgb, bool border, const char* state) const {
  if (IsComponent(rgb[0]) && IsComponent(rgb[1]) && IsComponent(rgb[2])) return;
  if (state != nullptr) {
    if (border) {
      HostRuntimeError(Window(),
                       "引数の何れかが負数か255を超えています！（%s）（BorderR：%d　BorderG：%d　"
                       "BorderB：%d）",
                       state, rgb[0], rgb[1], rgb[2]);
    }
    HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（%s）（R：%d　G：%d　B：%d）",
                     state, rgb[0], rgb[1], rgb[2]);
  }
  if (border) {
    HostRuntimeError(Window(),
                     "引数の何れかが負数か255を超えています！（BorderR：%d　BorderG：%d　BorderB：%d）",
                     rgb[0], rgb[1], rgb[2]);
  }
  HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（R：%d　G：%d　B：%d）",
                   rgb[0], rgb[1], rgb[2]);
}

// Text window: x, y, width, height, R, G, B, alpha, border, border R, G, B; or an
// image with x, y, alpha and the source rectangle.
std::span<const ConfigKeyword> Cmd_settextwindow::KeywordRows() const {
  return kTextWindowKeywords;
}
KeywordList Cmd_settextwindow::Keywords() { return KeywordsOf<kTextWindowKeywords>(); }
ICmd_Base* Cmd_settextwindow::Create() { return new Cmd_settextwindow(); }
int Cmd_settextwindow::Parse(unsigned keyword) {
  return ParseConfig(keyword, kTextWindowKeywords, &Cmd_settextwindow::Create);
}

void Cmd_settextwindow::Apply(std::int32_t kind, const std::string& name,
                              const std::vector<std::int32_t>& v) {
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (kind == 0) {
    if (v[2] < 0 || v[3] < 0) {
      HostRuntimeError(Window(), "矩形の指定が間違っています！（m_RectWidth = %d, m_RectHeight = %d）",
                       v[2], v[3]);
    }
    CheckColor(&v[4], false);
    CheckAlpha(Window(), v[7]);
    if (v[8] < 0) HostRuntimeError(Window(), "枠の太さが負数です！（m_Border = %d）", v[8]);
    CheckColor(&v[9], true);
    draw->SetTextWindow(RectOf(&v[0]), PackColor(&v[4]), static_cast<std::uint8_t>(v[7]),
                        static_cast<std::uint32_t>(v[8]), PackColor(&v[9]));
  } else {
    CheckAlpha(Window(), v[2]);
    CheckSourceRect(&v[3]);
    draw->SetTextWindow(name.c_str(), v[0], v[1], static_cast<std::uint8_t>(v[2]), RectOf(&v[3]));
  }
}

// Text cursor: the four display switches, or an image for one of the four states
// with x, y, alpha, the source rectangle and a flag.
std::span<const ConfigKeyword> Cmd_settextcursor::KeywordRows() const {
  return kTextCursorKeywords;
}
KeywordList Cmd_settextcursor::Keywords() { return KeywordsOf<kTextCursorKeywords>(); }
ICmd_Base* Cmd_settextcursor::Create() { return new Cmd_settextcursor(); }
int Cmd_settextcursor::Parse(unsigned keyword) {
  return ParseConfig(keyword, kTextCursorKeywords, &Cmd_settextcursor::Create);
}

void Cmd_settextcursor::Apply(std::int32_t kind, const std::string& name,
                              const std::vector<std::int32_t>& v) {
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (kind == 0) {
    draw->SetTextCursorEnabled(Flag(v[0]), Flag(v[1]), Flag(v[2]), Flag(v[3]));
    return;
  }
  CheckAlpha(Window(), v[2]);
  CheckSourceRect(&v[3]);
  const auto alpha = static_cast<std::uint8_t>(v[2]);
  const TRect src = RectOf(&v[3]);
  switch (kind) {
    case 1: draw->SetTextCursorNone(name.c_str(), v[0], v[1], alpha, src, Flag(v[7])); break;
    case 2: draw->SetTextCursorClick(name.c_str(), v[0], v[1], alpha, src, Flag(v[7])); break;
    case 3: draw->SetTextCursorGoNext(name.c_str(), v[0], v[1], alpha, src, Flag(v[7])); break;
    default: draw->SetTextCursorBackLog(name.c_str(), v[0], v[1], alpha, src, Flag(v[7])); break;
  }
}

// Choice window: 21 values drawn (space, three fills, alpha, border width, three
// border colours), an image with alpha and three source rectangles, or the
// distance to the bottom of the screen.
std::span<const ConfigKeyword> Cmd_setselectwindow::KeywordRows() const {
  return kSelectWindowKeywords;
}
KeywordList Cmd_setselectwindow::Keywords() { return KeywordsOf<kSelectWindowKeywords>(); }
ICmd_Base* Cmd_setselectwindow::Create() { return new Cmd_setselectwindow(); }
int Cmd_setselectwindow::Parse(unsigned keyword) {
  return ParseConfig(keyword, kSelectWindowKeywords, &Cmd_setselectwindow::Create);
}

void Cmd_setselectwindow::Apply(std::int32_t kind, const std::string& name,
                                const std::vector<std::int32_t>& v) {
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (kind == 2) {
    if (v[0] < 0) HostRuntimeError(Window(), "画面下端との間隔が負数です！（m_UnderSpace = %d）", v[0]);
    draw->SetSelectBottomMargin(v[0]);
  } else if (kind == 1) {
    CheckAlpha(Window(), v[0]);
    for (int state = 0; state < 3; ++state) CheckSourceRect(&v[1 + 4 * state], kChoiceStates[state]);
    draw->SetSelectWindow(name.c_str(), static_cast<std::uint8_t>(v[0]), RectOf(&v[1]),
                          RectOf(&v[5]), RectOf(&v[9]));
  } else {
    // v[0] space, v[1..9] fills, v[10] alpha, v[11] border width, v[12..20] borders.
    if (v[0] < 0) {
      HostRuntimeError(Window(), "テキストと枠の間隔が負数です！（m_AroundSpace = %d）", v[0]);
    }
    CheckAlpha(Window(), v[10]);
    if (v[11] < 0) HostRuntimeError(Window(), "枠の太さが負数です！（m_Border = %d）", v[11]);
    for (int state = 0; state < 3; ++state) CheckColor(&v[1 + 3 * state], false, kChoiceStates[state]);
    for (int state = 0; state < 3; ++state) CheckColor(&v[12 + 3 * state], true, kChoiceStates[state]);
    draw->SetSelectWindow(v[0], PackColor(&v[1]), PackColor(&v[4]), PackColor(&v[7]),
                          static_cast<std::uint8_t>(v[10]), static_cast<std::uint32_t>(v[11]),
                          PackColor(&v[12]), PackColor(&v[15]), PackColor(&v[18]));
  }
}

// Choice sounds.
int Cmd_setselect::Execute() {
  const std::string name = ExpandVariables(m_Name, m_Engine);
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (m_Kind == 0) {
    draw->SetSelectDecideSound(name.c_str());
  } else if (m_Kind == 1) {
    draw->SetSelectCursorSound(name.c_str());
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setselect::Dump(ITextStream* out) {
  const char* keyword = KeywordOfKind(m_Kind, SetselectStatements());
  if (out == nullptr || keyword == nullptr) return;
  out->Write("%s \"%s\";\n", keyword, m_Name.c_str());
}

ICmd_Base* Cmd_setselect::Create() { return new Cmd_setselect(); }

KeywordList Cmd_setselect::Keywords() { return KeywordsOf<SetselectStatements>(); }

int Cmd_setselect::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, SetselectStatements(), &Cmd_setselect::Create);
}

// New game: the engine resets the variables, positions and states and restarts the
// script; the text sprites go with the old game.
int Cmd_initialize::Execute() {
  m_Engine->Initialize();
  ClearTextSprites();
  return 0;
}

void Cmd_initialize::Dump(ITextStream* out) {
  if (out != nullptr) out->Write("initialize;\n");
}

ICmd_Base* Cmd_initialize::Create() { return new Cmd_initialize(); }

KeywordList Cmd_initialize::Keywords() { return KeywordsOf<InitializeStatements>(); }

int Cmd_initialize::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, InitializeStatements(), &Cmd_initialize::Create);
}

// Minimum display time of a message while skipping.
int Cmd_waittimeskip::Execute() {
  const std::int32_t wait = HostCalcExpression(m_Value, m_Engine);
  if (wait < 0) {
    HostRuntimeError(Window(), "スキップの待機時間が負数です！（m_WaitTimeSkip = %d）", wait);
  }
  TextStyle().skipWait = wait;
  MoveOn(m_Engine);
  return 0;
}

void Cmd_waittimeskip::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("waittimeskip ");
  out->WriteExpression(m_Value);
  out->Write(";\n");
}

ICmd_Base* Cmd_waittimeskip::Create() { return new Cmd_waittimeskip(); }

KeywordList Cmd_waittimeskip::Keywords() { return KeywordsOf<WaittimeskipStatements>(); }

int Cmd_waittimeskip::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, WaittimeskipStatements(), &Cmd_waittimeskip::Create);
}

// Line-breaking sets; the characters are used as written.
namespace {

struct KinsokuOperation {
  const char* keyword;
  void (*apply)(const char* text);
};

constexpr KinsokuOperation kKinsokuOperations[] = {
    {"setfollowingchs", SetFollowingChs},         {"addfollowingchs", AddFollowingChs},
    {"setfollowingweakchs", SetFollowingWeakChs}, {"addfollowingweakchs", AddFollowingWeakChs},
    {"setleadingchs", SetLeadingChs},             {"addleadingchs", AddLeadingChs},
};

}  // namespace

int Cmd_kinsoku::Execute() {
  if (m_Kind >= 0 && m_Kind < 6) kKinsokuOperations[m_Kind].apply(m_Name.c_str());
  MoveOn(m_Engine);
  return 0;
}

void Cmd_kinsoku::Dump(ITextStream* out) {
  if (out == nullptr || m_Kind < 0 || m_Kind >= 6) return;
  out->Write("%s \"%s\";\n", kKinsokuOperations[m_Kind].keyword, m_Name.c_str());
}

ICmd_Base* Cmd_kinsoku::Create() { return new Cmd_kinsoku(); }

KeywordList Cmd_kinsoku::Keywords() { return KeywordsOf<kKinsokuOperations>(); }

int Cmd_kinsoku::Parse(unsigned keyword) {
  static const std::vector<KeywordStatement> statements = [] {
    std::vector<KeywordStatement> list;
    for (std::int32_t kind = 0; kind < 6; ++kind) {
      list.push_back(KeywordStatement{kKinsokuOperations[kind].keyword, kind,
                                      {kWordString, kWordSemicolon}});
    }
    return list;
  }();
  return ParseKeywordStatement(keyword, statements, &Cmd_kinsoku::Create);
}

}  // namespace nsWendrick

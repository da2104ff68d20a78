#include "plugin/commands/layer_commands.h"

#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/draw_records.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_stream.h"
#include "engine/api/types.h"
#include "plugin/commands/draw_argument_checks.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::DrawTask;

constexpr const char kAllImages[] = "/";

// Hands the task to the setter of the layer; other kinds store nothing.
void SetLayer(INovelEngine* engine, std::int32_t kind, const DrawTask& task) {
  nsTamskLib::nsTaskManager::ITaskManager* tasks = engine->GetTaskManager();
  switch (kind) {
    case kLayerBackground:
      tasks->SetBG(task);
      break;
    case kLayerLeft:
      tasks->SetLCh(task);
      break;
    case kLayerCentre:
      tasks->SetCCh(task);
      break;
    case kLayerRight:
      tasks->SetRCh(task);
      break;
    default:
      break;
  }
}

SyntaxPattern StringAndArguments(int count) {
  SyntaxPattern pattern{kWordString, kWordComma};
  AppendArguments(pattern, count);
  pattern.push_back(kWordSemicolon);
  return pattern;
}

const std::vector<KeywordStatement>& SetcgStatements() {
  static const std::vector<KeywordStatement> statements{
      {"lch", kLayerLeft, StringAndArguments(6)},
      {"cch", kLayerCentre, StringAndArguments(6)},
      {"rch", kLayerRight, StringAndArguments(6)},
      {"bg", kLayerBackground, StringAndArguments(8)},
  };
  return statements;
}

const std::vector<KeywordStatement>& ClearcgStatements() {
  static const std::vector<KeywordStatement> statements{
      {"clearbg", kLayerBackground, {kWordSemicolon}},
      {"clearlch", kLayerLeft, {kWordSemicolon}},
      {"clearcch", kLayerCentre, {kWordSemicolon}},
      {"clearrch", kLayerRight, {kWordSemicolon}},
  };
  return statements;
}

const std::vector<KeywordStatement>& BgcolorStatements() {
  static const std::vector<KeywordStatement> statements{
      {"bgcolor", 0, ArgumentsStatement(3)},
  };
  return statements;
}

const std::vector<KeywordStatement>& ChpriorityStatements() {
  static const std::vector<KeywordStatement> statements{
      {"lcr", 0, {kWordSemicolon}}, {"lrc", 1, {kWordSemicolon}}, {"clr", 2, {kWordSemicolon}},
      {"crl", 3, {kWordSemicolon}}, {"rcl", 4, {kWordSemicolon}}, {"rlc", 5, {kWordSemicolon}},
  };
  return statements;
}

const std::vector<KeywordStatement>& ImageStatements() {
  static const std::vector<KeywordStatement> statements{
      {"loadimage", Cmd_image::kLoad, {kWordString, kWordSemicolon}},
      {"unloadimage", Cmd_image::kRelease, {kWordString, kWordSemicolon}},
      {"unloadallimage", Cmd_image::kRelease, {kWordSemicolon}, kAllImages},
  };
  return statements;
}

}  // namespace

// --- Cmd_setcg ---------------------------------------------------------------

int Cmd_setcg::Execute() {
  DrawTask task;
  task.Visible = true;
  task.Type = nsTamskLib::nsTaskManager::kDrawImage;
  if (m_Kind == kLayerBackground) {
    task.X = HostCalcExpression(m_Expr[kX], m_Engine);
    task.Y = HostCalcExpression(m_Expr[kY], m_Engine);
  }
  task.Name = ExpandVariables(m_Name, m_Engine).c_str();

  const std::int32_t alpha = HostCalcExpression(m_Expr[kA], m_Engine);
  CheckAlpha(Window(), alpha);
  task.A = static_cast<std::uint8_t>(alpha);

  const std::int32_t blt = HostCalcExpression(m_Expr[kBltType], m_Engine);
  CheckBltType(Window(), blt);
  task.BltType = blt;

  const std::int32_t x = HostCalcExpression(m_Expr[kRectX], m_Engine);
  const std::int32_t y = HostCalcExpression(m_Expr[kRectY], m_Engine);
  const std::int32_t width = HostCalcExpression(m_Expr[kRectWidth], m_Engine);
  const std::int32_t height = HostCalcExpression(m_Expr[kRectHeight], m_Engine);
  CheckSourceRect(Window(), x, y, width, height);
  task.SrcRect = nsTamskLib::MakeRect(x, y, width, height);
  SetLayer(m_Engine, m_Kind, task);
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setcg::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Name = param.Str[0].c_str();
  for (std::uint32_t i = 0; i < kMemberCount; ++i) m_Expr[i] = param.Expr[i];
}

void Cmd_setcg::Dump(ITextStream* out) {
  const char* keyword = KeywordOfKind(m_Kind, SetcgStatements());
  if (out == nullptr || keyword == nullptr) return;
  out->Write("%s \"%s\"", keyword, m_Name.c_str());
  for (std::uint32_t i = m_Kind == kLayerBackground ? kX : kA; i < kMemberCount; ++i) {
    out->Write(", ");
    out->WriteExpression(m_Expr[i]);
  }
  out->Write(";\n");
}

void Cmd_setcg::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveStringField(stream, m_Name);
  for (std::uint32_t i = m_Kind == kLayerBackground ? kX : kA; i < kMemberCount; ++i) {
    SaveExpressionField(stream, m_Expr[i]);
  }
}

void Cmd_setcg::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  for (std::uint32_t i = m_Kind == kLayerBackground ? kX : kA; i < kMemberCount; ++i) {
    LoadExpressionField(stream, m_Expr[i]);
  }
}

KeywordList Cmd_setcg::Keywords() { return KeywordsOf<SetcgStatements>(); }

int Cmd_setcg::Parse(unsigned keywordToken) {
  CommandParam inOrder;
  const KeywordStatement* entry = MatchKeywordStatement(keywordToken, SetcgStatements(), inOrder);
  if (entry == nullptr) return -1;
  CommandParam param;
  param.Int[0] = entry->kind;
  param.Str[0] = inOrder.Str[0];
  // A character layer has no position of its own: X and Y are the constant 0.
  std::uint32_t first = kX;
  if (entry->kind != kLayerBackground) {
    param.Expr[kX] = nsTamskLib::NumberExpression(0);
    param.Expr[kY] = nsTamskLib::NumberExpression(0);
    first = kA;
  }
  for (std::uint32_t i = first; i < kMemberCount; ++i) param.Expr[i] = inOrder.Expr[i - first];
  AddParsedCommand(Create(), param);
  return 1 + static_cast<int>(entry->form.size());
}

// --- Cmd_clearcg -------------------------------------------------------------

int Cmd_clearcg::Execute() {
  SetLayer(m_Engine, m_Kind, DrawTask());
  MoveOn(m_Engine);
  return 0;
}

void Cmd_clearcg::Dump(ITextStream* out) {
  const char* keyword = KeywordOfKind(m_Kind, ClearcgStatements());
  if (out != nullptr && keyword != nullptr) out->Write("%s;\n", keyword);
}

KeywordList Cmd_clearcg::Keywords() { return KeywordsOf<ClearcgStatements>(); }

int Cmd_clearcg::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, ClearcgStatements(), &Create);
}

// --- Cmd_bgcolor -------------------------------------------------------------

int Cmd_bgcolor::Execute() {
  const std::int32_t red = HostCalcExpression(m_Color[0], m_Engine);
  const std::int32_t green = HostCalcExpression(m_Color[1], m_Engine);
  const std::int32_t blue = HostCalcExpression(m_Color[2], m_Engine);
  if (red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255) {
    HostRuntimeError(Window(), "引数の何れかが負数か255を超えています！（R：%d　G：%d　B：%d）", red,
                     green, blue);
  }
  m_Engine->GetDrawManager()->SetTargetBGColor(static_cast<std::uint32_t>(red) +
                                               static_cast<std::uint32_t>(green) * 256u +
                                               static_cast<std::uint32_t>(blue) * 65536u);
  MoveOn(m_Engine);
  return 0;
}

void Cmd_bgcolor::Setup(const CommandParam& param) {
  for (int i = 0; i < 3; ++i) m_Color[i] = param.Expr[i];
}

void Cmd_bgcolor::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("bgcolor ");
  for (int i = 0; i < 3; ++i) {
    if (i != 0) out->Write(", ");
    out->WriteExpression(m_Color[i]);
  }
  out->Write(";\n");
}

void Cmd_bgcolor::Save(IIOStream* stream) {
  for (const Expression& component : m_Color) SaveExpressionField(stream, component);
}

void Cmd_bgcolor::Load(IIOStream* stream) {
  for (Expression& component : m_Color) LoadExpressionField(stream, component);
}

KeywordList Cmd_bgcolor::Keywords() { return KeywordsOf<BgcolorStatements>(); }

int Cmd_bgcolor::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, BgcolorStatements(), &Create);
}

// --- Cmd_chpriority ----------------------------------------------------------

int Cmd_chpriority::Execute() {
  if (m_Kind >= 0 && m_Kind <= 5) {
    m_Engine->GetTaskManager()->SetChPriority(static_cast<std::uint32_t>(m_Kind));
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_chpriority::Dump(ITextStream* out) {
  const char* keyword = KeywordOfKind(m_Kind, ChpriorityStatements());
  if (out != nullptr && keyword != nullptr) out->Write("%s;\n", keyword);
}

KeywordList Cmd_chpriority::Keywords() { return KeywordsOf<ChpriorityStatements>(); }

int Cmd_chpriority::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, ChpriorityStatements(), &Create);
}

// --- Cmd_image ---------------------------------------------------------------

int Cmd_image::Execute() {
  // The draw manager's own image list, so that its bookkeeping and the release of
  // every image see what scripts loaded.
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (m_Kind == kLoad) {
    const std::string name = ExpandVariables(m_Name, m_Engine);
    if (!draw->RegisterImage(name.c_str())) {
      HostRuntimeWarning(Window(), "画像ファイル（%s）がメモリに読み込めません！", name.c_str());
    }
  } else if (m_Kind == kRelease && m_Name == kAllImages) {
    if (!draw->ReleaseAllImages()) {
      HostRuntimeWarning(Window(), "画像ファイルがメモリから解放出来ません！");
    }
  } else if (m_Kind == kRelease) {
    const std::string name = ExpandVariables(m_Name, m_Engine);
    if (!draw->UnregisterImage(name.c_str())) {
      HostRuntimeWarning(Window(), "画像ファイル（%s）がメモリから解放出来ません！", name.c_str());
    }
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_image::Dump(ITextStream* out) {
  if (out == nullptr) return;
  if (m_Kind == kLoad) {
    out->Write("loadimage \"%s\";\n", m_Name.c_str());
  } else if (m_Kind == kRelease && m_Name == kAllImages) {
    out->Write("unloadallimage;\n");
  } else if (m_Kind == kRelease) {
    out->Write("unloadimage \"%s\";\n", m_Name.c_str());
  }
}

KeywordList Cmd_image::Keywords() { return KeywordsOf<ImageStatements>(); }

int Cmd_image::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, ImageStatements(), &Create);
}

}  // namespace nsWendrick

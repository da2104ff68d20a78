#include "plugin/commands/update_commands.h"

#include "engine/api/command_param.h"
#include "engine/api/draw_records.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/commands/statement_forms.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::UpdateParam;

constexpr std::uint32_t kFlipPattern = 3;

bool IsUpdatePattern(std::int32_t pattern) {
  return (pattern >= 1 && pattern <= 15) || pattern == 26;
}

bool IsUpdate2Pattern(std::int32_t pattern) { return pattern >= 17 && pattern <= 24; }

[[noreturn]] void ReportPattern(WindowHandle owner, std::int32_t pattern) {
  HostRuntimeError(owner, "更新パターンの指定が間違っています！（m_Pattern = %d）", pattern);
}

std::int32_t CheckedTime(WindowHandle owner, const Expression& expr,
                         INovelEngine* engine) {
  const std::int32_t time = HostCalcExpression(expr, engine);
  if (time < 0) HostRuntimeError(owner, "更新時間が負数です！（m_Time = %d）", time);
  return time;
}

bool IsSkipping(INovelEngine* engine) {
  return engine->GetTextManager()->IsSkip();
}

// Gives the transition to the task manager. One that takes time is watched from
// its first frame on, so it uncovers the page; a flip of no time, or any transition
// in skip mode, keeps a fade's held colour over the page it prepares.
void StartTransition(INovelEngine* engine, const UpdateParam& param) {
  engine->GetTaskManager()->SetUpdateData(param);
  if (param.Time > 0) UncoverPage(engine);
}

// Moves the script on once the running pattern has ended; true when it did.
bool FinishWhenDone(INovelEngine* engine) {
  if (engine->GetTaskManager()->GetUpdateType() != 0) return false;
  engine->GetCommandHeap()->MoveIterator(1);
  return true;
}

constexpr KeywordKind kUpdateKeywords[] = {{"update", 0}};
constexpr KeywordKind kUpdate2Keywords[] = {{"update2", 0}};

}  // namespace

int Cmd_update::Execute() {
  if (!m_Started) {
    const std::int32_t pattern = HostCalcExpression(m_Pattern, m_Engine);
    if (!IsUpdatePattern(pattern)) ReportPattern(Window(), pattern);
    const std::int32_t time = CheckedTime(Window(), m_Time, m_Engine);
    UpdateParam param;
    if (IsSkipping(m_Engine)) {
      param.Type = kFlipPattern;
      param.Time = 0;
    } else {
      param.Type = static_cast<std::uint32_t>(pattern);
      param.Time = static_cast<std::uint32_t>(time);
    }
    StartTransition(m_Engine, param);
    m_Started = true;
  }
  if (FinishWhenDone(m_Engine)) m_Started = false;
  return 0;
}

void Cmd_update::Setup(const CommandParam& param) {
  m_Pattern = param.Expr[0];
  m_Time = param.Expr[1];
}

void Cmd_update::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("update ");
  out->WriteExpression(m_Pattern);
  out->Write(", ");
  out->WriteExpression(m_Time);
  out->Write(";\n");
}

void Cmd_update::Save(IIOStream* stream) {
  SaveExpressionField(stream, m_Pattern);
  SaveExpressionField(stream, m_Time);
}

void Cmd_update::Load(IIOStream* stream) {
  LoadExpressionField(stream, m_Pattern);
  LoadExpressionField(stream, m_Time);
}

int Cmd_update2::Execute() {
  if (!m_Started) {
    const std::int32_t pattern = HostCalcExpression(m_Pattern, m_Engine);
    if (!IsUpdate2Pattern(pattern)) ReportPattern(Window(), pattern);
    const std::int32_t time = CheckedTime(Window(), m_Time, m_Engine);
    const std::int32_t width = HostCalcExpression(m_Width, m_Engine);
    if (width < 1) {
      HostRuntimeError(Window(), "シャッターorカーテンの幅が0または負数です！（m_Width = %d）",
                       width);
    }
    UpdateParam param;
    if (IsSkipping(m_Engine)) {
      param.Type = kFlipPattern;
      param.Time = 0;
    } else {
      param.Type = static_cast<std::uint32_t>(pattern);
      param.Time = static_cast<std::uint32_t>(time);
      param.Param[0] = width;
    }
    StartTransition(m_Engine, param);
    m_Started = true;
  }
  if (FinishWhenDone(m_Engine)) m_Started = false;
  return 0;
}

void Cmd_update2::Setup(const CommandParam& param) {
  m_Pattern = param.Expr[0];
  m_Time = param.Expr[1];
  m_Width = param.Expr[2];
}

void Cmd_update2::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("update2 ");
  out->WriteExpression(m_Pattern);
  out->Write(", ");
  out->WriteExpression(m_Time);
  out->Write(", ");
  out->WriteExpression(m_Width);
  out->Write(";\n");
}

void Cmd_update2::Save(IIOStream* stream) {
  SaveExpressionField(stream, m_Pattern);
  SaveExpressionField(stream, m_Time);
  SaveExpressionField(stream, m_Width);
}

void Cmd_update2::Load(IIOStream* stream) {
  LoadExpressionField(stream, m_Pattern);
  LoadExpressionField(stream, m_Time);
  LoadExpressionField(stream, m_Width);
}

ICmd_Base* CreateCmdUpdate() { return new Cmd_update(); }
ICmd_Base* CreateCmdUpdate2() { return new Cmd_update2(); }

KeywordList Cmd_update::Keywords() { return KeywordsOf<kUpdateKeywords>(); }
KeywordList Cmd_update2::Keywords() { return KeywordsOf<kUpdate2Keywords>(); }

int ParseUpdate(unsigned keywordToken) {
  return ParseStatement(keywordToken, StatementForms(Cmd_update::kType), kUpdateKeywords,
                        CreateCmdUpdate);
}

int ParseUpdate2(unsigned keywordToken) {
  return ParseStatement(keywordToken, StatementForms(Cmd_update2::kType), kUpdate2Keywords,
                        CreateCmdUpdate2);
}

}  // namespace nsWendrick

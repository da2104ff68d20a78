#include "plugin/commands/update_commands.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/draw_records.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"
#include "plugin/transitions/transition_patterns.h"

namespace nsWendrick {
namespace {

using nsTamskLib::nsTaskManager::UpdateParam;

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
// its first frame on, so it uncovers the page; a flip (whatever time it was given,
// since it ends in the frame it starts), a transition of no time, or any transition
// in skip mode keeps a fade's held colour over the page it prepares.
void StartTransition(INovelEngine* engine, const UpdateParam& param) {
  engine->GetTaskManager()->SetUpdateData(param);
  if (param.Time > 0 && PatternTakesTime(param.Type)) UncoverPage(engine);
}

// Moves the script on once the running pattern has ended; true when it did.
bool FinishWhenDone(INovelEngine* engine) {
  if (engine->GetTaskManager()->GetUpdateType() != 0) return false;
  MoveOn(engine);
  return true;
}

const std::vector<KeywordStatement>& UpdateStatements() {
  static const std::vector<KeywordStatement> statements{{"update", 0, ArgumentsStatement(2)}};
  return statements;
}

const std::vector<KeywordStatement>& Update2Statements() {
  static const std::vector<KeywordStatement> statements{{"update2", 0, ArgumentsStatement(3)}};
  return statements;
}

}  // namespace

int Cmd_update::Execute() {
  if (!m_Started) {
    const std::int32_t pattern = HostCalcExpression(m_Args[kPattern], m_Engine);
    if (!IsOwnPattern(pattern)) ReportPattern(Window(), pattern);
    const std::int32_t time = CheckedTime(Window(), m_Args[kTime], m_Engine);
    const std::int32_t argument = PatternArgument();
    UpdateParam param;
    if (IsSkipping(m_Engine)) {
      param.Type = kFlipPattern;
      param.Time = 0;
    } else {
      param.Type = static_cast<std::uint32_t>(pattern);
      param.Time = static_cast<std::uint32_t>(time);
      param.Param[0] = argument;
    }
    StartTransition(m_Engine, param);
    m_Started = true;
  }
  if (FinishWhenDone(m_Engine)) m_Started = false;
  return 0;
}

void Cmd_update::Setup(const CommandParam& param) {
  for (std::uint32_t i = 0; i < ArgumentCount(); ++i) m_Args[i] = param.Expr[i];
}

void Cmd_update::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("%s ", Statement().keyword);
  for (std::uint32_t i = 0; i < ArgumentCount(); ++i) {
    if (i > 0) out->Write(", ");
    out->WriteExpression(m_Args[i]);
  }
  out->Write(";\n");
}

void Cmd_update::Save(IIOStream* stream) {
  for (std::uint32_t i = 0; i < ArgumentCount(); ++i) SaveExpressionField(stream, m_Args[i]);
}

void Cmd_update::Load(IIOStream* stream) {
  for (std::uint32_t i = 0; i < ArgumentCount(); ++i) LoadExpressionField(stream, m_Args[i]);
}

std::uint32_t Cmd_update::ArgumentCount() const {
  const SyntaxPattern& form = Statement().form;
  return static_cast<std::uint32_t>(std::count_if(form.begin(), form.end(), [](const char* word) {
    return std::strcmp(word, kWordArgument) == 0;
  }));
}

const KeywordStatement& Cmd_update::Statement() const { return UpdateStatements().front(); }

bool Cmd_update::IsOwnPattern(std::int32_t pattern) const {
  return (pattern >= 1 && pattern <= 15) || pattern == 26;
}

ICmd_Base* Cmd_update::Create() { return new Cmd_update(); }

KeywordList Cmd_update::Keywords() { return KeywordsOf<UpdateStatements>(); }

int Cmd_update::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, UpdateStatements(), &Create);
}

const KeywordStatement& Cmd_update2::Statement() const { return Update2Statements().front(); }

bool Cmd_update2::IsOwnPattern(std::int32_t pattern) const {
  return pattern >= 17 && pattern <= 24;
}

std::int32_t Cmd_update2::PatternArgument() const {
  const std::int32_t width = HostCalcExpression(m_Args[kWidth], m_Engine);
  if (width < 1) {
    HostRuntimeError(Window(), "シャッターorカーテンの幅が0または負数です！（m_Width = %d）", width);
  }
  return width;
}

ICmd_Base* Cmd_update2::Create() { return new Cmd_update2(); }

KeywordList Cmd_update2::Keywords() { return KeywordsOf<Update2Statements>(); }

int Cmd_update2::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, Update2Statements(), &Create);
}

}  // namespace nsWendrick

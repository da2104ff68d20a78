#include "plugin/commands/flow_commands.h"

#include <climits>

#include "engine/api/command_param.h"
#include "engine/api/heaps.h"
#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "platform/clock/clock.h"
#include "plugin/text/expansion.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/random.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"

namespace nsWendrick {
namespace {

// The state the engine enters for "end": the program quits.
constexpr int kStateQuit = 7;

std::int32_t Wrap(std::uint32_t value) { return static_cast<std::int32_t>(value); }
std::uint32_t Bits(std::int32_t value) { return static_cast<std::uint32_t>(value); }

nsTamskLib::nsSimulatedHeap::ICommandHeap& Commands(INovelEngine* engine) {
  return *engine->GetCommandHeap();
}

// The heap of a local or global variable name, or null for another kind or no symbol.
nsTamskLib::nsSimulatedHeap::ISingleHeap* VariableHeap(INovelEngine* engine,
                                                       const std::string& name) {
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* kinds = engine->GetSymbolKindHeap();
  if (!kinds->Exists(name.c_str())) return nullptr;
  switch (kinds->Get(name.c_str())) {
    case kSymbolLocal:
      return engine->GetLocalHeap();
    case kSymbolGlobal:
      return engine->GetGlobalHeap();
    default:
      return nullptr;
  }
}

void RequireSymbol(INovelEngine* engine, const std::string& name) {
  if (!engine->GetSymbolKindHeap()->Exists(name.c_str())) {
    HostRuntimeError(OwnerWindow(engine), "%sは存在しないシンボルです！", name.c_str());
  }
}

// Applies "name <op> value" to a local or global variable; other kinds are left alone.
void AssignVariable(INovelEngine* engine, const std::string& name,
                    std::int32_t op, const Expression& operand) {
  nsTamskLib::nsSimulatedHeap::ISingleHeap* heap = VariableHeap(engine, name);
  if (heap == nullptr) return;
  const std::int32_t value = HostCalcExpression(operand, engine);
  const std::int32_t current = heap->Exists(name.c_str()) ? heap->Get(name.c_str()) : 0;
  heap->Set(name.c_str(), ApplyAssignment(op, current, value, OwnerWindow(engine)));
}

// Continues at a label of the engine's label table, or stops naming it.
void GotoLabel(INovelEngine* engine, const std::string& label) {
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* labels = engine->GetLabelHeap();
  if (!labels->Exists(label.c_str())) {
    HostRuntimeError(OwnerWindow(engine), "%sは存在しないラベルです！", label.c_str());
  }
  Commands(engine).SetIterator(labels->Get(label.c_str()));
}

// Calls the subroutine at a label: the return point is the next command.
void GosubLabel(INovelEngine* engine, const std::string& label) {
  const nsTamskLib::nsSimulatedHeap::ISingleHeap* labels = engine->GetLabelHeap();
  if (!labels->Exists(label.c_str())) {
    HostRuntimeError(OwnerWindow(engine), "%sは存在しないラベルです！", label.c_str());
  }
  MoveOn(engine);
  Commands(engine).PushIterator(labels->Get(label.c_str()));
}

void WriteExpression(ITextStream* out,
                     const Expression& expr) {
  out->WriteExpression(expr);
}

}  // namespace

std::int32_t ApplyAssignment(std::int32_t op, std::int32_t x, std::int32_t v,
                             WindowHandle owner) {
  switch (op) {
    case 22:
      return v;
    case 23:
      return Wrap(Bits(x) + Bits(v));
    case 24:
      return Wrap(Bits(x) - Bits(v));
    case 25:
      if (v == 0) HostRuntimeError(owner, "0除算です！");
      if (x == INT_MIN && v == -1) return INT_MIN;
      return x / v;
    case 26:
      return Wrap(Bits(x) * Bits(v));
    case 27:
      if (v == 0) HostRuntimeError(owner, "0除算です！");
      if (v == -1) return 0;
      return x % v;
    case 28:
      return x | v;
    case 29:
      return x & v;
    case 30:
      return x ^ v;
    default:
      return x;
  }
}

const char* AssignmentText(std::int32_t op) {
  static const char* const kTexts[] = {" = ",  " += ", " -= ", " /= ", " *= ",
                                       " %= ", " |= ", " &= ", " ^= "};
  if (op < kAssignFirst || op > kAssignLast) return "";
  return kTexts[op - kAssignFirst];
}

// ---- if ----

int Cmd_if::Execute() {
  const bool holds = HostCalcExpression(m_Condition, m_Engine) != 0;
  Commands(m_Engine).MoveIterator(holds ? 1 : m_SkipCount);
  return 0;
}

void Cmd_if::Setup(const CommandParam& param) {
  m_Condition = param.Expr[0];
  m_SkipCount = param.Int[0];
}

void Cmd_if::Dump(ITextStream* out) {
  out->Write("if ");
  WriteExpression(out, m_Condition);
  out->Write(" else jump +%d;\n", m_SkipCount);
}

void Cmd_if::Save(IIOStream* stream) {
  SaveExpressionField(stream, m_Condition);
  SaveIntField(stream, m_SkipCount);
}

void Cmd_if::Load(IIOStream* stream) {
  LoadExpressionField(stream, m_Condition);
  m_SkipCount = LoadIntField(stream);
}

// ---- jump, end ----

int Cmd_jump::Execute() {
  const std::int32_t offset = HostCalcExpression(m_Value, m_Engine);
  if (offset == 0) HostRuntimeError(Window(), "移動元と移動先が同一です！");
  Commands(m_Engine).MoveIterator(offset);
  return 0;
}

void Cmd_jump::Dump(ITextStream* out) {
  out->Write("jump ");
  WriteExpression(out, m_Value);
  out->Write(";\n");
}

int Cmd_end::Execute() {
  m_Engine->PushState(kStateQuit);
  return 0;
}

void Cmd_end::Dump(ITextStream* out) { out->Write("end;\n"); }

// ---- set ----

int Cmd_set::Execute() {
  nsTamskLib::nsSimulatedHeap::ISingleHeap* kinds = m_Engine->GetSymbolKindHeap();
  if (!kinds->Exists(m_Name.c_str())) {
    switch (m_Kind) {
      case kSymbolLocal:
        m_Engine->GetLocalHeap()->Set(m_Name.c_str(), HostCalcExpression(m_Initial, m_Engine));
        break;
      case kSymbolGlobal:
        m_Engine->GetGlobalHeap()->Set(m_Name.c_str(), HostCalcExpression(m_Initial, m_Engine));
        break;
      case kSymbolButton:
        m_Engine->GetTaskManager()->AddButton(m_Name.c_str());
        break;
      case kSymbolSprite:
        m_Engine->GetTaskManager()->AddSprite(m_Name.c_str());
        break;
      default:
        break;
    }
    kinds->Set(m_Name.c_str(), m_Kind);
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_set::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Name = param.Str[0].c_str();
  m_Initial = param.Expr[0];
}

void Cmd_set::Dump(ITextStream* out) {
  if (m_Kind >= kSymbolLocal && m_Kind <= kSymbolSprite) {
    out->Write("%s ", kKeywords[m_Kind - kSymbolLocal]);
  }
  if (m_Kind == kSymbolLocal || m_Kind == kSymbolGlobal) {
    out->Write("%s = ", m_Name.c_str());
    WriteExpression(out, m_Initial);
  } else {
    out->Write("%s", m_Name.c_str());
  }
  out->Write(";\n");
}

void Cmd_set::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveStringField(stream, m_Name);
  SaveExpressionField(stream, m_Initial);
}

void Cmd_set::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  LoadExpressionField(stream, m_Initial);
  if (m_Kind == kSymbolLocal) LocalVariableNames().push_back(m_Name);
  if (m_Kind == kSymbolGlobal) GlobalVariableNames().push_back(m_Name);
}

// ---- calc ----

int Cmd_calc::Execute() {
  RequireSymbol(m_Engine, m_Name);
  AssignVariable(m_Engine, m_Name, m_Operator, m_Operand);
  MoveOn(m_Engine);
  return 0;
}

void Cmd_calc::Setup(const CommandParam& param) {
  m_Operator = param.Int[0];
  m_Name = param.Str[0].c_str();
  m_Operand = param.Expr[0];
}

void Cmd_calc::Dump(ITextStream* out) {
  out->Write("calc %s%s", m_Name.c_str(), AssignmentText(m_Operator));
  WriteExpression(out, m_Operand);
  out->Write(";\n");
}

void Cmd_calc::Save(IIOStream* stream) {
  SaveIntField(stream, m_Operator);
  SaveStringField(stream, m_Name);
  SaveExpressionField(stream, m_Operand);
}

void Cmd_calc::Load(IIOStream* stream) {
  m_Operator = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  LoadExpressionField(stream, m_Operand);
}

// ---- labels ----

int Cmd_goto::Execute() {
  GotoLabel(m_Engine, m_Label);
  return 0;
}

void Cmd_goto::Dump(ITextStream* out) {
  DumpLabelStatement(out, kKeywords[0]);
}

int Cmd_gotod::Execute() {
  GotoLabel(m_Engine, ExpandVariables(m_Label, m_Engine));
  return 0;
}

void Cmd_gotod::Dump(ITextStream* out) {
  DumpLabelStatement(out, kKeywords[0]);
}

int Cmd_gosub::Execute() {
  GosubLabel(m_Engine, m_Label);
  return 0;
}

void Cmd_gosub::Dump(ITextStream* out) {
  DumpLabelStatement(out, kKeywords[0]);
}

int Cmd_gosubd::Execute() {
  GosubLabel(m_Engine, ExpandVariables(m_Label, m_Engine));
  return 0;
}

void Cmd_gosubd::Dump(ITextStream* out) {
  DumpLabelStatement(out, kKeywords[0]);
}

int Cmd_return::Execute() {
  Commands(m_Engine).PopIterator();
  return 0;
}

void Cmd_return::Dump(ITextStream* out) { out->Write("return;\n"); }

// ---- wait ----

void Cmd_wait::Reset() { m_Started = false; }

void Cmd_wait::GoOn() {
  m_Started = false;
  MoveOn(m_Engine);
}

int Cmd_wait::Execute() {
  const std::uint32_t now = platform::NowMs();
  if (!m_Started) {
    // A separate flag, so that a clock reading of 0 does not re-arm the wait.
    m_Started = true;
    m_StartTime = now;
  }
  if (m_Engine->GetTextManager()->IsSkip()) {
    GoOn();
    return 0;
  }
  // The script waits on what the screen shows: the page, not a fade's colour.
  UncoverPage(m_Engine);
  const std::int32_t time = HostCalcExpression(m_Value, m_Engine);
  nsTamskLib::nsInputManager::IInputManager* input = m_Engine->GetInputManager();
  const bool advance = input->IsGoNext() && !input->IsClickLocked();
  const std::uint32_t elapsed = now - m_StartTime;
  if (time > 0) {
    if (elapsed >= static_cast<std::uint32_t>(time)) GoOn();
  } else if (time < 0) {
    // Negated as unsigned: -INT_MIN is 2^31 ms.
    if (elapsed >= 0u - Bits(time) || advance) GoOn();
  } else if (advance) {
    GoOn();
  }
  return 0;
}

void Cmd_wait::Dump(ITextStream* out) {
  out->Write("wait ");
  WriteExpression(out, m_Value);
  out->Write(";\n");
}

// ---- rand ----

int Cmd_rand::Execute() {
  const std::int32_t maximum = HostCalcExpression(m_Maximum, m_Engine);
  const std::int32_t minimum = HostCalcExpression(m_Minimum, m_Engine);
  if (maximum < minimum) {
    HostRuntimeError(Window(), "最大値が最小値未満です！（m_Max = %d, m_Min = %d）", maximum,
                     minimum);
  }
  RequireSymbol(m_Engine, m_Name);
  if (nsTamskLib::nsSimulatedHeap::ISingleHeap* heap = VariableHeap(m_Engine, m_Name)) {
    // The range in 64 bits: it reaches 2^32 for the whole 32-bit span.
    const std::int64_t range = static_cast<std::int64_t>(maximum) - minimum + 1;
    const std::int64_t offset = static_cast<std::int64_t>(NextRandom()) % range;
    heap->Set(m_Name.c_str(), static_cast<std::int32_t>(minimum + offset));
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_rand::Setup(const CommandParam& param) {
  m_Name = param.Str[0].c_str();
  m_Maximum = param.Expr[0];
  m_Minimum = param.Expr[1];
}

void Cmd_rand::Dump(ITextStream* out) {
  out->Write("rand %s, ", m_Name.c_str());
  WriteExpression(out, m_Maximum);
  out->Write(", ");
  WriteExpression(out, m_Minimum);
  out->Write(";\n");
}

void Cmd_rand::Save(IIOStream* stream) {
  SaveStringField(stream, m_Name);
  SaveExpressionField(stream, m_Maximum);
  SaveExpressionField(stream, m_Minimum);
}

void Cmd_rand::Load(IIOStream* stream) {
  m_Name = LoadStringField(stream);
  LoadExpressionField(stream, m_Maximum);
  LoadExpressionField(stream, m_Minimum);
}

// ---- loop, break ----

int Cmd_loop::Execute() {
  if (m_Condition.size() != 0 && HostCalcExpression(m_Condition, m_Engine) == 0) {
    Commands(m_Engine).MoveIterator(m_OffsetFail);
    return 0;
  }
  if (!m_Name.empty()) AssignVariable(m_Engine, m_Name, m_Operator, m_Step);
  Commands(m_Engine).MoveIterator(m_OffsetGo);
  return 0;
}

void Cmd_loop::Setup(const CommandParam& param) {
  m_Operator = param.Int[0];
  m_OffsetGo = param.Int[1];
  m_OffsetFail = param.Int[2];
  m_Name = param.Str[0].c_str();
  m_Condition = param.Expr[0];
  m_Step = param.Expr[1];
}

void Cmd_loop::Dump(ITextStream* out) {
  out->Write(m_OffsetGo > 0 ? "beginloop " : "endloop ");
  if (m_Condition.size() != 0) WriteExpression(out, m_Condition);
  out->Write(", ");
  if (!m_Name.empty()) {
    out->Write("%s%s", m_Name.c_str(), AssignmentText(m_Operator));
    WriteExpression(out, m_Step);
  }
  out->Write(";\n");
}

void Cmd_loop::Save(IIOStream* stream) {
  SaveIntField(stream, m_Operator);
  SaveIntField(stream, m_OffsetGo);
  SaveIntField(stream, m_OffsetFail);
  SaveStringField(stream, m_Name);
  SaveExpressionField(stream, m_Condition);
  SaveExpressionField(stream, m_Step);
}

void Cmd_loop::Load(IIOStream* stream) {
  m_Operator = LoadIntField(stream);
  m_OffsetGo = LoadIntField(stream);
  m_OffsetFail = LoadIntField(stream);
  m_Name = LoadStringField(stream);
  LoadExpressionField(stream, m_Condition);
  LoadExpressionField(stream, m_Step);
}

int Cmd_break::Execute() {
  Commands(m_Engine).MoveIterator(m_Kind);
  return 0;
}

void Cmd_break::Dump(ITextStream* out) { out->Write("break;\n"); }

// ---- loadobject ----

int Cmd_loadobject::Execute() {
  const std::string name = ExpandVariables(m_Label, m_Engine);
  if (!m_Engine->LinkObject(name.c_str(), m_Engine->GetIOStream())) {
    HostRuntimeWarning(Window(), "%sの動的リンクに失敗しました！", name.c_str());
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_loadobject::Dump(ITextStream* out) {
  out->Write("loadobject %s;\n", m_Label.c_str());
}

}  // namespace nsWendrick

#include "plugin/commands/select_command.h"

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "engine/api/token_containers.h"
#include "plugin/commands/choice_window.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"

namespace nsWendrick {
namespace {


}  // namespace

ICmd_Base* Cmd_select::Create() { return new Cmd_select(); }

int Cmd_select::Parse(unsigned keyword) {
  static const SyntaxPattern kEnd = {kWordVariable, kWordSemicolon};
  CommandParam param;
  std::uint32_t at = 0;
  if (ParseChoices(keyword, kEnd, at, param) < 0) return -1;
  param.Str[0] = GetScriptToken(at)->text;
  AddParsedCommand(Create(), param);
  return static_cast<int>(at + 2 - keyword);
}

void Cmd_select::Setup(const CommandParam& param) {
  m_Variable = param.Str[0].c_str();
  m_Choices = ChoicesOf(param);
}

void Cmd_select::Dump(ITextStream* out) {
  out->Write("select ");
  for (const std::string& choice : m_Choices) out->Write("\"%s\", ", choice.c_str());
  out->Write("%s;\n", m_Variable.c_str());
}

void Cmd_select::Save(IIOStream* stream) {
  SaveChoices(stream, m_Choices);
  SaveStringField(stream, m_Variable);
}

void Cmd_select::Load(IIOStream* stream) {
  m_Choices = LoadChoices(stream);
  m_Variable = LoadStringField(stream);
}

void Cmd_select::Start() {
  if (!m_Engine->GetSymbolKindHeap()->Exists(m_Variable.c_str())) {
    HostRuntimeError(Window(), "%sは存在しないシンボルです！", m_Variable.c_str());
  }
  m_Starting = 0;
  StartChoiceWindow(m_Engine, m_Variable, m_Choices);
}

int Cmd_select::Execute() {
  if (m_Starting != 0) Start();
  IDrawManager* draw = m_Engine->GetDrawManager();
  if (draw->UpdateSelect()) {
    m_Starting = 1;
    draw->EndSelect();
    MoveOn(m_Engine);
  }
  return 0;
}

}  // namespace nsWendrick

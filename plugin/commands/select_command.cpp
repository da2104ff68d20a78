#include "plugin/commands/select_command.h"

#include <algorithm>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_stream.h"
#include "engine/api/token_containers.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

// The most choices a stored command may claim; more (or none) means a damaged file.
constexpr std::uint32_t kMaxStoredChoices = 65535;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

}  // namespace

nsTamskLib::ICmd_Base* Cmd_select::Create() { return new Cmd_select(); }

int Cmd_select::Parse(unsigned keyword) {
  static const SyntaxPattern kChoice = {kWordString, kWordComma};
  static const SyntaxPattern kEnd = {kWordVariable, kWordSemicolon};
  std::uint32_t at = keyword + 1;
  std::uint32_t count = 0;
  while (MatchesSyntax(at, kChoice)) {
    ++count;
    at += 2;
  }
  if (count > kMaxChoices) {
    if (nsTamskLib::nsTextStream::ITextStream* out = GetErrorOutput()) {
      out->Write("エラー（%4d行目）：選択肢は10個までです！\n", GetTokenLine(keyword));
    }
    return -1;
  }
  if (count == 0 || !MatchesSyntax(at, kEnd)) return ReportSyntaxError(keyword);

  nsTamskLib::CommandParam param;
  param.Int[0] = static_cast<std::int32_t>(count);
  param.Str[0] = GetScriptToken(at)->text;
  for (std::uint32_t i = 0; i < count; ++i) param.Str[1 + i] = GetScriptToken(keyword + 1 + 2 * i)->text;
  AddParsedCommand(Create(), param);
  return static_cast<int>(at + 2 - keyword);
}

void Cmd_select::Setup(const nsTamskLib::CommandParam& param) {
  m_Variable = param.Str[0].c_str();
  m_Choices.clear();
  const std::int32_t count = std::clamp<std::int32_t>(param.Int[0], 0, kMaxChoices);
  for (std::int32_t i = 0; i < count; ++i) m_Choices.emplace_back(param.Str[1 + i].c_str());
}

void Cmd_select::Dump(nsTamskLib::nsTextStream::ITextStream* out) {
  out->Write("select ");
  for (const std::string& choice : m_Choices) out->Write("\"%s\", ", choice.c_str());
  out->Write("%s;\n", m_Variable.c_str());
}

void Cmd_select::Save(nsTamskLib::nsIOStream::IIOStream* stream) {
  SaveIntField(stream, static_cast<std::int32_t>(m_Choices.size()));
  for (const std::string& choice : m_Choices) SaveStringField(stream, choice);
  SaveStringField(stream, m_Variable);
}

void Cmd_select::Load(nsTamskLib::nsIOStream::IIOStream* stream) {
  const std::uint32_t count = static_cast<std::uint32_t>(LoadIntField(stream));
  // A choice without entries could never be taken: the script would wait forever.
  if (count == 0 || count > kMaxStoredChoices) {
    HostRuntimeError(nullptr, "選択肢の数が不正です！（%u）", count);
  }
  m_Choices.clear();
  for (std::uint32_t i = 0; i < count; ++i) m_Choices.push_back(LoadStringField(stream));
  m_Variable = LoadStringField(stream);
}

void Cmd_select::Start() {
  if (!m_Engine->GetSymbolKindHeap()->Exists(m_Variable.c_str())) {
    HostRuntimeError(Window(), "%sは存在しないシンボルです！", m_Variable.c_str());
  }
  m_Starting = 0;
  nsTamskLib::nsDrawManager::IDrawManager* draw = m_Engine->GetDrawManager();
  const char* font = draw->GetSelectFont();
  const TextStyleState& style = TextStyle();
  nsTamskLib::TextTokenSection sections[kMaxChoices];
  const std::size_t count = std::min(m_Choices.size(), kMaxChoices);
  for (std::size_t i = 0; i < count; ++i) {
    // White: the choice window gives each choice its own colour when it draws.
    LayoutTaggedText(m_Choices[i], font != nullptr ? font : "", draw->GetSelectFontSize(), kWhite,
                     style.choice.cspace, style.ruby.offset.current, style.choice.lspace,
                     style.choice.align, draw->GetSelectItemWidth(), draw->GetSelectItemHeight(),
                     m_Engine, sections[i]);
  }
  draw->StartSelect(m_Variable.c_str(), static_cast<std::uint32_t>(count), sections);
}

int Cmd_select::Execute() {
  if (m_Starting != 0) Start();
  nsTamskLib::nsDrawManager::IDrawManager* draw = m_Engine->GetDrawManager();
  if (draw->UpdateSelect()) {
    m_Starting = 1;
    draw->EndSelect();
    m_Engine->GetCommandHeap()->MoveIterator(1);
  }
  return 0;
}

}  // namespace nsWendrick

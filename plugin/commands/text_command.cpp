#include "plugin/commands/text_command.h"

#include <cstdlib>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/input_manager.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "platform/clock/clock.h"
#include "plugin/commands/parser_frame.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"
#include "plugin/text/text_layout.h"
#include "plugin/text/text_style_state.h"

namespace nsWendrick {
namespace {

using nsTamskLib::TextToken;
using nsTamskLib::TextTokenLine;

std::string TextOf(const char* text) { return text != nullptr ? text : ""; }

// |speed| without overflow at the most negative value.
std::uint32_t Magnitude(std::int32_t value) {
  return value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
}

bool Elapsed(std::uint32_t start, std::uint32_t wait) { return platform::NowMs() - start >= wait; }

constexpr KeywordKind kTextKinds[] = {{"text", 0}};

}  // namespace

nsTamskLib::ICmd_Base* Cmd_text::Create() { return new Cmd_text(); }

KeywordList Cmd_text::Keywords() { return KeywordsOf<kTextKinds>(); }

int Cmd_text::Parse(unsigned keyword) {
  static const SyntaxPattern kPatterns[] = {
      {kWordString, kWordComma, kWordString, kWordSemicolon},
  };
  return ParseStatement(keyword, kPatterns, kTextKinds, &Cmd_text::Create);
}

void Cmd_text::Setup(const nsTamskLib::CommandParam& param) {
  m_Talker = param.Str[0].c_str();
  m_Message = param.Str[1].c_str();
}

std::uint32_t Cmd_text::GetID() {
  return TagCmdAllowsSystemCommands(m_TagCmds) ? kType : kWaitingId;
}

void Cmd_text::Dump(nsTamskLib::nsTextStream::ITextStream* out) {
  out->Write("text \"%s\", \"%s\";\n", m_Talker.c_str(), m_Message.c_str());
}

void Cmd_text::Save(nsTamskLib::nsIOStream::IIOStream* stream) {
  SaveStringField(stream, m_Message);
  SaveStringField(stream, m_Talker);
}

void Cmd_text::Load(nsTamskLib::nsIOStream::IIOStream* stream) {
  m_Message = LoadStringField(stream);
  m_Talker = LoadStringField(stream);
}

const TextToken& Cmd_text::TokenAt(std::int32_t index) const {
  const auto& place = m_Places[static_cast<std::size_t>(index)];
  return m_Record.Message.at(place.first).at(place.second);
}

bool Cmd_text::TokenIs(std::int32_t index, const char* text) const {
  return index >= 0 && static_cast<std::uint32_t>(index) < TokenCount() && TokenAt(index).Text == text;
}

bool Cmd_text::Revealing() const {
  return m_Step > 0 && static_cast<std::uint32_t>(m_Step) < TokenCount();
}

void Cmd_text::Start() {
  nsTamskLib::nsDrawManager::IDrawManager* draw = m_Engine->GetDrawManager();
  // The message is shown on the picture it belongs to, not on a fade's colour.
  UncoverPage(m_Engine);
  m_Shown.clear();
  ApplyTextStyle(m_Engine);
  ApplyTalkerStyle(m_Engine);
  ApplyRubyStyle(m_Engine);
  m_Start = platform::NowMs();
  // Each message starts from its own speed: what an earlier message pushed or left
  // unmatched does not carry over.
  const std::uint32_t speed = Magnitude(draw->GetTextSpeed());
  m_Speeds.clear();
  m_Speeds.push_back(static_cast<std::int32_t>(speed > 0x7FFFFFFFu ? 0x7FFFFFFFu : speed));

  const TextStyleState& style = TextStyle();
  m_Record.Clear();
  LayoutTextWindowText(m_Message, TextOf(draw->GetMessageFont()), draw->GetMessageFontSize(),
                       draw->GetMessageColor(), style.text.cspace.current,
                       style.ruby.offset.current, style.text.lspace.current,
                       style.text.align.current, draw->GetMessageWidth(),
                       draw->GetMessageHeight(), m_Engine, m_Record.Message, m_TagCmds);
  LayoutTaggedText(m_Talker, TextOf(draw->GetTalkerFont()), draw->GetTalkerFontSize(),
                   draw->GetTalkerColor(), style.talker.cspace.current, style.ruby.offset.current,
                   style.talker.lspace.current, style.talker.align.current,
                   draw->GetTalkerWidth(), draw->GetTalkerHeight(), m_Engine, m_Record.Talker);
  m_Places.clear();
  for (std::uint32_t line = 0; line < m_Record.Message.size(); ++line) {
    for (std::uint32_t index = 0; index < m_Record.Message.at(line).size(); ++index) {
      m_Places.emplace_back(line, index);
    }
  }

  if (speed == 0) {
    ShowEverything();
  } else {
    m_Step = 1;
    TextTokenLine first;
    first.push_back(m_Record.Message.at(0).at(0));
    first.push_back(TextToken());
    m_Shown.push_back(first);
  }
  draw->SetTalkerText(m_Record.Talker);
}

void Cmd_text::ShowEverything() {
  FinishTagCmds(m_TagCmds, m_Engine);
  m_Step = static_cast<std::int32_t>(TokenCount());
}

void Cmd_text::RevealNext() {
  TextTokenLine& last = m_Shown.back();
  if (!last.empty()) last.pop_back();  // the end marker

  const TextToken* revealed = nullptr;
  while (true) {
    const std::uint32_t line = m_Places[static_cast<std::size_t>(m_Step)].first;
    while (m_Shown.size() < line + 1) m_Shown.push_back(TextTokenLine());
    m_Shown.back().push_back(TokenAt(m_Step));
    revealed = &TokenAt(m_Step);
    ++m_Step;
    if (static_cast<std::uint32_t>(m_Step) == TokenCount()) break;
    if (revealed->Text != "") break;
    if (TokenIs(m_Step, kClickWaitMarker) || TokenIs(m_Step, kTagCmdMarker)) break;
  }

  // The end marker stands where the next glyph will come; after an italic glyph
  // that is followed by another, while the token now due is on a line already shown,
  // it holds the slant allowance the layout took from the glyph.
  TextToken marker;
  for (std::int32_t next = m_Step; static_cast<std::uint32_t>(next) < TokenCount(); ++next) {
    const TextToken& token = TokenAt(next);
    if (token.Text == "" || token.Text == kClickWaitMarker || token.Text == "\n") continue;
    const std::uint32_t dueLine = m_Places[static_cast<std::size_t>(m_Step)].first;
    if (revealed->Flag2 != 0 && token.Flag2 != 0 && dueLine < m_Shown.size()) {
      marker.Width = revealed->Size / 4;
    }
    break;
  }
  m_Shown.back().push_back(marker);
  m_Start = platform::NowMs();
}

void Cmd_text::Finish(bool markRead) {
  nsTamskLib::nsSimulatedHeap::ICommandHeap* commands = m_Engine->GetCommandHeap();
  nsTamskLib::nsTextManager::ITextManager* text = m_Engine->GetTextManager();
  if (markRead) text->MarkRead(static_cast<std::uint32_t>(commands->GetIterator()));
  text->AddRecord(m_Record);
  MoveOn(m_Engine);
  m_Step = -1;
}

void Cmd_text::Display() {
  nsTamskLib::nsDrawManager::IDrawManager* draw = m_Engine->GetDrawManager();
  if (m_Step >= 0) {
    draw->SetTextCursor(0);
    if (Revealing() && TokenIs(m_Step, kClickWaitMarker)) {
      draw->SetTextCursor(1);
    } else if (static_cast<std::uint32_t>(m_Step) == TokenCount()) {
      draw->SetTextCursor(2);
    }
  }
  draw->SetMessageText(Revealing() ? m_Shown : m_Record.Message);
}

int Cmd_text::Execute() {
  if (m_Step == -1) Start();
  nsTamskLib::nsTextManager::ITextManager* text = m_Engine->GetTextManager();
  const std::uint32_t count = TokenCount();

  // A typewriter tag holds the reveal until its record has run.
  if (!text->IsSkip() && Revealing() && TokenIs(m_Step, kTagCmdMarker)) {
    TagCmdStep(m_TagCmds, static_cast<std::size_t>(TokenAt(m_Step).Size), m_Speeds, m_Engine);
    if (!AnyTagCmdActive(m_TagCmds)) ++m_Step;
    Display();
    return 0;
  }

  // Skip mode passes read text (or all text when unread text may be skipped).
  if (text->IsSkip() &&
      (text->IsKidokuSkip() ||
       text->IsRead(static_cast<std::uint32_t>(m_Engine->GetCommandHeap()->GetIterator())))) {
    ShowEverything();
    if (Elapsed(m_Start, static_cast<std::uint32_t>(TextStyle().skipWait))) Finish(false);
    Display();
    return 0;
  }

  if (text->IsAuto() && Elapsed(m_Start, text->GetAutoWait())) {
    if (static_cast<std::uint32_t>(m_Step) == count) {
      Finish(true);
      Display();
      return 0;
    }
    if (Revealing() && TokenIs(m_Step, kClickWaitMarker)) {
      ++m_Step;
      Display();
      return 0;
    }
  }

  text->SetSkip(false);
  nsTamskLib::nsInputManager::IInputManager* input = m_Engine->GetInputManager();
  if (input->IsGoNext() && !input->IsClickLocked()) {
    if (static_cast<std::uint32_t>(m_Step) < count && TokenIs(m_Step, kClickWaitMarker)) {
      ++m_Step;
    } else if (static_cast<std::uint32_t>(m_Step) < count) {
      ShowEverything();
    } else {
      Finish(true);
    }
  }
  if (Revealing() && !TokenIs(m_Step, kClickWaitMarker) &&
      Elapsed(m_Start, static_cast<std::uint32_t>(m_Speeds.back()))) {
    RevealNext();
  }
  Display();
  return 0;
}

}  // namespace nsWendrick

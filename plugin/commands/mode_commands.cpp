#include "plugin/commands/mode_commands.h"

#include <vector>

#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"

namespace nsWendrick {
namespace {

// The new value of a switch for a kind; an unknown kind leaves it as it is.
bool SwitchedValue(std::int32_t kind, bool current) {
  switch (kind) {
    case kSwitchOn:
      return true;
    case kSwitchOff:
      return false;
    case kSwitchToggle:
      return !current;
    default:
      return current;
  }
}

// The keyword of each kind, as it is written back.
void DumpKeyword(ITextStream* out, std::int32_t kind,
                 const char* const (&keywords)[3]) {
  if (out == nullptr || kind < 0 || kind > 2) return;
  out->Write("%s;\n", keywords[kind]);
}

// Every mode keyword takes ";" alone.
std::vector<KeywordStatement> SwitchStatements(const char* const (&keywords)[3]) {
  std::vector<KeywordStatement> statements;
  for (std::int32_t kind = 0; kind < 3; ++kind) {
    statements.push_back(KeywordStatement{keywords[kind], kind, {kWordSemicolon}});
  }
  return statements;
}

constexpr const char* kScreenKeywords[3] = {"screen", "window", "fullscreen"};
constexpr const char* kSkipKeywords[3] = {"skipon", "skipoff", "skip"};
constexpr const char* kAutoKeywords[3] = {"autoon", "autooff", "auto"};
constexpr const char* kForceKeywords[3] = {"forcetexton", "forcetextoff", "forcetextwindow"};

}  // namespace

int Cmd_setscreen::Execute() {
  IDrawManager* draw = m_Engine->GetDrawManager();
  const bool fullScreen = draw->IsFullScreen();
  switch (m_Kind) {
    case kToggle:
      draw->SetFullScreen(!fullScreen);
      break;
    case kWindow:
      if (fullScreen) draw->SetFullScreen(false);
      break;
    case kFullScreen:
      if (!fullScreen) draw->SetFullScreen(true);
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setscreen::Dump(ITextStream* out) {
  DumpKeyword(out, m_Kind, kScreenKeywords);
}

ICmd_Base* Cmd_setscreen::Create() { return new Cmd_setscreen(); }

KeywordList Cmd_setscreen::Keywords() { return kScreenKeywords; }

int Cmd_setscreen::Parse(unsigned keyword) {
  static const std::vector<KeywordStatement> statements = SwitchStatements(kScreenKeywords);
  return ParseKeywordStatement(keyword, statements, &Cmd_setscreen::Create);
}

int Cmd_setskip::Execute() {
  nsTamskLib::nsTextManager::ITextManager* text = m_Engine->GetTextManager();
  text->SetSkip(SwitchedValue(m_Kind, text->IsSkip()));
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setskip::Dump(ITextStream* out) {
  DumpKeyword(out, m_Kind, kSkipKeywords);
}

ICmd_Base* Cmd_setskip::Create() { return new Cmd_setskip(); }

KeywordList Cmd_setskip::Keywords() { return kSkipKeywords; }

int Cmd_setskip::Parse(unsigned keyword) {
  static const std::vector<KeywordStatement> statements = SwitchStatements(kSkipKeywords);
  return ParseKeywordStatement(keyword, statements, &Cmd_setskip::Create);
}

int Cmd_setauto::Execute() {
  nsTamskLib::nsTextManager::ITextManager* text = m_Engine->GetTextManager();
  text->SetAuto(SwitchedValue(m_Kind, text->IsAuto()));
  MoveOn(m_Engine);
  return 0;
}

void Cmd_setauto::Dump(ITextStream* out) {
  DumpKeyword(out, m_Kind, kAutoKeywords);
}

ICmd_Base* Cmd_setauto::Create() { return new Cmd_setauto(); }

KeywordList Cmd_setauto::Keywords() { return kAutoKeywords; }

int Cmd_setauto::Parse(unsigned keyword) {
  static const std::vector<KeywordStatement> statements = SwitchStatements(kAutoKeywords);
  return ParseKeywordStatement(keyword, statements, &Cmd_setauto::Create);
}

int Cmd_forcetextwindow::Execute() {
  IDrawManager* draw = m_Engine->GetDrawManager();
  draw->SetTextWindowForced(SwitchedValue(m_Kind, draw->IsTextWindowForced()));
  MoveOn(m_Engine);
  return 0;
}

void Cmd_forcetextwindow::Dump(ITextStream* out) {
  DumpKeyword(out, m_Kind, kForceKeywords);
}

ICmd_Base* Cmd_forcetextwindow::Create() { return new Cmd_forcetextwindow(); }

KeywordList Cmd_forcetextwindow::Keywords() { return kForceKeywords; }

int Cmd_forcetextwindow::Parse(unsigned keyword) {
  static const std::vector<KeywordStatement> statements = SwitchStatements(kForceKeywords);
  return ParseKeywordStatement(keyword, statements, &Cmd_forcetextwindow::Create);
}

}  // namespace nsWendrick

#include "plugin/commands/engine_state_commands.h"

#include <string>
#include <vector>

#include "engine/api/command_param.h"
#include "engine/api/draw_manager.h"
#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/sound_manager.h"
#include "engine/api/task_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"
#include "plugin/core/stream_fields.h"
#include "plugin/effects/held_colour.h"

namespace nsWendrick {
namespace {

constexpr const char kAllVoices[] = "/";

const char* const kSystemCallKeywords[] = {"callbacklog", "callsave", "callload", "callconfig",
                                           "callmenu"};
const char* const kTextWindowKeywords[] = {"texton", "textoff", "textwindow"};
const char* const kMenuKeywords[] = {"menuon", "menuoff", "menu"};

template <std::size_t N>
const char* KeywordOf(const char* const (&keywords)[N], std::int32_t kind) {
  return kind >= 0 && static_cast<std::size_t>(kind) < N ? keywords[kind] : nullptr;
}

// "<keyword>;" for each keyword, with its index as the kind.
template <std::size_t N>
std::vector<KeywordStatement> BareStatements(const char* const (&keywords)[N]) {
  std::vector<KeywordStatement> statements;
  for (std::size_t i = 0; i < N; ++i) {
    statements.push_back({keywords[i], static_cast<std::int32_t>(i), {kWordSemicolon}});
  }
  return statements;
}

const SyntaxPattern& OneArgument() {
  static const SyntaxPattern pattern{kWordArgument, kWordSemicolon};
  return pattern;
}

const std::vector<KeywordStatement>& VolumeStatements() {
  static const std::vector<KeywordStatement> statements{
      {"sevolume", Cmd_volume::kSE, OneArgument()},
      {"bgmvolume", Cmd_volume::kBGM, OneArgument()},
      {"voicevolume", Cmd_volume::kVoice, OneArgument()},
  };
  return statements;
}

const std::vector<KeywordStatement>& VoiceStatements() {
  static const std::vector<KeywordStatement> statements{
      {"stopallvoice", Cmd_voice::kStop, {kWordSemicolon}, kAllVoices},
      {"unloadallvoice", Cmd_voice::kRelease, {kWordSemicolon}, kAllVoices},
      {"playvoice", Cmd_voice::kPlay, {kWordString, kWordSemicolon}},
      {"stopvoice", Cmd_voice::kStop, {kWordString, kWordSemicolon}},
      {"loadvoice", Cmd_voice::kLoad, {kWordString, kWordSemicolon}},
      {"unloadvoice", Cmd_voice::kRelease, {kWordString, kWordSemicolon}},
  };
  return statements;
}

const std::vector<KeywordStatement>& SuspendStatements() {
  static const std::vector<KeywordStatement> statements{{"suspend", 0, {kWordSemicolon}}};
  return statements;
}

const std::vector<KeywordStatement>& SystemCallStatements() {
  static const std::vector<KeywordStatement> statements = BareStatements(kSystemCallKeywords);
  return statements;
}

const std::vector<KeywordStatement>& TextWindowStatements() {
  static const std::vector<KeywordStatement> statements = BareStatements(kTextWindowKeywords);
  return statements;
}

const std::vector<KeywordStatement>& ClearTextStatements() {
  static const std::vector<KeywordStatement> statements{{"cleartext", 0, {kWordSemicolon}}};
  return statements;
}

const std::vector<KeywordStatement>& MenuStatements() {
  static const std::vector<KeywordStatement> statements = BareStatements(kMenuKeywords);
  return statements;
}

const std::vector<KeywordStatement>& SleepStatements() {
  static const std::vector<KeywordStatement> statements{{"sleep", 0, OneArgument()}};
  return statements;
}

const std::vector<KeywordStatement>& CharaspaceStatements() {
  static const std::vector<KeywordStatement> statements{{"charaspace", 0, OneArgument()}};
  return statements;
}

}  // namespace

// --- Cmd_volume --------------------------------------------------------------

int Cmd_volume::Execute() {
  const std::int32_t volume = HostCalcExpression(m_Volume, m_Engine);
  // Applied at once, so that music already playing takes the new volume too.
  nsTamskLib::nsSoundManager::ISoundManager* sound = m_Engine->GetSoundManager();
  switch (m_Kind) {
    case kSE:
      sound->ApplySEVolume(volume);
      break;
    case kBGM:
      sound->ApplyBGMVolume(volume);
      break;
    case kVoice:
      sound->ApplyVoiceVolume(volume);
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_volume::Setup(const CommandParam& param) {
  m_Kind = param.Int[0];
  m_Volume = param.Expr[0];
}

void Cmd_volume::Dump(ITextStream* out) {
  const char* keyword = KeywordOfKind(m_Kind, VolumeStatements());
  if (out == nullptr || keyword == nullptr) return;
  out->Write("%s ", keyword);
  out->WriteExpression(m_Volume);
  out->Write(";\n");
}

void Cmd_volume::Save(IIOStream* stream) {
  SaveIntField(stream, m_Kind);
  SaveExpressionField(stream, m_Volume);
}

void Cmd_volume::Load(IIOStream* stream) {
  m_Kind = LoadIntField(stream);
  LoadExpressionField(stream, m_Volume);
}

KeywordList Cmd_volume::Keywords() { return KeywordsOf<VolumeStatements>(); }

int Cmd_volume::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, VolumeStatements(), &Create);
}

// --- Cmd_voice ---------------------------------------------------------------

int Cmd_voice::Execute() {
  nsTamskLib::nsSoundManager::ISoundManager* sound = m_Engine->GetSoundManager();
  const bool all = m_Name == kAllVoices;
  const std::string name = ExpandVariables(m_Name, m_Engine);
  switch (m_Kind) {
    case kPlay:
      if (!m_Engine->GetTextManager()->IsSkip() && !sound->PlayVoice(name.c_str())) {
        HostRuntimeWarning(Window(), "音声（%s）が再生出来ません！", name.c_str());
      }
      break;
    case kStop:
      if (all) {
        if (!sound->StopAllVoice()) HostRuntimeWarning(Window(), "音声が停止出来ません！");
      } else if (!sound->StopVoice(name.c_str())) {
        HostRuntimeWarning(Window(), "音声（%s）が停止出来ません！", name.c_str());
      }
      break;
    case kLoad:
      if (!sound->LoadVoice(name.c_str())) {
        HostRuntimeWarning(Window(), "音声（%s）がメモリに読み込めません！", name.c_str());
      }
      break;
    case kRelease:
      if (all) {
        if (!sound->ReleaseAllVoice()) {
          HostRuntimeWarning(Window(), "音声がメモリから解放出来ません！");
        }
      } else if (!sound->ReleaseVoice(name.c_str())) {
        HostRuntimeWarning(Window(), "音声（%s）がメモリから解放出来ません！", name.c_str());
      }
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_voice::Dump(ITextStream* out) {
  if (out == nullptr) return;
  const bool all = m_Name == kAllVoices;
  switch (m_Kind) {
    case kPlay:
      out->Write("playvoice \"%s\";\n", m_Name.c_str());
      break;
    case kStop:
      if (all) {
        out->Write("stopallvoice;\n");
      } else {
        out->Write("stopvoice \"%s\";\n", m_Name.c_str());
      }
      break;
    case kLoad:
      out->Write("loadvoice \"%s\";\n", m_Name.c_str());
      break;
    case kRelease:
      if (all) {
        out->Write("unloadallvoice;\n");
      } else {
        out->Write("unloadvoice \"%s\";\n", m_Name.c_str());
      }
      break;
    default:
      break;
  }
}

KeywordList Cmd_voice::Keywords() { return KeywordsOf<VoiceStatements>(); }

int Cmd_voice::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, VoiceStatements(), &Create);
}

// --- Cmd_suspend -------------------------------------------------------------

int Cmd_suspend::Execute() {
  m_Engine->PushState(nsTamskLib::nsCore::kStateSuspended);
  MoveOn(m_Engine);
  return 0;
}

void Cmd_suspend::Dump(ITextStream* out) {
  if (out != nullptr) out->Write("suspend;\n");
}

KeywordList Cmd_suspend::Keywords() { return KeywordsOf<SuspendStatements>(); }

int Cmd_suspend::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, SuspendStatements(), &Create);
}

// --- Cmd_systemcall ----------------------------------------------------------

int Cmd_systemcall::Execute() {
  // Kinds 0 to 4 open the backlog, save, load, config and menu screens (states 1 to 5).
  if (KeywordOf(kSystemCallKeywords, m_Kind) != nullptr) {
    m_Engine->PushState(nsTamskLib::nsCore::kStateBackLog + m_Kind);
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_systemcall::Dump(ITextStream* out) {
  const char* keyword = KeywordOf(kSystemCallKeywords, m_Kind);
  if (out != nullptr && keyword != nullptr) out->Write("%s;\n", keyword);
}

KeywordList Cmd_systemcall::Keywords() { return kSystemCallKeywords; }

int Cmd_systemcall::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, SystemCallStatements(), &Create);
}

// --- Cmd_textwindow ----------------------------------------------------------

int Cmd_textwindow::Execute() {
  IDrawManager* draw = m_Engine->GetDrawManager();
  switch (m_Kind) {
    case kOn:
      draw->SetTextWindowVisible(true);
      break;
    case kOff:
      draw->SetTextWindowVisible(false);
      break;
    case kToggle:
      draw->SetTextWindowVisible(!draw->IsTextWindowVisible());
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_textwindow::Dump(ITextStream* out) {
  const char* keyword = KeywordOf(kTextWindowKeywords, m_Kind);
  if (out != nullptr && keyword != nullptr) out->Write("%s;\n", keyword);
}

KeywordList Cmd_textwindow::Keywords() { return kTextWindowKeywords; }

int Cmd_textwindow::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, TextWindowStatements(), &Create);
}

// --- Cmd_cleartext -----------------------------------------------------------

// The window shows nothing until the next text: no message, no talker, and not the
// cursor that waited under the cleared message either (its kind goes back to none,
// as at the start of a message).
int Cmd_cleartext::Execute() {
  IDrawManager* draw = m_Engine->GetDrawManager();
  const TextTokenSection empty;
  draw->SetMessageText(empty);
  draw->SetTalkerText(empty);
  draw->SetTextCursor(0);
  MoveOn(m_Engine);
  return 0;
}

void Cmd_cleartext::Dump(ITextStream* out) {
  if (out != nullptr) out->Write("cleartext;\n");
}

KeywordList Cmd_cleartext::Keywords() { return KeywordsOf<ClearTextStatements>(); }

int Cmd_cleartext::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, ClearTextStatements(), &Create);
}

// --- Cmd_menu ----------------------------------------------------------------

int Cmd_menu::Execute() {
  switch (m_Kind) {
    case kOn:
      m_Engine->SetMenuEnabled(true);
      break;
    case kOff:
      m_Engine->SetMenuEnabled(false);
      break;
    case kToggle:
      m_Engine->SetMenuEnabled(!m_Engine->IsMenuEnabled());
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_menu::Dump(ITextStream* out) {
  const char* keyword = KeywordOf(kMenuKeywords, m_Kind);
  if (out != nullptr && keyword != nullptr) out->Write("%s;\n", keyword);
}

KeywordList Cmd_menu::Keywords() { return kMenuKeywords; }

int Cmd_menu::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, MenuStatements(), &Create);
}

// --- Cmd_sleep ---------------------------------------------------------------

int Cmd_sleep::Execute() {
  // The script waits here until the condition holds, on the page, not on a fade's
  // colour.
  if (HostCalcExpression(m_Value, m_Engine) != 0) {
    MoveOn(m_Engine);
  } else {
    UncoverPage(m_Engine);
  }
  return 0;
}

void Cmd_sleep::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("sleep ");
  out->WriteExpression(m_Value);
  out->Write(";\n");
}

KeywordList Cmd_sleep::Keywords() { return KeywordsOf<SleepStatements>(); }

int Cmd_sleep::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, SleepStatements(), &Create);
}

// --- Cmd_charaspace ----------------------------------------------------------

int Cmd_charaspace::Execute() {
  m_Engine->GetTaskManager()->SetCharaMargin(HostCalcExpression(m_Value, m_Engine));
  MoveOn(m_Engine);
  return 0;
}

void Cmd_charaspace::Dump(ITextStream* out) {
  if (out == nullptr) return;
  out->Write("charaspace ");
  out->WriteExpression(m_Value);
  out->Write(";\n");
}

KeywordList Cmd_charaspace::Keywords() { return KeywordsOf<CharaspaceStatements>(); }

int Cmd_charaspace::Parse(unsigned keywordToken) {
  return ParseKeywordStatement(keywordToken, CharaspaceStatements(), &Create);
}

}  // namespace nsWendrick

#include "plugin/commands/sound_commands.h"

#include <string>
#include <vector>

#include "engine/api/heaps.h"
#include "engine/api/novel_engine.h"
#include "engine/api/sound_manager.h"
#include "engine/api/text_manager.h"
#include "engine/api/text_stream.h"
#include "plugin/text/expansion.h"
#include "plugin/commands/keyword_statement.h"
#include "plugin/core/engine_names.h"
#include "plugin/core/host_calls.h"

namespace nsWendrick {
namespace {

// The name that stands for every loaded sound.
constexpr const char kAllSounds[] = "/";

const std::vector<KeywordStatement>& SeStatements() {
  static const std::vector<KeywordStatement> statements{
      {"stopallse", Cmd_se::kStop, {kWordSemicolon}, kAllSounds},
      {"unloadallse", Cmd_se::kUnload, {kWordSemicolon}, kAllSounds},
      {"playse", Cmd_se::kPlay, {kWordString, kWordSemicolon}},
      {"stopse", Cmd_se::kStop, {kWordString, kWordSemicolon}},
      {"loadse", Cmd_se::kLoad, {kWordString, kWordSemicolon}},
      {"unloadse", Cmd_se::kUnload, {kWordString, kWordSemicolon}},
  };
  return statements;
}

const std::vector<KeywordStatement>& BgmStatements() {
  static const std::vector<KeywordStatement> statements{
      {"playbgm", Cmd_bgm::kPlay, {kWordString, kWordSemicolon}},
      {"stopbgm", Cmd_bgm::kStop, {kWordSemicolon}, ""},
      {"playoncebgm", Cmd_bgm::kPlayOnce, {kWordString, kWordSemicolon}},
  };
  return statements;
}

}  // namespace

int Cmd_se::Execute() {
  nsTamskLib::nsSoundManager::ISoundManager* sound = m_Engine->GetSoundManager();
  const bool all = m_Name == kAllSounds;
  switch (m_Kind) {
    case kPlay:
      // Skipping text also skips the sound effects that go with it.
      if (!m_Engine->GetTextManager()->IsSkip()) {
        const std::string name = ExpandVariables(m_Name, m_Engine);
        if (!sound->PlaySE(name.c_str())) {
          HostRuntimeWarning(Window(), "SE（%s）が再生出来ません！", name.c_str());
        }
      }
      break;
    case kStop:
      if (all) {
        if (!sound->StopAllSE()) HostRuntimeWarning(Window(), "SEが停止出来ません！");
      } else {
        const std::string name = ExpandVariables(m_Name, m_Engine);
        if (!sound->StopSE(name.c_str())) {
          HostRuntimeWarning(Window(), "SE（%s）が停止出来ません！", name.c_str());
        }
      }
      break;
    case kLoad: {
      const std::string name = ExpandVariables(m_Name, m_Engine);
      if (!sound->LoadSE(name.c_str())) {
        HostRuntimeWarning(Window(), "SE（%s）がメモリに読み込めません！", name.c_str());
      }
      break;
    }
    case kUnload:
      if (all) {
        if (!sound->ReleaseAllSE()) HostRuntimeWarning(Window(), "SEがメモリから解放出来ません！");
      } else {
        const std::string name = ExpandVariables(m_Name, m_Engine);
        if (!sound->ReleaseSE(name.c_str())) {
          HostRuntimeWarning(Window(), "SE（%s）がメモリから解放出来ません！", name.c_str());
        }
      }
      break;
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_se::Dump(ITextStream* out) {
  if (out == nullptr) return;
  const bool all = m_Name == kAllSounds;
  switch (m_Kind) {
    case kPlay:
      out->Write("playse \"%s\";\n", m_Name.c_str());
      break;
    case kStop:
      if (all) {
        out->Write("stopallse;\n");
      } else {
        out->Write("stopse \"%s\";\n", m_Name.c_str());
      }
      break;
    case kLoad:
      out->Write("loadse \"%s\";\n", m_Name.c_str());
      break;
    case kUnload:
      if (all) {
        out->Write("unloadallse;\n");
      } else {
        out->Write("unloadse \"%s\";\n", m_Name.c_str());
      }
      break;
    default:
      break;
  }
}

ICmd_Base* Cmd_se::Create() { return new Cmd_se(); }

KeywordList Cmd_se::Keywords() { return KeywordsOf<SeStatements>(); }

int Cmd_se::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, SeStatements(), &Cmd_se::Create);
}

int Cmd_bgm::Execute() {
  nsTamskLib::nsSoundManager::ISoundManager* sound = m_Engine->GetSoundManager();
  switch (m_Kind) {
    case kPlay: {
      const std::string name = ExpandVariables(m_Name, m_Engine);
      if (!sound->PlayBGM(name.c_str())) {
        HostRuntimeWarning(Window(), "BGM（%s）が再生出来ません！（play）", name.c_str());
      }
      break;
    }
    case kStop:
      if (!sound->StopBGM()) HostRuntimeWarning(Window(), "BGMが停止出来ません！");
      break;
    case kPlayOnce: {
      const std::string name = ExpandVariables(m_Name, m_Engine);
      if (!sound->PlayBGMOnce(name.c_str())) {
        HostRuntimeWarning(Window(), "BGM（%s）が再生出来ません！（playonce）", name.c_str());
      }
      break;
    }
    default:
      break;
  }
  MoveOn(m_Engine);
  return 0;
}

void Cmd_bgm::Dump(ITextStream* out) {
  if (out == nullptr) return;
  switch (m_Kind) {
    case kPlay:
      out->Write("playbgm \"%s\";\n", m_Name.c_str());
      break;
    case kStop:
      out->Write("stopbgm;\n");
      break;
    case kPlayOnce:
      out->Write("playoncebgm \"%s\";\n", m_Name.c_str());
      break;
    default:
      break;
  }
}

ICmd_Base* Cmd_bgm::Create() { return new Cmd_bgm(); }

KeywordList Cmd_bgm::Keywords() { return KeywordsOf<BgmStatements>(); }

int Cmd_bgm::Parse(unsigned keyword) {
  return ParseKeywordStatement(keyword, BgmStatements(), &Cmd_bgm::Create);
}

}  // namespace nsWendrick

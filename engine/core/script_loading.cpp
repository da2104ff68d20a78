// The player's compiled script and the objects linked into it while it runs.

#include "engine/api/plugin_api.h"
#include "engine/core/novel_player.h"
#include "engine/script/compiled_script.h"

namespace nsTamskLib::nsCore {

bool NovelPlayer::LoadScript(const std::string& file, nsIOStream::IIOStream* stream) {
  if (!m_ScriptName.empty()) {
    RuntimeError(GetWindowHandle(), "既にスクリプトファイルが読み込まれています！");
  }
  if (!stream->Open(file.c_str(), "rb")) return false;
  if (!nsScript::ReadMagic(*stream, nsScript::kScriptMagic)) {
    stream->Close();
    return false;
  }
  const nsScript::ScriptParts parts{m_Labels, m_Commands, m_ScriptSymbols};
  if (!nsScript::ReadSections(*stream, parts)) {
    // A damaged script counts as not loaded: nothing of it stays.
    stream->Close();
    m_Labels.Clear();
    m_Commands.Clear();
    m_ScriptSymbols.Clear();
    return false;
  }
  m_ScriptName = file;
  return stream->Close();
}

bool NovelPlayer::LinkObject(const char* file, nsIOStream::IIOStream* stream) {
  if (file == nullptr || !stream->Open(file, "rb")) return false;
  if (!nsScript::ReadMagic(*stream, nsScript::kObjectMagic)) {
    stream->Close();
    return false;
  }
  // The object is read beside the script; its commands get the player as engine.
  // On any refusal the temporaries (with the commands just made) go, and nothing
  // of the player has changed.
  nsSimulatedHeap::SingleHeap labels;
  nsSimulatedHeap::CommandHeap commands;
  commands.SetEngine(this);
  nsSimulatedHeap::SingleHeap symbols;
  const nsScript::ScriptParts object{labels, commands, symbols};
  const nsScript::ScriptParts script{m_Labels, m_Commands, m_ScriptSymbols};
  if (!nsScript::ReadSections(*stream, object) || !nsScript::CanLink(script, object)) {
    stream->Close();
    return false;
  }
  nsScript::Link(script, object);
  m_ScriptName = nsScript::JoinScriptName(m_ScriptName, file);
  return stream->Close();
}

}  // namespace nsTamskLib::nsCore

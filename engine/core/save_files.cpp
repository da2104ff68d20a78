// The player's save files: the global variables ("global.dat"), the environment
// ("env.dat"), the read marks ("kidoku.dat", through the text manager) and the save
// slots ("Save%02d.dat"). Each begins with a raw four-byte magic; the blocks behind
// it belong to the engine's parts and, last and in name order, to the plug-ins,
// each as its name followed by what the plug-in's function wrote.

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/core/novel_player.h"
#include "engine/drawmanager/base_draw_manager.h"
#include "engine/iostream/base_io_stream.h"
#include "engine/plugin/plugin_registry.h"
#include "engine/soundmanager/base_sound_manager.h"

namespace nsTamskLib::nsCore {
namespace {

using nsIOStream::IIOStream;

constexpr char kGlobalMagic[4] = {'.', 'g', 's', 'v'};
constexpr char kEnvironmentMagic[4] = {'.', 'e', 'n', 'v'};
constexpr char kLocalMagic[4] = {'.', 'l', 's', 'v'};

// The name of a plug-in block. False when the file ends before its first byte: the
// writer had fewer blocks to write, which is a clean end.
bool ReadBlockName(IIOStream& stream, std::string& name) {
  unsigned char byte = 0;
  stream.LoadPrimitive(&byte, 1);
  if (stream.HasReadFailed()) return false;
  name.clear();
  while (byte != 0 && !stream.HasReadFailed()) {
    // The string form stores every byte complemented; names stay within the
    // stream's string limit, anything longer is no name of ours.
    if (name.size() < nsIOStream::kStringBufferSize - 1) {
      name.push_back(static_cast<char>(static_cast<unsigned char>(~byte)));
    }
    stream.LoadPrimitive(&byte, 1);
  }
  return true;
}

const std::map<std::string, DataFunc>& SaveFunctions(bool environment) {
  const nsPlugin::Registries& registries = nsPlugin::GetRegistries();
  return environment ? registries.saveEnvironmentDataFuncs : registries.saveLocalDataFuncs;
}

const std::map<std::string, DataFunc>& LoadFunctions(bool environment) {
  const nsPlugin::Registries& registries = nsPlugin::GetRegistries();
  return environment ? registries.loadEnvironmentDataFuncs : registries.loadLocalDataFuncs;
}

}  // namespace

void NovelPlayer::WritePluginBlocks(IIOStream& stream, bool environment) {
  for (const auto& [name, save] : SaveFunctions(environment)) {
    nsIOStream::WriteString(stream, name);
    save(this, &stream);
  }
}

bool NovelPlayer::ReadPluginBlocks(IIOStream& stream, bool environment) {
  if (stream.HasReadFailed()) return false;
  const auto& functions = LoadFunctions(environment);
  for (std::size_t block = 0; block < functions.size(); ++block) {
    std::string name;
    if (!ReadBlockName(stream, name)) return true;
    if (stream.HasReadFailed()) return false;  // the file ends inside the name
    const auto load = functions.find(name);
    if (load == functions.end()) {
      // The file was written by another set of plug-ins. The block's length is
      // known only to its writer, so nothing behind it can be read safely; the
      // remaining plug-ins keep the state they have.
      RuntimeWarning(GetWindowHandle(), "%sは登録されていないデータブロックです！読み込みを終了します。",
                     name.c_str());
      return true;
    }
    load->second(this, &stream);
    if (stream.HasReadFailed()) return false;
  }
  return true;
}

bool NovelPlayer::SaveGlobal(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "wb")) return false;
  stream->SavePrimitive(kGlobalMagic, 4);
  m_Globals.Save(stream);
  return stream->Close();
}

bool NovelPlayer::LoadGlobal(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "rb")) return false;
  if (!ReadMagic(*stream, kGlobalMagic)) {
    stream->Close();
    return false;
  }
  nsSimulatedHeap::SingleHeap globals;
  globals.Load(stream);
  const bool complete = !stream->HasReadFailed();
  const bool closed = stream->Close();
  // A damaged file changes nothing.
  if (!complete) return false;
  m_Globals.GetMap().swap(globals.GetMap());
  for (const auto& [name, value] : m_Globals.GetMap()) m_SymbolKinds.Set(name.c_str(), kSymbolGlobal);
  return closed;
}

bool NovelPlayer::SaveEnvironment(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "wb")) return false;
  stream->SavePrimitive(kEnvironmentMagic, 4);
  nsIOStream::WriteU8(*stream, m_Draw->IsFullScreen() ? 1 : 0);
  m_Texts.SaveEnvironment(stream);
  m_Sound->SaveEnvironmentSound(*stream);
  m_Draw->SaveEnvironment(stream);
  WritePluginBlocks(*stream, true);
  return stream->Close();
}

bool NovelPlayer::LoadEnvironment(const std::string& file, IIOStream* stream) {
  if (!stream->Open(file.c_str(), "rb")) return false;
  if (!ReadMagic(*stream, kEnvironmentMagic)) {
    stream->Close();
    return false;
  }
  // Each block keeps the settings that the end of a short file cut off.
  const bool fullScreen = nsIOStream::ReadU8(*stream) == 1;
  m_Texts.LoadEnvironment(stream);
  m_Sound->LoadEnvironmentSound(*stream);
  m_Draw->LoadEnvironment(stream, fullScreen);
  const bool complete = ReadPluginBlocks(*stream, true);
  const bool closed = stream->Close();
  return complete && closed;
}

void NovelPlayer::WriteLocalData(IIOStream& stream) {
  stream.SavePrimitive(kLocalMagic, 4);
  m_Locals.Save(&stream);
  m_Commands.SaveIterators(&stream);
  m_Tasks.Save(stream);
  m_Texts.SaveLocal(&stream);
  m_Sound->SaveLocalSound(stream);
  m_Draw->SaveState(&stream);
  nsIOStream::WriteU8(stream, m_MenuEnabled ? 1 : 0);
  WritePluginBlocks(stream, false);
}

bool NovelPlayer::SaveLocalData(const char* file, IIOStream* stream) {
  if (file == nullptr || !stream->Open(file, "wb")) return false;
  WriteLocalData(*stream);
  return stream->Close();
}

bool NovelPlayer::ReadLocalData(IIOStream& stream) {
  m_LoadRefused = false;
  m_SymbolKinds.Clear();
  m_Commands.ResetCommands();
  m_Locals.Load(&stream);
  m_Commands.LoadIterators(&stream);
  // The task manager's block starts from its reset, which holds the reaction lock;
  // the lock follows the player's input flag, as it does everywhere else.
  m_Tasks.Load(stream);
  if (m_InputEnabled && m_Tasks.IsExclusiveBRCS()) m_Tasks.LeaveExclusiveBRCS();
  m_Texts.LoadLocal(&stream);
  m_Sound->LoadLocalSound(stream);
  m_Draw->LoadState(&stream);
  m_MenuEnabled = nsIOStream::ReadU8(stream) != 0;
  const bool complete = ReadPluginBlocks(stream, false);
  for (const auto& [name, value] : m_Locals.GetMap()) m_SymbolKinds.Set(name.c_str(), kSymbolLocal);
  for (const auto& [name, value] : m_Globals.GetMap()) m_SymbolKinds.Set(name.c_str(), kSymbolGlobal);
  // Every slot holds a script position; without one the next frame could not run.
  return complete && !m_Commands.GetIterators().empty();
}

bool NovelPlayer::LoadLocalData(const char* file, IIOStream* stream) {
  if (file == nullptr || !stream->Open(file, "rb")) return false;
  if (!ReadMagic(*stream, kLocalMagic)) {
    stream->Close();
    return false;
  }
  // The slot may still turn out damaged after its magic, or hold a game that could
  // not run, when half of the game is already replaced: the current game is kept
  // in memory first and read back in that case. Nothing is written to the disk, so
  // this works in any folder.
  std::string kept;
  nsIOStream::BaseIOStream keepStream;
  bool isKept = false;
  if (keepStream.OpenMemoryForWriting(kept)) {
    WriteLocalData(keepStream);
    isKept = keepStream.Close();
  }

  bool loaded = ReadLocalData(*stream);
  const bool closed = stream->Close();
  if (loaded) loaded = CanRunLoadedGame();
  if (!loaded) {
    bool restored = false;
    if (isKept && keepStream.OpenMemoryForReading(kept)) {
      restored = ReadMagic(keepStream, kLocalMagic) && ReadLocalData(keepStream);
      keepStream.Close();
    }
    // Without the kept game a new game is the only whole state left.
    if (!restored) Initialize();
  }
  return loaded && closed;
}

bool NovelPlayer::SaveData(NovelPlayer* player, IIOStream* stream, const char* global,
                           const char* kidoku, const char* env) {
  if (player == nullptr || global == nullptr || kidoku == nullptr || env == nullptr) return false;
  const bool globalSaved = player->SaveGlobal(global, stream);
  const bool kidokuSaved = player->m_Texts.SaveKidoku(kidoku, stream);
  const bool envSaved = player->SaveEnvironment(env, stream);
  return globalSaved && kidokuSaved && envSaved;
}

bool NovelPlayer::LoadData(NovelPlayer* player, IIOStream* stream, unsigned flags,
                           const char* global, const char* kidoku, const char* env) {
  if (player == nullptr || global == nullptr || kidoku == nullptr || env == nullptr) return false;
  const bool globalRead = player->LoadGlobal(global, stream);
  const bool kidokuRead = player->m_Texts.LoadKidoku(kidoku, stream);
  const bool envRead = player->LoadEnvironment(env, stream);
  if (!envRead && (flags & 1U) != 0) player->m_Draw->SetFullScreen(false);
  return globalRead && kidokuRead && envRead;
}

}  // namespace nsTamskLib::nsCore

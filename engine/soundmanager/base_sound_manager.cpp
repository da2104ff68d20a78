#include "engine/soundmanager/base_sound_manager.h"

#include <algorithm>
#include <cstdint>

#include "engine/api/plugin_api.h"
#include "engine/api/stream_words.h"
#include "engine/iostream/base_io_stream.h"

namespace nsTamskLib::nsSoundManager {
namespace {

using nsIOStream::IIOStream;

constexpr int kMaxVolume = 10000;
constexpr int kDefaultVolume = 10000;
// The current volume that means "use the default".
constexpr int kFollowDefault = -1;

bool IsValidVolume(int volume) { return volume >= 0 && volume <= kMaxVolume; }

bool IsEmptyName(const char* name) { return name == nullptr || name[0] == '\0'; }

// A stored default volume replaces the held one only when the file holds it
// completely and it is a volume: a damaged file must neither reach the back end
// with it nor mute the game for good.
void LoadDefaultVolume(IIOStream& stream, int& target) {
  const std::int32_t stored = ReadI32(stream);
  if (!stream.HasReadFailed() && IsValidVolume(stored)) target = stored;
}

}  // namespace

struct BaseSoundManager::Channel {
  std::vector<std::string> BaseSoundManager::*names;
  int (BaseSoundManager::*volume)();
  void (BaseSoundManager::*backEndSetVolume)(int);
  bool (BaseSoundManager::*backEndPlay)(const char*);
  bool (BaseSoundManager::*backEndStop)(const char*);
  bool (BaseSoundManager::*backEndLoad)(const char*);
  bool (BaseSoundManager::*backEndRelease)(const char*);
  bool (BaseSoundManager::*backEndIsPlaying)(const char*);
  // The interface's own operations, so that a subclass's overrides take part.
  bool (BaseSoundManager::*stop)(const char*);
  bool (BaseSoundManager::*load)(const char*);
  bool (BaseSoundManager::*release)(const char*);
};

const BaseSoundManager::Channel BaseSoundManager::kSEChannel = {
    &BaseSoundManager::m_SEList,        &BaseSoundManager::GetSEVolume,
    &BaseSoundManager::_SetSEVolume,    &BaseSoundManager::_PlaySE,
    &BaseSoundManager::_StopSE,         &BaseSoundManager::_LoadSE,
    &BaseSoundManager::_ReleaseSE,      &BaseSoundManager::_IsPlayingSE,
    &BaseSoundManager::StopSE,          &BaseSoundManager::LoadSE,
    &BaseSoundManager::ReleaseSE};

const BaseSoundManager::Channel BaseSoundManager::kVoiceChannel = {
    &BaseSoundManager::m_VoiceList,     &BaseSoundManager::GetVoiceVolume,
    &BaseSoundManager::_SetVoiceVolume, &BaseSoundManager::_PlayVoice,
    &BaseSoundManager::_StopVoice,      &BaseSoundManager::_LoadVoice,
    &BaseSoundManager::_ReleaseVoice,   &BaseSoundManager::_IsPlayingVoice,
    &BaseSoundManager::StopVoice,       &BaseSoundManager::LoadVoice,
    &BaseSoundManager::ReleaseVoice};

BaseSoundManager::BaseSoundManager()
    : m_BGMOnce(false),
      m_SEVolume(kFollowDefault),
      m_BGMVolume(kFollowDefault),
      m_VoiceVolume(kFollowDefault),
      m_DefaultSEVolume(kDefaultVolume),
      m_DefaultBGMVolume(kDefaultVolume),
      m_DefaultVoiceVolume(kDefaultVolume) {}

BaseSoundManager::~BaseSoundManager() = default;

// Volumes.

int BaseSoundManager::GetSEVolume() { return IsSEVolumeInvalid() ? m_DefaultSEVolume : m_SEVolume; }
int BaseSoundManager::GetBGMVolume() {
  return IsBGMVolumeInvalid() ? m_DefaultBGMVolume : m_BGMVolume;
}
int BaseSoundManager::GetVoiceVolume() {
  return IsVoiceVolumeInvalid() ? m_DefaultVoiceVolume : m_VoiceVolume;
}

void BaseSoundManager::SetSEVolume(int volume) { m_SEVolume = volume; }
void BaseSoundManager::SetBGMVolume(int volume) { m_BGMVolume = volume; }
void BaseSoundManager::SetVoiceVolume(int volume) { m_VoiceVolume = volume; }

void BaseSoundManager::ApplySEVolume(int volume) {
  m_SEVolume = volume;
  _SetSEVolume(GetSEVolume());
}
void BaseSoundManager::ApplyBGMVolume(int volume) {
  m_BGMVolume = volume;
  _SetBGMVolume(GetBGMVolume());
}
void BaseSoundManager::ApplyVoiceVolume(int volume) {
  m_VoiceVolume = volume;
  _SetVoiceVolume(GetVoiceVolume());
}

int BaseSoundManager::GetDefaultSEVolume() { return m_DefaultSEVolume; }
int BaseSoundManager::GetDefaultBGMVolume() { return m_DefaultBGMVolume; }
int BaseSoundManager::GetDefaultVoiceVolume() { return m_DefaultVoiceVolume; }

void BaseSoundManager::SetDefaultSEVolume(unsigned volume) {
  if (volume > static_cast<unsigned>(kMaxVolume)) {
    RuntimeError(nullptr, "SEの音量設定（デフォルト）が不正です！（%d）", static_cast<int>(volume));
  }
  m_DefaultSEVolume = static_cast<int>(volume);
}
void BaseSoundManager::SetDefaultBGMVolume(unsigned volume) {
  if (volume > static_cast<unsigned>(kMaxVolume)) {
    RuntimeError(nullptr, "BGMの音量設定（デフォルト）が不正です！（%d）", static_cast<int>(volume));
  }
  m_DefaultBGMVolume = static_cast<int>(volume);
}
void BaseSoundManager::SetDefaultVoiceVolume(unsigned volume) {
  if (volume > static_cast<unsigned>(kMaxVolume)) {
    RuntimeError(nullptr, "音声の音量設定（デフォルト）が不正です！（%d）", static_cast<int>(volume));
  }
  m_DefaultVoiceVolume = static_cast<int>(volume);
}

bool BaseSoundManager::IsSEVolumeInvalid() { return !IsValidVolume(m_SEVolume); }
bool BaseSoundManager::IsBGMVolumeInvalid() { return !IsValidVolume(m_BGMVolume); }
bool BaseSoundManager::IsVoiceVolumeInvalid() { return !IsValidVolume(m_VoiceVolume); }

// Effect sounds and voices.

bool BaseSoundManager::StopAllOf(const Channel& channel) {
  bool allStopped = true;
  // Copied: a subclass's StopSE may change the list.
  const std::vector<std::string> names = this->*channel.names;
  for (const std::string& name : names) {
    if (!(this->*channel.stop)(name.c_str())) allStopped = false;
  }
  return allStopped;
}

// After each release the walk starts again from the front of the shortened list;
// after a failure it goes on with the next name, which stays listed. (A release
// that reports success but leaves the list as it was moves on too, so the walk
// always ends.)
bool BaseSoundManager::ReleaseAllOf(const Channel& channel) {
  bool allReleased = true;
  std::size_t i = 0;
  while (i < (this->*channel.names).size()) {
    const std::size_t before = (this->*channel.names).size();
    const std::string name = (this->*channel.names)[i];
    if ((this->*channel.release)(name.c_str())) {
      i = (this->*channel.names).size() < before ? 0 : i + 1;
    } else {
      allReleased = false;
      ++i;
    }
  }
  return allReleased;
}

bool BaseSoundManager::PlayOf(const Channel& channel, const char* name) {
  if (IsEmptyName(name)) return true;
  const std::vector<std::string>& names = this->*channel.names;
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    if (!(this->*channel.load)(name)) return false;
  }
  (this->*channel.backEndSetVolume)((this->*channel.volume)());
  return (this->*channel.backEndPlay)(name);
}

bool BaseSoundManager::StopOf(const Channel& channel, const char* name) {
  if (IsEmptyName(name)) return true;
  const std::vector<std::string>& names = this->*channel.names;
  if (std::find(names.begin(), names.end(), name) == names.end()) return true;
  if (!(this->*channel.backEndIsPlaying)(name)) return true;
  return (this->*channel.backEndStop)(name);
}

bool BaseSoundManager::LoadOf(const Channel& channel, const char* name) {
  if (IsEmptyName(name)) return true;
  std::vector<std::string>& names = this->*channel.names;
  if (std::find(names.begin(), names.end(), name) != names.end()) return true;
  const std::string held = name;
  names.push_back(held);
  if ((this->*channel.backEndLoad)(held.c_str())) return true;
  names.erase(std::find(names.begin(), names.end(), held));
  return false;
}

bool BaseSoundManager::ReleaseOf(const Channel& channel, const char* name) {
  if (IsEmptyName(name)) return true;
  std::vector<std::string>& names = this->*channel.names;
  if (std::find(names.begin(), names.end(), name) == names.end()) return true;
  // The name may point into the list, which shrinks below.
  const std::string held = name;
  if ((this->*channel.backEndIsPlaying)(held.c_str()) && !(this->*channel.stop)(held.c_str())) {
    return false;
  }
  if (!(this->*channel.backEndRelease)(held.c_str())) return false;
  const auto it = std::find(names.begin(), names.end(), held);
  if (it != names.end()) names.erase(it);
  return true;
}

bool BaseSoundManager::IsPlayingOf(const Channel& channel, const char* name) {
  if (IsEmptyName(name)) return false;
  const std::vector<std::string>& names = this->*channel.names;
  if (std::find(names.begin(), names.end(), name) == names.end()) return false;
  return (this->*channel.backEndIsPlaying)(name);
}

bool BaseSoundManager::StopAllSE() { return StopAllOf(kSEChannel); }
bool BaseSoundManager::ReleaseAllSE() { return ReleaseAllOf(kSEChannel); }
bool BaseSoundManager::PlaySE(const char* name) { return PlayOf(kSEChannel, name); }
bool BaseSoundManager::StopSE(const char* name) { return StopOf(kSEChannel, name); }
bool BaseSoundManager::LoadSE(const char* name) { return LoadOf(kSEChannel, name); }
bool BaseSoundManager::ReleaseSE(const char* name) { return ReleaseOf(kSEChannel, name); }
bool BaseSoundManager::IsPlayingSE(const char* name) { return IsPlayingOf(kSEChannel, name); }

bool BaseSoundManager::StopAllVoice() { return StopAllOf(kVoiceChannel); }
bool BaseSoundManager::ReleaseAllVoice() { return ReleaseAllOf(kVoiceChannel); }
bool BaseSoundManager::PlayVoice(const char* name) { return PlayOf(kVoiceChannel, name); }
bool BaseSoundManager::StopVoice(const char* name) { return StopOf(kVoiceChannel, name); }
bool BaseSoundManager::LoadVoice(const char* name) { return LoadOf(kVoiceChannel, name); }
bool BaseSoundManager::ReleaseVoice(const char* name) { return ReleaseOf(kVoiceChannel, name); }
bool BaseSoundManager::IsPlayingVoice(const char* name) {
  return IsPlayingOf(kVoiceChannel, name);
}

// Music.

bool BaseSoundManager::StopBGM() {
  if (m_BGMName.empty() || !_IsPlayingBGM()) return true;
  if (!_StopBGM()) return false;
  m_BGMName.clear();
  m_BGMOnce = false;
  return true;
}

// The comparisons use the name held on entry: stopping the music forgets its name,
// yet the music is still loaded and is played again from its start.
bool BaseSoundManager::PlayBGMIn(const char* name, bool once) {
  if (IsEmptyName(name)) return true;
  const std::string wanted = name;
  const std::string held = m_BGMName;
  if (wanted == held && m_BGMOnce == once) return true;
  if (_IsPlayingBGM() && !StopBGM()) return false;
  if (wanted != held && !_LoadBGM(wanted.c_str())) return false;
  _SetBGMVolume(GetBGMVolume());
  m_BGMOnce = once;
  if (_PlayBGM(once)) {
    m_BGMName = wanted;
    return true;
  }
  m_BGMName.clear();
  return false;
}

bool BaseSoundManager::PlayBGM(const char* name) { return PlayBGMIn(name, false); }
bool BaseSoundManager::PlayBGMOnce(const char* name) { return PlayBGMIn(name, true); }

bool BaseSoundManager::IsBGMPlaying(const char* name) {
  if (name == nullptr) return false;
  return m_BGMName == name && _IsPlayingBGM();
}

void BaseSoundManager::ResetSound() {
  StopBGM();
  StopAllSE();
  ReleaseAllSE();
  StopAllVoice();
  ReleaseAllVoice();
  SetSEVolume(kFollowDefault);
  SetBGMVolume(kFollowDefault);
  SetVoiceVolume(kFollowDefault);
}

bool BaseSoundManager::ReleaseBGM() {
  if (_IsPlayingBGM() && !StopBGM()) return false;
  if (!_ReleaseBGM()) return false;
  m_BGMName.clear();
  return true;
}

// Files.

void BaseSoundManager::SaveEnvironmentSound(IIOStream& stream) {
  WriteI32(stream, m_DefaultSEVolume);
  WriteI32(stream, m_DefaultBGMVolume);
  WriteI32(stream, m_DefaultVoiceVolume);
}

void BaseSoundManager::LoadEnvironmentSound(IIOStream& stream) {
  LoadDefaultVolume(stream, m_DefaultSEVolume);
  LoadDefaultVolume(stream, m_DefaultBGMVolume);
  LoadDefaultVolume(stream, m_DefaultVoiceVolume);
}

void BaseSoundManager::SaveLocalSound(IIOStream& stream) {
  WriteI32(stream, m_SEVolume);
  WriteI32(stream, m_BGMVolume);
  WriteI32(stream, m_VoiceVolume);
  RequireOpen(stream);
  nsIOStream::WriteString(stream, m_BGMName);
  const std::uint8_t once = m_BGMOnce ? 1 : 0;
  RequireOpen(stream);
  stream.SavePrimitive(&once, 1);
}

void BaseSoundManager::LoadLocalSound(IIOStream& stream) {
  StopBGM();
  StopAllSE();
  StopAllVoice();
  m_SEVolume = ReadI32(stream);
  m_BGMVolume = ReadI32(stream);
  m_VoiceVolume = ReadI32(stream);
  std::string name;
  RequireOpen(stream);
  nsIOStream::ReadString(stream, name);
  bool once = false;
  LoadBool(&stream, &once);
  if (once) {
    if (!PlayBGMOnce(name.c_str())) {
      DebugMessage(nullptr, "BGM（%s）が再生出来ません！（playonce）", name.c_str());
    }
  } else if (!PlayBGM(name.c_str())) {
    DebugMessage(nullptr, "BGM（%s）が再生出来ません！（play）", name.c_str());
  }
}

void LoadBool(IIOStream* stream, bool* value) {
  RequireOpen(*stream);
  std::uint8_t byte = 0;
  stream->LoadPrimitive(&byte, 1);
  *value = byte != 0;
}

}  // namespace nsTamskLib::nsSoundManager

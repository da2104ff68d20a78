#include "tests/engine/fakes/recording_sound_manager.h"

namespace vesk_test {

std::vector<std::string> RecordingSoundManager::Calls(const std::string& prefix) const {
  std::vector<std::string> calls;
  for (const std::string& entry : log) {
    if (entry.compare(0, prefix.size(), prefix) == 0) calls.push_back(entry);
  }
  return calls;
}

void RecordingSoundManager::Record(const std::string& operation, const std::string& argument) {
  log.push_back(operation + "(" + argument + ")");
}

bool RecordingSoundManager::PlayIn(RecordedSounds& sounds, const char* op, const char* name) {
  Record(op, name);
  if (sounds.failPlay.count(name) != 0 || sounds.loaded.count(name) == 0) return false;
  sounds.playing.insert(name);
  return true;
}

bool RecordingSoundManager::StopIn(RecordedSounds& sounds, const char* op, const char* name) {
  Record(op, name);
  if (sounds.failStop.count(name) != 0) return false;
  sounds.playing.erase(name);
  return true;
}

bool RecordingSoundManager::LoadIn(RecordedSounds& sounds, const char* op, const char* name) {
  Record(op, name);
  if (sounds.failLoad.count(name) != 0) return false;
  sounds.loaded.insert(name);
  return true;
}

bool RecordingSoundManager::ReleaseIn(RecordedSounds& sounds, const char* op, const char* name) {
  Record(op, name);
  if (sounds.failRelease.count(name) != 0) return false;
  sounds.loaded.erase(name);
  sounds.playing.erase(name);
  return true;
}

void RecordingSoundManager::_SetSEVolume(int volume) {
  Record("_SetSEVolume", std::to_string(volume));
  se.volume = volume;
}
bool RecordingSoundManager::_PlaySE(const char* name) { return PlayIn(se, "_PlaySE", name); }
bool RecordingSoundManager::_StopSE(const char* name) { return StopIn(se, "_StopSE", name); }
bool RecordingSoundManager::_LoadSE(const char* name) { return LoadIn(se, "_LoadSE", name); }
bool RecordingSoundManager::_ReleaseSE(const char* name) {
  return ReleaseIn(se, "_ReleaseSE", name);
}
// Queries are not logged: the engine asks them freely.
bool RecordingSoundManager::_IsPlayingSE(const char* name) { return se.playing.count(name) != 0; }

void RecordingSoundManager::_SetVoiceVolume(int volume) {
  Record("_SetVoiceVolume", std::to_string(volume));
  voice.volume = volume;
}
bool RecordingSoundManager::_PlayVoice(const char* name) {
  return PlayIn(voice, "_PlayVoice", name);
}
bool RecordingSoundManager::_StopVoice(const char* name) {
  return StopIn(voice, "_StopVoice", name);
}
bool RecordingSoundManager::_LoadVoice(const char* name) {
  return LoadIn(voice, "_LoadVoice", name);
}
bool RecordingSoundManager::_ReleaseVoice(const char* name) {
  return ReleaseIn(voice, "_ReleaseVoice", name);
}
bool RecordingSoundManager::_IsPlayingVoice(const char* name) {
  return voice.playing.count(name) != 0;
}

void RecordingSoundManager::_SetBGMVolume(int volume) {
  Record("_SetBGMVolume", std::to_string(volume));
  bgmVolume = volume;
}

// Plays the loaded music from its start.
bool RecordingSoundManager::_PlayBGM(bool once) {
  Record("_PlayBGM", once ? "once" : "loop");
  if (failBGMPlay || bgmLoaded.empty()) return false;
  bgmPlaying = true;
  bgmOnce = once;
  return true;
}

bool RecordingSoundManager::_StopBGM() {
  Record("_StopBGM", "");
  if (failBGMStop) return false;
  bgmPlaying = false;
  return true;
}

// A failed load keeps the music loaded before, as the game's back end does.
bool RecordingSoundManager::_LoadBGM(const char* name) {
  Record("_LoadBGM", name);
  if (failBGMLoad.count(name) != 0) return false;
  bgmLoaded = name;
  bgmPlaying = false;
  return true;
}

bool RecordingSoundManager::_ReleaseBGM() {
  Record("_ReleaseBGM", "");
  if (failBGMRelease) return false;
  bgmLoaded.clear();
  bgmPlaying = false;
  return true;
}

bool RecordingSoundManager::_IsPlayingBGM() { return bgmPlaying; }

}  // namespace vesk_test

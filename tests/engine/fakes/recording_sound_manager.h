#pragma once
// RecordingSoundManager: a sound manager whose back end plays nothing. Every
// back-end call is appended to a log ("_LoadSE(a.wav)", "_SetBGMVolume(5000)",
// "_PlayBGM(once)"), the loaded and playing sounds are tracked per name, and any
// operation can be made to fail for a name. FinishBGM and FinishSE/FinishVoice end
// a sound as if it had played out.

#include <set>
#include <string>
#include <vector>

#include "engine/soundmanager/base_sound_manager.h"

namespace vesk_test {

// One kind of named sound (effect sounds or voices) as the fake back end sees it.
struct RecordedSounds {
  std::set<std::string> loaded;
  std::set<std::string> playing;
  // Names whose operation fails.
  std::set<std::string> failLoad;
  std::set<std::string> failPlay;
  std::set<std::string> failStop;
  std::set<std::string> failRelease;
  // The last volume set; -1 before any.
  int volume = -1;
};

class RecordingSoundManager : public nsTamskLib::nsSoundManager::BaseSoundManager {
 public:
  RecordingSoundManager() = default;

  std::vector<std::string> log;
  RecordedSounds se;
  RecordedSounds voice;

  // The music: the loaded name (empty when none), whether it plays, and how.
  std::string bgmLoaded;
  bool bgmPlaying = false;
  bool bgmOnce = false;
  int bgmVolume = -1;
  std::set<std::string> failBGMLoad;
  bool failBGMPlay = false;
  bool failBGMStop = false;
  bool failBGMRelease = false;

  void FinishBGM() { bgmPlaying = false; }
  void FinishSE(const std::string& name) { se.playing.erase(name); }
  void FinishVoice(const std::string& name) { voice.playing.erase(name); }
  // Forgets the calls logged so far.
  void ClearLog() { log.clear(); }
  // The logged calls whose text starts with prefix, in order.
  std::vector<std::string> Calls(const std::string& prefix) const;

 protected:
  void _SetSEVolume(int volume) override;
  bool _PlaySE(const char* name) override;
  bool _StopSE(const char* name) override;
  bool _LoadSE(const char* name) override;
  bool _ReleaseSE(const char* name) override;
  bool _IsPlayingSE(const char* name) override;
  void _SetBGMVolume(int volume) override;
  bool _PlayBGM(bool once) override;
  bool _StopBGM() override;
  bool _LoadBGM(const char* name) override;
  bool _ReleaseBGM() override;
  bool _IsPlayingBGM() override;
  void _SetVoiceVolume(int volume) override;
  bool _PlayVoice(const char* name) override;
  bool _StopVoice(const char* name) override;
  bool _LoadVoice(const char* name) override;
  bool _ReleaseVoice(const char* name) override;
  bool _IsPlayingVoice(const char* name) override;

 private:
  void Record(const std::string& operation, const std::string& argument);
  bool PlayIn(RecordedSounds& sounds, const char* op, const char* name);
  bool StopIn(RecordedSounds& sounds, const char* op, const char* name);
  bool LoadIn(RecordedSounds& sounds, const char* op, const char* name);
  bool ReleaseIn(RecordedSounds& sounds, const char* op, const char* name);
};

}  // namespace vesk_test

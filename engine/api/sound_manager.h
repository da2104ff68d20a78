#pragma once
// ISoundManager: the engine's sound by name: one music (BGM), effect sounds (SE) and
// voices. Volumes are 0 to 10000; a current volume outside that range (-1 in
// practice) means that the default applies. The back end (the game's subclass)
// adds its operations after these.

#include <cstdint>

namespace nsTamskLib::nsSoundManager {

class ISoundManager {
 public:
  virtual int GetSEVolume() = 0;
  virtual int GetBGMVolume() = 0;
  virtual int GetVoiceVolume() = 0;
  virtual void SetSEVolume(int volume) = 0;
  virtual void SetBGMVolume(int volume) = 0;
  virtual void SetVoiceVolume(int volume) = 0;
  virtual void ApplySEVolume(int volume) = 0;
  virtual void ApplyBGMVolume(int volume) = 0;
  virtual void ApplyVoiceVolume(int volume) = 0;
  virtual int GetDefaultSEVolume() = 0;
  virtual int GetDefaultBGMVolume() = 0;
  virtual int GetDefaultVoiceVolume() = 0;
  virtual void SetDefaultSEVolume(unsigned volume) = 0;
  virtual void SetDefaultBGMVolume(unsigned volume) = 0;
  virtual void SetDefaultVoiceVolume(unsigned volume) = 0;
  virtual bool IsSEVolumeInvalid() = 0;
  virtual bool IsBGMVolumeInvalid() = 0;
  virtual bool IsVoiceVolumeInvalid() = 0;
  virtual bool StopAllSE() = 0;
  virtual bool ReleaseAllSE() = 0;
  virtual bool PlaySE(const char* name) = 0;
  virtual bool StopSE(const char* name) = 0;
  virtual bool LoadSE(const char* name) = 0;
  virtual bool ReleaseSE(const char* name) = 0;
  virtual bool StopBGM() = 0;
  virtual bool PlayBGM(const char* name) = 0;
  virtual bool PlayBGMOnce(const char* name) = 0;
  virtual bool StopAllVoice() = 0;
  virtual bool ReleaseAllVoice() = 0;
  virtual bool PlayVoice(const char* name) = 0;
  virtual bool StopVoice(const char* name) = 0;
  virtual bool LoadVoice(const char* name) = 0;
  virtual bool ReleaseVoice(const char* name) = 0;
  virtual bool IsPlayingSE(const char* name) = 0;
  virtual bool IsBGMPlaying(const char* name) = 0;
  virtual bool IsPlayingVoice(const char* name) = 0;
  virtual ~ISoundManager() = default;
};

}  // namespace nsTamskLib::nsSoundManager

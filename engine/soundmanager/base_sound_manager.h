#pragma once
// BaseSoundManager: the engine's bookkeeping of sound by name. It knows which
// effect sounds (SE) and voices are loaded, which music (BGM) is current and
// whether it plays once, and the current and default volumes of the three kinds.
// Loading and playing are left to the eighteen back-end operations (the "_"
// operations) that the game's subclass implements; the volumes passed to them are
// 0 to 10000.
//
// File blocks (little-endian, through the stream's raw primitives):
// - environment: the default SE, BGM and voice volumes (i32 each);
// - save slot: the current SE, BGM and voice volumes (i32 each), the BGM name (the
//   stream's string form), the play-once flag (u8).

#include <string>
#include <vector>

#include "engine/api/io_stream.h"
#include "engine/api/sound_manager.h"

namespace nsTamskLib::nsSoundManager {

class BaseSoundManager : public ISoundManager {
 public:
  BaseSoundManager();
  BaseSoundManager(const BaseSoundManager&) = delete;
  BaseSoundManager& operator=(const BaseSoundManager&) = delete;

  // The current volume, or the default when the current one is outside 0 to 10000.
  int GetSEVolume() override;
  int GetBGMVolume() override;
  int GetVoiceVolume() override;
  // Store the current volume, unchecked (-1 means "use the default").
  void SetSEVolume(int volume) override;
  void SetBGMVolume(int volume) override;
  void SetVoiceVolume(int volume) override;
  // Store the current volume and pass the resulting volume to the back end.
  void ApplySEVolume(int volume) override;
  void ApplyBGMVolume(int volume) override;
  void ApplyVoiceVolume(int volume) override;
  int GetDefaultSEVolume() override;
  int GetDefaultBGMVolume() override;
  int GetDefaultVoiceVolume() override;
  // A default above 10000 (a negative one arrives as a large value) is fatal.
  void SetDefaultSEVolume(unsigned volume) override;
  void SetDefaultBGMVolume(unsigned volume) override;
  void SetDefaultVoiceVolume(unsigned volume) override;
  bool IsSEVolumeInvalid() override;
  bool IsBGMVolumeInvalid() override;
  bool IsVoiceVolumeInvalid() override;

  // Effect sounds. An empty name is never loaded or played (the operations give
  // true). A failed load is not listed; a failed release stays listed.
  bool StopAllSE() override;
  bool ReleaseAllSE() override;
  // Loads the name on first use; sets the volume before every start.
  bool PlaySE(const char* name) override;
  bool StopSE(const char* name) override;
  bool LoadSE(const char* name) override;
  bool ReleaseSE(const char* name) override;

  // Stops the music when one is named and plays; with nothing playing it gives
  // true and keeps the name.
  bool StopBGM() override;
  // Play looped or once. The same name in the same mode is left alone (also after
  // a play-once music has ended); the name held on entry is played again without
  // reloading.
  bool PlayBGM(const char* name) override;
  bool PlayBGMOnce(const char* name) override;

  // Voices: as the effect sounds.
  bool StopAllVoice() override;
  bool ReleaseAllVoice() override;
  bool PlayVoice(const char* name) override;
  bool StopVoice(const char* name) override;
  bool LoadVoice(const char* name) override;
  bool ReleaseVoice(const char* name) override;

  bool IsPlayingSE(const char* name) override;
  bool IsBGMPlaying(const char* name) override;
  bool IsPlayingVoice(const char* name) override;

  // The destructor stops nothing; the owner stops and releases first.
  ~BaseSoundManager() override;

  // A new game: stops the music, stops and releases the effect sounds and voices,
  // and sets the current volumes back to the defaults. The music stays loaded.
  void ResetSound();
  // Stops and releases the music; the name is forgotten.
  bool ReleaseBGM();

  // The environment block. Loading replaces the defaults without passing them to
  // the back end (every start sets the volume); a stored default outside 0 to 10000,
  // or cut off by the end of the file, is ignored and the default held before stays.
  void SaveEnvironmentSound(nsIOStream::IIOStream& stream);
  void LoadEnvironmentSound(nsIOStream::IIOStream& stream);

  // The save-slot block. Loading stops all sound, replaces the current volumes and
  // starts the saved music; music that cannot be played is only reported on the
  // debug line.
  void SaveLocalSound(nsIOStream::IIOStream& stream);
  void LoadLocalSound(nsIOStream::IIOStream& stream);

  // The current music's name (empty when none) and whether it was started once.
  const std::string& GetBGMName() const { return m_BGMName; }
  bool IsBGMOnce() const { return m_BGMOnce; }
  const std::vector<std::string>& GetSEList() const { return m_SEList; }
  const std::vector<std::string>& GetVoiceList() const { return m_VoiceList; }

 protected:
  // The back end. The volumes are 0 to 10000.
  virtual void _SetSEVolume(int volume) = 0;
  virtual bool _PlaySE(const char* name) = 0;
  virtual bool _StopSE(const char* name) = 0;
  virtual bool _LoadSE(const char* name) = 0;
  virtual bool _ReleaseSE(const char* name) = 0;
  virtual bool _IsPlayingSE(const char* name) = 0;
  virtual void _SetBGMVolume(int volume) = 0;
  // Plays the loaded music from its start, looped or once.
  virtual bool _PlayBGM(bool once) = 0;
  virtual bool _StopBGM() = 0;
  virtual bool _LoadBGM(const char* name) = 0;
  virtual bool _ReleaseBGM() = 0;
  // False after a play-once music has played out.
  virtual bool _IsPlayingBGM() = 0;
  virtual void _SetVoiceVolume(int volume) = 0;
  virtual bool _PlayVoice(const char* name) = 0;
  virtual bool _StopVoice(const char* name) = 0;
  virtual bool _LoadVoice(const char* name) = 0;
  virtual bool _ReleaseVoice(const char* name) = 0;
  virtual bool _IsPlayingVoice(const char* name) = 0;

 private:
  // Effect sounds and voices keep the same bookkeeping; a channel names the list,
  // the volume and the operations of one kind.
  struct Channel;
  static const Channel kSEChannel;
  static const Channel kVoiceChannel;

  bool StopAllOf(const Channel& channel);
  bool ReleaseAllOf(const Channel& channel);
  bool PlayOf(const Channel& channel, const char* name);
  bool StopOf(const Channel& channel, const char* name);
  bool LoadOf(const Channel& channel, const char* name);
  bool ReleaseOf(const Channel& channel, const char* name);
  bool IsPlayingOf(const Channel& channel, const char* name);
  bool PlayBGMIn(const char* name, bool once);

  std::string m_BGMName;
  bool m_BGMOnce;
  std::vector<std::string> m_SEList;
  std::vector<std::string> m_VoiceList;
  int m_SEVolume;
  int m_BGMVolume;
  int m_VoiceVolume;
  int m_DefaultSEVolume;
  int m_DefaultBGMVolume;
  int m_DefaultVoiceVolume;
};

// Reads one byte as a flag (0 is false), for the player's file readers.
void LoadBool(nsIOStream::IIOStream* stream, bool* value);

}  // namespace nsTamskLib::nsSoundManager

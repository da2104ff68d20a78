#pragma once
// The game's sound back end of the engine's sound manager: one streamed music
// (BGM) and two tables of whole-buffer sounds, effects (SE) and voices, keyed by
// the file name the engine passes. Files are read from the archive "Data.dat"
// through the WAV or the Ogg Vorbis reader, chosen by the name.
//
// The effects and voices held at once share one total of sample bytes. A load
// that would pass it first lets go of the least recently played sounds that are
// not playing; a sound let go keeps its name and is loaded again when it is next
// played. A sound that finds no room even then is not loaded this time.
//
// Volumes arrive as 0 to 10000 and reach the sounds as attenuation in hundredths of
// a decibel (0 full, -10000 silent).

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/soundmanager/base_sound_manager.h"
#include "framework/sound/sound.h"
#include "framework/sound/sound_bgm.h"
#include "framework/sound/sound_reader.h"
#include "platform/audio/sound_buffer.h"
#include "platform/debug/once_per_run.h"

namespace nsVesk::nsSoundManagerfD {

// 0 gives -10000; any other volume v the integer part of log10(v / 10000) x 1000,
// so 10000 gives 0, 5000 -301, 1000 -1000, 1 -4000. A volume outside 0 to 10000
// (a damaged env.dat can hold one) is first brought into that range.
std::int32_t VolumeToAttenuation(int volume);

// A new reader of the named file in the archive: the Ogg Vorbis reader when the
// name contains ".ogg", else the WAV reader when it contains ".wav", else none
// (null). The reader reports IsOpen false when the file cannot be opened.
nsZarn::nsSound::nsISoundReader::ISoundReader* OpenArchiveSound(const std::string& name);

class SoundManagerfD : public nsTamskLib::nsSoundManager::BaseSoundManager {
 public:
  // The sample bytes of the effects and voices held at once: one sound of the
  // longest a buffer holds.
  static constexpr std::uint64_t kHeldSoundBytes = std::uint64_t{platform::SoundBuffer::kMaxBytes} + 1;

  explicit SoundManagerfD(std::uint64_t heldSoundBytes = kHeldSoundBytes);
  // Releases the voices, the music and the effects, then the engine's part goes.
  ~SoundManagerfD() override;

  // The names loaded, also those whose sound was let go.
  std::size_t LoadedSECount() const { return m_SE.table.size(); }
  std::size_t LoadedVoiceCount() const { return m_Voice.table.size(); }
  // The sample bytes of the effects and voices held now.
  std::uint64_t HeldSoundBytes() const;
  // The sound held under the name, or null (also when it was let go).
  nsZarn::nsSound::nsISound::ISound* FindSE(const std::string& name) const;
  nsZarn::nsSound::nsISound::ISound* FindVoice(const std::string& name) const;
  nsZarn::nsSound::nsISound::CSoundBGM& BGM() { return m_BGM; }

 protected:
  // Play, stop and the query of a name that is not loaded give false; releasing
  // one gives true. Playing a name whose sound was let go loads it again first.
  void _SetSEVolume(int volume) override;
  bool _PlaySE(const char* name) override;
  bool _StopSE(const char* name) override;
  // An empty or loaded name gives true and loads nothing; a file that cannot be
  // opened or played, or whose name has neither extension, gives false and a debug
  // line, and so does the name from then on, without a new try. A load that failed
  // for want of a sound buffer, memory or room among the held sounds, or that a
  // quit cut short, is tried again the next time.
  bool _LoadSE(const char* name) override;
  bool _ReleaseSE(const char* name) override;
  bool _IsPlayingSE(const char* name) override;
  void _SetBGMVolume(int volume) override;
  bool _PlayBGM(bool once) override;
  bool _StopBGM() override;
  // An empty name gives true and keeps the current music; a file that cannot be
  // opened gives false and a debug line, and the current music stays; a name whose
  // file failed once fails from then on, without a new try. A track that opens but
  // finds no sound buffer or streaming thread is tried again the next time.
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
  struct SoundReleaser {
    void operator()(nsZarn::nsSound::nsISound::ISound* sound) const { sound->Release(); }
  };
  struct HeldSound {
    std::unique_ptr<nsZarn::nsSound::nsISound::ISound, SoundReleaser> sound;  // null once let go
    std::uint64_t bytes = 0;    // what the sound's samples may take while it is held
    std::uint64_t lastUse = 0;  // when it was last loaded or played
  };
  // The sounds of one kind, effects or voices.
  struct SoundKind {
    std::map<std::string, HeldSound> table;
    // The names whose file failed to load. The archive does not change while the
    // game runs, so such a name is not loaded again: each try would cost its
    // decoding again, and the decoding library leaks on some failed opens.
    platform::OncePerRun failed;
    std::int32_t attenuation = 0;  // the last volume set, given to a sound loaded again
    const char* failureLine;
  };

  static nsZarn::nsSound::nsISound::ISound* Find(const SoundKind& kind, const char* name);
  static void SetVolume(SoundKind& kind, int volume);
  bool Load(SoundKind& kind, const char* name);
  bool Play(SoundKind& kind, const char* name);
  // Opens the named file and decodes it into `held`, once the held sounds leave
  // room for it. False, with the lines of the failed load, when it cannot.
  bool LoadInto(HeldSound& held, SoundKind& kind, const char* name);
  // Lets go of the least recently played sounds that are not playing until
  // `bytes` more fit in the total. False when they cannot.
  bool MakeRoom(std::uint64_t bytes);
  // A load the file is at fault for (its reader refused it, or its samples make no
  // buffer): marks the name as failed, unless a quit stopped the load, and reports
  // the load. False.
  static bool RefuseLoad(platform::OncePerRun& failed, const char* name, const char* failureLine,
                         nsZarn::nsSound::nsISoundReader::ISoundReader* unopened);
  // Writes the lines of a failed load: the failure line, and the line naming the
  // file unless the reader that could not open it (released here) has written
  // one. A load that failed for want of a sound buffer, a thread or memory is only
  // reported, and tried again the next time. False.
  static bool ReportFailedLoad(const char* name, const char* failureLine,
                               nsZarn::nsSound::nsISoundReader::ISoundReader* unopened);
  static bool Release(SoundKind& kind, const char* name);

  SoundKind m_SE{{}, {}, 0, "Failed : SoundManagerfD::_LoadSE Open\n"};
  nsZarn::nsSound::nsISound::CSoundBGM m_BGM;
  SoundKind m_Voice{{}, {}, 0, "Failed : SoundManagerfD::_LoadVoice Open\n"};
  // The names whose music failed to load, as for the sounds' kinds.
  platform::OncePerRun m_FailedBGM;
  std::uint64_t m_HeldSoundLimit;
  std::uint64_t m_Uses = 0;  // counts loads and plays, for lastUse
};

}  // namespace nsVesk::nsSoundManagerfD
